// Sound effects by name: the table from the data file, the volume and retrigger guards,
// coins, the click hook and the music channels around a pause.
#include "app/sound.h"

#include "app_fixture.h"
#include "platform/detail/audio_sound.h"

namespace {

class SoundTest : public AppTest {
protected:
    std::shared_ptr<TSndData> add(const std::string& id, bool loaded = true) {
        auto rec = std::make_shared<TSndData>();
        rec->id = id;
        if (loaded) rec->snd = audio_detail::MakeSound(std::vector<int16_t>(2000, 800), 1, 10000);
        globalSnd.sounds.push_back(rec);
        return rec;
    }
    // Channels started so far for the record (each start replaces the first slot).
    static int starts(const std::shared_ptr<TSndData>& rec, TChannel& seen) {
        int n = 0;
        if (rec->chn[0] && rec->chn[0] != seen) {
            seen = rec->chn[0];
            n = 1;
        }
        return n;
    }
};

TEST_F(SoundTest, RetriggerGuardPerEffectWithTheTwoTileSoundsExempt) {
    const struct {
        const char* id;
        const char* asked;
        int gapMs;
        int wantStarts;
    } cases[] = {
        {"click", "click", 10, 1},
        {"click", "CLICK", 24, 1},
        {"click", "Click", 25, 2},
        {"tile_right", "TILE_right", 10, 2},
        {"tile_wrong", "tile_wrong", 0, 2},
        {"break_right", "break_right", 10, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.asked) + " gap " + std::to_string(c.gapMs));
        resetGlobalSnd();
        auto rec = add(c.id);
        TChannel seen;
        now = 5000;
        globalSnd.playMySound(std::string(c.asked));
        int n = starts(rec, seen);
        now += c.gapMs;
        globalSnd.playMySound(std::string(c.asked));
        n += starts(rec, seen);
        EXPECT_EQ(n, c.wantStarts);
        EXPECT_EQ(rec->lastTime, c.wantStarts == 2 ? now : 5000);
    }
}

TEST_F(SoundTest, DifferentEffectsInOneFrameAllSoundAtTheSettingsVolume) {
    auto a = add("win"), b = add("lose");
    options.soundVol = 0.05f;
    globalSnd.playMySound(std::string("win"));
    globalSnd.playMySound(std::string("lose"));
    ASSERT_TRUE(a->chn[0] && b->chn[0]);
    EXPECT_TRUE(ChannelPlaying(a->chn[0]));
    EXPECT_FLOAT_EQ(ChannelVolume(a->chn[0]), 0.05f);
}

TEST_F(SoundTest, NothingStartsAtVolumeZeroForUnknownNamesOrAMissingSound) {
    auto rec = add("hint");
    auto silent = add("put", false);
    options.soundVol = 0;
    globalSnd.playMySound(std::string("hint"));
    EXPECT_FALSE(rec->chn[0]);
    EXPECT_EQ(rec->lastTime, 0);

    options.soundVol = 0.5f;
    globalSnd.playMySound(std::string(""));
    globalSnd.playMySound(std::string("no_such_sound"));
    globalSnd.playMySound(static_cast<TSndData*>(nullptr));
    globalSnd.playMySound(silent);  // its file failed to load: plays nothing, no crash
    EXPECT_FALSE(silent->chn[0]);
    EXPECT_TRUE(notices.empty());
}

TEST_F(SoundTest, ANameDefinedTwiceStartsTheFirst) {
    auto first = add("coin_1"), second = add("COIN_1");
    globalSnd.playMySound(std::string("Coin_1"));
    EXPECT_TRUE(first->chn[0]);
    EXPECT_FALSE(second->chn[0]);
}

