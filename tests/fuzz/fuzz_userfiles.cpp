// libFuzzer entry for the files the game writes on the player's machine: the player file
// and the settings file. Any bytes must be read without a crash; whatever the readers
// accept must be written, through the same text encoding, so that it reads back the same.
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

void readProfile(TProfile& p, const TQCMFile& f) {
    _loadProfileStandards(p, f);
    _loadProfileStats(p, f);
    _loadProfileLevels(p, f);
    _loadProfileBonusy(p, f);
    _loadProfileAwards(p, f);
    _loadProfileGameData(p, f);
    _loadProfileTutorial(p, f);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool once = [] {
        // A still clock: the power-up timers are stored relative to it.
        SetClockSource([] { return 0; });
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
        readProfile(p1, file);
        const std::string written = profileFileText(p1);
        TQCMFile back;
        // Never written in a form the reader then calls damaged.
        check(back.parse(throughDisk(written)) && back.groupAt("profile") != nullptr, "written profile read back");
        TProfile p2;
        readProfile(p2, back);
        check(p2.name == p1.name && p2.flowType == p1.flowType && p2.gameType == p1.gameType,
              "names the same after a write");
        check(p2.levele.size() == p1.levele.size(), "as many levels after a write");
        for (size_t i = 0; i < p1.levele.size(); ++i) check(*p1.levele[i] == *p2.levele[i], "levels the same after a write");
        check(profileFileText(p2) == written, "a second write the same as the first");
    }
    return 0;
}
