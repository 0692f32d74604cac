"""Play screen: the panel around the board, the chest in seven states of damage, the hourglass,
the hint shells, the tool buttons, the power-up buttons and the grid cells of each size class.

Fixed places (virtual pixels): size line centred (400, 20); stage label on x 880 from y 0;
hourglass at (830, 42), time on y 65; score (888, 170); tools centred (840, 275) and (943, 275);
chest at (789, 346), 200 x 205 per frame; chest cover at (750, 317), mistakes on (890, 367);
hints caption (885, 610); hint shells centred (840|935, 650|700), 80 x 54 each."""
import math
import random

from svgkit import Image, Strip, shadow, rrect, rivet, plank, plaque, state_wrap, group, STATES, INK, WOOD, \
    WOOD_DARK, WOOD_LIGHT, GOLD, GOLD_DARK, GOLD_LIGHT, PARCH, PARCH_DARK, SEA, SEA_LIGHT, RED, BONE, IRON
import icons

COL_X = 752          # the right column starts here
SHELF_Y = 722        # the power-up shelf below the board
TILES = [50, 36, 30, 24, 20]


def panel():
    body = ""
    # The top banner and the shelf run in under the right column, whose edge covers their
    # ends: one clean joint instead of a rounded end lying on the column.
    body += shadow(plank(-10, -8, COL_X + 30, 50, r=10, sw=3))
    body += shadow(plank(-10, SHELF_Y, COL_X + 30, 60, r=10, sw=3))
    # right column: a tall board with plaques for time, score, tools, chest and hints
    body += shadow(plank(COL_X, -8, 1024 - COL_X + 10, 784, r=14, sw=3))
    for y in range(60, 768, 120):
        body += f'<path d="M{COL_X + 4},{y} H1024" stroke="{WOOD_DARK}" stroke-width="2" opacity="0.5"/>'
    body += plaque(790, 2, 180, 30, r=8)                 # stage label
    body += plaque(822, 38, 140, 54, r=10)               # time
    body += plaque(800, 140, 176, 66, r=10)              # score and multiplier
    body += rrect(786, 236, 212, 78, 14, WOOD_DARK, sw=2) + rrect(790, 240, 204, 70, 12, "none",
                                                                  stroke=GOLD_DARK, sw=1.5)
    # chest niche: dark sea cave behind the chest
    body += rrect(766, 326, 244, 246, 22, SEA, sw=3)
    body += rrect(770, 330, 236, 238, 20, "url(#sea)", stroke="none", sw=0)
    body += f'<ellipse cx="889" cy="548" rx="108" ry="18" fill="{PARCH_DARK}" opacity="0.8"/>'
    body += plaque(792, 594, 186, 32, r=8)               # hints caption
    body += rrect(790, 620, 190, 110, 14, WOOD_DARK, sw=2, extra='fill-opacity="0.75"')
    body += plaque(250, 3, 300, 34, r=10)                # the size line over the board
    # sockets for the power-ups and the bag: sunk into the shelf, a gold-dark rim and a shadow
    # inside at the top, so an empty one reads as a slot waiting to be filled
    for cx in (250, 320, 390, 460, 530, 640):
        cy = SHELF_Y + 23
        body += (f'<circle cx="{cx}" cy="{cy}" r="26" fill="{WOOD_DARK}" stroke="{INK}" stroke-width="1.5"/>'
                 f'<circle cx="{cx}" cy="{cy}" r="23" fill="#24140a" stroke="{GOLD_DARK}" stroke-width="2"/>'
                 f'<path d="M{cx - 18},{cy - 8} A20,20 0 0 1 {cx + 18},{cy - 8}" stroke="{INK}" '
                 f'stroke-width="4" fill="none" opacity="0.35"/>'
                 f'<path d="M{cx - 16},{cy + 14} A21,21 0 0 0 {cx + 16},{cy + 14}" stroke="{WOOD_LIGHT}" '
                 f'stroke-width="1.5" fill="none" opacity="0.5"/>')
    for cx, cy in ((COL_X + 12, 50), (COL_X + 12, 740), (1012, 50), (1012, 740)):
        body += rivet(cx, cy, 5)
    return Image(1024, 768, body)


