// The level file: what the reader derives, the writer/reader asymmetries that are part of
// the format, and the mended faults (tick offsets and fish kept, unknown group ids kept in
// place, untrusted counts and positions bounded, missing pictures reported).
#include <algorithm>
#include <cmath>

#include "platform/files.h"

#include "tests/minigames/hidden_object/ho_fixture.h"

namespace {

const char* kScene = R"(level {
	background = "gfx/ho/back.png"
	gui = "gfx/ho/front.png"
	time = 77
	title = 3
	banki = 3000
	drugiPlan = ""
	objects {
		i = 3
		ob0 {
			id = 99
		}

		ob1 {
			id = 1
			imgUkryty = "gfx/ho/key.png"
			imgDoZebrania = "gfx/ho/key-icon.png"
			imgZebrany = "gfx/ho/key-icon.png"
			UkrytyDim = 300.7, 420.2
			doZebraniaDim = 380, 710
			zebranyDim = 5, 5
			startRot = 12.5
			startScale = 0
			state = ""
			addPoint = 20.5, -20
		}

		ob2 {
			id = 2
			imgUkryty = "gfx/ho/coin.jpg"
			imgDoZebrania = "gfx/ho/coin.jpg"
			imgZebrany = "gfx/ho/coin.jpg"
			ukrytyDim = 720, 360
			doZebraniaDim = 520, 710
			startRot = 0
			startScale = 1.25
			state = "DONE"
		}

		ob3 {
			id = 3
			imgUkryty = "gfx/ho/key.png"
			imgDoZebrania = "gfx/ho/key-icon.png"
			imgZebrany = "gfx/ho/key-icon.png"
			UkrytyDim = 0, 333
			doZebraniaDim = 600, 710
			state = "PICK-2"
		}

	}

	group {
		i = 3
		obj1 = 2
		obj2 = 42
		obj3 = 1
		textXY = 640.9, 690
	}

	lights {
		i = 1
		light1 {
			img = "gfx/ho/glow.png"
			position = 600.5, 80
		}

	}

	leaves {
		i = 1
		leaf1 = 100, 200, 300, 50, 4000
	}

	maska {
		i = 1
		maska1 = "gfx/ho/front.png"
		maska1dim = 250.9, 450
	}

	obiektyTla {
		i = 1
		obj1 {
			img = "gfx/ho/fish.png"
			typ = "fish"
			dims = 0, 500, 1000, 600
			handle = 15, 6.5
		}

	}

}
)";

}  // namespace

TEST_F(HOTest, ReaderDerivesWhatTheFileDoesNotStore) {
    write("scene.hol", kScene);
    std::vector<std::string> problems;
    level = read("scene.hol", &problems);
    ASSERT_EQ(level->objects.size(), 3u);  // ob1..ob3: records count from 1, ob0 is never read
    EXPECT_EQ(level->title, "The Captain's Cabin");
    EXPECT_EQ(level->time, 77);
    EXPECT_EQ(level->banki, 3000);
    EXPECT_TRUE(level->background);
    EXPECT_FALSE(level->drugiPlan);

    const auto& key = *level->objects[0];
    EXPECT_EQ(key.id, 1);
    // Written "UkrytyDim", read whole; the flying copy starts at the hiding place, never at
    // the stored zebranyDim.
    EXPECT_EQ(key.ukrytyDim->x, 300);
    EXPECT_EQ(key.ukrytyDim->y, 420);
    EXPECT_EQ(key.zebranyDim->x, 300);
    EXPECT_EQ(key.zebranyDim->y, 420);
    EXPECT_EQ(key.imgSepiaUrl, "gfx/ho/key-icon-sepia.png");
    EXPECT_TRUE(key.imgSepia);
    EXPECT_FLOAT_EQ(key.startRot, 12.5f);
    EXPECT_FLOAT_EQ(key.startScale, 1.0f);  // 0 reads as 1
    EXPECT_FLOAT_EQ(key.punktX, 20.5f);
    EXPECT_FLOAT_EQ(key.da, 1.0f);
    float hx = 0, hy = 0;
    GetImageHandle(key.imgUkryty, hx, hy);
    EXPECT_EQ(hx, 2);  // 5 x 9: handle truncated to whole pixels
    EXPECT_EQ(hy, 4);

    const auto& coin = *level->objects[1];
    EXPECT_EQ(coin.ukrytyDim->x, 720);  // lower-case key read alike
    EXPECT_EQ(coin.imgSepiaUrl, "gfx/ho/coin-sepia.png");  // a JPEG icon still has a PNG cover
    EXPECT_FLOAT_EQ(coin.da, 0.0f);  // read "DONE": no sepia cover

    // x exactly 0: the hiding place is drawn at random, and the flying copy and the start of
    // its flight are that place (not a second random one, nor x 0), so a written scene
    // reads back the same.
    const auto& lost = *level->objects[2];
    EXPECT_GE(lost.ukrytyDim->x, 50);
    EXPECT_LE(lost.ukrytyDim->x, 950);
    for (const auto* d : {&lost.zebranyDim, &lost.ZebranykopiaDim}) {
        EXPECT_EQ((*d)->x, lost.ukrytyDim->x);
        EXPECT_EQ((*d)->y, lost.ukrytyDim->y);
    }

    ASSERT_EQ(level->leaves.size(), 1u);
    const auto& leaf = *level->leaves[0];
    EXPECT_EQ(leaf.x, 100);
    EXPECT_EQ(leaf.y, 200);
    EXPECT_EQ(leaf.w, 300);  // width before height
    EXPECT_EQ(leaf.h, 50);
    EXPECT_EQ(leaf.x1, 4000);
    EXPECT_EQ(leaf.x2, 0);

    ASSERT_EQ(level->masks.size(), 1u);
    EXPECT_EQ(level->masks[0]->x, 250);  // maska1dim, a sibling key
    ASSERT_EQ(level->lights.size(), 1u);
    EXPECT_EQ(level->lights[0]->x, 600);
    EXPECT_EQ(level->lights[0]->a, level->lights[0]->da);
    ASSERT_EQ(level->obiektyTla.size(), 1u);
    EXPECT_EQ(level->obiektyTla.front()->typ, "FISH");
    EXPECT_FLOAT_EQ(level->obiektyTla.front()->hy, 6.5f);

    // The group keeps its unknown entry: it counts in the total, never as found.
    ASSERT_EQ(level->group->objects.size(), 3u);
    EXPECT_EQ(level->group->objects[0].get(), level->objects[1].get());
    EXPECT_EQ(level->group->objects[1], nullptr);
    EXPECT_EQ(level->group->getFound(), 1);
    EXPECT_EQ(level->group->x, 640);
    EXPECT_TRUE(std::any_of(problems.begin(), problems.end(),
                            [](const std::string& p) { return p.find("id 42") != std::string::npos; }));
}

