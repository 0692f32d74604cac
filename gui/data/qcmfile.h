#pragma once
// Keyed text data files: a tree of named groups holding entries, each entry a key with a
// list of values. Settings, profiles, levels and nearly every data asset use this format.
// Values are read by a path of group names and a key joined by "::" ("settings::musicVolume")
// and an index into the value list; names match without regard to case and the first of
// several equal names wins.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A float read from a file as a whole number, truncated toward zero and kept inside the
// 32-bit range (NaN gives 0).
int32_t qcmTruncInt(float v);

// Entry types: how the writer prints the values.
constexpr int _QCM_string = 0;
constexpr int _QCM_number = 1;

// One key with its values.
class TQCMEntry {
public:
    std::string _id;                  // the key as read or first set (case kept)
    std::vector<std::string> _value;  // the stored texts; a number read from a file keeps
                                      // its leading blank (" 5")
    int _type = _QCM_string;

    // The entry as one line of the written file, without indentation or line feed.
    std::string toTxt() const;
    // Stores the value at the index, growing the list with "" as needed. A negative index
    // is ignored.
    int setValue(const std::string& value, int32_t index);
    static std::vector<std::string> createArray(int32_t count);

    // The upper-cased key, kept for lookups.
    const std::string& matchKey() const { return _match; }
    void setId(std::string id);

private:
    std::string _match;
};

// One named group: sub-groups and entries in file order. Owns both.
class TQCMGroup {
public:
    std::string _id;
    int32_t _pos = 0;  // parse cursor: index just past this group's "}" in its text, or 0
    std::vector<std::unique_ptr<TQCMGroup>> _listaGrup;
    std::vector<std::unique_ptr<TQCMEntry>> _listaWpisow;

    explicit TQCMGroup(std::string id = {}) { setId(std::move(id)); }

    // The group's written layout at the given indentation.
    std::string save(const std::string& indent) const;
    // Debug dump of the group to the console.
    int showGroup(const std::string& indent) const;
    // First sub-group / entry whose name matches without regard to case, or null.
    TQCMGroup* getGroup(std::string_view name) const;
    TQCMEntry* getEntry(std::string_view key) const;
    int setStringEntry(const std::string& key, const std::string& value, int32_t index);
    int setFloatEntry(const std::string& key, float value, int32_t index);
    // Appends a new entry holding the value at the index (type left to the caller).
    TQCMEntry* _addEntry(const std::string& key, const std::string& value, int32_t index);

    const std::string& matchKey() const { return _match; }
    void setId(std::string id);

private:
    std::string _match;
};

// One data file: the root group and what was read. Lookups hand out pointers into the
// tree, valid while the file lives; nothing is ever removed from a tree.
class TQCMFile {
public:
    std::unique_ptr<TQCMGroup> _grupa = std::make_unique<TQCMGroup>();
    std::string _path;
    std::string _realPath;
    std::string _txt;  // the whole text parsed

    // Reads (through readDataFile) and parses the file. A missing, unreadable, oversized or
    // malformed file is reported on the console and leaves an empty tree. Always returns 0.
    int Load(const std::string& path);
    // Parses text as if it were the whole file (the root then is "MAINGROUP"). Returns
    // false, after the console line, when the text was refused (unbalanced braces, or
    // nesting too deep to read safely); the tree then stays as it was.
    bool parse(std::string text);

    // Writes the tree (the root's own entries are never written). Atomic: on failure the
    // old file stays, the failure is reported and -1 returned; 0 on success.
    int save(const std::string& path) const;
    // The written text, as save would write it.
    std::string toText() const;

    // Sets the value at the index of the entry named by the path, creating groups (spelled
    // as in the path) and the entry as needed; a path of one piece sets an entry of the
    // root, which is never written. An existing entry keeps its type. An empty path or a
    // negative index changes nothing.
    int setString(const std::string& path, const std::string& value, int32_t index = 0);
    // The same with the value's text form "%#.9g" (0.5 -> "0.500000000").
    int setFloat(const std::string& path, float value, int32_t index = 0);

    // The value at the index of the entry named by the path; "" / 0 when a group, the
    // entry or the index is missing, or the path is empty.
    std::string getString(std::string_view path, int32_t index = 0) const;
    float getFloat(std::string_view path, int32_t index = 0, int debug = 0) const;
    // The value as a whole number, truncated toward zero and held inside the 32-bit range
    // (no number gives 0): getFloat for the many integers of data files.
    int32_t getInt(std::string_view path, int32_t index = 0) const { return qcmTruncInt(getFloat(path, index)); }
    // A count of numbered records, as a whole number: missing, 0 or less give 0. The records
    // stand beside the count in its group, named `stem` and their number ("flow::i" counts
    // "flow::level1", "flow::level2", ...), so the count is never more than the highest
    // number present (or `least`, where records may be missing and read as defaults). A
    // larger count, or one that is no number, is named in one console line and read as that
    // bound.
    int32_t getCount(std::string_view path, std::string_view stem, int32_t least = 0) const;

    // Walks the groups named by every piece but the last (the key); null when one is
    // missing.
    TQCMGroup* getGroup(const std::vector<std::string>& pieces) const;
    // The same walk, creating missing groups as the pieces spell them.
    TQCMGroup* getGroupSet(const std::vector<std::string>& pieces);
    // The group a whole path names ("level::data"); the root for ""; null when missing.
    TQCMGroup* groupAt(std::string_view path) const;
    // The entry a path names, or null.
    TQCMEntry* entryAt(std::string_view path) const;

    int printAll() const;
    // Console line "Napotkano problem : " + msg.
    int errorMsg(const std::string& msg) const;
    std::string myTrim(const std::string& s) const;

    // Steps of Load. checkTxt appends a line feed after a final "}" and returns
    // checkGroups: 1 when the braces balance, else 0 after the console line. readEntry
    // parses one trimmed entry text holding "=": the key before the first "=", the values
    // after it. In an entry's values, from the first double quote on, the rest of the line
    // is text: braces there neither open nor close a group, for the count as for the parse.
    int checkTxt();
    int checkGroups() const;
    static std::unique_ptr<TQCMEntry> readEntry(std::string_view text);
};

// Larger than any data file of the game could be, shipped or saved: a bigger one is not read.
constexpr size_t kMaxDataFileBytes = 16u << 20;
// Reads a data file whole (text decoding as the platform's loader): regular files only, at
// most kMaxDataFileBytes. On failure `problem` says why, in words that follow the file's
// path ("is not a regular file, so it is not read"); nothing is printed.
std::optional<std::string> readDataFile(const std::string& path, std::string& problem);

// A file loaded from the path; never null, empty on failure.
std::shared_ptr<TQCMFile> loadQCMFile(const std::string& path);
// A new, empty file (root named "").
std::shared_ptr<TQCMFile> createQCMFile();
// A file parsed from text already in memory; never null, empty on failure.
std::shared_ptr<TQCMFile> parseQCMText(std::string text);

// The path pieces: split at "::", empty pieces kept except a trailing one.
std::vector<std::string> splitQCMPath(std::string_view path);
// A stored value as a float, the way getFloat reads it (leading blanks skipped, atof rules).
float qcmFloat(std::string_view value);
// How the writer prints one value of a number entry.
std::string qcmNumberText(const std::string& value);
// Whether a text value, written between its double quotes, reads back as itself: the quotes
// in it must leave no comma outside a quoted stretch and, unless it is the entry's last
// value, must pair up. Every other text without a line feed does.
bool qcmTextReadsBack(std::string_view text, bool last);
