"""The dialogue box and the portraits of our crew (the story sequences are in story.py).

The panel (624 x 340) is drawn with its top-left corner at (200, 210); its board starts 40 px
lower, at y 250, so it frames what it carries: the lines, written in light colours in the
column from x 292 to 772 with the block centred on row 384 (five rows and two gaps at most,
so the lowest ends above y 482), a gold rule at y 490, and the prompt at y 500. The speaker's
portrait is drawn centred on (200, 390), on the panel's left edge, and the ring (kolko.png,
180 x 180) over it: a gold rope ring whose opening (radius 72) frames the face.

Portraits are 200 x 260, the round face (150 across) in the middle and under the ring the
speaker's name on a gold-rimmed plaque. Each is named after its speaker, and every line of
dialogs.txt begins with that name, so a line and its portrait can be checked to agree:
  quill.png   Captain Marlowe Quill: tricorn hat, auburn braid, red coat
  hobb.png    Hobb, the bosun: grey-bearded, an eye patch and a blue bandana
  pepper.png  Pepper, the captain's parrot
"""
import math

from svgkit import Image, rrect, rivet, plank, plaque, shadow, text, INK, SEA, SEA_DEEP, SEA_LIGHT, FOAM, GOLD, GOLD_DARK, \
    GOLD_LIGHT, WOOD, WOOD_DARK, WOOD_LIGHT, PARCH, PARCH_LIGHT, PARCH_DARK, RED, GREEN, BONE, IRON

PANEL_W, PANEL_H = 624, 340
PANEL_TOP = 40  # the board starts this far below the picture's top (screen y 250)
P = 150  # the round face
PORTRAIT_W, PORTRAIT_H = 200, 260

DEFS = f"""<radialGradient id="backdrop" cx="0.5" cy="0.3" r="0.8">
  <stop offset="0" stop-color="#f4c97c"/><stop offset="0.45" stop-color="#d08a62"/>
  <stop offset="0.46" stop-color="{SEA_LIGHT}"/><stop offset="1" stop-color="{SEA}"/></radialGradient>
<linearGradient id="skin" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="#f3c9a0"/><stop offset="1" stop-color="#d9a276"/></linearGradient>
<linearGradient id="skinDark" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="#c98e62"/><stop offset="1" stop-color="#a8703f"/></linearGradient>
<linearGradient id="coat" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="#c2443b"/><stop offset="1" stop-color="#7d2420"/></linearGradient>
<linearGradient id="hat" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="#4a3a30"/><stop offset="1" stop-color="#2e2119"/></linearGradient>
<linearGradient id="feathers" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="#7cc35a"/><stop offset="1" stop-color="#3f7f2c"/></linearGradient>
<linearGradient id="panelWood" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="#5a341a"/><stop offset="1" stop-color="#3a2110"/></linearGradient>"""


def clip_round(body, tag):
    r = P / 2
    return (f'<clipPath id="round{tag}"><circle cx="{r}" cy="{r}" r="{r}"/></clipPath>'
            f'<g clip-path="url(#round{tag})"><rect width="{P}" height="{P}" fill="url(#backdrop)"/>'
            f'<path d="M0,{P * 0.52} q20,-4 40,0 t40,0 t40,0 t40,0" stroke="{FOAM}" stroke-width="1.5" fill="none" '
            f'opacity="0.6"/>{body}</g>')


def portrait(face, tag, name):
    """The round face in the middle of the picture (its centre the picture's, where the game
    puts the ring) and the speaker's name on a plaque just under the ring."""
    w, h = PORTRAIT_W, PORTRAIT_H
    pw = 34 + 11 * len(name)
    plate = plaque((w - pw) / 2, 216, pw, 34, r=10) + text(w / 2, 239, name, 18, fill=GOLD, family="Averia GWF",
                                                          sw=2.5, weight="bold")
    return Image(w, h, f'<g transform="translate({(w - P) / 2},{(h - P) / 2})">{clip_round(face, tag)}</g>'
                       + shadow(plate))


def eye(cx, cy, look=1.0):
    return (f'<ellipse cx="{cx}" cy="{cy}" rx="5" ry="4" fill="#ffffff" stroke="{INK}" stroke-width="1.2"/>'
            f'<circle cx="{cx + look}" cy="{cy}" r="2.4" fill="{INK}"/>'
            f'<circle cx="{cx + look + 0.8}" cy="{cy - 0.8}" r="0.8" fill="#ffffff"/>')


