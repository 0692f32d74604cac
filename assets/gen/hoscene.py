"""The kit every hidden-object scene is built with (see assets/README.md, "Hidden-object scenes").

A scene is a painting in layers and the things hidden in it:

- `back`: the painting behind everything (background.jpg);
- `plane`: an optional second plane that the game draws over its swimming fish (plane.png);
- `fronts`: pieces of the painting that stand in front of hidden things: a barrel's rim, a
  coil of rope, a frond. A front is painted into its layer like any other piece AND cut out
  at its box as a mask picture, which the game draws again over the things, so they peek
  out from behind it. One drawing for both, so the two can never disagree;
- `light`: how the scene lights what lies in it; `in_light` draws a thing with it (the
  scene's colours, a lit and a shaded side, a cast shadow), so it sits in the painting
  instead of being pasted on;
- `things`: what is hidden, where, how large and how turned: `Thing(item, x, y, size, rot)`.

`Scene.images()` gives every picture of the scene and `Scene.level_text()` its level file,
both from the same table. `preview(scene)` composes the whole scene as one SVG (with the hit
boxes when asked) for checking a layout by eye without a build.
"""
import math

from svgkit import DEFS, INK, GOLD_DARK, Image, plank, rivet, rrect, shadow
from hoitems import ITEMS

ROOT = "gfx/miniGames/hiddenObjects"
ICON = 56            # panel icon size
PANEL_H = 96         # bottom panel height: it ends at row 767
SLOT_Y = 767 - PANEL_H + 50
TOP_H = 52           # top panel
# The scene the player looks into, between the top and the bottom panel.
PLAY_TOP, PLAY_BOTTOM = TOP_H, 767 - PANEL_H

SEPIA = ('<filter id="sepia"><feColorMatrix type="matrix" values="0.393 0.769 0.189 0 0 0.349 0.686 0.168 0 0 '
         '0.272 0.534 0.131 0 0 0 0 0 1 0"/><feComponentTransfer><feFuncR type="linear" slope="0.85"/>'
         '<feFuncG type="linear" slope="0.8"/><feFuncB type="linear" slope="0.7"/></feComponentTransfer></filter>')

# Turns a drawing into its white silhouette (alpha kept): the stencil of masks.
WHITE = '0 0 0 0 1  0 0 0 0 1  0 0 0 0 1  0 0 0 1 0'


class Light:
    """How a scene lights the things in it.

    towards: the direction the key light travels (x, y); the thing's side facing against it is
    lit in `key`, the far side shaded in `shade`. ambient: a colour multiplied over the whole
    thing at `ambient_amount` (dusk, deep water); saturation below 1 calms a thing's colours to
    the painting's. haze: a colour laid over the thing at `haze_amount` (water between the eye
    and the thing). cast: the shadow's offset; it falls in `cast_colour`, soft."""

    def __init__(self, key, shade, ambient, towards=(1.0, 1.0), ambient_amount=0.2, saturation=0.85,
                 key_amount=0.35, shade_amount=0.4, haze=None, haze_amount=0.0, cast=(3, 4),
                 cast_colour=INK, cast_opacity=0.45, cast_blur=1.6):
        self.key, self.shade, self.ambient = key, shade, ambient
        n = math.hypot(*towards) or 1.0
        self.towards = (towards[0] / n, towards[1] / n)
        self.ambient_amount, self.saturation = ambient_amount, saturation
        self.key_amount, self.shade_amount = key_amount, shade_amount
        self.haze, self.haze_amount = haze, haze_amount
        self.cast, self.cast_colour, self.cast_opacity, self.cast_blur = cast, cast_colour, cast_opacity, cast_blur

    def pad(self):
        """Room around a thing for its cast shadow."""
        return int(math.ceil(max(abs(self.cast[0]), abs(self.cast[1])) + 2 * self.cast_blur))


def _drawn(item, size, rot, centre):
    k = size / 100.0
    return (f'<g transform="translate({centre},{centre}) rotate({rot}) translate({-size / 2},{-size / 2}) '
            f'scale({k:.4f})">{ITEMS[item]()}</g>')


