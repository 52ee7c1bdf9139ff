#!/usr/bin/env python3
"""Checks the game data set under GameData/ and draws levels as text.

    python3 tools/check_data.py              check everything, exit 1 on faults
    python3 tools/check_data.py --show 1     also print level 1's board
    python3 tools/check_data.py --show all   print every board

The checks follow what the game does with each file: which frames it picks,
where it draws them and how big the boxes are that decide where a turret
may stand.  Python 3 standard library only.
"""

import math
import os
import sys
import wave

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from zpdata import DataError, read_level, read_path, read_sprite  # noqa: E402

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
DATA = os.path.join(ROOT, "GameData")

BOARD_W, BOARD_H = 80, 24
PANEL_X, PANEL_ROWS = 64, (0, 6, 12)
COUNTER_ROWS = 3                      # rows 0 .. 2
TURRET_KINDS = ("Gatling", "Rocket", "Freeze")
BLOCK_LABELS = ("BlockVertical", "BlockHorizontal", "BlockRightAngleLeft",
                "BlockRightAngleLeftB", "BlockRightAngleRight",
                "BlockRightAngleUp", "BlockRightAngleDown")
GATLING_RANGE = 20

# label -> file, in the order the game loads them
SPRITES = [
    ("splashscreen", "SplashScreen/SplashScreen.txt"),
    ("menu", "Menu/Menu.txt"),
    ("gameover", "GameOver/GameOver.txt"),
] + [(b, "Levels/Blocks/%s.txt" % b) for b in BLOCK_LABELS]
for _kind in TURRET_KINDS:
    _k = _kind.lower()
    SPRITES += [
        ("%s-select" % _k, "Sprites/Turrets/%s/%s-info-spr.txt" % (_kind, _k)),
        ("%s-build" % _k, "Sprites/Turrets/%s/%s-build-spr.txt" % (_kind, _k)),
        (_k, "Sprites/Turrets/%s/%s-spr.txt" % (_kind, _k)),
    ]
SPRITES += [
    ("enemy", "Sprites/Enemies/enemy-easy-spr.txt"),
    ("enemy-easy", "Sprites/Enemies/enemy-easy-spr.txt"),
    ("enemy-medium", "Sprites/Enemies/enemy-medium-spr.txt"),
    ("enemy-hard", "Sprites/Enemies/enemy-hard-spr.txt"),
    ("treasure", "Sprites/Treasure/treasure-spr.txt"),
]

# (file, minimum seconds, maximum seconds)
SOUNDS = [
    ("Music/Menu.wav", 10.0, 24.0),
    ("Music/Background.wav", 10.0, 24.0),
    ("Music/Explosion.wav", 0.2, 1.0),
    ("Music/Freeze.wav", 0.2, 0.8),
    ("Music/bullet.wav", 0.04, 0.25),
]
LOOPED = ("Music/Menu.wav", "Music/Background.wav")
AUDIO_BUDGET = 4 * 1024 * 1024

LEVELS = [("Level1", "Easy"), ("Level2", "Medium"), ("Level3", "Hard")]


class Report:
    def __init__(self):
        self.faults = []

    def fault(self, msg):
        self.faults.append(msg)

    def check(self, ok, msg):
        if not ok:
            self.fault(msg)
        return ok


# ------------------------------------------------------------ sprites

def frame_rule(label):
    """(exact frame count or None, minimum frames) for a sprite label."""
    if label in TURRET_KINDS_LOWER:
        return 8, 8
    if label.endswith("-build"):
        return 3, 3
    if label.endswith("-select"):
        return 2, 2
    if label.startswith("enemy"):
        return None, 2
    return None, 1


TURRET_KINDS_LOWER = tuple(k.lower() for k in TURRET_KINDS)

# label -> (max width, max height)
SIZE_LIMITS = {
    "splashscreen": (80, 24),
    "menu": (72, 10),
    "gameover": (68, 6),
}


def load_sprites(rep):
    sprites = {}
    for label, rel in SPRITES:
        path = os.path.join(DATA, rel)
        if not os.path.exists(path):
            rep.fault("%s: missing (label %s)" % (rel, label))
            continue
        try:
            sprites[label] = read_sprite(path)
        except DataError as e:
            rep.fault(str(e))
    return sprites