def captain():
    body = (
        # coat and collar
        f'<path d="M18,150 Q24,112 75,106 Q126,112 132,150 Z" fill="url(#coat)" stroke="{INK}" stroke-width="2"/>'
        f'<path d="M58,108 L75,138 L92,108" fill="{PARCH_LIGHT}" stroke="{INK}" stroke-width="1.5"/>'
        f'<path d="M38,118 L30,150 M112,118 L120,150" stroke="{GOLD}" stroke-width="3"/>'
        + "".join(f'<circle cx="{x}" cy="{y}" r="2.6" fill="url(#gold)" stroke="{INK}" stroke-width="0.8"/>'
                  for x, y in ((48, 128), (102, 128), (50, 142), (100, 142))) +
        # braid over the shoulder
        f'<path d="M46,70 Q34,100 44,126" stroke="#8a3a1c" stroke-width="11" fill="none" stroke-linecap="round"/>'
        f'<path d="M42,84 l8,4 M40,96 l8,4 M41,108 l8,4" stroke="#5e2410" stroke-width="1.5"/>'
        # neck and face
        f'<rect x="66" y="92" width="18" height="18" fill="url(#skin)" stroke="{INK}" stroke-width="1.5"/>'
        f'<ellipse cx="75" cy="72" rx="25" ry="29" fill="url(#skin)" stroke="{INK}" stroke-width="2"/>'
        # hair at the temples
        f'<path d="M50,66 Q52,46 75,44 Q98,46 100,66 Q92,54 75,54 Q58,54 50,66 Z" fill="#a4472a" stroke="{INK}" '
        f'stroke-width="1.5"/>'
        + eye(65, 72) + eye(86, 72) +
        f'<path d="M59,63 q6,-4 12,-1 M80,62 q6,-3 12,1" stroke="#6e2a14" stroke-width="2" fill="none" '
        f'stroke-linecap="round"/>'
        f'<path d="M75,74 q-3,8 0,11" stroke="#b7794e" stroke-width="1.5" fill="none"/>'
        f'<path d="M65,90 q10,7 20,0" stroke="{INK}" stroke-width="2" fill="none" stroke-linecap="round"/>'
        f'<circle cx="60" cy="84" r="4" fill="#e58a7a" opacity="0.4"/><circle cx="90" cy="84" r="4" fill="#e58a7a" '
        f'opacity="0.4"/>'
        # gold earring
        f'<circle cx="50" cy="84" r="3.5" fill="none" stroke="url(#gold)" stroke-width="2"/>'
        # tricorn hat with gold trim and a red feather
        f'<path d="M20,50 Q75,6 130,50 Q110,40 75,44 Q40,40 20,50 Z" fill="url(#hat)" stroke="{INK}" stroke-width="2"/>'
        f'<path d="M40,40 Q75,2 110,40 Q75,30 40,40 Z" fill="url(#hat)" stroke="{INK}" stroke-width="2"/>'
        f'<path d="M20,50 Q75,6 130,50" stroke="{GOLD}" stroke-width="2.5" fill="none"/>'
        f'<path d="M98,22 Q120,6 132,14 Q118,16 104,30 Z" fill="{RED}" stroke="{INK}" stroke-width="1.2"/>'
        + f'<circle cx="75" cy="30" r="5" fill="url(#gold)" stroke="{INK}" stroke-width="1"/>')
    return portrait(body, "C", "Captain Quill")


