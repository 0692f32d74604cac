#include "minigames/hidden_object/ho_playable.h"

#include <cctype>
#include <cmath>
#include <optional>

#include "gui/data/qcmfile.h"
#include "minigames/hidden_object/ho_level_file.h"
#include "platform/strings.h"

namespace {

// The scene picture: a hiding place outside it cannot be clicked.
constexpr int kPictureW = 1024, kPictureH = 768;

bool knownState(const std::string& s) {
    return s.empty() || s == "PICK" || s == "PICK-2" || s == "PICK-3" || s == "DONE";
}

std::string objectName(const THObject& o) { return "object " + std::to_string(o.id); }

// The value as a number when the whole text is one (blanks around it allowed).
std::optional<double> number(const std::string& text) {
    const std::string t = str::trim(text);
    size_t i = 0;
    if (i < t.size() && (t[i] == '-' || t[i] == '+')) ++i;
    size_t digits = 0;
    auto run = [&] {
        while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) ++i, ++digits;
    };
    run();
    if (i < t.size() && t[i] == '.') {
        ++i;
        run();
    }
    if (digits == 0) return std::nullopt;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        if (i < t.size() && (t[i] == '-' || t[i] == '+')) ++i;
        digits = 0;
        run();
        if (digits == 0) return std::nullopt;
    }
    if (i != t.size()) return std::nullopt;
    const double v = str::toFloat(t);
    return std::isfinite(v) ? std::optional<double>(v) : std::nullopt;
}

// The entry's first `n` values are numbers.
bool numbers(const TQCMFile& f, const std::string& key, size_t n) {
    const TQCMEntry* e = f.entryAt(key);
    if (!e || e->_value.size() < n) return false;
    for (size_t i = 0; i < n; ++i)
        if (!number(e->_value[i])) return false;
    return true;
}

// A count the writer could have written: a whole number from 0 to the reader's bound.
std::optional<int> count(const TQCMFile& f, const std::string& key) {
    const TQCMEntry* e = f.entryAt(key);
    const auto v = e && !e->_value.empty() ? number(e->_value[0]) : std::nullopt;
    if (!v || *v < 0 || *v > kHOMaxRecords || *v != std::floor(*v)) return std::nullopt;
    return int(*v);
}

}  // namespace

std::string hoUnplayable(const THOLevel& level) {
    if (level.objects.empty()) return "it hides no objects";
    for (const auto& o : level.objects) {
        if (!o) continue;
        if (!knownState(o->state)) return objectName(*o) + " has the state \"" + o->state + "\", which it never leaves";
        if (!o->state.empty()) continue;
        if (!o->imgUkryty || ImageWidth(o->imgUkryty) <= 0 || ImageHeight(o->imgUkryty) <= 0)
            return objectName(*o) + " has no picture in the scene";
        const float x = o->ukrytyDim->x, y = o->ukrytyDim->y;
        if (!(x >= 0 && x < kPictureW && y >= 0 && y < kPictureH))
            return objectName(*o) + " is hidden off the picture, at " + std::to_string(int(x)) + ", " +
                   std::to_string(int(y));
    }
    return "";
}

std::string hoSaveDamage(const TQCMFile& f) {
    if (!f.groupAt("level")) return "it is not a readable scene";
    const auto objects = count(f, "level::objects::i");
    if (!objects) return "its count of objects is damaged";
    for (int k = 1; k <= *objects; ++k) {
        const std::string p = "level::objects::ob" + std::to_string(k);
        if (!f.groupAt(p)) return "object record " + std::to_string(k) + " is missing";
        if (!numbers(f, p + "::ukrytyDim", 2)) return "the hiding place of object record " + std::to_string(k) + " is not two numbers";
        if (!numbers(f, p + "::doZebraniaDim", 2)) return "the slot of object record " + std::to_string(k) + " is not two numbers";
    }
    const auto members = count(f, "level::group::i");
    if (!members) return "its count of objects to find is damaged";
    for (int k = 1; k <= *members; ++k)
        if (!numbers(f, "level::group::obj" + std::to_string(k), 1))
            return "entry " + std::to_string(k) + " of the objects to find is missing";
    return "";
}
