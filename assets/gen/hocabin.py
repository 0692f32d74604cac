"""The captain's cabin by night: a hidden-object scene of the hard voyage.

The stern windows show the moonlit sea; a hanging lamp and the candle on the desk light the
room warm from above, the moon lays a cold tint in the shadows. A cluttered room, so more
things hide here than in the harbour, smaller, and more of each behind the furniture.
"""
from svgkit import INK, SEA_DEEP, SEA_LIGHT, FOAM, PARCH, PARCH_LIGHT, PARCH_DARK, WOOD_DARK, WOOD, \
    WOOD_LIGHT, GOLD, GOLD_LIGHT, GOLD_DARK, RED, GREEN, plank, rivet
from hoitems import s
from hoscene import Light, Thing, Front, Scene, glow
from hoprops import barrel, plank_floor, rope, sea_chest

# Warm lamplight from above and a little left; plum-blue shadows from the moonlit windows.
CABIN_LIGHT = Light(key="#ffd9a0", shade="#241c3a", ambient="#8a6050", towards=(0.35, 1), ambient_amount=0.24,
                    saturation=0.8, key_amount=0.4, shade_amount=0.48, cast=(2, 4), cast_colour="#1c1020",
                    cast_opacity=0.5, cast_blur=1.6)

CABIN_DEFS = ('<linearGradient id="cnight" x1="0" y1="0" x2="0" y2="1">'
              '<stop offset="0" stop-color="#17203e"/><stop offset="0.6" stop-color="#34507a"/>'
              '<stop offset="1" stop-color="#6a7ea0"/></linearGradient>'
              '<linearGradient id="csea" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#2c4a6e"/>'
              f'<stop offset="1" stop-color="{SEA_DEEP}"/></linearGradient>'
              '<radialGradient id="cmoon" cx="0.5" cy="0.5" r="0.5"><stop offset="0" stop-color="#fbf0d0" stop-opacity="0.7"/>'
              '<stop offset="1" stop-color="#9ab0d0" stop-opacity="0"/></radialGradient>'
              '<linearGradient id="cwall" x1="0" y1="0" x2="0" y2="1">'
              f'<stop offset="0" stop-color="#5a3418"/><stop offset="0.55" stop-color="{WOOD}"/>'
              f'<stop offset="1" stop-color="#5a3418"/></linearGradient>'
              '<linearGradient id="cfloor" x1="0" y1="0" x2="0" y2="1">'
              f'<stop offset="0" stop-color="#5a3418"/><stop offset="1" stop-color="{WOOD_LIGHT}"/></linearGradient>'
              '<radialGradient id="cpool" cx="0.5" cy="0.5" r="0.5"><stop offset="0" stop-color="#ffd28a" stop-opacity="0.45"/>'
              '<stop offset="1" stop-color="#ffd28a" stop-opacity="0"/></radialGradient>'
              '<linearGradient id="ccoat" x1="0" y1="0" x2="1" y2="0"><stop offset="0" stop-color="#2e3a6a"/>'
              '<stop offset="1" stop-color="#1c2448"/></linearGradient>'
              '<linearGradient id="ccurtain" x1="0" y1="0" x2="1" y2="0"><stop offset="0" stop-color="#8a2a2a"/>'
              '<stop offset="0.5" stop-color="#b0403a"/><stop offset="1" stop-color="#6a1e22"/></linearGradient>'
              '<linearGradient id="cwash" x1="0" y1="0" x2="0" y2="1">'
              '<stop offset="0" stop-color="#1c1838" stop-opacity="0.22"/><stop offset="0.45" stop-color="#1c1838" stop-opacity="0"/>'
              '<stop offset="1" stop-color="#1c1020" stop-opacity="0.3"/></linearGradient>')


