"""Loading screen: the harbour at dusk behind the logo and the rope-and-gold progress bar."""
import math
import random

from svgkit import Image, shadow, text, rrect, rivet, INK, SEA, SEA_DEEP, SEA_LIGHT, FOAM, GOLD, GOLD_DARK, \
    GOLD_LIGHT, WOOD, WOOD_DARK, WOOD_LIGHT, PARCH, PARCH_LIGHT, PARCH_DARK, RED

SKY = """<linearGradient id="sky" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="#1d3557"/><stop offset="0.55" stop-color="#c9785a"/>
  <stop offset="1" stop-color="#f3c777"/></linearGradient>
<linearGradient id="water" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="#3f7f9a"/><stop offset="1" stop-color="#0f2a40"/></linearGradient>
<radialGradient id="sun" cx="0.5" cy="0.5" r="0.5">
  <stop offset="0" stop-color="#fff6c8"/><stop offset="0.3" stop-color="#ffe08a" stop-opacity="0.9"/>
  <stop offset="1" stop-color="#ffb060" stop-opacity="0"/></radialGradient>"""


def waves(y0, y1, seed):
    rnd = random.Random(seed)
    out = []
    y = y0
    while y < y1:
        k = (y - y0) / (y1 - y0)
        for _ in range(int(6 + 10 * k)):
            x = rnd.uniform(-40, 1024)
            w = 30 + 90 * k
            out.append(f'<path d="M{x:.0f},{y:.0f} q{w / 2:.0f},-{3 + 5 * k:.1f} {w:.0f},0" stroke="{FOAM}" '
                       f'stroke-width="{1 + 2 * k:.1f}" fill="none" opacity="{0.25 + 0.35 * k:.2f}"/>')
        y += 10 + 26 * k
    return "".join(out)


def palm(x, y, s):
    leaves = "".join(
        f'<path d="M0,0 Q{40 * math.cos(a):.0f},{40 * math.sin(a) - 30:.0f} {80 * math.cos(a):.0f},'
        f'{80 * math.sin(a):.0f}" stroke="#1c2b1e" stroke-width="9" fill="none" stroke-linecap="round"/>'
        for a in (math.radians(d) for d in (190, 215, 250, 290, 325, 350)))
    return (f'<g transform="translate({x},{y}) scale({s})">'
            f'<path d="M0,0 Q-14,70 6,150" stroke="#1c2b1e" stroke-width="10" fill="none"/>{leaves}</g>')


def ship(x, y, s):
    return (f'<g transform="translate({x},{y}) scale({s})" fill="#1a2232">'
            f'<path d="M-90,0 L90,0 L70,30 L-70,30 Z"/>'
            f'<path d="M-6,0 V-150 M-60,0 V-110 M50,0 V-120" stroke="#1a2232" stroke-width="5"/>'
            f'<path d="M-4,-140 Q30,-100 -4,-60 Z M-4,-55 Q36,-30 -4,-8 Z M-58,-100 Q-30,-70 -58,-40 Z '
            f'M52,-110 Q80,-80 52,-50 Z" opacity="0.9"/>'
            f'<path d="M-6,-150 l24,8 l-24,8 Z" fill="{RED}"/></g>')


def back():
    horizon = 430
    body = (f'<defs>{SKY}</defs><rect width="1024" height="768" fill="url(#sky)"/>'
            f'<circle cx="700" cy="{horizon - 30}" r="160" fill="url(#sun)"/>'
            f'<circle cx="700" cy="{horizon - 20}" r="46" fill="#fff1b8" opacity="0.9"/>'
            # distant island
            f'<path d="M760,{horizon} Q840,{horizon - 90} 930,{horizon - 60} Q990,{horizon - 40} 1024,'
            f'{horizon - 50} V{horizon} Z" fill="#3b3b48"/>'
            f'<rect y="{horizon}" width="1024" height="{768 - horizon}" fill="url(#water)"/>'
            f'<path d="M620,{horizon + 4} h160 M640,{horizon + 14} h120 M660,{horizon + 26} h80" '
            f'stroke="#ffe6a0" stroke-width="4" opacity="0.55"/>'
            + waves(horizon + 8, 768, 7) + ship(230, horizon + 8, 0.9) +
            # near shore, left and right, framing the middle
            f'<path d="M0,560 Q120,520 260,600 Q320,640 300,768 H0 Z" fill="#2a2118"/>'
            f'<path d="M1024,590 Q900,560 820,640 Q780,700 800,768 H1024 Z" fill="#2a2118"/>'
            + palm(90, 470, 1.2) + palm(940, 500, 1.0) +
            '<rect width="1024" height="768" fill="url(#vignette)"/>')
    return Image(1024, 768, body)


def logo():
    w, h = 640, 260
    banner = (f'<path d="M40,70 Q320,20 600,70 L620,190 Q320,150 20,190 Z" fill="url(#parch)" stroke="{INK}" '
              f'stroke-width="4" stroke-linejoin="round"/>'
              f'<path d="M40,70 L0,60 L20,130 L0,200 L20,190 Z M600,70 L640,60 L620,130 L640,200 L620,190 Z" '
              f'fill="{PARCH_DARK}" stroke="{INK}" stroke-width="4" stroke-linejoin="round"/>')
    title = text(320, 158, "Zerkon", 118, fill="url(#gold)", family="Leckerli One", sw=9)
    sub = text(320, 228, "a pirate picture puzzle", 30, fill=PARCH_LIGHT, family="Kaushan Script", sw=5)
    return Image(w, h, shadow(banner) + shadow(title) + sub)


def bar():
    w, h = 520, 34
    body = (rrect(2, 2, w - 4, h - 4, 15, "url(#gold)", sw=3) +
            rrect(8, 8, w - 16, h - 16, 9, GOLD_DARK, stroke=INK, sw=1) +
            "".join(f'<path d="M{x},9 l12,16" stroke="{GOLD_LIGHT}" stroke-width="3" opacity="0.5"/>'
                    for x in range(14, w - 20, 18)))
    return Image(w, h, body)


def marker(on):
    fill = GOLD if on else WOOD
    return Image(24, 24, shadow(f'<circle cx="12" cy="12" r="9" fill="{fill}" stroke="{INK}" stroke-width="2"/>'))


def loading_logo():
    """The loading screen centres its logo on (512, 384), where the ship sails: the banner is
    drawn at the top of a picture twice as tall, so it stands in the sky above the ship."""
    inner = logo()
    return Image(inner.w, inner.h * 2 + 120, inner.body)


def images():
    return {
        "gfx/gui/loading/back.jpg": back(),
        "gfx/gui/loading/en/logo.png": loading_logo(),
        "gfx/gui/loading/loading.png": bar(),
        "gfx/gui/loading/false.png": marker(False),
        "gfx/gui/loading/true.png": marker(True),
    }
