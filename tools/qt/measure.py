"""Start-up, memory and turn cost of townwright against a bare Qt 6 dialog, in the same run.

On an X server of its own (no window manager, so that nothing but the programs takes time), each
program is started RUNS times, alternately. A third program, the bare dialog
with one line of text, shows what loading fonts costs any program that draws text. Start-up is the
time from launch to the MapNotify of
its first top-level window, which is when the window is on screen; the program is then asked to
close as a window manager would (WM_DELETE_WINDOW) and its peak resident memory is read from the
kernel's accounting of the finished child (ru_maxrss). Then townwright_turn_cost measures a turn
beyond its pauses.

Usage: measure.py BUILD_DIR [RUNS]
"""

import ctypes
import os
import select
import statistics
import subprocess
import sys
import time

from drive import xsession

PAUSES = 0.9  # the nine 100 ms pauses before townwright's window exists
MAP_NOTIFY, CLIENT_MESSAGE = 19, 33
SUBSTRUCTURE_NOTIFY_MASK = 1 << 19


class XMapEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("event", ctypes.c_ulong),
                ("window", ctypes.c_ulong), ("override_redirect", ctypes.c_int)]


class XClientMessageEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong),
                ("message_type", ctypes.c_ulong), ("format", ctypes.c_int),
                ("data", ctypes.c_long * 5)]


class XEvent(ctypes.Union):
    _fields_ = [("type", ctypes.c_int), ("xmap", XMapEvent), ("xclient", XClientMessageEvent),
                ("pad", ctypes.c_long * 24)]


class Display:
    def __init__(self):
        x = ctypes.CDLL("libX11.so.6")
        x.XOpenDisplay.restype = ctypes.c_void_p
        x.XOpenDisplay.argtypes = [ctypes.c_char_p]
        x.XDefaultRootWindow.restype = ctypes.c_ulong
        x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        x.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
        x.XPending.argtypes = [ctypes.c_void_p]
        x.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.c_void_p]
        x.XConnectionNumber.argtypes = [ctypes.c_void_p]
        x.XInternAtom.restype = ctypes.c_ulong
        x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
        x.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                                 ctypes.c_void_p]
        x.XFlush.argtypes = [ctypes.c_void_p]
        x.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        self.x = x
        self.display = x.XOpenDisplay(None)
        if not self.display:
            raise RuntimeError("cannot open the X display")
        x.XSelectInput(self.display, x.XDefaultRootWindow(self.display), SUBSTRUCTURE_NOTIFY_MASK)
        x.XSync(self.display, 1)
        self.protocols = x.XInternAtom(self.display, b"WM_PROTOCOLS", 0)
        self.delete_window = x.XInternAtom(self.display, b"WM_DELETE_WINDOW", 0)

    def next_map(self, limit):
        """The next top-level window mapped, and when, or (None, None) after `limit` seconds."""
        deadline = time.monotonic() + limit
        event = XEvent()
        while True:
            while self.x.XPending(self.display):
                self.x.XNextEvent(self.display, ctypes.byref(event))
                if event.type == MAP_NOTIFY and not event.xmap.override_redirect:
                    return event.xmap.window, time.perf_counter()
            left = deadline - time.monotonic()
            if left <= 0:
                return None, None
            select.select([self.x.XConnectionNumber(self.display)], [], [], left)

    def ask_to_close(self, window):
        event = XEvent()
        event.xclient.type = CLIENT_MESSAGE
        event.xclient.window = window
        event.xclient.message_type = self.protocols
        event.xclient.format = 32
        event.xclient.data[0] = self.delete_window
        self.x.XSendEvent(self.display, window, 0, 0, ctypes.byref(event))
        self.x.XFlush(self.display)


def run_once(display, program):
    start = time.perf_counter()
    process = subprocess.Popen([program], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    window, mapped = display.next_map(60)
    if window is None:
        process.kill()
        raise RuntimeError(f"{program} showed no window")
    time.sleep(1.0)  # let it paint and settle, as a player would see it
    display.ask_to_close(window)
    _, status, usage = os.wait4(process.pid, 0)
    if status != 0:
        raise RuntimeError(f"{program} ended with status {status}")
    return mapped - start, usage.ru_maxrss


def main():
    build = sys.argv[1]
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 15
    game = os.path.join(build, "platform", "qt", "townwright")
    bare = os.path.join(build, "tools", "qt", "townwright_bare_dialog")
    text = os.path.join(build, "tools", "qt", "townwright_bare_text_dialog")
    turn_cost = os.path.join(build, "tools", "qt", "townwright_turn_cost")
    programs = (game, bare, text)
    server = xsession.start_x_server()
    try:
        display = Display()
        results = {program: ([], []) for program in programs}
        for program in programs:  # one unmeasured start each, to warm the file cache
            run_once(display, program)
        for _ in range(runs):
            for program in programs:
                seconds, kilobytes = run_once(display, program)
                results[program][0].append(seconds)
                results[program][1].append(kilobytes)
        start = {p: statistics.median(results[p][0]) for p in programs}
        memory = {p: statistics.median(results[p][1]) for p in programs}
        print(f"runs: {runs} of each program, alternately; medians")
        print(f"bare Qt 6 dialog: start-up {start[bare] * 1000:.1f} ms, "
              f"peak resident memory {memory[bare] / 1024:.1f} MiB")
        print(f"townwright: start-up {start[game] * 1000:.1f} ms "
              f"(ratio {start[game] / start[bare]:.2f}); "
              f"without its {PAUSES:.1f} s of pauses {(start[game] - PAUSES) * 1000:.1f} ms "
              f"(ratio {(start[game] - PAUSES) / start[bare]:.2f})")
        print(f"townwright: peak resident memory {memory[game] / 1024:.1f} MiB "
              f"(ratio {memory[game] / memory[bare]:.2f})")
        print(f"bare dialog with one line of text: start-up {start[text] * 1000:.1f} ms "
              f"(ratio {start[text] / start[bare]:.2f}), peak resident memory "
              f"{memory[text] / 1024:.1f} MiB (ratio {memory[text] / memory[bare]:.2f}); "
              f"townwright against it: start-up without pauses "
              f"{(start[game] - PAUSES) / start[text]:.2f}, "
              f"memory {memory[game] / memory[text]:.2f}")
        turns = subprocess.run([turn_cost], capture_output=True, text=True, check=True).stdout
        print("turn beyond its pauses (engine alone on the in-memory window, then the Qt window):")
        print(turns.strip())
    finally:
        xsession.stop(server)


if __name__ == "__main__":
    main()