def chest_part(front, damage):
    """One frame of the open chest; the back half holds the lid and the inside, the front half the wall."""
    rnd = random.Random(100 + damage)
    tilt = -4 * damage  # the lid sags as the chest breaks
    if not front:
        lid = (f'<g transform="rotate({tilt},100,108)">'
               f'<path d="M18,108 L30,40 Q100,10 170,40 L182,108 Z" fill="url(#wood)" stroke="{INK}" '
               f'stroke-width="3" stroke-linejoin="round"/>'
               f'<path d="M52,26 L48,108 M148,26 L152,108" stroke="{GOLD_DARK}" stroke-width="9"/>'
               f'<path d="M52,26 L48,108 M148,26 L152,108" stroke="{GOLD}" stroke-width="5"/></g>')
        inside = (f'<path d="M16,108 H184 L180,130 H20 Z" fill="#2a160a" stroke="{INK}" stroke-width="3"/>'
                  f'<ellipse cx="100" cy="118" rx="70" ry="9" fill="{GOLD}" opacity="0.55"/>')
        body = lid + inside
    else:
        body = (f'<path d="M14,124 H186 L178,200 H22 Z" fill="url(#wood)" stroke="{INK}" stroke-width="3" '
                f'stroke-linejoin="round"/>'
                f'<path d="M20,150 H180 M22,176 H178" stroke="{WOOD_DARK}" stroke-width="2" opacity="0.6"/>'
                f'<path d="M48,124 L50,200 M152,124 L150,200" stroke="{GOLD_DARK}" stroke-width="10"/>'
                f'<path d="M48,124 L50,200 M152,124 L150,200" stroke="{GOLD}" stroke-width="6"/>'
                f'<path d="M14,124 H186" stroke="{GOLD}" stroke-width="5"/>'
                f'<rect x="86" y="134" width="28" height="34" rx="5" fill="url(#gold)" stroke="{INK}" '
                f'stroke-width="2"/><path d="M100,146 v10" stroke="{INK}" stroke-width="4"/>')
    cracks = ""
    for _ in range(damage * 2):
        x = rnd.uniform(24, 176)
        y = rnd.uniform(130, 190) if front else rnd.uniform(40, 100)
        pts = [(x, y)]
        for _ in range(4):
            x += rnd.uniform(-12, 12)
            y += rnd.uniform(-12, 12)
            pts.append((x, y))
        d = "M" + " L".join(f"{px:.1f},{py:.1f}" for px, py in pts)
        cracks += f'<path d="{d}" stroke="{INK}" stroke-width="{2 + damage * 0.3:.1f}" fill="none"/>'
    holes = ""
    for i in range(max(0, damage - 2)):
        x = rnd.uniform(30, 150)
        y = rnd.uniform(140, 180) if front else rnd.uniform(50, 90)
        holes += (f'<path d="M{x:.0f},{y:.0f} l14,-6 l10,12 l-8,14 l-16,-4 Z" fill="#1a0d05" '
                  f'stroke="{INK}" stroke-width="2"/>')
    return shadow(body + cracks + holes)


def hourglass():
    return Image(40, 48, shadow(
        f'<rect x="4" y="2" width="32" height="6" rx="2" fill="url(#wood)" stroke="{INK}" stroke-width="1.5"/>'
        f'<rect x="4" y="40" width="32" height="6" rx="2" fill="url(#wood)" stroke="{INK}" stroke-width="1.5"/>'
        f'<path d="M9,8 Q9,22 20,24 Q31,22 31,8 Z M9,40 Q9,26 20,24 Q31,26 31,40 Z" fill="#e8f2f4" '
        f'fill-opacity="0.85" stroke="{INK}" stroke-width="1.5"/>'
        f'<path d="M13,14 Q20,20 27,14 Z M11,40 Q20,28 29,40 Z" fill="{GOLD}"/>'
        f'<path d="M20,22 V36" stroke="{GOLD}" stroke-width="1.5"/>'))


def shell(step):
    """Hint shell, frame 0 = spent (closed, dull) .. 7 = ready (open, pearl shining)."""
    k = step / 7.0
    lift = 11 * k
    pearl = ""
    if step > 0:
        pearl = (f'<circle cx="40" cy="{38 - 2 * k:.1f}" r="{4 + 5 * k:.1f}" fill="url(#pearl)" stroke="{INK}" '
                 f'stroke-width="1"/>')
        if step > 3:
            pearl = f'<circle cx="40" cy="36" r="22" fill="url(#glow)" opacity="{k * 0.7:.2f}"/>' + pearl
    lower = (f'<path d="M12,40 Q40,56 68,40 Q40,46 12,40 Z" fill="#e9b8a0" stroke="{INK}" stroke-width="2" '
             f'stroke-linejoin="round"/>')
    ribs = "".join(f'<path d="M40,16 L{x},39" stroke="#c98f76" stroke-width="1.5"/>' for x in (20, 30, 40, 50, 60))
    upper = (f'<g transform="translate(0,{-lift:.1f}) translate(0,40) scale(1,{1 - 0.3 * k:.3f}) translate(0,-40)">'
             f'<path d="M12,40 Q14,16 40,14 Q66,16 68,40 Q40,33 12,40 Z" fill="#f3cdb6" stroke="{INK}" '
             f'stroke-width="2" stroke-linejoin="round"/>{ribs}</g>')
    body = lower + pearl + upper if step == 0 else lower + upper + pearl
    if step == 0:
        body = f'<g opacity="0.6">{body}</g>'
    return shadow(body)


def tool_button(icon, state):
    """Hand and hook tools: 64 x 58, the game draws normal or pressed, then the hover glow on top."""
    s = 0.48
    ic = group(icon(2.0 / s), 34 - 50 * s, 29 - 50 * s, s)
    if state == "over":
        return Image(64, 58, f'<rect x="3" y="3" width="58" height="52" rx="12" fill="url(#glow)" opacity="0.8"/>'
                     + rrect(3, 3, 58, 52, 12, "none", stroke=GOLD_LIGHT, sw=3))
    if state == "click":
        return Image(64, 58, rrect(4, 5, 56, 50, 12, WOOD_DARK, sw=2) + group(ic, 1, 2) +
                     rrect(4, 5, 56, 50, 12, "none", stroke=GOLD, sw=2.5))
    return Image(64, 58, shadow(rrect(3, 3, 56, 50, 12, "url(#wood)", sw=2) + ic))


