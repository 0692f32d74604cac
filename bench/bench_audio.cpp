// The audio device callback's work: one mix of 1024 frames at 44100 Hz (23 ms of sound)
// of the built tree's music, decoded whole or streamed (each mix decodes the 515 frames it
// reads). One track, then two (a cross-fade), and the mix at the loop point. Measured,
// never asserted.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "platform/audio.h"
#include "platform/detail/audio_mixer.h"
#include "platform/detail/audio_sound.h"

namespace {

void mixMusic(benchmark::State& state, int flags, int voices) {
    const std::string path = std::string(ZERKON_BINARY_DIR) + "/assets/sfx/music/title.ogg";
    TSound track = LoadSound(path, SOUND_LOOP | flags);
    if (!track) {
        state.SkipWithError("no built tree");
        return;
    }
    std::vector<audio_detail::SoundVoice> held;
    std::vector<audio_detail::Voice*> list;
    for (int i = 0; i < voices; ++i) held.push_back(audio_detail::VoiceOf(track));
    for (auto& h : held) list.push_back(&h.voice);
    // The second voice a few seconds behind the first, as a cross-fade has it.
    if (voices > 1) audio_detail::AdvanceVoice(held[1].voice, 3.0 * SoundRate(track));
    std::vector<int16_t> out(1024 * 2);
    for (auto _ : state) {
        audio_detail::MixVoices(list, out.data(), 1024, 44100);
        benchmark::DoNotOptimize(out.data());
    }
}

// Every mix across the loop point, where the decoder goes back to the track's start: the
// position is set back before each, so each also seeks to where it begins (an upper bound).
void BM_MixMusicStreamedAtTheLoopPoint(benchmark::State& state) {
    const std::string path = std::string(ZERKON_BINARY_DIR) + "/assets/sfx/music/title.ogg";
    TSound track = LoadSound(path, SOUND_LOOP | SOUND_STREAM);
    if (!track) {
        state.SkipWithError("no built tree");
        return;
    }
    audio_detail::SoundVoice v = audio_detail::VoiceOf(track);
    audio_detail::Voice* list[] = {&v.voice};
    std::vector<int16_t> out(1024 * 2);
    for (auto _ : state) {
        v.voice.position = double(SoundSampleFrames(track) - 256);
        audio_detail::MixVoices(list, out.data(), 1024, 44100);
        benchmark::DoNotOptimize(out.data());
    }
}

void BM_MixMusicWhole(benchmark::State& state) { mixMusic(state, 0, int(state.range(0))); }
void BM_MixMusicStreamed(benchmark::State& state) { mixMusic(state, SOUND_STREAM, int(state.range(0))); }

BENCHMARK(BM_MixMusicWhole)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MixMusicStreamed)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MixMusicStreamedAtTheLoopPoint)->Unit(benchmark::kMicrosecond);

}  // namespace
