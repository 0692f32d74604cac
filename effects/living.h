#pragma once
// Sea creatures: now and then one turns up on a covered cell; a right move or a reveal on
// that cell collects it and it pays the bonus of its kind (1 starfish: multiplier + 1,
// 2 seahorse: five treasures, 3 turtle: 1000 points, 4 shell: a hint slot back or 500
// points, 5 crab: one more mistake allowed). A wrong move loses it. The kinds come from
// "data/livings.dat"; the creatures of a level live in its `livings`.
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "gui/core/dim.h"
#include "platform/graphics.h"

class TLevel;
class TTile;
struct TTresureData;

struct TLivingData {
    int32_t id = 0;
    std::array<TImage, 5> img{};      // still strip per size class; its last frame at rest
    std::array<TImage, 5> animImg{};  // idle strip per size class
    int32_t animFrames = 1;
    int32_t frames = 1;
    int32_t per = 0;                  // the file's percent; unused
    float animY = 0, animX = 0;

    virtual ~TLivingData() = default;
    virtual std::vector<std::shared_ptr<TTile>> createAvailableTilesList(TLevel& level);
    virtual std::shared_ptr<TTile> getRandomTile(const std::vector<std::shared_ptr<TTile>>& cells);
    virtual int createInLevel(TLevel& level);
};

struct TLiving {
    std::weak_ptr<TTile> tile;
    int32_t size = 0;
    std::shared_ptr<TLivingData> ld;
    int32_t times = 0;
    int32_t time = 0;
    float alpha = 1, dAlpha = 1;
    int32_t start = 0;
    int32_t nextTime = 0;
    float frame = 0;
    float rot = 0;
    int32_t playAnim = 0;
    int32_t nextAnim = 0;
    float animFrame = 0;
    float changeA = 0;
    std::array<std::shared_ptr<TTresureData>, 5> tresure{};
    std::array<TDim, 5> dim{};
    std::array<int32_t, 5> all{};
    float rotKonik = 0, odlKonik = 0;
    int32_t numerHinta = -1;
    int32_t giveAsScore = 0;
    float startP = 1;
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0, mx = 0, my = 0;
    float per = 0;
    float x = 0, y = 0;
    float usePer = 0;
    float cellX = 0, cellY = 0;  // the cell's centre, kept for after the cell is gone
    TLevel* level = nullptr;     // the level whose `livings` holds it
    bool _dead = false;

    virtual ~TLiving() = default;
    virtual void drawTres();
    virtual void drawUse();
    virtual void draw();
    virtual void updateTres();
    virtual void updateUse();
    virtual void updateFrame();
    virtual void update();
    virtual void useGwiazda();
    virtual void useKonik();
    virtual void useZolw();
    virtual void useMuszla();
    virtual void useKrab();
    virtual void use();
    virtual void destroyGwiazda();
    virtual void destroyZolw();
    virtual void destroyMuszla();
    virtual void destroyKrab();
    virtual void destroy();
    virtual void setNextAnim();
};

// The kinds, in file order; a starfish stands in it twice.
extern std::vector<std::shared_ptr<TLivingData>> livingList;

// What a creature asks of the play screen when it pays.
class TLivingHost {
public:
    virtual ~TLivingHost() = default;
    virtual void addMultiplier(float amount) { (void)amount; }
    virtual int getFreeHintDimNumber() { return 0; }
    // Slot n's centre; false when there is no such slot.
    virtual bool hintSlot(int n, float& x, float& y) {
        (void)n, x = y = 0;
        return false;
    }
    virtual bool anyHintUsed() { return false; }
    virtual void giveHintBack(int n) { (void)n; }
    // The level's state: treasures made after a loss go straight down.
    virtual bool levelLost() { return false; }
};
void setLivingHost(TLivingHost* host);
TLivingHost& livingHost();

int setupLivings();
std::shared_ptr<TLivingData> getLivingDataById(int id);
std::shared_ptr<TLiving> createLiving(const std::shared_ptr<TLivingData>& kind, const std::shared_ptr<TTile>& cell);
void resetLivings();
