#pragma once
// Reading and making profiles: the folder "Profiles/<id>/" below the user folder holds
// "profile.dat" (a keyed data file) and the level in progress beside it.
#include <memory>
#include <string>

#include "app/profile/profile.h"

class TQCMFile;

// Reads the profile at the full path of a "profile.dat". Null, after a message, when the
// file is missing, unreadable or not a profile; a damaged file is first copied beside
// itself (see keepCorruptCopy) so that no later save can destroy what is left of it.
std::shared_ptr<TProfile> loadProfile(const std::string& path);
// A new profile with the start values, the name unchanged and its id made from it.
std::shared_ptr<TProfile> createNewProfile(const std::string& name);

int _loadProfileStandards(TProfile& profile, const TQCMFile& file);
int _loadProfileStats(TProfile& profile, const TQCMFile& file);
int _loadProfileLevels(TProfile& profile, const TQCMFile& file);
int _loadProfileBonusy(TProfile& profile, const TQCMFile& file);
int _loadProfileAwards(TProfile& profile, const TQCMFile& file);
int _loadProfileGameData(TProfile& profile, const TQCMFile& file);
int _loadProfileTutorial(TProfile& profile, const TQCMFile& file);
int _loadProfileLevel(TProfile& profile, const std::string& folder);

// The profile's whole file as save writes it (the clock is read as save reads it).
std::string profileFileText(TProfile& profile);

// Copies a damaged file to path + ".corrupt" (".corrupt2", ... when taken) and returns the
// copy's path, "" when nothing could be copied.
std::string keepCorruptCopy(const std::string& path);

// A float read from a file as a whole number, truncated toward zero and kept inside the
// 32-bit range (NaN gives 0).
int32_t truncToInt(float v);
