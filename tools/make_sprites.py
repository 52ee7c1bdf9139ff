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
        "  /o\\   \\o/    }@{    /o\\    <#>      . . .     a tower defence game  . . .  ",
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


# ------------------------------------------------------------ turrets
# A turret is seen from above: a 3 x 3 box with its body in the middle and
# the barrel on the ring around it.  The ring is walked clockwise from the
# top, which is the aiming order of the frames: 0 up, 1 up-right, 2 right,
# 3 down-right, 4 down, 5 down-left, 6 left, 7 up-left.
RING = [(1, 0), (2, 0), (2, 1), (2, 2), (1, 2), (0, 2), (0, 1), (0, 0)]

TURRETS = {
    # kind: (colour, body row, barrel characters in ring order, price,
    #        panel lines: strength, range)
    "Gatling": ("white", "[@]", "|/=\\|/=\\", 100, ("fast", "rng 20")),
    "Rocket": ("red", "{#}", "^/>\\v/<\\", 300, ("heavy", "rng 30")),
    "Freeze": ("cyan", "(O)", "*" * 8, 600, ("slows", "rng 10")),
}


def turret_frame(body, barrel, k):
    rows = [list("   "), list(body), list("   ")]
    x, y = RING[k]
    rows[y][x] = barrel[k]
    return ["".join(r) for r in rows]


def turret(kind):
    colour, body, barrel, _, _ = TURRETS[kind]
    return make_sprite([turret_frame(body, barrel, k) for k in range(8)], colour)


def build_cursor(kind):
    """0 new cursor, 1 blocked place, 2 moving; same size as the turret."""
    colour, body, _, _, _ = TURRETS[kind]
    core = body[1]
    new = [".-.", "|%s|" % core, "'-'"]
    blocked = ["\\ /", " X ", "/ \\"]
    moving = ["+ +", " %s " % core, "+ +"]
    return make_sprite([new, blocked, moving], colour)


def info_panel(kind):
    """Buy panel, 16 x 6: 0 idle, 1 purchase started."""
    colour, body, barrel, price, (trait, reach) = TURRETS[kind]
    pic = turret_frame(body, barrel, 1)          # aiming up and to the right
    name = kind.upper()

    def panel(top, side, bottom, line3):
        text = [name, "$ %d" % price, line3, reach]
        rows = [top]
        for j in range(4):
            left = pic[j] if j < 3 else "   "
            rows.append(side + " " + left + "  " + text[j].ljust(7) + " " + side)
        rows.append(bottom)
        return rows

    idle = panel(".--------------.", "|", "'--------------'", trait)
    chosen = panel("#==============#", "#", "#==============#", ">PLACE<")
    return make_sprite([idle, chosen], colour, 16, 6)


# ------------------------------------------------------------ enemies
# One row, three cells, two frames each (a walk cycle shown at slowdown 30).
ENEMIES = {
    "easy": ("green", ["/o\\", "\\o/"]),       # a skittering ember mite
    "medium": ("yellow", ["}@{", "{@}"]),      # a scuttling ash beetle
    "hard": ("magenta", ["<#>", ">#<"]),       # an armoured cinder brute
}


def enemy(kind):
    colour, frames = ENEMIES[kind]
    return make_sprite([[f] for f in frames], colour)


def treasure():
    # Enemies that reach the treasure stand on its cell, three wide; the
    # hoard itself lies just beyond them.
    return make_sprite([["   [$$$]"]], "yellow")


SPRITES = {
    "SplashScreen/SplashScreen.txt": splash,
    "Menu/Menu.txt": menu,
    "GameOver/GameOver.txt": gameover,
    "Sprites/Enemies/enemy-easy-spr.txt": lambda: enemy("easy"),
    "Sprites/Enemies/enemy-medium-spr.txt": lambda: enemy("medium"),
    "Sprites/Enemies/enemy-hard-spr.txt": lambda: enemy("hard"),
    "Sprites/Treasure/treasure-spr.txt": treasure,
}
for _kind in TURRETS:
    _low = _kind.lower()
    _dir = "Sprites/Turrets/%s/" % _kind
    SPRITES[_dir + "%s-spr.txt" % _low] = (lambda k: lambda: turret(k))(_kind)
    SPRITES[_dir + "%s-build-spr.txt" % _low] = (lambda k: lambda: build_cursor(k))(_kind)
    SPRITES[_dir + "%s-info-spr.txt" % _low] = (lambda k: lambda: info_panel(k))(_kind)


def main():
    for rel, build in SPRITES.items():
        write_text(os.path.join(DATA, rel), sprite_text(build()))
        print("wrote GameData/%s" % rel)


if __name__ == "__main__":
    main()
