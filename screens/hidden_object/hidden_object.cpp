#include "screens/hidden_object/hidden_object.h"

#include <algorithm>
#include <cmath>

#include "app/app_globals.h"
#include "app/frame.h"
#include "app/profile/profile_manager.h"
#include "app/sound.h"
#include "effects/back_element.h"
#include "effects/list.h"
#include "effects/particles.h"
#include "effects/pogoda.h"
#include "gui/core/gui.h"
#include "gui/data/txtfile.h"
#include "gui/frame/deltatime.h"
#include "gui/frame/fontcache.h"
#include "gui/frame/mouse.h"
#include "gui/globals.h"
#include "gui/text/draw.h"
#include "gui/text/split.h"
#include "gui/text/type_style.h"
#include "minigames/hidden_object/ho_level_file.h"
#include "minigames/minigame_menu.h"
#include "platform/input.h"
#include "platform/system.h"
#include "screens/play/play_log.h"

THiddenObject hiddenObject;

namespace {

constexpr float kDeg = 3.14159265358979f / 180.0f;
// The hint button: the bar drawn at (888, 6), its hot zone up to the right edge.
constexpr int kBarX = 888, kBarY = 6;
constexpr int kHintZoneW = 200, kHintZoneH = 52;
// The all-found plaque: centred on x 512 in the upper scene, sliding in as it fades in;
// the slots sparkle one after another from the left.
constexpr int kAllFoundY = 232;
constexpr int kAllFoundIn = 400;     // ms to come in
constexpr float kAllFoundSlide = 24;  // px it slides down while coming in
constexpr int kSlotStep = 110;        // ms between two slots' sparkles

THOHooks gHooks;

void neutral() {
    SetColor(255, 255, 255);
    SetAlpha(1);
    SetBlend(ALPHABLEND);
    SetScale(1, 1);
    SetRotation(0);
}

// A title or count in the game's gold with its ink rim and shadow, centred on x.
void shadowedCentred(const std::string& text, int cx, int y) {
    drawShadowedText(text, float(cx - TextWidth(text) / 2), float(y), typestyle::kGold, 1);
    SetColor(255, 255, 255);
}

}  // namespace

THOHooks& hoHooks() { return gHooks; }

// ---- the hint marker ------------------------------------------------------------------

std::shared_ptr<THOHint> createHOHint(int obx, int oby, int x2, int y2) {
    auto h = std::make_shared<THOHint>();
    h->x1 = 50;
    h->y1 = 690;
    h->x2 = float(x2);
    h->y2 = float(y2);
    h->obx = float(obx);
    h->oby = float(oby);
    h->createM();
    return h;
}

int THOHint::createM() {
    mx1 = x1, my1 = y2;
    mx2 = x2, my2 = y1;
    return 0;
}

int THOHint::updateFly() {
    stan = 1;
    od = 60;
    return 0;
}

int THOHint::updateRotate() {
    r -= 3 * delta;
    if (timeRot == 0) od += 3 * delta;
    else if (Millisecs() > timeRot) hiddenObject.hoHint.reset();  // released after this step
    if (od > 60) {
        od = 60;
        timeRot = Millisecs() + 4000;
    }
    x = x2 + std::cos(r * kDeg) * od;
    y = y2 + std::sin(r * kDeg) * od;
    generate2();
    return 0;
}

int THOHint::update() {
    if (stan == 0) return updateFly();
    if (stan == 1) return updateRotate();
    return 0;
}

int THOHint::generate() {
    if (Millisecs() > time) {
        createHintParticle2(x, y);
        time = Millisecs() + 25;
    }
    return 0;
}

int THOHint::generate2() {
    if (Millisecs() > time) {
        createHintParticle1(x, y);
        time = Millisecs() + 25;
    }
    return 0;
}

// ---- set-up and levels ------------------------------------------------------------------

