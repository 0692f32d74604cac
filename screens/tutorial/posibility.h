#pragma once
// The row-possibility display of a tutorial tip: it steps through patterns of one board
// row, lighting the cells each pattern fills, with coloured arcs showing how the blocks
// shift (the arcs sit at fixed places made for the tutorial board).
#include <string>
#include <vector>

class TPosibility {
public:
    virtual ~TPosibility() = default;

    std::string rowOrCol;          // "ROW", anything else shows nothing
    int n = 0;                     // row, from 0
    int interwal = 0;              // ms per pattern
    std::vector<std::string> pos;  // patterns; "1".."9" marks the cell of that column
    int time = 0;                  // clock value at which the current pattern ends
    int actPos = 0;                // current pattern
    std::string arrowTyp;          // "2_AND_1_ROW", "3_ROW" or no arcs

    virtual int draw_2_and_1_row();
    virtual int draw_3_row();
    virtual int drawArrows();
    virtual int draw();
    // 1 once every pattern has had its time.
    virtual int update();
    virtual int reset();
};

// 1 when the pattern character marks its cell.
bool marksCell(char c);
