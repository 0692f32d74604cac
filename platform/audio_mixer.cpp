#include "platform/detail/audio_mixer.h"

#include <cmath>

namespace audio_detail {

namespace {

// A voice with nothing to play is finished straight away, looping or not: wrapping an
// empty sound would never end.
bool playable(Voice& v) {
    if (v.finished || v.paused) return false;
    if ((!v.samples && !v.stream) || v.frames <= 0 || v.rate <= 0 || v.channels <= 0) {
        v.finished = true;
        return false;
    }
    return true;
}

// Keeps the position inside the sound; returns false when a one-shot voice has ended.
bool settle(Voice& v) {
    if (v.position < static_cast<double>(v.frames)) return true;
    if (!v.loop) {
        v.finished = true;
        return false;
    }
    v.position = std::fmod(v.position, static_cast<double>(v.frames));
    return true;
}

float sampleAt(const Voice& v, long frame, int channel) {
    if (v.samples) return static_cast<float>(v.samples[frame * v.channels + channel]);
    return static_cast<float>(v.stream->At(frame, channel));
}

}  // namespace

float ClampVolume(float volume) {
    if (!(volume > 0.0f)) return 0.0f;  // also catches NaN
    return volume > 1.0f ? 1.0f : volume;
}

void AdvanceVoice(Voice& v, double frames) {
    if (!playable(v) || !(frames > 0.0)) return;
    v.position += frames;
    settle(v);
}

void MixVoices(std::span<Voice* const> voices, int16_t* out, int outFrames, int deviceRate) {
    if (!out || outFrames <= 0) return;
    for (int f = 0; f < outFrames * 2; ++f) out[f] = 0;
    if (deviceRate <= 0) return;

    // The frames each streamed voice reads in this mix: the interpolation reads one past
    // where it ends, and one more covers the rounding of the steps.
    for (Voice* v : voices) {
        if (!v || !v->stream || v->samples || !playable(*v) || !settle(*v)) continue;
        double span = static_cast<double>(outFrames) * v->rate / deviceRate;
        v->stream->Prepare(static_cast<long>(v->position), static_cast<long>(std::ceil(span)) + 3);
    }

    for (int f = 0; f < outFrames; ++f) {
        float left = 0.0f;
        float right = 0.0f;
        for (Voice* v : voices) {
            if (!v || !playable(*v) || !settle(*v)) continue;
            long i0 = static_cast<long>(v->position);
            float frac = static_cast<float>(v->position - static_cast<double>(i0));
            long i1 = i0 + 1;
            // Past the last frame a loop blends into its start; a one-shot holds its tail.
            if (i1 >= v->frames) i1 = v->loop ? 0 : i0;
            int rightChannel = v->channels >= 2 ? 1 : 0;
            float l0 = sampleAt(*v, i0, 0), l1 = sampleAt(*v, i1, 0);
            float r0 = sampleAt(*v, i0, rightChannel), r1 = sampleAt(*v, i1, rightChannel);
            left += (l0 + (l1 - l0) * frac) * v->volume;
            right += (r0 + (r1 - r0) * frac) * v->volume;
            v->position += static_cast<double>(v->rate) / deviceRate;
            settle(*v);
        }
        auto clip = [](float x) -> int16_t {
            if (x >= 32767.0f) return 32767;
            if (x <= -32768.0f) return -32768;
            return static_cast<int16_t>(std::lrint(x));
        };
        out[f * 2] = clip(left);
        out[f * 2 + 1] = clip(right);
    }
}

}  // namespace audio_detail
