#!/usr/bin/env python3
"""Draws the package's bitmaps (class pictures, radio buttons, navigator buttons, splash) as
BMP files into res/bitmaps. Run it after adding a class; the files are kept in the repository."""
import os
import re
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, '..', 'res', 'bitmaps')
CLASSES = os.path.join(HERE, '..', 'runtime', 'QZClassList.h')

# The 16-colour palette (R, G, B).
PAL = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
       (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
       (255, 0, 255), (0, 255, 255), (255, 255, 255)]
K, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER, GRAY, RED, LIME, YELLOW, BLUE, FUCHSIA, AQUA, W = range(16)


def bmp(pixels, bits=4):
    """pixels: rows top-down of palette indexes (bits 4 or 8) or (R, G, B) tuples (bits 24)."""
    h, w = len(pixels), len(pixels[0])
    stride = ((w * bits + 31) // 32) * 4
    rows = []
    for row in reversed(pixels):
        b = bytearray()
        if bits == 4:
            for x in range(0, w, 2):
                hi = row[x]
                lo = row[x + 1] if x + 1 < w else 0
                b.append((hi << 4) | lo)
        elif bits == 8:
            b.extend(row)
        else:
            for (r, g, bl) in row:
                b.extend((bl, g, r))
        b.extend(b'\0' * (stride - len(b)))
        rows.append(bytes(b))
    palette = b''
    if bits <= 8:
        pal = PAL + [(0, 0, 0)] * ((1 << bits) - len(PAL))
        palette = b''.join(struct.pack('<BBBB', c[2], c[1], c[0], 0) for c in pal)
    data = b''.join(rows)
    offset = 14 + 40 + len(palette)
    header = struct.pack('<2sIHHI', b'BM', offset + len(data), 0, 0, offset)
    info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, bits, 0, len(data), 2835, 2835,
                       (1 << bits) if bits <= 8 else 0, 0)
    return header + info + palette + data