def in_light(item, size, rot, light, uid="t"):
    """The thing `item` at `size` px, turned `rot` degrees, drawn in the scene's `light`: its
    colours graded to the scene, lit on the side the light comes from and shaded on the far
    side, with its shadow cast on what lies behind. The picture is square, `size` plus room for
    the shadow, with the thing at its centre (the game centres it on the hiding place). `uid`
    keeps the SVG ids apart when several are put in one document (`preview`)."""
    pad = light.pad()
    w = size + 2 * pad
    c = w / 2
    obj = _drawn(item, size, rot, c)
    dx, dy = light.towards
    x1, y1, x2, y2 = c - dx * size / 2, c - dy * size / 2, c + dx * size / 2, c + dy * size / 2
    box = f'filterUnits="userSpaceOnUse" x="0" y="0" width="{w}" height="{w}"'
    defs = (f'<filter id="{uid}g" {box} color-interpolation-filters="sRGB">'
            f'<feColorMatrix type="saturate" values="{light.saturation}" result="s"/>'
            f'<feFlood flood-color="{light.ambient}" flood-opacity="{light.ambient_amount}"/>'
            f'<feComposite in2="SourceAlpha" operator="in"/><feBlend in2="s" mode="multiply"/></filter>'
            f'<filter id="{uid}w" {box}><feColorMatrix type="matrix" values="{WHITE}"/></filter>'
            f'<mask id="{uid}m" maskUnits="userSpaceOnUse" x="0" y="0" width="{w}" height="{w}">'
            f'<g filter="url(#{uid}w)">{obj}</g></mask>'
            f'<linearGradient id="{uid}l" gradientUnits="userSpaceOnUse" x1="{x1:.1f}" y1="{y1:.1f}" '
            f'x2="{x2:.1f}" y2="{y2:.1f}">'
            f'<stop offset="0" stop-color="{light.key}" stop-opacity="{light.key_amount}"/>'
            f'<stop offset="0.45" stop-color="{light.key}" stop-opacity="0"/>'
            f'<stop offset="0.55" stop-color="{light.shade}" stop-opacity="0"/>'
            f'<stop offset="1" stop-color="{light.shade}" stop-opacity="{light.shade_amount}"/></linearGradient>'
            f'<filter id="{uid}c" {box}><feFlood flood-color="{light.cast_colour}" '
            f'flood-opacity="{light.cast_opacity}"/><feComposite in2="SourceAlpha" operator="in"/>'
            f'<feGaussianBlur stdDeviation="{light.cast_blur}"/></filter>')
    haze = (f'<rect width="{w}" height="{w}" fill="{light.haze}" opacity="{light.haze_amount}"/>'
            if light.haze and light.haze_amount else "")
    body = (f'<defs>{defs}</defs>'
            f'<g filter="url(#{uid}c)"><g transform="translate({light.cast[0]},{light.cast[1]})">{obj}</g></g>'
            f'<g filter="url(#{uid}g)">{obj}</g>'
            f'<g mask="url(#{uid}m)"><rect width="{w}" height="{w}" fill="url(#{uid}l)"/>{haze}</g>')
    return Image(w, w, body)


def icon(item, sepia=False):
    """The thing on the bottom panel: full colour with the UI drop shadow; the sepia copy lies
    over it until the thing is found."""
    k = (ICON - 8) / 100.0
    body = shadow(f'<g transform="translate(3,2) scale({k:.4f})">{ITEMS[item]()}</g>')
    if sepia:
        body = SEPIA + f'<g filter="url(#sepia)" opacity="0.97">{body}</g>'
    return Image(ICON, ICON, body)


def glow(size, colour):
    """A round light for the scene's pulsing lights (drawn added onto the scene)."""
    return Image(size, size, f'<defs><radialGradient id="g" cx="0.5" cy="0.5" r="0.5">'
                             f'<stop offset="0" stop-color="{colour}" stop-opacity="0.9"/>'
                             f'<stop offset="0.35" stop-color="{colour}" stop-opacity="0.45"/>'
                             f'<stop offset="1" stop-color="{colour}" stop-opacity="0"/></radialGradient></defs>'
                             f'<circle cx="{size / 2}" cy="{size / 2}" r="{size / 2}" fill="url(#g)"/>')


def bottom_panel(n):
    """The slots board: a wooden bar with a sunken well per thing to find."""
    w = 1024
    body = [plank(2, 4, w - 4, PANEL_H - 6, r=10, sw=3)]
    # A long list narrows the wells so that neighbours never touch; an icon still fits in one.
    sw = min(68, round((1024 - 80) / max(n, 1)) - 4)
    for i in range(n):
        body.append(rrect(slot_x(i, n) - sw / 2, 14, sw, 70, 10, "#2a1a0e", stroke=GOLD_DARK, sw=2))
    for x in (16, w - 16):
        body.append(rivet(x, 18, 4) + rivet(x, PANEL_H - 18, 4))
    return Image(w, PANEL_H, "".join(body))


