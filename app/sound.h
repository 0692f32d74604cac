#pragma once
// The sound service: every sound effect by name from data/globalSnd.dat, the coin, click
// and hover hooks, and the two music channels paused with the game.
// (The platform's own decoded sound is TSoundData, so one effect of the table is TSndData.)
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/ekran.h"
#include "platform/audio.h"

// One sound effect of the table.
class TSndData {
public:
    virtual ~TSndData() = default;
    std::string id;   // started under this name, compared without regard to case
    std::string url;  // bDir + the path in the data file
    TSound snd;       // null when the file could not be loaded: the effect stays silent
    std::array<TChannel, 10> chn{};  // only the first slot is used: the latest start
    int32_t lastTime = 0;

    // Starts the effect, at most once per 25 ms ("tile_right" and "tile_wrong" exempt).
    virtual int playMe();
    // Empties every slot whose channel no longer plays.
    virtual int update();
};

// One music track; loading and playing it belongs to the music service.
class TMusicData {
public:
    virtual ~TMusicData() = default;
    std::string id;
    std::string url;
    int32_t levelMusic = 0;
    int32_t loop = 0;
    TSound snd;
};
class TStageQ;
class TSpecLevelMusic;

class TGlobalSnd : public TEkran {
public:
    std::vector<std::shared_ptr<TMusicData>> musics;
    std::vector<std::shared_ptr<TSndData>> sounds;
    std::vector<std::shared_ptr<TMusicData>> levelMusics;
    std::vector<std::shared_ptr<TStageQ>> musicsQ;
    std::vector<std::shared_ptr<TSpecLevelMusic>> specLevelsMusic;
    TChannel newMusicCHN;
    TChannel oldMusicCHN;
    std::shared_ptr<TMusicData> oldMusicData;
    std::shared_ptr<TMusicData> newMusicData;
    float newPer = 0;
    float oldPer = 0;
    float musicVol = 0;
    int32_t aktLevelMusic = 0;
    int32_t coinTime = 0;
    float dNewPer = 0;
    float dOldPer = 0;
    std::string lastMusic;

    // Reads the music table, the sound table and the stage queues.
    int setup() override;
    // Music fades, then each effect's channel upkeep.
    int update() override;

    int _setupMusicsQue();
    int _setupMusic();
    int _setupSounds();
    // One of "coin_1".."coin_4", at most once per 100 ms.
    int playCoins();
    int over();
    int click();
    // Pause / resume the two music channels (effects play on).
    int stopAllSounds();
    int resumeAllSounds();
    // By name (any case) or by record; nothing when the volume is 0, the name unknown or
    // the sound missing.
    int playMySound(const std::string& what);
    int playMySound(const std::shared_ptr<TSndData>& what);
    int playMySound(TSndData* what);
    int playMyMusic(const std::string& name);
    int playLevelMusic();
    int playRandomLevelMusic();
    int setSoundVol(float volume);
    int setMusicVol(float volume);
    std::shared_ptr<TSndData> getSoundData(const std::string& name);
    std::shared_ptr<TMusicData> getMusicData(const std::string& name);
    int musicGoDown();
    int musicGoUp();
    int wyciszAktualnaMuzyczke();

    // The music fades and channel upkeep of the frame (app/music).
    int _updateMusic();
};

extern TGlobalSnd globalSnd;

// Empty tables and channels: for tests.
void resetGlobalSnd();