// The copy of a found object (drawn at zebranyDim while it pulses and flies) shows where
// the player clicked and flies on from there without a jump: also for an object whose file
// carries another zebranyDim, and for one whose hiding place is drawn at random (x 0),
// whose copy would otherwise pulse at a second random place and fly from x 0.
TEST_F(HOTest, AFoundObjectsCopyStartsAtItsHidingPlace) {
    write("scene.hol", kScene);
    level = read("scene.hol");
    for (size_t i : {size_t(0), size_t(2)}) {
        auto& o = *level->objects[i];
        SCOPED_TRACE("object " + std::to_string(o.id));
        o.state = "";
        o.pick();
        const float hx = o.ukrytyDim->x, hy = o.ukrytyDim->y;
        float px = hx, py = hy;
        int pulse = 0, flight = 0;
        for (int f = 0; f < 400 && o.state != "DONE"; ++f) {
            now += 16;
            o.update();
            if (o.state == "PICK") {
                ++pulse;
                EXPECT_EQ(o.zebranyDim->x, hx);
                EXPECT_EQ(o.zebranyDim->y, hy);
            } else {
                ++flight;
            }
            // A frame moves the copy by less than 20 px on this curve.
            EXPECT_LT(std::hypot(o.zebranyDim->x - px, o.zebranyDim->y - py), 20.0f) << "frame " << f;
            px = o.zebranyDim->x;
            py = o.zebranyDim->y;
        }
        EXPECT_GT(pulse, 30);
        EXPECT_GT(flight, 90);
        EXPECT_EQ(o.state, "DONE");
        EXPECT_FLOAT_EQ(o.zebranyDim->x, o.doZebraniaDim->x);
        EXPECT_FLOAT_EQ(o.zebranyDim->y, o.doZebraniaDim->y);
    }
}

