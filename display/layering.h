// The display window's two looks: keyed (opaque, pure white see-through) after every
// redraw, and fading (the whole window translucent) during the last ten seconds.
#pragma once

#include "app/program_state.h"
#include "platform/drawing.h"
#include "platform/threads.h"
#include "platform/window_system.h"

namespace zorvane {

// Sets the window's layering. The caller holds the display lock, so that a redraw and a
// fade step never interleave their changes.
void ApplyLayeredAttributes(Drawing& drawing, WindowHandle window, Colour key, int alpha,
                            LayeredFlags flags);

// One blink of the last ten seconds: 400 ms fully visible, then ten steps of 20 ms down to
// an opacity of 5/255. Steps find the window gone once the countdown has stopped, and skip.
void FadeOutThread(WindowSystem& ui, Drawing& drawing, Threads& threads, ProgramState& state);

}  // namespace zorvane
