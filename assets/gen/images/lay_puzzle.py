"""The inlay game: a stone slab with a carved lid holding a triangle inlay, the triangle
pieces that fall onto the shelf, the hammer over its anvil and the ring that marks the anvil
as ready. Cells are 32 x 26 with the handle at (16, 17), the triangle's centre: turned by 60
degrees about it a cell becomes its upside-down neighbour."""
from images.puzzle_express import KINDS, grad
from svgkit import Image, rrect, shadow, rivet, plank, INK, WOOD_DARK, GOLD, GOLD_DARK, \
    GOLD_LIGHT, SEA, SEA_LIGHT, SEA_DEEP, RED, BONE, PARCH, PARCH_DARK, IRON, IRON_LIGHT, GREEN, FOAM

BASE = "gfx/miniGames/layPuzzle/"
W, H = 32, 26
TRI = "M16,1.2 L30.8,25 L1.2,25 Z"
TRI_IN = "M16,6.5 L26.2,22.8 L5.8,22.8 Z"
STONE_DARK = "#3e4447"
# Piece colours are the block puzzle's tile kinds; shape k uses KINDS[(k - 1) % len(KINDS)].


def empty_tri():
    """A triangular recess carved into the lid, its lower edge catching the light."""
    body = f'<path d="{TRI}" fill="{STONE_DARK}" stroke="{INK}" stroke-width="1.2" stroke-linejoin="round"/>'
    body += f'<path d="M4,23.6 H28" stroke="{IRON_LIGHT}" stroke-width="1.2" opacity="0.7" stroke-linecap="round"/>'
    body += f'<path d="M16,4 L5,22" stroke="#23272a" stroke-width="1.5" opacity="0.8" stroke-linecap="round"/>'
    return Image(W, H, body)


def filed_tri():
    """The developer's mark of a filled cell."""
    return Image(W, H, f'<path d="{TRI_IN}" fill="none" stroke="{RED}" stroke-width="2.5" stroke-linejoin="round"/>')


def piece(name, light, mid, dark):
    gid = f"lp-{name}"
    body = grad(gid, light, mid, dark, x2=0.35)
    body += f'<path d="{TRI}" fill="url(#{gid})" stroke="{INK}" stroke-width="1.5" stroke-linejoin="round"/>'
    body += f'<path d="{TRI_IN}" fill="none" stroke="{light}" stroke-width="1.1" opacity="0.75" stroke-linejoin="round"/>'
    body += f'<path d="M15,5 L8,17" stroke="#ffffff" stroke-width="1.5" opacity="0.5" stroke-linecap="round"/>'
    body += f'<circle cx="16" cy="17" r="2.2" fill="{dark}" stroke="{INK}" stroke-width="0.8" opacity="0.8"/>'
    return Image(W, H, body)


def gold_ring(cx, cy, r, w):
    """A gold ring with an ink edge, w thick."""
    return (f'<circle cx="{cx}" cy="{cy}" r="{r}" fill="none" stroke="{INK}" stroke-width="{w + 2}"/>'
            f'<circle cx="{cx}" cy="{cy}" r="{r}" fill="none" stroke="url(#gold)" stroke-width="{w}"/>')


def speckles(x0, y0, w, h, n, seed, colour, r=(1.0, 2.6), opacity=0.35):
    out, s = [], seed
    for _ in range(n):
        s = (s * 1103515245 + 12345) & 0x7FFFFFFF
        x = x0 + (s % 1000) / 1000 * w
        s = (s * 1103515245 + 12345) & 0x7FFFFFFF
        y = y0 + (s % 1000) / 1000 * h
        s = (s * 1103515245 + 12345) & 0x7FFFFFFF
        rr = r[0] + (s % 100) / 100 * (r[1] - r[0])
        out.append(f'<circle cx="{x:.1f}" cy="{y:.1f}" r="{rr:.1f}" fill="{colour}" opacity="{opacity}"/>')
    return "".join(out)


# The slab is sized to its inlays: the tallest, eight rows of triangles, fills the lid but for
# a rim of about 17 px, and the found object grown to full size fits the niche under it.
STONE_W, STONE_H = 360, 330
COVER_X, COVER_Y, COVER_W, COVER_H = 34, 44, 292, 242


