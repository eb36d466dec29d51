#!/usr/bin/env python3
"""Draws the product's pictograms and writes them as image strips.

Every picture is described here with a few vector shapes (polygons,
discs, strokes) in a 16 x 16 design square and rasterised with 8 x 8
supersampling into 32-bit bitmaps with an alpha channel: one strip per
image list and size (16, 24 and 32 pixels for 100, 150 and 200 %),
images side by side, in the order listed in images.h.

    python3 ui/res/make_images.py        # rewrites the .bmp files here

The strips are committed; the build only compiles them into the
modules' resources (win32/ui/images.rc). The same run draws quenta.exe's
icon (entry/win32/quenta.ico) at 16, 32 and 48 pixels from one design.
"""
import math
import os
import struct

SS = 8  # samples per pixel along each axis


class Canvas:
    def __init__(self, w, h):
        self.w, self.h = w, h
        self.px = [[(0.0, 0.0, 0.0, 0.0) for _ in range(w)] for _ in range(h)]  # premultiplied

    def fill(self, inside, color, box=None):
        """Composites colour (r, g, b[, a]) over every pixel, weighted by
        the share of its samples for which inside(x, y) holds."""
        r, g, b = color[0] / 255.0, color[1] / 255.0, color[2] / 255.0
        a = color[3] / 255.0 if len(color) > 3 else 1.0
        x0, y0, x1, y1 = box if box else (0, 0, self.w, self.h)
        x0, y0 = max(0, int(math.floor(x0)) - 1), max(0, int(math.floor(y0)) - 1)
        x1, y1 = min(self.w, int(math.ceil(x1)) + 1), min(self.h, int(math.ceil(y1)) + 1)
        for py in range(y0, y1):
            for px in range(x0, x1):
                n = 0
                for sy in range(SS):
                    for sx in range(SS):
                        if inside(px + (sx + 0.5) / SS, py + (sy + 0.5) / SS):
                            n += 1
                if not n:
                    continue
                cov = a * n / (SS * SS)
                dr, dg, db, da = self.px[py][px]
                self.px[py][px] = (r * cov + dr * (1 - cov), g * cov + dg * (1 - cov),
                                   b * cov + db * (1 - cov), cov + da * (1 - cov))

    # ---- shapes
    def poly(self, pts, color):
        xs, ys = [p[0] for p in pts], [p[1] for p in pts]
        self.fill(lambda x, y: in_poly(pts, x, y), color, (min(xs), min(ys), max(xs), max(ys)))

    def disc(self, cx, cy, r, color):
        self.fill(lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r, color, (cx - r, cy - r, cx + r, cy + r))

    def ring(self, cx, cy, r, width, color):
        lo, hi = r - width / 2, r + width / 2
        self.fill(lambda x, y: lo * lo <= (x - cx) ** 2 + (y - cy) ** 2 <= hi * hi, color,
                  (cx - hi, cy - hi, cx + hi, cy + hi))

    def rect(self, x0, y0, x1, y1, color):
        self.fill(lambda x, y: x0 <= x <= x1 and y0 <= y <= y1, color, (x0, y0, x1, y1))

    def line(self, pts, width, color, closed=False):
        segs = list(zip(pts, pts[1:] + ([pts[0]] if closed else [])))
        h = width / 2
        xs, ys = [p[0] for p in pts], [p[1] for p in pts]
        self.fill(lambda x, y: any(seg_dist(a, b, x, y) <= h for a, b in segs), color,
                  (min(xs) - h, min(ys) - h, max(xs) + h, max(ys) + h))

    def outlined_poly(self, pts, fill, edge, width=1.0):
        self.poly(pts, fill)
        self.line(pts, width, edge, closed=True)

    def outlined_disc(self, cx, cy, r, fill, edge, width=1.0):
        self.disc(cx, cy, r, fill)
        self.ring(cx, cy, r - width / 2, width, edge)

    def blit(self, other, ox, oy):
        for y in range(other.h):
            for x in range(other.w):
                sr, sg, sb, sa = other.px[y][x]
                dr, dg, db, da = self.px[oy + y][ox + x]
                self.px[oy + y][ox + x] = (sr + dr * (1 - sa), sg + dg * (1 - sa), sb + db * (1 - sa),
                                           sa + da * (1 - sa))


