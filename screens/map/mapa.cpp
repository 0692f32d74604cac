#include "screens/map/mapa.h"

#include <algorithm>
#include <cmath>

#include "app/frame.h"
#include "app/profile/profile.h"
#include "app/profile/profile_manager.h"
#include "game/flow/level_manager.h"
#include "gui/core/gui.h"
#include "gui/data/qcmfile.h"
#include "gui/data/txtfile.h"
#include "gui/frame/deltatime.h"
#include "gui/frame/fontcache.h"
#include "gui/frame/mouse.h"
#include "gui/globals.h"
#include "gui/text/draw.h"
#include "gui/text/type_style.h"
#include "platform/input.h"
#include "platform/strings.h"
#include "platform/system.h"

// The marker pictures first: the map's constructor resets them.
TImage TMapStage::locked;
TImage TMapStage::unlocked;
TImage TMapStage::done;
TImage TMapStage::label;
TMapa mapa;

namespace {

constexpr float kPi = 3.14159265358979f;
float sinDeg(float d) { return std::sin(d * kPi / 180.0f); }
float cosDeg(float d) { return std::cos(d * kPi / 180.0f); }

TProfile* currentProfile() { return profileManager.profile.get(); }

// Until the stage screen exists the map plays the stage's first level not yet passed.
TStageChoice standInStageScreen(TMapStage& stage) {
    TStageChoice choice;
    const TProfile* p = currentProfile();
    if (!p) return choice;
    auto entry = levelManager.firstUnplayedLevel(*p, stage.id);
    if (!entry) {
        auto all = p->flowType == "HARD" ? levelManager.getHardLevelsByStage(stage.id)
                                         : levelManager.getCasualLevelsByStage(stage.id);
        if (!all.empty()) entry = all.front();
    }
    if (!entry) return choice;
    choice.result = "PLAY";
    choice.wybrany = entry;
    return choice;
}

TStageScreenRunner gStageRunner;

// A packed 0x??RRGGBB pixel split into its channels (the top byte ignored).
TRGB splitPixel(uint32_t value) {
    TRGB c;
    c.r = int32_t((value >> 16) & 0xFF);
    c.g = int32_t((value >> 8) & 0xFF);
    c.b = int32_t(value & 0xFF);
    return c;
}

TImage loadCentred(const std::string& path) {
    TImage im = LoadImage(bDir + path);
    if (im) MidHandleImage(im);
    return im;
}

}  // namespace

void setStageScreenRunner(TStageScreenRunner runner) { gStageRunner = std::move(runner); }

TStageChoice runStageScreen(TMapStage& stage) {
    return gStageRunner ? gStageRunner(stage) : standInStageScreen(stage);
}

// ---- markers -------------------------------------------------------------------------------

TImage TMapStage::getProperImg() const { return wolny != 0 ? unlocked : locked; }

namespace {
// Left and right ends of the label picture kept as drawn; the middle stretches.
constexpr float kLabelCap = 14;
constexpr float kLabelPad = 10;

bool isCurrentStage(const TMapStage& s) { return s.isAvailable && s.id != 0 && mapa.voyageStage == s.id; }
}  // namespace

int TMapStage::draw() {
    float a = isAvailable ? 1.0f : 0.3f;
    TImage pic = getProperImg();
    if (!isAvailable && locked) pic = locked;
    else if (isAvailable && won && done) pic = done;
    SetScale(1, 1);
    SetBlend(ALPHABLEND);
    SetAlpha(a);
    SetColor(255, 255, 255);
    if (pic) DrawImage(pic, x, y);
    if (overA != 0 && pic) {
        SetBlend(LIGHTBLEND);
        SetAlpha(sinDeg(90 * overA) * 0.3f * a);
        DrawImage(pic, x, y);
    }
    return 0;
}

