// The fuzz targets link the reader without the window layer: console notices and message
// boxes go nowhere, so the run log shows only the fuzzer's own lines.
#include <string>

#include "platform/system.h"

void Print(const std::string&) {}
void Notify(const std::string&, bool) {}
