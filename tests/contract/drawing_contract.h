// What every Drawing does, the twin as the real one: a canvas holds its context and bitmap
// while it lives; a window's picture goes with the window, and a picture copied after it has
// gone is not kept; a window takes an opacity only once it has the layered style, and its
// layering reads back. (Whether both backends draw the same pixels is checked picture by
// picture against GDI in tests/win32/win32_drawing_test.cpp.)
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "platform/drawing.h"
#include "platform/window_system.h"

namespace zorvane::contract {

// A World has: Ui(); Graphics(), its Drawing; KeptPictureCount(), the pictures its windows
// keep.
template <typename World>
class DrawingContract : public ::testing::Test {
 protected:
  WindowHandle Open() { return ui_.CreateWindowFromLayout(layout_, {}); }

  World world_;
  WindowSystem& ui_ = world_.Ui();
  Drawing& drawing_ = world_.Graphics();
  const WindowSpec layout_{.name = "Drawn", .frame = FrameStyle::Borderless,
                           .size = {200, 150}, .background = kWhite, .visible = false};
};
TYPED_TEST_SUITE_P(DrawingContract);

TYPED_TEST_P(DrawingContract, APictureGoesWithItsWindowAndACanvasFreesWhatItHeld) {
  auto& drawing = this->drawing_;
  const WindowHandle window = this->Open();
  const int before = drawing.LiveObjectCount();
  std::unique_ptr<OffscreenCanvas> canvas = drawing.CreateOffscreen(window, {200, 150});
  ASSERT_NE(canvas, nullptr);
  EXPECT_EQ(drawing.LiveObjectCount(), before + 2);  // its context and its bitmap
  canvas->CopyToWindow();
  EXPECT_EQ(this->world_.KeptPictureCount(), 1u);
  this->ui_.DestroyWindow(window);
  EXPECT_EQ(this->world_.KeptPictureCount(), 0u);
  canvas->CopyToWindow();  // a redraw that ends after its window
  canvas.reset();
  EXPECT_EQ(this->world_.KeptPictureCount(), 0u);
  EXPECT_EQ(drawing.LiveObjectCount(), before);
}

TYPED_TEST_P(DrawingContract, OpacityNeedsTheLayeredStyleFirstAndTheLayeringReadsBack) {
  auto& drawing = this->drawing_;
  const WindowHandle window = this->Open();
  EXPECT_FALSE(drawing.SetLayeredAttributes(window, 0, 130, LayeredFlags::Alpha));
  EXPECT_FALSE(drawing.Layered(window).layered);

  drawing.ApplyLayered(window, kWhite, 255, LayeredFlags::ColourKey);
  LayeredAttributes read = drawing.Layered(window);
  EXPECT_TRUE(read.layered);
  EXPECT_EQ(read.key, kWhite);
  EXPECT_EQ(read.flags, LayeredFlags::ColourKey);  // (Wine keeps no alpha for a colour key)
  drawing.ApplyLayered(window, RgbColour(1, 2, 3), 77, LayeredFlags::Alpha);
  read = drawing.Layered(window);
  EXPECT_TRUE(read.layered);
  EXPECT_EQ(read.alpha, 77);
  EXPECT_EQ(read.flags, LayeredFlags::Alpha);
  EXPECT_TRUE(drawing.SetLayeredAttributes(window, 0, 130, LayeredFlags::Alpha));
  EXPECT_EQ(drawing.Layered(window).alpha, 130);

  this->ui_.DestroyWindow(window);
  EXPECT_FALSE(drawing.Layered(window).layered);
  EXPECT_FALSE(drawing.SetLayeredAttributes(window, 0, 130, LayeredFlags::Alpha));
}

REGISTER_TYPED_TEST_SUITE_P(DrawingContract, APictureGoesWithItsWindowAndACanvasFreesWhatItHeld,
                            OpacityNeedsTheLayeredStyleFirstAndTheLayeringReadsBack);

}  // namespace zorvane::contract