class ScaledCanvas(Canvas):
    """A canvas of size x size pixels drawn with the coordinates of a
    design square (16 x 16 unless told): every shape is scaled before it
    is rasterised."""

    def __init__(self, size, design=16):
        super().__init__(size, size)
        self.k = size / float(design)

    def fill(self, inside, color, box=None):
        k = self.k
        scaled_box = tuple(v * k for v in box) if box else None
        super().fill(lambda x, y: inside(x / k, y / k), color, scaled_box)


def in_poly(pts, x, y):
    inside = False
    j = len(pts) - 1
    for i in range(len(pts)):
        xi, yi = pts[i]
        xj, yj = pts[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            inside = not inside
        j = i
    return inside


def seg_dist(a, b, x, y):
    ax, ay = a
    bx, by = b
    dx, dy = bx - ax, by - ay
    l2 = dx * dx + dy * dy
    t = 0.0 if l2 == 0 else max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / l2))
    px, py = ax + t * dx, ay + t * dy
    return math.hypot(x - px, y - py)


def star(cx, cy, r_out, r_in, n=5, rot=-90):
    pts = []
    for i in range(2 * n):
        r = r_out if i % 2 == 0 else r_in
        a = math.radians(rot + i * 180.0 / n)
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return pts


def arc(cx, cy, r, a0, a1, steps=16):
    return [(cx + r * math.cos(math.radians(a0 + (a1 - a0) * i / steps)),
             cy + r * math.sin(math.radians(a0 + (a1 - a0) * i / steps))) for i in range(steps + 1)]


# ---------------------------------------------------------------- palette
INK = (40, 40, 48)
WHITE = (255, 255, 255)
PAPER_EDGE = (110, 116, 128)
GREEN, GREEN_DARK = (52, 168, 64), (22, 100, 34)
RED, RED_DARK = (220, 52, 44), (140, 24, 20)
BLUE, BLUE_DARK = (46, 110, 210), (20, 60, 140)
YELLOW, ORANGE = (255, 214, 48), (214, 130, 16)
POINT = (30, 80, 170)


# ---------------------------------------------------------------- badges
def badge_plus(c):
    c.outlined_disc(11.5, 11.5, 4.4, GREEN, GREEN_DARK)
    c.rect(9.3, 10.8, 13.7, 12.2, WHITE)
    c.rect(10.8, 9.3, 12.2, 13.7, WHITE)


def badge_minus(c):
    c.outlined_disc(11.5, 11.5, 4.4, RED, RED_DARK)
    c.rect(9.3, 10.8, 13.7, 12.2, WHITE)


def badge_cross(c):
    c.outlined_disc(11.5, 11.5, 4.4, RED, RED_DARK)
    c.line([(9.8, 9.8), (13.2, 13.2)], 1.5, WHITE)
    c.line([(13.2, 9.8), (9.8, 13.2)], 1.5, WHITE)


# ---------------------------------------------------------------- pictures
def survey_points(c):
    # Three survey points: small crosses in rings.
    for (x, y) in ((3.5, 3.5), (10.5, 3.5), (3.5, 10.5)):
        c.ring(x, y, 2.0, 1.1, POINT)
        c.disc(x, y, 0.8, POINT)


def pic_new_group(c):
    survey_points(c)
    badge_plus(c)


def pic_delete_group(c):
    survey_points(c)
    badge_cross(c)


def pic_current(c):
    c.outlined_poly(star(8, 8.6, 7.4, 3.0), YELLOW, ORANGE, 1.1)


def sheet(c, x0=2.5, x1=12.5):
    c.outlined_poly([(x0, 1.5), (x1 - 3, 1.5), (x1, 4.5), (x1, 14.5), (x0, 14.5)], WHITE, PAPER_EDGE)
    c.line([(x1 - 3, 1.5), (x1 - 3, 4.5), (x1, 4.5)], 1.0, PAPER_EDGE)


def pic_list(c):
    sheet(c, 2.5, 13.5)
    for y in (6.0, 8.5, 11.0):
        c.disc(5.0, y, 0.9, POINT)
        c.line([(7.0, y), (11.5, y)], 1.0, (120, 140, 170))


