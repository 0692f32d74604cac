"""Caption buttons: four-step strips (normal, hover, pressed, inactive) with the caption drawn in,
one set per language under <screen>/<lang>/; layouts name them with #LANG# in GFX. The options'
on and off buttons are switches (images/options.py)."""
from svgkit import Strip, rrect, text, state_wrap, STATES, INK, GOLD, GOLD_LIGHT

LANG = "en"

# file below gfx/gui/ (without the language part) -> (caption, width)
CAPTIONS = {
    "options/ok.png": ("OK", 140),
    "options/credits.png": ("Credits", 190),
    "options/restart.png": ("Restart", 190),
    "options/mainmenu.png": ("Main menu", 190),
    "options/backtomap.png": ("Back to map", 190),
    "options/rules.png": ("Rules", 190),
    "profileManager/ok.png": ("OK", 140),
    "profileManager/new.png": ("New", 150),
    "profileManager/delete.png": ("Delete", 150),
    "profileManager/rename.png": ("Rename", 150),
    "mainGame/menu.png": ("Menu", 110),
    "mainGame/skip.png": ("Skip tutorial", 170),
}
H = 42


def caption_button(label, w, state):
    fill = GOLD_LIGHT if state == "hover" else GOLD
    body = (rrect(2, 2, w - 6, H - 6, 12, "url(#wood)", sw=2) +
            rrect(5, 5, w - 12, H - 12, 9, "none", stroke=GOLD, sw=1.2) +
            text((w - 2) / 2, H / 2 + 6, label, 19, fill=fill, family="Averia GWF", sw=3, weight="bold"))
    return state_wrap(body, state)


def sign_button(plus, state):
    bar = "M9,16 H23" + (" M16,9 V23" if plus else "")
    body = (f'<circle cx="16" cy="16" r="13" fill="url(#wood)" stroke="{INK}" stroke-width="2"/>'
            f'<path d="{bar}" stroke="{INK}" stroke-width="6" stroke-linecap="round"/>'
            f'<path d="{bar}" stroke="{GOLD}" stroke-width="3.2" stroke-linecap="round"/>')
    return state_wrap(body, state)


def images():
    out = {}
    for rel, (label, w) in CAPTIONS.items():
        folder, name = rel.split("/")
        out[f"gfx/gui/{folder}/{LANG}/{name}"] = Strip(w, H, [caption_button(label, w, s) for s in STATES])
    out["gfx/gui/options/plus.png"] = Strip(34, 34, [sign_button(True, s) for s in STATES])
    out["gfx/gui/options/minus.png"] = Strip(34, 34, [sign_button(False, s) for s in STATES])
    return out