class Pic:
    def __init__(self, w=24, h=24, bg=SILVER):
        self.w, self.h = w, h
        self.p = [[bg] * w for _ in range(h)]

    def set(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.p[y][x] = c

    def fill(self, l, t, r, b, c):
        for y in range(t, b):
            for x in range(l, r):
                self.set(x, y, c)

    def frame(self, l, t, r, b, c):
        for x in range(l, r):
            self.set(x, t, c)
            self.set(x, b - 1, c)
        for y in range(t, b):
            self.set(l, y, c)
            self.set(r - 1, y, c)

    def sunk(self, l, t, r, b, inside=W):
        self.fill(l, t, r, b, inside)
        for x in range(l, r):
            self.set(x, t, GRAY)
            self.set(x, b - 1, W if inside != W else SILVER)
        for y in range(t, b):
            self.set(l, y, GRAY)
            self.set(r - 1, y, W if inside != W else SILVER)

    def raised(self, l, t, r, b):
        self.fill(l, t, r, b, SILVER)
        for x in range(l, r):
            self.set(x, t, W)
            self.set(x, b - 1, K)
        for y in range(t, b):
            self.set(l, y, W)
            self.set(r - 1, y, K)

    def line(self, x0, y0, x1, y1, c):
        n = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(n + 1):
            self.set(x0 + (x1 - x0) * i // n, y0 + (y1 - y0) * i // n, c)

    def tri(self, pts, c):
        ys = [p[1] for p in pts]
        for y in range(min(ys), max(ys) + 1):
            xs = []
            for i in range(3):
                (xa, ya), (xb, yb) = pts[i], pts[(i + 1) % 3]
                if ya != yb and min(ya, yb) <= y <= max(ya, yb):
                    xs.append(xa + (xb - xa) * (y - ya) / (yb - ya))
            if xs:
                for x in range(int(min(xs) + 0.5), int(max(xs) + 0.5) + 1):
                    self.set(x, y, c)

    def text_lines(self, l, t, r, n, c=K, step=3):
        for i in range(n):
            self.line(l, t + i * step, r - (i % 2) * 3, t + i * step, c)


def glyph(kind, p):
    """Draws the picture of one control kind on a 24 x 24 picture."""
    if kind == 'button':
        p.raised(2, 6, 22, 18)
        p.line(7, 12, 16, 12, K)
    elif kind == 'edit':
        p.sunk(1, 7, 23, 17)
        p.line(4, 9, 4, 14, K)
    elif kind == 'memo':
        p.sunk(1, 2, 23, 22)
        p.text_lines(4, 5, 15, 5)
        p.fill(17, 3, 22, 21, SILVER)
    elif kind == 'check':
        p.sunk(4, 4, 20, 20)
        p.line(7, 11, 10, 15, K)
        p.line(10, 15, 16, 7, K)
        p.line(7, 12, 10, 16, K)
        p.line(10, 16, 16, 8, K)
    elif kind == 'radio':
        for y in range(24):
            for x in range(24):
                d = (x - 11.5) ** 2 + (y - 11.5) ** 2
                if d < 49:
                    p.set(x, y, W)
                elif d < 72:
                    p.set(x, y, GRAY)
                if d < 12:
                    p.set(x, y, K)
    elif kind == 'radiogroup':
        p.frame(1, 2, 23, 22, GRAY)
        for i, y in enumerate((6, 12, 18)):
            p.fill(4, y - 2, 8, y + 2, W if i else K)
            p.frame(4, y - 2, 8, y + 2, GRAY)
            p.line(10, y, 19, y, K)
    elif kind == 'combo':
        p.sunk(1, 7, 23, 17)
        p.raised(15, 8, 22, 16)
        p.tri([(16, 10), (20, 10), (18, 13)], K)
    elif kind == 'list':
        p.sunk(1, 2, 23, 22)
        p.fill(3, 7, 21, 10, NAVY)
        p.text_lines(4, 5, 18, 5)
        p.line(4, 8, 18, 8, W)
    elif kind == 'label':
        p.line(6, 18, 11, 5, K)
        p.line(11, 5, 16, 18, K)
        p.line(8, 13, 14, 13, K)
    elif kind == 'link':
        p.line(3, 10, 20, 10, BLUE)
        p.line(3, 12, 20, 12, BLUE)
        p.line(3, 15, 20, 15, BLUE)
    elif kind == 'image':
        p.fill(2, 3, 22, 21, AQUA)
        p.frame(2, 3, 22, 21, K)
        p.tri([(4, 19), (11, 9), (17, 19)], GREEN)
        p.fill(15, 6, 19, 10, YELLOW)
    elif kind == 'grid':
        p.fill(2, 3, 22, 21, W)
        p.fill(2, 3, 22, 7, SILVER)
        for x in (2, 9, 15, 21):
            p.line(x, 3, x, 20, K)
        for y in (3, 7, 11, 15, 20):
            p.line(2, y, 21, y, K)
    elif kind == 'timer':
        for y in range(24):
            for x in range(24):
                if (x - 11.5) ** 2 + (y - 12.5) ** 2 < 80:
                    p.set(x, y, W)
        p.line(12, 12, 12, 6, K)
        p.line(12, 12, 16, 14, K)
        p.fill(10, 1, 14, 3, K)
    elif kind == 'rule':
        p.fill(2, 11, 22, 14, K)
    elif kind == 'rect':
        p.fill(3, 5, 21, 19, TEAL)
        p.frame(3, 5, 21, 19, K)
    elif kind == 'region':
        p.frame(2, 2, 22, 22, NAVY)
        p.frame(4, 4, 20, 20, GRAY)
    elif kind == 'tab':
        p.fill(2, 8, 22, 21, SILVER)
        p.frame(2, 8, 22, 21, K)
        p.frame(2, 3, 10, 9, K)
        p.frame(10, 4, 17, 9, GRAY)
    elif kind == 'tree':
        p.line(5, 4, 5, 19, GRAY)
        for y in (8, 13, 19):
            p.line(5, y, 10, y, GRAY)
            p.fill(11, y - 2, 19, y + 2, NAVY)
        p.fill(3, 2, 8, 6, NAVY)
    elif kind == 'navigator':
        for i, x in enumerate((1, 9, 17)):
            p.raised(x, 7, x + 7, 17)
        p.tri([(6, 9), (3, 12), (6, 15)], K)
        p.tri([(19, 9), (22, 12), (19, 15)], K)
        p.fill(11, 11, 14, 13, K)
    elif kind == 'chart':
        p.fill(2, 2, 22, 22, W)
        p.frame(2, 2, 22, 22, K)
        p.fill(5, 12, 8, 21, RED)
        p.fill(10, 7, 13, 21, BLUE)
        p.fill(15, 15, 18, 21, GREEN)
    elif kind == 'file':
        p.sunk(1, 7, 14, 17)
        p.raised(15, 7, 23, 17)
        p.fill(17, 11, 18, 12, K)
        p.fill(19, 11, 20, 12, K)
    elif kind == 'progress':
        p.sunk(1, 8, 23, 16)
        p.fill(2, 9, 14, 15, NAVY)
    elif kind == 'menu':
        p.fill(2, 3, 22, 8, NAVY)
        p.fill(2, 8, 14, 21, W)
        p.frame(2, 8, 14, 21, K)
        p.text_lines(4, 11, 12, 3)
    elif kind == 'calendar':
        p.fill(2, 3, 22, 21, W)
        p.fill(2, 3, 22, 8, RED)
        for y in (10, 14, 18):
            for x in (4, 9, 14, 19):
                p.fill(x, y, x + 2, y + 2, K)
    elif kind == 'text':
        p.text_lines(3, 5, 21, 5, step=3)
    elif kind == 'media':
        p.fill(2, 4, 22, 20, K)
        p.tri([(9, 8), (9, 16), (16, 12)], W)
    elif kind == 'form':
        p.fill(2, 2, 22, 22, W)
        p.fill(2, 2, 22, 6, NAVY)
        p.frame(2, 2, 22, 22, K)
        p.frame(5, 9, 19, 19, GRAY)
    else:  # non-visual: a small box with a gear-like mark
        p.raised(3, 3, 21, 21)
        p.fill(8, 8, 16, 16, NAVY)
        p.fill(10, 10, 14, 14, SILVER)


KINDS = [  # first match wins
    ('Navigator', 'navigator'), ('RadioGroup', 'radiogroup'), ('RadioButton', 'radio'), ('CheckBox', 'check'),
    ('ImageList', 'component'), ('ImageButton', 'button'), ('Image', 'image'), ('ComboBox', 'combo'),
    ('Listbox', 'list'), ('ListBox', 'list'), ('Label', 'label'), ('Button', 'button'), ('TimeEdit', 'edit'),
    ('Edit', 'edit'), ('Memo', 'memo'), ('HRule', 'rule'), ('Rectangle', 'rect'), ('Region', 'region'),
    ('TabControl', 'tab'), ('TabPage', 'tab'), ('TreeView', 'tree'), ('Chart', 'chart'), ('DynGrid', 'grid'),
    ('Grid', 'grid'), ('Timer', 'timer'), ('ProgressBar', 'progress'), ('Menu', 'menu'), ('Calendar', 'calendar'),
    ('File', 'file'), ('Link', 'link'), ('URL', 'link'), ('Text', 'text'), ('List', 'list'), ('Flash', 'media'),
    ('MPEG', 'media'), ('QuickTime', 'media'), ('ActiveX', 'media'), ('Applet', 'media'),
    ('LayoutMgrForm', 'form'),
]


def kind_of(name):
    for part, kind in KINDS:
        if part in name:
            return kind
    return 'component'


def class_picture(name):
    p = Pic()
    glyph(kind_of(name), p)
    # the look: 3.2 controls get a blue corner, WAP controls a green one
    if name.endswith('32'):
        p.fill(19, 0, 24, 5, BLUE)
    elif name.endswith('WAP'):
        p.fill(19, 0, 24, 5, GREEN)
    return p.p


def nav_picture(what, w=24, h=24):
    p = Pic(w, h, bg=SILVER)
    cx, cy = w // 2, h // 2
    if what == 'first':
        p.fill(5, 6, 7, 18, K)
        p.tri([(16, 6), (8, 12), (16, 18)], K)
    elif what == 'prior':
        p.tri([(15, 6), (7, 12), (15, 18)], K)
    elif what == 'next':
        p.tri([(9, 6), (17, 12), (9, 18)], K)
    elif what == 'last':
        p.tri([(8, 6), (16, 12), (8, 18)], K)
        p.fill(17, 6, 19, 18, K)
    elif what == 'insert':
        p.fill(cx - 1, 6, cx + 2, 18, K)
        p.fill(6, cy - 1, 18, cy + 2, K)
    elif what == 'delete':
        p.fill(6, cy - 1, 18, cy + 2, K)
    elif what == 'edit':
        p.tri([(12, 5), (6, 17), (18, 17)], K)
    elif what == 'post':
        p.line(3, cy, 7, h - 3, GREEN)
        p.line(7, h - 3, w - 3, 2, GREEN)
        p.line(4, cy, 8, h - 3, GREEN)
    elif what == 'cancel':
        p.line(3, 3, w - 4, h - 4, RED)
        p.line(w - 4, 3, 3, h - 4, RED)
        p.line(4, 3, w - 3, h - 4, RED)
        p.line(w - 3, 3, 4, h - 4, RED)
    elif what == 'refresh':
        for y in range(h):
            for x in range(w):
                d = (x - cx) ** 2 + (y - cy) ** 2
                if 16 < d < 42 and not (x > cx and y < cy):
                    p.set(x, y, GREEN)
        p.tri([(cx, 1), (w - 2, cy - 2), (cx + 1, cy)], GREEN)
    return p.p


def radio(checked):
    p = Pic(12, 12, bg=SILVER)
    for y in range(12):
        for x in range(12):
            d = (x - 5.5) ** 2 + (y - 5.5) ** 2
            if d < 20:
                p.set(x, y, W)
            elif d < 31:
                p.set(x, y, GRAY)
            if checked and d < 5:
                p.set(x, y, K)
    return p.p


def to_rgb(pixels):
    return [[PAL[c] for c in row] for row in pixels]


def main():
    os.makedirs(OUT, exist_ok=True)
    names = []
    for line in open(CLASSES):
        m = re.match(r'QZ_CLASS\((\w+), [\w:]+, ([AVNP])\)', line)
        if m and m.group(2) in 'VN':
            names.append(m.group(1))
    files = {}
    for n in names:
        files[n.upper()] = bmp(class_picture(n))
    files['BLANK'] = bmp(Pic().p)
    files['TQZLAYOUTMGR_BLANK'] = bmp(Pic(bg=W).p)
    link = Pic()
    glyph('link', link)
    files['OLDLINK'] = bmp(link.p)
    pic = Pic()
    glyph('image', pic)
    files['OLDPICTURE'] = bmp(pic.p)
    files['RADIOBUTTONCHECKED'] = bmp(radio(True))
    files['RADIOBUTTONUNCHECKED'] = bmp(radio(False))
    for what in ('first', 'prior', 'next', 'last', 'insert', 'delete', 'edit', 'post', 'cancel', 'refresh'):
        files['QZ_DT_DBNAV_' + what.upper()] = bmp(nav_picture(what), bits=8)
    files['QZ_POST'] = bmp(to_rgb(nav_picture('post', 17, 13)), bits=24)
    files['QZ_CANCEL'] = bmp(to_rgb(nav_picture('cancel', 17, 16)), bits=24)
    files['QZ_REFRESH'] = bmp(to_rgb(nav_picture('refresh', 17, 17)), bits=24)
    splash = Pic(48, 45, bg=NAVY)
    splash.fill(6, 6, 42, 39, W)
    glyph('form', splash)
    splash.fill(26, 20, 40, 36, TEAL)
    files['QZSPLASH'] = bmp(splash.p, bits=8)
    logo = Pic(240, 36, bg=NAVY)
    for i in range(8):
        logo.fill(8 + i * 28, 8, 28 + i * 28, 28, TEAL if i % 2 else AQUA)
    files['QZ_WIZARD_LOGO'] = bmp(logo.p, bits=8)
    for old in os.listdir(OUT):
        if old.endswith('.bmp') and old[:-4] not in files:
            os.remove(os.path.join(OUT, old))
    for name, data in files.items():
        with open(os.path.join(OUT, name + '.bmp'), 'wb') as f:
            f.write(data)
    print(f'{len(files)} bitmaps in {os.path.normpath(OUT)}')


if __name__ == '__main__':
    sys.exit(main())
