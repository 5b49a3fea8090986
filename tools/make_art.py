#!/usr/bin/env python3
"""make_art.py - draws every picture resource of Quillon Loader.

Usage (from the project root):

    python3 tools/make_art.py            # writes res/art/* and demo/Images/*
    python3 tools/make_art.py --png DIR  # also writes PNG copies into DIR (for looking)

Pure Python 3, standard library only (struct, zlib, math, random). Every random
number comes from random.Random with a fixed seed, so the output is
deterministic: two runs give byte-identical files.

What it draws
-------------
res/art/
  GameDefault.bmp   160x100 24-bit  default game preview: beige CRT monitor on a
                    dark background, green phosphor "NO PICTURE" in our pixel
                    font, a floppy disk leaning on the monitor.
  BackRed.bmp       500x350 8-bit   main window backgrounds: lit gradient with
  BackGreen.bmp     500x350 8-bit   brushed-metal streaks, marble veins and
  BackBlue.bmp      500x350 8-bit   grain (red marble, green malachite, blue
  BackGrey.bmp      600x500 8-bit   anodised metal, grey brushed aluminium);
  BackAlt.bmp       500x350 8-bit   BackAlt is a pastel sunset over a teal grid.
                    All stay mid-to-light, the right-hand column lightest, so
                    black 8pt text on them stays readable.
  DialogTile.bmp    600x500 8-bit   light linen/paper tile, seamless both ways.
  RowImages.bmp     128x16  24-bit  8 list-row images (white = transparent):
                    OK, folder missing, program missing, star, info, grey disk,
                    clock, not verified.
  DetailsLarge.bmp  224x32  24-bit  7 pictograms: game, publisher, tags, web,
                    documents, desktop shortcut, comment (white = transparent).
  DetailsSmall.bmp  192x16  24-bit  12 pictograms: folder, program, disk, data
                    file, web, document, shortcut, comment, pencil, picture,
                    info, key (white = transparent).
  Splash.bmp        240x160 24-bit  splash screen: "Quillon Loader" in a chrome
                    italic pixel font over a retro sunset with a neon grid,
                    floppy-and-quill emblem, "0.8c".
  About.bmp         180x36  24-bit  "QUILLON LOADER" banner with emblem.
  Quillon.ico       program icon: quill pen over a blue floppy disk.
  RunGame.ico       green play arrow.
  GameSettings.ico  steel gear.
  Modify.ico        pencil over a sheet.
  Docs.ico          open book.
  Browse.ico        small folder with "...".
                    Icons hold a 32x32 and a 16x16 image, 8 bits per pixel with
                    a 256-colour palette and a 1-bit AND mask (Windows 95 safe).
demo/Images/
  StarMaze.bmp, CaveRunner.bmp, PixelPinball.bmp, TankDuel.bmp
                    160x100 24-bit fake VGA screenshots of the bundled demo games.
"""

import math
import os
import random
import struct
import sys
import zlib

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
ART_DIR = os.path.join(ROOT, 'res', 'art')
DEMO_DIR = os.path.join(ROOT, 'demo', 'Images')

# ---------------------------------------------------------------------------
# Small maths and colour helpers
# ---------------------------------------------------------------------------


def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


def lerp(a, b, t):
    return a + (b - a) * t


def smoothstep(e0, e1, x):
    t = clamp((x - e0) / (e1 - e0))
    return t * t * (3.0 - 2.0 * t)


def mix(c1, c2, t):
    return (c1[0] + (c2[0] - c1[0]) * t,
            c1[1] + (c2[1] - c1[1]) * t,
            c1[2] + (c2[2] - c1[2]) * t)


def lighten(c, t):
    return mix(c, (255, 255, 255), t)


def darken(c, t):
    return mix(c, (0, 0, 0), t)


def ramp(stops, t):
    """stops: [(pos, colour), ...] sorted by pos."""
    if t <= stops[0][0]:
        return stops[0][1]
    for i in range(1, len(stops)):
        p1, c1 = stops[i]
        if t <= p1:
            p0, c0 = stops[i - 1]
            return mix(c0, c1, (t - p0) / (p1 - p0) if p1 > p0 else 1.0)
    return stops[-1][1]


def luminance(c):
    return 0.299 * c[0] + 0.587 * c[1] + 0.114 * c[2]


def lin_grad(x0, y0, x1, y1, stops):
    """Colour function for a linear gradient from (x0,y0) to (x1,y1)."""
    if not isinstance(stops[0][0], (int, float)) or len(stops[0]) == 3:
        stops = [(0.0, stops[0]), (1.0, stops[1])]
    dx, dy = x1 - x0, y1 - y0
    l2 = dx * dx + dy * dy or 1.0

    def f(x, y):
        return ramp(stops, ((x - x0) * dx + (y - y0) * dy) / l2)
    return f


def vgrad(y0, y1, *cols):
    n = len(cols) - 1
    return lin_grad(0, y0, 0, y1, [(i / n, c) for i, c in enumerate(cols)])


def hgrad(x0, x1, *cols):
    n = len(cols) - 1
    return lin_grad(x0, 0, x1, 0, [(i / n, c) for i, c in enumerate(cols)])


def rad_grad(cx, cy, r, *cols):
    n = len(cols) - 1
    stops = [(i / n, c) for i, c in enumerate(cols)]

    def f(x, y):
        return ramp(stops, math.hypot(x - cx, y - cy) / r)
    return f


def sphere_col(cx, cy, r, base, hi=0.75, lo=0.45):
    """Colour function of a lit ball: highlight up-left, shade down-right."""
    lx, ly = cx - r * 0.38, cy - r * 0.42

    def f(x, y):
        d = math.hypot(x - lx, y - ly) / (r * 1.25)
        if d < 0.35:
            return lighten(base, hi * (1 - d / 0.35) ** 1.5)
        return darken(base, lo * smoothstep(0.35, 1.15, d))
    return f


# ---------------------------------------------------------------------------
# Signed distance shapes (negative inside). Each carries a bounding box .bb
# ---------------------------------------------------------------------------


def _bb(f, bb):
    f.bb = bb
    return f


def _bb_of(fs):
    bbs = [getattr(f, 'bb', None) for f in fs]
    if any(b is None for b in bbs):
        return None
    return (min(b[0] for b in bbs), min(b[1] for b in bbs),
            max(b[2] for b in bbs), max(b[3] for b in bbs))


def sd_circle(cx, cy, r):
    return _bb(lambda x, y: math.hypot(x - cx, y - cy) - r,
               (cx - r, cy - r, cx + r, cy + r))


def sd_ellipse(cx, cy, rx, ry):
    m = min(rx, ry)
    return _bb(lambda x, y: (math.hypot((x - cx) / rx, (y - cy) / ry) - 1.0) * m,
               (cx - rx, cy - ry, cx + rx, cy + ry))


def sd_box(x0, y0, x1, y1, r=0.0):
    cx, cy = (x0 + x1) * 0.5, (y0 + y1) * 0.5
    hx, hy = (x1 - x0) * 0.5 - r, (y1 - y0) * 0.5 - r

    def f(x, y):
        qx = abs(x - cx) - hx
        qy = abs(y - cy) - hy
        if qx > 0 or qy > 0:
            return math.hypot(max(qx, 0.0), max(qy, 0.0)) - r
        return max(qx, qy) - r
    return _bb(f, (x0, y0, x1, y1))


def sd_seg(ax, ay, bx, by, w):
    """Capsule of width w around the segment a-b."""
    ex, ey = bx - ax, by - ay
    ll = ex * ex + ey * ey or 1e-9
    hw = w * 0.5

    def f(x, y):
        wx, wy = x - ax, y - ay
        t = clamp((wx * ex + wy * ey) / ll)
        return math.hypot(wx - ex * t, wy - ey * t) - hw
    return _bb(f, (min(ax, bx) - hw, min(ay, by) - hw, max(ax, bx) + hw, max(ay, by) + hw))


def sd_path(pts, w):
    return sd_union(*[sd_seg(pts[i][0], pts[i][1], pts[i + 1][0], pts[i + 1][1], w)
                      for i in range(len(pts) - 1)])


def sd_poly(pts):
    n = len(pts)
    edges = []
    for i in range(n):
        ax, ay = pts[i]
        bx, by = pts[(i + 1) % n]
        edges.append((ax, ay, bx, by, bx - ax, by - ay, (bx - ax) ** 2 + (by - ay) ** 2 or 1e-9))

    def f(x, y):
        d = 1e18
        inside = False
        for ax, ay, bx, by, ex, ey, ll in edges:
            wx, wy = x - ax, y - ay
            t = (wx * ex + wy * ey) / ll
            t = 0.0 if t < 0 else 1.0 if t > 1 else t
            dx, dy = wx - ex * t, wy - ey * t
            dd = dx * dx + dy * dy
            if dd < d:
                d = dd
            if (ay > y) != (by > y):
                if x < ax + (y - ay) * ex / ey:
                    inside = not inside
        d = math.sqrt(d)
        return -d if inside else d
    xs = [p[0] for p in pts]
    ys = [p[1] for p in pts]
    return _bb(f, (min(xs), min(ys), max(xs), max(ys)))


def sd_union(*fs):
    if len(fs) == 1:
        return fs[0]
    return _bb(lambda x, y: min(f(x, y) for f in fs), _bb_of(fs))


def sd_inter(a, b):
    return _bb(lambda x, y: max(a(x, y), b(x, y)), getattr(a, 'bb', None))


def sd_sub(a, *bs):
    return _bb(lambda x, y: max([a(x, y)] + [-b(x, y) for b in bs]), getattr(a, 'bb', None))


def sd_grow(f, k):
    bb = getattr(f, 'bb', None)
    if bb is not None:
        bb = (bb[0] - k, bb[1] - k, bb[2] + k, bb[3] + k)
    return _bb(lambda x, y: f(x, y) - k, bb)


def sd_ring(f, w):
    """Outline of width w centred on the boundary of f."""
    bb = getattr(f, 'bb', None)
    if bb is not None:
        bb = (bb[0] - w, bb[1] - w, bb[2] + w, bb[3] + w)
    return _bb(lambda x, y: abs(f(x, y)) - w * 0.5, bb)


def sd_rot(f, cx, cy, ang):
    """f rotated by ang radians (clockwise on screen) around (cx, cy)."""
    c, s = math.cos(ang), math.sin(ang)
    bb = getattr(f, 'bb', None)
    if bb is not None:
        rr = max(math.hypot(px - cx, py - cy) for px in (bb[0], bb[2]) for py in (bb[1], bb[3]))
        bb = (cx - rr, cy - rr, cx + rr, cy + rr)
    return _bb(lambda x, y: f(cx + (x - cx) * c + (y - cy) * s, cy - (x - cx) * s + (y - cy) * c), bb)


def star_pts(cx, cy, ro, ri, n=5, rot=-math.pi / 2):
    pts = []
    for i in range(n * 2):
        a = rot + i * math.pi / n
        r = ro if i % 2 == 0 else ri
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return pts


def quad_pts(p0, p1, p2, n=12):
    out = []
    for i in range(n + 1):
        t = i / n
        out.append(((1 - t) ** 2 * p0[0] + 2 * (1 - t) * t * p1[0] + t * t * p2[0],
                    (1 - t) ** 2 * p0[1] + 2 * (1 - t) * t * p1[1] + t * t * p2[1]))
    return out


# ---------------------------------------------------------------------------
# Canvas with straight alpha, "over" compositing
# ---------------------------------------------------------------------------


class Canvas:
    def __init__(self, w, h, color=(0, 0, 0), alpha=1.0):
        self.w, self.h = w, h
        n = w * h
        self.r = [float(color[0])] * n
        self.g = [float(color[1])] * n
        self.b = [float(color[2])] * n
        self.a = [float(alpha)] * n

    def put(self, x, y, c, a=1.0):
        if a <= 0.0 or x < 0 or y < 0 or x >= self.w or y >= self.h:
            return
        i = y * self.w + x
        if a >= 1.0:
            self.r[i] = c[0]
            self.g[i] = c[1]
            self.b[i] = c[2]
            self.a[i] = 1.0
            return
        da = self.a[i]
        oa = a + da * (1.0 - a)
        k = a / oa
        self.r[i] += (c[0] - self.r[i]) * k
        self.g[i] += (c[1] - self.g[i]) * k
        self.b[i] += (c[2] - self.b[i]) * k
        self.a[i] = oa

    def get(self, x, y):
        x = min(max(x, 0), self.w - 1)
        y = min(max(y, 0), self.h - 1)
        i = y * self.w + x
        return (self.r[i], self.g[i], self.b[i])

    def rect(self, x0, y0, x1, y1, c, a=1.0):
        """Fill [x0,x1) x [y0,y1); c may be a colour function of (x, y)."""
        fn = callable(c)
        for y in range(max(0, y0), min(self.h, y1)):
            for x in range(max(0, x0), min(self.w, x1)):
                self.put(x, y, c(x + 0.5, y + 0.5) if fn else c, a)

    def hline(self, x0, x1, y, c, a=1.0):
        self.rect(x0, y, x1 + 1, y + 1, c, a)

    def vline(self, x, y0, y1, c, a=1.0):
        self.rect(x, y0, x + 1, y1 + 1, c, a)

    def frame(self, x0, y0, x1, y1, c, a=1.0):
        """1-pixel rectangle outline, inclusive coordinates."""
        self.hline(x0, x1, y0, c, a)
        self.hline(x0, x1, y1, c, a)
        self.vline(x0, y0 + 1, y1 - 1, c, a)
        self.vline(x1, y0 + 1, y1 - 1, c, a)

    def bevel_frame(self, x0, y0, x1, y1, light, dark, a=1.0):
        self.hline(x0, x1 - 1, y0, light, a)
        self.vline(x0, y0 + 1, y1 - 1, light, a)
        self.hline(x0, x1, y1, dark, a)
        self.vline(x1, y0, y1 - 1, dark, a)

    def _range(self, sdf, bbox, pad):
        bb = bbox or getattr(sdf, 'bb', None)
        if bb is None:
            return 0, 0, self.w, self.h
        return (max(0, int(math.floor(bb[0] - pad))), max(0, int(math.floor(bb[1] - pad))),
                min(self.w, int(math.ceil(bb[2] + pad)) + 1), min(self.h, int(math.ceil(bb[3] + pad)) + 1))

    def fill(self, sdf, color, opacity=1.0, bbox=None, soft=1.0):
        """Anti-aliased fill of a signed distance shape."""
        x0, y0, x1, y1 = self._range(sdf, bbox, soft + 1)
        fn = callable(color)
        half = 0.5 * soft
        for y in range(y0, y1):
            py = y + 0.5
            for x in range(x0, x1):
                px = x + 0.5
                d = sdf(px, py)
                if d >= half:
                    continue
                cov = 1.0 if d <= -half else (half - d) / soft
                self.put(x, y, color(px, py) if fn else color, cov * opacity)

    def fill_bevel(self, sdf, color, depth=2.0, strength=0.45, opacity=1.0,
                   light=(-0.55, -0.83), bbox=None, soft=1.0):
        """Fill with a rounded bevel: edges facing the light (up-left) get
        lighter, edges facing away darker."""
        x0, y0, x1, y1 = self._range(sdf, bbox, soft + 1)
        fn = callable(color)
        half = 0.5 * soft
        lx, ly = light
        e = 0.5
        for y in range(y0, y1):
            py = y + 0.5
            for x in range(x0, x1):
                px = x + 0.5
                d = sdf(px, py)
                if d >= half:
                    continue
                cov = 1.0 if d <= -half else (half - d) / soft
                c = color(px, py) if fn else color
                if d > -depth:
                    gx = sdf(px + e, py) - sdf(px - e, py)
                    gy = sdf(px, py + e) - sdf(px, py - e)
                    gl = math.hypot(gx, gy)
                    if gl > 1e-6:
                        ndl = (gx * lx + gy * ly) / gl
                        f = (1.0 + min(d, 0.0) / depth)
                        f = f * f
                        amt = ndl * strength * f
                        c = lighten(c, amt) if amt > 0 else darken(c, -amt * 0.8)
                self.put(x, y, c, cov * opacity)

    def paint(self, mask, color, opacity=1.0, dx=0, dy=0):
        fn = callable(color)
        w = self.w
        v = mask.v
        for i in range(len(v)):
            m = v[i]
            if m > 0.0:
                x = i % w + dx
                y = i // w + dy
                self.put(x, y, color(x + 0.5, y + 0.5) if fn else color, m * opacity)

    def paint_lit(self, mask, color, height, strength=0.6, opacity=1.0, light=(-0.6, -0.8)):
        """Paint mask with a colour that is shaded by the slope of height."""
        fn = callable(color)
        w, h = self.w, self.h
        hv = height.v
        lx, ly = light
        for i, m in enumerate(mask.v):
            if m <= 0.0:
                continue
            x, y = i % w, i // w
            gx = hv[i + 1 if x + 1 < w else i] - hv[i - 1 if x > 0 else i]
            gy = hv[i + w if y + 1 < h else i] - hv[i - w if y > 0 else i]
            c = color(x + 0.5, y + 0.5) if fn else color
            amt = -(gx * lx + gy * ly) * strength
            amt = clamp(amt, -0.8, 0.8)
            c = lighten(c, amt) if amt > 0 else darken(c, -amt)
            self.put(x, y, c, m * opacity)

    def blit(self, src, dx, dy, opacity=1.0):
        for y in range(src.h):
            for x in range(src.w):
                i = y * src.w + x
                a = src.a[i] * opacity
                if a > 0:
                    self.put(x + dx, y + dy, (src.r[i], src.g[i], src.b[i]), a)

    def map(self, fn, x0=0, y0=0, x1=None, y1=None):
        """Replace colour c at (x, y) by fn(x, y, c)."""
        x1 = self.w if x1 is None else x1
        y1 = self.h if y1 is None else y1
        for y in range(max(0, y0), min(self.h, y1)):
            for x in range(max(0, x0), min(self.w, x1)):
                i = y * self.w + x
                c = fn(x, y, (self.r[i], self.g[i], self.b[i]))
                self.r[i], self.g[i], self.b[i] = c[0], c[1], c[2]

    def pixels(self):
        """Opaque 8-bit RGB tuples, row by row (top first)."""
        out = []
        for i in range(self.w * self.h):
            out.append((int(clamp(self.r[i] + 0.5, 0, 255)), int(clamp(self.g[i] + 0.5, 0, 255)),
                        int(clamp(self.b[i] + 0.5, 0, 255))))
        return out


