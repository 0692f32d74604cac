#pragma once
// The two operations every frame passes through: the system step (timer, mouse, sound,
// the keys that act everywhere) and the flip (present, letterbox clear, pause overlay).
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/graphics.h"

class TEkran;

// Font and caption of the pause overlay (set while loading).
extern TImageFont pauseGameFont;
extern std::string txtPauseGame;
// Each loads its half of the caption from the asset tree: the number face at 72, and line 1
// of the language's pauseGame.txt.
void loadPauseGameFont();
void loadPauseGameText();

// Per-frame step, run first in every screen's update: delta, mouse, sound service, then
// Alt+F4 / Ctrl+Q / the terminate request end the process (without saving) and Ctrl+F
// toggles full screen. A non-zero flag uses the mouse's special update.
int _updateSystem(int32_t flag);
// Presents the frame and clears the next one; while the window is in the background (and
// allowPause is not 0) holds the game in the pause overlay first. screen may be null.
int myFlip(int32_t allowPause, TEkran* screen);
// The pause overlay: the frozen picture darkened to half with the caption, until the
// application is active again. From the first pause on the bars stay dark red.
int pauseGame(TEkran* screen);
// The seventeen cursors of gfx/gui/mouse/, then "HAND".
int loadMouseCursors();
// "mm:ss", each at least two digits; minutes unbounded.
std::string getTimeString(int32_t seconds);
int _drawGlobalDebugInfo();

// A new list of the same objects in the same order, without the empty entries.
template <class T>
std::vector<std::shared_ptr<T>> copyList(const std::vector<std::shared_ptr<T>>& list) {
    std::vector<std::shared_ptr<T>> out;
    out.reserve(list.size());
    for (const auto& e : list)
        if (e) out.push_back(e);
    return out;
}

// The cloud timers stop while the game is paused; the ambience registers its pause and
// resume here (empty until then).
void SetCloudTimerHooks(std::function<void()> pause, std::function<void()> resume);

// Fresh pause font/text and no cloud hooks: for tests.
void resetFrameState();