def slot_x(i, n):
    step = (1024 - 80) / n
    return round(40 + step * (i + 0.5))


class Thing:
    """One hidden thing: its drawing's name, the centre of its hiding place, its size in px
    (of the 100 box) and its turn in degrees."""

    def __init__(self, item, x, y, size, rot=0):
        self.item, self.x, self.y, self.size, self.rot = item, x, y, size, rot


class Front:
    """A piece of the painting in front of hidden things. `body` is drawn in scene coordinates;
    `box` (x, y, w, h) is where it is cut out for its mask, and must hold every part of it that
    overlaps a thing. `layer` is "back" or "plane", the picture it is painted into."""

    def __init__(self, name, body, box, layer="back"):
        self.name, self.body, self.box, self.layer = name, body, box, layer


class Scene:
    """One hidden-object scene. `back` and `plane` are lists of SVG pieces in scene coordinates,
    `defs` the gradients they share; `wash` (a paint, such as "url(#dusk-wash)") is laid over the
    whole painting, fronts included, and `vignette` darkens its edges.
    lights: (file, picture, x, y); leaves: (x, y, w, h, ms); fish: (img, x1, y1, x2, y2, hx, hy)."""

    def __init__(self, name, title, light, back, things, fronts=(), plane=(), defs="", lights=(), leaves=(),
                 banki=0, fish=(), vignette=True, wash=None):
        self.name, self.title, self.light = name, title, light
        self.back, self.plane, self.fronts, self.things = list(back), list(plane), list(fronts), list(things)
        self.defs, self.lights, self.leaves, self.banki, self.fish = defs, list(lights), list(leaves), banki, list(fish)
        self.vignette, self.wash = vignette, wash
        self.folder = f"{ROOT}/{name}"

    # ---- pictures ----
    def _layer(self, pieces, layer, uid):
        body = "".join(pieces) + "".join(f.body for f in self.fronts if f.layer == layer)
        return f'<defs>{self.defs}</defs>{body}' + self._overlays(body, uid)

    def _overlays(self, body, uid):
        """The wash and the edge darkening, laid only where `body` is drawn, so a layer with
        holes keeps them and a front's mask matches the painting under it."""
        paints = ([self.wash] if self.wash else []) + (["url(#vignette)"] if self.vignette else [])
        if not paints:
            return ""
        return (f'<defs><filter id="{uid}vw" filterUnits="userSpaceOnUse" x="0" y="0" width="1024" height="768">'
                f'<feColorMatrix type="matrix" values="{WHITE}"/></filter>'
                f'<mask id="{uid}vm" maskUnits="userSpaceOnUse" x="0" y="0" width="1024" height="768">'
                f'<g filter="url(#{uid}vw)">{body}</g></mask></defs>'
                f'<g mask="url(#{uid}vm)">' + "".join(f'<rect width="1024" height="768" fill="{p}"/>' for p in paints)
                + '</g>')

    def background(self, uid="b"):
        return Image(1024, 768, self._layer(self.back, "back", uid))

    def plane_picture(self, uid="p"):
        return Image(1024, 768, self._layer(self.plane, "plane", uid)) if self.has_plane() else None

    def has_plane(self):
        return bool(self.plane) or any(f.layer == "plane" for f in self.fronts)

    def mask(self, front, uid="f"):
        x, y, w, h = front.box
        inner = f'<defs>{self.defs}</defs>{front.body}' + self._overlays(front.body, uid)
        return Image(w, h, f'<g transform="translate({-x},{-y})">{inner}</g>')

    def thing_picture(self, t, uid="t"):
        return in_light(t.item, t.size, t.rot, self.light, uid)

    def thing_file(self, i, t):
        """Each placed thing has a picture of its own: the same item may lie twice, turned or
        sized otherwise."""
        return f"{self.folder}/{i + 1:02d}-{t.item}.png"

    def images(self):
        out = {f"{self.folder}/background.jpg": self.background(), f"{self.folder}/panel.png": bottom_panel(len(self.things))}
        if self.has_plane():
            out[f"{self.folder}/plane.png"] = self.plane_picture()
        for i, t in enumerate(self.things):
            out[self.thing_file(i, t)] = self.thing_picture(t)
        for f in self.fronts:
            out[f"{self.folder}/front-{f.name}.png"] = self.mask(f)
        for fname, img, _, _ in self.lights:
            out[f"{self.folder}/{fname}"] = img
        return out

    def items(self):
        return sorted({t.item for t in self.things})

    # ---- the level file ----
    def level_text(self):
        """The scene's level file, written from the same table as its pictures."""
        folder, n = self.folder, len(self.things)
        out = ["level {", f'\tbackground = "{folder}/background.jpg"', f'\tgui = "{folder}/panel.png"', "\ttime = 0",
               f'\ttitle = {self.title}', f'\tbanki = {self.banki}',
               f'\tdrugiPlan = "{folder + "/plane.png" if self.has_plane() else ""}"', "\tobjects {", f"\t\ti = {n}"]
        for i, t in enumerate(self.things):
            out += [f"\t\tob{i + 1} {{", f"\t\t\tid = {i + 1}", f'\t\t\timgUkryty = "{self.thing_file(i, t)}"',
                    f'\t\t\timgDoZebrania = "{ROOT}/items/{t.item}.png"', f'\t\t\timgZebrany = "{ROOT}/items/{t.item}.png"',
                    f"\t\t\tUkrytyDim = {t.x}, {t.y}", f"\t\t\tdoZebraniaDim = {slot_x(i, n)}, {SLOT_Y}",
                    f"\t\t\tstartRot = {t.rot}", "\t\t\tstartScale = 1", '\t\t\tstate = ""', "\t\t\taddPoint = 20, 20",
                    "\t\t}", ""]
        out += ["\t}", "", "\tgroup {", f"\t\ti = {n}"] + [f"\t\tobj{i + 1} = {i + 1}" for i in range(n)]
        out += ["\t\ttextXY = 160, 12", "\t}", "", "\tlights {", f'\t\ti = {len(self.lights)}']
        for k, (fname, _, x, y) in enumerate(self.lights):
            out += [f"\t\tlight{k + 1} {{", f'\t\t\timg = "{folder}/{fname}"', f"\t\t\tposition = {x}, {y}", "\t\t}", ""]
        out += ["\t}", "", "\tleaves {", f'\t\ti = {len(self.leaves)}']
        out += [f"\t\tleaf{k + 1} = {x}, {y}, {w}, {h}, {ms}" for k, (x, y, w, h, ms) in enumerate(self.leaves)]
        out += ["\t}", "", "\tmaska {", f'\t\ti = {len(self.fronts)}']
        for k, f in enumerate(self.fronts):
            out += [f'\t\tmaska{k + 1} = "{folder}/front-{f.name}.png"', f"\t\tmaska{k + 1}dim = {f.box[0]}, {f.box[1]}"]
        out += ["\t}", "", "\tobiektyTla {", f'\t\ti = {len(self.fish)}']
        for k, (url, x1, y1, x2, y2, hx, hy) in enumerate(self.fish):
            out += [f"\t\tobj{k + 1} {{", f'\t\t\timg = "{url}"', '\t\t\ttyp = "FISH"',
                    f"\t\t\tdims = {x1}, {y1}, {x2}, {y2}", f"\t\t\thandle = {hx}, {hy}", "\t\t}", ""]
        out += ["\t}", "", "}", ""]
        return "\n".join(out)


