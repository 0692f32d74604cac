// Sounds and channels on the headless backend: decoding real Ogg Vorbis made at test
// time, and the channel states the game relies on.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <unistd.h>
#include <vorbis/codec.h>
#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <numbers>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/audio.h"
#include "platform/detail/audio_mixer.h"
#include "platform/detail/audio_sound.h"
#include "platform/prefetch.h"

namespace fs = std::filesystem;

namespace {

// The encoder half of libvorbis is not linked into the tests; it comes with libvorbis
// wherever the decoder does, so it is opened at run time.
using EncodeInitVbr = decltype(&vorbis_encode_init_vbr);

EncodeInitVbr encoderEntry() {
    static EncodeInitVbr entry = [] {
        void* lib = dlopen("libvorbisenc.so.2", RTLD_NOW);
        if (!lib) lib = dlopen("libvorbisenc.so", RTLD_NOW);
        return lib ? reinterpret_cast<EncodeInitVbr>(dlsym(lib, "vorbis_encode_init_vbr")) : nullptr;
    }();
    return entry;
}

// An Ogg Vorbis file of `frames` frames: a 440 Hz sine at half scale on the first
// channel, silence on the others. Empty when no encoder is available.
std::string encodeOgg(int channels, int rate, long frames) {
    EncodeInitVbr init = encoderEntry();
    if (!init) return {};
    std::string out;
    auto append = [&out](const ogg_page& page) {
        out.append(reinterpret_cast<const char*>(page.header), page.header_len);
        out.append(reinterpret_cast<const char*>(page.body), page.body_len);
    };

    vorbis_info vi;
    vorbis_info_init(&vi);
    if (init(&vi, channels, rate, 0.4f) != 0) {
        vorbis_info_clear(&vi);
        return {};
    }
    vorbis_comment vc;
    vorbis_comment_init(&vc);
    vorbis_dsp_state vd;
    vorbis_analysis_init(&vd, &vi);
    vorbis_block vb;
    vorbis_block_init(&vd, &vb);
    ogg_stream_state os;
    ogg_stream_init(&os, 0x5a4b);

    ogg_packet header, comments, codebooks;
    vorbis_analysis_headerout(&vd, &vc, &header, &comments, &codebooks);
    ogg_stream_packetin(&os, &header);
    ogg_stream_packetin(&os, &comments);
    ogg_stream_packetin(&os, &codebooks);
    ogg_page page;
    while (ogg_stream_flush(&os, &page)) append(page);

    long done = 0;
    for (;;) {
        long n = std::min<long>(1024, frames - done);
        if (n == 0) {
            vorbis_analysis_wrote(&vd, 0);
        } else {
            float** buffer = vorbis_analysis_buffer(&vd, static_cast<int>(n));
            for (long i = 0; i < n; ++i) {
                buffer[0][i] = 0.5f * static_cast<float>(std::sin(2.0 * std::numbers::pi * 440.0 * (done + i) / rate));
                for (int c = 1; c < channels; ++c) buffer[c][i] = 0.0f;
            }
            vorbis_analysis_wrote(&vd, static_cast<int>(n));
            done += n;
        }
        while (vorbis_analysis_blockout(&vd, &vb) == 1) {
            vorbis_analysis(&vb, nullptr);
            vorbis_bitrate_addblock(&vb);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&vd, &packet)) {
                ogg_stream_packetin(&os, &packet);
                while (ogg_stream_pageout(&os, &page)) append(page);
            }
        }
        if (n == 0) break;
    }
    while (ogg_stream_flush(&os, &page)) append(page);

    ogg_stream_clear(&os);
    vorbis_block_clear(&vb);
    vorbis_dsp_clear(&vd);
    vorbis_comment_clear(&vc);
    vorbis_info_clear(&vi);
    return out;
}

// A sound of `ms` milliseconds at 10 kHz, mono, without going through a file.
TSound toneOf(int ms, int flags = 0) {
    std::vector<int16_t> samples(static_cast<size_t>(ms) * 10, 1000);
    return audio_detail::MakeSound(std::move(samples), 1, 10000, flags);
}

class AudioTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetAudio();
        static int serial = 0;
        dir_ = fs::temp_directory_path() /
               ("zerkon_audio_" + std::to_string(getpid()) + "_" + std::to_string(serial++));
        fs::create_directories(dir_);
    }
    void TearDown() override {
        ResetAudio();
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }

    std::string write(const std::string& name, const std::string& bytes) {
        fs::path p = dir_ / name;
        fs::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << bytes;
        return p.string();
    }

    fs::path dir_;
};

