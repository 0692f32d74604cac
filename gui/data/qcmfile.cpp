#include "gui/data/qcmfile.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "gui/text/split.h"
#include "platform/files.h"
#include "platform/strings.h"
#include "platform/system.h"

namespace {

// Deeper nesting than any real file has; stops a hostile file from exhausting the stack.
constexpr int kMaxDepth = 200;

// Text since the last reset, trimmed, without the line feeds the reader never keeps.
// Trimming first gives the same text; without a line feed inside, no copy is needed, and
// otherwise the text is built in `scratch`.
std::string_view accumulated(std::string_view text, size_t from, size_t to, std::string& scratch) {
    while (from < to && static_cast<unsigned char>(text[from]) <= 32) ++from;
    while (to > from && static_cast<unsigned char>(text[to - 1]) <= 32) --to;
    const std::string_view part = text.substr(from, to - from);
    if (part.find('\n') == std::string_view::npos) return part;
    scratch.clear();
    for (char c : part)
        if (c != '\n') scratch.push_back(c);
    return scratch;
}

// Upper case for matching; plain ASCII needs no table.
std::string matchForm(std::string_view s) {
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 0x80) return str::upper(s);
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

// Byte offset of the character `n` characters into `s` (UTF-8), or npos.
size_t charOffset(std::string_view s, size_t n) {
    size_t i = 0;
    while (n > 0) {
        if (i >= s.size()) return std::string_view::npos;
        ++i;
        while (i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) ++i;
        --n;
    }
    return i;
}

size_t charCount(std::string_view s) {
    size_t n = 0;
    for (char c : s)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
    return n;
}

// The text without double quotes: a quote inside a name or a text value could never be
// written back so that it reads the same (the format has no escape), so it is dropped.
std::string withoutQuotes(std::string_view s) {
    std::string out(s);
    out.erase(std::remove(out.begin(), out.end(), '"'), out.end());
    return out;
}

// A key or group name without quotes, trimmed again once they are gone.
std::string cleanName(std::string_view s) {
    std::string out = withoutQuotes(s);
    size_t from = 0, to = out.size();
    while (from < to && static_cast<unsigned char>(out[from]) <= 32) ++from;
    while (to > from && static_cast<unsigned char>(out[to - 1]) <= 32) --to;
    return out.substr(from, to - from);
}

// A string value is written ` "text"`: the first two characters and the last one go, and
// a stray quote left inside (` "CASUAL" 0`) with them.
std::string unquotePiece(std::string_view piece) {
    if (charCount(piece) < 4) return {};
    const size_t from = charOffset(piece, 2);
    size_t last = piece.size() - 1;
    while (last > 0 && (static_cast<unsigned char>(piece[last]) & 0xC0) == 0x80) --last;
    // Stray continuation bytes can make the counts disagree; never cut backwards.
    if (from == std::string_view::npos || last < from) return {};
    return qcmTextQuotes(std::string(piece.substr(from, last - from)));
}

// Calls `fn` for each piece of the value text split at "," outside double quotes; a
// trailing empty piece is dropped.
template <class Fn>
void forEachValue(std::string_view vt, Fn&& fn) {
    bool quoted = false;
    size_t start = 0;
    for (size_t i = 0; i < vt.size(); ++i) {
        if (vt[i] == '"') {
            quoted = !quoted;
        } else if (vt[i] == ',' && !quoted) {
            fn(vt.substr(start, i - start));
            start = i + 1;
        }
    }
    if (start < vt.size()) fn(vt.substr(start));
}

// Byte classes for the scanning loops: the group parse acts only on "{", "}", line feed
// and "="; the brace count only on braces and double quotes.
struct ByteTable {
    bool structural[256] = {};
    bool braceOrQuote[256] = {};
    constexpr ByteTable() {
        for (unsigned char c : {'{', '}', '\n', '='}) structural[c] = true;
        for (unsigned char c : {'{', '}', '"'}) braceOrQuote[c] = true;
    }
};
constexpr ByteTable kBytes;

bool isStructural(char c) { return kBytes.structural[static_cast<unsigned char>(c)]; }

struct Parser {
    std::string_view text;
    size_t steps = 0;
    size_t budget = 0;
    bool failed = false;
    std::string scratch;