def stone():
    """The slab: weathered grey stone with a chiselled rim and the niche the lid sits in."""
    d = grad("slab", "#c3c8c6", "#8e9596", "#5a6163", x2=0.5)
    b = rrect(6, 6, STONE_W - 14, STONE_H - 14, 26, "url(#slab)", sw=3)
    b += speckles(20, 20, STONE_W - 40, STONE_H - 40, 140, 7, STONE_DARK)
    b += speckles(20, 20, STONE_W - 40, STONE_H - 40, 60, 11, "#e6ebea", opacity=0.3)
    b += rrect(18, 18, STONE_W - 38, STONE_H - 38, 18, "none", stroke="#dfe4e2", sw=2, extra='opacity="0.45"')
    # The niche: a dark bed under the lid, so the found object lies on shadow.
    b += rrect(COVER_X - 6, COVER_Y - 6, COVER_W + 12, COVER_H + 12, 16, "#2a2d2f", sw=2)
    b += rrect(COVER_X, COVER_Y, COVER_W, COVER_H, 12, "url(#nicheglow)", stroke="none", sw=0)
    d += ('<radialGradient id="nicheglow" cx="0.5" cy="0.45" r="0.6">'
          f'<stop offset="0" stop-color="{GOLD_DARK}" stop-opacity="0.35"/>'
          '<stop offset="1" stop-color="#000" stop-opacity="0"/></radialGradient>')
    # Carved rune marks along the rim.
    for i, x in enumerate(range(70, STONE_W - 60, 64)):
        b += (f'<path d="M{x},22 l8,12 l8,-12" fill="none" stroke="{STONE_DARK}" stroke-width="3" '
              f'stroke-linecap="round" opacity="0.55"/>')
        b += (f'<path d="M{x},{STONE_H - 24} l8,-12 l8,12" fill="none" stroke="{STONE_DARK}" stroke-width="3" '
              f'stroke-linecap="round" opacity="0.55"/>')
    return Image(STONE_W, STONE_H, d + shadow(b))


def stone_cover():
    """The lid: a smoother slab of lighter stone, gold-studded, the inlay is carved into it. Its
    rim, studs and lifting rings keep to the edge, where no inlay reaches."""
    w, h = COVER_W, COVER_H
    d = grad("lid", "#d8d4c8", "#aaa79c", "#77766f", x2=0.4)
    b = rrect(2, 2, w - 4, h - 4, 12, "url(#lid)", sw=3)
    b += speckles(14, 14, w - 28, h - 28, 80, 23, STONE_DARK, opacity=0.2)
    b += rrect(8, 8, w - 16, h - 16, 9, "none", stroke=GOLD_DARK, sw=2.5, extra='opacity="0.85"')
    b += rrect(11, 11, w - 22, h - 22, 7, "none", stroke="#f2efe6", sw=1.2, extra='opacity="0.5"')
    b += "".join(rivet(x, y, 4.5) for x in (18, w - 18) for y in (18, h - 18))
    # Bronze rings to lift it by, one on each side.
    b += gold_ring(18, h / 2, 7, 3) + gold_ring(w - 18, h / 2, 7, 3)
    return Image(w, h, d + b)


def hammer():
    """Drawn as it lies when it strikes (handle at (83, 160) reaching left to the head at the
    smash point), then turned up by 60 degrees: at rest the game draws it upright."""
    hx, hy = 83 - 140, 160 - 30
    g = f'<g transform="rotate(60 83 160)">'
    # The shaft, from the grip at the pivot to the head.
    g += (f'<path d="M{83 + 8},{160 + 2} L{hx + 10},{hy - 4}" stroke="{INK}" stroke-width="15" '
          f'stroke-linecap="round"/>')
    g += (f'<path d="M{83 + 8},{160 + 2} L{hx + 10},{hy - 4}" stroke="url(#woodH)" stroke-width="11" '
          f'stroke-linecap="round"/>')
    g += rrect(70, 150, 26, 20, 5, "url(#gold)", sw=2)  # the grip's band
    # The head: iron block across the shaft, its striking face down. It is kept short on the
    # far side, so it stays inside the picture when the hammer stands up.
    g += rrect(hx - 17, hy - 15, 34, 40, 6, "url(#iron)", sw=3)
    g += rrect(hx - 20, hy + 20, 40, 12, 4, IRON, sw=3)
    g += rrect(hx - 20, hy - 19, 40, 9, 4, IRON, sw=2.5)
    g += f'<path d="M{hx - 10},{hy - 6} V{hy + 16}" stroke="{FOAM}" stroke-width="2.5" opacity="0.55"/>'
    g += rivet(hx, hy + 4, 4.5)
    g += '</g>'
    return Image(120, 180, shadow(g))


