#include "effects/living.h"

#include <algorithm>
#include <cmath>

#include "effects/curve.h"
#include "effects/flying_tresure.h"
#include "effects/odpad.h"
#include "effects/particles.h"
#include "game/board/ease.h"
#include "game/board/level.h"
#include "game/board/links.h"
#include "game/board/tile.h"
#include "game/board/tiledata.h"
#include "gui/data/qcmfile.h"
#include "gui/frame/deltatime.h"
#include "gui/globals.h"
#include "platform/system.h"

std::vector<std::shared_ptr<TLivingData>> livingList;

namespace {

TLivingHost gDefaultHost;
TLivingHost* gHost = &gDefaultHost;

int sizeIndex(int s) { return std::clamp(s, 0, 4); }

// Frame counts below 1 would cut cells of no width: read as 1, with a word in the console.
int32_t atLeastOne(int32_t n, const char* key, int k) {
    if (n >= 1) return n;
    Print("data/livings.dat: creature " + std::to_string(k) + " has " + key + " = " + std::to_string(n) +
          "; 1 is used");
    return 1;
}

TImage loadStrip(const std::string& path, int frames, bool alwaysCut) {
    TImage whole = LoadImage(path);
    if (!whole) return nullptr;
    TImage out = whole;
    if (frames > 1 || alwaysCut) {
        const int w = std::max(1, ImageWidth(whole) / frames);
        out = LoadAnimImage(path, w, ImageHeight(whole), 0, frames);
    }
    if (out) MidHandleImage(out);
    return out;
}

void drawIf(const TImage& img, float x, float y, int frame) {
    if (!img) return;
    const int n = ImageFrames(img);
    DrawImage(img, x, y, std::clamp(frame, 0, std::max(0, n - 1)));
}

}  // namespace

void setLivingHost(TLivingHost* host) { gHost = host ? host : &gDefaultHost; }
TLivingHost& livingHost() { return *gHost; }

int setupLivings() {
    auto data = loadQCMFile(bDir + "data/livings.dat");
    livingList.clear();
    const int K = data->getCount("livings::i", "l");
    for (int k = 1; k <= K; ++k) {
        const std::string g = "livings::l" + std::to_string(k) + "::";
        auto kind = std::make_shared<TLivingData>();
        kind->frames = atLeastOne(data->getInt(g + "frames"), "frames", k);
        kind->animFrames = atLeastOne(data->getInt(g + "animFrames"), "animFrames", k);
        kind->animX = data->getFloat(g + "animX", 0);
        kind->animY = data->getFloat(g + "animY", 0);
        kind->id = data->getInt(g + "id");
        kind->per = data->getInt(g + "percent");
        const std::string still = data->getString(g + "img", 0);
        const std::string idle = data->getString(g + "anim", 0);
        for (int s = 0; s < 5; ++s) {
            kind->img[size_t(s)] = loadStrip(bDir + still + "_" + std::to_string(s) + ".png", kind->frames, false);
            kind->animImg[size_t(s)] = loadStrip(bDir + idle + "-" + std::to_string(s) + ".png", kind->animFrames, true);
        }
        livingList.push_back(kind);
        if (kind->id == 1) livingList.push_back(kind);
    }
    return 0;
}

std::shared_ptr<TLivingData> getLivingDataById(int id) {
    for (const auto& k : livingList)
        if (k && k->id == id) return k;
    return nullptr;
}

void resetLivings() {
    livingList.clear();
    gHost = &gDefaultHost;
}

// ---- kinds --------------------------------------------------------------------------------------

std::vector<std::shared_ptr<TTile>> TLivingData::createAvailableTilesList(TLevel& level) {
    std::vector<std::shared_ptr<TTile>> out;
    for (const auto& t : level.tile)
        if (t && t->state.empty() && !t->_living) out.push_back(t);
    return out;
}

std::shared_ptr<TTile> TLivingData::getRandomTile(const std::vector<std::shared_ptr<TTile>>& cells) {
    if (cells.empty()) return nullptr;
    return cells[size_t(Rand(1, int(cells.size())) - 1)];
}

