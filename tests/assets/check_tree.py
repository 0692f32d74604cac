#!/usr/bin/env python3
"""Checks the built asset tree: every path that a data file, theme or layout names resolves
(ignoring case, as the game resolves it), every file the start-up and loading sequence opens by a
fixed name exists with the size, frame count and line count the game expects, and every sound
and music name the game starts is in the sound table.

  check_tree.py --tree build/assets [--manifest build/assets-manifest.txt]

Prints one line per problem and exits 1 when there is any.
"""
import argparse
import os
import re
import struct
import sys

IMAGE_EXT = (".png", ".jpg")
PATH_EXT = IMAGE_EXT + (".ogg", ".ttf", ".gui", ".txt", ".dat", ".lvl", ".hol")

CURSORS = {  # file -> hot spot; the hot spot must lie inside the picture
    "hook.png": (10, 12), "hand.png": (2, 2),
    "oko.png": (18, 17), "oko-1.png": (11, 11), "oko-2.png": (9, 8), "oko-3.png": (8, 8), "oko-4.png": (6, 7),
    "czaszka.png": (21, 17), "czaszka-1.png": (16, 15), "czaszka-2.png": (13, 11), "czaszka-3.png": (9, 10),
    "czaszka-4.png": (8, 6),
    "mapa.png": (13, 13), "mapa-1.png": (10, 9), "mapa-2.png": (8, 8), "mapa-3.png": (6, 4), "mapa-4.png": (5, 4),
}

EFFECTS = ["begin", "win", "lose", "click", "hint", "living", "put", "rotate", "bonus_bag", "bonus_eye",
           "bonus_loadup", "bonus_map", "bonus_medalion", "bonus_skull", "bonus_sword", "break_right",
           "break_wrong", "tile_right", "tile_wrong", "chest_blow", "chest_hit_1", "chest_hit_2", "chest_hit_3",
           "coin_1", "coin_2", "coin_3", "coin_4", "HO_bad", "HO_hint", "HO_ok", "puzzles_end_level"]
MUSIC = ["start", "title-screen", "intro-2", "end"]

# Files opened by a fixed name: path -> requirement. <lang> is the language code.
#   ("size", w, h)     exact picture size
#   ("strip", n, w, h) n cells of w x h side by side
#   ("min_width", w)   at least w wide
#   ("lines", n)       a language text with at least n lines
#   None               must only exist
FIXED = {
    "gfx/point.png": None,
    "gfx/gui/window/temat.txt": None,
    "gfx/gui/loading/back.jpg": ("size", 1024, 768),
    "gfx/gui/loading/false.png": None,
    "gfx/gui/loading/true.png": None,
    "gfx/gui/loading/loading.png": None,
    "gfx/gui/loading/<lang>/logo.png": None,
    "gfx/gui/options/suwak.png": None,
    "gfx/gui/options/bar.png": None,
    "gfx/gui/options/pasek.png": ("min_width", 395),
    "gfx/gui/options/<lang>/options.gui": None,
    "gfx/gui/profileManager/panel.png": None,
    "gfx/gui/profileManager/<lang>/profileManager.gui": None,
    "gfx/gui/mainGame/<lang>/game.gui": None,
    "gfx/gui/mainGame/gui.png": ("size", 1024, 768),
    "gfx/gui/mainGame/chest-back.png": ("strip", 7, 200, 205),
    "gfx/gui/mainGame/chest-front.png": ("strip", 7, 200, 205),
    "gfx/gui/mainGame/klepsydra.png": None,
    "gfx/gui/mainGame/chest-cover.png": None,
    "gfx/gui/mainGame/worek.png": None,
    "gfx/gui/mainGame/hint-anim.png": ("strip", 8, 80, 54),
    "gfx/gui/mainGame/shell-over.png": None,
    "gfx/gui/mainGame/gwiazda.png": None,
    "gfx/gui/mainGame/grid-0.png": ("size", 50, 50),
    "gfx/gui/mainGame/grid-1.png": ("size", 36, 36),
    "gfx/gui/mainGame/grid-2.png": ("size", 30, 30),
    "gfx/gui/mainGame/grid-3.png": ("size", 24, 24),
    "gfx/gui/mainGame/grid-4.png": ("size", 20, 20),
    "gfx/gui/mainGame/punkt.png": None,
    "gfx/gui/specialTip/back.png": None,
    "gfx/gui/tutorial/back.png": None,
    "gfx/gui/tutorial/back-medium.png": None,
    "gfx/gui/tutorial/back-large.png": None,
    "gfx/gui/tutorial/back-normal.png": None,
    "gfx/gui/tutorial/arrow.png": None,
    "gfx/gui/tutorial/arrow2.png": None,
    "gfx/gui/tutorial/<lang>/tutorial.gui": None,
    "data/tutorial.dat": None,
    "gfx/fonts/berry.ttf": None,
    "gfx/fonts/font.ttf": None,
    "gfx/fonts/bluehigh.ttf": None,
    "gfx/fonts/storyFont.ttf": None,
    "data/globalSnd.dat": None,
    "data/musicQ.txt": None,
    "data/powerUps.dat": None,
    "txt/<lang>/name.txt": ("lines", 1),
    "txt/<lang>/pauseGame.txt": ("lines", 1),
    "txt/<lang>/profileManager.txt": ("lines", 8),
    "txt/<lang>/mainGame.txt": ("lines", 6),
    "txt/<lang>/specialTip.txt": ("lines", 2),
    "txt/<lang>/tutorial.txt": ("lines", 18),
    "txt/<lang>/Rules.txt": ("lines", 5),
    "txt/<lang>/highscores.txt": ("lines", 2),
    "txt/<lang>/story-flow-2.txt": ("lines", 1),
    "txt/<lang>/story-flow-4.txt": ("lines", 1),
    "txt/<lang>/story-flow-5.txt": ("lines", 1),
    "txt/<lang>/story-flow-6.txt": ("lines", 1),
}
for _n in ("reka", "hak"):
    for _s in ("over", "click", "normal"):
        FIXED[f"gfx/gui/mainGame/{_n}-{_s}.png"] = None
