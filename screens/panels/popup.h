#pragma once
// The modal message box: a panel with a message and either two answers (yes / no) or one
// (an acknowledgement), drawn over the screen that asks. yesOrNo and showInfo lead into it.
#include <cstdint>
#include <memory>
#include <string>

#include "app/ekran.h"
#include "platform/graphics.h"

class TGui;
class TText;
class TGuiObject;

class TPopUp : public TEkran {
public:
    std::shared_ptr<TGui> gui;
    TEkran* ekran = nullptr;  // drawn behind the box; may be none (hides the base's field)
    std::string txt;
    TImageFont _font;
    TImage panel;  // anchored at its top-left corner

    int setup() override;
    int draw() override;
    int update() override;
    // Lays the message out in t1 with the pop-up's font.
    virtual int oblicz();
    virtual int prepare(const std::string& text, TEkran* screen, int32_t withNo);
    // 1 for yes (the yes button or Enter), 0 for no (the no button or Escape).
    virtual int mainLoop(const std::string& text, TEkran* screen, int32_t withNo);

    // The layout's widgets; null when the layout lacks them (reported once at setup).
    std::shared_ptr<TText> t1() const;
    std::shared_ptr<TGuiObject> yesButton() const;
    std::shared_ptr<TGuiObject> noButton() const;
    bool loaded = false;
    // Where the layout puts "yes": a question keeps it there; a notice, whose one answer
    // needs no room for "no", shows it in the place of "no".
    float yesX = 0, yesY = 0;
};

extern TPopUp popUp;

// A question over screen (may be null): 1 for yes, 0 for no.
int yesOrNo(const std::string& text, TEkran* screen);
// A notice over screen with one answer; the result (1 Enter/click, 0 Escape) is not needed.
int showInfo(const std::string& text, TEkran* screen);

// A freshly made pop-up: for tests.
void resetPopUp();
