#include "screens/intro/intro_screen.h"

#include <algorithm>
#include <cmath>

#include "app/frame.h"
#include "app/options.h"
#include "app/sound.h"
#include "effects/curve.h"
#include "gui/frame/deltatime.h"
#include "gui/frame/mouse.h"
#include "gui/globals.h"
#include "platform/input.h"
#include "platform/system.h"
#include "screens/story/story_draw.h"

std::unique_ptr<TIntroScreen> introScreen;

namespace {

TImage load(const std::string& rel, int flags = DEFAULT_IMAGE_FLAGS) { return LoadImage(bDir + rel, flags); }

constexpr int kSmooth = FILTEREDIMAGE | MIPMAPPEDIMAGE;

// The style's light wood: the warm shade the pirate stands in as he comes out of the mist.
constexpr TRGB kDuskShade{169, 113, 60};
// The style's deep sea: what the film fades to under its title.
constexpr TRGB kNightSea{20, 48, 73};

void centre(const TImage& img) {
    if (img) MidHandleImage(img);
}

void handle(const TImage& img, float x, float y) {
    if (img) SetImageHandle(img, x, y);
}

using story::drawIf;
void white(float alpha, float scale) { story::whiteAt(alpha, scale); }

TDim point(int x, int y) {
    TDim d;
    d.x = float(x);
    d.y = float(y);
    return d;
}

float soundVol() { return options.soundVol; }

void setVolume(const TChannel& c, float v) {
    if (c) SetChannelVolume(c, std::clamp(v, 0.0f, 1.0f));
}

// Starts a loop that stays silent until the timeline raises its volume.
TChannel silentLoop(const TSound& s) {
    if (!s) return nullptr;
    TChannel c = CueSound(s);
    SetChannelVolume(c, 0);
    ResumeChannel(c);
    return c;
}

void stopAndDrop(TChannel& c) {
    if (c) StopChannel(c);
    c = nullptr;
}

bool startsWith(const std::string& s, const char* p) { return s.rfind(p, 0) == 0; }

}  // namespace

TIntroScreen::TIntroScreen() { id = "Intro"; }

// ---- set-up ----------------------------------------------------------------------------

int TIntroScreen::setup() {
    _setupGFX();
    _setupDots();
    _setupShips();
    _setupSounds();
    _setupClouds();
    _setupFireDims();
    _setupFirstDraw();
    _setupTexts();
    return 0;
}

int TIntroScreen::_setupGFX() {
    // The mask colour and the two story fonts are shared with the other story screens.
    setupStoryResources();
    const std::string d = "gfx/story/Intro/";
    TCloud::img[0] = load(d + "mist1.png", kSmooth);
    TCloud::img[1] = load(d + "mist2.png", kSmooth);
    centre(TCloud::img[0]);
    centre(TCloud::img[1]);
    TIntroShip::img[0] = load(d + "ship-1.png", kSmooth);
    TIntroShip::img[1] = load(d + "ship-2.png", kSmooth);
    handle(TIntroShip::img[0], 118, 438);
    handle(TIntroShip::img[1], 87, 288);
    waterOverlay = load(d + "Overlay.png");
    TCannonBall::img = load(d + "cannon.png");
    centre(TCannonBall::img);
    TGameField::img[0] = load(d + "gameField-1.png");
    TGameField::img[1] = load(d + "gameField-2.png");
    centre(TGameField::img[0]);
    centre(TGameField::img[1]);
    TIntroShip::shadow[0] = load(d + "ship-1-shadow.png", kSmooth);
    TIntroShip::shadow[1] = load(d + "ship-2-shadow.png", kSmooth);
    handle(TIntroShip::shadow[0], 113, 24);
    handle(TIntroShip::shadow[1], 71, 15);
    panel = load(d + "panele.png");
    firstBack = load(d + "story-1-background.jpg");
    centre(firstBack);
    secondBack = load(d + "story-2-background.jpg");
    centre(secondBack);
    belki = load(d + "belki.png");
    centre(belki);
    pirate = load(d + "pirate.png");
    centre(pirate);
    postacie = load(d + "postacie.png");
    centre(postacie);
    for (int i = 0; i < 4; ++i) map[i] = load(d + "map-part-" + std::to_string(i + 1) + ".png");
    cross = load(d + "cross.png");
    centre(cross);
    dotImg = load(d + "dot.png");
    centre(dotImg);
    back4 = load("gfx/backgrounds/background-11.jpg");
    return 0;
}

