#pragma once
// The check the data-file fuzz targets make: a tree the reader accepted, written and read
// again, holds the same groups, keys, types and values: texts exactly, numbers as the
// writer prints them (less the blanks a number gains or loses on reading). The written layout has no
// braces for a group without a name, so such a group's entries and sub-groups count as its
// parent's; the root's own entries are never written.
#include <cstdlib>
#include <string>
#include <vector>

#include "gui/data/qcmfile.h"
#include "platform/files.h"

namespace qcmcheck {

struct Flat {
    std::vector<const TQCMEntry*> entries;
    std::vector<const TQCMGroup*> groups;
};

inline void flatten(const TQCMGroup& g, Flat& out, bool withEntries) {
    if (withEntries)
        for (const auto& e : g._listaWpisow) out.entries.push_back(e.get());
    for (const auto& sub : g._listaGrup) {
        if (sub->_id.empty()) flatten(*sub, out, true);
        else out.groups.push_back(sub.get());
    }
}

// The written form less the blanks around it, which the reader adds or trims.
inline std::string numberForm(const std::string& v) {
    const std::string w = qcmNumberText(v);
    size_t from = 0, to = w.size();
    while (from < to && static_cast<unsigned char>(w[from]) <= 32) ++from;
    while (to > from && static_cast<unsigned char>(w[to - 1]) <= 32) --to;
    return w.substr(from, to - from);
}

inline bool sameFlat(const Flat& a, const Flat& b);

inline bool sameGroup(const TQCMGroup& a, const TQCMGroup& b) {
    Flat fa, fb;
    flatten(a, fa, true);
    flatten(b, fb, true);
    return sameFlat(fa, fb);
}

inline bool sameFlat(const Flat& a, const Flat& b) {
    if (a.entries.size() != b.entries.size() || a.groups.size() != b.groups.size()) return false;
    for (size_t i = 0; i < a.entries.size(); ++i) {
        const TQCMEntry& x = *a.entries[i];
        const TQCMEntry& y = *b.entries[i];
        if (x._id != y._id || x._type != y._type || x._value.size() != y._value.size()) return false;
        for (size_t k = 0; k < x._value.size(); ++k) {
            const bool same = x._type == _QCM_string ? x._value[k] == y._value[k]
                                                      : numberForm(x._value[k]) == numberForm(y._value[k]);
            if (!same) return false;
        }
    }
    for (size_t i = 0; i < a.groups.size(); ++i)
        if (a.groups[i]->_id != b.groups[i]->_id || !sameGroup(*a.groups[i], *b.groups[i])) return false;
    return true;
}

}  // namespace qcmcheck

// True when a tree the reader made, written, reads back as itself.
inline bool qcmReadsBackTheSame(const TQCMFile& file) {
    TQCMFile again;
    if (!again.parse(file.toText())) return false;
    qcmcheck::Flat a, b;
    qcmcheck::flatten(*file._grupa, a, false);
    qcmcheck::flatten(*again._grupa, b, true);
    return qcmcheck::sameFlat(a, b);
}

// Aborts (a finding) when it does not.
inline void checkQCMRoundTrip(const TQCMFile& file) {
    if (!qcmReadsBackTheSame(file)) std::abort();
}

// Whether a name set into a tree is one the format can hold: no brace, "=", double quote or
// line feed, and nothing the reader trims at its ends.
inline bool qcmHoldableName(const std::string& s) {
    if (!s.empty() && (static_cast<unsigned char>(s.front()) <= 32 || static_cast<unsigned char>(s.back()) <= 32))
        return false;
    return s.find_first_of("{}=\"\n") == std::string::npos;
}
// The same for a text set into an entry of either type.
inline bool qcmHoldableText(const std::string& s) { return s.find_first_of("{}\",\n") == std::string::npos; }

// A tree built by the setters from names and texts the format can hold must be written in a
// form the reader accepts, through the encoding a save and the next start use; once read, it
// reads back as itself.
inline void checkQCMWrittenIsAccepted(const TQCMFile& file) {
    TQCMFile again;
    if (!again.parse(files::decodeText(files::encodeText(file.toText())))) std::abort();
    checkQCMRoundTrip(again);
}
