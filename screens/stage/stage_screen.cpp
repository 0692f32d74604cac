#include "screens/stage/stage_screen.h"

#include <algorithm>

#include "app/frame.h"
#include "app/profile/profile.h"
#include "app/profile/profile_manager.h"
#include "game/flow/level_manager.h"
#include "gui/core/gui.h"
#include "gui/data/qcmfile.h"
#include "gui/data/txtfile.h"
#include "gui/frame/deltatime.h"
#include "gui/frame/fontcache.h"
#include "gui/frame/modal.h"
#include "gui/frame/mouse.h"
#include "gui/globals.h"
#include "gui/text/type_style.h"
#include "platform/input.h"
#include "platform/system.h"
#include "screens/map/mapa.h"

TStageScreen stageScreen;

void resetStageScreen() {
    stageScreen.~TStageScreen();
    new (&stageScreen) TStageScreen();
}

TProfile* TStageScreen::profile() const { return profileManager.profile.get(); }

float TStageScreen::cellX(int k) const { return startX + float(k % kColumns) * stepX; }
float TStageScreen::cellY(int k) const { return startY + float(k / kColumns) * stepY; }

bool TStageScreen::inIcon(const TImage& icon, float x, float y) {
    if (!icon) return false;
    const int w = ImageWidth(icon), h = ImageHeight(icon);
    const int left = int(x - float(w / 2));
    const int top = int(y - float(h / 2));
    return mouse.inRect(left, top, w, h) != 0;
}

float TStageScreen::overA(const TLevelData& level) const {
    auto it = glow.find(&level);
    return it == glow.end() ? 0.0f : it->second.overA;
}

// ---- setup ---------------------------------------------------------------------------------

int TStageScreen::setup() {
    txtLevel = readTxtData(loadTxtFile(bDir + "txt/#LANG#/stageScreen.txt"), 1);
    Gui = loadGui(bDir + "gfx/gui/stageScreen/stageScreen.gui");
    const char* icons[4] = {"level_zerkon.png", "level_express.png", "level_ho.png", "level_inLay.png"};
    for (size_t i = 0; i < levelTypeImg.size(); ++i) {
        levelTypeImg[i] = LoadImage(bDir + "gfx/gui/stageScreen/" + icons[i]);
        if (levelTypeImg[i]) MidHandleImage(levelTypeImg[i]);
    }
    panel = LoadImage(bDir + "gfx/gui/stageScreen/panel.png");
    font1 = myLoadImageFont(bDir + "gfx/fonts/berry.ttf", 18);
    font2 = myLoadImageFont(bDir + "gfx/fonts/berry.ttf", 24);
    sizeFont = myLoadImageFont(bDir + "gfx/fonts/berry.ttf", 15);
    nameFont = myLoadImageFont(bDir + "gfx/fonts/berry.ttf", 30);
    detailFont = myLoadImageFont(bDir + "gfx/fonts/berry.ttf", 22);
    auto txt = loadTxtFile(bDir + "txt/#LANG#/stageScreen.txt");
    // Lines a shorter text lacks stay empty rather than showing the lookup's placeholder.
    auto line = [&txt](int n) { return txt && n <= txt->lines() ? readTxtData(txt, n) : std::string(); };
    for (size_t i = 0; i < txtKind.size(); ++i) txtKind[i] = line(12 + int(i));
    txtWon = line(16);
    txtNotWon = line(17);
    txtLocked = line(18);
    txtScore = line(19);
    txtTime = line(20);
    loaded = true;
    return 0;
}

// ---- rules ---------------------------------------------------------------------------------

namespace {

// The game types with an icon, in the order of levelTypeImg; -1 for any other.
int typeSlot(const std::string& gameType) {
    static constexpr const char* kTypes[] = {"MAIN-GAME", "PUZZLE-EXPRESS", "HIDDEN-OBJECT", "LAY-PUZZLE"};
    for (int i = 0; i < 4; ++i)
        if (gameType == kTypes[i]) return i;
    return -1;
}

}  // namespace

bool TStageScreen::knownType(const std::string& gameType) { return typeSlot(gameType) >= 0; }

TImage TStageScreen::getProperImg(const std::string& gameType) const {
    const int slot = typeSlot(gameType);
    return slot < 0 ? nullptr : levelTypeImg[size_t(slot)];
}

