#pragma once
// The title screen, first place of the router: sky, beams, a logo that drops in and
// bounces, four buttons sliding in from the right one after another, the greeting with the
// player's name, and sparks. Play leads to the continue-or-new overlay or straight to the
// casual-or-hard choice; the others open options, awards, the profile panel, or quit.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/ekran.h"
#include "effects/particles.h"
#include "gui/core/dim.h"
#include "platform/graphics.h"
#include "screens/menu/beam.h"

class TMainMenu : public TEkran {
public:
    static constexpr int kSlides = 4;  // the buttons that slide in

    TImage logo;
    std::array<TImage, 2> cloud{};
    TImage back;
    std::vector<std::shared_ptr<TBeam>> beamsList;
    TParticleList sparks;
    int32_t sparkTime = 0;
    std::array<std::shared_ptr<TDim>, 3> sparkDim{};
    std::string wynik;  // the next place; hides the base field
    std::string txtHello, txtHello1, txtHello2, txtManager;
    std::string txtAreYouSure1, txtAreYouSure2;
    float light = 0, dLight = 0;
    float manX = 370, manY = 740;
    TImageFont font;
    float skyA = 0, dSkyA = 0;
    float jump = 0, jumpH = 0, jSpeed = 0;
    float jumpPer = 0, dJumpPer = 0;
    int32_t logoStart = 0;
    std::array<float, kSlides> guiPer{};
    std::array<float, kSlides> dGuiPer{};
    bool loaded = false;  // setup has run

    // A panel opened over the title screen covers its buttons: while one stands, the buttons
    // give way with the panel's own fade, so that none shows beside or through it. Each
    // cover tells how far its panel stands (0..1); the buttons show by what the most shown
    // one leaves. Covers nest (a question asked from a panel keeps the buttons away).
    class Cover {
    public:
        Cover(TMainMenu& menu, std::function<float()> shown);
        ~Cover();
        Cover(const Cover&) = delete;
        Cover& operator=(const Cover&) = delete;

    private:
        TMainMenu& menu_;
    };
    std::vector<std::function<float()>> covers;
    // 1 with nothing over the title, 0 under a fully shown panel.
    float buttonsShown() const;

    int setup() override;
    int draw() override;
    int update() override;
    virtual int _updateGUI();
    virtual int _drawSky();
    virtual int _drawBack2();
    virtual int _drawBeams();
    virtual int _drawLogo();
    virtual int _drawManager();
    virtual int _updateJump();
    virtual int _updateEfekty();
    virtual int _updateLight();
    virtual int _updateSky();
    virtual int cutJump();
    virtual int _prepareManagerButton();
    virtual int _prepareLogoJump();
    virtual int prepare();
    virtual std::string mainLoop();
    virtual int _controlGUI();
    virtual int goUsers();
    virtual int goExit();
    virtual int goSettings();
    virtual int goAwards();
    virtual int goPlay();

    // The overlays goPlay opens (the continue-or-new overlay and the casual-or-hard choice);
    // separate so that the routing can be followed on its own.
    virtual std::string askContinue();
    virtual std::string askFlow();
    virtual std::string continueGame();

    // x of the k-th button at slide progress per: 735 at rest, 1285 off the right edge.
    static float slideX(float per);
    // The greeting's box in the greeting font: left, top, width, height.
    void managerRect(int& x, int& y, int& w, int& h) const;
};

extern TMainMenu mainMenu;

// What the title screen opens that later work provides: the award gallery and the
// high-score table (developer switch, key H). Empty hooks do nothing.
struct TMenuHooks {
    std::function<void(TEkran& caller)> awards;
    std::function<void(TEkran& caller)> highscores;
};
TMenuHooks& menuHooks();

// A freshly made title screen and no hooks: for tests.
void resetMainMenu();