// ---- decoding ---------------------------------------------------------------------------

struct DecodeCase {
    int channels;
    int rate;
    long frames;
};

TEST_F(AudioTest, DecodesOggKeepingLengthLayoutAndSignal) {
    if (!encoderEntry()) GTEST_SKIP() << "libvorbisenc not available to make test files";
    const DecodeCase cases[] = {
        {1, 22050, 11025},
        {2, 44100, 4410},
        {2, 48000, 30000},
        {1, 8000, 700},
    };
    for (const DecodeCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.channels) + " ch, " + std::to_string(c.rate) + " Hz");
        std::string path = write("tone.ogg", encodeOgg(c.channels, c.rate, c.frames));
        for (int flags : {0, int(SOUND_STREAM)}) {
            SCOPED_TRACE(flags == 0 ? "whole" : "streamed");
            TSound s = LoadSound(path, flags);
            ASSERT_TRUE(s);
            EXPECT_EQ(SoundSampleFrames(s), c.frames);
            EXPECT_EQ(SoundChannels(s), c.channels);
            EXPECT_EQ(SoundRate(s), c.rate);
            EXPECT_EQ(audio_detail::SoundSamples(s).size(), flags == 0 ? size_t(c.frames) * c.channels : 0u);
        }
    }
}

// The decoded samples are the tone, on the channel it was written to: a wrong sample
// width, byte order or interleave shows here.
TEST_F(AudioTest, DecodedSamplesCarryTheToneOnItsChannel) {
    if (!encoderEntry()) GTEST_SKIP() << "libvorbisenc not available to make test files";
    TSound s = LoadSound(write("tone.ogg", encodeOgg(2, 44100, 44100)));
    ASSERT_TRUE(s);
    std::span<const int16_t> samples = audio_detail::SoundSamples(s);
    ASSERT_EQ(samples.size(), 44100u * 2);
    int leftPeak = 0, rightPeak = 0, crossings = 0;
    for (size_t f = 0; f < 44100; ++f) {
        leftPeak = std::max(leftPeak, std::abs(int(samples[f * 2])));
        rightPeak = std::max(rightPeak, std::abs(int(samples[f * 2 + 1])));
        if (f > 0 && (samples[f * 2] >= 0) != (samples[(f - 1) * 2] >= 0)) ++crossings;
    }
    EXPECT_NEAR(leftPeak, 16384, 2500);
    EXPECT_LT(rightPeak, leftPeak / 4);
    EXPECT_NEAR(crossings, 880, 20) << "a 440 Hz tone crosses zero twice a cycle";
}

TEST_F(AudioTest, LoopFlagMakesChannelsWrap) {
    if (!encoderEntry()) GTEST_SKIP() << "libvorbisenc not available to make test files";
    std::string path = write("tone.ogg", encodeOgg(1, 22050, 22050));
    TChannel once = PlaySound(LoadSound(path));
    TChannel looped = PlaySound(LoadSound(path, SOUND_LOOP));
    AdvanceAudio(999);
    EXPECT_TRUE(ChannelPlaying(once));
    EXPECT_TRUE(ChannelPlaying(looped));
    AdvanceAudio(5000);
    EXPECT_FALSE(ChannelPlaying(once));
    EXPECT_TRUE(ChannelPlaying(looped));
}

TEST_F(AudioTest, ResolvesNamesWithoutRegardToCase) {
    if (!encoderEntry()) GTEST_SKIP() << "libvorbisenc not available to make test files";
    write("Sfx/Music/Beep.OGG", encodeOgg(1, 22050, 2205));
    TSound s = LoadSound((dir_ / "sfx/music/beep.ogg").string());
    ASSERT_TRUE(s);
    EXPECT_EQ(SoundSampleFrames(s), 2205);
}

