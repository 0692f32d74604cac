#pragma once
// The menu bar of a BAR block: a themed strip carrying drop-down menus whose entries
// report their identifiers to the layout as clicked and hovered names, so a screen tests a
// menu entry exactly as it tests a button. Top-level menus open when their title is
// clicked and switch while the pointer moves along the bar; sub-menus open under the
// pointer. Positions of titles, boxes and entries are kept relative to the bar.
//
//   BAR menu { POSITION = "0 0"  TEMAT = skin  WIDTH = 1024  FONT = small
//       MENU file { TITLE = File  COMMAND = "open|Open"  MENU recent { TITLE = Recent ... } } }
#include <memory>
#include <string>
#include <vector>

#include "gui/core/dim.h"
#include "gui/core/layout_items.h"
#include "gui/core/selector.h"
#include "platform/graphics.h"

class TBelka;
class TGui;
class TMenu;
class TTheme;

// Change of entry and box opacity per unit of delta: a whole fade takes 17 frames.
extern float barBlendDelta;

// One menu entry (and the title part of a menu).
class TBarTitle {
public:
    virtual ~TBarTitle() = default;

    TMenu* _parent = nullptr;   // the enclosing menu; none for a top-level menu (the bar's)
    TBelka* _belka = nullptr;   // not owned
    int checked = 0;            // drawn with "* " in place of its two leading blanks
    std::string title = "NO TITLE";
    std::string id;
    std::shared_ptr<TDim> dim;  // relative to the bar
    std::shared_ptr<TDim> rect = std::make_shared<TDim>();  // on screen, each frame
    float _alpha = 0, _dAlpha = 0;
    int _over = 0, _clicked = 0;
    TImageFont _font;           // none: the default font
    int _active = 1;

    virtual int _createRect();
    virtual int draw();
    virtual int update();
    virtual TMenu* asMenu() { return nullptr; }
};

class TMenu : public TBarTitle {
public:
    std::shared_ptr<TDim> _comRect;  // the box, relative to the bar
    float _boxA = 0, _dBoxA = 0;     // box opacity; target 1 = open
    int _width = 0;
    int _first = 0;                  // 1 for a top-level menu
    std::vector<std::shared_ptr<TBarTitle>> _barTitles;  // entries and sub-menus in order
    int _rozwiniety = 0;             // a sub-menu was open at the end of the last update

    TMenu* asMenu() override { return this; }
    virtual int _getMaxWidth();
    virtual int _setRect(int offset);
    virtual int _rozwin();
    virtual int _zwin();
    virtual int _zwinBezwzglednie();
    virtual int updateMe();
    virtual int _drawBox();
    virtual int drawMe();
    // "id" or "id:sub:..." (exact case); none when nothing matches.
    virtual TBarTitle* getBarTitle(const std::string& path);
    virtual int getReady(int offset);
    int update() override;
    int draw() override;
    // Pointer inside the box moved by the bar's position.
    bool pointerInBox() const;
};

class TBelka : public TGuiSelector {
public:
    int _width = 0;
    float _widthScale = 0;          // length of the stretched middle piece
    std::shared_ptr<TTheme> theme;  // none: no strip and no boxes are drawn
    std::vector<std::shared_ptr<TMenu>> _menusList;
    TImageFont _font;
    TMenu* _actualMenu = nullptr;   // the top-level menu last clicked or switched to
    int _activated = 0;

    TBelka() = default;
    // Menus point back at their bar: a bar is never copied.
    TBelka(const TBelka&) = delete;
    TBelka& operator=(const TBelka&) = delete;

    // "menu:entry" (menu ignoring case); none after a message when no menu matches.
    virtual TBarTitle* getBarTitle(const std::string& path);
    int updateMe(float x, float y) override;
    virtual int _zwinMenusy();
    virtual int __CLICK(const std::string& id);
    virtual int __OVER(const std::string& id);
    int draw(float x, float y) override;
    virtual int _drawMenus();
    virtual int _updateMenus();
    virtual int getReady();
    virtual int _poukladajMenu();
    int _clean() override;
    // Reload: takes the fresh bar's declaration and menus, which then point at this bar.
    bool adoptFrom(const TGuiObject& fresh) override;
    std::vector<std::shared_ptr<TMenu>> createMenus(const TDeclList& decls, TGui* gui);
    std::shared_ptr<TMenu> getMenu(const TSmallObject& decl, int first, TGui* gui);

    static std::shared_ptr<TBelka> createFromList(const std::string& name,
                                                  const TEntryList& entries,
                                                  const TDeclList& nested, TGui* gui);
};

std::shared_ptr<TBelka> createBar(const std::string& id, int x, int y, int width,
                                  std::shared_ptr<TTheme> theme, const TImageFont& font,
                                  int visible, int active);
