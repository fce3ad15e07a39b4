"""Tests for the rasteriser, the file writers and the drawn art."""

import os
import re
import struct
import sys
import unittest
import zlib

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import artlib  # noqa: E402
from artlib import Canvas, Image, coverage, hole, hstrip  # noqa: E402
import draw_art  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))


def parse_ico(data):
    """Entries of an ICO: list of dicts with header fields and pixel access."""
    reserved, kind, count = struct.unpack_from('<HHH', data, 0)
    assert (reserved, kind) == (0, 1)
    out = []
    for i in range(count):
        w, h, colors, res, planes, bpp, size, off = struct.unpack_from(
            '<BBBBHHII', data, 6 + 16 * i)
        bih = struct.unpack_from('<IiiHHIIiiII', data, off)
        out.append(dict(w=w or 256, h=h or 256, bpp=bpp, size=size, off=off,
                        planes=planes, bih=bih))
    return out


def ico_pixel(data, e, x, y):
    """(b, g, r[, a], masked) of pixel (x, y), y counted from the top."""
    w, h, bpp = e['w'], e['h'], e['bpp']
    base = e['off'] + 40
    stride = (w * bpp // 8 + 3) & ~3
    row = h - 1 - y
    p = base + row * stride + x * bpp // 8
    px = tuple(data[p:p + bpp // 8])
    mstride = ((w + 31) // 32) * 4
    m = base + stride * h + row * mstride
    masked = bool(data[m + x // 8] & (0x80 >> (x % 8)))
    return px, masked


def png_pixels(data):
    """Decode an 8-bit RGBA PNG written with filter 0."""
    assert data[:8] == b'\x89PNG\r\n\x1a\n'
    pos, idat, w = 8, b'', 0
    while pos < len(data):
        n, tag = struct.unpack_from('>I4s', data, pos)
        body = data[pos + 8:pos + 8 + n]
        crc, = struct.unpack_from('>I', data, pos + 8 + n)
        assert crc == zlib.crc32(tag + body) & 0xffffffff
        if tag == b'IHDR':
            w, h = struct.unpack_from('>II', body)
        elif tag == b'IDAT':
            idat += body
        pos += 12 + n
    raw = zlib.decompress(idat)
    rows = [raw[y * (w * 4 + 1) + 1:(y + 1) * (w * 4 + 1)] for y in range(h)]
    assert all(raw[y * (w * 4 + 1)] == 0 for y in range(h))
    return w, h, rows


class Coverage(unittest.TestCase):

    def test_pixel_aligned_rect_is_exact(self):
        c = Canvas(8)
        m = c.mask(c.rect(2, 3, 3, 2))
        for y in range(8):
            for x in range(8):
                want = 1.0 if 2 <= x < 5 and 3 <= y < 5 else 0.0
                self.assertAlmostEqual(m[y * 8 + x], want, places=6, msg=(x, y))

    def test_half_pixel_edges_give_half_coverage(self):
        c = Canvas(6)
        m = c.mask(c.rect(1.5, 1.5, 3, 3))
        self.assertAlmostEqual(m[1 * 6 + 1], 0.25, places=6)
        self.assertAlmostEqual(m[1 * 6 + 2], 0.5, places=6)
        self.assertAlmostEqual(m[2 * 6 + 2], 1.0, places=6)

    def test_circle_area(self):
        c = Canvas(40)
        m = c.mask(c.circle(20, 20, 15))
        self.assertAlmostEqual(sum(m), 3.14159265 * 225, delta=2.0)

    def test_winding_direction_does_not_matter(self):
        c = Canvas(10)
        pts = [(1, 1), (8, 2), (6, 9)]
        a = c.mask([pts])
        b = c.mask([list(reversed(pts))])
        self.assertEqual(a, b)
        self.assertGreater(sum(a), 20)

    def test_overlap_is_a_union_not_a_sum(self):
        c = Canvas(10)
        m = c.mask(c.rect(0, 0, 6, 6) + c.rect(3, 3, 6, 6))
        self.assertEqual(max(m), 1.0)
        self.assertAlmostEqual(sum(m), 36 + 36 - 9, places=6)

    def test_hole_cuts(self):
        c = Canvas(10)
        m = c.mask(c.rect(0, 0, 10, 10) + hole(c.rect(2, 2, 4, 4)))
        self.assertEqual(m[3 * 10 + 3], 0.0)
        self.assertEqual(m[8 * 10 + 8], 1.0)
        self.assertAlmostEqual(sum(m), 100 - 16, places=6)

    def test_off_canvas_parts_are_clipped(self):
        c = Canvas(4)
        m, box = coverage(c.rect(-5, -5, 7, 20), 4, 4)
        self.assertEqual(box, (0, 0, 2, 4))
        self.assertAlmostEqual(sum(m), 8.0, places=6)
        _, box = coverage(c.rect(10, 10, 2, 2), 4, 4)
        self.assertIsNone(box)

    def test_stroke_width_and_joins(self):
        c = Canvas(20)
        m = c.mask(c.stroke([(2, 10), (18, 10)], 2, cap='butt'))
        self.assertAlmostEqual(sum(m), 32.0, places=4)
        # a right-angle corner: the miter fills the outer corner pixel fully,
        # a round join leaves it partly empty
        pts = [(4, 16), (4, 4), (16, 4)]
        miter = c.mask(c.stroke(pts, 4, cap='butt', join='miter'))
        rnd = c.mask(c.stroke(pts, 4, cap='butt', join='round'))
        corner = 2 * 20 + 2
        self.assertAlmostEqual(miter[corner], 1.0, places=4)
        self.assertLess(rnd[corner], 0.9)

    def test_transform_rotation_about_centre(self):
        c = Canvas(10)
        with c.saved():
            c.rotate(90, 5, 5)
            x, y = c.pt(8, 5)
        self.assertAlmostEqual(x, 5.0)
        self.assertAlmostEqual(y, 8.0)
        self.assertEqual(c.pt(8, 5), (8.0, 5.0))   # restored

    def test_unit_scales_design_to_pixels(self):
        c = Canvas(16, unit=0.5)
        m = c.mask(c.rect(4, 4, 8, 8))
        self.assertAlmostEqual(sum(m), 16.0, places=6)
        self.assertAlmostEqual(c.px(1), 2.0)


class Compositing(unittest.TestCase):

    def pixel(self, c, x, y):
        return tuple(c.image().px[(y * c.w + x) * 4:(y * c.w + x) * 4 + 4])

    def test_half_red_over_blue(self):
        c = Canvas(2)
        c.fill(c.rect(0, 0, 2, 2), (0, 0, 255))
        c.fill(c.rect(0, 0, 2, 2), (255, 0, 0, 128))
        r, g, b, a = self.pixel(c, 0, 0)
        self.assertEqual(a, 255)
        self.assertTrue(abs(r - 128) <= 1 and abs(b - 127) <= 1 and g == 0)

    def test_output_is_straight_alpha(self):
        c = Canvas(2)
        c.fill(c.rect(0, 0, 2, 2), (200, 100, 50, 128))
        self.assertEqual(self.pixel(c, 1, 1), (200, 100, 50, 128))

    def test_erase_and_atop(self):
        c = Canvas(4)
        c.fill(c.rect(0, 0, 2, 4), (0, 0, 255))
        c.fill(c.rect(0, 0, 4, 4), (255, 0, 0), op='atop')
        self.assertEqual(self.pixel(c, 0, 0), (255, 0, 0, 255))
        self.assertEqual(self.pixel(c, 3, 0)[3], 0)   # atop adds nothing
        c.fill(c.rect(0, 2, 4, 2), (0, 0, 0), op='erase')
        self.assertEqual(self.pixel(c, 0, 3)[3], 0)

    def test_gradient_runs_between_its_ends(self):
        c = Canvas(10, 1)
        c.fill(c.rect(0, 0, 10, 1), c.linear(0, 0, 10, 0, [(0, (0, 0, 0)),
                                                           (1, (250, 0, 0))]))
        reds = [self.pixel(c, x, 0)[0] for x in range(10)]
        self.assertEqual(reds, sorted(reds))
        self.assertTrue(reds[0] < 20 and reds[-1] > 230)

    def test_hstrip_places_images_in_order(self):
        a = Image(2, 2, bytes([1, 0, 0, 255]) * 4)
        b = Image(3, 2, bytes([2, 0, 0, 255]) * 6)
        s = hstrip([a, b])
        self.assertEqual((s.w, s.h), (5, 2))
        self.assertEqual([s.px[(1 * 5 + x) * 4] for x in range(5)], [1, 1, 2, 2, 2])
        with self.assertRaises(ValueError):
            hstrip([a, Image(2, 3)])


class Writers(unittest.TestCase):

    def sample(self, w, h):
        img = Image(w, h)
        for y in range(h):
            for x in range(w):
                a = 0 if x == 0 else (100 if x == 1 else 255)
                img.px[(y * w + x) * 4:(y * w + x) * 4 + 4] = bytes((x * 7 % 256, y, 90, a))
        return img

    def test_ico_32bpp_layout_and_mask(self):
        img = self.sample(90, 90)
        data = artlib.ico_bytes([(img, 32), (self.sample(16, 16), 32)])
        e = parse_ico(data)
        self.assertEqual([(x['w'], x['h'], x['bpp']) for x in e],
                         [(90, 90, 32), (16, 16, 32)])
        self.assertEqual(e[0]['off'], 6 + 32)
        self.assertEqual(e[1]['off'], e[0]['off'] + e[0]['size'])
        self.assertEqual(e[1]['off'] + e[1]['size'], len(data))
        self.assertEqual(e[0]['bih'][:6], (40, 90, 180, 1, 32, 0))
        # 90 px: colour rows 360 bytes, mask rows padded to 12 bytes
        self.assertEqual(e[0]['size'], 40 + 90 * 360 + 90 * 12)
        for x, y in ((0, 0), (1, 5), (5, 89), (89, 3)):
            (b, g, r, a), masked = ico_pixel(data, e[0], x, y)
            self.assertEqual((r, g, b), (x * 7 % 256, y, 90))   # top row stays on top
            self.assertEqual(masked, a == 0)

    def test_ico_24bpp_masks_and_mattes(self):
        img = self.sample(33, 4)
        data = artlib.ico_bytes([(img, 24)], matte=(180, 200, 255))
        e = parse_ico(data)[0]
        self.assertEqual(e['bpp'], 24)
        self.assertEqual(e['size'], 40 + 4 * 100 + 4 * 8)   # 99 -> 100, 33 bits -> 8
        self.assertEqual(ico_pixel(data, e, 0, 0), ((0, 0, 0), True))
        self.assertEqual(ico_pixel(data, e, 1, 0), ((0, 0, 0), True))   # alpha 100
        self.assertEqual(ico_pixel(data, e, 2, 2), ((90, 2, 14), False))
        half = Image(1, 1, bytes((0, 0, 0, 128)))
        d2 = artlib.ico_bytes([(half, 24)], matte=(180, 200, 255))
        (b, g, r), masked = ico_pixel(d2, parse_ico(d2)[0], 0, 0)
        self.assertFalse(masked)
        self.assertTrue(80 <= r <= 95 and 120 <= b <= 130)

    def test_bmp_is_bottom_up_straight_bgra(self):
        img = Image(3, 2)
        img.px[0:4] = bytes((200, 100, 50, 128))        # top-left
        data = artlib.bmp_bytes(img)
        magic, size, _, _, off = struct.unpack_from('<2sIHHI', data, 0)
        bih = struct.unpack_from('<IiiHHIIiiII', data, 14)
        self.assertEqual((magic, size, off), (b'BM', len(data), 54))
        self.assertEqual(bih[:6], (40, 3, 2, 1, 32, 0))
        self.assertEqual(bih[6], 3 * 2 * 4)
        # top row is stored last; the colour is not multiplied by alpha
        self.assertEqual(tuple(data[54 + 12:54 + 16]), (50, 100, 200, 128))

    def test_png_round_trip(self):
        img = self.sample(5, 3)
        w, h, rows = png_pixels(artlib.png_bytes(img))
        self.assertEqual((w, h), (5, 3))
        self.assertEqual(b''.join(rows), bytes(img.px))

    def test_font_digits_are_distinct(self):
        seen = set()
        for d in '0123456789':
            img = Image(4, 5)
            artlib.text(img, 0, 0, d, (0, 0, 0))
            seen.add(bytes(img.px))
        self.assertEqual(len(seen), 10)


class Art(unittest.TestCase):
    """Checks on what draw_art actually writes."""

    @classmethod
    def setUpClass(cls):
        cls.files, _ = draw_art.build()

    def entries(self, iid):
        data = self.files['icons/%d.ico' % iid]
        return data, parse_ico(data)

    def test_every_icon_has_its_sizes_and_depth(self):
        ribbon = [385, 377, 378, 376, 375, 374, 311, 335, 343, 382, 380, 391,
                  388, 314, 315, 310, 312, 313, 339, 340, 341, 390, 372, 373, 392,
                  396]
        for iid in ribbon:
            _, e = self.entries(iid)
            self.assertEqual(sorted((x['w'], x['h'], x['bpp']) for x in e),
                             [(16, 16, 32), (32, 32, 32)], iid)
        for iid in (349, 368, 364, 367, 351, 365, 352, 369, 363, 366, 397, 398):
            _, e = self.entries(iid)
            self.assertIn((90, 90, 32), [(x['w'], x['h'], x['bpp']) for x in e], iid)
        _, e = self.entries(355)
        self.assertIn((64, 64, 24), [(x['w'], x['h'], x['bpp']) for x in e])
        self.assertTrue(all(x['bpp'] == 24 for x in e))
        _, e = self.entries(128)
        self.assertTrue({16, 32, 48} <= {x['w'] for x in e})

    def test_mask_matches_alpha_in_every_32bpp_entry(self):
        for name, data in self.files.items():
            if not name.endswith('.ico'):
                continue
            for e in parse_ico(data):
                if e['bpp'] != 32:
                    continue
                opaque = 0
                for y in range(e['h']):
                    for x in range(e['w']):
                        (b, g, r, a), masked = ico_pixel(data, e, x, y)
                        self.assertEqual(masked, a == 0, (name, e['w'], x, y))
                        opaque += a > 128
                # recognisable: a real share of the square is drawn
                self.assertGreater(opaque, e['w'] * e['h'] // 10, (name, e['w']))

    def test_bitmap_sizes(self):
        sizes = {}
        for bid in (110, 111, 112, 113):
            bih = struct.unpack_from('<IiiHHIIiiII', self.files['bitmaps/%d.bmp' % bid], 14)
            self.assertEqual(bih[4], 32)
            sizes[bid] = (bih[1], bih[2])
        self.assertEqual(sizes[110], (12 * 16, 16))
        self.assertEqual(sizes[111], (12 * 32, 32))
        self.assertEqual(sizes[112], (32, 32))
        self.assertEqual(sizes[113][1], 16)
        self.assertGreaterEqual(sizes[113][0], 28 * 16)

    def test_active_home_buttons_are_more_colourful(self):
        def colourfulness(iid):
            data, e = self.entries(iid)
            e = [x for x in e if x['w'] == 90][0]
            total = 0
            for y in range(0, 90, 2):
                for x in range(0, 90, 2):
                    (b, g, r, a), _ = ico_pixel(data, e, x, y)
                    total += (max(r, g, b) - min(r, g, b)) * a
            return total
        for idle, active in ((349, 368), (364, 367), (351, 365), (352, 369), (363, 366),
                             (397, 398)):
            self.assertGreater(colourfulness(active), 1.2 * colourfulness(idle),
                               (idle, active))

    def test_lamp_on_is_lit_green_and_off_is_dark_grey(self):
        for size in (16, 32):
            on = draw_art.render(314, size)
            off = draw_art.render(315, size)
            c = (size // 2 * size + size // 2) * 4
            r, g, b, a = on.px[c:c + 4]
            self.assertTrue(g > 150 and g > r + 60 and g > b + 40, (size, r, g, b))
            r, g, b, a = off.px[c:c + 4]
            self.assertTrue(max(r, g, b) - min(r, g, b) < 30 and g < 140, (size, r, g, b))
            # only the lit lamp glows beyond the rim
            edge = (size // 2 * size + 0) * 4
            self.assertGreater(on.px[edge + 3], off.px[edge + 3])

    def test_arrows_point_the_right_way(self):
        def white_mass(img, left):
            m = 0
            for y in range(img.h):
                for x in range(img.w // 2) if left else range(img.w // 2, img.w):
                    j = (y * img.w + x) * 4
                    m += min(img.px[j:j + 3]) > 230 and img.px[j + 3] > 200
            return m
        for size in (16, 32):
            back = draw_art.render(377, size)
            fwd = draw_art.render(378, size)
            # the arrow head is the heavy end
            self.assertGreater(white_mass(back, True), white_mass(back, False))
            self.assertGreater(white_mass(fwd, False), white_mass(fwd, True))

    def test_chevrons_point_up_and_down(self):
        def apex_row(img):
            def top(x):
                return min(y for y in range(img.h) if img.px[(y * img.w + x) * 4 + 3] > 128)
            return top(img.w // 2), top(img.w * 3 // 10)
        for size in (16, 32):
            mid_up, side_up = apex_row(draw_art.render(372, size))
            mid_dn, side_dn = apex_row(draw_art.render(373, size))
            self.assertLess(mid_up, side_up, size)      # middle higher: points up
            self.assertGreater(mid_dn, side_dn, size)   # middle lower: points down

    def test_archive_box_shows_a_white_label_on_amber(self):
        for size in (16, 32):
            img = draw_art.render(396, size)
            def at(x, y):
                j = (int(y * size / 32) * size + int(x * size / 32)) * 4
                return img.px[j:j + 4]
            if size == 32:  # at 16 px the label's line blurs over it
                r, g, b, a = at(14, 20.5)
                self.assertTrue(min(r, g, b) > 200 and a > 200, (size, r, g, b, a))
            r, g, b, a = at(6, 27)
            self.assertTrue(r > b + 80 and a > 200, (size, r, g, b, a))
            self.assertLess(at(1, 30)[3], 60, size)  # the corner outside the box stays clear

    def test_committed_files_match_the_script(self):
        root = os.path.dirname(HERE)
        for name, data in self.files.items():
            with open(os.path.join(root, name), 'rb') as f:
                self.assertTrue(f.read() == data, name + ' is stale: rerun draw_art.py')

    def test_readme_documents_the_strip_orders(self):
        with open(os.path.join(HERE, 'README.md'), encoding='utf-8') as f:
            doc = f.read()
        strips = doc.split('Order of 110')[1].split('Order of 113')
        ribbon = re.findall(r'^\| (\d+) \| (\d+) \|', strips[0], re.M)
        panel = re.findall(r'^\| (\d+) \| (\w+) \|', strips[1], re.M)
        self.assertEqual([int(i) for _, i in ribbon], draw_art.RIBBON)
        self.assertEqual([int(n) for n, _ in ribbon], list(range(len(draw_art.RIBBON))))
        self.assertEqual([k for _, k in panel], [str(k) for k in draw_art.PANEL])
        self.assertEqual(draw_art.PANEL[7], 'compass')
        self.assertEqual(draw_art.PANEL[27], 'exchange')


if __name__ == '__main__':
    unittest.main()
