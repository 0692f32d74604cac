#pragma once
// The board's ways out to its neighbours: the play screen that drives it, the effects a
// move or a finished line starts, and the sound service with the developer switch.
// Each is a small interface with a do-nothing default; the real play screen, effect
// factories and sound service install themselves with the set* calls at start-up, and
// tests install recording fakes. The board never keeps one of these pointers itself:
// it asks the accessor each time, so a replacement takes effect at once.
#include <memory>
#include <string>

#include "platform/graphics.h"

class TLevel;
class TTile;
struct TTresureData;
// Effect types owned by the effects layer; the board only holds and compares them.
struct TFlyingTresure;
struct TLiving;
struct TLivingData;
struct TStripe;

// What the board reads from and reports to the play screen.
class TPlayLink {
public:
    virtual ~TPlayLink() = default;

    // The level being played; none before the first level.
    virtual TLevel* level() { return nullptr; }
    // Current tool: 0 uncover, 1 break, 4 eye armed, 5 map armed, 6 skull armed.
    virtual int hand() { return 0; }
    // The cell under the mouse in the last frame, or none.
    virtual TTile* overTile() { return nullptr; }
    // The first cell of the line being held with a mouse button, or none.
    virtual TTile* startTile() { return nullptr; }
    // The play screen's number font of that index (numFont[i]), or none.
    virtual TImageFont numberFont(int i) {
        (void)i;
        return nullptr;
    }
    // 0 when the latest accepted player move was right, 1 when wrong. Written only by
    // the cells' own moves.
    virtual int lastMove() { return lastMove_; }
    virtual void setLastMove(int wrong) { lastMove_ = wrong; }
    // One more sea creature used on this level.
    virtual void addLivingUsed() {}
    // Pays points times the multiplier at (x, y); ignored once the level is won.
    virtual void addScore(int points, float x, float y) {
        (void)points, (void)x, (void)y;
    }
    // One stone from the cell's centre, to the bag or the chest.
    virtual void wyslijKamien(TTile& tile) { (void)tile; }
    // Tip bubbles explaining a move the tutorial refused.
    virtual void showTipToBroke(TTile& tile) { (void)tile; }
    virtual void showTipToUncover(TTile& tile) { (void)tile; }

    // ---- what arriving effects finish on the play screen ----
    // One hit on the chest: a mistake, possibly the loss of the level.
    virtual void uszkodzSkrzynie() {}
    // Called after a stone dropped into the bag (the count already raised): the full bag
    // flies off and its button goes inactive.
    virtual void checkWorek() {}
    // Box position of the power-up widget "bonus" + (n + 1) (n 0..5: sword, medallion,
    // eye, map, skull, bag). False, with (0, 0), when the play screen has no such widget.
    virtual bool bonusPosition(int n, float& x, float& y) {
        (void)n;
        x = y = 0;
        return false;
    }
    // The bag's current height while it bobs; by default the bag widget's y.
    virtual float getWorekY() {
        float x = 0, y = 0;
        bonusPosition(5, x, y);
        return y;
    }
    // Makes the power-up widget "bonus" + (n + 1) visible and active again.
    virtual void enableBonus(int n) { (void)n; }

    // Column / row of the cell under the mouse, -1 when there is none.
    int getOverUp();
    int getOverLeft();

private:
    int lastMove_ = 0;
};

// The short-lived objects the board starts. Effects that hold a cell should hold it
// weakly (std::weak_ptr): the cell holds its flying treasure.
class TEffectsLink {
public:
    virtual ~TEffectsLink() = default;

    // A treasure of the record flying from (x, y) to the pile, linked to the cell; it
    // joins the level's flyingTresures and, when it lies down, clears the cell's
    // _myTresure. None when no treasure was made (the cell then counts it as landed).
    virtual std::shared_ptr<TFlyingTresure> createFlyingTresure(
        const std::shared_ptr<TTresureData>& tresure, int size, int frame, float x, float y,
        const std::shared_ptr<TTile>& tile) {
        (void)tresure, (void)size, (void)frame, (void)x, (void)y, (void)tile;
        return nullptr;
    }
    // A wood splinter thrown from near (x, y).
    virtual void createDrzazga(float x, float y) { (void)x, (void)y; }
    // The square of a cell of size class `size` with top-left corner (x, y) breaking into
    // plates.
    virtual void createPlatesQ(int size, float x, float y) { (void)size, (void)x, (void)y; }
    // One eye sparkle moving inside the rectangle centred on (x, y).
    virtual void createOkoParticle(float x, float y, float w, float h) {
        (void)x, (void)y, (void)w, (void)h;
    }
    // The praise caption for a finished line at x.
    virtual void createGreatCaption(int x) { (void)x; }
    // Starts the creature's bonus (its use()).
    virtual void useLiving(TLiving& living) { (void)living; }
    // The creature lost to a mistake falls off as debris: the still image of its kind for
    // size class `size`, its kind's last frame, on the curve (x1, y1) -> (mx, my) -> (x2, y2)
    // at speed 0.5.
    virtual void dropLiving(TLiving& living, int size, float x1, float y1, float x2, float y2,
                            float mx, float my) {
        (void)living, (void)size, (void)x1, (void)y1, (void)x2, (void)y2, (void)mx, (void)my;
    }
    // The stone strip of a size class (TKamien's images) and its frame count: what an
    // empty cell shows under the last frames of its opening cover.
    virtual TImage stoneImage(int size) {
        (void)size;
        return nullptr;
    }
    virtual int stoneFrames() { return 0; }
    // The kind id (1..5) of a creature, 0 when unknown.
    virtual int livingKindId(const TLiving& living) {
        (void)living;
        return 0;
    }
    // One frame / the drawing of a background stripe.
    virtual void updateStripe(TStripe& stripe) { (void)stripe; }
    virtual void drawStripe(TStripe& stripe) { (void)stripe; }
};

// Sounds and music by name, and the developer switch.
class TServicesLink {
public:
    virtual ~TServicesLink() = default;
    virtual void playMySound(const std::string& name) { (void)name; }
    virtual void playMyMusic(const std::string& name) { (void)name; }
    // The music of the current profile's stage and level.
    virtual void playLevelMusic() {}
    // One of the coin sounds, at most once per 100 ms.
    virtual void playCoins() {}
    // Non-zero when the developer switch file existed at start-up.
    virtual int cheats() { return 0; }
};

TPlayLink& playLink();
TEffectsLink& effectsLink();
TServicesLink& servicesLink();
// The caller keeps the object alive while it is installed; nullptr restores the default.
void setPlayLink(TPlayLink* link);
void setEffectsLink(TEffectsLink* link);
void setServicesLink(TServicesLink* link);
// All three back to their defaults (for tests).
void resetBoardLinks();
