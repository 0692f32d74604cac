"""The things a hidden-object scene hides, each drawn once in a 100 x 100 box.

The same drawing is the panel icon (in full colour, `hoscene.icon`) and the thing in the
scene (in the scene's light, `hoscene.in_light`). Add a thing: a function returning its SVG
body in the 100 box, then a line in `ITEMS`. Keep a clear silhouette: in a scene it is drawn
at 30-70 px and partly hidden.
"""
import math

from svgkit import INK, SEA_LIGHT, FOAM, PARCH, PARCH_LIGHT, PARCH_DARK, WOOD_DARK, WOOD, WOOD_LIGHT, GOLD, \
    GOLD_LIGHT, GOLD_DARK, IRON_LIGHT, RED, BONE


def s(w=3):
    """The soft ink outline every drawing of the hidden-object scenes uses (things and props)."""
    return f'stroke="{INK}" stroke-width="{w}" stroke-linejoin="round" stroke-linecap="round"'


# ---- the things, each in a 100 x 100 box ------------------------------------------------------

def key():
    return (f'<circle cx="28" cy="50" r="16" fill="none" stroke="{INK}" stroke-width="11"/>'
            f'<circle cx="28" cy="50" r="16" fill="none" stroke="url(#gold)" stroke-width="7"/>'
            f'<rect x="42" y="45" width="48" height="10" rx="3" fill="url(#gold)" {s()}/>'
            f'<path d="M72,55 v14 h7 v-14 M84,55 v10 h6 v-10" fill="url(#gold)" {s()}/>')


def coin():
    return (f'<circle cx="50" cy="50" r="34" fill="url(#gold)" {s()}/>'
            f'<circle cx="50" cy="50" r="25" fill="none" stroke="{GOLD_DARK}" stroke-width="3"/>'
            f'<path d="M42,36 h16 l-6,10 h6 l-16,20 l5,-14 h-6 z" fill="{GOLD_DARK}" opacity="0.8"/>'
            f'<circle cx="38" cy="36" r="5" fill="{GOLD_LIGHT}" opacity="0.8"/>')


def compass():
    return (f'<circle cx="50" cy="52" r="36" fill="url(#gold)" {s()}/>'
            f'<circle cx="50" cy="52" r="28" fill="{PARCH_LIGHT}" {s(2)}/>'
            f'<path d="M50,28 L57,52 L50,76 L43,52 Z" fill="{RED}" {s(2)}/>'
            f'<path d="M50,52 L57,52 L50,76 L43,52 Z" fill="{IRON_LIGHT}" {s(2)}/>'
            f'<circle cx="50" cy="52" r="4" fill="url(#gold)" {s(1.5)}/>'
            f'<rect x="44" y="8" width="12" height="9" rx="3" fill="url(#gold)" {s(2)}/>')


def spyglass():
    return ('<g transform="rotate(-30 50 50)">'
            f'<rect x="8" y="40" width="30" height="20" rx="3" fill="url(#wood)" {s()}/>'
            f'<rect x="36" y="37" width="28" height="26" rx="3" fill="url(#gold)" {s()}/>'
            f'<rect x="62" y="34" width="30" height="32" rx="3" fill="url(#wood)" {s()}/>'
            f'<rect x="86" y="32" width="8" height="36" rx="2" fill="url(#gold)" {s(2)}/>'
            f'<ellipse cx="95" cy="50" rx="3" ry="13" fill="{SEA_LIGHT}" {s(1.5)}/></g>')


def bottle():
    return (f'<path d="M42,10 h16 v22 c12,6 16,14 16,26 v28 c0,6 -4,8 -10,8 h-28 c-6,0 -10,-2 -10,-8 v-28 '
            f'c0,-12 4,-20 16,-26 z" fill="#3f7a5a" {s()}/>'
            f'<rect x="40" y="5" width="20" height="9" rx="3" fill="{WOOD_LIGHT}" {s(2)}/>'
            f'<rect x="32" y="56" width="36" height="24" rx="3" fill="{PARCH}" {s(2)}/>'
            f'<path d="M38,64 h24 M38,71 h18" stroke="{WOOD}" stroke-width="2"/>'
            f'<path d="M33,40 c2,-6 6,-9 10,-11" stroke="{FOAM}" stroke-width="3" fill="none" opacity="0.7"/>')


def anchor():
    return (f'<circle cx="50" cy="16" r="9" fill="none" stroke="{INK}" stroke-width="9"/>'
            f'<circle cx="50" cy="16" r="9" fill="none" stroke="url(#iron)" stroke-width="5"/>'
            f'<rect x="45" y="24" width="10" height="62" rx="3" fill="url(#iron)" {s()}/>'
            f'<rect x="30" y="32" width="40" height="9" rx="3" fill="url(#iron)" {s()}/>'
            f'<path d="M14,62 C18,84 36,92 50,92 C64,92 82,84 86,62 L94,66 L86,50 L74,62 L80,62 '
            f'C76,76 64,82 50,82 C36,82 24,76 20,62 L26,62 L14,50 L6,66 Z" fill="url(#iron)" {s()}/>')