def walls():
    out = ['<rect width="1024" height="540" fill="url(#cwall)"/>']
    for x in range(0, 1024, 46):
        out.append(f'<path d="M{x},60 V530" stroke="{WOOD_DARK}" stroke-width="2" opacity="0.6"/>'
                   f'<path d="M{x + 2},60 V530" stroke="{WOOD_LIGHT}" stroke-width="1" opacity="0.25"/>')
    for x, y in ((70, 140), (300, 420), (520, 90), (760, 300), (980, 460), (840, 120)):
        out.append(f'<ellipse cx="{x}" cy="{y}" rx="5" ry="3" fill="{WOOD_DARK}" opacity="0.5"/>')
    # the ceiling: a beam across, the deck planks over it
    out.append(f'<rect y="0" width="1024" height="60" fill="#3a2010"/>'
               f'<rect y="56" width="1024" height="34" fill="url(#wood)" {s(3)}/>'
               f'<path d="M0,62 H1024" stroke="{WOOD_LIGHT}" stroke-width="2" opacity="0.6"/>')
    for x in (150, 500, 880):
        out.append(f'<path d="M{x - 20},90 L{x},120 L{x + 20},90 Z" fill="{WOOD_DARK}" {s(2)}/>')
    # panelled wainscot along the lower wall, a rail over it, the skirting under it
    out.append(f'<rect y="384" width="1024" height="136" fill="#6a3e1e"/>'
               f'<rect y="378" width="1024" height="10" fill="url(#wood)" {s(2)}/>')
    for x in range(8, 1024, 96):
        out.append(f'<rect x="{x}" y="400" width="84" height="106" rx="4" fill="{WOOD}" stroke="{WOOD_DARK}" stroke-width="2"/>'
                   f'<path d="M{x + 3},503 V403 H{x + 81}" stroke="{WOOD_LIGHT}" stroke-width="1.5" fill="none" opacity="0.6"/>'
                   f'<rect x="{x + 10}" y="410" width="64" height="86" rx="3" fill="none" stroke="{GOLD_DARK}" '
                   f'stroke-width="1" opacity="0.5"/>')
    out.append(f'<rect y="520" width="1024" height="14" fill="{WOOD_DARK}" {s(2)}/>')
    return "".join(out)


def floor():
    return (plank_floor(532, "url(#cfloor)", 7, 18, 0.45, range(-300, 1400, 110), 0.5)
            + '<ellipse cx="520" cy="600" rx="360" ry="70" fill="url(#cpool)"/>')


def windows():
    """Three stern lights over the sea, the moon in the middle one."""
    out = [f'<rect x="318" y="100" width="394" height="250" rx="8" fill="{WOOD_DARK}" {s(3)}/>',
           '<rect x="330" y="112" width="370" height="226" fill="url(#cnight)"/>',
           '<circle cx="560" cy="170" r="70" fill="url(#cmoon)"/>',
           f'<circle cx="560" cy="170" r="24" fill="{PARCH_LIGHT}"/>',
           '<circle cx="552" cy="164" r="5" fill="#e0d4b0" opacity="0.7"/>'
           '<circle cx="566" cy="178" r="3.5" fill="#e0d4b0" opacity="0.7"/>',
           '<rect x="330" y="262" width="370" height="76" fill="url(#csea)"/>']
    for i in range(6):
        out.append(f'<path d="M{540 + (i % 2) * 8},{270 + i * 11} h{40 - i * 5}" stroke="{PARCH_LIGHT}" stroke-width="2" '
                   f'opacity="{0.7 - i * 0.1:.2f}" stroke-linecap="round"/>')
    for x, y in ((360, 290), (430, 312), (640, 300), (670, 326)):
        out.append(f'<path d="M{x},{y} q8,-4 16,0 q8,4 16,0" stroke="{FOAM}" stroke-width="1.3" fill="none" opacity="0.35"/>')
    for x, y in ((370, 140), (420, 200), (470, 130), (660, 150), (690, 220), (610, 230), (400, 240)):
        out.append(f'<circle cx="{x}" cy="{y}" r="1.6" fill="{PARCH_LIGHT}" opacity="0.8"/>')
    # a far ship under sail
    out.append(f'<g transform="translate(380,236)" opacity="0.85"><path d="M0,24 H60 L52,34 H8 Z" fill="#1a2440"/>'
               '<rect x="28" y="-16" width="3" height="40" fill="#1a2440"/>'
               '<path d="M12,-8 H28 V18 H14 Q8,5 12,-8 Z M31,-12 H48 Q54,4 48,18 H31 Z" fill="#8a98b8"/></g>')
    # mullions and the gold bead
    for x in (453, 577):
        out.append(f'<rect x="{x}" y="112" width="12" height="226" fill="url(#woodH)" {s(2)}/>')
    out.append(f'<path d="M330,262 H700" stroke="{WOOD_DARK}" stroke-width="6"/>'
               f'<rect x="330" y="112" width="370" height="226" fill="none" stroke="url(#gold)" stroke-width="3"/>'
               f'<path d="M330,112 Q515,86 700,112" stroke="{WOOD_DARK}" stroke-width="10" fill="none"/>')
    # the sill
    out.append(plank(300, 338, 430, 16, r=3))
    return "".join(out)


