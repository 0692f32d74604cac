"""The window theme: nine window pieces, the menu bar and its drop-down frame, slider parts.
Each set is one drawing cut into slices, so the stretched edges always meet the corners."""
from svgkit import Image, Strip, crop, rrect, rivet, shadow, state_wrap, STATES, INK, WOOD, WOOD_DARK, \
    WOOD_LIGHT, GOLD, GOLD_DARK, PARCH_LIGHT, PARCH, PARCH_DARK

B = 36      # window border: corners are B x B, edges B thick
E = 32      # length of an edge piece along its stretch direction
WIN = B * 2 + E


def window():
    """A wooden frame with a gold bead around a parchment field."""
    t = 24
    body = (f'<rect x="0" y="0" width="{WIN}" height="{WIN}" rx="10" fill="url(#wood)"/>'
            f'<rect x="{t}" y="{t}" width="{WIN - 2 * t}" height="{WIN - 2 * t}" fill="{PARCH_LIGHT}"/>'
            f'<rect x="{t - 2}" y="{t - 2}" width="{WIN - 2 * t + 4}" height="{WIN - 2 * t + 4}" fill="none" '
            f'stroke="{GOLD}" stroke-width="3"/>'
            f'<rect x="{t + 1.5}" y="{t + 1.5}" width="{WIN - 2 * t - 3}" height="{WIN - 2 * t - 3}" fill="none" '
            f'stroke="{PARCH_DARK}" stroke-width="3" opacity="0.6"/>'
            f'<rect x="1.5" y="1.5" width="{WIN - 3}" height="{WIN - 3}" rx="10" fill="none" stroke="{INK}" '
            f'stroke-width="3"/>'
            f'<rect x="4" y="4" width="{WIN - 8}" height="{WIN - 8}" rx="8" fill="none" stroke="{WOOD_LIGHT}" '
            f'stroke-width="1.5" opacity="0.7"/>')
    for cx, cy in ((12, 12), (WIN - 12, 12), (12, WIN - 12), (WIN - 12, WIN - 12)):
        body += rivet(cx, cy, 5)
    return body


def dropdown():
    """Drop-down menu frame: a thin dark wood rim, 8 px pieces."""
    n = 24
    return (f'<rect x="0" y="0" width="{n}" height="{n}" rx="4" fill="{WOOD_DARK}"/>'
            f'<rect x="1" y="1" width="{n - 2}" height="{n - 2}" rx="4" fill="none" stroke="{GOLD_DARK}" '
            f'stroke-width="2"/>'
            f'<rect x="5" y="5" width="{n - 10}" height="{n - 10}" fill="{WOOD}"/>')


def menubar():
    w, h = 40, 30
    return (f'<rect x="1" y="1" width="{w - 2}" height="{h - 2}" rx="8" fill="url(#wood)" stroke="{INK}" '
            f'stroke-width="2"/>'
            f'<path d="M3,5 H{w - 3}" stroke="{WOOD_LIGHT}" stroke-width="1.5"/>'
            f'<path d="M3,{h - 4} H{w - 3}" stroke="{GOLD_DARK}" stroke-width="1.5"/>')


def arrow_button(up, state):
    tri = "M12,6 L19,16 H5 Z" if up else "M12,18 L19,8 H5 Z"
    body = (rrect(1.5, 1.5, 21, 21, 5, "url(#wood)", sw=1.5) +
            f'<path d="{tri}" fill="{GOLD}" stroke="{INK}" stroke-width="1"/>')
    return state_wrap(body, state)


def images():
    out = {}
    full = window()
    pieces = {
        "leftUp": (0, 0, B, B), "Up": (B, 0, E, B), "rightUp": (B + E, 0, B, B),
        "right": (B + E, B, B, E), "rightdown": (B + E, B + E, B, B), "down": (B, B + E, E, B),
        "leftdown": (0, B + E, B, B), "left": (0, B, B, E), "srodek": (B, B, E, E),
    }
    for key, (x, y, w, h) in pieces.items():
        out[f"gfx/gui/window/okno-{key.lower()}.png"] = crop(full, x, y, w, h)
    bar = menubar()
    out["gfx/gui/window/belka-lewo.png"] = crop(bar, 0, 0, 14, 30)
    out["gfx/gui/window/belka-srodek.png"] = crop(bar, 16, 0, 8, 30)
    out["gfx/gui/window/belka-prawo.png"] = crop(bar, 26, 0, 14, 30)
    dd = dropdown()
    for key, (x, y) in {"lu": (0, 0), "u": (8, 0), "ru": (16, 0), "r": (16, 8), "rd": (16, 16),
                        "d": (8, 16), "ld": (0, 16), "l": (0, 8), "middle": (8, 8)}.items():
        out[f"gfx/gui/window/menu-{key}.png"] = crop(dd, x, y, 8, 8)
    out["gfx/gui/window/suwak-gora.png"] = Strip(24, 24, [arrow_button(True, s) for s in STATES])
    out["gfx/gui/window/suwak-dol.png"] = Strip(24, 24, [arrow_button(False, s) for s in STATES])
    track = (f'<rect x="3" y="0" width="10" height="40" rx="5" fill="{WOOD_DARK}" stroke="{INK}" '
             f'stroke-width="1.5"/>')
    out["gfx/gui/window/pasek-gora.png"] = crop(track, 0, 0, 16, 8)
    out["gfx/gui/window/pasek-srodek.png"] = crop(track, 0, 12, 16, 16)
    out["gfx/gui/window/pasek-dol.png"] = crop(track, 0, 32, 16, 8)
    thumb = (f'<rect x="1" y="0.75" width="14" height="28.5" rx="6" fill="url(#gold)" stroke="{INK}" '
             f'stroke-width="1.5"/>')
    out["gfx/gui/window/kciuk-gora.png"] = crop(thumb, 0, 0, 16, 6)
    out["gfx/gui/window/kciuk-srodek.png"] = crop(thumb, 0, 9, 16, 12)
    out["gfx/gui/window/kciuk-dol.png"] = crop(thumb, 0, 24, 16, 6)
    return out