def anvil():
    """The anvil, handle (20, 0): its face is the top edge. Kept low, so the tallest pieces
    resting on the shelf below it stay clear of its foot."""
    b = (f'<path d="M4,4 H92 C104,4 112,9 116,16 C104,16 96,18 90,22 L85,28 H30 L23,22 C15,18 8,14 4,12 Z" '
         f'fill="url(#iron)" stroke="{INK}" stroke-width="2.5" stroke-linejoin="round"/>')
    b += f'<path d="M8,7 H90" stroke="{FOAM}" stroke-width="2" opacity="0.6" stroke-linecap="round"/>'
    b += (f'<path d="M34,28 H80 L85,40 H29 Z" fill="{IRON}" stroke="{INK}" stroke-width="2.5" '
          f'stroke-linejoin="round"/>')
    b += rrect(16, 40, 82, 10, 3, "url(#wood)", sw=2)
    b += rivet(25, 45, 2.5) + rivet(89, 45, 2.5)
    return Image(120, 54, shadow(b))


def ring():
    """The pulsing ring over the anvil: a soft gold halo with a bright band."""
    d = ('<radialGradient id="halo" cx="0.5" cy="0.5" r="0.5">'
         f'<stop offset="0.62" stop-color="{GOLD}" stop-opacity="0"/>'
         f'<stop offset="0.82" stop-color="{GOLD_LIGHT}" stop-opacity="0.85"/>'
         f'<stop offset="1" stop-color="{GOLD}" stop-opacity="0"/></radialGradient>')
    b = '<circle cx="64" cy="64" r="63" fill="url(#halo)"/>'
    b += f'<circle cx="64" cy="64" r="52" fill="none" stroke="{GOLD}" stroke-width="3" opacity="0.9"/>'
    b += f'<circle cx="64" cy="64" r="52" fill="none" stroke="{INK}" stroke-width="1" opacity="0.5" stroke-dasharray="6 8"/>'
    return Image(128, 128, f'<defs>{d}</defs>' + b)


def shelf():
    """The plank the pieces land on, along the bottom of the screen."""
    return Image(1024, 40, plank(-4, 4, 1032, 30, r=4, sw=3) +
                 f'<path d="M0,36 H1024" stroke="{INK}" stroke-width="2" opacity="0.5"/>' +
                 "".join(rivet(x, 19, 4) for x in (24, 270, 520, 770, 1000)))


