#!/usr/bin/python3
"""Draws every picture of Kelmora and writes it into resources/.

The generated files are committed beside the sources, so building needs no Python. After
changing a drawing, run it again and commit what changed (it writes into the resources/ folder
it lives in, whatever the working directory):

    /usr/bin/python3 resources/tools/draw_resources.py

It needs Debian's python3-pil and the DejaVu fonts (fonts-dejavu-core). The output is the same
on every run.

  glyphs/*.bmp      browser glyphs, 4-bit palette; the bottom-left pixel's colour is transparent
  about.bmp         about window picture, 300 x 180, 8-bit palette
  icons/kelmora*.png, icons/kelmora.svg   window icon
"""

import math
import os
import struct
import sys

from PIL import Image, ImageDraw, ImageFilter, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.dirname(HERE)
FONT_BOLD = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"


# ---------------------------------------------------------------------------- BMP writer
# PIL writes palette BMPs only as 8-bit, and the glyphs must be 16-colour files.

def write_palette_bmp(path, img, bits):
    """Writes a "P" image as an uncompressed BMP with a 2**bits entry colour table."""
    assert img.mode == "P" and bits in (4, 8)
    colours = 1 << bits
    w, h = img.size
    pal = (img.getpalette() or []) + [0] * (colours * 3)
    table = b"".join(struct.pack("<BBBB", pal[i * 3 + 2], pal[i * 3 + 1], pal[i * 3], 0)
                     for i in range(colours))
    stride = ((w * bits + 31) // 32) * 4
    px = img.load()
    rows = []
    for y in reversed(range(h)):  # BMP rows run bottom-up
        idx = [px[x, y] for x in range(w)]
        assert max(idx) < colours, path
        if bits == 4:
            idx += [0] * (w % 2)
            row = bytes((idx[i] << 4) | idx[i + 1] for i in range(0, len(idx), 2))
        else:
            row = bytes(idx)
        rows.append(row + b"\0" * (stride - len(row)))
    data = b"".join(rows)
    offset = 14 + 40 + len(table)
    header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, bits, 0, len(data), 3780, 3780, colours, 0)
    with open(path, "wb") as f:
        f.write(header + info + table + data)


# ---------------------------------------------------------------------------- glyphs
# The sixteen colours every 16-colour display has. Magenta is kept for the background only.
VGA = {
    "k": (0, 0, 0), "r": (128, 0, 0), "g": (0, 128, 0), "o": (128, 128, 0),
    "n": (0, 0, 128), "p": (128, 0, 128), "t": (0, 128, 128), "s": (192, 192, 192),
    "d": (128, 128, 128), "R": (255, 0, 0), "G": (0, 255, 0), "y": (255, 255, 0),
    "b": (0, 0, 255), ".": (255, 0, 255), "c": (0, 255, 255), "w": (255, 255, 255),
}
VGA_ORDER = "krgonpts" + "dRGyb.cw"

