"""The real townwright under Xvfb and openbox, played as a person would.

Clicks and keys go through xdotool; what the window shows is read through the accessibility bus
(AT-SPI), the way a screen reader reads it. Every wait polls for a condition with a generous limit,
so that a loaded machine makes the test slower, not flaky.
"""

import json
import os
import subprocess
import sys
import tempfile
import time

from drive import xsession

WAIT = 60.0  # seconds for anything the game should do soon
CAPTION = "Townwright - by the Townwright developers"


def control_layout():
    """The window's controls as the game's own control table lays them out and names them."""
    tool = os.environ["TOWNWRIGHT_CONTROL_LAYOUT"]
    lines = subprocess.run([tool], check=True, capture_output=True, text=True).stdout.splitlines()
    return [json.loads(line) for line in lines]


failures = []
games = []  # every game started, so that none outlives the test


def check(condition, what):
    print(("ok   " if condition else "FAIL ") + what, flush=True)
    if not condition:
        failures.append(what)
    return condition


def wait_for(condition, limit=WAIT):
    deadline = time.monotonic() + limit
    while time.monotonic() < deadline:
        try:
            if condition():
                return True
        except Exception:  # the accessibility tree changes under our feet while the game works
            pass
        time.sleep(0.1)
    return False


def enable_accessibility():
    # The accessibility bus's launcher names its socket after the display it is told of; without
    # one, every session on the machine binds the same socket, and tests that run at the same
    # time take each other's accessibility bus.
    subprocess.run(["dbus-update-activation-environment", "DISPLAY=" + os.environ["DISPLAY"]],
                   check=True)
    # What a screen reader does when it starts: tell the toolkits that assistive technology is on.
    subprocess.run(
        ["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
         "org.freedesktop.DBus.Properties.Set", "string:org.a11y.Status", "string:IsEnabled",
         "variant:boolean:true"], check=True, stdout=subprocess.DEVNULL)


def xdo(*arguments):
    subprocess.run(["xdotool", *arguments], check=True)


def active_window_name():
    return subprocess.run(["xdotool", "getactivewindow", "getwindowname"], capture_output=True,
                          text=True).stdout.strip()


