// Where the board stands on the 1024 x 768 picture: cells in blocks of five with a gap
// before each block, row clues to the left, column clues above, and the whole centred on
// (390, 384), left of the chest and the tools. Also the board's drawing layers.
#include <algorithm>
#include <cmath>

#include "game/board/level.h"
#include "game/board/links.h"
#include "game/board/number.h"
#include "platform/input.h"
#include "platform/strings.h"

namespace {

// The point the board with its clues is centred on.
constexpr float kBoardCentreX = 390;
constexpr float kBoardCentreY = 384;
// The most the board with its clues may measure.
constexpr float kBoardMaxW = 690;
constexpr float kBoardMaxH = 630;
// Space between neighbouring row clues, beyond the width of a "0".
constexpr float kRowClueGap = 10;
// Cell pixels per size class, used when the top-left picture has no image.
constexpr int kCellPixels[kTileSizeClasses] = {50, 36, 30, 24, 20};
constexpr int kKeyD = 68;

int pitchOf(const TLevel& level, bool wide) {
    const int s = clampSizeClass(level.size);
    TTile* first = level.at(0, 0);
    const TImage img = first && first->td ? first->td->gfx[size_t(s)] : nullptr;
    const int measured = wide ? ImageWidth(img) : ImageHeight(img);
    return measured > 0 ? measured : kCellPixels[s];
}

}  // namespace

int TLevel::cellW() const { return pitchOf(*this, true); }
int TLevel::cellH() const { return pitchOf(*this, false); }

// ---- clue positions -----------------------------------------------------------------------

int TLevel::countNumbersHList() {
    const float step = TNumber::numWidth("0", clampSizeClass(size)) + kRowClueGap;
    const float H = float(cellH());
    float gy = 0;
    int i = 0;
    for (auto& line : numbersHList) {
        if (i % 5 == 0) gy += gridH;
        int k = 1;
        for (auto& n : line->lista) {
            n->dim = createSimpleDim(int(stx - step * float(k)), int(sty + H * float(n->v) + gy));
            ++k;
        }
        ++i;
    }
    return 0;
}

int TLevel::countNumbersVList() {
    const int s = clampSizeClass(size);
    // The smallest class stacks its column clues tighter.
    const float f = s == 4 ? 1.2f : 1.5f;
    const float h0 = TNumber::numHeight("0", s);
    const float W = float(cellW());
    float gx = 0;
    int j = 0;
    for (auto& line : numbersVList) {
        if (j % 5 == 0) gx += gridW;
        int k = 1;
        for (auto& n : line->lista) {
            n->dim = createSimpleDim(int(stx + W * float(n->v) + gx), int(sty - h0 * f * float(k)));
            ++k;
        }
        ++j;
    }
    return 0;
}

int TLevel::countNumbersDims() {
    countNumbersHList();
    countNumbersVList();
    return 0;
}

// ---- measures -----------------------------------------------------------------------------

int TLevel::countWidthAndHeight() {
    // One pixel per column (row): the 5-pixel gap of each block of five.
    width = float(cellW() * cols + (5 * cols) / 5);
    height = float(cellH() * rows + (5 * rows) / 5);
    return 0;
}

int TLevel::countWidthAndHeightWithNumbers() {
    float minX = 1000, minY = 1000;
    bool any = false;
    auto take = [&](const TNumberLineList& lines) {
        for (auto& line : lines)
            for (auto& n : line->lista) {
                if (!n->dim) continue;
                any = true;
                minX = std::min(minX, n->dim->x);
                minY = std::min(minY, n->dim->y);
            }
    };
    take(numbersHList);
    take(numbersVList);
    // Without a single placed clue there is no clue area (not the distance to 1000).
    moveW = any ? std::fabs(minX - stx) : 0;
    moveH = any ? std::fabs(minY - sty) : 0;
    width += moveW;
    height += moveH;
    lx = stx - moveW;
    ly = sty - moveH;
    return 0;
}

// ---- placing ------------------------------------------------------------------------------

int TLevel::setPosition(float x, float y) {
    pointX = x;
    pointY = y;
    stx = x - width / 2;
    sty = y - height / 2;
    const float W = float(cellW());
    const float H = float(cellH());
    float gy = 0;
    for (int r = 0; r < rows; ++r) {
        if (r % 5 == 0) gy += gridH;
        float gx = 0;
        for (int c = 0; c < cols; ++c) {
            if (c % 5 == 0) gx += gridW;
            if (TTile* t = at(r, c))
                t->dim = createSimpleDim(int(stx + float(c) * W + gx), int(sty + float(r) * H + gy));
        }
    }
    return 0;
}

int TLevel::setProperPosition() {
    // Nothing to lay out without a grid.
    if (rows < 1 || cols < 1 || !at(0, 0)) return 0;
    countNumbersDims();
    countWidthAndHeight();
    countWidthAndHeightWithNumbers();
    setPosition(kBoardCentreX + moveW, kBoardCentreY + moveH);
    // Again, so the clues follow the new origin and the measures are those of the result.
    countNumbersDims();
    countWidthAndHeight();
    countWidthAndHeightWithNumbers();
    return 0;
}