    // Parses the group whose text is [begin, end) of the whole text. A sub-group is handed
    // the rest of its parent's text less its last character, as the format defines; when it
    // finds no closing brace there its parent reads the same characters again. The budget
    // of characters walked keeps such re-reading from growing without bound.
    std::unique_ptr<TQCMGroup> readAll(size_t begin, size_t end, std::string name, int depth) {
        auto g = std::make_unique<TQCMGroup>(std::move(name));
        size_t start = begin;
        size_t walked = begin;  // characters before this were counted against the budget
        bool eq = false;
        auto spend = [&](size_t upTo) {
            steps += upTo - walked;
            walked = upTo;
            if (steps > budget) failed = true;
            return !failed;
        };
        for (size_t i = begin; i < end; ++i) {
            while (i < end && !isStructural(text[i])) ++i;
            if (i >= end) break;
            const char c = text[i];
            if (c == '{') {
                if (!spend(i + 1)) return g;
                if (depth >= kMaxDepth) {
                    failed = true;
                    return g;
                }
                const size_t subEnd = end - 1 > i + 1 ? end - 1 : i + 1;
                auto sub = readAll(i + 1, subEnd, cleanName(accumulated(text, start, i, scratch)), depth + 1);
                if (failed) return g;
                i += static_cast<size_t>(sub->_pos);
                walked = i + 1;
                g->_listaGrup.push_back(std::move(sub));
                start = i + 1;
                eq = false;
            } else if (c == '}') {
                g->_pos = static_cast<int32_t>(i - begin + 1);
                spend(i + 1);
                return g;
            } else if (c == '\n') {
                if (eq) {
                    if (g->_listaWpisow.empty()) g->_listaWpisow.reserve(8);
                    g->_listaWpisow.push_back(TQCMFile::readEntry(accumulated(text, start, i, scratch)));
                    start = i + 1;
                    eq = false;
                }
            } else {
                eq = true;
            }
        }
        spend(end > walked ? end : walked);
        return g;
    }
};

}  // namespace

void TQCMEntry::setId(std::string id) {
    _id = std::move(id);
    _match = matchForm(_id);
}

void TQCMGroup::setId(std::string id) {
    _id = std::move(id);
    _match = matchForm(_id);
}

TQCMGroup* TQCMGroup::getGroup(std::string_view name) const {
    const std::string want = matchForm(name);
    for (const auto& g : _listaGrup)
        if (g->matchKey() == want) return g.get();
    return nullptr;
}

TQCMEntry* TQCMGroup::getEntry(std::string_view key) const {
    const std::string want = matchForm(key);
    for (const auto& e : _listaWpisow)
        if (e->matchKey() == want) return e.get();
    return nullptr;
}

int TQCMGroup::showGroup(const std::string& indent) const {
    Print(indent + _id + "{");
    if (_listaWpisow.empty()) Print("");
    for (const auto& e : _listaWpisow) Print(indent + "\t" + e->toTxt());
    for (const auto& g : _listaGrup) g->showGroup(indent + "\t");
    Print(indent + "}");
    return 0;
}

std::unique_ptr<TQCMEntry> TQCMFile::readEntry(std::string_view text) {
    auto e = std::make_unique<TQCMEntry>();
    // Key before the first "=", value text up to the second; anything after that is lost.
    const size_t eq1 = text.find('=');
    std::string_view valueText;
    if (eq1 != std::string_view::npos) {
        const size_t eq2 = text.find('=', eq1 + 1);
        valueText = text.substr(eq1 + 1, eq2 == std::string_view::npos ? std::string_view::npos
                                                                        : eq2 - eq1 - 1);
    }
    std::string_view key = text.substr(0, eq1);
    while (!key.empty() && static_cast<unsigned char>(key.back()) <= 32) key.remove_suffix(1);
    while (!key.empty() && static_cast<unsigned char>(key.front()) <= 32) key.remove_prefix(1);
    e->setId(cleanName(key));
    size_t first = 0;
    while (first < valueText.size() && static_cast<unsigned char>(valueText[first]) <= 32) ++first;
    const char lead = first < valueText.size() ? valueText[first] : '\0';
    const bool number = (lead >= '0' && lead <= '9') || lead == '-';
    e->_type = number ? _QCM_number : _QCM_string;
    // One allocation for the list: commas are counted, quotes ignored (a little extra room
    // at most).
    e->_value.reserve(1 + static_cast<size_t>(std::count(valueText.begin(), valueText.end(), ',')));
    forEachValue(valueText, [&](std::string_view piece) {
        e->_value.push_back(number ? std::string(piece) : unquotePiece(piece));
    });
    // A key with nothing after its "=" still holds one (empty) value.
    if (e->_value.empty()) e->_value.emplace_back();
    return e;
}

int TQCMFile::errorMsg(const std::string& msg) const {
    Print("Napotkano problem : " + msg);
    return 0;
}

std::string TQCMFile::myTrim(const std::string& s) const {
    return str::replaceAll(str::trim(str::replaceAll(s, "0", "*")), "*", "0");
}

int TQCMFile::checkGroups() const {
    int open = 0, close = 0;
    bool quoted = false;
    const size_t n = _txt.size();
    for (size_t i = 0; i < n; ++i) {
        while (i < n && !kBytes.braceOrQuote[static_cast<unsigned char>(_txt[i])]) ++i;
        if (i >= n) break;
        const char c = _txt[i];
        if (quoted) {
            if (c == '"') quoted = false;
        } else if (c == '{') {
            ++open;
        } else if (c == '}') {
            ++close;
        } else if (c == '"') {
            quoted = true;
        }
    }
    if (open == close) return 1;
    errorMsg("Blad nawiasow klamrowych! \"{\" - " + std::to_string(open) + " \"}\" - " +
             std::to_string(close));
    return 0;
}

