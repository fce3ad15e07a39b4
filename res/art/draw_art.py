#!/usr/bin/python3
"""Draws every icon and bitmap of wardDesk into res/icons and res/bitmaps.

Run from anywhere: /usr/bin/python3 res/art/draw_art.py
The output is committed, so building the program needs none of this.
Pictograms are drawn on a 32-unit design grid; edges sit on even units so
they land on whole pixels at both 16 and 32 px.
"""

import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from artlib import (Canvas, bmp_bytes, hole, hstrip, ico_bytes,  # noqa: E402
                    mix, png_bytes, signed_area, text)

HERE = os.path.dirname(os.path.abspath(__file__))
RES = os.path.dirname(HERE)

# ------------------------------------------------------------------ palette
INK = (38, 50, 62)
SLATE = (84, 104, 122)
GREY = (150, 166, 180)
SILVER = (212, 220, 228)
PAPER = (255, 255, 255)
PAPER2 = (232, 238, 245)
BLUE = (30, 112, 214)
BLUE_D = (14, 66, 150)
BLUE_L = (96, 164, 240)
NAVY = (0, 50, 183)
GREEN = (34, 162, 84)
GREEN_D = (16, 108, 54)
GREEN_L = (96, 212, 132)
RED = (222, 56, 52)
RED_D = (150, 26, 30)
RED_L = (246, 112, 100)
AMBER = (246, 180, 46)
AMBER_D = (182, 116, 10)
TAN = (206, 150, 92)
TAN_D = (134, 88, 44)
SCREEN = (18, 42, 58)
TRACE = (72, 236, 132)

# outline width in device pixels for each rendered size
OLPX = {16: 1.0, 20: 1.0, 24: 1.0, 32: 1.0, 48: 1.5, 64: 2.0, 90: 2.5}


def canvas(size):
    c = Canvas(size, unit=size / 32.0)
    c.size = size
    c.small = size < 24
    c.olpx = OLPX.get(size, max(1.0, size / 32.0))
    return c


def ol(c):
    return c.px(c.olpx)


# ----------------------------------------------------------------- helpers

def inset(pts, t):
    """Offset a simple polygon inwards by t (design units)."""
    s = 1.0 if signed_area(pts) > 0 else -1.0
    n = len(pts)
    lines = []
    for i in range(n):
        (x0, y0), (x1, y1) = pts[i], pts[(i + 1) % n]
        L = math.hypot(x1 - x0, y1 - y0)
        ux, uy = (x1 - x0) / L, (y1 - y0) / L
        lines.append((x0 - uy * s * t, y0 + ux * s * t, ux, uy))
    out = []
    for i in range(n):
        px, py, ux, uy = lines[i - 1]
        qx, qy, vx, vy = lines[i]
        den = ux * vy - uy * vx
        if abs(den) < 1e-9:
            out.append((qx, qy))
            continue
        a = ((qx - px) * vy - (qy - py) * vx) / den
        out.append((px + ux * a, py + uy * a))
    return out


def vgrad(c, y0, y1, top, bottom):
    return c.linear(0, y0, 0, y1, [(0, top), (1, bottom)])


def opoly(c, pts, fill, edge, small=None):
    """Outlined polygon; at 16 px thin shapes pass a plain colour instead,
    since a 1 px outline would swallow them."""
    if c.small and small is not None:
        c.fill(c.poly(pts), small)
        return
    c.fill(c.poly(pts), edge)
    c.fill(c.poly(inset(pts, ol(c))), fill)


def orect(c, x, y, w, h, r, fill, edge):
    t = ol(c)
    c.fill(c.rrect(x, y, w, h, r), edge)
    ri = tuple(max(0.0, v - t) for v in r) if isinstance(r, tuple) else max(0.0, r - t)
    c.fill(c.rrect(x + t, y + t, w - 2 * t, h - 2 * t, ri), fill)


def ocircle(c, cx, cy, r, fill, edge):
    c.fill(c.circle(cx, cy, r), edge)
    c.fill(c.circle(cx, cy, r - ol(c)), fill)


def arrow(ax, ay, bx, by, shaft, head, head_len):
    """Block arrow from A to tip B: shaft and head are half widths."""
    L = math.hypot(bx - ax, by - ay)
    ux, uy = (bx - ax) / L, (by - ay) / L
    nx, ny = -uy, ux
    hx, hy = bx - ux * head_len, by - uy * head_len
    return [(ax + nx * shaft, ay + ny * shaft), (hx + nx * shaft, hy + ny * shaft),
            (hx + nx * head, hy + ny * head), (bx, by),
            (hx - nx * head, hy - ny * head), (hx - nx * shaft, hy - ny * shaft),
            (ax - nx * shaft, ay - ny * shaft)]


def knockout(c, shape, gap_px=1.0):
    """Clear a gap around a shape so an overlapping badge reads apart."""
    grown = []
    for p in shape:
        grown += c.stroke([c_inv(c, q) for q in p], 2 * c.px(gap_px),
                          join='round', closed=True)
    c.fill(shape + grown, (0, 0, 0), op='erase')