def check_sprites(rep, sprites):
    for label, sp in sprites.items():
        exact, minimum = frame_rule(label)
        n = len(sp.frames)
        if exact is not None:
            rep.check(n == exact, "%s: %d frames, the game uses exactly %d" % (label, n, exact))
        rep.check(n >= minimum, "%s: %d frames, needs at least %d" % (label, n, minimum))
        if label in SIZE_LIMITS:
            mw, mh = SIZE_LIMITS[label]
            rep.check(sp.width <= mw and sp.height <= mh,
                      "%s: %dx%d, at most %dx%d fits its screen place"
                      % (label, sp.width, sp.height, mw, mh))
        if label.endswith("-select"):
            rep.check(sp.width <= 16 and sp.height <= 6,
                      "%s: %dx%d, a buy panel fits 16x6" % (label, sp.width, sp.height))
            rep.check(sp.frames[0] != sp.frames[1],
                      "%s: frame 1 (purchase started) looks like frame 0" % label)
        if label.startswith("enemy"):
            rep.check(sp.height == 1 and 1 <= sp.width <= 3,
                      "%s: %dx%d, enemies are 1 row and 1..3 columns" % (label, sp.width, sp.height))
            rep.check(len(set(tuple(f) for f in sp.frames)) > 1,
                      "%s: all frames alike, no animation" % label)
        for fi, frame in enumerate(sp.frames):
            rep.check(any(ch != " " for row in frame for ch in row),
                      "%s: frame %d is blank" % (label, fi))
    for kind in TURRET_KINDS_LOWER:
        t, b = sprites.get(kind), sprites.get(kind + "-build")
        if t and b:
            rep.check((t.width, t.height) == (b.width, b.height),
                      "%s-build: %dx%d, must match the %s turret's %dx%d"
                      % (kind, b.width, b.height, kind, t.width, t.height))
        if t:
            rep.check(len(set(tuple(f) for f in t.frames)) == len(t.frames),
                      "%s: two aiming frames are identical" % kind)
        if b:
            rep.check(len(set(tuple(f) for f in b.frames)) == 3,
                      "%s-build: its three frames are not all different" % kind)
    if "enemy" in sprites and "enemy-easy" in sprites:
        rep.check(sprites["enemy"].frames == sprites["enemy-easy"].frames,
                  "enemy and enemy-easy differ")
    kinds = [sprites[k].frames for k in ("enemy-easy", "enemy-medium", "enemy-hard") if k in sprites]
    rep.check(len(set(tuple(tuple(f) for f in fr) for fr in kinds)) == len(kinds),
              "two enemy kinds look the same")
    for kind, price in (("gatling", 100), ("rocket", 300), ("freeze", 600)):
        sp = sprites.get(kind + "-select")
        if sp:
            for fi, frame in enumerate(sp.frames):
                text = "\n".join(frame).upper()
                rep.check(kind.upper() in text, "%s-select frame %d lacks the name" % (kind, fi))
                rep.check(str(price) in text, "%s-select frame %d lacks the price %d"
                          % (kind, fi, price))


# ------------------------------------------------------------ levels

def box_cells(x, y, w, h):
    """Cells reached by an object's box: the engine's box test includes
    the far edges, so a w x h box reaches one cell further right and down."""
    return x, y, x + w, y + h


def boxes_meet(a, b):
    ax0, ay0, ax1, ay1 = a
    bx0, by0, bx1, by1 = b
    return ax0 <= bx1 and bx0 <= ax1 and ay0 <= by1 and by0 <= ay1


def footprint(x, y, enemy_w):
    """Cells an enemy at (x, y) draws on: its sprite and its health bar."""
    cells = {(x + i, y) for i in range(enemy_w)}
    cells |= {(x + i, y - 1) for i in range(-1, 6)}
    return cells


def scaled_distance(a, b):
    dx = b[0] - a[0]
    dy = (b[1] - a[1]) * 2.5
    return int(math.floor(math.sqrt(dx * dx + dy * dy)))


def panel_boxes(sprites):
    out = []
    for kind, row in zip(TURRET_KINDS_LOWER, PANEL_ROWS):
        sp = sprites.get(kind + "-select")
        w, h = (sp.width, sp.height) if sp else (1, 1)
        out.append(box_cells(PANEL_X, row, w, h))
    return out


def compose_track(rep, name, level, sprites):
    """Draw the blocks; returns {cell: char} for every cell a block covers."""
    drawn = {}
    for label, x, y in level.blocks:
        sp = sprites.get(label)
        if not sp:
            continue
        for j, row in enumerate(sp.frames[0]):
            for i, ch in enumerate(row):
                cell = (x + i, y + j)
                if cell in drawn and drawn[cell] != ch:
                    rep.fault("%s: block %s at (%d,%d) draws %r over %r at %s"
                              % (name, label, x, y, ch, drawn[cell], cell))
                drawn[cell] = ch
    return drawn


