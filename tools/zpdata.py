"""Reading and writing the game's text data files.

Shared by the generators (make_sprites.py, make_levels.py) and the checker
(check_data.py).  Python 3 standard library only.

Sprite file:
    frames N / width W / height H / color NAME
    then per frame: H rows of exactly W characters, then "end"
    then "eof"

Level file:
    name TEXT / description TEXT / size_x / size_y / block_count N /
    enemy_start_x / enemy_start_y / treasure_x / treasure_y / end
    then N times: block LABEL / pos_x / pos_y / end
    then eof

Path file:
    block_count M / end, then M times: pos_x / pos_y / end, then eof
"""

import os

COLORS = ("black", "red", "green", "yellow", "blue", "magenta", "cyan", "white")


class DataError(Exception):
    pass


# ---------------------------------------------------------------- sprites

class Sprite:
    def __init__(self, width, height, color, frames):
        self.width = width
        self.height = height
        self.color = color
        self.frames = frames  # list of lists of row strings

    def cell(self, frame, x, y):
        return self.frames[frame][y][x]


def make_sprite(frames, color, width=None, height=None):
    """Build a Sprite from frames given as lists of rows.

    Rows are padded with blanks on the right to the common width; frames
    are padded with blank rows at the bottom to the common height.  A
    frame may also be given as one multi-line string."""
    norm = []
    for f in frames:
        rows = f.split("\n") if isinstance(f, str) else list(f)
        norm.append(rows)
    w = width if width is not None else max(len(r) for f in norm for r in f)
    h = height if height is not None else max(len(f) for f in norm)
    out = []
    for rows in norm:
        if len(rows) > h:
            raise DataError("frame has %d rows, more than %d" % (len(rows), h))
        rows = rows + [""] * (h - len(rows))
        fixed = []
        for r in rows:
            if len(r) > w:
                raise DataError("row %r is wider than %d" % (r, w))
            fixed.append(r.ljust(w))
        out.append(fixed)
    if color not in COLORS:
        raise DataError("unknown colour %r" % color)
    return Sprite(w, h, color, out)


def sprite_text(sprite):
    lines = [
        "frames %d" % len(sprite.frames),
        "width %d" % sprite.width,
        "height %d" % sprite.height,
        "color %s" % sprite.color,
    ]
    for f in sprite.frames:
        for row in f:
            if len(row) != sprite.width:
                raise DataError("row %r is not %d wide" % (row, sprite.width))
            for ch in row:
                if not (" " <= ch <= "~"):
                    raise DataError("character %r is not printable ASCII" % ch)
            lines.append(row)
        lines.append("end")
    lines.append("eof")
    return "\n".join(lines) + "\n"


def write_text(path, text):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="ascii", newline="\n") as fh:
        fh.write(text)


def _lines(path):
    with open(path, "rb") as fh:
        raw = fh.read()
    if b"\r" in raw:
        raise DataError("%s: carriage return found (LF line ends only)" % path)
    try:
        text = raw.decode("ascii")
    except UnicodeDecodeError:
        raise DataError("%s: not plain ASCII" % path)
    if not text.endswith("\n"):
        raise DataError("%s: last line has no line feed" % path)
    return text[:-1].split("\n")


def _keyword_int(line, keyword, where):
    parts = line.split(" ")
    if len(parts) != 2 or parts[0] != keyword:
        raise DataError("%s: expected '%s NUMBER', found %r" % (where, keyword, line))
    value = parts[1]
    body = value[1:] if value[:1] == "-" else value
    if not body.isdigit():
        raise DataError("%s: %r is not a whole number" % (where, line))
    return int(value)


def _keyword_text(line, keyword, where):
    if not line.startswith(keyword + " ") or len(line) <= len(keyword) + 1:
        raise DataError("%s: expected '%s TEXT', found %r" % (where, keyword, line))
    value = line[len(keyword) + 1:]
    if value != value.strip():
        raise DataError("%s: %r has blanks around its value" % (where, line))
    return value


def _expect(line, word, where):
    if line != word:
        raise DataError("%s: expected %r, found %r" % (where, word, line))


