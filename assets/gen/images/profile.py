"""Profile screen: the panel that slides up over the main menu, and its scroll arrows.
The panel sits at x 250 and its title is centred on x 532, so it is 564 px wide."""
from svgkit import Image, Strip, rrect, state_wrap, STATES, INK, GOLD, WOOD_DARK, PARCH_DARK
from images.options import board

W, H = 564, 500


def panel():
    body = board(W, H)
    # title plaque at the top, the name list sunk into the parchment
    body += rrect(132, 8, 300, 44, 12, "url(#gold)", sw=2) + rrect(137, 13, 290, 34, 9, WOOD_DARK, sw=1)
    body += rrect(50, 86, 400, 270, 10, "#000000", stroke=PARCH_DARK, sw=2, extra='fill-opacity="0.06"')
    return Image(W, H, body)


def arrow(up, state):
    tri = "M20,9 L32,27 H8 Z" if up else "M20,31 L32,13 H8 Z"
    body = (f'<circle cx="20" cy="20" r="17" fill="url(#wood)" stroke="{INK}" stroke-width="2"/>'
            f'<path d="{tri}" fill="{GOLD}" stroke="{INK}" stroke-width="1.5" stroke-linejoin="round"/>')
    return state_wrap(body, state)


def images():
    return {
        "gfx/gui/profileManager/panel.png": panel(),
        "gfx/gui/profileManager/up.png": Strip(44, 44, [arrow(True, s) for s in STATES]),
        "gfx/gui/profileManager/down.png": Strip(44, 44, [arrow(False, s) for s in STATES]),
    }
