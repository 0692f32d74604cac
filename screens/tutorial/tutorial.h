#pragma once
// The tutorial engine: reads every tip of "data/tutorial.dat", picks each frame which of the
// current player's pending tips starts over the calling screen, and runs and draws the one
// active tip. Game screens reach it only through _updateTutorial, _updateTutorial2 and
// _drawTutorial; the profile holds the pending tips and saves their ids.
//
//   start-up:  installTutorial();    // hooks of the play, win and mini-game screens
//   loading:   tutorial.setup();     // again at every new game
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "app/ekran.h"
#include "app/profile/profile_types.h"
#include "platform/graphics.h"

class TQCMFile;
class TTxtFile;
class TTutorialTip;
class TLevel;

class TTutorial : public TEkran {
public:
    TTutorial() { id = "TUTORIAL"; }

    // [0] back.png (SMALL), [1] back-medium.png, [2] back-large.png, [3] back-normal.png.
    std::array<TImage, 4> back{};
    // berry.ttf at 16, 20 and 24 px.
    std::array<TImageFont, 3> font{};
    TEkran* ekr = nullptr;
    std::shared_ptr<TTutorialTip> actTip;

    // Level tips (numerLevelu not 0) and tips of no level, in file order.
    static TTipList tipsList;
    static TTipList specialTipsList;

    int setup() override;
    int draw() override;
    int update() override;

    virtual int _setupTipStandards(TTutorialTip& tip, const TQCMFile& file, int i);
    virtual int _setupTipImg(TTutorialTip& tip, const TQCMFile& file, int i);
    virtual int _setupTipFont(TTutorialTip& tip, const TQCMFile& file, int i);
    virtual int _setupTipBack(TTutorialTip& tip, const TQCMFile& file, int i);
    virtual int _setupTipPosition(TTutorialTip& tip, const TQCMFile& file, int i);
    virtual int _setupTipConditions(TTutorialTip& tip, const TQCMFile& file, int i);
    virtual int _setupTipActions(TTutorialTip& tip, const TQCMFile& file, int i);
    virtual int _setupTipEraseConditions(TTutorialTip& tip, const TQCMFile& file, int i);
    virtual std::shared_ptr<TTutorialTip> _loadExactTip(int i, const TQCMFile& file);
    virtual std::shared_ptr<TTutorialTip> _loadExactTip2(const std::string& id);
    // As update, but tips bound to a level never start.
    virtual int update2();
    // 0 while the current player still has a tip of this id pending, else 1.
    virtual int bylTutorial(const std::string& id);
    virtual int startTutorial(const std::shared_ptr<TTutorialTip>& tip);
    virtual int startTutorial(const std::string& id);
    virtual std::shared_ptr<TTutorialTip> getTipById(const std::string& id);

private:
    int run(bool levelTips);
    std::shared_ptr<TTxtFile> texts_;
};

extern TTutorial tutorial;

int _updateTutorial(TEkran& screen);
int _updateTutorial2(TEkran& screen);
int _drawTutorial(TEkran& screen);

// The level the tips read and change: the play screen's, unless a test installs its own.
TLevel* tutorialBoard();
void setTutorialBoard(std::function<TLevel*()> board);

// Why the pending tips cannot carry the player through a tutorial level (whose cells start
// locked), or "" when they can. Played out without the player: the first pending tip of the
// play screen whose start words can hold starts, its actions switch cells on and off, and it
// ends when its erase words can hold with the cells that take moves then; the level can be
// played once every cell takes moves. A start word the tutorial does not know never holds,
// nor does an erase word naming a line or cell off the board or still locked. The level's
// number and the player's voyage (flowType) are what the start words "LEVEL" and "VOYAGE"
// see. The answer completes "the tips ...".
std::string tutorialCannotRun(const TLevel& board, int levelNumber, const std::string& voyage,
                              const TTipList& pending);

// Plugs the tutorial into the play, win and mini-game screens, the profiles and the
// loading step "tutorial.setup". A tutorial level the tips cannot carry the player through
// is freed at once, as "Skip tutorial" frees it, and the player is told once.
void installTutorial();
// Empty lists, no active tip, no resources, the play screen's board (for tests).
void resetTutorial();
