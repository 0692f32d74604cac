#pragma once
// Named frame sequences cut from one image strip: the ANIM widget of a layout and the
// animation table every button carries.
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "gui/core/guiobject.h"
#include "gui/core/layout_items.h"
#include "platform/graphics.h"

// Clock value, in ms, that animation deadlines are kept in.
int animNowMs();
// now + interval; a huge interval from a layout saturates instead of overflowing.
int animDueTime(int now, int interval);

// A button's table: up to 10 named animations of up to 100 frame numbers each.
class TAnimData {
public:
    static constexpr int kMaxAnims = 10;
    static constexpr int kMaxFrames = 100;

    std::array<std::array<int, kMaxFrames>, kMaxAnims> frameN{};
    std::array<int, kMaxAnims> frames{};     // next free position of each animation
    std::array<int, kMaxAnims> maxFrames{};  // frames written (kept equal to `frames`)
    int anims = 0;
    std::array<std::string, kMaxAnims> animName;  // upper-cased; "" = free slot
    int animFrames = 0;                           // largest frame number (liczbaKlatek)
    int animTime = 0;                             // clock value of the owner's next step
    std::array<int, kMaxAnims> frameDelta{};      // ms per frame

    // Index of the name, added when new; 0 after a message when all 10 slots are taken.
    int dodajNazwe(const std::string& name);
    // Index of the name; 0 after a message when it is not in the table.
    int getAnimByName(const std::string& name);
    // Largest frame number of all animations (0 when none), stored in animFrames.
    int liczbaKlatek();

    // Appends a frame number to an animation; false when the index is outside the table
    // or the animation is full (nothing stored).
    bool addFrame(int anim, int frame);
    // Frame number at a position, 0 outside what was written.
    int frameAt(int anim, int pos) const;
    int frameCount(int anim) const;
};

// One animation of an ANIM widget.
class TQGMAnim {
public:
    static constexpr int kMaxFrames = 100;
    std::string id;  // upper-cased
    std::array<int, kMaxFrames> frame{};
    int maxFrames = 0;
    int interwal = 0;  // ms per frame
    int loop = 0;
};

// The widget of an ANIM block: plays NORMAL from its scheme "[NORMAL LOOP 100] 0 1 2 ...".
class TQGMAnimation : public TGuiObject {
public:
    TImage gfx;
    int allFrames = 0;  // distinct frame texts = cells of the strip
    std::vector<std::shared_ptr<TQGMAnim>> animsList;
    std::shared_ptr<TQGMAnim> aktAnim;
    int _frame = 0;
    int _maxFrames = 0;
    int _animTime = 0;
    int _wykonano = 0;

    int updateMe(float x, float y) override;
    int draw(float px, float py) override;
    bool adoptFrom(const TGuiObject& fresh) override { return adoptSame(*this, fresh); }

    static std::vector<std::string> _pobierzDeklaracje(const std::string& schemat);
    int loadGFX(const std::string& url);
    int interpretujSchemat(const std::string& schemat);
    static int _czyZawiera(const std::string& s, const std::vector<std::string>& list);
    static std::shared_ptr<TQGMAnimation> createFromList(const std::string& name,
                                                         const TEntryList& entries);
    int playAnim(const std::shared_ptr<TQGMAnim>& anim);
    int playAnim(const std::string& name);

    // Strip cell the current step shows, or -1 for none.
    int currentCell() const;
};

std::shared_ptr<TQGMAnimation> createAnimation(const std::string& name, const std::string& url,
                                               float x, float y, const std::string& schemat,
                                               int visible, int active);
