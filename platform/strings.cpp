#include "platform/strings.h"

#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cwctype>
#include <locale.h>

namespace str {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes one UTF-8 sequence at s[i]; advances i. Overlong forms, surrogates and values
// past U+10FFFF count as invalid and take one byte each.
char32_t decodeOne(std::string_view s, size_t& i) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) {
        ++i;
        return b0;
    }
    int extra = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if ((b0 & 0xE0) == 0xC0) {
        extra = 1;
        cp = b0 & 0x1F;
        minimum = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        extra = 2;
        cp = b0 & 0x0F;
        minimum = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        extra = 3;
        cp = b0 & 0x07;
        minimum = 0x10000;
    } else {
        ++i;
        return kReplacement;
    }
    if (i + extra >= s.size()) {
        ++i;
        return kReplacement;
    }
    for (int k = 1; k <= extra; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80) {
            ++i;
            return kReplacement;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++i;
        return kReplacement;
    }
    i += extra + 1;
    return cp;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = kReplacement;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// The "C" locale for number formatting, and a UTF-8 one for case mapping. Both are made
// once and never freed; the process locale is never touched.
locale_t cLocale() {
    static locale_t loc = newlocale(LC_ALL_MASK, "C", nullptr);
    return loc;
}

locale_t utf8CaseLocale() {
    static locale_t loc = [] {
        locale_t l = newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr);
        if (!l) l = newlocale(LC_CTYPE_MASK, "C.utf8", nullptr);
        return l;
    }();
    return loc;
}

// Used only when no UTF-8 locale can be made: Latin-1, Latin Extended-A, basic Greek
// and Cyrillic, which covers every language the game ships.
char32_t fallbackUpper(char32_t c) {
    if (c >= 'a' && c <= 'z') return c - 32;
    if (c < 0x80) return c;
    if (c == 0xB5) return 0x39C;
    if ((c >= 0xE0 && c <= 0xFE && c != 0xF7)) return c - 32;
    if (c == 0xFF) return 0x178;
    if (c >= 0x100 && c <= 0x17F) {
        if (c == 0x131) return 'I';
        if (c == 0x17F) return 'S';
        const bool oddPairs = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        if (oddPairs) return (c % 2 == 0) ? c - 1 : c;
        if (c == 0x138 || c == 0x149) return c;
        return (c % 2 == 1) ? c - 1 : c;
    }
    if (c >= 0x3B1 && c <= 0x3CB && c != 0x3C2) return c - 32;
    if (c == 0x3C2) return 0x3A3;
    if (c == 0x3AC) return 0x386;
    if (c >= 0x3AD && c <= 0x3AF) return c - 37;
    if (c == 0x3CC) return 0x38C;
    if (c == 0x3CD || c == 0x3CE) return c - 63;
    if (c >= 0x430 && c <= 0x44F) return c - 32;
    if (c >= 0x450 && c <= 0x45F) return c - 80;
    return c;
}

char32_t fallbackLower(char32_t c) {
    if (c >= 'A' && c <= 'Z') return c + 32;
    if (c < 0x80) return c;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
    if (c == 0x178) return 0xFF;
    if (c >= 0x100 && c <= 0x17F) {
        if (c == 0x130) return 'i';
        const bool oddPairs = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        if (oddPairs) return (c % 2 == 1) ? c + 1 : c;
        if (c == 0x138 || c == 0x149 || c == 0x17F) return c;
        return (c % 2 == 0) ? c + 1 : c;
    }
    if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return c + 32;
    if (c == 0x386) return 0x3AC;
    if (c >= 0x388 && c <= 0x38A) return c + 37;
    if (c == 0x38C) return 0x3CC;
    if (c == 0x38E || c == 0x38F) return c + 63;
    if (c >= 0x410 && c <= 0x42F) return c + 32;
    if (c >= 0x400 && c <= 0x40F) return c + 80;
    return c;
}

char32_t upperCp(char32_t c) {
    if (c < 0x80) return (c >= 'a' && c <= 'z') ? c - 32 : c;
    if (c > 0xFFFF) return c;  // the mapping covers the BMP only
    if (locale_t l = utf8CaseLocale()) return static_cast<char32_t>(towupper_l(static_cast<wint_t>(c), l));
    return fallbackUpper(c);
}

char32_t lowerCp(char32_t c) {
    if (c < 0x80) return (c >= 'A' && c <= 'Z') ? c + 32 : c;
    if (c > 0xFFFF) return c;
    if (locale_t l = utf8CaseLocale()) return static_cast<char32_t>(towlower_l(static_cast<wint_t>(c), l));
    return fallbackLower(c);
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

template <typename Map>
std::string mapCase(std::string_view s, Map map) {
    std::string out;
    out.reserve(s.size());
    size_t i = 0;
    while (i < s.size()) {
        const auto b = static_cast<unsigned char>(s[i]);
        if (b < 0x80) {
            out += static_cast<char>(map(b));
            ++i;
        } else {
            appendUtf8(out, map(decodeOne(s, i)));
        }
    }
    return out;
}

}  // namespace