for _i in range(1, 8):
    FIXED[f"gfx/particles/chest/part-{_i}.png"] = None
# The block puzzle screen: the chest and its lid frame the field, the rail holds the blocks.
FIXED.update({
    "gfx/miniGames/puzzleExpress/chest.png": ("size", 504, 400),
    "gfx/miniGames/puzzleExpress/chest-Cover.png": ("size", 420, 304),
    "gfx/miniGames/puzzleExpress/papier.png": None,
    "gfx/miniGames/puzzleExpress/hint.png": None,
    "gfx/miniGames/puzzleExpress/hints_front.png": None,
    "gfx/miniGames/puzzleExpress/hints_back.png": None,
    "gfx/miniGames/puzzleExpress/gui.png": None,
    "gfx/miniGames/puzzleExpress/tile.png": ("size", 48, 48),  # the cell of the field and of every block
    "gfx/miniGames/puzzleExpress/<lang>/puzzleExpress.gui": None,
    "txt/<lang>/puzzleExpress.txt": ("lines", 2),
    "txt/<lang>/puzzleTexts.txt": None,
})
# The hidden-object screen: its layout, the top panel with the hint bar and its cover, the tick,
# the all-found plaque and its light; the texts (line 1 the all-found caption, 2 the hint,
# then the scenes' titles).
FIXED.update({
    "gfx/miniGames/hiddenObjects/<lang>/hiddenObject.gui": None,
    "gfx/minigames/gornyPanel.png": ("size", 1024, 52),
    "gfx/minigames/pasek.png": None,
    "gfx/minigames/nakrycie.png": None,
    "gfx/miniGames/hiddenObjects/pick.png": None,
    "gfx/miniGames/hiddenObjects/allFound.png": None,
    "gfx/miniGames/hiddenObjects/allFoundGlow.png": None,
    "txt/<lang>/hiddenObject.txt": ("lines", 4),
})
for _f in CURSORS:
    FIXED["gfx/gui/mouse/" + _f] = None
# The sea map's marks (not reached, current, sailed) and the label under a name.
for _f in ("stage-0.png", "stage-1.png", "stage-done.png", "label.png"):
    FIXED["gfx/gui/mapa/" + _f] = None
# The board's hover frame and clue digits, one per tile size class.
for _px in (50, 36, 30, 24, 20):
    FIXED[f"gfx/tiles/over-size-{_px}.png"] = None
    for _d in range(10):
        FIXED[f"gfx/numbers/{_d}-{_px}.png"] = None
# Ambience: weather sprites, the wave frames, clouds, stripes and the fronds (their stems
# are the handles the game sets).
for _f in ("kropla", "ball", "lisc1", "lisc2", "lisc3", "ziarno", "ziarno2", "ziarno3", "banka"):
    FIXED[f"gfx/particles/pogoda/{_f}.png"] = None
for _i in range(10):
    FIXED[f"gfx/efekty/fale/{_i}.png"] = None
for _f in ("chmura-1", "chmura-2", "stripe0", "stripe1"):
    FIXED[f"gfx/efekty/{_f}.png"] = None
FIXED["gfx/efekty/leaf-1.png"] = ("size", 300, 240)
FIXED["gfx/efekty/leaf-2.png"] = ("size", 130, 270)
# The sword, the wood plates of a broken cover (one square per cell class), and the sea
# creatures of data/livings.dat (a still strip of 6 and an idle strip of 8 per class).
FIXED["gfx/efekty/miecz.png"] = None
FIXED["data/livings.dat"] = None
for _n, _px in enumerate((50, 36, 30, 24, 20)):
    FIXED[f"gfx/particles/tiles/wood-{_px}.png"] = ("size", _px, _px)
    for _c in ("star", "seahorse", "turtle", "shell", "crab"):
        FIXED[f"gfx/livings/{_c}_{_n}.png"] = ("strip", 6, _px, _px)
        FIXED[f"gfx/livings/{_c}-idle-{_n}.png"] = ("strip", 8, _px, _px)
# The rules page and the high-score board.
FIXED["gfx/gui/rulesScreen/back.jpg"] = ("size", 1024, 768)
FIXED["gfx/gui/rulesScreen/pomoc1.png"] = ("size", 420, 400)
FIXED["gfx/gui/rulesScreen/pomoc2.png"] = ("size", 420, 380)
FIXED["gfx/gui/highscores/back.jpg"] = ("size", 1024, 768)

