#pragma once
// The settings file's five values, apart from the options screen that owns them, so that
// its reading and writing can be tested and fuzzed on their own.
#include <cstdint>
#include <string>
#include <vector>

struct TSettingsValues {
    // The values of a first start.
    int32_t fullScreen = 1;
    int32_t wideScreen = 1;
    int32_t customCursor = 1;
    float musicVol = 0.5f;
    float soundVol = 0.5f;
    bool operator==(const TSettingsValues&) const = default;
};

// Reads settings text. False when it is not a settings file (no "settings" group, or not a
// keyed data file at all): the values are then left as they were. A key missing from a
// readable file reads as 0 and a volume below 0.05 as 0. Out of range values are brought
// into it: a switch other than 0 as 1, a volume above 1 as 1, a negative volume or one that
// is not a number as the first start's; each such value is described in `mended` when given
// ("musicVolume 1e30 is read as 1").
bool readSettingsText(std::string text, TSettingsValues& values, std::vector<std::string>* mended = nullptr);
// The file's text, the five entries in their fixed order.
std::string settingsText(const TSettingsValues& values);
