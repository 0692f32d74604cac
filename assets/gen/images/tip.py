"""The tip bubble shown over the board; its text runs W - 90 wide."""
from svgkit import Image, Strip, shadow, INK, PARCH_DARK


def images():
    w, h = 290, 140  # centred on x 150 by the game: stays on screen
    body = shadow(
        f'<path d="M24,8 H{w - 24} Q{w - 8},8 {w - 8},24 V{h - 40} Q{w - 8},{h - 24} {w - 24},{h - 24} '
        f'H96 L70,{h - 4} L74,{h - 24} H24 Q8,{h - 24} 8,{h - 40} V24 Q8,8 24,8 Z" fill="url(#parch)" '
        f'stroke="{INK}" stroke-width="3" stroke-linejoin="round"/>'
        f'<path d="M24,16 H{w - 24}" stroke="#ffffff" stroke-width="2" opacity="0.5"/>'
        f'<path d="M20,{h - 32} H{w - 20}" stroke="{PARCH_DARK}" stroke-width="2" opacity="0.6"/>')
    out = {"gfx/gui/specialTip/back.png": Image(w, h, body)}
    out.update(tutorial_images())
    return out


# ---- the tutorial's tip boxes, arrow and ok button -------------------------------------------
# The game centres a box on its anchor, writes the title 115 / 198 / 232 / 136 px above the
# anchor (small, medium, large, normal) and the text centred about 10 px above the anchor,
# W - 90 wide; the ok button sits 40 px above the bottom edge.
# The small box is the board's: wide, and its plank only as tall as its title and three or
# four lines need, at the top of the picture (the rest is clear), so a tip anchored 134 px
# below where its plank should start stands between the board and the power-up shelf. Its
# tips hide the ok button; a tip that shows it takes the normal box.
TUTORIAL_BACKS = {
    "back.png": (420, 280, 204),
    "back-medium.png": (380, 440, None),
    "back-large.png": (440, 500, None),
    "back-normal.png": (340, 330, None),
}


def tutorial_back(w, h, plank_h=None):
    from svgkit import WOOD_DARK, GOLD, GOLD_DARK, plank, rivet, rrect
    m = 6  # room for the drop shadow
    bw = w - 2 * m
    bh = (plank_h if plank_h else h) - 2 * m
    body = plank(m, m, bw, bh, r=14, sw=3)
    # A dark inset where the words stand, gold bead on its inside edge.
    body += rrect(m + 14, m + 14, bw - 28, bh - 28, 10, WOOD_DARK, stroke=GOLD_DARK, sw=2,
                  extra='opacity="0.92"')
    body += rrect(m + 18, m + 18, bw - 36, bh - 36, 8, "none", stroke=GOLD, sw=1, extra='opacity="0.55"')
    for cx, cy in ((m + 8, m + 8), (w - m - 8, m + 8), (m + 8, m + bh - 8), (w - m - 8, m + bh - 8)):
        body += rivet(cx, cy, 3.5)
    return shadow(body)


def tutorial_arrow(variant):
    """Points down (the game bobs it along rot + 90 degrees, downward at rot 0)."""
    from svgkit import GOLD, GOLD_DARK, GOLD_LIGHT, RED
    fill = "url(#gold)" if variant == 0 else RED
    body = (f'<path d="M20,4 H36 V30 H50 L28,56 L6,30 H20 Z" fill="{fill}" stroke="{INK}" '
            f'stroke-width="2" stroke-linejoin="round"/>'
            f'<path d="M23,8 V32" stroke="{GOLD_LIGHT if variant == 0 else "#e07a74"}" stroke-width="2" '
            f'opacity="0.8" stroke-linecap="round"/>')
    return shadow(body)


def tutorial_images():
    from svgkit import STATES, state_wrap, rrect, text, GOLD, GOLD_LIGHT
    out = {}
    for name, (w, h, plank_h) in TUTORIAL_BACKS.items():
        out[f"gfx/gui/tutorial/{name}"] = Image(w, h, tutorial_back(w, h, plank_h))
    out["gfx/gui/tutorial/arrow.png"] = Image(56, 62, tutorial_arrow(0))
    out["gfx/gui/tutorial/arrow2.png"] = Image(56, 62, tutorial_arrow(1))
    bw, bh = 120, 42

    def ok(state):
        fill = GOLD_LIGHT if state == "hover" else GOLD
        body = (rrect(2, 2, bw - 6, bh - 6, 12, "url(#wood)", sw=2) +
                rrect(5, 5, bw - 12, bh - 12, 9, "none", stroke=GOLD, sw=1.2) +
                text((bw - 2) / 2, bh / 2 + 6, "OK", 19, fill=fill, family="Averia GWF", sw=3, weight="bold"))
        return state_wrap(body, state)
    out["gfx/gui/tutorial/en/ok.png"] = Strip(bw, bh, [ok(s) for s in STATES])
    return out
