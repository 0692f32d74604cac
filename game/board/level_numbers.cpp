// The level's clue numbers: built from the hidden picture alone, then shown, hidden and
// drawn line by line.
#include <algorithm>

#include "game/board/level.h"
#include "game/board/links.h"

// ---- building -----------------------------------------------------------------------------

TNumberList TLevel::_createLineNumbers(const std::vector<std::shared_ptr<TTile>>& line, int index,
                                       const std::string& dir) {
    TNumberList result;
    TTileList run;
    bool inRun = false;
    bool anyPicture = false;
    std::shared_ptr<TTile> beforeRun;
    std::shared_ptr<TTile> previous;

    auto closeRun = [&](const std::shared_ptr<TTile>& after) {
        auto n = createNumber(std::move(run), index, dir, size, 0);
        n->tile2 = after;
        n->tile1 = beforeRun;
        // Inserted at the front: the list holds the last run first, nearest the grid.
        result.insert(result.begin(), std::move(n));
        run = TTileList();
        beforeRun.reset();
    };

    for (const auto& cell : line) {
        if (cell->isPicture()) {
            anyPicture = true;
            if (!inRun) {
                inRun = true;
                beforeRun = previous;
            }
            run.push_back(cell);
        } else if (inRun) {
            inRun = false;
            closeRun(cell);
        }
        previous = cell;
    }
    if (inRun) closeRun(nullptr);
    if (!anyPicture) {
        // A line without picture cells: one "0" watching the whole line.
        TTileList whole(line.begin(), line.end());
        result.insert(result.begin(), createNumber(std::move(whole), index, dir, size, 1));
    }
    return result;
}

TNumberList TLevel::createNumbersHLine(int r) {
    if (r < 0 || r >= rows) return {};
    std::vector<std::shared_ptr<TTile>> line;
    for (int c = 0; c < cols; ++c)
        if (auto t = tileAt(r, c)) line.push_back(std::move(t));
    return _createLineNumbers(line, r, "HORIZONTAL");
}

TNumberList TLevel::createNumbersVLine(int c) {
    if (c < 0 || c >= cols) return {};
    std::vector<std::shared_ptr<TTile>> line;
    for (int r = 0; r < rows; ++r)
        if (auto t = tileAt(r, c)) line.push_back(std::move(t));
    return _createLineNumbers(line, c, "VERTICAL");
}

int TLevel::createHorizontalNumbers() {
    for (int r = 0; r < rows; ++r) {
        auto line = std::make_shared<TNumberLine>();
        line->lista = createNumbersHLine(r);
        line->check();
        numbersHList.push_back(std::move(line));
    }
    return 0;
}

int TLevel::createVerticalNumbers() {
    for (int c = 0; c < cols; ++c) {
        auto line = std::make_shared<TNumberLine>();
        line->lista = createNumbersVLine(c);
        line->check();
        numbersVList.push_back(std::move(line));
    }
    return 0;
}

int TLevel::createNumbers() {
    numbersVList.clear();
    numbersHList.clear();
    createHorizontalNumbers();
    createVerticalNumbers();
    return 0;
}

// ---- visibility and drawing ---------------------------------------------------------------

namespace {
// Bands behind the clues: dark wood, the hovered line a lighter wood, a finished line faint.
constexpr int kBandR = 58, kBandG = 33, kBandB = 16;
constexpr int kLitR = 123, kLitG = 74, kLitB = 36;
constexpr float kBandA = 0.8f, kLitA = 0.9f, kDoneA = 0.45f;

float lineShown(const TNumberLine& line) {
    return line.lista.empty() ? 0.0f : std::clamp(line.lista.front()->majorA, 0.0f, 1.0f);
}

// Where a number's first digit picture starts at rest, as TNumber::draw places it.
float numberLeft(const TNumber& n, int s) {
    return n.dim->x - TNumber::restLeft(n.txt, s);
}

void band(float x, float y, float w, float h, float shown, bool lit, bool done) {
    if (shown <= 0 || w <= 0 || h <= 0) return;
    if (lit) SetColor(kLitR, kLitG, kLitB);
    else SetColor(kBandR, kBandG, kBandB);
    SetAlpha(shown * (lit ? kLitA : done ? kDoneA : kBandA));
    DrawRect(x, y, w, h);
}
}  // namespace