def shape(cv, sdf, col, outline=None, ow=1.0, bevel=0.0, bstr=0.45, opacity=1.0):
    """Filled shape whose outermost ow pixels are an outline colour."""
    if outline is not None:
        cv.fill(sdf, outline, opacity)
        inner = sd_grow(sdf, -ow)
    else:
        inner = sdf
    if bevel > 0:
        cv.fill_bevel(inner, col, depth=bevel, strength=bstr, opacity=opacity)
    else:
        cv.fill(inner, col, opacity)


# ---------------------------------------------------------------------------
# Masks (coverage maps) for text effects
# ---------------------------------------------------------------------------


class Mask:
    def __init__(self, w, h, v=None):
        self.w, self.h = w, h
        self.v = v if v is not None else [0.0] * (w * h)

    def dilate(self, r):
        R = int(math.ceil(r))
        offs = []
        for dy in range(-R, R + 1):
            for dx in range(-R, R + 1):
                wt = clamp(r + 0.5 - math.hypot(dx, dy))
                if wt > 0:
                    offs.append((dx, dy, wt))
        w, h, v = self.w, self.h, self.v
        out = [0.0] * (w * h)
        for y in range(h):
            for x in range(w):
                m = 0.0
                for dx, dy, wt in offs:
                    xx, yy = x + dx, y + dy
                    if 0 <= xx < w and 0 <= yy < h:
                        s = v[yy * w + xx] * wt
                        if s > m:
                            m = s
                out[y * w + x] = m
        return Mask(w, h, out)

    def blur(self, r, passes=2):
        w, h = self.w, self.h
        v = self.v[:]
        R = int(r)
        if R < 1:
            return Mask(w, h, v)
        n = 2 * R + 1
        for _ in range(passes):
            t = [0.0] * (w * h)
            for y in range(h):
                row = y * w
                for x in range(w):
                    s = 0.0
                    for k in range(-R, R + 1):
                        xx = min(max(x + k, 0), w - 1)
                        s += v[row + xx]
                    t[row + x] = s / n
            v2 = [0.0] * (w * h)
            for y in range(h):
                for x in range(w):
                    s = 0.0
                    for k in range(-R, R + 1):
                        yy = min(max(y + k, 0), h - 1)
                        s += t[yy * w + x]
                    v2[y * w + x] = s / n
            v = v2
        return Mask(w, h, v)

    def shifted(self, dx, dy):
        w, h = self.w, self.h
        out = [0.0] * (w * h)
        for y in range(h):
            sy = y - dy
            if 0 <= sy < h:
                for x in range(w):
                    sx = x - dx
                    if 0 <= sx < w:
                        out[y * w + x] = self.v[sy * w + sx]
        return Mask(w, h, out)

    def minus(self, other):
        return Mask(self.w, self.h, [clamp(a - b) for a, b in zip(self.v, other.v)])


# ---------------------------------------------------------------------------
# Pixel fonts (our own): FONT5 is 5x7 with descenders, FONT3 is 3x5
# ---------------------------------------------------------------------------

_F5 = {
    'A': ".###. #...# #...# ##### #...# #...# #...#",
    'B': "####. #...# #...# ####. #...# #...# ####.",
    'C': ".###. #...# #.... #.... #.... #...# .###.",
    'D': "####. #...# #...# #...# #...# #...# ####.",
    'E': "##### #.... #.... ####. #.... #.... #####",
    'F': "##### #.... #.... ####. #.... #.... #....",
    'G': ".###. #...# #.... #.### #...# #...# .####",
    'H': "#...# #...# #...# ##### #...# #...# #...#",
    'I': "### .#. .#. .#. .#. .#. ###",
    'J': "..### ...#. ...#. ...#. #..#. #..#. .##..",
    'K': "#...# #..#. #.#.. ##... #.#.. #..#. #...#",
    'L': "#.... #.... #.... #.... #.... #.... #####",
    'M': "#...# ##.## #.#.# #.#.# #...# #...# #...#",
    'N': "#...# #...# ##..# #.#.# #..## #...# #...#",
    'O': ".###. #...# #...# #...# #...# #...# .###.",
    'P': "####. #...# #...# ####. #.... #.... #....",
    'Q': ".###. #...# #...# #...# #.#.# #..#. .##.#",
    'R': "####. #...# #...# ####. #.#.. #..#. #...#",
    'S': ".#### #.... #.... .###. ....# ....# ####.",
    'T': "##### ..#.. ..#.. ..#.. ..#.. ..#.. ..#..",
    'U': "#...# #...# #...# #...# #...# #...# .###.",
    'V': "#...# #...# #...# #...# #...# .#.#. ..#..",
    'W': "#...# #...# #...# #.#.# #.#.# #.#.# .#.#.",
    'X': "#...# #...# .#.#. ..#.. .#.#. #...# #...#",
    'Y': "#...# #...# .#.#. ..#.. ..#.. ..#.. ..#..",
    'Z': "##### ....# ...#. ..#.. .#... #.... #####",
    'a': "..... ..... .###. ....# .#### #...# .####",
    'b': "#.... #.... ####. #...# #...# #...# ####.",
    'c': "..... ..... .#### #.... #.... #.... .####",
    'd': "....# ....# .#### #...# #...# #...# .####",
    'e': "..... ..... .###. #...# ##### #.... .###.",
    'f': "..## .#.. #### .#.. .#.. .#.. .#..",
    'g': "..... ..... .#### #...# #...# #...# .#### ....# .###.",
    'h': "#.... #.... ####. #...# #...# #...# #...#",
    'i': "# . # # # # #",
    'j': "..# ... ..# ..# ..# ..# ..# ..# ##.",
    'k': "#... #... #..# #.#. ##.. #.#. #..#",
    'l': "#. #. #. #. #. #. .#",
    'm': "..... ..... ##.#. #.#.# #.#.# #.#.# #.#.#",
    'n': "..... ..... ####. #...# #...# #...# #...#",
    'o': "..... ..... .###. #...# #...# #...# .###.",
    'p': "..... ..... ####. #...# #...# #...# ####. #.... #....",
    'q': "..... ..... .#### #...# #...# #...# .#### ....# ....#",
    'r': ".... .... #.## ##.. #... #... #...",
    's': "..... ..... .#### #.... .###. ....# ####.",
    't': ".#.. .#.. #### .#.. .#.. .#.. ..##",
    'u': "..... ..... #...# #...# #...# #...# .####",
    'v': "..... ..... #...# #...# #...# .#.#. ..#..",
    'w': "..... ..... #...# #...# #.#.# #.#.# .#.#.",
    'x': "..... ..... #...# .#.#. ..#.. .#.#. #...#",
    'y': "..... ..... #...# #...# #...# #...# .#### ....# .###.",
    'z': "..... ..... ##### ...#. ..#.. .#... #####",
    '0': ".###. #...# #..## #.#.# ##..# #...# .###.",
    '1': "..#.. .##.. ..#.. ..#.. ..#.. ..#.. .###.",
    '2': ".###. #...# ....# ...#. ..#.. .#... #####",
    '3': "##### ...#. ..#.. ...#. ....# #...# .###.",
    '4': "...#. ..##. .#.#. #..#. ##### ...#. ...#.",
    '5': "##### #.... ####. ....# ....# #...# .###.",
    '6': "..##. .#... #.... ####. #...# #...# .###.",
    '7': "##### ....# ...#. ..#.. .#... .#... .#...",
    '8': ".###. #...# #...# .###. #...# #...# .###.",
    '9': ".###. #...# #...# .#### ....# ...#. .##..",
    '.': ". . . . . . #",
    ',': ". . . . . . # #",
    ':': ". . # . . # .",
    '!': "# # # # # . #",
    '?': ".###. #...# ....# ...#. ..#.. ..... ..#..",
    '-': ".... .... .... #### .... .... ....",
    '/': "....# ....# ...#. ..#.. .#... #.... #....",
    "'": "# # . . . . .",
    ' ': "... ... ... ... ... ... ...",
}

_F3 = {
    'A': ".#. #.# ### #.# #.#", 'B': "##. #.# ##. #.# ##.", 'C': ".## #.. #.. #.. .##",
    'D': "##. #.# #.# #.# ##.", 'E': "### #.. ##. #.. ###", 'F': "### #.. ##. #.. #..",
    'G': ".## #.. #.# #.# .##", 'H': "#.# #.# ### #.# #.#", 'I': "### .#. .#. .#. ###",
    'J': "..# ..# ..# #.# .#.", 'K': "#.# #.# ##. #.# #.#", 'L': "#.. #.. #.. #.. ###",
    'M': "#.# ### #.# #.# #.#", 'N': "##. #.# #.# #.# #.#", 'O': ".#. #.# #.# #.# .#.",
    'P': "##. #.# ##. #.. #..", 'Q': ".#. #.# #.# ##. .##", 'R': "##. #.# ##. #.# #.#",
    'S': ".## #.. .#. ..# ##.", 'T': "### .#. .#. .#. .#.", 'U': "#.# #.# #.# #.# ###",
    'V': "#.# #.# #.# #.# .#.", 'W': "#.# #.# ### ### #.#", 'X': "#.# #.# .#. #.# #.#",
    'Y': "#.# #.# .#. .#. .#.", 'Z': "### ..# .#. #.. ###",
    '0': "### #.# #.# #.# ###", '1': ".#. ##. .#. .#. ###", '2': "##. ..# .#. #.. ###",
    '3': "##. ..# .#. ..# ##.", '4': "#.# #.# ### ..# ..#", '5': "### #.. ##. ..# ##.",
    '6': ".## #.. ### #.# ###", '7': "### ..# .#. .#. .#.", '8': "### #.# ### #.# ###",
    '9': "### #.# ### ..# ##.", ':': ". # . # .", '-': "... ... ### ... ...",
    '.': ". . . . #", ' ': ".. .. .. .. ..", 'x': "... #.# .#. #.# ...",
    '>': "#.. .#. ..# .#. #..", '\\': "#.. #.. .#. ..# ..#", '<': "..# .#. #.. .#. ..#", '!': "# # # . #",
}


def _parse_font(src):
    return {ch: s.split(' ') for ch, s in src.items()}


FONT5 = _parse_font(_F5)
FONT3 = _parse_font(_F3)


def glyph(font, ch):
    return font.get(ch) or font.get(ch.upper()) or font[' ']


def text_width(text, font, scale=1, gap=None):
    gap = scale if gap is None else gap
    gl = [glyph(font, ch) for ch in text]
    return sum(len(g[0]) * scale for g in gl) + gap * (len(gl) - 1)


def text_cells(text, font, scale=1, gap=None):
    """Yields (x, y, size) for every lit font pixel, relative to the text origin."""
    gap = scale if gap is None else gap
    ox = 0
    for ch in text:
        g = glyph(font, ch)
        for row, line in enumerate(g):
            for col, bit in enumerate(line):
                if bit == '#':
                    yield ox + col * scale, row * scale
        ox += len(g[0]) * scale + gap


def draw_text(cv, x, y, text, font, color, scale=1, gap=None, opacity=1.0):
    for cx, cy in text_cells(text, font, scale, gap):
        cv.rect(x + cx, y + cy, x + cx + scale, y + cy + scale, color, opacity)


def text_mask(w, h, x, y, text, font, scale=1, gap=None, italic=0.0, ss=4):
    """Coverage mask of text; italic is the horizontal shear (pixels per pixel)."""
    on = set()
    for cx, cy in text_cells(text, font, scale, gap):
        for yy in range(scale):
            for xx in range(scale):
                on.add((cx + xx, cy + yy))
    tw = text_width(text, font, scale, gap)
    th = 9 * scale
    base = y + 7 * scale
    m = Mask(w, h)
    x_lo = int(x - abs(italic) * th - 1)
    x_hi = int(x + tw + abs(italic) * th + 2)
    inv = 1.0 / (ss * ss)
    for py in range(max(0, y - 1), min(h, y + th + 1)):
        for px in range(max(0, x_lo), min(w, x_hi)):
            c = 0
            for j in range(ss):
                sy = py + (j + 0.5) / ss
                gy = int(math.floor(sy - y))
                shear = italic * (base - sy)
                for i in range(ss):
                    sx = px + (i + 0.5) / ss - shear
                    if (int(math.floor(sx - x)), gy) in on:
                        c += 1
            if c:
                m.v[py * w + px] = c * inv
    return m


# ---------------------------------------------------------------------------
# Noise
# ---------------------------------------------------------------------------


def value_noise(w, h, cx, cy, seed, periodic=False):
    """Smooth value noise in [0,1] with cells of cx x cy pixels. If periodic,
    cx must divide w and cy must divide h and the result tiles seamlessly."""
    rnd = random.Random(seed)
    if periodic:
        gw, gh = int(round(w / cx)), int(round(h / cy))
    else:
        gw, gh = int(w / cx) + 2, int(h / cy) + 2
    grid = [[rnd.random() for _ in range(gw)] for _ in range(gh)]
    xs = []
    for x in range(w):
        f = x / cx
        i = int(f)
        t = f - i
        t = t * t * (3 - 2 * t)
        xs.append((i % gw, (i + 1) % gw, t))
    out = [0.0] * (w * h)
    for y in range(h):
        f = y / cy
        j = int(f)
        t = f - j
        ty = t * t * (3 - 2 * t)
        ra, rb = grid[j % gh], grid[(j + 1) % gh]
        row = y * w
        for x in range(w):
            i0, i1, tx = xs[x]
            a = ra[i0] + (ra[i1] - ra[i0]) * tx
            b = rb[i0] + (rb[i1] - rb[i0]) * tx
            out[row + x] = a + (b - a) * ty
    return out


def fbm(w, h, octaves, seed, periodic=False):
    """octaves: [(cell_x, cell_y, weight), ...]; result roughly in [0,1]."""
    tot = sum(o[2] for o in octaves)
    acc = [0.0] * (w * h)
    for k, (cx, cy, wt) in enumerate(octaves):
        n = value_noise(w, h, cx, cy, seed * 101 + k, periodic)
        f = wt / tot
        for i in range(w * h):
            acc[i] += n[i] * f
    return acc


BAYER4 = [[0, 8, 2, 10], [12, 4, 14, 6], [3, 11, 1, 9], [15, 7, 13, 5]]


def bayer(x, y):
    return (BAYER4[y & 3][x & 3] + 0.5) / 16.0


# ---------------------------------------------------------------------------
# Writers: BMP 24 / BMP 8 / ICO / PNG
# ---------------------------------------------------------------------------