int TQCMFile::checkTxt() {
    // The group nested deepest at the end of the file needs one character after its "}".
    if (!_txt.empty() && _txt.back() == '}') _txt.push_back('\n');
    return checkGroups();
}

bool TQCMFile::parse(std::string text) {
    _txt = std::move(text);
    if (checkTxt() == 0) return false;
    Parser p;
    p.text = _txt;
    p.budget = 64 * _txt.size() + 4096;
    auto root = p.readAll(0, _txt.size(), "MAINGROUP", 0);
    if (p.failed) {
        errorMsg("Zagniezdzenie grup zbyt glebokie lub nawiasy w cudzyslowach, plik pominiety");
        return false;
    }
    _grupa = std::move(root);
    return true;
}

int TQCMFile::Load(const std::string& path) {
    _path = path;
    _realPath = files::realPath(path);
    if (files::fileType(path) == files::FILETYPE_NONE) {
        errorMsg("Nie znaleziono pliku : " + path);
        return 0;
    }
    auto text = files::loadText(path);
    if (!text) {
        // An unreadable file reads as empty rather than ending the game.
        errorMsg("Nie mozna odczytac pliku : " + path);
        return 0;
    }
    parse(std::move(*text));
    return 0;
}

std::vector<std::string> splitQCMPath(std::string_view path) { return rozbijTekst(path, "::"); }

float qcmFloat(std::string_view value) {
    // The text is read as bytes: a character above 255 counts by its low 8 bits.
    bool ascii = true;
    for (char c : value)
        if (static_cast<unsigned char>(c) >= 0x80) ascii = false;
    if (ascii) return static_cast<float>(str::toFloat(value));
    std::string narrow;
    for (char32_t cp : str::toCodePoints(value)) narrow.push_back(static_cast<char>(cp & 0xFF));
    return static_cast<float>(str::toFloat(narrow));
}

int32_t qcmTruncInt(float v) {
    if (std::isnan(v)) return 0;
    if (v >= 2147483520.0f) return std::numeric_limits<int32_t>::max();
    if (v <= -2147483648.0f) return std::numeric_limits<int32_t>::min();
    return int32_t(v);
}

TQCMGroup* TQCMFile::getGroup(const std::vector<std::string>& pieces) const {
    TQCMGroup* g = _grupa.get();
    for (size_t i = 0; g && i + 1 < pieces.size(); ++i) g = g->getGroup(pieces[i]);
    return g;
}

TQCMGroup* TQCMFile::groupAt(std::string_view path) const {
    TQCMGroup* g = _grupa.get();
    for (const auto& piece : splitQCMPath(path)) {
        g = g->getGroup(piece);
        if (!g) return nullptr;
    }
    return g;
}

TQCMEntry* TQCMFile::entryAt(std::string_view path) const {
    const auto pieces = splitQCMPath(path);
    if (pieces.empty()) return nullptr;
    TQCMGroup* g = getGroup(pieces);
    return g ? g->getEntry(pieces.back()) : nullptr;
}

std::string TQCMFile::getString(std::string_view path, int32_t index) const {
    const TQCMEntry* e = entryAt(path);
    if (!e || index < 0 || static_cast<size_t>(index) >= e->_value.size()) return {};
    const std::string& v = e->_value[static_cast<size_t>(index)];
    // A number with a stray quote is written as the number it reads as; read as text it
    // gives the same (with the blank the written "= " leaves), so a text taken from it and
    // saved reads back unchanged.
    if (e->_type == _QCM_number && v.find('"') != std::string::npos) return " " + qcmNumberText(v);
    return v;
}

float TQCMFile::getFloat(std::string_view path, int32_t index, int debug) const {
    if (debug != 0) {
        const auto pieces = splitQCMPath(path);
        if (const TQCMGroup* g = pieces.empty() ? nullptr : getGroup(pieces)) g->showGroup("");
    }
    const TQCMEntry* e = entryAt(path);
    if (!e || index < 0 || static_cast<size_t>(index) >= e->_value.size()) return 0.0f;
    return qcmFloat(e->_value[static_cast<size_t>(index)]);
}

int TQCMFile::printAll() const { return _grupa->showGroup(""); }

std::shared_ptr<TQCMFile> loadQCMFile(const std::string& path) {
    auto f = std::make_shared<TQCMFile>();
    f->Load(path);
    return f;
}

std::shared_ptr<TQCMFile> createQCMFile() { return std::make_shared<TQCMFile>(); }

std::shared_ptr<TQCMFile> parseQCMText(std::string text) {
    auto f = std::make_shared<TQCMFile>();
    f->parse(std::move(text));
    return f;
}

std::string qcmTextQuotes(std::string text) {
    const size_t quotes = size_t(std::count(text.begin(), text.end(), '"'));
    if (quotes == 0) return text;
    // An odd quote would turn the rest of the file into one text; a comma between paired
    // quotes would split differently once the value stands in its own quotes.
    if (quotes % 2 == 1 || text.find(',') != std::string::npos)
        text.erase(std::remove(text.begin(), text.end(), '"'), text.end());
    return text;
}
