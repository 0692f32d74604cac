#pragma once
// The game's text roles, one colour each (assets/STYLE.md, "Type"): every text a screen
// writes takes its colour from here, so no screen invents a white or a yellow of its own.
#include "gui/core/dim.h"

namespace typestyle {

// Titles, captions on wood, numbers on the dark plaques.
inline constexpr TRGB kGold{247, 222, 113};
// The one word or line that answers the pointer or must be seen first.
inline constexpr TRGB kHighlight{255, 242, 176};
// Body text on wood and on dark panels.
inline constexpr TRGB kBody{251, 240, 208};
// Body text on parchment (drawn without outline).
inline constexpr TRGB kInkText{74, 42, 20};
// Held-line counts while the hook is armed: the flag red, lit so it reads on the board.
inline constexpr TRGB kHookRed{226, 96, 78};
// The outline and shadow of every text drawn on wood, sea or sky.
inline constexpr TRGB kInk{43, 26, 12};

// Faces by role: berry for titles, buttons and body, the number face for digits.
inline constexpr const char* kFace = "gfx/fonts/berry.ttf";
inline constexpr const char* kNumberFace = "gfx/fonts/font.ttf";

}  // namespace typestyle
