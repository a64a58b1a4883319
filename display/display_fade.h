// The display window's two looks: keyed (opaque, pure white see-through) after every
// redraw, and fading (the whole window translucent) during the last ten seconds.
#pragma once

#include "core/program_state.h"
#include "platform/drawing.h"
#include "platform/threads.h"
#include "platform/window_system.h"

namespace zorvane {

// Sets the window's layering, style and attributes. Called on the UI thread (a style change
// from any other thread would wait for it) with the display lock held, so that a redraw
// and a fade step never interleave their changes.
void ApplyLayeredAttributes(Drawing& drawing, WindowHandle window, Colour key, int alpha,
                            LayeredFlags flags);

// One blink of the last ten seconds of the countdown shown in `window`: 400 ms fully
// visible, then ten steps of 20 ms down to an opacity of 5/255. Once that countdown has
// stopped, the remaining steps find their window gone and skip, even when the next
// countdown's window is already up.
void FadeOutThread(WindowSystem& ui, Drawing& drawing, Threads& threads, ProgramState& state,
                   WindowHandle window);

}  // namespace zorvane
