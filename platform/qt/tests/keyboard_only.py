"""The real townwright played with the keyboard alone, as a player who cannot use a mouse plays
it: twenty turns under Xvfb and openbox, keys through xdotool, every choice and every tax box
reached in creation order with Tab and Shift+Tab, the choices pressed with Space and Enter, a rate
changed and applied, a "not enabled" box answered, and "Exit" pressed. The focus is read through
the accessibility bus after every key, and what a screen reader is told after each turn is heard
there too: the window's notification, named by the turn's news, shown once per turn.

Usage (under dbus-run-session, so that the accessibility bus is this run's own):
    keyboard_only.py GAME
"""

import os
import subprocess
import sys
import tempfile

import end_to_end
from drive import xsession
from end_to_end import check, wait_for, xdo


class Ears:
    """The window's notifications as a screen reader hears them: each one that shows, by name."""

    def __init__(self, pyatspi):
        from gi.repository import GLib
        self.context = GLib.MainContext.default()
        self.pyatspi = pyatspi
        self.heard = []
        pyatspi.Registry.registerEventListener(self.hear, "object:state-changed:showing")

    def hear(self, event):
        if event.detail1 and event.source.getRole() == self.pyatspi.ROLE_NOTIFICATION:
            self.heard.append(event.source.name)

    def listen(self):
        """Takes the events that have come: the bus delivers them to this thread's loop."""
        while self.context.iteration(False):
            pass


def play(pyatspi, game):
    process = subprocess.Popen([game], cwd=tempfile.mkdtemp())
    end_to_end.games.append(process)
    window = end_to_end.Window(pyatspi, process)
    ears = Ears(pyatspi)
    check(wait_for(window.find_frame), "the window is on the accessibility bus")
    check(wait_for(lambda: window.day() == "31"), "the window shows its first day")
    p = pyatspi

    def stops():
        """The buttons and text boxes in creation order, as the bus lists the window's children."""
        return [a for a in p.findAllDescendants(window.frame, lambda a: True)
                if a.getRole() in (p.ROLE_PUSH_BUTTON, p.ROLE_TEXT)]

    def focused():
        found = [index for index, a in enumerate(stops()) if window.focused(a)]
        return found[0] if len(found) == 1 else None

    def key(name, expected):
        xdo("key", name)
        return wait_for(lambda: focused() == expected, limit=10)

    def tab_to(target):
        here = focused()
        step = 1 if target > here else -1
        for index in range(here + step, target + step, step):
            if not key("Tab" if step > 0 else "shift+Tab", index):
                return check(False, f"{'Tab' if step > 0 else 'Shift+Tab'} leads to stop {index}")
        return True

    def day():
        return window.day()

    def turn(name):
        """A turn by key `name` on the focused choice: the focus stays, and the news is heard."""
        before, where = day(), focused()
        heard = len(ears.heard)
        xdo("key", name)
        played = wait_for(lambda: day() != before)
        settled = wait_for(lambda: (ears.listen(), len(ears.heard) > heard)[1])
        ears.listen()
        return (played and settled and focused() == where and len(ears.heard) == heard + 1
                and ears.heard[-1].startswith(f"January {day().strip()}, 2008.")
                and ears.heard[-1].endswith(" new choices."))

    # At first the focus is on the first choice, as the window takes it when it is activated.
    check(wait_for(lambda: focused() == 0), "the first choice has the focus")
    last = len(stops()) - 1
    check(tab_to(last) and tab_to(0), "Tab and Shift+Tab go through every button and box in order")
    turns = 0
    for k in range(9):
        check(tab_to(k) and turn("Return" if k % 2 == 0 else "space"),
              f"choice {k + 1}: played by {'Enter' if k % 2 == 0 else 'Space'}, told, focus kept")
        turns += 1
    names = [a.name for a in stops()]
    tax = [names.index(name) for name in ("Income Tax", "Sales Tax", "Property Tax")]
    check(tax == list(range(len(names) - 3, len(names))), "the tax boxes come last, in order")
    check(tab_to(tax[0]), "Tab reaches the income tax box")
    for rate in ("25", "5", "10"):
        xdo("key", "ctrl+a")
        xdo("type", rate)
        if rate != "10":
            xdo("key", "Tab")
    update = names.index("Update Tax Rates")
    check(wait_for(lambda: window.text("Property Tax") == "10") and tab_to(update),
          "Shift+Tab leads back to Update Tax Rates")
    xdo("key", "space")
    check(tab_to(0) and turn("space"), "the next turn")
    turns += 1
    rates = ("Income Tax", "Sales Tax", "Property Tax")
    check(wait_for(lambda: [window.text(name) for name in rates] == [" 25", " 5", " 10"]),
          "the rates typed and applied show after the next turn")
    save = names.index("Save")
    check(tab_to(save), "Tab reaches Save")
    xdo("key", "space")
    check(wait_for(lambda: len(window.windows_named("KRT")) == 1), "Space on Save opens the box")
    xdo("key", "Return")
    check(wait_for(lambda: not window.windows_named("KRT")), "Enter answers the box")
    check(wait_for(lambda: focused() == save), "and the focus is back on Save")
    while turns < 20:
        check(tab_to(turns % 9) and turn("space"), f"turn {turns + 1}")
        turns += 1
    check(tab_to(names.index("Exit")), "Tab reaches Exit")
    xdo("key", "space")
    check(end_to_end.wait_for_exit(process) == 0, "Space on Exit ends the game with status 0")


def main():
    game = os.path.abspath(sys.argv[1])
    server = xsession.start_x_server()
    manager = None
    try:
        manager = xsession.start_window_manager()
        end_to_end.enable_accessibility()
        import pyatspi  # connects to the accessibility bus, which now exists
        play(pyatspi, game)
    finally:
        xsession.stop(*end_to_end.games, manager, server)
    failures = end_to_end.failures
    print(f"keyboard only: {'FAILED: ' + '; '.join(failures) if failures else 'all checks passed'}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
