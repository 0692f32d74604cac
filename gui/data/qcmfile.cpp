#include "gui/data/qcmfile.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
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

// The trimmed text of a key.
std::string_view trimmed(std::string_view s) {
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= 32) s.remove_suffix(1);
    while (!s.empty() && static_cast<unsigned char>(s.front()) <= 32) s.remove_prefix(1);
    return s;
}

// A string value is written ` "text"`: the first two characters and the last one go. A
// value that would not read back as itself once written (stray quotes that leave a comma
// outside them) loses its quotes, so what was read is always what is written.
std::string unquotePiece(std::string_view piece, bool last) {
    if (charCount(piece) < 4) return {};
    const size_t from = charOffset(piece, 2);
    size_t end = piece.size() - 1;
    while (end > 0 && (static_cast<unsigned char>(piece[end]) & 0xC0) == 0x80) --end;
    // Stray continuation bytes can make the counts disagree; never cut backwards.
    if (from == std::string_view::npos || end < from) return {};
    std::string text(piece.substr(from, end - from));
    if (!qcmTextReadsBack(text, last)) text.erase(std::remove(text.begin(), text.end(), '"'), text.end());
    return text;
}

// A number entry's value is kept as it stands, blank included. Taken as text and set again
// it is written between quotes: where its own quotes would then leave a comma outside, they
// go, and with them the commas they held, so it reads back the same in either role. A
// brace never stays: only a quote earlier on the line kept it from opening or closing a
// group, and a whole number before it is written without its quotes.
std::string numberPiece(std::string_view piece) {
    std::string text(piece);
    const bool dropQuotes = !qcmTextReadsBack(text, true);
    text.erase(std::remove_if(text.begin(), text.end(),
                              [dropQuotes](char c) {
                                  return c == '{' || c == '}' || (dropQuotes && (c == '"' || c == ','));
                              }),
               text.end());
    return text;
}

// Calls `fn` (piece, last) for each piece of the value text split at "," outside double
// quotes; a trailing empty piece is dropped.
template <class Fn>
void forEachValue(std::string_view vt, Fn&& fn) {
    bool quoted = false;
    size_t start = 0;
    for (size_t i = 0; i < vt.size(); ++i) {
        if (vt[i] == '"') {
            quoted = !quoted;
        } else if (vt[i] == ',' && !quoted) {
            fn(vt.substr(start, i - start), i + 1 >= vt.size());
            start = i + 1;
        }
    }
    if (start < vt.size()) fn(vt.substr(start), true);
}

// The bytes the scanning loops act on: "{", "}", line feed, "=" and the double quote.
struct ByteTable {
    bool structural[256] = {};
    constexpr ByteTable() {
        for (unsigned char c : {'{', '}', '\n', '=', '"'}) structural[c] = true;
    }
};
constexpr ByteTable kBytes;

bool isStructural(char c) { return kBytes.structural[static_cast<unsigned char>(c)]; }

