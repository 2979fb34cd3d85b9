"""Judges every file call in an strace log of townwright: the game must change nothing on disk.

The log comes from `strace -f -yy -e trace=%file -o LOG townwright`: one call a line, each line
led by the id of the process or thread that made it, descriptors decorated with their paths.
A call is refused when it
- opens a file for writing (write access, creating, truncating or appending), or
- changes the file system in any other way (making, removing, renaming, linking, truncating,
  changing modes, owners or times; any call not known to be a mere look), or
- starts a program other than the game itself, or
- opens for reading a file outside the allow-list below: what the system's libraries, fonts and
  the toolkit's own plugins, themes and settings need.
Attempts count even when they fail: on another machine they might succeed. Looks that open
nothing (stat, access, readlink) are counted but not judged; they read no file's contents.

Usage: file_access.py LOG --program PATH --home DIR [--runtime DIR] [--list]
"""

import argparse
import collections
import fnmatch
import glob
import posixpath
import re
import sys

OPENING = {"open", "openat", "openat2", "creat"}
RUNNING = {"execve", "execveat"}
# Calls that read metadata or move the process about without changing anything on disk.
LOOKING = {
    "access", "faccessat", "faccessat2", "stat", "lstat", "stat64", "lstat64", "newfstatat",
    "fstatat64", "statx", "readlink", "readlinkat", "getxattr", "lgetxattr", "listxattr",
    "llistxattr", "statfs", "statfs64", "chdir", "inotify_add_watch",
    "name_to_handle_at", "getcwd",
}
WRITE_FLAGS = {"O_WRONLY", "O_RDWR", "O_CREAT", "O_TRUNC", "O_APPEND", "O_TMPFILE"}

