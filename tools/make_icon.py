#!/usr/bin/env python3
"""Writes packaging/cinderwatch.svg, the game's icon: a turret guarding a
treasure on a stretch of track, drawn as the game draws, in cells of the
engine's eight colours on black. Deterministic: the same file every run."""

import os
import sys

# One character a cell; '.' is black. Cells are 4 x 4 units of a 64 x 64 icon.
PICTURE = [
    "................",
    "......RRRR......",
    ".....RYYYYR.....",
    "......RYYR......",
    ".......RR.......",
    "......CCCC......",
    ".....CWWWWC.....",
    ".....CWCCWC.....",
    ".....CCCCCC.....",
    "......CCCC......",
    "BBBBBBCCCCBBBBBB",
    "B..............B",
    "B....YYYYYY....B",
    "B....YMMMMY....B",
    "B....YYYYYY....B",
    "BBBBBBBBBBBBBBBB",
]

COLOURS = {
    "R": "#ff0000",
    "G": "#00ff00",
    "Y": "#ffff00",
    "B": "#0000ff",
    "M": "#ff00ff",
    "C": "#00ffff",
    "W": "#ffffff",
}
CELL = 4
SIZE = CELL * len(PICTURE)


def svg():
    lines = [
        '<?xml version="1.0" encoding="UTF-8"?>',
        f'<svg xmlns="http://www.w3.org/2000/svg" width="{SIZE}" height="{SIZE}" '
        f'viewBox="0 0 {SIZE} {SIZE}">',
        f'  <rect width="{SIZE}" height="{SIZE}" rx="6" fill="#000000"/>',
    ]
    for row, text in enumerate(PICTURE):
        assert len(text) == len(PICTURE), f"row {row} is {len(text)} cells wide"
        for column, cell in enumerate(text):
            if cell == ".":
                continue
            lines.append(
                f'  <rect x="{column * CELL}" y="{row * CELL}" width="{CELL}" height="{CELL}" '
                f'fill="{COLOURS[cell]}"/>'
            )
    lines.append("</svg>")
    return "\n".join(lines) + "\n"


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    path = os.path.join(root, "packaging", "cinderwatch.svg")
    with open(path, "w", encoding="utf-8", newline="\n") as out:
        out.write(svg())
    print(f"wrote {os.path.relpath(path, root)}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
