#pragma once
// The inlay game's screen: a stone slab and its lid slide in with a triangle inlay carved
// into the lid; pieces fall at the level's pace and line up on the shelf. The player picks a
// piece (a click carries it, a held press drags it), turns it by 60 degrees (right button,
// Space or the wheel) and lets it go over the inlay, or over the anvil while the hammer is up
// to have it smashed. A full inlay fades the board, the lid flies off the found object and
// the screen fades out to "GET-NEXT-LEVEL"; a fifteenth piece on the shelf opens the lose
// screen. The skip bar charges for 90 s and then wins the level when clicked.
//
// A pause moves the next piece's deadline on by the length of the pause. With the developer
// switch, W wins at once and a held D shows the filled cells and the hover tests.
//
//   start-up:  installLayPuzzle();   // router place, loading step, profile, menu, lose text
//   loading:   layPuzzle.setup();    // first part
//   profile:   layPuzzle.setLevel(level);  router: layPuzzle.mainLoop()
#include <functional>
#include <memory>
#include <string>

#include "app/ekran.h"
#include "minigames/lay_puzzle/lp_level.h"
#include "platform/graphics.h"

struct TPlayLog;

class TLayPuzzle : public TEkran {
public:
    TLayPuzzle() { id = "LAY-PUZZLE"; }

    TImage stone;       // the slab, top-left handle
    TImage stoneCover;  // its lid, turns about its top-left corner
    TImage mlotek;      // the hammer, handle (83, 160)
    TImage kowadelko;   // the anvil, handle (20, 0)
    TImage obwodka;     // the ring over the anvil, centred
    TImage shelf;       // the plank the pieces land on
    float skipA = 0, dSkipA = 0;
    float maxTimeSkip = 90000;
    int skipTime = 0;  // the skip charge started here (ms clock)
    std::shared_ptr<TLayLevel> level;
    std::string state;
    std::string levelTitle;
    TImageFont titleFont;
    int time = 0;  // next tick of the level clock
    float lA = 0;  // the slide-in, 0 to 1
    float stoneX = 0, stoneY = 0;
    std::shared_ptr<TLayBlock> over;
    float endPer = 0;  // the lid's flight, 0 to 1
    float coverX = 0, coverY = 0;
    float x1 = 0, y1 = 0, mx = 0, my = 0, x2 = 0, y2 = 0;
    int holded = 0, holdTime = 0;
    int pauseTime = 0;
    bool loaded = false;
    bool noShapesReported = false;

    // The hammer, the held block and the statistics live where the blocks read them.
    TLayHammer& hammer() { return lpPlay().hammer; }
    std::shared_ptr<TLayBlock>& click() { return lpPlay().click; }
    int& statSpadniete() { return lpPlay().statSpadniete; }
    int& statWlozone() { return lpPlay().statWlozone; }
    int& statRozbite() { return lpPlay().statRozbite; }
    int& statUpuszczone() { return lpPlay().statUpuszczone; }

    int setup() override;
    int PauseMyGame() override;
    int ResumeMyGame() override;
    int draw() override;
    int update() override;
    virtual int _setupGUI();
    virtual int _setupTiles();
    virtual int _setupBlocks();
    virtual int _drawGUI();
    virtual int _drawBack();
    virtual int _drawStone();
    virtual int _drawSkip();
    virtual int _drawLevel();
    virtual int _drawMlotek();
    virtual int _drawPunkty();
    virtual int __update_STATE_BEGIN_1();
    virtual int __update_STATE_NORMAL();
    virtual int __update_STATE_WIN1();
    virtual int __update_STATE_WIN2();
    virtual int __update_STATE_LOSE1();
    virtual int _updateState();
    virtual int _updateLevel();
    virtual int _updateMlotek();
    virtual int _updateTime();
    virtual int _updateHint();
    virtual int kowadloOk();
    virtual int inKowadlo(float x, float y);
    virtual std::string getLevelTitle();
    virtual int _prepareSelf();
    virtual int prepare();
    virtual std::string mainLoop();
    // One frame of the loop after prepare; false once the fade to black has ended.
    bool frame();
    virtual int goMenu();
    virtual int WIN();
    virtual int LOSE();
    virtual int setState(const std::string& s);
    virtual int setLevel(const std::shared_ptr<TLayLevel>& l);

    // The skip bar: where it is drawn and where a click takes it.
    float skipCharge() const;
    bool inSkip(int x, int y) const;
};

extern TLayPuzzle layPuzzle;

// The fields of this game's play-log record.
void giveInLayPuzzleLog(TPlayLog& record);

// The seams of the screen: the in-game menu, the lose panel and the play log. Tests install
// scripted ones.
struct TLPHooks {
    std::function<std::string(TEkran&)> menu;
    std::function<std::string(TEkran&)> lose;
    std::function<void(int result)> log;
};
TLPHooks& lpHooks();

// Binds "LAY-PUZZLE", the loading step, the profile's reader, the in-game menu and the lose
// screen's message for this game.
void installLayPuzzle();
// A fresh screen, view and hooks (for tests).
void resetLayPuzzle();