def c_inv(c, q):
    """Pixel point back to design units (only translate/scale/rotate)."""
    a, b, cc, d, e, f = c.m
    det = a * d - b * cc
    x, y = q[0] - e, q[1] - f
    return ((d * x - cc * y) / det, (-b * x + a * y) / det)


def badge_circle(c, cx, cy, r, fill, edge):
    c.fill(c.circle(cx, cy, r + c.px(c.olpx)), (0, 0, 0), op='erase')
    ocircle(c, cx, cy, r, fill, edge)


def round_button(c, base, light, dark):
    """The round coloured button behind navigation and media glyphs."""
    ocircle(c, 16, 16, 14, vgrad(c, 2, 30, light, base), dark)


# --------------------------------------------------------------- pictograms

def d_home(c):
    ink = INK
    if c.small:
        orect(c, 6, 14, 20, 16, 0, PAPER, ink)           # walls
        c.fill(c.rect(14, 20, 4, 9), BLUE)              # door
    else:
        orect(c, 20, 4, 5, 10, 0, RED, RED_D)
        orect(c, 6, 14, 20, 16, 0, PAPER, ink)
        orect(c, 13, 19, 6, 10, 1, vgrad(c, 19, 29, BLUE_L, BLUE), BLUE_D)
        c.fill(c.rect(13, 29, 6, c.px(1)), BLUE_D)
    roof = [(16, 2), (31, 16), (29, 18), (16, 6), (3, 18), (1, 16)]
    c.fill(c.poly(roof), BLUE_D)
    c.fill(c.poly(inset(roof, ol(c))), BLUE)


def d_back(c, forward=False):
    round_button(c, BLUE, BLUE_L, BLUE_D)
    sh, hd = (2.0, 7.0) if c.small else (2.5, 7.5)
    if forward:
        pts = arrow(8, 16, 24, 16, sh, hd, 8)
    else:
        pts = arrow(24, 16, 8, 16, sh, hd, 8)
    c.fill(c.poly(pts), PAPER)


def d_forward(c):
    d_back(c, forward=True)


def table(c, x, y, w, h, rows, head=NAVY):
    """Sheet with a header band and grid lines."""
    t = ol(c)
    orect(c, x, y, w, h, 1.5, PAPER, INK)
    c.fill(c.rrect(x, y, w, 6, (1.5, 1.5, 0, 0)), head)
    step = (h - 6) / float(rows)
    for i in range(1, rows):
        yy = y + 6 + round(step * i / 2.0) * 2
        c.fill(c.rect(x + t, yy, w - 2 * t, t), GREY)
    col = x + round(w * 0.38 / 2.0) * 2
    c.fill(c.rect(col, y + 6, t, h - 6 - t), GREY)


def d_list(c):
    if c.small:
        table(c, 2, 4, 28, 24, 3)
    else:
        table(c, 2, 4, 28, 25, 4)


def d_trend(c):
    t = ol(c)
    orect(c, 2, 4, 28, 24, 1.5, PAPER, INK)
    if not c.small:
        for yy in (10, 16, 22):
            c.fill(c.rect(2 + t, yy, 28 - 2 * t, t), SILVER)
    if c.small:
        w2 = c.px(1.2)
        c.fill(c.stroke([(6, 19), (11, 13), (16, 17), (21, 9), (26, 13)], w2,
                        join='round'), RED)
        c.fill(c.stroke([(6, 24), (12, 21), (18, 23), (26, 19)], w2,
                        join='round'), BLUE)
        return
    w2 = 2.0
    c.fill(c.stroke([(5, 21), (10, 15), (15, 18), (20, 10), (27, 13)], w2,
                    join='round'), RED)
    c.fill(c.stroke([(5, 25), (11, 22), (17, 24), (27, 19)], w2,
                    join='round'), BLUE)
    if not c.small:
        for x, y in ((10, 15), (20, 10)):
            c.fill(c.circle(x, y, 2.0), RED)


def clipboard(c, x, y, w, h, board=TAN, board_edge=TAN_D):
    """Clipboard whose board spans (x, y, w, h); the clip sticks out above."""
    m = 4 if c.small else 3
    orect(c, x, y, w, h, 2, board, board_edge)
    p = (x + m, y + m, w - 2 * m, h - m - (2 if c.small else 3))
    cw = round(w * 0.5 / 2.0) * 2
    cx = x + (w - cw) / 2.0
    if c.small:
        c.fill(c.rect(*p), PAPER)
        c.fill(c.rect(cx, y - 2, cw, 4), SLATE)
        return p
    orect(c, p[0], p[1], p[2], p[3], 0.5, PAPER, mix(board_edge, (0, 0, 0), 0.1))
    orect(c, cx, y - 2, cw, 6, 1.5, vgrad(c, y - 2, y + 4, SILVER, GREY), INK)
    return p


def check(c, x, y, s, color=GREEN, width=None):
    """Check mark with its corner at (x, y) and size s."""
    w = width if width is not None else s * 0.34
    c.fill(c.stroke([(x - s * 0.42, y - s * 0.42), (x, y), (x + s * 0.72, y - s * 0.78)],
                    w, cap='round', join='round'), color)


def d_ward(c):
    clipboard(c, 6, 4, 20, 27 if not c.small else 26)
    if c.small:
        check(c, 14, 22, 10, GREEN_D, c.px(2))
    else:
        check(c, 14.5, 22.5, 10, GREEN, 3.0)