TEST_F(AudioTest, UnusableFilesGiveNoSoundAndNeverCrash) {
    std::string good = encoderEntry() ? encodeOgg(1, 22050, 22050) : std::string("OggS");
    struct Bad {
        const char* name;
        std::optional<std::string> bytes;  // nullopt: the file is not written
    };
    const Bad cases[] = {
        {"missing.ogg", std::nullopt},
        {"empty.ogg", std::string()},
        {"text.ogg", std::string("this is not a sound\n")},
        {"capture-only.ogg", std::string("OggS\0\0\0\0\0\0\0\0\0\0", 14)},
        {"garbage.ogg", std::string(4096, '\x5a')},
        {"cut-in-headers.ogg", good.substr(0, std::min<size_t>(good.size(), 60))},
    };
    for (const Bad& c : cases) {
        std::string path = c.bytes ? write(c.name, *c.bytes) : (dir_ / c.name).string();
        for (int flags : {0, int(SOUND_STREAM), SOUND_STREAM | SOUND_LOOP}) {
            SCOPED_TRACE(std::string(c.name) + " flags " + std::to_string(flags));
            TSound s = LoadSound(path, flags);
            EXPECT_FALSE(s);
            EXPECT_EQ(SoundSampleFrames(s), 0);
            EXPECT_FALSE(ChannelPlaying(PlaySound(s)));
        }
    }
    fs::create_directories(dir_ / "folder.ogg");
    EXPECT_FALSE(LoadSound((dir_ / "folder.ogg").string()));
    EXPECT_FALSE(LoadSound((dir_ / "folder.ogg").string(), SOUND_STREAM));
}

// A file cut short inside its audio still plays the pages that arrived whole, never
// more. Pages hold a few seconds of this tone, so the sound must be long.
TEST_F(AudioTest, TruncatedAudioKeepsWhatDecoded) {
    if (!encoderEntry()) GTEST_SKIP() << "libvorbisenc not available to make test files";
    const long frames = 8000L * 40;
    std::string whole = encodeOgg(1, 8000, frames);
    TSound s = LoadSound(write("cut.ogg", whole.substr(0, whole.size() / 2)));
    ASSERT_TRUE(s);
    EXPECT_GT(SoundSampleFrames(s), frames / 5);
    EXPECT_LT(SoundSampleFrames(s), frames);
}

// ---- channel states ----------------------------------------------------------------------

enum class Op { Cue, Play, PlayLooped, Pause, Resume, Stop, Advance };

struct Step {
    Op op;
    int ms = 0;
};

struct StateCase {
    const char* name;
    std::vector<Step> steps;
    bool playing;
};

