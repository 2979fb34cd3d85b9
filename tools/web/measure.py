#!/usr/bin/python3
"""Measures the game's page against its goals, in one run on this machine.

- page weight: every file of the site, uncompressed and gzip-compressed (level 9); the module and
  the page without its icons against the baseline's (BASELINE_SITE);
- Lighthouse's four scores (performance, accessibility, best practices, SEO) in its default
  mobile run, and the audits that cost a score points, for this page and the baseline's
  (BASELINE_SITE), alternated;
- start: navigation to the window shown, beyond the game's 0.9 s of pauses before its window
  exists (headless Chromium, a local server, a fresh profile): the first navigation of a browser
  just started, against the baseline page's, fresh browsers of each alternated; later ones, as
  from a browser that is already running, and an offline visit (the server stopped, the files
  from the worker's cache) against those later ones; and a reload of a tab whose game has played
  a few turns, which brings that game back with no pauses, against the later navigations' new
  games;
- a turn in the browser: a click to the window idle again, beyond its nine 100 ms pauses, and to
  the animation frame that paints it (headless Chromium draws 60 frames a second);
- at phone size (390 x 844, touch): the height of the block of the eight figures, their trends and
  the nine choices against the screen's, before the first turn and after it; and a turn with the
  processor slowed four times, as a phone's would be, against the page of the baseline build
  (BASELINE_SITE), fresh browsers of each alternated;
- the game kept for the tab: its copy's length after 10 turns in the page, and after 10 and
  10,000 turns of the native game (KEPT_SIZE) on the same seed.
The engine's own figures are tools/engine.py's.

Usage: measure.py SITE BASELINE_SITE KEPT_SIZE CONTROL_LAYOUT [LOADS], CONTROL_LAYOUT the program
that prints the control table (townwright_control_layout).
Prints figures, asserts nothing.
"""

import gzip
import os
import statistics
import subprocess
import sys

import lighthouse
import phone
from chromium import PAUSES_MS, PHONE, Browser

from drive.controls import ControlTable
from serve import Server

SEED = 2026  # the page heeds ?seed= only under automation, as here
KEPT_TURNS = [10, 10000]
PHONE_ROUNDS, PHONE_TURNS_A_ROUND = 10, 8
TURNS_BEFORE_RELOAD = 3
LIGHTHOUSE_RUNS = 3


def page_weight(site):
    rows = []
    for name in sorted(os.listdir(site)):
        with open(os.path.join(site, name), "rb") as file:
            data = file.read()
        rows.append((name, len(data), len(gzip.compress(data, compresslevel=9))))
    return rows


def spread(values, unit="ms", digits=0):
    return (f"median {statistics.median(values):.{digits}f} {unit} of {len(values)} "
            f"(from {min(values):.{digits}f} to {max(values):.{digits}f})")


def ratio(values, against):
    return statistics.median(values) / statistics.median(against)


def is_icon(name):
    return name.endswith((".png", ".svg"))


def print_weight(site, baseline_site):
    rows = page_weight(site)
    print("page weight (goal: at most 400 KB uncompressed, 150 KB gzip):")
    for name, size, packed in rows:
        print(f"  {name:28} {size / 1000:8.1f} KB {packed / 1000:8.1f} KB gzip")
    print(f"  {'all':28} {sum(r[1] for r in rows) / 1000:8.1f} KB "
          f"{sum(r[2] for r in rows) / 1000:8.1f} KB gzip")
    theirs = page_weight(baseline_site)
    for what, goal, chosen in (("the module", 140000, lambda name: name == "townwright.wasm"),
                               ("the page without its icons", 240000,
                                lambda name: not is_icon(name))):
        size, packed = (sum(r[k] for r in rows if chosen(r[0])) for k in (1, 2))
        old, old_packed = (sum(r[k] for r in theirs if chosen(r[0])) for k in (1, 2))
        print(f"  {what} (goal: at most {goal:,} bytes): {size:,} bytes, {packed:,} gzip; the "
              f"baseline's {old:,} and {old_packed:,}: {size / old:.2f} and "
              f"{packed / old_packed:.2f} times")


