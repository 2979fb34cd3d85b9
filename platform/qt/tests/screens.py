"""The real townwright on small and scaled screens, with a window manager, as a player sees it.

On every screen each control must lie on the screen, within reach: the window keeps its own
place where the whole window, frame included, fits the screen's area without panels, moves up and
left just enough where it does not, and puts its caption at the area's top-left corner where it
cannot fit at all. Scaling is what desktops set: Xft.dpi (GNOME's "Large Text" is 120) and Qt's
QT_SCALE_FACTOR. The controls' rectangles are read through the accessibility bus, the window's
frame from the window manager's report. The window must also ask for a fixed size, a close
command and neither minimise nor maximise.

Usage (under dbus-run-session, so that the accessibility bus is this run's own):
    screens.py GAME
"""

import os
import re
import subprocess
import sys
import tempfile
import time

import end_to_end
from drive import xsession
from end_to_end import check, wait_for

CAPTION = end_to_end.CAPTION
# The panel the window manager keeps free at the top, as a desktop's bar would.
PANEL_CONFIG = """<?xml version="1.0" encoding="UTF-8"?>
<openbox_config xmlns="http://openbox.org/3.4/rc">
  <margins><top>40</top><bottom>0</bottom><left>0</left><right>0</right></margins>
</openbox_config>
"""
# Qt counts in pixels of the scaled screen, so the window manager's one-pixel border may come out
# at half a pixel and be rounded away: the frame may overhang by that pixel. Controls may not.
SLACK = 1
MWM_FUNC_MINIMIZE, MWM_FUNC_MAXIMIZE, MWM_FUNC_CLOSE = 0x8, 0x10, 0x20
MWM_DECOR_MINIMIZE, MWM_DECOR_MAXIMIZE = 0x20, 0x40

games = []


def xprop(window, *properties):
    return subprocess.run(["xprop", *(["-root"] if window is None else ["-id", window]),
                           *properties], capture_output=True, text=True).stdout


def numbers(text):
    return [int(value, 0) for value in re.findall(r"0x[0-9a-fA-F]+|-?\d+", text.split("=", 1)[-1])]


def set_dpi(dpi):
    # What a desktop's settings daemon does: the resource database on the root window.
    subprocess.run(["xprop", "-root", "-f", "RESOURCE_MANAGER", "8s", "-set", "RESOURCE_MANAGER",
                    f"Xft.dpi:\t{dpi}\n"], check=True)


def work_area():
    # The window manager says it runs a moment before it has worked out the area.
    deadline = time.monotonic() + end_to_end.WAIT
    while len(area := numbers(xprop(None, "_NET_WORKAREA"))) < 4:
        if time.monotonic() > deadline:
            raise RuntimeError("the window manager never set _NET_WORKAREA")
        time.sleep(0.1)
    x, y, width, height = area[:4]
    return x, y, x + width, y + height


class Game:
    """One run of the game on the current X server, and what it shows there."""

    def __init__(self, pyatspi, scale):
        environment = dict(os.environ)
        environment.pop("QT_SCALE_FACTOR", None)
        if scale is not None:
            environment["QT_SCALE_FACTOR"] = scale
        self.process = subprocess.Popen([end_to_end.GAME], env=environment,
                                        cwd=tempfile.mkdtemp())
        games.append(self.process)
        self.window = end_to_end.Window(pyatspi, self.process)
        self.pyatspi = pyatspi
        self.xid = None
        if not (wait_for(self.window.find_frame) and wait_for(self.find_xid)
                and wait_for(lambda: len(numbers(xprop(self.xid, "_NET_FRAME_EXTENTS"))) == 4)):
            raise RuntimeError("the game's window never appeared, framed")

    def find_xid(self):
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid",
                                str(self.process.pid), "--name", CAPTION],
                               capture_output=True, text=True).stdout.split()
        self.xid = found[0] if found else None
        return self.xid is not None

    def client(self):
        info = subprocess.run(["xwininfo", "-id", self.xid], capture_output=True, text=True).stdout
        value = {key: int(number) for key, number in re.findall(
            r"^\s*(Absolute upper-left X|Absolute upper-left Y|Width|Height):\s+(-?\d+)", info,
            re.M)}
        x, y = value["Absolute upper-left X"], value["Absolute upper-left Y"]
        return x, y, x + value["Width"], y + value["Height"]

    def frame(self):
        left, right, top, bottom = numbers(xprop(self.xid, "_NET_FRAME_EXTENTS"))
        x0, y0, x1, y1 = self.client()
        return x0 - left, y0 - top, x1 + right, y1 + bottom

    def controls(self):
        """The rectangle of every control, in the screen's pixels.

        Qt reports places to the accessibility bus in its scaled pixels, not the screen's: they are
        taken relative to the window's client area, whose place the X server gives in the
        screen's pixels, and scaled by the ratio of the two."""
        def extents(accessible):
            x, y, width, height = accessible.queryComponent().getExtents(
                self.pyatspi.DESKTOP_COORDS)
            return x, y, x + width, y + height

        client = self.client()
        scaled = extents(self.window.frame)
        ratio = (client[2] - client[0]) / (scaled[2] - scaled[0])
        self.ratio = ratio

        def on_screen(value, axis):
            return client[axis] + round((value - scaled[axis]) * ratio)

        rectangles = {}
        # All but the turn's news for screen readers, which has no place: nothing to reach.
        everything = self.pyatspi.findAllDescendants(
            self.window.frame, lambda a: a.getRole() != self.pyatspi.ROLE_NOTIFICATION)
        for number, accessible in enumerate(everything):
            x0, y0, x1, y1 = extents(accessible)
            rectangles[f"{number}: {accessible.getRoleName()} {accessible.name!r}"] = (
                on_screen(x0, 0), on_screen(y0, 1), on_screen(x1, 0), on_screen(y1, 1))
        return rectangles

    def end(self):
        self.process.terminate()
        self.process.wait(timeout=30)