# Widgets the code asks each layout for, by name (compared ignoring case).
LAYOUT_WIDGETS = {
    "gfx/gui/options/<lang>/options.gui": ["on", "off", "onW", "offW", "onC", "offC", "plus1", "minus1", "plus2",
                                           "minus2", "ok", "credits", "restart", "mainMenu", "backToMap", "rules"],
    "gfx/gui/profileManager/<lang>/profileManager.gui": ["ok", "new", "delete", "rename", "up", "down"],
    "gfx/gui/mainGame/<lang>/game.gui": ["menu", "skip", "bonus1", "bonus2", "bonus3", "bonus4", "bonus5",
                                         "bonus6"],
}
ZERKON_BUTTONS = {"bonus1", "bonus2", "bonus3", "bonus4", "bonus5"}

# The title screen, its two overlays and the stage screen.
FIXED.update({
    "gfx/gui/mainMenu/back.jpg": ("size", 1024, 768),
    "gfx/gui/mainMenu/cloud-1.png": None,
    "gfx/gui/mainMenu/cloud-2.png": None,
    "gfx/gui/mainMenu/beam-1.png": None,
    "gfx/gui/mainMenu/beam-2.png": None,
    "gfx/gui/mainMenu/beam-3.png": None,
    "gfx/gui/mainMenu/<lang>/logo.png": None,
    "gfx/gui/continueQuest/scroll.png": None,
    "gfx/gui/popUp/panel.png": None,
    "gfx/gui/stageScreen/panel.png": ("size", 1024, 768),
    "gfx/gui/stageScreen/level_zerkon.png": None,
    "gfx/gui/stageScreen/level_express.png": None,
    "gfx/gui/stageScreen/level_ho.png": None,
    "gfx/gui/stageScreen/level_inLay.png": None,
    "txt/<lang>/mainMenu.txt": ("lines", 11),
    "txt/<lang>/stageScreen.txt": ("lines", 20),
})
LAYOUT_WIDGETS.update({
    "gfx/gui/mainMenu/<lang>/mainMenu.gui": ["play", "options", "awards", "exit"],
    "gfx/gui/continueQuest/<lang>/continue.gui": ["resume", "new", "exit"],
    "gfx/gui/pickFlow/<lang>/pickFlow.gui": ["casual", "hard"],
    "gfx/gui/stageScreen/<lang>/stageScreen.gui": ["back", "play"],
})

# The end of a level: the win and lose screens and the captions over the board.
FIXED.update({
    "gfx/gui/winScreen/panel.png": ("size", 560, 640),
    "txt/<lang>/winScreen.txt": ("lines", 11),
    "gfx/gui/loseScreen/panel.png": None,
    "txt/<lang>/loseScreen.txt": ("lines", 5),
    "gfx/captions/txt/plus.png": None,
})
for _n in range(10):
    FIXED[f"gfx/captions/cyfry/{_n}.png"] = None
for _w in ("magnificent", "great", "fantastic", "superb", "level-completed"):
    FIXED[f"gfx/captions/txt/<lang>/{_w}.png"] = None
LAYOUT_WIDGETS.update({
    "gfx/gui/winScreen/<lang>/winScreen.gui": ["awards"],
    "gfx/gui/loseScreen/<lang>/loseScreen.gui": ["restart", "mapa", "mainMenu"],
})

# The shared panels: the question box, the name entry and the parchment scroll.
FIXED["gfx/gui/enterName/panel.png"] = None
for _p in ("gora", "srodek", "dol"):
    for _q in ("lewo", "srodek", "prawo"):
        FIXED[f"gfx/gui/papirus/{_p}-{_q}.png"] = None
LAYOUT_WIDGETS.update({
    "gfx/gui/popUp/<lang>/popUp.gui": ["t1", "yes", "no"],
    "gfx/gui/enterName/<lang>/enterName.gui": ["ok", "cancel"],
})

# Awards: their definitions and the panel that grants one.
FIXED.update({
    "data/awards.dat": None,
    "txt/<lang>/awards.txt": ("lines", 75),
    "txt/<lang>/giveAward.txt": ("lines", 3),
    "gfx/gui/giveAward/panel.png": None,
})
LAYOUT_WIDGETS["gfx/gui/giveAward/<lang>/giveAward.gui"] = ["ok"]

# The award gallery, the award details panel, and the story dialogues with their box.
FIXED.update({
    "gfx/gui/awardScreen/back.jpg": ("size", 1024, 768),
    "txt/<lang>/awardScreen.txt": ("lines", 2),
    "gfx/gui/showAward/panel.png": None,
    "data/dialogs.dat": None,
    "txt/<lang>/dialogs.txt": None,
    "txt/<lang>/dialogBox.txt": ("lines", 1),
    "gfx/gui/story/panel.png": ("size", 624, 340),
    "gfx/gui/story/kolko.png": ("size", 180, 180),
    "gfx/gui/story/bars.png": ("size", 1024, 400),
})
LAYOUT_WIDGETS["gfx/gui/showAward/<lang>/showAward.gui"] = ["ok"]