def print_lighthouse(site, baseline_site):
    # The performance score moves from run to run with the machine's load, so the baseline page is
    # audited in the same run, alternated; the other three scores do not move.
    ours, theirs = [], []
    with Server(site) as server, Server(baseline_site) as baseline:
        for _ in range(LIGHTHOUSE_RUNS):
            ours.append(lighthouse.audit(server.address))
            theirs.append(lighthouse.audit(baseline.address))
    print(f"Lighthouse, mobile, the median of {LIGHTHOUSE_RUNS} runs by performance, alternated "
          "with the baseline page's:")
    for name, runs in (("this page", ours), ("the baseline", theirs)):
        runs.sort(key=lambda run: run[0]["performance"])
        scores, failed = runs[len(runs) // 2]
        print(f"  {name}: " + ", ".join(f"{category} {score}" for category, score in scores.items())
              + f" (performance in each run: "
              f"{', '.join(str(run[0]['performance']) for run in runs)})")
        for category, audits in failed.items():
            if audits:
                print(f"    {category} lost points on: {'; '.join(audits)}")


def first_navigations(site, baseline_site, loads):
    """A fresh browser's first navigation to each page, alternated, `loads` of each."""
    ours, theirs = [], []
    with Server(site) as server, Server(baseline_site) as baseline:
        for _ in range(loads):
            for address, starts in ((server.address, ours), (baseline.address, theirs)):
                with Browser() as browser:
                    browser.open_new_game(f"{address}?0")
                    starts.append(browser.wait_shown() - PAUSES_MS)
    return ours, theirs


def starts_and_desktop_turns(site, loads):
    """Per browser: its first navigation, then twice a later one (a new game), three turns and a
    reload (the game brought back); a desktop turn's cost in the first browser; and two offline
    visits once the server has stopped."""
    starts = {"first": [], "later": [], "restored": [], "offline": []}
    turns = []
    for browser_run in range(loads):
        with Browser() as browser:
            with Server(site) as server:
                address = server.address
                browser.open_new_game(f"{address}?0")
                starts["first"].append(browser.wait_shown() - PAUSES_MS)
                for navigation in (1, 2):
                    browser.open_new_game(f"{address}?{navigation}")
                    starts["later"].append(browser.wait_shown() - PAUSES_MS)
                    browser.timed_turns(TURNS_BEFORE_RELOAD)
                    browser.driver.refresh()
                    starts["restored"].append(browser.wait_shown())
                browser.js("return navigator.serviceWorker.ready;")
                if browser_run == 0:
                    turns = browser.timed_turns(20)
            # The server stopped: the worker serves the page.
            for navigation in range(2):
                browser.open_new_game(f"{address}?offline{navigation}")
                starts["offline"].append(browser.wait_shown() - PAUSES_MS)
    return starts, turns


def print_starts_and_turns(starts, turns, firsts):
    print(f"start, navigation to the window shown beyond {PAUSES_MS} ms (goal: at most 300 ms):")
    print(f"  a browser's first navigation: {spread(starts['first'])}")
    ours, theirs = firsts
    print(f"  the same, alternated with the baseline's: {spread(ours)}; the baseline's "
          f"{spread(theirs)}: {ratio(ours, theirs):.2f} times")
    print(f"  its later navigations:        {spread(starts['later'])}")
    print(f"  offline, from the worker:     {spread(starts['offline'])}: "
          f"{ratio(starts['offline'], starts['later']):.2f} times the later navigations'")
    print(f"  a reload bringing back a game after {TURNS_BEFORE_RELOAD} turns (it has no pauses): "
          f"{spread(starts['restored'])}: {ratio(starts['restored'], starts['later']):.2f} times "
          "the later navigations' new games")
    print(f"a turn in the browser beyond its {PAUSES_MS} ms of pauses (goal: at most 20 ms):")
    print(f"  to the window idle:           {spread([t[0] for t in turns], digits=1)}")
    print(f"  to the frame that paints it:  {spread([t[1] for t in turns], digits=1)}")


def print_phone_page(site, kept_size):
    with Server(site) as server:
        before, after, copy = phone.play_new_game(server.address, SEED, KEPT_TURNS[0])
    size = f"{PHONE['width']} x {PHONE['height']}"
    print(f"at {size}, touch: the eight figures, their trends and the nine choices")
    for moment, (top, bottom, height) in (("before the first turn", before),
                                          ("after it", after)):
        print(f"  {moment}: {bottom - top:.0f} px high, {100 * (bottom - top) / height:.0f}% of "
              f"the {height} px screen (from {top:.0f} to {bottom:.0f} px on the page)")
    native = dict(line.split() for line in subprocess.run(
        [kept_size, str(SEED), *map(str, KEPT_TURNS)], capture_output=True, text=True,
        check=True).stdout.splitlines())
    print(f"the game kept for the tab, seed {SEED} (base64: a byte a character, 2 bytes a "
          "character as UTF-16):")
    if copy is None:
        print("  in the page: no copy, or more than one")
    else:
        same = "the same" if int(native[str(KEPT_TURNS[0])]) == len(copy) else "NOT the same"
        print(f"  in the page after {KEPT_TURNS[0]} turns: {len(copy)} characters, "
              f"{2 * len(copy)} bytes as UTF-16 ({same} as the native game's)")
    for turns, length in native.items():
        print(f"  native, after {turns} turns: {length} characters, {2 * int(length)} bytes as "
              "UTF-16")


def print_phone_turns(site, baseline_site, desktop_turns):
    with Server(site) as server, Server(baseline_site) as baseline:
        new, old = phone.alternated_phone_turns([server.address, baseline.address],
                                                PHONE_ROUNDS, PHONE_TURNS_A_ROUND)
    print(f"a turn at phone size, the processor slowed four times (goal: at most 50 ms, and no "
          f"slower than the baseline page's); {PHONE_ROUNDS} fresh browsers of each, alternated:")
    for moment, index in (("to the window idle", 0), ("to the frame that paints it", 1)):
        ours = [t[index] for t in new]
        theirs = [t[index] for t in old]
        print(f"  {moment}: {spread(ours, digits=1)}; the baseline's {spread(theirs, digits=1)}: "
              f"{ratio(ours, theirs):.2f} times")
    if desktop_turns:
        against = ratio([t[0] for t in new], [t[0] for t in desktop_turns])
        print(f"  this page's, to the window idle: {against:.2f} times the desktop's")


def main():
    site, baseline_site, kept_size, control_layout = sys.argv[1:5]
    loads = int(sys.argv[5]) if len(sys.argv) > 5 else 10
    Browser.table = ControlTable.from_command([control_layout])
    print_weight(site, baseline_site)
    print_lighthouse(site, baseline_site)
    firsts = first_navigations(site, baseline_site, loads)
    starts, turns = starts_and_desktop_turns(site, loads)
    print_starts_and_turns(starts, turns, firsts)
    print_phone_page(site, kept_size)
    print_phone_turns(site, baseline_site, turns)
    return 0


if __name__ == "__main__":
    sys.exit(main())