int TLevel::drawClueBands() {
    if (rows < 1 || cols < 1 || !at(0, 0) || !at(0, 0)->dim) return 0;
    const int s = clampSizeClass(size);
    const float W = float(cellW()), H = float(cellH());
    const float h0 = float(ImageHeight(TNumber::num[size_t(s)][0]));
    float left = 1e9f, top = 1e9f;
    for (auto& line : numbersHList)
        for (auto& n : line->lista)
            if (n->dim) left = std::min(left, numberLeft(*n, s));
    for (auto& line : numbersVList)
        for (auto& n : line->lista)
            if (n->dim) top = std::min(top, n->dim->y - h0 / 2);
    const int overRow = playLink().getOverLeft();
    const int overCol = playLink().getOverUp();
    SetBlend(ALPHABLEND);
    SetScale(1, 1);
    SetRotation(0);
    const float gridLeft = at(0, 0)->x() - W / 2 - 4;
    const float gridTop = at(0, 0)->y() - H / 2 - 4;
    for (int r = 0; r < rows && r < int(numbersHList.size()); ++r) {
        TTile* t = at(r, 0);
        if (!t || !t->dim) continue;
        const TNumberLine& line = *numbersHList[size_t(r)];
        band(left - 4, t->y() - H / 2 + 1, gridLeft - left + 4, H - 2, lineShown(line), r == overRow,
             line.wszystkie != 0);
    }
    for (int c = 0; c < cols && c < int(numbersVList.size()); ++c) {
        TTile* t = at(0, c);
        if (!t || !t->dim) continue;
        const TNumberLine& line = *numbersVList[size_t(c)];
        // A clue of two digits stands inside its column's band: the digit pictures see to it.
        band(t->x() - W / 2 + 1, top - 4, W - 2, gridTop - top + 4, lineShown(line), c == overCol,
             line.wszystkie != 0);
    }
    SetColor(255, 255, 255);
    SetAlpha(1);
    return 0;
}

int TLevel::drawNumbers() {
    drawClueBands();
    // The row and the column crossing at the cell under the mouse get the light pass.
    const int overRow = playLink().getOverLeft();
    const int overCol = playLink().getOverUp();
    int r = 0;
    for (auto& line : numbersHList) {
        for (auto& n : line->lista) n->draw(r == overRow ? 1 : 0);
        ++r;
    }
    int c = 0;
    for (auto& line : numbersVList) {
        for (auto& n : line->lista) n->draw(c == overCol ? 1 : 0);
        ++c;
    }
    return 0;
}

namespace {
template <class Fn>
void forEachLine(TNumberLineList& h, TNumberLineList& v, Fn fn) {
    for (auto& line : h) fn(*line);
    for (auto& line : v) fn(*line);
}
}  // namespace

int TLevel::setNumbersAlpha(float a) {
    forEachLine(numbersHList, numbersVList, [a](TNumberLine& l) {
        l.setDAlpha(a);
        l.setNAlpha(a);
    });
    return 0;
}

int TLevel::hideNumbers() {
    forEachLine(numbersHList, numbersVList, [](TNumberLine& l) {
        l.setMajorAlpha(0);
        l.setDAlpha(0);
    });
    return 0;
}

int TLevel::showNumbers() {
    forEachLine(numbersHList, numbersVList, [](TNumberLine& l) {
        l.setMajorAlpha(1);
        l.setDAlpha(1);
    });
    return 0;
}

int TLevel::setGlobalAlpha(float a) {
    forEachLine(numbersHList, numbersVList, [a](TNumberLine& l) {
        l.setMajorAlpha(a);
        l.setDAlpha(a);
        l.setNAlpha(a);
        l.setMajorNAlpha(a);
    });
    return 0;
}
