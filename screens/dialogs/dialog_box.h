#pragma once
// The dialogue box: the modal overlay that plays one story dialogue over a game screen.
// Wooden bars slide in over the frozen game picture, the panel fades in with the speaker's
// portrait in its ring and the lines showing at their delays; a click shows every line at
// once, the next click closes it. It also owns every dialogue of "data/dialogs.dat".
//
//   loading:    dialogBox.setup();
//   start-up:   installDialogBox();   // the screens' checkDialogs("BEGIN" / "END") play here
#include <string>

#include "app/ekran.h"
#include "screens/dialogs/dialog_text.h"

class TDialogBox : public TEkran {
public:
    TDialogBox();

    TDialogTextList dialogTexts;           // every dialogue, in file order
    std::shared_ptr<TDialogText> dialog;   // the one being shown
    TImage panel;                          // top-left handle
    TImage kolko;                          // the ring over the portrait, handle at its centre
    TImage bars;                           // the wood bands the bars are cut from
    TImageFont fontex;                     // the prompt's font
    float x = 0;                           // left edge of the box; the text column is 30 further
    float w = 0;                           // width of the box; the column is 20 narrower
    std::string txtClickToContinue;
    std::string state;                     // "START" while it runs, "EXIT" once closing
    // The screen beneath is the base's `ekran`.

    int setup() override;
    int draw() override;
    int update() override;
    virtual int _drawBack();
    virtual int _drawPanel();
    virtual int _drawTexts();
    virtual int _drawPaski();
    virtual int _updateWin();
    virtual int _updateDialogText();
    virtual int _updateState();
    // Opens dialogue `id` over `caller`; false (and nothing changes) when there is none.
    virtual bool prepare(TEkran* caller, int id);
    // Plays dialogue `id` over `caller` until it is clicked away; returns 0. An id that
    // names no dialogue is reported and returns at once.
    virtual int mainLoop(TEkran* caller, int id);
    // A click: reveal every waiting line, or close once none waits.
    virtual int control();
    virtual std::shared_ptr<TDialogText> getDialogText(int id) const;

    bool loaded = false;
};

extern TDialogBox dialogBox;

// The screens' dialogue hook: the current profile picks the dialogue of the moment, the box
// plays it; the profiles look the dialogues up in dialogBox.dialogTexts.
void installDialogBox();

// A fresh box without dialogues and the dialogue hook unset: for tests.
void resetDialogBox();
