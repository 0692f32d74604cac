#include "gui/core/qgmfont.h"

#include "gui/core/gui.h"
#include "gui/frame/fontcache.h"
#include "gui/globals.h"
#include "gui/text/split.h"
#include "platform/files.h"
#include "platform/strings.h"

std::vector<std::shared_ptr<TQGMFont>> TQGMFont::_fontsList;

int TQGMFont::createFromList(const std::string& name, const TEntryList& entries, TGui* gui) {
    auto rec = std::make_shared<TQGMFont>();
    rec->_id = name;
    int size = 12;
    std::string fontPath;
    bool named = false;
    for (const auto& e : entries) {
        if (!e) continue;
        const std::string key = str::upper(e->_typ);
        if (key == "SIZE") {
            size = str::toInt(e->_value);
        } else if (key == "URL") {
            e->_value = bDir + e->_value;
            const std::string& path = e->_value;
            named = true;
            // A test load at 12 tells a usable file from a missing one, whatever SIZE says.
            if (!myLoadImageFont(path, 12)) {
                // Every layout naming the file would say it again: it is told once.
                if (FontFailureIsNew(path))
                    errorMsg("Nie moge znalezc czcionki : " + path + "   fileType : " +
                             std::to_string(files::fileType(path)) + "   realpath : " + files::realPath(path) +
                             "\nThe font file is missing or damaged; the game goes on, drawing its texts in "
                             "another font.");
            } else {
                fontPath = path;
            }
        }
    }
    if (fontPath.empty() && !named) {
        errorMsg("Nie podano scierzki do czcionki.");
        return 0;
    }
    // A font whose file did not load is still declared, without a font: the widgets that
    // name it draw in the font already set instead of each telling of it again.
    if (!fontPath.empty()) rec->_font = myLoadImageFont(fontPath, size);
    if (gui)
        gui->_fonts.push_back(rec);
    else
        _fontsList.push_back(rec);
    return 0;
}

std::shared_ptr<TQGMFont> TQGMFont::getByID(const std::string& name, const TGui* gui) {
    const auto& list = gui ? gui->_fonts : _fontsList;
    for (const auto& f : list)
        if (f && str::equalsNoCase(f->_id, name)) return f;
    return nullptr;
}
