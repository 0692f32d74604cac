#pragma once
// The two folders every file lives in: the read-only asset tree (`bDir`) and the user data
// folder (`myDocsFolder`) with its "Data" and "Profiles" subfolders.
#include <cstddef>
#include <functional>
#include <optional>
#include <string>

#include "gui/data/qcmfile.h"

// The asset folder for an executable in exeDir: exeDir + "/assets/" when something named
// "gfx" exists there, else "" (paths then count from the working folder). `kind` answers
// the file type of a path (0 none, 1 file, 2 folder).
std::string resourceFolderFor(const std::string& exeDir,
                              const std::function<int(const std::string&)>& kind);
// bDir of the running executable.
std::string GetBundleResourceURL(const std::string& file, const std::string& subfolder);

// The user's home folder ($HOME, else the password database), "" when there is none.
std::string HomeDir();

// Where the user data folder of a title lives: $ZERKON_USER_DIR when set (test runs never
// touch the real home), else $XDG_DATA_HOME/<title>, else <home>/.local/share/<title>.
// `env` reads an environment variable (null for unset).
std::string userFolderFor(const std::string& title,
                          const std::function<const char*(const char*)>& env);

// Sets myDocsFolder from myFolderName and makes sure it and its two subfolders exist,
// parents included. A folder that cannot be made is reported; the game goes on.
int GetDataFolders();
// Removes the temporaries of interrupted saves from the user folder and each player's folder.
void removeStaleSaves();
int systemSetup();
std::string GetSpecialFolder();

// The one spelling of a path below the user folder: rel is "/data/x", "/Profiles/.../Level.lvl"
// and the like; the first folder is written "Data" or "Profiles" and a level in progress
// "level.lvl", whatever case the caller used. Result: myDocsFolder + the canonical rel.
std::string userPath(const std::string& rel);
std::string canonicalUserRel(const std::string& rel);

// The user folder's name made from the title: no path separators, control characters or
// leading and trailing dots and blanks, at most 64 bytes; "Zerkon" when nothing is left.
std::string safeFolderName(const std::string& title);

// Larger than any file the game writes could be: a bigger one is not read.
constexpr size_t kMaxUserFileBytes = kMaxDataFileBytes;

// Reads a file the game wrote into the user folder, the way every data file is read
// (readDataFile): regular files only, at most kMaxUserFileBytes. On failure `problem` says
// why in words that follow the file's path ("cannot be read: ...").
inline std::optional<std::string> readUserFile(const std::string& path, std::string& problem) {
    return readDataFile(path, problem);
}

// Copies a damaged file to path + ".corrupt" (".corrupt2", ... when taken) and returns the
// copy's path, "" when nothing could be copied.
std::string keepCorruptCopy(const std::string& path);

// Every save of player data reports here. The first failure tells the player, once, that
// progress cannot be saved and where; a later success makes the next failure tell again.
void noteSaveResult(bool ok, const std::string& path);
void resetSaveNotice();