int TIntroScreen::_setupDots() {
    static const int kDots[20][3] = {{184, 245, 0}, {210, 245, 0}, {236, 262, 0}, {253, 283, 0}, {252, 317, 0},
                                     {244, 345, 0}, {230, 368, 0}, {228, 393, 0}, {205, 423, 1}, {231, 446, 0},
                                     {257, 441, 0}, {282, 431, 0}, {302, 443, 0}, {316, 459, 0}, {312, 501, 1},
                                     {334, 523, 0}, {356, 531, 0}, {380, 551, 0}, {411, 571, 0}, {446, 541, 1}};
    for (int i = 0; i < 20; ++i) {
        dot[i] = point(kDots[i][0], kDots[i][1]);
        dot[i].w = float(kDots[i][2]);
    }
    return 0;
}

int TIntroScreen::_setupShips() {
    ship1 = createNewShip(0, 222, 384);
    ship2 = createNewShip(1, 732, 453);
    ship1->sx = 150, ship1->sy = 520, ship1->dx = 211, ship1->dy = 545;
    ship1->p = 0, ship1->dp = 1, ship1->a = 1, ship1->da = 1;
    ship1->pSpeed = 0.002f;
    ship2->sx = 680, ship2->sy = 530, ship2->dx = 733, ship2->dy = 545;
    ship2->a = 0, ship2->da = 0;
    ship2->pSpeed = 0.002f;
    ship2->aSpeed = 0.004f;
    ship2->sinkSpeed = 0.00025f;
    return 0;
}

int TIntroScreen::_setupSounds() {
    const std::string d = bDir + "sfx/Intro/";
    shipSound = LoadSound(d + "ship.ogg", SOUND_LOOP);
    fireSound = LoadSound(d + "burning.ogg", SOUND_LOOP);
    cannonBallSound[0] = LoadSound(d + "cannon-fire-1.ogg");
    cannonBallSound[1] = LoadSound(d + "cannon-fire-2.ogg");
    blastSound = LoadSound(d + "ship_hit.ogg");
    bubles = LoadSound(d + "bubles.ogg");
    chaosSound = LoadSound(d + "chaos.ogg");
    wreckSound = LoadSound(d + "wreck.ogg", SOUND_LOOP);
    gridy = LoadSound(d + "grids.ogg");
    ghost = LoadSound(d + "ghost.ogg");
    xOnMap = LoadSound(d + "x_on_map.ogg");
    tornMap = LoadSound(d + "torn_map.ogg");
    fireChannel = silentLoop(fireSound);
    shipChannel = silentLoop(shipSound);
    return 0;
}

int TIntroScreen::_setupClouds() {
    CreateMistCloud(0, 166, 504, 1);
    CreateMistCloud(1, 923, 497, -1);
    CreateMistCloud(0, 300, 450, 1);
    CreateMistCloud(1, 800, 450, -1);
    return 0;
}

int TIntroScreen::_setupFireDims() {
    static const int kFire[8][4] = {{262, 484, 681, 511}, {217, 496, 693, 531}, {183, 494, 711, 532},
                                    {143, 494, 716, 497}, {225, 524, 730, 525}, {291, 492, 752, 492},
                                    {217, 484, 765, 521}, {262, 524, 764, 485}};
    for (int i = 0; i < 8; ++i) {
        fireDim[i] = point(kFire[i][0], kFire[i][1]);
        spotDim[i] = point(kFire[i][2], kFire[i][3]);
    }
    static const int kMap[4][2] = {{0, 55}, {279, 52}, {421, 319}, {551, 159}};
    for (int i = 0; i < 4; ++i) mapDim[i] = point(kMap[i][0], kMap[i][1]);
    static const int kSpots[14][2] = {{150, 441}, {212, 505}, {286, 505}, {296, 575}, {359, 562},
                                      {20, 568},  {83, 557},  {664, 404}, {734, 470}, {667, 500},
                                      {737, 563}, {770, 490}, {624, 575}, {893, 495}};
    for (int i = 0; i < 14; ++i) fireSpotsDim[i] = point(kSpots[i][0], kSpots[i][1]);
    return 0;
}

