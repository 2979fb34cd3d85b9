"""An X server of our own for the desktop tests and tools, and a window manager on it.

Xvfb picks a free display itself and reports its number (-displayfd), so that servers started at
the same time by other work on the machine never clash over a display number.
"""

import os
import subprocess
import time


def start_x_server(screen="1280x1024x24"):
    read_end, write_end = os.pipe()
    server = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", screen, "-nolisten", "tcp"],
        pass_fds=[write_end], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    number = b""
    while not number.endswith(b"\n"):
        chunk = os.read(read_end, 16)
        if not chunk:
            server.kill()
            raise RuntimeError("Xvfb did not start")
        number += chunk
    os.close(read_end)
    os.environ["DISPLAY"] = ":" + number.decode().strip()
    return server


def start_window_manager(limit=60.0, arguments=()):
    manager = subprocess.Popen(["openbox", *arguments], stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    deadline = time.monotonic() + limit
    while time.monotonic() < deadline:
        check = subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"],
                               capture_output=True, text=True)
        if "window id" in check.stdout:
            return manager
        time.sleep(0.1)
    manager.kill()
    raise RuntimeError("openbox did not start")


def stop(*processes):
    for process in processes:
        if process is None or process.poll() is not None:
            continue
        process.terminate()
        try:
            process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()