int TLivingData::createInLevel(TLevel& level) {
    const auto cells = createAvailableTilesList(level);
    if (cells.empty()) return 0;
    auto cell = getRandomTile(cells);
    auto self = getLivingDataById(id);
    // A kind not in the list (tests make their own) still places itself.
    for (const auto& k : livingList)
        if (k.get() == this) self = k;
    if (!self) return 0;
    level.livings.push_back(createLiving(self, cell));
    return 0;
}

std::shared_ptr<TLiving> createLiving(const std::shared_ptr<TLivingData>& kind, const std::shared_ptr<TTile>& cell) {
    auto l = std::make_shared<TLiving>();
    l->ld = kind;
    l->tile = cell;
    if (cell) {
        l->level = cell->_level;
        l->size = sizeIndex(cell->sizeClass());
        l->cellX = cell->x();
        l->cellY = cell->y();
        cell->_living = l;
    }
    l->times = 0;
    l->frame = 0;
    l->alpha = 1;
    l->setNextAnim();
    servicesLink().playMySound("living");
    return l;
}

// ---- one creature -------------------------------------------------------------------------------

void TLiving::setNextAnim() {
    nextAnim = Millisecs() + Rand(3, 5) * 1000;
    playAnim = 0;
    animFrame = 0;
}

void TLiving::updateFrame() {
    const float last = float(std::max(1, ld ? ld->frames : 1) - 1);
    frame = std::min(last, frame + 0.2f * delta);
}

void TLiving::update() {
    if (start == 0) {
        if (Millisecs() > nextAnim) {
            playAnim = 1;
            animFrame += 0.2f * delta;
            if (animFrame > float((ld ? ld->animFrames : 1) - 1)) setNextAnim();
        }
        easeToward(alpha, dAlpha, 0.02f * delta);
        updateFrame();
        return;
    }
    updateUse();
}

void TLiving::updateUse() {
    easeToward(usePer, 1, 0.01f * delta);
    if (ld && ld->id == 2) {
        updateTres();
        return;
    }
    const float old = per;
    easeToward(per, 1, 0.01f * delta);
    x = fx::bezier(x1, mx, x2, per);
    y = fx::bezier(y1, my, y2, per);
    const int32_t now = Millisecs();
    if (now > time) {
        time = now + 25;
        for (int i = 0; i < 3; ++i) createLivingParticle2(x, y);
    }
    if (per == 1 && old == 1) {
        servicesLink().playMySound("HO_ok");
        destroy();
    }
}

void TLiving::updateTres() {
    easeToward(per, 1, 0.01f * delta);
    const float e = fx::sinDeg(90 * per);
    rotKonik = 900 * e;
    float w = 0;
    if (auto cell = tile.lock())
        if (cell->td && cell->td->gfx[size_t(size)]) w = float(ImageWidth(cell->td->gfx[size_t(size)]));
    odlKonik = w * (0.2f + 0.8f * e);
    const int32_t now = Millisecs();
    for (size_t i = 0; i < 5; ++i) {
        if (per > 0.8f && all[i] == 0 && now > nextTime) {
            all[i] = 1;
            nextTime = now + 100;
            // A kind the treasure data lacks pays nothing rather than fly without a picture.
            if (!tresure[i]) continue;
            auto t = createFlyingTresure(tresure[i], size, 0, dim[i].x, dim[i].y, tile.lock());
            // After a loss the pile falls: a treasure released now must not wait to land.
            if (t && livingHost().levelLost()) t->sendDown();
        } else if (all[i] == 0) {
            const float a = (rotKonik + 72.0f * float(i)) * fx::kDegToRad;
            dim[i].x = float(int(cellX + std::cos(a) * odlKonik));
            dim[i].y = float(int(cellY + std::sin(a) * odlKonik));
        }
    }
    if (std::all_of(all.begin(), all.end(), [](int32_t v) { return v != 0; })) destroy();
}

void TLiving::draw() {
    if (start != 0) {
        if (ld && ld->id == 2) drawTres();
        else drawUse();
        return;
    }
    if (!ld) return;
    const float a = fx::sinDeg(90 * alpha);
    SetBlend(ALPHABLEND);
    SetColor(255, 255, 255);
    SetScale(a, a);
    SetAlpha(a);
    SetRotation(0);
    if (playAnim) drawIf(ld->animImg[size_t(size)], cellX + ld->animX, cellY + ld->animY, int(animFrame));
    else drawIf(ld->img[size_t(size)], cellX, cellY, int(frame));
    SetScale(1, 1);
}