def powerup(icon, state):
    s = 0.40
    body = (f'<circle cx="28" cy="28" r="25" fill="url(#wood)" stroke="{INK}" stroke-width="2"/>'
            f'<circle cx="28" cy="28" r="21" fill="none" stroke="{GOLD}" stroke-width="2"/>'
            + group(icon(2.0 / s), 28 - 50 * s, 28 - 50 * s, s))
    return state_wrap(body, state)


def grid(size):
    """Grid cell: white lines, tinted and faded by the game."""
    return Image(size, size, f'<rect x="0.5" y="0.5" width="{size - 1}" height="{size - 1}" rx="{size * 0.12:.1f}" '
                             f'fill="#ffffff" fill-opacity="0.12" stroke="#ffffff" stroke-width="1"/>')


def chest_piece(i):
    rnd = random.Random(40 + i)
    pts = []
    n = 5 + i % 3
    for k in range(n):
        a = 2 * math.pi * k / n + rnd.uniform(-0.3, 0.3)
        r = rnd.uniform(12, 22)
        pts.append((24 + r * math.cos(a), 24 + r * math.sin(a) * (0.6 if i % 2 else 1.0)))
    d = "M" + " L".join(f"{x:.1f},{y:.1f}" for x, y in pts) + " Z"
    band = (f'<path d="M{pts[0][0]:.1f},{pts[0][1]:.1f} L{pts[2][0]:.1f},{pts[2][1]:.1f}" stroke="{GOLD}" '
            f'stroke-width="4"/>' if i in (1, 4, 6) else "")
    return Image(48, 48, shadow(f'<path d="{d}" fill="url(#wood)" stroke="{INK}" stroke-width="2" '
                                f'stroke-linejoin="round"/>' + band))


def images():
    out = {"gfx/gui/mainGame/gui.png": panel()}
    out["gfx/gui/mainGame/chest-back.png"] = Strip(200, 205, [chest_part(False, d) for d in range(7)])
    out["gfx/gui/mainGame/chest-front.png"] = Strip(200, 205, [chest_part(True, d) for d in range(7)])
    out["gfx/gui/mainGame/klepsydra.png"] = hourglass()
    out["gfx/gui/mainGame/chest-cover.png"] = Image(274, 90, (
        f'<path d="M80,0 L70,36 M194,0 L204,36" stroke="#c8a46a" stroke-width="4"/>'
        + shadow(plaque(62, 33, 150, 36, r=9))))
    out["gfx/gui/mainGame/worek.png"] = Image(56, 56, shadow(group(icons.bag(2.0 / 0.5), 3, 2, 0.5)))
    out["gfx/gui/mainGame/hint-anim.png"] = Strip(80, 54, [shell(i) for i in range(8)])
    out["gfx/gui/mainGame/shell-over.png"] = Image(84, 58, (
        f'<ellipse cx="42" cy="29" rx="40" ry="27" fill="url(#glow)"/>'
        f'<ellipse cx="42" cy="29" rx="36" ry="23" fill="none" stroke="{GOLD_LIGHT}" stroke-width="2.5"/>'))
    out["gfx/gui/mainGame/gwiazda.png"] = Image(28, 28, shadow(
        f'<path d="M14,2 L17.5,10 L26,10.5 L19.5,16 L21.5,25 L14,20 L6.5,25 L8.5,16 L2,10.5 L10.5,10 Z" '
        f'fill="url(#gold)" stroke="{INK}" stroke-width="1.5" stroke-linejoin="round"/>'))
    for i, size in enumerate(TILES):
        out[f"gfx/gui/mainGame/grid-{i}.png"] = grid(size)
    for name, icon in (("reka", icons.hand), ("hak", icons.hook)):
        for state in ("over", "click", "normal"):
            out[f"gfx/gui/mainGame/{name}-{state}.png"] = tool_button(icon, state)
    out["gfx/gui/mainGame/punkt.png"] = Image(8, 8, f'<circle cx="4" cy="4" r="3.2" fill="{GOLD}" '
                                                    f'stroke="{INK}" stroke-width="1"/>')
    order = [icons.sword, icons.medallion, icons.eye, icons.map_, icons.skull]
    for n, icon in enumerate(order, start=1):
        out[f"gfx/gui/mainGame/bonus-{n}.png"] = Strip(56, 56, [powerup(icon, s) for s in STATES])
    # the bag's button only marks where the bag rests; the bag itself is drawn by the game
    out["gfx/gui/mainGame/bonus-6.png"] = Image(56, 56, "")
    for i in range(7):
        out[f"gfx/particles/chest/part-{i + 1}.png"] = chest_piece(i)
    return out
