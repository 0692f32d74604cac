#include "app/profile/profile_manager.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <optional>
#include <unordered_map>
#include <unordered_set>

#include "app/app_globals.h"
#include "app/folders.h"
#include "app/frame.h"
#include "app/profile/profile_file.h"
#include "app/router.h"
#include "gui/core/gui.h"
#include "gui/data/qcmfile.h"
#include "gui/data/txtfile.h"
#include "gui/frame/deltatime.h"
#include "gui/frame/fontcache.h"
#include "gui/frame/mouse.h"
#include "gui/globals.h"
#include "gui/text/draw.h"
#include "gui/text/type_style.h"
#include "gui/widgets/button.h"
#include "platform/files.h"
#include "platform/strings.h"
#include "platform/system.h"

TProfileManager profileManager;

namespace {

// Upper bound of the frames of one modal loop in the headless backend, so a test that
// forgets to answer ends instead of hanging.
constexpr int kHeadlessFrameCap = 100000;

std::string nameFromId(const std::string& id) {
    std::u32string cps;
    int32_t v = 0;
    bool any = false;
    for (char c : id) {
        if (c >= '0' && c <= '9') {
            if (v < 0x10FFFF) v = v * 10 + (c - '0');
            any = true;
        } else if (c == '-' && any) {
            if (v > 0 && v <= 0x10FFFF) cps.push_back(char32_t(v));
            v = 0;
            any = false;
        }
    }
    return cleanProfileName(str::upper(str::fromCodePoints(cps)));
}

}  // namespace

std::string TProfileManager::listPath() { return userPath("/Profiles/profiles.dat"); }

float TProfileManager::opening() const {
    return float(std::sin(double(per) * 90.0 * M_PI / 180.0));
}

float TProfileManager::rowY(int32_t i, int32_t h) const {
    // Names and their click boxes share this spacing: h - 13 for the tall image fonts the
    // layout was drawn for, never under 32 px, so the eight rows of a plain font neither
    // overlap nor leave the panel's list.
    int32_t pitch = std::max<int32_t>(h - 13, 32);
    return startY + 100 + float(i) * float(pitch);
}

bool TProfileManager::nameTaken(const std::string& name, const TProfile* except) const {
    for (const auto& p : listaProfili)
        if (p.get() != except && str::equalsNoCase(p->name, name)) return true;
    // A player whose file could not be read still owns the name: a new one would write over it.
    for (const auto& pid : keptIds)
        if (str::equalsNoCase(nameFromId(pid), name)) return true;
    return false;
}

// ---- resources and the list file --------------------------------------------------------------

int TProfileManager::setup() {
    auto txt = loadTxtFile(bDir + "txt/#LANG#/profileManager.txt");
    txtEnterName = readTxtData(txt, 5);
    txtProfilIstnieje = readTxtData(txt, 6);
    txtCzySkasowac = readTxtData(txt, 7);
    txtProfilesNames = readTxtData(txt, 8);
    panel = LoadImage(bDir + "gfx/gui/profileManager/panel.png");
    Gui = loadGui(bDir + "gfx/gui/profileManager/profileManager.gui");
    font = myLoadImageFont(bDir + "gfx/fonts/berry.ttf", 22);
    font2 = myLoadImageFont(bDir + "gfx/fonts/berry.ttf", 26);
    return 0;
}

