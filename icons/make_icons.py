#!/usr/bin/env python3
"""Makes the program's icons in icons/png/<number>.png.

Most pictures are copied from the Tango icon theme (Debian package
tango-icon-theme, public domain); the rest (check marks, colour swatches,
flags, badges, the logo) are drawn here. Run it by hand after changing the
table; the build only embeds the PNG files.
"""
import os
import struct
import sys
import zlib

TANGO = "/usr/share/icons/Tango"
OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "png")


def tango(size, path):
    return ("tango", size, path)


# ---- A small rasteriser (4x4 supersampling) --------------------------------------------

class Canvas:
    def __init__(self, w, h):
        self.w, self.h = w, h
        self.px = [[(0, 0, 0, 0)] * w for _ in range(h)]

    def shade(self, inside, colour):
        r, g, b = colour[:3]
        a = colour[3] if len(colour) > 3 else 255
        for y in range(self.h):
            for x in range(self.w):
                hits = 0
                for sy in range(4):
                    for sx in range(4):
                        if inside(x + (sx + 0.5) / 4, y + (sy + 0.5) / 4):
                            hits += 1
                if hits:
                    self.blend(x, y, (r, g, b), a * hits / 16)

    def blend(self, x, y, rgb, alpha):
        br, bg, bb, ba = self.px[y][x]
        a = alpha / 255
        out_a = a + ba / 255 * (1 - a)
        if out_a <= 0:
            return
        mix = lambda c, d: int(round((c * a + d * (ba / 255) * (1 - a)) / out_a))
        self.px[y][x] = (mix(rgb[0], br), mix(rgb[1], bg), mix(rgb[2], bb), int(round(out_a * 255)))

    def rect(self, x0, y0, x1, y1, colour, radius=0):
        def inside(x, y):
            if not (x0 <= x <= x1 and y0 <= y <= y1):
                return False
            if radius:
                cx = min(max(x, x0 + radius), x1 - radius)
                cy = min(max(y, y0 + radius), y1 - radius)
                return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2
            return True
        self.shade(inside, colour)

    def circle(self, cx, cy, r, colour):
        self.shade(lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r, colour)

    def ring(self, cx, cy, r, width, colour):
        self.shade(lambda x, y: (r - width) ** 2 <= (x - cx) ** 2 + (y - cy) ** 2 <= r * r, colour)

    def line(self, points, width, colour):
        def dist(px, py, ax, ay, bx, by):
            dx, dy = bx - ax, by - ay
            t = ((px - ax) * dx + (py - ay) * dy) / float(dx * dx + dy * dy or 1)
            t = max(0.0, min(1.0, t))
            return ((px - ax - t * dx) ** 2 + (py - ay - t * dy) ** 2) ** 0.5
        segs = list(zip(points, points[1:]))
        self.shade(lambda x, y: any(dist(x, y, a[0], a[1], b[0], b[1]) <= width / 2 for a, b in segs), colour)

    def polygon(self, points, colour):
        def inside(x, y):
            c = False
            n = len(points)
            for i in range(n):
                (x1, y1), (x2, y2) = points[i], points[(i + 1) % n]
                if (y1 > y) != (y2 > y) and x < (x2 - x1) * (y - y1) / (y2 - y1) + x1:
                    c = not c
            return c
        self.shade(inside, colour)

    def png(self):
        raw = b"".join(b"\0" + bytes(v for p in row for v in p) for row in self.px)
        def chunk(kind, data):
            return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)
        return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", self.w, self.h, 8, 6, 0, 0, 0))
                + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def rgb_of(colour):
    # Program colours are red + green * 256 + blue * 65536.
    return (colour & 255, (colour >> 8) & 255, (colour >> 16) & 255)


GREEN = (78, 154, 6)
RED = (204, 0, 0)
BLUE = (52, 101, 164)
GREY = (136, 138, 133)
AMBER = (245, 121, 0)
WHITE = (255, 255, 255)


