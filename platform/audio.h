#pragma once
// Sounds decoded from Ogg Vorbis into 16-bit samples (whole, or as they play) and mixed by
// our own callback.
// The headless backend keeps the same channel states without a device.
#include <memory>
#include <string>

struct TSoundData;
using TSound = std::shared_ptr<TSoundData>;
struct TChannelData;
using TChannel = std::shared_ptr<TChannelData>;

// SOUND_STREAM: kept as the file's bytes and decoded by each channel as it plays (long
// music), instead of decoded whole at load.
enum SoundFlags { SOUND_LOOP = 1, SOUND_STREAM = 2 };

TSound LoadSound(const std::string& path, int flags = 0);  // null when it cannot be decoded
long SoundSampleFrames(const TSound& s);                    // frames (samples per channel)
// Streamed sounds no channel holds let their file's bytes go, read again when next played
// (the router calls it between places: a track not playing keeps nothing but its name).
void ReleaseIdleSoundData();
bool SoundDataHeld(const TSound& s);  // its samples or its file's bytes are in memory
int SoundChannels(const TSound& s);
int SoundRate(const TSound& s);

TChannel AllocChannel();
TChannel PlaySound(const TSound& s, const TChannel& channel = nullptr);
TChannel CueSound(const TSound& s, const TChannel& channel = nullptr);  // starts paused
void PauseChannel(const TChannel& c);
void ResumeChannel(const TChannel& c);
void StopChannel(const TChannel& c);
bool ChannelPlaying(const TChannel& c);  // playing and not paused
void SetChannelVolume(const TChannel& c, float volume);  // 0..1
float ChannelVolume(const TChannel& c);
// Headless: advances every playing channel by ms of sound (the flip calls it).
void AdvanceAudio(int ms);

// Stops every channel and closes the audio device: the state at start (test fixtures call it).
void ResetAudio();
// Closes the audio device and SDL's audio subsystem (the platform's shutdown calls it).
void ShutdownAudio();
// True once a real output device plays the channels (gl backend with a sound card).
bool AudioDeviceOpen();
