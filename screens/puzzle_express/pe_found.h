#pragma once
// The found-item notice: over the screen of the chest it came from and a half-dark veil, a
// parchment unrolls and the found object's description fades in on it; a left press rolls
// it up again. The block puzzle opens it once the object has grown out of the chest; the
// other block game may show its own object with its own screen behind.
#include <memory>
#include <string>

#include "app/ekran.h"
#include "minigames/puzzle_express/pe_level.h"
#include "platform/graphics.h"
#include "screens/panels/papirus.h"

class TPEFoundScreen : public TEkran {
public:
    std::string wynik;
    TPapirus pap;
    std::shared_ptr<TPEObj> peObj;
    std::string state;  // "SHOW" or "HIDE"
    TImageFont font;
    float ta = 0, dta = 0;  // the text's opacity and its target
    TEkran* behind = nullptr;  // drawn under the veil (not owned)

    int setup() override;
    int draw() override;
    int update() override;
    virtual int _drawBack();
    virtual int _drawPanel();
    virtual int _updatePapirus();
    virtual int _updateState();
    virtual int _updateTextAlpha();
    virtual int prepare(const std::shared_ptr<TPEObj>& object);
    // Runs until the notice has rolled up and faded; "" at once without an object. The
    // screen behind is the block puzzle's unless another is given.
    virtual std::string mainLoop(const std::shared_ptr<TPEObj>& object, TEkran* screenBehind = nullptr);
    // One frame after prepare; false once the notice has gone.
    bool frame();
    virtual int hide();
};

extern TPEFoundScreen PEFoundScreen;
