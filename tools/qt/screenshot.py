"""Makes the README's picture of the game: townwright on its own X server with a window manager,
a few turns played from the keyboard, then the window with its frame saved as a PNG.

Usage: screenshot.py BUILD_DIR OUTPUT.png
"""

import os
import re
import subprocess
import sys
import time

from drive import xsession

CAPTION = "Townwright - by the Townwright developers"


def xdo(*arguments):
    return subprocess.run(["xdotool", *arguments], check=True, capture_output=True,
                          text=True).stdout


def main():
    build, output = sys.argv[1], os.path.abspath(sys.argv[2])
    game = os.path.join(build, "platform", "qt", "townwright")
    grab = os.path.join(build, "tools", "qt", "townwright_screen_grab")
    server = xsession.start_x_server("1024x768x24")
    manager = game_process = None
    try:
        manager = xsession.start_window_manager()
        game_process = subprocess.Popen([game])
        window = xdo("search", "--sync", "--onlyvisible", "--name", CAPTION).split()[0]
        time.sleep(1.0)
        # The focus starts on the first choice; the second is usually an offer to build. Five
        # turns on it, then new tax rates read at the next turn.
        xdo("key", "--window", window, "Tab")
        for _ in range(5):
            xdo("key", "--window", window, "space")
        time.sleep(5 * 0.9 + 3.0)
        for _ in range(4):  # back from the second choice, round to the last box: Income Tax
            xdo("key", "--window", window, "shift+Tab")
        xdo("key", "--window", window, "ctrl+a")
        xdo("type", "--window", window, "12.5")
        time.sleep(1.0)
        info = subprocess.run(["xwininfo", "-id", window], capture_output=True, text=True).stdout
        values = {key: int(value) for key, value in re.findall(
            r"^\s*(Absolute upper-left X|Absolute upper-left Y|Width|Height):\s+(-?\d+)", info,
            re.M)}
        extents = subprocess.run(["xprop", "-id", window, "_NET_FRAME_EXTENTS"],
                                 capture_output=True, text=True).stdout
        left, right, top, bottom = (int(v) for v in re.findall(r"\d+", extents.split("=")[-1]))
        x = values["Absolute upper-left X"] - left
        y = values["Absolute upper-left Y"] - top
        width = values["Width"] + left + right
        height = values["Height"] + top + bottom
        subprocess.run([grab, output, str(x), str(y), str(width), str(height)], check=True)
        print(f"screenshot: {output} ({width}x{height})")
    finally:
        xsession.stop(game_process, manager, server)


if __name__ == "__main__":
    main()
