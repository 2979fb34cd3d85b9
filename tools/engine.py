#!/usr/bin/python3
"""Measures the engine against the cost no implementation of the game's rules can avoid, in one
run on this machine, the two alternated: townwright-sim playing 20,000 turns of "do nothing" from
seed 1, end to end with its CSV, against a program that only makes those turns' draws with
std::mt19937_64 (bench/bare_draws.cc); and the turn of the browser build under node against the
same program built natively (bench/turn_timing.cc). Prints the medians and their ratios, processor
time and wall time alike; asserts nothing.

Usage: engine.py SIM BARE_DRAWS NATIVE_TIMING NODE_TIMING_JS [ROUNDS]
"""

import os
import resource
import statistics
import subprocess
import sys
import tempfile
import time

TURNS = 20000
ROUNDS = 7


def timed(command, output=subprocess.DEVNULL):
    """(processor seconds, wall seconds) of one run of `command`."""
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    started = time.monotonic()
    subprocess.run(command, check=True, stdout=output)
    wall = time.monotonic() - started
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    return after.ru_utime + after.ru_stime - before.ru_utime - before.ru_stime, wall


def sim_against_draws(sim, bare_draws, rounds):
    sims, draws = [], []
    with tempfile.TemporaryDirectory(prefix="townwright-engine-") as folder:
        for _ in range(rounds):
            with open(os.path.join(folder, "game.csv"), "w") as csv:
                sims.append(timed([sim, "--seed", "1", "--turns", str(TURNS), "--press", "1"], csv))
            draws.append(timed([bare_draws, str(TURNS)]))
    return sims, draws


def turn_times(native_timing, node_timing, rounds):
    native, node = [], []
    for _ in range(rounds):
        native.append(float(subprocess.run([native_timing], capture_output=True, text=True,
                                           check=True).stdout))
        node.append(float(subprocess.run(["node", node_timing], capture_output=True, text=True,
                                         check=True).stdout))
    return native, node


def median(values, index=None):
    return statistics.median(v[index] for v in values) if index is not None else \
        statistics.median(values)


def print_ratios(sim, bare_draws, native_timing, node_timing, rounds=ROUNDS):
    sims, draws = sim_against_draws(sim, bare_draws, rounds)
    print(f"townwright-sim, {TURNS} turns with its CSV, against their {TURNS * 6062:,} bare "
          f"std::mt19937_64 draws, {rounds} runs of each alternated (goal: at most 1.25 times):")
    for what, index in (("processor", 0), ("wall", 1)):
        print(f"  {what} time: {median(sims, index):.3f} s against {median(draws, index):.3f} s: "
              f"{median(sims, index) / median(draws, index):.2f} times")
    native, node = turn_times(native_timing, node_timing, rounds)
    print(f"a turn of the engine in WebAssembly under node against native, {rounds} runs of each "
          f"alternated (goal: at most 2 times): {median(node):.1f} us against "
          f"{median(native):.1f} us: {median(node) / median(native):.2f} times")


def main():
    if len(sys.argv) not in (5, 6):
        sys.exit(__doc__.splitlines()[-1])
    rounds = int(sys.argv[5]) if len(sys.argv) == 6 else ROUNDS
    print_ratios(*sys.argv[1:5], rounds=rounds)
    return 0


if __name__ == "__main__":
    sys.exit(main())