int TIntroScreen::_setupFirstDraw() {
    // Each picture drawn once while loading, so the film's first frames do not stall. The
    // loading screen's next frame covers them: they are decoded ahead, in this order, rather
    // than kept as textures through the loading.
    const TImage all[] = {TCloud::img[0], TCloud::img[1], TIntroShip::img[0], TIntroShip::img[1], waterOverlay,
                          TCannonBall::img, TIntroShip::shadow[0], TIntroShip::shadow[1], panel, firstBack,
                          secondBack, belki, pirate, postacie, map[0], map[1], map[2], map[3], cross, dotImg,
                          back4};
    BeginDiscardedDraws();
    for (const auto& img : all) drawIf(img, 0, 0);
    EndDiscardedDraws();
    return 0;
}

int TIntroScreen::_setupTexts() {
    // A finished text leaves this list (loadStoryTexts makes it the texts' owner list).
    loadStoryTexts("data/story-intro.dat", "story-texts.txt", storyTexts);
    return 0;
}

// ---- factories -------------------------------------------------------------------------

int TIntroScreen::CreateMistCloud(int cn, float cx, float cy, float cax) {
    TCloud c;
    c.n = cn;
    c.x = cx;
    c.y = cy;
    c.ax = cax;
    c.speed = float(Rnd(0.05, 0.1));
    clouds.push_back(c);
    return 0;
}

std::unique_ptr<TIntroShip> TIntroScreen::createNewShip(int sn, float sx0, float sy0) {
    auto s = std::make_unique<TIntroShip>();
    s->owner = this;
    s->n = sn;
    s->x = sx0;
    s->y = sy0;
    s->rotK = Rand(0, 1) == 0 ? -1.0f : 1.0f;
    return s;
}

std::shared_ptr<TFireSpot> TIntroScreen::createFireSpot(int fx0, int fy0) {
    auto f = std::make_shared<TFireSpot>();
    f->x = float(fx0);
    f->y = float(fy0);
    fireSpots.push_back(f);
    return f;
}

std::shared_ptr<TCannonBall> TIntroScreen::createBall(int i) {
    auto b = std::make_shared<TCannonBall>();
    b->owner = this;
    b->x1 = fireDim[i].x;
    b->y1 = fireDim[i].y;
    b->x2 = spotDim[i].x;
    b->y2 = spotDim[i].y;
    b->mx = b->x1 + (b->x2 - b->x1) / 2;
    b->my = fireDim[i].y - 300;
    b->x = b->x1;
    b->y = b->y1;
    b->mySpeed = float(Rnd(0.0045, 0.005));
    b->startTime = Millisecs() + Rand(0, 3000);
    balls.push_back(b);
    return b;
}

// ---- pause -----------------------------------------------------------------------------

int TIntroScreen::PauseMyGame() {
    TStoryText::pauseAll(&storyTexts);
    TChannel* chans[4] = {&shipChannel, &fireChannel, &chaosChannel, &wreckChannel};
    for (int i = 0; i < 4; ++i) {
        pausedByMe[i] = *chans[i] && ChannelPlaying(*chans[i]);
        if (pausedByMe[i]) PauseChannel(*chans[i]);
    }
    return 0;
}

int TIntroScreen::ResumeMyGame() {
    TStoryText::resumeAll(&storyTexts);
    // Only what the pause stopped: a finished one-shot or a loop not yet begun stays quiet.
    TChannel* chans[4] = {&shipChannel, &fireChannel, &chaosChannel, &wreckChannel};
    for (int i = 0; i < 4; ++i) {
        if (pausedByMe[i] && *chans[i]) ResumeChannel(*chans[i]);
        pausedByMe[i] = false;
    }
    return 0;
}

// ---- the loop --------------------------------------------------------------------------

int TIntroScreen::prepare() {
    globalSnd.playMyMusic("start");
    state = "SCENE_1_BEGIN";
    dFade = fade = 0;
    fade2 = dFade2 = 0;
    fSpeed = 0.02f;
    startStoryTexts(storyTexts);
    _prepareDelta();
    return 0;
}

bool TIntroScreen::frame() {
    Cls();
    update();
    draw();
    myFlip(1, this);
    if (fade == 1 && dFade == 1) return false;
    if (mouse.leftPressed || KeyHit(KEY_ESCAPE)) dFade = 1;
    return true;
}

