// The play screen's picture: background, board, held line, the panel with score, time,
// hints, chest and bag, the effects over it, and the stand-in choice box.
#include <algorithm>
#include <cmath>

#include "app/app_globals.h"
#include "app/profile/profile.h"
#include "effects/captions.h"
#include "effects/flying_bonus.h"
#include "effects/flying_tile.h"
#include "effects/flying_tresure.h"
#include "effects/kamien.h"
#include "effects/living.h"
#include "effects/odpad.h"
#include "effects/particles.h"
#include "effects/plate.h"
#include "effects/pogoda.h"
#include "game/board/level.h"
#include "game/board/tile.h"
#include "gui/core/gui.h"
#include "gui/frame/deltatime.h"
#include "gui/frame/modal.h"
#include "gui/frame/mouse.h"
#include "gui/text/draw.h"
#include "gui/text/split.h"
#include "gui/text/type_style.h"
#include "gui/widgets/button.h"
#include "platform/system.h"
#include "screens/play/main_game.h"
#include "screens/play/play_overlay.h"

namespace {

constexpr int kGoldR = 247, kGoldG = 222, kGoldB = 113;

void white(float a = 1) {
    SetColor(255, 255, 255);
    SetAlpha(a);
}

// Outlines and shadows of text: ink, never black.
void ink() { SetColor(typestyle::kInk.r, typestyle::kInk.g, typestyle::kInk.b); }

void gold(float a = 1) {
    SetColor(kGoldR, kGoldG, kGoldB);
    SetAlpha(a);
}

// Whether the cell's own drawing this frame is its cover, whole and opaque over the grid
// square: then the square under it need not be drawn (the cell draws as drawHiden does).
bool coverHidesGrid(const TTile& t, const TImage& grid) {
    if (t._flyingTile || t.odkryty == 1 || t.broken == 1 || t.state == tilestate::ROZBITY || !t.tdHide)
        return false;
    if (t.scale != 1 || t.rotation != 0 || t.alpha < 1) return false;
    const TImage& cover = t.tdHide->hideImg[size_t(clampSizeClass(t.sizeClass()))];
    return ImageCovers(cover, t.animTime > 0 ? int(t.animTime) : 0, grid, 0);
}

// Top-left corner of a text centred on (x, y), halves truncated toward zero.
void centredCorner(const std::string& text, float x, float y, float& tx, float& ty) {
    tx = x - float(TextWidth(text) / 2);
    ty = y - float(TextHeight(text) / 2);
}

}  // namespace

int TMainGame::draw() {
    _drawBack();
    _drawPogoda();
    _drawFlyingTiles();
    _drawLevel();
    _drawLivings();
    _drawHoldedTiles();
    _drawPanel();
    _drawScore();
    _drawTime();
    _drawHints();
    _drawChestBack();
    _drawFlyingTresures();
    _updateParticles(&particleSkarbu);
    _drawParticles(&particleSkarbu);
    _drawChestFront();
    SetBlend(ALPHABLEND);
    _drawGui();
    _drawWorek();
    _drawCover();
    _drawOdpady();
    _drawMiecz();
    _drawParticles();
    _drawLivings2();
    _drawPlates();
    _drawKamienie();
    _drawFlyingBonus();
    _drawCaptions();
    if (playHooks().tutorialDraw) playHooks().tutorialDraw(*this);
    _drawSpecialTip();
    _drawFade();
    _drawMouse();
    return 0;
}

int TMainGame::_drawBack() {
    SetRotation(0);
    SetBlend(ALPHABLEND);
    if (levelPtr && levelPtr->background) {
        levelPtr->drawBack();
        return 0;
    }
    // A stage without its picture: a plain sea, so the board stays readable.
    SetColor(28, 74, 110);
    SetAlpha(1);
    SetScale(1, 1);
    DrawRect(0, 0, 1024, 768);
    white();
    if (levelPtr) levelPtr->drawBack();
    return 0;
}

int TMainGame::_drawFlyingTiles() {
    ::_drawFlyingTiles();
    white();
    return 0;
}

int TMainGame::_drawGrid() {
    if (!levelPtr) return 0;
    const int size = clampSizeClass(levelPtr->size);
    // Under the lines, the well that a cleared cell shows.
    levelPtr->drawWell(gridA);
    if (prof().numerStageu == 7) SetColor(0, 0, 0);
    else SetColor(255, 255, 255);
    SetAlpha(0.4f * gridA);
    SetScale(1, 1);
    SetRotation(0);
    const TImage& grid = gridImg[size_t(size)];
    for (int r = 0; r < levelPtr->rows; ++r)
        for (int c = 0; c < levelPtr->cols; ++c)
            if (TTile* t = levelPtr->at(r, c); t && !coverHidesGrid(*t, grid)) DrawImage(grid, t->x(), t->y(), 0);
    SetColor(255, 255, 255);
    return 0;
}

