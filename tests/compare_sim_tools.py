#!/usr/bin/env python3
"""Plays the same games with two townwright-sim commands and requires byte-identical CSV.

Each command is a shell-like string: the program, after an emulator where it needs one
("node build/web/townwright-sim/townwright-sim.js", "qemu-aarch64 -L /usr/aarch64-linux-gnu ...").
The games are fixed: their seeds and press lists come from a generator seeded here, with tax
changes among the presses, ordinary rates and awkward texts alike. Exits 0 when every game matches;
otherwise names the first game that differs, with its first differing line, and exits 1.
"""

import argparse
import concurrent.futures
import random
import shlex
import subprocess
import sys

# Texts typed into the tax boxes (the tool's list cannot hold "," or "/").
ORDINARY_RATES = ["33", "25", "12.5", "7.5", "15", "0", "-3", "150", "12.345", " 7", "99.9"]
AWKWARD_RATES = ["abc", "", "15%", "2E1", "1d2", "&H1F", "&B101", "&O17", "1E308", "-1E308",
                 "1E-320", "1E999", "&HFFFFFFFFFFFFFFFFFFFFFF", "&B" + "1" * 70, "0.000001",
                 "1." + "3" * 40, "9" * 30]


def games(count, turns):
    chance = random.Random(20261)
    for _ in range(count):
        steps = []
        for _ in range(chance.randint(3, 14)):
            if chance.random() < 0.3:
                pool = AWKWARD_RATES if chance.random() < 0.25 else ORDINARY_RATES
                steps.append("tax=" + "/".join(chance.choice(pool) for _ in range(3)))
            else:
                steps.append(str(chance.randint(1, 9)))
        steps.append(str(chance.randint(1, 9)))
        yield ["--seed", str(chance.getrandbits(64)), "--turns", str(turns),
               "--press", ",".join(steps)]


def play(command, arguments):
    result = subprocess.run(command + arguments, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                            check=False)
    if result.returncode != 0:
        raise RuntimeError(f"{shlex.join(command + arguments)} exited {result.returncode}: "
                           f"{result.stderr.decode(errors='replace').strip()}")
    return result.stdout


def first_difference(expected, actual):
    expected_lines = expected.split(b"\n")
    actual_lines = actual.split(b"\n")
    for number, (want, got) in enumerate(zip(expected_lines, actual_lines)):
        if want != got:
            return f"line {number + 1}:\n  reference: {want[:300]!r}\n  candidate: {got[:300]!r}"
    return f"{len(expected_lines)} lines against {len(actual_lines)}"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--reference", required=True, help="the native tool's command")
    parser.add_argument("--candidate", required=True, help="the command of the tool to check")
    parser.add_argument("--games", type=int, default=20)
    parser.add_argument("--turns", type=int, default=1000)
    parser.add_argument("--jobs", type=int, default=2)
    options = parser.parse_args()
    reference = shlex.split(options.reference)
    candidate = shlex.split(options.candidate)

    def compare(arguments):
        return arguments, play(reference, arguments), play(candidate, arguments)

    rows = 0
    with concurrent.futures.ThreadPoolExecutor(max_workers=options.jobs) as pool:
        for arguments, expected, actual in pool.map(compare, games(options.games, options.turns)):
            if expected != actual:
                print(f"townwright-sim {shlex.join(arguments)} differs at "
                      f"{first_difference(expected, actual)}")
                return 1
            rows += expected.count(b"\n") - 1
    print(f"{options.games} games, {rows} turns: the CSV is byte-identical")
    return 0


if __name__ == "__main__":
    sys.exit(main())
