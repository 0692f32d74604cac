#include "gui/widgets/theme.h"

#include "gui/core/gui.h"
#include "gui/data/qcmfile.h"
#include "gui/globals.h"
#include "gui/text/split.h"
#include "platform/files.h"
#include "platform/strings.h"

std::shared_ptr<TTheme> TTheme::_theme;
std::vector<std::shared_ptr<TTheme>> QGM_ThemesList;

namespace {

// The piece named by the key, from below bDir; null when the entry or the file is missing.
TImage loadPiece(const TQCMFile& file, const std::string& key) {
    const std::string rel = file.getString(key, 0);
    if (rel.empty()) return nullptr;
    return LoadImage(bDir + rel);
}

std::shared_ptr<TRGB> readColour(const TQCMFile& file, const std::string& key) {
    return createRGB(int32_t(file.getFloat(key, 0)), int32_t(file.getFloat(key, 1)),
                     int32_t(file.getFloat(key, 2)));
}

}  // namespace

int TTheme::loadWindowGFX(const TQCMFile& file) {
    static const char* const keys[9] = {"leftUp", "Up",   "rightUp", "right", "rightdown",
                                        "down",   "leftdown", "left", "srodek"};
    for (size_t i = 0; i < 9; ++i) oknoImg[i] = loadPiece(file, std::string("TEMAT::OKNO::") + keys[i]);
    auto anchor = [](const TImage& img, bool right, bool bottom) {
        if (img)
            SetImageHandle(img, right ? float(ImageWidth(img)) : 0.0f,
                           bottom ? float(ImageHeight(img)) : 0.0f);
    };
    anchor(oknoImg[2], true, false);
    anchor(oknoImg[3], true, false);
    anchor(oknoImg[4], true, true);
    anchor(oknoImg[5], false, true);
    anchor(oknoImg[6], false, true);
    return 0;
}

int TTheme::loadBelkaGFX(const TQCMFile& file) {
    bar[0] = loadPiece(file, "TEMAT::BELKA::lewo");
    bar[1] = loadPiece(file, "TEMAT::BELKA::srodek");
    bar[2] = loadPiece(file, "TEMAT::BELKA::prawo");
    if (bar[1]) barHeight = ImageHeight(bar[1]);
    textRGB = readColour(file, "TEMAT::BELKA::textRGB");
    outLineRGB = readColour(file, "TEMAT::BELKA::outLineRGB");
    backRGB = readColour(file, "TEMAT::BELKA::backRGB");
    static const char* const keys[9] = {"LU", "U", "RU", "R", "RD", "D", "LD", "L", "Middle"};
    for (size_t i = 0; i < 9; ++i) rect[i] = loadPiece(file, std::string("TEMAT::BELKA::") + keys[i]);
    return 0;
}

int TTheme::loadSuwakGFX(const TQCMFile& file) {
    suwakUrl[0] = file.getString("TEMAT::SUWAK::przyciskGora", 0);
    suwakUrl[1] = file.getString("TEMAT::SUWAK::przyciskDol", 0);
    for (size_t i = 0; i < 2; ++i) {
        _suwakImg[i] = nullptr;
        if (suwakUrl[i].empty()) continue;
        const std::string path = bDir + suwakUrl[i];
        TImage whole = LoadImage(path);
        // A strip that cannot be measured leaves its slot empty.
        if (!whole || ImageWidth(whole) / 4 <= 0) continue;
        const int fw = ImageWidth(whole) / 4, fh = ImageHeight(whole);
        _suwakImg[i] = LoadAnimImage(path, fw, fh, 0, 4);
        if (_suwakImg[i]) SetImageHandle(_suwakImg[i], float(fw) * 0.5f, float(fh) * 0.5f);
    }
    static const char* const keys[6] = {"pasekGora", "pasekSrodek", "pasekDol",
                                        "suwakGora", "suwakSrodek", "suwakDol"};
    for (size_t i = 0; i < 6; ++i) {
        suwak[i] = loadPiece(file, std::string("TEMAT::SUWAK::") + keys[i]);
        if (!suwak[i]) continue;
        const bool bottom = i == 2 || i == 5;
        SetImageHandle(suwak[i], float(ImageWidth(suwak[i]) / 2),
                       bottom ? float(ImageHeight(suwak[i])) : 0.0f);
    }
    return 0;
}

int TTheme::loadTheme(const std::string& url) {
    remPath = files::currentDir();
    auto file = loadQCMFile(url);
    loadWindowGFX(*file);
    loadBelkaGFX(*file);
    return 0;
}

int TTheme::createFromList(const std::string& name, const TEntryList& entries, TGui* gui) {
    for (const auto& e : entries) {
        if (!e || str::upper(e->_typ) != "URL") continue;
        loadGuiTheme(name, e->_value, gui);
        return 0;
    }
    errorMsg("No path for theme file!");
    return 0;
}

std::shared_ptr<TTheme> loadGuiTheme(const std::string& name, const std::string& url, TGui* gui) {
    auto theme = std::make_shared<TTheme>();
    theme->loadTheme(url);
    theme->id = str::upper(name);
    if (gui) gui->_themes.push_back(theme);
    QGM_ThemesList.push_back(theme);
    TTheme::_theme = theme;
    return theme;
}

std::shared_ptr<TTheme> getTheme(const std::string& name, const TGui* gui) {
    const std::string key = str::upper(name);
    auto find = [&](const std::vector<std::shared_ptr<TTheme>>& list) -> std::shared_ptr<TTheme> {
        for (const auto& t : list)
            if (t && str::upper(t->id) == key) return t;
        return nullptr;
    };
    if (gui)
        if (auto t = find(gui->_themes)) return t;
    return find(QGM_ThemesList);
}

void ResetThemes() {
    QGM_ThemesList.clear();
    TTheme::_theme = nullptr;
}