# The story: the credits, the story-map interlude and the shared story font.
FIXED.update({
    "gfx/gui/credits/credits.jpg": ("size", 1024, 768),
    "gfx/gui/ending/back.jpg": ("size", 1024, 768),
    "txt/<lang>/credits.txt": ("lines", 1),
    "gfx/backgrounds/background-12.jpg": ("size", 1024, 768),
    "data/story-maps.dat": None,
    "txt/<lang>/story-maps.txt": ("lines", 4),
    "gfx/fonts/storyFont.ttf": None,
    # the story start, its plane's smoke and the outro
    "data/story-start.dat": None,
    "txt/<lang>/story-start.txt": ("lines", 8),
    "data/storyOutro.dat": None,
    "txt/<lang>/storyOutro.txt": ("lines", 5),
    "gfx/story/start/bars.png": ("size", 1024, 768),
    "gfx/story/Intro/panele.png": ("size", 1024, 768),
    "gfx/story/start/back-01-up.jpg": ("size", 1024, 600),
    "gfx/story/start/back-01-down.jpg": ("size", 1024, 600),
    "gfx/story/start/chest.png": None,
    "gfx/story/start/pistol.png": None,
    "gfx/story/start/pistol-shadow.png": None,
    "gfx/story/start/back-02.jpg": ("size", 1024, 768),
    "gfx/story/start/hero-shadow.png": None,
    "gfx/story/start/back-03-1.jpg": None,
    "gfx/story/start/back-03-2.jpg": None,
    "gfx/story/start/back-03-3.jpg": None,
    "gfx/story/start/back-03-end.jpg": ("size", 1024, 768),
    "gfx/story/start/plane.png": None,
    "gfx/particles/dym-1.png": None,
    "gfx/particles/dym-2.png": None,
    "gfx/story/Outro/sc1/background.png": None,
    "gfx/story/Outro/sc1/bags.png": None,
    "gfx/story/Outro/sc2/background.png": None,
    "gfx/story/Outro/sc2/plane.png": None,
    "gfx/story/Outro/sc3/background.png": ("size", 1024, 768),
    "gfx/story/outro/sc3/plane.png": None,
    "gfx/story/Outro/sc4/background.png": ("size", 1024, 768),
})

# The opening film: its pictures, texts and the sounds of its own folder.
FIXED.update({
    "data/story-intro.dat": None,
    "txt/<lang>/story-texts.txt": ("lines", 9),
    "gfx/backgrounds/background-11.jpg": ("size", 1024, 800),
    "gfx/story/intro/story-1-background.jpg": ("size", 1024, 768),
    "gfx/story/intro/story-2-background.jpg": ("size", 1024, 768),
    "gfx/story/intro/belki.png": ("size", 1024, 768),
    "gfx/story/intro/postacie.png": ("size", 1024, 768),
    "gfx/story/intro/ship-1.png": ("size", 300, 470),
    "gfx/story/intro/ship-2.png": ("size", 200, 320),
    **{f"gfx/story/intro/{n}": None for n in (
        "ship-1-shadow.png", "ship-2-shadow.png", "Overlay.png", "cannon.png", "mist1.png", "mist2.png", "pirate.png",
        "map-part-1.png", "map-part-2.png", "map-part-3.png", "map-part-4.png", "dot.png", "cross.png",
        "gameField-1.png", "gameField-2.png")},
    **{f"sfx/Intro/{n}.ogg": None for n in (
        "ship", "burning", "cannon-fire-1", "cannon-fire-2", "ship_hit", "bubles", "chaos", "wreck", "grids", "ghost",
        "x_on_map", "torn_map")},
})

# The inlay game: the triangle cell (its size is the grid pitch), the slab, lid, hammer, anvil,
# ring and shelf, its shapes and layout.
FIXED.update({
    "gfx/miniGames/layPuzzle/empty-tri.png": ("size", 32, 26),
    "gfx/miniGames/layPuzzle/filed-tri.png": ("size", 32, 26),
    "gfx/miniGames/layPuzzle/mlotek.png": ("size", 120, 180),
    "gfx/miniGames/layPuzzle/obwodka.png": ("size", 128, 128),
    **{f"gfx/miniGames/layPuzzle/{n}": None for n in ("stone.png", "stone-cover.png", "kowadlo.png", "shelf.png")},
    "gfx/miniGames/layPuzzle/<lang>/layPuzzle.gui": None,
    "data/layPuzzle-blocks.dat": None,
})
LAYOUT_WIDGETS["gfx/miniGames/layPuzzle/<lang>/layPuzzle.gui"] = ["menu"]
LAYOUT_WIDGETS["gfx/miniGames/hiddenObjects/<lang>/hiddenObject.gui"] = ["menu"]

THEME_KEYS = {
    "okno": ["leftUp", "Up", "rightUp", "right", "rightdown", "down", "leftdown", "left", "srodek"],
    "belka": ["lewo", "srodek", "prawo", "LU", "U", "RU", "R", "RD", "D", "LD", "L", "Middle"],
    "suwak": ["przyciskGora", "przyciskDol", "pasekGora", "pasekSrodek", "pasekDol", "suwakGora", "suwakSrodek",
              "suwakDol"],
}


class Tree:
    """The built tree with the game's case-insensitive name resolution."""

    def __init__(self, root):
        self.root = root
        self.index = {}
        for dirpath, _, files in os.walk(root):
            for f in files:
                full = os.path.join(dirpath, f)
                rel = os.path.relpath(full, root).replace(os.sep, "/")
                self.index.setdefault(rel.lower(), full)
        lang_file = self.resolve("txt/lang.txt")
        self.lang = read_text(lang_file).strip() if lang_file else ""

    def resolve(self, rel):
        rel = rel.replace("\\", "/").lstrip("/")
        while "//" in rel:
            rel = rel.replace("//", "/")
        return self.index.get(rel.lower())

    def expand(self, rel):
        return rel.replace("<lang>", self.lang).replace("#LANG#", self.lang)