int THiddenObject::setup() {
    const auto texts = loadTxtFile(bDir + "txt/#LANG#/hiddenObject.txt");
    txtHint = readTxtData(texts, 2);
    txtAllFound = readTxtData(texts, 1);
    Gui = loadGui(bDir + "gfx/miniGames/hiddenObjects/hiddenObject.gui");
    pasek = LoadImage(bDir + "gfx/minigames/pasek.png");
    nakrycie = LoadImage(bDir + "gfx/minigames/nakrycie.png");
    panelGui = LoadImage(bDir + "gfx/minigames/gornyPanel.png");
    font = myLoadImageFont(bDir + "gfx/fonts/berry.ttf", 36);
    font2 = myLoadImageFont(bDir + "gfx/fonts/berry.ttf", 24);
    THObject::pickImg = LoadImage(bDir + "gfx/miniGames/hiddenObjects/pick.png");
    MidHandleImage(THObject::pickImg);
    fontAllFound = myLoadImageFont(bDir + "gfx/fonts/berry.ttf", 44);
    allFoundPlaque = LoadImage(bDir + "gfx/miniGames/hiddenObjects/allFound.png");
    allFoundGlow = LoadImage(bDir + "gfx/miniGames/hiddenObjects/allFoundGlow.png");
    if (allFoundPlaque) MidHandleImage(allFoundPlaque);
    if (allFoundGlow) MidHandleImage(allFoundGlow);
    loaded = true;
    return 0;
}

int THiddenObject::setLevel(const std::shared_ptr<THOLevel>& l) {
    level = l;
    panel = level ? loadHOImage(level->guiUrl) : nullptr;
    if (level && !panel) errorMsg("Hidden-object panel \"" + level->guiUrl + "\" not found");
    if (panel) SetImageHandle(panel, float(ImageWidth(panel) / 2), 0);
    kolejnosc().clear();
    hintsUsed = badClicks = skipedPuzzle = 0;
    hoView().group = level ? level->group : nullptr;
    // Nothing of the previous scene may be clicked, dragged or edited in this one.
    over.reset();
    edOver.reset();
    edClick.reset();
    return 0;
}

int THiddenObject::setState(const std::string& s) {
    state = s;
    for (auto& c : state) c = char(std::toupper(static_cast<unsigned char>(c)));
    return 0;
}

int THiddenObject::prepare() {
    if (!loaded) setup();
    fade = 1;
    dFade = 0;
    _exit = 0;
    setState("BEGIN");
    hintTime = Millisecs();
    allFound = false;
    slotsLit = 0;
    if (level)
        for (auto& o : level->objects) o->update();
    globalSnd.playLevelMusic();
    _prepareDelta();
    return 0;
}

std::string THiddenObject::mainLoop() {
    prepare();
    while (frame()) {
    }
    return wynik;
}

bool THiddenObject::frame() {
    Cls();
    update();
    draw();
    myFlip(1, this);
    if (editorOn) _controlEditor();
    if (cheats) {
        if (KeyHit('E')) editorOn = editorOn ? 0 : 1;
        if (KeyHit('W')) WIN();
    }
    if (Gui && Gui->clickedItem("MENU")) goMenu();
    if ((fade == 1 && dFade == 1) || _exit != 0) {
        // The scene's leaves and bubbles end with it.
        fx::clear(listaPogody);
        return false;
    }
    return true;
}

int THiddenObject::goMenu() {
    actOnMenuAnswer(gHooks.menu ? gHooks.menu(*this) : std::string(), wynik, dFade, gHooks.log);
    return 0;
}

int THiddenObject::WIN() {
    setState("WIN");
    if (gHooks.log) gHooks.log(1);
    if (auto& p = profileManager.profile) p->updateLevelData(p->numerLevelu, 1, 0, 1, 0, 1);
    return 0;
}

int THiddenObject::click(const std::shared_ptr<THObject>& o) {
    if (o) o->pick();
    return 0;
}

// ---- per frame ------------------------------------------------------------------------

