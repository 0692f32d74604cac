// Music: cross-fades frame by frame, fading out, the volume, the choice of a level's track
// and the tables it is read from.
#include <deque>
#include <fstream>
#include <iterator>

#include "app/music/music.h"
#include "app/options.h"
#include "gui/globals.h"
#include "platform/detail/audio_sound.h"
#include "test_profile_support.h"

namespace {

class MusicTest : public ProfileTest {
protected:
    void SetUp() override {
        ProfileTest::SetUp();
        ResetAudio();
        resetGlobalSnd();
        resetOptions();
        options.musicVol = 1.0f;
        music::setRandomSource([this](int32_t lo, int32_t hi) {
            lastRange = {lo, hi};
            if (draws.empty()) return lo;
            int32_t r = draws.front();
            draws.pop_front();
            return r;
        });
    }
    void TearDown() override {
        music::setRandomSource(nullptr);
        resetOptions();
        resetGlobalSnd();
        ResetAudio();
        ProfileTest::TearDown();
    }
    std::shared_ptr<TMusicData> track(const std::string& id, int levelMusic = 0) {
        auto m = std::make_shared<TMusicData>();
        m->id = id;
        m->loop = 1;
        m->levelMusic = levelMusic;
        m->snd = audio_detail::MakeSound(std::vector<int16_t>(2000, 100), 1, 22050, SOUND_LOOP);
        s.musics.push_back(m);
        if (levelMusic) s.levelMusics.push_back(m);
        return m;
    }
    void frames(int n) {
        for (int i = 0; i < n; ++i) music::update(s, 1.0f);
    }
    std::string playing() const { return s.newMusicData && s.newMusicCHN ? s.newMusicData->id : ""; }