namespace {

// The ids of the player folders that hold a profile file, sorted; with `after`, only those
// whose file was written after that time.
std::vector<std::string> playerFolders(std::optional<std::filesystem::file_time_type> after = std::nullopt) {
    std::vector<std::string> ids;
    std::error_code ec;
    auto root = files::resolve(userPath("/Profiles"));
    if (!root) return ids;
    for (const auto& e : std::filesystem::directory_iterator(*root, ec)) {
        std::string pid = e.path().filename().string();
        if (!e.is_directory(ec) || !isValidProfileId(pid)) continue;
        auto file = files::resolve(userPath("/Profiles/" + pid + "/profile.dat"));
        if (!file) continue;
        if (after) {
            std::error_code tec;
            auto written = std::filesystem::last_write_time(*file, tec);
            if (tec || written <= *after) continue;
        }
        ids.push_back(pid);
    }
    std::sort(ids.begin(), ids.end());
    return ids;
}

// When the list file was last written, when that can be told.
std::optional<std::filesystem::file_time_type> listWritten(const std::string& path) {
    auto file = files::resolve(path);
    if (!file) return std::nullopt;
    std::error_code ec;
    auto t = std::filesystem::last_write_time(*file, ec);
    if (ec) return std::nullopt;
    return t;
}

// What the list file names: the current id, the listed ids in order, and whether the file
// disagrees with itself (a count that is not the number of entries, an id that is not one).
struct ListedPlayers {
    bool present = false;
    bool damaged = false;
    std::string act;
    std::vector<std::string> ids;
};

ListedPlayers readPlayerList(const std::string& path) {
    ListedPlayers out;
    if (files::fileType(path) == files::FILETYPE_NONE) return out;
    out.present = true;
    std::string problem;
    auto text = readUserFile(path, problem);
    if (!text) {
        Notify("The player list \"" + path + "\" " + problem +
               ". The players found in their folders are brought back.");
        out.damaged = true;
        return out;
    }
    auto f = std::make_shared<TQCMFile>();
    const TQCMGroup* g = f->parse(std::move(*text)) ? f->groupAt("profiles") : nullptr;
    if (!g) {
        std::string copy = keepCorruptCopy(path);
        Notify("The player list \"" + path + "\" is damaged." +
               (copy.empty() ? std::string() : " A copy of it is kept as \"" + copy + "\".") +
               " The players found in their folders are brought back.");
        out.damaged = true;
        return out;
    }
    out.act = f->getString("profiles::actProfile", 0);
    // One pass over the entries, not a lookup per entry: lists can be long.
    std::unordered_map<std::string, const TQCMGroup*> byName;
    for (const auto& sub : g->_listaGrup) byName.emplace(sub->matchKey(), sub.get());
    const int32_t count = int32_t(g->_listaGrup.size());
    if (truncToInt(f->getFloat("profiles::i", 0)) != count) out.damaged = true;
    for (int32_t k = 1; k <= count; ++k) {
        auto it = byName.find("PROF" + std::to_string(k));
        const TQCMEntry* e = it == byName.end() ? nullptr : it->second->getEntry("id");
        std::string pid = e && !e->_value.empty() ? e->_value[0] : std::string();
        if (!isValidProfileId(pid)) {
            // Only digits and hyphens ever name a folder.
            if (it != byName.end())
                Notify("Blad! Nie mozna wczytac profilu: " + pid + "\nThe player list \"" + path + "\" names \"" + pid +
                       "\", which is no player folder; the players found in their folders are brought back.");
            out.damaged = true;
            continue;
        }
        out.ids.push_back(pid);
    }
    return out;
}

}  // namespace

int TProfileManager::loadProfiles() {
    listaProfili.clear();
    aktLista.clear();
    keptIds.clear();
    profile = nullptr;
    over = nullptr;
    savedCurrent = nullptr;
    savedList.clear();

    const ListedPlayers list = readPlayerList(listPath());
    const auto listTime = listWritten(listPath());
    std::unordered_set<std::string> tried, names;

    auto addLoaded = [&](const std::shared_ptr<TProfile>& p, const std::string& pid, bool quiet) {
        if (p->name.empty()) p->name = nameFromId(pid);
        if (p->name.empty()) p->name = "PLAYER";
        const std::string key = str::upper(p->name);
        if (names.count(key)) {
            // Two players of one name would share one folder: the later stays on disk, unread.
            if (!quiet)
                Notify("Blad! Nie mozna wczytac profilu: " + pid + "\nThe player file \"" +
                       userPath("/Profiles/" + pid + "/profile.dat") + "\" is of " + p->name +
                       ", who is in the list already; it is left on disk, unread.");
            return;
        }
        names.insert(key);
        // Read from the folder its name gives, it is saved; otherwise the next save moves it.
        p->savedName = p->getId() == pid ? p->name : std::string();
        listaProfili.push_back(p);
        if (pid == list.act) profile = p;
    };
    for (const auto& pid : list.ids) {
        if (!tried.insert(pid).second) continue;
        std::string why;
        if (auto p = loadProfile(userPath("/Profiles/" + pid + "/profile.dat"), &why)) {
            addLoaded(p, pid, false);
            continue;
        }
        // Kept in the list and read again at every start, whatever kept it from being read
        // this time: a file put back brings the player back.
        keptIds.push_back(pid);
        const std::string who = nameFromId(pid).empty() ? std::string("This player") : nameFromId(pid);
        Notify(why + "\nBlad! Nie mozna wczytac profilu: " + pid + "\n" + who +
               " is kept in the list and comes back at the next start once the file can be read again.");
    }

    // Without a list, or with one that disagrees with itself, every player folder counts;
    // otherwise those written after the list (a new player whose entry was never written).
    // Deleted and renamed players' folders were left before the list was written last.
    // A folder whose name is its player's id comes first, so a player renamed only in
    // capitals is read from the folder written last.
    const bool all = !list.present || list.damaged || !listTime;
    {
        std::vector<std::pair<std::shared_ptr<TProfile>, std::string>> found;
        for (const auto& pid : playerFolders(all ? std::nullopt : listTime)) {
            if (!tried.insert(pid).second) continue;
            std::string why;
            if (auto p = loadProfile(userPath("/Profiles/" + pid + "/profile.dat"), &why)) {
                found.emplace_back(p, pid);
            } else {
                keptIds.push_back(pid);
                Notify(why + "\nIts player is kept in the list and comes back at the next start once the file can "
                             "be read again.");
            }
        }
        std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
            return (a.first->getId() == a.second) > (b.first->getId() == b.second);
        });
        for (const auto& [p, pid] : found) addLoaded(p, pid, true);
        if (!found.empty()) Print("Players brought back from their folders: " + std::to_string(found.size()));
    }

    // A current player that is missing or failed to load: the first one listed plays.
    if (!profile) profile = findProfile();
    // What reading mended and told is written at once: quitting saves nothing, and it is
    // told only once.
    if (std::any_of(listaProfili.begin(), listaProfili.end(), [](const auto& p) { return p->needsSave; })) save();
    return 0;
}