GLYPHS = {
    # Drive glyphs, 16 x 11.
    "FLOPPY": [
        "..kkkkkkkkkk....",
        "..knnsssksnnk...",
        "..knnsssksnnk...",
        "..knnsssssnnk...",
        "..knnnnnnnnnk...",
        "..knwwwwwwwnk...",
        "..knwdddddwnk...",
        "..knwwwwwwwnk...",
        "..knwdddddwnk...",
        "..knwwwwwwwnk...",
        "..kkkkkkkkkkk...",
    ],
    "HARD": [
        "................",
        "................",
        "...kkkkkkkkkkkk.",
        "..kwwwwwwwwwwkk.",
        ".kkkkkkkkkkkkdk.",
        ".kwwwwwwwwwwkdk.",
        ".ksssssssssskdk.",
        ".ksddddsssGskdk.",
        ".ksssssssssskk..",
        ".kkkkkkkkkkkk...",
        "................",
    ],
    "NETWORK": [
        "...kkkkkkkkkkkk.",
        "..kwwwwwwwwwwkk.",
        ".kkkkkkkkkkkkdk.",
        ".kwwwwwwwwwwkdk.",
        ".ksddddsssGskdk.",
        ".ksssssssssskk..",
        ".kkkkkkkkkkkk...",
        "......kk........",
        "......kk........",
        ".kkkkkkkkkkkkkk.",
        "................",
    ],
    "CDROM": [
        ".....kkkkk......",
        "...kkcsswwkk....",
        "...kccsswwsk....",
        "..kccsssswssk...",
        "..kcsssdddssk...",
        "..ksssd.dsssk...",
        "..kssssdddsyk...",
        "..ksswsssssyk...",
        "...kswwssyyk....",
        "...kkwwssykk....",
        ".....kkkkk......",
    ],
    "RAM": [
        "................",
        ".kkkkkkkkkkkkkkk",
        ".kgggggggggggggk",
        ".kgdddgdddgdddgk",
        ".kgkkkgkkkgkkkgk",
        ".kgkkkgkkkgkkkgk",
        ".kgggggggggggggk",
        ".kgygygygygygygk",
        ".kgygygygygygygk",
        ".kkkkkkkkkkkkkkk",
        "................",
    ],
    # Folder glyphs, 16 x 15.
    "CLOSEDFOLDER": [
        "................",
        "................",
        "..kkkkk.........",
        ".kwyyyyk........",
        ".kwyyyyykkkkkkk.",
        ".kwwwwwwwwwwwok.",
        ".kwyyyyyyyyyyok.",
        ".kwyyyyyyyyyyok.",
        ".kwyyyyyyyyyyok.",
        ".kwyyyyyyyyyyok.",
        ".kwyyyyyyyyyyok.",
        ".kwyyyyyyyyyyok.",
        ".kooooooooooook.",
        ".kkkkkkkkkkkkkk.",
        "................",
    ],
    "OPENFOLDER": [
        "................",
        "................",
        "..kkkkk.........",
        ".kwooook........",
        ".kwoooookkkkkkk.",
        ".kwoooooooooook.",
        ".kwoooooooooook.",
        ".kwokkkkkkkkkkkk",
        ".kwokwwwwwwwwwwk",
        ".kwkyyyyyyyyyyk.",
        ".kwkyyyyyyyyyyk.",
        ".kkyyyyyyyyyyk..",
        ".kkyyyyyyyyyyk..",
        ".kkkkkkkkkkkkk..",
        "................",
    ],
    "CURRENTFOLDER": [
        "................",
        "................",
        "..kkkkk.........",
        ".kwooook........",
        ".kwoooookkkkkkk.",
        ".kwoooooooooook.",
        ".kwoooooooooook.",
        ".kwokkkkkkkkkkkk",
        ".kwokwwwwwwwggwk",
        ".kwkyyyyyyyggyk.",
        ".kwkyggyyyggyyk.",
        ".kkyyyggyggyyk..",
        ".kkyyyygggyyyk..",
        ".kkkkkkkkkkkkk..",
        "................",
    ],
}
GLYPH_SIZES = {"FLOPPY": (16, 11), "HARD": (16, 11), "NETWORK": (16, 11), "CDROM": (16, 11),
               "RAM": (16, 11), "OPENFOLDER": (16, 15), "CURRENTFOLDER": (16, 15),
               "CLOSEDFOLDER": (16, 15)}


def draw_glyph(name):
    rows = GLYPHS[name]
    w, h = GLYPH_SIZES[name]
    assert len(rows) == h and all(len(r) == w for r in rows), name
    # The bottom-left pixel names the transparent colour, so it has to be background.
    assert rows[-1][0] == ".", name
    img = Image.new("P", (w, h))
    pal = []
    for ch in VGA_ORDER:
        pal += VGA[ch]
    img.putpalette(pal)
    img.putdata([VGA_ORDER.index(ch) for row in rows for ch in row])
    return img


# ---------------------------------------------------------------------------- shared drawing
def font(size):
    if not os.path.exists(FONT_BOLD):
        sys.exit("draw_resources: %s is missing (apt-get install fonts-dejavu-core)" % FONT_BOLD)
    return ImageFont.truetype(FONT_BOLD, size)


