"""Mouse cursors. The eye, skull and map cursors come in the five tile size classes
(suffix -1..-4, none for the 50 px class); each is twice its hot spot so the icon is centred on it."""
from svgkit import Image, group, shadow
import icons

# name -> (file, hot spot x, hot spot y); the hot spot is the pixel under the mouse.
SIZED = {
    "oko": [(18, 17), (11, 11), (9, 8), (8, 8), (6, 7)],
    "czaszka": [(21, 17), (16, 15), (13, 11), (9, 10), (8, 6)],
    "mapa": [(13, 13), (10, 9), (8, 8), (6, 4), (5, 4)],
}
ICON = {"oko": icons.eye, "czaszka": icons.skull, "mapa": icons.map_}


def centred_icon(draw, w, h):
    side = min(w, h)
    s = side / 100.0
    sw = max(1.0, 1.2 if side < 20 else 1.5) / s
    return group(draw(sw), (w - side) / 2, (h - side) / 2, s)


def images():
    out = {}
    s = 32 / 100.0
    out["gfx/gui/mouse/hand.png"] = Image(32, 32, shadow(group(icons.hand(1.5 / s), 0, 0, s)))
    out["gfx/gui/mouse/hook.png"] = Image(32, 36, shadow(group(icons.hook(1.5 / s), 0, 1.4, s)))
    for name, spots in SIZED.items():
        for n, (hx, hy) in enumerate(spots):
            fname = f"{name}.png" if n == 0 else f"{name}-{n}.png"
            w, h = 2 * hx, 2 * hy
            body = centred_icon(ICON[name], w, h)
            out["gfx/gui/mouse/" + fname] = Image(w, h, shadow(body) if n < 2 else body)
    # Probe for pixel-exact hover tests: a small solid dot, centred.
    out["gfx/point.png"] = Image(5, 5, '<circle cx="2.5" cy="2.5" r="2.4" fill="#ffffff"/>')
    return out
