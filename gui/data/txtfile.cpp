#include "gui/data/txtfile.h"

#include "gui/data/qcmfile.h"
#include "gui/globals.h"
#include "platform/files.h"
#include "platform/strings.h"
#include "platform/system.h"

std::shared_ptr<TTxtFile> splitTxtLines(const std::string& text) {
    auto f = std::make_shared<TTxtFile>();
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
            f->txt.emplace_back(text, start, i - start);
            start = i + 1;
        }
    }
    // A last line without a line feed counts only when it holds something.
    if (start < text.size()) f->txt.emplace_back(text, start);
    return f;
}

std::shared_ptr<TTxtFile> loadTxtFile(const std::string& path) {
    const std::string real = str::replaceAll(path, "#LANG#", lang);
    std::string problem;
    auto text = readDataFile(real, problem);
    if (!text) {
        // Callers cope with missing lines, so a lost file must not end the game.
        if (files::lastReadError() == files::ReadError::Missing)
            Print("Napotkano problem : Nie znaleziono pliku : " + real);
        else
            Print("Napotkano problem : " + real + " " + problem + "; its texts are left out.");
        return std::make_shared<TTxtFile>();
    }
    return splitTxtLines(*text);
}

std::string readTxtData(const TTxtFile* file, int32_t n) {
    if (!file || n < 1 || n > file->lines()) return "(BEYOND TEXT ARRAY LENGTH!)";
    return file->txt[static_cast<size_t>(n - 1)];
}

std::string readTxtData(const std::shared_ptr<TTxtFile>& file, int32_t n) {
    return readTxtData(file.get(), n);
}
