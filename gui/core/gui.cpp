#include "gui/core/gui.h"

#include <cstdio>
#include <map>
#include <optional>
#include <set>
#include <utility>

#include "gui/core/qgmfont.h"
#include "gui/core/selector.h"
#include "gui/core/services.h"
#include "gui/globals.h"
#include "gui/text/split.h"
#include "gui/widgets/anim.h"
#include "gui/widgets/button.h"
#include "gui/widgets/menubar.h"
#include "gui/widgets/text.h"
#include "gui/widgets/textentry.h"
#include "gui/widgets/theme.h"
#include "gui/widgets/window.h"
#include "platform/files.h"
#include "platform/input.h"
#include "platform/strings.h"
#include "platform/system.h"

namespace {

std::map<std::string, TGuiBlockBuilder>& blockBuilders() {
    static std::map<std::string, TGuiBlockBuilder> builders;
    return builders;
}

bool isSeparator(char c) { return c == ' ' || c == '\t' || c == '\n'; }

// Block kinds the loader builds itself (registered ones come on top).
bool isBuiltInBlock(const std::string& upperTyp) {
    static const char* const kinds[] = {"BUTTON", "FONT",   "THEME",     "TEXT",
                                        "ANIM",   "WINDOW", "TEXTENTRY", "BAR"};
    for (const char* k : kinds)
        if (upperTyp == k) return true;
    return false;
}

bool isKnownBlock(const std::string& upperTyp) {
    if (isBuiltInBlock(upperTyp)) return true;
    auto it = blockBuilders().find(upperTyp);
    return it != blockBuilders().end() && it->second;
}

// "file|TYPE" of every unknown block kind already reported: a layout says it once.
std::set<std::string>& reportedKinds() {
    static std::set<std::string> seen;
    return seen;
}

}  // namespace

// ---- records ------------------------------------------------------------------------------

int TSimpleEntry::wyprintuj(const std::string& prefix) const {
    Print(prefix + _typ + " = " + _value);
    return 0;
}

int TSmallObject::wyprintuj(const std::string& prefix) const {
    Print(prefix + _typ + " " + _name);
    for (const auto& item : _tokeny)
        if (item) item->wyprintuj(prefix + "   ");
    return 0;
}

// ---- run time -----------------------------------------------------------------------------

TGui::TGui() { clear(); }

int TGui::clear() {
    _listaObiektow.clear();
    _clicked.clear();
    _over.clear();
    return 0;
}

int TGui::setGuiAlpha(float a) {
    for (auto& w : _listaObiektow) {
        if (!w) continue;
        w->_alpha = a;
        w->_dAlpha = a;
    }
    return 0;
}

std::shared_ptr<TGuiObject> TGui::getItem(const std::string& name) const {
    for (const auto& w : _listaObiektow)
        if (w && str::equalsNoCase(w->_id, name)) return w;
    return nullptr;
}

int TGui::addItem(std::shared_ptr<TGuiObject> widget) {
    if (widget) _listaObiektow.push_back(std::move(widget));
    return 0;
}

int TGui::clickedItem(const std::string& name) {
    if (_clicked.empty() || !str::equalsNoCase(_clicked, name)) return 0;
    if (!soundsOff) guiPlayClick();
    return 1;
}

int TGui::update() {
    const std::string previousOver = _over;
    _clicked.clear();
    _over.clear();
    for (const auto& w : _listaObiektow) {
        if (!w) continue;
        w->update(0, 0);
        if (auto* sel = dynamic_cast<TGuiSelector*>(w.get())) {
            if (!sel->_clickedOp.empty()) _clicked = sel->_clickedOp;
            if (!sel->_overOp.empty()) _over = sel->_overOp;
            if (!_clicked.empty()) sel->_clean();
        } else {
            if (w->_clicked) _clicked = w->_id;
            if (w->_over) _over = w->_id;
        }
    }
    // Developer reload; the key is only queried while it could act, so L stays free else.
    if (QGUI_RELOAD != 0 && guiCheats() != 0 && KeyDown(KEY_LCONTROL) && KeyHit('L'))
        reload();
    if (_over != previousOver && !_over.empty() && !soundsOff) guiPlayOver();
    return 0;
}

int TGui::draw() {
    for (const auto& w : _listaObiektow)
        if (w && w->_v) w->draw(0, 0);
    return 0;
}

int TGui::reload() {
    if (_myPath.empty()) return 0;
    if (files::fileType(_myPath) != files::FILETYPE_FILE) {
        errorMsg("Plik : " + _myPath + " nie istenieje!");
        return 0;
    }
    Load(_myPath);
    return 0;
}

// ---- loading ------------------------------------------------------------------------------