TEST_F(AudioTest, ChannelStatesFollowTheOperations) {
    // Every sound here lasts 100 ms.
    const StateCase cases[] = {
        {"cued is paused", {{Op::Cue}}, false},
        {"cued then resumed", {{Op::Cue}, {Op::Resume}}, true},
        {"played", {{Op::Play}}, true},
        {"paused", {{Op::Play}, {Op::Pause}}, false},
        {"paused then resumed", {{Op::Play}, {Op::Pause}, {Op::Resume}}, true},
        {"stopped", {{Op::Play}, {Op::Stop}}, false},
        {"stopped then resumed stays silent", {{Op::Play}, {Op::Stop}, {Op::Resume}}, false},
        {"paused then stopped then resumed", {{Op::Play}, {Op::Pause}, {Op::Stop}, {Op::Resume}}, false},
        {"just before its end", {{Op::Play}, {Op::Advance, 99}}, true},
        {"at its end", {{Op::Play}, {Op::Advance, 100}}, false},
        {"frame by frame: six frames in", {{Op::Play}, {Op::Advance, 16}, {Op::Advance, 16}, {Op::Advance, 16},
                                            {Op::Advance, 16}, {Op::Advance, 16}, {Op::Advance, 16}}, true},
        {"frame by frame: seven frames in", {{Op::Play}, {Op::Advance, 16}, {Op::Advance, 16}, {Op::Advance, 16},
                                              {Op::Advance, 16}, {Op::Advance, 16}, {Op::Advance, 16},
                                              {Op::Advance, 16}}, false},
        {"finished then resumed stays silent", {{Op::Play}, {Op::Advance, 150}, {Op::Resume}}, false},
        {"time does not run while cued", {{Op::Cue}, {Op::Advance, 500}, {Op::Resume}}, true},
        {"time does not run while paused",
         {{Op::Play}, {Op::Advance, 60}, {Op::Pause}, {Op::Advance, 500}, {Op::Resume}, {Op::Advance, 39}}, true},
        {"paused time resumes where it was",
         {{Op::Play}, {Op::Advance, 60}, {Op::Pause}, {Op::Advance, 500}, {Op::Resume}, {Op::Advance, 40}}, false},
        {"looped keeps playing", {{Op::PlayLooped}, {Op::Advance, 350}}, true},
        {"looped keeps playing over many wraps", {{Op::PlayLooped}, {Op::Advance, 100}, {Op::Advance, 100000}}, true},
        {"looped stops when told", {{Op::PlayLooped}, {Op::Advance, 350}, {Op::Stop}}, false},
        {"a stopped channel can play again", {{Op::Play}, {Op::Stop}, {Op::Play}}, true},
        {"a finished channel can play again", {{Op::Play}, {Op::Advance, 200}, {Op::Play}}, true},
        {"playing again starts from the beginning", {{Op::Play}, {Op::Advance, 90}, {Op::Play}, {Op::Advance, 90}}, true},
    };
    // Whole in memory, and streamed from a file: the same states, decoding or not.
    std::vector<std::pair<TSound, TSound>> sounds = {{toneOf(100), toneOf(100, SOUND_LOOP)}};
    if (encoderEntry()) {
        std::string path = write("tenth.ogg", encodeOgg(1, 8000, 800));
        sounds.emplace_back(LoadSound(path, SOUND_STREAM), LoadSound(path, SOUND_STREAM | SOUND_LOOP));
        ASSERT_TRUE(sounds.back().first && sounds.back().second);
    }
    for (const auto& [once, looped] : sounds) {
        for (const StateCase& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (audio_detail::SoundSamples(once).empty() ? " (streamed)" : ""));
            TChannel ch = AllocChannel();
            EXPECT_FALSE(ChannelPlaying(ch)) << "a new channel plays nothing";
            for (const Step& s : c.steps) {
                switch (s.op) {
                    case Op::Cue: EXPECT_EQ(CueSound(once, ch), ch); break;
                    case Op::Play: EXPECT_EQ(PlaySound(once, ch), ch); break;
                    case Op::PlayLooped: EXPECT_EQ(PlaySound(looped, ch), ch); break;
                    case Op::Pause: PauseChannel(ch); break;
                    case Op::Resume: ResumeChannel(ch); break;
                    case Op::Stop: StopChannel(ch); break;
                    case Op::Advance: AdvanceAudio(s.ms); break;
                }
            }
            EXPECT_EQ(ChannelPlaying(ch), c.playing);
            StopChannel(ch);
        }
    }
}

// Starts without a channel give a new channel every time, so one effect started twice
// sounds twice, each copy with its own state.
TEST_F(AudioTest, StartsWithoutAChannelOverlap) {
    TSound s = toneOf(100);
    TChannel first = CueSound(s);
    ResumeChannel(first);
    AdvanceAudio(60);
    TChannel second = PlaySound(s);
    ASSERT_TRUE(first);
    ASSERT_TRUE(second);
    EXPECT_NE(first, second);
    AdvanceAudio(50);
    EXPECT_FALSE(ChannelPlaying(first));
    EXPECT_TRUE(ChannelPlaying(second));
    PauseChannel(second);
    EXPECT_FALSE(ChannelPlaying(second));
}

// A channel given to PlaySound drops what it played: a looping sound replaced by a
// short one ends with the short one.
TEST_F(AudioTest, PlayingOnABusyChannelReplacesItsSound) {
    TChannel ch = PlaySound(toneOf(100, SOUND_LOOP));
    AdvanceAudio(250);
    ASSERT_TRUE(ChannelPlaying(ch));
    EXPECT_EQ(PlaySound(toneOf(30), ch), ch);
    AdvanceAudio(29);
    EXPECT_TRUE(ChannelPlaying(ch));
    AdvanceAudio(1);
    EXPECT_FALSE(ChannelPlaying(ch));
    AdvanceAudio(1000);
    EXPECT_FALSE(ChannelPlaying(ch));
}

// A channel the game lets go of plays on to its end (effects are fire and forget);
// ResetAudio silences everything, also channels still held.
TEST_F(AudioTest, ResetSilencesEveryChannel) {
    TChannel held = PlaySound(toneOf(100, SOUND_LOOP));
    PlaySound(toneOf(100, SOUND_LOOP));  // let go at once
    ResetAudio();
    EXPECT_FALSE(ChannelPlaying(held));
    ResumeChannel(held);
    EXPECT_FALSE(ChannelPlaying(held));
}

