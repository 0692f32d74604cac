#pragma once
// Language text files: one text per line, addressed by line number from 1.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TTxtFile {
public:
    std::vector<std::string> txt;  // the lines, without their line feeds (a CR stays)

    int32_t lines() const { return static_cast<int32_t>(txt.size()); }
};

// Reads the file with every "#LANG#" in the path replaced by `lang`. A missing or
// unreadable file is reported on the console and reads as empty. Never null.
std::shared_ptr<TTxtFile> loadTxtFile(const std::string& path);
// The lines of a text already in memory.
std::shared_ptr<TTxtFile> splitTxtLines(const std::string& text);
// Line n counting from 1; "(BEYOND TEXT ARRAY LENGTH!)" for n below 1, past the end, or
// no file.
std::string readTxtData(const TTxtFile* file, int32_t n);
std::string readTxtData(const std::shared_ptr<TTxtFile>& file, int32_t n);
