#!/usr/bin/python3
"""The page of this release over the previous release's, on one host, as a player's browser meets
it, in Chromium: a tab plays the previous release's page, unpacked from its download; this
release's files then replace it, as a host's folder is updated; the tab, loaded again, plays this
release from its files alone, and keeps its game from then on, across a reload.

The previous release kept no game for its tab (0.1.0's page did not), so the tab's game of that
release ends with it: the tab starts a new game, which is this release's to keep.

Usage: upgrade_test.py SITE PREVIOUS_WEB_ZIP --control-layout COMMAND...
"""

import argparse
import os
import shutil
import sys
import tempfile
import unittest
import zipfile

from page import SHOWN, PageTest, Server, chromium_only

# Files of this release that no earlier one had: the page is this release's.
THIS_RELEASE = "return document.getElementById('news') !== null &&" \
    " document.querySelector('.how-to-play') !== null;"


class UpgradeTest(PageTest):
    previous_zip = None

    @chromium_only
    def test_the_previous_release_replaced_by_this_one(self):
        root = tempfile.mkdtemp(prefix="townwright-host-")
        folder = os.path.join(root, "townwright")
        try:
            with zipfile.ZipFile(self.previous_zip) as previous:
                previous.extractall(folder)
            with Server(root) as server:
                self.address = f"{server.address}townwright/"
                self.start()
                self.assertFalse(self.js(THIS_RELEASE), "the previous release's page")
                self.play()
                self.play(2)
                # The host's folder updated: the previous files go, this release's come.
                shutil.rmtree(folder)
                shutil.copytree(self.site, folder)
                server.requests.clear()
                self.browser.reload()
                self.wait_until_idle()
                self.assertTrue(self.js(THIS_RELEASE), "this release's page after the update")
                self.assertEqual([self.text(b) for b in (self.ids.month, self.ids.year,
                                                         self.ids.day)],
                                 ["January", "2007", "31"], "a new game")
                self.play()
                self.play(4)
                game = self.js(SHOWN)
                self.browser.reload()
                self.wait_until_idle()
                self.assertEqual(self.js(SHOWN), game, "kept across a reload from now on")
                self.assertEqual(self.js("return navigator.serviceWorker.ready.then((r) =>"
                                         " r.active !== null);"), True)
                asked = {path.split("?")[0].rsplit("/", 1)[-1] or "index.html"
                         for path in server.requests}
                self.assertLessEqual(asked, set(os.listdir(self.site)))
        finally:
            self.forget_the_site()
            shutil.rmtree(root, ignore_errors=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("site")
    parser.add_argument("previous_zip")
    parser.add_argument("--control-layout", nargs="+", required=True)
    options = parser.parse_args()
    PageTest.site = options.site
    PageTest.control_layout = options.control_layout
    UpgradeTest.previous_zip = options.previous_zip
    PageTest.start_browser()
    try:
        result = unittest.TextTestRunner(verbosity=2).run(
            unittest.defaultTestLoader.loadTestsFromTestCase(UpgradeTest))
    finally:
        PageTest.stop_browser()
    return 0 if result.wasSuccessful() else 1


if __name__ == "__main__":
    sys.exit(main())