def idol():
    """A carved stone idol: a tall head with a crest of gold, brows cut deep over eyes of sea
    glass, a broad nose and a grinning mouth, gold rings in its ears, standing on a plinth."""
    stone = ('<linearGradient id="idolstone" x1="0" y1="0" x2="0.35" y2="1">'
             '<stop offset="0" stop-color="#c9c4b4"/><stop offset="0.55" stop-color="#8f8b7f"/>'
             '<stop offset="1" stop-color="#5b5950"/></linearGradient>'
             '<radialGradient id="seaglass" cx="0.35" cy="0.35" r="0.7">'
             f'<stop offset="0" stop-color="{FOAM}"/><stop offset="0.45" stop-color="{SEA_LIGHT}"/>'
             f'<stop offset="1" stop-color="{SEA}"/></radialGradient>')
    b = f'<defs>{stone}</defs>'
    # The crest: gold feathers fanned behind the head.
    for ang in (-50, -25, 0, 25, 50):
        b += (f'<path d="M80,44 C74,30 74,12 80,4 C86,12 86,30 80,44 Z" fill="url(#gold)" stroke="{INK}" '
              f'stroke-width="2" transform="rotate({ang} 80 56)"/>')
    # Plinth.
    b += rrect(34, 134, 92, 20, 4, "url(#idolstone)", sw=3)
    b += f'<path d="M40,139 H120" stroke="#e6e1d3" stroke-width="2" opacity="0.6"/>'
    # Ears with gold rings.
    for x in (34, 126):
        b += f'<ellipse cx="{x}" cy="80" rx="9" ry="17" fill="url(#idolstone)" stroke="{INK}" stroke-width="2.5"/>'
        b += gold_ring(x, 101, 6, 3)
    # The head.
    b += (f'<path d="M44,46 C44,34 60,28 80,28 C100,28 116,34 116,46 L118,118 C118,130 104,136 80,136 '
          f'C56,136 42,130 42,118 Z" fill="url(#idolstone)" stroke="{INK}" stroke-width="3" stroke-linejoin="round"/>')
    b += f'<path d="M50,40 C60,33 100,33 110,40" stroke="#ece8dc" stroke-width="2.5" fill="none" opacity="0.7"/>'
    # A gold band across the brow.
    b += rrect(46, 44, 68, 10, 3, "url(#gold)", sw=2)
    b += "".join(f'<circle cx="{x}" cy="49" r="2" fill="{RED}" stroke="{INK}" stroke-width="0.8"/>' for x in (58, 80, 102))
    # Deep brows and sea-glass eyes.
    for x in (63, 97):
        b += f'<path d="M{x - 15},62 Q{x},54 {x + 15},62 L{x + 13},66 Q{x},60 {x - 13},66 Z" fill="#4a4840" stroke="{INK}" stroke-width="1.5"/>'
        b += f'<ellipse cx="{x}" cy="74" rx="11" ry="8" fill="#3e3c35" stroke="{INK}" stroke-width="2"/>'
        b += f'<ellipse cx="{x}" cy="74" rx="7.5" ry="5.5" fill="url(#seaglass)" stroke="{INK}" stroke-width="1"/>'
        b += f'<circle cx="{x - 2.5}" cy="72" r="1.8" fill="#ffffff" opacity="0.9"/>'
    # Nose.
    b += (f'<path d="M80,64 L72,96 C74,100 86,100 88,96 Z" fill="#a7a294" stroke="{INK}" stroke-width="2" '
          f'stroke-linejoin="round"/>')
    b += f'<path d="M74,95 Q80,99 86,95" stroke="{INK}" stroke-width="1.5" fill="none"/>'
    # Grinning mouth with teeth.
    b += f'<path d="M56,106 Q80,126 104,106 Q80,114 56,106 Z" fill="#3e3c35" stroke="{INK}" stroke-width="2.5" stroke-linejoin="round"/>'
    b += "".join(f'<path d="M{x},{109 + abs(x - 80) * -0.12 + 3:.1f} v5" stroke="{BONE}" stroke-width="3.5"/>'
                 for x in (66, 73, 80, 87, 94))
    # Carved cheek marks and chips in the stone.
    for x, d in ((52, 1), (108, -1)):
        b += f'<path d="M{x},88 l{6 * d},6 M{x},96 l{6 * d},6" stroke="#4a4840" stroke-width="2" stroke-linecap="round"/>'
    b += f'<path d="M112,124 l-5,4 l2,4" stroke="#4a4840" stroke-width="1.5" fill="none"/>'
    return Image(160, 160, shadow(b))


def crown():
    b = f'<path d="M20,120 L14,48 L50,82 L80,30 L110,82 L146,48 L140,120 Z" fill="url(#gold)" stroke="{INK}" stroke-width="3" stroke-linejoin="round"/>'
    b += rrect(18, 112, 124, 24, 6, "url(#gold)", sw=3)
    for x, c in ((44, RED), (80, SEA), (116, GREEN)):
        b += f'<circle cx="{x}" cy="124" r="7" fill="{c}" stroke="{INK}" stroke-width="2"/>'
    for x, y in ((14, 48), (80, 30), (146, 48)):
        b += f'<circle cx="{x}" cy="{y}" r="7" fill="url(#pearl)" stroke="{INK}" stroke-width="2"/>'
    return Image(160, 160, shadow(b))


def amulet():
    b = f'<path d="M34,20 C40,70 60,86 80,90 C100,86 120,70 126,20" fill="none" stroke="{GOLD_DARK}" stroke-width="5"/>'
    b += f'<path d="M80,70 L122,112 L80,154 L38,112 Z" fill="url(#gold)" stroke="{INK}" stroke-width="3" stroke-linejoin="round"/>'
    b += f'<path d="M80,88 L104,112 L80,136 L56,112 Z" fill="{SEA}" stroke="{INK}" stroke-width="2.5" stroke-linejoin="round"/>'
    b += f'<path d="M80,92 L96,108" stroke="{FOAM}" stroke-width="3" opacity="0.7" stroke-linecap="round"/>'
    return Image(160, 160, shadow(b))