def curtain(x, flip=False):
    """A red curtain drawn aside, tied back with a gold cord."""
    k = -1 if flip else 1
    d = (f'M{x},96 C{x + 40 * k},96 {x + 60 * k},100 {x + 70 * k},100 C{x + 46 * k},170 {x + 30 * k},210 '
         f'{x + 40 * k},250 C{x + 54 * k},300 {x + 60 * k},350 {x + 50 * k},380 L{x},380 Z')
    return (f'<path d="{d}" fill="url(#ccurtain)" {s(2.5)}/>'
            f'<path d="M{x + 14 * k},100 C{x + 24 * k},180 {x + 16 * k},300 {x + 22 * k},378" stroke="#5a1618" '
            f'stroke-width="2" fill="none" opacity="0.7"/>'
            + rope(f'M{x},250 Q{x + 30 * k},262 {x + 46 * k},248', 5)
            + f'<circle cx="{x + 46 * k}" cy="250" r="6" fill="url(#gold)" {s(1.5)}/>')


BOOKS = ("#8a2a2a", "#2e5a4a", "#34507a", "#6a4a24", "#7a3a5a", "#b9852a", "#4a3a2a")


def books(x, base, heights, lean_last=True, seed=0):
    """A row of books standing on a shelf from x, spines to the front."""
    out = []
    for i, h in enumerate(heights):
        w = 13 + (i * 7 + seed) % 6
        c = BOOKS[(i * 3 + seed) % len(BOOKS)]
        tr = f' transform="rotate(14 {x + w} {base})"' if lean_last and i == len(heights) - 1 else ""
        out.append(f'<g{tr}><rect x="{x}" y="{base - h}" width="{w}" height="{h}" rx="1.5" fill="{c}" {s(1.8)}/>'
                   f'<path d="M{x + 2},{base - h + 7} h{w - 4} M{x + 2},{base - 8} h{w - 4}" stroke="{GOLD}" '
                   f'stroke-width="1.6" opacity="0.8"/></g>')
        x += w + 1
    return "".join(out)


def book_stack(x, y, n, w=64, seed=0):
    """Books lying one on another, the top one at y."""
    out = []
    for i in range(n):
        c = BOOKS[(i * 2 + seed) % len(BOOKS)]
        dx = ((i * 5 + seed) % 9) - 4
        yy = y + (n - 1 - i) * 11
        out.append(f'<rect x="{x + dx}" y="{yy}" width="{w - i * 3}" height="11" rx="2" fill="{c}" {s(1.8)}/>'
                   f'<rect x="{x + dx + w - i * 3 - 6}" y="{yy + 2}" width="4" height="7" fill="{PARCH_LIGHT}" opacity="0.8"/>')
    return "".join(out[::-1])


def bookshelf():
    out = [f'<rect x="24" y="104" width="226" height="380" fill="#3a2010" {s(3)}/>',
           '<rect x="36" y="116" width="202" height="356" fill="#2a170a"/>']
    for y in (204, 294, 384, 472):
        out.append(plank(30, y, 214, 12, r=2))
    out.append(f'<rect x="24" y="104" width="14" height="380" fill="url(#woodH)" {s(2)}/>'
               f'<rect x="236" y="104" width="14" height="380" fill="url(#woodH)" {s(2)}/>'
               f'<rect x="18" y="96" width="238" height="14" rx="2" fill="url(#wood)" {s(2.5)}/>')
    # what stands on the shelves
    out.append(books(42, 204, (66, 58, 70, 62, 54, 60), seed=1))
    out.append(books(150, 294, (56, 64, 60, 50), seed=3))
    out.append(book_stack(44, 350, 3, 70, seed=2))
    out.append(books(44, 472, (60, 52, 66), seed=5))
    # a little round bottle of ink and a stack of charts
    out.append(f'<circle cx="214" cy="372" r="11" fill="#2a3050" {s(1.8)}/><rect x="209" y="356" width="10" height="7" '
               f'fill="{WOOD_LIGHT}" {s(1.2)}/>')
    return "".join(out)


