#pragma once
// Awards: the full award record (the profile knows only id, family and tier: TAward), the
// global award list the award screen fills while loading, the lookup by id, and the 25
// rules the win screen runs after a won nonogram level.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/profile/profile_types.h"
#include "gui/core/dim.h"
#include "platform/graphics.h"

class TAwardRecord : public TAward {
public:
    std::string title;
    std::string opis;         // description
    std::string opisReceive;  // text shown when received
    TImage img;               // handle at its centre
    float x = 0, y = 0;       // icon centre on the award screen
    int32_t wielorazowy = 0;  // non-zero: may be granted again while held
    int32_t value = 0;        // the threshold of its rule
    int32_t show = 0;
    float overA = 0, dOverA = 0;  // icon glow
    float toolA = 0, dToolA = 0;  // name label
    int32_t licznik = 0;          // how often the current profile holds it

    virtual int update();
    // A held award: icon, glow and the label with its count.
    virtual int draw(float alpha);
    // An award not held: the label alone.
    virtual int draw2(float alpha);
    // Top-left corner of the name label in the current image font.
    virtual std::shared_ptr<TDim> getProperTitleDim();
};
using TAwardRecordList = std::vector<std::shared_ptr<TAwardRecord>>;

// Filled from "data/awards.dat" by the award screen, in file order.
extern TAwardRecordList awardsList;
// The award screen's label font (set by the award screen).
extern TImageFont awardLabelFont;

// The first record of awardsList with the id, or null.
std::shared_ptr<TAwardRecord> getAwardByID(int32_t id);

// What the rules read of the play screen for the level just won.
struct TAwardPlayState {
    float mnoznik = 1;       // the level's score multiplier
    int32_t maxKamieni = 3;  // the bag's capacity
    int32_t maxMistakes = 0; // chest hits the level allows
};
// The play screen installs its reader; null restores the defaults above.
void setAwardPlaySource(std::function<TAwardPlayState()> source);
TAwardPlayState awardPlayState();

// The rules, each against the current profile: the record to grant now, or null.
std::shared_ptr<TAwardRecord> CAN_GIVE_AWARD_brainiac_BRONZE();
std::shared_ptr<TAwardRecord> CAN_GIVE_AWARD_brainiac_SILVER();
std::shared_ptr<TAwardRecord> CAN_GIVE_AWARD_brainiac_GOLD();
std::shared_ptr<TAwardRecord> CAN_GIVE_AWARD_points_killer_BRONZE();
std::shared_ptr<TAwardRecord> CAN_GIVE_AWARD_points_killer_SILVER();
std::shared_ptr<TAwardRecord> CAN_GIVE_AWARD_points_killer_GOLD();
std::shared_ptr<TAwardRecord> CAN_GIVE_AWARD_dedicated_pirate();
std::shared_ptr<TAwardRecord> CAN_GIVE_AWARD_super_combo_maniac();
std::shared_ptr<TAwardRecord> CAN_GIVE_AWARD_combo_maniac();
std::shared_ptr<TAwardRecord> CAN_GIVE_AWARD_powerUp();
std::shared_ptr<TAwardRecord> CAN_GIVE_AWARD_hint_maniac();
std::shared_ptr<TAwardRecord> CAN_GIVE_AWARD_risky_BRONZE();
std::shared_ptr<TAwardRecord> CAN_GIVE_AWARD_risky_SILVER();
std::shared_ptr<TAwardRecord> CAN_GIVE_AWARD_risky_GOLD();
std::shared_ptr<TAwardRecord> CAN_GIVE_AWARD_tresure_BRONZE();
std::shared_ptr<TAwardRecord> CAN_GIVE_AWARD_tresure_SILVER();
std::shared_ptr<TAwardRecord> CAN_GIVE_AWARD_tresure_GOLD();
std::shared_ptr<TAwardRecord> CAN_GIVE_AWARD_skull();
std::shared_ptr<TAwardRecord> CAN_GIVE_AWARD_sabre();
std::shared_ptr<TAwardRecord> CAN_GIVE_AWARD_medalion();
std::shared_ptr<TAwardRecord> CAN_GIVE_AWARD_eye();
std::shared_ptr<TAwardRecord> CAN_GIVE_AWARD_map();
std::shared_ptr<TAwardRecord> CAN_GIVE_AWARD_sea_life_BRONZE();
std::shared_ptr<TAwardRecord> CAN_GIVE_AWARD_sea_life_SILVER();
std::shared_ptr<TAwardRecord> CAN_GIVE_AWARD_sea_life_GOLD();

// Runs the 25 rules once in the win screen's order (each family from gold down), handing
// every result at once to giveAward, which must record a grant before the next rule runs
// (a grant blocks the lower tiers of its family in the same pass). Without giveAward the
// award is appended to the current profile's awards. Returns the awards granted, in order.
// The win screen does not call it on a tutorial level.
TAwardRecordList runAwardRules(const std::function<void(const std::shared_ptr<TAwardRecord>&)>& giveAward = {});

// Empty list, no font, default play state: for tests.
void resetAwards();
