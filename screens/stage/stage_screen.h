#pragma once
// The stage screen: the levels of one stage of the sea map as a grid of icons on a
// parchment panel, over the still moving map. A playable level is chosen by a click, the
// play button takes the first level not yet won, back or Esc returns to the map.
#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "app/ekran.h"
#include "app/profile/profile_types.h"
#include "platform/graphics.h"

class TMapStage;
class TProfile;

class TStageScreen : public TEkran {
public:
    static constexpr int kColumns = 6;

    std::array<TImage, 4> levelTypeImg{};  // MAIN-GAME, PUZZLE-EXPRESS, HIDDEN-OBJECT, LAY-PUZZLE
    TLevelDataList listaLeveli;
    TImage panel;
    TMapStage* stage = nullptr;
    std::shared_ptr<TLevelData> overLevel;
    float startX = 160, startY = 165;
    float stepX = 140, stepY = 90;
    std::shared_ptr<TLevelData> wybrany;  // kept between runs
    std::string state;
    std::string wynik;  // "PLAY" or ""; hides the base field
    TImageFont font1;   // level labels
    TImageFont font2;   // stage title
    TImageFont sizeFont;  // a board's size, on the plaque of its icon
    // The plaque's centre right of the icon's centre (the icons are drawn in assets/gen).
    static constexpr float kSizePlateX = 22;
    std::string txtLevel;
    // The middle of the panel tells about one level: the one under the pointer, else the one
    // the play button starts. Lines 12 to 20 of the stage screen's text: the four kinds of
    // level, won, not yet won, locked, and the words before a won level's score and time.
    std::array<std::string, 4> txtKind{};
    std::string txtWon, txtNotWon, txtLocked, txtScore, txtTime;
    TImageFont nameFont;    // the level's name in the middle
    TImageFont detailFont;  // its kind and state
    // The big icon's centre and scale, and the left edge of the lines beside it (the card
    // is drawn in the panel picture, assets/gen).
    static constexpr float kDetailIconX = 300, kDetailIconY = 356, kDetailIconScale = 1.6f;
    static constexpr float kDetailTextX = 420, kDetailTextY = 280;
    bool chosen = false;  // a level is on its way: the controls rest
    bool loaded = false;

    // The hover glow of each entry (strength and its target), kept beside the shared
    // progression entries.
    struct Glow {
        float overA = 0, dOverA = 0;
    };
    std::map<const TLevelData*, Glow> glow;
    // The grid size of each nonogram level ("5 x 5"), read from its level file when the
    // screen opens; empty for other game types.
    std::map<const TLevelData*, std::string> sizeLine;

    int setup() override;
    int draw() override;
    int update() override;
    virtual std::string mainLoop(TMapStage& stage);
    virtual int prepare(TMapStage& stage);
    virtual TImage getProperImg(const std::string& gameType) const;
    // The four game types the grid has icons for.
    static bool knownType(const std::string& gameType);
    // The playable rule: a record of its own, the previous level won, or level number 1.
    virtual int levelPlayableDraw(const TLevelData& level, const TLevelData* previous) const;
    // The won rule.
    virtual int levelPlayable(const TLevelData& level) const;
    virtual std::shared_ptr<TLevelData> getFirstUnplayedLevel() const;
    virtual int click(const std::shared_ptr<TLevelData>& level);
    virtual int goBack();
    virtual int goPlay();
    virtual int goPlayNext();
    virtual int _drawBack();
    virtual int _drawPapirus();
    virtual int _drawLevels();
    virtual int _drawInfo();
    // The level the middle of the panel tells about (none for an empty stage).
    std::shared_ptr<TLevelData> shownLevel() const;
    virtual int _drawDetails();
    virtual int _drawLevel(const TLevelData& level, const TLevelData* previous, float x, float y);
    virtual int _updateOver();
    virtual int _updateState();
    // The map behind: keeps moving while this screen is open.
    virtual int _updateBackground();
    // One frame's button and key tests (after the flip).
    virtual int _controlGUI();

    // Centre of the cell of list position k.
    float cellX(int k) const;
    float cellY(int k) const;
    // The icon's hit box around (x, y): integer halves, edges inclusive.
    static bool inIcon(const TImage& icon, float x, float y);
    float overA(const TLevelData& level) const;

    TProfile* profile() const;
};

extern TStageScreen stageScreen;

// A freshly made stage screen: for tests.
void resetStageScreen();
