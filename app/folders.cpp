#include "app/folders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

#include "app/app_globals.h"
#include "platform/files.h"
#include "platform/strings.h"
#include "platform/system.h"

std::string resourceFolderFor(const std::string& exeDir,
                              const std::function<int(const std::string&)>& kind) {
    std::string base = exeDir;
    if (!base.empty() && base.back() != '/') base += '/';
    base += "assets/";
    return kind(base + "gfx") != files::FILETYPE_NONE ? base : std::string();
}

std::string GetBundleResourceURL(const std::string& file, const std::string& subfolder) {
    std::string base = resourceFolderFor(files::appDir(), [](const std::string& p) { return files::fileType(p); });
    if (!base.empty() && !subfolder.empty()) base += subfolder + "/";
    return base + file;
}

std::string HomeDir() {
    const char* home = std::getenv("HOME");
    if (home && *home) return home;
    if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) return pw->pw_dir;
    return "";
}

std::string userFolderFor(const std::string& title,
                          const std::function<const char*(const char*)>& env) {
    const char* over = env("ZERKON_USER_DIR");
    std::string folder;
    if (over && *over) {
        folder = over;
    } else if (const char* xdg = env("XDG_DATA_HOME"); xdg && *xdg && xdg[0] == '/') {
        folder = std::string(xdg) + "/" + title;
    } else {
        folder = HomeDir() + "/.local/share/" + title;
    }
    folder = str::replaceAll(folder, "\\", "/");
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    return folder;
}

namespace {
void ensureFolder(const std::string& path) {
    if (files::fileType(path) != files::FILETYPE_NONE) return;
    // Parents too: on a fresh machine ~/.local/share may not exist yet.
    if (!files::createDir(path, true))
        Print("Cannot create the folder \"" + path + "\": settings and profiles will not be saved.");
}
}  // namespace

int GetDataFolders() {
    myDocsFolder = userFolderFor(myFolderName, [](const char* name) { return std::getenv(name); });
    ensureFolder(myDocsFolder);
    ensureFolder(myDocsFolder + "/Data");
    ensureFolder(myDocsFolder + "/Profiles");
    removeStaleSaves();
    return 0;
}

void removeStaleSaves() {
    files::removeStaleTemporaries(myDocsFolder + "/Data");
    const std::string profiles = myDocsFolder + "/Profiles";
    files::removeStaleTemporaries(profiles);
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(profiles, ec))
        if (e.is_directory(ec) && !e.is_symlink(ec)) files::removeStaleTemporaries(e.path().string());
}

std::string safeFolderName(const std::string& title) {
    std::string out;
    for (char c : title) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 32 || u == 127 || c == '/' || c == '\\' || c == ':') continue;
        out += c;
    }
    auto edge = [](char c) { return c == '.' || c == ' '; };
    while (!out.empty() && edge(out.front())) out.erase(out.begin());
    while (!out.empty() && edge(out.back())) out.pop_back();
    if (out.size() > 64) {
        size_t cut = 64;
        while (cut > 0 && (static_cast<unsigned char>(out[cut]) & 0xC0) == 0x80) --cut;
        out.resize(cut);
        while (!out.empty() && edge(out.back())) out.pop_back();
    }
    return out.empty() ? "Zerkon" : out;
}

std::string keepCorruptCopy(const std::string& path) {
    auto bytes = files::loadBytes(path, kMaxUserFileBytes);
    if (!bytes) return "";
    for (int i = 1; i < 100; ++i) {
        std::string copy = path + ".corrupt" + (i == 1 ? std::string() : std::to_string(i));
        if (files::fileType(copy) != files::FILETYPE_NONE) {
            // The same damage was kept before: nothing new to keep.
            auto old = files::loadBytes(copy, kMaxUserFileBytes);
            if (old && *old == *bytes) return copy;
            continue;
        }
        if (files::saveBytes(*bytes, copy)) return copy;
        return "";
    }
    return "";
}

namespace {
bool gSaveFailureShown = false;
}

void noteSaveResult(bool ok, const std::string& path) {
    if (ok) {
        gSaveFailureShown = false;
        return;
    }
    if (gSaveFailureShown) return;
    gSaveFailureShown = true;
    std::string folder = files::extractDir(path);
    Notify("Your progress cannot be saved: the game cannot write to the folder \"" + folder +
           "\". The disk may be full, or the folder read-only or missing. Free some space or make the "
           "folder writable; you can keep playing, and the next save tries again.");
}

void resetSaveNotice() { gSaveFailureShown = false; }

int systemSetup() { return GetDataFolders(); }

std::string GetSpecialFolder() { return ""; }

std::string canonicalUserRel(const std::string& rel) {
    std::vector<std::string> parts;
    size_t pos = 0;
    while (true) {
        size_t slash = rel.find('/', pos);
        parts.push_back(rel.substr(pos, slash == std::string::npos ? std::string::npos : slash - pos));
        if (slash == std::string::npos) break;
        pos = slash + 1;
    }
    bool first = true;
    for (size_t i = 0; i < parts.size(); ++i) {
        std::string& part = parts[i];
        if (part.empty()) continue;
        if (first && str::equalsNoCase(part, "data")) part = "Data";
        else if (first && str::equalsNoCase(part, "profiles")) part = "Profiles";
        else if (i + 1 == parts.size() && str::equalsNoCase(part, "level.lvl")) part = "level.lvl";
        first = false;
    }
    std::string out;
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) out += '/';
        out += parts[i];
    }
    return out;
}

std::string userPath(const std::string& rel) {
    std::string r = canonicalUserRel(rel);
    if (!r.empty() && r.front() != '/') r = "/" + r;
    return myDocsFolder + r;
}