int TStageScreen::levelPlayableDraw(const TLevelData& level, const TLevelData* previous) const {
    const TProfile* p = profile();
    const int32_t stageId = stage ? stage->id : 0;
    if (p) {
        if (p->getProfLevelData2(level.numer, stageId)) return 1;
        if (previous)
            if (auto rec = p->getProfLevelData2(previous->numer, stageId)) return rec->passed != 0 ? 1 : 0;
    }
    return level.numer == 1 ? 1 : 0;
}

int TStageScreen::levelPlayable(const TLevelData& level) const {
    const TProfile* p = profile();
    if (!p) return 0;
    auto rec = p->getProfLevelData2(level.numer, stage ? stage->id : 0);
    return rec && rec->passed != 0 ? 1 : 0;
}

std::shared_ptr<TLevelData> TStageScreen::getFirstUnplayedLevel() const {
    for (const auto& l : listaLeveli)
        if (l && !levelPlayable(*l)) return l;
    return listaLeveli.empty() ? nullptr : listaLeveli.front();
}

// ---- choices -------------------------------------------------------------------------------

int TStageScreen::click(const std::shared_ptr<TLevelData>& level) {
    wybrany = level;
    goPlay();
    return 0;
}

int TStageScreen::goPlay() {
    dFade = 1;
    wynik = "PLAY";
    chosen = true;
    return 0;
}

int TStageScreen::goPlayNext() {
    auto next = getFirstUnplayedLevel();
    if (!next) return 0;  // an empty stage has nothing to start
    dFade = 1;
    wybrany = next;
    if (TProfile* p = profile()) {
        p->numerStageu = wybrany->stageN;
        p->numerLevelu = wybrany->numer;
    }
    wynik = "PLAY";
    chosen = true;
    return 0;
}

int TStageScreen::goBack() {
    state = "HIDE";
    dAlpha = 0;
    wynik.clear();
    return 0;
}

// ---- per frame -----------------------------------------------------------------------------

int TStageScreen::_updateOver() {
    overLevel = nullptr;
    if (alpha == 0) return 0;
    const TLevelData* previous = nullptr;
    int k = 0;
    for (const auto& l : listaLeveli) {
        const float x = cellX(k), y = cellY(k);
        Glow& g = glow[l.get()];
        if (levelPlayableDraw(*l, previous) && inIcon(getProperImg(l->gameType), x, y)) {
            overLevel = l;
            g.dOverA = 1;
        } else {
            g.dOverA = 0;
        }
        easeToward(g.overA, g.dOverA, 0.05f, delta);
        previous = l.get();
        ++k;
    }
    if (overLevel && mouse.leftPressed && !chosen) click(overLevel);
    return 0;
}

int TStageScreen::_updateState() {
    if (state == "START") dAlpha = 1;
    if (state == "HIDE") dAlpha = 0;
    return _updateBackground();
}

int TStageScreen::_updateBackground() { return mapa.updateFromOtherScreen(); }

int TStageScreen::update() {
    _updateSystem(0);
    _updateFade();
    _updateAlpha();
    _updateGui();
    _updateOver();
    _updateState();
    return 0;
}

int TStageScreen::_drawBack() {
    mapa.draw();
    SetColor(255, 255, 255);
    SetAlpha(1);
    SetBlend(ALPHABLEND);
    SetScale(1, 1);
    SetRotation(0);
    return 0;
}

int TStageScreen::_drawPapirus() {
    drawModalDim(alpha);
    SetAlpha(alpha);
    if (panel) DrawImage(panel, 0, 0);
    return 0;
}

