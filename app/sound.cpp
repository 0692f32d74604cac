#include "app/sound.h"

#include "app/options.h"
#include "gui/data/qcmfile.h"
#include "gui/globals.h"
#include "platform/files.h"
#include "platform/strings.h"
#include "platform/system.h"

TGlobalSnd globalSnd;

int TSndData::playMe() {
    int32_t now = Millisecs();
    if (now - lastTime < 25) {
        if (!str::equalsNoCase(id, "TILE_RIGHT") && !str::equalsNoCase(id, "TILE_WRONG")) return 0;
    }
    lastTime = now;
    // A sound that failed to load stays silent rather than cueing nothing.
    if (!snd) return 0;
    TChannel c = CueSound(snd);
    SetChannelVolume(c, options.soundVol);
    ResumeChannel(c);
    chn[0] = c;
    return 0;
}

int TSndData::update() {
    for (auto& c : chn)
        if (c && !ChannelPlaying(c)) c = nullptr;
    return 0;
}

int TGlobalSnd::setup() {
    _setupMusic();
    _setupSounds();
    _setupMusicsQue();
    return 0;
}

int TGlobalSnd::_setupSounds() {
    const std::string table = bDir + "data/globalSnd.dat";
    auto file = loadQCMFile(table);
    sounds.clear();
    std::vector<std::string> missing;
    const int32_t n = file->getCount("globalSnd::sounds", "snd");
    for (int32_t i = 1; i <= n; ++i) {
        auto rec = std::make_shared<TSndData>();
        std::string key = "globalSnd::snd" + std::to_string(i);
        rec->id = file->getString(key + "::id", 0);
        rec->url = bDir + file->getString(key + "::url", 0);
        rec->snd = LoadSound(rec->url, 0);
        if (!rec->snd)
            missing.push_back("NO SOUND FILE: " + rec->url + "  FileType = " + std::to_string(files::fileType(rec->url)) +
                              " !");
        sounds.push_back(rec);
    }
    // One message for the lot: a missing sound folder is one cause, not one per sound.
    if (!missing.empty())
        Notify(listedMessage("Sound files named in \"" + table +
                                 "\" are missing or damaged, so those sounds stay silent:",
                             missing));
    return 0;
}

int TGlobalSnd::update() {
    _updateMusic();
    for (auto& s : sounds) s->update();
    return 0;
}

int TGlobalSnd::playCoins() {
    if (Millisecs() - coinTime < 100) return 0;
    playMySound("coin_" + std::to_string(Rand(1, 4)));
    coinTime = Millisecs();
    return 0;
}

int TGlobalSnd::over() { return 0; }

int TGlobalSnd::click() { return playMySound(std::string("click")); }

int TGlobalSnd::stopAllSounds() {
    for (const TChannel* c : {&oldMusicCHN, &newMusicCHN})
        if (*c && ChannelPlaying(*c)) PauseChannel(*c);
    return 0;
}

int TGlobalSnd::resumeAllSounds() {
    for (const TChannel* c : {&oldMusicCHN, &newMusicCHN})
        if (*c) ResumeChannel(*c);
    return 0;
}

int TGlobalSnd::playMySound(const std::string& what) {
    if (options.soundVol == 0.0f || what.empty()) return 0;
    if (auto rec = getSoundData(what)) rec->playMe();
    return 0;
}

int TGlobalSnd::playMySound(const std::shared_ptr<TSndData>& what) { return playMySound(what.get()); }

int TGlobalSnd::playMySound(TSndData* what) {
    if (options.soundVol == 0.0f || !what) return 0;
    what->playMe();
    return 0;
}

int TGlobalSnd::setSoundVol(float) { return 0; }

std::shared_ptr<TSndData> TGlobalSnd::getSoundData(const std::string& name) {
    for (auto& s : sounds)
        if (str::equalsNoCase(s->id, name)) return s;
    return nullptr;
}

void resetGlobalSnd() {
    globalSnd.musics.clear();
    globalSnd.sounds.clear();
    globalSnd.levelMusics.clear();
    globalSnd.musicsQ.clear();
    globalSnd.specLevelsMusic.clear();
    globalSnd.newMusicCHN = nullptr;
    globalSnd.oldMusicCHN = nullptr;
    globalSnd.oldMusicData = nullptr;
    globalSnd.newMusicData = nullptr;
    globalSnd.newPer = globalSnd.oldPer = globalSnd.dNewPer = globalSnd.dOldPer = 0;
    globalSnd.musicVol = 0;
    globalSnd.aktLevelMusic = 0;
    globalSnd.coinTime = 0;
    globalSnd.lastMusic.clear();
}
