#pragma once
// One tip of the data-driven tutorial: a box with a title and a paragraph, shown over a game
// screen when its start conditions hold. While it stands it runs its script of action words
// (show or hide the box, arrows, lighting and switching board cells, tasks on cells, row
// possibilities) and it goes away, leaving the player's pending list, when its erase words
// hold. Word lists are lines cut at single blanks; the first word is matched ignoring case.
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "app/profile/profile_types.h"
#include "gui/core/dim.h"
#include "platform/graphics.h"

class TArrow;
class TEkran;
class TGui;
class TPosibility;
class TLevel;
class TTile;

using TWords = std::vector<std::string>;
using TWordLists = std::vector<std::shared_ptr<TWords>>;

// The words of one data line, cut at every single blank (a trailing blank adds nothing).
TWords tutorialWords(const std::string& line);
// An optional sign and the leading digits of the word; 0 without digits.
int wordInt(const TWords& words, size_t i);
// The start word "VOYAGE" name: the player's voyage (flowType, "CASUAL" or "HARD") is name,
// case aside. Both voyages number their levels from 1 in every stage, so a tip meant for one
// voyage's board says which. No name, or a player of no voyage, never matches.
bool voyageHolds(const TWords& words, const std::string& flowType);

class TTutorialTip : public TTipRecord {
public:
    // id, numerLevelu and rememberMe come from TTipRecord.
    TWordLists allActions;
    std::shared_ptr<TDim> dim;
    std::array<std::string, 2> autoID;
    TWordLists conditions;
    TWordLists actions;
    TWordLists eraseConds;
    std::vector<std::shared_ptr<TArrow>> arrows;
    std::string screen;
    std::shared_ptr<TPosibility> actPosibility;
    std::string title, txt;
    TImage img;
    TImageFont font;
    TImage back;
    float a = 0, dA = 0;
    int time = 0;
    int erase = 0;
    float tx = 0, ty = 0, tw = 0;
    float titleX = 0, titleY = 0;
    std::shared_ptr<TWords> actAction;  // null or empty: none
    int titleOffset = 136;              // how far the title's top lies above the anchor

    // The layout every tip shares, with its button "ok".
    static std::shared_ptr<TGui> gui;

    // ---- script (tip actions) ---------------------------------------------------------------
    virtual int resetAction(TEkran& screen);
    virtual int getNextAction(TEkran& screen);
    virtual std::shared_ptr<TPosibility> createRowPosiblity(int n, int interwal, const std::vector<std::string>& pos,
                                                            const std::string& arrowTyp);
    virtual int createArrow(const TWords& words);
    virtual std::shared_ptr<TPosibility> compileRowPosibility(const TWords& words);
    virtual int _updateActions(TEkran& screen);
    virtual int _updatePosibility(TEkran& screen);

    // ---- life ------------------------------------------------------------------------------
    virtual int checkEraseCond_Mouse(const TWords& words, TEkran& screen);
    virtual int checkEraseCond(const TWords& words, TEkran& screen);
    virtual int _updateErase(TEkran& screen);
    virtual int eraseMe();
    virtual int _updateAlpha();
    virtual int _updateArrows();
    virtual int update(TEkran& screen);
    virtual int compileConditions(const std::vector<std::string>& lines);
    virtual int compileActions(const std::vector<std::string>& lines);
    virtual int compileEraseConditions(const std::vector<std::string>& lines);
    virtual int checkCondition(const TWords& words, TEkran& screen);
    virtual int check(TEkran& screen);
    virtual int reset();

    // ---- layout and drawing ----------------------------------------------------------------
    virtual int _drawBack();
    virtual int _drawTxt();
    virtual int _drawArrows();
    virtual int _drawPosibility();
    virtual int draw(TEkran& screen);
    virtual int countDims();
    virtual std::shared_ptr<TDim> countAutoDims();
    virtual std::shared_ptr<TDim> countToPuzzlePos(const TDim& point);
    virtual std::shared_ptr<TDim> countProperPosition(const std::shared_ptr<TDim>& point);

private:
    // One action of the script: 1 when complete, 0 when it holds the script this frame.
    int carryOut(const TWords& words);
    // The level's cell (r, c) for an action or condition; null (after a console line for
    // an action) when there is no level or the cell lies outside its grid.
    TTile* boardCell(const TWords& words, size_t first, bool report);
};