class Window:
    """The game's window as the accessibility bus shows it."""

    def __init__(self, pyatspi, process):
        self.pyatspi = pyatspi
        self.process = process
        self.frame = None

    def find_frame(self):
        desktop = self.pyatspi.Registry.getDesktop(0)
        for application in desktop:
            if application is None or application.name != "townwright":
                continue
            for window in application:
                if window is not None and window.name == CAPTION:
                    self.frame = window
                    return True
        return False

    def windows_named(self, name):
        desktop = self.pyatspi.Registry.getDesktop(0)
        found = []
        for application in desktop:
            if application is not None and application.name == "townwright":
                found += [w for w in application if w is not None and w.name == name]
        return found

    def all(self, role):
        return self.pyatspi.findAllDescendants(self.frame, lambda a: a.getRole() == role)

    def control(self, role, name):
        matches = [a for a in self.all(role) if a.name == name]
        return matches[0] if matches else None

    def box(self, name):
        return self.control(self.pyatspi.ROLE_TEXT, name)

    def button(self, name):
        return self.control(self.pyatspi.ROLE_PUSH_BUTTON, name)

    def text(self, name):
        box = self.box(name)
        return None if box is None else box.queryText().getText(0, -1)

    def click(self, accessible):
        x, y, width, height = accessible.queryComponent().getExtents(self.pyatspi.DESKTOP_COORDS)
        xdo("mousemove", "--sync", str(x + width // 2), str(y + height // 2), "click", "1")

    def focused(self, accessible):
        return accessible.getState().contains(self.pyatspi.STATE_FOCUSED)

    def day(self):
        return self.text("Day")


def settle(window):
    """Until the window has handled all that was done to it: a click on "Save", behind the rest in
    the window's queue, opens its box only then. The box is closed again."""
    window.click(window.button("Save"))
    check(wait_for(lambda: len(window.windows_named("KRT")) == 1), "the marker's box shows")
    ok = window.pyatspi.findAllDescendants(
        window.windows_named("KRT")[0], lambda a: a.getRole() == window.pyatspi.ROLE_PUSH_BUTTON)
    window.click(ok[0])
    check(wait_for(lambda: not window.windows_named("KRT"), limit=20), "the marker's box closes")


def launch(pyatspi, extra_arguments=()):
    # Qt's own options on the command line must change nothing: the window still comes to this
    # X display, in the usual style.
    process = subprocess.Popen([GAME, *extra_arguments], cwd=tempfile.mkdtemp())
    games.append(process)
    window = Window(pyatspi, process)
    if not wait_for(window.find_frame):
        process.kill()
        raise RuntimeError("the game's window never appeared on the accessibility bus")
    wait_for(lambda: window.day() == "31")
    return window


def wait_for_exit(process):
    try:
        return process.wait(timeout=WAIT)
    except subprocess.TimeoutExpired:
        process.kill()
        return None


def play(pyatspi):
    window = launch(pyatspi, ["-platform", "offscreen", "-style", "windows", "--reverse"])
    p = pyatspi

    check(window.text("Month") == "January" and window.text("Year") == "2007"
          and window.day() == "31", "before the first turn the date reads January 2007, 31")
    layout = control_layout()
    text_box_names = {c["name"] for c in layout if c["kind"] == "text box" and c["with_window"]}
    tax_box_names = {c["name"] for c in layout if not c["with_window"]}
    names = {a.name for a in window.all(p.ROLE_TEXT)}
    check(len(text_box_names) == 21 and text_box_names <= names,
          "every text box is named after its heading")
    check(not (tax_box_names & names), "no tax box before the first turn")
    labels = {a.name for a in window.all(p.ROLE_LABEL)}
    check({c["text"] for c in layout if c["kind"] == "label"} <= labels,
          "the labels speak their texts")
    do_nothing = window.button("do nothing (except collect taxes)")
    check(do_nothing is not None, "the first choice is to do nothing")
    buttons = {a.name for a in window.all(p.ROLE_PUSH_BUTTON)}
    check({"Update Tax Rates", "Save", "Exit", "Load", "New"} <= buttons, "the buttons speak")

    window.click(do_nothing)
    check(wait_for(lambda: window.day() == " 2"), "a click on a choice plays a turn")
    check(wait_for(lambda: tax_box_names <= {a.name for a in window.all(p.ROLE_TEXT)}),
          "the tax boxes come with the first turn")

    # Three quick clicks: the second and third come while the first turn pauses, and each is a
    # turn of its own once the one before has ended.
    xdo("click", "--repeat", "3", "--delay", "60", "1")
    check(wait_for(lambda: window.day() == " 5"), "three quick clicks are three turns")
    settle(window)
    check(window.day() == " 5", "and no more")

    for name, rate in (("Income Tax", "25"), ("Sales Tax", "5"), ("Property Tax", "10")):
        window.click(window.box(name))
        xdo("key", "ctrl+a")
        xdo("type", "--delay", "20", rate)
    check(wait_for(lambda: window.text("Property Tax") == "10"), "the tax boxes take typing")
    window.click(window.button("Update Tax Rates"))
    settle(window)
    check(window.day() == " 5", "updating the taxes plays no turn")
    window.click(window.button("do nothing (except collect taxes)"))
    check(wait_for(lambda: window.day() == " 6"), "the next turn")
    check(wait_for(lambda: (window.text("Income Tax"), window.text("Sales Tax"),
                            window.text("Property Tax")) == (" 25", " 5", " 10")),
          "the new rates show after the next turn")

    # Enter and Escape in a text box: no turn, no closing.
    window.click(window.box("Sales Tax"))
    xdo("key", "Return", "KP_Enter", "Escape")
    settle(window)
    check(window.day() == " 6" and window.process.poll() is None,
          "Enter and Escape in a tax box do nothing")

    # Space presses the focused button, and only a button.
    window.click(window.box("Sales Tax"))
    xdo("key", "Tab", "space")  # Tab leads from Sales Tax to Property Tax
    settle(window)
    check(window.day() == " 6", "Space in a text box plays no turn")
    choice = window.button("do nothing (except collect taxes)")
    choice.queryComponent().grabFocus()
    check(wait_for(lambda: window.focused(choice)), "a button takes the focus")
    xdo("key", "space")
    check(wait_for(lambda: window.day() == " 7"), "Space presses the focused button")
    xdo("key", "Return")
    check(wait_for(lambda: window.day() == " 8"), "and so does Enter")

    # The message box: no owner, not modal; the game goes on while it is open.
    window.click(window.button("Save"))
    check(wait_for(lambda: len(window.windows_named("KRT")) == 1), "Save opens a box titled KRT")
    box = window.windows_named("KRT")[0]
    texts = {a.name for a in pyatspi.findAllDescendants(box, lambda a: True)}
    check("That button is not enabled" in texts, "the box says the button is not enabled")
    ok_buttons = pyatspi.findAllDescendants(
        box, lambda a: a.getRole() == p.ROLE_PUSH_BUTTON)
    check(len(ok_buttons) == 1 and ok_buttons[0].name == "OK", "with one OK button")

    # Focus into a text box, let the box take the activation, then come back: the focus is where
    # it was.
    window.click(window.box("Income Tax"))
    check(wait_for(lambda: window.focused(window.box("Income Tax"))), "focus in Income Tax")
    # The game's window covers the box by now; bring the box up as Alt+Tab would.
    xdo("search", "--name", "^KRT$", "windowactivate", "--sync")
    check(wait_for(lambda: active_window_name() == "KRT"), "the box takes the activation")
    xdo("search", "--name", CAPTION, "windowactivate", "--sync")
    check(wait_for(lambda: active_window_name() == CAPTION), "the game's window is active again")
    check(wait_for(lambda: window.focused(window.box("Income Tax"))),
          "the focus comes back to Income Tax with the activation")
    window.click(window.button("do nothing (except collect taxes)"))
    check(wait_for(lambda: window.day() == " 9"), "turns are played while the box is open")
    check(len(window.windows_named("KRT")) == 1, "the box stays open meanwhile")
    # The game's window, clicked last, covers the box again: bring it up, then press its OK.
    xdo("search", "--name", "^KRT$", "windowactivate", "--sync")
    check(wait_for(lambda: active_window_name() == "KRT"), "the box comes up again")
    ok = [a for a in pyatspi.findAllDescendants(window.windows_named("KRT")[0],
                                                lambda a: a.getRole() == p.ROLE_PUSH_BUTTON)]
    window.click(ok[0])
    check(wait_for(lambda: not window.windows_named("KRT"), limit=20), "OK closes the box")

    # Alt+F4 is the window manager's close: the game ends with status 0.
    window.click(window.box("Workforce"))
    xdo("key", "alt+F4")
    check(wait_for_exit(window.process) == 0, "Alt+F4 ends the game with status 0")

    window = launch(pyatspi)
    window.click(window.button("do nothing (except collect taxes)"))
    check(wait_for(lambda: window.day() == " 2"), "a second game plays")
    window.click(window.button("Exit"))
    check(wait_for_exit(window.process) == 0, "Exit ends the game with status 0")


def main():
    global GAME
    GAME = os.path.abspath(sys.argv[1])
    server = xsession.start_x_server()
    manager = None
    try:
        manager = xsession.start_window_manager()
        enable_accessibility()
        import pyatspi  # connects to the accessibility bus, which now exists
        play(pyatspi)
    finally:
        xsession.stop(*games, manager, server)
    print(f"end to end: {'FAILED: ' + '; '.join(failures) if failures else 'all checks passed'}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
