"""The main window's controls as the control table lays them out, read from what
townwright_control_layout prints (one JSON object a line: id, kind, text, source, place in dialog
units, accessible name, whether it comes with the window), so that a test or a tool names "Exit" or
the income tax box instead of copying an identifier."""

import json
import subprocess


class ControlTable:
    def __init__(self, lines):
        self.facts = [json.loads(line) for line in lines if line.strip()]

    @classmethod
    def from_command(cls, command):
        """The table that `command` (townwright_control_layout, and its emulator) prints."""
        return cls(subprocess.run(command, check=True, capture_output=True,
                                  text=True).stdout.splitlines())

    def __iter__(self):
        return iter(self.facts)

    def _find(self, kind, key, value):
        found = [fact["id"] for fact in self.facts if fact["kind"] == kind and fact[key] == value]
        if len(found) != 1:
            raise KeyError(f"{len(found)} controls of kind {kind} with {key} {value!r}")
        return found[0]

    def button(self, text):
        """The button that shows `text`: "Exit", "Update Tax Rates"."""
        return self._find("button", "text", text)

    def box(self, name):
        """The text box a screen reader names `name`: "Income Tax", "Treasury trend", "Year"."""
        return self._find("text box", "name", name)

    def frame(self, text):
        return self._find("frame", "text", text)

    def choice(self, k):
        """Choice button k, 1 to 9."""
        return self._find("button", "name", f"Choice {k}")
