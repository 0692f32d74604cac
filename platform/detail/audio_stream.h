#pragma once
// Ogg Vorbis read from memory, and the streamed sounds built on it: such a sound keeps only
// its file's bytes, and every channel playing it decodes them with a decoder of its own into
// a small ring, a little ahead of the mix. Nothing here knows about SDL.
#include <vorbis/vorbisfile.h>

#include <cstddef>
#include <memory>
#include <string>

#include "platform/detail/audio_mixer.h"

namespace audio_detail {

// A file's bytes as vorbisfile reads them (ov_open_callbacks with MemoryCallbacks()).
struct MemoryFile {
    const std::string* data;
    size_t pos;
};
ov_callbacks MemoryCallbacks();

// The layout of a file that can be streamed, read from its headers and last page (nothing
// decoded). ok is false when it cannot be (not Ogg Vorbis, an unusable layout, links that
// change it, no length): such a file is decoded whole, which says what is wrong with it.
struct StreamLayout {
    bool ok = false;
    long frames = 0;
    int channels = 0;
    int rate = 0;
};
StreamLayout ProbeStream(const std::string& bytes);

// One channel's decoder, opened on its first Prepare (a channel's start makes that call, off
// the mix). Data that stops decoding gives silence to the end of the sound; a looping sound
// tries again from its start on its next round.
class StreamDecoder final : public VoiceStream {
public:
    StreamDecoder(std::shared_ptr<const std::string> bytes, const StreamLayout& layout, bool loop);
    ~StreamDecoder() override;
    StreamDecoder(const StreamDecoder&) = delete;
    StreamDecoder& operator=(const StreamDecoder&) = delete;

    void Prepare(long first, long count) override;

private:
    void Open();
    void decodeMore(long wanted);
    bool seek(long frame);
    void grow(long frames);

    std::shared_ptr<const std::string> bytes_;
    MemoryFile mem_;
    OggVorbis_File vf_;
    int rate_ = 0;
    bool opened_ = false;
    bool broken_ = false;   // the decoder cannot go on: silence until the next round
    long decodeAt_ = 0;     // the sound's frame the decoder gives next (frames_ at the end)
    long lastFirst_ = 0;    // where the previous mix began, to see a loop come round
};

}  // namespace audio_detail
