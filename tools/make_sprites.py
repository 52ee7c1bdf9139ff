#!/usr/bin/env python3
"""Writes every sprite file of the game under GameData/.

Run from anywhere:  python3 tools/make_sprites.py
The output is fully determined by this file.

Screen cells are tall (13 x 32 pixels), so art is drawn wide and low:
a 3 x 3 turret looks like a slim tower, a 6-column letter like a tall one.
"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from zpdata import make_sprite, sprite_text, write_text  # noqa: E402

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
DATA = os.path.join(ROOT, "GameData")

# ------------------------------------------------------------ banner font
# Five rows high; vertical strokes are two cells wide so that they weigh
# about as much as the one-row horizontal strokes on the tall cell grid.
FONT = {
    "A": [" #### ",
          "##  ##",
          "######",
          "##  ##",
          "##  ##"],
    "C": [" #####",
          "##    ",
          "##    ",
          "##    ",
          " #####"],
    "D": ["##### ",
          "##  ##",
          "##  ##",
          "##  ##",
          "##### "],
    "E": ["######",
          "##    ",
          "####  ",
          "##    ",
          "######"],
    "G": [" #####",
          "##    ",
          "## ###",
          "##  ##",
          " #####"],
    "H": ["##  ##",
          "##  ##",
          "######",
          "##  ##",
          "##  ##"],
    "I": ["######",
          "  ##  ",
          "  ##  ",
          "  ##  ",
          "######"],
    "M": ["##   ##",
          "### ###",
          "## # ##",
          "##   ##",
          "##   ##"],
    "N": ["##  ##",
          "### ##",
          "######",
          "## ###",
          "##  ##"],
    "O": [" #### ",
          "##  ##",
          "##  ##",
          "##  ##",
          " #### "],
    "R": ["##### ",
          "##  ##",
          "##### ",
          "## ## ",
          "##  ##"],
    "T": ["######",
          "  ##  ",
          "  ##  ",
          "  ##  ",
          "  ##  "],
    "V": ["##  ##",
          "##  ##",
          "##  ##",
          " #### ",
          "  ##  "],
    "W": ["##   ##",
          "##   ##",
          "## # ##",
          "### ###",
          "##   ##"],
    " ": ["  ", "  ", "  ", "  ", "  "],
}


def banner(word, gap=1):
    rows = [""] * 5
    for k, ch in enumerate(word):
        glyph = FONT[ch]
        for r in range(5):
            rows[r] += (" " * gap if k else "") + glyph[r]
    return rows


def place(canvas, x, y, rows):
    """Copy rows onto a canvas (list of strings) at column x, row y; blanks
    in rows leave the canvas as it was."""
    for j, row in enumerate(rows):
        line = list(canvas[y + j])
        for i, ch in enumerate(row):
            if ch != " ":
                line[x + i] = ch
        canvas[y + j] = "".join(line)


def blank(w, h):
    return [" " * w for _ in range(h)]


def centred(text, width):
    pad = (width - len(text)) // 2
    return " " * pad + text


# ------------------------------------------------------------ screens

TOWER = [
    r"     (    )      ",
    r"    ) \  ( (     ",
    r"   ( ) )( ) )    ",
    r"  _)_(__)_(__)_  ",
    r" [_|_|_|_|_|_|_] ",
    r"  \___________/  ",
    r"   |   .-.   |   ",
    r"   |   | |   |   ",
    r"   |   '-'   |   ",
    r"   |         |   ",
    r"   |   .-.   |   ",
    r"   |   | |   |   ",
]

# a crenellated wall, one 4-column unit repeated
WALL = [" _  " * 20, "| |_" * 20, "|___" * 20]


def splash():
    w, h = 80, 24
    c = blank(w, h)
    place(c, 0, 0, [
        "   .            '                 *                '             .        ",
        "         *               .                  .              *          '   ",
    ])
    title = banner("CINDERWATCH")
    place(c, (w - len(title[0])) // 2, 3, title)
    place(c, 0, 9, [centred("~  keep the last ember burning  ~", w)])
    tower_x = (w - len(TOWER[0])) // 2
    place(c, tower_x, 10, TOWER)
    # walls run from both screen edges to the tower; the left one is the
    # right one mirrored, so both meet the tower the same way
    right_x = tower_x + len(TOWER[0]) - 3
    place(c, right_x, 19, [row[1:1 + w - right_x] for row in WALL])
    left_w = tower_x + 3
    place(c, 0, 19, [row[1:1 + left_w][::-1] for row in WALL])
    place(c, 0, 22, ["=" * w])
    place(c, 0, 23, [
        "  o-o   o-o    ]@[    o-o    >#<      . . .     a tower defence game  . . .  ",
    ])
    return make_sprite([c], "yellow", w, h)


MINI_TOWER = [
    r"    (   )  ",
    r"   ) \ ( ( ",
    r"  ( ) )( ) ",
    r" _)_(__)_(_",
    r"[_|_|_|_|_]",
    r" \_______/ ",
    r"  |  .-. | ",
    r"  |  | | | ",
    r"  |  '-' | ",
    r" _|______|_ ",
]


def menu():
    w, h = 72, 10
    c = blank(w, h)
    place(c, 0, 0, banner("CINDER"))
    place(c, 20, 5, banner("WATCH"))
    place(c, 58, 0, MINI_TOWER)
    # sparks drifting away from the beacon
    place(c, 43, 0, ["  '      .   "])
    place(c, 43, 1, [".     *      "])
    place(c, 43, 3, ["    '     .  "])
    place(c, 1, 6, ["*    .    '  "])
    place(c, 1, 8, ["   '    *    "])
    return make_sprite([c], "yellow", w, h)


def gameover():
    w, h = 68, 6
    c = blank(w, h)
    title = banner("GAME OVER")
    place(c, 0, 0, title)
    # a line of its own under the title; the game writes its notice on the next row
    place(c, 0, 5, [centred("~  the beacon has gone dark  ~", len(title[0]))])
    return make_sprite([c], "red", w, h)


SPRITES = {
    "SplashScreen/SplashScreen.txt": splash,
    "Menu/Menu.txt": menu,
    "GameOver/GameOver.txt": gameover,
}


def main():
    for rel, build in SPRITES.items():
        write_text(os.path.join(DATA, rel), sprite_text(build()))
        print("wrote GameData/%s" % rel)


if __name__ == "__main__":
    main()
