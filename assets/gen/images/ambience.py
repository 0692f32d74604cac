"""Ambience pictures: the weather sprites (rain drop, snow ball, three falling leaves, three
sand grains, the bubble), the ten frames of a breaking wave on the map, the two light
stripes, the two swaying fronds of the story scenes and the background fish of the
hidden-object scenes.

The weather is drawn untinted over the play screen's background, so every sprite carries
its own colours and soft edges. Wave frames are drawn at full opacity: the fade of a wave
is in its frames. Stripes are added to the screen (light), so they are white and fade
out at their ends. Frond pictures turn about their stem, which sits where the game puts
the handle: (148, 231) in leaf-1 and (55, 263) in leaf-2. Fish face right; the game
mirrors them when they swim left."""
import math

from svgkit import Image, INK, FOAM, SEA, SEA_DEEP, SEA_LIGHT, GREEN, GOLD, GOLD_DARK, GOLD_LIGHT, WOOD_LIGHT, \
    PARCH, PARCH_DARK, RED


def defs(*items):
    return "<defs>" + "".join(items) + "</defs>"


# ---- weather -------------------------------------------------------------------------------

def drop():
    grad = ('<linearGradient id="dr" x1="0" y1="0" x2="0" y2="1">'
            f'<stop offset="0" stop-color="{FOAM}" stop-opacity="0"/>'
            f'<stop offset="0.7" stop-color="{SEA_LIGHT}" stop-opacity="0.75"/>'
            f'<stop offset="1" stop-color="{FOAM}" stop-opacity="0.95"/></linearGradient>')
    return Image(6, 20, defs(grad) + '<path d="M3,0 C4,8 5.5,14 5.5,16.5 A2.5,2.5 0 0 1 0.5,16.5 '
                                      'C0.5,14 2,8 3,0 Z" fill="url(#dr)"/>')


def snow_ball():
    grad = ('<radialGradient id="sb" cx="0.4" cy="0.38" r="0.6">'
            '<stop offset="0" stop-color="#ffffff" stop-opacity="1"/>'
            f'<stop offset="0.6" stop-color="{FOAM}" stop-opacity="0.85"/>'
            f'<stop offset="1" stop-color="{SEA_LIGHT}" stop-opacity="0"/></radialGradient>')
    return Image(14, 14, defs(grad) + '<circle cx="7" cy="7" r="7" fill="url(#sb)"/>')


LEAF_COLOURS = [(GREEN, "#7fb35a"), (GOLD_DARK, GOLD), (RED, "#d0643c")]


def falling_leaf(i):
    dark, light = LEAF_COLOURS[i]
    grad = (f'<linearGradient id="lf{i}" x1="0" y1="0" x2="1" y2="1">'
            f'<stop offset="0" stop-color="{light}"/><stop offset="1" stop-color="{dark}"/></linearGradient>')
    body = (f'<path d="M3,12 C7,3 19,1 27,4 C24,13 13,20 3,12 Z" fill="url(#lf{i})" stroke="{INK}" '
            f'stroke-width="1" stroke-linejoin="round"/>'
            f'<path d="M1,14 L4,12 C10,10 18,7 25,5" stroke="{INK}" stroke-width="0.8" fill="none" opacity="0.6"/>')
    return Image(30, 20, defs(grad) + body)


def sand_grain(size, shade):
    c = size / 2
    return Image(size, size, f'<circle cx="{c}" cy="{c}" r="{c * 0.85:.2f}" fill="{shade}" stroke="{PARCH_DARK}" '
                             f'stroke-width="0.6"/>')


def bubble():
    grad = ('<radialGradient id="bb" cx="0.5" cy="0.5" r="0.5">'
            f'<stop offset="0.6" stop-color="{SEA_LIGHT}" stop-opacity="0.1"/>'
            f'<stop offset="0.9" stop-color="{FOAM}" stop-opacity="0.75"/>'
            f'<stop offset="1" stop-color="{FOAM}" stop-opacity="0.3"/></radialGradient>')
    return Image(24, 24, defs(grad) + '<circle cx="12" cy="12" r="11" fill="url(#bb)"/>'
                 '<ellipse cx="8" cy="7.5" rx="3.2" ry="2.2" transform="rotate(-35 8 7.5)" fill="#ffffff" '
                 'opacity="0.9"/><circle cx="16" cy="17" r="1.3" fill="#ffffff" opacity="0.6"/>')


# ---- waves ---------------------------------------------------------------------------------

WAVE_W, WAVE_H = 72, 34