TEST_F(AudioTest, VolumeIsClampedAndKeptByTheChannel) {
    struct VolumeCase {
        float given;
        float kept;
    };
    const VolumeCase cases[] = {
        {0.5f, 0.5f}, {0.0f, 0.0f}, {1.0f, 1.0f}, {1.7f, 1.0f}, {250.0f, 1.0f}, {-0.3f, 0.0f},
        {std::numeric_limits<float>::quiet_NaN(), 0.0f},
        {std::numeric_limits<float>::infinity(), 1.0f},
    };
    TSound s = toneOf(100);
    for (const VolumeCase& c : cases) {
        SCOPED_TRACE(c.given);
        TChannel ch = CueSound(s);
        EXPECT_FLOAT_EQ(ChannelVolume(ch), 1.0f) << "a new channel starts at full volume";
        SetChannelVolume(ch, c.given);
        EXPECT_FLOAT_EQ(ChannelVolume(ch), c.kept);
        ResumeChannel(ch);
        EXPECT_TRUE(ChannelPlaying(ch)) << "volume 0 is silent, not stopped";
        PlaySound(s, ch);
        EXPECT_FLOAT_EQ(ChannelVolume(ch), c.kept) << "a channel keeps its volume for its next sound";
        StopChannel(ch);
    }
}

TEST_F(AudioTest, NullSoundsAndChannelsAreHarmless) {
    TSound none;
    TChannel nobody;
    EXPECT_FALSE(PlaySound(none));
    EXPECT_FALSE(CueSound(none));
    TChannel ch = AllocChannel();
    EXPECT_FALSE(PlaySound(none, ch));
    EXPECT_FALSE(ChannelPlaying(ch));
    PauseChannel(nobody);
    ResumeChannel(nobody);
    StopChannel(nobody);
    SetChannelVolume(nobody, 0.5f);
    EXPECT_FALSE(ChannelPlaying(nobody));
    EXPECT_FLOAT_EQ(ChannelVolume(nobody), 0.0f);
    EXPECT_EQ(SoundSampleFrames(none), 0);
    EXPECT_EQ(SoundChannels(none), 0);
    EXPECT_EQ(SoundRate(none), 0);
    AdvanceAudio(0);
    AdvanceAudio(-16);
}

// An empty sound cannot loop forever: it ends at once, looped or not.
TEST_F(AudioTest, EmptySoundEndsAtOnce) {
    for (int flags : {0, int(SOUND_LOOP)}) {
        SCOPED_TRACE(flags);
        TSound empty = audio_detail::MakeSound({}, 1, 22050, flags);
        ASSERT_TRUE(empty);
        TChannel ch = PlaySound(empty);
        AdvanceAudio(16);
        EXPECT_FALSE(ChannelPlaying(ch));
    }
    EXPECT_FALSE(audio_detail::MakeSound({1, 2}, 0, 22050));
    EXPECT_FALSE(audio_detail::MakeSound({1, 2}, 1, 0));
}

TEST_F(AudioTest, HeadlessOpensNoDevice) {
    PlaySound(toneOf(100));
    EXPECT_FALSE(AudioDeviceOpen());
}

// ---- streamed sounds ---------------------------------------------------------------------

// What the mixer is given, step by step, for every voice of one sound alike.
struct MixStep {
    enum Kind { Mix, Pause, Resume, Skip } kind;
    long amount = 0;  // Mix: device frames; Skip: the voice's own frames, moved without output
    int voice = 0;
};

struct MixRun {
    std::vector<int16_t> out;
    std::vector<audio_detail::Voice> ends;  // each voice as it was left
};

// Voices of `s` (one a channel) through `steps`, mixed in pieces of `piece` device frames.
MixRun runVoices(const TSound& s, int voices, const std::vector<MixStep>& steps, int device, int piece) {
    std::vector<audio_detail::SoundVoice> held;
    for (int i = 0; i < voices; ++i) held.push_back(audio_detail::VoiceOf(s));
    std::vector<audio_detail::Voice*> list;
    for (auto& h : held) list.push_back(&h.voice);
    MixRun run;
    for (const MixStep& step : steps) {
        audio_detail::Voice& v = held[size_t(step.voice)].voice;
        switch (step.kind) {
            case MixStep::Pause: v.paused = true; break;
            case MixStep::Resume: v.paused = false; break;
            case MixStep::Skip: audio_detail::AdvanceVoice(v, double(step.amount) + 0.5); break;
            case MixStep::Mix:
                for (long done = 0; done < step.amount;) {
                    int n = int(std::min<long>(piece, step.amount - done));
                    size_t at = run.out.size();
                    run.out.resize(at + size_t(n) * 2);
                    audio_detail::MixVoices(list, run.out.data() + at, n, device);
                    done += n;
                }
                break;
        }
    }
    for (auto& h : held) run.ends.push_back(h.voice);
    return run;
}

