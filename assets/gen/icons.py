"""The game's icons, each drawn in a 100 x 100 box so every size class scales one drawing.

sw is the outline width in box units: callers pass 100 * (pixels wanted) / (image size)
so the outline stays the width STYLE.md gives for that size.
"""
from svgkit import INK, GOLD, GOLD_DARK, GOLD_LIGHT, BONE, PARCH, PARCH_DARK, RED, SEA, SEA_LIGHT, \
    IRON, IRON_LIGHT, WOOD, WOOD_DARK, WOOD_LIGHT, GREEN


def eye(sw=4.0):
    return (f'<path d="M6,50 Q50,8 94,50 Q50,92 6,50 Z" fill="{BONE}" stroke="{INK}" stroke-width="{sw}"/>'
            f'<circle cx="50" cy="50" r="21" fill="{SEA}" stroke="{INK}" stroke-width="{sw * 0.7}"/>'
            f'<circle cx="50" cy="50" r="10" fill="{INK}"/>'
            f'<circle cx="43" cy="42" r="6" fill="#ffffff"/>'
            f'<path d="M10,44 Q50,4 90,44" fill="none" stroke="{GOLD_DARK}" stroke-width="{sw * 0.8}" '
            f'stroke-linecap="round"/>')


def skull(sw=4.0):
    return (f'<path d="M50,8 C24,8 12,26 12,46 C12,60 20,68 28,72 L28,88 Q50,96 72,88 L72,72 '
            f'C80,68 88,60 88,46 C88,26 76,8 50,8 Z" fill="{BONE}" stroke="{INK}" stroke-width="{sw}"/>'
            f'<ellipse cx="35" cy="48" rx="11" ry="12" fill="{INK}"/>'
            f'<ellipse cx="65" cy="48" rx="11" ry="12" fill="{INK}"/>'
            f'<path d="M50,58 L44,70 H56 Z" fill="{INK}"/>'
            f'<path d="M38,80 V90 M50,81 V92 M62,80 V90" stroke="{INK}" stroke-width="{sw * 0.8}"/>'
            f'<path d="M20,30 Q30,14 48,12" stroke="#ffffff" stroke-width="{sw}" fill="none" opacity="0.7" '
            f'stroke-linecap="round"/>')


def map_(sw=4.0):
    return (f'<path d="M8,22 L36,12 L64,22 L92,12 L92,78 L64,88 L36,78 L8,88 Z" fill="{PARCH}" '
            f'stroke="{INK}" stroke-width="{sw}" stroke-linejoin="round"/>'
            f'<path d="M36,12 V78 M64,22 V88" stroke="{PARCH_DARK}" stroke-width="{sw * 0.8}"/>'
            f'<path d="M18,70 Q30,50 46,56 T72,38" stroke="{SEA}" stroke-width="{sw * 0.8}" fill="none" '
            f'stroke-dasharray="{sw * 1.6},{sw * 1.2}"/>'
            f'<path d="M70,30 L82,42 M82,30 L70,42" stroke="{RED}" stroke-width="{sw * 1.4}" '
            f'stroke-linecap="round"/>')


def sword(sw=4.0):
    return (f'<path d="M80,8 L92,12 L88,22 L36,68 L30,62 Z" fill="url(#iron)" stroke="{INK}" '
            f'stroke-width="{sw}" stroke-linejoin="round"/>'
            f'<path d="M84,14 L40,60" stroke="#ffffff" stroke-width="{sw * 0.6}" opacity="0.7"/>'
            f'<path d="M22,56 L44,78" stroke="{GOLD_DARK}" stroke-width="{sw * 2.6}" stroke-linecap="round"/>'
            f'<path d="M22,56 L44,78" stroke="{GOLD}" stroke-width="{sw * 1.4}" stroke-linecap="round"/>'
            f'<path d="M33,67 L14,86" stroke="{WOOD_DARK}" stroke-width="{sw * 2.4}" stroke-linecap="round"/>'
            f'<circle cx="12" cy="88" r="{sw * 1.8}" fill="url(#gold)" stroke="{INK}" stroke-width="{sw * 0.6}"/>')


