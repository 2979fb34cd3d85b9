"""The page where it cannot start: its script or its module not downloaded, JavaScript off."""

import shutil
import tempfile

from page import PageTest, Server, chromium_only, normalized


class StartTest(PageTest):
    def test_a_page_that_cannot_be_downloaded_says_so(self):
        self.expected_errors = True
        folder = tempfile.mkdtemp(prefix="townwright-site-")
        try:
            for missing in ("townwright.wasm", "townwright.js"):
                shutil.rmtree(folder)
                shutil.copytree(self.site, folder,
                                ignore=lambda _, names: [n for n in names
                                                         if n in (missing, "service-worker.js")])
                with Server(folder) as server:
                    self.browser.open(server.address)
                    self.wait_for("the news", "return !document.getElementById('status')"
                                  ".textContent.startsWith('Townwright is starting');")
                    status = normalized(self.js(
                        "return document.getElementById('status').textContent;"))
                    self.assertEqual(status, "The game could not be loaded. Try again", missing)
        finally:
            shutil.rmtree(folder, ignore_errors=True)

    @chromium_only
    def test_without_javascript_the_page_says_so_alone(self):
        self.browser.cdp("Emulation.setScriptExecutionDisabled", {"value": True})
        try:
            self.browser.open(self.address)
            shown = self.browser.driver.find_element("tag name", "main").text
        finally:
            self.browser.cdp("Emulation.setScriptExecutionDisabled", {"value": False})
        self.assertEqual(shown, "Townwright needs JavaScript and WebAssembly, which this browser "
                                "does not run.")
