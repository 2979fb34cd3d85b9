"""The page installed and offline: two copies on one host, each an app with its own worker, cache
and kept game, offline; and the next release of one of them, which goes on with its game."""

import os
import re
import shutil
import tempfile

from page import SHOWN, PageTest, Server, chromium_only


class InstallTest(PageTest):
    @chromium_only
    def test_two_copies_on_one_host_installed_offline_and_a_next_release(self):
        # The project's page and a preview in a folder within it, on one host: each installable,
        # each offline from its own worker and cache, each keeping its own game for the tab; then
        # a next release of the preview, which replaces its files alone and goes on with the game
        # the old release kept.
        root = tempfile.mkdtemp(prefix="townwright-host-")
        folders = ["/townwright/", "/townwright/preview/"]
        try:
            main = os.path.join(root, "townwright")
            preview = os.path.join(main, "preview")
            shutil.copytree(self.site, main)
            shutil.copytree(self.site, preview)
            with Server(root) as server:
                port = server.port
                main_address, preview_address = (f"{server.address}{f[1:]}" for f in folders)
                for address in (main_address, preview_address):
                    self.start(address)
                    self.assertEqual(self.browser.cdp("Page.getInstallabilityErrors")
                                     ["installabilityErrors"], [])
                    self.assertEqual(self.browser.cdp("Page.getAppManifest")["errors"], [])
                    self.assertEqual(self.js(
                        "return navigator.serviceWorker.ready.then((r) => r.scope);"), address)
                # Only the game's own folders were asked for.
                self.assertTrue(all(path.startswith("/townwright/") for path in server.requests))
            # No server: each copy comes from its own worker, plays, and keeps its own game.
            self.start(main_address)
            self.play()
            self.assertEqual(self.js("return navigator.serviceWorker.controller !== null;"), True)
            main_game = self.js(SHOWN)
            self.start(preview_address)
            self.play()
            self.play()
            self.start(main_address)
            self.assertEqual(self.js(SHOWN), main_game)
            release = self.js("return caches.keys();")[0].split()[-1]
            self.assertEqual(sorted(self.js("return caches.keys();")),
                             [f"townwright {folder} {release}" for folder in folders])
            self.check_nothing_stored(folders)

            # The preview's next release: another page and worker, whose module reads the kept
            # game's format alike.
            with open(os.path.join(preview, "index.html")) as file:
                page = file.read()
            with open(os.path.join(preview, "index.html"), "w") as file:
                file.write(page.replace("<title>", '<meta name="release" content="next">\n<title>'))
            with open(os.path.join(preview, "service-worker.js")) as file:
                worker = file.read()
            with open(os.path.join(preview, "service-worker.js"), "w") as file:
                file.write(re.sub(r"const kRelease = '[^']*';", "const kRelease = 'next';", worker))
            next_release = "return document.querySelector('meta[name=release]') !== null;"
            with Server(root, port=port):
                # The visit that finds it still runs the old files, and goes on with its game.
                self.start(preview_address)
                self.assertFalse(self.js(next_release))
                preview_game = self.js(SHOWN)
                self.assertEqual(self.text(self.ids.day), " 3")
                self.js("return navigator.serviceWorker.getRegistration().then((r) => new Promise("
                        "(done) => { const check = () => r.waiting ? done() :"
                        " setTimeout(check, 50); r.update().then(check, check); }));")
                # Once no page of the old release is open (a phone discarded the tab), the next
                # one takes over, in this tab, and goes on with the game the tab kept.
                for _ in range(100):  # until the waiting worker has taken over
                    self.browser.open("about:blank")
                    self.start(preview_address)
                    if self.js(next_release):
                        break
                self.assertTrue(self.js(next_release))
                self.assertEqual(self.js(SHOWN), preview_game)
                self.play()
                self.assertEqual(sorted(self.js("return caches.keys();")),
                                 [f"townwright {folders[0]} {release}",
                                  f"townwright {folders[1]} next"])
            # The project's page still plays offline, its own game.
            self.start(main_address)
            self.assertEqual(self.js(SHOWN), main_game)
            self.play()
            self.check_nothing_stored(folders)
        finally:
            self.forget_the_site()
            shutil.rmtree(root, ignore_errors=True)