int TIntroScreen::mainLoop() {
    prepare();
    while (frame()) {
    }
    stopAllSounds();
    return 0;
}

int TIntroScreen::stopAllSounds() {
    for (TChannel* c : {&fireChannel, &chaosChannel, &shipChannel, &wreckChannel})
        if (*c) StopChannel(*c);
    return 0;
}

// ---- sound cues ------------------------------------------------------------------------

void TIntroScreen::cue(Cue which, const TSound& snd, float volume) {
    ++cueCount[which];
    if (!snd) return;
    TChannel c = CueSound(snd);
    SetChannelVolume(c, std::clamp(volume, 0.0f, 1.0f));
    ResumeChannel(c);
}

int TIntroScreen::SOUND_cannon_Fire() {
    cue(CUE_CANNON, cannonBallSound[Rand(0, 1)], soundVol() * myGlobalSound);
    return 0;
}
int TIntroScreen::SOUND_blast() {
    cue(CUE_BLAST, blastSound, soundVol() * myGlobalSound);
    return 0;
}
int TIntroScreen::SOUND_bubles() {
    cue(CUE_BUBLES, bubles, soundVol() * myGlobalSound);
    return 0;
}
int TIntroScreen::SOUND_grid() {
    cue(CUE_GRID, gridy, soundVol() * myGlobalSound);
    return 0;
}
int TIntroScreen::SOUND_ghost() {
    cue(CUE_GHOST, ghost, 1);
    return 0;
}
int TIntroScreen::SOUND_dot() {
    cue(CUE_DOT, xOnMap, soundVol() * myGlobalSound);
    return 0;
}
int TIntroScreen::SOUND_tornMap() {
    cue(CUE_TORN_MAP, tornMap, soundVol() * myGlobalSound);
    return 0;
}

// ---- timeline --------------------------------------------------------------------------

int TIntroScreen::startFireScene() {
    for (const auto& d : fireSpotsDim) {
        auto f = createFireSpot(int(d.x), int(d.y));
        f->typ = 1;
        f->startTime = Millisecs() + Rand(0, 2000);
    }
    startedFireScene = 1;
    return 0;
}

int TIntroScreen::hideFireSpots() {
    fx::walk(fireSpots, [](TFireSpot& f) { f.hide(); });
    return 0;
}

int TIntroScreen::addNewDot() {
    if (dots.size() < dot.size()) dots.push_back(dot[dots.size()]);
    return 0;
}

int TIntroScreen::update() {
    _updateSystem(0);
    _updateState();
    _updateFade();
    _updateFade2();
    _updateFields();
    _updateTexts();
    _updateParticles(&listaBaniek);
    _updateParticles(&particlesList);
    return 0;
}

int TIntroScreen::_updateState() {
    updateSceneState();
    _updateSounds();
    return 0;
}

void TIntroScreen::updateBubbles() {
    const int32_t now = Millisecs();
    const float k = ship2->sinkp;
    if (k <= 0.3f || now <= shipBankaTime) return;
    shipBankaTime = int32_t(float(now) + 20 + 10 * k);
    for (int i = 0; i < 2; ++i) {
        createBankaParticle(670 + Rand(0, 150), Rand(550, 590), &listaBaniek);
        if (k > 0.5f) createBankaParticle(670 + Rand(0, 150), Rand(550, 590), &listaBaniek);
        if (k > 0.7f) createBankaParticle(570 + Rand(0, 210), Rand(550, 590), &listaBaniek);
    }
}