def shelf_jar(x, y):
    """A tall glass jar on a shelf (a front)."""
    return (f'<path d="M{x},{y - 46} h30 v5 c7,5 9,12 9,20 v16 a4,4 0 0 1 -4,4 h-40 a4,4 0 0 1 -4,-4 v-16 '
            f'c0,-8 2,-15 9,-20 Z" fill="{SEA_LIGHT}" fill-opacity="0.85" {s(2)}/>'
            f'<rect x="{x - 2}" y="{y - 54}" width="34" height="9" rx="2" fill="{WOOD_LIGHT}" {s(1.5)}/>'
            f'<path d="M{x - 4},{y - 22} h38" stroke="{PARCH}" stroke-width="9"/>'
            f'<path d="M{x - 2},{y - 36} c-2,8 -2,14 0,20" stroke="{FOAM}" stroke-width="2.5" fill="none" opacity="0.7"/>')


def chart_basket(x, y):
    """A wicker basket of rolled charts standing on the floor; `x, y` its top-left."""
    rolls = "".join(f'<g transform="rotate({a} {x + cx} {y + 40})"><rect x="{x + cx - 7}" y="{y - 44}" width="14" height="90" '
                    f'rx="6" fill="{PARCH if i % 2 else PARCH_LIGHT}" {s(1.8)}/>'
                    f'<ellipse cx="{x + cx}" cy="{y - 44}" rx="7" ry="3" fill="{PARCH_DARK}" {s(1.2)}/></g>'
                    for i, (cx, a) in enumerate(((18, -12), (52, 10))))
    body = (f'<path d="M{x},{y} H{x + 70} L{x + 62},{y + 70} H{x + 8} Z" fill="{PARCH_DARK}" {s(2.5)}/>'
            + "".join(f'<path d="M{x + 2 + k * 0.12},{y + k} H{x + 68 - k * 0.12}" stroke="{WOOD}" stroke-width="2" '
                      f'opacity="0.7"/>' for k in range(8, 70, 10))
            + "".join(f'<path d="M{x + k},{y} L{x + 4 + k * 0.88},{y + 70}" stroke="{WOOD}" stroke-width="1.5" opacity="0.5"/>'
                      for k in range(10, 70, 12))
            + f'<rect x="{x - 3}" y="{y - 4}" width="76" height="9" rx="4" fill="{WOOD_LIGHT}" {s(2)}/>')
    return rolls, body


def desk():
    """The captain's desk: the top seen a little from above, the front with its drawers."""
    out = [f'<path d="M300,452 H760 L784,486 H276 Z" fill="url(#wood)" {s(3)}/>',
           f'<path d="M306,456 H754" stroke="{WOOD_LIGHT}" stroke-width="2" opacity="0.7"/>',
           f'<rect x="276" y="486" width="508" height="16" fill="{WOOD_DARK}" {s(2.5)}/>',
           f'<rect x="290" y="502" width="480" height="140" fill="url(#wood)" {s(3)}/>']
    for x in (304, 542):
        out.append(f'<rect x="{x}" y="516" width="214" height="50" rx="3" fill="{WOOD}" {s(2)}/>'
                   f'<rect x="{x + 6}" y="522" width="202" height="38" rx="2" fill="none" stroke="{GOLD_DARK}" stroke-width="1.5"/>'
                   f'<circle cx="{x + 107}" cy="541" r="6" fill="url(#gold)" {s(1.5)}/>')
    out.append(f'<rect x="304" y="578" width="452" height="56" rx="3" fill="{WOOD}" {s(2)}/>'
               f'<rect x="310" y="584" width="440" height="44" rx="2" fill="none" stroke="{GOLD_DARK}" stroke-width="1.5"/>')
    for x in (300, 760):
        out.append(rivet(x, 512, 4) + rivet(x, 632, 4))
    # the chart spread on it, with a route and a cross
    out.append(f'<path d="M392,454 L630,452 L646,482 L380,484 Z" fill="url(#parch)" {s(2)}/>'
               f'<path d="M410,474 C450,460 480,480 520,466 S590,470 610,462" stroke="{WOOD}" stroke-width="2" fill="none" '
               f'stroke-dasharray="5 4"/><path d="M604,458 l10,8 m0,-8 l-10,8" stroke="{RED}" stroke-width="3"/>'
               f'<path d="M430,458 c10,-2 20,2 24,8 c-10,6 -22,4 -28,-2 Z" fill="{GREEN}" opacity="0.5"/>')
    return "".join(out)