int TMainGame::_drawLevel() {
    if (!levelPtr) return 0;
    if (state != "WIN") {
        _drawGrid();
        white();
        levelPtr->drawTiles();
    }
    SetRotation(0);
    levelPtr->drawNumbers();
    if (state == "NORMAL" && (overTile_ || clickedTile)) {
        switch (hand_) {
        case 4: levelPtr->drawOverOko(overTile_); break;
        case 5: levelPtr->drawOverMapa(overTile_); break;
        case 6: levelPtr->drawOverCzacha(overTile_); break;
        default: levelPtr->drawOver(clickedTile ? clickedTile : overTile_); break;
        }
    }
    levelPtr->drawDebug();
    return 0;
}

int TMainGame::_drawHoldedTiles() {
    if (!levelPtr) return 0;
    white();
    SetScale(1, 1);
    SetRotation(0);
    SetImageFont(numFont[size_t(clampSizeClass(levelPtr->size))]);
    const int n = int(tilesyHolded.size());
    bool reversed = false;
    if (n > 1 && lastHoldedTile && firstHoldedTile)
        reversed = firstHoldedTile->c > lastHoldedTile->c || firstHoldedTile->r > lastHoldedTile->r;
    const bool red = hand_ == 1 || mouse.rightHolded;
    for (int i = 0; i < n; ++i) {
        TTile* t = tilesyHolded[size_t(i)];
        if (!t) continue;
        SetAlpha(1);
        t->drawOver();
        if (!toDraw) continue;
        const std::string label = std::to_string(reversed ? n - i : i + 1);
        float tx = 0, ty = 0;
        centredCorner(label, t->x(), t->y(), tx, ty);
        // Numbers on the board: gold for the hand, the flag red lit up for the hook, on ink.
        ink();
        SetAlpha(0.5f);
        DrawText(label, tx + 2, ty + 2);
        SetAlpha(1);
        DrawText(label, tx - 1, ty - 1);
        DrawText(label, tx - 1, ty + 1);
        DrawText(label, tx + 1, ty - 1);
        DrawText(label, tx + 1, ty + 1);
        const TRGB& fill = red ? typestyle::kHookRed : typestyle::kGold;
        SetColor(fill.r, fill.g, fill.b);
        DrawText(label, tx, ty);
    }
    white();
    return 0;
}

int TMainGame::_drawSkipBack() {
    auto skip = Gui ? Gui->getItem("skip") : nullptr;
    if (!skip || !skip->_a || !skip->_v) return 0;
    if (prof().numerStageu > 1 || prof().numerLevelu > 3) return 0;
    const TDim& d = *skip->dim;
    SetColor(0, 0, 0);
    SetAlpha(0.6f);
    SetScale(1, 1);
    SetRotation(0);
    DrawRect(d.x - d.w / 2 - 20, d.y - d.h / 2 - 6, d.w + 40, d.h + 12);
    return 0;
}

int TMainGame::_drawPanel() {
    if (prof().tutorialOn && !noTutorial) _drawSkipBack();
    white();
    SetScale(1, 1);
    SetRotation(0);
    DrawImage(panel, 0, 0);
    const std::string sizeLine = levelPtr ? txtDim + std::to_string(levelPtr->cols) + " " + txtX + " " +
                                                std::to_string(levelPtr->rows)
                                          : std::string();
    const std::string stageLine = std::to_string(prof().numerStageu) + " - " + std::to_string(prof().numerLevelu);
    float tx = 0, ty = 0;
    SetImageFont(dimFont);
    centredCorner(sizeLine, 402, 22, tx, ty);
    ink();
    SetAlpha(0.5f);
    DrawText(sizeLine, tx, ty);
    SetImageFont(levelFont);
    DrawText(stageLine, 882 - float(TextWidth(stageLine) / 2), 0);
    gold();
    SetImageFont(dimFont);
    centredCorner(sizeLine, 400, 20, tx, ty);
    DrawText(sizeLine, tx, ty);
    SetImageFont(levelFont);
    DrawText(stageLine, 880 - float(TextWidth(stageLine) / 2), 0);
    white();
    DrawImage(rekaImg[hand_ == 0 ? 1 : 2], 840, 275);
    DrawImage(hakImg[hand_ == 1 ? 1 : 2], 943, 275);
    if (handOver) DrawImage(rekaImg[0], 840, 275);
    if (hakOver) DrawImage(hakImg[0], 943, 275);
    return 0;
}