void TIntroScreen::updateSceneState() {
    const int32_t now = Millisecs();
    if (state == "SCENE_1_BEGIN") {
        easeToward(shipVol, 1, 0.01f, delta);
        setVolume(shipChannel, shipVol * soundVol());
        ship2->da = ship2->dp = 0;
        if (ship1->p > 0.5f) ship2->da = ship2->dp = 1;
        if (ship1->p == 1 && ship2->p >= 0.6f && balls.empty())
            for (int i = 0; i < 8; ++i) createBall(i);
        ship1->update();
        ship2->update();
        _updateClouds();
        _updateBalls();
        _updateFireSpots();
    } else if (state == "SCENE_1_FIRE") {
        ship1->update();
        ship2->update();
        _updateClouds();
        _updateFireSpots();
        if (now > waitTime && ship2->sinking == 0) ship2->sink();
        updateBubbles();
        if (ship2->sinkp == 1) {
            state = "SCENE_2_BEGIN";
            fx::clear(fireSpots);
            SOUND_ghost();
        }
    } else if (state == "SCENE_2_BEGIN") {
        firstS += 0.0005f * delta;
        ship1->_updateRotation();
        _updateClouds();
        pirateS += 0.005f * delta;
        ship1->x = ship1->dx - (firstS - 1) * 500;
        ship1->y = ship1->dy + (firstS - 1) * 120;
        for (auto& c : clouds) c.scale += 0.01f * delta;
        pirateS = std::min(pirateS, 1.0f);
        if (firstS >= 1.15f) state = "SCENE_2_SHOW";
    } else if (state == "SCENE_2_SHOW") {
        _updateFireSpots();
        easeToward(firstS, std::max(firstS, 1.3f), 0.0005f, delta);
        easeToward(scene2Per, 1, 0.0025f, delta);
        const float s = fx::sinDeg(90 * scene2Per);
        secondA = s;
        back2S = 1 + (1 - s) * 0.5f;
        belkiS = 1 + (1 - s) * 0.2f;
        _updateFireScene();
        easeToward(pirateA, 1, 0.005f, delta);
        if (s > 0.9f && startedFireScene == 0) startFireScene();
        if (scene2Per == 1 && pirateA == 1) {
            state = "SCENE_2_POSTACIE";
            if (chaosSound) {
                chaosChannel = CueSound(chaosSound);
                SetChannelVolume(chaosChannel, soundVol() * chaosVol);
                ResumeChannel(chaosChannel);
            }
        }
    } else if (state == "SCENE_2_POSTACIE") {
        _updateFireSpots();
        easeToward(chaosVol, 1, 0.01f, delta);
        setVolume(chaosChannel, chaosVol * soundVol());
        postacieA += 0.01f * delta;
        if (postacieA > 1) {
            postacieA = 1;
            waitTime = now + 1000;
            state = "SCENE_2_WAIT";
        }
    } else if (state == "SCENE_2_WAIT") {
        _updateFireSpots();
        if (now > waitTime) state = "SCENE_3_BEGIN";
    } else if (state == "SCENE_3_BEGIN") {
        _updateFireSpots();
        easeToward(chaosVol, 0, 0.01f, delta);
        if (chaosChannel && ChannelPlaying(chaosChannel)) {
            setVolume(chaosChannel, chaosVol * soundVol());
            if (chaosVol == 0) StopChannel(chaosChannel);
        }
        easeToward(thirdA, 1, 0.0025f, delta);
        pirateS += 0.002f * delta;
        pirateY += 0.5f * delta;
        if (thirdA == 1) {
            waitTime = now + 2000;
            state = "SCENE_3_DOTS";
            hideFireSpots();
            for (int i = 0; i < 3; ++i) {
                auto f = TGameField::CreateIntroGF();
                f->owner = this;
                fields.push_back(f);
            }
        }
    } else if (state == "SCENE_3_DOTS") {
        pirateA -= 0.003f * delta;
        pirateS += 0.002f * delta;
        pirateY += 0.5f * delta;
        hideFireSpots();
        _updateFireSpots();
        pirateA = std::max(pirateA, 0.0f);
        if (now > waitTime) {
            waitTime = now + 750;
            if (dots.size() < dot.size()) {
                addNewDot();
                SOUND_dot();
            } else {
                state = "SCENE_4_BEGIN";
                SOUND_tornMap();
            }
        }
    } else if (state == "SCENE_4_BEGIN") {
        hideFireSpots();
        _updateFireSpots();
        easeToward(fP, 1, 0.0007f, delta);
        if (fP > 0.65f) dFade2 = 1;
        if (fade2 == 1) {
            state = "SCENE_5";
            waitTime = now + 6000;
            fade = dFade = 0;
        }
    } else if (state == "SCENE_5") {
        if (now > waitTime) {
            dFade = 1;
            fSpeed = 0.01f;
        }
    }
}

