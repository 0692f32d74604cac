#pragma once
// The block puzzle screen: a chest rises, a paper rail with the blocks slides in, and the
// player picks, drags or carries, turns and drops the blocks until the chest's field is
// full; then the field fades, the lid flies off and the found object grows out of the
// chest. There is no way to lose; the skip box in the top panel charges for 90 s and then
// wins the level at a press, like a solved one.
//
// Input in play: a press picks the block under the cursor. Held past 250 ms it is dragged
// and the release drops it; released sooner it is carried, and the next press drops it
// 100 ms later unless a second press in those 100 ms turns it instead. The right button,
// Space, the wheel and the arrow keys turn the held block. With the developer switch, W
// wins at once and a held D shows the board's links.
//
//   start-up:  installPuzzleExpress();   // router place, loading steps, profile, menu
//   loading:   puzzleExpress.setup();    // first part (after it the notice's set-up)
//   profile:   puzzleExpress.setLevel(level);  router: puzzleExpress.mainLoop()
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/ekran.h"
#include "gui/core/dim.h"
#include "minigames/puzzle_express/pe_level.h"
#include "platform/graphics.h"

struct TPlayLog;

class TPuzzleExpress : public TEkran {
public:
    TPuzzleExpress() { id = "PUZZLE-EXPRESS"; }

    TImage panel;       // loaded, not drawn
    TImage chest;       // frames the field; the field's centre is its top-left + (252, 200)
    TImage chestCover;  // the lid, handle (-42, -48)
    TImage listwa;      // the paper rail the loose blocks lie on
    TImage skipFront, skipBack;  // loaded, not drawn
    TImage skip;        // not drawn: its size is the skip box's hot zone
    float skipA = 0, dSkipA = 0;
    std::string wynik;  // the screen's own result (the base's is not used)
    std::vector<std::shared_ptr<TDim>> points;  // development markers
    int statOdlozone = 0;  // drops that did not place the block
    int statWlozone = 0;   // drops that placed it
    int skipedPuzzle = 0;  // never set: a skip counts as a solved level
    float objA = 0, dObjA = 0;  // the found object's growth
    std::string levelTitle;
    TImageFont titleFont;
    std::shared_ptr<TPELevel> level;
    std::string state;
    float listwaX = 0, listwaY = 0;
    float lp = 0;  // the rail's slide-in
    std::shared_ptr<TBlock> overBlock;
    std::shared_ptr<TBlock> clickedBlock;
    int clickTime = 0;
    int doubleClick = 0;
    float maxTimeSkip = 90000;
    int skipTime = 0;  // the skip charge started (ms clock)
    float coverP = 0, dCoverP = 0;  // the lid's flight
    int time = 0;  // the level's play time next gains a second (ms clock)
    TImageFont font;  // the skip caption (the other block game writes its caption with it too)
    int holded = 0;    // the held block is dragged
    int holdTime = 0;
    std::string txtSkip;
    int mouseClick = 0;  // a press on the held block waits to become a drop or a turn
    bool loaded = false;

    // The pick counters live where the board counts them.
    int& statPicked() { return pePlay().statPicked; }
    int& statWyjete() { return pePlay().statWyjete; }

    int setup() override;
    int _drawGui() override;
    int draw() override;
    int update() override;
    virtual int _setupGUI();
    virtual int _setupTiles();
    virtual int _setupBlocks();
    virtual int _setupTeksty();
    virtual int setLevel(const std::shared_ptr<TPELevel>& l);
    virtual int setState(const std::string& s);
    virtual int _drawBack();
    virtual int _drawSpecChestCover();
    virtual int _drawChest();
    virtual int _drawPuzzles();
    virtual int _drawSkip();
    virtual int _drawPoints();
    virtual int __update_state_Begin();
    virtual int __update_state_begin2();
    virtual int __update_state_normal_game();
    virtual int __update_state_WIN();
    virtual int __update_state_WIN2();
    virtual int __update_state_WIN3();
    virtual int _updateState();
    virtual int _updateLevel();
    virtual int _updateHint();
    virtual int _updateTime();
    virtual int _updateObjAlpha();
    virtual int checkIfWin();
    virtual int WIN();
    virtual int useClick(const std::shared_ptr<TBlock>& block);
    virtual int checkBlockPut(const std::shared_ptr<TBlock>& block);
    virtual std::string getLevelTitle();
    virtual int _prepareSelf();
    virtual int _prepareLevel();
    virtual int prepare();
    virtual std::string mainLoop();
    // One frame of the loop after prepare; false once the fade to black has ended.
    bool frame();
    // The part of a frame after the picture is shown: turning, the skip, the developer
    // key, the end of the fade and the menu button.
    bool afterFlip();
    virtual int goMenu();
    virtual int rotate();
    virtual int rotate2(int direction);
    virtual int skipGame();

private:
    // The held block, also where the blocks look for it.
    void hold(const std::shared_ptr<TBlock>& block);
    // Nothing held, hovered or pending: what may point into another level.
    void letGo();
};

extern TPuzzleExpress puzzleExpress;

// The skip bar of both block games at (888, 6): the hidden-object screen's bar filled to
// `charge` (0 to 1), lit by `glow`, this screen's caption and the bar's cover.
void drawSkipBar(float charge, float glow);

// The block puzzle's columns of a play-log record.
void givePuzzleExpressLog(TPlayLog& log);

// The seams of the screen: the in-game menu (the options screen once installed), the play
// log (off: records nothing) and the found-item notice shown once the object has grown.
// Tests install scripted ones.
struct TPEHooks {
    std::function<std::string(TEkran&)> menu;
    std::function<void(int result)> log;
    std::function<void(const std::shared_ptr<TPEObj>&)> notice;
    // The tutorial over this screen: its per-frame step and its drawing.
    std::function<void(TEkran&)> tutorialUpdate;
    std::function<void(TEkran&)> tutorialDraw;
};
TPEHooks& peHooks();

// Binds "PUZZLE-EXPRESS", the loading steps (screen and notice), the profile's reader and
// the in-game menu.
void installPuzzleExpress();
// A fresh screen, notice, view and hooks (for tests).
void resetPuzzleExpress();
