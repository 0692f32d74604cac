#include "gui/text/split.h"

#include "platform/strings.h"
#include "platform/system.h"

namespace {

// Byte length of the UTF-8 character that starts at `i` (1 for a stray byte).
size_t charLen(std::string_view s, size_t i) {
    const auto c = static_cast<unsigned char>(s[i]);
    size_t n = 1;
    if (c >= 0xF0) n = 4;
    else if (c >= 0xE0) n = 3;
    else if (c >= 0xC0) n = 2;
    if (i + n > s.size()) n = s.size() - i;
    for (size_t k = 1; k < n; ++k)
        if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return k;
    return n;
}

std::vector<std::string> split(std::string_view text, std::string_view sep,
                               std::string_view q1, std::string_view q2, bool quotes) {
    std::vector<std::string> out;
    if (sep.empty()) {
        if (!text.empty()) out.emplace_back(text);
        return out;
    }
    const bool protection = !q1.empty() && !q2.empty();
    bool isProtected = false;
    bool inQuotes = false;
    std::string field;
    size_t i = 0;
    while (i < text.size()) {
        const size_t len = charLen(text, i);
        const std::string_view ch = text.substr(i, len);
        if (quotes && ch == "\"") inQuotes = !inQuotes;
        if (i + sep.size() > text.size()) {
            // The separator cannot start here: the tail is copied as it stands.
            field.append(ch);
            i += len;
            continue;
        }
        if (!inQuotes && (!protection || !isProtected) && text.compare(i, sep.size(), sep) == 0) {
            out.push_back(std::move(field));
            field.clear();
            i += sep.size();
            continue;
        }
        if (!q1.empty()) {
            if (ch == q1 && !isProtected) isProtected = true;
            else if (ch == q2) isProtected = false;
            else field.append(ch);
        } else {
            field.append(ch);
        }
        i += len;
    }
    if (!field.empty()) out.push_back(std::move(field));
    return out;
}

// The marker walk shared by wyciagnijZnaczniki and usunZnaczniki.
struct MarkerWalk {
    std::vector<std::string> markers;
    std::string outside;
};

MarkerWalk walkMarkers(std::string_view text, std::string_view open, std::string_view close,
                       int mode) {
    MarkerWalk w;
    bool inMarker = false;
    bool inQuotes = false;
    std::string current;
    auto report = [&] {
        errorMsg("BLAD! Nieprawidlowa definicja znacznika wewnatrz zmiennej _str$ :" +
                 std::string(text));
    };
    for (size_t i = 0; i < text.size();) {
        const size_t len = charLen(text, i);
        const std::string_view ch = text.substr(i, len);
        i += len;
        const bool counts = mode == 0 || (mode == 1 && !inQuotes);
        if (ch == open) {
            if (counts) {
                if (inMarker) report();
                else inMarker = true;
            }
        } else if (ch == close) {
            if (counts) {
                if (!inMarker) {
                    report();
                } else {
                    inMarker = false;
                    w.markers.push_back(std::move(current));
                    current.clear();
                }
            }
        } else if (ch == "\"") {
            if (mode != 0) inQuotes = !inQuotes;
        } else if (inMarker) {
            current.append(ch);
        } else {
            w.outside.append(ch);
        }
    }
    return w;
}

}  // namespace

int errorMsg(const std::string& msg) {
    Notify(" >> BLAD! << : " + msg);
    return 0;
}

std::string usunCytat(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (char c : s)
        if (c != '"') out.push_back(c);
    return out;
}

std::vector<std::string> rozbijTekst(std::string_view text, std::string_view sep,
                                     std::string_view q1, std::string_view q2) {
    return split(text, sep, q1, q2, false);
}

std::vector<std::string> rozbijTekstQ(std::string_view text, std::string_view sep,
                                      std::string_view q1, std::string_view q2) {
    return split(text, sep, q1, q2, true);
}

int jestCalkowita(std::string_view s) {
    for (char c : s)
        if (c < '0' || c > '9') return 0;
    return 1;
}

std::vector<std::string> wyciagnijZnaczniki(std::string_view text, std::string_view open,
                                            std::string_view close, int mode) {
    return walkMarkers(text, open, close, mode).markers;
}

std::string usunZnaczniki(std::string_view text, std::string_view open, std::string_view close,
                          int mode) {
    return walkMarkers(text, open, close, mode).outside;
}

std::vector<std::string> usunPuste(const std::vector<std::string>& parts) {
    std::vector<std::string> out;
    for (const auto& p : parts)
        if (!str::trim(p).empty()) out.push_back(p);
    return out;
}
