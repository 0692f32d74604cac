// The level's clue numbers: built from the hidden picture alone, then shown, hidden and
// drawn line by line.
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

int TLevel::drawNumbers() {
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
