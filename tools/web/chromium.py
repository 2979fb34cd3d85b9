"""Headless Chromium driven for the page's measurements: a browser with a fresh profile, the
window's start and turns timed from inside the page, and a phone's screen emulated."""

import os
import time

from drive.browsers import Chromium
from drive.scripts import script

# The nine 100 ms pauses of a new game's first choices, and of every turn.
PAUSES_MS = 900
# A phone held upright, in CSS pixels; three device pixels to a CSS pixel.
PHONE = {"width": 390, "height": 844, "deviceScaleFactor": 3, "mobile": True}

# The page's side of the measurements.
SCRIPTS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "measure_scripts.js")
TIMED_TURN = script(SCRIPTS, "timedTurn")


class Browser(Chromium):
    """The page's tests' Chromium (a fresh profile, removed when it quits), with the verbs the
    measurements need. `table` is the game's control table (drive.controls), which the measuring
    program reads once."""

    table = None

    def __enter__(self):
        return self

    def __exit__(self, *exception):
        self.quit()

    def open_new_game(self, address):
        """Opens `address` on a new game: the game kept for the tab, if any, is dropped first, as a
        new tab would have none."""
        if self.driver.current_url.startswith("http"):
            self.js("sessionStorage.clear();")
        self.driver.get(address)

    def wait_shown(self):
        """Milliseconds from the navigation to the window shown."""
        deadline = time.monotonic() + 30
        while time.monotonic() < deadline:
            shown = self.js("const m = performance.getEntriesByName('townwright-window-shown');"
                            "return m.length ? m[0].startTime : null;")
            if shown is not None:
                return shown
            time.sleep(0.02)
        raise RuntimeError("the window was not shown")

    def timed_turns(self, count):
        """`count` turns of "do nothing", each (to the window idle, to the frame that paints it)
        beyond the turn's pauses."""
        self.js("return new Promise(r => setTimeout(r, 200));")
        turns = []
        for _ in range(count):
            idle, painted = self.driver.execute_async_script(
                TIMED_TURN, f"control-{self.table.choice(1)}")
            turns.append((idle - PAUSES_MS, painted - PAUSES_MS))
        return turns

    def emulate_phone(self):
        self.cdp("Emulation.setDeviceMetricsOverride", PHONE)
        self.cdp("Emulation.setTouchEmulationEnabled", {"enabled": True, "maxTouchPoints": 5})

    def throttle(self, rate):
        """The processor slowed `rate` times (1: as it is)."""
        self.cdp("Emulation.setCPUThrottlingRate", {"rate": rate})
