#include "app/settings_file.h"

#include <cctype>
#include <cmath>
#include <cstdio>

#include "gui/data/qcmfile.h"
#include "platform/strings.h"

namespace {

std::string stored(const TQCMFile& file, const std::string& key) {
    return str::trim(file.getString("settings::" + key, 0));
}

// A switch is on or off: any value but 0 counts as on, and is kept as 1.
int32_t readSwitch(const TQCMFile& file, const std::string& key, std::vector<std::string>* mended) {
    const int32_t v = qcmTruncInt(file.getFloat("settings::" + key, 0));
    if (v == 0 || v == 1) return v;
    if (mended) mended->push_back(key + " " + stored(file, key) + " is read as 1");
    return 1;
}

// A volume runs from 0 to 1, and below 0.05 is silence. Above 1 is as loud as it goes; a
// value that is no volume at all (negative, not a number) is damage, not a wish for
// silence: the first start's volume.
float readVolume(const TQCMFile& file, const std::string& key, float firstStart, std::vector<std::string>* mended) {
    const float v = file.getFloat("settings::" + key, 0);
    // A key that is there but holds no number ("nan", "loud") reads as 0 like a missing one.
    const std::string text = stored(file, key);
    const size_t sign = !text.empty() && (text[0] == '-' || text[0] == '+') ? 1 : 0;
    const bool number = text.size() > sign && (std::isdigit(static_cast<unsigned char>(text[sign])) || text[sign] == '.');
    const bool damaged = std::isnan(v) || v < 0 || (file.entryAt("settings::" + key) && !number);
    float out = v;
    if (damaged) out = firstStart;
    else if (v > 1) out = 1;
    else if (!(v >= 0.05f)) out = 0;
    if ((damaged || v > 1) && mended) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%g", double(out));
        mended->push_back(key + (number ? " " + text : std::string(" is not a number and")) + " is read as " + buf);
    }
    return out;
}

}  // namespace

bool readSettingsText(std::string text, TSettingsValues& values, std::vector<std::string>* mended) {
    TQCMFile file;
    if (!file.parse(std::move(text)) || file.groupAt("settings") == nullptr) return false;
    TSettingsValues v;
    v.fullScreen = readSwitch(file, "fullScreen", mended);
    v.wideScreen = readSwitch(file, "wideScreen", mended);
    v.customCursor = readSwitch(file, "customCursor", mended);
    v.musicVol = readVolume(file, "musicVolume", TSettingsValues{}.musicVol, mended);
    v.soundVol = readVolume(file, "soundVolume", TSettingsValues{}.soundVol, mended);
    values = v;
    return true;
}

std::string settingsText(const TSettingsValues& v) {
    TQCMFile file;
    file.setFloat("settings::fullScreen", float(v.fullScreen), 0);
    file.setFloat("settings::wideScreen", float(v.wideScreen), 0);
    file.setFloat("settings::customCursor", float(v.customCursor), 0);
    file.setFloat("settings::musicVolume", v.musicVol, 0);
    file.setFloat("settings::soundVolume", v.soundVol, 0);
    return file.toText();
}