def inkwell(x, y):
    """A squat ink pot (a front): the quill stands in it."""
    return (f'<path d="M{x - 20},{y} C{x - 22},{y - 18} {x - 14},{y - 24} {x - 8},{y - 26} H{x + 8} C{x + 14},{y - 24} '
            f'{x + 22},{y - 18} {x + 20},{y} Z" fill="#243048" {s(2)}/>'
            f'<rect x="{x - 9}" y="{y - 32}" width="18" height="7" rx="2" fill="url(#gold)" {s(1.5)}/>'
            f'<path d="M{x - 14},{y - 6} C{x - 15},{y - 14} {x - 11},{y - 19} {x - 7},{y - 21}" stroke="{SEA_LIGHT}" '
            f'stroke-width="2.5" fill="none" opacity="0.7"/>')


def open_book(x, y):
    """An open book lying on the desk (a front), its spine at x."""
    return (f'<path d="M{x},{y} C{x - 20},{y - 8} {x - 44},{y - 8} {x - 58},{y - 2} L{x - 64},{y + 22} C{x - 44},{y + 16} '
            f'{x - 20},{y + 18} {x},{y + 26} C{x + 20},{y + 18} {x + 44},{y + 16} {x + 64},{y + 22} L{x + 58},{y - 2} '
            f'C{x + 44},{y - 8} {x + 20},{y - 8} {x},{y} Z" fill="{PARCH_LIGHT}" {s(2)}/>'
            f'<path d="M{x},{y} V{y + 26}" stroke="{PARCH_DARK}" stroke-width="2"/>'
            + "".join(f'<path d="M{x + d * 10},{y + 4 + i * 5} q{d * 18},-4 {d * 40},0" stroke="{PARCH_DARK}" '
                      f'stroke-width="1.2" fill="none"/>' for d in (-1, 1) for i in range(3))
            + f'<path d="M{x - 64},{y + 22} C{x - 44},{y + 20} {x - 20},{y + 22} {x},{y + 30} C{x + 20},{y + 22} '
            f'{x + 44},{y + 20} {x + 64},{y + 22}" stroke="#6a1e22" stroke-width="5" fill="none"/>')


def jewel_box(x, y, front):
    """A little open box for a ring: the lid and inside behind, the front wall before."""
    if not front:
        return (f'<path d="M{x - 22},{y - 8} L{x - 18},{y - 34} H{x + 22} L{x + 24},{y - 8} Z" fill="#6a1e22" {s(2)}/>'
                f'<path d="M{x - 16},{y - 28} H{x + 18}" stroke="{GOLD}" stroke-width="2"/>'
                f'<rect x="{x - 24}" y="{y - 10}" width="48" height="10" fill="#3a0e12" {s(1.5)}/>')
    return (f'<rect x="{x - 26}" y="{y - 4}" width="52" height="22" rx="2" fill="#8a2a2a" {s(2)}/>'
            f'<path d="M{x - 24},{y - 2} H{x + 24}" stroke="{GOLD}" stroke-width="2.5"/>'
            f'<rect x="{x - 4}" y="{y + 2}" width="8" height="9" rx="1.5" fill="url(#gold)" {s(1)}/>')


