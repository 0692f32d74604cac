// Sounds and channels. The game thread changes channel state under one lock; the SDL
// audio callback mixes under the same lock. Without a device (headless, or no sound card)
// channels still move through their states: headless by AdvanceAudio from the flip, the
// deviceless gl backend by the real clock.
#include "platform/audio.h"

#include <SDL.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <bit>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/detail/audio_mixer.h"
#include "platform/detail/audio_sound.h"
#include "platform/detail/audio_stream.h"
#include "platform/detail/prefetch.h"
#include "platform/files.h"
#include "platform/graphics.h"

using audio_detail::Voice;

struct TSoundData {
    std::vector<int16_t> samples;  // interleaved
    std::shared_ptr<const std::string> packed;  // a streamed sound's file instead
    std::string path;  // a streamed sound's file, read again when its bytes went while idle
    long frames = 0;
    int channels = 0;
    int rate = 0;
    bool loop = false;
};

struct TChannelData {
    TSound sound;  // what the channel plays or holds paused; null when idle, stopped or done
    std::shared_ptr<audio_detail::VoiceStream> stream;  // the decoder of a streamed sound
    Voice voice;
    float volume = 1.0f;
};

namespace {

enum class Output { Undecided, Headless, Device, Silent };

struct AudioState {
    std::mutex lock;
    std::vector<TChannel> live;     // channels holding a sound, in start order
    std::vector<Voice*> mixList;    // the callback's scratch; capacity kept ahead of `live`
    Output output = Output::Undecided;
    SDL_AudioDeviceID device = 0;
    int deviceRate = 44100;
    bool subsystemStarted = false;
    bool reportedNoDevice = false;
    std::chrono::steady_clock::time_point silentClock;
};

// Never destroyed: the callback thread may still run while the process exits.
AudioState& state() {
    static AudioState* s = new AudioState;
    return *s;
}

constexpr int kDeviceRate = 44100;
constexpr Uint16 kDeviceBufferFrames = 1024;
// Decoded when a streamed sound starts on a device, so that its first mixes only read.
constexpr long kStreamAheadFrames = 2048;

// What a channel let go of, freed by the caller once it has released the lock.
using Dropped = std::vector<std::shared_ptr<void>>;

bool isLive(const TChannelData& c) { return c.sound && !c.voice.finished; }

void audioCallback(void*, Uint8* stream, int len) {
    AudioState& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    s.mixList.clear();
    for (const TChannel& c : s.live) s.mixList.push_back(&c->voice);
    audio_detail::MixVoices(s.mixList, reinterpret_cast<int16_t*>(stream), len / 4, s.deviceRate);
}

void release(TChannelData& c, Dropped& dropped) {
    if (c.sound) dropped.push_back(std::move(c.sound));
    if (c.stream) dropped.push_back(std::move(c.stream));
    c.sound.reset();
    c.stream.reset();
    c.voice.samples = nullptr;
    c.voice.stream = nullptr;
    c.voice.finished = true;
}

// Lets go of channels that stopped or ran out.
void prune(AudioState& s, Dropped& dropped) {
    auto dead = [&](const TChannel& c) {
        if (isLive(*c)) return false;
        release(*c, dropped);
        return true;
    };
    s.live.erase(std::remove_if(s.live.begin(), s.live.end(), dead), s.live.end());
}

void advanceAll(AudioState& s, double ms) {
    for (const TChannel& c : s.live)
        if (!c->voice.paused) audio_detail::AdvanceVoice(c->voice, ms * c->voice.rate / 1000.0);
}

// Without a device the channels follow the real clock, so sounds still end on time.
void catchUp(AudioState& s) {
    if (s.output != Output::Silent) return;
    auto now = std::chrono::steady_clock::now();
    double ms = std::chrono::duration<double, std::milli>(now - s.silentClock).count();
    s.silentClock = now;
    advanceAll(s, ms);
}

bool openDevice(AudioState& s) {
    auto fail = [&](const char* what) {
        if (!s.reportedNoDevice)
            std::fprintf(stderr, "audio: %s (%s); sounds play silently\n", what, SDL_GetError());
        s.reportedNoDevice = true;
        return false;
    };
    if (!s.subsystemStarted) {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return fail("no audio subsystem");
        s.subsystemStarted = true;
    }
    SDL_AudioSpec want{};
    want.freq = kDeviceRate;
    want.format = AUDIO_S16SYS;
    want.channels = 2;
    want.samples = kDeviceBufferFrames;
    want.callback = audioCallback;
    SDL_AudioSpec have{};
    // SDL converts format and channel count for us; only the rate may differ, and the
    // mixer resamples to whatever the device runs at.
    SDL_AudioDeviceID dev = SDL_OpenAudioDevice(nullptr, 0, &want, &have, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
    if (dev == 0) return fail("no audio output device");
    {
        std::lock_guard<std::mutex> guard(s.lock);
        s.device = dev;
        s.deviceRate = have.freq > 0 ? have.freq : kDeviceRate;
        s.mixList.reserve(std::max<size_t>(64, s.live.size() * 2));
    }
    SDL_PauseAudioDevice(dev, 0);
    return true;
}

// Decided on the first sound started, when the backend is known for sure.
void ensureOutput(AudioState& s) {
    if (s.output != Output::Undecided) return;
    if (IsHeadless()) {
        s.output = Output::Headless;
    } else if (openDevice(s)) {
        s.output = Output::Device;
    } else {
        s.output = Output::Silent;
        s.silentClock = std::chrono::steady_clock::now();
    }
}

TChannel start(const TSound& snd, const TChannel& given, bool paused) {
    if (!snd) return nullptr;
    AudioState& s = state();
    ensureOutput(s);
    TChannel c = given ? given : std::make_shared<TChannelData>();
    // Every channel decodes a streamed sound for itself. Without a device nothing is
    // decoded: the position alone moves.
    audio_detail::SoundVoice sv = audio_detail::VoiceOf(snd);
    if (sv.stream && s.output == Output::Device) sv.stream->Prepare(0, kStreamAheadFrames);
    Dropped dropped;
    std::lock_guard<std::mutex> guard(s.lock);
    catchUp(s);
    release(*c, dropped);
    c->sound = snd;
    c->stream = std::move(sv.stream);
    sv.voice.paused = paused;
    sv.voice.volume = c->volume;
    c->voice = sv.voice;
    prune(s, dropped);
    if (std::find(s.live.begin(), s.live.end(), c) == s.live.end()) s.live.push_back(c);
    if (s.mixList.capacity() < s.live.size()) s.mixList.reserve(s.live.size() * 2);
    return c;
}

// ---- decoding -------------------------------------------------------------------------

std::string failedText(const std::string& path, const char* why) {
    return "could not decode " + path + ": " + why;
}

}  // namespace

prefetch_detail::DecodedSound audio_detail::DecodeSound(const std::string& bytes, const std::string& path) {
    prefetch_detail::DecodedSound out;
    audio_detail::MemoryFile mem{&bytes, 0};
    OggVorbis_File vf;
    // On failure vorbisfile clears the handle itself.
    if (ov_open_callbacks(&mem, &vf, nullptr, 0, audio_detail::MemoryCallbacks()) < 0) {
        out.message = failedText(path, "not an Ogg Vorbis stream");
        return out;
    }

    vorbis_info* info = ov_info(&vf, -1);
    if (!info || info->channels < 1 || info->channels > 8 || info->rate < 1 || info->rate > 384000) {
        ov_clear(&vf);
        out.message = failedText(path, "unsupported channel count or rate");
        return out;
    }
    auto sound = std::make_shared<TSoundData>();
    sound->channels = info->channels;
    sound->rate = static_cast<int>(info->rate);

    // A damaged header may claim anything; reserve only what is believable.
    ogg_int64_t total = ov_pcm_total(&vf, -1);
    if (total > 0 && total < (ogg_int64_t(1) << 26))
        sound->samples.reserve(static_cast<size_t>(total) * sound->channels);

    const int bigEndian = std::endian::native == std::endian::big ? 1 : 0;
    char buffer[16384];
    int section = 0;
    bool damaged = false;
    for (;;) {
        long got = ov_read(&vf, buffer, sizeof buffer, bigEndian, 2, 1, &section);
        if (got == 0) break;
        if (got == OV_HOLE) continue;  // a gap in the data; the decoder has moved past it
        if (got < 0) {
            damaged = true;
            break;
        }
        // A chained file that changes its layout cannot be played as one sound.
        vorbis_info* part = ov_info(&vf, section);
        if (!part || part->channels != sound->channels || part->rate != sound->rate) {
            damaged = true;
            break;
        }
        size_t count = static_cast<size_t>(got) / 2;
        size_t at = sound->samples.size();
        sound->samples.resize(at + count);
        std::memcpy(sound->samples.data() + at, buffer, count * 2);
    }
    ov_clear(&vf);

    sound->frames = static_cast<long>(sound->samples.size() / sound->channels);
    sound->samples.resize(static_cast<size_t>(sound->frames) * sound->channels);
    if (damaged) {
        if (sound->frames == 0) {
            out.message = failedText(path, "damaged audio data");
            return out;
        }
        out.message = path + ": damaged audio data, playing the first " + std::to_string(sound->frames) + " frames";
    }
    out.sound = std::move(sound);
    return out;
}

namespace {

// Streamed sounds loaded from files, whose bytes can go while no channel plays them.
std::vector<std::weak_ptr<TSoundData>>& streamedSounds() {
    static std::vector<std::weak_ptr<TSoundData>> sounds;
    return sounds;
}

// A streamed sound keeps its file's bytes; a file that cannot be streamed is decoded whole,
// which says what is wrong with it.
prefetch_detail::DecodedSound streamOrDecode(std::string bytes, const std::string& path) {
    audio_detail::StreamLayout layout = audio_detail::ProbeStream(bytes);
    if (!layout.ok) return audio_detail::DecodeSound(bytes, path);
    prefetch_detail::DecodedSound out;
    auto sound = std::make_shared<TSoundData>();
    sound->frames = layout.frames;
    sound->channels = layout.channels;
    sound->rate = layout.rate;
    sound->packed = std::make_shared<const std::string>(std::move(bytes));
    sound->path = path;
    auto& all = streamedSounds();
    std::erase_if(all, [](const std::weak_ptr<TSoundData>& w) { return w.expired(); });
    all.push_back(sound);
    out.sound = std::move(sound);
    return out;
}

// The bytes of a streamed sound whose bytes went, read again; false (said once a sound)
// when the file is gone or no longer the sound it was.
bool rereadPacked(TSoundData& s) {
    std::optional<std::string> bytes = files::loadBytes(s.path, 0, false);
    if (bytes) {
        audio_detail::StreamLayout layout = audio_detail::ProbeStream(*bytes);
        if (layout.ok && layout.frames == s.frames && layout.channels == s.channels && layout.rate == s.rate) {
            s.packed = std::make_shared<const std::string>(std::move(*bytes));
            return true;
        }
    }
    std::fprintf(stderr, "%s\n", failedText(s.path, "the file changed or went while the game ran").c_str());
    s.path.clear();  // silent from now on, and not read again
    return false;
}

}  // namespace

TSound LoadSound(const std::string& path, int flags) {
    const bool streamed = (flags & SOUND_STREAM) != 0;
    prefetch_detail::DecodedSound decoded;
    // Start-up's worker may have decoded it already; it reports nothing itself. A streamed
    // sound is never decoded whole ahead: the worker drops it if it is on its list.
    std::shared_ptr<prefetch_detail::DecodedSound> ready;
    if (streamed) prefetch_detail::SkipSound(path);
    else ready = prefetch_detail::TakeSound(path);
    if (ready) {
        decoded = std::move(*ready);
    } else {
        std::optional<std::string> bytes = files::loadBytes(path);
        if (!bytes) {
            std::fprintf(stderr, "%s\n", failedText(path, "file not found or unreadable").c_str());
            return nullptr;
        }
        decoded = streamed ? streamOrDecode(std::move(*bytes), path) : audio_detail::DecodeSound(*bytes, path);
    }
    if (!decoded.message.empty()) std::fprintf(stderr, "%s\n", decoded.message.c_str());
    // Decoded for this caller alone, so the flag can be set on it.
    if (decoded.sound) decoded.sound->loop = (flags & SOUND_LOOP) != 0;
    return decoded.sound;
}

TSound audio_detail::MakeSound(std::vector<int16_t> samples, int channels, int rate, int flags) {
    if (channels < 1 || rate < 1) return nullptr;
    auto sound = std::make_shared<TSoundData>();
    sound->channels = channels;
    sound->rate = rate;
    sound->loop = (flags & SOUND_LOOP) != 0;
    sound->frames = static_cast<long>(samples.size() / channels);
    samples.resize(static_cast<size_t>(sound->frames) * channels);
    sound->samples = std::move(samples);
    return sound;
}

std::span<const int16_t> audio_detail::SoundSamples(const TSound& s) {
    if (!s) return {};
    return s->samples;
}

audio_detail::SoundVoice audio_detail::VoiceOf(const TSound& s) {
    SoundVoice out;
    if (!s) return out;
    if (!s->packed && !s->path.empty()) rereadPacked(*s);
    if (s->packed) {
        StreamLayout layout;
        layout.frames = s->frames;
        layout.channels = s->channels;
        layout.rate = s->rate;
        auto stream = std::make_shared<StreamDecoder>(s->packed, layout, s->loop);
        out.voice.stream = stream.get();
        out.stream = std::move(stream);
    } else {
        out.voice.samples = s->samples.data();
    }
    out.voice.frames = s->frames;
    out.voice.channels = s->channels;
    out.voice.rate = s->rate;
    out.voice.loop = s->loop;
    return out;
}

void ReleaseIdleSoundData() {
    for (const std::weak_ptr<TSoundData>& w : streamedSounds())
        if (TSound s = w.lock(); s && s->packed && s->packed.use_count() == 1) s->packed.reset();
}

bool SoundDataHeld(const TSound& s) { return s && (s->packed || !s->samples.empty()); }

long SoundSampleFrames(const TSound& s) { return s ? s->frames : 0; }
int SoundChannels(const TSound& s) { return s ? s->channels : 0; }
int SoundRate(const TSound& s) { return s ? s->rate : 0; }

TChannel AllocChannel() { return std::make_shared<TChannelData>(); }

TChannel PlaySound(const TSound& s, const TChannel& channel) { return start(s, channel, false); }

TChannel CueSound(const TSound& s, const TChannel& channel) { return start(s, channel, true); }

void PauseChannel(const TChannel& c) {
    if (!c) return;
    AudioState& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    catchUp(s);
    if (isLive(*c)) c->voice.paused = true;
}

// A stopped or finished channel stays silent: resuming it does nothing.
void ResumeChannel(const TChannel& c) {
    if (!c) return;
    AudioState& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    catchUp(s);
    if (isLive(*c)) c->voice.paused = false;
}

void StopChannel(const TChannel& c) {
    if (!c) return;
    AudioState& s = state();
    Dropped dropped;
    std::lock_guard<std::mutex> guard(s.lock);
    catchUp(s);
    release(*c, dropped);
    c->voice.paused = false;
    s.live.erase(std::remove(s.live.begin(), s.live.end(), c), s.live.end());
}

bool ChannelPlaying(const TChannel& c) {
    if (!c) return false;
    AudioState& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    catchUp(s);
    return isLive(*c) && !c->voice.paused;
}

void SetChannelVolume(const TChannel& c, float volume) {
    if (!c) return;
    AudioState& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    c->volume = audio_detail::ClampVolume(volume);
    c->voice.volume = c->volume;
}

float ChannelVolume(const TChannel& c) { return c ? c->volume : 0.0f; }

void AdvanceAudio(int ms) {
    if (ms <= 0) return;
    AudioState& s = state();
    Dropped dropped;
    std::lock_guard<std::mutex> guard(s.lock);
    if (s.output != Output::Headless) return;  // a device or the real clock moves the others
    advanceAll(s, ms);
    prune(s, dropped);
}

void ShutdownAudio() {
    AudioState& s = state();
    SDL_AudioDeviceID dev = 0;
    Dropped dropped;
    {
        std::lock_guard<std::mutex> guard(s.lock);
        for (const TChannel& c : s.live) release(*c, dropped);
        s.live.clear();
        dev = s.device;
        s.device = 0;
        s.output = Output::Undecided;
    }
    // Closing waits for the callback, so it must run without our lock.
    if (dev != 0) SDL_CloseAudioDevice(dev);
    if (s.subsystemStarted) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    s.subsystemStarted = false;
}

void ResetAudio() {
    ShutdownAudio();
    state().reportedNoDevice = false;
}

bool AudioDeviceOpen() {
    AudioState& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    return s.device != 0;
}
