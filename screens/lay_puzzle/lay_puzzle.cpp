#include "screens/lay_puzzle/lay_puzzle.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "app/app_globals.h"
#include "app/frame.h"
#include "app/profile/profile_manager.h"
#include "app/sound.h"
#include "effects/emitter.h"
#include "effects/particles.h"
#include "game/flow/level_manager.h"
#include "gui/core/gui.h"
#include "gui/data/txtfile.h"
#include "gui/frame/deltatime.h"
#include "gui/frame/fontcache.h"
#include "gui/frame/mouse.h"
#include "gui/globals.h"
#include "gui/text/split.h"
#include "gui/text/type_style.h"
#include "minigames/minigame_menu.h"
#include "minigames/minigame_menu.h"
#include "platform/input.h"
#include "platform/strings.h"
#include "platform/system.h"
#include "screens/hidden_object/hidden_object.h"
#include "screens/map/mapa.h"
#include "screens/play/play_log.h"
#include "screens/puzzle_express/puzzle_express.h"
#include "screens/tutorial/tutorial.h"

TLayPuzzle layPuzzle;

namespace {

constexpr float kBarX = 888, kBarY = 6;
constexpr float kShelfY = 712;

TLPHooks gHooks;

float sinDeg(float a) { return float(std::sin(double(a) * std::numbers::pi / 180.0)); }

void neutral() {
    SetColor(255, 255, 255);
    SetAlpha(1);
    SetBlend(ALPHABLEND);
    SetScale(1, 1);
    SetRotation(0);
}

// The skip bar's picture, borrowed from the hidden-object screen's top panel.
const TImage& barImage() { return hiddenObject.pasek; }

}  // namespace

TLPHooks& lpHooks() { return gHooks; }

// ---- set-up and levels ------------------------------------------------------------------

int TLayPuzzle::setup() {
    _setupGUI();
    _setupTiles();
    _setupBlocks();
    loaded = true;
    return 0;
}

int TLayPuzzle::_setupGUI() {
    const std::string base = bDir + "gfx/miniGames/layPuzzle/";
    stone = LoadImage(base + "stone.png");
    stoneCover = LoadImage(base + "stone-cover.png");
    mlotek = LoadImage(base + "mlotek.png");
    kowadelko = LoadImage(base + "kowadlo.png");
    obwodka = LoadImage(base + "obwodka.png");
    shelf = LoadImage(base + "shelf.png");
    titleFont = myLoadImageFont(bDir + "gfx/fonts/font.ttf", 32);
    if (obwodka) MidHandleImage(obwodka);
    if (mlotek) SetImageHandle(mlotek, 83, 160);
    if (kowadelko) SetImageHandle(kowadelko, 20, 0);
    Gui = loadGui(bDir + "gfx/miniGames/layPuzzle/layPuzzle.gui");
    hammer().mlotekX = 980;
    hammer().mlotekY = 560;
    std::string missing;
    for (const auto& [img, name] : {std::pair{&stone, "stone.png"}, {&stoneCover, "stone-cover.png"},
                                    {&mlotek, "mlotek.png"}, {&kowadelko, "kowadlo.png"},
                                    {&obwodka, "obwodka.png"}, {&shelf, "shelf.png"}})
        if (!*img) missing += std::string(missing.empty() ? "" : ", ") + name;
    if (!missing.empty()) errorMsg("The inlay game is missing pictures in " + base + ": " + missing);
    return 0;
}

int TLayPuzzle::_setupTiles() {
    const std::string base = bDir + "gfx/miniGames/layPuzzle/";
    layEmptyTile = LoadImage(base + "empty-tri.png");
    layFiledTile = LoadImage(base + "filed-tri.png");
    if (layEmptyTile) SetImageHandle(layEmptyTile, 16, 17);
    if (layFiledTile) SetImageHandle(layFiledTile, 16, 17);
    if (!layEmptyTile) errorMsg("The inlay game is missing its triangle cell " + base + "empty-tri.png");
    return 0;
}

int TLayPuzzle::_setupBlocks() {
    loadLayBlocksData();
    return 0;
}

int TLayPuzzle::setLevel(const std::shared_ptr<TLayLevel>& l) {
    level = l;
    if (level) {
        auto& p = profileManager.profile;
        level->backGroundUrl = bDir + levelManager.getBackgroundUrl(p ? p->numerStageu : 0);
        level->backGround = LoadImage(level->backGroundUrl);
    }
    // Nothing of the previous level may be hovered or held in this one.
    auto& v = lpPlay();
    const TLayHammer h = v.hammer;
    resetLPPlay();
    v.hammer = h;
    v.level = level;
    over.reset();
    return 0;
}

