#!/usr/bin/python3
"""The game's page played as a person would, in one browser engine, from a local static server:
every scenario of the page's tests (page.py, and the *_test.py beside it, by concern), all in one
browser of the engine, each on a fresh page. The scenarios only Chromium's DevTools protocol can
play (phones, touch, installing, offline) are skipped in the other engines.

Usage: page_test.py SITE --engine chromium|firefox|webkit --control-layout COMMAND...
[--screenshot FILE] [--phone-screenshots FOLDER] [NAME...]
NAME picks the scenarios whose names hold it.
"""

import argparse
import sys
import unittest

import access_test
import contract_test
import install_test
import kept_game_test
import layout_test
import start_test
from page import ENGINES, PageTest

CONCERNS = [contract_test, access_test, kept_game_test, layout_test, install_test, start_test]


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("site")
    parser.add_argument("--engine", choices=sorted(ENGINES), default="chromium")
    parser.add_argument("--control-layout", nargs="+", required=True,
                        help="the command that prints the control table "
                             "(townwright_control_layout)")
    parser.add_argument("--screenshot", help="where to save the window after five turns")
    parser.add_argument("--phone-screenshots",
                        help="a folder for the page on phones and tablets, either way up")
    parser.add_argument("names", nargs="*", help="run only the scenarios whose names hold one")
    options = parser.parse_args()
    PageTest.site = options.site
    PageTest.engine_name = options.engine
    PageTest.control_layout = options.control_layout
    PageTest.screenshot = options.screenshot
    PageTest.phone_screenshots = options.phone_screenshots
    # One browser for every scenario: the concerns' classes share PageTest's.
    loader = unittest.defaultTestLoader
    scenarios = [test for concern in CONCERNS for test in loader.loadTestsFromModule(concern)]
    scenarios = [test for suite in scenarios for test in suite]
    if options.names:
        scenarios = [test for test in scenarios if any(name in test.id() for name in options.names)]
    result = unittest.TextTestRunner(verbosity=2).run(OneBrowser(scenarios))
    return 0 if result.wasSuccessful() else 1


class OneBrowser(unittest.TestSuite):
    """The scenarios of every concern in one browser, started once and quit at the end."""

    def run(self, result, debug=False):
        PageTest.start_browser()
        try:
            for test in self:
                test(result)
        finally:
            PageTest.stop_browser()
        return result


if __name__ == "__main__":
    sys.exit(main())
