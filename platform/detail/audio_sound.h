#pragma once
// Builds a sound from samples already in memory: tests and generated sounds use it
// in place of an Ogg file.
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/audio.h"
#include "platform/detail/audio_mixer.h"
#include "platform/detail/prefetch.h"

namespace audio_detail {

// `samples` interleaved, `channels` per frame (a trailing partial frame is dropped);
// `flags` as for LoadSound. Null when channels or rate are not positive.
TSound MakeSound(std::vector<int16_t> samples, int channels, int rate, int flags = 0);

// An Ogg Vorbis file's bytes decoded, not looped, with what LoadSound says of the file
// (path names it); safe on any thread.
prefetch_detail::DecodedSound DecodeSound(const std::string& bytes, const std::string& path);

// The decoded samples, interleaved (empty for a null sound and a streamed one).
std::span<const int16_t> SoundSamples(const TSound& s);

// A voice at the start of `s`, as a channel plays it: a streamed sound comes with a decoder
// of its own (opened on its first mix), which must outlive the voice.
struct SoundVoice {
    Voice voice;
    std::shared_ptr<VoiceStream> stream;
};
SoundVoice VoiceOf(const TSound& s);

}  // namespace audio_detail