std::string layoutPathForLang(const std::string& path) {
    const size_t slash = path.rfind('/');
    const std::string dir = slash == std::string::npos ? std::string() : path.substr(0, slash);
    const std::string file = slash == std::string::npos ? path : path.substr(slash + 1);
    const size_t dot = file.rfind('.');
    const std::string base = dot == std::string::npos ? file : file.substr(0, dot);
    const std::string ext = dot == std::string::npos ? std::string() : file.substr(dot + 1);
    return dir + "/" + lang + "/" + base + "." + ext;
}

std::shared_ptr<TGui> createGui() { return std::make_shared<TGui>(); }

std::shared_ptr<TGui> loadGui(const std::string& path) {
    auto gui = std::make_shared<TGui>();
    const std::string full = layoutPathForLang(path);
    if (files::fileType(full) == files::FILETYPE_FILE)
        gui->Load(full);
    else
        errorMsg("Plik : " + files::realPath(full) + " nie istenieje!");
    return gui;
}

int TGui::Load(const std::string& path) {
    loadFile(path);
    return 0;
}

int TGui::init(const std::string&) { return 0; }

bool TGui::loadFile(const std::string& path) {
    const std::string abs = files::realPath(path);
    std::optional<std::string> text = files::loadText(path);
    if (!text) {
        // The file vanished or cannot be read: say so and keep what the screen has.
        errorMsg("Plik : " + abs + " nie moze byc odczytany!");
        return false;
    }
    _myPath = abs;
    remPath = files::currentDir();
    LoadText(*text);
    return true;
}

int TGui::LoadText(const std::string& text) {
    std::vector<std::shared_ptr<TGuiObject>> previous;
    previous.swap(_listaObiektow);

    std::vector<int> lines;
    const auto blocks = stworzListyTokenow(text, &lines);
    for (size_t i = 0; i < blocks.size(); ++i) {
        _blockLine = i < lines.size() ? lines[i] : 0;
        readBlock(blocks[i]);
    }
    _blockLine = 0;

    // A reload refreshes the widgets the screen already holds instead of replacing them.
    if (!previous.empty()) {
        std::vector<bool> used(previous.size(), false);
        for (auto& fresh : _listaObiektow) {
            for (size_t i = 0; i < previous.size(); ++i) {
                if (used[i] || !previous[i] || !str::equalsNoCase(previous[i]->_id, fresh->_id))
                    continue;
                if (previous[i]->adoptFrom(*fresh)) {
                    used[i] = true;
                    fresh = previous[i];
                }
                break;
            }
        }
    }
    return 0;
}

std::vector<std::vector<std::string>> TGui::stworzListyTokenow(const std::string& text,
                                                              std::vector<int>* blockLines) {
    std::vector<std::string> tokens;
    std::vector<int> lines;  // line of each token's first character
    std::string cur;
    bool quoting = false;
    int line = 1, curLine = 1;
    for (char c : text) {
        if (c == '"') {
            if (cur.empty()) curLine = line;
            quoting = !quoting;
        } else if (!quoting && isSeparator(c)) {
            tokens.push_back(str::trim(cur));
            lines.push_back(curLine);
            cur.clear();
        } else {
            if (cur.empty()) curLine = line;
            cur += c;
        }
        if (c == '\n') ++line;
    }
    if (!str::trim(cur).empty()) {
        tokens.push_back(str::trim(cur));
        lines.push_back(curLine);
    }

    std::vector<std::vector<std::string>> blocks;
    std::vector<std::string> block;
    int blockLine = 0;
    int depth = 0;
    auto close = [&] {
        blocks.push_back(std::move(block));
        if (blockLines) blockLines->push_back(blockLine);
        block.clear();
    };
    for (size_t i = 0; i < tokens.size(); ++i) {
        const std::string& t = tokens[i];
        if (t == "}") {
            if (depth == 1) {
                close();
                depth = 0;
            } else {
                --depth;
                if (block.empty()) blockLine = lines[i];
                block.push_back(t);
            }
        } else if (!t.empty()) {
            if (block.empty()) blockLine = lines[i];
            block.push_back(t);
            if (t == "{") ++depth;
        }
    }
    if (!block.empty()) close();
    return blocks;
}

std::shared_ptr<TSimpleEntry> TGui::_createSimpleEntry(const std::string& key,
                                                      const std::string& value) {
    return std::make_shared<TSimpleEntry>(key, value);
}