int TLayPuzzle::setState(const std::string& s) {
    state = str::upper(s);
    return 0;
}

std::string TLayPuzzle::getLevelTitle() {
    auto& p = profileManager.profile;
    if (!p) return "";
    for (const auto& s : mapa.mapStages)
        if (s && s->id == p->numerStageu) return s->title;
    return "";
}

int TLayPuzzle::_prepareSelf() {
    fade = 1;
    dFade = 0;
    alpha = 0;
    dAlpha = 1;
    lA = 0;
    setState("BEGIN-1");
    if (level) level->alpha = level->dAlpha = 0;
    click().reset();
    hammer().mp = hammer().dmp = 1;
    endPer = 0;
    if (level) level->blockTime = Millisecs() + level->nextBlock;
    skipTime = Millisecs();
    levelTitle = getLevelTitle();
    wynik.clear();
    // The slab and the board start below the screen.
    stoneX = 250;
    stoneY = 700;
    coverX = stoneX + 34;
    coverY = stoneY + 44;
    if (level) level->setPosition(0);
    return 0;
}

int TLayPuzzle::prepare() {
    if (!loaded) setup();
    _prepareSelf();
    globalSnd.playLevelMusic();
    _prepareDelta();
    return 0;
}

std::string TLayPuzzle::mainLoop() {
    prepare();
    while (frame()) {
    }
    return wynik;
}

bool TLayPuzzle::frame() {
    Cls();
    update();
    draw();
    myFlip(1, this);
    if (cheats && KeyHit('W') && state != "WIN-1" && state != "WIN-2") WIN();
    if (dSkipA == 1 && mouse.leftPressed) WIN();
    if (fade == 1 && dFade == 1) return false;
    if (Gui && Gui->clickedItem("MENU")) goMenu();
    return true;
}

int TLayPuzzle::goMenu() {
    const std::string r = gHooks.menu ? gHooks.menu(*this) : std::string();
    FlushMouse();
    mouse.clear();
    actOnMenuAnswer(r, wynik, dFade, gHooks.log);
    return 0;
}

int TLayPuzzle::WIN() {
    setState("WIN-1");
    if (level) level->dAlpha = 0;
    if (gHooks.log) gHooks.log(1);
    if (auto& p = profileManager.profile) p->updateLevelData(p->numerLevelu, 1, 0, 1, 0, 1);
    return 0;
}

int TLayPuzzle::LOSE() {
    setState("LOSE-1");
    if (gHooks.log) gHooks.log(0);
    return 0;
}

int TLayPuzzle::PauseMyGame() {
    pauseTime = Millisecs();
    return 0;
}

int TLayPuzzle::ResumeMyGame() {
    // The next piece falls as much later as the pause lasted.
    if (level) level->blockTime += Millisecs() - pauseTime;
    return 0;
}

// ---- per frame ------------------------------------------------------------------------

int TLayPuzzle::update() {
    _updateSystem(0);
    _updateTutorial(*this);
    _updateGui();
    _updateFade();
    _updateAlpha();
    _updateState();
    _updateHint();
    _updateLevel();
    _updateEmitters();
    _updateParticles();
    _updateMlotek();
    _updateTime();
    return 0;
}

int TLayPuzzle::_updateState() {
    if (state == "BEGIN-1") return __update_STATE_BEGIN_1();
    if (state == "NORMAL") return __update_STATE_NORMAL();
    if (state == "WIN-1") return __update_STATE_WIN1();
    if (state == "WIN-2") return __update_STATE_WIN2();
    if (state == "LOSE-1") return __update_STATE_LOSE1();
    return 0;
}

int TLayPuzzle::_updateLevel() {
    if (level) level->update();
    return 0;
}

int TLayPuzzle::__update_STATE_BEGIN_1() {
    lA = std::min(lA + 0.02f * delta, 1.0f);
    stoneX = 250;
    stoneY = 700 - 600 * lA;
    coverX = stoneX + 34;
    coverY = stoneY + 44;
    if (level) level->setPosition(lA);
    if (lA == 1) {
        checkDialogs("BEGIN");
        setState("NORMAL");
        if (level) level->dAlpha = 1;
    }
    return 0;
}

