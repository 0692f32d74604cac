#pragma once
// Reading and making profiles: the folder "Profiles/<id>/" below the user folder holds
// "profile.dat" (a keyed data file) and the level in progress beside it.
#include <memory>
#include <string>

#include "app/profile/profile.h"
#include "gui/data/qcmfile.h"

// Reads the profile at the full path of a "profile.dat". Null, after a message, when the
// file is missing, unreadable or not a profile; a damaged file is first copied beside
// itself (see keepCorruptCopy) so that no later save can destroy what is left of it. With
// `why` the message is put there instead of shown, for the caller to finish.
std::shared_ptr<TProfile> loadProfile(const std::string& path, std::string* why = nullptr);
// A new profile with the start values, the name unchanged and its id made from it.
std::shared_ptr<TProfile> createNewProfile(const std::string& name);

int _loadProfileStandards(TProfile& profile, const TQCMFile& file);
int _loadProfileStats(TProfile& profile, const TQCMFile& file);
int _loadProfileLevels(TProfile& profile, const TQCMFile& file);
int _loadProfileBonusy(TProfile& profile, const TQCMFile& file);
int _loadProfileAwards(TProfile& profile, const TQCMFile& file);
int _loadProfileGameData(TProfile& profile, const TQCMFile& file);
int _loadProfileTutorial(TProfile& profile, const TQCMFile& file);
// With a mark (what the save recorded of the level file it wrote), a level file that does
// not match it is not taken up, and the profile has no level in progress.
int _loadProfileLevel(TProfile& profile, const std::string& folder, const std::string& mark = "");

// Where the save records the mark of the level file it wrote beside the profile, and the
// mark itself (a checksum of the file's bytes, "" when it cannot be read); "unsaved" when
// the board could not be written.
extern const char* const kLevelMarkKey;
std::string levelFileMark(const std::string& path);
// The board in a profile folder, and where a save writes the next one until the profile
// that names it is written; putNextBoardInPlace then moves it over the old one (false
// when there was none or it could not be moved).
std::string boardPath(const std::string& dir);
std::string nextBoardPath(const std::string& dir);
bool putNextBoardInPlace(const std::string& dir);

// The profile's whole file as save writes it (the clock is read as save reads it).
std::string profileFileText(TProfile& profile);

// A float read from a file as a whole number (qcmTruncInt).
inline int32_t truncToInt(float v) { return qcmTruncInt(v); }