// The first output frame where two mixes part, or -1.
long firstDifference(const std::vector<int16_t>& a, const std::vector<int16_t>& b) {
    if (a.size() != b.size()) return -2;
    auto [ia, ib] = std::mismatch(a.begin(), a.end(), b.begin());
    return ia == a.end() ? -1 : long(ia - a.begin()) / 2;
}

struct StreamMixCase {
    const char* name;
    int channels, rate;
    long frames;
    bool loop;
    int device, piece, voices;
    std::vector<MixStep> steps;
};

// A streamed sound mixes to the very samples of the same file decoded whole: across ring
// refills, loop points (with the blend from the last frame into the first), pauses, rates
// and piece sizes, and with two channels of one sound each going its own way.
TEST_F(AudioTest, StreamedMixEqualsTheWholeDecodedMix) {
    if (!encoderEntry()) GTEST_SKIP() << "libvorbisenc not available to make test files";
    using S = MixStep;
    const StreamMixCase cases[] = {
        {"one-shot to its end and past", 1, 22050, 10000, false, 44100, 1024, 1, {{S::Mix, 22000}}},
        {"looped over several loop points and refills", 1, 22050, 10000, true, 44100, 1024, 1, {{S::Mix, 110000}}},
        {"odd rate ratio in uneven pieces", 1, 22050, 9001, true, 48000, 333, 1, {{S::Mix, 90000}}},
        {"pieces larger than the ring", 1, 22050, 30000, true, 44100, 16384, 1, {{S::Mix, 150000}}},
        {"a loop shorter than one mix", 1, 8000, 300, true, 44100, 1024, 1, {{S::Mix, 20000}}},
        {"stereo looped", 2, 44100, 7000, true, 44100, 1024, 1, {{S::Mix, 40000}}},
        {"stereo one-shot resampled down", 2, 48000, 7000, false, 22050, 512, 1, {{S::Mix, 5000}}},
        {"paused and resumed", 1, 22050, 10000, true, 44100, 1024, 1,
         {{S::Mix, 5000}, {S::Pause}, {S::Mix, 3000}, {S::Resume}, {S::Mix, 30000}}},
        {"two channels, the second started later, paused apart", 1, 22050, 10000, true, 44100, 1024, 2,
         {{S::Pause, 0, 1}, {S::Mix, 7000}, {S::Resume, 0, 1}, {S::Mix, 4000}, {S::Pause, 0, 0}, {S::Mix, 3000},
          {S::Resume, 0, 0}, {S::Mix, 50000}}},
        {"two one-shots, one ending first", 1, 22050, 10000, false, 44100, 1024, 2,
         {{S::Pause, 0, 1}, {S::Mix, 9000}, {S::Resume, 0, 1}, {S::Mix, 25000}}},
        {"moved on without a mix, then mixed", 1, 22050, 10000, true, 44100, 1024, 1,
         {{S::Mix, 3000}, {S::Skip, 6500}, {S::Mix, 30000}}},
    };
    for (const StreamMixCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::string path = write("mix.ogg", encodeOgg(c.channels, c.rate, c.frames));
        const int loop = c.loop ? SOUND_LOOP : 0;
        TSound whole = LoadSound(path, loop);
        TSound streamed = LoadSound(path, loop | SOUND_STREAM);
        ASSERT_TRUE(whole && streamed);
        ASSERT_TRUE(audio_detail::SoundSamples(streamed).empty());
        MixRun want = runVoices(whole, c.voices, c.steps, c.device, c.piece);
        MixRun got = runVoices(streamed, c.voices, c.steps, c.device, c.piece);
        EXPECT_EQ(firstDifference(got.out, want.out), -1) << "output frame where the mixes part";
        for (int i = 0; i < c.voices; ++i) {
            EXPECT_EQ(got.ends[size_t(i)].finished, want.ends[size_t(i)].finished) << "voice " << i;
            EXPECT_DOUBLE_EQ(got.ends[size_t(i)].position, want.ends[size_t(i)].position) << "voice " << i;
        }
        bool sounded = std::any_of(want.out.begin(), want.out.end(), [](int16_t v) { return v != 0; });
        EXPECT_TRUE(sounded) << "the tone is heard, so equal mixes mean something";
    }
}

