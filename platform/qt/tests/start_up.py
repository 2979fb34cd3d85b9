"""The real townwright where the desktop cannot give it what it needs.

- No display: one line that says so, exit status 1, and no abort.
- A display that cannot be opened: the same.
- A hung session bus, one that accepts a connection and never answers: the window still shows
  within a few seconds, and the game ends with status 0 as usual.
- A Wayland desktop session (weston, headless), with the package's recommended qt6-wayland: the
  window is the compositor's own, not X's through XWayland: titled, drawn and shown within a few
  seconds, as the protocol's log (WAYLAND_DEBUG) tells.

Usage: start_up.py GAME
"""

import os
import re
import socket
import subprocess
import sys
import tempfile
import threading
import time

from drive import xsession

CAPTION = "Townwright - by the Townwright developers"
FEW_SECONDS = 10.0  # the window comes after 0.9 s of pauses and at most 2 s of waiting for the bus

failures = []


def check(condition, what):
    print(("ok   " if condition else "FAIL ") + what, flush=True)
    if not condition:
        failures.append(what)
    return condition


def environment(**changes):
    result = {name: value for name, value in os.environ.items()
              if name not in ("DISPLAY", "WAYLAND_DISPLAY") and not name.startswith("QT_")}
    result.update(changes)
    return result


def without_display(game, what, **changes):
    started = time.monotonic()
    run = subprocess.run([game], env=environment(**changes), capture_output=True, text=True,
                         timeout=60, cwd=tempfile.gettempdir())
    lines = run.stderr.splitlines()
    check(run.returncode == 1, f"{what}: exit status 1 (got {run.returncode})")
    check(len(lines) == 1 and "no display to open the game's window on" in lines[0],
          f"{what}: one line that says so: {run.stderr!r}")
    check(run.stdout == "", f"{what}: nothing on stdout")
    print(f"     in {time.monotonic() - started:.2f} s")


def unused_display():
    number = 4242
    while os.path.exists(f"/tmp/.X11-unix/X{number}"):
        number += 1
    return f":{number}"


class SilentBus:
    """A socket that accepts connections and never answers, as a hung session bus does."""

    def __init__(self, folder):
        self.path = os.path.join(folder, "bus")
        self.listener = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        self.listener.bind(self.path)
        self.listener.listen(16)
        self.accepted = []
        threading.Thread(target=self.accept, daemon=True).start()

    def accept(self):
        while True:
            try:
                connection, _ = self.listener.accept()
            except OSError:
                return
            self.accepted.append(connection)  # kept open, never read, never answered

    def close(self):
        self.listener.close()
        for connection in self.accepted:
            connection.close()


def with_silent_bus(game):
    server = xsession.start_x_server()
    manager = process = None
    with tempfile.TemporaryDirectory() as folder:
        bus = SilentBus(folder)
        try:
            manager = xsession.start_window_manager()
            started = time.monotonic()
            process = subprocess.Popen(
                [game], env=environment(DISPLAY=os.environ["DISPLAY"], XDG_RUNTIME_DIR=folder,
                                        DBUS_SESSION_BUS_ADDRESS="unix:path=" + bus.path),
                stderr=subprocess.PIPE, text=True, cwd=folder)
            shown = None
            while time.monotonic() - started < 60 and process.poll() is None:
                found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", CAPTION],
                                       capture_output=True, text=True).stdout.split()
                if found:
                    shown = time.monotonic() - started
                    break
                time.sleep(0.05)
            check(bus.accepted, "the game called on the silent bus")
            check(shown is not None and shown < FEW_SECONDS,
                  f"with a hung session bus the window shows within a few seconds ({shown} s)")
            if shown is not None:
                subprocess.run(["xdotool", "search", "--onlyvisible", "--name", CAPTION,
                                "windowactivate", "--sync", "key", "alt+F4"], check=False)
            try:
                status = process.wait(timeout=60)
            except subprocess.TimeoutExpired:
                status = None
            check(status == 0, f"and the game ends with status 0 (got {status})")
            lines = process.stderr.read().splitlines()
            check(sum("session bus did not answer" in line for line in lines) == 1,
                  f"saying once that it goes on without the bus: {lines}")
        finally:
            xsession.stop(process, manager, server)
            bus.close()


def wait_for(predicate, seconds):
    started = time.monotonic()
    while time.monotonic() - started < seconds:
        if predicate():
            return time.monotonic() - started
        time.sleep(0.05)
    return None


def on_wayland(game):
    with tempfile.TemporaryDirectory() as folder:
        os.chmod(folder, 0o700)  # a runtime folder, as the compositor requires
        session = environment(XDG_RUNTIME_DIR=folder, WAYLAND_DISPLAY="wayland-townwright",
                              XDG_SESSION_TYPE="wayland")
        compositor = subprocess.Popen(
            ["weston", "--backend=headless-backend.so", "--socket=wayland-townwright",
             "--idle-time=0"], env=session, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        process = None
        log_path = os.path.join(folder, "protocol.log")
        try:
            socket_path = os.path.join(folder, "wayland-townwright")
            if not check(wait_for(lambda: os.path.exists(socket_path), 30) is not None,
                         "weston started"):
                return
            with open(log_path, "w") as log:
                process = subprocess.Popen([game], env=dict(session, WAYLAND_DEBUG="1"),
                                           stderr=log, stdout=log, cwd=folder)

            def protocol():
                with open(log_path, errors="replace") as log:
                    return log.read()

            # Titled, given a buffer, and drawn: the compositor's frame callback comes only
            # once it has shown the surface.
            shown = wait_for(lambda: re.search(
                r'xdg_toplevel@\d+\.set_title\("' + re.escape(CAPTION) + r'"\)'
                r'[\s\S]*wl_surface@\d+\.attach\(wl_buffer'
                r'[\s\S]*wl_callback@\d+\.done', protocol()), 60)
            check(shown is not None and shown < FEW_SECONDS,
                  f"on Wayland the window is the compositor's, shown in a few seconds ({shown} s)")
            check("xcb" not in protocol(), "with no word of X")
            check(process.poll() is None, "and the game goes on")
        finally:
            xsession.stop(process, compositor)


def main():
    game = os.path.abspath(sys.argv[1])
    without_display(game, "no display")
    without_display(game, "a display that cannot be opened", DISPLAY=unused_display())
    with_silent_bus(game)
    on_wayland(game)
    print(f"start-up: {'FAILED: ' + '; '.join(failures) if failures else 'all checks passed'}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
