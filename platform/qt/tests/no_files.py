"""The real townwright, played under strace, touches no files: it writes nothing anywhere and reads
only what the system's libraries, fonts and the toolkit need.

The game runs on an X server of its own with a window manager, as in the end-to-end test, with a
fresh home and fresh XDG directories, so that what it finds does not depend on the machine's user.
A few turns are played from outside (a tax rate typed and updated, Save, Load and New pressed,
which only say they are not enabled), then Exit. Every file call the game or any of its threads
made is then judged by file_access.py; the fresh directories must also still be empty.

Usage (under dbus-run-session, so that the session and accessibility buses are this run's own):
    no_files.py GAME LOG
"""

import os
import shutil
import signal
import subprocess
import sys
import tempfile

import end_to_end
import file_access
from drive import xsession
from end_to_end import check, wait_for, xdo

CHOICE = "do nothing (except collect taxes)"


def fresh_places(root):
    """A new user's directories: an empty home, and the runtime directory a session provides."""
    places = {"home": os.path.join(root, "home"), "runtime": os.path.join(root, "runtime"),
              "cwd": os.path.join(root, "cwd")}
    for place in places.values():
        os.mkdir(place, 0o700)
    return places


def game_environment(places):
    # The machine's choices of toolkit settings and directories stay out; the test's X server
    # wants no authority file.
    environment = {name: value for name, value in os.environ.items()
                   if not name.startswith(("QT_", "XDG_")) and name != "XAUTHORITY"}
    home = places["home"]
    environment.update({
        "HOME": home,
        "XDG_CONFIG_HOME": os.path.join(home, ".config"),
        "XDG_CACHE_HOME": os.path.join(home, ".cache"),
        "XDG_DATA_HOME": os.path.join(home, ".local", "share"),
        "XDG_STATE_HOME": os.path.join(home, ".local", "state"),
        "XDG_CONFIG_DIRS": "/etc/xdg",
        "XDG_DATA_DIRS": "/usr/local/share:/usr/share",
        "XDG_RUNTIME_DIR": places["runtime"],
    })
    if "ASAN_OPTIONS" in environment:
        # LeakSanitizer stops a program that is being traced; the other tests look for leaks.
        environment["ASAN_OPTIONS"] += ":detect_leaks=0"
    return environment


def start_traced(game, log, places):
    return subprocess.Popen(
        ["strace", "-f", "-yy", "-e", "trace=%file", "-e", "signal=none", "-o", log, game],
        env=game_environment(places), cwd=places["cwd"])


def stop_traced(process):
    """Ends strace and the game: strace holds off signals while it traces into a file."""
    if process.poll() is None:
        try:
            with open(f"/proc/{process.pid}/task/{process.pid}/children") as children:
                for pid in children.read().split():
                    os.kill(int(pid), signal.SIGTERM)
        except (FileNotFoundError, ProcessLookupError):
            pass  # both ended meanwhile
    xsession.stop(process)


def open_window(pyatspi, process):
    window = end_to_end.Window(pyatspi, process)
    # strace ends at once when it may not trace (ptrace forbidden): say so rather than wait.
    if not wait_for(lambda: process.poll() is not None or window.find_frame()):
        raise RuntimeError("the game's window never appeared on the accessibility bus")
    if process.poll() is not None:
        raise RuntimeError("strace and the game ended before the window appeared "
                           f"(status {process.returncode})")
    wait_for(lambda: window.day() == "31")
    return window


def press_and_dismiss(pyatspi, window, name):
    """Presses a button that answers with a message box, then the box's OK."""
    window.click(window.button(name))
    if not check(wait_for(lambda: len(window.windows_named("KRT")) == 1),
                 f"{name} says it is not enabled"):
        return
    xdo("search", "--name", "^KRT$", "windowactivate", "--sync")
    box = window.windows_named("KRT")[0]
    ok = pyatspi.findAllDescendants(box, lambda a: a.getRole() == pyatspi.ROLE_PUSH_BUTTON)
    window.click(ok[0])
    check(wait_for(lambda: not window.windows_named("KRT"), limit=20), "OK closes the box")


def play(pyatspi, window):
    window.click(window.button(CHOICE))
    check(wait_for(lambda: window.day() == " 2"), "a click on a choice plays a turn")
    window.click(window.button(CHOICE))
    check(wait_for(lambda: window.day() == " 3"), "and another")
    window.click(window.box("Income Tax"))
    xdo("key", "ctrl+a")
    xdo("type", "--delay", "20", "25")
    window.click(window.button("Update Tax Rates"))
    window.click(window.button(CHOICE))
    check(wait_for(lambda: window.day() == " 4"), "a turn after the tax update")
    check(wait_for(lambda: window.text("Income Tax") == " 25"), "the new income tax shows")
    for name in ("Save", "Load", "New"):
        press_and_dismiss(pyatspi, window, name)
    window.click(window.button("Exit"))
    # strace ends with the traced program's own exit status.
    check(end_to_end.wait_for_exit(window.process) == 0, "Exit ends the game with status 0")


def leftovers(places):
    """Whatever appeared in the fresh directories during the run."""
    found = []
    for place in places.values():
        for directory, subdirectories, files in os.walk(place):
            found += [os.path.join(directory, name) for name in subdirectories + files]
    return found


def judge_log(game, log, places):
    with open(log, encoding="utf-8", errors="surrogateescape") as lines:
        calls = file_access.parse(lines)
    rules = file_access.Rules(game, places["home"], places["runtime"])
    verdict = file_access.judge(calls, rules)
    print("\n".join(file_access.report(verdict)), flush=True)
    check(not verdict.refused, "the game touched no file it should not have (strace log: "
          f"{log})")
    check(any(call.name == "execve" and call.path == rules.program for call in calls),
          "the log is the game's")


def main():
    game, log = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    if os.path.exists(log):
        os.remove(log)  # an earlier run's log must not be judged for this one's
    root = tempfile.mkdtemp(prefix="townwright-no-files-")
    places = fresh_places(root)
    server = xsession.start_x_server()
    manager = process = None
    try:
        manager = xsession.start_window_manager()
        end_to_end.enable_accessibility()
        import pyatspi  # connects to the accessibility bus, which now exists
        process = start_traced(game, log, places)
        play(pyatspi, open_window(pyatspi, process))
    except Exception as error:  # what the game did until then is still worth judging
        check(False, f"the game is played to its end ({error!r})")
    finally:
        if process is not None:
            stop_traced(process)
        xsession.stop(manager, server)
    if check(os.path.exists(log), "strace wrote its log"):
        judge_log(game, log, places)
    appeared = leftovers(places)
    for path in appeared:
        print(f"     appeared: {path}")
    check(not appeared, "the fresh home, runtime and working directories are still empty")
    shutil.rmtree(root)
    failures = end_to_end.failures
    print(f"no files: {'FAILED: ' + '; '.join(failures) if failures else 'all checks passed'}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