def _nested(img, x, y):
    return f'<svg x="{x}" y="{y}" width="{img.w}" height="{img.h}" viewBox="0 0 {img.w} {img.h}">{img.body}</svg>'


def preview(scene, boxes=False):
    """The whole scene as the game draws it at its start (background, plane, things, masks),
    as one SVG document; with `boxes`, each thing's click box in red and each mask's box in
    blue."""
    parts = [_nested(scene.background("pb"), 0, 0)]
    if scene.has_plane():
        parts.append(_nested(scene.plane_picture("pp"), 0, 0))
    for i, t in enumerate(scene.things):
        img = scene.thing_picture(t, f"t{i}")
        parts.append(_nested(img, t.x - img.w // 2, t.y - img.h // 2))
    for k, f in enumerate(scene.fronts):
        parts.append(_nested(scene.mask(f, f"f{k}"), f.box[0], f.box[1]))
    if boxes:
        for t in scene.things:
            s = t.size + 2 * scene.light.pad()
            parts.append(f'<rect x="{t.x - s // 2}" y="{t.y - s // 2}" width="{s}" height="{s}" fill="none" '
                         f'stroke="red" stroke-width="1"/>')
        for f in scene.fronts:
            x, y, w, h = f.box
            parts.append(f'<rect x="{x}" y="{y}" width="{w}" height="{h}" fill="none" stroke="blue" '
                         f'stroke-width="1" stroke-dasharray="4 3"/>')
    return (f'<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" width="1024" '
            f'height="768" viewBox="0 0 1024 768"><defs>{DEFS}</defs>{"".join(parts)}</svg>')
