"""Shows that the path check catches the faults it exists for, on small fixtures and on a copy
of the built tree with one fault put in at a time; and that the generators fail loudly."""
import contextlib
import io
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import unittest
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import check_tree  # noqa: E402

GEN = os.environ.get("ZERKON_ASSET_GEN", os.path.join(HERE, "..", "..", "assets", "gen"))
BUILT = os.environ.get("ZERKON_ASSET_TREE", "")


def png(w, h):
    raw = b"".join(b"\x00" + b"\x00\x00\x00\x00" * w for _ in range(h))

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))


class SmallTree(unittest.TestCase):
    """A few files in a temporary folder; each test writes what it needs."""

    def setUp(self):
        self.dir = tempfile.mkdtemp()
        self.write("txt/lang.txt", b"en\n")

    def tearDown(self):
        shutil.rmtree(self.dir)

    def write(self, rel, data):
        path = os.path.join(self.dir, rel)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)

    def tree(self):
        return check_tree.Tree(self.dir)


class LayoutCheck(SmallTree):
    def test_image_and_text_references(self):
        self.write("gfx/Gui/Btn/EN/ok.png", png(40, 10))
        self.write("txt/en/labels.txt", b"One\nTwo\n")
        self.write("gfx/fonts/berry.ttf", b"font")
        cases = [
            # layout body, expected problem fragment (None = clean)
            ('BUTTON ok { TYP = FSTEP_BUTTON GFX = gfx/gui/btn/#LANG#/OK.png POSITION = "10 20" }', None),
            ('BUTTON ok { TYP = FSTEP_BUTTON GFX = gfx/gui/btn/#LANG#/gone.png }', "not in the tree"),
            ('FONT f { URL = gfx/fonts/berry.ttf SIZE = 20 }\nTEXT t { TXT = "[txt/#LANG#/labels.txt|2]" FONT = f }',
             None),
            ('FONT f { URL = gfx/fonts/berry.ttf }\nTEXT t { TXT = "[txt/#LANG#/labels.txt|3]" FONT = f }',
             "which it lacks"),
            ('TEXT t { TXT = hi FONT = f }\nFONT f { URL = gfx/fonts/berry.ttf }', "before it is declared"),
            ('FONT f { URL = gfx/fonts/missing.ttf }', "not in the tree"),
            ('TEXT t { TXT = "" POSITION = "1 2" }', "empty quoted value"),
            ('TEXT t { POSITION = "1  2" }', "one blank"),
            ('BUTTON ok { TYP = SIMPLE_BUTTON GFX = gfx/gui/btn/en/ok.png } }', "stray token"),
        ]
        for body, expected in cases:
            with self.subTest(body=body):
                self.write("gfx/gui/x/en/x.gui", body.encode())
                problems = check_tree.check_layout(self.tree(), "gfx/gui/x/<lang>/x.gui")
                if expected is None:
                    self.assertEqual(problems, [])
                else:
                    self.assertTrue(any(expected in p for p in problems), problems)

    def test_required_widgets_and_power_up_kind(self):
        self.write("gfx/b.png", png(40, 10))
        self.write("gfx/gui/g/en/g.gui", b"BUTTON bonus1 { TYP = FSTEP_BUTTON GFX = gfx/b.png }\n"
                                         b"BUTTON Menu { TYP = FSTEP_BUTTON GFX = gfx/b.png }\n")
        problems = check_tree.check_layout(self.tree(), "gfx/gui/g/<lang>/g.gui", ["menu", "bonus1", "skip"])
        self.assertTrue(any("'skip' is missing" in p for p in problems), problems)
        self.assertTrue(any("FSTEP_BUTTON_ZERKON" in p for p in problems), problems)
        self.assertFalse(any("'menu'" in p for p in problems), problems)


class WordCheck(SmallTree):
    def test_retired_synonyms_are_named(self):
        cases = [
            # language, text of txt/<lang>/tips.txt, the words expected to be named
            ("en", b"Uncover this crate!\nBreak the empty cells.\n", []),
            ("en", b"Uncover this tile!\n", ["tips.txt line 1: 'tile'"]),
            ("en", b"Wooden Covers hide\nthe TILES and squares\n", ["line 1: 'Covers'", "line 2: 'TILES'", "'squares'"]),
            ("en", b"Uncovered, discovered, tiled\n", []),
            # The list is English: another language keeps its own words.
            ("pl", b"tile\n", []),
        ]
        for lang, text, expected in cases:
            with self.subTest(text=text, lang=lang):
                self.write(f"txt/{lang}/tips.txt", text)
                problems = check_tree.check_words(self.tree())
                self.assertEqual(len(problems), len(expected), problems)
                for e in expected:
                    self.assertTrue(any(e in p for p in problems), problems)
                os.remove(os.path.join(self.dir, "txt", lang, "tips.txt"))


