#pragma once
// Layouts: a ".gui" file declares a screen's fonts, themes and widgets by name; TGui holds
// them at run time.
//
//   auto gui = loadGui(bDir + "gfx/gui/options/options.gui");  // reads .../options/<lang>/options.gui
//   each frame:  gui->update();  ...  gui->draw();
//   if (gui->clickedItem("ok")) ...                  // plays the click sound on a match
//   auto ok = gui->getItemAs<TButton>("ok");          // null when missing or another kind
//   auto w = gui->getItem("ok");                      // any widget, names ignore case
//
// Widgets are held by shared_ptr: keep them as long as needed. The developer reload
// (left Control + L, only while QGUI_RELOAD and the cheats switch are on) rereads the file
// and keeps the existing widget objects, refreshed from the file, so references stay valid.
//
// File format, in short: blocks `TYPE name { KEY = value ... }`; tokens are separated by
// blanks, tabs and line feeds; a double quote toggles quoting (several numbers go in one
// quoted value: POSITION = "100 200"); "{", "}" and "=" stand alone. Types: BUTTON, FONT,
// THEME, TEXT, ANIM, WINDOW, TEXTENTRY, BAR (menus nested inside) and the kinds registered
// with registerGuiBlock; a block of any other type is skipped whole, with a console line
// once per file and type giving its line (so is a stray "}", which takes the blocks after
// it along). FONT and THEME blocks come before the blocks naming them.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gui/core/guiobject.h"
#include "gui/core/layout_items.h"

class TQGMFont;
class TTheme;

class TGui {
public:
    TGui();

    std::vector<std::shared_ptr<TQGMFont>> _fonts;
    std::vector<std::shared_ptr<TTheme>> _themes;
    std::vector<std::shared_ptr<TGuiObject>> _listaObiektow;  // file order = update/draw order
    std::string _clicked;  // widget or option clicked in the last update
    std::string _over;     // widget or option under the pointer in the last update
    std::shared_ptr<TTheme> _theme;
    int soundsOff = 0;
    std::string _url;
    std::string _myPath;   // absolute path of the file last loaded
    std::string remPath;   // working folder at the last load

    int clear();
    int setGuiAlpha(float a);
    std::shared_ptr<TGuiObject> getItem(const std::string& name) const;
    template <class T>
    std::shared_ptr<T> getItemAs(const std::string& name) const {
        return std::dynamic_pointer_cast<T>(getItem(name));
    }
    int addItem(std::shared_ptr<TGuiObject> widget);
    int clickedItem(const std::string& name);
    int update();
    int draw();
    int reload();

    // Loader steps.
    int Load(const std::string& path);
    // Reads the blocks of a layout text already in memory into a fresh widget list, as
    // Load does with a file's text (widgets of the same name and kind are refreshed).
    int LoadText(const std::string& text);
    // The blocks of a text as token lists; blockLines (when given) gets the line of each
    // block's first token.
    static std::vector<std::vector<std::string>> stworzListyTokenow(
        const std::string& text, std::vector<int>* blockLines = nullptr);
    // Reads one nested declaration starting at tokens[pos] (its "{"); pos ends after the
    // declaration. Null when the tokens run out before its "}".
    static std::shared_ptr<TSmallObject> _odbierzDeklaracje(const std::string& typ,
                                                            const std::string& name,
                                                            const std::vector<std::string>& tokens,
                                                            size_t& pos);
    static std::shared_ptr<TSimpleEntry> _createSimpleEntry(const std::string& key,
                                                            const std::string& value);
    int dodajObiektZlozony(const std::string& typ, const std::string& name,
                           const TEntryList& entries, const TDeclList& nested);
    int dodajObiekt(const std::string& typ, const std::string& name, const TEntryList& entries);
    int init(const std::string& text);

private:
    // Reads the blocks of one text into a fresh widget list. False when the file could not
    // be read (the current widgets stay).
    bool loadFile(const std::string& path);
    void readBlock(const std::vector<std::string>& tokens);
    // A block of a kind nothing builds: a console line once per file and kind, with the line.
    void reportUnknownBlock(const std::string& typ);
    int _blockLine = 0;  // line of the block being read
};

// A new layout from `path` with the language folder inserted before the file name; empty
// (after a message) when that file does not exist. Never null.
std::shared_ptr<TGui> loadGui(const std::string& path);
std::shared_ptr<TGui> createGui();
// The path loadGui actually reads: dir + "/" + lang + "/" + file name.
std::string layoutPathForLang(const std::string& path);

// Builders of further block kinds (a registered word takes precedence over BAR only). A
// builder returns the widget to append, or null. `nested` is empty except for BAR.
using TGuiBlockBuilder = std::function<std::shared_ptr<TGuiObject>(
    const std::string& name, const TEntryList& entries, const TDeclList& nested, TGui* gui)>;
// Registers (or replaces, null removes) the builder of a type word (any letter case).
void registerGuiBlock(const std::string& typeWord, TGuiBlockBuilder builder);

// Forgets the global fonts and themes (registered builders stay): for tests between cases.
void ResetLayoutState();