int TLayPuzzle::__update_STATE_NORMAL() {
    if (!level) return 0;
    // Without shapes nothing can ever fall: say so once and leave the level.
    if (layBlocksList.empty() && level->blocks.empty() && !level->_updateWin()) {
        if (!noShapesReported) errorMsg("data/layPuzzle-blocks.dat holds no block shapes: the inlay game cannot be played");
        noShapesReported = true;
        wynik = "MAIN-MENU";
        dFade = 1;
        setState("NONE");
        return 0;
    }
    level->_updateNextBlock();

    over.reset();
    for (auto& b : std::vector(level->blocks)) {
        if (b->update())
            over = b;
        else
            b->dOverA = 0;
    }
    for (auto& b : level->blocks)
        if (b != over) b->dOverA = 0;
    if (over) over->dOverA = 1;

    auto& held = click();
    if (held) {
        held->dClickP = 1;
        held->x = float(mouse.x);
        held->y = float(mouse.y);
        if (mouse.rightPressed)
            held->moveDir();
        else if (KeyHit(KEY_SPACE))
            held->moveDir();
        else if (mouse.vz != 0)
            held->moveDir2(mouse.vz > 0 ? 1.0f : -1.0f);
        if (mouse.leftHolded && Millisecs() - holdTime > 500) holded = 1;
        if ((holded == 1 && !mouse.leftHolded) || mouse.leftPressed) {
            holded = 0;
            const auto b = held;
            const int placed = b->put();
            held.reset();
            mouse.clear();
            FlushMouse();
            if (!placed) {
                b->state = lpstate::FREE;  // it falls from where it was let go
                return 0;
            }
        }
    } else if (over && mouse.leftHolded) {
        holdTime = Millisecs();
        held = over;
        over->pick(float(mouse.x), float(mouse.y));
        auto& list = level->blocks;
        const auto it = std::find(list.begin(), list.end(), over);
        if (it != list.end()) std::rotate(it, it + 1, list.end());  // drawn last, hovered first
    }
    if (level->_updateLose()) LOSE();
    if (level->_updateWin()) WIN();
    return 0;
}

int TLayPuzzle::__update_STATE_WIN1() {
    if (level && level->alpha != 0) return 0;
    x1 = coverX;
    y1 = coverY;
    x2 = 1400;
    y2 = 500;
    mx = x1;
    my = y2;
    endPer = 0;
    setState("WIN-2");
    globalSnd.playMySound("puzzles_end_level");
    return 0;
}

int TLayPuzzle::__update_STATE_WIN2() {
    endPer = std::min(endPer + 0.01f * delta, 1.0f);
    const float t = sinDeg(90 * endPer);
    coverX = x1 + 2 * t * (mx - x1) + t * t * (x1 - 2 * mx + x2);
    coverY = y1 + 2 * t * (my - y1) + t * t * (y1 - 2 * my + y2);
    if (endPer == 1 && dFade == 0) checkDialogs("END");
    if (endPer == 1) {
        dFade = 1;
        globalSnd.musicGoDown();
        wynik = "GET-NEXT-LEVEL";
    }
    return 0;
}

int TLayPuzzle::__update_STATE_LOSE1() {
    const std::string r = str::upper(gHooks.lose ? gHooks.lose(*this) : std::string("MAPA"));
    if (r == "RESTART") {
        setState("LOSE-END");
        wynik = "RESTART-LEVEL";
    } else {
        setState("NONE");
        wynik = r == "MAIN-MENU" ? "MAIN-MENU" : "MAPA";
    }
    dFade = 1;
    return 0;
}

int TLayPuzzle::_updateMlotek() {
    hammer().update(delta);
    return 0;
}

int TLayPuzzle::kowadloOk() { return hammer().kowadloOk() ? 1 : 0; }

int TLayPuzzle::inKowadlo(float x, float y) { return hammer().inKowadlo(x, y) ? 1 : 0; }

float TLayPuzzle::skipCharge() const {
    const float f = float(std::abs(Millisecs() - skipTime)) / maxTimeSkip;
    return std::clamp(f, 0.0f, 1.0f);
}

bool TLayPuzzle::inSkip(int x, int y) const {
    // The zone is the bar as drawn.
    const TImage& bar = barImage();
    const float w = bar ? float(ImageWidth(bar)) : 124, h = bar ? float(ImageHeight(bar)) : 40;
    return float(x) >= kBarX && float(x) <= kBarX + w && float(y) >= kBarY && float(y) <= kBarY + h;
}

