"""Writes the Debian package's changelog and copyright file in Debian's formats, and prints the
newest release's date (YYYY-MM-DD) for the manual page.

The changelog comes from the releases of the AppStream metainfo that appstreamcli made from NEWS,
so the news are written once; the copyright file wraps LICENSE's text. (That the newest release
is the project's version is checked when a release is made, by scripts/release: a build between
two releases may well come before the next version's news.)

Usage: debian_files.py METAINFO LICENSE PACKAGE MAINTAINER HOMEPAGE OUTPUT_DIR
"""

import datetime
import email.utils
import os
import re
import sys
import textwrap
import xml.etree.ElementTree as ElementTree


def wrapped(element, first, rest):
    # Debian wants changelog lines of at most 80 characters.
    return textwrap.fill(" ".join("".join(element.itertext()).split()), width=79,
                         initial_indent=first,
                         subsequent_indent=rest, break_on_hyphens=False)


def changelog_entry(release, package, maintainer):
    lines = []
    # A paragraph is an item; the items of a list that follows one are its sub-items.
    under_paragraph = False
    for block in release.find("description"):
        if block.tag == "p":
            lines.append(wrapped(block, "  * ", "    "))
            under_paragraph = True
        elif block.tag in ("ul", "ol"):
            for item in block.findall("li"):
                if under_paragraph:
                    lines.append(wrapped(item, "    - ", "      "))
                else:
                    lines.append(wrapped(item, "  * ", "    "))
    when = datetime.datetime.fromisoformat(release.get("date"))
    if when.tzinfo is None:
        when = when.replace(tzinfo=datetime.timezone.utc)
    return (f"{package} ({release.get('version')}) unstable; urgency=medium\n\n"
            + "\n".join(lines)
            + f"\n\n -- {maintainer}  {email.utils.format_datetime(when)}\n")


def copyright_file(license_text, maintainer, homepage):
    match = re.match(r"MIT License\n\nCopyright \(c\) ([0-9, -]+) ([^\n]+)\n\n(.*?)\n*$",
                     license_text,
                     re.S)
    if not match:
        sys.exit("LICENSE is not \"MIT License\", \"Copyright (c) YEARS HOLDER\" and its text")
    years, holder, text = match.groups()
    # Paragraphs of a field's text are separated by a line holding " ."; MIT is "Expat" there.
    body = "\n".join(" " + line if line else " ." for line in text.split("\n"))
    return ("Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
            f"Upstream-Name: Townwright\nUpstream-Contact: {maintainer}\nSource: {homepage}\n\n"
            f"Files: *\nCopyright: {years} {holder}\nLicense: Expat\n{body}\n")


def write(path, text):
    # Only a changed file is written, so that configuring again makes nothing again.
    try:
        with open(path, encoding="utf-8") as file:
            if file.read() == text:
                return
    except FileNotFoundError:
        pass
    with open(path, "w", encoding="utf-8") as file:
        file.write(text)


def main():
    metainfo, license_path, package, maintainer, homepage, output = sys.argv[1:]
    releases = ElementTree.parse(metainfo).getroot().findall("releases/release")
    if not releases:
        sys.exit(f"{metainfo} has no release: NEWS has no entry")
    os.makedirs(output, exist_ok=True)
    write(os.path.join(output, "changelog"),
          "\n".join(changelog_entry(release, package, maintainer) for release in releases))
    with open(license_path, encoding="utf-8") as file:
        license_text = file.read()
    write(os.path.join(output, "copyright"), copyright_file(license_text, maintainer, homepage))
    print(releases[0].get("date")[:10])


if __name__ == "__main__":
    main()