    TGlobalSnd& s = globalSnd;
    std::deque<int32_t> draws;
    std::pair<int32_t, int32_t> lastRange{0, 0};
};

TEST_F(MusicTest, FirstTrackFadesInOverTwentyFrames) {
    track("title-screen");
    music::playMyMusic(s, "TITLE-SCREEN");  // names ignore case
    ASSERT_TRUE(s.newMusicCHN);
    EXPECT_TRUE(ChannelPlaying(s.newMusicCHN));
    EXPECT_FLOAT_EQ(ChannelVolume(s.newMusicCHN), 0.0f);
    frames(19);
    EXPECT_LT(s.newPer, 1.0f);
    frames(1);
    EXPECT_FLOAT_EQ(s.newPer, 1.0f);
    EXPECT_FLOAT_EQ(ChannelVolume(s.newMusicCHN), 1.0f);
}

TEST_F(MusicTest, CrossFadeRunsTwentyFramesThenStopsTheOldChannel) {
    track("a");
    track("b");
    options.musicVol = 0.5f;
    music::playMyMusic(s, "a");
    frames(20);
    TChannel first = s.newMusicCHN;
    music::playMyMusic(s, "b");
    EXPECT_EQ(s.oldMusicCHN, first);
    EXPECT_FLOAT_EQ(ChannelVolume(first), 0.5f);
    for (int f = 1; f <= 19; ++f) {
        frames(1);
        ASSERT_TRUE(ChannelPlaying(first)) << f;
        EXPECT_NEAR(ChannelVolume(first), 0.5f * (1 - 0.05f * f), 1e-4) << f;
        EXPECT_NEAR(ChannelVolume(s.newMusicCHN), 0.5f * 0.05f * f, 1e-4) << f;
    }
    frames(1);
    EXPECT_FALSE(ChannelPlaying(first));
    EXPECT_FALSE(s.oldMusicCHN);
    EXPECT_EQ(playing(), "b");
}

TEST_F(MusicTest, StartingThePlayingTrackRestartsItWithACrossFade) {
    track("a");
    music::playMyMusic(s, "a");
    frames(20);
    TChannel first = s.newMusicCHN;
    music::playMyMusic(s, "a");
    EXPECT_EQ(s.oldMusicCHN, first);
    EXPECT_NE(s.newMusicCHN, first);
    EXPECT_EQ(s.newMusicData, s.oldMusicData);
}

// Only two channels: a third start during a cross-fade must not leave a track playing on.
TEST_F(MusicTest, AbandonedFadingChannelIsStopped) {
    track("a");
    track("b");
    track("c");
    music::playMyMusic(s, "a");
    frames(20);
    TChannel a = s.newMusicCHN;
    music::playMyMusic(s, "b");
    frames(5);
    TChannel b = s.newMusicCHN;
    music::playMyMusic(s, "c");
    EXPECT_FALSE(ChannelPlaying(a));
    EXPECT_EQ(s.oldMusicCHN, b);
    EXPECT_FLOAT_EQ(s.oldPer, 1.0f);
    music::musicGoDown(s);
    frames(30);
    EXPECT_FALSE(ChannelPlaying(a));
    EXPECT_FALSE(ChannelPlaying(b));
}

TEST_F(MusicTest, GoDownSilencesInFifteenFramesAndTheNextStartHasNoCrossFade) {
    track("a");
    track("b");
    music::playMyMusic(s, "a");
    frames(20);
    TChannel a = s.newMusicCHN;
    music::musicGoDown(s);
    frames(14);
    EXPECT_TRUE(ChannelPlaying(a));
    frames(1);
    EXPECT_FALSE(ChannelPlaying(a));
    EXPECT_FALSE(s.newMusicCHN);
    EXPECT_EQ(s.newMusicData->id, "a");  // still the current track
    EXPECT_EQ(music::mustPlayNewMusic(s), 1);
    music::playMyMusic(s, "b");
    EXPECT_FALSE(s.oldMusicCHN);
}

TEST_F(MusicTest, VolumeZeroStopsAndRaisingItRestartsTheCurrentTrack) {
    track("a");
    s.musicVol = 1.0f;
    music::playMyMusic(s, "a");
    frames(20);
    TChannel a = s.newMusicCHN;
    options.musicVol = 0.005f;
    music::setMusicVol(s, 0.005f);
    EXPECT_FALSE(ChannelPlaying(a));
    EXPECT_FALSE(s.newMusicCHN);
    EXPECT_FLOAT_EQ(s.musicVol, 0.0f);
    options.musicVol = 0.5f;
    music::setMusicVol(s, 0.5f);
    ASSERT_TRUE(s.newMusicCHN);
    EXPECT_NE(s.newMusicCHN, a);
    EXPECT_FLOAT_EQ(s.newPer, 0.0f);
    frames(20);
    EXPECT_FLOAT_EQ(ChannelVolume(s.newMusicCHN), 0.5f);
    music::setMusicVol(s, 0.25f);  // a plain change only sets the volume
    EXPECT_FLOAT_EQ(ChannelVolume(s.newMusicCHN), 0.25f);
}

TEST_F(MusicTest, UnknownOrSilentTracksChangeNothing) {
    auto broken = track("broken");
    broken->snd = nullptr;
    broken->url = dir + "/missing.ogg";
    music::playMyMusic(s, "nope");
    music::playMyMusic(s, "");
    music::playMyMusic(s, "broken");
    music::playMyMusic(s, std::shared_ptr<TMusicData>());
    EXPECT_FALSE(s.newMusicCHN);
    EXPECT_FALSE(s.newMusicData);
}

TEST_F(MusicTest, StageQueuePicksAvoidTheLastTrack) {
    for (const char* n : {"P", "Q", "R"}) track(n);
    TStageQ q;
    q.list = {"P", "Q", "R"};
    struct Case {
        const char* last;
        int32_t draw;
        const char* started;
    } cases[] = {{"Q", 2, "P"}, {"Q", 1, "P"}, {"Q", 3, "R"}, {"P", 1, "P"}};
    for (const auto& c : cases) {
        s.lastMusic = c.last;
        draws = {c.draw};
        music::playMusicFromStageQ(s, q);
        EXPECT_EQ(playing(), c.started) << c.last << " " << c.draw;
        EXPECT_EQ(s.lastMusic, c.started);
        EXPECT_EQ(lastRange, (std::pair<int32_t, int32_t>{1, 3}));
    }
    TStageQ one;
    one.list = {"R"};
    s.lastMusic = "R";
    music::playMusicFromStageQ(s, one);
    EXPECT_EQ(playing(), "R");
    TStageQ none;
    s.lastMusic = "x";
    music::playMusicFromStageQ(s, none);
    EXPECT_EQ(s.lastMusic, "x");
}

TEST_F(MusicTest, LevelMusicPrefersTheBoundTrackThenTheStageQueueThenRandom) {
    track("title");
    track("lvl-a", 1);
    track("lvl-b", 1);
    track("bound");
    track("queued");
    auto q = std::make_shared<TStageQ>();
    q->stageN = 2;
    q->list = {"queued"};
    s.musicsQ.push_back(q);
    auto special = std::make_shared<TSpecLevelMusic>();
    special->lvl = 3;
    special->stg = 2;
    special->music = "bound";
    s.specLevelsMusic.push_back(special);

    draws = {2};
    music::playLevelMusic(s);  // no current profile
    EXPECT_EQ(playing(), "lvl-b");

    auto p = createNewProfile("Ann");
    profileManager.profile = p;
    struct Case {
        int32_t level, stage;
        const char* started;
    } cases[] = {{3, 2, "bound"}, {4, 2, "queued"}, {3, 1, "lvl-a"}};
    for (const auto& c : cases) {
        p->numerLevelu = c.level;
        p->numerStageu = c.stage;
        draws = {1};
        music::playLevelMusic(s);
        EXPECT_EQ(playing(), c.started) << c.level << " " << c.stage;
    }
}

TEST_F(MusicTest, NoLevelTracksStartsNothing) {
    track("title");
    music::playLevelMusic(s);
    music::playRandomLevelMusic(s);
    EXPECT_FALSE(s.newMusicCHN);
}

TEST_F(MusicTest, TablesAreReadFromTheAssetTree) {
    std::string saved = bDir;
    bDir = dir + "/";
    write("/data/globalSnd.dat",
          "globalSnd {\n\tmusics = 3\n\tmusic1 {\n\t\tid = \"start\"\n\t\turl = \"sfx/music/start.ogg\"\n\t\tlevelMusic = 0\n"
          "\t\tloop = 1\n\t}\n\n\tmusic2 {\n\t\tid = \"lvl\"\n\t\turl = \"sfx/music/lvl.ogg\"\n\t\tlevelMusic = 1\n"
          "\t\tloop = 1\n\t}\n\n\tmusic3 {\n\t\tid = \"end\"\n\t\turl = \"sfx/music/end.ogg\"\n\t}\n\n}\n\n");
    write("/data/musicQ.txt",
          "musics {\n\tstages = 2\n\tstage1 {\n\t\ti = 2\n\t\tmusic1 = \"lvl\"\n\t\tmusic2 = \"start\"\n\t}\n\n"
          "\tstage2 {\n\t\ti = 0\n\t}\n\n\tspecialLevels {\n\t\ti = 1\n\t\tlvl1 {\n\t\t\tlevel = 3\n\t\t\tstage = 1\n"
          "\t\t\tmusic = \"end\"\n\t\t}\n\n\t}\n\n}\n\n");
    music::setupMusic(s);
    music::setupMusicsQue(s);
    bDir = saved;
    ASSERT_EQ(s.musics.size(), 3u);
    EXPECT_EQ(s.musics[0]->url, dir + "/sfx/music/start.ogg");
    EXPECT_EQ(s.levelMusics.size(), 1u);
    EXPECT_EQ(s.musics[2]->loop, 0);
    EXPECT_EQ(music::trackNumber(s, *s.musics[1]), 2);
    ASSERT_EQ(s.musicsQ.size(), 2u);
    EXPECT_EQ(s.musicsQ[0]->list, (std::vector<std::string>{"lvl", "start"}));
    EXPECT_EQ(s.musicsQ[1]->stageN, 2);
    EXPECT_TRUE(s.musicsQ[1]->list.empty());
    ASSERT_EQ(s.specLevelsMusic.size(), 1u);
    EXPECT_EQ(s.specLevelsMusic[0]->music, "end");
    EXPECT_EQ(s.aktLevelMusic, 1);
    // The files do not exist: loading leaves the tracks silent, nothing plays.
    music::setupExactMusicByNR(s, 1);
    music::setupExactMusicByNR(s, 0);
    music::setupExactMusicByNR(s, 9);
    music::playMyMusic(s, "start");
    EXPECT_FALSE(s.newMusicCHN);
}

// Tracks are long: they keep their files and are decoded as they play, never whole; a
// looping track stays looping, a one-shot does not.
TEST_F(MusicTest, TracksAreStreamedFromTheirFiles) {
    const std::string built = std::string(ZERKON_BINARY_DIR) + "/assets/sfx/music/title.ogg";
    std::ifstream in(built, std::ios::binary);
    if (!in) GTEST_SKIP() << "no built tree";
    const std::string ogg((std::istreambuf_iterator<char>(in)), {});
    files::createDir(dir + "/sfx/music");
    std::ofstream(dir + "/sfx/music/a.ogg", std::ios::binary) << ogg;
    for (int loop : {1, 0}) {
        SCOPED_TRACE(loop);
        auto m = std::make_shared<TMusicData>();
        m->id = "a";
        m->url = dir + "/sfx/music/a.ogg";
        m->loop = loop;
        s.musics = {m};
        music::setupExactMusicByNR(s, 1);
        ASSERT_TRUE(m->snd);
        EXPECT_GT(SoundSampleFrames(m->snd), SoundRate(m->snd) * 10) << "the whole track's length is known";
        EXPECT_TRUE(audio_detail::SoundSamples(m->snd).empty()) << "nothing decoded at load";
        music::playMyMusic(s, "a");
        ASSERT_TRUE(s.newMusicCHN);
        AdvanceAudio(int(SoundSampleFrames(m->snd) * 1000 / SoundRate(m->snd)) + 100);
        EXPECT_EQ(ChannelPlaying(s.newMusicCHN), loop == 1);
        StopChannel(s.newMusicCHN);
        s.newMusicCHN = nullptr;
    }
}

TEST_F(MusicTest, MissingOrHostileTablesReadAsEmpty) {
    std::string saved = bDir;
    bDir = dir + "/";
    music::setupMusic(s);
    music::setupMusicsQue(s);
    EXPECT_TRUE(s.musics.empty());
    EXPECT_EQ(s.aktLevelMusic, 0);
    write("/data/musicQ.txt", "musics {\n\tstages = 2000000000\n\tspecialLevels {\n\t\ti = -4\n\t}\n\n}\n\n");
    music::setupMusicsQue(s);
    bDir = saved;
    EXPECT_LE(s.musicsQ.size(), 2u);
    EXPECT_TRUE(s.specLevelsMusic.empty());
}

}  // namespace