def mask():
    jade = ('<defs><linearGradient id="jade" x1="0" y1="0" x2="0.4" y2="1">'
            '<stop offset="0" stop-color="#9fd8a8"/><stop offset="0.55" stop-color="#3f9a5e"/>'
            '<stop offset="1" stop-color="#1f5a35"/></linearGradient></defs>')
    b = (f'<path d="M80,12 C120,12 138,40 136,76 C134,116 110,148 80,150 C50,148 26,116 24,76 C22,40 40,12 80,12 Z" '
         f'fill="url(#jade)" stroke="{INK}" stroke-width="3"/>')
    b += f'<path d="M34,50 C50,40 70,44 74,54 M126,50 C110,40 90,44 86,54" fill="none" stroke="{GOLD_DARK}" stroke-width="5" stroke-linecap="round"/>'
    for cx in (56, 104):
        b += f'<path d="M{cx - 16},68 C{cx - 8},58 {cx + 8},58 {cx + 16},68 C{cx + 8},76 {cx - 8},76 {cx - 16},68 Z" fill="{INK}"/>'
    b += f'<path d="M80,64 L88,100 H72 Z" fill="#2f7a4a" stroke="{INK}" stroke-width="2"/>'
    b += f'<path d="M58,118 C70,128 90,128 102,118 C92,134 68,134 58,118 Z" fill="{INK}" stroke="{GOLD_DARK}" stroke-width="2"/>'
    b += f'<circle cx="80" cy="30" r="7" fill="url(#gold)" stroke="{INK}" stroke-width="2"/>'
    b += f'<path d="M42,32 C50,22 62,18 72,18" fill="none" stroke="#e6f6e8" stroke-width="3" opacity="0.6"/>'
    return Image(160, 160, jade + shadow(b))


def scarab():
    b = f'<path d="M62,28 L48,12 M98,28 L112,12 M60,70 L26,58 M100,70 L134,58 M58,104 L24,120 M102,104 L136,120" stroke="{INK}" stroke-width="5" stroke-linecap="round"/>'
    b += f'<ellipse cx="80" cy="34" rx="20" ry="14" fill="url(#gold)" stroke="{INK}" stroke-width="3"/>'
    b += f'<ellipse cx="80" cy="92" rx="40" ry="52" fill="url(#gold)" stroke="{INK}" stroke-width="3"/>'
    b += f'<path d="M80,46 V142" stroke="{INK}" stroke-width="3"/>'
    b += f'<path d="M44,70 C56,60 70,56 80,56 C90,56 104,60 116,70" fill="none" stroke="{GOLD_DARK}" stroke-width="3"/>'
    b += f'<circle cx="80" cy="100" r="12" fill="{SEA}" stroke="{INK}" stroke-width="2.5"/>'
    b += f'<path d="M54,80 C52,96 56,116 64,128" fill="none" stroke="{GOLD_LIGHT}" stroke-width="3" opacity="0.8"/>'
    return Image(160, 160, shadow(b))


def sun_disc():
    b = ''
    for i in range(12):
        b += (f'<path d="M80,6 L88,30 H72 Z" fill="url(#gold)" stroke="{INK}" stroke-width="2" '
              f'stroke-linejoin="round" transform="rotate({i * 30} 80 80)"/>')
    b += f'<circle cx="80" cy="80" r="50" fill="url(#gold)" stroke="{INK}" stroke-width="3"/>'
    b += f'<circle cx="80" cy="80" r="38" fill="none" stroke="{GOLD_DARK}" stroke-width="3"/>'
    b += f'<circle cx="66" cy="72" r="5" fill="{INK}"/><circle cx="94" cy="72" r="5" fill="{INK}"/>'
    b += f'<path d="M64,94 C72,102 88,102 96,94" fill="none" stroke="{INK}" stroke-width="3" stroke-linecap="round"/>'
    b += f'<circle cx="80" cy="48" r="6" fill="{RED}" stroke="{INK}" stroke-width="2"/>'
    b += f'<path d="M44,62 C50,46 62,38 76,36" fill="none" stroke="{GOLD_LIGHT}" stroke-width="3" opacity="0.9"/>'
    return Image(160, 160, shadow(b))


def images():
    out = {BASE + "empty-tri.png": empty_tri(), BASE + "filed-tri.png": filed_tri()}
    for kind in KINDS:
        out[BASE + f"blocks/tri-{kind[0]}.png"] = piece(*kind)
    out[BASE + "stone.png"] = stone()
    out[BASE + "stone-cover.png"] = stone_cover()
    out[BASE + "mlotek.png"] = hammer()
    out[BASE + "kowadlo.png"] = anvil()
    out[BASE + "obwodka.png"] = ring()
    out[BASE + "shelf.png"] = shelf()
    out[BASE + "objects/idol.png"] = idol()
    out[BASE + "objects/crown.png"] = crown()
    out[BASE + "objects/amulet.png"] = amulet()
    out[BASE + "objects/mask.png"] = mask()
    out[BASE + "objects/scarab.png"] = scarab()
    out[BASE + "objects/sundisc.png"] = sun_disc()
    return out