int TLevel::countDimWithSize() {
    createNumbers();
    countNumbersDims();
    countWidthAndHeight();
    countWidthAndHeightWithNumbers();
    return (width > kBoardMaxW || height > kBoardMaxH) ? 1 : 0;
}

int TLevel::countSize() {
    if (rows < 1 || cols < 1) return 0;
    if (countDimWithSize() == 1) {
        size = std::min(size + 1, kTileSizeClasses - 1);
    } else {
        size = std::max(size - 1, 0);
        if (countDimWithSize() == 1) size += 1;
    }
    createNumbers();
    setProperPosition();
    return 0;
}

// ---- reference points and choices ---------------------------------------------------------

std::shared_ptr<TDim> TLevel::getLivingDim(int id) {
    for (auto& t : tile) {
        if (!t || !t->_living) continue;
        if (effectsLink().livingKindId(*t->_living) == id)
            return createSimpleDim(int(t->x()), int(t->y()));
    }
    return nullptr;
}

TImageFont TLevel::getNumberFont() { return playLink().numberFont(4); }

int TLevel::getBackEffectsByBackground(const std::string& name) {
    const std::string n = str::upper(name);
    if (n == "BACKGROUND-2" || n == "BACKGROUND-11" || n == "BACKGROUND-15") banki = 5000;
    return 0;
}

// ---- drawing ------------------------------------------------------------------------------

int TLevel::drawBack() {
    SetColor(255, 255, 255);
    SetScale(1, 1);
    SetAlpha(1);
    SetBlend(ALPHABLEND);
    if (background) {
        SetImageHandle(background, 0, 0);
        DrawImage(background, 0, 0);
    }
    drawStripes();
    return 0;
}

int TLevel::drawStripes() {
    SetColor(255, 255, 255);
    for (auto& stripe : stripesList)
        if (stripe) effectsLink().drawStripe(*stripe);
    SetBlend(ALPHABLEND);
    SetScale(1, 1);
    SetRotation(0);
    SetAlpha(1);
    return 0;
}

int TLevel::drawTiles() {
    for (auto& t : tile)
        if (t) t->draw();
    return 0;
}

namespace {
// The well under the grid: deep water under the crates, framed in dark wood.
constexpr int kWellR = 16, kWellG = 34, kWellB = 50;
constexpr int kFrameR = 74, kFrameG = 42, kFrameB = 20;
constexpr int kBlockR = 185, kBlockG = 133, kBlockB = 42;
}  // namespace

int TLevel::drawWell(float a) {
    TTile* first = at(0, 0);
    TTile* last = at(rows - 1, cols - 1);
    if (!first || !last || !first->dim || !last->dim || a <= 0) return 0;
    const float W = float(cellW()), H = float(cellH());
    const float x0 = first->x() - W / 2, y0 = first->y() - H / 2;
    const float x1 = last->x() + W / 2, y1 = last->y() + H / 2;
    SetBlend(ALPHABLEND);
    SetScale(1, 1);
    SetRotation(0);
    SetAlpha(a);
    SetColor(kFrameR, kFrameG, kFrameB);
    DrawRect(x0 - 4, y0 - 4, x1 - x0 + 8, y1 - y0 + 8);
    SetColor(kWellR, kWellG, kWellB);
    DrawRect(x0 - 1, y0 - 1, x1 - x0 + 2, y1 - y0 + 2);
    // A gold line down the middle of each gap between blocks of five.
    SetColor(kBlockR, kBlockG, kBlockB);
    SetAlpha(0.85f * a);
    for (int c = 5; c < cols; c += 5) {
        TTile* l = at(0, c - 1);
        TTile* r = at(0, c);
        if (l && r) DrawRect(std::floor((l->x() + r->x()) / 2) - 1, y0, 2, y1 - y0);
    }
    for (int r = 5; r < rows; r += 5) {
        TTile* u = at(r - 1, 0);
        TTile* d = at(r, 0);
        if (u && d) DrawRect(x0, std::floor((u->y() + d->y()) / 2) - 1, x1 - x0, 2);
    }
    SetColor(255, 255, 255);
    SetAlpha(1);
    return 0;
}

int TLevel::drawTilesEditor() {
    for (auto& t : tile)
        if (t) t->draweditor();
    return 0;
}

int TLevel::drawOver(TTile* t) {
    if (!t) return 0;
    // Column first, then row: the cell itself is lit twice and stands out.
    for (int r = 0; r < rows; ++r)
        if (TTile* cell = at(r, t->c)) cell->drawOverBlend();
    for (int c = 0; c < cols; ++c)
        if (TTile* cell = at(t->r, c)) cell->drawOverBlend();
    return 0;
}

int TLevel::drawDebug() {
    if (!servicesLink().cheats() || !KeyDown(kKeyD)) return 0;
    SetBlend(ALPHABLEND);
    SetAlpha(0.5f);
    SetScale(1, 1);
    SetRotation(0);
    SetColor(255, 255, 0);
    const TImage frame = TTile::overImg[size_t(clampSizeClass(size))];
    const float w = float(ImageWidth(frame));
    const float h = float(ImageHeight(frame));
    for (auto& t : tile)
        if (t && t->isPicture()) DrawRect(t->x() - w / 2, t->y() - h / 2, w, h);
    SetColor(255, 255, 255);
    SetAlpha(1);
    return 0;
}
