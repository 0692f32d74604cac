"""Shared drawing vocabulary for every generated image: palette, gradients, outlines.

Every image is an SVG document built from these helpers and rasterised by rsvg-convert,
so one change here restyles the whole game consistently (see assets/STYLE.md).
"""

# Palette (assets/STYLE.md lists what each colour is for).
INK = "#2b1a0c"          # outlines: a soft dark brown, never pure black
SEA_DEEP = "#143049"
SEA = "#24597a"
SEA_LIGHT = "#6fb2c8"
FOAM = "#e6f4f1"
PARCH_LIGHT = "#fbf0d0"
PARCH = "#f0dcaa"
PARCH_DARK = "#c9a66b"
WOOD_DARK = "#4a2a14"
WOOD = "#7b4a24"
WOOD_LIGHT = "#a9713c"
GOLD_LIGHT = "#fff2b0"
GOLD = "#f7de71"         # the panel gold, also used by the game's text (247, 222, 113)
GOLD_DARK = "#b9852a"
IRON = "#5d6468"
IRON_LIGHT = "#a9b1b3"
RED = "#a8322d"
GREEN = "#4f8a3c"
BONE = "#efe6d2"

DEFS = f"""
<linearGradient id="wood" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="{WOOD_LIGHT}"/><stop offset="0.55" stop-color="{WOOD}"/>
  <stop offset="1" stop-color="{WOOD_DARK}"/></linearGradient>
<linearGradient id="woodH" x1="0" y1="0" x2="1" y2="0">
  <stop offset="0" stop-color="{WOOD_LIGHT}"/><stop offset="0.55" stop-color="{WOOD}"/>
  <stop offset="1" stop-color="{WOOD_DARK}"/></linearGradient>
<linearGradient id="gold" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="{GOLD_LIGHT}"/><stop offset="0.5" stop-color="{GOLD}"/>
  <stop offset="1" stop-color="{GOLD_DARK}"/></linearGradient>
<linearGradient id="parch" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="{PARCH_LIGHT}"/><stop offset="1" stop-color="{PARCH}"/></linearGradient>
<linearGradient id="sea" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="{SEA_LIGHT}"/><stop offset="0.45" stop-color="{SEA}"/>
  <stop offset="1" stop-color="{SEA_DEEP}"/></linearGradient>
<linearGradient id="iron" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="{IRON_LIGHT}"/><stop offset="1" stop-color="{IRON}"/></linearGradient>
<radialGradient id="glow" cx="0.5" cy="0.5" r="0.5">
  <stop offset="0" stop-color="{GOLD_LIGHT}" stop-opacity="0.95"/>
  <stop offset="1" stop-color="{GOLD}" stop-opacity="0"/></radialGradient>
<radialGradient id="pearl" cx="0.38" cy="0.35" r="0.65">
  <stop offset="0" stop-color="#ffffff"/><stop offset="0.6" stop-color="#e9e3f0"/>
  <stop offset="1" stop-color="#a99cb8"/></radialGradient>
<filter id="drop" x="-25%" y="-25%" width="150%" height="150%">
  <feGaussianBlur in="SourceAlpha" stdDeviation="1.6"/><feOffset dx="2" dy="3"/>
  <feComponentTransfer><feFuncA type="linear" slope="0.45"/></feComponentTransfer>
  <feMerge><feMergeNode/><feMergeNode in="SourceGraphic"/></feMerge></filter>
<filter id="grey"><feColorMatrix type="saturate" values="0.1"/>
  <feComponentTransfer><feFuncR type="linear" slope="0.7"/><feFuncG type="linear" slope="0.7"/>
  <feFuncB type="linear" slope="0.7"/></feComponentTransfer></filter>
<filter id="bright"><feComponentTransfer><feFuncR type="linear" slope="1.1" intercept="0.08"/>
  <feFuncG type="linear" slope="1.1" intercept="0.06"/><feFuncB type="linear" slope="1.05" intercept="0.02"/>
  </feComponentTransfer></filter>
<filter id="press"><feComponentTransfer><feFuncR type="linear" slope="0.82"/>
  <feFuncG type="linear" slope="0.82"/><feFuncB type="linear" slope="0.82"/></feComponentTransfer></filter>
<radialGradient id="vignette" cx="0.5" cy="0.5" r="0.75">
  <stop offset="0.6" stop-color="#000" stop-opacity="0"/>
  <stop offset="1" stop-color="#000" stop-opacity="0.45"/></radialGradient>
"""


def outline_width(size):
    """Outline width by the image's smaller side: 1 px at icon sizes, up to 3 px for panels."""
    if size <= 24:
        return 1.0
    if size <= 40:
        return 1.5
    if size <= 80:
        return 2.0
    return 3.0


def doc(w, h, body, extra_defs=""):
    return (f'<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" '
            f'width="{w}" height="{h}" viewBox="0 0 {w} {h}">'
            f'<defs>{DEFS}{extra_defs}</defs>{body}</svg>')