std::shared_ptr<TSmallObject> TGui::_odbierzDeklaracje(const std::string& typ,
                                                      const std::string& name,
                                                      const std::vector<std::string>& tokens,
                                                      size_t& pos) {
    auto obj = std::make_shared<TSmallObject>();
    obj->_typ = typ;
    obj->_name = name;
    if (pos < tokens.size()) ++pos;  // the "{"
    int counter = 0;
    std::string key;
    while (pos < tokens.size()) {
        const std::string& t = tokens[pos++];
        if (t == "}") return obj;
        ++counter;
        if (counter == 1) {
            key = t;
        } else if (counter == 2) {
            if (t != "=") {
                if (auto inner = _odbierzDeklaracje(key, t, tokens, pos))
                    obj->_tokeny.push_back(inner);
                counter = 0;
            }
        } else {
            obj->_tokeny.push_back(_createSimpleEntry(key, t));
            counter = 0;
        }
    }
    return nullptr;  // ran out before its "}"
}

void TGui::readBlock(const std::vector<std::string>& tokens) {
    const std::string typ = tokens.empty() ? std::string() : str::upper(tokens[0]);
    const std::string name = tokens.size() > 1 ? tokens[1] : std::string();
    // A kind nothing builds is passed over whole, nested blocks and all: its body is not
    // read, so nothing in it can raise an entry message.
    if (!isKnownBlock(typ)) {
        reportUnknownBlock(typ);
        return;
    }
    const bool bar = typ == "BAR";
    TEntryList entries;
    TDeclList nested;
    int counter = 1;
    std::string key;
    size_t pos = 3;
    while (pos < tokens.size()) {
        const std::string& t = tokens[pos++];
        if (counter == 1) {
            key = t;
            counter = 2;
        } else if (counter == 2) {
            if (t == "=") {
                counter = 3;
            } else if (bar) {
                if (auto decl = _odbierzDeklaracje(key, t, tokens, pos)) nested.push_back(decl);
                counter = 1;
            } else {
                errorMsg("Nieprawidlowy wpis :" + t);
                counter = 3;
            }
        } else {
            entries.push_back(_createSimpleEntry(key, t));
            counter = 1;
        }
    }
    if (bar)
        dodajObiektZlozony(typ, name, entries, nested);
    else
        dodajObiekt(typ, name, entries);
}

int TGui::dodajObiekt(const std::string& typ, const std::string& name, const TEntryList& entries) {
    const std::string t = str::upper(typ);
    if (t == "BUTTON") {
        addItem(TButton::CreateFromList(name, entries, this));
    } else if (t == "FONT") {
        TQGMFont::createFromList(name, entries, this);
    } else if (t == "THEME") {
        TTheme::createFromList(name, entries, this);
    } else if (t == "TEXT") {
        addItem(TText::createFromList(name, entries, this));
    } else if (t == "ANIM") {
        addItem(TQGMAnimation::createFromList(name, entries));
    } else if (t == "WINDOW") {
        addItem(TWindow::CreateFromList(name, entries, this));
    } else if (t == "TEXTENTRY") {
        addItem(TTextEntry::createFromList(name, entries, this));
    } else {
        auto it = blockBuilders().find(t);
        if (it != blockBuilders().end() && it->second)
            addItem(it->second(name, entries, TDeclList{}, this));
        else
            reportUnknownBlock(t);
    }
    return 0;
}

int TGui::dodajObiektZlozony(const std::string& typ, const std::string& name,
                             const TEntryList& entries, const TDeclList& nested) {
    const std::string t = str::upper(typ);
    auto it = blockBuilders().find(t);
    if (it != blockBuilders().end() && it->second)
        addItem(it->second(name, entries, nested, this));
    else if (t == "BAR")
        addItem(TBelka::createFromList(name, entries, nested, this));
    else
        reportUnknownBlock(t);
    return 0;
}

void TGui::reportUnknownBlock(const std::string& typ) {
    // A console line only: a layout that merely declares more than this build knows must
    // not stop the player with a message box.
    const std::string file = _myPath.empty() ? std::string("(text)") : _myPath;
    if (!reportedKinds().insert(file + "|" + typ).second) return;
    const std::string where = "Layout " + file + ", line " + std::to_string(_blockLine) + ": ";
    if (typ == "}")  // a stray brace: the blocks after it are read into its block
        Print(where + "a stray \"}\"; the blocks after it are skipped");
    else
        Print(where + "unknown block type " + typ + " skipped");
}

void registerGuiBlock(const std::string& typeWord, TGuiBlockBuilder builder) {
    const std::string key = str::upper(typeWord);
    if (builder)
        blockBuilders()[key] = std::move(builder);
    else
        blockBuilders().erase(key);
}

void ResetLayoutState() {
    TQGMFont::_fontsList.clear();
    reportedKinds().clear();
    ResetThemes();
}