def _bmp_headers(w, h, bpp, ncol):
    row = ((w * bpp + 31) // 32) * 4
    off = 14 + 40 + ncol * 4
    fh = struct.pack('<2sIHHI', b'BM', off + row * h, 0, 0, off)
    ih = struct.pack('<IiiHHIIiiII', 40, w, h, 1, bpp, 0, row * h, 2835, 2835, ncol, 0)
    return fh + ih, row


def write_bmp24(path, w, h, pix):
    head, row = _bmp_headers(w, h, 24, 0)
    pad = b'\0' * (row - w * 3)
    out = bytearray(head)
    for y in range(h - 1, -1, -1):
        for x in range(w):
            r, g, b = pix[y * w + x]
            out += bytes((b, g, r))
        out += pad
    _write(path, out)


def write_bmp8(path, w, h, palette, idx):
    head, row = _bmp_headers(w, h, 8, 256)
    out = bytearray(head)
    pal = list(palette) + [(0, 0, 0)] * (256 - len(palette))
    for r, g, b in pal:
        out += bytes((b, g, r, 0))
    pad = b'\0' * (row - w)
    for y in range(h - 1, -1, -1):
        out += bytes(idx[y * w:(y + 1) * w]) + pad
    _write(path, out)


def write_ico(path, images):
    """images: list of (size, pixels) with pixels a list of (r,g,b) or None
    (transparent). Each becomes an 8-bit palettised image with AND mask."""
    blobs = []
    for size, pix in images:
        opaque = [p for p in pix if p is not None]
        palette = [(0, 0, 0)] + median_cut(count_colours(opaque), 255)
        near = {}
        idx = []
        for p in pix:
            if p is None:
                idx.append(0)
            else:
                if p not in near:
                    near[p] = nearest(palette, p, 1)
                idx.append(near[p])
        xor_row = ((size * 8 + 31) // 32) * 4
        and_row = ((size + 31) // 32) * 4
        data = bytearray(struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 8, 0,
                                     (xor_row + and_row) * size, 0, 0, 256, 0))
        pal = palette + [(0, 0, 0)] * (256 - len(palette))
        for r, g, b in pal:
            data += bytes((b, g, r, 0))
        for y in range(size - 1, -1, -1):
            data += bytes(idx[y * size:(y + 1) * size]) + b'\0' * (xor_row - size)
        for y in range(size - 1, -1, -1):
            bits = bytearray(and_row)
            for x in range(size):
                if pix[y * size + x] is None:
                    bits[x >> 3] |= 0x80 >> (x & 7)
            data += bits
        blobs.append((size, bytes(data)))
    out = bytearray(struct.pack('<HHH', 0, 1, len(blobs)))
    offset = 6 + 16 * len(blobs)
    for size, data in blobs:
        out += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 8, len(data), offset)
        offset += len(data)
    for size, data in blobs:
        out += data
    _write(path, out)


def write_png(path, w, h, pix):
    raw = bytearray()
    for y in range(h):
        raw.append(0)
        for x in range(w):
            raw += bytes(pix[y * w + x])

    def chunk(tag, data):
        c = struct.pack('>I', len(data)) + tag + data
        return c + struct.pack('>I', zlib.crc32(tag + data) & 0xffffffff)
    png = b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', w, h, 8, 2, 0, 0, 0))
    png += chunk(b'IDAT', zlib.compress(bytes(raw), 9)) + chunk(b'IEND', b'')
    _write(path, png)


WRITTEN = []


def _write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, 'wb') as f:
        f.write(data)
    WRITTEN.append((path, len(data)))


# ---------------------------------------------------------------------------
# Colour quantisation (median cut + Floyd-Steinberg)
# ---------------------------------------------------------------------------


def count_colours(pix):
    h = {}
    for p in pix:
        h[p] = h.get(p, 0) + 1
    return list(h.items())


def median_cut(hist, n):
    """hist: [((r,g,b), count)]. Returns up to n colours, splitting the box
    with the largest squared error first."""
    if len(hist) <= n:
        return [c for c, _ in sorted(hist)]

    def stats(box):
        cnt = 0
        s = [0.0, 0.0, 0.0]
        q = [0.0, 0.0, 0.0]
        for c, k in box:
            cnt += k
            for ch in range(3):
                s[ch] += c[ch] * k
                q[ch] += c[ch] * c[ch] * k
        var = [q[ch] - s[ch] * s[ch] / cnt for ch in range(3)]
        return cnt, s, var
    boxes = [(hist, stats(hist))]
    while len(boxes) < n:
        best, bi = -1, -1
        for i, (box, st) in enumerate(boxes):
            if len(box) > 1 and sum(st[2]) > best:
                best, bi = sum(st[2]), i
        if bi < 0:
            break
        box, st = boxes.pop(bi)
        ch = max(range(3), key=lambda c: st[2][c])
        box = sorted(box, key=lambda e: e[0][ch])
        half = st[0] / 2.0
        acc = 0
        cut = 1
        for i, (c, k) in enumerate(box):
            acc += k
            if acc >= half:
                cut = min(max(i + 1, 1), len(box) - 1)
                break
        a, b = box[:cut], box[cut:]
        boxes.append((a, stats(a)))
        boxes.append((b, stats(b)))
    pal = []
    for box, (cnt, s, _) in boxes:
        pal.append(tuple(int(clamp(s[ch] / cnt + 0.5, 0, 255)) for ch in range(3)))
    return sorted(set(pal))


def nearest(palette, c, start=0):
    best, bi = 1e18, start
    r, g, b = c
    for i in range(start, len(palette)):
        p = palette[i]
        d = (p[0] - r) ** 2 * 3 + (p[1] - g) ** 2 * 4 + (p[2] - b) ** 2 * 2
        if d < best:
            best, bi = d, i
    return bi


def quantize(w, h, pix, ncol=256):
    """Median-cut palette plus Floyd-Steinberg dithering. Returns (palette, indices)."""
    hist = {}
    for r, g, b in pix:
        k = (r >> 1 << 1, g >> 1 << 1, b >> 1 << 1)
        hist[k] = hist.get(k, 0) + 1
    palette = median_cut(list(hist.items()), ncol)
    cache = {}
    idx = [0] * (w * h)
    err = [[0.0] * (3 * (w + 2)) for _ in range(2)]
    for y in range(h):
        cur, nxt = err[y & 1], err[(y + 1) & 1]
        for i in range(len(nxt)):
            nxt[i] = 0.0
        for x in range(w):
            p = pix[y * w + x]
            e = 3 * (x + 1)
            r = clamp(p[0] + cur[e], 0, 255)
            g = clamp(p[1] + cur[e + 1], 0, 255)
            b = clamp(p[2] + cur[e + 2], 0, 255)
            key = (int(r) >> 1, int(g) >> 1, int(b) >> 1)
            k = cache.get(key)
            if k is None:
                k = nearest(palette, (key[0] * 2 + 1, key[1] * 2 + 1, key[2] * 2 + 1))
                cache[key] = k
            idx[y * w + x] = k
            q = palette[k]
            er, eg, eb = r - q[0], g - q[1], b - q[2]
            cur[e + 3] += er * 0.4375
            cur[e + 4] += eg * 0.4375
            cur[e + 5] += eb * 0.4375
            nxt[e - 3] += er * 0.1875
            nxt[e - 2] += eg * 0.1875
            nxt[e - 1] += eb * 0.1875
            nxt[e] += er * 0.3125
            nxt[e + 1] += eg * 0.3125
            nxt[e + 2] += eb * 0.3125
            nxt[e + 3] += er * 0.0625
            nxt[e + 4] += eg * 0.0625
            nxt[e + 5] += eb * 0.0625
    return palette, idx


# ---------------------------------------------------------------------------
# Output helpers
# ---------------------------------------------------------------------------

PNG_DIR = None


def _png_copy(name, w, h, pix):
    if PNG_DIR:
        write_png(os.path.join(PNG_DIR, name + '.png'), w, h, pix)


def save24(path, cv):
    pix = cv.pixels()
    write_bmp24(path, cv.w, cv.h, pix)
    _png_copy(os.path.basename(path), cv.w, cv.h, pix)


def save8(path, cv):
    pix = cv.pixels()
    pal, idx = quantize(cv.w, cv.h, pix)
    write_bmp8(path, cv.w, cv.h, pal, idx)
    _png_copy(os.path.basename(path), cv.w, cv.h, [pal[i] for i in idx])


WHITE = (255, 255, 255)


def keyed_pixels(cv):
    """Transparent -> pure white; opaque colours never pure white."""
    out = []
    for i in range(cv.w * cv.h):
        if cv.a[i] < 0.5:
            out.append(WHITE)
        else:
            out.append((int(clamp(cv.r[i] + 0.5, 0, 250)), int(clamp(cv.g[i] + 0.5, 0, 250)),
                        int(clamp(cv.b[i] + 0.5, 0, 250))))
    return out


def save_keyed(path, cv):
    pix = keyed_pixels(cv)
    write_bmp24(path, cv.w, cv.h, pix)
    _png_copy(os.path.basename(path), cv.w, cv.h, pix)


def save_ico(path, canvases):
    images = []
    for cv in canvases:
        pix = []
        for i in range(cv.w * cv.h):
            if cv.a[i] < 0.5:
                pix.append(None)
            else:
                pix.append((int(clamp(cv.r[i] + 0.5, 0, 255)), int(clamp(cv.g[i] + 0.5, 0, 255)),
                            int(clamp(cv.b[i] + 0.5, 0, 255))))
        images.append((cv.w, pix))
        if PNG_DIR:
            write_png(os.path.join(PNG_DIR, '%s-%d.png' % (os.path.basename(path), cv.w)), cv.w, cv.h,
                      [p if p is not None else (255, 0, 255) for p in pix])
    write_ico(path, images)


def sheet(cells, size):
    """Puts equally sized transparent canvases side by side."""
    out = Canvas(size * len(cells), size, WHITE, 0.0)
    for k, c in enumerate(cells):
        for y in range(size):
            for x in range(size):
                i = y * size + x
                j = y * out.w + k * size + x
                out.r[j], out.g[j], out.b[j], out.a[j] = c.r[i], c.g[i], c.b[i], c.a[i]
    return out


def icon_canvas(size):
    return Canvas(size, size, (0, 0, 0), 0.0)

# ---------------------------------------------------------------------------
# Pictograms. Each draws into a box at (x0, y0) of s x s pixels; the design
# grid is 16 (or 32) units, so 16 and 32 pixel versions land on whole pixels.
# ---------------------------------------------------------------------------


def _grid(x0, y0, s, units):
    k = s / float(units)
    return (lambda v: x0 + v * k), (lambda v: y0 + v * k), k


def draw_floppy(cv, x0, y0, s, body=(44, 86, 190), label=(248, 246, 236), stripe=(220, 64, 48)):
    X, Y, k = _grid(x0, y0, s, 16)
    out = darken(body, 0.62)
    ch = 2.5 * k
    body_sd = sd_poly([(X(0), Y(0)), (X(16) - ch, Y(0)), (X(16), Y(0) + ch), (X(16), Y(16)), (X(0), Y(16))])
    shape(cv, body_sd, vgrad(Y(0), Y(16), lighten(body, 0.25), darken(body, 0.10)), out, 1.0,
          bevel=max(1.2, 1.4 * k), bstr=0.35)
    # metal shutter with its slot
    shape(cv, sd_box(X(4), Y(0), X(12), Y(6)), hgrad(X(4), X(12), (236, 238, 242), (196, 200, 208), (140, 146, 158)),
          (70, 74, 86), 1.0)
    cv.fill(sd_box(X(9), Y(1) + 0.5 * k, X(10.5), Y(5)), (56, 60, 74))
    # label with a coloured top stripe and ruled lines
    lab = sd_box(X(2.5) if k > 1.2 else X(3), Y(8), X(13.5) if k > 1.2 else X(13), Y(15))
    cv.fill(lab, vgrad(Y(8), Y(15), label, darken(label, 0.08)))
    lx0 = lab.bb[0]
    lx1 = lab.bb[2]
    cv.fill(sd_box(lx0, Y(8), lx1, Y(8) + max(1.0, k)), stripe)
    ly = Y(10) + max(1.0, k) * 0.5
    while ly < Y(14.5) - 0.5:
        cv.fill(sd_box(lx0 + k, ly, lx1 - k, ly + max(1.0, 0.6 * k)), (150, 170, 215))
        ly += 2 * k
    if s >= 24:
        cv.fill(sd_box(X(0.8) + 0.5, Y(13.6), X(1.8) + 0.5, Y(14.6)), darken(body, 0.7))


def draw_tick(cv, pts, w, col=(50, 196, 40), out=(0, 86, 0)):
    ys = [p[1] for p in pts]
    shape(cv, sd_path(pts, w + 2), vgrad(min(ys), max(ys), lighten(col, 0.45), col, darken(col, 0.2)),
          out, 1.0, bevel=1.3, bstr=0.4)


def draw_cross(cv, cx, cy, r, w, col=(230, 36, 30), out=(112, 0, 0)):
    sd = sd_union(sd_seg(cx - r, cy - r, cx + r, cy + r, w + 2), sd_seg(cx - r, cy + r, cx + r, cy - r, w + 2))
    shape(cv, sd, vgrad(cy - r, cy + r, lighten(col, 0.4), col, darken(col, 0.15)), out, 1.0)


def draw_folder(cv, x0, y0, s, col=(252, 206, 70), out=(122, 86, 8)):
    X, Y, k = _grid(x0, y0, s, 16)
    back = sd_union(sd_box(X(0), Y(1), X(7), Y(5), r=0.8 * k), sd_box(X(0), Y(3), X(16), Y(15)))
    shape(cv, back, darken(col, 0.2), out, 1.0)
    front = sd_box(X(0), Y(5), X(16), Y(15))
    shape(cv, front, vgrad(Y(5), Y(15), lighten(col, 0.45), col, darken(col, 0.1)), out, 1.0,
          bevel=1.2 * k, bstr=0.3)


def draw_page(cv, x0, y0, x1, y1, fold, lines=2.0, paper=(250, 250, 244), out=(92, 96, 110),
              line_col=(120, 134, 176), margin=None):
    poly = sd_poly([(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)])
    shape(cv, poly, lin_grad(x0, y0, x1, y1, [(0, paper), (1, darken(paper, 0.1))]), out, 1.0)
    shape(cv, sd_poly([(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)]),
          lin_grad(x1 - fold, y0, x1, y0 + fold, [(0, (236, 238, 244)), (1, (186, 190, 204))]), out, 1.0)
    if lines:
        m = margin if margin is not None else max(2, round((x1 - x0) * 0.18))
        yy = y0 + fold + 1
        n = 0
        while yy + 1 <= y1 - 2:
            right = x1 - m - (3 if n % 3 == 2 else 0)
            cv.rect(int(x0 + m), int(yy), int(right), int(yy + 1), line_col)
            yy += lines
            n += 1


def draw_warning(cv, cx, top, size):
    h = size * 0.88
    r = max(0.8, size * 0.08)
    tri = sd_grow(sd_poly([(cx, top + r * 1.6), (cx + size / 2 - r * 1.4, top + h - r),
                           (cx - size / 2 + r * 1.4, top + h - r)]), r)
    shape(cv, tri, vgrad(top, top + h, (255, 242, 120), (250, 200, 30), (226, 146, 0)), (104, 64, 0), 1.0)
    k = size / 10.0
    if size < 12:
        x = int(round(cx - 0.5))
        cv.rect(x, int(top + h * 0.38), x + 1, int(top + h * 0.70), (30, 20, 0))
        cv.rect(x, int(top + h * 0.78), x + 1, int(top + h * 0.78) + 1, (30, 20, 0))
    else:
        cv.fill(sd_seg(cx, top + h * 0.38, cx, top + h * 0.64, 1.5 * k), (30, 20, 0))
        cv.fill(sd_circle(cx, top + h * 0.80, 0.85 * k), (30, 20, 0))


def draw_star(cv, cx, cy, ro, ri=None):
    ri = ri or ro * 0.47
    sd = sd_grow(sd_poly(star_pts(cx, cy, ro - 0.6, ri - 0.3)), 0.6)
    shape(cv, sd, rad_grad(cx - ro * 0.25, cy - ro * 0.35, ro * 1.4, (255, 252, 200), (255, 214, 40), (228, 136, 8)),
          (150, 78, 0), 1.0, bevel=max(1.5, ro * 0.25), bstr=0.5)


