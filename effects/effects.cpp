#include "effects/effects.h"

#include <algorithm>

#include "effects/chmura.h"
#include "effects/emitter.h"
#include "effects/flying_tile.h"
#include "effects/plate.h"
#include "effects/living.h"
#include "effects/miecz.h"
#include "effects/fala.h"
#include "effects/leaf.h"
#include "effects/pogoda.h"
#include "effects/stripe.h"

#include "game/board/links.h"
#include "game/level/levelfile.h"

namespace {

class BoardEffects : public TEffectsLink {
public:
    std::shared_ptr<TFlyingTresure> createFlyingTresure(const std::shared_ptr<TTresureData>& t,
                                                        int size, int frame, float x, float y,
                                                        const std::shared_ptr<TTile>& tile) override {
        return ::createFlyingTresure(t, size, frame, x, y, tile);
    }
    void createDrzazga(float x, float y) override { ::createDrzazga(x, y); }
    void createPlatesQ(int size, float x, float y) override { ::createPlatesQ(size, x, y); }
    void createOkoParticle(float x, float y, float w, float h) override {
        ::createOkoParticle(x, y, w, h);
    }
    void createGreatCaption(int x) override { ::createGreatCaption(x); }
    TImage stoneImage(int size) override { return TKamien::img[size_t(clampSizeClass(size))]; }
    int stoneFrames() override { return TKamien::frames; }
    void useLiving(TLiving& living) override { living.use(); }
    void dropLiving(TLiving& living, int size, float x1, float y1, float x2, float y2, float mx,
                    float my) override {
        if (!living.ld) return;
        const TImage& img = living.ld->img[size_t(std::clamp(size, 0, 4))];
        if (auto piece = createOdpad(img, x1, y1, x2, y2, mx, my, float(living.ld->frames - 1)))
            piece->speed = 0.5f;
    }
    int livingKindId(const TLiving& living) override { return living.ld ? living.ld->id : 0; }
    void updateStripe(TStripe& stripe) override { stripe.update(); }
    void drawStripe(TStripe& stripe) override { stripe.draw(); }
};

class PileFile : public TLevelFileLink {
public:
    std::shared_ptr<TFlyingTresure> makeCollectedTresure(
        const std::shared_ptr<TTresureData>& record, const TCollectedTresure& saved) override {
        float pos[8];
        for (int i = 0; i < 8; ++i) pos[i] = saved.pos[size_t(i)];
        return makeLyingTresure(record, pos);
    }
    bool describeCollectedTresure(const TFlyingTresure& t, TCollectedTresure& out) override {
        if (t._dead || !t.tresure) return false;
        out.id = t.tresure->id;
        out.pos = {t.x, t.y, t.x1, t.y1, t.x2, t.y2, t.mx, t.my};
        return true;
    }
};

BoardEffects gBoardEffects;
PileFile gPileFile;

}  // namespace

void installEffects() {
    setEffectsLink(&gBoardEffects);
    setLevelFileLink(&gPileFile);
}

int setupBoardEffects() {
    setupParticles();
    setupKamienie();
    setupFlyingBonus();
    return 0;
}

void clearLevelEffects() {
    fx::clear(listaKamieni);
    fx::clear(flyingHints);
    fx::clear(flyingBonuses);
    // A bow's reveal belongs to the level it was made for.
    fx::clear(emittersList);
    // Weather is the level's own: a new level starts without it.
    fx::clear(listaPogody);
}

void resetEffects() {
    resetParticles();
    resetKamienie();
    resetOdpady();
    resetFlyingBonus();
    resetFlyingHints();
    resetEmitters();
    resetPlates();
    clearFlyingTiles();
    resetMiecz();
    resetLivings();
    resetCaptions();
    resetPogoda();
    resetStripes();
    resetChmury();
    resetFale();
    resetLeafs();
    TFlyingTresure::flyingToSummaryCount = 0;
    setEffectsLink(nullptr);
    setLevelFileLink(nullptr);
}
