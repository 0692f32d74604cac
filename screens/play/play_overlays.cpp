// The play screen's hooks into screens it does not own, their thin stand-ins (a plain
// choice box over the board for the win, lose and in-game menu overlays), the floating
// captions' step, and the installation of the screen into the program.
#include <algorithm>
#include <vector>

#include "app/app_globals.h"
#include "app/frame.h"
#include "app/loading/loading_screen.h"
#include "app/profile/profile.h"
#include "app/profile/profile_world.h"
#include "app/router.h"
#include "app/sound.h"
#include "effects/effects.h"
#include "game/awards/awards.h"
#include "game/board/level.h"
#include "game/board/number.h"
#include "game/flow/level_manager.h"
#include "game/level/level_in_progress.h"
#include "game/level/sets.h"
#include "gui/frame/mouse.h"
#include "platform/input.h"
#include "platform/strings.h"
#include "platform/system.h"
#include "screens/map/map_world.h"
#include "screens/play/main_game.h"
#include "screens/play/play_log.h"
#include "screens/play/play_overlay.h"
#include "screens/play/special_tip.h"

namespace {

constexpr int kKeyEscape = 27;
constexpr int kKeyEnter = 13;

TPlayHooks gHooks;
// The play screen's resources are loaded once per process.
bool gSetUp = false;

// True once everything the first level needs is in memory, whether the loading screen
// or setupPlayScreen brought it: loading it again at the first level would be a hitch.
bool playResourcesLoaded() {
    if (gSetUp) return true;
    static const char* const kSteps[] = {"mainGame.setup", "setupParticles", "setupKamienie",
                                         "setupFlyingBonus", "setupCaptions", "setupNumbers",
                                         "loadTiles", "loadTresures", "setupFlyingMiecz",
                                         "setupLivings", "setupPlates"};
    const auto& done = loadingScreen.done;
    for (const char* step : kSteps)
        if (std::find(done.begin(), done.end(), step) == done.end()) return false;
    return true;
}

// Picks one of the choices with the mouse (or Enter for the first, Esc for `escape`).
class TChoiceOverlay {
public:
    TChoiceOverlay(std::string title, std::vector<TPlayChoice> choices, std::string escape)
        : title_(std::move(title)), choices_(std::move(choices)), escape_(std::move(escape)) {}

    std::string run(TEkran& behind) {
        mouse.clear();
        FlushKeys();
        for (;;) {
            Cls();
            _updateSystem(0);
            behind.draw();
            const std::string picked = playChoiceStep(title_, choices_);
            myFlip(1, &behind);
            if (!picked.empty()) return finish(picked);
            if (KeyHit(kKeyEnter) && !choices_.empty()) return finish(choices_.front().result);
            if (!escape_.empty() && KeyHit(kKeyEscape)) return finish(escape_ == "-" ? "" : escape_);
        }
    }

private:
    std::string finish(const std::string& r) {
        mouse.clear();
        FlushKeys();
        return r;
    }
    std::string title_;
    std::vector<TPlayChoice> choices_;
    std::string escape_;
};

std::string winStandIn(TMainGame& g) {
    TChoiceOverlay("Level completed!", {{"Continue", "CONTINUE"}}, "").run(g);
    return "";
}

std::string loseStandIn(TMainGame& g) {
    return TChoiceOverlay("The chest is broken!",
                          {{"Try again", "RESTART"}, {"Sea map", "MAPA"}, {"Main menu", "MAIN-MENU"}}, "")
        .run(g);
}

std::string menuStandIn(TMainGame& g) {
    const std::string r = TChoiceOverlay("Menu",
                                         {{"Back to the game", "BACK"}, {"Restart level", "RESTART"},
                                          {"Sea map", "MAPA"}, {"Main menu", "MAIN-MENU"}},
                                         "-")
                              .run(g);
    return r == "BACK" ? std::string() : r;
}

// The sound service and the developer switch, as the board asks for them.
class TSoundServices : public TServicesLink {
public:
    void playMySound(const std::string& name) override { globalSnd.playMySound(name); }
    void playMyMusic(const std::string& name) override { globalSnd.playMyMusic(name); }
    void playLevelMusic() override { globalSnd.playLevelMusic(); }
    void playCoins() override { globalSnd.playCoins(); }
    int cheats() override { return ::cheats; }
};

// The program's world as far as the play screen goes: nonogram levels are handed to it and
// its counters travel with the profile.
class TPlayWorld : public TMapWorld {
public:
    std::shared_ptr<TLevelInProgress> loadLevel(const std::string& gameType, const std::string& path,
                                                int32_t fresh) override {
        // A nonogram level file names its tiles by the sets: they are loaded before the first.
        if (str::upper(gameType) == "MAIN-GAME" && !playResourcesLoaded()) setupPlayScreen();
        return TMapWorld::loadLevel(gameType, path, fresh);
    }
    void playSetLevel(const std::shared_ptr<TLevelInProgress>& level) override {
        auto own = std::dynamic_pointer_cast<TNonogramInProgress>(level);
        if (!own || !own->level) return;
        // The profile hands its counters over first (zeros for a fresh level): a resumed
        // level keeps the uses it had, which taking the level alone would clear.
        TPlayCounters kept;
        playGetCounters(kept);
        mainGame.setLevel(own->level);
        playSetCounters(kept);
    }
    void playStartLevel() override {
        mainGame.mnoznik = 1.0f;
        if (mainGame.level()) mainGame.level()->score = 0;
        mainGame.restartWorek();
    }
    int32_t powerUpRechargeMs(int32_t n) override {
        if (n < 1 || n > 6) return 0;
        return mainGame.maxCzasPowerUpow[size_t(n - 1)];
    }
    void playSetCounters(const TPlayCounters& c) override {
        mainGame.useMedalionN = c.useMedalionN;
        mainGame.useMieczN = c.useMieczN;
        mainGame.useOkoN = c.useOkoN;
        mainGame.useCzaszkaN = c.useCzaszkaN;
        mainGame.useMapaN = c.useMapaN;
        mainGame.useHintsN = c.useHintsN;
        mainGame.allLivingsN = c.allLivingsN;
        mainGame.useLivingsN = c.useLivingsN;
        for (size_t i = 0; i < 4; ++i) mainGame.hintUsed[i] = c.hintUsed[i];
        for (size_t i = 0; i < 5; ++i) mainGame.powerUpUse[i] = c.powerUpUse[i];
        mainGame.mnoznik = c.mnoznik;
    }
    bool playGetCounters(TPlayCounters& c) override {
        c.useMedalionN = mainGame.useMedalionN;
        c.useMieczN = mainGame.useMieczN;
        c.useOkoN = mainGame.useOkoN;
        c.useCzaszkaN = mainGame.useCzaszkaN;
        c.useMapaN = mainGame.useMapaN;
        c.useHintsN = mainGame.useHintsN;
        c.allLivingsN = mainGame.allLivingsN;
        c.useLivingsN = mainGame.useLivingsN;
        for (size_t i = 0; i < 4; ++i) c.hintUsed[i] = mainGame.hintUsed[i];
        for (size_t i = 0; i < 5; ++i) c.powerUpUse[i] = mainGame.powerUpUse[i];
        c.mnoznik = mainGame.mnoznik;
        return true;
    }
};

TSoundServices gSoundServices;
TPlayWorld gPlayWorld;

}  // namespace