def draw_info(cv, cx, cy, r, col=(40, 112, 226)):
    shape(cv, sd_circle(cx, cy, r), sphere_col(cx, cy, r, col), darken(col, 0.68), 1.0)
    white = (250, 250, 250)
    if r < 10:
        x = int(cx) - 1
        y = int(cy - r)
        cv.rect(x, y + 3, x + 2, y + 5, white)
        cv.rect(x, y + 6, x + 2, y + 12, white)
        cv.rect(x - 1, y + 6, x, y + 7, white)
        cv.rect(x - 1, y + 11, x + 3, y + 12, white)
    else:
        k = r / 7.0
        cv.fill(sd_circle(cx, cy - 3.6 * k, 1.3 * k), white)
        cv.fill(sd_box(cx - 1.1 * k, cy - 1.4 * k, cx + 1.1 * k, cy + 4.6 * k), white)
        cv.fill(sd_box(cx - 2.3 * k, cy - 1.4 * k, cx, cy - 0.5 * k), white)
        cv.fill(sd_box(cx - 2.3 * k, cy + 3.7 * k, cx + 2.3 * k, cy + 4.6 * k), white)


def draw_clock(cv, cx, cy, r):
    shape(cv, sd_circle(cx, cy, r), sphere_col(cx, cy, r, (250, 146, 24)), (128, 58, 0), 1.0)
    fr = r * 0.66
    cv.fill(sd_circle(cx, cy, fr), rad_grad(cx - fr * 0.3, cy - fr * 0.3, fr * 1.5, (255, 252, 238), (232, 222, 196)))
    cv.fill(sd_ring(sd_circle(cx, cy, fr), 0.8), (170, 90, 20), 0.7)
    hw = max(1.0, r * 0.14)
    if r >= 10:
        for i in range(12):
            a = i * math.pi / 6
            cv.fill(sd_circle(cx + math.cos(a) * fr * 0.8, cy + math.sin(a) * fr * 0.8, 0.6), (90, 60, 40))
    cv.fill(sd_seg(cx, cy, cx, cy - fr * 0.78, hw), (40, 30, 30))
    cv.fill(sd_seg(cx, cy, cx + fr * 0.55, cy + fr * 0.1, hw), (40, 30, 30))
    cv.fill(sd_circle(cx, cy, hw * 0.8), (200, 40, 20))


def draw_question(cv, cx, cy, s, col=(190, 192, 198)):
    k = s / 16.0
    ax, ay = cx, cy - 2.4 * k
    R = 3.3 * k
    th = 2.6 * k
    ring = sd_ring(sd_circle(ax, ay, R), th + 2)
    arc = sd_sub(ring, sd_box(ax - 10 * k, ay + 0.2 * k, ax, ay + 10 * k))
    stem = sd_seg(ax, ay + R, ax, ay + R + 1.8 * k, th + 2)
    dot = sd_circle(ax, ay + R + 4.7 * k, 1.4 * k + 1)
    sd = sd_union(arc, stem, dot)
    shape(cv, sd, vgrad(cy - 7 * k, cy + 7 * k, lighten(col, 0.4), col, darken(col, 0.25)),
          (64, 64, 72), 1.0, bevel=1.4, bstr=0.5)


def draw_joystick(cv, x0, y0, s):
    X, Y, k = _grid(x0, y0, s, 32)
    shape(cv, sd_box(X(3), Y(21), X(29), Y(30), r=3 * k), vgrad(Y(21), Y(30), (130, 134, 148), (50, 52, 62)),
          (22, 22, 28), 1.0, bevel=2 * k, bstr=0.4)
    cv.fill(sd_box(X(6), Y(22.5), X(26), Y(25.5), r=1.5 * k), vgrad(Y(22), Y(26), (170, 174, 188), (110, 114, 128)))
    shape(cv, sd_circle(X(23.5), Y(24), 2.6 * k), sphere_col(X(23.5), Y(24), 2.6 * k, (40, 200, 60)),
          (0, 70, 10), 1.0)
    cv.fill(sd_ellipse(X(14), Y(24), 4.5 * k, 2.0 * k), (30, 30, 36))
    shape(cv, sd_seg(X(14), Y(24), X(12.5), Y(10), 3.2 * k), hgrad(X(11), X(16), (150, 150, 160), (60, 60, 70), (20, 20, 26)),
          (10, 10, 14), 0.8 * k if k > 0.6 else 0.0)
    shape(cv, sd_circle(X(12.5), Y(8.5), 5.8 * k), sphere_col(X(12.5), Y(8.5), 5.8 * k, (226, 30, 30)),
          (100, 0, 0), 1.0)


def draw_building(cv, x0, y0, s):
    X, Y, k = _grid(x0, y0, s, 32)
    cv.fill(sd_box(X(1), Y(28), X(31), Y(31), r=1), vgrad(Y(28), Y(31), (120, 170, 90), (70, 120, 50)))
    # low building behind
    shape(cv, sd_box(X(3), Y(12), X(13), Y(30)), hgrad(X(3), X(13), (196, 190, 176), (150, 144, 130)),
          (70, 64, 56), 1.0, bevel=1.5, bstr=0.3)
    for yy in range(14, 28, 3):
        for xx in (5, 9):
            cv.fill(sd_box(X(xx), Y(yy), X(xx + 2), Y(yy + 1.5)), (90, 100, 120))
    # glass tower
    shape(cv, sd_box(X(11), Y(4), X(27), Y(30)), hgrad(X(11), X(27), (120, 170, 230), (70, 120, 200), (36, 70, 150)),
          (16, 32, 80), 1.0, bevel=2, bstr=0.35)
    rnd = random.Random(7)
    for yy in range(7, 24, 3):
        for xx in range(13, 25, 4):
            lit = rnd.random() < 0.3
            cv.fill(sd_box(X(xx), Y(yy), X(xx + 2.5), Y(yy + 1.6)),
                    (255, 232, 120) if lit else (190, 220, 250))
    shape(cv, sd_box(X(15), Y(1), X(23), Y(4.5)), (120, 126, 140), (40, 44, 56), 1.0)
    cv.fill(sd_seg(X(19), Y(1), X(19), Y(-2), 1.0), (60, 60, 70))
    shape(cv, sd_box(X(16), Y(24.5), X(22), Y(30)), vgrad(Y(24), Y(30), (90, 70, 50), (50, 36, 24)), (30, 20, 10), 1.0)


def _tag_sd(cx, cy, L, H, ang):
    pts = [(cx - L / 2, cy), (cx - L / 2 + H / 2, cy - H / 2), (cx + L / 2, cy - H / 2),
           (cx + L / 2, cy + H / 2), (cx - L / 2 + H / 2, cy + H / 2)]
    body = sd_grow(sd_poly([(x if x > cx - L / 2 + 1 else x + 1, y) for x, y in pts]), 0.0)
    hole = sd_circle(cx - L / 2 + H * 0.55, cy, H * 0.15)
    return sd_rot(sd_sub(body, hole), cx, cy, ang), sd_rot(hole, cx, cy, ang)


def draw_tags(cv, x0, y0, s):
    X, Y, k = _grid(x0, y0, s, 32)
    for cx, cy, ang, col in ((18.5, 11, -0.45, (250, 160, 40)), (15, 20, -0.15, (70, 186, 90))):
        sd, hole = _tag_sd(X(cx), Y(cy), 24 * k, 11 * k, ang)
        shape(cv, sd, lin_grad(X(cx), Y(cy - 6), X(cx), Y(cy + 6), [(0, lighten(col, 0.35)), (1, darken(col, 0.12))]),
              darken(col, 0.62), 1.0, bevel=1.6 * k, bstr=0.4)
        cv.fill(sd_ring(hole, 1.0), darken(col, 0.55))
        # two ruled "text" lines
        for dy, l in ((-1.6, 9), (1.6, 6.5)):
            ln = sd_rot(sd_box(X(cx - 3), Y(cy + dy) - 0.5 * k, X(cx - 3 + l), Y(cy + dy) + 0.5 * k + 0.4), X(cx), Y(cy), ang)
            cv.fill(ln, darken(col, 0.45), 0.75)


def draw_globe(cv, cx, cy, r):
    def col(x, y):
        u, v = (x - cx) / r, (y - cy) / r
        n = 0.0
        for bx, by, br in ((-0.50, -0.30, 0.36), (-0.32, 0.40, 0.28), (0.36, -0.36, 0.30),
                           (0.42, 0.32, 0.26), (0.02, -0.80, 0.20), (0.80, -0.02, 0.18)):
            n += math.exp(-((u - bx) ** 2 + (v - by) ** 2) / (br * br))
        n += 0.18 * math.sin(u * 9.0 + v * 4.0) + 0.12 * math.sin(v * 11.0 - u * 3.0)
        t = smoothstep(0.56, 0.68, n)
        base = mix((36, 110, 220), (70, 176, 60), t)
        d = math.hypot(u + 0.38, v + 0.42) / 1.25
        if d < 0.35:
            return lighten(base, 0.55 * (1 - d / 0.35) ** 1.5)
        return darken(base, 0.5 * smoothstep(0.35, 1.15, d))
    circ = sd_circle(cx, cy, r)
    shape(cv, circ, col, (10, 40, 100), 1.0)
    inner = sd_grow(circ, -1.0)
    lw = 0.8 if r < 10 else 1.0
    for rx in (r * 0.45, r * 0.85):
        cv.fill(sd_inter(sd_ring(sd_ellipse(cx, cy, rx, r), lw), inner), (225, 240, 255), 0.45)
    cv.fill(sd_inter(sd_box(cx - r, cy - lw / 2, cx + r, cy + lw / 2), inner), (225, 240, 255), 0.45)
    cv.fill(sd_inter(sd_box(cx - lw / 2, cy - r, cx + lw / 2, cy + r), inner), (225, 240, 255), 0.45)
    if r >= 10:
        for yy in (-0.5, 0.5):
            cv.fill(sd_inter(sd_ring(sd_ellipse(cx, cy + yy * r * 0.95, r * 0.9, r * 0.28), lw), inner),
                    (225, 240, 255), 0.3)


def draw_documents(cv, x0, y0, s):
    X, Y, k = _grid(x0, y0, s, 32)
    draw_page(cv, X(10), Y(1), X(29), Y(24), 5 * k, 2 * k, paper=(236, 240, 250), line_col=(160, 170, 200))
    draw_page(cv, X(3), Y(7), X(22), Y(31), 5 * k, 2 * k)
    cv.fill(sd_box(X(6), Y(9), X(13), Y(11)), (200, 60, 50))


def draw_shortcut_arrow(cv, x0, y0, s, box=True):
    X, Y, k = _grid(x0, y0, s, 12)
    if box:
        shape(cv, sd_box(X(0), Y(0), X(12), Y(12)), (248, 248, 248), (0, 0, 0), 1.0)
    arc = quad_pts((X(3.2), Y(10)), (X(3.2), Y(5.2)), (X(7.5), Y(5.2)), 8)
    cv.fill(sd_path(arc, 2.0 * k), (0, 0, 0))
    cv.fill(sd_poly([(X(6.8), Y(1.6)), (X(10.4), Y(5.2)), (X(6.8), Y(8.8))]), (0, 0, 0))


def draw_monitor(cv, x0, y0, s, screen=None):
    X, Y, k = _grid(x0, y0, s, 32)
    shape(cv, sd_box(X(8), Y(27), X(24), Y(30.5), r=1.2 * k), vgrad(Y(27), Y(31), (214, 208, 190), (150, 144, 126)),
          (70, 66, 56), 1.0)
    cv.fill(sd_box(X(12), Y(23), X(20), Y(28)), vgrad(Y(23), Y(28), (120, 116, 100), (170, 164, 146)))
    shape(cv, sd_box(X(1), Y(2), X(31), Y(24), r=2 * k), vgrad(Y(2), Y(24), (232, 228, 212), (188, 182, 162)),
          (72, 68, 58), 1.0, bevel=2 * k, bstr=0.45)
    shape(cv, sd_box(X(4), Y(5), X(28), Y(20.5)), screen or vgrad(Y(5), Y(21), (20, 160, 160), (0, 104, 112)),
          (60, 58, 50), 1.0)


def draw_desktop_shortcut(cv, x0, y0, s):
    X, Y, k = _grid(x0, y0, s, 32)
    draw_monitor(cv, x0, y0, s)
    for i in range(2):
        cv.fill(sd_box(X(21), Y(7 + i * 6), X(25), Y(10 + i * 6)), (238, 236, 200) if i else (250, 220, 90))
    draw_shortcut_arrow(cv, X(1), Y(16), 14 * k)


def draw_bubble(cv, x0, y0, s, col=(255, 240, 170)):
    X, Y, k = _grid(x0, y0, s, 32)
    body = sd_box(X(1), Y(3), X(31), Y(23), r=7 * k)
    tail = sd_poly([(X(7), Y(19)), (X(4), Y(30)), (X(17), Y(20))])
    shape(cv, sd_union(body, tail), vgrad(Y(3), Y(28), (255, 254, 236), col, darken(col, 0.08)), (124, 110, 44), 1.0,
          bevel=1.5 * k if k > 0.6 else 1.0, bstr=0.35)
    lc = (110, 116, 150)
    if k > 0.6:
        for yy, l in ((8.5, 20), (12.5, 16), (16.5, 11)):
            cv.fill(sd_seg(X(7), Y(yy), X(7 + l), Y(yy), 1.6 * k), lc)
    else:
        for yy, l in ((5, 8), (7, 6), (9, 4)):
            cv.rect(int(x0 + 4), int(y0 + yy), int(x0 + 4 + l), int(y0 + yy + 1), lc)


def draw_pencil(cv, ax, ay, bx, by, w, outline=(40, 30, 20)):
    L = math.hypot(bx - ax, by - ay)
    ux, uy = (bx - ax) / L, (by - ay) / L
    nx, ny = -uy, ux
    hw = w / 2.0
    tipL = w * 1.45

    def P(u, v):
        return (ax + ux * u + nx * v, ay + uy * u + ny * v)
    eras = L - w * 0.9
    ferr = L - w * 1.7
    poly = sd_poly([P(0, 0), P(tipL, -hw), P(L - hw * 0.5, -hw), P(L, -hw * 0.5), P(L, hw * 0.5),
                    P(L - hw * 0.5, hw), P(tipL, hw)])

    def col(x, y):
        u = (x - ax) * ux + (y - ay) * uy
        v = (x - ax) * nx + (y - ay) * ny
        f = v / hw
        if u < tipL * 0.38:
            return (60, 60, 70)
        if u < tipL:
            return mix((246, 214, 166), (200, 160, 110), clamp((f + 1) / 2))
        if u < ferr:
            return (255, 226, 96) if f < -0.33 else (244, 188, 24) if f < 0.33 else (204, 140, 8)
        if u < eras:
            band = int((u - ferr) / max(1.0, w * 0.25)) % 2
            base = (214, 218, 226) if band else (160, 166, 178)
            return lighten(base, 0.3) if f < -0.3 else darken(base, 0.2) if f > 0.4 else base
        return mix((250, 160, 170), (200, 90, 100), clamp((f + 1) / 2))
    shape(cv, poly, col, outline, 1.0)


def draw_picture(cv, x0, y0, s):
    X, Y, k = _grid(x0, y0, s, 16)
    shape(cv, sd_box(X(0), Y(1), X(16), Y(15)), lin_grad(X(0), Y(1), X(16), Y(15), [(0, (214, 160, 90)), (1, (140, 86, 36))]),
          (70, 42, 16), 1.0)
    inner = sd_box(X(2), Y(3), X(14), Y(13))
    cv.fill(inner, vgrad(Y(3), Y(13), (90, 160, 240), (200, 230, 255)))
    cv.fill(sd_circle(X(10.5), Y(5.8), 1.6 * k), (255, 220, 60))
    cv.fill(sd_inter(sd_poly([(X(1), Y(13.5)), (X(5.5), Y(7)), (X(8.5), Y(10.5)), (X(10.5), Y(8.5)), (X(15), Y(13.5))]),
                     inner), vgrad(Y(7), Y(13), (90, 190, 80), (30, 120, 40)))


def draw_key(cv, x0, y0, s):
    X, Y, k = _grid(x0, y0, s, 16)
    bow = sd_sub(sd_circle(X(4.5), Y(8), 4.0 * k), sd_circle(X(3.6), Y(8), 1.3 * k))
    shaft = sd_box(X(7.5), Y(6.5), X(16), Y(9.5))
    teeth = sd_union(sd_box(X(10), Y(8), X(12), Y(12.5)), sd_box(X(13), Y(8), X(15.5), Y(11.5)))
    shape(cv, sd_union(bow, shaft, teeth), vgrad(Y(4), Y(13), (255, 240, 150), (240, 190, 40), (180, 120, 10)),
          (108, 66, 0), 1.0, bevel=1.2 * k, bstr=0.45)