class DialogueSpeakerCheck(SmallTree):
    def test_each_line_shows_its_speakers_portrait(self):
        self.write("gfx/p/quill.png", png(8, 8))
        self.write("gfx/p/hobb.png", png(8, 8))
        self.write("txt/en/dialogs.txt", b"Quill: Ahoy!\nHobb: Aye.\nNobody speaks here.\n")
        cases = [
            # line values of one dialogue whose slots hold quill (0) and hobb (1); expected fragments
            (['"1 500 0 1 2 3"', '"2 900 1 1 2 3"'], []),
            (['"1 500 1 1 2 3"'], ["Quill speaks, but the portrait shown is 'gfx/p/hobb.png'"]),
            (['"3 500 0 1 2 3"'], ["line 3: does not begin with its speaker's name"]),
            (['"9 500 0 1 2 3"'], ["has no line 9"]),
            (['"2 500 7 1 2 3"'], ["Hobb speaks, but the portrait shown is 'none'"]),
        ]
        for values, expected in cases:
            with self.subTest(values=values):
                lines = "".join(f"\t\ttxt{m} = {v}\n" for m, v in enumerate(values, 1))
                self.write("data/dialogs.dat", (
                    'dialogs {\n\ti = 1\n\ttext1 {\n\t\timgI = 2\n\t\timg1 = "gfx/p/quill.png"\n'
                    f'\t\timg2 = "gfx/p/hobb.png"\n\t\ti = {len(values)}\n{lines}\t}}\n}}\n').encode())
                problems = check_tree.check_dialogue_speakers(self.tree())
                self.assertEqual(len(problems), len(expected), problems)
                for e in expected:
                    self.assertTrue(any(e in p for p in problems), problems)


class KeyedFileCheck(unittest.TestCase):
    def test_format_faults(self):
        cases = [
            ('g {\n\tk = "v"\n\tn = 5\n}\n', None),
            ('g {\n\tk = "v"\n', "do not balance"),
            ('g {\n\tk = "v"\n\tn = 5}', "brace shares a line"),
            ('g {\n\tk ="v"\n}\n', "one blank and a quoted text"),
            ('g {\n\tk = v\n}\n', "one blank and a quoted text"),
            ('g {\n\tstray\n\tk = "v"\n}\n', "stray text"),
            ('g {\n\tk = "a=b"\n}\n', "second '='"),
            ('g {\n\tk = ""\n}\n', None),
        ]
        for text, expected in cases:
            with self.subTest(text=text):
                _, problems = check_tree.parse_keyed(text, "f.dat")
                if expected is None:
                    self.assertEqual(problems, [])
                else:
                    self.assertTrue(any(expected in p for p in problems), problems)

    def test_values_and_lookup_ignore_case(self):
        entries, problems = check_tree.parse_keyed('Top {\n\tSub {\n\t\tColour = 1, 2, 3\n'
                                                   '\t\turl = "a/b.png", "c"\n\t}\n}\n', "f")
        self.assertEqual(problems, [])
        self.assertEqual(check_tree.lookup(entries, "top::sub::COLOUR"), ["1", "2", "3"])
        self.assertEqual(check_tree.lookup(entries, "TOP::SUB::url"), ["a/b.png", "c"])
        self.assertIsNone(check_tree.lookup(entries, "top::url"))

    def test_encoding(self):
        self.assertEqual(check_tree.encoding_problems("a", b"plain\n"), [])
        self.assertEqual(check_tree.encoding_problems("a", b"\xef\xbb\xbfcaf\xc3\xa9\n"), [])
        self.assertTrue(check_tree.encoding_problems("a", "café\n".encode()))
        self.assertTrue(check_tree.encoding_problems("a", b"line\r\n"))


