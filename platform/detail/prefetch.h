#pragma once
// What the start-up's decoding worker (platform/prefetch.h) hands to LoadPixmap and
// LoadSound. Nothing outside platform/ includes this.
#include <memory>
#include <string>

#include "platform/audio.h"
#include "platform/graphics.h"

namespace prefetch_detail {

struct DecodedImage {
    bool ok = false;
    Pixmap pixels;
    bool alpha = false;
    std::string error;  // why the bytes did not decode
};

struct DecodedSound {
    TSound sound;         // null when it did not decode
    std::string message;  // what LoadSound says about the file, or empty
};

// The worker's result for path, taken off its list (waiting while the worker decodes it).
// Null when path is not on the list, when the worker has not begun it (the caller does it,
// the worker never will) or could not read it: the caller then reads it itself, reporting
// as it always does. While recording, notes path.
std::shared_ptr<DecodedImage> TakeImage(const std::string& path);
std::shared_ptr<DecodedSound> TakeSound(const std::string& path);
// A sound loaded without the worker's decoding (streamed): the worker skips it, or drops
// what it made of it. Not recorded.
void SkipSound(const std::string& path);

}  // namespace prefetch_detail