def d_start(c):
    round_button(c, GREEN, GREEN_L, GREEN_D)
    c.fill(c.poly([(12, 8.5), (24, 16), (12, 23.5)]), PAPER)
    c.fill(c.stroke([(12, 8.5), (24, 16), (12, 23.5)], 1.6, join='round',
                    closed=True), PAPER)


def d_stop(c):
    round_button(c, RED, RED_L, RED_D)
    c.fill(c.rrect(10, 10, 12, 12, 1.5), PAPER)


def monitor(c, x, y, w, h, wave=True, body=None):
    """Bedside monitor: bezel, dark screen with a pulse trace."""
    bz = 4.0 if c.small else 2.0
    orect(c, x, y, w, h, 2.5, body or vgrad(c, y, y + h, (150, 168, 184), SLATE), INK)
    sx, sy, sw, sh = x + bz, y + bz, w - 2 * bz, h - 2 * bz
    c.fill(c.rrect(sx, sy, sw, sh, 1), SCREEN)
    if wave:
        m = sy + sh * 0.55
        u = sw / 20.0
        pts = [(sx + 1 * u, m), (sx + 6 * u, m), (sx + 7.5 * u, m - sh * 0.15),
               (sx + 9 * u, m), (sx + 10 * u, m + sh * 0.18),
               (sx + 11.5 * u, m - sh * 0.42), (sx + 13 * u, m + sh * 0.3),
               (sx + 14.2 * u, m), (sx + 19 * u, m)]
        c.fill(c.stroke(pts, max(c.px(1.0), sh * 0.1), join='round'), TRACE)
    return (sx, sy, sw, sh)


def d_erase(c):
    if c.small:
        monitor(c, 0, 2, 28, 20)
    else:
        monitor(c, 1, 3, 26, 20)
    orect(c, 11, 23, 6, 3, 0, SLATE, INK)
    orect(c, 7, 25, 14, 3, 1, SLATE, INK)
    if c.small:
        xs = c.stroke([(18, 18), (28, 28)], c.px(2.2), cap='butt') + \
            c.stroke([(18, 28), (28, 18)], c.px(2.2), cap='butt')
        knockout(c, xs, 1.0)
        c.fill(xs, RED)
        return
    r = 7.5
    cx, cy = 23.5, 22.5
    badge_circle(c, cx, cy, r, vgrad(c, cy - r, cy + r, RED_L, RED), RED_D)
    a = r * 0.42
    c.fill(c.stroke([(cx - a, cy - a), (cx + a, cy + a)], c.px(1.4) if c.small else 2.4,
                    cap='round'), PAPER)
    c.fill(c.stroke([(cx - a, cy + a), (cx + a, cy - a)], c.px(1.4) if c.small else 2.4,
                    cap='round'), PAPER)


def page(c, x, y, w, h, fold=7):
    pts = [(x, y), (x + w - fold, y), (x + w, y + fold), (x + w, y + h), (x, y + h)]
    opoly(c, pts, PAPER, INK)
    f = [(x + w - fold, y), (x + w, y + fold), (x + w - fold, y + fold)]
    c.fill(c.poly(f), INK)
    c.fill(c.poly(inset(f, ol(c))), PAPER2)


def import_arrow(c):
    if c.small:
        pts = arrow(0, 22, 16, 22, 2.0, 6.0, 7)
    else:
        pts = arrow(1, 22.5, 17, 22.5, 2.5, 7.0, 8)
    knockout(c, c.poly(pts), c.olpx)
    opoly(c, pts, vgrad(c, 16, 30, BLUE_L, BLUE), BLUE_D, small=BLUE)


def d_import_mon(c):
    page(c, 8, 2, 20, 28)
    w = c.px(1.2) if c.small else 2.0
    pts = [(11, 13), (15, 13), (17, 8), (20, 18), (22, 13), (26, 13)]
    if c.small:
        pts = [(11, 13), (14, 13), (17, 7), (19, 17), (21, 13), (25, 13)]
    c.fill(c.stroke(pts, w, join='round'), RED)
    import_arrow(c)


def d_import_ward(c):
    page(c, 8, 2, 20, 28)
    if c.small:
        check(c, 17, 17, 10, GREEN_D, c.px(2))
    else:
        check(c, 18, 16, 10, GREEN, 3.0)
    import_arrow(c)


def d_zh(c):
    orect(c, 2, 2, 28, 28, 5, vgrad(c, 2, 30, RED_L, RED), RED_D)
    if c.small:   # pixel-exact glyph at 16 px (1 px = 2 units)
        c.fill(c.rect(6, 10, 20, 12) + hole(c.rect(10, 14, 12, 4)), PAPER)
        c.fill(c.rect(14, 5, 4, 22), PAPER)
    else:
        c.fill(c.rect(7, 10, 18, 12) + hole(c.rect(10, 13, 12, 6)), PAPER)
        c.fill(c.rect(14.5, 5, 3, 22), PAPER)