int THiddenObject::update() {
    _updateSystem(0);
    if (gHooks.tutorialUpdate) gHooks.tutorialUpdate(*this);
    _updateState();
    _updateParticles();
    _updateHint();
    _updateGui();
    _updateFade();
    _updateTime();
    _updateBack();
    if (level) _updateBackElement(level->obiektyTla);
    _updatePogoda();
    const bool onWidget = Gui && !Gui->_over.empty();
    if (mouse.leftPressed && !onWidget && !over && dha == 0) globalSnd.playMySound("HO_bad");
    return 0;
}

int THiddenObject::_updateState() {
    if (editorOn) return _updateEditor();
    if (state == "BEGIN") _update_STATE_Begin();
    else if (state == "WIN") _update_STATE_WIN();
    else if (state == "NORMAL") _update_STATE_Game();
    _updateAllFound();
    return 0;
}

int THiddenObject::_update_STATE_Begin() {
    if (fade == 0) {
        checkDialogs("BEGIN");
        setState("NORMAL");
    }
    return 0;
}

int THiddenObject::_update_STATE_Game() {
    over.reset();
    if (!level) return 0;
    for (auto& o : level->objects)
        if (o->update()) over = o;
    if (mouse.leftPressed) {
        if (over) {
            click(over);
            globalSnd.playMySound("HO_ok");
        } else {
            ++badClicks;
        }
    }
    if (!allFound && !level->objects.empty() &&
        std::none_of(level->objects.begin(), level->objects.end(), [](const auto& o) { return o->state.empty(); }))
        _startAllFound();
    if (level->completed()) WIN();
    return 0;
}

// ---- the all-found moment -------------------------------------------------------------

void THiddenObject::_startAllFound() {
    allFound = true;
    allFoundAt = Millisecs();
    slotsLit = 0;
    // A ring of gold sparks round the plaque as it comes in.
    for (int i = 0; i < 28; ++i) {
        const float a = float(i) * 360.0f / 28.0f * kDeg;
        createHOPickParticle1(512 + std::cos(a) * 215, float(kAllFoundY) + std::sin(a) * 52);
    }
}

void THiddenObject::_updateAllFound() {
    if (!allFound || !level) return;
    // The slots light one after another, left to right.
    const int t = Millisecs() - allFoundAt;
    while (slotsLit < level->objects.size() && t >= int(slotsLit) * kSlotStep) {
        const auto& d = *level->objects[slotsLit]->doZebraniaDim;
        for (int k = 0; k < 5; ++k) createHOPickParticle1(d.x + float(Rand(-24, 24)), d.y + float(Rand(-24, 24)));
        ++slotsLit;
    }
}

float THiddenObject::allFoundShown() const {
    if (!allFound) return 0;
    const float p = float(Millisecs() - allFoundAt) / float(kAllFoundIn);
    return p >= 1 ? 1.0f : p <= 0 ? 0.0f : std::sin(p * 90 * kDeg);
}

void THiddenObject::_drawAllFound() {
    const float shown = allFoundShown();
    if (shown <= 0) return;
    const float y = float(kAllFoundY) - (1 - shown) * kAllFoundSlide;
    neutral();
    if (allFoundGlow) {
        // A slow swell, always some light behind the words.
        const float pulse = 0.8f + 0.2f * std::sin(float(Millisecs() - allFoundAt) * 0.18f * kDeg);
        SetBlend(LIGHTBLEND);
        SetAlpha(0.7f * shown * pulse);
        DrawImage(allFoundGlow, 512, y);
        SetBlend(ALPHABLEND);
    }
    SetAlpha(shown);
    if (allFoundPlaque) DrawImage(allFoundPlaque, 512, y);
    SetImageFont(fontAllFound);
    drawCarvedText(txtAllFound, float(512 - TextWidth(txtAllFound) / 2), y - float(TextHeight(txtAllFound)) / 2 - 3,
                   3, shown);
    neutral();
}

