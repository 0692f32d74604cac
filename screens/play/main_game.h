#pragma once
// The nonogram play screen: one level from its fly-in to its win or loss. It drives the
// board (TLevel, TTile) each frame, turns the mouse into tools and drag lines, keeps the
// score, multiplier, chest and bag, and draws the panel around the board. The board and
// the effects reach it through TPlayLink (game/board/links.h), which it implements.
//
//   start-up:   installPlayScreen();          // links, the router's "MAIN-GAME", the world
//   loading:    mainGame.setup();
//   profile:    mainGame.setLevel(level);     // through the profile's world
//   router:     mainGame.mainLoop();          // returns the next place name
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/ekran.h"
#include "effects/list.h"
#include "game/board/links.h"
#include "gui/core/dim.h"
#include "platform/graphics.h"

class TLevel;
class TTile;
class TProfile;
class TButton;
class TMainGame;
struct TLevelData;
struct TParticle;
struct TMiecz;
class TSpecialTip;
class TLevelInProgress;

// What the play screen opens over itself or asks of screens that are not its own. Each
// has a thin stand-in (screens/play/play_overlays.cpp) until the real screen replaces it.
struct TPlayHooks {
    // The win overlay; "EXIT_FULL" ends the loop at once, anything else as well after it.
    std::function<std::string(TMainGame&)> winScreen;
    // The lose overlay: "RESTART", "MAPA" or "MAIN-MENU" (anything else opens it again).
    std::function<std::string(TMainGame&)> loseScreen;
    // The in-game menu: "", "RESTART", "MAPA" or "MAIN-MENU".
    std::function<std::string(TMainGame&)> menu;
    // All game data to disk when a loop ends.
    std::function<void()> saveGameData;
    // The play log record (1 won, 0 lost, -1 left to the menu, -2 left to the map).
    std::function<void(int)> log;
    // The map forgets its newly reached stage.
    std::function<void()> mapClearNewStage;
    // Tutorial steps over this screen; `main` selects the tutorial level's main step.
    std::function<void(TMainGame&, bool main)> tutorialUpdate;
    std::function<void(TMainGame&)> tutorialDraw;
    std::function<void()> tutorialDropTip;
    std::function<void()> storyMapsSetup;
    // The stage background's path under bDir for a stage ("" for none).
    std::function<std::string(int stage)> backgroundUrl;
};
TPlayHooks& playHooks();
// Stand-ins for every hook (what installPlayScreen leaves in place).
void resetPlayHooks();

class TMainGame : public TEkran, public TPlayLink {
public:
    TMainGame();
    ~TMainGame() override;

    // ---- resources (setup) --------------------------------------------------------------
    TImage panel;
    std::string holding;
    std::array<TImage, 2> chest{};
    TImage chestCover;
    TImage worek;
    TImage worekPoint;
    TImage klepsydra;
    TImage gwiazda;
    int32_t lastMove_ = 0;
    TImage shellOver;
    int32_t overHint = 0;
    std::array<TImage, 3> rekaImg{};
    std::array<TImage, 3> hakImg{};
    int32_t hakOver = 0;
    int32_t handOver = 0;
    int32_t lastHand = 0;
    float gridA = 0;
    float dGridA = 0;
    std::array<TImage, 5> gridImg{};
    std::array<int32_t, 6> maxCzasPowerUpow{};
    int32_t useMedalionN = 0, useMieczN = 0, useOkoN = 0, useCzaszkaN = 0, useMapaN = 0;
    int32_t useHintsN = 0, allLivingsN = 0, useLivingsN = 0;
    TImage hintAnim;
    std::array<float, 4> hintT{};
    std::array<float, 4> dhintT{};
    std::array<std::shared_ptr<TDim>, 4> animDim{};
    std::array<int32_t, 4> hintUsed{};
    TImageFont timeFont, dimFont, scoreFont, hintFont, mistFont, levelFont, mnoznikFont;
    std::array<TImageFont, 5> numFont{};
    std::shared_ptr<TLevel> levelPtr;  // the level being played (shared with the profile)
    std::shared_ptr<TLevelData> levelData;
    int32_t gameTime = 0;
    std::array<int32_t, 5> powerUpUse{};
    std::array<std::shared_ptr<TDim>, 8> chestDim{};
    int32_t maxKamieni = 3;
    float worekAdY = 0;
    float dWorekAdY = 0;
    std::array<TImage, 7> chestFallImg{};
    int32_t efektTime = 0;
    std::string state;
    TTile* overTile_ = nullptr;
    TTile* clickedTile = nullptr;
    TTile* toDraw = nullptr;
    std::vector<TTile*> tilesyHolded;
    TTile* startTile_ = nullptr;
    int32_t hand_ = 0;
    float mnoznik = 1.0f;
    std::string wynik;
    std::string txtDim, txtX, txtHints, txtMist;
    TTile* lastHoldedTile = nullptr;
    TTile* firstHoldedTile = nullptr;
    // The score of the level at its completion (what the profile recorded).
    int32_t recordedScore = -1;
    int32_t recordedTime = -1;