TPlayHooks& playHooks() { return gHooks; }

void resetPlayHooks() {
    gHooks = TPlayHooks{};
    gHooks.winScreen = winStandIn;
    gHooks.loseScreen = loseStandIn;
    gHooks.menu = menuStandIn;
    gHooks.saveGameData = [] { saveGameDatas(); };
    // The play log: switched off, so no records.
    gHooks.log = [](int result) { createLog(result); };
    gHooks.mapClearNewStage = [] { profileWorld().mapSetNewStage(0); };
    gHooks.backgroundUrl = [](int stage) { return levelManager.getBackgroundUrl(stage); };
}

namespace {
struct HookInit {
    HookInit() { resetPlayHooks(); }
} gHookInit;
}  // namespace

std::shared_ptr<TLevelInProgress> playLevelInProgress(std::shared_ptr<TLevel> level) {
    return std::make_shared<TNonogramInProgress>(std::move(level));
}

int setupPlayScreen() {
    gSetUp = true;
    loadTiles();
    loadTilesHide();
    loadTilesOver();
    loadTresures();
    setupNumbers();
    setupBoardEffects();
    setupCaptions();
    setupFlyingMiecz();
    setupLivings();
    setupPlates();
    installEffects();
    mainGame.setup();
    return 0;
}

bool playScreenHasLevel() {
    const TLevel* l = mainGame.level();
    return l && l->rows > 0 && l->cols > 0;
}

void installPlayWorld() { setProfileWorld(&gPlayWorld); }

void installPlayAwardSource() {
    setAwardPlaySource([] {
        TAwardPlayState s;
        s.mnoznik = mainGame.mnoznik;
        s.maxKamieni = mainGame.maxKamieni;
        s.maxMistakes = mainGame.level() ? mainGame.level()->maxMistakes : 0;
        return s;
    });
}

void installPlayScreen() {
    setPlayLink(&mainGame);
    installPlayAwardSource();
    installPlayLivingHost();
    gameDataSavers().log = [] { saveLog(); };
    // The effects stand behind the board from the start, not only once a level loads.
    installEffects();
    setServicesLink(&gSoundServices);
    control::bind("MAIN-GAME", [] {
        if (playScreenHasLevel()) {
            if (!playResourcesLoaded()) setupPlayScreen();
            return mainGame.mainLoop();
        }
        // No level was handed over (its file could not be read): say so and go back to the
        // menu rather than play an empty board, which would count as won.
        Notify("The level could not be read: back to the main menu.");
        return std::string("MAIN-MENU");
    });
}

void resetMainGame() {
    gSetUp = false;
    resetSpecialTip();
    mainGame.~TMainGame();
    new (&mainGame) TMainGame();
    resetPlayHooks();
}

// ---- captions -------------------------------------------------------------------------------

int TMainGame::_updateCaptions() {
    ::_updateCaptions(nullptr);
    return 0;
}
