#pragma once
// Whole-text files, paths and folders. Reads resolve names without regard to case;
// writes are atomic (temporary file in the same folder, flush, rename).
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace files {

enum FileKind { FILETYPE_NONE = 0, FILETYPE_FILE = 1, FILETYPE_DIR = 2 };

// Finds an existing path: the exact path first, then each component matched without
// regard to case. Returns the path as it exists on disk, or nullopt.
std::optional<std::string> resolve(const std::string& path);
// Where a write to `path` lands: folders and a file that exist under another case
// spelling are used as they are, the rest keeps the given spelling.
std::string resolveForWrite(const std::string& path);

// Why the last load on this thread failed.
enum class ReadError { None, Missing, NotRegular, TooLarge, NoPermission, Other };
ReadError lastReadError();

// Whole-text load with byte-order-mark sniffing (FE FF UTF-16BE, FF FE UTF-16LE,
// EF BB BF UTF-8, else one byte per character). Returns UTF-8, or nullopt (and reports
// the failure on standard error) when the file cannot be read. Only regular files are
// read (a FIFO or a device is refused without waiting on it); a file of more than
// maxBytes (when not 0) is refused too.
std::optional<std::string> loadText(const std::string& path, size_t maxBytes = 0);

// The decoding and encoding of loadText and saveText, for text already in memory.
std::string decodeText(std::string bytes);
std::string encodeText(const std::string& text);

// Whole-text save: one byte per character without a BOM when every character is at most
// 255, else UTF-16LE after FF FE. Atomic. Returns false (and reports) on failure.
bool saveText(const std::string& text, const std::string& path);

// Raw bytes, resolved and limited like loadText; report false keeps a failure quiet.
std::optional<std::string> loadBytes(const std::string& path, size_t maxBytes = 0, bool report = true);
bool saveBytes(const std::string& bytes, const std::string& path);

// A file's bytes, read-only, for a reader that needs them all at hand but reads few of them
// (a font's face): mapped, so only the pages read are resident and they are the file's own
// rather than a copy; read into memory where the file cannot be mapped.
class MappedBytes {
public:
    MappedBytes(const MappedBytes&) = delete;
    MappedBytes& operator=(const MappedBytes&) = delete;
    ~MappedBytes();
    const char* data() const { return data_; }
    size_t size() const { return size_; }
    bool mapped() const { return mapped_; }

private:
    friend std::shared_ptr<const MappedBytes> mapBytes(const std::string&, size_t, bool);
    MappedBytes(const char* data, size_t size) : data_(data), size_(size), mapped_(true) {}
    explicit MappedBytes(std::string bytes)
        : copy_(std::move(bytes)), data_(copy_.data()), size_(copy_.size()), mapped_(false) {}
    std::string copy_;
    const char* data_;
    size_t size_;
    bool mapped_;
};
// Resolved, limited and reported like loadBytes; null when it cannot be read.
std::shared_ptr<const MappedBytes> mapBytes(const std::string& path, size_t maxBytes = 0, bool report = true);

// Removes the temporaries that interrupted saves left in the folder (".<name>.tmp-XXXXXX",
// untouched for at least minAgeSeconds, so that another running copy's save is spared).
// Returns how many were removed.
int removeStaleTemporaries(const std::string& dir, int minAgeSeconds = 60);

// Whether a name read from a file (a picture, a level, a language folder) stays inside the
// folder it is joined to: relative, no ".." piece, no backslash (another system's separator)
// and no drive letter. An empty name does.
bool insideTree(std::string_view name);

int fileType(const std::string& path);  // FileKind, case-insensitive
bool createDir(const std::string& path, bool recurse = true);
bool deleteFile(const std::string& path);
std::string realPath(const std::string& path);  // absolute form
std::string currentDir();
std::string extractDir(const std::string& path);  // "a/b/c.txt" -> "a/b"
std::string stripDir(const std::string& path);    // "a/b/c.txt" -> "c.txt"
std::string extractExt(const std::string& path);  // "a/b/c.txt" -> "txt"
std::string stripExt(const std::string& path);    // "a/b/c.txt" -> "a/b/c"
std::string appDir();                             // folder of the running executable

// Test seam: makes the next atomic save fail between writing the temporary file and the
// rename (the temporary is removed, the target untouched).
void failNextSaveBeforeRename();

// Test seam: called at each step of every atomic save (the temporary written, then the
// rename done) with the target path; a kill test ends the process in it. nullptr: none.
enum class SaveStep { TemporaryWritten, Renamed };
void setSaveStepHook(std::function<void(SaveStep, const std::string& path)> hook);

}  // namespace files