def d_en(c):
    orect(c, 2, 2, 28, 28, 5, vgrad(c, 2, 30, BLUE_L, BLUE), BLUE_D)
    if c.small:   # pixel-exact letters: E in px 3..6, N in px 9..12
        u = 2.0
        E = (c.rect(3 * u, 4 * u, u, 8 * u) + c.rect(3 * u, 4 * u, 4 * u, u) +
             c.rect(3 * u, 7 * u, 3 * u, u) + c.rect(3 * u, 11 * u, 4 * u, u))
        N = (c.rect(9 * u, 4 * u, u, 8 * u) + c.rect(12 * u, 4 * u, u, 8 * u) +
             c.poly([(9 * u, 4 * u), (10.2 * u, 4 * u), (13 * u, 12 * u), (11.8 * u, 12 * u)]))
        c.fill(E + N, PAPER)
    else:
        s = 3.0
        E = (c.rect(6, 8, s, 16) + c.rect(6, 8, 8.5, s) +
             c.rect(6, 14.5, 7.5, s) + c.rect(6, 21, 8.5, s))
        N = (c.rect(17, 8, s, 16) + c.rect(24, 8, s, 16) +
             c.poly([(17, 8), (20.4, 8), (27, 24), (23.6, 24)]))
        c.fill(E + N, PAPER)


def lamp(c, on):
    """Round indicator lamp; lit green with a glow, or dark grey."""
    cx = cy = 16
    if on:
        c.fill(c.circle(cx, cy, 16), c.radial(cx, cy, 16, [
            (0.5, (60, 230, 100, 230)), (0.75, (70, 235, 110, 110)),
            (1.0, (80, 240, 120, 0))]))
    if c.small:
        rl = 11.0 if on else 12.0
    else:
        rb = 12.0
        ocircle(c, cx, cy, rb, c.linear(0, cy - rb, 0, cy + rb,
                                         [(0, (240, 244, 248)), (1, (120, 134, 148))]),
                INK if not on else GREEN_D)
        rl = 9.0
    if on:
        glass = c.radial(cx - rl * 0.3, cy - rl * 0.35, rl * 1.4, [
            (0, (235, 255, 235)), (0.3, (110, 250, 140)), (0.75, (30, 190, 80)),
            (1, (10, 130, 50))])
        edge = GREEN_D
    else:
        glass = c.radial(cx - rl * 0.3, cy - rl * 0.35, rl * 1.4, [
            (0, (140, 148, 154)), (0.5, (92, 100, 108)), (1, (50, 56, 62))])
        edge = (34, 38, 44)
    ocircle(c, cx, cy, rl, glass, edge)
    hl = (255, 255, 255, 210) if on else (255, 255, 255, 80)
    c.fill(c.ellipse(cx - rl * 0.28, cy - rl * 0.45, rl * 0.42, rl * 0.26), hl)


def d_on(c):
    lamp(c, True)


def d_off(c):
    lamp(c, False)


def plug_pair(c, connected):
    """Plug and socket: pushed together, or apart with a red break."""
    body = vgrad(c, 6, 26, GREEN_L, GREEN) if connected else \
        vgrad(c, 6, 26, SILVER, GREY)
    edge = GREEN_D if connected else SLATE
    cy0, ch = (14, 4) if c.small else (14.5, 3)
    plug_x, sock_x = (4, 18) if connected else (0, 22)
    c.fill(c.rect(0, cy0, plug_x + 1, ch), INK)
    c.fill(c.rect(sock_x + 9, cy0, 32 - sock_x - 9, ch), INK)
    for yy in (10, 20):
        c.fill(c.rect(plug_x + 8, yy, 8 if connected else 6, 2), INK)
    orect(c, plug_x, 8, 8, 16, (4, 1, 1, 4), body, edge)
    orect(c, sock_x, 4, 10, 24, (1, 3, 3, 1), body, edge)
    if not connected:
        c.fill(c.stroke([(20, 4), (16, 14), (20, 18), (16, 28)], c.px(1.6)
                        if c.small else 2.2, join='miter'), RED)


def d_plug_on(c):
    plug_pair(c, True)


def d_plug_off(c):
    plug_pair(c, False)


def gear_pts(cx, cy, r_out, r_root, teeth, tip=0.32, base=0.5, rot=0.0):
    pts = []
    step = 2 * math.pi / teeth
    for i in range(teeth):
        a = rot + i * step
        for da, r in ((-base, r_root), (-tip, r_out), (tip, r_out), (base, r_root)):
            ang = a + da * step / 2.0
            pts.append((cx + r * math.cos(ang), cy + r * math.sin(ang)))
        # root arc between teeth
        for j in range(1, 4):
            ang = a + step * (base / 2.0 + (1 - base) * j / 4.0)
            pts.append((cx + r_root * math.cos(ang), cy + r_root * math.sin(ang)))
    return pts


def gear(c, cx, cy, r, fill, edge, teeth=8, hole_r=None):
    t = ol(c)
    hr = r * 0.34 if hole_r is None else hole_r
    depth = r * 0.24
    outer = gear_pts(cx, cy, r, r - depth, teeth, rot=math.pi / teeth)
    c.fill(c.poly(outer) + hole(c.circle(cx, cy, hr)), edge)
    inner = gear_pts(cx, cy, r - t, r - depth - t, teeth, tip=0.27, base=0.45,
                     rot=math.pi / teeth)
    c.fill(c.poly(inner) + hole(c.circle(cx, cy, hr + t)), fill)


