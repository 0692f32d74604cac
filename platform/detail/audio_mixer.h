#pragma once
// The software mixer behind platform/audio.h, kept free of SDL so it can be tested alone.
// Everything here runs under the audio lock; nothing allocates.
#include <cstddef>
#include <cstdint>
#include <span>

namespace audio_detail {

// One playing sound as the mixer sees it. The samples belong to the sound, which the
// channel keeps alive while the voice is in use.
struct Voice {
    const int16_t* samples = nullptr;  // interleaved, `channels` per frame
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
// nothing; the others move on and may finish.
void MixVoices(std::span<Voice* const> voices, int16_t* out, int outFrames, int deviceRate);

// Moves a voice on by `frames` frames of its own sound without producing output (the
// silent backends). Wraps looping voices, finishes the others at their end.
void AdvanceVoice(Voice& v, double frames);

// Clamps a volume into 0..1 (anything that is not a number becomes 0).
float ClampVolume(float volume);

}  // namespace audio_detail