def read_bytes(path):
    with open(path, "rb") as f:
        return f.read()


def decode(data):
    """Text as the game reads it: a byte-order mark decides, else one byte per character."""
    if data.startswith(b"\xef\xbb\xbf"):
        return data[3:].decode("utf-8")
    if data.startswith(b"\xff\xfe"):
        return data[2:].decode("utf-16-le")
    if data.startswith(b"\xfe\xff"):
        return data[2:].decode("utf-16-be")
    return data.decode("latin-1")


def read_text(path):
    return decode(read_bytes(path))


def encoding_problems(path, data):
    out = []
    if b"\r" in data:
        out.append(f"{path}: carriage return found; author with LF only")
    if not data.startswith((b"\xef\xbb\xbf", b"\xff\xfe", b"\xfe\xff")) and any(b > 127 for b in data):
        out.append(f"{path}: non-ASCII text without a byte-order mark would be read as Latin-1")
    return out


def image_size(path):
    data = read_bytes(path)
    if data[:8] == b"\x89PNG\r\n\x1a\n":
        return struct.unpack(">II", data[16:24])
    if data[:2] == b"\xff\xd8":
        i = 2
        while i + 9 < len(data):
            if data[i] != 0xFF:
                break
            marker = data[i + 1]
            length = struct.unpack(">H", data[i + 2:i + 4])[0]
            if marker in (0xC0, 0xC1, 0xC2):
                h, w = struct.unpack(">HH", data[i + 5:i + 9])
                return w, h
            i += 2 + length
    return None


def text_lines(text):
    """Lines as the language-text reader counts them: split at LF, an empty last piece dropped."""
    lines = text.split("\n")
    if lines and lines[-1] == "":
        lines.pop()
    return lines


# --- keyed data files ------------------------------------------------------------------

def parse_keyed(text, name):
    """A strict reading of the keyed data format. Returns (entries, problems) where entries are
    (group path, key, [values]); string values come back without their quotes."""
    problems = []
    depth = 0
    in_q = False
    opens = closes = 0
    for ch in text:
        if ch == '"':
            in_q = not in_q
        elif not in_q and ch == "{":
            opens += 1
        elif not in_q and ch == "}":
            closes += 1
    if opens != closes:
        return [], [f"{name}: braces do not balance ({opens} open, {closes} close); the game reads it as empty"]
    entries = []
    stack = []
    for no, raw in enumerate(text.split("\n"), start=1):
        line = raw.strip()
        if not line:
            continue
        if line.endswith("{"):
            stack.append(line[:-1].strip())
            depth += 1
            continue
        if line == "}":
            if not stack:
                problems.append(f"{name}:{no}: unmatched }}")
            else:
                stack.pop()
            continue
        if "=" not in line:
            problems.append(f"{name}:{no}: stray text '{line}' would glue onto the next key")
            continue
        if "}" in line or "{" in line:
            problems.append(f"{name}:{no}: a brace shares a line with an entry")
            continue
        key, value = raw.split("=", 1)
        key = key.strip()
        if value.count("=") > 0:
            problems.append(f"{name}:{no}: a second '=' cuts the value")
        pieces = split_values(value)
        vals = []
        first = value.strip()[:1]
        is_number = first.isdigit() or first == "-"
        for p in pieces:
            if is_number:
                vals.append(p.strip())
            elif len(p) >= 4 and p.startswith(' "') and p.endswith('"'):
                vals.append(p[2:-1])
            elif p == ' ""':
                vals.append("")  # the writer's form of an empty text
            else:
                problems.append(f"{name}:{no}: value {p!r} of '{key}' must be written as one blank and a quoted text")
                vals.append("")
        entries.append(("::".join(stack), key, vals))
    if stack:
        problems.append(f"{name}: group '{stack[-1]}' is not closed")
    if text and not text.endswith("\n"):
        last = text.rstrip("}").rstrip()
        if "=" in last.split("\n")[-1]:
            problems.append(f"{name}: the last entry has no line feed and would be dropped")
    return entries, problems


def split_values(value):
    out, cur, in_q = [], "", False
    for ch in value:
        if ch == '"':
            in_q = not in_q
        if ch == "," and not in_q:
            out.append(cur)
            cur = ""
        else:
            cur += ch
    if cur != "":
        out.append(cur)
    return out


def looks_like_path(v):
    return "/" in v and v.lower().endswith(PATH_EXT)


def check_keyed_file(tree, rel):
    path = tree.resolve(rel)
    if not path:
        return [f"{rel}: missing"], []
    data = read_bytes(path)
    problems = encoding_problems(rel, data)
    entries, p = parse_keyed(decode(data), rel)
    problems += p
    for group, key, vals in entries:
        for v in vals:
            if looks_like_path(v) and not tree.resolve(tree.expand(v)):
                problems.append(f"{rel}: {group}::{key} names {v}, which is not in the tree")
    return problems, entries


def lookup(entries, path):
    """First entry matching a "group::sub::key" path, ignoring case, as the game looks it up."""
    *groups, key = path.lower().split("::")
    for g, k, vals in entries:
        if g.lower() == "::".join(groups) and k.lower() == key:
            return vals
    return None