def pic_erase(c):
    c.line([(1.5, 14.5), (14.5, 14.5)], 1.0, PAPER_EDGE)
    body = [(1.8, 10.2), (8.6, 3.4), (14.2, 9.0), (7.4, 15.8)]
    c.outlined_poly(body, (240, 120, 150), (150, 40, 70))
    tip = [(1.8, 10.2), (4.9, 7.1), (10.5, 12.7), (7.4, 15.8)]
    c.outlined_poly(tip, (230, 230, 236), (150, 40, 70))


def arrow_pointer(c):
    pts = [(2.0, 1.0), (2.0, 12.5), (4.7, 10.0), (6.6, 14.2), (8.4, 13.4), (6.6, 9.3), (10.2, 9.3)]
    c.outlined_poly(pts, WHITE, INK, 1.0)


def pic_add_selection(c):
    arrow_pointer(c)
    badge_plus(c)


def pic_remove_selection(c):
    arrow_pointer(c)
    badge_minus(c)


def funnel(c):
    pts = [(1.0, 1.5), (12.0, 1.5), (7.8, 7.0), (7.8, 12.0), (5.2, 13.5), (5.2, 7.0)]
    c.outlined_poly(pts, (90, 150, 230), BLUE_DARK)


def pic_add_criteria(c):
    funnel(c)
    badge_plus(c)


def pic_remove_criteria(c):
    funnel(c)
    badge_minus(c)


def check_mark(c, color=GREEN, dark=GREEN_DARK):
    pts = [(2.5, 8.5), (6.3, 12.3), (13.5, 3.8)]
    c.line(pts, 3.4, dark)
    c.line(pts, 2.0, color)


def pic_apply(c):
    check_mark(c)


def pic_cancel(c):
    c.outlined_disc(8, 8, 6.8, RED, RED_DARK)
    c.line([(5.2, 5.2), (10.8, 10.8)], 2.0, WHITE)
    c.line([(10.8, 5.2), (5.2, 10.8)], 2.0, WHITE)


def pic_help(c):
    c.outlined_disc(8, 8, 6.8, BLUE, BLUE_DARK)
    c.line(arc(8, 6.2, 2.3, 200, 400) + [(8.0, 9.6)], 1.7, WHITE)
    c.disc(8.0, 11.9, 1.05, WHITE)


def bulb(c, glass, edge):
    c.outlined_disc(8, 6.5, 5.0, glass, edge)
    c.poly([(5.6, 10.0), (10.4, 10.0), (9.8, 11.5), (6.2, 11.5)], glass)
    c.rect(5.8, 11.5, 10.2, 14.2, (150, 150, 160))
    c.line([(5.8, 12.4), (10.2, 12.4)], 0.7, (90, 90, 100))
    c.line([(5.8, 13.4), (10.2, 13.4)], 0.7, (90, 90, 100))


def pic_layer_off(c):
    bulb(c, (200, 200, 206), (110, 110, 120))


def pic_layer_on(c):
    bulb(c, YELLOW, ORANGE)
    c.line([(6.8, 8.8), (8.0, 5.5), (9.2, 8.8)], 0.8, ORANGE)


def pic_frozen(c):
    for k in range(3):
        a = math.radians(90 + k * 60)
        dx, dy = 6.5 * math.cos(a), 6.5 * math.sin(a)
        c.line([(8 - dx, 8 - dy), (8 + dx, 8 + dy)], 1.4, (40, 120, 220))
        for s in (1, -1):
            bx, by = 8 + s * 0.62 * dx, 8 + s * 0.62 * dy
            for t in (1, -1):
                b = a + (math.pi if s < 0 else 0) + t * math.radians(40)
                c.line([(bx, by), (bx + 2.0 * math.cos(b), by + 2.0 * math.sin(b))], 1.0, (40, 120, 220))


def pic_thawed(c):
    for k in range(8):
        a = math.radians(k * 45)
        c.line([(8 + 5.0 * math.cos(a), 8 + 5.0 * math.sin(a)), (8 + 7.3 * math.cos(a), 8 + 7.3 * math.sin(a))],
               1.3, ORANGE)
    c.outlined_disc(8, 8, 4.0, YELLOW, ORANGE)


