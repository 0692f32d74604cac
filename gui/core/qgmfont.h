#pragma once
// Fonts declared by FONT blocks of a layout; widgets name them by the block's name.
#include <memory>
#include <string>
#include <vector>

#include "gui/core/layout_items.h"
#include "platform/graphics.h"

class TGui;

class TQGMFont {
public:
    TImageFont _font;
    std::string _id;

    // Fonts declared without a layout (the loader always passes one).
    static std::vector<std::shared_ptr<TQGMFont>> _fontsList;

    // FONT block: URL (below bDir, required) and SIZE (12). Registers the record with the
    // layout; without a URL it reports and registers nothing. A file that does not load is
    // reported once a run, and its record holds no font.
    static int createFromList(const std::string& name, const TEntryList& entries, TGui* gui);
    // First record of the layout's fonts (the global list without a layout) whose id
    // matches without regard to case; null when none.
    static std::shared_ptr<TQGMFont> getByID(const std::string& name, const TGui* gui);
};