void TLiving::drawUse() {
    if (!ld) return;
    SetBlend(ALPHABLEND);
    SetColor(255, 255, 255);
    SetAlpha(fx::sinDeg(90 * alpha));
    float s = 1;
    if (per < 0.4f) s = startP + (1 - startP) * per / 0.4f;
    else if (per > 0.8f) s = 1 - (per - 0.8f) / 0.2f;
    SetScale(s, s);
    SetRotation(720 * per);
    drawIf(ld->img[0], x, y, int(frame));
    SetScale(1, 1);
    SetRotation(0);
}

void TLiving::drawTres() {
    if (!ld) return;
    SetBlend(ALPHABLEND);
    SetColor(255, 255, 255);
    const float s = 1 + 0.5f * fx::sinDeg(270 * usePer);
    SetScale(s, s);
    SetAlpha(1);
    SetRotation(rot);
    drawIf(ld->img[size_t(size)], cellX, cellY, ld->frames - 1);
    SetRotation(0);
    for (size_t i = 0; i < 5; ++i) {
        if (all[i] != 0 || !tresure[i]) continue;
        SetScale(per, per);
        SetAlpha(per);
        drawIf(tresure[i]->normalImg[size_t(size)], dim[i].x, dim[i].y, 0);
    }
    SetScale(1, 1);
}

void TLiving::use() {
    if (start != 0) return;
    start = 1;
    const int w0 = (ld && ld->img[0]) ? ImageWidth(ld->img[0]) : 0;
    const int ws = (ld && ld->img[size_t(size)]) ? ImageWidth(ld->img[size_t(size)]) : 0;
    startP = w0 > 0 ? float(ws) / float(w0) : 1.0f;
    if (level) level->livingsCount += 1;
    x = x1 = cellX;
    y = y1 = cellY;
    const int id = ld ? ld->id : 0;
    switch (id) {
    case 1: useGwiazda(); break;
    case 2: useKonik(); return;
    case 3: useZolw(); break;
    case 4: useMuszla(); break;
    case 5: useKrab(); break;
    default: return;
    }
    mx = x1;
    my = y2;
    per = 0;
}

void TLiving::useGwiazda() {
    x2 = 855;
    y2 = 190;
}

void TLiving::useZolw() {
    x2 = 888;
    y2 = 160;
}

void TLiving::useKrab() {
    x2 = 887;
    y2 = 460;
}

void TLiving::useMuszla() {
    const int n = livingHost().getFreeHintDimNumber();
    if (!livingHost().anyHintUsed()) {
        giveAsScore = 1;
        x2 = 888;
        y2 = 160;
        return;
    }
    livingHost().hintSlot(n, x2, y2);
    numerHinta = n;
}

void TLiving::useKonik() {
    for (size_t i = 0; i < 5; ++i) {
        tresure[i] = getTresureById(Rand(1, 4));
        all[i] = 0;
        dim[i].x = float(int(cellX));
        dim[i].y = float(int(cellY));
    }
    rotKonik = 0;
}

void TLiving::destroyGwiazda() { livingHost().addMultiplier(1); }
void TLiving::destroyZolw() { playLink().addScore(1000, x2, y2); }
void TLiving::destroyMuszla() {
    if (giveAsScore) playLink().addScore(500, x2, y2);
    else livingHost().giveHintBack(numerHinta);
}
void TLiving::destroyKrab() {
    if (level) level->maxMistakes += 1;
}

void TLiving::destroy() {
    if (_dead) return;
    _dead = true;
    // Taken out of the level's list by the level's walk; a level gone holds nothing.
    switch (ld ? ld->id : 0) {
    case 1: destroyGwiazda(); break;
    case 3: destroyZolw(); break;
    case 4: destroyMuszla(); break;
    case 5: destroyKrab(); break;
    default: break;
    }
    const bool seahorse = ld && ld->id == 2;
    for (int i = 0; i < 101; ++i) createLivingParticle(seahorse ? cellX : x, seahorse ? cellY : y);
}