def wave_frame(f):
    """Frame f of 10: the crest rises (0-3), curls over and breaks (4-6), its foam spreads and
    fades into the sea (7-9)."""
    rise = min(1.0, (f + 1) / 4)           # height of the crest
    curl = max(0.0, min(1.0, (f - 2) / 3))  # how far the lip has rolled over
    foam = max(0.0, min(1.0, (f - 4) / 2))  # foam on the water after the break
    fade = 1.0 if f < 7 else (10 - f) / 4   # the whole wave sinks back
    base = WAVE_H - 6
    top = base - 20 * rise * (1 - 0.45 * foam)
    lip_x = 40 + 14 * curl
    lip_y = top + 10 * curl
    body = (f'<path d="M2,{base} C16,{base} 24,{top + 6:.1f} 36,{top:.1f} C44,{top - 2:.1f} {lip_x + 4:.1f},'
            f'{top + 1:.1f} {lip_x:.1f},{lip_y:.1f} C{lip_x - 6:.1f},{lip_y - 3:.1f} 44,{top + 8:.1f} 48,{base} Z" '
            f'fill="{SEA}" stroke="{SEA_DEEP}" stroke-width="1.2" stroke-linejoin="round" opacity="{0.85 * fade:.2f}"/>'
            f'<path d="M22,{top + 9:.1f} C28,{top + 2:.1f} 38,{top - 1:.1f} {lip_x:.1f},{lip_y:.1f}" stroke="{FOAM}" '
            f'stroke-width="3" fill="none" stroke-linecap="round" opacity="{fade:.2f}"/>')
    if foam > 0:
        dots = []
        for k in range(7):
            x = 30 + k * 6 + 6 * foam
            y = base - 2 - 3 * math.sin(k * 1.7)
            dots.append(f'<circle cx="{x:.1f}" cy="{y:.1f}" r="{1.6 + 1.6 * foam:.1f}"/>')
        body += (f'<g fill="{FOAM}" opacity="{0.9 * fade:.2f}">{"".join(dots)}</g>'
                 f'<path d="M6,{base + 2} C24,{base - 1} 50,{base + 3} {66 * (0.7 + 0.3 * foam):.1f},{base + 1}" '
                 f'stroke="{FOAM}" stroke-width="2" fill="none" stroke-linecap="round" opacity="{0.7 * fade:.2f}"/>')
    return Image(WAVE_W, WAVE_H, body)


# ---- light stripes -------------------------------------------------------------------------

def stripe(w, h, hx):
    grad = ('<linearGradient id="st" x1="0" y1="0" x2="0" y2="1">'
            '<stop offset="0" stop-color="#ffffff" stop-opacity="0"/>'
            '<stop offset="0.12" stop-color="#ffffff" stop-opacity="0.9"/>'
            '<stop offset="1" stop-color="#ffffff" stop-opacity="0"/></linearGradient>'
            '<filter id="sb" x="-30%" y="-5%" width="160%" height="110%"><feGaussianBlur stdDeviation="6"/></filter>')
    # A shaft widening downward from the handle at the top middle.
    return Image(w, h, defs(grad) + f'<path d="M{hx - w * 0.18:.0f},10 L{hx + w * 0.18:.0f},10 L{w - 8},{h} L8,{h} Z" '
                                    f'fill="url(#st)" filter="url(#sb)"/>')


# ---- swaying fronds ------------------------------------------------------------------------

def frond(w, h, sx, sy, tip, bend, leaflets, seed):
    """A palm frond from its stem at (sx, sy) to the tip, bowing by bend, with leaflets on both
    sides of the rib."""
    tx, ty = tip
    mx, my = (sx + tx) / 2 + bend[0], (sy + ty) / 2 + bend[1]

    def at(t):
        x = (1 - t) ** 2 * sx + 2 * t * (1 - t) * mx + t * t * tx
        y = (1 - t) ** 2 * sy + 2 * t * (1 - t) * my + t * t * ty
        dx = 2 * (1 - t) * (mx - sx) + 2 * t * (tx - mx)
        dy = 2 * (1 - t) * (my - sy) + 2 * t * (ty - my)
        n = math.hypot(dx, dy) or 1
        return x, y, dx / n, dy / n

    parts = []
    for i in range(leaflets):
        t = 0.12 + 0.86 * i / (leaflets - 1)
        x, y, dx, dy = at(t)
        length = (w + h) * 0.16 * math.sin(math.pi * min(1.0, t * 1.05)) + 8
        for side in (-1, 1):
            nx, ny = -dy * side, dx * side
            ex = x + nx * length + dx * length * 0.55
            ey = y + ny * length + dy * length * 0.55
            lx, ly = ex - x, ey - y
            ln = math.hypot(lx, ly) or 1
            px, py = -ly / ln, lx / ln
            mx2, my2 = x + lx * 0.45, y + ly * 0.45
            wdt = 8 + 8 * (1 - t)
            shade = GREEN if (i + seed + (side > 0)) % 2 else "#5f9c47"
            parts.append(f'<path d="M{x:.1f},{y:.1f} Q{mx2 + px * wdt:.1f},{my2 + py * wdt:.1f} {ex:.1f},{ey:.1f} '
                         f'Q{mx2 - px * wdt:.1f},{my2 - py * wdt:.1f} {x:.1f},{y:.1f} Z" fill="{shade}" '
                         f'stroke="{INK}" stroke-width="1.2" stroke-linejoin="round"/>')
    rib = (f'<path d="M{sx},{sy} Q{mx:.1f},{my:.1f} {tx},{ty}" stroke="{INK}" stroke-width="5" fill="none" '
           f'stroke-linecap="round"/><path d="M{sx},{sy} Q{mx:.1f},{my:.1f} {tx},{ty}" stroke="{WOOD_LIGHT}" '
           f'stroke-width="2.5" fill="none" stroke-linecap="round"/>')
    return Image(w, h, "".join(parts) + rib)