int THiddenObject::_update_STATE_WIN() {
    if (dFade == 0) checkDialogs("END");
    dFade = 1;
    globalSnd.musicGoDown();
    wynik = "GET-NEXT-LEVEL";
    return 0;
}

int THiddenObject::_updateHint() {
    const int now = Millisecs();
    if (now > hintTime) {
        dha = mouse.inRect(kBarX, 0, kHintZoneW, kHintZoneH) ? 0.5f : 0.0f;
        if (dha != 0 && mouse.leftPressed) useHint();
    } else {
        dha = 0;
    }
    if (hoHint) {
        auto keep = hoHint;  // the marker may release itself during its step
        keep->update();
    }
    easeToward(ha, dha, 0.02f, delta);
    return 0;
}

int THiddenObject::useHint() {
    hintTime = Millisecs() + maxHintTime;
    globalSnd.playMySound("HO_hint");
    std::vector<std::shared_ptr<THObject>> hidden;
    if (level)
        for (auto& o : level->objects)
            if (o->state.empty()) hidden.push_back(o);
    if (!hidden.empty()) {
        const auto& o = hidden[size_t(Rand(1, int(hidden.size())) - 1)];
        const int x = int(o->ukrytyDim->x), y = int(o->ukrytyDim->y);
        hoHint = createHOHint(x, y, x, y);
    }
    ++hintsUsed;
    return 0;
}

int THiddenObject::_updateTime() {
    const int now = Millisecs();
    if (now > time) {
        time = now + 1;
        if (level) ++level->time;
    }
    if (cheats && KeyHit('R') && level)
        for (auto& l : level->lights) l->reset();
    return 0;
}

int THiddenObject::_updateBack() {
    if (!level) return 0;
    _updateBanki(level->banki);
    const int now = Millisecs();
    for (auto& d : level->leaves) {
        if (now <= d->x2) continue;
        d->x2 = float(now) + d->x1;
        const int y = Rand(int(d->y), int(d->y + d->h));
        const int x = Rand(int(d->x), int(d->x + d->w));
        createLeaves(x, y);
    }
    return 0;
}

// ---- drawing ----------------------------------------------------------------------------

int THiddenObject::draw() {
    _drawBack();
    _drawEffects();
    if (level) _drawBackElement(level->obiektyTla);
    _drawDrugiPlan();
    _drawGame();
    _drawPogoda();
    _drawGui();
    _drawInfo();
    _drawParticles();
    if (gHooks.tutorialDraw) gHooks.tutorialDraw(*this);
    _drawFade();
    _drawMouse();
    return 0;
}

int THiddenObject::_drawBack() {
    neutral();
    if (level && level->background) DrawImage(level->background, 0, 0);
    return 0;
}

int THiddenObject::_drawDrugiPlan() {
    if (level && level->drugiPlan) {
        neutral();
        DrawImage(level->drugiPlan, 0, 0);
    }
    if (editorOn) _drawMaska();
    return 0;
}

int THiddenObject::_drawGame() {
    neutral();
    if (!level) return 0;
    for (auto& o : level->objects) {
        if (editorOn) o->ua = o->us = 1;
        o->drawUkryty();
    }
    for (auto& m : level->masks) m->draw();
    _drawLights();
    return 0;
}

int THiddenObject::_drawLights() {
    if (level)
        for (auto& l : level->lights) l->draw();
    return 0;
}

int THiddenObject::_drawGui() {
    neutral();
    if (panelGui) DrawImage(panelGui, 0, 0);
    _drawHint();
    if (panel) DrawImage(panel, 512, float(767 - ImageHeight(panel)));
    if (panelGorny) DrawImage(panelGorny, 0, 0);
    if (level) {
        for (auto& o : level->objects) o->drawDoZebrania();
        for (auto& o : level->objects) o->drawZebrany();
        for (auto& o : level->objects) o->drawPick();
    }
    SetRotation(0);
    if (Gui) Gui->draw();
    return 0;
}

