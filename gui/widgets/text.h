#pragma once
// The text widget of a TEXT block: one wrapped, aligned text in one font and colour, with
// an optional one-pixel shadow. Display only.
#include <memory>
#include <string>

#include "gui/core/guiobject.h"
#include "gui/core/layout_items.h"
#include "platform/graphics.h"

class TGui;

// Alignment codes (LEFT is 1, RIGHT is 0).
constexpr int QGM_ALIGN_RIGHT = 0;
constexpr int QGM_ALIGN_LEFT = 1;
constexpr int QGM_ALIGN_CENTER = 2;
constexpr int QGM_ALIGN_JUSTIFY = 3;

class TText : public TGuiObject {
public:
    int _align = QGM_ALIGN_LEFT;
    std::string _txt;  // screens may assign it directly
    float _adh = 0;
    float _adW = 0;    // extra pixels between lines
    TImageFont _font;  // null: the font set last stays in use
    int _shadow = 0;
    std::shared_ptr<TRGB> shRGB;

    // Other words leave the alignment unchanged.
    virtual int setAlign(const std::string& word);
    // Height of the laid-out text at the resting position.
    virtual int countH();
    int updateMe(float x, float y) override;
    int draw(float px, float py) override;
    bool adoptFrom(const TGuiObject& fresh) override { return adoptSame(*this, fresh); }

    static std::shared_ptr<TText> createFromList(const std::string& name, const TEntryList& entries,
                                                 TGui* gui);
    // "[path|n]": line n of the language text file bDir + path.
    static std::string odczytajTekst(const std::string& ref);
};

std::shared_ptr<TText> createText(const std::string& name, const std::string& txt, float x,
                                  float y, float w, const TImageFont& font,
                                  const std::string& align, int visible, int active);