def bosun():
    body = (
        # striped shirt and vest
        f'<path d="M14,150 Q20,108 75,102 Q130,108 136,150 Z" fill="{PARCH_LIGHT}" stroke="{INK}" stroke-width="2"/>'
        + "".join(f'<path d="M18,{y} H132" stroke="{SEA}" stroke-width="4" opacity="0.9"/>' for y in (120, 132, 144)) +
        f'<path d="M14,150 Q18,112 50,106 L56,150 Z M136,150 Q132,112 100,106 L94,150 Z" fill="url(#wood)" '
        f'stroke="{INK}" stroke-width="1.5"/>'
        # neck, head
        f'<rect x="64" y="88" width="22" height="18" fill="url(#skinDark)" stroke="{INK}" stroke-width="1.5"/>'
        f'<ellipse cx="75" cy="66" rx="28" ry="30" fill="url(#skinDark)" stroke="{INK}" stroke-width="2"/>'
        # big grey beard
        f'<path d="M48,70 Q46,112 75,118 Q104,112 102,70 Q96,86 75,88 Q54,86 48,70 Z" fill="#d9d4cc" '
        f'stroke="{INK}" stroke-width="1.8"/>'
        f'<path d="M62,96 q4,8 0,14 M75,98 q3,9 0,16 M88,96 q-4,8 0,14" stroke="#a9a29a" stroke-width="1.3" '
        f'fill="none"/>'
        # moustache and mouth
        f'<path d="M60,82 Q68,76 75,80 Q82,76 90,82 Q82,86 75,84 Q68,86 60,82 Z" fill="#bfb8ae" stroke="{INK}" '
        f'stroke-width="1.2"/>'
        # nose
        f'<path d="M75,64 q-6,12 1,15 q6,0 4,-4" fill="#b57a4c" stroke="{INK}" stroke-width="1.3"/>'
        # one eye, and the patch with its strap
        + eye(86, 60, -1) +
        f'<path d="M46,46 L104,62" stroke="{INK}" stroke-width="2.5"/>'
        f'<ellipse cx="64" cy="60" rx="9" ry="8" fill="#2e2119" stroke="{INK}" stroke-width="1.5"/>'
        f'<path d="M80,50 q6,-3 12,0" stroke="#8c857c" stroke-width="2.5" fill="none" stroke-linecap="round"/>'
        # bandana with its knot
        f'<path d="M46,52 Q48,30 75,30 Q102,30 104,52 Q90,42 75,42 Q60,42 46,52 Z" fill="{SEA}" stroke="{INK}" '
        f'stroke-width="2"/>'
        + "".join(f'<circle cx="{x}" cy="{y}" r="2" fill="{FOAM}" opacity="0.8"/>'
                  for x, y in ((60, 38), (75, 35), (90, 38), (68, 44), (84, 44))) +
        f'<path d="M102,46 L120,40 L116,54 Z M102,48 L118,60 L106,62 Z" fill="{SEA}" stroke="{INK}" stroke-width="1.5"/>'
        # ear with a ring
        f'<ellipse cx="104" cy="66" rx="4" ry="7" fill="url(#skinDark)" stroke="{INK}" stroke-width="1.2"/>'
        f'<circle cx="105" cy="75" r="3" fill="none" stroke="url(#gold)" stroke-width="1.8"/>')
    return portrait(body, "B", "Hobb")


def parrot():
    body = (
        # perch
        f'<path d="M0,128 Q75,118 150,128 L150,140 Q75,130 0,140 Z" fill="url(#wood)" stroke="{INK}" stroke-width="1.5"/>'
        # tail and body
        f'<path d="M70,112 Q60,140 52,150 L70,150 Q78,136 84,114 Z" fill="{SEA}" stroke="{INK}" stroke-width="1.5"/>'
        f'<path d="M52,100 Q48,60 76,44 Q106,40 104,76 Q102,110 78,122 Q58,124 52,100 Z" fill="url(#feathers)" '
        f'stroke="{INK}" stroke-width="2"/>'
        # wing
        f'<path d="M58,78 Q70,70 84,84 Q90,104 74,118 Q58,106 58,78 Z" fill="#2f6b22" stroke="{INK}" stroke-width="1.5"/>'
        f'<path d="M66,94 Q74,100 80,96 M64,104 Q72,110 78,106" stroke="{RED}" stroke-width="3" fill="none"/>'
        # head: red crown, white face patch
        f'<path d="M66,50 Q70,22 94,24 Q112,30 108,52 Q96,44 80,48 Z" fill="{RED}" stroke="{INK}" stroke-width="1.8"/>'
        f'<ellipse cx="92" cy="54" rx="11" ry="10" fill="{BONE}" stroke="{INK}" stroke-width="1.2"/>'
        f'<circle cx="93" cy="53" r="4" fill="{INK}"/><circle cx="94.5" cy="51.5" r="1.3" fill="#ffffff"/>'
        # hooked beak
        f'<path d="M102,52 Q124,52 120,74 Q114,64 104,66 Z" fill="{GOLD}" stroke="{INK}" stroke-width="1.6"/>'
        f'<path d="M104,66 Q112,66 114,72 Q106,74 102,70 Z" fill="{GOLD_DARK}" stroke="{INK}" stroke-width="1.2"/>'
        # feet on the perch
        f'<path d="M70,122 v8 M66,130 h8 M86,120 v10 M82,130 h8" stroke="#8a5a3c" stroke-width="3" '
        f'stroke-linecap="round"/>'
        # a tiny gold earring in the crest, for the look
        f'<circle cx="84" cy="30" r="2.5" fill="none" stroke="url(#gold)" stroke-width="1.5"/>')
    return portrait(body, "P", "Pepper")


