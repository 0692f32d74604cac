#pragma once
// SDL scancodes to the game's virtual-key numbering (platform/input.h), and the key names
// the test harness accepts. Kept apart so tests can check the tables without a window.
#include <string_view>

namespace input_detail {

// The virtual key of an SDL scancode (an SDL_Scancode value), 0 when the game has none.
int VirtualKeyFromScancode(int scancode);

// The virtual key of a harness key name (ESCAPE, ENTER, SPACE, A..Z, 0..9, arrows and a few
// more), matched without regard to case; 0 when the name is unknown.
int VirtualKeyFromName(std::string_view name);

}  // namespace input_detail