def d_gear(c):
    if c.small:
        c.fill(c.poly(gear_pts(16, 16, 15, 11, 8, tip=0.36, base=0.56,
                               rot=math.pi / 8)) + hole(c.circle(16, 16, 5)), SLATE)
        return
    gear(c, 16, 16, 14.5, vgrad(c, 2, 30, (150, 170, 190), SLATE), INK,
         hole_r=5 if c.small else 4.5)


def info_glyph(c, color=PAPER):
    if c.small:
        c.fill(c.rrect(14, 6, 4, 4, 1), color)
        c.fill(c.rect(14, 12, 4, 13), color)
        return
    c.fill(c.circle(16, 9.5, 2.4), color)
    c.fill(c.rrect(14, 13, 4, 11, 0.5) + c.rect(12, 13, 4, 2.0)
           + c.rect(12, 22, 8, 2.0), color)


def d_info(c):
    round_button(c, BLUE, BLUE_L, BLUE_D)
    info_glyph(c)


def d_download(c):
    tray = [(3, 17), (3, 29), (29, 29), (29, 17), (25, 17), (25, 25), (7, 25), (7, 17)]
    opoly(c, tray, vgrad(c, 17, 29, (150, 170, 190), SLATE), INK)
    pts = arrow(16, 2, 16, 22, 2.0 if c.small else 3.0, 8.0, 9)
    knockout(c, c.poly(pts), c.olpx)
    opoly(c, pts, vgrad(c, 2, 22, GREEN_L, GREEN), GREEN_D, small=GREEN)


def d_save(c):
    body = [(2, 2), (26, 2), (30, 6), (30, 30), (2, 30)]
    opoly(c, body, vgrad(c, 2, 30, BLUE_L, BLUE), BLUE_D)
    orect(c, 8, 2, 16, 10, 0, SILVER, INK)
    c.fill(c.rect(18, 4, 4, 6), SLATE)
    orect(c, 6, 16, 20, 14, 1, PAPER, INK)
    if not c.small:
        for yy in (21, 24):
            c.fill(c.rect(9, yy, 14, 1), GREY)


def d_warning(c):
    if c.small:   # plain outlined triangle, glyph on whole pixels
        tri = [(16, 1), (31, 29), (1, 29)]
        opoly(c, tri, vgrad(c, 1, 29, (255, 214, 90), AMBER), AMBER_D)
        c.fill(c.rect(14, 10, 4, 10), INK)
        c.fill(c.rect(14, 22, 4, 4), INK)
        return
    tri = [(16, 3), (30, 27), (2, 27)]
    shape = c.poly(tri) + c.stroke(tri, 3, join='round', closed=True)
    c.fill(shape, AMBER_D)
    inner = inset(tri, ol(c) * 0.6)
    c.fill(c.poly(inner) + c.stroke(inner, 3 - 2 * ol(c), join='round', closed=True),
           vgrad(c, 3, 28, (255, 214, 90), AMBER))
    if c.small:
        c.fill(c.rect(14, 10, 4, 9), INK)
        c.fill(c.rect(14, 21, 4, 4), INK)
    else:
        c.fill(c.rrect(14.5, 10, 3, 10, 1.2), INK)
        c.fill(c.circle(16, 23, 1.8), INK)


def chevron(c, up):
    col = NAVY
    if c.small:
        y0, y1 = (21, 10) if up else (11, 22)
        c.fill(c.stroke([(5, y0), (16, y1), (27, y0)], c.px(2.4), cap='round',
                        join='miter'), col)
    else:
        y0, y1 = (21, 11) if up else (11, 21)
        c.fill(c.stroke([(7, y0), (16, y1), (25, y0)], 4.0, cap='round',
                        join='miter'), col)


def d_collapse(c):
    chevron(c, True)


def d_expand(c):
    chevron(c, False)


def d_app(c):
    """Program logo: a blue bedside monitor with a pulse trace and heart."""
    if c.small:   # whole-pixel layout for 16 px
        orect(c, 0, 4, 32, 22, 3, vgrad(c, 4, 26, BLUE_L, BLUE), BLUE_D)
        c.fill(c.rect(4, 8, 24, 14), SCREEN)
        pts = [(5, 15), (12, 15), (14, 9), (17, 21), (19, 15), (27, 15)]
        c.fill(c.stroke(pts, c.px(1), join='round'), TRACE)
        c.fill(c.poly([(12, 26), (20, 26), (22, 28), (10, 28)]), BLUE_D)
        c.fill(c.rect(8, 28, 16, 2), BLUE_D)
        return
    orect(c, 1, 3, 30, 23, 3, vgrad(c, 3, 26, BLUE_L, BLUE), BLUE_D)
    c.fill(c.rrect(3.5, 5.5, 20, 18, 1.5), SCREEN)
    pts = [(5, 16), (9, 16), (10.5, 13.5), (12, 16), (13, 16), (14.5, 19.5),
           (16.5, 8.5), (18.5, 18.5), (19.7, 16), (22.5, 16)]
    c.fill(c.stroke(pts, 1.5, join='round'), TRACE)
    heart(c, 27, 9.5, 4.2, RED)
    for yy in (15, 19):
        c.fill(c.circle(27, yy + 0.5, 1.3), (210, 230, 255))
    c.fill(c.poly([(12, 26), (20, 26), (22, 29), (10, 29)]), BLUE_D)
    c.fill(c.rrect(7, 28.5, 18, 2.5, 1), BLUE_D)


