#pragma once
// The gl backend's event translation, reachable from tests: events built by hand go through
// the same code as the ones SDL delivers, with no window needed.
#include <SDL.h>

namespace input_detail {

// Applies one SDL event to the latched input state (buttons, wheel, motion, keys, typed
// characters, focus and quit).
void HandleSdlEvent(const SDL_Event& event);

}  // namespace input_detail
