"""The page's tests: what every scenario shares, whatever its concern. A scenario plays the page as
a person would, in one browser engine, from a local static server, on a fresh page; after it, no
console error, no request beyond the page's own files, and nothing stored but the worker's copy of
those files and the tab's kept game. The controls are named from the exported control table.

The scenarios, by concern: contract_test.py (the platform contract, as the native backends'
suite names it), kept_game_test.py, layout_test.py, install_test.py and start_test.py; run them
with page_test.py.
"""

import functools
import os
import time
import unittest

from drive.browsers import ENGINES, SOURCE  # noqa: F401
from drive.controls import ControlTable
from drive.scripts import script
from serve import Server  # noqa: F401

SITE_FILES = {"index.html", "townwright.css", "start.js", "townwright.js", "townwright.wasm",
              "townwright.svg", "townwright.webmanifest", "service-worker.js", "townwright-192.png",
              "townwright-512.png", "townwright-maskable-192.png", "townwright-maskable-512.png",
              "apple-touch-icon.png"}
TAGS = {"frame": "FIELDSET", "label": "LABEL", "button": "BUTTON", "text box": "INPUT"}
MONTHS = ["January", "February", "March", "April", "May", "June", "July", "August", "September",
          "October", "November", "December"]
# The phones, tablets and desktop windows the layouts are tried at: CSS pixels, and whether the
# browser is a phone's or a tablet's (touch, three device pixels to a CSS pixel). Narrow ones, and
# every touch screen, get the page's own layout; a mouse from 762 pixels up, the desktop's window.
NARROW = [(320, 568, True), (360, 640, True), (390, 844, True), (412, 915, True),
          (568, 320, True), (600, 960, True), (520, 800, False)]
TOUCH = [(768, 1024), (820, 1180), (1024, 768), (1180, 820), (844, 390), (915, 412)]
# The phones held upright and the tablets on whose first screen the figures and the nine choices
# lie together; on the smallest phone, the figures alone.
ONE_SCREEN = {(390, 844): True, (412, 915): True, (360, 640): False, (768, 1024): True,
              (820, 1180): True, (1024, 768): True, (1180, 820): True}
WIDE = [(768, 1024, False), (1024, 800, False), (1920, 1080, False)]
# The pictures of the page's own layout taken for docs/ (--phone-screenshots), by screen.
SCREENSHOTS = {(768, 1024): "townwright-web-tablet.png",
               (1024, 768): "townwright-web-tablet-landscape.png",
               (844, 390): "townwright-web-phone-landscape.png"}
# The phones' widths at which every figure must show whole, in every engine.
PHONE_WIDTHS = [(320, 568), (360, 640), (390, 844), (412, 915)]

# What the scenarios run inside the page: the functions of page_scripts.js.
PAGE_SCRIPTS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "page_scripts.js")
TEXT = script(PAGE_SCRIPTS, "text")
WATCH_TURN = script(PAGE_SCRIPTS, "watchTurn")
WATCH_NEWS = script(PAGE_SCRIPTS, "watchNews")
STORED = script(PAGE_SCRIPTS, "stored")
KEPT = script(PAGE_SCRIPTS, "kept")
SHOWN = script(PAGE_SCRIPTS, "shown")
MEASURE = script(PAGE_SCRIPTS, "measure")
PLACES = script(PAGE_SCRIPTS, "places")
SHOW_CAPTIONS = script(PAGE_SCRIPTS, "showCaptions")
FRAMES_IDLE = script(PAGE_SCRIPTS, "framesIdle")
LONGEST_FIGURES = script(PAGE_SCRIPTS, "longestFigures")
FOCUS = script(PAGE_SCRIPTS, "focus")

# The address's seed, which a browser under automation heeds: two tabs, or two games one after the
# other, play the same game.
SEEDED = "?seed=2026"