int TProfileManager::save() {
    // The screens never empty a list that holds players; an empty one here means the list
    // was never read, and writing it would orphan every player's folder.
    if (listaProfili.empty() && keptIds.empty()) return 0;
    int result = 0;
    // Only the players that can have changed are written: the current one, the one that was
    // current at the last save, and any renamed, new or moved player. The others' files are
    // as they were read or last written.
    for (const auto& p : listaProfili) {
        const bool changed = p == profile || p == savedCurrent || p->savedName != p->name || p->needsSave;
        if (changed && p->save() != 0) result = -1;
    }
    savedCurrent = profile;

    // The list file only when what it says has changed.
    bool same = savedList.size() == listaProfili.size() && savedListCurrent == profile && savedListKept == keptIds;
    for (size_t i = 0; same && i < listaProfili.size(); ++i)
        same = savedList[i].first == listaProfili[i] && savedList[i].second == listaProfili[i]->name;
    if (same) return result;

    auto f = createQCMFile();
    TQCMGroup* g = f->getGroupSet({"profiles", "i"});
    g->setFloatEntry("i", float(listaProfili.size() + keptIds.size()), 0);
    int32_t k = 1;
    auto addEntry = [&](const std::string& pid, const std::string& name) {
        auto sub = std::make_unique<TQCMGroup>("prof" + std::to_string(k++));
        sub->setStringEntry("id", pid, 0);
        sub->setStringEntry("name", name, 0);
        g->_listaGrup.push_back(std::move(sub));
    };
    for (const auto& p : listaProfili) {
        const std::string pid = p->getId();
        addEntry(pid, p->name);
        if (p == profile) g->setStringEntry("actProfile", pid, 0);
    }
    for (const auto& pid : keptIds) addEntry(pid, nameFromId(pid));
    files::createDir(userPath("/Profiles"), true);
    const bool ok = f->save(listPath()) == 0;
    noteSaveResult(ok, listPath());
    if (!ok) return -1;
    savedList.clear();
    for (const auto& p : listaProfili) savedList.emplace_back(p, p->name);
    savedListCurrent = profile;
    savedListKept = keptIds;
    return result;
}

std::shared_ptr<TProfile> TProfileManager::findProfile() const {
    return listaProfili.empty() ? nullptr : listaProfili.front();
}

std::shared_ptr<TProfile> TProfileManager::newProfile(TEkran& screen) {
    // Only what name entry accepts ever reaches a file or a folder name.
    std::string name = cleanProfileName(profileDialogs().enterName(screen, txtEnterName, 1, ""));
    if (name.empty()) return nullptr;
    if (nameTaken(name, nullptr)) {
        profileDialogs().info(txtProfilIstnieje, screen);
        return nullptr;
    }
    return createNewProfile(name);
}

int TProfileManager::check() {
    if (profile) return 0;
    // Players are listed but none is current: the first one plays, no new player is forced.
    if (!listaProfili.empty()) {
        profile = findProfile();
        if (profileDialogs().menuRefresh) profileDialogs().menuRefresh();
        return 0;
    }
    // Name entry cannot be cancelled here; should an answer still be empty, nothing is
    // added and the next frame asks again.
    static TEkran menuStandIn;
    auto p = newProfile(menuStandIn);
    if (!p) return 0;
    profile = p;
    listaProfili.push_back(p);
    save();
    if (profileDialogs().menuRefresh) profileDialogs().menuRefresh();
    return 0;
}

