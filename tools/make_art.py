#!/usr/bin/python3
"""make_art.py - draws the picture resources of Quillon Loader with Pillow.

Usage (from the project root):

    /usr/bin/python3 tools/make_art.py            # writes res/art/*
    /usr/bin/python3 tools/make_art.py --png DIR  # also writes PNG copies into DIR (for looking)

Needs Debian's python3-pil and ImageMagick (/usr/bin/convert). Pillow draws and
quantises; ImageMagick writes the icons, whose 8-bit palette entries with a 1-bit
AND mask Windows 95 reads (Pillow's icon entries it cannot). Every random number
comes from random.Random with a fixed seed: two runs give byte-identical files.
The output is checked in; the build does not run this script. The screenshots of
the demo games in demo/Images are plain pictures, checked in as they are.

Pictures (res/art; numbers in res/Quillon.rc): the three image strips are 24-bit; GameDefault
160x100, Splash 240x160, About 180x36, the backgrounds (Red, Green, Blue, Alt 500x350,
Grey 600x500) and the 600x500 DialogTile are 8-bit and run-length encoded (BI_RLE8), which
keeps the program small: these pictures are drawn without grain or dithering, so their rows
hold long runs of one colour. RowImages: eight 16x16
row images, white = transparent. DetailsLarge: seven 32x32 images, RGB(128,128,128) =
transparent; DetailsSmall: twelve 16x16 images, RGB(0,128,128) = transparent. The six
icons hold 32x32 and 16x16 entries of 8 bits per pixel with a 1-bit AND mask. Hand.cur,
the folder bar's hand (Windows 95 and NT 4 have no hand cursor of their own), is one 32x32
1-bit entry that the script writes itself.
"""

import math
import os
import random
import struct
import subprocess
import sys
import tempfile

from PIL import Image, ImageChops, ImageDraw, ImageFilter

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
ART_DIR = os.path.join(ROOT, 'res', 'art')
CONVERT = '/usr/bin/convert'  # the real ImageMagick, not a stand-in earlier on PATH
SS = 4  # everything is drawn SS times larger and reduced: that is the anti-aliasing
PNG_DIR = None

# --- Colours ---


def mix(c1, c2, t):
    return tuple(int(round(a + (b - a) * t)) for a, b in zip(c1[:3], c2[:3]))


def lighten(c, t):
    return mix(c, (255, 255, 255), t)


def darken(c, t):
    return mix(c, (0, 0, 0), t)


def ramp(stops, t):
    """stops: [(pos, colour), ...] sorted by pos; t outside is clamped."""
    if t <= stops[0][0]:
        return stops[0][1]
    for (p0, c0), (p1, c1) in zip(stops, stops[1:]):
        if t <= p1:
            return mix(c0, c1, (t - p0) / (p1 - p0))
    return stops[-1][1]


def even(*cols):
    return [(i / (len(cols) - 1), c) for i, c in enumerate(cols)]


# --- Pic: an RGBA surface with a design grid (one unit = `unit` output pixels) ---