def chair():
    """The captain's chair, its back to us between us and the desk (a front): a frame and spindles."""
    out = []
    for x1, x2 in ((626, 630), (786, 782)):
        out.append(f'<path d="M{x1},468 L{x2},668" stroke="{INK}" stroke-width="14" stroke-linecap="round"/>'
                   f'<path d="M{x1},468 L{x2},668" stroke="url(#woodH)" stroke-width="10" stroke-linecap="round"/>')
    for x in (664, 706, 746):
        out.append(f'<path d="M{x},490 L{x + 1},584" stroke="{INK}" stroke-width="9" stroke-linecap="round"/>'
                   f'<path d="M{x},490 L{x + 1},584" stroke="{WOOD_LIGHT}" stroke-width="6" stroke-linecap="round"/>')
    out.append(f'<path d="M614,478 C650,450 760,450 798,478 L796,494 C760,470 650,470 616,494 Z" fill="url(#wood)" {s(2.5)}/>'
               f'<path d="M622,474 C660,452 752,452 790,474" stroke="{WOOD_LIGHT}" stroke-width="2" fill="none"/>'
               f'<rect x="622" y="580" width="168" height="14" rx="4" fill="url(#wood)" {s(2.5)}/>'
               f'<circle cx="706" cy="470" r="7" fill="url(#gold)" {s(1.5)}/>')
    return "".join(out)


def chair_seat():
    """The chair's seat behind its back, where something may be left lying."""
    return (f'<path d="M636,560 H776 L792,584 H620 Z" fill="{WOOD_LIGHT}" {s(2.5)}/>'
            f'<path d="M642,566 H770" stroke="{WOOD}" stroke-width="1.5" opacity="0.7"/>'
            f'<rect x="620" y="584" width="172" height="10" fill="{WOOD_DARK}" {s(2)}/>')


def globe(cx, cy, r):
    """A terrestrial globe on a wooden stand."""
    return (f'<path d="M{cx - r * 0.55},{cy + r * 2.3} L{cx},{cy + r * 1.05} L{cx + r * 0.55},{cy + r * 2.3}" '
            f'stroke="{INK}" stroke-width="10" fill="none" stroke-linecap="round"/>'
            f'<path d="M{cx - r * 0.55},{cy + r * 2.3} L{cx},{cy + r * 1.05} L{cx + r * 0.55},{cy + r * 2.3}" '
            f'stroke="{WOOD}" stroke-width="6" fill="none" stroke-linecap="round"/>'
            f'<ellipse cx="{cx}" cy="{cy + r * 2.3}" rx="{r * 0.8}" ry="7" fill="url(#wood)" {s(2)}/>'
            f'<circle cx="{cx}" cy="{cy}" r="{r}" fill="#4a86a0" {s(2.5)}/>'
            f'<path d="M{cx - r * 0.6},{cy - r * 0.5} c{r * 0.3},-{r * 0.2} {r * 0.5},0 {r * 0.45},{r * 0.35} '
            f'c-{r * 0.1},{r * 0.3} -{r * 0.4},{r * 0.2} -{r * 0.45},-{r * 0.35} Z M{cx + r * 0.1},{cy} c{r * 0.3},-{r * 0.1} '
            f'{r * 0.6},{r * 0.1} {r * 0.5},{r * 0.45} c-{r * 0.2},{r * 0.3} -{r * 0.5},{r * 0.1} -{r * 0.5},-{r * 0.45} Z" '
            f'fill="{GREEN}" {s(1.5)}/>'
            f'<path d="M{cx - r * 0.5},{cy - r * 0.7} a{r},{r} 0 0 1 {r * 0.7},-{r * 0.2}" stroke="{FOAM}" stroke-width="3" '
            f'fill="none" opacity="0.6"/>')


def globe_ring(cx, cy, r):
    """The globe's brass meridian (a front)."""
    return (f'<path d="M{cx},{cy + r + 8} A{r + 8},{r + 8} 0 1 1 {cx + 0.1},{cy + r + 8}" stroke="{INK}" stroke-width="9" '
            f'fill="none" transform="rotate(-20 {cx} {cy})"/>'
            f'<path d="M{cx},{cy + r + 8} A{r + 8},{r + 8} 0 1 1 {cx + 0.1},{cy + r + 8}" stroke="url(#gold)" stroke-width="5" '
            f'fill="none" transform="rotate(-20 {cx} {cy})"/>')