int TMapStage::drawLabel() {
    if (title.empty()) return 0;
    SetImageFont(mapa.font2);
    const float w = float(TextWidth(title)), h = float(TextHeight(title));
    const float tx = x - float(TextWidth(title) / 2);
    const float ty = y + 20;
    const float a = mapa.alpha;
    const bool current = isCurrentStage(*this);
    SetScale(1, 1);
    SetRotation(0);
    SetBlend(ALPHABLEND);
    // The label of the stage where the voyage goes on is gilded; the others plain parchment.
    if (current) SetColor(typestyle::kGold.r, typestyle::kGold.g, typestyle::kGold.b);
    else SetColor(255, 255, 255);
    SetAlpha(a);
    if (label) {
        const float lw = float(ImageWidth(label)), lh = float(ImageHeight(label));
        const float left = tx - kLabelPad, top = ty + h / 2 - lh / 2, width = w + 2 * kLabelPad;
        DrawSubImageRect(label, left, top, kLabelCap, lh, 0, 0, kLabelCap, lh);
        DrawSubImageRect(label, left + kLabelCap, top, std::max(0.0f, width - 2 * kLabelCap), lh, kLabelCap, 0,
                         lw - 2 * kLabelCap, lh);
        DrawSubImageRect(label, left + width - kLabelCap, top, kLabelCap, lh, lw - kLabelCap, 0, kLabelCap, lh);
    }
    // Body on parchment: ink, a little faded on a stage not reached yet.
    const TRGB& ink = typestyle::kInkText;
    SetColor(ink.r, ink.g, ink.b);
    SetAlpha(isAvailable ? a : 0.3f * a);
    DrawText(title, tx, ty);
    SetColor(255, 255, 255);
    SetAlpha(1);
    return 0;
}

int TMapStage::update() {
    easeToward(overA, dOverA, 0.05f, delta);
    if (wolny == 0) {
        dOverA = 0;
        return 0;
    }
    int w = locked ? ImageWidth(locked) : 0;
    int h = locked ? ImageHeight(locked) : 0;
    if (mouse.inRect(int(x - float(w / 2)), int(y - float(h / 2)), w, h)) {
        dOverA = 1;
        return 1;
    }
    dOverA = 0;
    return 0;
}

int TMapStage::resetAsNew() {
    newTime = Millisecs() + 4000;
    return 0;
}

int TMapStage::updateAsNew() {
    int32_t now = Millisecs();
    if (now > newTime || now <= partTime) return 0;
    float cx = mapa.newStage ? mapa.newStage->x : x;
    float cy = mapa.newStage ? mapa.newStage->y : y;
    for (int i = 0; i < 7; ++i) {
        float angle = float(Rand(1, 360));
        int r = 255, g = 255, b = 255;
        if (i < 5) {
            r = Rand(200, 255);
            g = Rand(200, 255);
            b = 0;
        }
        if (mapa.ambience) mapa.ambience->burstParticle(cx + 50 * cosDeg(angle), cy + 50 * sinDeg(angle), r, g, b);
    }
    partTime = now + 10;
    return 0;
}

// ---- the map -------------------------------------------------------------------------------

TMapa::TMapa() { reset(); }

void TMapa::reset() {
    mapStages.clear();
    morzeTime = falaTime = 0;
    img = panel = arrowImg = rekinImg = nullptr;
    windDir = 1;
    newStage = overStage = nullptr;
    voyageStage = 0;
    arX = ary = arP = 0;
    dArp = 1;
    waveDim.fill(nullptr);
    sharkDim.fill(nullptr);
    sharkA = sharkPer = sharkX = sharkY = sharkAdy = 0;
    sharkTime = 0;
    font2 = font3 = nullptr;
    txtLevel.clear();
    Gui = nullptr;
    wynik.clear();
    alpha = dAlpha = 1;
    fade = dFade = 0;
    aSpeed = fSpeed = 0.05f;
    ambience = createBasicMapAmbience();
    TMapStage::locked = TMapStage::unlocked = TMapStage::done = TMapStage::label = nullptr;
}

int TMapa::setup() {
    _setupSelf();
    _setupChmury();
    _setupRekin();
    _setupStages();
    _setupTxt();
    _setupDims();
    return 0;
}

int TMapa::_setupSelf() {
    arrowImg = LoadImage(bDir + "gfx/gui/mapa/arrow.png");
    if (arrowImg) SetImageHandle(arrowImg, 20, 40);
    panel = LoadImage(bDir + "gfx/gui/mapa/panel.png");
    img = loadCentred("gfx/gui/mapa/mapa.jpg");
    font2 = myLoadImageFont(bDir + "gfx/fonts/berry.ttf", 24);
    font3 = myLoadImageFont(bDir + "gfx/fonts/berry.ttf", 26);
    Gui = loadGui(bDir + "gfx/gui/mapa/mapa.gui");
    return 0;
}