def box(c):
    c.outlined_poly([(2.5, 2.5), (13.5, 2.5), (13.5, 13.5), (2.5, 13.5)], WHITE, (100, 106, 118))


def pic_tab_off(c):
    box(c)


def pic_tab_on(c):
    box(c)
    check_mark(c)


def pic_folder(c):
    c.outlined_poly([(1.5, 3.5), (6.0, 3.5), (7.5, 5.0), (14.5, 5.0), (14.5, 13.5), (1.5, 13.5)], (236, 190, 70),
                    (150, 100, 20))
    c.outlined_poly([(1.5, 13.5), (3.5, 7.5), (15.5, 7.5), (14.5, 13.5)], (255, 220, 110), (150, 100, 20))


def pic_view_file(c):
    sheet(c, 2.0, 12.0)
    for y in (6.0, 8.0, 10.0):
        c.line([(4.0, y), (9.5, y)], 0.9, (120, 140, 170))
    c.ring(10.5, 10.5, 2.6, 1.2, INK)
    c.disc(10.5, 10.5, 2.0, (190, 220, 250, 200))
    c.line([(12.4, 12.4), (14.8, 14.8)], 1.8, INK)


def pic_next_number(c):
    c.rect(1.5, 7.2, 8.5, 8.8, GREEN_DARK)
    c.rect(4.2, 4.5, 5.8, 11.5, GREEN_DARK)
    c.line([(10.0, 5.5), (12.5, 3.0), (12.5, 13.0)], 1.7, INK)
    c.line([(10.0, 13.0), (14.8, 13.0)], 1.4, INK)


def pic_validate(c):
    check_mark(c)


def pic_delay(c):
    c.outlined_disc(8, 8, 6.8, WHITE, INK, 1.1)
    for k in range(12):
        a = math.radians(k * 30)
        c.disc(8 + 5.2 * math.cos(a), 8 + 5.2 * math.sin(a), 0.45, PAPER_EDGE)
    c.line([(8, 8), (8, 3.8)], 1.2, INK)
    c.line([(8, 8), (11.0, 9.6)], 1.2, RED)


def pic_close(c):
    c.outlined_poly([(3.0, 1.5), (11.0, 1.5), (11.0, 14.5), (3.0, 14.5)], (170, 120, 70), (100, 60, 30))
    c.disc(9.2, 8.3, 0.8, (250, 220, 120))
    c.line([(8.0, 8.0), (15.0, 8.0)], 1.5, RED_DARK)
    c.line([(12.5, 5.5), (15.0, 8.0), (12.5, 10.5)], 1.5, RED_DARK)


def pic_layers(c):
    # Three stacked layer sheets, seen slanted, the top one in colour.
    for dy, fill, edge in ((5.0, (200, 204, 212), PAPER_EDGE), (2.5, (236, 190, 70), (150, 100, 20)),
                           (0.0, (90, 150, 230), BLUE_DARK)):
        c.outlined_poly([(8.0, 2.0 + dy), (15.0, 5.5 + dy), (8.0, 9.0 + dy), (1.0, 5.5 + dy)], fill, edge)


def pic_file_exists(c):
    # 32 x 32: a sheet with a question mark.
    c.outlined_poly([(6, 2), (20, 2), (27, 9), (27, 30), (6, 30)], WHITE, PAPER_EDGE, 1.4)
    c.line([(20, 2), (20, 9), (27, 9)], 1.2, PAPER_EDGE)
    c.outlined_disc(16.5, 18, 8.0, BLUE, BLUE_DARK, 1.2)
    c.line(arc(16.5, 15.8, 3.0, 200, 400) + [(16.5, 20.0)], 2.2, WHITE)
    c.disc(16.5, 23.0, 1.3, WHITE)