# What the game may open for reading, by category: (category, patterns, reason). In a pattern,
# {home} and the like stand for the run's own directories, a trailing /** for a directory and
# everything under it, and * for any run of characters.
ALLOWED = [
    ("Qt", ["/usr/lib/*-linux-gnu/qt6/**", "/usr/share/qt6/**"],
     "the toolkit's plugins (platform, styles, input methods) and its own data"),
    ("shared libraries", ["/etc/ld.so.cache"],
     "the dynamic linker's index of the installed libraries"),
    ("shared libraries", ["/lib/**", "/lib64/**", "/usr/lib/*-linux-gnu/*.so*",
                          "/usr/lib/*-linux-gnu/glibc-hwcaps/**", "/usr/lib/*-linux-gnu/tls/**",
                          "/usr/lib/*-linux-gnu/x86_64/**", "/usr/lib/*-linux-gnu/haswell/**"],
     "the libraries the program links, and the places the dynamic linker tries first"),
    ("shared libraries", ["/usr/lib/*-linux-gnu/gconv/**"],
     "the C library's character set converters"),
    ("locale", ["/usr/lib/locale/**", "/usr/share/locale/**", "/usr/share/i18n/**"],
     "the C library's locale data and message catalogues"),
    ("system settings", ["/etc/nsswitch.conf", "/etc/passwd", "/etc/group"],
     "the toolkit and the X library ask who the user is and where home is"),
    ("system settings", ["/etc/localtime", "/usr/share/zoneinfo/**"],
     "the time zone, for the time of day the game's seed comes from"),
    ("system settings", ["/etc/machine-id", "/var/lib/dbus/machine-id"],
     "the D-Bus library identifies the machine to the session bus"),
    ("fonts", ["/usr/share/fonts/**", "/usr/local/share/fonts/**", "{data}/fonts/**",
               "{home}/.fonts/**"],
     "the font files the text is drawn with, and the font directories fontconfig scans"),
    ("fontconfig", ["/etc/fonts/**", "/usr/share/fontconfig/**"],
     "fontconfig's own configuration"),
    ("fontconfig", ["/var/cache/fontconfig/**"],
     "the font cache the fontconfig package builds, so that no program has to"),
    ("fontconfig", ["{config}/fontconfig/**", "{home}/.fonts.conf", "{home}/.fonts.conf.d/**",
                    "{cache}/fontconfig/**", "{home}/.fontconfig/**"],
     "the user's own fontconfig settings and caches, looked for and read, never written"),
    ("X11", ["/usr/share/X11/**", "/usr/lib/X11/**", "/etc/X11/**"],
     "the X library's locale, input method and keyboard (xkb) data"),
    ("X11", ["{home}/.Xdefaults", "{home}/.Xdefaults-*", "{home}/.Xresources",
             "{home}/.XCompose", "{config}/XCompose", "{home}/.Xauthority"],
     "the user's X resources, compose table and display authority, which the X libraries read"),
    ("cursors and icons", ["/usr/share/icons/**", "/usr/share/pixmaps/**",
                           "/usr/local/share/icons/**", "{data}/icons/**", "{home}/.icons/**"],
     "the mouse pointer's theme the X cursor library loads, and the toolkit's icon themes"),
    ("Qt", ["{program_dir}/qt.conf", "{program_dir}/qt6.conf", "{program_dir}/platforms",
            "{program_dir}/platformthemes", "{program_dir}/platforminputcontexts",
            "{program_dir}/styles", "{program_dir}/imageformats", "{program_dir}/iconengines",
            "{program_dir}/accessible", "{program_dir}/accessiblebridge",
            "{program_dir}/xcbglintegrations", "{program_dir}/generic"],
     "the toolkit looks beside the program for its configuration and plugins"),
    ("Qt", ["/etc/xdg/QtProject/**", "{config}/QtProject/**", "{config}/qt6ct/**",
            "{config}/kdeglobals", "/etc/xdg/kdeglobals"],
     "the toolkit's own settings (logging rules, desktop theme) in the XDG config dirs"),
    ("Qt", ["{runtime}/flatpak-info", "/.flatpak-info"],
     "the toolkit asks whether it runs in a sandbox"),
    ("/proc and /sys", ["/proc/**", "/sys/**"],
     "the kernel's view of the process and the machine (processors, memory maps)"),
    ("/dev", ["/dev/urandom", "/dev/random", "/dev/null", "/dev/shm/**", "/dev/dri/**"],
     "randomness for the libraries' hash tables, and the graphics devices"),
]

# The one change the game's libraries may attempt: Qt makes sure the session's runtime directory
# exists, with mkdir, before it looks for a sandbox's marker in it. The session made it, so the
# call fails and changes nothing; a success would mean the directory was missing, and is refused.
HARMLESS_ATTEMPTS = [({"mkdir", "mkdirat"}, "{runtime}", "EEXIST")]

CATEGORIES = list(dict.fromkeys(category for category, _, _ in ALLOWED))


def _unescape(text):
    """The bytes of a string strace printed with C escapes, as text (undecodable bytes kept)."""
    out = bytearray()
    index = 0
    while index < len(text):
        char = text[index]
        if char != "\\":
            out += char.encode()
            index += 1
            continue
        following = text[index + 1:index + 2]
        if following == "x":
            out.append(int(text[index + 2:index + 4], 16))
            index += 4
        elif following and following in "01234567":
            digits = re.match(r"[0-7]{1,3}", text[index + 1:]).group()
            out.append(int(digits, 8))
            index += 1 + len(digits)
        else:
            out += {"n": b"\n", "t": b"\t", "r": b"\r", "v": b"\v", "f": b"\f"}.get(
                following, following.encode())
            index += 2
    return out.decode("utf-8", "surrogateescape")