# ---- fish ----------------------------------------------------------------------------------

def fish(w, h, body_col, fin_col, stripes):
    """A fish seen from the side, facing right, slightly faded so it stays behind the scene."""
    cx, cy = w * 0.45, h / 2
    rx, ry = w * 0.36, h * 0.36
    tail = (f'<path d="M{cx - rx + 4:.1f},{cy} L{3},{cy - ry:.1f} Q{w * 0.1:.1f},{cy} {3},{cy + ry:.1f} Z" '
            f'fill="{fin_col}" stroke="{INK}" stroke-width="1.5" stroke-linejoin="round"/>')
    fin = (f'<path d="M{cx - rx * 0.3:.1f},{cy - ry + 2:.1f} Q{cx:.1f},{cy - ry - h * 0.22:.1f} '
           f'{cx + rx * 0.45:.1f},{cy - ry + 3:.1f} Z" fill="{fin_col}" stroke="{INK}" stroke-width="1.2"/>')
    grad = (f'<linearGradient id="fb{w}" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="{body_col}"/>'
            f'<stop offset="1" stop-color="{SEA_DEEP}"/></linearGradient>')
    bands = "".join(
        f'<path d="M{cx - rx * 0.5 + k * rx * 0.45:.1f},{cy - ry * 0.85:.1f} q-4,{ry * 0.85:.1f} 0,{ry * 1.7:.1f}" '
        f'stroke="{GOLD_LIGHT}" stroke-width="2.5" fill="none" opacity="0.55"/>' for k in range(stripes))
    eye = (f'<circle cx="{cx + rx * 0.62:.1f}" cy="{cy - ry * 0.2:.1f}" r="{max(2.0, h * 0.07):.1f}" fill="{PARCH}" '
           f'stroke="{INK}" stroke-width="1"/><circle cx="{cx + rx * 0.66:.1f}" cy="{cy - ry * 0.2:.1f}" '
           f'r="{max(1.0, h * 0.035):.1f}" fill="{INK}"/>')
    body = (f'<ellipse cx="{cx:.1f}" cy="{cy}" rx="{rx:.1f}" ry="{ry:.1f}" fill="url(#fb{w})" stroke="{INK}" '
            f'stroke-width="1.5"/>')
    return Image(w, h, defs(grad) + f'<g opacity="0.85">{tail}{fin}{body}{bands}{eye}</g>')


def images():
    out = {
        "gfx/particles/pogoda/kropla.png": drop(),
        "gfx/particles/pogoda/ball.png": snow_ball(),
        "gfx/particles/pogoda/ziarno.png": sand_grain(4, PARCH),
        "gfx/particles/pogoda/ziarno2.png": sand_grain(5, "#e2c98c"),
        "gfx/particles/pogoda/ziarno3.png": sand_grain(6, "#d6b673"),
        "gfx/particles/pogoda/banka.png": bubble(),
        "gfx/efekty/stripe0.png": stripe(200, 520, 100),
        "gfx/efekty/stripe1.png": stripe(100, 420, 50),
        # Stems at the handles the game sets: (148, 231) and (55, 263).
        "gfx/efekty/leaf-1.png": frond(300, 240, 148, 231, (70, 40), (40, -30), 11, 0),
        "gfx/efekty/leaf-2.png": frond(130, 270, 55, 263, (80, 30), (-30, 0), 10, 1),
        "gfx/efekty/ryba-1.png": fish(84, 44, SEA_LIGHT, GOLD_DARK, 2),
        "gfx/efekty/ryba-2.png": fish(60, 30, GOLD, RED, 3),
    }
    for i in range(3):
        out[f"gfx/particles/pogoda/lisc{i + 1}.png"] = falling_leaf(i)
    for f in range(10):
        out[f"gfx/efekty/fale/{f}.png"] = wave_frame(f)
    return out