def coat():
    """The captain's coat hanging from a peg (a front), gold buttons and cuffs."""
    return (f'<circle cx="900" cy="146" r="6" fill="url(#gold)" {s(1.5)}/>'
            f'<path d="M880,150 C860,156 850,180 846,220 C840,290 836,360 830,420 L868,430 L880,330 L900,420 L942,428 '
            f'C944,360 946,280 944,220 C940,180 930,156 916,150 Z" fill="url(#ccoat)" {s(2.5)}/>'
            f'<path d="M880,152 L898,196 L916,152" stroke="{INK}" stroke-width="2" fill="#3a4a80"/>'
            f'<path d="M898,196 V320" stroke="#141a38" stroke-width="2"/>'
            + "".join(f'<circle cx="{x}" cy="{y}" r="4" fill="url(#gold)" {s(1)}/>'
                      for x, y in ((890, 220), (906, 220), (890, 252), (906, 252), (890, 284), (906, 284)))
            + f'<path d="M832,396 L868,404 L866,426 L830,420 Z M900,406 L942,410 L942,428 L900,420 Z" fill="{GOLD_DARK}" {s(1.5)}/>')


def lamp():
    """The oil lamp hanging from the beam (a front): chain, brass cage, the glass with its flame."""
    return (f'<path d="M780,90 V118" stroke="{INK}" stroke-width="3" stroke-dasharray="4 2"/>'
            f'<path d="M764,126 L780,114 L796,126 Z" fill="url(#gold)" {s(2)}/>'
            f'<rect x="764" y="126" width="32" height="46" rx="6" fill="#fff2b0" {s(2)}/>'
            f'<path d="M780,138 c6,8 6,16 0,22 c-6,-6 -6,-14 0,-22 Z" fill="{GOLD}"/>'
            f'<path d="M772,126 V172 M788,126 V172" stroke="{GOLD_DARK}" stroke-width="2.5"/>'
            f'<path d="M760,172 H800 L794,182 H766 Z" fill="url(#gold)" {s(2)}/>')


def boots(x, y):
    """A pair of sea boots standing on the floor (a front): `x, y` the left boot's heel."""
    out = []
    for dx, tilt in ((0, -3), (40, 6)):
        bx = x + dx
        out.append(f'<g transform="rotate({tilt} {bx + 20} {y})"><path d="M{bx},{y} V{y - 78} H{bx + 30} V{y - 18} '
                   f'C{bx + 40},{y - 16} {bx + 54},{y - 12} {bx + 54},{y} Z" fill="#3a2416" {s(2.5)}/>'
                   f'<rect x="{bx - 4}" y="{y - 86}" width="38" height="14" rx="3" fill="#4e3220" {s(2)}/>'
                   f'<path d="M{bx + 6},{y - 70} V{y - 22}" stroke="#6a4a30" stroke-width="3" opacity="0.7"/></g>')
    return "".join(out)


def rug_roll():
    """The edge of the rug, rolled up at the desk's foot (a front)."""
    return (f'<path d="M120,640 C180,628 250,630 300,640 L300,660 C250,650 180,650 120,660 Z" fill="#6a1e22" {s(2)}/>'
            f'<ellipse cx="120" cy="650" rx="9" ry="11" fill="#8a2a2a" {s(2)}/>'
            f'<ellipse cx="120" cy="650" rx="4" ry="5" fill="{GOLD_DARK}"/>'
            f'<path d="M130,646 C190,636 250,638 298,646" stroke="{GOLD}" stroke-width="2" fill="none" stroke-dasharray="6 4"/>')


def rug():
    return (f'<path d="M120,660 C200,652 280,654 330,664 L360,720 H60 Z" fill="#8a2a2a" {s(2)}/>'
            f'<path d="M128,668 C200,662 276,664 322,672 L344,712 H80 Z" fill="none" stroke="{GOLD}" stroke-width="2.5"/>')


def wall_clock(cx, cy, r):
    """A brass ship's clock on the wall."""
    hands = f'<path d="M{cx},{cy} V{cy - r * 0.6} M{cx},{cy} L{cx + r * 0.45},{cy + r * 0.2}" stroke="{INK}" stroke-width="2"/>'
    ticks = "".join(f'<circle cx="{cx + r * 0.75 * c:.1f}" cy="{cy + r * 0.75 * d:.1f}" r="1.5" fill="{INK}"/>'
                    for c, d in ((0, -1), (1, 0), (0, 1), (-1, 0)))
    return (f'<circle cx="{cx}" cy="{cy}" r="{r}" fill="url(#gold)" {s(2.5)}/>'
            f'<circle cx="{cx}" cy="{cy}" r="{r * 0.8}" fill="{PARCH_LIGHT}" {s(1.5)}/>' + ticks + hands
            + f'<circle cx="{cx}" cy="{cy}" r="2.5" fill="url(#gold)" {s(1)}/>')