def group(body, tx=0, ty=0, scale=1.0, opacity=1.0):
    attrs = f'transform="translate({tx:.3f},{ty:.3f}) scale({scale:.4f})"'
    if opacity < 1.0:
        attrs += f' opacity="{opacity:.3f}"'
    return f'<g {attrs}>{body}</g>'


def rrect(x, y, w, h, r, fill, stroke=INK, sw=2.0, extra=""):
    return (f'<rect x="{x}" y="{y}" width="{w}" height="{h}" rx="{r}" ry="{r}" fill="{fill}" '
            f'stroke="{stroke}" stroke-width="{sw}" {extra}/>')


def grain(x, y, w, h, n=4, horizontal=True, opacity=0.25):
    """A few soft grain strokes along the plank's long side."""
    out = []
    for i in range(n):
        if horizontal:
            yy = y + h * (i + 1) / (n + 1)
            out.append(f'<path d="M{x + 4},{yy:.1f} C{x + w * 0.3:.1f},{yy - 2:.1f} {x + w * 0.6:.1f},{yy + 2:.1f} '
                       f'{x + w - 4},{yy:.1f}" stroke="{WOOD_DARK}" stroke-width="1" fill="none" opacity="{opacity}"/>')
        else:
            xx = x + w * (i + 1) / (n + 1)
            out.append(f'<path d="M{xx:.1f},{y + 4} C{xx - 2:.1f},{y + h * 0.3:.1f} {xx + 2:.1f},{y + h * 0.6:.1f} '
                       f'{xx:.1f},{y + h - 4}" stroke="{WOOD_DARK}" stroke-width="1" fill="none" opacity="{opacity}"/>')
    return "".join(out)


def plank(x, y, w, h, r=6, sw=2.0):
    """A wooden board: gradient, grain, a light top edge, soft outline."""
    return (rrect(x, y, w, h, r, "url(#wood)", sw=sw) + grain(x, y, w, h, max(2, int(h // 14))) +
            f'<path d="M{x + r},{y + 1.5 + sw / 2} H{x + w - r}" stroke="{WOOD_LIGHT}" stroke-width="1.5" opacity="0.8"/>')


def plaque(x, y, w, h, r=8, sw=2.0):
    """Gold-rimmed dark plaque where the game writes gold text."""
    return (rrect(x, y, w, h, r, "url(#gold)", sw=sw) +
            rrect(x + 4, y + 4, w - 8, h - 8, max(2, r - 3), WOOD_DARK, stroke=GOLD_DARK, sw=1.0) +
            rrect(x + 6, y + 6, w - 12, (h - 12) * 0.45, max(2, r - 4), "#ffffff", stroke="none", sw=0,
                  extra='opacity="0.07"'))


def rivet(cx, cy, r=3.0):
    return (f'<circle cx="{cx}" cy="{cy}" r="{r}" fill="url(#gold)" stroke="{INK}" stroke-width="1"/>'
            f'<circle cx="{cx - r * 0.3:.2f}" cy="{cy - r * 0.3:.2f}" r="{r * 0.35:.2f}" fill="{GOLD_LIGHT}"/>')


def text(x, y, s, size, fill=GOLD, family="Leckerli One", anchor="middle", stroke=INK, sw=2.0, weight="normal"):
    return (f'<text x="{x}" y="{y}" font-family="{family}" font-size="{size}" font-weight="{weight}" '
            f'text-anchor="{anchor}" fill="{fill}" stroke="{stroke}" stroke-width="{sw}" '
            f'paint-order="stroke" stroke-linejoin="round">{s}</text>')


def shadow(body):
    """Soft drop shadow down-right: the light always comes from the top-left."""
    return f'<g filter="url(#drop)">{body}</g>'


class Image:
    """One picture: an SVG body of the given size."""

    def __init__(self, w, h, body):
        self.w, self.h, self.body = w, h, body


class Strip:
    """Frames laid side by side, each drawn by its own SVG body of fw x fh."""

    def __init__(self, fw, fh, frames):
        self.fw, self.fh, self.frames = fw, fh, frames


def crop(full, x, y, w, h):
    """A w x h piece cut from a larger drawing at (x, y): frame pieces are slices of one picture."""
    return Image(w, h, f'<g transform="translate({-x},{-y})">{full}</g>')


STATES = ("normal", "hover", "pressed", "inactive")


def state_wrap(body, state):
    """How every button shows its four states (STYLE.md, Buttons)."""
    if state == "normal":
        return shadow(body)
    if state == "hover":
        return f'<g filter="url(#drop)"><g filter="url(#bright)">{body}</g></g>'
    if state == "pressed":
        return f'<g transform="translate(1,2)"><g filter="url(#press)">{body}</g></g>'
    return f'<g filter="url(#grey)">{body}</g>'
