#pragma once
// The two folders every file lives in: the read-only asset tree (`bDir`) and the user data
// folder (`myDocsFolder`) with its "Data" and "Profiles" subfolders.
#include <functional>
#include <string>

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
int systemSetup();
std::string GetSpecialFolder();

// The one spelling of a path below the user folder: rel is "/data/x", "/Profiles/.../Level.lvl"
// and the like; the first folder is written "Data" or "Profiles" and a level in progress
// "level.lvl", whatever case the caller used. Result: myDocsFolder + the canonical rel.
std::string userPath(const std::string& rel);
std::string canonicalUserRel(const std::string& rel);