int TLayPuzzle::_updateHint() {
    dSkipA = inSkip(mouse.x, mouse.y) && skipCharge() == 1 && state == "NORMAL" ? 1.0f : 0.0f;
    if (skipA < dSkipA)
        skipA = std::min(skipA + 0.05f * delta, dSkipA);
    else if (skipA > dSkipA)
        skipA = std::max(skipA - 0.1f * delta, dSkipA);
    return 0;
}

int TLayPuzzle::_updateTime() {
    const int now = Millisecs();
    if (now > time) {
        time = now + 1000;
        if (level) ++level->time;
    }
    return 0;
}

// ---- drawing ----------------------------------------------------------------------------

int TLayPuzzle::draw() {
    _drawBack();
    _drawGUI();
    _drawMlotek();
    _drawStone();
    _drawLevel();
    _drawSkip();
    _drawParticles();
    _drawPunkty();
    _drawTutorial(*this);
    _drawFade();
    _drawMouse();
    return 0;
}

int TLayPuzzle::_drawBack() {
    neutral();
    if (level && level->backGround) DrawImage(level->backGround, 0, 0);
    if (shelf) DrawImage(shelf, 0, kShelfY);
    return 0;
}

int TLayPuzzle::_drawGUI() {
    neutral();
    return 0;
}

int TLayPuzzle::_drawMlotek() {
    const auto& h = hammer();
    neutral();
    SetRotation(h.mRot);
    if (mlotek) DrawImage(mlotek, h.mlotekX, h.mlotekY);
    SetRotation(0);
    if (kowadelko) DrawImage(kowadelko, h.mlotekX - 170, h.mlotekY + 20);
    if (click() && h.mp == 1 && obwodka) {
        const float s = sinDeg(90 * h.mle);
        SetAlpha(0.5f + 0.3f * s);
        SetScale(1 + 0.3f * s, 1 + 0.3f * s);
        DrawImage(obwodka, h.smashX(), h.smashY());
        SetScale(1, 1);
        SetAlpha(1);
    }
    return 0;
}

int TLayPuzzle::_drawStone() {
    neutral();
    SetAlpha(lA);
    if (stone) DrawImage(stone, stoneX, stoneY);
    if (level && level->PEObj && state != "BEGIN-1") {
        const auto& o = *level->PEObj;
        const float s = sinDeg(90 * endPer);
        SetScale(o.scale + 0.4f * s, o.scale + 0.4f * s);
        SetRotation(o.rot + 15 * s);
        if (o.img) DrawImage(o.img, o.x, o.y);
    }
    SetScale(1, 1);
    SetRotation(-45 * endPer);
    if (stoneCover) DrawImage(stoneCover, coverX, coverY);
    SetRotation(0);
    SetAlpha(1);
    return 0;
}

int TLayPuzzle::_drawLevel() {
    if (!level) return 0;
    level->draw();
    level->drawBlocks();
    return 0;
}

int TLayPuzzle::_drawSkip() {
    neutral();
    if (hiddenObject.panelGui) DrawImage(hiddenObject.panelGui, 0, 0);
    if (Gui) Gui->draw();
    neutral();
    // The block puzzle's bar, caption and face.
    drawSkipBar(skipCharge(), skipA);
    const auto& ink = typestyle::kInk;
    // The stage's title.
    SetImageFont(titleFont);
    SetRotation(1);
    const float x = float(512 - TextWidth(levelTitle) / 2);
    SetColor(ink.r, ink.g, ink.b);
    SetAlpha(0.6f);
    DrawText(levelTitle, x + 2, 14);
    const auto& gold = typestyle::kGold;
    SetColor(gold.r, gold.g, gold.b);
    SetAlpha(1);
    DrawText(levelTitle, x, 12);
    neutral();
    return 0;
}

int TLayPuzzle::_drawPunkty() {
    neutral();
    SetColor(255, 0, 255);
    lpPlay().punkty.clear();
    SetColor(255, 255, 255);
    return 0;
}

// ---- play log ---------------------------------------------------------------------------

void giveInLayPuzzleLog(TPlayLog& r) {
    r.time = layPuzzle.level ? layPuzzle.level->time : 0;
    r.iloscKlockowSpadnietych = layPuzzle.statSpadniete();
    r.wlozenia = layPuzzle.statWlozone();
    r.klockiRozbite = layPuzzle.statRozbite();
    r.wyrzucenia = layPuzzle.statUpuszczone();
}