int TMapa::_setupChmury() {
    if (!ambience) ambience = createBasicMapAmbience();
    ambience->setup();
    return 0;
}

int TMapa::_setupRekin() {
    rekinImg = loadCentred("gfx/gui/mapa/rekin.png");
    // Only the first point is ever used: every swim starts there.
    static const int pts[5][2] = {{525, 525}, {100, 390}, {605, 220}, {75, 140}, {860, 610}};
    for (size_t i = 0; i < sharkDim.size(); ++i) sharkDim[i] = createSimpleDim(pts[i][0], pts[i][1]);
    return 0;
}

int TMapa::_setupStages() {
    auto titles = loadTxtFile(bDir + "txt/#LANG#/stageScreen.txt");
    TMapStage::locked = loadCentred("gfx/gui/mapa/stage-0.png");
    TMapStage::unlocked = loadCentred("gfx/gui/mapa/stage-1.png");
    TMapStage::done = loadCentred("gfx/gui/mapa/stage-done.png");
    TMapStage::label = LoadImage(bDir + "gfx/gui/mapa/label.png");
    mapStages.clear();
    auto file = loadQCMFile(bDir + "data/mapStages.dat");
    const int32_t n = file->getCount("mapStages::i", "stage");
    for (int32_t k = 1; k <= n; ++k) {
        std::string g = "mapStages::stage" + str::formatInt(k) + "::";
        auto s = std::make_shared<TMapStage>();
        s->x = file->getFloat(g + "position", 0);
        s->y = file->getFloat(g + "position", 1);
        s->id = file->getInt(g + "id");
        s->title = readTxtData(titles, file->getInt(g + "name"));
        mapStages.push_back(s);
    }
    return 0;
}

int TMapa::_setupTxt() {
    txtLevel = readTxtData(loadTxtFile(bDir + "txt/#LANG#/stageScreen.txt"), 1);
    return 0;
}

int TMapa::_setupDims() {
    static const int pts[8][3] = {{881, 675, 1},  {580, 478, 1},  {522, 365, 1},  {843, 311, 1},
                                  {937, 707, 1},  {949, 636, 1},  {960, 418, -1}, {785, 637, -1}};
    for (size_t i = 0; i < waveDim.size(); ++i) waveDim[i] = createDim(pts[i][0], pts[i][1], pts[i][2], 0);
    return 0;
}

std::shared_ptr<TMapStage> TMapa::getMapStage(int32_t stageId) const {
    for (const auto& s : mapStages)
        if (s->id == stageId) return s;
    return nullptr;
}

void TMapa::setNewStageById(int32_t stageId) { newStage = stageId == 0 ? nullptr : getMapStage(stageId); }

// ---- prepare -------------------------------------------------------------------------------

int TMapa::_prepareSelf() {
    fade = 1;
    dFade = 0;
    alpha = 0;
    dAlpha = 1;
    aSpeed = 0.01f;
    wynik = "MAIN-GAME";
    return 0;
}

int TMapa::_prepareRekin() {
    sharkTime = Millisecs() + Rand(10, 15) * 1000;
    sharkPer = 0;
    sharkA = 0;
    if (sharkDim[0]) {
        sharkX = sharkDim[0]->x;
        sharkY = sharkDim[0]->y;
    }
    return 0;
}

int TMapa::_prepareClouds() {
    windDir = 1;
    if (Rand(0, 1) == 1) windDir = -1;
    return 0;
}

int TMapa::_prepareStages() {
    for (auto& s : mapStages) s->wolny = 1;
    return 0;
}

int TMapa::_prepareSpecNewStage(const std::shared_ptr<TMapStage>& stage) {
    // A stage the hard progression does not know counts as one with no level passed.
    auto data = levelManager.getStageData(stage->id);
    if (!data || data->isAtLeastOneLevelPassed(currentProfile()) == 0) newStage = stage;
    return 0;
}

int TMapa::_prepareNewStage() {
    const TProfile* p = currentProfile();
    auto current = p ? getMapStage(p->numerStageu) : nullptr;
    if (current && !newStage) _prepareSpecNewStage(current);
    if (newStage) {
        if (!current) newStage = nullptr;
        else newStage->resetAsNew();
    }
    if (!current) {
        arX = -100;
    } else {
        arX = current->x;
        ary = current->y - 40;
    }
    return 0;
}

