#include "game/awards/awards.h"

#include "app/ekran.h"
#include "app/profile/profile.h"
#include "app/profile/profile_manager.h"
#include "gui/frame/deltatime.h"
#include "platform/strings.h"
#include "gui/text/type_style.h"

TAwardRecordList awardsList;
TImageFont awardLabelFont;

namespace {

std::function<TAwardPlayState()> gPlaySource;

using Award = std::shared_ptr<TAwardRecord>;

// The common gate of every rule: the record exists, it is not held unless repeatable, and
// no higher tier of its family is held. `higher` lists those tiers by id.
Award gate(TProfile*& p, int32_t id, std::initializer_list<int32_t> higher = {}) {
    p = profileManager.profile.get();
    if (!p) return nullptr;
    // An award missing from the award list grants nothing.
    Award a = getAwardByID(id);
    if (!a) return nullptr;
    if (a->wielorazowy == 0 && p->getAward(id)) return nullptr;
    for (int32_t h : higher)
        if (p->getAward(h)) return nullptr;
    return a;
}

// While brainiac bronze is held, no brainiac award comes on the first casual stage.
bool brainiacBlocked(const TProfile& p) {
    return p.getAward(1) && p.numerStageu == 1 && p.flowType == "CASUAL";
}

Award brainiac(int32_t id, std::initializer_list<int32_t> higher) {
    const TProfile* cur = profileManager.profile.get();
    if (!cur || brainiacBlocked(*cur)) return nullptr;
    TProfile* p = nullptr;
    Award a = gate(p, id, higher);
    if (!a) return nullptr;
    return (p->mistakes == 0 && p->noMistakesOnLevel >= a->value) ? a : nullptr;
}

Award pointsKiller(int32_t id, std::initializer_list<int32_t> higher) {
    TProfile* p = nullptr;
    Award a = gate(p, id, higher);
    return (a && p->score >= a->value) ? a : nullptr;
}

Award combo(int32_t id) {
    TProfile* p = nullptr;
    Award a = gate(p, id);
    return (a && awardPlayState().mnoznik >= static_cast<float>(a->value)) ? a : nullptr;
}

// At most one stone of the whole allowance (chest and bag together) left to spare.
bool riskyWin(const TProfile& p) {
    TAwardPlayState s = awardPlayState();
    return (s.maxMistakes + s.maxKamieni) - (p.mistakes + p.kamienieWWorku) < 2;
}

Award treasure(int32_t id, std::initializer_list<int32_t> higher) {
    TProfile* p = nullptr;
    Award a = gate(p, id, higher);
    return (a && p->numerStageu == a->value) ? a : nullptr;
}

// A power-up award; its use counter restarts when it is granted.
Award powerUse(int32_t id, int32_t TProfile::*counter) {
    TProfile* p = nullptr;
    Award a = gate(p, id);
    if (!a || p->*counter < a->value) return nullptr;
    p->*counter = 0;
    return a;
}

Award seaLife(int32_t id, std::initializer_list<int32_t> higher) {
    TProfile* p = nullptr;
    Award a = gate(p, id, higher);
    return (a && p->allLivings >= a->value) ? a : nullptr;
}

}  // namespace

std::shared_ptr<TAwardRecord> getAwardByID(int32_t id) {
    for (const auto& a : awardsList)
        if (a && a->id == id) return a;
    return nullptr;
}

void setAwardPlaySource(std::function<TAwardPlayState()> source) { gPlaySource = std::move(source); }
TAwardPlayState awardPlayState() { return gPlaySource ? gPlaySource() : TAwardPlayState{}; }

void resetAwards() {
    awardsList.clear();
    awardLabelFont = nullptr;
    gPlaySource = nullptr;
}

int TAwardRecord::update() {
    easeToward(toolA, dToolA, 0.02f, delta);
    easeToward(overA, dOverA, 0.05f, delta);
    return 0;
}

std::shared_ptr<TDim> TAwardRecord::getProperTitleDim() {
    int32_t w = TextWidth(title) / 2;
    int32_t h = TextHeight(title) / 2;
    return createSimpleDim(static_cast<int32_t>(x - float(w)), static_cast<int32_t>(y - float(h) + 40));
}

