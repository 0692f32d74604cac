#include "app/settings_file.h"

#include <cmath>

#include "gui/data/qcmfile.h"

bool readSettingsText(std::string text, TSettingsValues& values) {
    TQCMFile file;
    if (!file.parse(std::move(text)) || file.groupAt("settings") == nullptr) return false;
    TSettingsValues v;
    v.fullScreen = qcmTruncInt(file.getFloat("settings::fullScreen", 0));
    v.wideScreen = qcmTruncInt(file.getFloat("settings::wideScreen", 0));
    v.customCursor = qcmTruncInt(file.getFloat("settings::customCursor", 0));
    v.soundVol = file.getFloat("settings::soundVolume", 0);
    v.musicVol = file.getFloat("settings::musicVolume", 0);
    // Below 0.05 is silence; a value too large to be a number ("1e99") is silence too.
    if (!(v.musicVol >= 0.05f) || !std::isfinite(v.musicVol)) v.musicVol = 0;
    if (!(v.soundVol >= 0.05f) || !std::isfinite(v.soundVol)) v.soundVol = 0;
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