std::u32string toCodePoints(std::string_view utf8) {
    std::u32string out;
    out.reserve(utf8.size());
    size_t i = 0;
    while (i < utf8.size()) out += decodeOne(utf8, i);
    return out;
}

std::string fromCodePoints(std::u32string_view cps) {
    std::string out;
    out.reserve(cps.size());
    for (char32_t cp : cps) appendUtf8(out, cp);
    return out;
}

std::string fromCodePoint(char32_t cp) {
    std::string out;
    appendUtf8(out, cp);
    return out;
}

size_t length(std::string_view utf8) {
    size_t n = 0;
    size_t i = 0;
    while (i < utf8.size()) {
        decodeOne(utf8, i);
        ++n;
    }
    return n;
}

std::string upper(std::string_view s) { return mapCase(s, upperCp); }

std::string lower(std::string_view s) { return mapCase(s, lowerCp); }

bool equalsNoCase(std::string_view a, std::string_view b) {
    size_t i = 0;
    size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (upperCp(decodeOne(a, i)) != upperCp(decodeOne(b, j))) return false;
    }
    return i == a.size() && j == b.size();
}

std::string trim(std::string_view s) {
    size_t first = 0;
    size_t last = s.size();
    while (first < last && static_cast<unsigned char>(s[first]) <= 32) ++first;
    while (last > first && static_cast<unsigned char>(s[last - 1]) <= 32) --last;
    return std::string(s.substr(first, last - first));
}

int32_t toInt(std::string_view s) {
    size_t i = 0;
    while (i < s.size() && isBlank(s[i])) ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    uint32_t base = 10;
    if (i < s.size() && s[i] == '$') {
        base = 16;
        ++i;
    } else if (i < s.size() && s[i] == '%') {
        base = 2;
        ++i;
    }
    uint32_t value = 0;  // unsigned so that overflow wraps instead of being undefined
    for (; i < s.size(); ++i) {
        const char c = s[i];
        uint32_t digit;
        if (c >= '0' && c <= '9') {
            digit = static_cast<uint32_t>(c - '0');
        } else if (c >= 'a' && c <= 'f') {
            digit = static_cast<uint32_t>(c - 'a' + 10);
        } else if (c >= 'A' && c <= 'F') {
            digit = static_cast<uint32_t>(c - 'A' + 10);
        } else {
            break;
        }
        if (digit >= base) break;
        value = value * base + digit;
    }
    if (negative) value = 0u - value;
    return static_cast<int32_t>(value);
}

double toFloat(std::string_view s) {
    size_t i = 0;
    while (i < s.size() && isBlank(s[i])) ++i;
    // Copy the longest prefix that is a plain decimal number, then convert it in the "C"
    // locale. Hex, inf and nan never get this far.
    std::string number;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) number += s[i++];
    size_t digits = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
        number += s[i++];
        ++digits;
    }
    if (i < s.size() && s[i] == '.') {
        number += s[i++];
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
            number += s[i++];
            ++digits;
        }
    }
    if (digits == 0) return 0.0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
        if (j < s.size() && s[j] >= '0' && s[j] <= '9') {
            number.append(s.substr(i, j - i));
            while (j < s.size() && s[j] >= '0' && s[j] <= '9') number += s[j++];
        }
    }
    if (locale_t c = cLocale()) return strtod_l(number.c_str(), nullptr, c);
    // Without a "C" locale object, swap the point for whatever this locale uses.
    const lconv* lc = localeconv();
    if (lc && lc->decimal_point && lc->decimal_point[0] != '.') {
        number = replaceAll(number, ".", lc->decimal_point);
    }
    return std::strtod(number.c_str(), nullptr);
}

std::string formatFloat(double v) {
    char buf[64];
    if (locale_t c = cLocale()) {
        const locale_t previous = uselocale(c);
        std::snprintf(buf, sizeof buf, "%#.9g", v);
        uselocale(previous);
        return buf;
    }
    std::snprintf(buf, sizeof buf, "%#.9g", v);
    std::string out = buf;
    const lconv* lc = localeconv();
    if (lc && lc->decimal_point && lc->decimal_point[0] != '.') out = replaceAll(out, lc->decimal_point, ".");
    return out;
}

std::string formatInt(int64_t v) { return std::to_string(v); }

std::string replaceAll(std::string_view s, std::string_view from, std::string_view to) {
    if (from.empty()) return std::string(s);
    std::string out;
    out.reserve(s.size());
    size_t pos = 0;
    while (true) {
        const size_t hit = s.find(from, pos);
        if (hit == std::string_view::npos) break;
        out.append(s.substr(pos, hit - pos));
        out.append(to);
        pos = hit + from.size();
    }
    out.append(s.substr(pos));
    return out;
}

}  // namespace str