namespace {

void drawLabel(TAwardRecord& a, const std::string& label, float alpha) {
    SetBlend(ALPHABLEND);
    SetImageFont(awardLabelFont);
    auto p = a.getProperTitleDim();
    // Body text on a dark ink plate.
    const TRGB& ink = typestyle::kInk;
    const TRGB& body = typestyle::kBody;
    SetColor(ink.r, ink.g, ink.b);
    SetAlpha(alpha * a.toolA * 0.75f);
    DrawRect(p->x - 10, p->y - 5, float(TextWidth(label) + 20), float(TextHeight(label) + 10));
    SetColor(body.r, body.g, body.b);
    SetAlpha(alpha * a.toolA);
    DrawText(label, p->x, p->y);
}

}  // namespace

int TAwardRecord::draw(float alpha) {
    SetBlend(ALPHABLEND);
    SetAlpha(alpha);
    if (img) DrawImage(img, x, y, 0);
    SetBlend(LIGHTBLEND);
    SetAlpha(alpha * overA * 0.3f);
    if (img) DrawImage(img, x, y, 0);
    drawLabel(*this, title + " (" + str::formatInt(licznik) + ")", alpha);
    return 0;
}

int TAwardRecord::draw2(float alpha) {
    drawLabel(*this, title, alpha);
    return 0;
}

// The rules. Ids and thresholds (`value`) come from "data/awards.dat":
//   1-3   brainiac: levels won without a chest hit (this win without one)
//   4-6   points killer: total score
//   7     dedicated pirate: wins and restarts of the level just won
//   8, 9  combo maniacs: the level's multiplier
//   10    power-up: all six power-ups unlocked (value unused)
//   11    hint maniac: hints used
//   12-14 risky: at most one stone of chest and bag allowance to spare. Silver and gold
//         also need the next-lower tier held at least `value` times: silver counts risky
//         bronze (12), gold counts risky silver (13). With the shipped value 1 the family
//         climbs one tier per risky win: bronze, then silver, then gold.
//   15-17 treasure: won on the stage named by value
//   18-22 skull, sabre, medallion, eye, map: uses since the last grant (counter zeroed)
//   23-25 sea life: creatures found
std::shared_ptr<TAwardRecord> CAN_GIVE_AWARD_brainiac_BRONZE() { return brainiac(1, {2, 3}); }
std::shared_ptr<TAwardRecord> CAN_GIVE_AWARD_brainiac_SILVER() { return brainiac(2, {3}); }
std::shared_ptr<TAwardRecord> CAN_GIVE_AWARD_brainiac_GOLD() { return brainiac(3, {}); }
std::shared_ptr<TAwardRecord> CAN_GIVE_AWARD_points_killer_BRONZE() { return pointsKiller(4, {5, 6}); }
std::shared_ptr<TAwardRecord> CAN_GIVE_AWARD_points_killer_SILVER() { return pointsKiller(5, {6}); }
std::shared_ptr<TAwardRecord> CAN_GIVE_AWARD_points_killer_GOLD() { return pointsKiller(6, {}); }

std::shared_ptr<TAwardRecord> CAN_GIVE_AWARD_dedicated_pirate() {
    TProfile* p = nullptr;
    Award a = gate(p, 7);
    if (!a) return nullptr;
    auto rec = p->getProfLevelData(p->numerLevelu);
    return (rec && rec->ileRazy >= a->value) ? a : nullptr;
}

std::shared_ptr<TAwardRecord> CAN_GIVE_AWARD_super_combo_maniac() { return combo(8); }
std::shared_ptr<TAwardRecord> CAN_GIVE_AWARD_combo_maniac() { return combo(9); }

std::shared_ptr<TAwardRecord> CAN_GIVE_AWARD_powerUp() {
    TProfile* p = nullptr;
    Award a = gate(p, 10);
    if (!a) return nullptr;
    for (int32_t u : p->unlocked)
        if (u == 0) return nullptr;
    return a;
}

std::shared_ptr<TAwardRecord> CAN_GIVE_AWARD_hint_maniac() {
    TProfile* p = nullptr;
    Award a = gate(p, 11);
    return (a && p->hintsUsed >= a->value) ? a : nullptr;
}

std::shared_ptr<TAwardRecord> CAN_GIVE_AWARD_risky_BRONZE() {
    TProfile* p = nullptr;
    Award a = gate(p, 12, {13, 14});
    return (a && riskyWin(*p)) ? a : nullptr;
}

