#include "app/music/music.h"

#include "app/options.h"
#include "app/profile/profile_manager.h"
#include "gui/data/qcmfile.h"
#include "gui/globals.h"
#include "platform/strings.h"
#include "platform/system.h"

namespace music {

namespace {

float vol() { return options.musicVol; }

std::function<int32_t(int32_t, int32_t)> gRandom;
int32_t rnd(int32_t lo, int32_t hi) { return gRandom ? gRandom(lo, hi) : Rand(lo, hi); }

void dropNew(TGlobalSnd& s) {
    if (s.newMusicCHN && ChannelPlaying(s.newMusicCHN)) StopChannel(s.newMusicCHN);
    s.newMusicCHN = nullptr;
}

// Repeated steps of 0.05 leave float residue: a level this close to its target is on it.
void snap(float& v, float target) {
    if (v != target && v - target < 1e-4f && target - v < 1e-4f) v = target;
}

// Tracks are long: each playing channel decodes its track as it goes instead of the whole
// track sitting decoded in memory.
int flagsOf(const TMusicData& m) { return SOUND_STREAM | (m.loop != 0 ? SOUND_LOOP : 0); }

}  // namespace

void setRandomSource(std::function<int32_t(int32_t, int32_t)> source) { gRandom = std::move(source); }

int setupMusic(TGlobalSnd& s) {
    auto file = loadQCMFile(bDir + "data/globalSnd.dat");
    s.musics.clear();
    s.levelMusics.clear();
    int32_t n = file->getCount("globalSnd::musics", "music");
    for (int32_t i = 1; i <= n; ++i) {
        auto m = std::make_shared<TMusicData>();
        std::string key = "globalSnd::music" + std::to_string(i);
        m->id = file->getString(key + "::id", 0);
        m->url = bDir + file->getString(key + "::url", 0);
        m->levelMusic = int32_t(file->getFloat(key + "::levelMusic", 0));
        m->loop = int32_t(file->getFloat(key + "::loop", 0));
        if (m->levelMusic != 0) s.levelMusics.push_back(m);
        s.musics.push_back(m);
    }
    // With no level tracks there is nothing to draw from.
    s.aktLevelMusic = s.levelMusics.empty() ? 0 : rnd(1, int32_t(s.levelMusics.size()));
    return 0;
}

int setupMusicsQue(TGlobalSnd& s) {
    auto file = loadQCMFile(bDir + "data/musicQ.txt");
    int32_t stages = file->getCount("musics::stages", "stage");
    for (int32_t k = 1; k <= stages; ++k) {
        auto q = std::make_shared<TStageQ>();
        q->stageN = k;
        std::string key = "musics::stage" + std::to_string(k);
        int32_t m = file->getCount(key + "::i", "music");
        for (int32_t j = 1; j <= m; ++j) q->list.push_back(file->getString(key + "::music" + std::to_string(j), 0));
        s.musicsQ.push_back(q);
    }
    int32_t levels = file->getCount("musics::specialLevels::i", "lvl");
    for (int32_t j = 1; j <= levels; ++j) {
        auto e = std::make_shared<TSpecLevelMusic>();
        std::string key = "musics::specialLevels::lvl" + std::to_string(j);
        e->lvl = file->getInt(key + "::level");
        e->stg = file->getInt(key + "::stage");
        e->music = file->getString(key + "::music", 0);
        s.specLevelsMusic.push_back(e);
    }
    return 0;
}

int setupExactMusicByNR(TGlobalSnd& s, int32_t nr) {
    if (nr < 1 || nr > int32_t(s.musics.size())) return 0;
    auto& m = s.musics[size_t(nr - 1)];
    m->snd = LoadSound(m->url, flagsOf(*m));
    return 0;
}

int setupExactMusic(TGlobalSnd& s, const std::string& name) {
    for (size_t i = 0; i < s.musics.size(); ++i)
        if (s.musics[i]->id == name) setupExactMusicByNR(s, int32_t(i + 1));
    return 0;
}

int32_t trackNumber(const TGlobalSnd& s, const TMusicData& track) {
    for (size_t i = 0; i < s.musics.size(); ++i)
        if (s.musics[i].get() == &track) return int32_t(i + 1);
    return 0;
}

std::shared_ptr<TMusicData> getMusicData(const TGlobalSnd& s, const std::string& name) {
    for (const auto& m : s.musics)
        if (str::equalsNoCase(m->id, name)) return m;
    return nullptr;
}

int32_t mustPlayNewMusic(const TGlobalSnd& s) {
    return (!s.newMusicCHN || !ChannelPlaying(s.newMusicCHN)) ? 1 : 0;
}

int playMyMusic(TGlobalSnd& s, const std::string& name) {
    if (name.empty()) return 0;
    return playMyMusic(s, getMusicData(s, name));
}

int playMyMusic(TGlobalSnd& s, const std::shared_ptr<TMusicData>& track) {
    if (!track) return 0;
    if (!track->snd) track->snd = LoadSound(track->url, flagsOf(*track));
    if (!track->snd) return 0;
    if (mustPlayNewMusic(s) == 1) {
        s.newMusicCHN = CueSound(track->snd);
        s.newMusicData = track;
        s.newPer = 0;
        s.dNewPer = 1;
        s.dOldPer = 0;
        s.oldPer = 0;
        SetChannelVolume(s.newMusicCHN, vol() * s.newPer);
        ResumeChannel(s.newMusicCHN);
        return 0;
    }
    // Only two channels are held: a track still fading out on the old one is stopped,
    // or nothing would ever stop it again.
    if (s.oldMusicCHN && s.oldMusicCHN != s.newMusicCHN) StopChannel(s.oldMusicCHN);
    s.oldMusicCHN = s.newMusicCHN;
    s.oldMusicData = s.newMusicData;
    s.oldPer = 1;
    s.newPer = 0;
    s.dOldPer = 0;
    s.dNewPer = 1;
    SetChannelVolume(s.oldMusicCHN, vol() * 1);
    s.newMusicCHN = CueSound(track->snd);
    SetChannelVolume(s.newMusicCHN, vol() * 0);
    s.newMusicData = track;
    ResumeChannel(s.newMusicCHN);
    return 0;
}

int playLevelMusic(TGlobalSnd& s) {
    if (profileManager.profile) return playExactMusic(s);
    return playRandomLevelMusic(s);
}

std::shared_ptr<TSpecLevelMusic> getSpecLevel(const TGlobalSnd& s) {
    const auto& p = profileManager.profile;
    if (!p) return nullptr;
    for (const auto& e : s.specLevelsMusic)
        if (e->lvl == p->numerLevelu && e->stg == p->numerStageu) return e;
    return nullptr;
}

int playExactMusic(TGlobalSnd& s) {
    const auto& p = profileManager.profile;
    if (!p) return playRandomLevelMusic(s);
    if (auto spec = getSpecLevel(s)) return playMyMusic(s, spec->music);
    for (const auto& q : s.musicsQ)
        if (q->stageN == p->numerStageu) return playMusicFromStageQ(s, *q);
    return playRandomLevelMusic(s);
}

int playMusicFromStageQ(TGlobalSnd& s, const TStageQ& queue) {
    if (queue.list.empty()) return 0;
    int32_t r = rnd(1, int32_t(queue.list.size()));
    const std::string& pick = queue.list[size_t(r - 1)];
    std::string chosen = pick != s.lastMusic ? pick : queue.list.front();
    playMyMusic(s, chosen);
    s.lastMusic = chosen;
    return 0;
}

int playRandomLevelMusic(TGlobalSnd& s) {
    if (s.levelMusics.empty()) return 0;
    int32_t r = rnd(1, int32_t(s.levelMusics.size()));
    return playMyMusic(s, s.levelMusics[size_t(r - 1)]);
}

int setMusicVol(TGlobalSnd& s, float v) {
    if (!(v >= 0.01f)) v = 0;
    if (s.musicVol == 0 && v > 0) {
        // options.musicVol carries the new value already: the fresh start fades in at it.
        playMyMusic(s, s.newMusicData);
    } else {
        if (s.oldMusicCHN) SetChannelVolume(s.oldMusicCHN, v * s.oldPer);
        if (s.newMusicCHN) SetChannelVolume(s.newMusicCHN, v * s.newPer);
    }
    if (v == 0) {
        if (s.oldMusicCHN && ChannelPlaying(s.oldMusicCHN)) StopChannel(s.oldMusicCHN);
        dropNew(s);
    }
    s.musicVol = v;
    return 0;
}

int musicGoDown(TGlobalSnd& s) {
    s.dNewPer = 0;
    s.dOldPer = 0;
    return 0;
}

int musicGoUp(TGlobalSnd& s) {
    s.dNewPer = 1;
    return 0;
}

int update(TGlobalSnd& s, float d) {
    if (s.newPer < s.dNewPer) {
        s.newPer += kFadeIn * d;
        snap(s.newPer, s.dNewPer);
        if (s.newPer > s.dNewPer) s.newPer = s.dNewPer;
    }
    if (s.newPer > s.dNewPer) {
        s.newPer -= kFadeOutNew * d;
        snap(s.newPer, s.dNewPer);
        if (s.newPer <= s.dNewPer) {
            s.newPer = s.dNewPer;
            if (s.dNewPer == 0) dropNew(s);
        }
    }
    if (s.oldPer < s.dOldPer) {
        s.oldPer += kFadeIn * d;
        snap(s.oldPer, s.dOldPer);
        if (s.oldPer > s.dOldPer) s.oldPer = s.dOldPer;
    }
    if (s.oldPer > s.dOldPer) {
        s.oldPer -= kFadeOutOld * d;
        snap(s.oldPer, s.dOldPer);
        if (s.oldPer < s.dOldPer) s.oldPer = s.dOldPer;
    }
    if (s.oldMusicCHN && ChannelPlaying(s.oldMusicCHN)) {
        if (s.oldPer == 0) {
            StopChannel(s.oldMusicCHN);
            s.oldMusicCHN = nullptr;
        } else {
            SetChannelVolume(s.oldMusicCHN, vol() * s.oldPer);
        }
    }
    if (s.newMusicCHN && ChannelPlaying(s.newMusicCHN)) SetChannelVolume(s.newMusicCHN, vol() * s.newPer);
    return 0;
}

}  // namespace music