def framed_chart(x, y, w, h):
    """A little sea chart in a gilt frame."""
    return (f'<rect x="{x}" y="{y}" width="{w}" height="{h}" fill="url(#gold)" {s(2.5)}/>'
            f'<rect x="{x + 6}" y="{y + 6}" width="{w - 12}" height="{h - 12}" fill="url(#parch)" {s(1.5)}/>'
            f'<path d="M{x + 14},{y + h - 20} c8,-14 20,-10 24,-22 c4,-8 10,-6 12,-2" stroke="{WOOD}" stroke-width="2" '
            f'fill="none"/><path d="M{x + 12},{y + 14} c10,4 16,0 20,8 c-6,6 -14,6 -20,0 Z" fill="{GREEN}" opacity="0.6"/>'
            f'<path d="M{x + w - 20},{y + 16} l8,8 m0,-8 l-8,8" stroke="{RED}" stroke-width="2.5"/>')


def cabin_scene():
    rolls, basket = chart_basket(96, 596)
    back = [walls(), windows(), curtain(318), curtain(712, flip=True), bookshelf(), floor(), rug(), desk(), wall_clock(284, 176, 22), framed_chart(958, 290, 60, 80),
            sea_chest(26, 548, 168, 96), jewel_box(706, 452, False), rolls, chair_seat(),
            book_stack(312, 422, 3, 60, seed=4), globe(884, 478, 40),
            f'<ellipse cx="350" cy="338" rx="26" ry="6" fill="{WOOD_DARK}" opacity="0.5"/>']
    fronts = [
        Front("inkwell", inkwell(360, 476), (336, 440, 48, 40)),
        Front("book", open_book(550, 446), (482, 434, 136, 50)),
        Front("box", jewel_box(706, 452, True), (676, 444, 60, 32)),
        Front("chair", chair(), (604, 444, 200, 232)),
        Front("boots", boots(236, 640), (226, 546, 114, 100)),
        Front("basket", basket, (88, 588, 86, 82)),
        Front("rugroll", rug_roll(), (108, 624, 196, 42)),
        Front("coat", coat(), (826, 136, 124, 298)),
        Front("globering", globe_ring(884, 478, 40), (828, 422, 112, 112)),
        Front("lamp", lamp(), (756, 88, 48, 98)),
        Front("barrel", barrel(940, 500, 84, 120), (934, 494, 90, 132)),
        Front("inkpot", inkwell(216, 204), (192, 168, 48, 40)),
        Front("jar", shelf_jar(166, 384), (154, 326, 48, 62)),
        Front("shelfbooks", books(42, 204, (66, 58, 70, 62, 54, 60), seed=1), (38, 130, 120, 78)),
        Front("curtain", curtain(712, flip=True), (656, 92, 72, 296)),
        Front("sillbooks", book_stack(406, 316, 2, 56, seed=6), (398, 310, 72, 32)),
        Front("shelf2", books(150, 294, (56, 64, 60, 50), seed=3), (146, 226, 86, 70)),
    ]
    things = [Thing("quill", 356, 436, 56, 0), Thing("candle", 196, 177, 48, 4), Thing("compass", 488, 452, 44, 10),
              Thing("spyglass", 134, 276, 52, 28), Thing("hourglass", 938, 602, 42, -6), Thing("key", 952, 250, 50, 80),
              Thing("ring", 706, 432, 44, -6), Thing("coin", 226, 618, 40, 0), Thing("dagger", 318, 604, 60, 120),
              Thing("pistol", 150, 364, 52, 14), Thing("hat", 700, 556, 52, -8), Thing("bottle", 652, 316, 44, -8),
              Thing("goblet", 444, 310, 46, 6), Thing("bell", 756, 176, 44, -4), Thing("scroll", 140, 584, 44, -70)]
    lights = [("glow-lamp.png", glow(200, GOLD_LIGHT), 680, 30), ("glow-moon.png", glow(220, "#7a8cb8"), 450, 60),
              ("glow-desk.png", glow(300, "#ffd28a"), 380, 330)]
    return Scene("cabin", 5, CABIN_LIGHT, back, things, fronts, defs=CABIN_DEFS, lights=lights, wash="url(#cwash)")
