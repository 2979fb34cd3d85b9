#!/usr/bin/python3
"""Measures the game's page against its goals, in one run on this machine.

- page weight: every file of the site (the icons and the worker with the rest), uncompressed and
  gzip-compressed (level 9);
- start: navigation to the window shown, beyond the game's 0.9 s of pauses before its window
  exists (headless Chromium, a local server, a fresh profile): the first navigation of a browser
  just started, later ones, as from a browser that is already running, and an offline visit (the
  server stopped, the files from the worker's cache) against those later ones;
- a turn in the browser: a click to the window idle again, beyond its nine 100 ms pauses, and to
  the animation frame that paints it (headless Chromium draws 60 frames a second); and the same
  at phone size (390 x 844, touch) with the processor slowed four times, as a phone's would be,
  against the desktop's turns of the same run;
- the engine's turn in WebAssembly under node against the native build's, alternated.

Usage: measure.py SITE NATIVE_TIMING NODE_TIMING_JS [LOADS]. Prints figures, asserts nothing.
"""

import gzip
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "platform", "web"))
from serve import Server  # noqa: E402

PAUSES_MS = 900
FLAGS = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
         "--disable-background-networking", "--disable-component-update", "--disable-sync",
         "--window-size=1024,800"]

# A click on "do nothing", then the time until the window is idle, and until the animation frame
# that paints the result begins.
TIMED_TURN = """
const done = arguments[arguments.length - 1];
const window_ = document.querySelector('.window');
const button = document.getElementById('control-1011');
const started = performance.now();
const watch = new MutationObserver(() => {
  if (window_.getAttribute('aria-busy') !== 'false') return;
  watch.disconnect();
  const idle = performance.now() - started;
  requestAnimationFrame(() => done([idle, performance.now() - started]));
});
watch.observe(window_, {attributes: true, attributeFilter: ['aria-busy']});
button.click();
"""


def page_weight(site):
    rows = []
    for name in sorted(os.listdir(site)):
        with open(os.path.join(site, name), "rb") as file:
            data = file.read()
        rows.append((name, len(data), len(gzip.compress(data, compresslevel=9))))
    return rows


def browser():
    profile = tempfile.mkdtemp(prefix="townwright-measure-")
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for flag in FLAGS + [f"--user-data-dir={profile}"]:
        options.add_argument(flag)
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    driver.set_script_timeout(60)
    return driver, profile


def timed_turns(driver, count=20):
    driver.execute_script("return new Promise(r => setTimeout(r, 200));")
    turns = []
    for _ in range(count):
        idle, painted = driver.execute_async_script(TIMED_TURN)
        turns.append((idle - PAUSES_MS, painted - PAUSES_MS))
    return turns


def wait_shown(driver):
    deadline = time.monotonic() + 30
    while time.monotonic() < deadline:
        shown = driver.execute_script(
            "const m = performance.getEntriesByName('townwright-window-shown');"
            "return m.length ? m[0].startTime : null;")
        if shown is not None:
            return shown
        time.sleep(0.02)
    raise RuntimeError("the window was not shown")


def main():
    site, native, node_timing = sys.argv[1:4]
    loads = int(sys.argv[4]) if len(sys.argv) > 4 else 10

    rows = page_weight(site)
    print("page weight (goal: at most 400 KB uncompressed, 150 KB gzip):")
    for name, size, packed in rows:
        print(f"  {name:28} {size / 1000:8.1f} KB {packed / 1000:8.1f} KB gzip")
    print(f"  {'all':28} {sum(r[1] for r in rows) / 1000:8.1f} KB "
          f"{sum(r[2] for r in rows) / 1000:8.1f} KB gzip")

    first_starts = []
    later_starts = []
    offline_starts = []
    turns = []
    phone_turns = []
    for browser_run in range(loads):
        driver, profile = browser()
        try:
            with Server(site) as server:
                address = server.address
                for navigation in range(3):
                    driver.get(f"{address}?{navigation}")
                    start = wait_shown(driver) - PAUSES_MS
                    (later_starts if navigation else first_starts).append(start)
                driver.execute_script("return navigator.serviceWorker.ready;")
                if browser_run == 0:
                    turns = timed_turns(driver)
                    driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
                        "width": 390, "height": 844, "deviceScaleFactor": 3, "mobile": True})
                    driver.execute_cdp_cmd("Emulation.setCPUThrottlingRate", {"rate": 4})
                    phone_turns = timed_turns(driver)
                    driver.execute_cdp_cmd("Emulation.setCPUThrottlingRate", {"rate": 1})
                    driver.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})
            # The server stopped: the worker serves the page.
            for navigation in range(2):
                driver.get(f"{address}?offline{navigation}")
                offline_starts.append(wait_shown(driver) - PAUSES_MS)
        finally:
            driver.quit()
            shutil.rmtree(profile, ignore_errors=True)

    def spread(values, unit="ms", digits=0):
        return (f"median {statistics.median(values):.{digits}f} {unit} of {len(values)} "
                f"(from {min(values):.{digits}f} to {max(values):.{digits}f})")

    print(f"start, navigation to the window shown beyond {PAUSES_MS} ms (goal: at most 300 ms):")
    print(f"  a browser's first navigation: {spread(first_starts)}")
    print(f"  its later navigations:        {spread(later_starts)}")
    print(f"  offline, from the worker:     {spread(offline_starts)}: "
          f"{statistics.median(offline_starts) / statistics.median(later_starts):.2f} times the "
          "later navigations'")
    print(f"a turn in the browser beyond its {PAUSES_MS} ms of pauses (goal: at most 20 ms):")
    print(f"  to the window idle:           {spread([t[0] for t in turns], digits=1)}")
    print(f"  to the frame that paints it:  {spread([t[1] for t in turns], digits=1)}")
    print("the same at phone size, the processor slowed four times (goal: at most 50 ms):")
    print(f"  to the window idle:           {spread([t[0] for t in phone_turns], digits=1)}: "
          f"{statistics.median(t[0] for t in phone_turns) / statistics.median(t[0] for t in turns):.2f}"
          " times the desktop's")
    print(f"  to the frame that paints it:  {spread([t[1] for t in phone_turns], digits=1)}")

    native_runs = []
    node_runs = []
    for _ in range(5):
        native_runs.append(float(subprocess.run([native], capture_output=True, text=True,
                                                check=True).stdout))
        node_runs.append(float(subprocess.run(["node", node_timing], capture_output=True,
                                              text=True, check=True).stdout))
    native_turn = statistics.median(native_runs)
    node_turn = statistics.median(node_runs)
    print(f"engine turn: WebAssembly under node {node_turn:.1f} us, native {native_turn:.1f} us: "
          f"{node_turn / native_turn:.2f} times (goal: at most 4)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