// Damaged data in the middle of a stream: what decodes before it plays as it would, then
// silence; a one-shot still ends on time and a loop plays its start again next round.
// Nothing crashes or hangs, however the bytes are spoiled.
TEST_F(AudioTest, DamagedStreamGoesQuietAndNeverHangs) {
    if (!encoderEntry()) GTEST_SKIP() << "libvorbisenc not available to make test files";
    // Pages hold a few seconds of this tone at 8000 Hz, so the sound must be long. At a
    // device rate equal to the sound's, output frame f is the sound's frame f.
    const long frames = 8000L * 40;
    const std::string clean = encodeOgg(1, 8000, frames);
    const size_t n = clean.size();
    struct Damage {
        const char* name;
        size_t from, to;  // bytes overwritten
        char with;
        bool middle;  // damage well inside: the first quarter and the last page are whole
    };
    const Damage cases[] = {
        {"noise over the middle", n * 45 / 100, n * 55 / 100, '\x5a', true},
        {"zeros over the middle", n * 45 / 100, n * 55 / 100, '\0', true},
        {"a few bytes in the middle", n / 2, n / 2 + 8, '\x7f', true},
        {"noise over the second half", n / 2, n, '\x33', false},
        {"noise over the last bytes", n - 40, n, '\x01', false},
        {"noise from just after the headers", 4200, n / 3, '\x5a', false},
    };
    TSound reference = LoadSound(write("clean.ogg", clean));
    ASSERT_TRUE(reference);
    MixRun cleanMix = runVoices(reference, 1, {{MixStep::Mix, frames / 4}}, 8000, 1024);
    for (const Damage& c : cases) {
        std::string bytes = clean;
        std::fill(bytes.begin() + long(c.from), bytes.begin() + long(c.to), c.with);
        std::string path = write("damaged.ogg", bytes);
        for (int loop : {0, int(SOUND_LOOP)}) {
            SCOPED_TRACE(std::string(c.name) + (loop ? ", looped" : ", one-shot"));
            TSound s = LoadSound(path, loop | SOUND_STREAM);
            if (!s) continue;  // damage the headers show: refused at load, as decoded whole
            const long length = SoundSampleFrames(s);
            ASSERT_GT(length, 0);
            MixRun run = runVoices(s, 1, {{MixStep::Mix, length * 2 + 5000}}, 8000, 1024);
            EXPECT_EQ(run.ends[0].finished, loop == 0) << "a one-shot ends, a loop goes on";
            if (!c.middle) continue;
            EXPECT_EQ(length, frames) << "the last page is whole, so the length is known";
            std::vector<int16_t> head(run.out.begin(), run.out.begin() + frames / 2);
            std::vector<int16_t> want(cleanMix.out.begin(), cleanMix.out.begin() + frames / 2);
            EXPECT_EQ(firstDifference(head, want), -1) << "before the damage it plays as the clean file";
            // The round's last second is past the damage, whose silence lasts to the end.
            for (long f = frames - 8000; f < frames; ++f) ASSERT_EQ(run.out[size_t(f) * 2], 0) << "frame " << f;
            if (loop) {
                std::vector<int16_t> again(run.out.begin() + frames * 2, run.out.begin() + frames * 2 + frames / 2);
                EXPECT_EQ(firstDifference(again, want), -1) << "the next round starts over";
            } else {
                for (size_t f = size_t(frames) * 2; f < run.out.size(); ++f) ASSERT_EQ(run.out[f], 0);
            }
        }
    }
}

