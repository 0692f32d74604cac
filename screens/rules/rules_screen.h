#pragma once
// The rules page the options screen opens over the play screen: a full page with a title,
// two paragraphs, two help pictures and their caption from the language's "Rules.txt",
// faded in over the screen that opened it and closed by a left click.
//
//   loading:         rulesScreen.setup();
//   options screen:  rulesScreen.mainloop(&options);
#include <string>
#include <vector>

#include "app/ekran.h"
#include "platform/graphics.h"

class TRulesScreen : public TEkran {
public:
    TEkran* ekran = nullptr;  // the caller, drawn behind the page
    TImage back;
    TImage pomoc1;
    TImage pomoc2;
    std::vector<std::string> txtRules;  // line 1 at index 0
    TImageFont txtFont1;  // paragraphs and captions
    TImageFont txtFont2;  // title

    int setup() override;
    virtual int _drawBack();
    virtual int _drawRules();
    int draw() override;
    int update() override;
    virtual int prepare(TEkran* prev);
    // Until a left click has faded the page out again; returns 0.
    virtual int mainloop(TEkran* prev);
    // Line n of the rules text (from 1); "" when the text is shorter.
    std::string line(size_t n) const;
};

extern TRulesScreen rulesScreen;

// A fresh page: for tests.
void resetRulesScreen();