def pic_entry_icon(c):
    # quenta's icon: a key pad of nine keys under a survey point.
    c.outlined_poly([(1.0, 4.5), (15.0, 4.5), (15.0, 15.0), (1.0, 15.0)], (236, 238, 242), PAPER_EDGE, 1.0)
    for row in range(3):
        for col in range(3):
            x, y = 2.6 + col * 4.0, 6.0 + row * 3.0
            c.rect(x, y, x + 2.8, y + 2.0, BLUE if (row, col) != (2, 2) else GREEN_DARK)
    c.outlined_disc(12.2, 3.6, 3.0, WHITE, POINT, 1.2)
    c.disc(12.2, 3.6, 1.0, POINT)


ICON = ("../../entry/win32/quenta.ico", (16, 32, 48), pic_entry_icon)


# Every strip exists at the design size (100 %) and at one and a half and
# twice that size (150 % and 200 %): the binding picks the one that fits
# the window's DPI. The larger ones are named after their image size
# (toolimages_24.bmp; resource TOOLIMAGES_24, see win32/ui/images.rc).
SCALES = (1.0, 1.5, 2.0)

STRIPS = [
    # file, design image size, pictures (order = image index)
    ("toolimages.bmp", 16, [pic_new_group, pic_delete_group, pic_current, pic_list, pic_erase, pic_add_selection,
                            pic_remove_selection, pic_add_criteria, pic_remove_criteria, pic_apply, pic_cancel,
                            pic_help]),
    ("layerimages.bmp", 16, [pic_layer_off, pic_layer_on, pic_frozen, pic_thawed]),
    ("tabimages.bmp", 16, [pic_tab_off, pic_tab_on]),
    ("buttonimages.bmp", 16, [pic_folder, pic_view_file, pic_next_number, pic_validate, pic_delay, pic_close,
                             pic_layers]),
    ("fileexists.bmp", 32, [pic_file_exists]),
]


def write_bmp(path, canvas):
    """32-bit BI_RGB bitmap, bottom-up, straight (not premultiplied)
    alpha in the fourth byte."""
    data = b"".join(dib_rows(canvas))
    info = struct.pack("<IiiHHIIiiII", 40, canvas.w, canvas.h, 1, 32, 0, len(data), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(data), 0, 0, 14 + len(info))
    with open(path, "wb") as f:
        f.write(header + info + data)


def dib_rows(canvas):
    """The canvas's rows bottom-up as 32-bit BGRA, straight alpha."""
    rows = []
    for y in range(canvas.h - 1, -1, -1):
        row = bytearray()
        for x in range(canvas.w):
            r, g, b, a = canvas.px[y][x]
            if a <= 0:
                row += bytes((0, 0, 0, 0))
                continue
            row += bytes((round(min(1, b / a) * 255), round(min(1, g / a) * 255), round(min(1, r / a) * 255),
                          round(a * 255)))
        rows.append(bytes(row))
    return rows


def write_ico(path, canvases):
    """An icon file with one 32-bit image per canvas: each a DIB of twice
    its height (colour rows, then an all-zero AND mask of 1-bit rows padded
    to 32 bits; the alpha channel gives the shape)."""
    images = []
    for c in canvases:
        xor = b"".join(dib_rows(c))
        mask = bytes(((c.w + 31) // 32) * 4 * c.h)
        info = struct.pack("<IiiHHIIiiII", 40, c.w, 2 * c.h, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
        images.append(info + xor + mask)
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for c, data in zip(canvases, images):
        out += struct.pack("<BBBBHHII", c.w % 256, c.h % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    for name, design, pictures in STRIPS:
        for scale in SCALES:
            size = int(design * scale)
            strip = Canvas(size * len(pictures), size)
            for i, draw in enumerate(pictures):
                c = Canvas(size, size) if scale == 1.0 else ScaledCanvas(size, design)
                draw(c)
                strip.blit(c, i * size, 0)
            file = name if scale == 1.0 else name.replace(".bmp", "_%d.bmp" % size)
            write_bmp(os.path.join(here, file), strip)
            print(file, len(pictures), "images")
    name, sizes, draw = ICON
    canvases = []
    for size in sizes:
        c = ScaledCanvas(size)
        draw(c)
        canvases.append(c)
    write_ico(os.path.join(here, name), canvases)
    print(os.path.basename(name), len(sizes), "sizes")


if __name__ == "__main__":
    main()
