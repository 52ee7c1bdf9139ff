#!/usr/bin/env python3
"""Writes the track pieces and the three levels under GameData/Levels/.

Run from anywhere:  python3 tools/make_levels.py
Each level is given as a list of waypoints; the path between them is walked
cell by cell and the track pieces are laid under it.  The output is fully
determined by this file.

Track geometry
--------------
An enemy stands with its left cell on a path cell (x, y) and is up to three
cells wide; its health bar covers columns x-1 .. x+5 of the row above.  So
that neither ever sits on a track wall, the road is kept clear of walls:

  * a horizontal stretch on row y is a band of four rows:
    wall (y-2), bar lane (y-1), path lane (y), wall (y+1);
  * a vertical stretch on column c is a band of nine columns:
    wall (c-2), seven open columns (c-1 .. c+5), wall (c+6);
  * a bend at (c, y) is a 9 x 4 corner piece at (c-2, y-2).

Pieces (labels are the sprite labels the game loads):

  BlockHorizontal       4 x 4   straight, east-west
  BlockVertical         9 x 2   straight, north-south
  BlockRightAngleDown   9 x 4   bend joining west and south   (like a 7)
  BlockRightAngleLeft   9 x 4   bend joining east and south   (mirror image)
  BlockRightAngleLeftB  9 x 4   the same bend with an ember lamp on its
                                inner corner; a level may ask for it
  BlockRightAngleUp     9 x 4   bend joining west and north
  BlockRightAngleRight  9 x 4   bend joining north and east

Straight pieces have uniform rows, so a run whose length is not a multiple
of the piece may end with a piece that overlaps its neighbour: the
overlapping cells hold the same characters.
"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from zpdata import (Level, make_sprite, sprite_text, level_text,  # noqa: E402
                    path_text, write_text)

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
DATA = os.path.join(ROOT, "GameData")
LEVELS = os.path.join(DATA, "Levels")

BOARD_W, BOARD_H = 80, 24
TRACK_COLOR = "blue"

# directions
E, W, N, S = (1, 0), (-1, 0), (0, -1), (0, 1)

H_WALL = "="
V_WALL = "|"

BLOCKS = {
    "BlockHorizontal": [
        H_WALL * 4,
        "    ",
        "    ",
        H_WALL * 4,
    ],
    "BlockVertical": [
        V_WALL + " " * 7 + V_WALL,
        V_WALL + " " * 7 + V_WALL,
    ],
    # joins west and south
    "BlockRightAngleDown": [
        H_WALL * 9,
        " " * 8 + V_WALL,
        " " * 8 + V_WALL,
        "+" + " " * 7 + V_WALL,
    ],
    # joins east and south
    "BlockRightAngleLeft": [
        H_WALL * 9,
        V_WALL + " " * 8,
        V_WALL + " " * 8,
        V_WALL + " " * 7 + "+",
    ],
    # the same bend with an ember lamp on its inner corner
    "BlockRightAngleLeftB": [
        H_WALL * 9,
        V_WALL + " " * 8,
        V_WALL + " " * 8,
        V_WALL + " " * 7 + "*",
    ],
    # joins west and north
    "BlockRightAngleUp": [
        "+" + " " * 7 + V_WALL,
        " " * 8 + V_WALL,
        " " * 8 + V_WALL,
        H_WALL * 9,
    ],
    # joins north and east
    "BlockRightAngleRight": [
        V_WALL + " " * 7 + "+",
        V_WALL + " " * 8,
        V_WALL + " " * 8,
        H_WALL * 9,
    ],
}

BLOCK_ORDER = ["BlockVertical", "BlockHorizontal", "BlockRightAngleLeft",
               "BlockRightAngleLeftB", "BlockRightAngleRight",
               "BlockRightAngleUp", "BlockRightAngleDown"]

# open sides of a bend -> piece label
BEND = {
    frozenset([W, S]): "BlockRightAngleDown",
    frozenset([E, S]): "BlockRightAngleLeft",
    frozenset([W, N]): "BlockRightAngleUp",
    frozenset([N, E]): "BlockRightAngleRight",
}


def block_size(label):
    rows = BLOCKS[label]
    return len(rows[0]), len(rows)


# ------------------------------------------------------------ path

def walk(waypoints):
    """Cells from the first waypoint to the last, each 4-adjacent to the
    one before; consecutive waypoints must share a row or a column."""
    cells = [tuple(waypoints[0])]
    for (x0, y0), (x1, y1) in zip(waypoints, waypoints[1:]):
        if x0 != x1 and y0 != y1:
            raise ValueError("waypoints %r and %r are not in line" % ((x0, y0), (x1, y1)))
        dx = (x1 > x0) - (x1 < x0)
        dy = (y1 > y0) - (y1 < y0)
        x, y = x0, y0
        while (x, y) != (x1, y1):
            x, y = x + dx, y + dy
            cells.append((x, y))
    if len(set(cells)) != len(cells):
        raise ValueError("path crosses itself")
    return cells


def opposite(d):
    return (-d[0], -d[1])


# ------------------------------------------------------------ track

def fill(span_start, span_end, piece):
    """Start positions of straight pieces of length `piece` covering
    span_start .. span_end inclusive (the last one may overlap)."""
    n = span_end - span_start + 1
    if n <= 0:
        return []
    if n < piece:
        raise ValueError("straight stretch of %d cells is shorter than a %d-cell piece"
                         % (n, piece))
    starts = list(range(span_start, span_end - piece + 2, piece))
    if starts[-1] + piece - 1 < span_end:
        starts.append(span_end - piece + 1)
    return starts


def lay_track(waypoints, lit_bends=False):
    """Track pieces for a path through the waypoints.  The first and last
    stretches run on to the edge of the board.  With lit_bends, east-south
    bends get the piece with the ember lamp."""
    wps = [tuple(p) for p in waypoints]
    blocks = []

    def direction(a, b):
        return ((b[0] > a[0]) - (b[0] < a[0]), (b[1] > a[1]) - (b[1] < a[1]))

    # bends
    for k in range(1, len(wps) - 1):
        d_in = direction(wps[k - 1], wps[k])
        d_out = direction(wps[k], wps[k + 1])
        label = BEND[frozenset([opposite(d_in), d_out])]
        if label == "BlockRightAngleLeft" and lit_bends:
            label = "BlockRightAngleLeftB"
        c, y = wps[k]
        blocks.append((label, c - 2, y - 2))

    # straights between bends; the ends of the path run to the board edge
    hw, _ = block_size("BlockHorizontal")
    _, vh = block_size("BlockVertical")
    last = len(wps) - 2
    for k in range(len(wps) - 1):
        a, b = wps[k], wps[k + 1]
        d = direction(a, b)
        if d[1] == 0:                       # horizontal, row y
            y = a[1]
            lo, hi = min(a[0], b[0]), max(a[0], b[0])
            s, e = lo + 7, hi - 3           # clear of the bend pieces
            lo_end = (k == 0 and d == E) or (k == last and d == W)
            hi_end = (k == 0 and d == W) or (k == last and d == E)
            if lo_end:
                s = 0
            if hi_end:
                e = BOARD_W - 1
            for x in fill(s, e, hw):
                blocks.append(("BlockHorizontal", x, y - 2))
        else:                               # vertical, column c
            c = a[0]
            lo, hi = min(a[1], b[1]), max(a[1], b[1])
            s, e = lo + 2, hi - 3
            if (k == 0 and d == N) or (k == last and d == S):
                e = BOARD_H - 1
            if (k == 0 and d == S) or (k == last and d == N):
                raise ValueError("a path may not start or end at the top")
            for y in fill(s, e, vh):
                blocks.append(("BlockVertical", c - 2, y))
    return blocks


# ------------------------------------------------------------ levels

LEVEL_DEFS = [
    {
        "dir": "Level1",
        "name": "Ember Road",
        "description": "A long road that winds back on itself. Time to build.",
        "waypoints": [(0, 5), (50, 5), (50, 14), (8, 14), (8, 17), (40, 17),
                      (40, 21), (72, 21)],
    },
    {
        "dir": "Level2",
        "name": "Ash Switchbacks",
        "description": "The road drops, climbs and drops again.",
        "waypoints": [(0, 5), (14, 5), (14, 20), (30, 20), (30, 9), (46, 9),
                      (46, 21), (72, 21)],
        "lit_bends": True,
    },
    {
        "dir": "Level3",
        "name": "Last Stand",
        "description": "A short road straight to the vault. Build fast.",
        "waypoints": [(0, 12), (36, 12), (36, 21), (72, 21)],
    },
]


def build_level(spec):
    cells = walk(spec["waypoints"])
    blocks = lay_track(spec["waypoints"], spec.get("lit_bends", False))
    level = Level(spec["name"], spec["description"], BOARD_W, BOARD_H,
                  cells[0], cells[-1], blocks)
    return level, cells


def main():
    for label in BLOCK_ORDER:
        sprite = make_sprite([BLOCKS[label]], TRACK_COLOR)
        write_text(os.path.join(LEVELS, "Blocks", label + ".txt"), sprite_text(sprite))
    for spec in LEVEL_DEFS:
        level, cells = build_level(spec)
        d = os.path.join(LEVELS, spec["dir"])
        write_text(os.path.join(d, spec["dir"] + ".txt"), level_text(level))
        write_text(os.path.join(d, spec["dir"] + "Mov.txt"), path_text(cells))
        print("wrote %s: %d path cells, %d blocks" % (spec["dir"], len(cells), len(level.blocks)))


if __name__ == "__main__":
    main()
