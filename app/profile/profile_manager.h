#pragma once
// Every player profile and the current one (profileManager.profile), the list file
// "Profiles/profiles.dat", and the profile screen: a panel that slides up over the main
// menu to choose, make, rename and delete players.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/ekran.h"
#include "app/profile/profile.h"
#include "platform/graphics.h"

// What the profile screen asks of the overlays and the main menu beneath it. The screens
// that own them install their own; the defaults are small built-in overlays, so the
// profile screen works on its own. Tests install scripted answers.
struct TProfileDialogs {
    // Name entry: the typed name, "" when cancelled. nowy 1 refuses an existing name.
    std::function<std::string(TEkran& screen, const std::string& title, int32_t nowy, const std::string& text)>
        enterName;
    // Non-zero for yes.
    std::function<int32_t(const std::string& question, TEkran& screen)> yesOrNo;
    // An information notice (a name that is taken).
    std::function<void(const std::string& text, TEkran& screen)> info;
    // The main menu behind the panel, and its greeting refresh after a change.
    std::function<void()> drawBack;
    std::function<void()> menuRefresh;
};
TProfileDialogs& profileDialogs();
// Back to the built-in overlays and no main menu.
void resetProfileDialogs();

class TProfileManager : public TEkran {
public:
    TImage panel;
    std::shared_ptr<TProfile> profile;
    std::vector<std::shared_ptr<TProfile>> listaProfili;
    std::vector<std::shared_ptr<TProfile>> aktLista;
    // Listed players whose file could not be read: kept in the list file, read again at
    // the next start, never shown or written.
    std::vector<std::string> keptIds;
    // What the last save wrote: the current player, and what the list file says.
    std::shared_ptr<TProfile> savedCurrent;
    std::vector<std::pair<std::shared_ptr<TProfile>, std::string>> savedList;
    std::shared_ptr<TProfile> savedListCurrent;
    std::vector<std::string> savedListKept;
    TImageFont font;
    TImageFont font2;
    float per = 0;
    float dPer = 0;
    float startY = 0;
    float sy = 350;
    int32_t startP = 0;
    std::shared_ptr<TProfile> over;
    std::string txtEnterName;
    std::string txtProfilIstnieje;
    std::string txtCzySkasowac;
    std::string txtProfilesNames;

    int setup() override;
    int draw() override;
    int _updatePer() override;
    int update() override;
    virtual int _drawBack();
    virtual int _drawPanel();
    virtual int _drawProf(const std::shared_ptr<TProfile>& p, float x, float y);
    virtual int _drawProfiles();
    virtual int _updateProfiles();
    virtual int _updateGuiPer();
    virtual int _prepareSelf();
    virtual int _prepareProfiles();
    virtual int prepare();
    virtual int mainLoop();
    virtual std::shared_ptr<TProfile> findProfile() const;
    virtual int goUp();
    virtual int goDown();
    virtual int goNew();
    virtual int goDelete();
    virtual int goRename();
    virtual int goOk();
    // Writes the players that can have changed and then the list file when it changed; 0,
    // or -1 when something could not be written (reported; the game goes on).
    virtual int save();
    virtual int check();
    virtual std::shared_ptr<TProfile> newProfile(TEkran& screen);
    virtual int loadProfiles();

    // The panel's opening s = sin(90 x per).
    float opening() const;
    // The top of row i of the names in the current font: drawn there and clicked there.
    float rowY(int32_t i, int32_t h) const;
    // True when another profile than `except` has this name, ignoring case.
    bool nameTaken(const std::string& name, const TProfile* except) const;
    // The list file's path.
    static std::string listPath();
};

extern TProfileManager profileManager;

// An empty list, no current profile, no resources: for tests.
void resetProfileManager();

// Binds "START-NEW-GAME", "GET-NEXT-LEVEL" and "RESTART-LEVEL" to the current profile and
// has the router and saveGameDatas write the profiles. While there is no current profile,
// or no progression of its flow type is loaded, `fallback` (when given) answers the place
// instead; without one such a place leads back to "MAIN-MENU".
void installProfilePlaces(std::function<std::string(const std::string& place)> fallback = nullptr);