def check_sound_tables(tree):
    problems, snd = check_keyed_file(tree, "data/globalSnd.dat")
    if not snd:
        return problems
    names = []
    count = lookup(snd, "globalSnd::sounds")
    n = int(float(count[0])) if count else 0
    for i in range(1, n + 1):
        sid, url = lookup(snd, f"globalSnd::snd{i}::id"), lookup(snd, f"globalSnd::snd{i}::url")
        if not sid or not url:
            problems.append(f"data/globalSnd.dat: snd{i} lacks id or url")
            continue
        names.append(sid[0].upper())
    for e in EFFECTS:
        if e.upper() not in names:
            problems.append(f"data/globalSnd.dat: the effect '{e}' is not in the table")
    musics = []
    count = lookup(snd, "globalSnd::musics")
    m = int(float(count[0])) if count else 0
    if m < 9:
        problems.append(f"data/globalSnd.dat: {m} music tracks; loading preloads tracks 5 to 9")
    for i in range(1, m + 1):
        mid, url = lookup(snd, f"globalSnd::music{i}::id"), lookup(snd, f"globalSnd::music{i}::url")
        if not mid or not url:
            problems.append(f"data/globalSnd.dat: music{i} lacks id or url")
            continue
        musics.append(mid[0].upper())
    for name in MUSIC:
        if name.upper() not in musics:
            problems.append(f"data/globalSnd.dat: the music '{name}' is not in the table")
    p, q = check_keyed_file(tree, "data/musicQ.txt")
    problems += p
    for g, k, vals in q:
        if re.fullmatch(r"music\d+", k, re.I) and vals and vals[0].upper() not in musics:
            problems.append(f"data/musicQ.txt: {g}::{k} names '{vals[0]}', which is not a music track")
    return problems


KEYED_EXT = (".dat", ".lvl")


def music_ids(tree):
    _, snd = check_keyed_file(tree, "data/globalSnd.dat")
    count = lookup(snd, "globalSnd::musics")
    n = int(float(count[0])) if count else 0
    return {(lookup(snd, f"globalSnd::music{i}::id") or [""])[0].upper() for i in range(1, n + 1)}


def check_power_ups(tree):
    problems, e = check_keyed_file(tree, "data/powerUps.dat")
    for n in range(1, 7):
        if lookup(e, f"powerUps::powerUp{n}::time") is None:
            problems.append(f"data/powerUps.dat: powerUp{n} has no time")
    return problems


def check_theme(tree):
    rel = "gfx/gui/window/temat.txt"
    problems, e = check_keyed_file(tree, rel)
    for group, keys in THEME_KEYS.items():
        for k in keys:
            if not lookup(e, f"temat::{group}::{k}"):
                problems.append(f"{rel}: temat::{group}::{k} is missing")
    sizes = {}
    for k in THEME_KEYS["okno"]:
        v = lookup(e, f"temat::okno::{k}")
        p = v and tree.resolve(v[0])
        sizes[k] = image_size(p) if p else None
    if all(sizes.values()):
        for edge, corners in (("Up", ("leftUp", "rightUp")), ("down", ("leftdown", "rightdown"))):
            for c in corners:
                if sizes[edge][1] != sizes[c][1]:
                    problems.append(f"{rel}: window piece {edge} is not as high as {c}; the frame would not close")
        for edge, corners in (("left", ("leftUp", "leftdown")), ("right", ("rightUp", "rightdown"))):
            for c in corners:
                if sizes[edge][0] != sizes[c][0]:
                    problems.append(f"{rel}: window piece {edge} is not as wide as {c}")
    for k in ("textRGB", "backRGB"):
        v = lookup(e, f"temat::belka::{k}")
        if not v or len(v) != 3:
            problems.append(f"{rel}: temat::belka::{k} needs three numbers")
    return problems


# --- layouts ----------------------------------------------------------------------------

def gui_tokens(text):
    """Tokens as the layout reader makes them; an empty quoted token is reported since the
    reader drops it and shifts the rest of the block."""
    tokens, cur, in_q, had_q, problems = [], "", False, False, []
    for ch in text + "\n":
        if ch == '"':
            in_q = not in_q
            had_q = True
            continue
        if not in_q and ch in " \t\n\r":
            if cur.strip():
                tokens.append(cur.strip())
            elif had_q:
                problems.append("an empty quoted value is dropped and shifts the block")
            cur, had_q = "", False
            continue
        cur += ch
    return tokens, problems


BLOCK_TYPES = {"BUTTON", "FONT", "THEME", "TEXT", "ANIM", "WINDOW", "TEXTENTRY", "BAR"}


def parse_gui(text):
    """Blocks of a layout: [(type, name, {KEY: value})] in file order, and problems."""
    tokens, problems = gui_tokens(text)
    blocks = []
    i = 0
    while i < len(tokens):
        if i + 2 < len(tokens) and tokens[i + 2] == "{":
            typ, name = tokens[i].upper(), tokens[i + 1]
            i += 3
            entries = {}
            order = []
            while i < len(tokens) and tokens[i] != "}":
                if i + 2 < len(tokens) and tokens[i + 1] == "=":
                    entries[tokens[i].upper()] = tokens[i + 2]
                    order.append(tokens[i].upper())
                    i += 3
                else:
                    problems.append(f"malformed entry near '{tokens[i]}' in {typ} {name}")
                    i += 1
            i += 1
            if typ not in BLOCK_TYPES:
                problems.append(f"block type {typ} of '{name}' is unknown and would be skipped")
            blocks.append((typ, name, entries))
        else:
            problems.append(f"stray token '{tokens[i]}'")
            i += 1
    return blocks, problems