def hook():
    return (f'<rect x="30" y="8" width="32" height="28" rx="6" fill="url(#wood)" {s()}/>'
            f'<path d="M46,36 V66 C46,84 24,84 22,68" fill="none" stroke="{INK}" stroke-width="12"/>'
            f'<path d="M46,36 V66 C46,84 24,84 22,68" fill="none" stroke="url(#iron)" stroke-width="7"/>'
            f'<path d="M16,70 L22,60 L28,70 Z" fill="url(#iron)" {s(2)}/>')


def hourglass():
    return (f'<rect x="22" y="8" width="56" height="10" rx="3" fill="url(#wood)" {s()}/>'
            f'<rect x="22" y="82" width="56" height="10" rx="3" fill="url(#wood)" {s()}/>'
            f'<path d="M30,18 C30,38 46,44 46,50 C46,56 30,62 30,82 H70 C70,62 54,56 54,50 C54,44 70,38 70,18 Z" '
            f'fill="{FOAM}" fill-opacity="0.6" {s(2.5)}/>'
            f'<path d="M36,28 H64 C62,38 52,44 50,50 C48,44 38,38 36,28 Z M34,80 C38,68 48,66 50,62 '
            f'C52,66 62,68 66,80 Z" fill="{GOLD}"/>'
            f'<path d="M26,18 V82 M74,18 V82" stroke="{WOOD_DARK}" stroke-width="4"/>')


def bell():
    return (f'<path d="M50,14 C30,14 26,32 26,50 C26,66 18,72 14,78 H86 C82,72 74,66 74,50 C74,32 70,14 50,14 Z" '
            f'fill="url(#gold)" {s()}/>'
            f'<rect x="44" y="4" width="12" height="12" rx="4" fill="url(#gold)" {s(2)}/>'
            f'<circle cx="50" cy="84" r="8" fill="url(#iron)" {s(2)}/>'
            f'<path d="M36,30 C34,40 34,50 34,60" stroke="{GOLD_LIGHT}" stroke-width="4" fill="none" opacity="0.8"/>')


def quill():
    return ('<g transform="rotate(35 50 50)">'
            f'<path d="M50,4 C66,22 66,58 52,80 L48,80 C34,58 34,22 50,4 Z" fill="{BONE}" {s(2.5)}/>'
            f'<path d="M50,10 V92" stroke="{PARCH_DARK}" stroke-width="2.5"/>'
            f'<path d="M50,24 L40,30 M50,38 L39,44 M50,52 L41,58 M50,24 L60,30 M50,38 L61,44 M50,52 L59,58" '
            f'stroke="{PARCH_DARK}" stroke-width="1.5"/>'
            f'<path d="M48,80 L50,96 L52,80 Z" fill="{INK}"/></g>')


def dagger():
    return ('<g transform="rotate(-40 50 50)">'
            f'<path d="M50,4 L58,18 L58,60 H42 L42,18 Z" fill="url(#iron)" {s(2.5)}/>'
            f'<path d="M50,10 V58" stroke="{FOAM}" stroke-width="2" opacity="0.7"/>'
            f'<rect x="28" y="58" width="44" height="8" rx="3" fill="url(#gold)" {s(2.5)}/>'
            f'<rect x="44" y="66" width="12" height="22" rx="2" fill="{WOOD_DARK}" {s(2.5)}/>'
            f'<circle cx="50" cy="92" r="6" fill="url(#gold)" {s(2)}/></g>')


def scroll():
    return (f'<rect x="18" y="24" width="64" height="52" fill="url(#parch)" {s()}/>'
            f'<rect x="10" y="18" width="12" height="64" rx="6" fill="{PARCH_DARK}" {s()}/>'
            f'<rect x="78" y="18" width="12" height="64" rx="6" fill="{PARCH_DARK}" {s()}/>'
            f'<path d="M32,40 C42,34 50,48 62,40" stroke="{WOOD}" stroke-width="2" fill="none" stroke-dasharray="4 3"/>'
            f'<path d="M56,52 l8,8 m0,-8 l-8,8" stroke="{RED}" stroke-width="3"/>'
            f'<rect x="44" y="66" width="12" height="16" fill="{RED}" {s(1.5)}/>')


