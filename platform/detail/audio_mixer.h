#pragma once
// The software mixer behind platform/audio.h, kept free of SDL so it can be tested alone.
// Everything here runs under the audio lock; nothing allocates.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace audio_detail {

// Frames of a streamed sound decoded as it plays: a ring holding a run of the sound's frames
// in playing order (past the end of a looping sound, from frame 0 again). The decoding
// behind it lives in platform/audio_stream.cpp.
class VoiceStream {
public:
    virtual ~VoiceStream() = default;
    // Before a mix: frames `first` .. `first + count - 1` held where they decode, frames
    // before `first` let go. Bounded work: at most `count` frames decoded (and a seek).
    virtual void Prepare(long first, long count) = 0;

    // The sample of `frame` on `channel`; 0 for a frame not held (damaged data).
    int16_t At(long frame, int channel) const {
        long off = frame - headFrame_;
        if (off < 0 && loop_) off += frames_;
        if (off < 0 || off >= held_) return 0;
        long slot = headSlot_ + off;
        if (slot >= capacity_) slot -= capacity_;
        return ring_[static_cast<size_t>(slot * channels_ + channel)];
    }

protected:
    std::vector<int16_t> ring_;  // capacity_ frames, interleaved
    long capacity_ = 0;
    long headSlot_ = 0;   // ring slot of the oldest frame held
    long headFrame_ = 0;  // the sound's frame there
    long held_ = 0;
    long frames_ = 0;  // the sound's length
    int channels_ = 1;
    bool loop_ = false;
};

// One playing sound as the mixer sees it. The samples (or the stream) belong to the
// channel's sound, which the channel keeps alive while the voice is in use.
struct Voice {
    const int16_t* samples = nullptr;  // interleaved, `channels` per frame
    VoiceStream* stream = nullptr;     // instead of samples: decoded while it plays
    long frames = 0;
    int channels = 1;
    int rate = 44100;
    bool loop = false;
    bool paused = false;
    bool finished = false;  // ran past its end (never set for a looping voice)
    float volume = 1.0f;    // 0..1
    double position = 0.0;  // in frames of the sound
};

// Mixes the voices into `out` (interleaved stereo, `outFrames` frames, overwritten) at
// `deviceRate`: linear resampling from each voice's rate, mono to both sides, extra
// channels beyond two ignored, the sum clipped to 16 bits. Paused and finished voices add
// nothing; the others move on and may finish. Streamed voices decode what this mix needs
// first (the only work here that is not plain arithmetic).
void MixVoices(std::span<Voice* const> voices, int16_t* out, int outFrames, int deviceRate);

// Moves a voice on by `frames` frames of its own sound without producing output (the
// silent backends). Wraps looping voices, finishes the others at their end.
void AdvanceVoice(Voice& v, double frames);

// Clamps a volume into 0..1 (anything that is not a number becomes 0).
float ClampVolume(float volume);

}  // namespace audio_detail
