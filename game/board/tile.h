#pragma once
// One square of the nonogram grid. It knows its solution (picture or empty cell), its
// cover, the treasure under it and the creature on it, decides whether a move is
// accepted and whether it is right, and plays the move out over time in its own small
// state machine: the sound, debris, released treasure, the stone of a mistake and the
// score all come when the move plays out, not when it is made.
//
// The level owns its cells (std::shared_ptr in its grid); effects that need a cell hold
// it weakly. Times are milliseconds of Millisecs().
#include <array>
#include <memory>
#include <string>

#include "game/board/tiledata.h"
#include "gui/core/dim.h"
#include "platform/graphics.h"

class TLevel;
struct TFlyingTresure;
struct TFlyingTile;
struct TLiving;

class TTile : public std::enable_shared_from_this<TTile> {
public:
    // ---- fields -------------------------------------------------------------------------
    TLevel* _level = nullptr;                       // the owner; cleared when the level goes
    std::shared_ptr<TFlyingTresure> _myTresure;     // released treasure still on its way
    TFlyingTile* _flyingTile = nullptr;             // set while the board flies in
    std::shared_ptr<TLiving> _living;               // the creature on the cell, if any
    std::shared_ptr<TTileData> td;                  // picture or empty cell
    std::shared_ptr<TTileHideGFX> tdHide;           // cover
    std::shared_ptr<TTresureData> tresure;          // under the cover; none once released
    float animTime = 0;                             // frame counter of the running animation
    int r = 0;                                      // row in the grid, from the top
    int c = 0;                                      // column, from the left
    std::shared_ptr<TDim> dim;                      // centre of the cell on the screen
    int partTime = 0;                               // no splinters before this time
    float alpha = 1;
    float scale = 1;
    float rotation = 0;
    int odkryty = 0;                                // 1 once opened (cover gone or breaking)
    int broken = 0;                                 // 1 once resolved by a mistake
    std::string state;                              // upper-case state name; empty = covered
    float odkrA = 0;                                // opacity of the uncovered picture
    int revTime = 0;                                // the pending move plays out from here
    int scoreTime = 0;                              // the pending score is paid after this
    int punktuj = 0;                                // 1: this cell is to pay a score
    int punktowane = 0;                             // 1: paid (or restored resolved)
    int genTime = 0;                                // no eye sparkles before this time
    float lightUPa = 0;                             // tutorial light strength 0..1
    float dLightUpA = 0;                            // its target
    std::string zadanie;                            // tutorial task: "UNCOVER", "BROKE" or ""
    std::string poZadaniu;                          // after the task: "LIGHT-DOWN" or other
    int turnoff = 0;                                // 1: the tutorial refuses every move here
    int timeElapsed = 0;                            // 1 once the pending move's sound played

    // Hover frame per size class (filled with the graphic sets).
    static std::array<TImage, kTileSizeClasses> overImg;
    // Factor of every animation step; only the level's update changes it (developer key).
    static float testSpeed;

    // ---- moves --------------------------------------------------------------------------
    // The player's uncover / break. Returns 50 when accepted (the time the next cell of a
    // held line waits), 0 when refused. Refused: already cleared, already opened, a right
    // break still playing out, a tutorial task asking for the other move (shows the
    // matching tip), switched off.
    int odkryj(int delay);
    int rozbij(int delay);
    // The right move without a choice (a hint arriving); same refusals.
    int uncoverSafe();
    // A power-up opening the cell as a right move, whatever the tutorial says. Does nothing
    // on a cell already opened or already broken by mistake.
    int reveal();

    // ---- per frame ----------------------------------------------------------------------
    int update();
    int setState(const std::string& name);
    // 1 when the mouse is on the cell's picture rectangle.
    int updateOver();
    int updateOverEditor();
    // Three eye sparkles at most every 50 ms.
    int generateOko();

    // ---- questions ----------------------------------------------------------------------
    int isPicture() const;  // its picture record has an id other than 0
    int isUncovered() const;
    int isCleared() const;
    int isClearedForCaptions() const;
    int isDone() const;     // resolved and its treasure landed; empty cells always
    int isDone2() const;    // as isDone without the empty-cell exception
    int isRevealed() const;
    // 1 when the cell under the mouse lies in this cell's row or column.
    int IAmOver();
    // Screen quarter 0..3 of the cell centre: 0 top left, 1 top right, 2 bottom left,
    // 3 bottom right.
    int checkCwiartka() const;
    // What the win screen copies of the board.
    TImage getImg() const;
    int getFrame() const;

