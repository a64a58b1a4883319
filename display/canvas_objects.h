// Owners for a canvas's pens and brushes and for its selection: whatever happens, the
// objects are deleted and the canvas gets back the pen and brush it had.
#pragma once

#include "platform/canvas.h"

namespace zorvane {

class ScopedDrawingObject {
 public:
  ScopedDrawingObject(Canvas& canvas, DrawingObject object) : canvas_(canvas), object_(object) {}
  ~ScopedDrawingObject() {
    if (object_) canvas_.Delete(object_);
  }
  ScopedDrawingObject(const ScopedDrawingObject&) = delete;
  ScopedDrawingObject& operator=(const ScopedDrawingObject&) = delete;
  DrawingObject get() const { return object_; }

 private:
  Canvas& canvas_;
  DrawingObject object_;
};

// Remembers the pen and brush selected when it was made and selects them again, pen first,
// when it goes: the objects selected in between can then be deleted safely.
class SelectionRestorer {
 public:
  explicit SelectionRestorer(Canvas& canvas)
      : canvas_(canvas), pen_(canvas.CurrentPen()), brush_(canvas.CurrentBrush()) {}
  ~SelectionRestorer() {
    canvas_.Select(pen_);
    canvas_.Select(brush_);
  }
  SelectionRestorer(const SelectionRestorer&) = delete;
  SelectionRestorer& operator=(const SelectionRestorer&) = delete;

  // Selects a pen and a brush to fill a shape with.
  void Use(const ScopedDrawingObject& pen, const ScopedDrawingObject& brush) {
    canvas_.Select(pen.get());
    canvas_.Select(brush.get());
  }

 private:
  Canvas& canvas_;
  DrawingObject pen_;
  DrawingObject brush_;
};

}  // namespace zorvane