def skull():
    return (f'<path d="M50,12 C26,12 16,30 18,48 C19,58 24,62 28,64 V80 C28,86 34,88 40,88 H60 C66,88 72,86 72,80 '
            f'V64 C76,62 81,58 82,48 C84,30 74,12 50,12 Z" fill="{BONE}" {s()}/>'
            f'<ellipse cx="37" cy="48" rx="9" ry="10" fill="{INK}"/><ellipse cx="63" cy="48" rx="9" ry="10" fill="{INK}"/>'
            f'<path d="M50,58 L45,68 H55 Z" fill="{INK}"/>'
            f'<path d="M38,76 V88 M46,76 V88 M54,76 V88 M62,76 V88" stroke="{INK}" stroke-width="2"/>')


def ring():
    return (f'<ellipse cx="50" cy="60" rx="30" ry="26" fill="none" stroke="{INK}" stroke-width="14"/>'
            f'<ellipse cx="50" cy="60" rx="30" ry="26" fill="none" stroke="url(#gold)" stroke-width="9"/>'
            f'<path d="M38,30 L50,14 L62,30 L50,40 Z" fill="{RED}" {s(2.5)}/>'
            f'<path d="M44,28 L50,20 L54,26" stroke="#f4a39e" stroke-width="2" fill="none"/>')


def shell():
    return (f'<path d="M50,88 L14,40 C20,18 80,18 86,40 Z" fill="#f2b9a0" {s()}/>'
            + "".join(f'<path d="M50,88 L{x},{y}" stroke="#c9826a" stroke-width="2.5"/>'
                      for x, y in ((22, 34), (36, 24), (50, 21), (64, 24), (78, 34)))
            + f'<path d="M40,88 h20 l-4,8 h-12 z" fill="#e9a489" {s(2)}/>')


def starfish():
    pts = []
    for i in range(10):
        r = 44 if i % 2 == 0 else 18
        a = math.radians(-90 + i * 36)
        pts.append(f"{50 + r * math.cos(a):.1f},{52 + r * math.sin(a):.1f}")
    dots = "".join(f'<circle cx="{x}" cy="{y}" r="2.5" fill="#fbd2a0"/>'
                   for x, y in ((50, 26), (50, 38), (70, 46), (30, 46), (40, 66), (60, 66)))
    return f'<polygon points="{" ".join(pts)}" fill="#e07a3c" {s()}/>' + dots


def goblet():
    return (f'<path d="M24,12 H76 C76,40 64,52 50,54 C36,52 24,40 24,12 Z" fill="url(#gold)" {s()}/>'
            f'<rect x="45" y="52" width="10" height="24" fill="url(#gold)" {s(2.5)}/>'
            f'<path d="M28,90 C30,78 70,78 72,90 Z" fill="url(#gold)" {s(2.5)}/>'
            f'<circle cx="50" cy="30" r="7" fill="{RED}" {s(2)}/>'
            f'<path d="M32,18 C32,30 36,38 42,44" stroke="{GOLD_LIGHT}" stroke-width="3" fill="none"/>')


def pistol():
    return ('<g transform="rotate(-15 50 50)">'
            f'<rect x="30" y="34" width="64" height="14" rx="4" fill="url(#iron)" {s()}/>'
            f'<path d="M30,34 H48 L46,56 C40,70 30,82 16,84 C10,84 8,78 12,74 C22,66 26,56 26,46 Z" '
            f'fill="url(#wood)" {s()}/>'
            f'<path d="M40,48 C42,58 50,60 52,52" stroke="{INK}" stroke-width="3" fill="none"/>'
            f'<rect x="30" y="28" width="10" height="8" rx="2" fill="url(#gold)" {s(2)}/>'
            f'<circle cx="16" cy="80" r="4" fill="url(#gold)" {s(1.5)}/></g>')


def crab():
    legs = "".join(f'<path d="M{x0},{y0} L{x1},{y1} L{x2},{y2}" stroke="{INK}" stroke-width="7" fill="none"/>'
                   f'<path d="M{x0},{y0} L{x1},{y1} L{x2},{y2}" stroke="#c84a2c" stroke-width="4" fill="none"/>'
                   for x0, y0, x1, y1, x2, y2 in ((30, 62, 16, 66, 10, 78), (34, 66, 22, 74, 18, 88),
                                                  (70, 62, 84, 66, 90, 78), (66, 66, 78, 74, 82, 88)))
    claws = (f'<path d="M26,50 C14,44 10,30 18,22 C22,30 28,30 30,26 C34,34 32,44 26,50 Z" fill="#d9572f" {s(2.5)}/>'
             f'<path d="M74,50 C86,44 90,30 82,22 C78,30 72,30 70,26 C66,34 68,44 74,50 Z" fill="#d9572f" {s(2.5)}/>')
    return (legs + claws + f'<ellipse cx="50" cy="58" rx="24" ry="16" fill="#d9572f" {s()}/>'
            f'<circle cx="42" cy="44" r="4" fill="{BONE}" {s(1.5)}/><circle cx="58" cy="44" r="4" fill="{BONE}" {s(1.5)}/>')


