#pragma once
// One story dialogue (TDialogText) and its lines (TDialogLine), and the reader of
// "data/dialogs.dat" with the words from "txt/<lang>/dialogs.txt". Every line is one
// paragraph, wrapped and centred in the text column; the block is centred on row 384 and
// the lines show one after another at their delays.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "gui/core/dim.h"
#include "platform/graphics.h"

class TDialogBox;
class TQCMFile;
class TTxtFile;

class TDialogLine {
public:
    virtual ~TDialogLine() = default;
    float a = 0;       // opacity
    float dA = 0;      // 0 while the line waits, 1 once revealed
    std::string txt;
    int32_t who = 0;   // portrait slot shown while this line is the active one
    int32_t time = 0;  // delay after the dialogue opens, ms
    int32_t actTime = 0;
    TRGB rgb{255, 255, 255};

    virtual int update();
};

class TDialogText {
public:
    virtual ~TDialogText() = default;
    int32_t id = 0;
    std::vector<std::shared_ptr<TDialogLine>> lines;
    std::array<TImage, 2> image{};  // the two speakers' portraits, handles at their centres
    float x = 0, y = 0;             // left of the text column, top of the block
    std::string atBeginOrEnd;       // "BEGIN" or "END"
    int32_t stageN = 0;
    int32_t levelN = 0;
    std::shared_ptr<TDialogLine> actLine;  // the last line in order whose time has come
    float h = 0;
    float w = 0;
    float add = 10;  // gap between two lines

    // The box that shows it (its opacity, column and ring); set by the reader.
    TDialogBox* box = nullptr;

    virtual int draw();
    virtual int update();
    // Places the block and starts the line clocks.
    virtual int reset();
    // Lays the lines out at the column width and returns the block's height.
    virtual int countHeight();

    // The class font of every dialogue line.
    static TImageFont font;
};
using TDialogTextList = std::vector<std::shared_ptr<TDialogText>>;

// The six fields of a line value ("text delay who red green blue"), split at single blanks.
// A field that is missing or not a number reads as 0; `who` outside 0..1 is reported and
// kept in the two slots.
struct TDialogLineFields {
    int32_t txt = 0, time = 0, who = 0, r = 0, g = 0, b = 0;
};
TDialogLineFields parseDialogLine(const std::string& value, const std::string& where);

// The dialogues of the file in file order, their words from `texts`, portraits below
// `dataDir`. Faults are reported on the console and read as the nearest sound value.
TDialogTextList readDialogs(const TQCMFile& file, const TTxtFile* texts, const std::string& dataDir,
                            TDialogBox* box);