def ring():
    """Gold rope ring, 180 x 180, opening of radius 72."""
    c = 90
    twists = ""
    for i in range(36):
        a = math.radians(i * 10)
        x1, y1 = c + 73 * math.cos(a), c + 73 * math.sin(a)
        x2, y2 = c + 85 * math.cos(a + 0.12), c + 85 * math.sin(a + 0.12)
        twists += f'<path d="M{x1:.1f},{y1:.1f} L{x2:.1f},{y2:.1f}" stroke="{GOLD_DARK}" stroke-width="2"/>'
    body = (f'<circle cx="{c}" cy="{c}" r="79" fill="none" stroke="{INK}" stroke-width="16"/>'
            f'<circle cx="{c}" cy="{c}" r="79" fill="none" stroke="url(#gold)" stroke-width="12"/>'
            + twists +
            f'<path d="M{c - 60},{c - 50} A78,78 0 0 1 {c + 40},{c - 68}" stroke="{GOLD_LIGHT}" stroke-width="2.5" '
            f'fill="none" opacity="0.8"/>'
            + "".join(rivet(c + 79 * math.cos(math.radians(a)), c + 79 * math.sin(math.radians(a)), 4)
                      for a in (45, 135, 225, 315)))
    return Image(180, 180, shadow(body))


def panel():
    w, h, t = PANEL_W, PANEL_H, PANEL_TOP
    ph = h - t
    body = shadow(plank(4, t + 4, w - 12, ph - 12, r=18, sw=3))
    body += rrect(18, t + 18, w - 40, ph - 40, 12, "url(#gold)", sw=1.5)
    body += rrect(22, t + 22, w - 48, ph - 48, 10, "url(#panelWood)", stroke=GOLD_DARK, sw=1)
    body += rrect(26, t + 26, w - 56, 18, 8, "#ffffff", stroke="none", sw=0, extra='opacity="0.06"')
    for cx, cy in ((12, t + 12), (w - 20, t + 12), (12, h - 20), (w - 20, h - 20)):
        body += rivet(cx, cy, 6)
    # a gold rule between the lines and the prompt (the rule at y 490, the prompt at 500),
    # centred on the prompt with a small diamond in its middle
    cx, y = w / 2, 280
    body += (f'<path d="M{cx - 190},{y} H{cx - 12} M{cx + 12},{y} H{cx + 190}" stroke="{GOLD_DARK}" '
             f'stroke-width="1.5" opacity="0.8"/>'
             f'<path d="M{cx - 190},{y + 1.5} H{cx - 12} M{cx + 12},{y + 1.5} H{cx + 190}" stroke="{GOLD_LIGHT}" '
             f'stroke-width="0.8" opacity="0.3"/>'
             f'<path d="M{cx - 8},{y} L{cx},{y - 5} L{cx + 8},{y} L{cx},{y + 5} Z" fill="url(#gold)" '
             f'stroke="{INK}" stroke-width="1"/>')
    return Image(w, h, body)


def images():
    out = {
        "gfx/gui/story/panel.png": panel(),
        "gfx/gui/story/kolko.png": ring(),
        "gfx/story/portraits/quill.png": captain(),
        "gfx/story/portraits/hobb.png": bosun(),
        "gfx/story/portraits/pepper.png": parrot(),
    }
    for img in out.values():
        img.body = f"<defs>{DEFS}</defs>" + img.body
    return out