def check_mark(size=24, colour=GREEN):
    c = Canvas(size, size)
    s = size / 24
    c.line([(4 * s, 13 * s), (9.5 * s, 18.5 * s), (20 * s, 6 * s)], 3.6 * s, colour)
    return c


def cross_mark(size=24, colour=RED):
    c = Canvas(size, size)
    s = size / 24
    c.line([(6 * s, 6 * s), (18 * s, 18 * s)], 3.6 * s, colour)
    c.line([(18 * s, 6 * s), (6 * s, 18 * s)], 3.6 * s, colour)
    return c


def validate_icon():
    c = Canvas(24, 24)
    c.rect(3, 2, 17, 21, (238, 238, 236), 1.5)
    c.rect(3, 2, 17, 21, (136, 138, 133, 90), 1.5)
    c.rect(4, 3, 16, 20, WHITE, 1)
    for y in (6, 9, 12):
        c.rect(6, y, 14, y + 1, GREY)
    c.line([(10, 16), (14, 20), (22, 10)], 3.4, GREEN)
    return c


def swatch(colour, size=16):
    c = Canvas(size, size)
    c.rect(1, 1, size - 1, size - 1, (46, 52, 54), 2)
    c.rect(2, 2, size - 2, size - 2, rgb_of(colour), 1.5)
    return c


def dot(colour, size=16):
    c = Canvas(size, size)
    c.circle(size / 2, size / 2, size / 2 - 2, colour)
    c.ring(size / 2, size / 2, size / 2 - 2, 1, (46, 52, 54, 120))
    return c


def badge(colour, w=53, h=23):
    c = Canvas(w, h)
    c.rect(1, 1, w - 1, h - 1, colour, 4)
    c.rect(4, 9, w - 4, 13, WHITE + (200,))
    return c


def indicator(colour, w=24, h=20):
    c = Canvas(w, h)
    c.rect(1, 1, w - 1, h - 1, colour, 3)
    return c


def sort_icon():
    c = Canvas(24, 24)
    for i, width in enumerate((5, 8, 11, 14)):
        c.rect(2, 3 + i * 5, 2 + width, 5.5 + i * 5, BLUE)
    c.line([(19, 3), (19, 19)], 2.4, (46, 52, 54))
    c.polygon([(15, 16), (23, 16), (19, 22)], (46, 52, 54))
    return c


def checkbox_icon(state):
    c = Canvas(24, 24)
    c.rect(3, 3, 21, 21, (85, 87, 83), 2)
    c.rect(4.5, 4.5, 19.5, 19.5, WHITE, 1)
    if state == "half":
        c.line([(7, 12), (11, 16), (17, 8)], 2.6, GREY)
        c.polygon([(4.5, 19.5), (19.5, 4.5), (19.5, 19.5)], (52, 101, 164, 110))
    return c


def flag(kind, w=24, h=16):
    c = Canvas(w, h)
    if kind == "gb":
        c.rect(0, 0, w, h, (1, 33, 105))
        c.line([(0, 0), (w, h)], 3, WHITE)
        c.line([(w, 0), (0, h)], 3, WHITE)
        c.rect(0, h / 2 - 3, w, h / 2 + 3, WHITE)
        c.rect(w / 2 - 3, 0, w / 2 + 3, h, WHITE)
        c.rect(0, h / 2 - 1.6, w, h / 2 + 1.6, (200, 16, 46))
        c.rect(w / 2 - 1.6, 0, w / 2 + 1.6, h, (200, 16, 46))
    elif kind == "us":
        for i in range(7):
            c.rect(0, i * h / 6.5, w, i * h / 6.5 + h / 13, (178, 34, 52))
        c.rect(0, 0, w * 0.45, h * 0.54, (60, 59, 110))
    elif kind == "ca":
        c.rect(0, 0, w, h, WHITE)
        c.rect(0, 0, w / 4, h, (216, 6, 30))
        c.rect(w * 3 / 4, 0, w, h, (216, 6, 30))
        c.polygon([(w / 2, 3), (w / 2 + 4, h / 2), (w / 2, h - 3), (w / 2 - 4, h / 2)], (216, 6, 30))
    elif kind == "au":
        c.rect(0, 0, w, h, (1, 33, 105))
        c.rect(0, 0, w / 2, h / 2, (200, 16, 46, 160))
        c.circle(w * 0.72, h * 0.35, 1.6, WHITE)
        c.circle(w * 0.82, h * 0.65, 1.6, WHITE)
        c.circle(w * 0.25, h * 0.75, 2.2, WHITE)
    elif kind == "mixed":
        c.rect(0, 0, w / 2, h, (1, 33, 105))
        c.rect(w / 2, 0, w, h, (178, 34, 52))
        c.rect(w / 2 - 1, 0, w / 2 + 1, h, WHITE)
    else:
        c.rect(0, 0, w, h, (211, 215, 207))
    c.rect(0, 0, w, 1, (46, 52, 54, 90))
    return c