def heart(c, cx, cy, s, color):
    """Heart centred on (cx, cy), about s units wide."""
    r = s * 0.29
    pts = []
    for i in range(0, 181, 10):           # right lobe
        a = math.radians(-200 + i)
        pts.append((cx + s * 0.24 + r * math.cos(a), cy - s * 0.12 + r * math.sin(a)))
    pts.append((cx, cy + s * 0.5))
    shape = c.circle(cx - s * 0.24, cy - s * 0.12, r) + c.circle(
        cx + s * 0.24, cy - s * 0.12, r)
    shape += c.poly([(cx - s * 0.51, cy - s * 0.02), (cx, cy - s * 0.1),
                     (cx + s * 0.51, cy - s * 0.02), (cx, cy + s * 0.5)])
    c.fill(shape, color)


# panel-only pictograms (bitmap 113)

def d_compass(c):
    ocircle(c, 16, 16, 14, vgrad(c, 2, 30, PAPER, PAPER2), INK)
    c.fill(c.poly([(16, 4), (20, 16), (12, 16)]), RED)
    c.fill(c.poly([(16, 28), (20, 16), (12, 16)]), BLUE)
    c.fill(c.circle(16, 16, 2.2), INK)


def d_exchange(c):
    top = arrow(2, 10, 30, 10, 2, 6.5, 8)
    bot = arrow(30, 22, 2, 22, 2, 6.5, 8)
    opoly(c, top, vgrad(c, 3, 17, BLUE_L, BLUE), BLUE_D, small=BLUE)
    opoly(c, bot, vgrad(c, 15, 29, GREEN_L, GREEN), GREEN_D, small=GREEN)


def d_heart(c):
    heart(c, 16, 17, 28, RED_D)
    with c.saved():
        c.translate(16, 17)
        c.scale((28 - 2 * ol(c) * 1.6) / 28.0)
        heart(c, 0, 0, 28, vgrad(c, -14, 14, RED_L, RED))


def d_drop(c):
    def drop(cx, cy, r):
        pts = [(cx, cy - r * 2.0)]
        for i in range(0, 241, 8):
            a = math.radians(-30 + i)
            pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
        return pts
    c.fill(c.poly(drop(16, 19, 10.5)), RED_D)
    c.fill(c.poly(drop(16, 19, 10.5 - ol(c) * 1.2)), vgrad(c, 0, 30, RED_L, RED))
    c.fill(c.ellipse(12, 20, 2, 3.5), (255, 255, 255, 150))


def d_thermo(c):
    orect(c, 12, 2, 8, 20, 4, PAPER, INK)
    ocircle(c, 16, 24, 6, RED, RED_D)
    c.fill(c.rect(14.5 if not c.small else 14, 10, 3 if not c.small else 4, 12), RED)
    if not c.small:
        for yy in (6, 10, 14):
            c.fill(c.rect(20, yy, 3, 1), INK)


# ---------------------------------------------------------------- archive

def d_archive(c):
    """Archive box: a lid over a deep box with a white label and a grip."""
    orect(c, 4, 12, 24, 17, 1, vgrad(c, 12, 29, (232, 170, 40), AMBER_D), (120, 76, 8))
    orect(c, 2, 6, 28, 7, 1, vgrad(c, 6, 13, (255, 208, 90), AMBER), (150, 96, 8))
    orect(c, 10, 16, 12, 6, 1, PAPER, INK)
    c.fill(c.rect(12, 18, 8, c.px(1.5)), GREY)
    c.fill(c.stroke([(13, 25.5), (19, 25.5)], 2, cap='round'), (120, 76, 8))


def h_archive(c):
    d_archive(c)
    badge_circle(c, 24.5, 23.5, 6.5, vgrad(c, 17, 30, BLUE_L, BLUE), BLUE_D)
    c.fill(c.stroke([(24.5, 19.5), (24.5, 23.5), (27.5, 25.5)], 1.6, cap='round'), PAPER)


# ------------------------------------------------------------ home buttons

def home_base(c, active):
    """Backdrop of a home-screen button: a glow disc when active."""
    if active:
        c.fill(c.circle(16, 16, 16), c.radial(16, 16, 16, [
            (0, (255, 255, 255, 240)), (0.7, (255, 255, 255, 170)),
            (1, (255, 255, 255, 0))]))
        t = c.px(2)
        c.fill(c.ring(16, 16, 15.2, 15.2 - t), (255, 170, 40, 220))


def h_getmon(c):
    monitor(c, 2, 5, 26, 19)
    orect(c, 12, 24, 6, 3, 0, SLATE, INK)
    orect(c, 8, 26.5, 14, 2.5, 1, SLATE, INK)
    down_badge(c, 24.5, 22.5)