def draw_window(cv, x0, y0, s):
    X, Y, k = _grid(x0, y0, s, 16)
    shape(cv, sd_box(X(0), Y(1), X(16), Y(15)), (232, 232, 236), (30, 30, 50), 1.0)
    cv.fill(sd_box(X(1), Y(2), X(15), Y(5)), hgrad(X(1), X(15), (0, 0, 130), (20, 120, 210)))
    cv.fill(sd_box(X(12.5), Y(2.5), X(14.5), Y(4.5)), (200, 200, 204))
    cv.fill(sd_box(X(2.5), Y(6.5), X(13.5), Y(13.5)), (250, 250, 250))
    cv.fill(sd_box(X(3.5), Y(7.5), X(8), Y(10)), (40, 150, 60))
    cv.fill(sd_box(X(8.5), Y(10.5), X(12.5), Y(12.5)), (220, 80, 40))


def draw_datafile(cv, x0, y0, s):
    X, Y, k = _grid(x0, y0, s, 16)
    draw_page(cv, X(2), Y(0), X(14), Y(16), 4 * k, 0)
    cv.fill(sd_box(X(4), Y(5), X(12), Y(7)), (40, 90, 190))
    for yy in (8, 10, 12):
        for xx in (4, 7, 10):
            cv.fill(sd_box(X(xx), Y(yy), X(xx + 2), Y(yy + 1)), (130, 140, 170) if (xx + yy) % 3 else (40, 150, 70))


def draw_gear(cv, cx, cy, R, teeth=8, col=(150, 166, 190), Rt=None, tw=None, hole=None):
    Rt = Rt or R * 1.28
    tw = tw or R * 0.52
    hole = hole or R * 0.38
    parts = [sd_circle(cx, cy, R)]
    for i in range(teeth):
        parts.append(sd_rot(sd_box(cx - tw / 2, cy - Rt, cx + tw / 2, cy, r=tw * 0.18), cx, cy,
                            2 * math.pi * (i + 0.5 * (teeth == 6)) / teeth))
    g = sd_sub(sd_union(*parts), sd_circle(cx, cy, hole))
    shape(cv, g, lin_grad(cx - Rt, cy - Rt, cx + Rt, cy + Rt, [(0, (236, 242, 250)), (0.5, col), (1, darken(col, 0.4))]),
          (34, 40, 56), 1.0, bevel=max(1.2, R * 0.2), bstr=0.55)
    if R > 7:
        cv.fill(sd_ring(sd_circle(cx, cy, R * 0.62), max(0.8, R * 0.1)), darken(col, 0.35), 0.6)


def draw_play(cv, x0, y0, s):
    X, Y, k = _grid(x0, y0, s, 32)
    r = 2.2 * k
    if s < 20:
        pts = [(X(4) + r, Y(2) + r * 1.6), (X(31) - r * 1.9, Y(16)), (X(4) + r, Y(30) - r * 1.6)]
    else:
        pts = [(X(6) + r, Y(3) + r * 1.6), (X(30) - r * 1.9, Y(16)), (X(6) + r, Y(29) - r * 1.6)]
    tri = sd_grow(sd_poly(pts), r)
    shape(cv, tri, lin_grad(X(6), Y(3), X(18), Y(29), [(0, (170, 250, 140)), (0.45, (56, 196, 50)), (1, (10, 110, 20))]),
          (0, 64, 0), 1.0, bevel=3.0 * k, bstr=0.55)


def draw_book(cv, x0, y0, s):
    X, Y, k = _grid(x0, y0, s, 32)
    cover = (156, 32, 44)
    left_top = quad_pts((X(1), Y(8.5)), (X(8), Y(3)), (X(16), Y(8)), 10)
    right_top = quad_pts((X(16), Y(8)), (X(24), Y(3)), (X(31), Y(8.5)), 10)
    left_bot = quad_pts((X(16), Y(29)), (X(8), Y(24.5)), (X(1), Y(27)), 10)
    right_bot = quad_pts((X(31), Y(27)), (X(24), Y(24.5)), (X(16), Y(29)), 10)
    cov = sd_poly([(X(0), Y(10))] + [(x, y + 3 * k) for x, y in left_top[-1:]] +
                  [(X(32), Y(10)), (X(32), Y(29)), (X(16), Y(31.5)), (X(0), Y(29))])
    shape(cv, cov, vgrad(Y(10), Y(32), lighten(cover, 0.2), darken(cover, 0.2)), darken(cover, 0.6), 1.0)
    lp = sd_poly(left_top + left_bot)
    rp = sd_poly(right_top + right_bot)
    shape(cv, lp, hgrad(X(1), X(16), (252, 250, 240), (244, 238, 220), (196, 186, 160)), (90, 80, 70), 1.0)
    shape(cv, rp, hgrad(X(16), X(31), (200, 190, 164), (246, 240, 224), (252, 250, 242)), (90, 80, 70), 1.0)
    lc = (120, 120, 150)
    if k > 0.6:
        for i in range(5):
            dy = 6.0 + i * 3.5
            for pts in ((X(4), X(9), X(14)), (X(18), X(23), X(28))):
                a = (pts[0], Y(dy + 2.2 if pts[0] < X(16) else dy + 0.9))
                m = (pts[1], Y(dy - 0.6))
                b = (pts[2], Y(dy + 0.9 if pts[0] < X(16) else dy + 2.2))
                cv.fill(sd_path(quad_pts(a, m, b, 6), 0.9), lc, 0.8)
    else:
        x0i, y0i = int(x0), int(y0)
        for yy in (6, 8, 10):
            cv.rect(x0i + 2, y0i + yy, x0i + 7, y0i + yy + 1, lc, 0.85)
            cv.rect(x0i + 9, y0i + yy, x0i + 14, y0i + yy + 1, lc, 0.85)
    cv.fill(sd_seg(X(16), Y(8.5), X(16), Y(28.5), 1.2), (120, 100, 80), 0.7)


def draw_quill(cv, ax, ay, bx, by, width, vane=(252, 249, 238), tip=(200, 30, 50), outline=(64, 40, 40)):
    """Feather from the nib at a to the top at b."""
    L = math.hypot(bx - ax, by - ay)
    ux, uy = (bx - ax) / L, (by - ay) / L
    nx, ny = uy, -ux
    u0 = 0.28
    curv = 0.10
    Wp, Wm = width * 0.62, width * 0.42
    norm = 1.0 / 0.4646

    def local(x, y):
        px, py = x - ax, y - ay
        u = px * ux + py * uy
        t = u / L
        v = px * nx + py * ny - curv * L * t * t
        return u, t, v

    def vane_sd(x, y):
        u, t, v = local(x, y)
        if t < u0:
            return max((u0 - t) * L, abs(v) - 0.5)
        if t > 1.0:
            return (t - 1.0) * L + abs(v)
        s = (t - u0) / (1.0 - u0)
        hw = (Wp if v > 0 else Wm) * norm * math.sqrt(s) * (1.0 - s) ** 0.6
        return abs(v) - hw
    bw = max(0.8, width * 0.10)
    nw = max(1.0, width * 0.19)
    tn = 0.17

    def barrel_sd(x, y):
        u, t, v = local(x, y)
        if t < 0 or t > u0 + 0.1:
            return max(-t * L, (t - u0 - 0.1) * L) + abs(v)
        if t < tn:
            hw = nw * (t / tn) ** 0.7 + 0.2
        else:
            hw = bw + (nw - bw) * clamp(1.0 - (t - tn) / 0.04)
        return abs(v) - hw
    pad = width
    bb = (min(ax, bx) - pad, min(ay, by) - pad, max(ax, bx) + pad, max(ay, by) + pad)
    vsd = _bb(vane_sd, bb)
    bsd = _bb(barrel_sd, bb)
    both = sd_union(vsd, bsd)
    cv.fill(both, outline)
    stripe = max(2.0, width * 0.28)

    def col(x, y):
        u, t, v = local(x, y)
        if t < u0 and abs(v) < nw + 1.5:
            if t < 0.035:
                return (36, 32, 40)
            if t < tn:
                if width >= 9 and abs(v) < 0.45 and 0.05 < t < tn * 0.8:
                    return (70, 50, 20)
                return mix((255, 226, 120), (176, 120, 24), clamp((v / nw + 1) / 2))
            return mix((240, 226, 190), (176, 150, 104), clamp((v / bw + 1) / 2))
        s = clamp((t - u0) / (1.0 - u0))
        c = mix(vane, tip, smoothstep(0.55, 0.95, s))
        if v < 0:
            c = darken(c, 0.14)
        if width >= 9:
            ph = ((u * 0.8 + abs(v) * 1.3) / stripe) % 1.0
            if ph < 0.28:
                c = darken(c, 0.09)
        return c
    cv.fill(sd_grow(both, -1.0), col)
    pts = []
    for i in range(13):
        t = u0 * 0.7 + (0.97 - u0 * 0.7) * i / 12
        v = curv * L * t * t
        pts.append((ax + ux * t * L + nx * v, ay + uy * t * L + ny * v))
    cv.fill(sd_path(pts, max(0.7, width * 0.07)), (150, 110, 80) if width < 9 else (170, 130, 90), 0.9)


def draw_emblem(cv, x0, y0, s):
    """Quillon emblem: a quill pen across a blue floppy disk."""
    draw_floppy(cv, x0 + s * 0.03, y0 + s * 0.16, s * 0.81)
    draw_quill(cv, x0 + s * 0.12, y0 + s * 0.92, x0 + s * 0.98, y0 + s * 0.02, s * 0.34)


# ---------------------------------------------------------------------------
# Icons and pictogram strips
# ---------------------------------------------------------------------------


def icon_pair(draw):
    out = []
    for size in (32, 16):
        cv = icon_canvas(size)
        draw(cv, size)
        out.append(cv)
    return out


def ico_quillon(cv, s):
    if s == 32:
        draw_floppy(cv, 1, 6, 25)
        draw_quill(cv, 4, 30, 31, 1, 12)
    else:
        draw_floppy(cv, 0, 3, 13)
        draw_quill(cv, 1.5, 15.5, 15.8, 0.2, 6.5)


def ico_rungame(cv, s):
    draw_play(cv, 0, 0, s)


def ico_settings(cv, s):
    if s == 32:
        draw_gear(cv, 16, 16, 10.5, 8)
    else:
        draw_gear(cv, 8, 8, 5.2, 6, Rt=7.9, tw=3.4, hole=1.4)


def ico_modify(cv, s):
    if s == 32:
        draw_page(cv, 4, 1, 24, 31, 6, 3)
        draw_pencil(cv, 10, 28, 30, 6, 6.5)
    else:
        draw_page(cv, 1, 0, 12, 16, 4, 2, margin=2)
        draw_pencil(cv, 5, 15.5, 15.5, 4, 4.0)


def ico_docs(cv, s):
    draw_book(cv, 0, 0, s)


def ico_browse(cv, s):
    draw_folder(cv, 0, 0, s)
    k = s // 16
    for i in range(3):
        x = (3 + i * 4) * k
        cv.rect(x, 10 * k, x + 2 * k, 12 * k, (50, 30, 0))


def row_images():
    cells = []
    for i in range(8):
        cv = icon_canvas(16)
        if i == 0:
            draw_floppy(cv, 0, 0, 13)
            draw_tick(cv, [(4.5, 10.5), (7.5, 13.5), (14, 5.5)], 2.2)
        elif i == 1:
            draw_folder(cv, 0, 0, 15)
            draw_cross(cv, 11.5, 11.5, 2.6, 1.8)
        elif i == 2:
            draw_page(cv, 1, 0, 12, 15, 4, 2, margin=2)
            draw_warning(cv, 11.0, 6, 10)
        elif i == 3:
            draw_star(cv, 8, 8.6, 8.2)
        elif i == 4:
            draw_info(cv, 8, 8, 7.5)
        elif i == 5:
            draw_floppy(cv, 1, 1, 14, body=(150, 152, 162), stripe=(120, 124, 136))
        elif i == 6:
            draw_clock(cv, 8, 8, 7.5)
        elif i == 7:
            draw_question(cv, 8, 8, 16)
        cells.append(cv)
    return sheet(cells, 16)


def details_large():
    fns = [lambda c: draw_joystick(c, 0, 0, 32), lambda c: draw_building(c, 0, 0, 32), lambda c: draw_tags(c, 0, 0, 32),
           lambda c: draw_globe(c, 16, 16, 15), lambda c: draw_documents(c, 0, 0, 32),
           lambda c: draw_desktop_shortcut(c, 0, 0, 32), lambda c: draw_bubble(c, 0, 0, 32)]
    cells = []
    for f in fns:
        cv = icon_canvas(32)
        f(cv)
        cells.append(cv)
    return sheet(cells, 32)


def details_small():
    fns = [lambda c: draw_folder(c, 0, 0, 16), lambda c: draw_window(c, 0, 0, 16),
           lambda c: draw_floppy(c, 1, 1, 14), lambda c: draw_datafile(c, 0, 0, 16),
           lambda c: draw_globe(c, 8, 8, 7.5), lambda c: draw_page(c, 2, 0, 14, 16, 4, 2, margin=2),
           lambda c: draw_shortcut_arrow(c, 1, 1, 14), lambda c: draw_bubble(c, 0, 0, 16),
           lambda c: draw_pencil(c, 1, 15, 15, 1, 4.6), lambda c: draw_picture(c, 0, 0, 16),
           lambda c: draw_info(c, 8, 8, 7.5), lambda c: draw_key(c, 0, 0, 16)]
    cells = []
    for f in fns:
        cv = icon_canvas(16)
        f(cv)
        cells.append(cv)
    return sheet(cells, 16)

# ---------------------------------------------------------------------------
# Backgrounds (8-bit). Kept mid-to-light; the right-hand column is lightest.
# ---------------------------------------------------------------------------

BACK_STYLES = {
    # ramp stops from dark to light, then streaks, veins, bands (malachite)
    'Red': ([(0.0, (164, 70, 62)), (0.35, (200, 104, 92)), (0.65, (228, 146, 130)), (1.0, (250, 214, 202))],
            0.6, 1.0, 0.0),
    'Green': ([(0.0, (64, 124, 86)), (0.35, (104, 162, 118)), (0.65, (160, 204, 164)), (1.0, (224, 240, 218))],
              0.5, 0.4, 1.0),
    'Blue': ([(0.0, (70, 98, 162)), (0.35, (108, 140, 202)), (0.65, (164, 188, 228)), (1.0, (226, 234, 250))],
             1.0, 0.5, 0.0),
    'Grey': ([(0.0, (112, 114, 120)), (0.35, (150, 152, 158)), (0.65, (194, 195, 198)), (1.0, (240, 240, 240))],
             1.4, 0.25, 0.0),
}


def main_background(w, h, style, seed):
    stops, streak_amt, vein_amt, band_amt = BACK_STYLES[style]
    rnd = random.Random(seed)
    streak = fbm(w, h, [(w * 0.45, 2.0, 0.45), (w * 0.2, 1.0, 0.35), (w * 0.08, 1.0, 0.2)], seed + 1)
    turb = fbm(w, h, [(w * 0.25, h * 0.3, 0.5), (w * 0.1, h * 0.12, 0.3), (w * 0.04, h * 0.05, 0.2)], seed + 2)
    cloud = fbm(w, h, [(w * 0.5, h * 0.6, 0.6), (w * 0.18, h * 0.2, 0.4)], seed + 3)
    cv = Canvas(w, h)
    bx, by = w * 0.15, h * 1.1          # malachite band centre (bottom-left, off picture)
    for y in range(h):
        fy = y / h
        for x in range(w):
            i = y * w + x
            fx = x / w
            L = 0.36 + 0.30 * fx + 0.20 * (1.0 - fy)
            L += 0.16 * (cloud[i] - 0.5)
            sh = (fx * 0.8 - fy * 0.55 - 0.12) / 0.16
            L += 0.07 * math.exp(-sh * sh)
            L += streak_amt * 0.09 * (streak[i] - 0.5)
            m = math.sin((fx * 1.6 + fy * 2.4) * math.pi * 2 + turb[i] * 5.0)
            m2 = math.sin((fx * 3.1 - fy * 1.2) * math.pi * 2 + turb[i] * 6.5 + 1.7)
            vs = smoothstep(0.35, 0.65, cloud[i])
            L += vein_amt * (0.07 * vs * (1.0 - abs(m)) ** 14 + 0.04 * (1.0 - vs) * (1.0 - abs(m2)) ** 18
                             - 0.025 * (1.0 - abs(m2)) ** 4)
            if band_amt:
                d = math.hypot((x - bx) / w, (y - by) / w)
                b = math.sin(d * 70.0 + turb[i] * 7.0)
                L += band_amt * (0.035 * b + 0.05 * (1.0 - abs(b)) ** 12)
            L += (rnd.random() - 0.5) * 0.025
            vx, vy = fx - 0.5, fy - 0.5
            L -= 0.12 * (vx * vx + vy * vy)
            c = ramp(stops, clamp(L))
            cv.r[i], cv.g[i], cv.b[i] = c
    # a fine bright top edge and a soft shadow at the bottom, like a lit panel
    for x in range(w):
        for y, t in ((0, 0.35), (1, 0.15)):
            i = y * w + x
            c = lighten((cv.r[i], cv.g[i], cv.b[i]), t)
            cv.r[i], cv.g[i], cv.b[i] = c
    return cv