def logo(size=64):
    c = Canvas(size, size)
    s = size / 64
    c.rect(2 * s, 2 * s, 62 * s, 62 * s, BLUE, 12 * s)
    c.rect(5 * s, 5 * s, 59 * s, 30 * s, (114, 159, 207, 120), 10 * s)
    c.line([(16 * s, 16 * s), (32 * s, 50 * s), (48 * s, 16 * s)], 9 * s, WHITE)
    return c


def generic(n, size=24):
    # A neutral tile for numbers whose window draws no picture of its own.
    c = Canvas(size, size)
    c.rect(3, 3, size - 3, size - 3, (186, 189, 182), 4)
    c.circle(size / 2, size / 2, size / 6, (85, 87, 83))
    return c


def step_icon():
    c = Canvas(24, 24)
    c.circle(12, 12, 9, (211, 215, 207))
    c.ring(12, 12, 9, 1.5, GREY)
    return c


def small_flag_mark():
    c = Canvas(16, 16)
    c.line([(3, 2), (3, 15)], 1.6, (46, 52, 54))
    c.polygon([(3.5, 2), (14, 5), (3.5, 9)], AMBER)
    return c


def corner_mark():
    c = Canvas(16, 16)
    for i in range(3):
        c.line([(15, 5 + i * 4), (5 + i * 4, 15)], 1.4, GREY)
    return c