TEST_F(HOTest, RoundTripKeepsTheSceneAndTheMendedParts) {
    write("scene.hol", kScene);
    level = read("scene.hol");
    level->objects[0]->state = "PICK";
    level->objects[0]->zebranyDim->x = 11;  // mid-flight: never stored back
    level->time = 1234;
    ASSERT_EQ(saveHOLevel(*level, path("saved.lvl")), 0);

    auto text = files::loadText(path("saved.lvl"));
    ASSERT_TRUE(text);
    EXPECT_NE(text->find("UkrytyDim = 300, 420"), std::string::npos);  // the writer's spelling
    EXPECT_NE(text->find("maska1dim = 250, 450"), std::string::npos);

    auto back = read("saved.lvl");
    ASSERT_EQ(back->objects.size(), 3u);
    for (size_t i = 0; i < 2; ++i) {
        const auto& a = *level->objects[i];
        const auto& b = *back->objects[i];
        EXPECT_EQ(b.id, a.id);
        EXPECT_EQ(b.imgUkrytyUrl, a.imgUkrytyUrl);
        EXPECT_EQ(b.imgDoZebraniaUrl, a.imgDoZebraniaUrl);
        EXPECT_EQ(b.ukrytyDim->x, a.ukrytyDim->x);
        EXPECT_EQ(b.ukrytyDim->y, a.ukrytyDim->y);
        EXPECT_EQ(b.doZebraniaDim->x, a.doZebraniaDim->x);
        EXPECT_EQ(b.startRot, a.startRot);
        EXPECT_EQ(b.startScale, a.startScale);
        EXPECT_EQ(b.state, a.state);
        // Mended: the tick offsets survive a save.
        EXPECT_EQ(b.punktX, a.punktX);
        EXPECT_EQ(b.punktY, a.punktY);
    }
    EXPECT_EQ(back->objects[0]->zebranyDim->x, 300);
    EXPECT_EQ(back->time, 1234);
    EXPECT_EQ(back->titleN, 3);
    EXPECT_EQ(back->banki, 3000);
    EXPECT_EQ(back->backGroundUrl, "gfx/ho/back.png");
    EXPECT_EQ(back->guiUrl, "gfx/ho/front.png");
    EXPECT_EQ(back->lights.size(), 1u);
    EXPECT_EQ(back->lights[0]->url, "gfx/ho/glow.png");
    EXPECT_EQ(back->leaves[0]->x1, 4000);
    EXPECT_EQ(back->masks[0]->url, "gfx/ho/front.png");
    // Mended: the background fish survive a save.
    ASSERT_EQ(back->obiektyTla.size(), 1u);
    EXPECT_EQ(back->obiektyTla.front()->url, "gfx/ho/fish.png");
    EXPECT_EQ(back->obiektyTla.front()->y2, 600);
    // Mended: the unknown group entry keeps its place, the members after it do not shift.
    ASSERT_EQ(back->group->objects.size(), 3u);
    EXPECT_EQ(back->group->objects[0]->id, 2);
    EXPECT_EQ(back->group->objects[1], nullptr);
    EXPECT_EQ(back->group->objects[2]->id, 1);
    EXPECT_EQ(back->group->x, 640);
}

TEST_F(HOTest, MissingFileGivesAnEmptyLevelThatIsNotPlayable) {
    std::vector<std::string> problems;
    level = read("nowhere.hol", &problems);
    ASSERT_TRUE(level);
    EXPECT_TRUE(level->objects.empty());
    EXPECT_EQ(level->completed(), 1);
    EXPECT_FALSE(level->playable());
    EXPECT_FALSE(problems.empty());
}

TEST_F(HOTest, UntrustedCountsPositionsAndPicturesAreBounded) {
    write("bad.hol", "level {\n\tbackground = \"gfx/ho/none.png\"\n\tbanki = 1\n"
                     "\tobjects {\n\t\ti = 100000000\n" +
                         hoObject(1, 1, "UkrytyDim = 99999999, -99999999", "\t\t\tstate = \"\"\n") +
                         "\t}\n\tlights {\n\t\ti = -5\n\t}\n\tleaves {\n\t\ti = 1\n\t\tleaf1 = 0, 0, -10, 20, 0\n\t}\n"
                         "\tmaska {\n\t\ti = 1\n\t\tmaska1 = \"gfx/ho/gone.png\"\n\t}\n}\n");
    std::vector<std::string> problems;
    level = read("bad.hol", &problems);
    EXPECT_EQ(level->objects.size(), size_t(kHOMaxRecords));
    EXPECT_TRUE(level->lights.empty());
    EXPECT_LE(level->objects[0]->ukrytyDim->x, 4096);
    EXPECT_GE(level->objects[0]->ukrytyDim->y, -2048);
    EXPECT_GE(level->banki, 100);
    EXPECT_GE(level->leaves[0]->x1, 100);  // never a leaf every frame
    EXPECT_EQ(level->leaves[0]->w, 0);
    // The missing pictures are reported by key, and nothing is drawn in their place.
    auto mentions = [&](const std::string& what) {
        return std::any_of(problems.begin(), problems.end(),
                           [&](const std::string& p) { return p.find(what) != std::string::npos; });
    };
    EXPECT_TRUE(mentions("level::background"));
    EXPECT_TRUE(mentions("maska1"));
    EXPECT_TRUE(mentions("ob2::imgUkryty"));  // records past the file's own are empty
    EXPECT_FALSE(level->background);
    ClearRecordedDraws();
    level->masks[0]->draw();
    level->objects[1]->update();
    level->objects[1]->drawUkryty();
    EXPECT_TRUE(RecordedDraws().empty());
}