int TMainGame::_drawScore() {
    SetScale(1, 1);
    SetImageFont(scoreFont);
    const std::string s = getScoreString();
    float tx = 0, ty = 0;
    centredCorner(s, 888, 170, tx, ty);
    ink();
    SetAlpha(0.5f);
    DrawText(s, tx + 1, ty + 1);
    gold();
    DrawText(s, tx, ty);
    if (mnoznik > 1.0f) {
        SetImageFont(mnoznikFont);
        const std::string m = "x" + std::to_string(int(mnoznik));
        gold();
        DrawText(m, 880, 190 - float(TextHeight(m) / 2));
        white();
        DrawImage(gwiazda, 855, 190);
    }
    white();
    return 0;
}

int TMainGame::_drawTime() {
    SetScale(1, 1);
    gold();
    SetImageFont(timeFont);
    const std::string s = getTimeString(levelPtr ? levelPtr->czas : 0);
    auto parts = rozbijTekst(s, ":", "", "");
    const float top = 65 - float(TextHeight(s) / 2);
    DrawText(":", 910 - float(TextWidth(":") / 2), top);
    if (!parts.empty()) DrawText(parts[0], 905 - float(TextWidth(parts[0])), top);
    if (parts.size() > 1) DrawText(parts[1], 915, top);
    white();
    DrawImage(klepsydra, 830, 42);
    return 0;
}

int TMainGame::_drawHints() {
    white();
    SetScale(1, 1);
    for (int i = 0; i < 4; ++i) {
        const TDim& d = *animDim[size_t(i)];
        if (overHint == i + 1 && dhintT[size_t(i)] != 0) DrawImage(shellOver, d.x, d.y);
        else DrawImage(hintAnim, d.x, d.y, int(hintT[size_t(i)] * 7));
    }
    SetImageFont(hintFont);
    _drawGuiTxt(txtHints, 885, 610, kGoldR, kGoldG, kGoldB, 1);
    return 0;
}

int TMainGame::_drawGuiTxt(const std::string& text, float x, float y, int r, int g, int b, float a) {
    float tx = 0, ty = 0;
    centredCorner(text, x, y, tx, ty);
    drawShadowedText(text, tx, ty, TRGB{r, g, b}, a);
    return 0;
}

int TMainGame::_drawSpecArrow(float x1, float y1, float x2, float y2, float cx, float cy, const TRGB& colour) {
    SetColor(colour.r, colour.g, colour.b);
    SetBlend(ALPHABLEND);
    SetScale(1, 1);
    SetAlpha(1);
    SetRotation(0);
    auto at = [&](float t, float& x, float& y) {
        x = x1 + 2 * t * (cx - x1) + t * t * (x2 - 2 * cx + x1);
        y = y1 + 2 * t * (cy - y1) + t * t * (y2 - 2 * cy + y1);
    };
    float px = 0, py = 0;
    at(0, px, py);
    for (int i = 1; i <= 20; ++i) {
        float nx = 0, ny = 0;
        at(float(i) * 0.05f, nx, ny);
        DrawLine(px, py, nx, ny, true);
        px = nx;
        py = ny;
    }
    return 0;
}

int TMainGame::_drawChestBack() {
    if (state.rfind("LOSE", 0) == 0) return 0;
    white();
    SetScale(1, 1);
    DrawImage(chest[0], 789, 346, int(getChestFrame()));
    return 0;
}

int TMainGame::_drawChestFront() {
    if (state.rfind("LOSE", 0) == 0) return 0;
    // The treasure's glow before it is drawn in light blend: the wall must not be added.
    SetBlend(ALPHABLEND);
    white();
    SetScale(1, 1);
    SetRotation(0);
    DrawImage(chest[1], 789, 346, int(getChestFrame()));
    return 0;
}

int TMainGame::_drawFlyingTresures() {
    SetBlend(ALPHABLEND);
    SetRotation(0);
    SetAlpha(1);
    SetScale(1, 1);
    if (levelPtr)
        for (auto& t : levelPtr->flyingTresures)
            if (t && !t->_dead) t->draw();
    SetBlend(ALPHABLEND);
    SetRotation(0);
    SetAlpha(1);
    SetScale(1, 1);
    return 0;
}

