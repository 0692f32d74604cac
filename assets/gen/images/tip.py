"""The tip bubble shown over the board; its text runs W - 90 wide."""
from svgkit import Image, shadow, INK, PARCH_DARK


def images():
    w, h = 290, 140  # centred on x 150 by the game: stays on screen
    body = shadow(
        f'<path d="M24,8 H{w - 24} Q{w - 8},8 {w - 8},24 V{h - 40} Q{w - 8},{h - 24} {w - 24},{h - 24} '
        f'H96 L70,{h - 4} L74,{h - 24} H24 Q8,{h - 24} 8,{h - 40} V24 Q8,8 24,8 Z" fill="url(#parch)" '
        f'stroke="{INK}" stroke-width="3" stroke-linejoin="round"/>'
        f'<path d="M24,16 H{w - 24}" stroke="#ffffff" stroke-width="2" opacity="0.5"/>'
        f'<path d="M20,{h - 32} H{w - 20}" stroke="{PARCH_DARK}" stroke-width="2" opacity="0.6"/>')
    return {"gfx/gui/specialTip/back.png": Image(w, h, body)}