// Where a line stands: whether an "=" has made it an entry, and whether a double quote in
// the entry's values has made the rest of the line text, braces included (the writer puts
// every text between quotes). The line feed ends both; the brace count and the group parse
// read the text alike.
struct LineState {
    bool eq = false;
    bool text = false;
    // The byte is a brace that opens or closes a group.
    bool brace(char c) const { return (c == '{' || c == '}') && !text; }
    void step(char c) {
        if (c == '=') eq = true;
        else if (c == '"' && eq) text = true;
        else if (c == '\n' || brace(c)) eq = text = false;
    }
};

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
        LineState line;
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
            if (!line.brace(c)) {
                // An entry ends at its line feed; without an "=" the line feed does nothing.
                if (c == '\n' && line.eq) {
                    if (g->_listaWpisow.empty()) g->_listaWpisow.reserve(8);
                    g->_listaWpisow.push_back(TQCMFile::readEntry(accumulated(text, start, i, scratch)));
                    start = i + 1;
                }
                line.step(c);
            } else if (c == '{') {
                if (!spend(i + 1)) return g;
                if (depth >= kMaxDepth) {
                    failed = true;
                    return g;
                }
                const size_t subEnd = end - 1 > i + 1 ? end - 1 : i + 1;
                auto sub = readAll(i + 1, subEnd, std::string(accumulated(text, start, i, scratch)), depth + 1);
                if (failed) return g;
                i += static_cast<size_t>(sub->_pos);
                walked = i + 1;
                g->_listaGrup.push_back(std::move(sub));
                start = i + 1;
                line = LineState{};
            } else {
                g->_pos = static_cast<int32_t>(i - begin + 1);
                spend(i + 1);
                return g;
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
    // The key before the first "=", the values after it: an "=" in a value is text.
    const size_t eq = text.find('=');
    const std::string_view valueText = eq == std::string_view::npos ? std::string_view() : text.substr(eq + 1);
    e->setId(std::string(trimmed(text.substr(0, eq))));
    const std::string_view lead = trimmed(valueText);
    const bool number = !lead.empty() && ((lead[0] >= '0' && lead[0] <= '9') || lead[0] == '-');
    e->_type = number ? _QCM_number : _QCM_string;
    // One allocation for the list: commas are counted, quotes ignored (a little extra room
    // at most).
    e->_value.reserve(1 + static_cast<size_t>(std::count(valueText.begin(), valueText.end(), ',')));
    forEachValue(valueText, [&](std::string_view piece, bool last) {
        e->_value.push_back(number ? numberPiece(piece) : unquotePiece(piece, last));
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
    LineState line;
    const size_t n = _txt.size();
    for (size_t i = 0; i < n; ++i) {
        while (i < n && !isStructural(_txt[i])) ++i;
        if (i >= n) break;
        const char c = _txt[i];
        if (line.brace(c)) ++(c == '{' ? open : close);
        line.step(c);
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
    std::string problem;
    auto text = files::fileType(path) == files::FILETYPE_NONE ? std::nullopt : readDataFile(path, problem);
    if (!text) {
        // A file that cannot be read counts as empty rather than ending the game.
        if (problem.empty() || files::lastReadError() == files::ReadError::Missing)
            errorMsg("Nie znaleziono pliku : " + path);
        else
            errorMsg(path + " " + problem + "; the game goes on as if it were empty.");
        return 0;
    }
    parse(std::move(*text));
    return 0;
}

std::optional<std::string> readDataFile(const std::string& path, std::string& problem) {
    auto bytes = files::loadBytes(path, kMaxDataFileBytes, false);
    if (bytes) return files::decodeText(std::move(*bytes));
    switch (files::lastReadError()) {
        case files::ReadError::Missing: problem = "does not exist"; break;
        case files::ReadError::NotRegular: problem = "is not a regular file, so it is not read"; break;
        case files::ReadError::TooLarge:
            problem = "is larger than any saved file could be (over " + std::to_string(kMaxDataFileBytes >> 20) +
                      " MB), so it is not read";
            break;
        case files::ReadError::NoPermission:
            problem = "cannot be read: the game is not allowed to open it. Check the permissions of the file and "
                      "its folder";
            break;
        default: problem = "cannot be read (a disk or system error)"; break;
    }
    return std::nullopt;
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
    return e->_value[static_cast<size_t>(index)];
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

int32_t TQCMFile::getCount(std::string_view path, std::string_view stem, int32_t least) const {
    const TQCMEntry* e = entryAt(path);
    const std::string_view text = e && !e->_value.empty() ? trimmed(e->_value[0]) : std::string_view();
    if (text.empty()) return 0;  // no count at all
    // A number has a digit after its sign ("5", "-.5"); "nan" or a word is none.
    const size_t at = text[0] == '-' || text[0] == '+' ? 1 : 0;
    const size_t digit = at < text.size() && text[at] == '.' ? at + 1 : at;
    const bool number = digit < text.size() && text[digit] >= '0' && text[digit] <= '9';
    const float raw = qcmFloat(text);
    if (number && raw < 1) return 0;
    const auto pieces = splitQCMPath(path);
    const TQCMGroup* g = pieces.empty() ? nullptr : getGroup(pieces);
    int32_t held = 0;
    if (g) {
        const std::string want = matchForm(stem);
        auto note = [&](const std::string& name) {
            // The stem and a number as the readers write it: digits, no leading zero.
            if (name.size() <= want.size() || name.compare(0, want.size(), want) != 0) return;
            const std::string_view digits = std::string_view(name).substr(want.size());
            if (digits.size() > 10 || (digits[0] == '0' && digits.size() > 1)) return;
            int64_t k = 0;
            for (char c : digits) {
                if (c < '0' || c > '9') return;
                k = k * 10 + (c - '0');
            }
            if (k <= INT32_MAX && k > held) held = static_cast<int32_t>(k);
        };
        for (const auto& entry : g->_listaWpisow) note(entry->matchKey());
        for (const auto& sub : g->_listaGrup) note(sub->matchKey());
    }
    const int32_t most = std::max(held, least);
    if (number && raw < static_cast<float>(most) + 1.0f) return qcmTruncInt(raw);
    char value[32];
    if (raw < 1e15f) std::snprintf(value, sizeof value, "%lld", static_cast<long long>(raw));
    else std::snprintf(value, sizeof value, "%g", static_cast<double>(raw));
    const std::string said = number ? std::string(value) + "," : "\"" + std::string(text) + "\", not a number,";
    errorMsg((_path.empty() ? std::string("A data file") : _path) + ": the count " + std::string(path) + " is " +
             said + " but the file's records end at number " + std::to_string(held) + "; it is read as " +
             std::to_string(most) + ".");
    return most;
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

bool qcmTextReadsBack(std::string_view text, bool last) {
    bool quoted = true;  // inside the opening quote the writer puts before it
    for (char c : text) {
        if (c == '"') quoted = !quoted;
        else if (c == '\n' || (!quoted && c == ',')) return false;
    }
    // The closing quote must close a stretch, unless nothing follows on the line.
    return quoted || last;
}
