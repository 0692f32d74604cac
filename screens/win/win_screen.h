#pragma once
// The level-won screen of the nonogram game. Over the play screen (behind a black veil) a
// copy of the solved picture swings together and flies to the middle, the treasures stream
// to the summary while the level score counts up, the award rules run with one panel per
// award, and a click fades to black. It also books the level into the player's totals.
//
//   start-up:   installWinScreen();      // the play screen's win overlay runs winScreen
//   loading:    winScreen.setup();
//   play:       winScreen.mainLoop();    // "" or, after the stage 1 level 4 story, "EXIT_FULL"
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/ekran.h"
#include "gui/core/dim.h"
#include "platform/graphics.h"

class TAwardRecord;
class TLevel;
class TProfile;
struct TTileData;
class TWinScreen;

// One cell of the picture copy: it sweeps about the copy's centre (angle and distance
// interpolated) from where the board drew it to its place in a compact grid.
class TTileCopy {
public:
    virtual ~TTileCopy() = default;

    std::shared_ptr<TTileData> td;
    TImage img;                 // null for a cell that shows nothing
    std::shared_ptr<TDim> dim;  // current position
    int frame = 0;
    float odl = 0;              // distance from the centre, before scaling
    float kat = 0;              // polar angle about the centre, degrees
    float a = 1;                // own opacity
    float da = 1;               // its target: 1 picture cell, 0 any other
    float dcx = 0, dcy = 0;     // place in the final grid
    float dRot = 0;             // angle of that place
    float dOdl = 0;             // distance of that place
    float stOdl = 0;            // start distance
    float stRot = 0;            // start angle
    float per = 0;              // progress of the swing
    int setted = 0;

    virtual int setMe();
    // Straight to the target place (the progress stays).
    virtual int setReady();
    // The three angles into 0..360.
    virtual int checkRot();
    virtual int drawRot(float x, float y);
    virtual int update();
};

// The copy of the solved picture: a rows x cols grid of cell copies about (xo, yo).
class TCopyTab {
public:
    virtual ~TCopyTab() = default;

    float xo = 0, yo = 0;
    std::vector<std::shared_ptr<TTileCopy>> tile;  // row-major, rows x cols
    float gs = 1;
    float dgs = 1;
    float alpha = 1;
    float rot = 0;
    float width = 0, height = 0;  // span of the board's cell positions
    int rows = 0, cols = 0;
    // The screen whose opacities the copy follows when drawn (the global winScreen).
    const TWinScreen* screen = nullptr;

    TTileCopy* at(int r, int c) const;
    virtual int draw();
    virtual int update();
};

// What the win screen opens or asks of screens it does not own. Empty members do nothing,
// except giveAward, whose empty default still grants the award (into the profile's list).
struct TWinHooks {
    // Grants the award (adds it to the profile) and shows its panel over the background.
    std::function<void(const std::shared_ptr<TAwardRecord>&, TEkran& background)> giveAward;
    // The award gallery over the background screen.
    std::function<void(TEkran& background)> awardGallery;
    // The story interlude after stage 1, level 4; it draws the background each frame.
    std::function<void(TEkran& background)> storyMaps;
    // Tutorial over this screen: the general update, the per-frame update, the drawing, is a
    // tip showing, and dropping the active tip.
    std::function<void(TEkran&)> tutorialUpdate;
    std::function<void(TEkran&)> tutorialUpdate2;
    std::function<void(TEkran&)> tutorialDraw;
    std::function<bool()> tutorialTipActive;
    std::function<void()> tutorialDropTip;
};
TWinHooks& winHooks();

class TWinScreen : public TEkran {
public:
    TWinScreen();

    TImage img;  // the panel, handle in its middle
    std::shared_ptr<TCopyTab> tab;
    std::string state;
    float x1 = 0, y1 = 0;
    float x2 = 403, y2 = 311;
    float mx = 0, my = 0;
    float per = 0;
    float totalX = 0;
    float fade2 = 0, dFade2 = 0;
    float endAlpha = 0, dEndAlpha = 0;
    float scoreA = 0, dScoreA = 0;
    float overA = 0, dOverA = 0;
    float showA = 1, dShowA = 1;
    TImageFont font;      // 32 px
    TImageFont font2;     // 36 px
    TImageFont nameFont;  // 26 px
    int showOver = 0;
    float totalScore = 0;
    float printScore = 0;
    int levelScore = 0;
    int maxCombo = 0;
    int mistakes = 0;
    int levelTime = 0;
    int bonusy = 0;
    float maxTresures = 1;
    std::string txtName;
    std::string txtTotalScore, txtShowStats, txtHideStats, txtLevel, txtStage, txtLevelScore,
        txtMaxCombo, txtMistakes, txtLevelTime, txtBonusy;
    // How to go on ("Click to sail on"), shown once a click would go on; and its face.
    std::string txtGoOn;
    TImageFont goOnFont;
    float gSpecAlpha = 0, dGSpecAlpha = 0;
    int awardsChecked = 0;

    int setup() override;
    int _drawGoOn();
    int draw() override;
    int _updateGui() override;
    int update() override;

    virtual int _drawBack();
    virtual int _drawLevelCopy();
    virtual int _drawPanel();
    virtual int _drawFlyingTresures();
    virtual int _drawFade2();
    virtual int _drawMyText(const std::string& text, float x, float y, const TRGB& colour, float a);
    virtual int _drawShowStatsButtons();
    virtual int _drawInfo();
    virtual int _drawStats();
    virtual int _drawLevelName();
    virtual int _update_State_BEGIN();
    virtual int _update_State_FLY();
    virtual int _update_state_NEXT();
    virtual int _updateState();
    virtual int _updateLevelCopy();
    virtual int _updateEndAlpha();
    virtual int _updateLevel();
    virtual int _updateFade2();
    virtual int _updateScoreAlpha();
    virtual int _updateShowStats();
    virtual int show_hide_stats();
    virtual int _prepareScores();
    virtual int _prepareSelf();
    virtual int _prepareTab();
    virtual int _prepareTilesCopy();
    virtual int _prepareDocelowy();
    virtual int _prepareLevel();
    virtual int prepare();
    virtual std::string mainLoop();
    virtual int goExit();
    // Opens the award gallery over this screen; 1 when it was shown.
    virtual int goAwards();
    virtual int checkAwards();
    virtual int setState(const std::string& name);
    virtual float setProperScaleForTab();

    // One pass of the loop after prepare: clear, update, draw, flip, then the clicks and the
    // end tests. False once the loop is over.
    bool frame();

    // The level being celebrated (the play screen's), or null.
    TLevel* level() const;
    // The current profile, or the play screen's stand-in.
    TProfile& prof() const;
    // x at which a text is centred on the panel's axis, in the current font.
    static float centredX(const std::string& text);
};

extern TWinScreen winScreen;

// The play screen's win overlay runs winScreen.mainLoop().
void installWinScreen();
// A fresh win screen (no resources) and empty hooks: for tests.
void resetWinScreen();
