#include "gui/widgets/block_values.h"

#include "gui/core/qgmfont.h"

namespace blockval {

TImageFont layoutFont(const std::string& id, const TGui* gui, const std::string& shown) {
    if (auto f = TQGMFont::getByID(id, gui)) return f->_font;
    errorMsg("Nie znaleziono czcionki : " + shown);
    return nullptr;
}

}  // namespace blockval