TEST_F(SoundTest, FinishedChannelsAreClearedByTheUpdate) {
    auto rec = add("begin");
    globalSnd.playMySound(std::string("begin"));  // 200 ms of sound
    ASSERT_TRUE(rec->chn[0]);
    AdvanceAudio(100);
    globalSnd.update();
    EXPECT_TRUE(rec->chn[0]);
    AdvanceAudio(200);
    globalSnd.update();
    EXPECT_FALSE(rec->chn[0]);
}

TEST_F(SoundTest, CoinsAtMostEveryHundredMillisecondsEvenWhenSilent) {
    for (int i = 1; i <= 4; ++i) add("coin_" + std::to_string(i));
    options.soundVol = 0;  // nothing sounds, the coin clock still moves
    int letThrough = 0, last = -1;
    for (int frame = 0; frame < 30; ++frame) {
        now = 10000 + frame * 1000 / 60;
        globalSnd.playCoins();
        if (globalSnd.coinTime != last) {
            ++letThrough;
            last = globalSnd.coinTime;
        }
    }
    // 30 frames = 483 ms: let through at 0, 100, 200, 300, 400 ms (the first frame at or past).
    EXPECT_EQ(letThrough, 5);
}

TEST_F(SoundTest, TableIsReadInOrderAndMissingFilesAreToldInOneMessage) {
    bDir = (dir / "assets").string() + "/";
    std::filesystem::create_directories(dir / "assets" / "sfx" / "afolder.ogg");
    write("assets/data/globalSnd.dat",
          "globalSnd {\n\tsounds = 2\n\tsnd1 {\n\t\tid = \"click\"\n\t\turl = \"sfx/none.ogg\"\n\t}\n"
          "\tsnd2 {\n\t\tid = \"put\"\n\t\turl = \"sfx/afolder.ogg\"\n\t}\n}\n");
    globalSnd._setupSounds();
    ASSERT_EQ(globalSnd.sounds.size(), 2u);
    EXPECT_EQ(globalSnd.sounds[0]->id, "click");
    EXPECT_EQ(globalSnd.sounds[1]->url, bDir + "sfx/afolder.ogg");
    EXPECT_EQ(notices, (std::vector<std::string>{"Sound files named in \"" + bDir +
                                                 "data/globalSnd.dat\" are missing or damaged, so those sounds "
                                                 "stay silent:\n- NO SOUND FILE: " +
                                                 bDir + "sfx/none.ogg  FileType = 0 !\n- NO SOUND FILE: " + bDir +
                                                 "sfx/afolder.ogg  FileType = 2 !"}));
    globalSnd.click();  // its record has no sound: silent
    EXPECT_FALSE(globalSnd.sounds[0]->chn[0]);
}

TEST_F(SoundTest, MissingTableGivesNoEffects) {
    bDir = (dir / "nowhere").string() + "/";
    globalSnd._setupSounds();
    EXPECT_TRUE(globalSnd.sounds.empty());
    EXPECT_TRUE(notices.empty());
}

TEST_F(SoundTest, PauseStopsOnlyTheMusicAndResumeRestartsIt) {
    auto effect = add("living");
    globalSnd.stopAllSounds();  // no music channels: nothing to do
    globalSnd.resumeAllSounds();
    TSound tune = audio_detail::MakeSound(std::vector<int16_t>(50000, 500), 1, 10000);
    globalSnd.newMusicCHN = PlaySound(tune);
    globalSnd.oldMusicCHN = PlaySound(tune);
    globalSnd.playMySound(std::string("living"));
    globalSnd.stopAllSounds();
    EXPECT_FALSE(ChannelPlaying(globalSnd.newMusicCHN));
    EXPECT_FALSE(ChannelPlaying(globalSnd.oldMusicCHN));
    EXPECT_TRUE(ChannelPlaying(effect->chn[0]));
    globalSnd.resumeAllSounds();
    EXPECT_TRUE(ChannelPlaying(globalSnd.newMusicCHN));
    EXPECT_TRUE(ChannelPlaying(globalSnd.oldMusicCHN));
}

}  // namespace
