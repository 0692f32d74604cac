#pragma once
// The play screen under test: the headless backend with a 1024 x 768 picture, a small
// level built from ASCII rows ('#' picture cell, '.' empty), a layout with the panel's
// widgets, a fresh profile, recording sounds, and scripted answers from the overlays.
// Frames run through the screen's own loop body (update, draw, flip, layout, keys).
#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "app/frame.h"
#include "app/profile/profile.h"
#include "app/profile/profile_manager.h"
#include "effects/effects.h"
#include "game/board/level.h"
#include "game/board/links.h"
#include "game/board/number.h"
#include "game/board/tile.h"
#include "game/board/tiledata.h"
#include "gui/core/gui.h"
#include "gui/frame/deltatime.h"
#include "gui/frame/fontcache.h"
#include "gui/frame/letterbox.h"
#include "gui/frame/mouse.h"
#include "gui/widgets/button.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/system.h"
#include "screens/play/main_game.h"
#include "tests/support/plain_tiles.h"

namespace playtest {

inline TImage makeImage(int w, int h, int frames = 1) {
    Pixmap pm;
    pm.width = w * frames;
    pm.height = h;
    pm.pixels.assign(size_t(pm.width) * size_t(h), 0xFFFFFFFFu);
    return CreateImageFromPixmap(pm);
}

// A strip of `frames` cells of w x h, read back through the strip loader.
inline TImage makeStrip(int w, int h, int frames) {
    Pixmap pm;
    pm.width = w * frames;
    pm.height = h;
    pm.pixels.assign(size_t(pm.width) * size_t(h), 0xFFFFFFFFu);
    const std::string path = ::testing::TempDir() + "play_strip_" + std::to_string(w) + "x" +
                             std::to_string(h) + "x" + std::to_string(frames) + ".png";
    if (!SavePixmapPNG(pm, path)) return nullptr;
    return LoadAnimImage(path, w, h, 0, frames);
}

class RecordingServices : public TServicesLink {
public:
    std::vector<std::string> sounds;
    int cheatsOn = 0;
    void playMySound(const std::string& name) override { sounds.push_back(name); }
    int cheats() override { return cheatsOn; }
    int count(const std::string& prefix) const {
        int n = 0;
        for (const auto& s : sounds) n += s.rfind(prefix, 0) == 0;
        return n;
    }
};

// The play screen's widgets as the panel lays them out.
inline const char* kLayout = R"(
BUTTON menu { TYP = SIMPLE_BUTTON POSITION = "40 10" SIZE = "60 24" }
BUTTON skip { TYP = SIMPLE_BUTTON POSITION = "640 10" SIZE = "90 24" }
BUTTON bonus1 { TYP = SIMPLE_BUTTON POSITION = "250 745" SIZE = "56 56" }
BUTTON bonus2 { TYP = SIMPLE_BUTTON POSITION = "320 745" SIZE = "56 56" }
BUTTON bonus3 { TYP = SIMPLE_BUTTON POSITION = "390 745" SIZE = "56 56" }
BUTTON bonus4 { TYP = SIMPLE_BUTTON POSITION = "460 745" SIZE = "56 56" }
BUTTON bonus5 { TYP = SIMPLE_BUTTON POSITION = "530 745" SIZE = "56 56" }
BUTTON bonus6 { TYP = SIMPLE_BUTTON POSITION = "640 740" }
)";

class PlayTest : public ::testing::Test {
protected:
    RecordingServices services;
    int32_t now = 1000;
    std::shared_ptr<TLevel> level;
    std::shared_ptr<TProfile> profile;
    std::shared_ptr<TTileData> emptyData, pictureData;
    std::shared_ptr<TTileHideGFX> cover;
    // What the overlays answered, in order ("" once the queue is empty).
    std::deque<std::string> loseAnswers, menuAnswers;
    std::string winAnswer;
    int winShown = 0, loseShown = 0, menuShown = 0, saves = 0;
    std::vector<int> logs;
    std::vector<std::string> stateTrace;

