// The play screen's CPU cost per frame with a 25 x 25 board on the headless (recording)
// backend: update, draw and flip of one frame in the state "NORMAL", the pointer on the
// board and a line held. Measured, never asserted.
#include <benchmark/benchmark.h>

#include <memory>

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
#include "gui/frame/letterbox.h"
#include "gui/frame/mouse.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/system.h"
#include "screens/play/main_game.h"

namespace {

TImage square(int px) {
    Pixmap pm;
    pm.width = pm.height = px;
    pm.pixels.assign(size_t(px) * size_t(px), 0xFFFFFFFFu);
    TImage img = CreateImageFromPixmap(pm);
    MidHandleImage(img);
    return img;
}

std::shared_ptr<TLevel> makeBoard(int side) {
    auto empty = std::make_shared<TTileData>();
    empty->id = 0;
    empty->frames = empty->brokeFrames = 1;
    auto picture = std::make_shared<TTileData>();
    picture->id = 1;
    picture->frames = picture->brokeFrames = 1;
    for (int s = 0; s < kTileSizeClasses; ++s) {
        empty->gfx[size_t(s)] = square(20);
        picture->gfx[size_t(s)] = square(20);
    }
    auto cover = std::make_shared<TTileHideGFX>();
    cover->id = 1;
    cover->hideFrames = 10;
    tilesList = {empty, picture};
    tilesHideList = {cover};
    for (int s = 0; s < kTileSizeClasses; ++s)
        for (int d = 0; d < 10; ++d) TNumber::num[size_t(s)][size_t(d)] = square(12);
    auto level = std::make_shared<TLevel>();
    level->rows = level->cols = side;
    level->size = 4;
    level->maxMistakes = 5;
    level->createTilesTab();
    for (int r = 0; r < side; ++r)
        for (int c = 0; c < side; ++c) {
            TTile* t = level->at(r, c);
            t->setTileData(((r * 7 + c * 3) % 5) < 2 ? picture : empty);
            t->setTileHideData(cover);
        }
    level->createNumbers();
    return level;
}

void BM_PlayFrame25x25(benchmark::State& state) {
    InitPlatform(true);
    Graphics(1024, 768);
    SetAspectResolution(1024, 768, 3);
    ResetGraphicsState();
    int32_t now = 1000;
    SetClockSource([&] { return now; });
    resetEffects();
    resetMainGame();
    auto profile = std::make_shared<TProfile>();
    profile->numerStageu = 10;
    profileManager.profile = profile;
    setPlayLink(&mainGame);
    mainGame.Gui = createGui();
    mainGame._setupDims();
    TImageFont font = CreateFixedFont(9, 16);
    mainGame.timeFont = mainGame.dimFont = mainGame.scoreFont = mainGame.hintFont = font;
    mainGame.mistFont = mainGame.levelFont = mainGame.mnoznikFont = font;
    for (auto& f : mainGame.numFont) f = font;
    for (auto& g : mainGame.gridImg) g = square(20);
    auto level = makeBoard(25);
    mainGame.setLevel(level);
    playHooks().saveGameData = [] {};
    mainGame.prepare();
    // Past the fade and the fly-in.
    for (int i = 0; i < 400 && mainGame.state != "NORMAL"; ++i) {
        now += 17;
        mainGame.frame();
    }
    TTile* a = level->at(12, 2);
    TTile* b = level->at(12, 20);
    InjectMouseMove(a->x(), a->y());
    InjectMouseButton(1, true);
    now += 17;
    mainGame.frame();
    InjectMouseMove(b->x(), b->y());
    for (auto _ : state) {
        now += 17;
        ClearRecordedDraws();
        mainGame.frame();
    }
    state.counters["draws"] = double(RecordedDraws().size());
    InjectMouseButton(1, false);
    setPlayLink(nullptr);
    profileManager.profile.reset();
    resetMainGame();
    resetEffects();
    SetClockSource(nullptr);
}
BENCHMARK(BM_PlayFrame25x25)->Unit(benchmark::kMicrosecond);

}  // namespace