def medallion(sw=4.0):
    return (f'<path d="M34,6 L50,30 L66,6" stroke="{RED}" stroke-width="{sw * 2}" fill="none"/>'
            f'<circle cx="50" cy="60" r="34" fill="url(#gold)" stroke="{INK}" stroke-width="{sw}"/>'
            f'<circle cx="50" cy="60" r="24" fill="none" stroke="{GOLD_DARK}" stroke-width="{sw * 0.8}"/>'
            f'<path d="M50,42 L55,55 L69,55 L58,63 L62,77 L50,69 L38,77 L42,63 L31,55 L45,55 Z" '
            f'fill="{GOLD_LIGHT}" stroke="{GOLD_DARK}" stroke-width="{sw * 0.5}"/>')


def bag(sw=4.0):
    return (f'<path d="M36,26 C20,40 12,58 16,76 C20,92 80,92 84,76 C88,58 80,40 64,26 Z" '
            f'fill="#b58a55" stroke="{INK}" stroke-width="{sw}" stroke-linejoin="round"/>'
            f'<path d="M34,14 Q50,24 66,14 L64,28 Q50,34 36,28 Z" fill="#b58a55" stroke="{INK}" '
            f'stroke-width="{sw}"/>'
            f'<path d="M34,30 Q50,38 66,30" stroke="{RED}" stroke-width="{sw * 1.2}" fill="none"/>'
            f'<path d="M28,56 Q34,80 50,84" stroke="#ffffff" stroke-width="{sw}" fill="none" opacity="0.35" '
            f'stroke-linecap="round"/>')


def hand(sw=4.0):
    """Pointing hand; the fingertip sits at (6, 6) of the box, the finger aiming up-left."""
    up = (f'<rect x="34" y="84" width="40" height="14" rx="3" fill="{RED}" stroke="{INK}" stroke-width="{sw * 0.8}"/>'
          f'<path d="M42,48 V12 Q42,4 50,4 Q58,4 58,12 V44 H74 Q82,44 82,52 V74 Q82,88 66,88 H42 '
          f'Q28,88 26,74 L22,58 Q20,50 28,50 Q34,50 36,58 L38,62 V48 Z" fill="{BONE}" stroke="{INK}" '
          f'stroke-width="{sw}" stroke-linejoin="round"/>'
          f'<path d="M58,46 V58 M70,46 V60 M58,60 Q64,64 70,60" stroke="{PARCH_DARK}" stroke-width="{sw * 0.7}" '
          f'fill="none" stroke-linecap="round"/>'
          f'<path d="M46,12 V36" stroke="#ffffff" stroke-width="{sw * 0.8}" opacity="0.7" stroke-linecap="round"/>')
    return f'<g transform="translate(-44,2) rotate(-32,50,4)">{up}</g>'


def hook(sw=4.0):
    """Pirate hook; its point is near (31, 33) of the box."""
    return (f'<path d="M31,33 Q14,30 14,50 Q14,74 44,74 Q70,74 70,46 L70,14" fill="none" '
            f'stroke="{INK}" stroke-width="{sw * 3.4}" stroke-linecap="round"/>'
            f'<path d="M31,33 Q14,30 14,50 Q14,74 44,74 Q70,74 70,46 L70,14" fill="none" '
            f'stroke="url(#iron)" stroke-width="{sw * 1.8}" stroke-linecap="round"/>'
            f'<path d="M56,78 H84 L88,98 H52 Z" fill="url(#wood)" stroke="{INK}" stroke-width="{sw * 0.8}"/>'
            f'<rect x="60" y="70" width="20" height="10" rx="3" fill="url(#gold)" stroke="{INK}" '
            f'stroke-width="{sw * 0.6}"/>')


def pickaxe(sw=4.0):
    return (f'<path d="M20,88 L70,30" stroke="{WOOD_DARK}" stroke-width="{sw * 3}" stroke-linecap="round"/>'
            f'<path d="M20,88 L70,30" stroke="{WOOD_LIGHT}" stroke-width="{sw * 1.4}" stroke-linecap="round"/>'
            f'<path d="M40,14 Q70,8 92,40 Q70,26 50,26 Z" fill="url(#iron)" stroke="{INK}" stroke-width="{sw}"/>')


ALL = {"eye": eye, "skull": skull, "map": map_, "sword": sword, "medallion": medallion, "bag": bag,
       "hand": hand, "hook": hook}