def check_layout(tree, rel, required=()):
    path = tree.resolve(tree.expand(rel))
    if not path:
        return [f"{rel}: missing"]
    data = read_bytes(path)
    problems = encoding_problems(rel, data)
    blocks, p = parse_gui(decode(data))
    problems += [f"{rel}: {x}" for x in p]
    fonts = set()
    names = {}
    for typ, name, e in blocks:
        names[name.lower()] = (typ, e)
        if typ == "FONT":
            if "URL" not in e:
                problems.append(f"{rel}: FONT {name} has no URL")
            elif not tree.resolve(e["URL"]):
                problems.append(f"{rel}: FONT {name} names {e['URL']}, which is not in the tree")
            fonts.add(name.lower())
        if typ == "THEME" and "URL" in e and not tree.resolve(e["URL"]):
            problems.append(f"{rel}: THEME {name} names {e['URL']}, which is not in the tree")
        if "FONT" in e and typ != "FONT" and e["FONT"].lower() not in fonts:
            problems.append(f"{rel}: {typ} {name} uses font '{e['FONT']}' before it is declared")
        for key in ("GFX", "ADDGFX"):
            if key in e:
                v = tree.expand(e[key]) if key == "GFX" else e[key]
                p = tree.resolve(v)
                if not p:
                    problems.append(f"{rel}: {typ} {name} {key} {e[key]} is not in the tree")
                elif typ == "BUTTON" and e.get("TYP", "SIMPLE_BUTTON").startswith("FSTEP"):
                    w, h = image_size(p)
                    if w % 4:
                        problems.append(f"{rel}: {name}: {e[key]} is {w} wide, not four equal cells")
        txt = e.get("TXT", "")
        m = re.fullmatch(r"\[(.+)\|(\d+)\]", txt)
        if m:
            p = tree.resolve(tree.expand(m.group(1)))
            if not p:
                problems.append(f"{rel}: {typ} {name} text {m.group(1)} is not in the tree")
            elif len(text_lines(read_text(p))) < int(m.group(2)) or int(m.group(2)) < 1:
                problems.append(f"{rel}: {typ} {name} asks for line {m.group(2)} of {m.group(1)}, which it lacks")
        if "POSITION" in e and not re.fullmatch(r"-?\d+( -?\d+){1,3}", e["POSITION"]):
            problems.append(f"{rel}: {typ} {name} POSITION '{e['POSITION']}' must be numbers split by one blank")
    for w in required:
        if w.lower() not in names:
            problems.append(f"{rel}: the widget '{w}' is missing")
        elif w.lower() in ZERKON_BUTTONS and names[w.lower()][1].get("TYP") != "FSTEP_BUTTON_ZERKON":
            problems.append(f"{rel}: '{w}' must be a FSTEP_BUTTON_ZERKON")
    return problems


# --- the whole tree -----------------------------------------------------------------------

def check_fixed(tree):
    problems = []
    if not tree.lang:
        problems.append("txt/lang.txt: missing or empty")
    for rel, need in FIXED.items():
        rel = tree.expand(rel)
        p = tree.resolve(rel)
        if not p:
            problems.append(f"{rel}: missing")
            continue
        if rel.lower().endswith(IMAGE_EXT):
            size = image_size(p)
            if not size:
                problems.append(f"{rel}: not a PNG or JPEG picture")
                continue
            if rel.lower().endswith(".jpg") != (read_bytes(p)[:2] == b"\xff\xd8"):
                problems.append(f"{rel}: contents do not match the extension")
        if need is None:
            continue
        if need[0] == "size" and size != (need[1], need[2]):
            problems.append(f"{rel}: {size[0]} x {size[1]}, must be {need[1]} x {need[2]}")
        elif need[0] == "strip" and size != (need[1] * need[2], need[3]):
            problems.append(f"{rel}: {size[0]} x {size[1]}, must be {need[1]} cells of {need[2]} x {need[3]}")
        elif need[0] == "min_width" and size[0] < need[1]:
            problems.append(f"{rel}: {size[0]} wide, must be at least {need[1]}")
        elif need[0] == "lines":
            data = read_bytes(p)
            problems += encoding_problems(rel, data)
            lines = text_lines(decode(data))
            if len(lines) < need[1] or not "".join(lines).strip():
                problems.append(f"{rel}: {len(lines)} lines, the game reads line {need[1]}")
    for f, (hx, hy) in CURSORS.items():
        p = tree.resolve("gfx/gui/mouse/" + f)
        if p:
            w, h = image_size(p)
            if not (0 <= hx < w and 0 <= hy < h):
                problems.append(f"gfx/gui/mouse/{f}: hot spot {hx}, {hy} lies outside its {w} x {h} picture")
    return problems