    // ---- save code ----------------------------------------------------------------------
    // "<odkryty> <broken>", for example "1 0".
    std::string getSaveStateData() const;
    // Restores the flags and the final state; a resolved cell never scores again.
    int setOdkrytyData(int odkrytyFlag, int brokenFlag);

    // ---- records ------------------------------------------------------------------------
    int setTileData(std::shared_ptr<TTileData> data);
    int setTileHideData(std::shared_ptr<TTileHideGFX> data);
    int setTresure(std::shared_ptr<TTresureData> data);

    // ---- creatures and debris -----------------------------------------------------------
    int useLiving();
    int usunLiving();
    int rozbijNaKwadraty();
    int dodaj() { return 0; }

    // ---- drawing (draw_cell.cpp) ---------------------------------------------------------
    // The cell in play: cover, picture, treasure or stone by its state; the tutorial light
    // on a tutorial level; the hover frame when it is under the mouse and no line is held.
    // Nothing while its flying copy is on the way in.
    int draw();
    int drawHiden();
    int drawOdkryty();
    // An empty cell uncovered by mistake: its mark, under the cover while it opens.
    int _drawWrongUncover(TImage cover, int S);
    // The hover frame of the size class (a gold rim on an ink line), untinted, with the
    // current alpha, blend and scale.
    int drawOver();
    // The same frame at full opacity and scale 1.
    int drawSPEcOver();
    // Its own look added again with light blending (row and column cross, power-up areas).
    int drawOverBlend();
    // The tutorial's ghost of a filled cell.
    int drawPosibility();
    int _drawLightUp();
    int _drawGreyField();
    // The level editor shows the solution: pictures and treasures at their last frame,
    // empty cells as their fully opened cover.
    int draweditor();
    int drawOdkrytyEditor();
    int drawHidenEditor();

    // ---- tutorial marks -----------------------------------------------------------------
    int setZadanie(const std::string& task, const std::string& after);
    int lightMeUp();
    int lightMeDown();
    int updateTutorial();
    int _updateTutorial_light();
    int _updateTutorial_zadanie();
    int tutorialEndZadanie();

    // ---- state handlers -----------------------------------------------------------------
    int update_state_ODKRYJ_1();
    int update_state_ODKRYJ_3();
    int update_state_ROZBIJAJ_DESKE();
    int update_state_ODKRYJ_2();
    int update_state_ODKRYJ_TILES();
    int update_state_ROZBIJ_1();
    int update_state_ROZBIJ_2();
    int update_state_ROZBIJ_3();
    int update_state_ODKRYTY() { return 0; }

    // Centre of the cell (0, 0 before the layout placed it).
    float x() const { return dim ? dim->x : 0.0f; }
    float y() const { return dim ? dim->y : 0.0f; }
    // The level's size class folded into 0..4.
    int sizeClass() const;

private:
    int _uncoverPlayOut(const char* sound);
    // Advances animTime toward `last`; true on the update that starts on the last frame.
    bool _stepFrames(float last);
    bool _waiting() const;
    bool _rightBreakPending() const;
};

// Every state name the cell uses.
namespace tilestate {
inline const std::string ODKRYJ_1 = "ODKRYJ-1";
inline const std::string ODKRYJ_2 = "ODKRYJ-2";
inline const std::string ODKRYJ_3 = "ODKRYJ-3";
inline const std::string ODKRYJ_TILES = "ODKRYJ-TILES";
inline const std::string ODKRYTY = "ODKRYTY";
inline const std::string ROZBIJ_1 = "ROZBIJ-1";
inline const std::string ROZBIJ_2 = "ROZBIJ-2";
inline const std::string ROZBIJ_3 = "ROZBIJ-3";
inline const std::string ROZBITY = "ROZBITY";
}  // namespace tilestate

// Reset of the type-level data (hover frames, testSpeed) for tests.
void resetTileStatics();
