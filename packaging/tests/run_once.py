"""Starts a program by name, as a player's desktop would, on an X server of its own with a window
manager; waits for its window, closes it with Alt+F4 and expects exit status 0.

Usage: run_once.py PROGRAM
"""

import os
import shutil
import subprocess
import sys
import tempfile

from drive import xsession

CAPTION = "^Townwright - by "


def main():
    program = shutil.which(sys.argv[1])
    if program is None:
        print(f"{sys.argv[1]} is not on PATH ({os.environ.get('PATH')})")
        return 1
    server = xsession.start_x_server()
    manager = game = runtime = None
    try:
        manager = xsession.start_window_manager()
        # A session's runtime folder, which Qt would otherwise make in /tmp.
        runtime = tempfile.mkdtemp(prefix="townwright-runtime-")
        game = subprocess.Popen([sys.argv[1]], env=dict(os.environ, XDG_RUNTIME_DIR=runtime))
        found = subprocess.run(["timeout", "60", "xdotool", "search", "--sync", "--onlyvisible",
                                "--name", CAPTION], capture_output=True, text=True)
        if found.returncode != 0:
            print(f"no window captioned {CAPTION!r} appeared")
            return 1
        window = found.stdout.split()[0]
        # Alt+F4 is the window manager's: it closes the window it has made active. So the signal
        # to wait for is its own, _NET_ACTIVE_WINDOW naming the game's window (--sync). The game
        # needs no more: it made its choices before it showed the window, and the close waits in
        # its queue if a turn is under way.
        activated = subprocess.run(["timeout", "60", "xdotool", "windowactivate", "--sync",
                                    window])
        if activated.returncode != 0:
            print("the window manager did not make the game's window active")
            return 1
        subprocess.run(["xdotool", "key", "--clearmodifiers", "alt+F4"], check=True)
        try:
            status = game.wait(timeout=60)
        except subprocess.TimeoutExpired:
            print("the game did not end within 60 s of Alt+F4")
            return 1
        print(f"{program} showed its window and ended with status {status} on Alt+F4")
        return 0 if status == 0 else 1
    finally:
        xsession.stop(game, manager, server)
        if runtime:
            shutil.rmtree(runtime, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