def sunset_background(w, h, seed):
    rnd = random.Random(seed)
    hz = h * 0.60
    sx, sy, sr = w * 0.30, hz, h * 0.17
    cloud = fbm(w, h, [(w * 0.35, h * 0.05, 0.5), (w * 0.12, h * 0.025, 0.3), (w * 0.05, h * 0.015, 0.2)], seed + 1)
    shimmer = fbm(w, h, [(w * 0.03, 1.5, 0.6), (w * 0.012, 1.0, 0.4)], seed + 2)
    sky = [(0.0, (160, 146, 214)), (0.45, (214, 162, 206)), (0.8, (246, 182, 172)), (1.0, (252, 216, 164))]
    cv = Canvas(w, h)
    vx = w * 0.55
    for y in range(h):
        for x in range(w):
            i = y * w + x
            if y < hz:
                t = y / hz
                c = ramp(sky, t)
                # glow around the sun
                d = math.hypot(x - sx, (y - sy) * 1.3) / (sr * 3.2)
                c = mix(c, (255, 236, 200), 0.45 * math.exp(-d * d * 2.5))
                # streaky clouds, pink with a light top
                cl = smoothstep(0.52, 0.72, cloud[i]) * (0.35 + 0.65 * t)
                c = mix(c, (250, 220, 236), 0.55 * cl)
                # the sun with slits in its lower half
                ds = math.hypot(x + 0.5 - sx, y + 0.5 - sy)
                if ds < sr + 1:
                    cov = clamp(sr + 0.5 - ds)
                    rel = (y + 0.5 - (sy - sr)) / sr
                    if rel > 0.42:
                        k = (rel - 0.42) / 0.58
                        period = sr * 0.16
                        ph = ((sy - y - 0.5) % period) / period
                        gap = 0.08 + 0.5 * k
                        cov *= clamp(abs(ph - 0.5) * period - gap * period * 0.5 + 0.5)
                    sc = mix((255, 246, 196), (255, 186, 120), clamp(rel / 2))
                    c = mix(c, sc, cov)
            else:
                dy = y + 0.5 - hz
                t = dy / (h - hz)
                c = mix((176, 222, 220), (102, 178, 186), t ** 0.8)
                # reflection of the sun
                spread = sr * (0.7 + 1.4 * t)
                rx = abs(x - sx) / spread
                if rx < 1.0 and shimmer[i] > 0.5:
                    c = mix(c, (255, 236, 196), 0.55 * (1.0 - rx) * smoothstep(0.5, 0.62, shimmer[i]) * (1.0 - t * 0.7))
                # perspective grid
                F = h * 0.9
                z = F / dy
                u = (x + 0.5 - vx) / dy * 5.0
                du = 5.0 / dy
                dz = F / (dy * dy)
                fade = smoothstep(4.0, 60.0, dy)
                a = 0.0
                gu = abs(u - round(u)) / du
                a = max(a, clamp(1.0 - gu / 0.8))
                zz = z * 0.12
                gz = abs(zz - round(zz)) / (dz * 0.12)
                a = max(a, clamp(1.0 - gz / 0.8))
                c = mix(c, (226, 250, 246), a * 0.55 * fade)
                # horizon haze
                c = mix(c, (246, 220, 196), 0.6 * math.exp(-dy / 4.0))
            c = mix(c, (255, 255, 255), (rnd.random() - 0.5) * 0.03) if True else c
            cv.r[i], cv.g[i], cv.b[i] = c
    return cv


def dialog_tile(w, h, seed):
    """Light linen paper; every component is periodic so the tile is seamless."""
    rnd = random.Random(seed)
    mott = fbm(w, h, [(100, 100, 0.45), (50, 50, 0.3), (25, 25, 0.25)], seed + 1, periodic=True)
    fib = fbm(w, h, [(20, 5, 0.5), (10, 2, 0.5)], seed + 2, periodic=True)
    fib2 = fbm(w, h, [(5, 20, 0.5), (2, 10, 0.5)], seed + 3, periodic=True)
    base = (226, 224, 216)
    cv = Canvas(w, h)
    tp = 2 * math.pi
    for y in range(h):
        for x in range(w):
            i = y * w + x
            v = 0.0
            v += (mott[i] - 0.5) * 16.0
            v += (fib[i] - 0.5) * 7.0 + (fib2[i] - 0.5) * 5.0
            v += 1.3 * math.sin(tp * x / 4.0) * math.sin(tp * y / 4.0)
            v += 1.2 * math.sin(tp * (x / w * 60 + y / h * 50))
            v += (rnd.random() - 0.5) * 4.0
            cv.r[i] = base[0] + v
            cv.g[i] = base[1] + v * 0.98
            cv.b[i] = base[2] + v * 0.92
    return cv

# ---------------------------------------------------------------------------
# Text effects and rotated blits
# ---------------------------------------------------------------------------


def fancy_text(cv, x, y, text, scale, fill, outline=(24, 6, 40), shadow=0.6, italic=0.0, gap=None,
               ow=1.5, bevel=0.9, font=None, sh_off=(2, 2)):
    font = font or FONT5
    m = text_mask(cv.w, cv.h, x, y, text, font, scale, gap, italic)
    edge = m.dilate(ow) if ow else m
    if shadow:
        cv.paint(edge.blur(1).shifted(*sh_off), (0, 0, 0), shadow)
    if ow:
        cv.paint(edge, outline)
    cv.paint_lit(m, fill, m.blur(1, 1), strength=bevel)
    return m


def gold_fill(y0, hpx):
    stops = [(0.0, (255, 255, 236)), (0.42, (255, 214, 96)), (0.50, (196, 100, 16)),
             (0.62, (236, 150, 40)), (1.0, (255, 236, 160))]
    return lambda x, y: ramp(stops, (y - y0) / hpx)


def blit_rotated(dst, src, cx, cy, ang):
    """Draw src rotated by ang (radians, clockwise) with its centre at (cx, cy); bilinear."""
    c, s = math.cos(ang), math.sin(ang)
    scx, scy = src.w / 2.0, src.h / 2.0
    R = math.hypot(scx, scy) + 1
    for y in range(int(cy - R), int(cy + R) + 1):
        for x in range(int(cx - R), int(cx + R) + 1):
            dx, dy = x + 0.5 - cx, y + 0.5 - cy
            sx = dx * c + dy * s + scx - 0.5
            sy = -dx * s + dy * c + scy - 0.5
            x0, y0 = int(math.floor(sx)), int(math.floor(sy))
            fx, fy = sx - x0, sy - y0
            acc = [0.0, 0.0, 0.0, 0.0]
            for yy, wy in ((y0, 1 - fy), (y0 + 1, fy)):
                for xx, wx in ((x0, 1 - fx), (x0 + 1, fx)):
                    if 0 <= xx < src.w and 0 <= yy < src.h:
                        i = yy * src.w + xx
                        wa = wx * wy * src.a[i]
                        acc[0] += src.r[i] * wa
                        acc[1] += src.g[i] * wa
                        acc[2] += src.b[i] * wa
                        acc[3] += wa
            if acc[3] > 0.001:
                dst.put(x, y, (acc[0] / acc[3], acc[1] / acc[3], acc[2] / acc[3]), acc[3])


def soft_shadow(cv, sdf, blur=2, opacity=0.5, dx=0, dy=0):
    m = Mask(cv.w, cv.h)
    x0, y0, x1, y1 = cv._range(sdf, None, 2)
    for y in range(y0, y1):
        for x in range(x0, x1):
            d = sdf(x + 0.5, y + 0.5)
            if d < 0.5:
                m.v[y * cv.w + x] = clamp(0.5 - d)
    cv.paint(m.blur(blur).shifted(dx, dy), (0, 0, 0), opacity)


# ---------------------------------------------------------------------------
# GameDefault.bmp: CRT monitor, floppy, "NO PICTURE"
# ---------------------------------------------------------------------------


def game_default():
    W, H = 160, 100
    cv = Canvas(W, H)
    rnd = random.Random(21)
    for y in range(H):
        for x in range(W):
            d = math.hypot((x - 80) / 95.0, (y - 42) / 70.0)
            c = mix((52, 60, 84), (10, 12, 22), smoothstep(0.0, 1.1, d))
            if (x + y) % 4 == 0:
                c = lighten(c, 0.05)
            if y >= 88:
                c = mix(c, (30, 34, 48), 0.6)
                if y == 88:
                    c = lighten(c, 0.12)
            c = mix(c, (0, 0, 0), rnd.random() * 0.06)
            cv.put(x, y, c)
    beige = (222, 214, 190)
    soft_shadow(cv, sd_box(34, 8, 126, 80, r=5), 3, 0.55, 3, 4)
    soft_shadow(cv, sd_ellipse(80, 92, 34, 3), 2, 0.6)
    # stand
    shape(cv, sd_box(52, 84, 108, 92, r=3), vgrad(84, 92, lighten(beige, 0.2), darken(beige, 0.3)), (60, 56, 46), 1.0,
          bevel=2, bstr=0.4)
    cv.fill(sd_box(66, 78, 94, 86), vgrad(78, 86, darken(beige, 0.45), darken(beige, 0.15)))
    # case
    shape(cv, sd_box(34, 8, 126, 80, r=5), lin_grad(34, 8, 126, 80, [(0, lighten(beige, 0.3)), (0.6, beige),
          (1, darken(beige, 0.2))]), (62, 58, 48), 1.0, bevel=3, bstr=0.5)
    # recessed bezel: lit from below-right
    cv.fill_bevel(sd_box(39, 12, 121, 71, r=3), darken(beige, 0.12), depth=2.5, strength=0.5, light=(0.55, 0.83))
    # screen glass
    scr = sd_box(43, 15, 117, 68, r=4)

    def glass(x, y):
        d = math.hypot((x - 80) / 44.0, (y - 41) / 32.0)
        return mix((24, 62, 46), (4, 14, 12), smoothstep(0.1, 1.1, d))
    cv.fill(scr, glass)
    cv.fill(sd_ring(scr, 1.0), (20, 20, 18), 0.8)
    for y in range(15, 68, 2):
        cv.rect(43, y, 117, y + 1, (0, 0, 0), 0.22)
    # pictogram: crossed picture frame in phosphor green
    ph = (110, 250, 140)
    pm = Mask(W, H)
    tmp = Canvas(W, H, (0, 0, 0), 0.0)
    tmp.fill(sd_ring(sd_box(70, 22, 90, 38), 1.2), ph)
    tmp.fill(sd_inter(sd_poly([(71, 38), (76, 30), (80, 34), (83, 31), (89, 38)]), sd_box(71, 23, 89, 37)), ph, 0.8)
    tmp.fill(sd_circle(85, 27, 1.8), ph)
    tmp.fill(sd_seg(67, 41, 93, 19, 1.6), (250, 90, 80))
    for i in range(W * H):
        pm.v[i] = tmp.a[i]
    tw = text_width('NO PICTURE', FONT5)
    tx, ty = 80 - tw // 2, 45
    tm = text_mask(W, H, tx, ty, 'NO PICTURE', FONT5, 1, ss=1)
    pr = text_mask(W, H, 47, 59, 'C:\\>', FONT3, 1, ss=1)
    glow = Mask(W, H, [max(a, b, c) for a, b, c in zip(tm.v, pm.v, pr.v)]).blur(1, 2)
    cv.paint(glow, (60, 220, 100), 0.55)
    cv.blit(tmp, 0, 0)
    cv.paint(tm, (150, 255, 170))
    cv.paint(pr, (90, 210, 120))
    cv.rect(63, 59, 67, 64, (90, 210, 120))
    # glass reflection
    cv.fill(sd_inter(sd_poly([(43, 15), (86, 15), (56, 68), (43, 68)]), scr), (255, 255, 255), 0.07)
    cv.fill(sd_inter(sd_poly([(90, 15), (98, 15), (68, 68), (60, 68)]), scr), (255, 255, 255), 0.04)
    # badge, vents, power LED
    draw_text(cv, 41, 73, 'QL', FONT3, darken(beige, 0.45))
    for x in range(96, 112, 3):
        cv.rect(x, 74, x + 2, 77, darken(beige, 0.3))
    cv.fill(sd_circle(117, 75.5, 1.6), (40, 255, 60))
    cv.fill(sd_circle(117, 75.5, 3.2), (40, 255, 60), 0.2)
    # floppy leaning against the monitor
    fl = Canvas(30, 30, (0, 0, 0), 0.0)
    draw_floppy(fl, 1, 1, 28, body=(200, 44, 40), stripe=(40, 90, 200))
    soft_shadow(cv, sd_rot(sd_box(119, 64, 145, 90), 132, 77, 0.16), 2, 0.6, 2, 2)
    blit_rotated(cv, fl, 133, 76, 0.16)
    return cv


# ---------------------------------------------------------------------------
# Splash.bmp and About.bmp
# ---------------------------------------------------------------------------