def inside(rectangle, area, slack=0):
    """Whether `rectangle` lies within `area`, give or take `slack` pixels."""
    return (area[0] - slack <= rectangle[0] and area[1] - slack <= rectangle[1]
            and rectangle[2] <= area[2] + slack and rectangle[3] <= area[3] + slack)


def settled(game, area):
    """Waits until the window stands still within `area`; its frame then."""
    last = None
    for _ in range(40):
        now = game.frame()
        if now == last and inside(now, area, SLACK):
            return now
        last = now
        time.sleep(0.25)
    return last


def check_on_screen(game, what, area, ratio=1.0):
    frame = settled(game, area)
    check(inside(frame, area, SLACK), f"{what}: the whole window {frame} lies within {area}")
    controls = game.controls()
    off = {name: rectangle for name, rectangle in controls.items()
           if not inside(rectangle, area)}
    check(len(controls) >= 53 and not off,
          f"{what}: every one of {len(controls)} controls lies on the screen"
          + (f", but not {off}" if off else ""))
    check(abs(game.ratio - ratio) < 0.01, f"{what}: scaled by {game.ratio:.3f}")
    return frame


def check_hints(game):
    flags, functions, decorations = numbers(xprop(game.xid, "_MOTIF_WM_HINTS"))[:3]
    check(flags & 1 and functions & MWM_FUNC_CLOSE
          and not functions & (MWM_FUNC_MINIMIZE | MWM_FUNC_MAXIMIZE),
          "the window asks for a close command and neither minimise nor maximise")
    check(flags & 2 and not decorations & (MWM_DECOR_MINIMIZE | MWM_DECOR_MAXIMIZE),
          "and for no minimise or maximise button")
    sizes = xprop(game.xid, "WM_NORMAL_HINTS")
    minimum = re.search(r"minimum size: (\d+) by (\d+)", sizes)
    maximum = re.search(r"maximum size: (\d+) by (\d+)", sizes)
    check(minimum and maximum and minimum.groups() == maximum.groups(),
          "and for a fixed size")
    allowed = xprop(game.xid, "_NET_WM_ALLOWED_ACTIONS")
    check("_NET_WM_ACTION_CLOSE" in allowed and "MAXIMIZE" not in allowed
          and "_NET_WM_ACTION_RESIZE" not in allowed,
          "the window manager offers close, and neither maximise nor resizing")


def on_server(screen, cases, pyatspi, manager_arguments=()):
    """Runs `cases` on a new X server of the given size, with a window manager."""
    server = xsession.start_x_server(screen)
    manager = None
    try:
        manager = xsession.start_window_manager(arguments=manager_arguments)
        return cases(pyatspi)
    finally:
        xsession.stop(*games, manager, server)
        games.clear()


def play(pyatspi):
    own_place = {}

    def full_hd(pyatspi):
        area = work_area()
        game = Game(pyatspi, None)
        own_place["frame"] = check_on_screen(game, "1920 x 1080 at 100 %", area)
        check_hints(game)
        game.end()
        game = Game(pyatspi, "1.5")
        check_on_screen(game, "1920 x 1080 at 150 %", area, 1.5)
        game.end()

    def small(pyatspi):
        area = work_area()
        game = Game(pyatspi, None)
        frame = check_on_screen(game, "1366 x 768 at 100 %", area)
        check(frame == own_place.get("frame"),
              f"1366 x 768 at 100 %: its own place {own_place.get('frame')}, exactly")
        game.end()
        set_dpi(120)
        game = Game(pyatspi, None)
        frame = check_on_screen(game, "1366 x 768 at 125 % (Xft.dpi 120)", area, 1.25)
        check(abs(frame[3] - area[3]) <= SLACK, "moved up just enough: its bottom at the bottom")
        game.end()
        game = Game(pyatspi, "2")
        frame = settled(game, (area[0], area[1], 10**6, 10**6))
        corner = (area[0], area[1], area[0] + 1, area[1] + 1)
        caption_on_screen = inside(game.client(), area[:2] + (10**6,) * 2)
        check(inside(frame[:2] * 2, corner, SLACK) and caption_on_screen,
              f"1366 x 768 at 200 %: too big, its caption at the area's top-left corner "
              f"{area[:2]} (the window at {frame[:2]})")
        game.end()

    def small_with_panel(pyatspi):
        area = work_area()
        check(area[1] == 40, f"the panel leaves the area {area}")
        set_dpi(120)
        game = Game(pyatspi, None)
        check_on_screen(game, "1366 x 768 at 125 % below a panel", area, 1.25)
        game.end()

    on_server("1920x1080x24", full_hd, pyatspi)
    on_server("1366x768x24", small, pyatspi)
    with tempfile.TemporaryDirectory() as folder:
        config = os.path.join(folder, "rc.xml")
        with open(config, "w") as file:
            file.write(PANEL_CONFIG)
        on_server("1366x768x24", small_with_panel, pyatspi, ["--config-file", config])


def main():
    end_to_end.GAME = os.path.abspath(sys.argv[1])
    # The accessibility bus and its registry live on a display of their own for the whole run;
    # the games on the other servers find the bus through the session bus.
    anchor = xsession.start_x_server("640x480x24")
    try:
        end_to_end.enable_accessibility()
        import pyatspi
        play(pyatspi)
    finally:
        xsession.stop(anchor)
    failures = end_to_end.failures
    print(f"screens: {'FAILED: ' + '; '.join(failures) if failures else 'all checks passed'}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
