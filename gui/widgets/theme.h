#pragma once
// Themes: named skins (window frame, menu bar and drop-down pieces, slider pieces, colours)
// read from a keyed data file such as "gfx/gui/window/temat.txt".
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "gui/core/dim.h"
#include "gui/core/layout_items.h"
#include "platform/graphics.h"

class TGui;
class TQCMFile;

class TTheme {
public:
    virtual ~TTheme() = default;

    std::string id;                    // upper-cased name
    std::array<TImage, 9> oknoImg;     // window: LU, U, RU, R, RD, D, LD, L, middle
    std::array<TImage, 6> suwak;       // slider track top/middle/bottom, thumb top/middle/bottom
    std::array<std::string, 2> suwakUrl;
    std::array<TImage, 2> _suwakImg;   // slider up / down button strips, 4 frames each
    std::array<TImage, 3> bar;         // menu bar left end, middle, right end
    std::array<TImage, 9> rect;        // drop-down frame, same order as the window
    int barHeight = 0;
    std::shared_ptr<TRGB> backRGB;     // entry highlight
    std::shared_ptr<TRGB> textRGB;     // entry text
    std::shared_ptr<TRGB> outLineRGB;  // read, not drawn
    std::string remPath;

    // The theme loaded last.
    static std::shared_ptr<TTheme> _theme;

    virtual int loadTheme(const std::string& url);
    virtual int loadBelkaGFX(const TQCMFile& file);
    virtual int loadSuwakGFX(const TQCMFile& file);
    virtual int loadWindowGFX(const TQCMFile& file);
    // THEME block: the first URL entry (any case) loads the theme under the block's name.
    static int createFromList(const std::string& name, const TEntryList& entries, TGui* gui);
};

// Every theme ever loaded, in load order.
extern std::vector<std::shared_ptr<TTheme>> QGM_ThemesList;

// Loads a theme (a missing file gives an empty one), registers it with the layout (when
// given) and globally, and makes it current. Never null.
std::shared_ptr<TTheme> loadGuiTheme(const std::string& name, const std::string& url, TGui* gui);
// By name, ignoring case: the layout's themes first, then every theme; earliest wins.
std::shared_ptr<TTheme> getTheme(const std::string& name, const TGui* gui);

// No themes, no current theme: for tests between cases.
void ResetThemes();