int TMapa::_prepareStagesAvailable() {
    const TProfile* p = currentProfile();
    for (auto& s : mapStages) s->isAvailable = (p && p->isStageAvailable(s->id) != 0) ? 1 : 0;
    if (newStage) newStage->isAvailable = 1;
    return 0;
}

int TMapa::_prepareMarks() {
    const TProfile* p = currentProfile();
    voyageStage = p ? levelManager.voyageStage(*p) : 0;
    for (auto& s : mapStages) s->won = p && levelManager.stageWon(*p, s->id) ? 1 : 0;
    return 0;
}

int TMapa::prepare() {
    _prepareSelf();
    _prepareRekin();
    _prepareClouds();
    _prepareStages();
    _prepareNewStage();
    _prepareStagesAvailable();
    _prepareMarks();
    return 0;
}

// ---- loop ----------------------------------------------------------------------------------

std::string TMapa::mainLoop() {
    prepare();
    while (true) {
        Cls();
        update();
        draw();
        myFlip(1, this);
        _controlGUI();
        if (KeyHit(66)) {
            _prepareRekin();
            sharkTime = 0;
        }
        if (dFade == 1 && fade == 1) break;
    }
    if (ambience) ambience->dropBurst();
    return wynik;
}

int TMapa::update() {
    _updateSystem(0);
    _updateFade();
    _updateMorze();
    _updateGui();
    _updateAlpha();
    _updateEfekty();
    _updatePer();
    _updateNewStage();
    _updateRekin();
    _updateStages();
    if (ambience) ambience->updateBurst();
    pap.update();
    return 0;
}

int TMapa::_updateEfekty() {
    if (ambience) ambience->updateClouds(windDir);
    _updateMorze();
    if (ambience) ambience->updateWaves();
    int32_t now = Millisecs();
    if (now > falaTime) {
        falaTime = now + 700;
        auto& w = waveDim[size_t(Rand(0, 7))];
        if (w && ambience) ambience->wave(w->x, w->y, w->w);
    }
    return 0;
}

int TMapa::_updateMorze() {
    int32_t now = Millisecs();
    if (now <= morzeTime) return 0;
    morzeTime = now + 10;
    if (!img || !ambience || ambience->sparkleCount() >= 300) return 0;
    // The chart is drawn centred on the screen: read only pixels that lie on it.
    int w = ImageWidth(img), h = ImageHeight(img);
    if (seaOf.lock() != img) {
        seaOf = img;
        sea.assign(size_t(w) * size_t(h), false);
        if (const Pixmap* pm = ImagePixmap(img); pm && pm->width == w && pm->height == h)
            for (size_t i = 0; i < sea.size(); ++i) {
                TRGB c = splitPixel(pm->pixels[i]);
                sea[i] = c.b > 140 && c.r < 80;
            }
        ForgetImagePixels(img);
    }
    int left = 512 - w / 2, top = 384 - h / 2;
    int n = Rand(4, 5);
    for (int i = 0; i < n; ++i) {
        int px = Rand(5, 1005), py = Rand(5, 760);
        int ix = px - left, iy = py - top;
        if (ix < 0 || iy < 0 || ix >= w || iy >= h) continue;
        if (sea[size_t(iy) * size_t(w) + size_t(ix)]) ambience->seaSparkle(float(px), float(py));
    }
    return 0;
}

int TMapa::_updateRekin() {
    if (Millisecs() <= sharkTime) return 0;
    sharkPer += 0.005f * delta;
    if (sharkPer > 1) sharkPer = 1;
    if (sharkPer < 0.3f) {
        sharkA = sharkPer / 0.3f;
        sharkAdy = -5 * sharkPer / 0.3f;
    } else if (sharkPer <= 0.7f) {
        sharkA = 1;
        sharkAdy = -5;
    } else {
        float q = 1 - (sharkPer - 0.7f) / 0.3f;
        sharkA = q;
        sharkAdy = -5 * q;
    }
    if (sharkPer == 1) _prepareRekin();
    return 0;
}

int TMapa::_updateNewStage() {
    if (newStage) newStage->updateAsNew();
    return 0;
}

int TMapa::_updateStages() {
    overStage = nullptr;
    for (auto& s : mapStages)
        if (s->update() == 1 && s->isAvailable == 1) overStage = s;
    if (overStage && mouse.leftPressed) {
        auto chosen = overStage;
        clickStage(*chosen);
    }
    return 0;
}