@unittest.skipUnless(BUILT and os.path.isdir(os.path.join(BUILT, "gfx")), "no built tree given")
class BuiltTreeFaults(unittest.TestCase):
    """Copies the built tree, breaks one thing, and expects the check to name it."""

    @classmethod
    def setUpClass(cls):
        cls.clean = tempfile.mkdtemp()
        for top in ("gfx", "sfx", "data", "txt"):
            shutil.copytree(os.path.join(BUILT, top), os.path.join(cls.clean, top))

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.clean)

    def setUp(self):
        self.dir = os.path.join(tempfile.mkdtemp(), "tree")
        self.fresh()

    def tearDown(self):
        shutil.rmtree(os.path.dirname(self.dir))

    def fresh(self):
        """A clean copy of the built tree in self.dir."""
        if os.path.exists(self.dir):
            shutil.rmtree(self.dir)
        shutil.copytree(self.clean, self.dir)

    def put(self, rel, data):
        with open(self.path(rel), "wb") as f:
            f.write(data)

    def path(self, rel):
        return os.path.join(self.dir, rel)

    def edit(self, rel, old, new):
        with open(self.path(rel), encoding="latin-1") as f:
            text = f.read()
        self.assertIn(old, text)
        with open(self.path(rel), "w", encoding="latin-1", newline="") as f:
            f.write(text.replace(old, new, 1))

    def test_the_built_tree_is_clean(self):
        self.assertEqual(check_tree.check_all(self.dir), [])

    def test_each_fault_is_named(self):
        faults = [
            (lambda: os.remove(self.path("gfx/gui/mouse/oko-3.png")), "oko-3.png: missing"),
            (lambda: os.remove(self.path("sfx/coin_2.ogg")), "sfx/coin_2.ogg"),
            (lambda: self.put("gfx/gui/mainGame/chest-back.png", png(200, 205)),
             "must be 7 cells of 200 x 205"),
            (lambda: self.put("gfx/gui/mouse/mapa-3.png", png(6, 4)), "outside"),
            (lambda: self.edit("data/globalSnd.dat", 'id = "chest_hit_2"', 'id = "chest_hit_9"'), "chest_hit_2"),
            (lambda: self.edit("data/musicQ.txt", '"level-2"', '"level-22"'), "level-22"),
            (lambda: self.edit("gfx/gui/window/temat.txt", "okno-up.png", "okno-UP.png"), None),
            (lambda: self.edit("gfx/gui/window/temat.txt", "okno-up.png", "okno-top.png"), "okno-top.png"),
            (lambda: os.remove(self.path("gfx/gui/window/okno-srodek.png")), "okno-srodek.png"),
            (lambda: self.edit("gfx/gui/options/en/options.gui", "BUTTON rules", "BUTTON rulez"), "'rules'"),
            (lambda: self.edit("txt/en/profileManager.txt", "Choose your pirate\n", ""), "profileManager.txt"),
            (lambda: self.edit("data/powerUps.dat", "\t}\n}", "\t}\n"), "do not balance"),
            (lambda: self.edit("txt/en/specialTip.txt", "this crate", "this tile"), "specialtip.txt line 1: 'tile'"),
        ]
        for make, expected in faults:
            with self.subTest(expected=expected):
                self.fresh()
                make()
                problems = check_tree.check_all(self.dir)
                if expected is None:
                    self.assertEqual(problems, [], "a difference in case must still resolve")
                else:
                    self.assertTrue(any(expected in p for p in problems), problems)


class SourcesStayText(unittest.TestCase):
    def test_no_binary_file_among_the_sources(self):
        roots = [os.path.join(GEN, ".."), os.path.join(HERE, "..", "..", "tools"), HERE]
        for root in roots:
            for dirpath, dirs, files in os.walk(root):
                dirs[:] = [d for d in dirs if d != "__pycache__"]
                for f in files:
                    path = os.path.join(dirpath, f)
                    with open(path, "rb") as fh:
                        data = fh.read()
                    with self.subTest(path=path):
                        self.assertNotIn(b"\x00", data, "binary file among the sources")
                        data.decode("utf-8")


class GeneratorsFailLoudly(unittest.TestCase):
    def test_unknown_sound_names_itself_and_writes_nothing(self):
        with tempfile.TemporaryDirectory() as d:
            out = os.path.join(d, "x.ogg")
            r = subprocess.run([sys.executable, os.path.join(GEN, "build_sound.py"), "--name", "no_such_sound",
                                "--out", out], capture_output=True, text=True)
            self.assertNotEqual(r.returncode, 0)
            self.assertIn("no_such_sound", r.stderr)
            self.assertFalse(os.path.exists(out))

    def test_broken_picture_names_itself_and_leaves_no_file(self):
        sys.path.insert(0, GEN)
        import build_images
        import svgkit
        with tempfile.TemporaryDirectory() as d:
            err = io.StringIO()
            with self.assertRaises(SystemExit), contextlib.redirect_stderr(err):
                build_images.render("test", "gfx/broken.png", svgkit.Image(10, 10, "<g><unclosed></g>"), d, "png2jpg")
            self.assertIn("gfx/broken.png", err.getvalue())
            self.assertEqual(os.listdir(os.path.join(d, "gfx")), [])


if __name__ == "__main__":
    unittest.main()