def candle():
    return (f'<path d="M20,84 C20,74 80,74 80,84 C80,92 20,92 20,84 Z" fill="url(#gold)" {s()}/>'
            f'<path d="M78,80 C92,78 94,64 84,62" stroke="{INK}" stroke-width="8" fill="none"/>'
            f'<path d="M78,80 C92,78 94,64 84,62" stroke="{GOLD_DARK}" stroke-width="4" fill="none"/>'
            f'<rect x="38" y="30" width="24" height="50" rx="3" fill="{PARCH_LIGHT}" {s()}/>'
            f'<path d="M58,32 v14 c0,4 -4,4 -4,0 v-6" stroke="{PARCH}" stroke-width="3" fill="none"/>'
            f'<path d="M44,36 V74" stroke="#ffffff" stroke-width="3" opacity="0.5"/>'
            f'<path d="M50,30 v-6" stroke="{INK}" stroke-width="2.5"/>'
            f'<path d="M50,4 C58,14 58,24 50,26 C42,24 42,14 50,4 Z" fill="{GOLD}" {s(2)}/>'
            f'<path d="M50,12 C53,17 53,22 50,23 C47,22 47,17 50,12 Z" fill="{GOLD_LIGHT}"/>')


def hat():
    return (f'<path d="M8,62 C20,40 36,30 50,30 C64,30 80,40 92,62 C80,72 66,66 50,72 C34,66 20,72 8,62 Z" '
            f'fill="#5c4250" {s()}/>'
            f'<path d="M30,46 C32,28 40,18 50,18 C60,18 68,28 70,46 C62,42 38,42 30,46 Z" fill="#745866" {s()}/>'
            f'<path d="M12,61 C22,44 38,36 50,36 C62,36 78,44 88,61" stroke="url(#gold)" stroke-width="4" fill="none"/>'
            f'<path d="M36,26 C40,22 44,21 48,21" stroke="#8a7080" stroke-width="3" fill="none" opacity="0.8"/>'
            f'<path d="M50,44 C56,36 64,38 62,46 C60,52 52,50 50,44 Z" fill="{RED}" {s(2)}/>'
            f'<circle cx="54" cy="44" r="3.5" fill="url(#gold)" {s(1.2)}/>')


def gem():
    return (f'<path d="M28,22 H72 L92,44 L50,92 L8,44 Z" fill="#2e9a72" {s()}/>'
            f'<path d="M8,44 H92 M28,22 L38,44 L50,22 L62,44 L72,22 M38,44 L50,92 L62,44" stroke="{INK}" '
            f'stroke-width="2" fill="none" stroke-linejoin="round"/>'
            f'<path d="M28,22 L38,44 H8 Z" fill="#7fd6b0" opacity="0.8"/>'
            f'<path d="M50,22 L62,44 H38 Z" fill="#a8ecd0" opacity="0.8"/>'
            f'<path d="M62,44 L50,92 L92,44 Z" fill="#17604a" opacity="0.7"/>'
            f'<path d="M30,30 l4,6" stroke="{FOAM}" stroke-width="3" stroke-linecap="round"/>')


def mug():
    return (f'<path d="M72,34 C94,34 94,74 72,74" stroke="{INK}" stroke-width="13" fill="none"/>'
            f'<path d="M72,34 C94,34 94,74 72,74" stroke="url(#woodH)" stroke-width="8" fill="none"/>'
            f'<path d="M18,24 H76 L72,88 C72,92 22,92 22,88 Z" fill="url(#woodH)" {s()}/>'
            f'<path d="M33,28 V86 M48,28 V88 M62,28 V86" stroke="{WOOD_DARK}" stroke-width="1.5" opacity="0.6"/>'
            f'<path d="M19,40 H75 M21,76 H73" stroke="{INK}" stroke-width="8"/>'
            f'<path d="M19,40 H75 M21,76 H73" stroke="url(#iron)" stroke-width="5"/>'
            f'<path d="M14,26 C10,14 24,8 32,14 C38,6 54,6 58,14 C66,8 82,12 78,26 C70,30 24,30 14,26 Z" '
            f'fill="{PARCH_LIGHT}" {s(2.5)}/>'
            f'<path d="M24,20 C30,16 36,16 40,20" stroke="{PARCH}" stroke-width="3" fill="none"/>')


ITEMS = {"key": key, "coin": coin, "compass": compass, "spyglass": spyglass, "bottle": bottle, "anchor": anchor,
         "hook": hook, "hourglass": hourglass, "bell": bell, "quill": quill, "dagger": dagger, "scroll": scroll,
         "skull": skull, "ring": ring, "shell": shell, "starfish": starfish, "goblet": goblet, "pistol": pistol,
         "crab": crab, "candle": candle, "hat": hat, "gem": gem, "mug": mug}