int TStageScreen::_drawLevel(const TLevelData& level, const TLevelData* previous, float x, float y) {
    SetColor(255, 255, 255);
    SetAlpha(alpha);
    const bool playable = levelPlayableDraw(level, previous) != 0;
    if (!playable) {
        SetAlpha(0.5f * alpha);
        SetScale(1, 1);
        SetBlend(ALPHABLEND);
    }
    // Body on parchment: the label in ink under the icon.
    const TRGB& ink = typestyle::kInkText;
    SetColor(ink.r, ink.g, ink.b);
    SetImageFont(font1);
    const std::string label = txtLevel + " - " + std::to_string(level.numer);
    DrawText(label, x - float(TextWidth(label) / 2), y + 30);
    SetColor(255, 255, 255);
    TImage icon = getProperImg(level.gameType);
    if (icon) DrawImage(icon, x, y);
    // A number on a dark plaque: the board's size in gold on the plaque beside the icon's grid.
    auto size = sizeLine.find(&level);
    if (icon && size != sizeLine.end() && !size->second.empty()) {
        SetImageFont(sizeFont);
        SetColor(typestyle::kGold.r, typestyle::kGold.g, typestyle::kGold.b);
        DrawText(size->second, x + kSizePlateX - float(TextWidth(size->second) / 2),
                 y - float(TextHeight(size->second) / 2));
        SetColor(255, 255, 255);
    }
    // A level won carries the map's check at the icon's top right corner.
    if (icon && TMapStage::done && levelPlayable(level)) {
        SetScale(0.5f, 0.5f);
        DrawImage(TMapStage::done, x + float(ImageWidth(icon) / 2) - 6, y - float(ImageHeight(icon) / 2) + 4);
        SetScale(1, 1);
    }
    if (icon && playable && overLevel.get() == &level) {
        SetBlend(LIGHTBLEND);
        SetAlpha(0.3f * alpha * overA(level));
        DrawImage(icon, x, y);
    }
    SetBlend(ALPHABLEND);
    return 0;
}

int TStageScreen::_drawLevels() {
    const TLevelData* previous = nullptr;
    int k = 0;
    for (const auto& l : listaLeveli) {
        _drawLevel(*l, previous, cellX(k), cellY(k));
        previous = l.get();
        ++k;
    }
    return 0;
}

int TStageScreen::_drawInfo() {
    if (!stage) return 0;
    SetColor(typestyle::kInkText.r, typestyle::kInkText.g, typestyle::kInkText.b);
    SetImageFont(font2);
    SetAlpha(alpha);
    DrawText(stage->title, float(512 - TextWidth(stage->title) / 2), 90);
    return _drawDetails();
}

std::shared_ptr<TLevelData> TStageScreen::shownLevel() const {
    if (overLevel) return overLevel;
    // A level that cannot be played yet tells why while the pointer is on it.
    int k = 0;
    for (const auto& l : listaLeveli) {
        if (l && inIcon(getProperImg(l->gameType), cellX(k), cellY(k))) return l;
        ++k;
    }
    return getFirstUnplayedLevel();
}

int TStageScreen::_drawDetails() {
    auto level = shownLevel();
    // A stage of more than one row of levels takes the middle for its grid.
    if (!level || !stage || listaLeveli.size() > size_t(kColumns)) return 0;
    const TLevelData* previous = nullptr;
    for (const auto& l : listaLeveli) {
        if (l == level) break;
        previous = l.get();
    }
    const bool playable = levelPlayableDraw(*level, previous) != 0;
    const bool won = levelPlayable(*level) != 0;
    const TProfile* p = profile();
    auto rec = p ? p->getProfLevelData2(level->numer, stage->id) : nullptr;

    // The level's icon, large, with its board size on the plaque.
    SetBlend(ALPHABLEND);
    SetColor(255, 255, 255);
    SetAlpha(alpha * (playable ? 1.0f : 0.5f));
    TImage icon = getProperImg(level->gameType);
    const float s = kDetailIconScale;
    SetScale(s, s);
    if (icon) DrawImage(icon, kDetailIconX, kDetailIconY);
    auto size = sizeLine.find(level.get());
    if (icon && size != sizeLine.end() && !size->second.empty()) {
        SetImageFont(sizeFont);
        SetColor(typestyle::kGold.r, typestyle::kGold.g, typestyle::kGold.b);
        DrawText(size->second, kDetailIconX + s * (kSizePlateX - float(TextWidth(size->second)) / 2),
                 kDetailIconY - s * float(TextHeight(size->second)) / 2);
    }
    SetScale(1, 1);

    // Beside it: the name (a won level's own, else its number), the kind, and how it stands.
    std::string name;
    if (won)
        if (auto entry = dynamic_cast<const TFlowEntry*>(level.get()))
            name = levelManager.nameFor(p ? p->flowType : "", entry->actualLevelNumber);
    if (name.empty()) name = txtLevel + " " + std::to_string(level->numer);
    const int slot = std::max(typeSlot(level->gameType), 0);
    const TRGB& ink = typestyle::kInkText;
    SetColor(ink.r, ink.g, ink.b);
    SetAlpha(alpha);
    float y = kDetailTextY;
    SetImageFont(nameFont);
    DrawText(name, kDetailTextX, y);
    y += float(TextHeight(name)) + 12;
    SetImageFont(detailFont);
    std::string kind = txtKind[size_t(slot)];
    if (size != sizeLine.end() && !size->second.empty() && !kind.empty()) kind += ", " + size->second;
    DrawText(kind, kDetailTextX, y);
    y += float(TextHeight("A")) + 10;
    const std::string state = won ? txtWon : playable ? txtNotWon : txtLocked;
    if (won && TMapStage::done) {
        // The map's check before "won", as on the icons of the row.
        SetColor(255, 255, 255);
        SetScale(0.6f, 0.6f);
        DrawImage(TMapStage::done, kDetailTextX + 10, y + float(TextHeight("A")) / 2);
        SetScale(1, 1);
        SetColor(ink.r, ink.g, ink.b);
        DrawText(state, kDetailTextX + 28, y);
    } else {
        DrawText(state, kDetailTextX, y);
    }
    y += float(TextHeight("A")) + 10;
    // A won picture puzzle keeps its score and time; the mini-games record no figures.
    if (won && rec && rec->score > 0) {
        const std::string figures = txtScore + " " + std::to_string(rec->score) + "    " + txtTime + " " +
                                    getTimeString(rec->time);
        DrawText(figures, kDetailTextX, y);
    }
    SetColor(255, 255, 255);
    SetAlpha(1);
    return 0;
}

