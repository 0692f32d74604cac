#pragma once
// The opening film, played once before the title: two ships fight and one burns and sinks,
// the view zooms into a burning hall where a pirate and his crew appear, a torn treasure
// map shows its dotted route and is ripped in four, and the picture goes to black under
// the texts of "data/story-intro.dat". A click or Esc fades it out at any moment.
//
//   loading:  introScreen->setup();        // pictures, sounds, texts, the scene laid out
//   start-up: runIntro();                  // plays it and releases the screen
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "app/ekran.h"
#include "effects/list.h"
#include "effects/particles.h"
#include "gui/core/dim.h"
#include "platform/audio.h"
#include "platform/graphics.h"
#include "screens/intro/intro_sprites.h"
#include "screens/story/story_text.h"

class TIntroScreen : public TEkran {
public:
    // The one-shot cues, counted for the tests (the film never reads them).
    enum Cue { CUE_CANNON, CUE_BLAST, CUE_BUBLES, CUE_GRID, CUE_GHOST, CUE_DOT, CUE_TORN_MAP, CUE_COUNT };

    std::string state;
    TImage panel;
    TImage firstBack;
    std::vector<TCloud> clouds;
    fx::List<TCannonBall> balls;
    fx::List<TFireSpot> fireSpots;
    std::vector<TDim> dots;
    std::unique_ptr<TIntroShip> ship1;
    std::unique_ptr<TIntroShip> ship2;
    TImage waterOverlay;
    std::array<TDim, 8> fireDim{};
    std::array<TDim, 8> spotDim{};
    std::array<TDim, 20> dot{};
    std::array<TDim, 4> mapDim{};
    int32_t waitTime = 0;
    int32_t shipBankaTime = 0;
    TParticleList listaBaniek;
    TImage pirate;
    TImage belki;
    TImage secondBack;
    float pirateS = 0;
    float pirateA = 0;
    float firstS = 1;
    float secondA = 0;
    float belkiS = 1.4f;
    float back2S = 1.2f;
    float scene2Per = 0;
    TImage postacie;
    std::array<TDim, 14> fireSpotsDim{};
    float postacieA = 0;
    int startedFireScene = 0;
    std::array<TImage, 4> map{};
    float thirdA = 0;
    TImage dotImg;
    TImage cross;
    float pirateY = 0;
    fx::List<TGameField> fields;
    float fP = 0;
    TImage back4;
    TStoryTextList storyTexts;
    float fade2 = 0;
    float dFade2 = 0;
    TSound shipSound;
    std::array<TSound, 2> cannonBallSound{};
    TSound blastSound;
    TSound fireSound;
    TSound bubles;
    TSound chaosSound;
    TSound wreckSound;
    TSound gridy;
    TSound ghost;
    TSound xOnMap;
    TSound tornMap;
    TChannel shipChannel;
    TChannel fireChannel;
    TChannel chaosChannel;
    TChannel wreckChannel;
    float fireVol = 0;
    float shipVol = 0;
    float chaosVol = 0;
    float wreckVol = 0;
    float myGlobalSound = 0.6f;
    std::array<int, CUE_COUNT> cueCount{};

    TIntroScreen();

    int setup() override;
    int _setupGFX();
    int _setupDots();
    int _setupShips();
    int _setupSounds();
    int _setupClouds();
    int _setupFireDims();
    int _setupFirstDraw();
    int _setupTexts();

    int CreateMistCloud(int cn, float cx, float cy, float cax);
    std::unique_ptr<TIntroShip> createNewShip(int sn, float sx0, float sy0);
    std::shared_ptr<TFireSpot> createFireSpot(int fx0, int fy0);
    std::shared_ptr<TCannonBall> createBall(int i);

    int PauseMyGame() override;
    int ResumeMyGame() override;

    int prepare();
    // One frame: clear, update, draw, flip, then the skip test. False once the film is over.
    bool frame();
    int mainLoop();
    int update() override;
    int draw() override;
    int stopAllSounds();

    int SOUND_cannon_Fire();
    int SOUND_blast();
    int SOUND_bubles();
    int SOUND_grid();
    int SOUND_ghost();
    int SOUND_dot();
    int SOUND_tornMap();

    int startFireScene();
    int hideFireSpots();
    int addNewDot();
    int _updateState();
    int _updateSounds();
    int _updateFade2();
    int _updateFields();
    int _updateTexts();
    int _updateClouds();
    int _updateBalls();
    int _updateFireSpots();
    int _updateFireScene();

    int _drawScene();
    int _draw_scene_1();
    int _draw_scene_2();
    int _draw_scene_3();
    int _draw_scene_4();
    int _drawShips();
    int _drawShipsShadow();
    int _drawClouds();
    int _drawFireSpots();
    int _drawFields();
    int _drawDots();
    int _drawFade2();
    int _drawPanele();
    int _drawTexts();

private:
    // Channels this screen's pause paused: only those are resumed.
    std::array<bool, 4> pausedByMe{};
    void updateSceneState();
    void updateBubbles();
    void cue(Cue which, const TSound& snd, float volume);
};

// The film's one instance between start-up and the end of its run; null before and after.
extern std::unique_ptr<TIntroScreen> introScreen;

// Makes the instance (start-up, before the loading screen).
void createIntroScreen();
// The loading screen's unit: the instance's set-up, or the shared story resources alone
// when there is no instance.
void setupIntroScreen();
// Plays the film once and releases the instance; nothing when there is none.
void runIntro();
