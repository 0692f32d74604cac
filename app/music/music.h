#pragma once
// The music half of the sound service: the track table ("data/globalSnd.dat"), the stage
// queues and the tracks bound to single levels ("data/musicQ.txt"), starting a track by
// name with a cross-fade between two channels, the choice of a level's track, fading out
// and the music volume. TGlobalSnd's music operations call these.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/sound.h"

// The music queue of one stage.
class TStageQ {
public:
    virtual ~TStageQ() = default;
    std::vector<std::string> list;  // track names in file order, duplicates allowed
    int32_t stageN = 0;
};

// A track bound to one level of one stage.
class TSpecLevelMusic {
public:
    virtual ~TSpecLevelMusic() = default;
    int32_t lvl = 0;
    int32_t stg = 0;
    std::string music;
};

namespace music {

// Fade steps per frame at 60 frames a second.
inline constexpr float kFadeIn = 0.05f;
inline constexpr float kFadeOutNew = 0.07f;
inline constexpr float kFadeOutOld = 0.05f;

// Reads the track table from bDir + "data/globalSnd.dat" (no sound is loaded).
int setupMusic(TGlobalSnd& s);
// Reads the stage queues and special-level tracks from bDir + "data/musicQ.txt".
int setupMusicsQue(TGlobalSnd& s);
// Loads track number nr (1 to n, table order); a failed load leaves it silent.
int setupExactMusicByNR(TGlobalSnd& s, int32_t nr);
// Loads every track whose id equals the name exactly.
int setupExactMusic(TGlobalSnd& s, const std::string& name);
// The track's number in the table (1 to n), 0 when it is not there.
int32_t trackNumber(const TGlobalSnd& s, const TMusicData& track);

std::shared_ptr<TMusicData> getMusicData(const TGlobalSnd& s, const std::string& name);
// 1 when nothing plays on the new channel.
int32_t mustPlayNewMusic(const TGlobalSnd& s);
// Starts the track (by name, or the record itself) cross-fading from what plays.
int playMyMusic(TGlobalSnd& s, const std::string& name);
int playMyMusic(TGlobalSnd& s, const std::shared_ptr<TMusicData>& track);
// The current profile's level track: bound track, else its stage's queue, else random.
int playLevelMusic(TGlobalSnd& s);
int playExactMusic(TGlobalSnd& s);
std::shared_ptr<TSpecLevelMusic> getSpecLevel(const TGlobalSnd& s);
int playMusicFromStageQ(TGlobalSnd& s, const TStageQ& queue);
int playRandomLevelMusic(TGlobalSnd& s);
int setMusicVol(TGlobalSnd& s, float volume);
int musicGoDown(TGlobalSnd& s);
int musicGoUp(TGlobalSnd& s);
// Where the random picks come from (inclusive range); nullptr restores Rand.
void setRandomSource(std::function<int32_t(int32_t, int32_t)> source);

// The per-frame fades (frameDelta 1 at 60 frames a second).
int update(TGlobalSnd& s, float frameDelta);

}  // namespace music