int TStageScreen::draw() {
    _drawBack();
    _drawPapirus();
    _drawLevels();
    _drawInfo();
    SetColor(255, 255, 255);
    _drawGui();
    _drawFade();
    _drawMouse();
    return 0;
}

// ---- the visit -----------------------------------------------------------------------------

int TStageScreen::prepare(TMapStage& s) {
    if (!loaded) setup();
    stage = &s;
    alpha = dAlpha = fade = dFade = 0;
    state = "START";
    wynik.clear();
    chosen = false;
    overLevel = nullptr;
    glow.clear();
    listaLeveli.clear();
    if (TProfile* p = profile())
        // An entry of a game type without an icon can be neither shown nor clicked: leave
        // it out of the grid.
        for (const auto& l : p->getLeveleForStage(s.id))
            if (l && knownType(l->gameType)) listaLeveli.push_back(l);
    sizeLine.clear();
    for (const auto& l : listaLeveli) {
        if (l->gameType != "MAIN-GAME" || l->url.empty()) continue;
        // The progression gives the file under the resource folder already.
        auto file = loadQCMFile(l->url.rfind(bDir, 0) == 0 ? l->url : bDir + l->url);
        // The file gives rows, then columns; the badge reads width by height, as the board's
        // own caption does.
        const int rows = int(file->getFloat("level::data::dims", 0));
        const int cols = int(file->getFloat("level::data::dims", 1));
        if (cols > 0 && rows > 0) sizeLine[l.get()] = std::to_string(cols) + "x" + std::to_string(rows);
    }
    const bool canPlay = !listaLeveli.empty() && levelPlayableDraw(*listaLeveli.front(), nullptr) != 0;
    if (Gui)
        if (auto play = Gui->getItem("play")) play->setState(canPlay ? 1 : 0, canPlay ? 1 : 0);
    FlushMouse();
    FlushKeys();
    mouse.clear();
    return 0;
}

int TStageScreen::_controlGUI() {
    // Buttons answer only on a fully shown panel, and no longer once a level is chosen.
    if (alpha != 1 || chosen) return 0;
    const bool back = Gui && Gui->clickedItem("back");
    if (back || KeyHit(KEY_ESCAPE)) goBack();
    if (Gui && Gui->clickedItem("play")) goPlayNext();
    return 0;
}

std::string TStageScreen::mainLoop(TMapStage& s) {
    prepare(s);
    while (true) {
        Cls();
        update();
        draw();
        myFlip(1, this);
        _controlGUI();
        if (alpha == 0 && dAlpha == 0) break;
        if (fade == 1 && dFade == 1) break;
    }
    return wynik;
}