int THiddenObject::_drawHint() {
    SetImageFont(font2);
    const int now = Millisecs();
    const float f = now > hintTime ? 1.0f : 1.0f - float(hintTime - now) / float(maxHintTime);
    SetAlpha(1);
    if (pasek)
        DrawSubImageRect(pasek, kBarX, kBarY, f * float(ImageWidth(pasek)), float(ImageHeight(pasek)), 0, 0,
                         f * float(ImageWidth(pasek)), float(ImageHeight(pasek)));
    // The caption of a wood button: gold.
    SetColor(typestyle::kGold.r, typestyle::kGold.g, typestyle::kGold.b);
    DrawText(txtHint, float(950 - TextWidth(txtHint) / 2), 9);
    SetColor(255, 255, 255);
    if (nakrycie) {
        DrawImage(nakrycie, kBarX, kBarY);
        SetAlpha(ha);
        SetBlend(LIGHTBLEND);
        DrawImage(nakrycie, kBarX, kBarY);
    }
    SetAlpha(1);
    SetBlend(ALPHABLEND);
    return 0;
}

int THiddenObject::_drawInfo() {
    SetScale(1, 1);
    SetRotation(0);
    SetImageFont(font);
    if (level) shadowedCentred(level->title, 512, 5);
    _drawGroup();
    _drawAllFound();
    return 0;
}

int THiddenObject::_drawGroup() {
    if (!level || level->group->objects.empty()) return 0;
    SetImageFont(font2);
    const auto& g = *level->group;
    shadowedCentred(std::to_string(g.getFound()) + "/" + std::to_string(g.objects.size()), g.x, g.y);
    return 0;
}

// ---- the editor -------------------------------------------------------------------------

int THiddenObject::_updateEditor() {
    edOver.reset();
    if (mouse.leftHolded && edClick) {
        edClick->toMouse();
        return 0;
    }
    if (!mouse.leftHolded) edClick.reset();
    if (!level) return 0;
    for (auto& o : level->objects)
        if (o->edOver()) edOver = o;
    if (edOver && mouse.leftHolded) edClick = edOver;
    return 0;
}

int THiddenObject::_controlEditor() {
    if (KeyHit('1')) drawUkryte() ^= 1;
    if (KeyHit('2')) drawZebrany() ^= 1;
    if (KeyHit('3')) drawDoZebrania() ^= 1;
    if (KeyHit('M')) drawMaska ^= 1;
    if (KeyHit('S') && level) {
        if (saveHOLevel(*level, editorSavePath) == 0) Print("Scene saved to " + editorSavePath);
    }
    const bool up = KeyHit(KEY_UP), down = KeyHit(KEY_DOWN), left = KeyHit(KEY_LEFT), right = KeyHit(KEY_RIGHT);
    if (!edOver) return 0;
    if (up) edOver->move(0, -1);
    if (down) edOver->move(0, 1);
    if (left) edOver->move(-1, 0);
    if (right) edOver->move(1, 0);
    if (KeyDown('C')) edOver->startRot -= 1;
    if (KeyDown('V')) edOver->startRot += 1;
    if (KeyDown('A')) edOver->startScale -= 0.005f;
    if (KeyDown('Q')) edOver->startScale += 0.005f;
    return 0;
}

int THiddenObject::_drawMaska() {
    if (!drawMaska) return 0;
    if (!maska) maska = LoadImage(maskaUrl);
    if (maska) DrawImage(maska, 0, 0);
    return 0;
}

// ---- play log ---------------------------------------------------------------------------

void giveHiddenObjectsLog(TPlayLog& r) {
    const auto& s = hiddenObject;
    r.time = s.level ? s.level->time : 0;
    r.fails = s.badClicks;
    r.kolejnoscPrzedmiotow = hoView().kolejnosc;
    r.doOdkrycia = s.level ? int(s.level->objects.size()) : 0;
    r.skipPuzzle = s.skipedPuzzle;
    r.hintsUsed = s.hintsUsed;
}