def down_badge(c, cx, cy, r=6.5):
    badge_circle(c, cx, cy, r, vgrad(c, cy - r, cy + r, GREEN_L, GREEN), GREEN_D)
    c.fill(c.poly(arrow(cx, cy - r * 0.62, cx, cy + r * 0.62, r * 0.18, r * 0.46,
                        r * 0.55)), PAPER)


def h_getward(c):
    clipboard(c, 5, 5, 20, 24)
    check(c, 13.5, 20.5, 10, GREEN, 2.6)
    down_badge(c, 24.5, 23.5)


def h_view(c):
    back = [(3, 7), (11, 7), (13, 9.5), (25, 9.5), (25, 26), (3, 26)]
    opoly(c, back, vgrad(c, 7, 26, (232, 170, 40), AMBER_D), (120, 76, 8))
    orect(c, 6, 11, 16, 12, 1, PAPER, INK)
    for yy in (15, 18):
        c.fill(c.rect(8, yy, 12, c.px(1.5)), GREY)
    front = [(3, 13.5), (25, 13.5), (25, 26), (3, 26)]
    opoly(c, front, vgrad(c, 13, 26, (255, 208, 90), AMBER), (150, 96, 8))
    # magnifier
    knockout(c, c.circle(22, 20, 6.2) +
             c.stroke([(26.2, 24.2), (30, 28)], 3.6, cap='round'), c.olpx)
    c.fill(c.stroke([(26, 24), (29.8, 27.8)], 3.6, cap='round'), INK)
    ocircle(c, 22, 20, 6.2, SLATE, INK)
    c.fill(c.circle(22, 20, 4.6), (200, 226, 255, 230))
    c.fill(c.ellipse(20.6, 18.2, 1.8, 1.1), (255, 255, 255, 220))


def h_settings(c):
    gear(c, 16, 16, 13, vgrad(c, 3, 29, BLUE_L, BLUE), BLUE_D, teeth=9, hole_r=4.2)


def h_about(c):
    ocircle(c, 16, 16, 12.5, vgrad(c, 3.5, 28.5, BLUE_L, BLUE), BLUE_D)
    with c.saved():
        c.translate(16, 16)
        c.scale(0.84)
        c.translate(-16, -16)
        info_glyph(c)


def home_button(fn, active, size):
    c = canvas(size)
    home_base(c, active)
    with c.saved():
        c.translate(16, 16)
        c.scale(0.9)
        c.translate(-16, -16)
        fn(c)
    img = c.image()
    if not active:
        img = img.map(dull)
    return img


def dull(r, g, b, a):
    """Idle look: partly desaturated and a touch darker."""
    y = 0.3 * r + 0.59 * g + 0.11 * b
    f = 0.65
    return (0.95 * (y + (r - y) * f), 0.95 * (y + (g - y) * f),
            0.95 * (y + (b - y) * f), a)


# ------------------------------------------------------------------ exit

def d_exit(c):
    """Open door with an arrow leaving it; solid colours for a 24-bit icon."""
    orect(c, 3, 2, 18, 28, 0, (40, 36, 44), (92, 60, 30))
    door = [(3, 2), (13, 6), (13, 32), (3, 30)]
    opoly(c, door, vgrad(c, 2, 30, (214, 150, 86), (170, 102, 48)), (104, 64, 26))
    c.fill(c.circle(11, 18, 1.3), AMBER)
    pts = arrow(12, 16, 31, 16, 3.5, 8.5, 10)
    opoly(c, pts, vgrad(c, 7, 25, RED_L, RED), RED_D)


def d_report(c):
    """The printed report: a page with text lines and a trend, over a printer's tray."""
    t = ol(c)
    if c.small:
        page(c, 4, 1, 20, 22, fold=5)
        c.fill(c.rect(7, 6, 10, t), GREY)
        c.fill(c.stroke([(7, 17), (11, 12), (15, 15), (20, 9)], c.px(1.2), join='round'), RED)
    else:
        page(c, 6, 1, 20, 22, fold=6)
        for yy, w in ((5, 10), (8, 13), (11, 8)):
            c.fill(c.rect(9, yy, w, t), GREY)
        c.fill(c.stroke([(9, 20), (13, 15), (17, 18), (23, 12)], 1.6, join='round'), RED)
    # the printer the page comes out of
    orect(c, 2, 19, 28, 10, 2.0, vgrad(c, 19, 29, SILVER, GREY), INK)
    c.fill(c.rect(6, 23, 20, t), INK)
    c.fill(c.circle(26, 26, 1.2 if not c.small else 1.5), GREEN)


# ------------------------------------------------------------------ tables

