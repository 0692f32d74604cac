#pragma once
// The settings file's five values, apart from the options screen that owns them, so that
// its reading and writing can be tested and fuzzed on their own.
#include <cstdint>
#include <string>

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
// readable file reads as 0; a volume below 0.05, or one that is not a number, as 0.
bool readSettingsText(std::string text, TSettingsValues& values);
// The file's text, the five entries in their fixed order.
std::string settingsText(const TSettingsValues& values);