ICONS = {
    2: tango(24, "actions/document-open"),
    3: tango(24, "actions/document-save"),
    4: tango(24, "actions/document-save-as"),
    5: tango(24, "actions/system-log-out"),
    8: tango(24, "actions/go-jump"),
    10: tango(24, "apps/accessories-character-map"),
    11: tango(24, "apps/utilities-system-monitor"),
    12: tango(24, "mimetypes/x-office-spreadsheet"),
    13: tango(32, "apps/accessories-text-editor"),
    14: tango(24, "actions/format-text-italic"),
    15: tango(24, "actions/format-text-underline"),
    16: tango(24, "actions/format-text-bold"),
    17: tango(24, "actions/format-justify-center"),
    18: tango(24, "actions/format-justify-left"),
    19: tango(24, "actions/format-justify-right"),
    20: tango(24, "actions/format-text-strikethrough"),
    21: tango(24, "mimetypes/text-x-generic-template"),
    22: tango(24, "actions/format-justify-fill"),
    23: tango(24, "actions/edit-clear"),
    24: tango(24, "actions/format-indent-less"),
    25: "sort",
    26: tango(24, "actions/edit-copy"),
    29: tango(24, "apps/internet-web-browser"),
    30: flag("gb"),
    33: tango(24, "actions/edit-undo"),
    34: tango(24, "actions/edit-redo"),
    37: tango(24, "actions/go-bottom"),
    45: "validate",
    46: tango(24, "actions/format-justify-fill"),
    49: indicator((186, 189, 182)),
    50: indicator(GREEN),
    51: indicator(RED),
    53: "validate",
    54: tango(24, "actions/format-indent-more"),
    55: tango(24, "status/dialog-warning"),
    56: tango(24, "status/dialog-error"),
    57: tango(24, "status/dialog-information"),
    69: tango(24, "actions/list-add"),
    70: tango(24, "status/folder-open"),
    71: dot(GREEN),
    72: dot(RED),
    73: "validate",
    74: badge(BLUE),
    75: badge(GREEN),
    76: badge(AMBER),
    77: badge((117, 80, 123)),
    78: badge(GREY),
    79: tango(16, "emblems/emblem-important"),
    80: tango(16, "status/dialog-warning"),
    81: tango(16, "status/dialog-information"),
    83: tango(24, "mimetypes/x-office-document"),
    84: tango(24, "mimetypes/x-office-document-template"),
    85: tango(24, "actions/edit-find"),
    86: tango(24, "actions/edit-find-replace"),
    88: tango(24, "actions/document-print-preview"),
    89: "validate",
    90: tango(24, "actions/go-up"),
    91: tango(24, "actions/go-down"),
    92: tango(24, "actions/edit-paste"),
    93: tango(24, "mimetypes/text-x-generic"),
    94: tango(24, "actions/go-top"),
    95: tango(24, "mimetypes/x-office-spreadsheet-template"),
    96: indicator(AMBER),
    100: tango(24, "actions/edit-find"),
    102: tango(24, "actions/edit-cut"),
    103: tango(16, "emblems/emblem-readonly"),
    105: tango(24, "emblems/emblem-system"),
    106: tango(16, "mimetypes/package-x-generic"),
    107: "validate",
    108: tango(24, "actions/view-refresh"),
    109: tango(24, "actions/media-playback-start"),
    110: corner_mark(),
    113: tango(24, "actions/edit-clear"),
    114: tango(24, "apps/system-users"),
    115: tango(24, "apps/config-users"),
    116: tango(32, "status/dialog-information"),
    117: tango(32, "status/software-update-available"),
    118: tango(24, "mimetypes/package-x-generic"),
    119: tango(24, "mimetypes/application-x-executable"),
    120: tango(24, "mimetypes/text-x-generic"),
    122: tango(24, "places/network-server"),
    124: tango(16, "mimetypes/text-x-generic"),
    125: tango(32, "actions/document-open"),
    126: tango(32, "actions/document-save"),
    127: tango(32, "actions/document-save-as"),
    128: tango(16, "places/folder"),
    30004: tango(24, "actions/edit-copy"),
    30007: tango(24, "actions/list-add"),
    30008: tango(24, "apps/accessories-text-editor"),
    30009: tango(24, "places/user-trash"),
    30010: "sort",
    30011: tango(24, "actions/edit-find"),
    30012: tango(24, "actions/go-jump"),
    30017: tango(24, "actions/edit-select-all"),
    30018: checkbox_icon("none"),
    30019: checkbox_icon("half"),
    30020: tango(24, "actions/edit-delete"),
    30021: tango(24, "actions/list-remove"),
    30022: tango(32, "actions/view-refresh"),
    30023: tango(24, "actions/document-save-as"),
    30024: tango(24, "actions/document-save-as"),
    30025: tango(24, "actions/document-save-as"),
    30026: tango(24, "actions/go-jump"),
    30027: tango(24, "actions/go-next"),
    30028: tango(24, "actions/edit-paste"),
    30029: tango(24, "actions/go-previous"),
    30030: tango(24, "actions/edit-cut"),
    30031: tango(24, "apps/preferences-desktop-font"),
    30032: tango(24, "actions/bookmark-new"),
    30033: tango(24, "actions/process-stop"),
    30034: check_mark(),
    30035: tango(24, "actions/gtk-cancel"),
    30036: tango(24, "actions/process-stop"),
    30037: tango(24, "apps/system-software-update"),
    30038: flag("mixed"),
    30039: tango(24, "mimetypes/package-x-generic"),
    30040: tango(24, "actions/edit-clear"),
    30041: tango(24, "actions/edit-undo"),
    30042: tango(24, "actions/media-playback-start"),
    30043: tango(24, "actions/view-fullscreen"),
    30044: tango(24, "actions/list-add"),
    30045: tango(24, "actions/document-new"),
    30046: tango(24, "actions/format-text-strikethrough"),
    30047: tango(24, "actions/format-indent-more"),
    30048: tango(24, "actions/format-indent-less"),
    30049: tango(24, "actions/edit-copy"),
    30050: tango(24, "emblems/emblem-important"),
    30051: "sort",
    30052: tango(24, "mimetypes/package-x-generic"),
    30053: tango(24, "categories/preferences-system"),
    30054: tango(24, "apps/help-browser"),
    30055: check_mark(),
    30056: cross_mark(),
    30057: tango(24, "status/image-loading"),
    30058: tango(24, "status/dialog-warning"),
    30059: tango(24, "status/dialog-information"),
    30060: tango(16, "status/dialog-information"),
    30061: tango(16, "emblems/emblem-important"),
    30062: tango(16, "status/dialog-warning"),
    30063: tango(24, "actions/view-fullscreen"),
    30064: step_icon(),
    30065: step_icon(),
    30066: tango(16, "actions/go-next"),
    30067: tango(16, "mimetypes/text-x-script"),
    30068: tango(16, "mimetypes/text-html"),
    30069: small_flag_mark(),
    30070: tango(16, "actions/go-next"),
    30071: tango(16, "status/dialog-information"),
    30072: tango(16, "status/dialog-warning"),
    30073: tango(16, "status/dialog-error"),
    30074: tango(16, "emblems/emblem-favorite"),
    30075: flag("none"),
    30076: flag("mixed"),
    30077: flag("gb"),
    30078: flag("us"),
    30079: flag("ca"),
    30080: flag("au"),
    30081: logo(),
    30082: tango(32, "apps/utilities-terminal"),
    30083: tango(32, "apps/preferences-desktop-theme"),
    30084: tango(16, "apps/internet-mail"),
    30085: tango(32, "categories/applications-development"),
    30086: tango(32, "emblems/emblem-system"),
    30087: tango(16, "emblems/emblem-favorite"),
}
for i in range(8):
    ICONS[61 + i] = swatch([0, 0x9900, 0xFF0000, 0xFFFF, 0xFF, 0xFF00FF, 0x577AB9, 0x808080][i])
