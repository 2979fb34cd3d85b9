"""Draws the eight indicators of a game over its turns, as townwright-sim plays it, with matplotlib.

Usage: plot_game.py TOWNWRIGHT_SIM OUTPUT.png|OUTPUT.svg [townwright-sim options...]
(scripts/plot-game builds the tool and calls this.)
"""

import csv
import io
import subprocess
import sys

import matplotlib

matplotlib.use("Agg")  # no display needed
import matplotlib.pyplot as plt  # noqa: E402

INDICATORS = [
    ("treasury", "Treasury"), ("wealth", "Wealth"), ("cleanliness", "Cleanliness"),
    ("peacefuliness", "Peacefuliness"), ("census", "Census"),
    ("sustainability", "Sustainability"), ("velocity_of_money", "Velocity of Money"),
    ("quality_of_life", "Quality of Life"),
]


def main():
    if len(sys.argv) < 3 or not sys.argv[2].endswith((".png", ".svg")):
        sys.exit("usage: plot_game.py TOWNWRIGHT_SIM OUTPUT.png|OUTPUT.svg "
                 "[townwright-sim options...]")
    tool, output, options = sys.argv[1], sys.argv[2], sys.argv[3:]
    run = subprocess.run([tool, "--columns", "names", "--values", "numbers",
                          *options], stdout=subprocess.PIPE, text=True)
    if run.returncode != 0:
        sys.exit(run.returncode)
    rows = list(csv.DictReader(io.StringIO(run.stdout)))
    turns = [int(row["turn"]) for row in rows]

    figure, axes = plt.subplots(4, 2, figsize=(11, 10), sharex=True)
    for axis, (column, heading) in zip(axes.flat, INDICATORS):
        axis.plot(turns, [float(row[column]) for row in rows], linewidth=1)
        axis.set_title(heading)
        axis.grid(True, alpha=0.3)
    for axis in axes[-1]:
        axis.set_xlabel("turn")
    figure.suptitle("Townwright: the eight indicators over %d turns" % len(turns))
    figure.tight_layout()
    # No creation date in the file: the same game gives the same picture.
    figure.savefig(output, dpi=80, metadata={"Date": None} if output.endswith(".svg") else None)


if __name__ == "__main__":
    main()
