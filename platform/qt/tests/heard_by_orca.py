"""What Orca, Debian's screen reader, says of the real townwright: the window and the focused
choice as it starts, then each turn's news once, after the turn, whichever key played it. Orca runs
with a fresh home of its own and its debug log, which records every phrase it speaks (whether or
not a voice is there to say it); the game is played with the keyboard under Xvfb and openbox.

Usage (under dbus-run-session, so that the accessibility bus is this run's own):
    heard_by_orca.py GAME
"""

import os
import re
import subprocess
import sys
import tempfile
import threading

import end_to_end
from drive import xsession
from end_to_end import check, wait_for, xdo


class Orca:
    """Orca with a fresh home, its debug log written to a terminal of ours: a file would hold the
    log in Orca's buffer, a terminal has it written line by line, as it is spoken."""

    def __init__(self):
        self.lines = []
        # Our end of the terminal stays open while Orca runs: a terminal without one refuses to be
        # opened, and reads fail.
        terminal, self.log = os.openpty()
        self.process = subprocess.Popen(
            ["orca", "--debug-file", os.ttyname(self.log)],
            env=dict(os.environ, HOME=tempfile.mkdtemp(prefix="townwright-orca-")),
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        # Read all along, so that Orca never waits on a full terminal.
        threading.Thread(target=self.read, args=(terminal,), daemon=True).start()

    def read(self, terminal):
        with open(terminal, errors="replace") as log:
            try:
                for line in log:
                    self.lines.append(line)
            except OSError:  # Orca has ended, and the terminal with it
                pass

    def said(self):
        """Every phrase spoken so far, in order."""
        # A line: "12:00:00.000 - SPEECH OUTPUT: 'the phrase' {'voice': ...}".
        return [found.group(1) for line in list(self.lines)
                if (found := re.search(r"SPEECH OUTPUT: '(.*)'\s*\{", line))]


def main():
    game = os.path.abspath(sys.argv[1])
    server = xsession.start_x_server()
    manager = orca = None
    try:
        manager = xsession.start_window_manager()
        end_to_end.enable_accessibility()
        orca = Orca()
        check(wait_for(lambda: "Screen reader on." in orca.said()), "Orca starts")
        process = subprocess.Popen([game], cwd=tempfile.mkdtemp())
        end_to_end.games.append(process)
        check(wait_for(lambda: "do nothing (except collect taxes) push button." in orca.said()),
              "Orca says the window and its focused choice")
        for day, key in ((2, "space"), (3, "Return"), (4, "space")):
            news = f"notification January {day}, 2008."
            xdo("key", key)
            check(wait_for(lambda: any(p.startswith(news) for p in orca.said())),
                  f"Orca says the news of the turn to January {day}")
        said = orca.said()
        for day in (2, 3, 4):
            told = [p for p in said if p.startswith(f"notification January {day}, 2008.")]
            check(len(told) == 1 and told[0].endswith(" new choices."),
                  f"once, whole: {told}")
        print("Orca said:\n  " + "\n  ".join(said))
        xdo("key", "alt+F4")
        check(end_to_end.wait_for_exit(process) == 0, "Alt+F4 ends the game")
    finally:
        xsession.stop(*end_to_end.games, orca.process if orca else None, manager, server)
        if orca:
            os.close(orca.log)
    failures = end_to_end.failures
    print(f"heard by Orca: {'FAILED: ' + '; '.join(failures) if failures else 'all checks passed'}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
