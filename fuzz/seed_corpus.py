#!/usr/bin/env python3
"""Writes the fuzz targets' seed corpus from the game's own examples: the tax texts of the rules
for reading a tax box, the worked figures of the number formats, a few short games, and kept
games. Run it from anywhere; it rewrites fuzz/corpus/. The corpus is committed, so this is needed
only when the examples change."""

import hashlib
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def write(target, data):
    folder = os.path.join(HERE, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    name = hashlib.sha1(data).hexdigest()
    with open(os.path.join(folder, name), "wb") as out:
        out.write(data)


TAX_TEXTS = [
    "12.5", "  7", "15%", "1,000", "abc", "", "-3", "2E1", "25", "5", "10", "12.345", " 12.3",
    " 0", "-1.5", "\t\n8", "+4", ".5", "5.", "1e2", "1D2", "1d-2", "2E", "2E+", "&HFF", "&hff",
    "&B101", "&b2", "&O17", "&Q17", "&q8", "&777", "&", "&H", "1E308", "1E309", "-1E999",
    "1E-400", "9" * 400, "0." + "0" * 400 + "1", "&H" + "F" * 40, " 1E+304", " Inf", " NaN",
]

# Value, then a byte choosing the digit count (1 + byte % 40) and one choosing the decimals.
FIGURES = [
    0.0, -0.0, 7, 41.5, 123, 1234, 12345.4, 123456, 1234567, 1e9, -42, -123, -1234, -123456,
    -2.5, 0.5, 1.5, 2.5, 3.5, -0.4, 0.4, 999999999999999, 1e15, 1e16, 1.5e-17, 0.125, 37.5,
    16777216, 3.4028234663852886e38, 1.7976931348623157e308, 5e-324, 2.2250738585072014e-308,
    float("inf"), float("-inf"), float("nan"),
]


def figure_input(value, digits, decimals):
    return struct.pack("<dBB", value, digits - 1, decimals + 2)


# Games: the starting point (0 a new game, 1 to 3 a mature one), 8 bytes of seed, then one byte
# per action (see game_fuzzer.cc).
def game(seed, *actions, start=0):
    data = struct.pack("<BQ", start, seed)
    for action in actions:
        data += action if isinstance(action, bytes) else bytes([action])
    return data


def typed(box, text):
    raw = text.encode("latin-1")
    return bytes([10, box, len(raw)]) + raw


GAMES = [
    game(1, *range(9)),
    game(2, 0, 0, typed(0, "25"), typed(1, "5"), typed(2, "10"), 9, 0, 1, 2),
    game(3, 9, 0, 11, 0, 11, 1, 11, 2, 0, 14),
    game(4, 0, typed(0, "1E999"), 9, 0, 0, 0, 9, 0),
    game(5, 0, 13, 0, 46, 13, 1, 12, 3, 243, 0, 12, 3, 243, 2, 12, 0, 1, 0, 15),
    game(6, *([0] * 60)),
    game(7, *([1, 2, 3, 4, 5, 6, 7, 8, 0] * 40), start=1),
    game(8, *([8, 7, 6, 5, 1] * 60), start=2),
    game(9, 0, typed(2, "-250"), 9, *([3, 7] * 100), start=3),
]


def kept(start, *edits):
    """Kept games: a game's own bytes, edited (kind 0: starting point, then edits), or a copy's text
    as it is (kind 1). See kept_game_fuzzer.cc."""
    data = bytes([0, start])
    for position, value in edits:
        data += struct.pack("<HB", position, value)
    return data


KEPT_GAMES = [
    kept(0),
    kept(1),
    kept(2),
    kept(3),
    kept(1, (0, 28)),
    kept(2, (1, 13), (7, 0)),
    kept(3, (0xFFFF, 128)),
    b"\x01" + b"not a copy",
    b"\x01" + b"VG93bndyaWdodCAwLjEuMCBrZXB0IGdhbWUgMQ==",
]

if __name__ == "__main__":
    for text in TAX_TEXTS:
        write("tax_text", text.encode("latin-1"))
    for value in FIGURES:
        for digits, decimals in ((15, 0), (7, 1), (40, 18)):
            write("number_text", figure_input(value, digits, decimals))
    for data in GAMES:
        write("game", data)
    for data in KEPT_GAMES:
        write("kept_game", data)