def read_sprite(path):
    """Parse a sprite file strictly (stricter than the game's reader)."""
    lines = _lines(path)
    where = lambda i: "%s:%d" % (path, i + 1)
    if len(lines) < 5:
        raise DataError("%s: too short" % path)
    frames = _keyword_int(lines[0], "frames", where(0))
    width = _keyword_int(lines[1], "width", where(1))
    height = _keyword_int(lines[2], "height", where(2))
    color = _keyword_text(lines[3], "color", where(3))
    if color not in COLORS:
        raise DataError("%s: colour %r is not one of %s" % (where(3), color, COLORS))
    if frames < 1 or width < 1 or height < 1:
        raise DataError("%s: frames, width and height must be positive" % path)
    expected = 4 + frames * (height + 1) + 1
    if len(lines) != expected:
        raise DataError("%s: %d lines, expected %d" % (path, len(lines), expected))
    out = []
    i = 4
    for _ in range(frames):
        rows = []
        for _ in range(height):
            row = lines[i]
            if len(row) != width:
                raise DataError("%s: row %r is %d wide, expected %d"
                                % (where(i), row, len(row), width))
            for ch in row:
                if not (" " <= ch <= "~"):
                    raise DataError("%s: character %r is not printable ASCII" % (where(i), ch))
            rows.append(row)
            i += 1
        _expect(lines[i], "end", where(i))
        i += 1
        out.append(rows)
    _expect(lines[i], "eof", where(i))
    return Sprite(width, height, color, out)


# ---------------------------------------------------------------- levels

class Level:
    def __init__(self, name, description, size_x, size_y, start, treasure, blocks):
        self.name = name
        self.description = description
        self.size_x = size_x
        self.size_y = size_y
        self.start = start          # (x, y)
        self.treasure = treasure    # (x, y)
        self.blocks = blocks        # list of (label, x, y)


def level_text(level):
    lines = [
        "name %s" % level.name,
        "description %s" % level.description,
        "size_x %d" % level.size_x,
        "size_y %d" % level.size_y,
        "block_count %d" % len(level.blocks),
        "enemy_start_x %d" % level.start[0],
        "enemy_start_y %d" % level.start[1],
        "treasure_x %d" % level.treasure[0],
        "treasure_y %d" % level.treasure[1],
        "end",
    ]
    for label, x, y in level.blocks:
        lines += ["block %s" % label, "pos_x %d" % x, "pos_y %d" % y, "end"]
    lines.append("eof")
    return "\n".join(lines) + "\n"


def path_text(points):
    lines = ["block_count %d" % len(points), "end"]
    for x, y in points:
        lines += ["pos_x %d" % x, "pos_y %d" % y, "end"]
    lines.append("eof")
    return "\n".join(lines) + "\n"


def read_level(path):
    lines = _lines(path)
    where = lambda i: "%s:%d" % (path, i + 1)
    if len(lines) < 11:
        raise DataError("%s: too short" % path)
    name = _keyword_text(lines[0], "name", where(0))
    description = _keyword_text(lines[1], "description", where(1))
    keys = ["size_x", "size_y", "block_count", "enemy_start_x", "enemy_start_y",
            "treasure_x", "treasure_y"]
    vals = {}
    for k, key in enumerate(keys):
        vals[key] = _keyword_int(lines[2 + k], key, where(2 + k))
    _expect(lines[9], "end", where(9))
    n = vals["block_count"]
    if len(lines) != 10 + 4 * n + 1:
        raise DataError("%s: %d lines, expected %d for %d blocks"
                        % (path, len(lines), 10 + 4 * n + 1, n))
    blocks = []
    i = 10
    for _ in range(n):
        label = _keyword_text(lines[i], "block", where(i))
        x = _keyword_int(lines[i + 1], "pos_x", where(i + 1))
        y = _keyword_int(lines[i + 2], "pos_y", where(i + 2))
        _expect(lines[i + 3], "end", where(i + 3))
        blocks.append((label, x, y))
        i += 4
    _expect(lines[i], "eof", where(i))
    return Level(name, description, vals["size_x"], vals["size_y"],
                 (vals["enemy_start_x"], vals["enemy_start_y"]),
                 (vals["treasure_x"], vals["treasure_y"]), blocks)


def read_path(path):
    lines = _lines(path)
    where = lambda i: "%s:%d" % (path, i + 1)
    if len(lines) < 3:
        raise DataError("%s: too short" % path)
    m = _keyword_int(lines[0], "block_count", where(0))
    _expect(lines[1], "end", where(1))
    if len(lines) != 2 + 3 * m + 1:
        raise DataError("%s: %d lines, expected %d for %d points"
                        % (path, len(lines), 2 + 3 * m + 1, m))
    points = []
    i = 2
    for _ in range(m):
        x = _keyword_int(lines[i], "pos_x", where(i))
        y = _keyword_int(lines[i + 1], "pos_y", where(i + 1))
        _expect(lines[i + 2], "end", where(i + 2))
        points.append((x, y))
        i += 3
    _expect(lines[i], "eof", where(i))
    return points
