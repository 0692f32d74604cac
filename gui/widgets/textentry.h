#pragma once
// The one-line typing field of a TEXTENTRY block: takes one typed character per update up
// to a maximum count, Backspace removes the last one, Enter makes the field the clicked
// widget of its layout. A blinking caret the size of "A" stands after the text.
#include <memory>
#include <string>

#include "gui/core/guiobject.h"
#include "gui/core/layout_items.h"
#include "platform/graphics.h"

class TGui;

class TTextEntry : public TGuiObject {
public:
    std::string _txt;
    TImageFont _font;       // none: the default font
    int _maxZnakow = 10;    // characters, not pixels
    float _curWidth = 0;    // caret: the size of "A"
    float _curHeight = 0;
    int _czas = 0;          // clock time of the caret's next flip
    int _trigger = 0;       // caret shown
    int _interwal = 300;    // ms between flips

    int draw(float px, float py) override;
    int updateMe(float x, float y) override;
    // Counts from the next flip on; the flip already due keeps its time.
    virtual int setInterwal(int ms);
    virtual std::string getTxt() const;
    // No length check: a longer text stays whole.
    virtual int setTxt(const std::string& text);
    bool adoptFrom(const TGuiObject& fresh) override { return adoptSame(*this, fresh); }

    static std::shared_ptr<TTextEntry> createFromList(const std::string& name,
                                                      const TEntryList& entries, TGui* gui);
};

// colour may be none (the field then writes in white).
std::shared_ptr<TTextEntry> createTextEntry(const std::string& name, const TImageFont& font, int x,
                                            int y, int width, int maxChars,
                                            std::shared_ptr<TRGB> colour, int visible, int active);