def ticket_layer(w, h, s, body, stub, ink, digits, seed):
    """One lottery ticket on a transparent layer: stub, perforation, balls and its number."""
    layer = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    d = ImageDraw.Draw(layer)
    r = 6 * s
    d.rounded_rectangle((0, 0, w - 1, h - 1), r, fill=body, outline=ink, width=2 * s)
    cut = w * 28 // 100
    d.rounded_rectangle((0, 0, cut, h - 1), r, fill=stub, outline=ink, width=2 * s)
    d.rectangle((cut - r, 2 * s, cut, h - 1 - 2 * s), fill=stub)
    for y in range(4 * s, h - 4 * s, 6 * s):  # perforation
        d.line((cut, y, cut, y + 3 * s), fill=ink, width=max(1, s))
    for cy in (0, h - 1):  # notches either end of the perforation
        d.ellipse((cut - 5 * s, cy - 5 * s, cut + 5 * s, cy + 5 * s), fill=(0, 0, 0, 0))
        d.arc((cut - 5 * s, cy - 5 * s, cut + 5 * s, cy + 5 * s), 0, 360, fill=ink, width=2 * s)
    # The arc also draws outside the ticket; clear it again.
    mask = Image.new("L", (w, h), 0)
    ImageDraw.Draw(mask).rounded_rectangle((0, 0, w - 1, h - 1), r, fill=255)
    for cy in (0, h - 1):
        ImageDraw.Draw(mask).ellipse((cut - 4 * s, cy - 4 * s, cut + 4 * s, cy + 4 * s), fill=0)
    layer.putalpha(Image.composite(layer.getchannel("A"), mask, mask))
    d = ImageDraw.Draw(layer)
    # Stub: a small star.
    sx, sy = cut // 2, h // 2
    star = []
    for i in range(10):
        a = -math.pi / 2 + i * math.pi / 5
        rr = (7 if i % 2 == 0 else 3) * s
        star.append((sx + rr * math.cos(a), sy + rr * math.sin(a)))
    d.polygon(star, fill=(214, 64, 48))
    # Body: a row of balls and the ticket number.
    colours = [(220, 50, 47), (38, 110, 200), (46, 150, 70), (230, 140, 20)]
    left, right = cut + 6 * s, w - 6 * s
    n = 4
    br = min((right - left) // (2 * n) - s, h // 6)
    for i in range(n):
        cx = left + (2 * i + 1) * (right - left) // (2 * n)
        cy = h * 36 // 100
        c = colours[(i + seed) % len(colours)]
        d.ellipse((cx - br, cy - br, cx + br, cy + br), fill=c, outline=ink, width=max(1, s))
        d.ellipse((cx - br // 2, cy - br * 3 // 5, cx, cy - br // 5), fill=(255, 255, 255, 120))
    f = font(int(h * 0.22))
    tw = d.textlength(digits, font=f)
    d.text(((left + right - tw) / 2, h * 62 // 100), digits, font=f, fill=ink)
    return layer


def rotated(layer, angle):
    return layer.rotate(angle, resample=Image.Resampling.BICUBIC, expand=True)


def paste_centre(dst, layer, cx, cy):
    dst.alpha_composite(layer, (int(cx - layer.width / 2), int(cy - layer.height / 2)))


def magnifier(img, cx, cy, r, rim, handle, tint=(205, 235, 255, 150)):
    """A magnifying glass with its handle towards the bottom right, a check mark in the lens."""
    d = ImageDraw.Draw(img)
    a = math.radians(45)
    x0, y0 = cx + (r + rim / 2) * math.cos(a), cy + (r + rim / 2) * math.sin(a)
    x1, y1 = x0 + handle * math.cos(a), y0 + handle * math.sin(a)
    hw = rim * 1.6
    d.line((x0, y0, x1, y1), fill=(92, 58, 30), width=int(hw))
    d.ellipse((x1 - hw / 2, y1 - hw / 2, x1 + hw / 2, y1 + hw / 2), fill=(92, 58, 30))
    d.line((x0 - rim * .2, y0 - rim * .2, x0 + rim * .6, y0 + rim * .6), fill=(60, 60, 70),
           width=int(hw * 1.15))
    glass = Image.new("RGBA", img.size, (0, 0, 0, 0))
    ImageDraw.Draw(glass).ellipse((cx - r, cy - r, cx + r, cy + r), fill=tint)
    img.alpha_composite(glass)
    d = ImageDraw.Draw(img)
    d.ellipse((cx - r - rim / 2, cy - r - rim / 2, cx + r + rim / 2, cy + r + rim / 2),
              outline=(38, 58, 90), width=int(rim))
    # Shine on the glass.
    d.arc((cx - r * .72, cy - r * .72, cx + r * .72, cy + r * .72), 200, 250,
          fill=(255, 255, 255), width=max(1, int(r * .12)))
    # The check mark: a winning ticket found.
    pts = [(cx - r * .45, cy + r * .02), (cx - r * .12, cy + r * .35), (cx + r * .5, cy - r * .38)]
    d.line(pts, fill=(30, 140, 60), width=int(r * .2), joint="curve")
    for p in (pts[0], pts[2]):
        rr = r * .1
        d.ellipse((p[0] - rr, p[1] - rr, p[0] + rr, p[1] + rr), fill=(30, 140, 60))


# ---------------------------------------------------------------------------- about picture
def draw_about():
    s = 4
    W, H = 300 * s, 180 * s
    img = Image.new("RGBA", (W, H))
    # Evening-blue sky, lighter towards the bottom.
    top, bottom = (26, 52, 110), (118, 170, 225)
    grad = Image.new("RGBA", (1, H))
    for y in range(H):
        t = y / (H - 1)
        colour = tuple(int(top[i] + (bottom[i] - top[i]) * t) for i in range(3))
        grad.putpixel((0, y), colour + (255,))
    img.paste(grad.resize((W, H)))
    d = ImageDraw.Draw(img)
    # Scattered confetti and sparkles.
    sparks = [(18, 22), (40, 8), (256, 10), (284, 44), (96, 54), (214, 56), (30, 60),
              (288, 84), (104, 124), (10, 150), (292, 166), (230, 162)]
    for i, (x, y) in enumerate(sparks):
        x, y, rr = x * s, y * s, (3 if i % 3 else 4) * s
        c = [(255, 230, 120), (255, 255, 255), (255, 170, 200)][i % 3]
        d.polygon([(x, y - rr), (x + rr / 3, y - rr / 3), (x + rr, y), (x + rr / 3, y + rr / 3),
                   (x, y + rr), (x - rr / 3, y + rr / 3), (x - rr, y), (x - rr / 3, y - rr / 3)],
                  fill=c)
    # A soft light panel behind the version label and the OK button.
    panel = Image.new("RGBA", (W, H), (0, 0, 0, 0))
    ImageDraw.Draw(panel).rounded_rectangle((110 * s, 64 * s, 206 * s, 175 * s), 8 * s,
                                            fill=(255, 255, 255, 70),
                                            outline=(255, 255, 255, 150), width=s)
    img.alpha_composite(panel)

    # Tickets fanned out on the left.
    tw, th = 88 * s, 44 * s
    fanned_tickets = [((250, 226, 150), (240, 180, 80), "No.104729", 0, 24, 58, 132),
                      ((255, 236, 170), (246, 160, 90), "No.318862", 1, 10, 58, 114),
                      ((255, 244, 196), (236, 120, 96), "No.557031", 2, -6, 56, 96)]
    for body, stub, digits, seed, ang, x, y in fanned_tickets:
        t = ticket_layer(tw, th, s, body + (255,), stub + (255,), (90, 60, 20, 255), digits, seed)
        shadow = Image.new("RGBA", t.size, (0, 0, 0, 0))
        shadow.putalpha(t.getchannel("A").point(lambda v: v * 90 // 255))
        shadow = rotated(shadow.filter(ImageFilter.GaussianBlur(2 * s)), ang)
        paste_centre(img, shadow, (x + 2) * s, (y + 3) * s)
        paste_centre(img, rotated(t, ang), x * s, y * s)

    # A ticket under a magnifier on the right.
    t = ticket_layer(84 * s, 42 * s, s, (255, 240, 180, 255), (120, 190, 120, 255),
                     (90, 60, 20, 255), "No.777777", 3)
    paste_centre(img, rotated(t, -12), 254 * s, 116 * s)
    magnifier(img, 244 * s, 108 * s, 29 * s, 6 * s, 18 * s)

    # Three drawn balls between the version label and the OK button.
    d = ImageDraw.Draw(img)
    f = font(11 * s)
    for cx, c, n in ((134, (220, 50, 47), "7"), (158, (38, 110, 200), "3"),
                     (182, (46, 150, 70), "8")):
        cx, cy, br = cx * s, 116 * s, 10 * s
        d.ellipse((cx - br + s, cy - br + 2 * s, cx + br + s, cy + br + 2 * s),
                  fill=(20, 40, 80, 255))
        d.ellipse((cx - br, cy - br, cx + br, cy + br), fill=c)
        d.ellipse((cx - br * 6 // 10, cy - br * 6 // 10, cx + br * 6 // 10, cy + br * 6 // 10),
                  fill=(255, 255, 255))
        d.text((cx, cy), n, font=f, fill=(40, 40, 40), anchor="mm")

    # The name across the top: gold letters with a dark outline and a drop shadow.
    f = font(44 * s)
    name = "Kelmora"
    box = d.textbbox((0, 0), name, font=f)
    x = (W - (box[2] - box[0])) / 2 - box[0]
    y = 8 * s - box[1]
    sh = Image.new("RGBA", (W, H), (0, 0, 0, 0))
    ImageDraw.Draw(sh).text((x + 3 * s, y + 3 * s), name, font=f, fill=(0, 0, 30, 150))
    img.alpha_composite(sh.filter(ImageFilter.GaussianBlur(2 * s)))
    grad_text = Image.new("RGBA", (W, H), (0, 0, 0, 0))
    gd = ImageDraw.Draw(grad_text)
    for yy in range(int(y + box[1]), int(y + box[3]) + 1):
        t = (yy - (y + box[1])) / max(1, box[3] - box[1])
        gd.line((0, yy, W, yy), fill=(255, int(236 - 70 * t), int(140 - 110 * t), 255))
    text_mask = Image.new("L", (W, H), 0)
    ImageDraw.Draw(text_mask).text((x, y), name, font=f, fill=255)
    outline_mask = Image.new("L", (W, H), 0)
    ImageDraw.Draw(outline_mask).text((x, y), name, font=f, fill=255, stroke_width=2 * s)
    img.paste((70, 30, 10, 255), (0, 0), outline_mask)
    img.paste(grad_text, (0, 0), text_mask)

    small = img.convert("RGB").resize((300, 180), Image.Resampling.LANCZOS)
    return small.quantize(colors=256, method=Image.Quantize.MEDIANCUT,
                          dither=Image.Dither.FLOYDSTEINBERG)


# ---------------------------------------------------------------------------- icon
INK = (96, 62, 12, 255)
BODY = (255, 212, 74, 255)
STUB = (242, 150, 52, 255)
BALLS = [(224, 52, 48, 255), (34, 118, 214, 255), (46, 158, 72, 255)]
RIM = (36, 56, 92, 255)
WOOD = (110, 66, 30, 255)
GLASS = (200, 234, 255, 170)
CHECK = (30, 150, 60, 255)


def draw_icon(size):
    """The window icon at one of its sizes, from 32 upwards; 16 is drawn pixel by pixel."""
    s = 8  # supersampling; every coordinate is rounded to whole target pixels first
    u = size / 256.0

    def p(v):  # 256-unit coordinate -> supersampled, snapped to the target pixel grid
        return round(v * u) * s

    def w(v, least=1):  # 256-unit stroke width -> supersampled, at least `least` pixels
        return max(least, round(v * u)) * s

    img = Image.new("RGBA", (size * s, size * s), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    # The ticket.
    L, T, R, B = p(10), p(36), p(214), p(170)
    cut = p(70)
    rad = w(14, 1)
    d.rounded_rectangle((L, T, R - 1, B - 1), rad, fill=INK)
    ow = w(8, 1)
    d.rounded_rectangle((L + ow, T + ow, R - 1 - ow, B - 1 - ow), max(1, rad - ow), fill=BODY)
    d.rectangle((L + ow, T + ow, cut - 1, B - 1 - ow), fill=STUB)
    d.rounded_rectangle((L + ow, T + ow, cut, B - 1 - ow), max(1, rad - ow), fill=STUB)
    d.rectangle((cut - rad, T + ow, cut - 1, B - 1 - ow), fill=STUB)
    # Perforation between stub and body.
    pw = w(5, 1)
    if size >= 48:
        step = w(18, 4)
        for y in range(T + ow + step // 2, B - ow - step // 2, step):
            d.rectangle((cut - pw // 2, y, cut - pw // 2 + pw - 1, y + step // 2 - 1), fill=INK)
    else:
        d.rectangle((cut - pw // 2, T + ow, cut - pw // 2 + pw - 1, B - 1 - ow), fill=INK)
    # Notches either end of the perforation, cut into the ticket's edge.
    nr = w(14, 2)
    for cy in (T, B):
        d.ellipse((cut - nr, cy - nr, cut + nr, cy + nr), fill=INK)
        d.ellipse((cut - nr + ow, cy - nr + ow, cut + nr - ow, cy + nr - ow), fill=(0, 0, 0, 0))
    shape = Image.new("L", img.size, 0)
    ImageDraw.Draw(shape).rounded_rectangle((L, T, R - 1, B - 1), rad, fill=255)
    img.putalpha(Image.composite(img.getchannel("A"), shape, shape))
    d = ImageDraw.Draw(img)
    # The balls on the ticket.
    br = w(19, 2)
    for i, c in enumerate(BALLS):
        cx, cy = p(98 + 40 * i), p(78)
        d.ellipse((cx - br, cy - br, cx + br, cy + br), fill=INK)
        bi = br - w(4, 1)
        d.ellipse((cx - bi, cy - bi, cx + bi, cy + bi), fill=c)
        if size >= 48:
            hr = bi // 3
            d.ellipse((cx - bi // 2 - hr // 2, cy - bi // 2 - hr // 2, cx - bi // 2 + hr,
                       cy - bi // 2 + hr), fill=(255, 255, 255, 200))
    # A printed line under the balls.
    if size >= 32:
        d.rectangle((p(84), p(118), p(150) - 1, p(130) - 1), fill=INK)
    # Stub star.
    if size >= 32:
        sx, sy = p(40), p(103)
        star = []
        for i in range(10):
            a = -math.pi / 2 + i * math.pi / 5
            rr = (22 if i % 2 == 0 else 9) * u * s
            star.append((sx + rr * math.cos(a), sy + rr * math.sin(a)))
        d.polygon(star, fill=(200, 40, 40, 255))

    # The magnifier over the ticket's corner.
    cx, cy, r = p(170), p(160), p(50)
    rim = w(16, 2)
    a = math.radians(45)
    hx0, hy0 = cx + r * math.cos(a), cy + r * math.sin(a)
    hx1, hy1 = p(238), p(238)
    hw = w(30, 3)
    d.line((hx0, hy0, hx1, hy1), fill=WOOD, width=hw)
    d.ellipse((hx1 - hw / 2, hy1 - hw / 2, hx1 + hw / 2, hy1 + hw / 2), fill=WOOD)
    d.line((hx0 - hw * .3, hy0 - hw * .3, hx0 + hw * .5, hy0 + hw * .5), fill=RIM,
           width=hw + w(6, 1))
    glass = Image.new("RGBA", img.size, (0, 0, 0, 0))
    ImageDraw.Draw(glass).ellipse((cx - r, cy - r, cx + r, cy + r), fill=GLASS)
    img.alpha_composite(glass)
    d = ImageDraw.Draw(img)
    d.ellipse((cx - r - rim // 2, cy - r - rim // 2, cx + r + rim // 2, cy + r + rim // 2),
              outline=RIM, width=rim)
    cw = w(15, 2)
    pts = [(cx - r * .5, cy + r * .0), (cx - r * .12, cy + r * .38), (cx + r * .52, cy - r * .36)]
    d.line(pts, fill=CHECK, width=cw, joint="curve")
    for q in (pts[0], pts[2]):
        d.ellipse((q[0] - cw / 2, q[1] - cw / 2, q[0] + cw / 2, q[1] + cw / 2), fill=CHECK)
    if size >= 48:
        d.arc((cx - r * .7, cy - r * .7, cx + r * .7, cy + r * .7), 195, 250,
              fill=(255, 255, 255, 230), width=w(7, 1))
    return img.resize((size, size), Image.Resampling.BOX)


ICON16 = [
    "................",
    "kkkkkkkkkkkkkk..",
    "koookyyyyyyyyk..",
    "koRokyRybyeyyk..",
    "kRRRkyyyyyyyyk..",
    "koRokykkkkyyyk..",
    "koookyyynnnnyk..",
    "koookyynwcccnk..",
    "kkkkkkncccccGn..",
    "......nGcccGcn..",
    "......ncGcGccn..",
    "......nccGcccn..",
    ".......nccccnh..",
    "........nnnnhhh.",
    ".............hhh",
    "..............hh",
]
ICON16_COLOURS = {".": (0, 0, 0, 0), "k": INK, "o": STUB, "y": BODY, "R": BALLS[0],
                  "b": BALLS[1], "e": BALLS[2], "G": CHECK, "n": RIM, "c": (200, 234, 255, 255),
                  "w": (255, 255, 255, 255), "h": WOOD}


def draw_icon16():
    assert len(ICON16) == 16 and all(len(r) == 16 for r in ICON16)
    img = Image.new("RGBA", (16, 16))
    img.putdata([ICON16_COLOURS[ch] for row in ICON16 for ch in row])
    return img


ICON_SVG = """<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">
  <path d="M24 36 H64 A6 6 0 0 0 76 36 H200 A14 14 0 0 1 214 50 V156 A14 14 0 0 1 200 170 H76 A6 6 0 0 0 64 170 H24 A14 14 0 0 1 10 156 V50 A14 14 0 0 1 24 36 Z" fill="#603e0c"/>
  <path d="M24 44 H58.5 A14 14 0 0 0 81.5 44 H200 A6 6 0 0 1 206 50 V156 A6 6 0 0 1 200 162 H81.5 A14 14 0 0 0 58.5 162 H24 A6 6 0 0 1 18 156 V50 A6 6 0 0 1 24 44 Z" fill="#ffd44a"/>
  <path d="M24 44 H58.5 A14 14 0 0 0 70 50 V156 A14 14 0 0 0 58.5 162 H24 A6 6 0 0 1 18 156 V50 A6 6 0 0 1 24 44 Z" fill="#f29634"/>
  <line x1="70" y1="53" x2="70" y2="156" stroke="#603e0c" stroke-width="5" stroke-dasharray="9 9"/>
  <polygon points="40,81 45.2,95.9 60.9,96.2 48.4,105.8 52.9,120.8 40,111.9 27.1,120.8 31.6,105.8 19.1,96.2 34.8,95.9" fill="#c82828"/>
  <g stroke="#603e0c" stroke-width="4">
    <circle cx="98" cy="78" r="17" fill="#e03430"/>
    <circle cx="138" cy="78" r="17" fill="#2276d6"/>
    <circle cx="178" cy="78" r="17" fill="#2e9e48"/>
  </g>
  <rect x="84" y="118" width="66" height="12" fill="#603e0c"/>
  <line x1="205" y1="195" x2="238" y2="238" stroke="#6e421e" stroke-width="30" stroke-linecap="round"/>
  <line x1="198" y1="188" x2="213" y2="203" stroke="#24385c" stroke-width="36"/>
  <circle cx="170" cy="160" r="50" fill="#c8eaff" fill-opacity="0.67" stroke="#24385c" stroke-width="16"/>
  <path d="M145 160 L164 179 L196 142" fill="none" stroke="#1e963c" stroke-width="15" stroke-linecap="round" stroke-linejoin="round"/>
  <path d="M143 142 A35 35 0 0 1 158 127" fill="none" stroke="#fff" stroke-width="7" stroke-linecap="round"/>
</svg>
"""


# ---------------------------------------------------------------------------- main
def main():
    os.makedirs(os.path.join(OUT, "glyphs"), exist_ok=True)
    os.makedirs(os.path.join(OUT, "icons"), exist_ok=True)
    for name in GLYPHS:
        write_palette_bmp(os.path.join(OUT, "glyphs", name + ".bmp"), draw_glyph(name), 4)
    about = draw_about()
    assert about.size == (300, 180)
    write_palette_bmp(os.path.join(OUT, "about.bmp"), about, 8)
    icons = {16: draw_icon16()}
    for size in (32, 48, 64, 128, 256):
        icons[size] = draw_icon(size)
    for size, img in icons.items():
        name = "kelmora.png" if size == 256 else "kelmora-%d.png" % size
        img.save(os.path.join(OUT, "icons", name), optimize=True)
    with open(os.path.join(OUT, "icons", "kelmora.svg"), "w") as f:
        f.write(ICON_SVG)


if __name__ == "__main__":
    main()