    // ---- TPlayLink ------------------------------------------------------------------------
    TLevel* level() override { return levelPtr.get(); }
    int hand() override { return hand_; }
    TTile* overTile() override { return overTile_; }
    TTile* startTile() override { return startTile_; }
    TImageFont numberFont(int i) override;
    int lastMove() override { return lastMove_; }
    void setLastMove(int wrong) override { lastMove_ = wrong; }
    void addLivingUsed() override { ++useLivingsN; }
    void addScore(int points, float x, float y) override;
    void wyslijKamien(TTile& tile) override;
    void showTipToBroke(TTile& tile) override;
    void showTipToUncover(TTile& tile) override;
    void uszkodzSkrzynie() override;
    void checkWorek() override;
    bool bonusPosition(int n, float& x, float& y) override;
    float getWorekY() override;
    void enableBonus(int n) override;

    // ---- set-up -------------------------------------------------------------------------
    int setup() override;
    int _setupTxt();
    int _setupGUI();
    int _setupTools();
    int _setupDims();
    int _setupFonts();

    // ---- level start, states and loop ---------------------------------------------------
    int setLevel(const std::shared_ptr<TLevel>& level);
    int setState(const std::string& name);
    std::string mainLoop();
    // One pass of the loop body after the clear: update, draw, flip, layout, keys. True
    // while the loop goes on.
    bool frame();
    bool loopDone() const;
    int prepare();
    int _prepareSelf();
    int _prepareChest() { return 0; }
    int _prepareFlyingTiles();
    int _prepareBegin_2();
    int update() override;
    int _updateState();
    int _update_state_BEGIN();
    int _update_state_BEGIN_FLY();
    int _update_state_NORMAL();
    int _update_state_WIN_1();
    int _update_state_WIN() { return 0; }
    int _update_state_LOSE();
    int _updateFlyingTiles();
    int _updateCaptions();
    int _updateTime();
    int _updateLevelPassive();
    int WIN();
    int LOSE();
    int _controlGUI();
    int _controlKeyBoard();
    int goMenu();
    int goSkipTutorial();
    int finish();
    int PauseMyGame() override;
    int ResumeMyGame() override;

    // ---- moves --------------------------------------------------------------------------
    int setHand(int n);
    int setProperHand();
    int _updateHandPick();
    int _updateHand();
    int _updateTilesPlay();
    int holdOn(TTile* t);
    int holdOffLeft();
    int holdOffRight();
    int getOverUp();
    int getOverLeft();
    std::shared_ptr<TDim> biggerDim(const TDim& d);
    int mouseBubbles();

    // ---- score, chest, bag, creatures ---------------------------------------------------
    int addMultiplier(float amount);
    int kamieniWWorkuNieDosc();
    int restartWorek();
    int checkLivings();
    int _updateWorek();
    int _updateLivings();
    int _updateEfekty();
    float getChestFrame();
    std::string getScoreString();
    std::string getTimeString(int seconds);
    std::string getMnoznikString();