def turret_spots(level, sprites, path):
    """Top-left cells where a Gatling could be placed (its build cursor's
    box meets no block, panel or the treasure) and from where it reaches
    the path."""
    cur = sprites.get("gatling-build")
    if not cur:
        return []
    obstacles = []
    for label, x, y in level.blocks:
        sp = sprites.get(label)
        if sp:
            obstacles.append(box_cells(x, y, sp.width, sp.height))
    obstacles += panel_boxes(sprites)
    tr = sprites.get("treasure")
    if tr:
        obstacles.append(box_cells(level.treasure[0], level.treasure[1], tr.width, tr.height))
    spots = []
    for y in range(COUNTER_ROWS, BOARD_H - cur.height + 1):
        for x in range(0, BOARD_W - cur.width + 1):
            b = box_cells(x, y, cur.width, cur.height)
            if any(boxes_meet(b, o) for o in obstacles):
                continue
            if any(scaled_distance((x, y), p) <= GATLING_RANGE for p in path):
                spots.append((x, y))
    return spots


def check_level(rep, folder, sprites):
    base = os.path.join(DATA, "Levels", folder)
    lpath = os.path.join(base, folder + ".txt")
    ppath = os.path.join(base, folder + "Mov.txt")
    try:
        level = read_level(lpath)
        path = read_path(ppath)
    except (DataError, OSError) as e:
        rep.fault(str(e))
        return None, None
    rep.check((level.size_x, level.size_y) == (BOARD_W, BOARD_H),
              "%s: size %dx%d" % (folder, level.size_x, level.size_y))
    rep.check(len(path) >= 2, "%s: path too short" % folder)
    if not path:
        return level, path
    rep.check(path[0] == level.start, "%s: path starts at %s, enemy start is %s"
              % (folder, path[0], level.start))
    rep.check(path[-1] == level.treasure, "%s: path ends at %s, treasure is %s"
              % (folder, path[-1], level.treasure))
    for a, b in zip(path, path[1:]):
        rep.check(abs(a[0] - b[0]) + abs(a[1] - b[1]) == 1,
                  "%s: path jumps from %s to %s" % (folder, a, b))
    rep.check(len(set(path)) == len(path), "%s: path visits a cell twice" % folder)
    for p in path:
        rep.check(0 <= p[0] < BOARD_W and COUNTER_ROWS < p[1] < BOARD_H,
                  "%s: path cell %s is off the playing field" % (folder, p))

    for label, x, y in level.blocks:
        if not rep.check(label in BLOCK_LABELS, "%s: unknown block %r" % (folder, label)):
            continue
        sp = sprites.get(label)
        if not sp:
            continue
        b = box_cells(x, y, sp.width, sp.height)
        rep.check(x >= 0 and y >= COUNTER_ROWS and x + sp.width <= BOARD_W
                  and y + sp.height <= BOARD_H,
                  "%s: block %s at (%d,%d) is off the board or on the counters"
                  % (folder, label, x, y))
        rep.check(not boxes_meet(b, (PANEL_X, 0, BOARD_W, PANEL_ROWS[-1] + 5)),
                  "%s: block %s at (%d,%d) reaches the buy panels" % (folder, label, x, y))

    drawn = compose_track(rep, folder, level, sprites)
    widest = max((sprites[k].width for k in ("enemy-easy", "enemy-medium", "enemy-hard")
                  if k in sprites), default=1)
    for p in path:
        for cell in footprint(p[0], p[1], widest):
            if not (0 <= cell[0] < BOARD_W and 0 <= cell[1] < BOARD_H):
                continue
            if not rep.check(cell in drawn, "%s: %s under the enemy at %s has no track"
                             % (folder, cell, p)):
                continue
            rep.check(drawn[cell] == " ", "%s: track wall %r at %s is drawn where the enemy "
                      "at %s or its health bar stands" % (folder, drawn[cell], cell, p))
    tr = sprites.get("treasure")
    if tr:
        tx, ty = level.treasure
        for j, row in enumerate(tr.frames[0]):
            for i, ch in enumerate(row):
                cell = (tx + i, ty + j)
                if ch != " " and cell in drawn:
                    rep.check(drawn[cell] == " ", "%s: treasure drawn over the wall at %s"
                              % (folder, cell))
                rep.check(0 <= cell[0] < BOARD_W and 0 <= cell[1] < BOARD_H,
                          "%s: treasure leaves the board at %s" % (folder, cell))
    spots = turret_spots(level, sprites, path)
    rep.check(len(spots) >= 40, "%s: only %d places for a turret near the path"
              % (folder, len(spots)))
    return level, path


# ------------------------------------------------------------ board picture