STRING = re.compile(r'"((?:[^"\\]|\\.)*)"')
DECORATED_FD = re.compile(r"(?:AT_FDCWD|-?\d+)<((?:[^>\\]|\\.)*)>")
FLAG = re.compile(r"\bO_[A-Z_]+\b")
CALL = re.compile(r"^(?:(?P<pid>\d+)\s+)?(?P<name>[a-z_0-9]+)\((?P<args>.*)$")
RESUMED = re.compile(r"^(?:(?P<pid>\d+)\s+)?<\.\.\. (?P<name>[a-z_0-9]+) resumed>(?P<args>.*)$")
NOTICE = re.compile(r"^(?:\d+\s+)?(?:\+\+\+ .* \+\+\+|--- .* ---)$")
RESULT = re.compile(
    r"^(?P<args>.*)\)\s+=\s+(?P<value>-?\d+|\?|0x[0-9a-f]+)(?:\s+(?P<errno>E[A-Z0-9]+)\b)?")


class Call:
    """One file call: who made it, what it asked for and what came of it."""

    def __init__(self, pid, name, args, value, errno, line):
        self.pid = pid
        self.name = name
        self.failed = value.startswith("-")
        self.errno = errno
        self.line = line
        self.path = None  # the absolute path asked for, when the call names one
        strings = list(STRING.finditer(args))
        if strings:
            path = _unescape(strings[0].group(1))
            if path and not path.startswith("/"):
                # Relative to the directory descriptor before it, or else to the working
                # directory, which strace decorates in the same way (AT_FDCWD</dir>).
                base = DECORATED_FD.search(args[:strings[0].start()])
                path = posixpath.join(_unescape(base.group(1)), path) if base else None
            self.path = posixpath.normpath(path) if path else None
            self.flags = set(FLAG.findall(args[strings[0].end():]))
        else:
            self.flags = set(FLAG.findall(args))


def parse(lines):
    """The calls in the log's lines; joins calls that other threads interrupted.

    Raises ValueError on a line it cannot read: a log it cannot read proves nothing.
    """
    calls = []
    pending = {}  # pid -> (name, first part of the arguments, line) of an unfinished call
    for number, line in enumerate(lines, 1):
        line = line.rstrip("\n")
        if not line.strip() or NOTICE.match(line):
            continue
        resumed = RESUMED.match(line)
        if resumed:
            pid = resumed.group("pid")
            name, first, start = pending.pop(pid, (resumed.group("name"), "", ""))
            whole, args = start + " ... " + line, first + resumed.group("args")
        else:
            call = CALL.match(line)
            if not call:
                raise ValueError(f"line {number}: not an strace call: {line}")
            pid, name, args, whole = call.group("pid", "name", "args") + (line,)
            if args.endswith("<unfinished ...>"):
                pending[pid] = (name, args[:-len("<unfinished ...>")], line)
                continue
        result = RESULT.match(args)
        if not result:
            raise ValueError(f"line {number}: no result in: {line}")
        calls.append(Call(pid, name, result.group("args"), result.group("value"),
                          result.group("errno"), whole))
    # Calls cut short by the end of their thread: what they asked for is all there is to judge.
    for pid, (name, args, line) in pending.items():
        calls.append(Call(pid, name, args, "?", None, line))
    return calls


def _matches(path, pattern):
    if pattern.endswith("/**"):
        directory = pattern[:-3]
        return path == directory or fnmatch.fnmatchcase(path, directory + "/*")
    return fnmatch.fnmatchcase(path, pattern)


class Rules:
    """The allow-list with the run's own directories filled in."""

    def __init__(self, program, home, runtime=None):
        home = posixpath.normpath(home)
        places = {
            "home": home, "config": home + "/.config", "cache": home + "/.cache",
            "data": home + "/.local/share", "program_dir": posixpath.dirname(program),
            # Without a runtime directory of the run's own, nothing may be read there.
            "runtime": posixpath.normpath(runtime) if runtime else "/nonexistent",
        }
        self.program = posixpath.normpath(program)
        self.attempts = [(names, path.format(**places), errno)
                         for names, path, errno in HARMLESS_ATTEMPTS]
        # A directory's name may hold a pattern's special characters ([, *, ?): they stand for
        # themselves.
        escaped = {name: glob.escape(place) for name, place in places.items()}
        self.allowed = [(category, [p.format(**escaped) for p in patterns])
                        for category, patterns, _ in ALLOWED]

    def harmless(self, call):
        return any(call.name in names and call.path == path and call.errno == errno
                   for names, path, errno in self.attempts)

    def category(self, path):
        for category, patterns in self.allowed:
            if any(_matches(path, pattern) for pattern in patterns):
                return category
        return None


