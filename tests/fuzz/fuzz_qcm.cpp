// libFuzzer entry for the keyed data file reader: any text must parse, answer lookups
// and write back without a crash, a hang or a sanitizer report, and whatever it accepts
// must be written so that it reads back the same.
#include <cstddef>
#include <cstdint>
#include <string>

#include "gui/data/qcmfile.h"
#include "platform/files.h"
#include "qcm_roundtrip.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    auto f = parseQCMText(text);
    // The game reads files through the text decoding; what it then accepts must survive a save.
    checkQCMRoundTrip(*parseQCMText(files::decodeText(text)));

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

    // Setting values and writing the tree back; what the writer makes is read again. The
    // writer writes names and texts as given, so only those the format can hold must come back.
    const std::string value = text.substr(0, 16);
    f->setString(path + "::s", value, 2);
    f->setFloat(path + "::n", static_cast<float>(size) * 0.5f, 1);
    bool holdable = qcmHoldableText(value);
    for (const auto& piece : splitQCMPath(path)) holdable = holdable && qcmHoldableName(piece);
    // Deeper than any saver nests, the reader refuses by design; a file beginning with the
    // characters of a byte-order mark reads as another encoding.
    if (holdable && splitQCMPath(path).size() < 100 && (path.empty() || static_cast<unsigned char>(path[0]) < 0x80))
        checkQCMWrittenIsAccepted(*f);
    return 0;
}