int TIntroScreen::_updateSounds() {
    const float vol = soundVol();
    if (!fireSpots.empty() && ship2->sinking == 0) {
        easeToward(fireVol, std::max(fireVol, 1.0f), 0.01f, delta);
        setVolume(fireChannel, fireVol * vol * myGlobalSound);
    } else if (ship2->sinkp > 0.3f && fireChannel) {
        easeToward(fireVol, 0, 0.002f, delta);
        setVolume(fireChannel, fireVol * vol * myGlobalSound);
        if (fireVol == 0) stopAndDrop(fireChannel);
    }
    const bool wreckRising = state == "SCENE_4_BEGIN";
    if (wreckRising || state == "SCENE_5") {
        easeToward(wreckVol, wreckRising ? 1.0f : 0.0f, 0.005f, delta);
        if (!wreckChannel && wreckSound) wreckChannel = CueSound(wreckSound);
        setVolume(wreckChannel, wreckVol * vol * myGlobalSound);
        if (wreckChannel && !ChannelPlaying(wreckChannel)) ResumeChannel(wreckChannel);
    }
    if (state == "SCENE_2_SHOW") {
        // On top of the fall above: the hall's fire swells while the ship's dies away.
        fireVol += 0.005f * delta;
        if (!fireChannel && fireSound) fireChannel = CueSound(fireSound);
        setVolume(fireChannel, fireVol * vol * myGlobalSound);
        if (fireChannel && !ChannelPlaying(fireChannel)) ResumeChannel(fireChannel);
    }
    if (!startsWith(state, "SCENE_1") && shipChannel) {
        easeToward(shipVol, 0, 0.01f, delta);
        setVolume(shipChannel, shipVol * vol * myGlobalSound);
        if (shipVol == 0) stopAndDrop(shipChannel);
    }
    return 0;
}

int TIntroScreen::_updateFade2() {
    if (fade2 < dFade2) fade2 = std::min(dFade2, fade2 + 0.005f * delta);
    else if (fade2 > dFade2) fade2 = std::max(dFade2, fade2 - 0.0025f * delta);
    return 0;
}

int TIntroScreen::_updateFields() {
    fx::walk(fields, [this](TGameField& f) {
        if (f.update() != 0) fx::remove(fields, &f);
    });
    return 0;
}

int TIntroScreen::_updateTexts() {
    updateStoryTexts(storyTexts);
    return 0;
}

int TIntroScreen::_updateClouds() {
    for (auto& c : clouds) c.update();
    return 0;
}

int TIntroScreen::_updateBalls() {
    fx::walk(balls, [](TCannonBall& b) { b.update(); });
    if (balls.empty() && ship2->p == 1) {
        state = "SCENE_1_FIRE";
        waitTime = Millisecs() + 1000;
    }
    return 0;
}

int TIntroScreen::_updateFireSpots() {
    fx::walk(fireSpots, [](TFireSpot& f) { f.update(); });
    return 0;
}

int TIntroScreen::_updateFireScene() {
    fx::walk(fireSpots, [](TFireSpot& f) { f.updateMyMove(); });
    return 0;
}

// ---- drawing ---------------------------------------------------------------------------

int TIntroScreen::draw() {
    _drawScene();
    _drawFields();
    _drawFade2();
    _drawPanele();
    _drawTexts();
    _drawFade();
    return 0;
}

int TIntroScreen::_drawScene() {
    const std::string s = state.substr(0, 7);
    if (s == "SCENE_1") _draw_scene_1();
    else if (s == "SCENE_2") _draw_scene_2();
    else if (s == "SCENE_3") _draw_scene_3();
    else if (s == "SCENE_4") _draw_scene_4();
    _drawParticles(&listaBaniek);
    return 0;
}

int TIntroScreen::_draw_scene_1() {
    white(1, 1);
    drawIf(firstBack, 512, 384);
    _drawShips();
    _drawFireSpots();
    white(1, 1);
    drawIf(waterOverlay, 8, 545);
    _drawShipsShadow();
    _drawClouds();
    return 0;
}

