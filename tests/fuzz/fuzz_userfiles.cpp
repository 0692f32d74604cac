// libFuzzer entry for the files the game writes on the player's machine: the player file
// and the settings file. Any bytes must be read without a crash; whatever the readers
// accept must be written, through the same text encoding, so that it reads back the same.
// A player file always reads as a place in a voyage: what it names is one, or the game
// says what it made of it (once: the file written after that reads without a word).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/profile/profile_file.h"
#include "app/settings_file.h"
#include "gui/data/qcmfile.h"
#include "platform/files.h"
#include "platform/system.h"
#include "qcm_roundtrip.h"

// What app_globals would give; the readers only name the user folder in messages.
std::string myDocsFolder = "/nonexistent";
std::string myFolderName = "Zerkon";

namespace {

// Names the broken promise, so a crash report says which one.
void check(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "fuzz_userfiles: %s\n", what);
    std::abort();
}

// The bytes as they reach the disk and come back.
std::string throughDisk(const std::string& text) { return files::decodeText(files::encodeText(text)); }

// Two small voyages, so that places past either end and game types of other places occur.
class FuzzWorld : public TProfileWorld {
public:
    FuzzWorld() {
        const char* casual[] = {"MAIN-GAME", "MAPA", "PUZZLE-EXPRESS", "STORY-OUTRO"};
        const char* hard[] = {"LAY-PUZZLE", "MAIN-GAME"};
        for (int32_t i = 0; i < 4; ++i) add(casual_, i + 1, casual[i]);
        for (int32_t i = 0; i < 2; ++i) add(hard_, i + 1, hard[i]);
    }
    std::shared_ptr<TLevelData> flowEntry(const std::string& flowType, int32_t nr) override {
        const TLevelDataList* list = flowType == "CASUAL" ? &casual_ : flowType == "HARD" ? &hard_ : nullptr;
        if (!list || nr < 1 || nr > int32_t(list->size())) return nullptr;
        return (*list)[size_t(nr - 1)];
    }

private:
    static void add(TLevelDataList& list, int32_t nr, const char* type) {
        auto e = std::make_shared<TLevelData>();
        e->nr = nr;
        e->numer = nr;
        e->stageN = 1;
        e->gameType = type;
        list.push_back(e);
    }
    TLevelDataList casual_, hard_;
};

int gTold = 0;

void readProfile(TProfile& p, const TQCMFile& f) {
    _loadProfileStandards(p, f);
    _loadProfileStats(p, f);
    p.settleInFlow("profile.dat");
    _loadProfileLevels(p, f);
    _loadProfileBonusy(p, f);
    _loadProfileAwards(p, f);
    _loadProfileGameData(p, f);
    _loadProfileTutorial(p, f);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static FuzzWorld world;
    static const bool once = [] {
        // A still clock: the power-up timers are stored relative to it.
        SetClockSource([] { return 0; });
        SetNotifyHandler([](const std::string&) { ++gTold; });
        setProfileWorld(&world);
        return true;
    }();
    (void)once;
    const std::string text = files::decodeText(std::string(reinterpret_cast<const char*>(data), size));

    TSettingsValues first;
    if (readSettingsText(text, first)) {
        TSettingsValues again{7, 7, 7, 7.0f, 7.0f};
        check(readSettingsText(throughDisk(settingsText(first)), again), "written settings read back");
        check(again == first, "settings the same after a write");
    }

    TQCMFile file;
    if (file.parse(text) && file.groupAt("profile") != nullptr) {
        checkQCMRoundTrip(file);
        TProfile p1;
        gTold = 0;
        readProfile(p1, file);
        const bool voyage = p1.flowType == "CASUAL" || p1.flowType == "HARD";
        check(voyage, "a player file reads as a voyage");
        const std::string named = voyageName(file.getString("profile::standards::flowType", 0));
        const bool started = p1.flowSequence != 0 || !p1.gameType.empty();
        check(named == p1.flowType || !started || gTold > 0, "a voyage the file does not name is told");
        auto here = world.flowEntry(p1.flowType, p1.flowSequence);
        check(!here || here->gameType == p1.gameType, "the game type is the one of the voyage's place");
        check(p1.flowSequence >= 0 && p1.flowSequence <= int32_t(world.flowEntries(p1.flowType).size()) + 1,
              "the place lies in the voyage");
        const std::string written = profileFileText(p1);
        TQCMFile back;
        // Never written in a form the reader then calls damaged.
        check(back.parse(throughDisk(written)) && back.groupAt("profile") != nullptr, "written profile read back");
        TProfile p2;
        gTold = 0;
        readProfile(p2, back);
        check(gTold == 0, "what was told is written so that it is told once");
        check(p2.name == p1.name && p2.flowType == p1.flowType && p2.gameType == p1.gameType,
              "names the same after a write");
        check(p2.levele.size() == p1.levele.size(), "as many levels after a write");
        for (size_t i = 0; i < p1.levele.size(); ++i) check(*p1.levele[i] == *p2.levele[i], "levels the same after a write");
        check(profileFileText(p2) == written, "a second write the same as the first");
    }
    return 0;
}