def dialog_pixels(units, base, divisor):
    """The dialog-unit mapping: units * base / divisor rounded, halves away from zero."""
    product = units * base
    if product >= 0:
        return (product + divisor // 2) // divisor
    return -((-product + divisor // 2) // divisor)


def normalized(text):
    return " ".join(text.split())


class Controls:
    """The controls the scenarios use, by name, from the exported control table."""

    def __init__(self, table):
        self.choices = [table.choice(k) for k in range(1, 10)]
        self.update_tax_rates, self.save, self.exit, self.load, self.new = (
            table.button(text) for text in ("Update Tax Rates", "Save", "Exit", "Load", "New"))
        self.tax_boxes = [table.box(name) for name in ("Income Tax", "Sales Tax", "Property Tax")]
        self.income_tax, self.sales_tax, self.property_tax = self.tax_boxes
        self.month, self.year, self.day = (table.box(name) for name in ("Month", "Year", "Day"))
        self.treasury = table.box("Treasury")
        # The eight indicators: their headings, then their figures and their trends.
        indicators = [fact["name"] for fact in table if fact["source"] == "indicator"]
        self.headings = [fact["id"] for fact in table
                         if fact["kind"] == "label" and fact["text"] in indicators]
        self.figures = [table.box(name) for name in indicators] + [
            table.box(f"{name} trend") for name in indicators]


def chromium_only(scenario):
    """A scenario that only Chromium's DevTools protocol can play: phones, touch, installing."""
    @functools.wraps(scenario)
    def in_chromium(self):
        if self.engine_name != "chromium":
            self.skipTest("Chromium alone")
        scenario(self)
    return in_chromium


class PageTest(unittest.TestCase):
    site = None
    engine_name = "chromium"
    control_layout = None
    screenshot = None
    phone_screenshots = None

    # One browser, one server and one control table for every scenario of every concern.
    @staticmethod
    def start_browser():
        PageTest.table = ControlTable.from_command(PageTest.control_layout)
        PageTest.ids = Controls(PageTest.table)
        PageTest.server = Server(PageTest.site).__enter__()
        PageTest.browser = ENGINES[PageTest.engine_name]()

    @staticmethod
    def stop_browser():
        PageTest.browser.quit()
        PageTest.server.__exit__(None, None, None)

    def setUp(self):
        self.emulating = False
        self.expected_errors = False
        self.server.requests.clear()
        self.address = self.server.address

    def tearDown(self):
        # Whatever a scenario did: nothing stored, nothing asked for beyond the page's files, no
        # error said on the console. The tab's game goes, so that the next scenario starts anew.
        if self.emulating:
            self.browser.resize(1024, 800)
        on_the_page = self.browser.js("return location.origin") == self.address.rstrip("/")
        try:
            if self.expected_errors:
                self.browser.errors()
                return
            if on_the_page:
                self.check_nothing_stored()
                resources = self.browser.js(
                    "return performance.getEntriesByType('resource').map((e) => e.name);")
                self.assertEqual([url for url in resources if not url.startswith(self.address)],
                                 [], "requests beyond the page's files")
            asked = {path.split("?")[0].lstrip("/") or "index.html"
                     for path in self.server.requests}
            self.assertLessEqual(asked, SITE_FILES)
            self.assertEqual(self.browser.errors(), [], "console errors")
        finally:
            if on_the_page:
                self.browser.js("sessionStorage.clear();")

    def forget_the_site(self):
        # What a scenario with a service worker leaves in the browser: the worker, its caches
        # and the tab's game, so that the next scenario meets the page anew.
        self.browser.js("return navigator.serviceWorker.getRegistrations().then((all) =>"
                        " Promise.all(all.map((r) => r.unregister())));")
        self.browser.js("return caches.keys().then((names) =>"
                        " Promise.all(names.map((n) => caches.delete(n))));")
        self.browser.js("sessionStorage.clear();")

    # Verbs a person's actions come down to.
    def js(self, body, *args):
        return self.browser.js(body, *args)

    def text(self, control_id):
        return self.js(TEXT, f"control-{control_id}")

    def click(self, control_id):
        self.browser.click(f"#control-{control_id}")

    def start(self, address=None):
        self.browser.open(address or self.address)
        self.wait_until_idle()

    def wait_until_idle(self, timeout=30):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if self.js("const w = document.querySelector('.window');"
                       "return w !== null && !w.hidden &&"
                       " w.getAttribute('aria-busy') === 'false';"):
                return
            time.sleep(0.02)
        self.fail("the window did not become idle")

    def wait_for_date(self, date, timeout=30):
        """Until the turn that reaches `date` has ended: a tap's click comes a moment after it."""
        deadline = time.monotonic() + timeout
        while self.date() != date and time.monotonic() < deadline:
            time.sleep(0.02)
        self.wait_until_idle()
        self.assertEqual(self.date(), date)

    def date(self):
        month = MONTHS.index(self.text(self.ids.month))
        return (float(self.text(self.ids.year)) * 12 + month) * 27 + int(self.text(self.ids.day))

    def play(self, choice=1):
        """One turn; the first goes from the window's 31 January 2007 to the game's first day."""
        before = self.date() if self.text(self.ids.year) != "2007" else None
        self.click(self.ids.choices[choice - 1])
        self.wait_until_idle()
        if before is None:
            self.assertEqual([self.text(self.ids.year), self.text(self.ids.day)], [" 2008", " 2"])
        else:
            self.assertEqual(self.date(), before + 1)

    def type_into(self, control_id, text):
        """Into the box, over what it shows, with the keyboard."""
        self.js("const box = document.getElementById(arguments[0]); box.focus(); box.select();",
                f"control-{control_id}")
        self.browser.type(text)

    def type_rates(self, *rates):
        for box, rate in zip(self.ids.tax_boxes, rates):
            self.type_into(box, rate)
        self.click(self.ids.update_tax_rates)
        self.wait_until_idle()

    def message_boxes(self):
        return self.js("return [...document.querySelectorAll('[role=dialog]')].map((box) => ({"
                       " name: document.getElementById(box.getAttribute('aria-labelledby'))"
                       "   .textContent, message: box.querySelector('.message').textContent,"
                       " ok: box.querySelector('button').textContent,"
                       " focused: box.contains(document.activeElement)}));")

    def check_nothing_stored(self, folders=None):
        """Nothing but the worker's files and, for the tab, the running game of the page's folder
        (or of each of `folders`, the copies the tab visited)."""
        cookie, local, session, databases, kept = self.js(STORED)
        self.assertEqual([cookie, local, databases], ["", 0, 0])
        folders = folders or [self.js("return location.pathname.replace(/[^/]*$/, '');")]
        self.assertLessEqual(set(session), {f"townwright-game {folder}" for folder in folders})

        # The worker keeps the page's own files, as an installed program keeps its own.
        def within_its_folder(path):
            folder = max((f for f in folders if path.startswith(f)), key=len, default="")
            return path[len(folder):]
        self.assertLessEqual({within_its_folder(path) for path in kept}, SITE_FILES)

    def check_controls(self, after_first_turn):
        rects = self.js("""
            const client = document.querySelector('.client').getBoundingClientRect();
            const rects = {client: [0, 0, client.width, client.height]};
            for (const control of document.querySelectorAll('.client > *')) {
              const r = control.getBoundingClientRect();
              rects[control.id] = [r.left - client.left, r.top - client.top, r.width, r.height];
            }
            return rects;""")
        expected = [f for f in self.table if f["with_window"] or after_first_turn]
        self.assertEqual(len(rects) - 1, len(expected))
        self.assertEqual(len(expected), 56 if after_first_turn else 53)
        # Creation order is tab order: the page keeps the controls in it.
        order = self.js("return [...document.querySelectorAll('.client > *')].map(c => c.id);")
        self.assertEqual(order, [f"control-{f['id']}" for f in expected])
        controls = self.js("""return [...document.querySelectorAll('.client > *')].map((c) =>
            [c.id, c.tagName, c.getAttribute('aria-label')]);""")
        by_id = {c[0]: c for c in controls}
        for fact in expected:
            _, tag, label = by_id[f"control-{fact['id']}"]
            with self.subTest(control=fact["id"]):
                self.assertEqual(tag, TAGS[fact["kind"]])
                text = self.text(fact["id"])
                # The first turn writes every text box.
                rewritten = after_first_turn and fact["kind"] == "text box"
                if fact["source"] == "fixed" and not rewritten:
                    self.assertEqual(text, fact["text"])
                # A label is read from its text; every other control carries its name: a text box
                # its heading's, a button its text or, a choice without an offer, its place.
                if fact["kind"] == "text box":
                    self.assertEqual(label, fact["name"])
                elif fact["kind"] == "button":
                    self.assertEqual(label, None if text.strip() else fact["name_without_offer"])
        if hasattr(self.browser, "driver") and self.engine_name == "chromium":
            # The name the browser itself computes, as a screen reader hears it.
            from selenium.webdriver.common.by import By
            for fact in expected[:20]:
                if fact["kind"] == "button":
                    element = self.browser.driver.find_element(By.ID, f"control-{fact['id']}")
                    self.assertEqual(normalized(element.accessible_name),
                                     normalized(self.text(fact["id"])
                                                or fact["name_without_offer"]))
        # One pair of base units maps every place in dialog units to the page's pixels.
        places = [(rects[f"control-{f['id']}"], f["place"]) for f in expected]
        places.append((rects["client"], [0, 0, 425, 324]))
        fits = [(x, y) for x in range(1, 40) for y in range(1, 60)
                if all(rect == [dialog_pixels(p[0], x, 4), dialog_pixels(p[1], y, 8),
                                dialog_pixels(p[2], x, 4), dialog_pixels(p[3], y, 8)]
                       for rect, p in places)]
        self.assertEqual(len(fits), 1, f"base units that fit every control: {fits}")

    def emulate(self, width, height, mobile):
        """Chromium as a phone or a tablet (`mobile`: touch, three device pixels to a CSS pixel) or
        as a desktop window, `width` by `height` CSS pixels, once the page has taken the size."""
        self.emulating = True
        self.browser.resize(width, height, mobile=mobile, scale=3 if mobile else 1)
        if self.js("return location.origin") == self.address.rstrip("/"):
            self.wait_for("the new size", "return innerWidth === arguments[0] &&"
                          " innerHeight === arguments[1] &&"
                          " matchMedia('(pointer: coarse)').matches === arguments[2];",
                          width, height, mobile)
            # The size and the pointer show at once, but the resize and the pointer's change reach
            # the page's handlers at the next rendering, which comes before the next frame's.
            self.js("return new Promise((done) =>"
                    " requestAnimationFrame(() => requestAnimationFrame(done)));")

    def wait_for(self, what, condition, *args, timeout=30):
        """Until the script `condition` holds on the page."""
        deadline = time.monotonic() + timeout
        while not self.js(condition, *args):
            if time.monotonic() > deadline:
                self.fail(f"not within {timeout} s: {what}")
            time.sleep(0.02)

    def axe_violations(self):
        with open(os.path.join(SOURCE, "node_modules", "axe-core", "axe.min.js")) as file:
            source = file.read()
        return self.js(source + """
            const result = await axe.run(document, {runOnly: {type: 'tag',
                values: ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa', 'wcag22a', 'wcag22aa']}});
            return result.violations.map((v) => `${v.id}: ${v.nodes.length}`);""")

    def check_narrow(self, size):
        page = self.js(MEASURE)
        self.assertEqual(page["scrollWidth"], page["width"], f"{size}: nothing scrolls sideways")
        for control in page["controls"]:
            where = f"{size} {control['id']}"
            self.assertGreaterEqual(control["left"], 0, where)
            self.assertLessEqual(control["right"], page["width"], where)
            self.assertGreaterEqual(control["font"], 12, where)
            self.assertFalse(control["scrolls"], f"{where}: its text is cut")
            if control["tag"] == "BUTTON":
                self.assertGreaterEqual(min(control["width"], control["height"]), 44, where)
            if control["tag"] == "INPUT" and not control["figure"]:
                self.assertGreaterEqual(control["font"], 16, where)
        self.assertGreaterEqual(min(page["legends"]), 12, size)
        self.assertEqual(self.axe_violations(), [], size)

    def places(self):
        return self.js(PLACES)

    def check_one_screen(self, size, places):
        """The headings, figures and trends, and where asked the nine choices, on the first
        screen."""
        ids = [*self.ids.headings, *self.ids.figures] + (self.ids.choices
                                                         if ONE_SCREEN[size] else [])
        height = self.js("return innerHeight;")
        for control in ids:
            _, top, _, tall = places[f"control-{control}"]
            self.assertLessEqual(top + tall, height, f"{size}: {control} below the first screen")

    def screenshot_page(self, name, whole=True):
        """The whole page, top to bottom, as the phone would show it scrolled; or its first
        screen."""
        import base64
        # In CSS pixels, one to a device pixel, as a picture in a document shows best.
        self.js("document.activeElement.blur(); scrollTo(0, 0);")
        width, height, scale = self.js("const e = document.documentElement; return [e.scrollWidth,"
                                       " arguments[0] ? e.scrollHeight : innerHeight,"
                                       " devicePixelRatio];", whole)
        shot = self.browser.cdp("Page.captureScreenshot", {
            "captureBeyondViewport": whole,
            "clip": {"x": 0, "y": 0, "width": width, "height": height, "scale": 1 / scale}})
        with open(os.path.join(self.phone_screenshots, name), "wb") as file:
            file.write(base64.b64decode(shot["data"]))

    def wait_in(self, tab, expression, timeout=30):
        """Until `expression` holds in a tab driven over the DevTools protocol."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            try:
                if tab.js(expression):
                    return
            except RuntimeError:
                pass  # the page is being loaded
            time.sleep(0.05)
        self.fail(f"not within {timeout} s: {expression}")