int TIntroScreen::_draw_scene_2() {
    white(1, firstS);
    drawIf(firstBack, 512, 384);
    SetRotation(ship1->rot);
    drawIf(TIntroShip::img[0], ship1->x, ship1->y);
    _drawClouds();
    white(secondA, back2S);
    drawIf(secondBack, 512, 384);
    _drawFireSpots();
    white(postacieA, 1);
    drawIf(postacie, 512, 384);
    white(secondA, belkiS);
    drawIf(belki, 512, 384);
    const float k = 0.7f + 0.3f * fx::sinDeg(90 * pirateS);
    white(pirateS, k);
    // The pirate comes out of the mist in the shade of the dusk, not as a black cut-out.
    SetColor(kDuskShade.r, kDuskShade.g, kDuskShade.b);
    drawIf(pirate, 512, 480);
    white(pirateA, k);
    drawIf(pirate, 512, 480);
    return 0;
}

int TIntroScreen::_draw_scene_3() {
    const float t = fx::sinDeg(90 * thirdA);
    white(1 - t, 1);
    drawIf(secondBack, 512, 384);
    _drawFireSpots();
    white(1 - t, 1);
    drawIf(postacie, 512, 384);
    drawIf(belki, 512, 384);
    white(t, 1);
    for (int i = 0; i < 4; ++i) drawIf(map[i], mapDim[i].x, mapDim[i].y);
    white(pirateA, pirateS);
    drawIf(pirate, 512, 480 + pirateY);
    _drawDots();
    _drawFields();
    return 0;
}

int TIntroScreen::_draw_scene_4() {
    const float f = fx::sinDeg(90 * fP);
    const float k = std::min(2 * f, 1.0f);
    white(1, 1);
    drawIf(back4, 0, 170 - 200 * f);
    auto w = [this](int i) { return map[i] ? float(ImageWidth(map[i])) : 0.0f; };
    auto h = [this](int i) { return map[i] ? float(ImageHeight(map[i])) : 0.0f; };
    drawIf(map[0], mapDim[0].x - k * w(0), mapDim[0].y);
    drawIf(map[1], mapDim[1].x, mapDim[1].y - k * h(1));
    drawIf(map[2], mapDim[2].x, mapDim[2].y + k * h(2));
    drawIf(map[3], mapDim[3].x + k * w(3), mapDim[3].y);
    _drawDots();
    return 0;
}

int TIntroScreen::_drawShips() {
    ship2->draw();
    fx::each(balls, [](TCannonBall& b) { b.draw(); });
    _drawParticles(&particlesList);
    ship1->draw();
    return 0;
}

int TIntroScreen::_drawShipsShadow() {
    ship1->drawShadow();
    ship2->drawShadow();
    return 0;
}

int TIntroScreen::_drawClouds() {
    for (auto& c : clouds) c.draw();
    return 0;
}

int TIntroScreen::_drawFireSpots() {
    fx::each(fireSpots, [](TFireSpot& f) { f.draw(); });
    return 0;
}

int TIntroScreen::_drawFields() {
    fx::each(fields, [](TGameField& f) { f.draw(); });
    return 0;
}

int TIntroScreen::_drawDots() {
    white(1, 1);
    const float f = fx::sinDeg(90 * fP);
    const float k = std::min(2 * f, 1.0f);
    const float w0 = map[0] ? float(ImageWidth(map[0])) : 0.0f;
    for (const auto& d : dots) drawIf(d.w == 0 ? dotImg : cross, mapDim[0].x + d.x - k * w0, mapDim[0].y + d.y);
    return 0;
}

int TIntroScreen::_drawFade2() {
    white(fade2, 1);
    // The film closes on the deep sea, where its title stands between the wooden bars.
    SetColor(kNightSea.r, kNightSea.g, kNightSea.b);
    DrawRect(0, 0, 1024, 768);
    return 0;
}

int TIntroScreen::_drawPanele() {
    white(1, 1);
    drawIf(panel, 0, 0);
    return 0;
}

int TIntroScreen::_drawTexts() {
    drawStoryTexts(storyTexts, 1);
    return 0;
}

// ---- start-up --------------------------------------------------------------------------

void createIntroScreen() { introScreen = std::make_unique<TIntroScreen>(); }

void setupIntroScreen() {
    if (introScreen) introScreen->setup();
    else setupStoryResources();
}

void runIntro() {
    if (!introScreen) return;
    introScreen->mainLoop();
    introScreen.reset();
    // The sprites' pictures are shared by class, not owned by the screen: they go too.
    resetIntroSprites();
}