// ---- the buttons ---------------------------------------------------------------------------

int TProfileManager::_prepareProfiles() {
    aktLista.clear();
    for (int32_t i = std::max<int32_t>(startP, 0); i < int32_t(listaProfili.size()) && i <= startP + 7; ++i)
        aktLista.push_back(listaProfili[size_t(i)]);
    return 0;
}

int TProfileManager::goUp() {
    startP = std::max<int32_t>(startP - 1, 0);
    return _prepareProfiles();
}

int TProfileManager::goDown() {
    startP += 1;
    int32_t count = int32_t(listaProfili.size());
    if (startP + 5 > count) startP = count - 5;
    if (startP < 0) startP = 0;
    return _prepareProfiles();
}

int TProfileManager::goNew() {
    auto p = newProfile(*this);
    if (!p) return 0;
    listaProfili.push_back(p);
    profile = p;
    _prepareProfiles();
    save();
    return 0;
}

int TProfileManager::goDelete() {
    if (!profile) return 0;
    if (profileDialogs().yesOrNo(txtCzySkasowac, *this) == 0) return 0;
    auto it = std::find(listaProfili.begin(), listaProfili.end(), profile);
    if (it != listaProfili.end()) listaProfili.erase(it);
    if (over == profile) over = nullptr;
    profile = findProfile();
    _prepareProfiles();
    save();
    return 0;
}

int TProfileManager::goRename() {
    if (!profile) return 0;
    std::string name = cleanProfileName(profileDialogs().enterName(*this, txtEnterName, 0, profile->name));
    if (name.empty()) return 0;
    // Another player of this name (in any case) would share this one's folder.
    if (nameTaken(name, profile.get())) {
        profileDialogs().info(txtProfilIstnieje, *this);
        return 0;
    }
    profile->name = name;
    save();
    return 0;
}

int TProfileManager::goOk() {
    dPer = 0;
    saveGameDatas();
    return 0;
}

// ---- the screen ------------------------------------------------------------------------------

int TProfileManager::_prepareSelf() {
    alpha = 0;
    per = 0;
    dPer = 1;
    _updateGuiPer();
    if (!profile) profile = findProfile();
    return 0;
}

int TProfileManager::prepare() {
    _prepareSelf();
    return _prepareProfiles();
}

int TProfileManager::_updatePer() {
    easeToward(per, dPer, 0.05f, delta);
    float s = opening();
    startY = 150 + 600 * (1 - s);
    fade = 0.5f * s;
    alpha = s;
    if (Gui) {
        bool canDelete = profile && listaProfili.size() > 1;
        if (auto b = Gui->getItem("delete")) b->setState(canDelete ? 1 : 0, canDelete ? 1 : 0);
        if (auto b = Gui->getItem("rename")) b->setState(profile ? 1 : 0, profile ? 1 : 0);
    }
    return 0;
}

int TProfileManager::_updateGuiPer() {
    if (!Gui) return 0;
    float drop = 600 * (1 - opening());
    for (const auto& w : Gui->_listaObiektow)
        if (auto b = std::dynamic_pointer_cast<TButton>(w)) {
            b->dim->y = b->_pomRememberY + drop;
            b->countDims();
        }
    return 0;
}

int TProfileManager::_updateProfiles() {
    over = nullptr;
    if (!profile) profile = findProfile();
    for (size_t i = 0; i < aktLista.size(); ++i) {
        const auto& p = aktLista[i];
        int32_t w = TextWidth(p->name);
        int32_t h = TextHeight(p->name);
        int32_t x = int32_t(500 - (w / 2) - 25);
        int32_t y = int32_t(rowY(int32_t(i), h));
        if (mouse.inRect(x, y, w + 50, h)) over = p;
    }
    if (over && mouse.leftPressed) profile = over;
    return 0;
}

int TProfileManager::update() {
    _updateSystem(0);
    _updatePer();
    _updateGuiPer();
    SetImageFont(font);
    _updateProfiles();
    _updateGui();
    return 0;
}

int TProfileManager::_drawBack() {
    if (profileDialogs().drawBack) profileDialogs().drawBack();
    return 0;
}

int TProfileManager::_drawPanel() {
    float s = opening();
    SetBlend(ALPHABLEND);
    SetScale(1, 1);
    SetRotation(0);
    SetColor(255, 255, 255);
    SetAlpha(s);
    if (panel) DrawImage(panel, 250, startY);
    SetImageFont(font2);
    drawShadowedText(txtProfilesNames, float(532 - TextWidth(txtProfilesNames) / 2), startY + 12,
                     typestyle::kGold, s);
    return 0;
}

