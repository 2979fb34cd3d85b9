#!/usr/bin/env bash
# Plays the real townwright on an X server of its own, with a window manager, driven from outside
# as a person would. The session bus is a private one, so that the accessibility bus the test
# reads the window through belongs to this run alone.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
exec dbus-run-session -- /usr/bin/python3 "$here/end_to_end.py" "$@"