def splash():
    W, H = 240, 160
    hz = 112
    cv = Canvas(W, H)
    rnd = random.Random(77)
    sky = [(0.0, (6, 4, 30)), (0.35, (26, 12, 70)), (0.72, (110, 30, 120)), (0.92, (226, 80, 120)), (1.0, (255, 150, 110))]
    for y in range(hz):
        for x in range(W):
            cv.put(x, y, ramp(sky, y / hz))
    for _ in range(130):
        x, y = rnd.randrange(W), rnd.randrange(hz - 20)
        b = rnd.random() ** 2 * (1.0 - y / hz)
        col = rnd.choice([(255, 255, 255), (200, 220, 255), (255, 230, 200)])
        cv.put(x, y, col, 0.3 + 0.7 * b)
    for _ in range(7):
        x, y = rnd.randrange(8, W - 8), rnd.randrange(4, hz - 40)
        for d, a in ((0, 1.0), (1, 0.6), (2, 0.25)):
            for px, py in ((x + d, y), (x - d, y), (x, y + d), (x, y - d)):
                cv.put(px, py, (255, 255, 255), a)
    # sun with slits
    scx, scy, sr = 128, hz, 40

    def sun_col(x, y):
        return ramp([(0, (255, 248, 150)), (0.5, (255, 170, 60)), (1, (250, 60, 120))], (y - (scy - sr)) / sr)
    sun = sd_circle(scx, scy, sr)
    glow = Mask(W, H)
    for y in range(hz):
        for x in range(W):
            d = math.hypot(x - scx, y - scy)
            glow.v[y * W + x] = 0.5 * math.exp(-max(0.0, d - sr) / 16.0)
    cv.paint(glow, (255, 90, 140))
    slits = []
    for k in range(6):
        yy = scy - sr * 0.52 + k * k * 1.0 + k * 4.2
        slits.append(sd_box(scx - sr - 2, yy, scx + sr + 2, yy + 1.0 + k * 0.7))
    cv.fill(sd_inter(sd_sub(sun, *slits), sd_box(0, 0, W, hz)), sun_col)
    # mountains: far layer and near layer
    for layer, (base, amp, col, seed) in enumerate(((hz - 4, 10, (56, 20, 90), 3), (hz - 1, 7, (22, 8, 48), 9))):
        r2 = random.Random(seed)
        n = 33
        pts = [base - r2.random() * amp * (0.35 + 0.65 * abs(i - n / 2.0) / (n / 2.0)) for i in range(n)]
        for i in range(1, n - 1):
            pts[i] = (pts[i - 1] + pts[i] * 2 + pts[i + 1]) / 4
        poly = [(-1, hz + 1)] + [(i * (W + 2) / (n - 1) - 1, pts[i]) for i in range(n)] + [(W + 1, hz + 1)]
        cv.fill(sd_poly(poly), vgrad(base - amp, hz, lighten(col, 0.15), col))
        edge = sd_ring(sd_poly(poly), 1.0)
        cv.fill(sd_inter(edge, sd_box(0, 0, W, hz - 1)), (255, 120, 170), 0.35 if layer == 0 else 0.5)
    # floor with neon grid
    for y in range(hz, H):
        t = (y - hz) / (H - hz)
        for x in range(W):
            cv.put(x, y, mix((40, 10, 60), (8, 2, 24), t))
    neon = (255, 70, 210)
    grid = Mask(W, H)
    F = 220.0
    for y in range(hz, H):
        dy = y + 0.5 - hz
        z = F / dy
        dz = F / (dy * dy)
        zz = z * 0.10
        gz = abs(zz - round(zz)) / (dz * 0.10)
        hl = clamp(1.0 - gz / 0.9) * smoothstep(3.0, 10.0, dy)
        hl *= smoothstep(2.5, 7.0, 1.0 / (dz * 0.10))
        vf = smoothstep(4.0, 12.0, dy / 1.7)
        for x in range(W):
            u = (x + 0.5 - 120) / dy * 1.7
            du = 1.7 / dy
            gu = abs(u - round(u)) / du / math.sqrt(1.0 + ((x + 0.5 - 120) / dy) ** 2)
            a = max(hl, clamp(1.2 - gu) * vf)
            grid.v[y * W + x] = a
    cv.paint(grid.blur(1), neon, 0.5)
    cv.paint(grid, lighten(neon, 0.4), 0.9)
    cv.rect(0, hz, W, hz + 1, (255, 190, 220))
    for y in range(hz + 1, hz + 6):
        cv.rect(0, y, W, y + 1, (255, 120, 190), 0.35 * (1 - (y - hz) / 6.0))
    # emblem top right
    em = Canvas(56, 56, (0, 0, 0), 0.0)
    draw_emblem(em, 2, 2, 52)
    sh = Mask(W, H)
    for y in range(56):
        for x in range(56):
            if 0 <= 176 + x < W and 0 <= 8 + y < H:
                sh.v[(8 + y) * W + 176 + x] = em.a[y * 56 + x]
    cv.paint(sh.blur(2).shifted(3, 3), (0, 0, 0), 0.6)
    cv.blit(em, 176, 8)
    # title
    fancy_text(cv, 12, 10, 'Quillon', 4, gold_fill(10, 28), italic=0.22, ow=1.6, sh_off=(3, 3))
    fancy_text(cv, 46, 44, 'Loader', 4, gold_fill(44, 28), italic=0.22, ow=1.6, sh_off=(3, 3))
    sub = 'DOS GAME LAUNCHER'
    sw = text_width(sub, FONT3, 1, 2)
    m = text_mask(W, H, 186 - sw, 80, sub, FONT3, 1, 2, ss=1)
    cv.paint(m.dilate(1), (20, 0, 40), 0.8)
    cv.paint(m, (120, 240, 255))
    # version badge
    badge = sd_box(168, 136, 234, 153, r=5)
    soft_shadow(cv, badge, 2, 0.6, 2, 2)
    shape(cv, badge, vgrad(136, 153, (70, 200, 240), (20, 90, 180), (10, 40, 110)), (0, 16, 50), 1.0, bevel=2.5, bstr=0.5)
    draw_text(cv, 175, 143, 'VERSION', FONT3, (0, 20, 60))
    draw_text(cv, 174, 142, 'VERSION', FONT3, (200, 240, 255))
    vt = '0.8c'
    draw_text(cv, 207, 142, vt, FONT5, (0, 20, 60))
    draw_text(cv, 206, 141, vt, FONT5, (255, 255, 255))
    # thin bevelled frame
    cv.bevel_frame(0, 0, W - 1, H - 1, (200, 180, 255), (10, 0, 20))
    return cv


def about_banner():
    W, H = 180, 36
    cv = Canvas(W, H)
    rnd = random.Random(5)
    for y in range(H):
        for x in range(W):
            c = mix((8, 16, 92), (22, 120, 206), (x / W) ** 0.9)
            c = mix(c, (0, 0, 40), 0.45 * (y / H) ** 1.5)
            if y < H * 0.45:
                c = lighten(c, 0.10 * (1 - y / (H * 0.45)))
            cv.put(x, y, c)
    for _ in range(40):
        x, y = rnd.randrange(W), rnd.randrange(H)
        cv.put(x, y, (255, 255, 255), 0.15 + 0.5 * rnd.random() ** 2)
    for y in range(1, H, 2):
        cv.rect(0, y, W, y + 1, (0, 0, 0), 0.08)
    em = Canvas(32, 32, (0, 0, 0), 0.0)
    draw_emblem(em, 1, 1, 28)
    m = Mask(W, H)
    for y in range(32):
        for x in range(32):
            if 2 + x < W and 2 + y < H:
                m.v[(2 + y) * W + 2 + x] = em.a[y * 32 + x]
    cv.paint(m.blur(1).shifted(2, 2), (0, 0, 0), 0.6)
    cv.blit(em, 2, 2)
    w1 = text_width('QUILLON', FONT5, 2, 1)
    tw = w1 + 6 + text_width('LOADER', FONT5, 2, 1)
    x = 34 + (W - 36 - tw) // 2
    fancy_text(cv, x, 11, 'QUILLON', 2, gold_fill(11, 14), ow=1.0, shadow=0.7, bevel=0.7, gap=1, sh_off=(1, 2))
    fancy_text(cv, x + w1 + 6, 11, 'LOADER', 2, gold_fill(11, 14), ow=1.0, shadow=0.7, bevel=0.7, gap=1,
               sh_off=(1, 2))
    cv.bevel_frame(0, 0, W - 1, H - 1, (150, 190, 255), (0, 0, 30))
    return cv

# ---------------------------------------------------------------------------
# Demo game screenshots (160x100, VGA style)
# ---------------------------------------------------------------------------


def sprite(cv, x, y, rows, cmap, flip=False):
    for j, row in enumerate(rows):
        if flip:
            row = row[::-1]
        for i, ch in enumerate(row):
            if ch in cmap:
                cv.put(x + i, y + j, cmap[ch])


def dither_ramp(cols, t, x, y):
    """Ordered-dither position t (0..1) over a list of flat colours."""
    t = clamp(t) * (len(cols) - 1)
    i = int(t)
    if i >= len(cols) - 1:
        return cols[-1]
    return cols[i + 1] if (t - i) > bayer(x, y) else cols[i]


def hud_bar(cv, h, top=(40, 40, 120), bot=(8, 8, 40)):
    for y in range(h):
        cv.rect(0, y, cv.w, y + 1, mix(top, bot, y / max(1, h - 1)))
    cv.rect(0, h, cv.w, h + 1, lighten(top, 0.4))


def star_maze():
    W, H = 160, 100
    cv = Canvas(W, H)
    rnd = random.Random(31)
    neb = fbm(W, H, [(40, 30, 0.6), (14, 12, 0.4)], 4)
    pal = [(0, 0, 0), (14, 0, 34), (34, 6, 66), (62, 18, 96), (92, 34, 120)]
    for y in range(H):
        for x in range(W):
            t = (neb[y * W + x] - 0.40) * 2.6 + 0.25 * (x / W)
            cv.put(x, y, dither_ramp(pal, t, x, y))
    for _ in range(90):
        x, y = rnd.randrange(W), rnd.randrange(H)
        cv.put(x, y, rnd.choice([(255, 255, 255), (160, 200, 255), (255, 240, 160), (120, 120, 160)]))
    # maze: 19 x 11 tiles of 8 pixels
    TW, TH, T = 19, 11, 8
    ox, oy = 4, 12
    grid = [[1] * TW for _ in range(TH)]
    stack = [(0, 0)]
    seen = {(0, 0)}
    grid[1][1] = 0
    while stack:
        cx, cy = stack[-1]
        nb = [(cx + dx, cy + dy) for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1))
              if 0 <= cx + dx < 9 and 0 <= cy + dy < 5 and (cx + dx, cy + dy) not in seen]
        if not nb:
            stack.pop()
            continue
        nx, ny = rnd.choice(nb)
        seen.add((nx, ny))
        grid[cy + ny + 1][cx + nx + 1] = 0
        grid[ny * 2 + 1][nx * 2 + 1] = 0
        stack.append((nx, ny))
    for _ in range(9):
        x, y = rnd.randrange(1, TW - 1), rnd.randrange(1, TH - 1)
        if (x + y) % 2 == 1:
            grid[y][x] = 0

    def wall(tx, ty):
        return tx < 0 or ty < 0 or tx >= TW or ty >= TH or grid[ty][tx] == 1
    for ty in range(TH):
        for tx in range(TW):
            if not grid[ty][tx]:
                continue
            x0, y0 = ox + tx * T, oy + ty * T
            for y in range(y0, y0 + T):
                for x in range(x0, x0 + T):
                    cv.put(x, y, dither_ramp([(6, 10, 50), (14, 24, 90), (24, 40, 130)],
                                             0.25 + 0.3 * ((x + y) % 8 == 0), x, y))
            outer, inner = (0, 110, 230), (90, 240, 255)
            if not wall(tx, ty - 1):
                cv.rect(x0, y0, x0 + T, y0 + 1, outer)
                cv.rect(x0, y0 + 1, x0 + T, y0 + 2, inner)
            if not wall(tx, ty + 1):
                cv.rect(x0, y0 + T - 1, x0 + T, y0 + T, outer)
                cv.rect(x0, y0 + T - 2, x0 + T, y0 + T - 1, (0, 150, 220))
            if not wall(tx - 1, ty):
                cv.rect(x0, y0, x0 + 1, y0 + T, outer)
                cv.rect(x0 + 1, y0, x0 + 2, y0 + T, inner)
            if not wall(tx + 1, ty):
                cv.rect(x0 + T - 1, y0, x0 + T, y0 + T, outer)
                cv.rect(x0 + T - 2, y0, x0 + T - 1, y0 + T, (0, 150, 220))
    free = [(tx, ty) for ty in range(TH) for tx in range(TW) if not grid[ty][tx]]
    for tx, ty in free:
        if rnd.random() < 0.45:
            x, y = ox + tx * T + 3, oy + ty * T + 3
            cv.rect(x, y, x + 2, y + 2, (255, 220, 120))
    gem = ["..w..", ".wcc.", "wcccb", ".cbb.", "..b.."]
    for tx, ty in rnd.sample(free, 4):
        sprite(cv, ox + tx * T + 1, oy + ty * T + 1, gem, {'w': (255, 255, 255), 'c': (80, 255, 200), 'b': (0, 150, 130)})
    # exit portal in the far corner
    ex, ey = ox + 17 * T + 4, oy + 9 * T + 4
    for r, c in ((4, (0, 120, 40)), (3, (40, 220, 80)), (2, (160, 255, 160)), (1, (255, 255, 255))):
        cv.fill(sd_ring(sd_circle(ex, ey, r), 1.0), c)
    ship = ["..a....", ".abb...", "abbccc.", "abbccdd", "abbccc.", ".abb...", "..a...."]
    sx, sy = ox + 5 * T, oy + 1 * T
    for i, c in enumerate(((255, 120, 0), (255, 200, 60))):
        cv.rect(sx - 4 + i * 2, sy + 3, sx - 2 + i * 2, sy + 4, c)
    sprite(cv, sx, sy, ship, {'a': (120, 130, 180), 'b': (220, 224, 255), 'c': (90, 200, 255), 'd': (255, 255, 255)})
    cv.rect(sx + 8, sy + 3, sx + 20, sy + 4, (255, 80, 255))
    cv.rect(sx + 10, sy + 3, sx + 18, sy + 4, (255, 220, 255))
    alien = ["..g.g..", ".ggggg.", "gwkgwkg", "ggggggg", "g.g.g.g", ".g...g."]
    for tx, ty, col in ((9, 5, (255, 70, 70)), (13, 1, (255, 80, 220)), (3, 7, (255, 160, 40))):
        sprite(cv, ox + tx * T, oy + ty * T + 1, alien, {'g': col, 'w': (255, 255, 255), 'k': (0, 0, 0)})
    hud_bar(cv, 9, (30, 30, 110), (6, 6, 40))
    draw_text(cv, 3, 2, 'SCORE 012450', FONT3, (255, 240, 90))
    draw_text(cv, 62, 2, 'LEVEL 3', FONT3, (120, 230, 255))
    for i in range(3):
        sprite(cv, 132 + i * 9, 1, ship, {'a': (120, 130, 180), 'b': (220, 224, 255), 'c': (90, 200, 255),
                                         'd': (255, 255, 255)})
    return cv


CAVE_MAP = [
    "####################",
    "#v..vv....v...vv..v#",
    "#..................#",
    "#.......g......T...#",
    "#T....=======......#",
    "#............H..g..#",
    "#=====......=H=====#",
    "#....H.......H.....#",
    "#.g..H...T...H.....#",
    "#....H.............#",
    "#=======...===..===#",
    "~~~~~~~~~~~~~~~~~~~~",
]


