#include "screens/tutorial/posibility.h"

#include "game/board/level.h"
#include "game/board/tile.h"
#include "gui/core/dim.h"
#include "platform/system.h"
#include "screens/play/main_game.h"
#include "screens/tutorial/tutorial.h"

bool marksCell(char c) { return c >= '1' && c <= '9'; }

namespace {

// One arc, its control point 80 px above the start, half-way across.
void arc(float x1, float y1, float x2, float y2, int r, int g, int b) {
    mainGame._drawSpecArrow(x1, y1, x2, y2, x1 + (x2 - x1) / 2, y1 - 80, *createRGB(r, g, b));
}

}  // namespace

int TPosibility::reset() {
    time = Millisecs() + interwal;
    return 0;
}

int TPosibility::update() {
    if (Millisecs() > time) {
        reset();
        actPos += 1;
        if (actPos >= int(pos.size())) return 1;
    }
    return 0;
}

int TPosibility::draw() {
    if (actPos < 0 || actPos >= int(pos.size())) return 0;
    if (rowOrCol != "ROW") return 0;
    const std::string& pattern = pos[size_t(actPos)];
    // The data names the row; cells it names past the grid are left out.
    if (TLevel* level = tutorialBoard()) {
        for (size_t i = 0; i < pattern.size(); ++i)
            if (marksCell(pattern[i]))
                if (TTile* t = level->at(n, int(i))) t->drawPosibility();
    }
    if (!pattern.empty()) drawArrows();
    return 0;
}

int TPosibility::drawArrows() {
    if (arrowTyp == "2_AND_1_ROW") return draw_2_and_1_row();
    if (arrowTyp == "3_ROW") return draw_3_row();
    return 0;
}

int TPosibility::draw_2_and_1_row() {
    static const float ends[3][3] = {{326, 305, 450}, {376, 305, 503}, {326, 304, 503}};
    if (actPos < 0 || actPos > 2) return 0;
    const auto& e = ends[actPos];
    arc(228, 306, e[0], e[1], 0, 255, 255);
    arc(262, 306, e[2], 305, 255, 255, 0);
    return 0;
}

int TPosibility::draw_3_row() {
    static const float ends[3] = {350, 400, 450};
    if (actPos < 0 || actPos > 2) return 0;
    arc(262, 360, ends[actPos], 360, 255, 255, 0);
    return 0;
}