class Verdict:
    def __init__(self):
        self.refused = []  # (reason, line)
        self.opened = collections.Counter()  # category -> files opened
        self.paths = collections.defaultdict(set)  # category -> the paths opened
        self.absent = collections.Counter()  # category -> files looked for and not found
        self.looks = 0
        self.harmless = 0
        self.processes = set()
        self.calls = 0


def judge(calls, rules):
    verdict = Verdict()
    for call in calls:
        verdict.calls += 1
        verdict.processes.add(call.pid)
        if call.name in LOOKING:
            verdict.looks += 1
        elif call.name in RUNNING:
            if call.path != rules.program:
                verdict.refused.append(("starts another program", call.line))
        elif call.name in OPENING:
            writing = call.flags & WRITE_FLAGS if call.name != "creat" else {"creat"}
            if writing:
                verdict.refused.append(
                    ("opens for writing (" + "|".join(sorted(writing)) + ")", call.line))
                continue
            category = rules.category(call.path) if call.path else None
            if category is None:
                verdict.refused.append(("reads a file outside the allow-list", call.line))
            elif call.failed:
                verdict.absent[category] += 1
            else:
                verdict.opened[category] += 1
                verdict.paths[category].add(call.path)
        elif rules.harmless(call):
            verdict.harmless += 1
        else:
            verdict.refused.append(("changes the file system, or may", call.line))
    return verdict


def report(verdict, listing=False):
    """The verdict as lines of text for the test's log; with the files read if listing."""
    lines = []
    if verdict.refused:
        lines.append(f"file access: {len(verdict.refused)} refused call(s):")
        lines += [f"  {reason}: {line}" for reason, line in verdict.refused]
        if any("fontconfig" in line and not reason.startswith("reads")
               for reason, line in verdict.refused):
            lines.append("  fontconfig made a font cache: the system's, in /var/cache/fontconfig, "
                         "lacks a font directory or is out of date (`fc-cache -s` as root)")
        return lines
    lines.append(f"file access: {verdict.calls} file calls by {len(verdict.processes)} "
                 "process(es) and thread(s); nothing written, created, removed or renamed")
    lines.append("  opened for reading, by category (found / looked for and absent):")
    for category in CATEGORIES:
        if verdict.opened[category] or verdict.absent[category]:
            lines.append(f"    {category:<20} {verdict.opened[category]:5} / "
                         f"{verdict.absent[category]}")
            if listing:
                lines += [f"      {path}" for path in sorted(verdict.paths[category])]
    lines.append(f"  looked at without opening (stat, access, readlink): {verdict.looks}")
    if verdict.harmless:
        lines.append(f"  tried to make the runtime directory, which exists: {verdict.harmless}")
    return lines


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("log")
    parser.add_argument("--program", required=True)
    parser.add_argument("--home", required=True)
    parser.add_argument("--runtime")
    parser.add_argument("--list", action="store_true", help="list the files read")
    arguments = parser.parse_args()
    with open(arguments.log, encoding="utf-8", errors="surrogateescape") as log:
        calls = parse(log)
    runtime = arguments.runtime and posixpath.abspath(arguments.runtime)
    rules = Rules(posixpath.abspath(arguments.program), posixpath.abspath(arguments.home), runtime)
    verdict = judge(calls, rules)
    print("\n".join(report(verdict, arguments.list)))
    return 1 if verdict.refused else 0


if __name__ == "__main__":
    sys.exit(main())