def board(level, path, sprites, enemies=()):
    """The level as the player sees it at the start: track, counters,
    panels, treasure; optionally enemies at some path indices."""
    grid = [[" "] * BOARD_W for _ in range(BOARD_H)]

    def put(x, y, rows):
        for j, row in enumerate(rows):
            for i, ch in enumerate(row):
                if ch != " " and 0 <= x + i < BOARD_W and 0 <= y + j < BOARD_H:
                    grid[y + j][x + i] = ch

    for label, x, y in level.blocks:
        if label in sprites:
            put(x, y, sprites[label].frames[0])
    for text, cx in (("|Lives: 10|", 6), ("|Wave: 0|", 40), ("|Currency: 100|", 55)):
        x = cx - len(text) // 2
        put(x, 0, ["-" * len(text), text, "-" * len(text)])
    for kind, row in zip(TURRET_KINDS_LOWER, PANEL_ROWS):
        sp = sprites.get(kind + "-select")
        if sp:
            put(PANEL_X, row, sp.frames[0])
    if "treasure" in sprites:
        put(level.treasure[0], level.treasure[1], sprites["treasure"].frames[0])
    for label, index in enemies:
        if label in sprites and 0 <= index < len(path):
            x, y = path[index]
            put(x - 1, y - 1, ["]=====["])
            put(x, y, sprites[label].frames[0])
    return ["".join(r) for r in grid]


# ------------------------------------------------------------ sounds

def check_sounds(rep):
    total = 0
    for rel, lo, hi in SOUNDS:
        path = os.path.join(DATA, rel)
        if not rep.check(os.path.exists(path), "%s: missing" % rel):
            continue
        total += os.path.getsize(path)
        try:
            with wave.open(path, "rb") as w:
                ch, sw, rate, n = w.getnchannels(), w.getsampwidth(), w.getframerate(), w.getnframes()
                raw = w.readframes(n)
        except (wave.Error, EOFError) as e:
            rep.fault("%s: %s" % (rel, e))
            continue
        rep.check(ch == 1 and sw == 2, "%s: %d channels, %d-byte samples; want mono 16-bit"
                  % (rel, ch, sw))
        secs = n / float(rate)
        rep.check(lo <= secs <= hi, "%s: %.2f s, want %.2f .. %.2f s" % (rel, secs, lo, hi))
        if sw != 2 or n < 2:
            continue
        samples = [int.from_bytes(raw[i:i + 2], "little", signed=True)
                   for i in range(0, len(raw), 2)]
        peak = max(abs(s) for s in samples)
        rep.check(2000 < peak < 32767, "%s: peak %d, silent or clipped" % (rel, peak))
        if rel in LOOPED:
            # the loop seam: the jump from the last sample back to the first
            # must be no bigger than an ordinary step inside the track
            steps = sorted(abs(b - a) for a, b in zip(samples, samples[1:]))
            typical = steps[int(len(steps) * 0.999)]
            seam = abs(samples[0] - samples[-1])
            rep.check(seam <= typical, "%s: loop seam jumps %d, the track's steps stay under %d"
                      % (rel, seam, typical))
        else:
            rep.check(abs(samples[-1]) < 200, "%s: ends in a click (%d)" % (rel, samples[-1]))
    rep.check(total < AUDIO_BUDGET, "audio takes %d bytes, budget %d" % (total, AUDIO_BUDGET))
    return total


# ------------------------------------------------------------ main

def main(argv):
    rep = Report()
    sprites = load_sprites(rep)
    check_sprites(rep, sprites)
    lengths = []
    shown = []
    for folder, difficulty in LEVELS:
        level, path = check_level(rep, folder, sprites)
        lengths.append(len(path) if path else 0)
        if level is not None:
            shown.append((folder, difficulty, level, path))
    rep.check(lengths[0] > lengths[1] > lengths[2],
              "path lengths %s: Easy must be longest, Hard shortest" % lengths)
    audio = check_sounds(rep)

    want = argv[argv.index("--show") + 1] if "--show" in argv else None
    for folder, difficulty, level, path in shown:
        if want in ("all", folder[-1]):
            n = len(path)
            demo = [("enemy-hard", n // 6), ("enemy-medium", n // 3), ("enemy-easy", n // 2)]
            print("%s (%s) %r: %d path cells, %d blocks, %d turret places"
                  % (folder, difficulty, level.name, n, len(level.blocks),
                     len(turret_spots(level, sprites, path))))
            for row in board(level, path, sprites, demo):
                print(row.rstrip())
            print()
    print("sprites %d, levels %d (path cells %s), audio %d bytes"
          % (len(sprites), len(shown), lengths, audio))
    for f in rep.faults:
        print("FAULT: " + f)
    print("%d faults" % len(rep.faults))
    return 1 if rep.faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