def cave_runner():
    W, H = 160, 100
    cv = Canvas(W, H)
    T, oy = 8, 4
    rock = fbm(W, H, [(24, 16, 0.5), (8, 6, 0.3), (3, 3, 0.2)], 12)
    pal = [(16, 10, 18), (30, 18, 26), (46, 30, 36), (64, 44, 46), (86, 62, 58)]
    torches = []
    for ty, row in enumerate(CAVE_MAP):
        for tx, ch in enumerate(row):
            if ch == 'T':
                torches.append((tx * T + 4, oy + ty * T + 2))
    for y in range(H):
        for x in range(W):
            t = (rock[y * W + x] - 0.3) * 1.6
            light = 0.0
            for lx, ly in torches:
                light += 0.9 * math.exp(-((x - lx) ** 2 + (y - ly) ** 2) / 380.0)
            light += 0.8 * math.exp(-(H - 8 - y) / 10.0)
            c = dither_ramp(pal, t * 0.7 + light * 0.5, x, y)
            lava_glow = math.exp(-(H - 8 - y) / 9.0)
            c = mix(c, (255, 90, 0), 0.25 * lava_glow)
            cv.put(x, y, c)
    rnd = random.Random(8)

    def tile(ch, tx, ty):
        x0, y0 = tx * T, oy + ty * T
        if ch in '#=':
            wall = ch == '#'
            base = (104, 82, 70) if wall else (132, 116, 104)
            for y in range(T):
                for x in range(T):
                    c = base
                    if y == 0 or x == 0:
                        c = lighten(base, 0.25)
                    elif y == T - 1 or x == T - 1:
                        c = darken(base, 0.45)
                    elif rnd.random() < 0.18:
                        c = darken(base, 0.2)
                    if not wall and y == 3 and x in (T - 1,):
                        c = darken(base, 0.45)
                    cv.put(x0 + x, y0 + y, c)
            above = CAVE_MAP[ty - 1][tx] if ty > 0 else '#'
            if above not in '#=':
                for x in range(T):
                    cv.put(x0 + x, y0, (90, 200, 70))
                    cv.put(x0 + x, y0 + 1, (50, 150, 50) if (x + tx) % 3 else (90, 200, 70))
                    if (x * 7 + tx * 3) % 5 == 0:
                        cv.put(x0 + x, y0 + 2, (40, 120, 40))
        elif ch == 'v':
            for j in range(6):
                w = max(0, 3 - j // 2)
                for i in range(-w, w + 1):
                    cv.put(x0 + 4 + i, oy + ty * T + j, (86, 66, 60) if i < 0 else (60, 44, 42))
        elif ch == 'H':
            for y in range(T):
                cv.put(x0 + 1, y0 + y, (150, 96, 40))
                cv.put(x0 + 6, y0 + y, (110, 66, 26))
                if y % 3 == 1:
                    for x in range(2, 6):
                        cv.put(x0 + x, y0 + y, (190, 130, 60))
        elif ch == 'T':
            cv.rect(x0 + 3, y0 + 3, x0 + 5, y0 + 8, (110, 70, 30))
            sprite(cv, x0 + 2, y0 - 2, [".r..", "royr", "ryyo", ".yo."], {'r': (230, 50, 0), 'o': (255, 150, 0),
                                                                          'y': (255, 240, 120)})
        elif ch == 'g':
            sprite(cv, x0 + 1, y0 + 2, [".ccc.", "cwccc", "ccccb", ".cbb.", "..b.."],
                   {'w': (255, 255, 255), 'c': (80, 255, 120), 'b': (20, 140, 60)})
        elif ch == '~':
            for y in range(T):
                for x in range(T):
                    X = x0 + x
                    top = 1 + int(1.5 + 1.5 * math.sin(X * 0.35))
                    if y < top:
                        continue
                    t = (y - top) / 6.0
                    c = dither_ramp([(255, 240, 120), (255, 160, 20), (220, 60, 0), (140, 20, 0)], t, X, y0 + y)
                    cv.put(X, y0 + y, c)
    for ty, row in enumerate(CAVE_MAP):
        for tx, ch in enumerate(row):
            if ch != '.':
                tile(ch, tx, ty)
    for bx, by in ((40, 93), (118, 95)):
        cv.fill(sd_circle(bx, by, 1.5), (255, 230, 120))
    hero = ["..hhh...", ".hhss...", "..ssk...", "..ss....", ".rrrr...", "r.rrrs..", "s.rrr...", "..bbb...",
            ".bb.bb..", ".b...bb.", "kk....k."]
    sprite(cv, 92, oy + 10 * T - 11, hero, {'h': (120, 60, 20), 's': (250, 200, 150), 'k': (60, 40, 20),
                                             'r': (220, 40, 40), 'b': (40, 70, 210)})
    bat = ["p.......p", "pp.ppp.pp", "ppprpprpp", ".pp.p.pp.", "...p.p..."]
    sprite(cv, 122, oy + 8 * T + 1, bat, {'p': (150, 60, 200), 'r': (255, 40, 40)})
    sprite(cv, 30, oy + 2 * T + 2, bat, {'p': (150, 60, 200), 'r': (255, 40, 40)})
    hud_bar(cv, 8, (70, 40, 20), (24, 12, 6))
    draw_text(cv, 3, 2, 'SCORE 003700', FONT3, (255, 230, 120))
    draw_text(cv, 62, 2, 'CAVE 2', FONT3, (200, 255, 200))
    heart = [".r.r.", "rwrrr", "rrrrr", ".rrr.", "..r.."]
    for i in range(3):
        sprite(cv, 136 + i * 7, 1, heart, {'r': (240, 40, 60), 'w': (255, 200, 200)})
    return cv


def pixel_pinball():
    W, H = 160, 100
    cv = Canvas(W, H, (14, 14, 24))
    # playfield
    field = sd_union(sd_box(4, 16, 106, 104), sd_circle(55, 40, 51.0))
    field = sd_inter(field, sd_box(4, 1, 106, 104))

    def field_col(x, y):
        c = mix((26, 34, 120), (80, 20, 110), clamp(y / 100.0))
        d = math.hypot(x - 56, y - 52) / 30.0
        c = mix(c, (120, 60, 180), 0.35 * math.exp(-d * d))
        return c
    cv.fill(field, field_col)
    rnd = random.Random(3)
    for _ in range(40):
        x, y = rnd.uniform(8, 100), rnd.uniform(6, 96)
        if field(x, y) < -2:
            cv.put(int(x), int(y), (200, 200, 255), 0.5)
    # playfield decal: ringed planet
    cv.fill(sd_circle(56, 58, 11), rad_grad(52, 54, 14, (255, 170, 80), (190, 60, 40)), 0.55)
    cv.fill(sd_ring(sd_ellipse(56, 58, 19, 5), 1.4), (255, 220, 160), 0.5)
    # metal rail around the playfield and the plunger lane wall
    rail = sd_ring(field, 3.0)
    cv.fill_bevel(rail, (170, 176, 190), depth=1.5, strength=0.6)
    cv.fill_bevel(sd_box(96, 30, 99, 100), (170, 176, 190), depth=1.2, strength=0.6)
    # top lanes with rollover lights
    for i, x in enumerate((40, 52, 64, 76)):
        cv.fill_bevel(sd_seg(x, 8, x, 18, 2.2), (200, 204, 214), depth=1, strength=0.6)
    for i, x in enumerate((46, 58, 70)):
        lit = i != 1
        if lit:
            cv.fill(sd_circle(x, 14, 5), (255, 220, 80), 0.25)
        cv.fill(sd_circle(x, 14, 2.2), (255, 230, 90) if lit else (90, 80, 30))
    # pop bumpers
    for bx, by, lit in ((40, 31, True), (64, 27, False), (52, 45, True)):
        if lit:
            cv.fill(sd_circle(bx, by, 11), (255, 120, 120), 0.22)
        cv.fill(sd_circle(bx + 1, by + 2, 7.5), (0, 0, 0), 0.45)
        shape(cv, sd_circle(bx, by, 7.5), (230, 230, 240), (40, 40, 60), 1.0, bevel=2, bstr=0.5)
        cv.fill(sd_circle(bx, by, 5.5), sphere_col(bx, by, 5.5, (230, 30, 40) if lit else (150, 20, 30)))
        cv.fill(sd_grow(sd_poly(star_pts(bx, by, 3.4, 1.5)), 0.3), (255, 240, 120) if lit else (200, 180, 80))
    # drop targets on the left
    for i in range(3):
        y = 44 + i * 7
        shape(cv, sd_box(8, y, 12, y + 5), vgrad(y, y + 5, (255, 240, 120), (220, 160, 0)), (80, 50, 0), 1.0)
    # arrow inserts
    for x, y, c in ((30, 58, (255, 140, 0)), (80, 58, (0, 220, 120)), (56, 72, (0, 200, 255))):
        cv.fill(sd_grow(sd_poly([(x, y - 4), (x + 3.5, y + 3), (x - 3.5, y + 3)]), 0.6), c)
        cv.fill(sd_circle(x, y, 6), c, 0.18)
    # slingshots
    for sgn in (1, -1):
        cx = 55 - sgn * 33
        pts = [(cx - sgn * 4, 66), (cx - sgn * 4, 80), (cx + sgn * 5, 84)]
        tri = sd_grow(sd_poly(pts), 1.0)
        shape(cv, tri, vgrad(66, 84, (255, 90, 90), (170, 20, 40)), (245, 245, 250), 1.5)
        cv.fill_bevel(sd_path([(cx - sgn * 9, 62), (cx - sgn * 9, 82), (cx + sgn * 6, 92)], 2.0), (200, 204, 214),
                      depth=1, strength=0.6)
    # flippers
    for px, tx in ((36, 50), (74, 60)):
        pts = [(px, 88), (tx, 93)]
        fl = sd_union(sd_circle(px, 88, 3.2), sd_circle(tx, 93.5, 1.8),
                      sd_poly([(px, 84.8), (tx, 91.7), (tx, 95.3), (px, 91.2)]))
        cv.fill(sd_grow(fl, 0.2), (0, 0, 0), 0.4, bbox=(px - 6, 82, tx + 6, 100))
        shape(cv, fl, (246, 246, 250), (220, 30, 30), 1.3, bevel=1.5, bstr=0.4)
        cv.fill(sd_circle(px, 88, 1.0), (120, 120, 140))
    # plunger
    cv.fill_bevel(sd_box(100, 84, 104, 100), (200, 40, 40), depth=1.2, strength=0.6)
    cv.fill(sd_circle(102, 80, 2.4), sphere_col(102, 80, 2.4, (200, 200, 210)))
    # the ball with a short motion trail
    for i, a in ((3, 0.12), (2, 0.2), (1, 0.32)):
        cv.fill(sd_circle(70 + i * 2.2, 62 + i * 3.0, 2.8), (220, 220, 255), a)
    cv.fill(sd_circle(70, 62, 3.0), sphere_col(70, 62, 3.0, (190, 196, 210), hi=0.9, lo=0.6))
    # right panel: backbox with the dot matrix display
    shape(cv, sd_box(111, 2, 158, 98, r=2), vgrad(2, 98, (70, 72, 90), (30, 30, 44)), (0, 0, 0), 1.0, bevel=2, bstr=0.5)
    logo1 = 'PIXEL'
    logo2 = 'PINBALL'
    fancy_text(cv, 134 - text_width(logo1, FONT5) // 2, 6, logo1, 1, vgrad(6, 13, (255, 250, 160), (255, 120, 40)),
               outline=(60, 0, 40), ow=1.0, shadow=0.6, bevel=0.5, sh_off=(1, 1))
    fancy_text(cv, 134 - text_width(logo2, FONT5) // 2, 15, logo2, 1, vgrad(15, 22, (160, 240, 255), (40, 120, 255)),
               outline=(0, 0, 60), ow=1.0, shadow=0.6, bevel=0.5, sh_off=(1, 1))
    dx0, dy0, dx1, dy1 = 114, 28, 155, 68
    cv.rect(dx0, dy0, dx1, dy1, (8, 4, 0))
    cv.bevel_frame(dx0 - 1, dy0 - 1, dx1, dy1, (20, 20, 30), (140, 140, 160))
    dm = Canvas(W, H, (0, 0, 0), 0.0)
    draw_text(dm, 116, 31, 'SCORE', FONT3, (255, 140, 20))
    draw_text(dm, 116, 39, '1250300', FONT3, (255, 170, 40), 1)
    draw_text(dm, 116, 50, 'BALL 2', FONT3, (255, 140, 20))
    draw_text(dm, 116, 58, 'x2 BONUS', FONT3, (255, 110, 10))
    for y in range(dy0 + 1, dy1 - 1):
        for x in range(dx0 + 1, dx1 - 1):
            i = y * W + x
            if dm.a[i] > 0:
                cv.put(x, y, (dm.r[i], dm.g[i], dm.b[i]))
            elif (x + y) % 2 == 0:
                cv.put(x, y, (50, 22, 0))
    draw_text(cv, 116, 74, 'HIGH SCORE', FONT3, (200, 200, 220))
    draw_text(cv, 116, 81, '8420150', FONT3, (255, 255, 255))
    for i in range(3):
        c = sphere_col(119 + i * 8, 92, 2.6, (200, 200, 214)) if i < 2 else (60, 60, 70)
        cv.fill(sd_circle(119 + i * 8, 92, 2.6), c)
    return cv


def tank_duel():
    W, H = 160, 100
    cv = Canvas(W, H)
    sky = [(20, 24, 100), (40, 50, 150), (70, 90, 190), (120, 130, 210), (190, 150, 190), (250, 180, 130),
           (255, 210, 140)]
    for y in range(H):
        for x in range(W):
            cv.put(x, y, dither_ramp(sky, (y - 8) / 72.0, x, y))
    # sun and clouds
    cv.fill(sd_circle(128, 50, 12), (255, 230, 150), 0.3)
    cv.fill(sd_circle(128, 50, 8), (255, 240, 170))
    cl = Canvas(W, H, (0, 0, 0), 0.0)
    for cx, cy, r in ((30, 24, 5), (37, 21, 6), (45, 24, 5), (40, 26, 4), (100, 32, 4), (106, 29, 5), (112, 32, 4)):
        cl.fill(sd_circle(cx, cy, r), (250, 240, 250))
    for y in range(H):
        for x in range(W):
            i = y * W + x
            if cl.a[i] > 0.5:
                below = y + 2 < H and cl.a[i + 2 * W] < 0.5
                cv.put(x, y, (200, 170, 200) if below else (250, 236, 240))
    # distant mountains
    rnd = random.Random(14)
    mh = [0.0] * W
    v = 62.0
    for x in range(W):
        v += rnd.uniform(-1.4, 1.4)
        v = clamp(v, 52, 70)
        mh[x] = v
    for x in range(W):
        for y in range(int(mh[x]), H):
            cv.put(x, y, dither_ramp([(120, 100, 160), (90, 80, 140)], (y - mh[x]) / 10.0, x, y))

    def ground(x):
        return (76 + 6 * math.sin(x * 0.05) - 32 * math.exp(-((x - 82) / 20.0) ** 2)
                + 1.2 * math.sin(x * 0.4))
    crater = (112, ground(112))
    for x in range(W):
        gy = ground(x)
        dxc = x - crater[0]
        if abs(dxc) < 6:
            gy = max(gy, crater[1] + math.sqrt(36 - dxc * dxc) * 0.7)
        g0 = int(gy)
        for y in range(g0, H):
            d = y - g0
            if d < 2:
                c = (110, 220, 70) if d == 0 else (60, 170, 50)
            elif d < 4:
                c = (40, 130, 40)
            else:
                c = dither_ramp([(150, 100, 50), (120, 76, 36), (92, 56, 28), (70, 40, 20)], (d - 4) / 30.0, x, y)
                if (x * 13 + y * 7) % 37 == 0:
                    c = (170, 150, 130)
            if abs(dxc) < 7 and d < 3:
                c = (50, 40, 30)
            cv.put(x, y, c)
    # smoke from the crater
    for i, (sx, sy, r) in enumerate(((112, crater[1] - 6, 3), (114, crater[1] - 11, 3.5), (111, crater[1] - 16, 2.5))):
        cv.fill(sd_circle(sx, sy, r), (120, 110, 120), 0.55 - i * 0.12)

    def tank(x, body, dark, ang, flip):
        gy = int(ground(x + 6)) - 1
        rows = [".....bbb.....", "....bbbbb....", "..bbbbbbbbb..", ".ddddddddddd.", "dkdkdkdkdkdkd", ".ddddddddddd."]
        y0 = gy - 5
        tx, ty = x + 6.5, y0 + 1
        L = 7
        dx = math.cos(ang) * L * (-1 if flip else 1)
        dy = -math.sin(ang) * L
        cv.fill(sd_seg(tx, ty, tx + dx, ty + dy, 1.6), (60, 60, 70))
        sprite(cv, x, y0, rows, {'b': body, 'd': dark, 'k': (30, 30, 30)})
        cv.put(x + 6, y0, lighten(body, 0.5))
        cv.put(x + 5, y0 + 1, lighten(body, 0.4))
        return tx + dx, ty + dy
    mx, my = tank(18, (70, 120, 240), (40, 60, 140), math.radians(58), False)
    tank(128, (230, 60, 50), (130, 30, 20), math.radians(40), True)
    # shot trajectory: a dotted arc to the shell near its apex
    vx, vy, g = 1.35, -2.2, 0.055
    x, y = mx, my
    n = 0
    while x < 88:
        if n % 3 == 0:
            cv.put(int(x), int(y), (255, 255, 200), 0.8)
        x += vx * 0.5
        y += vy * 0.5
        vy += g * 0.5
        n += 1
    cv.fill(sd_circle(x, y, 3.2), (255, 220, 120), 0.35)
    cv.fill(sd_circle(x, y, 1.4), (255, 255, 220))
    # HUD
    hud_bar(cv, 8, (40, 40, 50), (10, 10, 16))
    draw_text(cv, 3, 2, 'P1 ANGLE 58 POWER 72', FONT3, (140, 190, 255))
    draw_text(cv, 120, 2, 'WIND >>', FONT3, (255, 255, 255))
    for i, (x, c, hp) in enumerate(((3, (70, 120, 240), 30), (125, (230, 60, 50), 18))):
        cv.rect(x, 94, x + 32, 97, (20, 20, 20))
        cv.rect(x + 1, 95, x + 1 + hp, 96, c)
    return cv

# ---------------------------------------------------------------------------
# Main
# ---------------------------------------------------------------------------


def main(argv):
    global PNG_DIR
    if '--png' in argv:
        PNG_DIR = argv[argv.index('--png') + 1]
        os.makedirs(PNG_DIR, exist_ok=True)
    art = lambda name: os.path.join(ART_DIR, name)
    demo = lambda name: os.path.join(DEMO_DIR, name)
    jobs = [
        (art('GameDefault.bmp'), game_default, save24),
        (art('BackRed.bmp'), lambda: main_background(500, 350, 'Red', 11), save8),
        (art('BackGreen.bmp'), lambda: main_background(500, 350, 'Green', 23), save8),
        (art('BackBlue.bmp'), lambda: main_background(500, 350, 'Blue', 37), save8),
        (art('BackGrey.bmp'), lambda: main_background(600, 500, 'Grey', 41), save8),
        (art('BackAlt.bmp'), lambda: sunset_background(500, 350, 5), save8),
        (art('DialogTile.bmp'), lambda: dialog_tile(600, 500, 3), save8),
        (art('RowImages.bmp'), row_images, save_keyed),
        (art('Splash.bmp'), splash, save24),
        (art('About.bmp'), about_banner, save24),
        (art('DetailsLarge.bmp'), details_large, save_keyed),
        (art('DetailsSmall.bmp'), details_small, save_keyed),
        (demo('StarMaze.bmp'), star_maze, save24),
        (demo('CaveRunner.bmp'), cave_runner, save24),
        (demo('PixelPinball.bmp'), pixel_pinball, save24),
        (demo('TankDuel.bmp'), tank_duel, save24),
    ]
    for path, make, save in jobs:
        save(path, make())
    icons = [('Quillon.ico', ico_quillon), ('RunGame.ico', ico_rungame), ('GameSettings.ico', ico_settings),
             ('Modify.ico', ico_modify), ('Docs.ico', ico_docs), ('Browse.ico', ico_browse)]
    for name, draw in icons:
        save_ico(art(name), icon_pair(draw))
    for path, size in WRITTEN:
        if PNG_DIR and path.startswith(PNG_DIR):
            continue
        print('%-40s %7d bytes' % (os.path.relpath(path, ROOT), size))


if __name__ == '__main__':
    main(sys.argv[1:])