int TMainGame::_drawWorek() {
    if (prof().unlocked[PU_BAG] == 0) return 0;
    auto bag = bonusButton(6);
    if (!bag) return 0;
    white();
    SetScale(1, 1);
    const int inBag = prof().kamienieWWorku;
    if (inBag > maxKamieni || !bag->_a) return 0;
    const float bx = bag->dim->x, by = getWorekY();
    DrawImage(worek, bx, by);
    for (int i = 1; i <= maxKamieni - inBag; ++i) DrawImage(worekPoint, bx - 15 + 8 * float(i), by + 15);
    return 0;
}

int TMainGame::_drawCover() {
    SetScale(1, 1);
    white();
    DrawImage(chestCover, 750, 317);
    return _drawMistakes();
}

int TMainGame::_drawMistakes() {
    SetAlpha(1);
    SetImageFont(mistFont);
    TProfile& p = prof();
    const int maxM = levelPtr ? levelPtr->maxMistakes : 0;
    int m = p.mistakes, n = maxM;
    if (p.unlocked[PU_BAG] != 0) {
        m += p.kamienieWWorku;
        n += maxKamieni;
    }
    _drawGuiTxt(txtMist + std::to_string(m) + "/" + std::to_string(n), 890, 367, kGoldR, kGoldG, kGoldB, 1);
    return 0;
}

namespace {
// The creatures of the level that are (`started`) or are not yet in action.
void drawLivingsOf(TLevel* level, const std::string& state, bool started) {
    if (!level || state == "BEGIN" || state == "BEGIN-FLY") return;
    for (const auto& l : level->livings)
        if (l && !l->_dead && (l->start != 0) == started) l->draw();
    SetScale(1, 1);
    SetRotation(0);
    SetAlpha(1);
}
}  // namespace

int TMainGame::_drawLivings() {
    drawLivingsOf(levelPtr.get(), state, false);
    return 0;
}

int TMainGame::_drawLivings2() {
    drawLivingsOf(levelPtr.get(), state, true);
    return 0;
}

int TMainGame::_drawCaptions() {
    ::_drawCaptions(nullptr);
    white();
    return 0;
}

int TMainGame::_updateBack() {
    if (levelPtr) {
        levelPtr->updateBack();
        _updateBanki(levelPtr->banki);
    }
    return 0;
}

int TMainGame::_updateGridAlpha() {
    if (gridA < dGridA) gridA = std::fmin(dGridA, gridA + 0.05f * delta);
    else if (gridA > dGridA) gridA = std::fmax(dGridA, gridA - 0.05f * delta);
    return 0;
}

// ---- the stand-in choice box ------------------------------------------------------------------

void playChoiceBox(int i, int n, float& x, float& y, float& w, float& h) {
    w = 260;
    h = 44;
    x = 512 - w / 2;
    const float top = 384 - float(n) * (h + 12) / 2 + 30;
    y = top + float(i) * (h + 12);
}

std::string playChoiceStep(const std::string& title, const std::vector<TPlayChoice>& choices) {
    const int n = int(choices.size());
    SetBlend(ALPHABLEND);
    SetScale(1, 1);
    SetRotation(0);
    drawModalDim();
    float x = 0, y = 0, w = 0, h = 0;
    playChoiceBox(0, n, x, y, w, h);
    const float boxTop = y - 80, boxH = float(n) * (h + 12) + 110;
    SetColor(60, 40, 22);
    SetAlpha(0.95f);
    DrawRect(x - 40, boxTop, w + 80, boxH);
    SetColor(kGoldR, kGoldG, kGoldB);
    SetAlpha(1);
    DrawRect(x - 40, boxTop, w + 80, 3);
    DrawRect(x - 40, boxTop + boxH - 3, w + 80, 3);
    SetImageFont(mainGame.timeFont);
    DrawText(title, 512 - float(TextWidth(title) / 2), boxTop + 18);
    std::string picked;
    SetImageFont(mainGame.scoreFont);
    for (int i = 0; i < n; ++i) {
        playChoiceBox(i, n, x, y, w, h);
        const bool over = mouse.inRect(int(x), int(y), int(w), int(h));
        SetColor(over ? 120 : 92, over ? 84 : 62, over ? 40 : 32);
        SetAlpha(1);
        DrawRect(x, y, w, h);
        SetColor(kGoldR, kGoldG, kGoldB);
        const std::string& label = choices[size_t(i)].label;
        DrawText(label, 512 - float(TextWidth(label) / 2), y + h / 2 - float(TextHeight(label) / 2));
        if (over && mouse.leftPressed) picked = choices[size_t(i)].result;
    }
    SetColor(255, 255, 255);
    SetAlpha(1);
    mouse.draw();
    return picked;
}
