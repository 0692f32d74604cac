// The software mixer on its own: summing, volume, clipping, channel layout, resampling.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "platform/detail/audio_mixer.h"

using audio_detail::AdvanceVoice;
using audio_detail::MixVoices;
using audio_detail::Voice;

namespace {

// Sample data outlives the voice that points into it.
struct TestVoice {
    std::vector<int16_t> data;
    Voice voice;

    TestVoice(std::vector<int16_t> samples, int channels, int rate, float volume = 1.0f, bool loop = false)
        : data(std::move(samples)) {
        voice.samples = data.data();
        voice.channels = channels;
        voice.frames = static_cast<long>(data.size()) / channels;
        voice.rate = rate;
        voice.volume = volume;
        voice.loop = loop;
    }
};

std::vector<int16_t> mix(std::vector<Voice*> voices, int frames, int deviceRate = 44100) {
    std::vector<int16_t> out(static_cast<size_t>(frames) * 2, 12345);  // stale data must go
    MixVoices(voices, out.data(), frames, deviceRate);
    return out;
}

TEST(AudioMixer, SumsVoicesWithTheirVolumes) {
    TestVoice a(std::vector<int16_t>(8, 1000), 1, 44100, 1.0f);
    TestVoice b(std::vector<int16_t>(8, 2000), 1, 44100, 0.5f);
    TestVoice quiet(std::vector<int16_t>(8, 9000), 1, 44100, 0.0f);
    std::vector<int16_t> out = mix({&a.voice, &b.voice, &quiet.voice}, 4);
    for (int16_t v : out) EXPECT_EQ(v, 2000);
    EXPECT_FALSE(quiet.voice.finished) << "volume 0 still plays";
    EXPECT_DOUBLE_EQ(quiet.voice.position, 4.0);
}

TEST(AudioMixer, ClipsTheSumToSixteenBits) {
    struct ClipCase {
        int16_t each;
        int16_t expected;
    };
    const ClipCase cases[] = {{30000, 32767}, {-30000, -32768}, {16000, 32000}, {-16384, -32768}};
    for (const ClipCase& c : cases) {
        SCOPED_TRACE(c.each);
        TestVoice a(std::vector<int16_t>(4, c.each), 1, 44100);
        TestVoice b(std::vector<int16_t>(4, c.each), 1, 44100);
        std::vector<int16_t> out = mix({&a.voice, &b.voice}, 2);
        for (int16_t v : out) EXPECT_EQ(v, c.expected);
    }
}

TEST(AudioMixer, PlacesSourceChannelsOnTheTwoSides) {
    struct LayoutCase {
        const char* name;
        int channels;
        std::vector<int16_t> frame;  // one source frame
        int16_t left, right;
    };
    const LayoutCase cases[] = {
        {"mono on both sides", 1, {700}, 700, 700},
        {"stereo kept apart", 2, {700, -300}, 700, -300},
        {"surround: first two only", 4, {700, -300, 5000, 5000}, 700, -300},
    };
    for (const LayoutCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<int16_t> data;
        for (int i = 0; i < 3; ++i) data.insert(data.end(), c.frame.begin(), c.frame.end());
        TestVoice v(data, c.channels, 44100);
        std::vector<int16_t> out = mix({&v.voice}, 3);
        for (int f = 0; f < 3; ++f) {
            EXPECT_EQ(out[f * 2], c.left);
            EXPECT_EQ(out[f * 2 + 1], c.right);
        }
    }
}

// A sound lasts as long at the device rate as at its own: N frames at rate r fill
// N * device / r output frames, then the voice is finished and the rest is silence.
TEST(AudioMixer, ResamplingKeepsTheDuration) {
    struct RateCase {
        int rate;
        int device;
        long frames;
    };
    const RateCase cases[] = {
        {44100, 44100, 1000}, {22050, 44100, 1000}, {11025, 44100, 300},
        {48000, 44100, 4800}, {8000, 48000, 250}, {96000, 44100, 960},
    };
    for (const RateCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.rate) + " -> " + std::to_string(c.device));
        TestVoice v(std::vector<int16_t>(static_cast<size_t>(c.frames), 1000), 1, c.rate);
        double expected = double(c.frames) * c.device / c.rate;
        int room = static_cast<int>(expected) + 200;
        std::vector<int16_t> out = mix({&v.voice}, room, c.device);
        int sounding = 0;
        for (int f = 0; f < room; ++f) sounding += out[f * 2] != 0;
        EXPECT_NEAR(sounding, expected, 1.0);
        EXPECT_TRUE(v.voice.finished);
        for (int f = sounding; f < room; ++f) ASSERT_EQ(out[f * 2], 0) << "silence after the end, frame " << f;
    }
}