std::shared_ptr<TAwardRecord> CAN_GIVE_AWARD_risky_SILVER() {
    TProfile* p = nullptr;
    Award a = gate(p, 13, {14});
    return (a && riskyWin(*p) && p->countAward(12) >= a->value) ? a : nullptr;
}

std::shared_ptr<TAwardRecord> CAN_GIVE_AWARD_risky_GOLD() {
    TProfile* p = nullptr;
    Award a = gate(p, 14);
    return (a && riskyWin(*p) && p->countAward(13) >= a->value) ? a : nullptr;
}

std::shared_ptr<TAwardRecord> CAN_GIVE_AWARD_tresure_BRONZE() { return treasure(15, {16, 17}); }
std::shared_ptr<TAwardRecord> CAN_GIVE_AWARD_tresure_SILVER() { return treasure(16, {17}); }
std::shared_ptr<TAwardRecord> CAN_GIVE_AWARD_tresure_GOLD() { return treasure(17, {}); }
std::shared_ptr<TAwardRecord> CAN_GIVE_AWARD_skull() { return powerUse(18, &TProfile::useOfSkull); }
std::shared_ptr<TAwardRecord> CAN_GIVE_AWARD_sabre() { return powerUse(19, &TProfile::useOfSword); }
std::shared_ptr<TAwardRecord> CAN_GIVE_AWARD_medalion() { return powerUse(20, &TProfile::useOfMedalion); }
std::shared_ptr<TAwardRecord> CAN_GIVE_AWARD_eye() { return powerUse(21, &TProfile::useOfEye); }
std::shared_ptr<TAwardRecord> CAN_GIVE_AWARD_map() { return powerUse(22, &TProfile::useOfMap); }
std::shared_ptr<TAwardRecord> CAN_GIVE_AWARD_sea_life_BRONZE() { return seaLife(23, {24, 25}); }
std::shared_ptr<TAwardRecord> CAN_GIVE_AWARD_sea_life_SILVER() { return seaLife(24, {25}); }
std::shared_ptr<TAwardRecord> CAN_GIVE_AWARD_sea_life_GOLD() { return seaLife(25, {}); }

TAwardRecordList runAwardRules(const std::function<void(const std::shared_ptr<TAwardRecord>&)>& giveAward) {
    using Rule = std::shared_ptr<TAwardRecord> (*)();
    static const Rule order[] = {
        CAN_GIVE_AWARD_brainiac_GOLD,       CAN_GIVE_AWARD_brainiac_SILVER,
        CAN_GIVE_AWARD_brainiac_BRONZE,     CAN_GIVE_AWARD_points_killer_GOLD,
        CAN_GIVE_AWARD_points_killer_SILVER, CAN_GIVE_AWARD_points_killer_BRONZE,
        CAN_GIVE_AWARD_dedicated_pirate,    CAN_GIVE_AWARD_super_combo_maniac,
        CAN_GIVE_AWARD_combo_maniac,        CAN_GIVE_AWARD_powerUp,
        CAN_GIVE_AWARD_hint_maniac,         CAN_GIVE_AWARD_risky_GOLD,
        CAN_GIVE_AWARD_risky_SILVER,        CAN_GIVE_AWARD_risky_BRONZE,
        CAN_GIVE_AWARD_tresure_GOLD,        CAN_GIVE_AWARD_tresure_SILVER,
        CAN_GIVE_AWARD_tresure_BRONZE,      CAN_GIVE_AWARD_skull,
        CAN_GIVE_AWARD_sabre,               CAN_GIVE_AWARD_eye,
        CAN_GIVE_AWARD_medalion,            CAN_GIVE_AWARD_map,
        CAN_GIVE_AWARD_sea_life_GOLD,       CAN_GIVE_AWARD_sea_life_SILVER,
        CAN_GIVE_AWARD_sea_life_BRONZE,
    };
    TAwardRecordList granted;
    for (Rule rule : order) {
        auto a = rule();
        if (!a) continue;
        granted.push_back(a);
        if (giveAward) giveAward(a);
        else if (auto* p = profileManager.profile.get()) p->awardy.push_back(a);
    }
    return granted;
}
