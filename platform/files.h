#pragma once
// Whole-text files, paths and folders. Reads resolve names without regard to case;
// writes are atomic (temporary file in the same folder, flush, rename).
#include <optional>
#include <string>

namespace files {

enum FileKind { FILETYPE_NONE = 0, FILETYPE_FILE = 1, FILETYPE_DIR = 2 };

// Finds an existing path: the exact path first, then each component matched without
// regard to case. Returns the path as it exists on disk, or nullopt.
std::optional<std::string> resolve(const std::string& path);
// Where a write to `path` lands: folders and a file that exist under another case
// spelling are used as they are, the rest keeps the given spelling.
std::string resolveForWrite(const std::string& path);

// Whole-text load with byte-order-mark sniffing (FE FF UTF-16BE, FF FE UTF-16LE,
// EF BB BF UTF-8, else one byte per character). Returns UTF-8, or nullopt (and reports
// the failure on standard error) when the file cannot be read.
std::optional<std::string> loadText(const std::string& path);

// Whole-text save: one byte per character without a BOM when every character is at most
// 255, else UTF-16LE after FF FE. Atomic. Returns false (and reports) on failure.
bool saveText(const std::string& text, const std::string& path);

// Raw bytes, resolved like loadText.
std::optional<std::string> loadBytes(const std::string& path);
bool saveBytes(const std::string& bytes, const std::string& path);

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

}  // namespace files