    // ---- hints and power-ups (their own rules plug in here) -----------------------------
    int _prepareHints();
    int _updateHints();
    int useHint(int n);
    int canBeHint();
    int getFreeHintDimNumber();
    TDim getFreeHintDim();
    // Picture / empty cells nobody has acted on, row by row.
    std::vector<std::shared_ptr<TTile>> getTilesList();
    std::vector<std::shared_ptr<TTile>> getXList();
    std::vector<std::shared_ptr<TTile>> getRandomTilesList(int n);
    std::shared_ptr<TTile> getRandomTileFromList(const std::vector<std::shared_ptr<TTile>>& list);
    int addRandomTile(std::vector<std::shared_ptr<TTile>>& to, std::vector<std::shared_ptr<TTile>>& from);
    int resetBonus();
    int useMiecz();
    int useMedalion();
    int useOko(TTile& t);
    int useMapa(TTile& t);
    int useCzaha(TTile& t);
    int _update_BONUS_oko();
    int _update_BONUS_mapa();
    int _update_BONUS_czaszka();
    int _updateArmedBonus(int (TMainGame::*use)(TTile&));
    int _updateGUI();
    int _updateMiecz();
    int _updatePowerUpStan();
    int _preparePowerUpStan(int quiet);
    int useBonus(int n);
    // The profile's unlock flag of power-up i (0 sword .. 5 bag).
    int isBonusAvailable(int i);
    // 1 while the icon of power-up i flies back to its button.
    int isBonusFlying(int i);
    int _updateSpecialTip();

    // ---- drawing ------------------------------------------------------------------------
    int draw() override;
    int _drawGuiTxt(const std::string& text, float x, float y, int r, int g, int b, float a);
    int _drawSpecArrow(float x1, float y1, float x2, float y2, float cx, float cy, const TRGB& colour);
    int _drawBack();
    int _drawGrid();
    int _drawLevel();
    int _drawFlyingTiles();
    int _drawHoldedTiles();
    int _drawSkipBack();
    int _drawPanel();
    int _drawFlyingTresures();
    int _drawHints();
    int _drawChestBack();
    int _drawChestFront();
    int _drawTime();
    int _drawCover();
    int _drawMistakes();
    int _drawWorek();
    int _drawScore();
    int _drawMiecz();
    int _drawLivings();
    int _drawLivings2();
    int _drawCaptions();
    int _drawSpecialTip();
    int _drawDebugData();
    int _updateBack();
    int _updateGridAlpha();

    // The current profile, or a stand-in that keeps the rules working without one.
    TProfile& prof();
    std::shared_ptr<TButton> bonusButton(int n);

    fx::List<TParticle> particleSkarbu;
    // The sword while it acts.
    std::shared_ptr<TMiecz> miecz;
    // The tip bubble on show, if any.
    std::shared_ptr<TSpecialTip> specialTip;

private:
    std::shared_ptr<TProfile> standInProfile_;
};

extern TMainGame mainGame;

// The play screen joins the program: it becomes the board's play link, the sound service
// becomes the board's services link and the router's "MAIN-GAME" runs its loop (a stand-in
// says so while no level has been handed over).
void installPlayScreen();
// The profile's world becomes the progressions' world (TFlowWorld) with the play screen:
// nonogram levels are loaded for it and handed to it, its counters travel with the profile.
// Installing it switches the real progression on wherever the progressions are loaded.
void installPlayWorld();
// Everything the play screen draws with: the tile and treasure sets, the clue digits, the
// board's effects and the screen's own resources (run once, before the first level).
int setupPlayScreen();
// A nonogram level in progress that the profile keeps and the play screen can take.
std::shared_ptr<TLevelInProgress> playLevelInProgress(std::shared_ptr<TLevel> level);
// True while a level with cells has been handed to the play screen.
bool playScreenHasLevel();
// The award rules read the multiplier, the bag's capacity and the level's chest allowance
// of the level just played from the play screen.
void installPlayAwardSource();
// The creatures pay through the play screen.
void installPlayLivingHost();
// The screen back to a freshly made one (every field at its start value, no resources)
// and the hooks to their stand-ins: for tests.
void resetMainGame();