// Streamed music at the channel level, without a device: nothing is decoded and the
// position keeps time as for any sound; two channels of one track are apart.
TEST_F(AudioTest, StreamedChannelsKeepTimeApartWithoutDecoding) {
    if (!encoderEntry()) GTEST_SKIP() << "libvorbisenc not available to make test files";
    std::string path = write("track.ogg", encodeOgg(1, 22050, 22050));  // one second
    TSound once = LoadSound(path, SOUND_STREAM);
    TSound looped = LoadSound(path, SOUND_STREAM | SOUND_LOOP);
    ASSERT_TRUE(once && looped);
    TChannel a = PlaySound(once);
    AdvanceAudio(600);
    TChannel b = PlaySound(once);
    TChannel c = PlaySound(looped);
    AdvanceAudio(399);
    EXPECT_TRUE(ChannelPlaying(a));
    AdvanceAudio(1);
    EXPECT_FALSE(ChannelPlaying(a));
    EXPECT_TRUE(ChannelPlaying(b)) << "started later, it ends later";
    PauseChannel(b);
    AdvanceAudio(5000);
    ResumeChannel(b);
    AdvanceAudio(599);
    EXPECT_TRUE(ChannelPlaying(b));
    AdvanceAudio(1);
    EXPECT_FALSE(ChannelPlaying(b));
    EXPECT_TRUE(ChannelPlaying(c));
    // A restart from the top on the same channel.
    EXPECT_EQ(PlaySound(once, a), a);
    AdvanceAudio(999);
    EXPECT_TRUE(ChannelPlaying(a));
    StopChannel(c);
    EXPECT_FALSE(ChannelPlaying(c));
}

// A streamed sound lets its file's bytes go only while nothing plays it, and played again
// it reads them back and mixes the very same samples; its file gone meanwhile, it is silent
// (said once) and never crashes.
TEST_F(AudioTest, StreamedSoundsLetTheirBytesGoWhileIdle) {
    if (!encoderEntry()) GTEST_SKIP() << "libvorbisenc not available to make test files";
    std::string path = write("idle.ogg", encodeOgg(1, 22050, 10000));
    TSound whole = LoadSound(path, SOUND_LOOP);
    TSound streamed = LoadSound(path, SOUND_LOOP | SOUND_STREAM);
    ASSERT_TRUE(whole && streamed);
    const std::vector<MixStep> steps = {{MixStep::Mix, 30000}};
    MixRun want = runVoices(whole, 1, steps, 44100, 1024);

    {
        audio_detail::SoundVoice playing = audio_detail::VoiceOf(streamed);
        ReleaseIdleSoundData();
        EXPECT_TRUE(SoundDataHeld(streamed)) << "a channel's decoder still reads them";
    }
    ReleaseIdleSoundData();
    EXPECT_FALSE(SoundDataHeld(streamed));
    EXPECT_TRUE(SoundDataHeld(whole)) << "decoded sounds keep their samples";
    MixRun got = runVoices(streamed, 1, steps, 44100, 1024);
    EXPECT_EQ(firstDifference(got.out, want.out), -1) << "output frame where the mixes part";
    EXPECT_TRUE(SoundDataHeld(streamed));

    // Played on a channel too: the channel keeps time as before.
    ReleaseIdleSoundData();
    TChannel c = PlaySound(streamed);
    EXPECT_TRUE(ChannelPlaying(c));
    StopChannel(c);

    ReleaseIdleSoundData();
    fs::remove(path);
    got = runVoices(streamed, 1, steps, 44100, 1024);
    EXPECT_TRUE(std::all_of(got.out.begin(), got.out.end(), [](int16_t v) { return v == 0; }));
    EXPECT_TRUE(got.ends[0].finished);
    TChannel silent = PlaySound(streamed);
    AdvanceAudio(1);
    EXPECT_FALSE(ChannelPlaying(silent)) << "nothing to play ends at once";
}

// The start-up worker never decodes a streamed sound whole: what it made of one on its
// list is dropped when the sound is loaded streamed, and the sound keeps only its file.
TEST_F(AudioTest, StreamedLoadsDropWhatTheWorkerDecoded) {
    if (!encoderEntry()) GTEST_SKIP() << "libvorbisenc not available to make test files";
    std::string path = write("music.ogg", encodeOgg(1, 22050, 44100));
    StartPrefetchOf({path}, 64u << 20);
    for (int i = 0; i < 2000 && PrefetchHeldBytes() == 0; ++i) usleep(1000);
    EXPECT_EQ(PrefetchHeldBytes(), 44100u * 2);
    TSound s = LoadSound(path, SOUND_STREAM | SOUND_LOOP);
    EXPECT_EQ(PrefetchHeldBytes(), 0u);
    StopPrefetch();
    ASSERT_TRUE(s);
    EXPECT_TRUE(audio_detail::SoundSamples(s).empty());
    EXPECT_EQ(SoundSampleFrames(s), 44100);
}

}  // namespace
