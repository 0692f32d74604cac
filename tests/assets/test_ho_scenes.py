"""The hidden-object level files in the tree are the ones the scene table writes: a scene moved
or a thing added in gen/images/hiddenobject.py without rewriting its level file would put the
click boxes where the pictures are not (run `python3 assets/gen/images/hiddenobject.py`)."""
import os
import sys
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
GEN = os.environ.get("ZERKON_ASSET_GEN", os.path.join(HERE, "..", "..", "assets", "gen"))
TREE = os.path.join(GEN, "..", "tree")


class ShippedScenes(unittest.TestCase):
    def setUp(self):
        sys.path.insert(0, GEN)
        from images import hiddenobject
        self.scenes = hiddenobject.SCENES

    def test_level_files_are_written_from_the_scene_table(self):
        for scene in self.scenes:
            path = os.path.join(TREE, "data", "levels", "hiddenObject", scene.name + ".hol")
            with self.subTest(scene=scene.name):
                self.assertTrue(os.path.exists(path), path)
                with open(path, encoding="utf-8", newline="") as f:
                    self.assertEqual(f.read(), scene.level_text(),
                                     f"{path} is stale: run python3 assets/gen/images/hiddenobject.py")

    def test_every_front_lies_on_the_picture_and_has_a_name_of_its_own(self):
        for scene in self.scenes:
            names = [f.name for f in scene.fronts]
            self.assertEqual(len(names), len(set(names)), scene.name)
            for f in scene.fronts:
                x, y, w, h = f.box
                with self.subTest(scene=scene.name, front=f.name):
                    self.assertTrue(0 <= x and 0 <= y and x + w <= 1024 and y + h <= 768 and w > 0 and h > 0, f.box)

    def test_every_scene_has_a_title_of_its_own(self):
        # Lines 1 and 2 are the all-found caption and the hint label; a title past the end
        # of the file would show the reader's out-of-range text over the scene.
        with open(os.path.join(TREE, "txt", "en", "hiddenObject.txt"), encoding="utf-8-sig") as f:
            lines = f.read().split("\n")
        titles = {}
        for scene in self.scenes:
            with self.subTest(scene=scene.name):
                self.assertTrue(3 <= scene.title <= len(lines) and lines[scene.title - 1].strip(), scene.title)
                self.assertNotIn(scene.title, titles, f"{scene.name} has the title of {titles.get(scene.title)}")
                titles[scene.title] = scene.name


if __name__ == "__main__":
    unittest.main()