    void SetUp() override {
        InitPlatform(true);
        ResetGraphicsState();
        ResetInputState();
        ResetMouseState();
        ResetFontCache();
        resetBoardLinks();
        resetTileDataLists();
        resetTileStatics();
        resetNumberImages();
        resetEffects();
        resetMainGame();
        now = 1000;
        SetClockSource([this] { return now; });
        ASSERT_TRUE(Graphics(1024, 768, 0, 60));
        SetAspectResolution(1024, 768, 3);
        deltaUpdate();
        delta = 1.0f;

        profile = std::make_shared<TProfile>();
        profileManager.profile = profile;
        setPlayLink(&mainGame);
        setServicesLink(&services);

        auto& h = playHooks();
        h.winScreen = [this](TMainGame&) {
            ++winShown;
            return winAnswer;
        };
        h.loseScreen = [this](TMainGame&) {
            ++loseShown;
            if (loseAnswers.empty()) return std::string("RESTART");
            std::string a = loseAnswers.front();
            loseAnswers.pop_front();
            return a;
        };
        h.menu = [this](TMainGame&) {
            ++menuShown;
            if (menuAnswers.empty()) return std::string();
            std::string a = menuAnswers.front();
            menuAnswers.pop_front();
            return a;
        };
        h.saveGameData = [this] { ++saves; };
        h.log = [this](int code) { logs.push_back(code); };
        h.backgroundUrl = [](int) { return std::string(); };

        mainGame.Gui = createGui();
        mainGame.Gui->LoadText(kLayout);
        mainGame._setupDims();
        mainGame.txtDim = "Board: ";
        mainGame.txtX = "x";
        mainGame.txtMist = "Mistakes: ";
        mainGame.txtHints = "Hints";
        TImageFont fixed = CreateFixedFont(10, 20);
        mainGame.timeFont = mainGame.dimFont = mainGame.scoreFont = mainGame.hintFont = fixed;
        mainGame.mistFont = mainGame.levelFont = mainGame.mnoznikFont = fixed;
        for (auto& f : mainGame.numFont) f = fixed;

        const PlainTiles tiles = installPlainTiles(50);
        emptyData = tiles.emptyData;
        pictureData = tiles.pictureData;
        cover = tiles.cover;
        for (int s = 0; s < kTileSizeClasses; ++s)
            for (int d = 0; d < 10; ++d) TNumber::num[size_t(s)][size_t(d)] = makeImage(20, 30);
    }

    void TearDown() override {
        setPlayLink(nullptr);
        setServicesLink(nullptr);
        profileManager.profile.reset();
        resetEffects();
        resetMainGame();
        mainGame.Gui.reset();
        resetTileDataLists();
        resetTileStatics();
        resetNumberImages();
        CloseGraphics();
        SetClockSource(nullptr);
    }

    // A level from ASCII rows, handed to the play screen as the profile would.
    TLevel& build(const std::vector<std::string>& picture, int maxMistakes = 3) {
        level = std::make_shared<TLevel>();
        level->rows = int(picture.size());
        level->cols = picture.empty() ? 0 : int(picture[0].size());
        level->maxMistakes = maxMistakes;
        level->createTilesTab();
        for (int r = 0; r < level->rows; ++r)
            for (int c = 0; c < level->cols; ++c) {
                TTile* t = level->at(r, c);
                t->setTileData(picture[size_t(r)][size_t(c)] == '#' ? pictureData : emptyData);
                t->setTileHideData(cover);
            }
        level->createNumbers();
        mainGame.setLevel(level);
        // The profile's level start.
        mainGame.mnoznik = 1.0f;
        level->score = 0;
        mainGame.restartWorek();
        profile->mistakes = profile->kamienieWWorku = 0;
        return *level;
    }

    TTile& cell(int r, int c) { return *level->at(r, c); }

    void start() { mainGame.prepare(); }

    // One frame of the loop; the state after it goes to the trace when it changed.
    bool frame() {
        now += 17;  // about 60 frames a second
        const bool goesOn = mainGame.frame();
        if (stateTrace.empty() || stateTrace.back() != mainGame.state) stateTrace.push_back(mainGame.state);
        return goesOn;
    }
    // Frames until the state is `s` (at most `cap`); true when it was reached.
    bool runUntilState(const std::string& s, int cap = 600) {
        for (int i = 0; i < cap && mainGame.state != s; ++i)
            if (!frame()) break;
        return mainGame.state == s;
    }
    int runFrames(int n) {
        int i = 0;
        for (; i < n; ++i)
            if (!frame()) return i + 1;
        return i;
    }
    // Frames until the loop ends; the number of frames it took, or -1 past the cap.
    int runToEnd(int cap = 2000) {
        for (int i = 0; i < cap; ++i)
            if (!frame()) return i + 1;
        return -1;
    }

    // Mouse scripting: move, press, hold and release a button across frames.
    void moveTo(float x, float y) { InjectMouseMove(x, y); }
    void moveTo(const TTile& t) { InjectMouseMove(t.x(), t.y()); }
    void press(int button) { InjectMouseButton(button, true); }
    void release(int button) { InjectMouseButton(button, false); }
    // A drag with `button` from one tile to another, one frame per step, then the release.
    void drag(const TTile& from, const TTile& to, int button = 1) {
        moveTo(from);
        press(button);
        frame();
        moveTo(to);
        frame();
        release(button);
        frame();
    }
    void click(const TTile& t, int button = 1) { drag(t, t, button); }
};

}  // namespace playtest