# id: (drawing, sizes)
RIBBON = [385, 377, 378, 376, 375, 374, 311, 335, 343, 382, 380, 313]
DRAW = {
    385: d_home, 377: d_back, 378: d_forward, 376: d_list, 375: d_trend,
    374: d_ward, 311: d_start, 335: d_stop, 343: d_erase, 382: d_import_mon,
    380: d_import_ward, 391: d_zh, 388: d_en, 314: d_on, 315: d_off,
    310: d_plug_on, 312: d_plug_off, 313: d_gear, 339: d_info,
    340: d_download, 341: d_save, 390: d_warning, 372: d_collapse,
    373: d_expand, 128: d_app, 355: d_exit, 392: d_report, 396: d_archive,
    'compass': d_compass, 'exchange': d_exchange, 'heart': d_heart,
    'drop': d_drop, 'thermo': d_thermo,
}
SIZES = {128: (16, 32, 48, 64), 355: (64, 32)}
HOME = {  # idle id, active id, drawing
    'getmon': (349, 368, h_getmon), 'getward': (364, 367, h_getward),
    'view': (351, 365, h_view), 'settings': (352, 369, h_settings),
    'about': (363, 366, h_about), 'archive': (397, 398, h_archive),
}
PANEL = [385, 377, 378, 376, 375, 374, 128, 'compass', 311, 335, 343, 382, 380,
         310, 312, 313, 339, 340, 341, 390, 314, 315, 391, 388, 'heart', 'drop',
         'thermo', 'exchange']

_cache = {}


def render(key, size):
    if (key, size) not in _cache:
        c = canvas(size)
        DRAW[key](c)
        _cache[(key, size)] = c.image()
    return _cache[(key, size)]


def build():
    """Render everything: returns {path: bytes} and the preview items."""
    files = {}
    sheet = []
    for key in DRAW:
        if not isinstance(key, int):
            continue
        sizes = SIZES.get(key, (32, 16))
        if key == 355:
            imgs = [render(key, s) for s in sizes]
            files['icons/355.ico'] = ico_bytes([(im, 24) for im in imgs],
                                               matte=(180, 200, 255))
        else:
            imgs = [render(key, s) for s in sizes]
            files['icons/%d.ico' % key] = ico_bytes([(im, 32) for im in imgs])
        sheet.append((str(key), imgs))
    for name, (idle, act, fn) in HOME.items():
        for iid, on in ((idle, False), (act, True)):
            imgs = [home_button(fn, on, 90), home_button(fn, on, 48)]
            files['icons/%d.ico' % iid] = ico_bytes([(im, 32) for im in imgs])
            sheet.append((str(iid), imgs))
    strips = {
        110: hstrip([render(k, 16) for k in RIBBON]),
        111: hstrip([render(k, 32) for k in RIBBON]),
        112: render(128, 32),
        113: hstrip([render(k, 16) for k in PANEL]),
    }
    for bid, im in strips.items():
        files['bitmaps/%d.bmp' % bid] = bmp_bytes(im)
        sheet.append((str(bid), [im]))
    return files, sheet


# ----------------------------------------------------------------- preview

def preview(sheet, width=1280):
    """Contact sheet: every item at 1x and 2x on white and on the view blue."""
    backs = [(255, 255, 255), (180, 200, 255)]
    pad = 10
    cells = []
    for label, imgs in sheet:
        parts = imgs + [im.scaled(2) for im in imgs]
        places, x = [], 0
        for im in parts:
            places.append((im, x, 0))
            x += im.w + 6
        w, h = x - 6, max(im.h for im in parts)
        if w > width - 2 * pad:       # wide strips: 2x goes under 1x
            places = [(im, 0, 0) for im in imgs] + \
                [(im, 0, imgs[0].h + 6) for im in parts[len(imgs):]]
            w = max(im.w for im in parts)
            h = imgs[0].h + 6 + parts[-1].h
        cells.append((label, places, max(w, 8 * len(label)), h + 16))
    # flow layout
    rows, cur, cw = [], [], 0
    for cell in cells:
        if cur and cw + cell[2] + pad > width - pad:
            rows.append(cur)
            cur, cw = [], 0
        cur.append(cell)
        cw += cell[2] + pad
    rows.append(cur)
    band_h = pad + sum(max(c[3] for c in r) + pad for r in rows)
    out = Canvas(width, band_h * len(backs))
    for bi, bg in enumerate(backs):
        out.fill(out.rect(0, bi * band_h, width, band_h), bg)
    img = out.image()
    for bi, bg in enumerate(backs):
        y = bi * band_h + pad
        for r in rows:
            x = pad
            rh = max(c[3] for c in r)
            for label, places, w, h in r:
                for im, dx, dy in places:
                    blend(img, im, x + dx, y + dy)
                text(img, x, y + h - 11, label, (0, 0, 0), scale=2)
                x += w + pad
            y += rh + pad
    return img


def blend(dst, src, ox, oy):
    for y in range(src.h):
        for x in range(src.w):
            s = (y * src.w + x) * 4
            a = src.px[s + 3]
            if not a:
                continue
            if not (0 <= ox + x < dst.w and 0 <= oy + y < dst.h):
                continue
            d = ((oy + y) * dst.w + ox + x) * 4
            for ch in range(3):
                dst.px[d + ch] = (src.px[s + ch] * a + dst.px[d + ch] * (255 - a) + 127) // 255


def main():
    files, sheet = build()
    for rel, data in sorted(files.items()):
        path = os.path.join(RES, rel)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, 'wb') as f:
            f.write(data)
    with open(os.path.join(HERE, 'preview.png'), 'wb') as f:
        f.write(png_bytes(preview(sheet)))
    print('wrote %d files and preview.png' % len(files))


if __name__ == '__main__':
    main()