class Pic:
    def __init__(self, w, h, unit=1.0, bg=(0, 0, 0, 0)):
        self.unit = unit
        self.size = (w * SS, h * SS)
        self.im = Image.new('RGBA', self.size, bg)
        self.t = (0.0, 0.0, 1.0)

    def at(self, dx, dy, s=1.0):  # moves and scales the design grid for what is drawn next
        self.t = (dx, dy, s)

    def X(self, x):
        return (x * self.t[2] + self.t[0]) * self.unit * SS

    def Y(self, y):
        return (y * self.t[2] + self.t[1]) * self.unit * SS

    def K(self, v):
        return v * self.t[2] * self.unit * SS

    def pts(self, pts):
        return [(self.X(x), self.Y(y)) for x, y in pts]

    def box(self, b):
        return (self.X(b[0]), self.Y(b[1]), max(self.X(b[0]), self.X(b[2]) - 1), max(self.Y(b[1]), self.Y(b[3]) - 1))

    def mask(self, kind, geo, w=1.0, r=0.0):
        m = Image.new('L', self.size, 0)
        d = ImageDraw.Draw(m)
        if kind == 'poly':
            d.polygon(self.pts(geo), fill=255)
        elif kind == 'ellipse':
            d.ellipse(self.box(geo), fill=255)
        elif kind == 'rect':
            d.rounded_rectangle(self.box(geo), radius=self.K(r), fill=255)
        else:  # a line of width w with round ends and joints
            p = self.pts(geo)
            hw = self.K(w) / 2
            d.line(p, fill=255, width=max(1, int(round(hw * 2))), joint='curve')
            for x, y in p:
                d.ellipse((x - hw, y - hw, x + hw - 1, y + hw - 1), fill=255)
        return m

    def paint(self, m, fill, opacity=1.0):
        """fill: a colour, or an image of the surface's size (a gradient)."""
        if isinstance(fill, Image.Image):
            src = fill.convert('RGBA')
        else:
            src = Image.new('RGBA', self.size, tuple(fill[:3]) + (255,))
        src.putalpha(m if opacity >= 1.0 else m.point(lambda v: int(v * opacity)))
        self.im.alpha_composite(src)

    def shape(self, kind, geo, fill, out=None, ow=1.0, r=0.0, w=1.0, opacity=1.0, shine=0.0):
        """A shape, its outer ow units in the outline colour, its upper left lit by shine; returns its mask."""
        m = self.mask(kind, geo, w, r)
        inner = m
        if out is not None:
            self.paint(m, out, opacity)
            n = int(round(self.K(ow))) * 2 + 1
            inner = m.filter(ImageFilter.MinFilter(n)) if n > 1 else m
        self.paint(inner, fill, opacity)
        if shine:
            self.paint(ImageChops.multiply(inner, self.gloss(inner)), (255, 255, 255), shine)
        return m

    def gloss(self, m):
        """Soft light on the upper left of a mask: the mask shifted, eroded and blurred."""
        bb = m.getbbox() or (0, 0, 1, 1)
        s = max(2, (bb[2] - bb[0] + bb[3] - bb[1]) // 10)
        g = ImageChops.offset(m, s, s).filter(ImageFilter.MinFilter(2 * s + 1))
        return ImageChops.subtract(m, g).filter(ImageFilter.GaussianBlur(s))

    def grad(self, a, b, cols, vertical):
        n = self.size[1] if vertical else self.size[0]
        line = Image.new('RGB', (1, n) if vertical else (n, 1))
        line.putdata([ramp(even(*cols), (i - a) / (b - a or 1)) for i in range(n)])
        return line.resize(self.size, Image.NEAREST)

    def vgrad(self, y0, y1, *cols):
        return self.grad(self.Y(y0), self.Y(y1), cols, True)

    def hgrad(self, x0, x1, *cols):
        return self.grad(self.X(x0), self.X(x1), cols, False)

    def glow(self, m, col, radius, opacity=1.0, dx=0, dy=0):
        g = m.filter(ImageFilter.GaussianBlur(self.K(radius)))
        self.paint(ImageChops.offset(g, int(self.K(dx)), int(self.K(dy))), col, opacity)

    def text(self, x, y, s, font, scale, col, italic=0.0, out=None, shadow=0.0, gap=None):
        """Pixel-font text; x, y and scale in design units. Returns its mask."""
        m = Image.new('L', self.size, 0)
        d = ImageDraw.Draw(m)
        ox = x
        for ch in s:
            g = glyph(font, ch)
            for row, bits in enumerate(g):
                for col_, bit in enumerate(bits):
                    if bit == '#':
                        cx, cy = ox + col_ * scale, y + row * scale
                        d.rectangle((self.X(cx), self.Y(cy), self.X(cx + scale) - 1, self.Y(cy + scale) - 1), fill=255)
            ox += len(g[0]) * scale + (scale if gap is None else gap)
        if italic:
            base = self.Y(y + 7 * scale)
            m = m.transform(self.size, Image.AFFINE, (1, italic, -italic * base, 0, 1, 0), Image.BILINEAR)
        if shadow:
            self.glow(m, (0, 0, 0), scale * 0.6, shadow, scale * 0.7, scale * 0.7)
        if out is not None:
            n = int(self.K(scale * 0.45)) * 2 + 1
            self.paint(m.filter(ImageFilter.MaxFilter(n)), out)
        self.paint(m, col)
        return m

    def stamp(self, other, x, y, angle=0.0):
        """Lays another Pic (drawn at the same unit) on this one, turned by angle degrees."""
        im = other.im.rotate(angle, Image.BICUBIC, expand=True) if angle else other.im
        self.im.alpha_composite(im, (int(self.X(x)) - im.size[0] // 2, int(self.Y(y)) - im.size[1] // 2))

    def result(self):
        return self.im.convert('RGBa').reduce(SS).convert('RGBA')


def glyph(font, c):
    return font.get(c) or font.get(c.upper()) or font[' ']


def text_width(s, font, scale):
    return sum((len(glyph(font, c)[0]) + 1) * scale for c in s) - scale


# --- Pixel fonts (our own): FONT5 is 5x7 with descenders, FONT3 is 3x5 ---

_F5 = {
    'A': ".###. #...# #...# ##### #...# #...# #...#", 'C': ".###. #...# #.... #.... #.... #...# .###.",
    'D': "####. #...# #...# #...# #...# #...# ####.", 'E': "##### #.... #.... ####. #.... #.... #####",
    'I': "### .#. .#. .#. .#. .#. ###", 'L': "#.... #.... #.... #.... #.... #.... #####",
    'N': "#...# #...# ##..# #.#.# #..## #...# #...#", 'O': ".###. #...# #...# #...# #...# #...# .###.",
    'P': "####. #...# #...# ####. #.... #.... #....", 'Q': ".###. #...# #...# #...# #.#.# #..#. .##.#",
    'R': "####. #...# #...# ####. #.#.. #..#. #...#", 'T': "##### ..#.. ..#.. ..#.. ..#.. ..#.. ..#..",
    'U': "#...# #...# #...# #...# #...# #...# .###.", 'a': "..... ..... .###. ....# .#### #...# .####",
    'c': "..... ..... .#### #.... #.... #.... .####", 'd': "....# ....# .#### #...# #...# #...# .####",
    'e': "..... ..... .###. #...# ##### #.... .###.", 'i': "# . # # # # #", 'l': "#. #. #. #. #. #. .#",
    'n': "..... ..... ####. #...# #...# #...# #...#", 'o': "..... ..... .###. #...# #...# #...# .###.",
    'r': ".... .... #.## ##.. #... #... #...", 'u': "..... ..... #...# #...# #...# #...# .####",
    '0': ".###. #...# #..## #.#.# ##..# #...# .###.", '8': ".###. #...# #...# .###. #...# #...# .###.",
    '.': ". . . . . . #", ' ': "... ... ... ... ... ... ...",
}
_F3 = {
    'A': ".#. #.# ### #.# #.#", 'C': ".## #.. #.. #.. .##", 'D': "##. #.# #.# #.# ##.", 'E': "### #.. ##. #.. ###",
    'G': ".## #.. #.# #.# .##", 'H': "#.# #.# ### #.# #.#", 'I': "### .#. .#. .#. ###", 'L': "#.. #.. #.. #.. ###",
    'M': "#.# ### #.# #.# #.#", 'N': "##. #.# #.# #.# #.#", 'O': ".#. #.# #.# #.# .#.", 'R': "##. #.# ##. #.# #.#",
    'S': ".## #.. .#. ..# ##.", 'U': "#.# #.# #.# #.# ###", 'V': "#.# #.# #.# #.# .#.", '0': "### #.# #.# #.# ###",
    '8': "### #.# ### #.# ###", 'Q': ".#. #.# #.# ##. .##", ':': ". # . # .", '.': ". . . . #", ' ': ".. .. .. .. ..",
    '\\': "#.. #.. .#. ..# ..#", '>': "#.. .#. ..# .#. #..",
}
FONT5 = {c: s.split(' ') for c, s in _F5.items()}
FONT3 = {c: s.split(' ') for c, s in _F3.items()}

# --- Noise (value noise: random grids enlarged with bicubic filtering) ---


def noise(w, h, cw, ch, seed, periodic=False):
    rnd = random.Random(seed)
    gw, gh = max(1, int(round(w / cw))), max(1, int(round(h / ch)))
    small = Image.new('L', (gw, gh))
    small.putdata([rnd.randrange(256) for _ in range(gw * gh)])
    if not periodic:
        return small.resize((w, h), Image.BICUBIC)
    big = Image.new('L', (gw * 3, gh * 3))  # a 3x3 tiling, cut from the middle, wraps seamlessly
    for k in range(9):
        big.paste(small, (k % 3 * gw, k // 3 * gh))
    return big.resize((w * 3, h * 3), Image.BICUBIC).crop((w, h, 2 * w, 2 * h))


def fbm(w, h, octaves, seed, periodic=False):
    """octaves: [(cell_w, cell_h, weight), ...]; values 0..1 as a flat list."""
    acc, tot = None, 0.0
    for k, (cw, ch, wt) in enumerate(octaves):
        n = noise(w, h, cw, ch, seed * 101 + k, periodic)
        tot += wt
        acc = n if acc is None else Image.blend(acc, n, wt / tot)
    return [v / 255.0 for v in acc.getdata()]


# --- Backgrounds ---

BACK_STYLES = {  # colour ramp dark to light; strength of streaks, veins, malachite bands
    'Red': (even((164, 70, 62), (200, 104, 92), (228, 146, 130), (250, 214, 202)), 0.6, 1.0, 0.0),
    'Green': (even((64, 124, 86), (104, 162, 118), (160, 204, 164), (224, 240, 218)), 0.5, 0.4, 1.0),
    'Blue': (even((70, 98, 162), (108, 140, 202), (164, 188, 228), (226, 234, 250)), 1.0, 0.5, 0.0),
    'Grey': (even((112, 114, 120), (150, 152, 158), (194, 195, 198), (240, 240, 240)), 1.4, 0.25, 0.0),
}


def main_background(w, h, style, seed):
    """A lit panel, lightest up right: streaks, marble veins or malachite bands."""
    stops, streak_amt, vein_amt, band_amt = BACK_STYLES[style]
    streak = fbm(w, h, [(w * 0.45, 2, 0.45), (w * 0.2, 1, 0.35), (w * 0.08, 1, 0.2)], seed + 1)
    turb = fbm(w, h, [(w * 0.25, h * 0.3, 0.5), (w * 0.1, h * 0.12, 0.3), (w * 0.04, h * 0.05, 0.2)], seed + 2)
    cloud = fbm(w, h, [(w * 0.5, h * 0.6, 0.6), (w * 0.18, h * 0.2, 0.4)], seed + 3)
    lut = [ramp(stops, i / 1023.0) for i in range(1024)]
    out = []
    for y in range(h):
        fy = y / h
        for x in range(w):
            i, fx = y * w + x, x / w
            L = 0.36 + 0.30 * fx + 0.20 * (1.0 - fy) + 0.16 * (cloud[i] - 0.5)
            L += streak_amt * 0.09 * (streak[i] - 0.5)
            if vein_amt:
                m = math.sin((fx * 1.6 + fy * 2.4) * 2 * math.pi + turb[i] * 5.0)
                m2 = math.sin((fx * 3.1 - fy * 1.2) * 2 * math.pi + turb[i] * 6.5 + 1.7)
                L += vein_amt * (0.06 * (1.0 - abs(m)) ** 14 + 0.04 * (1.0 - abs(m2)) ** 18 - 0.02 * (1 - abs(m2)) ** 4)
            if band_amt:
                b = math.sin(math.hypot(fx - 0.15, (y - h * 1.1) / w) * 70.0 + turb[i] * 7.0)
                L += band_amt * (0.035 * b + 0.05 * (1.0 - abs(b)) ** 12)
            L -= 0.12 * ((fx - 0.5) ** 2 + (fy - 0.5) ** 2)
            c = lut[min(1023, max(0, int(L * 1023)))]
            if y < 2:  # a fine bright top edge, like a lit panel
                c = lighten(c, 0.35 if y == 0 else 0.15)
            out.append(c)
    im = Image.new('RGB', (w, h))
    im.putdata(out)
    return im


def sunset(w, h, seed, neon):
    """A sun with slits over a grid plane: pastel (the alternative background) or neon (the splash)."""
    rnd = random.Random(seed)
    p = Pic(w, h)
    hz = int(h * (0.70 if neon else 0.60))
    sx, sr = w * (0.5 if neon else 0.30), h * (0.22 if neon else 0.17)
    if neon:
        sky, sea, line, sun = ((18, 6, 48), (84, 20, 110), (230, 70, 140), (255, 150, 90)), \
            ((20, 4, 40), (6, 2, 18)), (255, 80, 220), ((255, 236, 120), (255, 110, 140))
    else:
        sky, sea, line, sun = ((160, 146, 214), (214, 162, 206), (246, 182, 172), (252, 216, 164)), \
            ((176, 222, 220), (102, 178, 186)), (226, 250, 246), ((255, 246, 196), (255, 190, 130))
    p.paint(Image.new('L', p.size, 255), p.vgrad(0, hz, *sky))
    if neon:  # stars
        for _ in range(70):
            x, y, r = rnd.uniform(0, w), rnd.uniform(0, hz * 0.8), rnd.choice((0.5, 0.5, 0.7, 1.0))
            p.paint(p.mask('ellipse', (x - r, y - r, x + r, y + r)), (255, 255, 255), rnd.uniform(0.4, 1.0))
    glow = p.mask('ellipse', (sx - sr * 2.2, hz - sr * 1.8, sx + sr * 2.2, hz + sr * 1.8))
    p.glow(glow, sun[1], sr * 0.6, 0.45)
    disc = p.mask('ellipse', (sx - sr, hz - sr, sx + sr, hz + sr))
    d = ImageDraw.Draw(disc)
    for k in range(6):  # slits in the lower half, wider towards the horizon
        yy = hz - sr * 0.45 + k * sr * 0.09
        d.rectangle((0, p.Y(yy), p.size[0], p.Y(yy + 0.3 + k * 0.45)), fill=0)
    p.paint(disc, p.vgrad(hz - sr, hz, *sun))
    if not neon:  # streaky pink clouds
        cl = Image.new('L', (w, h))
        vals = fbm(w, h, [(w * 0.35, h * 0.05, 0.5), (w * 0.12, h * 0.025, 0.5)], seed)
        cl.putdata([int(255 * min(1.0, max(0.0, (v - 0.52) / 0.2))) if i < hz * w else 0 for i, v in enumerate(vals)])
        p.paint(cl.resize(p.size, Image.BILINEAR), (250, 220, 236), 0.6)
    ground = Image.new('L', p.size, 0)
    ImageDraw.Draw(ground).rectangle((0, p.Y(hz), p.size[0], p.size[1]), fill=255)
    p.paint(ground, p.vgrad(hz, h, *sea))
    grid = Image.new('L', p.size, 0)
    g = ImageDraw.Draw(grid)
    lw = int(SS * (1.2 if neon else 0.8))
    for k in range(-24, 25):  # rails towards the vanishing point
        g.line((p.X(sx), p.Y(hz), p.X(sx + k * w * 0.09), p.Y(h)), fill=255, width=lw)
    for k in range(1, 30):  # sleepers, closer together towards the horizon
        y = p.Y(hz + (h - hz) / (1.0 + k * 0.35))
        g.line((0, y, p.size[0], y), fill=255, width=lw)
    fade = p.vgrad(hz, hz + (h - hz) * 0.5, (0, 0, 0), (255, 255, 255)).convert('L')
    grid = ImageChops.multiply(ImageChops.multiply(grid, ground), fade)
    if neon:
        p.glow(grid, line, 1.5, 0.9)
    p.paint(grid, line, 1.0 if neon else 0.55)
    haze = p.mask('rect', (0, hz - 1.5, w, hz + 1.5))
    p.glow(haze, (255, 220, 200) if not neon else (255, 120, 200), 2, 0.8)
    return p


def dialog_tile(w, h, seed):
    """Light brushed paper: soft mottling and long level fibres. Every component repeats
    with the tile, so it is seamless; whole levels only, so rows hold long runs."""
    mott = fbm(w, h, [(100, 100, 0.45), (50, 50, 0.3), (25, 25, 0.25)], seed + 1, periodic=True)
    fib = fbm(w, h, [(60, 4, 0.5), (30, 2, 0.5)], seed + 2, periodic=True)
    out = []
    for i in range(w * h):
        v = round((mott[i] - 0.5) * 16.0 + (fib[i] - 0.5) * 6.0)
        out.append((226 + v, int(224 + v * 0.98), int(216 + v * 0.92)))
    im = Image.new('RGB', (w, h))
    im.putdata(out)
    return im


# --- Pictograms on a 16-unit grid (drawn at 16 or 32 pixels) ---

def floppy(p, body=(44, 86, 190), stripe=(220, 64, 48)):
    p.shape('poly', [(0.5, 0.5), (13, 0.5), (15.5, 3), (15.5, 15.5), (0.5, 15.5)],
            p.vgrad(0, 16, lighten(body, 0.3), darken(body, 0.1)), darken(body, 0.6), shine=0.3)
    p.shape('rect', (4, 0.5, 12, 6), p.hgrad(4, 12, (236, 238, 242), (140, 146, 158)), (70, 74, 86))
    p.shape('rect', (9, 1.5, 10.5, 5), (56, 60, 74))
    p.shape('rect', (3, 8, 13, 15), (248, 246, 236))
    p.shape('rect', (3, 8, 13, 9.2), stripe)
    for y in (10.5, 12.5):
        p.shape('rect', (4, y, 12, y + 0.8), (150, 170, 215))


def tick(p):
    p.shape('line', [(3, 9), (6.5, 13), (14, 3.5)], p.vgrad(3, 14, (150, 240, 120), (40, 170, 30)), (0, 80, 0), w=3.6)


def cross(p, cx=11.5, cy=11.5, r=3.5):
    for col, w in (((120, 0, 0), 3.6), ((236, 50, 40), 1.8)):
        p.shape('line', [(cx - r, cy - r), (cx + r, cy + r)], col, w=w)
        p.shape('line', [(cx - r, cy + r), (cx + r, cy - r)], col, w=w)


def folder(p, col=(252, 206, 70)):
    out = (122, 86, 8)
    p.shape('poly', [(0.5, 2), (6, 2), (7.5, 3.5), (15.5, 3.5), (15.5, 14.5), (0.5, 14.5)], darken(col, 0.2), out)
    p.shape('rect', (0.5, 5.5, 15.5, 14.5), p.vgrad(5, 15, lighten(col, 0.45), col, darken(col, 0.1)), out, shine=0.3)


def page(p, x0=2.5, y0=0.5, x1=13.5, y1=15.5, fold=4, lines=True):
    p.shape('poly', [(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)],
            p.vgrad(y0, y1, (252, 252, 248), (226, 228, 232)), (92, 96, 110))
    p.shape('poly', [(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)], (196, 200, 214), (92, 96, 110))
    y = y0 + fold + 1.5
    while lines and y < y1 - 2:
        p.shape('rect', (x0 + 2, y, x1 - 2, y + 0.9), (120, 134, 176))
        y += 2


def warning(p):
    p.shape('poly', [(11.5, 7), (16, 15.5), (7, 15.5)], p.vgrad(7, 16, (255, 242, 120), (240, 170, 0)), (104, 64, 0))
    for y0, y1 in ((10, 13), (13.8, 14.8)):
        p.shape('rect', (11, y0, 12, y1), (30, 20, 0))


def star(p, cx=8, cy=8.5, ro=7.5, ri=3.4):
    pts = [(cx + (ro if i % 2 == 0 else ri) * math.cos(-math.pi / 2 + i * math.pi / 5),
            cy + (ro if i % 2 == 0 else ri) * math.sin(-math.pi / 2 + i * math.pi / 5)) for i in range(10)]
    p.shape('poly', pts, p.vgrad(cy - ro, cy + ro, (255, 250, 190), (255, 210, 40), (228, 136, 8)), (150, 78, 0),
            shine=0.4)


def ball(p, box, col, out=None):
    return p.shape('ellipse', box, p.vgrad(box[1], box[3], lighten(col, 0.4), col, darken(col, 0.3)),
                   out or darken(col, 0.65), shine=0.6)


def info(p):
    ball(p, (0.5, 0.5, 15.5, 15.5), (40, 112, 226))
    p.shape('rect', (7, 3, 9, 5), (255, 255, 255))
    p.shape('rect', (7, 6.5, 9, 12), (255, 255, 255))
    p.shape('rect', (5.5, 11.5, 10.5, 13), (255, 255, 255))


def clock(p):
    ball(p, (0.5, 0.5, 15.5, 15.5), (250, 146, 24))
    p.shape('ellipse', (2.8, 2.8, 13.2, 13.2), (252, 250, 240))
    p.shape('line', [(8, 4.5), (8, 8), (11, 8)], (120, 30, 0), w=1.4)


def question(p):
    p.shape('line', [(4.5, 5), (5.5, 2.5), (8, 1.5), (10.5, 2.5), (11.5, 5), (10, 7), (8, 8.5), (8, 10.5)],
            (160, 164, 172), (70, 72, 80), w=3.4)
    p.shape('ellipse', (6.2, 12, 9.8, 15.6), (160, 164, 172), (70, 72, 80))


def joystick(p):
    p.shape('rect', (1, 10, 15, 15), p.vgrad(10, 15, (120, 120, 130), (40, 40, 48)), (20, 20, 24), r=2, shine=0.2)
    p.shape('rect', (7.2, 4, 8.8, 11), (90, 90, 96), (30, 30, 34), ow=0.5)
    ball(p, (4.5, 0.5, 11.5, 7.5), (220, 30, 30))
    p.shape('ellipse', (11.5, 11.5, 13.5, 13.5), (60, 220, 80))


def building(p):
    p.shape('rect', (1, 5, 6, 15.5), (170, 170, 176), (60, 60, 66))
    p.shape('rect', (5, 1, 13, 15.5), p.hgrad(5, 13, (110, 160, 240), (40, 80, 170)), (20, 40, 90), shine=0.3)
    for y in range(3, 13, 2):
        for x in (6.5, 8.5, 10.5):
            p.shape('rect', (x, y, x + 1, y + 1), (255, 240, 150) if (x + y) % 3 else (200, 220, 255))
    p.shape('rect', (8, 12.5, 10, 15.5), (90, 60, 30))
    p.shape('rect', (0, 15, 16, 16), (90, 150, 70))


def globe(p):
    ball(p, (0.5, 0.5, 15.5, 15.5), (40, 100, 210))
    for pts in ([(4, 4), (7, 3), (8, 6), (6, 8), (3.5, 7)], [(9, 8), (12.5, 7), (13.5, 10), (11, 13.5), (9.5, 11)],
                [(2, 10), (4.5, 10.5), (4, 13)]):
        p.shape('poly', pts, (70, 170, 70), (30, 100, 40), ow=0.4)
    m = p.mask('ellipse', (0.5, 0.5, 15.5, 15.5))
    grid = p.mask('ellipse', (4.5, 0.5, 11.5, 15.5))
    grid = ImageChops.subtract(grid, p.mask('ellipse', (5.3, 1.3, 10.7, 14.7)))
    grid = ImageChops.add(grid, p.mask('rect', (0.5, 7.6, 15.5, 8.4)))
    p.paint(ImageChops.multiply(grid, m), (200, 230, 255), 0.7)


def tags(p):
    for dx, dy, col in ((2, 0, (240, 170, 80)), (0, 5, (80, 170, 90))):
        p.shape('poly', [(dx + 0.5, dy + 5), (dx + 4, dy + 1.5), (dx + 13.5, dy + 1.5), (dx + 13.5, dy + 8.5),
                         (dx + 4, dy + 8.5)], p.vgrad(dy, dy + 9, lighten(col, 0.3), col), darken(col, 0.6))
        p.shape('ellipse', (dx + 3, dy + 4, dx + 5, dy + 6), (255, 255, 255), darken(col, 0.6), ow=0.4)


def documents(p):
    page(p, 5, 0.5, 15.5, 12, 3)
    page(p, 0.5, 4, 11, 15.5, 3)
    p.shape('rect', (2.5, 8, 6, 9), (210, 40, 40))


def arrow(p, x0=0.5, y0=8, s=7.5):
    p.at(x0, y0, s / 8.0)
    p.shape('rect', (0, 0, 8, 8), (255, 255, 255), (0, 0, 0), ow=0.7)
    p.shape('poly', [(1.5, 7), (1.5, 4.5), (4, 3.5), (4, 2), (7, 4.2), (4, 6.5), (4, 5), (2.8, 5.6), (2.8, 7)],
            (0, 0, 0))
    p.at(0, 0)


def monitor(p):
    p.shape('rect', (5.5, 13, 10.5, 15.5), (150, 146, 136), (60, 58, 50))
    p.shape('rect', (0.5, 1, 15.5, 13.5), (214, 208, 190), (70, 66, 56), r=1, shine=0.3)
    p.shape('rect', (2, 2.5, 14, 11.5), p.vgrad(2, 12, (40, 160, 170), (0, 90, 110)))
    p.shape('rect', (11, 4, 13, 6), (250, 230, 120))
    p.shape('rect', (11, 7, 13, 9), (250, 230, 120))


def shortcut(p):
    monitor(p)
    arrow(p, 0, 8.5, 7.5)


def bubble(p, col=(255, 240, 170)):
    p.shape('poly', [(3, 11), (2, 15.5), (7, 11.5)], col, (120, 100, 40))
    p.shape('rect', (0.5, 1.5, 15.5, 12), p.vgrad(1, 12, lighten(col, 0.5), col), (120, 100, 40), r=3)
    p.shape('poly', [(3.5, 11.2), (3, 14), (6.5, 11.2)], col)
    for y, x1 in ((4, 12.5), (6.5, 12.5), (9, 9)):
        p.shape('rect', (3.5, y, x1, y + 1), (120, 130, 170))


def pencil(p, a=(1, 15), b=(14, 2), w=3.2):
    ux, uy = b[0] - a[0], b[1] - a[1]
    L = math.hypot(ux, uy)
    nx, ny = -uy / L * w / 2, ux / L * w / 2
    t = lambda f: (a[0] + ux * f, a[1] + uy * f)  # noqa: E731
    q = lambda f, s: (t(f)[0] + nx * s, t(f)[1] + ny * s)  # noqa: E731
    p.shape('poly', [q(0.2, 1), q(0.85, 1), q(0.85, -1), q(0.2, -1)], p.hgrad(0, 16, (255, 220, 80), (230, 150, 20)),
            (60, 40, 10), ow=0.6)
    p.shape('poly', [q(0.85, 1), q(1, 1), q(1, -1), q(0.85, -1)], (240, 130, 150), (60, 40, 10), ow=0.6)
    p.shape('poly', [a, q(0.2, 1), q(0.2, -1)], (240, 214, 170), (60, 40, 10), ow=0.6)
    p.shape('poly', [a, q(0.07, 0.35), q(0.07, -0.35)], (40, 40, 40))


def picture(p):
    p.shape('rect', (0.5, 2, 15.5, 14), (140, 90, 40), (70, 40, 10))
    p.shape('rect', (2, 3.5, 14, 12.5), p.vgrad(3, 12, (120, 190, 250), (220, 240, 255)))
    p.shape('poly', [(2, 12.5), (6, 7), (9, 10), (11, 8), (14, 12.5)], (60, 150, 60))
    p.shape('ellipse', (10, 4.5, 12.5, 7), (255, 230, 80))


def key(p):
    p.shape('ellipse', (0.5, 4, 8, 11.5), (230, 180, 40), (110, 70, 0), shine=0.4)
    p.shape('ellipse', (2.5, 6.3, 5, 8.8), (255, 255, 255), (110, 70, 0), ow=0.4)
    p.shape('poly', [(7.5, 6.5), (15.5, 6.5), (15.5, 10), (14, 10), (14, 8.5), (12.5, 8.5), (12.5, 10), (11, 10),
                     (11, 8.5), (7.5, 8.5)], (230, 180, 40), (110, 70, 0), ow=0.6)


def window(p):
    p.shape('rect', (0.5, 1.5, 15.5, 14.5), (250, 250, 250), (40, 50, 80))
    p.shape('rect', (1, 2, 15, 5), p.hgrad(1, 15, (10, 40, 140), (90, 150, 230)))
    p.shape('rect', (12.5, 2.7, 14.3, 4.3), (220, 220, 220))
    p.shape('rect', (3, 7.5, 9, 9), (60, 180, 80))
    p.shape('rect', (6, 10.5, 12, 12), (220, 80, 60))


def datafile(p):
    page(p, lines=False)
    for y in (6, 8.5, 11):
        for x in (4.5, 7.5, 10):
            p.shape('rect', (x, y, x + 2, y + 1.5), (70, 130, 100))


def gear(p, col=(150, 166, 190)):
    pts = []
    for i in range(32):
        a = i * math.pi / 16
        r = 7.6 if (i // 2) % 2 == 0 else 5.6
        pts.append((8 + r * math.cos(a + math.pi / 16), 8 + r * math.sin(a + math.pi / 16)))
    m = p.shape('poly', pts, p.vgrad(0, 16, lighten(col, 0.4), darken(col, 0.25)), (50, 58, 76), shine=0.4)
    hole = p.mask('ellipse', (5.3, 5.3, 10.7, 10.7))
    p.paint(ImageChops.multiply(m, hole), (50, 58, 76))
    p.im.putalpha(ImageChops.subtract(p.im.getchannel('A'), p.mask('ellipse', (6.1, 6.1, 9.9, 9.9))))


def play(p):
    p.shape('poly', [(3, 1), (15.5, 8), (3, 15)], p.vgrad(1, 15, (140, 240, 120), (30, 160, 40), (10, 110, 20)),
            (0, 80, 0), shine=0.5)


def book(p):
    for sgn in (1, -1):
        X = lambda x: 8 + sgn * x  # noqa: E731  (mirrored for the right-hand page)
        p.shape('poly', [(X(7.5), 3), (X(0), 4), (X(0), 15), (X(7.5), 14)], (130, 30, 30), (60, 10, 10))
        p.shape('poly', [(X(6.7), 2), (X(0), 3), (X(0), 13.5), (X(6.7), 12.5)], (250, 246, 230), (110, 100, 80),
                ow=0.5)
        for k in range(4):
            p.shape('line', [(X(1.5), 5.3 + k * 2), (X(5.5), 4.8 + k * 2)], (150, 140, 130), w=0.6)


def quill(p):
    vane = [(3, 13), (4, 9), (7, 5), (11, 1.5), (15, 0.5), (14, 4), (11, 8), (7, 11)]
    p.shape('poly', vane, p.hgrad(3, 15, (255, 250, 240), (230, 220, 205)), (90, 60, 60), ow=0.6)
    p.shape('line', [(1, 15.2), (5, 11), (14.5, 1)], (200, 30, 50), w=0.9)
    p.shape('line', [(0.6, 15.6), (2.6, 13.4)], (30, 20, 20), w=1.2)


def emblem(p, x, y, s):
    """The program's mark: a quill over a blue floppy disk, s units wide."""
    p.at(x, y, s / 16.0)
    floppy(p)
    p.at(x + s * 0.15, y - s * 0.05, s / 16.0 * 0.9)
    quill(p)
    p.at(0, 0)


ICONS = [  # file, drawing
    ('Quillon.ico', lambda p: emblem(p, 0, 0.8, 15.2)),
    ('RunGame.ico', play),
    ('GameSettings.ico', gear),
    ('Modify.ico', lambda p: (page(p, 2, 0.5, 13, 15.5, 4), pencil(p, (5, 14), (15, 3), 3.4))),
    ('Docs.ico', book),
    ('Browse.ico', lambda p: (folder(p), [p.shape('rect', (x, 9, x + 2, 11), (60, 40, 0)) for x in (3.5, 7, 10.5)])),
]
ROW_IMAGES = [  # the list's rows: 0 OK, 1 folder missing, 2 program missing, 7 not verified
    lambda p: (floppy(p), p.at(3, 3, 0.8), tick(p), p.at(0, 0)),
    lambda p: (p.at(0, 0, 0.9), folder(p), p.at(0, 0), cross(p)),
    lambda p: (p.at(0, 0, 0.9), page(p), p.at(0, 0), warning(p)),
    star, info,
    lambda p: floppy(p, (150, 150, 156), (190, 190, 196)),
    clock, question,
]
DETAILS_LARGE = [joystick, building, globe, tags, documents, bubble, shortcut]
DETAILS_SMALL = [folder, window, floppy, datafile, globe, page, lambda p: arrow(p, 0.5, 0.5, 15), bubble, pencil,
                 picture, info, key]


def pictogram(draw, size):
    p = Pic(size, size, unit=size / 16.0)
    draw(p)
    return p.result()


def flatten(rgba, matte, key=None):
    """Over matte; with a key colour, mostly transparent pixels become it and no drawn pixel keeps it."""
    comp = Image.alpha_composite(Image.new('RGBA', rgba.size, tuple(matte) + (255,)), rgba).convert('RGB')
    if key is None:
        return comp
    out = Image.new('RGB', rgba.size, key)
    solid = rgba.getchannel('A').point(lambda a: 255 if a >= 110 else 0)
    out.paste(comp, mask=solid)
    near = (key[0], key[1] + 1 if key[1] < 255 else key[1] - 1, key[2])
    out.putdata([near if c == key and s else c for c, s in zip(out.getdata(), solid.getdata())])
    return out


def sheet(draws, size, matte, key):
    out = Image.new('RGB', (size * len(draws), size), key)
    for k, draw in enumerate(draws):
        out.paste(flatten(pictogram(draw, size), matte, key), (k * size, 0))
    return out


# --- Pictures ---


def game_default():
    W, H = 160, 100
    p = Pic(W, H)
    bg = Image.new('L', (W, H))
    bg.putdata([int(255 * min(1.0, math.hypot((x - 80) / 95.0, (y - 42) / 70.0))) for y in range(H) for x in range(W)])
    p.paint(Image.new('L', p.size, 255), (52, 60, 84))
    p.paint(bg.resize(p.size, Image.BILINEAR), (10, 12, 22))
    p.paint(p.mask('rect', (0, 88, W, H)), (30, 34, 48), 0.7)
    beige = (222, 214, 190)
    p.glow(p.mask('rect', (34, 8, 126, 80), r=5), (0, 0, 0), 3, 0.55, 3, 4)
    p.shape('rect', (52, 84, 108, 92), p.vgrad(84, 92, lighten(beige, 0.2), darken(beige, 0.3)), (60, 56, 46), r=3)
    p.shape('rect', (66, 78, 94, 86), p.vgrad(78, 86, darken(beige, 0.45), darken(beige, 0.15)))
    p.shape('rect', (34, 8, 126, 80), p.vgrad(8, 80, lighten(beige, 0.3), beige, darken(beige, 0.2)), (62, 58, 48),
            r=5, shine=0.3)
    p.shape('rect', (39, 12, 121, 71), darken(beige, 0.2), r=3)
    p.shape('rect', (40, 13, 121, 71), lighten(beige, 0.1), r=3)
    p.shape('rect', (40, 13, 120, 70), darken(beige, 0.1), r=3)
    scr = p.shape('rect', (43, 15, 117, 68), p.vgrad(15, 68, (24, 62, 46), (8, 26, 20)), (20, 20, 18), r=4)
    scan = Image.new('L', p.size, 0)
    for y in range(15, 68, 2):
        ImageDraw.Draw(scan).rectangle((0, p.Y(y), p.size[0], p.Y(y + 1) - 1), fill=255)
    green = (110, 250, 140)
    frame = p.mask('rect', (70, 22, 90, 38))
    frame = ImageChops.subtract(frame, p.mask('rect', (71.2, 23.2, 88.8, 36.8)))
    hills = p.mask('poly', [(71, 37), (76, 30), (80, 34), (83, 31), (89, 37)])
    sun = p.mask('ellipse', (83.2, 25.2, 86.8, 28.8))
    art = ImageChops.add(ImageChops.add(frame, hills), sun)
    p.glow(art, (60, 220, 100), 1.2, 0.5)
    p.paint(art, green)
    p.shape('line', [(67, 41), (93, 19)], (250, 90, 80), w=1.6)
    tw = text_width('NO PICTURE', FONT5, 1)
    p.glow(p.text(80 - tw // 2, 45, 'NO PICTURE', FONT5, 1, (150, 255, 170)), (60, 220, 100), 1.0, 0.5)
    p.text(47, 59, 'C:\\>', FONT3, 1, (90, 210, 120))
    p.shape('rect', (63, 59, 67, 64), (90, 210, 120))
    p.paint(ImageChops.multiply(scan, scr), (0, 0, 0), 0.22)
    p.paint(ImageChops.multiply(p.mask('poly', [(43, 15), (86, 15), (56, 68), (43, 68)]), scr), (255, 255, 255), 0.07)
    p.text(41, 73, 'QL', FONT3, 1, darken(beige, 0.45))
    for x in range(96, 112, 3):
        p.shape('rect', (x, 74, x + 2, 77), darken(beige, 0.3))
    p.glow(p.shape('ellipse', (115.4, 73.9, 118.6, 77.1), (40, 255, 60)), (40, 255, 60), 1.5, 0.5)
    fl = Pic(30, 30, unit=1.0)
    fl.at(1, 1, 28 / 16.0)
    floppy(fl, body=(200, 44, 40), stripe=(40, 90, 200))
    p.glow(p.mask('rect', (121, 64, 145, 90), r=2), (0, 0, 0), 2, 0.5, 1, 2)
    p.stamp(fl, 133, 76, -9)
    return p.result().convert('RGB')


def chrome(p, top, bottom):
    return p.vgrad(top, bottom, (255, 255, 255), (200, 220, 255), (90, 120, 200), (250, 210, 255), (255, 255, 255))


def splash():
    W, H = 240, 160
    p = sunset(W, H, 77, neon=True)
    for s, x, y in (('Quillon', 14, 14), ('Loader', 40, 52)):
        p.text(x, y, s, FONT5, 4, chrome(p, y, y + 28), italic=0.25, out=(30, 6, 50), shadow=0.7)
    sub = 'DOS GAME LAUNCHER'
    p.text((W - text_width(sub, FONT3, 1)) // 2 + 20, 89, sub, FONT3, 1, (120, 240, 255), out=(20, 0, 40))
    emblem(p, 186, 8, 40)
    p.shape('rect', (176, 138, 234, 153), p.vgrad(138, 153, (60, 110, 200), (20, 40, 110)), (200, 230, 255), r=4)
    p.text(181, 142, 'Version', FONT3, 1, (255, 255, 255))
    p.text(211, 141, '0.8c', FONT5, 1, (255, 255, 255))
    return p.result().convert('RGB')


def about_banner():
    W, H = 180, 36
    p = Pic(W, H)
    p.paint(Image.new('L', p.size, 255), p.vgrad(0, H, (40, 60, 140), (14, 20, 60), (30, 40, 100)))
    p.paint(p.mask('rect', (0, 0, W, 1)), (140, 170, 255))
    p.paint(p.mask('rect', (0, H - 1, W, H)), (0, 0, 20))
    emblem(p, 4, 6, 24)
    p.text(31, 11, 'QUILLON LOADER', FONT5, 2, chrome(p, 11, 25), out=(10, 10, 40), shadow=0.6, gap=1)
    return p.result().convert('RGB')


def hand_cursor():
    """The pointing hand shown over the folder bar's headers: a white hand with a black
    outline on a 32x32 grid, drawn eight times larger and reduced without shades.
    Returns the hand's mask, the mask of its black lines and the hotspot (the fingertip)."""
    S = 8
    big = Image.new('L', (32 * S, 32 * S), 0)
    d = ImageDraw.Draw(big)

    def rect(x0, y0, x1, y1, r=0.0):
        d.rounded_rectangle((x0 * S, y0 * S, x1 * S - 1, y1 * S - 1), radius=r * S, fill=255)

    rect(6, 0, 12, 15, 3)  # the pointing finger
    for x0, top in ((11, 6), (15.5, 7), (20, 8.5)):  # three folded fingers
        rect(x0, top, x0 + 5, 16, 2.5)
    rect(6, 11, 25, 23, 4)  # the palm
    d.line((3 * S, 14 * S, 7 * S, 18 * S), fill=255, width=4 * S)  # the thumb
    d.ellipse((1 * S, 12 * S, 5 * S, 16 * S), fill=255)
    rect(8, 22, 23, 28)  # the cuff
    hand = big.reduce(S).point(lambda v: 255 if v >= 128 else 0)
    inside = hand  # pixels whose four neighbours are all of the hand
    for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
        inside = ImageChops.darker(inside, ImageChops.offset(hand, dx, dy))
    ink = ImageChops.subtract(hand, inside)
    di = ImageDraw.Draw(ink)
    for x in (11, 16, 20):  # the gaps between the fingers, from the hand's top edge down
        di.line((x, next(y for y in range(32) if hand.getpixel((x, y))), x, 12), fill=255)
    di.line((8, 23, 22, 23), fill=255)  # the cuff's seam
    tip = [x for x in range(32) if hand.getpixel((x, 0))]
    return hand, ink, ((tip[0] + tip[-1]) // 2, 0)


# --- Writers ---

WRITTEN = []


def png_copy(name, im):
    return PNG_DIR and im.save(os.path.join(PNG_DIR, os.path.splitext(name)[0] + '.png'))


def save24(name, im):
    path = os.path.join(ART_DIR, name)
    im.convert('RGB').save(path, 'BMP')
    png_copy(name, im)
    WRITTEN.append(path)


def rle8_rows(data, w, h):
    """BI_RLE8 pixel data of bottom-up rows: runs of one colour, literal stretches of three
    or more different pixels (padded to a word), an end-of-line after each row and the
    end-of-bitmap marker in place of the last one."""
    out = bytearray()
    for y in range(h - 1, -1, -1):
        row = data[y * w:(y + 1) * w]
        i = 0
        while i < w:
            j = i
            while j < w and j - i < 255 and row[j] == row[i]:
                j += 1
            if j - i >= 2 or w - i < 3:
                out += bytes((j - i, row[i]))
                i = j
                continue
            k = i  # literal: up to where three equal pixels begin
            while k < w and k - i < 255 and not (k + 2 < w and row[k] == row[k + 1] == row[k + 2]):
                k += 1
            if k - i < 3:
                for t in range(i, k):
                    out += bytes((1, row[t]))
            else:
                out += bytes((0, k - i)) + bytes(row[i:k]) + (b'\0' if (k - i) & 1 else b'')
            i = k
        out += b'\0\0'
    out[-1] = 1  # the last end-of-line becomes the end of the bitmap
    return bytes(out)


def save8(name, im):
    """256 colours by median cut, no dithering, written run-length encoded."""
    im = im.convert('RGB')
    out = im.quantize(palette=im.quantize(256, method=Image.Quantize.MEDIANCUT), dither=Image.Dither.NONE)
    w, h = out.size
    pal = (out.getpalette() + [0] * 768)[:768]
    table = b''.join(bytes((pal[3 * k + 2], pal[3 * k + 1], pal[3 * k], 0)) for k in range(256))
    bits = rle8_rows(out.tobytes(), w, h)
    info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 8, 1, len(bits), 2835, 2835, 256, 0)
    offset = 14 + len(info) + len(table)
    path = os.path.join(ART_DIR, name)
    with open(path, 'wb') as f:
        f.write(b'BM' + struct.pack('<IHHI', offset + len(bits), 0, 0, offset) + info + table + bits)
    check = Image.open(path).convert('RGB')  # Pillow reads RLE8: the file must give back the picture
    if check.tobytes() != out.convert('RGB').tobytes():
        sys.exit('%s: the run-length data does not give back the picture' % name)
    png_copy(name, check)
    WRITTEN.append(path)


def save_ico(name, draw):
    """32x32 and 16x16 entries, 8 bits per pixel with a 1-bit mask."""
    with tempfile.TemporaryDirectory() as tmp:
        files = []
        for size in (32, 16):
            rgba = pictogram(draw, size)
            solid = rgba.getchannel('A').point(lambda a: 255 if a >= 128 else 0)
            rgb = flatten(rgba, (212, 208, 200))  # edges blend into a button face
            pal = rgb.quantize(255, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
            pal.putpalette(pal.getpalette()[:255 * 3] + [255, 0, 255])
            pal.paste(255, mask=solid.point(lambda a: 255 - a))
            f = os.path.join(tmp, '%d.png' % size)
            pal.save(f, transparency=255)
            files.append(f)
            png_copy(name.replace('.', '%d.' % size), Image.composite(rgb, Image.new('RGB', (size, size)), solid))
        path = os.path.join(ART_DIR, name)
        subprocess.run([CONVERT] + files + ['-type', 'PaletteMatte', path], check=True)
    head = open(path, 'rb').read(38)
    depths = [head[12], head[28]]  # wBitCount of the two directory entries
    if head[4] != 2 or depths != [8, 8]:
        sys.exit('%s: expected two 8-bit entries, got %s' % (name, depths))
    WRITTEN.append(path)


def save_cur(name, drawing):
    """A 32x32 cursor of one 1-bit entry (black, white and transparent), the form that
    every Windows from 95 on reads, written field by field."""
    hand, ink, (hx, hy) = drawing
    w, h = hand.size
    xor_rows, and_rows = [], []
    for y in range(h - 1, -1, -1):  # bottom-up rows of 32 bits
        white = sum(1 << (31 - x) for x in range(w) if hand.getpixel((x, y)) and not ink.getpixel((x, y)))
        clear = sum(1 << (31 - x) for x in range(w) if not hand.getpixel((x, y)))
        xor_rows.append(struct.pack('>I', white))
        and_rows.append(struct.pack('>I', clear))
    info = struct.pack('<IiiHHIIiiII', 40, w, 2 * h, 1, 1, 0, 0, 0, 0, 2, 0)
    image = info + bytes((0, 0, 0, 0, 255, 255, 255, 0)) + b''.join(xor_rows) + b''.join(and_rows)
    head = struct.pack('<HHH', 0, 2, 1) + struct.pack('<BBBBHHII', w, h, 2, 0, hx, hy, len(image), 22)
    path = os.path.join(ART_DIR, name)
    with open(path, 'wb') as f:
        f.write(head + image)
    look = Image.new('RGB', (w, h), (0, 128, 128))
    look.paste((255, 255, 255), mask=hand)
    look.paste((0, 0, 0), mask=ink)
    png_copy(name, look.resize((w * 8, h * 8), Image.NEAREST))
    WRITTEN.append(path)


def main(argv):
    global PNG_DIR
    if '--png' in argv:
        PNG_DIR = argv[argv.index('--png') + 1]
        os.makedirs(PNG_DIR, exist_ok=True)
    if not os.path.exists(CONVERT):
        sys.exit('ImageMagick is needed: %s is missing' % CONVERT)
    save8('GameDefault.bmp', game_default())
    save8('BackRed.bmp', main_background(500, 350, 'Red', 11))
    save8('BackGreen.bmp', main_background(500, 350, 'Green', 23))
    save8('BackBlue.bmp', main_background(500, 350, 'Blue', 37))
    save8('BackGrey.bmp', main_background(600, 500, 'Grey', 41))
    save8('BackAlt.bmp', sunset(500, 350, 5, neon=False).result())
    save8('DialogTile.bmp', dialog_tile(600, 500, 3))
    save24('RowImages.bmp', sheet(ROW_IMAGES, 16, (255, 255, 255), (255, 255, 255)))
    save24('DetailsLarge.bmp', sheet(DETAILS_LARGE, 32, (32, 32, 64), (128, 128, 128)))
    save24('DetailsSmall.bmp', sheet(DETAILS_SMALL, 16, (255, 255, 255), (0, 128, 128)))
    save8('Splash.bmp', splash())
    save8('About.bmp', about_banner())
    for name, draw in ICONS:
        save_ico(name, draw)
    save_cur('Hand.cur', hand_cursor())
    for path in WRITTEN:
        print('%-28s %7d bytes' % (os.path.relpath(path, ROOT), os.path.getsize(path)))


if __name__ == '__main__':
    main(sys.argv[1:])