TEST(AudioMixer, InterpolatesBetweenSourceFrames) {
    TestVoice ramp({0, 1000, 2000, 3000}, 1, 22050);
    std::vector<int16_t> out = mix({&ramp.voice}, 6);
    const int16_t expected[] = {0, 500, 1000, 1500, 2000, 2500};
    for (int f = 0; f < 6; ++f) EXPECT_EQ(out[f * 2], expected[f]) << "frame " << f;
}

TEST(AudioMixer, LoopingVoiceWrapsAndNeverFinishes) {
    TestVoice v({1, 2, 3, 4, 5}, 1, 44100, 1.0f, true);
    std::vector<int16_t> out = mix({&v.voice}, 12);
    for (int f = 0; f < 12; ++f) EXPECT_EQ(out[f * 2], f % 5 + 1) << "frame " << f;
    EXPECT_FALSE(v.voice.finished);
    EXPECT_DOUBLE_EQ(v.voice.position, 2.0);
}

TEST(AudioMixer, PausedAndFinishedVoicesAddNothing) {
    TestVoice paused(std::vector<int16_t>(8, 1000), 1, 44100);
    paused.voice.paused = true;
    TestVoice done(std::vector<int16_t>(8, 1000), 1, 44100);
    done.voice.finished = true;
    TestVoice empty({}, 1, 44100, 1.0f, true);
    std::vector<int16_t> out = mix({&paused.voice, &done.voice, &empty.voice, nullptr}, 4);
    for (int16_t v : out) EXPECT_EQ(v, 0);
    EXPECT_DOUBLE_EQ(paused.voice.position, 0.0) << "a paused voice keeps its place";
    EXPECT_TRUE(empty.voice.finished) << "an empty loop ends instead of spinning";
}

TEST(AudioMixer, AdvanceWithoutOutputMatchesPlayback) {
    struct AdvanceCase {
        const char* name;
        bool loop;
        double by;
        bool finished;
        double position;
    };
    const AdvanceCase cases[] = {
        {"inside", false, 40.0, false, 40.0},
        {"to the end", false, 100.0, true, 100.0},
        {"looped past the end", true, 250.0, false, 50.0},
        {"looped exactly once", true, 100.0, false, 0.0},
        {"nothing", false, 0.0, false, 0.0},
        {"backwards is ignored", false, -30.0, false, 0.0},
    };
    for (const AdvanceCase& c : cases) {
        SCOPED_TRACE(c.name);
        TestVoice v(std::vector<int16_t>(100, 1), 1, 44100, 1.0f, c.loop);
        AdvanceVoice(v.voice, c.by);
        EXPECT_EQ(v.voice.finished, c.finished);
        EXPECT_DOUBLE_EQ(v.voice.position, c.position);
    }
    TestVoice paused(std::vector<int16_t>(100, 1), 1, 44100);
    paused.voice.paused = true;
    AdvanceVoice(paused.voice, 500.0);
    EXPECT_FALSE(paused.voice.finished);
    EXPECT_DOUBLE_EQ(paused.voice.position, 0.0);
}

}  // namespace
