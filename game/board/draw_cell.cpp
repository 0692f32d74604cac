// How one board cell looks in each state of its move, the highlights drawn over it and
// its look in the level editor. Images are centred on the cell's centre (the `dim`).
#include <algorithm>

#include "game/board/level.h"
#include "game/board/links.h"
#include "game/board/tile.h"

using namespace tilestate;

namespace {

TImage imageOf(const std::array<TImage, kTileSizeClasses>& set, int size) {
    return set[size_t(clampSizeClass(size))];
}

// Frame of a strip from an animation counter: truncated, never negative.
int frameOf(float t) { return t > 0 ? int(t) : 0; }

}  // namespace

int TTile::draw() {
    // The flying copy draws the cell until it lands.
    if (_flyingTile) return 0;
    SetBlend(ALPHABLEND);
    SetScale(scale, scale);
    SetRotation(rotation);
    SetAlpha(alpha);
    SetColor(255, 255, 255);
    if (odkryty == 1)
        drawOdkryty();
    else
        drawHiden();
    if (_level && _level->tutorialLevel) _drawLightUp();
    // While a line is held the play screen frames the held cells itself.
    if (playLink().overTile() == this && !playLink().startTile()) drawOver();
    return 0;
}

int TTile::drawHiden() {
    const int S = sizeClass();
    const TImage coverImg = tdHide ? imageOf(tdHide->hideImg, S) : nullptr;
    if (broken == 1) {
        // Only a picture cell broken by mistake gets here still closed: it shows broken.
        if (isPicture())
            td->drawBroke(x(), y(), S, frameOf(animTime));
        else
            _drawWrongUncover(coverImg, S);
        return 0;
    }
    if (state == ROZBITY) return 0;
    DrawImage(coverImg, x(), y(), frameOf(animTime));
    const float hideFrames = tdHide ? tdHide->hideFrames : 0.0f;
    if (tresure) {
        // The treasure's strip plays over the last frames of the opening cover.
        const float start = hideFrames - float(tresure->frames);
        if (animTime > start) {
            SetBlend(ALPHABLEND);
            SetAlpha(1);
            tresure->draw(x(), y(), S, animTime - start);
        }
    } else if (!isPicture()) {
        // An empty cell opened by mistake shows the stone that will fly to the chest.
        const int stoneFrames = effectsLink().stoneFrames();
        const float start = hideFrames - float(stoneFrames);
        if (stoneFrames > 0 && animTime > start)
            DrawImage(effectsLink().stoneImage(S), x(), y(), frameOf(animTime - start));
    }
    return 0;
}

int TTile::drawOdkryty() {
    const int S = sizeClass();
    if (broken == 1) {
        if (isPicture())
            td->drawBroke(x(), y(), S, frameOf(animTime));
        else
            _drawWrongUncover(tdHide ? imageOf(tdHide->hideImg, S) : nullptr, S);
        return 0;
    }
    // An opened empty cell lets the board background show through.
    if (!isPicture()) return 0;
    SetAlpha(odkrA * alpha);
    td->draw(x(), y(), S, frameOf(animTime));
    SetAlpha(1);
    SetBlend(ALPHABLEND);
    // Only a cell restored opened from a saved level still holds its treasure.
    if (tresure) tresure->draw(x(), y(), S, animTime);
    return 0;
}

// An empty cell uncovered by mistake: its mark (the empty record's broken picture) shows
// from the first frame of the move, under the cover as it opens, and stays.
int TTile::_drawWrongUncover(TImage cover, int S) {
    if (td) td->drawBroke(x(), y(), S, 0);
    if (state != ROZBITY && cover) DrawImage(cover, x(), y(), frameOf(animTime));
    return 0;
}

int TTile::drawOver() {
    // The frame carries its own colours (gold on ink): drawn untinted.
    SetColor(255, 255, 255);
    DrawImage(imageOf(overImg, sizeClass()), x(), y(), 0);
    return 0;
}

int TTile::drawSPEcOver() {
    SetScale(1, 1);
    SetAlpha(1);
    drawOver();
    SetColor(255, 255, 255);
    return 0;
}

int TTile::drawOverBlend() {
    SetAlpha(0.3f * alpha);
    SetScale(scale, scale);
    if (odkryty == 1) {
        if (!isPicture()) {
            SetAlpha(1);
            SetScale(1, 1);
            return 0;
        }
        const int S = sizeClass();
        SetBlend(ALPHABLEND);
        SetAlpha(odkrA * alpha);
        td->draw(x(), y(), S, frameOf(animTime));
        SetBlend(LIGHTBLEND);
        SetAlpha(odkrA * 0.15f * alpha);
        td->draw(x(), y(), S, frameOf(animTime));
        SetBlend(ALPHABLEND);
        SetAlpha(1);
        if (tresure) tresure->draw(x(), y(), S, animTime);
        return 0;
    }
    // The cover added once more over itself.
    SetBlend(LIGHTBLEND);
    drawHiden();
    // Whatever the screen draws next (the panel) expects the usual state back.
    SetBlend(ALPHABLEND);
    SetAlpha(1);
    SetScale(1, 1);
    return 0;
}

int TTile::drawPosibility() {
    SetBlend(LIGHTBLEND);
    SetAlpha(alpha * 0.5f);
    SetScale(1, 1);
    if (auto filled = getTileDataById(1)) DrawImage(imageOf(filled->gfx, sizeClass()), x(), y(), 0);
    return 0;
}

int TTile::_drawLightUp() {
    SetBlend(LIGHTBLEND);
    SetAlpha(alpha * lightUPa * 0.4f);
    const TImage img = tdHide ? imageOf(tdHide->hideImg, sizeClass()) : nullptr;
    const int W = ImageWidth(img);
    const int H = ImageHeight(img);
    if (W > 0 && H > 0) DrawRect(x() - float(W / 2), y() - float(H / 2), float(W), float(H));
    SetAlpha(alpha);
    SetBlend(ALPHABLEND);
    return 0;
}

int TTile::_drawGreyField() {
    SetColor(0, 0, 0);
    SetBlend(ALPHABLEND);
    SetScale(1, 1);
    SetAlpha(0.5f);
    const TImage img = td ? imageOf(td->gfx, sizeClass()) : nullptr;
    const int W = ImageWidth(img);
    const int H = ImageHeight(img);
    if (W > 0 && H > 0) DrawRect(x() - float(W / 2), y() - float(H / 2), float(W), float(H));
    SetColor(255, 255, 255);
    return 0;
}

// ---- editor -------------------------------------------------------------------------------

int TTile::draweditor() {
    SetBlend(ALPHABLEND);
    SetScale(scale, scale);
    SetRotation(rotation);
    SetAlpha(alpha);
    SetColor(255, 255, 255);
    if (isPicture())
        drawOdkrytyEditor();
    else
        drawHidenEditor();
    return 0;
}

int TTile::drawOdkrytyEditor() {
    if (!td) return 0;
    const int S = sizeClass();
    SetAlpha(1);
    td->draw(x(), y(), S, std::max(0, td->frames - 1));
    SetAlpha(1);
    if (tresure) tresure->draw(x(), y(), S, float(std::max(0, tresure->frames - 1)));
    return 0;
}

int TTile::drawHidenEditor() {
    if (!tdHide) return 0;
    DrawImage(imageOf(tdHide->hideImg, sizeClass()), x(), y(), frameOf(tdHide->hideFrames - 1));
    return 0;
}
