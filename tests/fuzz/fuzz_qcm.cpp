// libFuzzer entry for the keyed data file reader: any text must parse, answer lookups
// and write back without a crash, a hang or a sanitizer report.
#include <cstddef>
#include <cstdint>
#include <string>

#include "gui/data/qcmfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    auto f = parseQCMText(text);

    // Lookups with paths taken from the input itself, so they hit real names.
    const size_t cut = text.find('\n');
    const std::string path = text.substr(0, cut == std::string::npos ? text.size() : cut);
    for (int index : {-1, 0, 1, 7}) {
        (void)f->getString(path, index);
        (void)f->getFloat(path, index);
    }
    (void)f->groupAt(path);

    // Walk the tree the way loaders do.
    for (const auto& g : f->_grupa->_listaGrup) {
        for (const auto& e : g->_listaWpisow) {
            (void)f->getString(g->_id + "::" + e->_id, 0);
            (void)e->toTxt();
        }
    }

    // Setting values and writing the tree back; what the writer makes is read again.
    f->setString(path + "::s", text.substr(0, 16), 2);
    f->setFloat(path + "::n", static_cast<float>(size) * 0.5f, 1);
    auto again = parseQCMText(f->toText());
    (void)again->getString(path + "::n", 1);
    return 0;
}