namespace {
// The list well of the panel, from its art: the current player's band spans it.
constexpr float kListLeft = 304, kListRight = 696;
}  // namespace

int TProfileManager::_drawProf(const std::shared_ptr<TProfile>& p, float x, float y) {
    float a = opening();
    SetImageFont(font);
    if (p == profile) {
        // The current player: gold on a dark wood band across the list well.
        const int h = TextHeight(p->name);
        SetBlend(ALPHABLEND);
        SetColor(typestyle::kInkText.r, typestyle::kInkText.g, typestyle::kInkText.b);
        SetAlpha(0.9f * a);
        DrawRect(kListLeft, y - 3, kListRight - kListLeft, float(h + 6));
        drawShadowedText(p->name, x, y, typestyle::kGold, a, 0.4f);
    } else {
        // The others: body on parchment, ink without outline.
        SetColor(typestyle::kInkText.r, typestyle::kInkText.g, typestyle::kInkText.b);
        SetAlpha(a);
        DrawText(p->name, x, y);
    }
    if (p == over) {
        SetBlend(LIGHTBLEND);
        SetAlpha(0.3f * a);
        DrawText(p->name, x, y);
        SetBlend(ALPHABLEND);
        SetAlpha(a);
    }
    return 0;
}

int TProfileManager::_drawProfiles() {
    SetScale(1, 1);
    SetImageFont(font);
    for (size_t i = 0; i < aktLista.size(); ++i) {
        const auto& p = aktLista[i];
        int32_t w = TextWidth(p->name);
        int32_t h = TextHeight(p->name);
        _drawProf(p, float(500 - w / 2), rowY(int32_t(i), h));
    }
    return 0;
}

int TProfileManager::draw() {
    _drawBack();
    _drawFade();
    _drawPanel();
    _drawProfiles();
    _drawGui();
    _drawMouse();
    return 0;
}

int TProfileManager::mainLoop() {
    prepare();
    int frames = 0;
    while (true) {
        Cls();
        draw();
        update();
        myFlip(1, this);
        if (per == 1 && Gui) {
            if (Gui->clickedItem("ok")) goOk();
            else if (Gui->clickedItem("new")) goNew();
            else if (Gui->clickedItem("delete")) goDelete();
            else if (Gui->clickedItem("rename")) goRename();
            else if (Gui->clickedItem("up")) goUp();
            else if (Gui->clickedItem("down")) goDown();
        }
        if (per == 0 && dPer == 0) break;
        if (IsHeadless() && ++frames > kHeadlessFrameCap) break;
    }
    saveGameDatas();
    return 0;
}

void resetProfileManager() {
    resetPlayCountersOwner();
    profileManager.panel = nullptr;
    profileManager.profile = nullptr;
    profileManager.listaProfili.clear();
    profileManager.aktLista.clear();
    profileManager.font = nullptr;
    profileManager.font2 = nullptr;
    profileManager.per = profileManager.dPer = profileManager.startY = 0;
    profileManager.startP = 0;
    profileManager.over = nullptr;
    profileManager.keptIds.clear();
    profileManager.savedCurrent = nullptr;
    profileManager.savedList.clear();
    profileManager.savedListCurrent = nullptr;
    profileManager.savedListKept.clear();
    profileManager.txtEnterName.clear();
    profileManager.txtProfilIstnieje.clear();
    profileManager.txtCzySkasowac.clear();
    profileManager.txtProfilesNames.clear();
    profileManager.Gui = nullptr;
    profileManager.alpha = 1;
    profileManager.fade = 0;
}

void installProfilePlaces(std::function<std::string(const std::string& place)> fallback) {
    auto bindOp = [fallback](const std::string& place, std::string (TProfile::*op)()) {
        control::bind(place, [fallback, place, op]() -> std::string {
            auto p = profileManager.profile;
            // A voyage the game does not have is told and the player goes on in one it has.
            if (p) p->settleVoyage(p->folder() + "/profile.dat");
            bool ready = p && profileWorld().flowEntry(p->flowType, 1) != nullptr;
            if (!ready) return fallback ? fallback(place) : std::string("MAIN-MENU");
            return ((*p).*op)();
        });
    };
    bindOp("START-NEW-GAME", &TProfile::startNewGame);
    bindOp("GET-NEXT-LEVEL", &TProfile::getNextLevel);
    bindOp("RESTART-LEVEL", &TProfile::restartLevel);
    control::setProfileSaver([] { profileManager.save(); });
    auto& savers = gameDataSavers();
    savers.profiles = [] { profileManager.save(); };
    savers.hasCurrentProfile = [] { return profileManager.profile != nullptr; };
}