# Images 90, 91, 92 and 102 carry the pictures of 30002, 30003, 30005 and 30006.
ICONS[30002] = ICONS[90]
ICONS[30003] = ICONS[91]
ICONS[30005] = ICONS[92]
ICONS[30006] = ICONS[102]

FIRST_RANGE = ([2, 3, 4, 5, 8] + list(range(10, 27)) + [29, 30, 33, 34, 37, 45, 46] + list(range(49, 52))
               + list(range(53, 58)) + list(range(61, 82)) + list(range(83, 87)) + list(range(88, 97))
               + [100, 102, 103] + list(range(105, 111)) + list(range(113, 121)) + [122] + list(range(124, 129)))
SECOND_RANGE = list(range(30002, 30013)) + list(range(30017, 30088))


def render(spec):
    if isinstance(spec, Canvas):
        return spec.png()
    if spec == "validate":
        return validate_icon().png()
    if spec == "sort":
        return sort_icon().png()
    _, size, path = spec
    with open(os.path.join(TANGO, "%dx%d" % (size, size), path + ".png"), "rb") as f:
        return f.read()


def main():
    os.makedirs(OUT, exist_ok=True)
    for n in FIRST_RANGE + SECOND_RANGE:
        data = render(ICONS[n]) if n in ICONS else generic(n).png()
        with open(os.path.join(OUT, "%d.png" % n), "wb") as f:
            f.write(data)
    print("%d icons" % len(FIRST_RANGE + SECOND_RANGE))


if __name__ == "__main__":
    sys.exit(main())