def check_text_folder(tree):
    """Every language text and data file: LF only, non-ASCII only behind a byte-order mark."""
    problems = []
    for low, full in tree.index.items():
        if low.startswith(("txt/", "data/")) or low.endswith((".gui", "temat.txt")):
            problems += encoding_problems(low, read_bytes(full))
    return sorted(set(problems))


# One word for each thing the players read: per language, a retired synonym -> the word the
# texts use.
RETIRED_WORDS = {
    "en": {
        "tile": "crate (the cover) or cell (the square of the board)",
        "tiles": "crates (the covers) or cells (the squares of the board)",
        "cover": "crate",
        "covers": "crates",
        "square": "cell",
        "squares": "cells",
    },
}


def check_words(tree):
    """Every language text: none of its language's retired synonyms, whatever their case."""
    problems = []
    for low, full in sorted(tree.index.items()):
        parts = low.split("/")
        if len(parts) != 3 or parts[0] != "txt" or not low.endswith(".txt"):
            continue
        retired = RETIRED_WORDS.get(parts[1], {})
        for n, line in enumerate(text_lines(read_text(full)), 1):
            for word in re.findall(r"[A-Za-z]+", line):
                if word.lower() in retired:
                    problems.append(f"{low} line {n}: '{word}'; the texts say {retired[word.lower()]}")
    return problems


def check_dialogue_speakers(tree):
    """Every dialogue line begins with its speaker's name ("Hobb: ..."), and the portrait in the
    slot the line shows is the picture named after that speaker (".../hobb.png"): a line that
    shows the wrong face, or none, is named."""
    problems, entries = check_keyed_file(tree, "data/dialogs.dat")
    texts_rel = tree.expand("txt/<lang>/dialogs.txt")
    path = tree.resolve(texts_rel)
    if not entries or not path:
        return problems if path else problems + [f"{texts_rel}: missing"]
    texts = text_lines(read_text(path))
    count = lookup(entries, "dialogs::i")
    for k in range(1, int(float(count[0])) + 1 if count else 1):
        g = f"dialogs::text{k}::"
        portraits = [(lookup(entries, f"{g}img{j}") or [""])[0] for j in (1, 2)]
        lines = lookup(entries, g + "i")
        for m in range(1, int(float(lines[0])) + 1 if lines else 1):
            fields = ((lookup(entries, f"{g}txt{m}") or [""])[0]).split(" ")
            where = f"data/dialogs.dat: text{k}::txt{m}"
            try:
                number, who = int(fields[0]), int(fields[2])
            except (ValueError, IndexError):
                problems.append(f"{where}: no text line or speaker")
                continue
            if not 1 <= number <= len(texts):
                problems.append(f"{where}: {texts_rel} has no line {number}")
                continue
            speaker = texts[number - 1].split(":", 1)[0].strip() if ":" in texts[number - 1] else ""
            face = portraits[who] if who in (0, 1) else ""
            stem = os.path.splitext(os.path.basename(face))[0]
            if not speaker:
                problems.append(f"{texts_rel} line {number}: does not begin with its speaker's name")
            elif stem.lower() != speaker.lower():
                problems.append(f"{where}: {speaker} speaks, but the portrait shown is "
                                f"'{face or 'none'}'")
    return problems


def check_manifest(tree, manifest):
    problems = []
    with open(manifest, encoding="utf-8") as f:
        for line in f:
            rel = line.strip()
            if rel and not os.path.exists(os.path.join(tree.root, rel)):
                problems.append(f"{rel}: the build should have made it but it is missing")
            elif rel and os.path.getsize(os.path.join(tree.root, rel)) == 0 and not rel.endswith(".txt"):
                problems.append(f"{rel}: empty file")
    return problems


def check_all(root, manifest=None):
    if not os.path.isdir(os.path.join(root, "gfx")):
        return [f"{root}: no asset tree here (build the zerkon_assets target first)"]
    tree = Tree(root)
    problems = check_fixed(tree)
    problems += check_text_folder(tree)
    problems += check_words(tree)
    problems += check_sound_tables(tree)
    problems += check_power_ups(tree)
    problems += check_theme(tree)
    problems += check_dialogue_speakers(tree)
    for rel, widgets in LAYOUT_WIDGETS.items():
        problems += check_layout(tree, rel, widgets)
    # every other layout in the tree, for later screens
    for low in sorted(tree.index):
        if low.endswith(".gui") and low.split("/")[-2] == tree.lang.lower():
            known = {tree.expand(r).lower() for r in LAYOUT_WIDGETS}
            if low not in known:
                problems += check_layout(tree, low)
        elif low.startswith("data/") and low.endswith(KEYED_EXT) and low not in (
                "data/globalsnd.dat", "data/powerups.dat"):
            p, entries = check_keyed_file(tree, low)
            problems += p
            music = lookup(entries, "level::data::music")
            if music and music[0] and music[0].upper() not in music_ids(tree):
                problems.append(f"{low}: level::data::music names '{music[0]}', which is not a music track")
    if manifest:
        problems += check_manifest(tree, manifest)
    return problems


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--tree", required=True)
    ap.add_argument("--manifest")
    a = ap.parse_args()
    problems = check_all(a.tree, a.manifest)
    for p in problems:
        print("asset problem:", p)
    if problems:
        print(f"{len(problems)} problem(s) in {a.tree}")
        return 1
    print(f"asset tree {a.tree}: every named path resolves")
    return 0


if __name__ == "__main__":
    sys.exit(main())