int TMapa::clickStage(TMapStage& stage) {
    TStageChoice choice = runStageScreen(stage);
    if (choice.result != "PLAY" || !choice.wybrany) return 0;
    fade = 1;
    dFade = 1;
    TProfile* p = currentProfile();
    if (!p) {
        wynik = "MAIN-MENU";
        return 0;
    }
    p->numerLevelu = choice.wybrany->numer;
    p->numerStageu = choice.wybrany->stageN;
    wynik = p->setLevel(*choice.wybrany);
    return 0;
}

int TMapa::updateFromOtherScreen() {
    _updateEfekty();
    _updateRekin();
    _updatePer();
    _updateAlpha();
    _updateFade();
    return 0;
}

int TMapa::_controlGUI() {
    if (Gui && Gui->clickedItem("menu")) goMenu();
    if (Gui && Gui->clickedItem("playnext")) goPlayNext();
    return 0;
}

int TMapa::goMenu() {
    dFade = 1;
    wynik = "MAIN-MENU";
    return 0;
}

int TMapa::goPlayNext() {
    TProfile* p = currentProfile();
    if (p && p->actLevel) wynik = p->ContinueGame();
    else wynik = "GET-NEXT-LEVEL";
    dFade = 1;
    return 0;
}

int TMapa::_updateArrow() {
    easeToward(arP, dArp, 0.06f, delta);
    if (arP == dArp) dArp = -dArp;
    return 0;
}

// ---- drawing -------------------------------------------------------------------------------

int TMapa::draw() {
    _drawBack();
    if (ambience) {
        ambience->drawWaves();
        ambience->updateSparkles();
        ambience->drawSparkles();
    }
    _drawStages();
    _drawRekin();
    _drawChmury();
    if (ambience) ambience->drawBurst();
    // Names last of the map itself: no cloud and no burst over them.
    for (auto& s : mapStages) s->drawLabel();
    _drawPanel();
    pap.draw();
    _drawGui();
    _drawFade();
    _drawMouse();
    return 0;
}

int TMapa::_drawBack() {
    SetRotation(0);
    SetScale(1, 1);
    SetAlpha(1);
    SetColor(255, 255, 255);
    SetBlend(ALPHABLEND);
    if (img) DrawImage(img, 512, 384);
    return 0;
}

int TMapa::_drawChmury() {
    if (ambience) ambience->drawClouds();
    return 0;
}

int TMapa::_drawStages() {
    for (auto& s : mapStages) s->draw();
    _updateArrow();
    _drawArrow();
    return 0;
}

int TMapa::_drawArrow() {
    float s = sinDeg(90 * arP);
    SetBlend(ALPHABLEND);
    SetAlpha(1);
    SetColor(255, 255, 255);
    SetRotation(0);
    SetScale(1 + 0.1f * s, 1 + 0.2f * s);
    if (arrowImg) DrawImage(arrowImg, arX, ary + 15 * s);
    SetScale(1, 1);
    return 0;
}

int TMapa::_drawRekin() {
    SetAlpha(sharkA);
    SetScale(1, 1);
    SetBlend(ALPHABLEND);
    SetColor(255, 255, 255);
    SetRotation(0);
    if (rekinImg) DrawImage(rekinImg, sharkX - 30 + 70 * sharkPer, sharkY - 5 + 12 * sharkPer + sharkAdy);
    return 0;
}

int TMapa::_drawPanel() {
    SetScale(1, 1);
    SetBlend(ALPHABLEND);
    SetRotation(0);
    SetColor(255, 255, 255);
    SetAlpha(1);
    if (panel) {
        SetImageHandle(panel, 0, 0);
        DrawImage(panel, 0, float(768 - ImageHeight(panel)));
    }
    const TProfile* p = currentProfile();
    if (!p) return 0;
    std::string text = txtLevel + " " + str::formatInt(p->numerStageu) + " - " + str::formatInt(p->numerLevelu);
    SetImageFont(font3);
    float x = 512 - float(TextWidth(text) / 2);
    float y = 720;
    SetColor(typestyle::kInk.r, typestyle::kInk.g, typestyle::kInk.b);
    SetAlpha(0.5f);
    DrawText(text, x + 3, y + 3);
    SetColor(typestyle::kGold.r, typestyle::kGold.g, typestyle::kGold.b);
    SetAlpha(1);
    DrawText(text, x, y);
    return 0;
}
