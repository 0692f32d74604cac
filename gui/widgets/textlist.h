#pragma once
// A list of one-line texts in a box: the window of entries that fits the box height, the
// hovered and the chosen entry marked by a translucent bar, and an optional slider that
// moves the window. Made by code only (no layout block makes one).
#include <memory>
#include <string>
#include <vector>

#include "gui/core/selector.h"
#include "platform/graphics.h"

class TSuwak;

class TTextObject {
public:
    std::string title;
    std::string id;
};

class TTextList : public TGuiSelector {
public:
    std::shared_ptr<TSuwak> suwak;  // none unless a caller sets one
    std::vector<std::shared_ptr<TTextObject>> listaWpisow;
    std::vector<std::shared_ptr<TTextObject>> _listaWidocznych;  // the window
    int start = 0;    // first entry of the window
    int endInt = 0;   // last entry of the window (inclusive)
    std::shared_ptr<TTextObject> overedOption;
    std::shared_ptr<TTextObject> clickedOption;
    std::shared_ptr<TRGB> sec_rgb;  // marking bars
    TImageFont _font;

    // The slider, when there is one, sets the window's first entry: one slider position
    // per entry.
    int updateMe(float x, float y) override;
    virtual int stworzListeWidocznych();
    virtual int addText(const std::string& id, const std::string& title);
    // endInt = the number of whole lines of the font that fit the box.
    virtual int _getEndInt();
    int draw(float px, float py) override;
    // The marking colour; the text colour stays.
    int setRGB(int r, int g, int b) override;
};

std::shared_ptr<TTextList> createTextList(const std::string& name, int x, int y, int w, int h,
                                          int r, int g, int b, const TImageFont& font,
                                          int visible, int active);
