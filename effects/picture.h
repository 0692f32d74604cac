#pragma once
// Entry n of an effect's picture table; null when n lies outside the table or the picture
// did not load. Effects skip their drawing on null: an empty entry is never drawn.
#include <cstddef>

#include "platform/graphics.h"

namespace fx {

template <class Table>
TImage pictureAt(const Table& table, int n) {
    if (n < 0 || std::size_t(n) >= table.size()) return nullptr;
    return table[std::size_t(n)];
}

}  // namespace fx
