#!/usr/bin/python3
"""The game's page played as a person would, in one browser engine, from a local static server.

Each scenario is a test of its own on a fresh page, all in one browser: the window's 56 controls
(element, text, accessible name, place); a click that plays exactly one turn with its nine pauses
painted, and clicks made during a turn that become turns of their own; the tax boxes, a rate typed
while a turn runs, and a pasted megabyte; the "KRT" boxes; "Exit" and a new game; the game kept
for the tab through reloads, and a damaged copy of it refused; a page whose script or module
cannot be downloaded. After every scenario: no console error, no request beyond the page's own
files, and nothing stored but the worker's copy of those files and the tab's kept game. In
Chromium also: the layouts from a 320-pixel phone to a 1920-pixel desktop, by touch, with
axe-core's WCAG 2.2 A and AA rules; a crashed page beside a second tab on the same seed; two
copies of the page on one host, installed as apps, offline, and a next release of one of them.
Usage: page_test.py SITE --engine chromium|firefox|webkit --control-layout COMMAND...
[--screenshot FILE] [--phone-screenshots FOLDER] [unittest options]
"""

import argparse
import bisect
import json
import os
import random
import re
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.join(HERE, ".."))
from engines import CATCH_ERRORS, ENGINES, SOURCE  # noqa: E402
from serve import Server  # noqa: E402

SITE_FILES = {"index.html", "townwright.css", "start.js", "townwright.js", "townwright.wasm",
              "townwright.svg", "townwright.webmanifest", "service-worker.js", "townwright-192.png",
              "townwright-512.png", "townwright-maskable-192.png", "townwright-maskable-512.png",
              "apple-touch-icon.png"}
TAGS = {"frame": "FIELDSET", "label": "LABEL", "button": "BUTTON", "text box": "INPUT"}
FIRST_CHOICE, INCOME_TAX, SALES_TAX, PROPERTY_TAX = 1011, 1046, 1047, 1048
UPDATE_TAX_RATES, SAVE, EXIT, LOAD, NEW = 1027, 1054, 1055, 1056, 1057
MONTH_BOX, YEAR_BOX, DAY_BOX, TREASURY_BOX = 1051, 1052, 1053, 1029
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
HEADINGS, FIGURES = range(1002, 1010), range(1029, 1045)  # the eight figures and their trends
WIDE = [(768, 1024, False), (1024, 800, False), (1920, 1080, False)]
# The pictures of the page's own layout taken for docs/ (--phone-screenshots), by screen.
SCREENSHOTS = {(768, 1024): "townwright-web-tablet.png",
               (1024, 768): "townwright-web-tablet-landscape.png",
               (844, 390): "townwright-web-phone-landscape.png"}
# The phones' widths at which every figure must show whole, in every engine.
PHONE_WIDTHS = [(320, 568), (360, 640), (390, 844), (412, 915)]

# The control's text as the game reads it, for any control: a text box's value, a frame's legend.
TEXT = """
const c = document.getElementById(arguments[0]);
return c.tagName === 'INPUT' ? c.value : c.tagName === 'FIELDSET' ? c.firstChild.textContent
                                                                  : c.textContent;"""

# Records, from inside the page, when the choice buttons' captions change and when frames are
# painted, so that a turn's pauses can be seen.
WATCH_TURN = """
window.townwrightTimeline = [];
const record = (entry) => window.townwrightTimeline.push(entry);
const captions = new MutationObserver((changes) => {
  const now = performance.now();
  for (const change of changes) {
    const control = (change.target.nodeType === Node.TEXT_NODE ? change.target.parentElement
                                                               : change.target);
    if (control && control.classList.contains('button')) record(['caption', now, control.id]);
  }
});
captions.observe(document.querySelector('.client'),
                 {subtree: true, childList: true, characterData: true});
const frame = () => {
  record(['frame', performance.now()]);
  if (window.townwrightTimeline.length < 5000) requestAnimationFrame(frame);
};
requestAnimationFrame(frame);
"""

# What the page keeps in the browser: cookies, both storages, IndexedDB, and the worker's caches
# with the paths they hold.
STORED = """
const databases = indexedDB.databases ? await indexedDB.databases() : [];
const kept = [];
for (const name of await caches.keys()) {
  for (const request of await (await caches.open(name)).keys()) {
    kept.push(new URL(request.url).pathname);
  }
}
return [document.cookie, localStorage.length, Object.keys(sessionStorage), databases.length, kept];"""

# The game kept for the tab: the session storage's entries, each as [name, copy].
KEPT = "return Object.keys(sessionStorage).map((name) => [name, sessionStorage.getItem(name)]);"

# Every control of the window in document order, each with what it shows and its name.
SHOWN = """
return [...document.querySelectorAll('.client > *')].map((c) => [c.id,
    c.tagName === 'INPUT' ? c.value : c.tagName === 'FIELDSET' ? c.firstChild.textContent
                                                               : c.textContent,
    c.getAttribute('aria-label')]);"""

# The address's seed, which a browser under automation heeds: two tabs, or two games one after the
# other, play the same game.
SEEDED = "?seed=2026"

# Every place on the page's sizes: the controls' rectangles, the viewport, what scrolls.
MEASURE = """
const viewport = document.documentElement;
const controls = [...document.querySelectorAll('.client > *, .message-box, .message-box *')];
return {
  width: viewport.clientWidth, height: viewport.clientHeight, scrollWidth: viewport.scrollWidth,
  controls: controls.map((c) => {
    const r = c.getBoundingClientRect();
    const style = getComputedStyle(c);
    return {id: c.id || c.className, tag: c.tagName, left: r.left, right: r.right, top: r.top,
            bottom: r.bottom, width: r.width, height: r.height,
            font: parseFloat(style.fontSize), text: c.tagName === 'INPUT' ? c.value : c.textContent,
            figure: c.classList.contains('figure'),
            scrolls: (c.tagName !== 'INPUT' || c.classList.contains('figure')) &&
                     c.scrollWidth > c.clientWidth + 1};
  }),
  legends: [...document.querySelectorAll('legend, .caption')].map((c) =>
    parseFloat(getComputedStyle(c).fontSize)),
};"""


# Every control's rectangle on the page, wherever it is scrolled to.
PLACES = """
return Object.fromEntries([...document.querySelectorAll('.client > *')].map((c) => {
  const r = c.getBoundingClientRect();
  return [c.id, [r.left + scrollX, r.top + scrollY, r.width, r.height]];
}));"""

# The rectangles with no caption on the nine choices, then with each of the captions they keep room
# for (the catalogue's longest) on all nine, in the choices' font or in the size arguments[0] (as a
# phone's larger text setting makes it); the game's own captions are put back.
SHOW_CAPTIONS = f"""
const places = () => {{ {PLACES} }};
const choices = [...document.querySelectorAll('[data-reserve]')];
const shown = choices.map((choice) => choice.textContent);
for (const choice of choices) choice.style.fontSize = arguments[0] || '';
const seen = [];
for (const caption of ['', ...choices.map((choice) => choice.dataset.reserve)]) {{
  for (const choice of choices) choice.textContent = caption;
  seen.push(places());
}}
choices.forEach((choice, k) => {{ choice.textContent = shown[k]; choice.style.fontSize = ''; }});
return seen;"""


# Whether the window in each frame of the page is shown and idle.
FRAMES_IDLE = """
return [...document.querySelectorAll('iframe')].every((frame) => {
  const w = frame.contentDocument && frame.contentDocument.querySelector('.window');
  return w !== null && !w.hidden && w.getAttribute('aria-busy') === 'false';
});"""

# In each frame, every figure box given the longest text of each form as the game would show it:
# the width its text needs (a span in the box's font) against the room inside the box, its font,
# and whether any control moved or changed its size.
LONGEST_FIGURES = """
const shown = [];
for (const frame of document.querySelectorAll('iframe')) {
  const page = frame.contentWindow;
  const doc = frame.contentDocument;
  const places = () => [...doc.querySelectorAll('.client > *')].map((c) => {
    const r = c.getBoundingClientRect();
    return [r.left, r.top, r.width, r.height].join();
  }).join(';');
  const before = places();
  for (const form of ['plain', 'exponent']) {
    const boxes = [...doc.querySelectorAll('.figure')];
    for (const box of boxes) {
      page.TownwrightPage.setText(Number(box.dataset.controlId), box.longest[form].text,
                                  box.getAttribute('aria-label'));
    }
    const moved = places() !== before;
    for (const box of boxes) {
      const style = page.getComputedStyle(box);
      const probe = doc.createElement('span');
      probe.style.cssText = 'position: absolute; visibility: hidden; white-space: pre';
      probe.style.font = style.font;
      probe.textContent = box.value;
      doc.body.append(probe);
      const needs = probe.getBoundingClientRect().width;
      probe.remove();
      // From the box's whole width: Firefox gives an input's clientWidth without its padding.
      const room = box.getBoundingClientRect().width - ['borderLeftWidth', 'borderRightWidth',
          'paddingLeft', 'paddingRight'].reduce((sum, side) => sum + parseFloat(style[side]), 0);
      shown.push({width: frame.width, id: box.id, form, text: box.value, needs, room, moved,
                  font: parseFloat(style.fontSize)});
    }
  }
}
return shown;"""


def dialog_pixels(units, base, divisor):
    """The dialog-unit mapping: units * base / divisor rounded, halves away from zero."""
    product = units * base
    if product >= 0:
        return (product + divisor // 2) // divisor
    return -((-product + divisor // 2) // divisor)


def normalized(text):
    return " ".join(text.split())


class PageTest(unittest.TestCase):
    site = None
    engine_name = "chromium"
    facts_command = None
    screenshot = None
    phone_screenshots = None

    @classmethod
    def setUpClass(cls):
        cls.facts = [json.loads(line) for line in subprocess.run(
            cls.facts_command, check=True, capture_output=True, text=True).stdout.splitlines()]
        cls.server = Server(cls.site).__enter__()
        cls.browser = ENGINES[cls.engine_name]()

    @classmethod
    def tearDownClass(cls):
        cls.browser.quit()
        cls.server.__exit__(None, None, None)

    def setUp(self):
        self.expected_errors = False
        self.server.requests.clear()
        self.address = self.server.address

    def tearDown(self):
        # Whatever a scenario did: nothing stored, nothing asked for beyond the page's files, no
        # error said on the console. The tab's game goes, so that the next scenario starts anew.
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
            asked = {path.split("?")[0].lstrip("/") or "index.html" for path in self.server.requests}
            self.assertLessEqual(asked, SITE_FILES)
            self.assertEqual(self.browser.errors(), [], "console errors")
        finally:
            if on_the_page:
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
                       "return w !== null && !w.hidden && w.getAttribute('aria-busy') === 'false';"):
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
        month = MONTHS.index(self.text(MONTH_BOX))
        return (float(self.text(YEAR_BOX)) * 12 + month) * 27 + int(self.text(DAY_BOX))

    def play(self, choice=1):
        """One turn; the first goes from the window's 31 January 2007 to the game's first day."""
        before = self.date() if self.text(YEAR_BOX) != "2007" else None
        self.click(FIRST_CHOICE + choice - 1)
        self.wait_until_idle()
        if before is None:
            self.assertEqual([self.text(YEAR_BOX), self.text(DAY_BOX)], [" 2008", " 2"])
        else:
            self.assertEqual(self.date(), before + 1)

    def type_into(self, control_id, text):
        """Into the box, over what it shows, with the keyboard."""
        self.js("const box = document.getElementById(arguments[0]); box.focus(); box.select();",
                f"control-{control_id}")
        self.browser.type(text)

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
        expected = [f for f in self.facts if f["with_window"] or after_first_turn]
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
                if fact["source"] == "fixed" and not (after_first_turn and fact["kind"] == "text box"):
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
                                     normalized(self.text(fact["id"]) or fact["name_without_offer"]))
        # One pair of base units maps every place in dialog units to the page's pixels.
        places = [(rects[f"control-{f['id']}"], f["place"]) for f in expected]
        places.append((rects["client"], [0, 0, 425, 324]))
        fits = [(x, y) for x in range(1, 40) for y in range(1, 60)
                if all(rect == [dialog_pixels(p[0], x, 4), dialog_pixels(p[1], y, 8),
                                dialog_pixels(p[2], x, 4), dialog_pixels(p[3], y, 8)]
                       for rect, p in places)]
        self.assertEqual(len(fits), 1, f"base units that fit every control: {fits}")

    def check_turn_was_painted_pause_by_pause(self):
        """The captions changed at several moments, with frames painted between them."""
        timeline = self.js("return window.townwrightTimeline;")
        frames = [entry[1] for entry in timeline if entry[0] == "frame"]
        changes = [entry[1] for entry in timeline if entry[0] == "caption"]
        self.assertTrue(changes, "the captions changed")
        between_frames = {bisect.bisect(frames, moment) for moment in changes}
        self.assertGreaterEqual(len(between_frames), 2, "a frame was painted between two captions")

    # The scenarios, in every engine.
    def test_the_window_and_a_turn_per_click(self):
        self.start()
        self.assertEqual(self.js("return document.title;"),
                         "Townwright - by the Townwright developers")
        self.assertEqual(self.message_boxes(), [])
        self.check_controls(after_first_turn=False)
        self.assertEqual([self.text(b) for b in (MONTH_BOX, YEAR_BOX, DAY_BOX)],
                         ["January", "2007", "31"])

        # One click, one turn, its nine captions shown one after another.
        captions = [self.text(FIRST_CHOICE + k) for k in range(9)]
        self.js(WATCH_TURN)
        self.click(FIRST_CHOICE)
        self.wait_until_idle()
        self.assertEqual([self.text(b) for b in (MONTH_BOX, YEAR_BOX, DAY_BOX)],
                         ["January", " 2008", " 2"])
        self.assertNotEqual([self.text(FIRST_CHOICE + k) for k in range(9)], captions)
        self.check_turn_was_painted_pause_by_pause()
        self.check_controls(after_first_turn=True)

        # Clicks made during a turn wait, and each is a turn of its own.
        before = self.date()
        for _ in range(3):
            self.click(FIRST_CHOICE)
        self.wait_until_idle()
        self.assertEqual(self.date(), before + 3)
        self.play()  # the fifth turn
        if self.screenshot:
            self.js("document.activeElement.blur();")
            self.browser.screenshot(".window", self.screenshot)

    def test_tax_boxes(self):
        self.start()
        self.play()
        # Typing alone changes nothing, nor do Enter and Escape in a box; "Update Tax Rates" takes
        # the boxes at the next turn.
        shown = self.text(INCOME_TAX)
        self.type_into(INCOME_TAX, "25")
        before = self.date()
        self.browser.press("Enter")
        self.browser.press("Escape")
        time.sleep(0.2)
        self.wait_until_idle()
        self.assertEqual((self.date(), len(self.message_boxes())), (before, 0))
        self.assertEqual(self.text(INCOME_TAX), "25")
        self.play()
        self.assertEqual(self.text(INCOME_TAX), shown)
        for box, rate in ((INCOME_TAX, "25"), (SALES_TAX, "5"), (PROPERTY_TAX, "10")):
            self.type_into(box, rate)
        self.click(UPDATE_TAX_RATES)
        self.wait_until_idle()
        self.assertEqual(self.text(INCOME_TAX), "25")  # not rewritten before the turn
        self.play()
        self.assertEqual([self.text(b) for b in (INCOME_TAX, SALES_TAX, PROPERTY_TAX)],
                         [" 25", " 5", " 10"])
        if self.engine_name != "chromium":
            return
        # A megabyte of any characters pasted: cut where the desktop's boxes cut it, and read as
        # the number it starts with.
        chance = random.Random(13)
        junk = "".join(chr(chance.choice([chance.randrange(32, 0xD7FF),
                                          chance.randrange(0x1F300, 0x1FAFF)]))
                       for _ in range(1_000_000))
        self.js("const box = document.getElementById('control-1046'); box.focus(); box.select();")
        self.browser.cdp("Input.insertText", {"text": "7.5" + junk})
        # 32,767 UTF-16 units, one fewer where the cut would split a character in two.
        self.assertIn(self.js("return document.getElementById('control-1046').value.length;"),
                      (32766, 32767))
        self.click(UPDATE_TAX_RATES)
        self.wait_until_idle()
        self.play()
        self.assertEqual(self.text(INCOME_TAX), " 7.5")

    def test_a_rate_typed_during_a_turn_counts(self):
        # As on the desktop, where the keys wait for the turn to end and land after its refresh:
        # the queued "Update Tax Rates" reads what the player typed.
        self.start()
        self.play()
        self.assertEqual(self.text(INCOME_TAX), " 33")
        self.click(FIRST_CHOICE)
        self.type_into(INCOME_TAX, "50")
        self.click(UPDATE_TAX_RATES)
        self.assertEqual(self.js("return document.querySelector('.window').ariaBusy ||"
                                 " document.querySelector('.window').getAttribute('aria-busy');"),
                         "true", "typed while the turn ran")
        self.wait_until_idle()
        self.assertEqual(self.text(INCOME_TAX), "50")
        self.play()
        self.assertEqual(self.text(INCOME_TAX), " 50")
        # Typed during a turn without "Update Tax Rates": the next turn's refresh shows the rate
        # in force again, as typing alone does.
        self.click(FIRST_CHOICE)
        self.type_into(SALES_TAX, "9")
        self.wait_until_idle()
        self.assertEqual(self.text(SALES_TAX), "9")
        self.play()
        self.assertEqual(self.text(SALES_TAX), " 7.5")

    def test_krt_boxes(self):
        self.start()
        # "Save", "Load" and "New" each open a box that blocks nothing; Escape, Enter and OK
        # close the one that has the focus.
        for button in (SAVE, LOAD, NEW):
            self.click(button)
            self.wait_until_idle()
        boxes = self.message_boxes()
        self.assertEqual([(b["name"], b["message"], b["ok"]) for b in boxes],
                         [("KRT", "That button is not enabled", "OK")] * 3)
        self.assertEqual([b["focused"] for b in boxes], [False, False, True])
        self.play(9)  # the window plays on, below the boxes
        # A click on a box's caption or on its message keeps the focus in that box.
        self.js("document.querySelectorAll('[role=dialog] button')[2].focus();")
        self.browser.click("[role=dialog]:nth-of-type(3) .caption")
        self.assertTrue(self.message_boxes()[2]["focused"])
        self.browser.click("[role=dialog]:nth-of-type(3) .message")
        self.assertTrue(self.message_boxes()[2]["focused"])
        self.browser.press("Escape")
        self.assertEqual(len(self.message_boxes()), 2)
        self.js("document.querySelectorAll('[role=dialog] button')[1].focus();")
        self.browser.press("Enter")
        self.browser.click("[role=dialog] button")
        self.assertEqual(self.message_boxes(), [])
        self.js("for (let i = 0; i < 20; ++i) document.getElementById('control-1054').click();")
        self.wait_until_idle()
        self.assertEqual(len(self.message_boxes()), 16, "at most 16 boxes are open")
        for _ in range(16):  # the newest lies on top
            self.browser.click("[role=dialog]:last-of-type button")
        self.assertEqual(self.message_boxes(), [])

    def test_exit_and_a_new_game(self):
        self.start()
        self.play()
        # "Exit" ends the game and its boxes, once the turn it was pressed during is over; the page
        # says so in one line and offers a new one.
        self.click(FIRST_CHOICE)
        self.click(SAVE)
        self.click(EXIT)
        # The game ends when its loop takes the click, which a loaded machine may delay.
        deadline = time.monotonic() + 30
        while (self.js("return document.querySelectorAll('.window').length;") > 0
               and time.monotonic() < deadline):
            time.sleep(0.02)
        self.assertEqual(self.js("return document.querySelectorAll('.window').length;"), 0)
        self.assertEqual(self.message_boxes(), [])
        self.assertEqual(normalized(self.js("return document.getElementById('status').textContent;")),
                         "The game has ended. Start a new game")
        self.assertEqual(self.js(KEPT), [], "nothing of an ended game is kept")
        self.browser.click("#status a")
        self.wait_until_idle()
        self.assertEqual(self.text(YEAR_BOX), "2007")
        self.play()

    def type_rates(self, *rates):
        for box, rate in zip((INCOME_TAX, SALES_TAX, PROPERTY_TAX), rates):
            self.type_into(box, rate)
        self.click(UPDATE_TAX_RATES)
        self.wait_until_idle()

    def test_a_reload_brings_back_the_same_game(self):
        # One game played through, then the same seed's game with a reload after every step: each
        # reload shows the window of the game played through, typing included, and each next turn
        # its figures.
        steps = [
            ("the window as it starts", lambda: None),
            ("a month typed", lambda: self.type_into(MONTH_BOX, "Smarch")),
            ("a turn", lambda: self.play(4)),
            ("rates applied", lambda: self.type_rates("25", "5", "10")),
            ("another turn", lambda: self.play(1)),
            ("a rate typed, not applied", lambda: self.type_into(INCOME_TAX, "12.5")),
            ("a third turn", lambda: self.play(2)),
        ]
        self.start(self.address + SEEDED)
        # Pulling down at the top of the page scrolls nothing and reloads nothing.
        self.assertEqual(self.js(
            "return getComputedStyle(document.documentElement).overscrollBehaviorY;"), "none")
        played_through = []
        for _, step in steps:
            step()
            played_through.append(self.js(SHOWN))
        self.click(EXIT)
        self.assertEqual(self.js(KEPT), [])
        self.browser.reload()  # after "Exit", a new game
        self.wait_until_idle()
        for (name, step), expected in zip(steps, played_through):
            step()
            self.browser.reload()
            self.wait_until_idle()
            self.assertEqual(self.js(SHOWN), expected, name)
        [(name, copy)] = self.js(KEPT)
        self.assertEqual(name, "townwright-game /")
        self.assertRegex(copy, r"^[A-Za-z0-9+/]+=*$")
        # It is no saved game: the buttons for those still say they are not enabled.
        self.click(NEW)
        self.assertEqual([b["message"] for b in self.message_boxes()], ["That button is not enabled"])

    def test_a_reload_during_a_turn_goes_on_from_before_the_press(self):
        # The tab keeps the game before a turn until the turn has shown its choices: a reload
        # during its pauses brings that game back, and the same press plays the same turn.
        self.start(self.address + SEEDED)
        self.play()
        before = self.js(SHOWN)
        self.play(3)
        after = self.js(SHOWN)
        self.js("sessionStorage.clear();")
        self.start(self.address + SEEDED)
        self.play()
        self.click(FIRST_CHOICE + 2)
        self.assertEqual(self.js("return document.querySelector('.window')"
                                 ".getAttribute('aria-busy');"), "true", "within the turn")
        self.browser.reload()
        self.wait_until_idle()
        self.assertEqual(self.js(SHOWN), before)
        self.play(3)
        self.assertEqual(self.js(SHOWN), after)

    def test_a_damaged_copy_starts_a_new_game(self):
        self.start()
        self.play()
        self.play()
        [(name, copy)] = self.js(KEPT)
        middle = len(copy) // 2
        for why, damaged in (
                ("a character changed", copy[:middle] + "AB"[copy[middle] == "A"] + copy[middle + 1:]),
                ("cut short", copy[:middle]),
                ("no copy at all", "\u2603 a snowman")):
            self.js("sessionStorage.setItem(arguments[0], arguments[1]);", name, damaged)
            self.browser.reload()
            self.wait_until_idle()
            # Nothing of the copy shows: the window of a new game, which plays.
            self.assertEqual([self.text(b) for b in (MONTH_BOX, YEAR_BOX, DAY_BOX, TREASURY_BOX)],
                             ["January", "2007", "31", ""], why)
            self.play()
            self.assertEqual([n for n, _ in self.js(KEPT)], [name], why)
            self.assertNotEqual(self.js(KEPT)[0][1], damaged, why)

    def test_every_figure_whole_on_every_phone(self):
        # The page at each phone's width, in a frame of that size: every figure box shows the
        # longest text of each form whole, the plain form at 12 pixels or more, the exponent form
        # at 8 or more, and no box moves or grows for it.
        folder = tempfile.mkdtemp(prefix="townwright-frames-")
        try:
            shutil.copytree(self.site, folder, dirs_exist_ok=True)
            with open(os.path.join(folder, "frames.html"), "w") as file:
                file.write("<!doctype html><link rel=icon href=townwright.svg>"
                           "<body style='margin:0'>" + "".join(
                    f"<iframe src='./' width={w} height={h} style='border:0'></iframe>"
                    for w, h in PHONE_WIDTHS))
            with Server(folder) as server:
                self.browser.open(server.address + "frames.html")
                deadline = time.monotonic() + 30
                while not self.js(FRAMES_IDLE) and time.monotonic() < deadline:
                    time.sleep(0.05)
                shown = self.js(LONGEST_FIGURES)
                if self.phone_screenshots:
                    self.browser.screenshot("body", os.path.join(
                        self.phone_screenshots, f"figures-{self.engine_name}.png"))
                self.js("sessionStorage.clear();")
        finally:
            shutil.rmtree(folder, ignore_errors=True)
        self.assertEqual(len(shown), len(PHONE_WIDTHS) * 2 * 18)
        for box in shown:
            where = f"{box['width']} wide, {box['id']} showing {box['text']!r}"
            self.assertLessEqual(box["needs"], box["room"], f"{where}: cut")
            self.assertFalse(box["moved"], f"{where}: a control moved or grew")
            self.assertGreaterEqual(box["font"], 12 if box["form"] == "plain" else 8, where)

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
                    deadline = time.monotonic() + 10
                    status = ""
                    while time.monotonic() < deadline:
                        status = normalized(self.js(
                            "return document.getElementById('status').textContent;"))
                        if not status.startswith("Townwright is starting"):
                            break
                        time.sleep(0.05)
                    self.assertEqual(status, "The game could not be loaded. Try again", missing)
        finally:
            shutil.rmtree(folder, ignore_errors=True)


class ChromiumOnly(PageTest):
    """What only Chromium's DevTools protocol can try: phones, touch, installing, offline."""

    def emulate(self, width, height, mobile):
        self.browser.resize(width, height, mobile=mobile, scale=3 if mobile else 1)
        time.sleep(0.1)

    def tearDown(self):
        self.browser.resize(1024, 800)
        super().tearDown()

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
        """The headings, figures and trends, and on a phone the nine choices, on the first screen."""
        ids = [*HEADINGS, *FIGURES] + ([*range(FIRST_CHOICE, FIRST_CHOICE + 9)]
                                       if ONE_SCREEN[size] else [])
        height = self.js("return innerHeight;")
        for control in ids:
            _, top, _, tall = places[f"control-{control}"]
            self.assertLessEqual(top + tall, height, f"{size}: {control} below the first screen")

    def test_layouts_for_every_width(self):
        # A phone held upright from the start: the figures and the choices on the first screen, and
        # the first turn, which brings the tax boxes, moves nothing that was there.
        self.emulate(390, 844, True)
        self.start()
        viewport = self.js("return document.querySelector('meta[name=viewport]').content;")
        self.assertNotRegex(viewport, "user-scalable|maximum-scale", "pinch-zoom stays allowed")
        before = self.places()
        self.check_one_screen((390, 844), before)
        self.play()
        self.assertEqual({k: v for k, v in self.places().items() if k in before}, before,
                         "the first turn moved a control")
        self.emulate(1024, 800, False)
        desktop = self.js("return [...document.querySelectorAll('.window, .client > *')].map((c) =>"
                           " { const r = c.getBoundingClientRect(); return [r.width, r.height]; });")
        for width, height, mobile in WIDE:
            # As on the desktop, to the pixel: every control at its desktop size, centred, no scaling.
            self.emulate(width, height, mobile)
            self.assertEqual(self.js("return document.documentElement.classList.contains('narrow')"),
                             False)
            self.check_controls(after_first_turn=True)
            now = self.js("return [...document.querySelectorAll('.window, .client > *')].map((c) =>"
                          " { const r = c.getBoundingClientRect(); return [r.width, r.height]; });")
            self.assertEqual(now, desktop, f"{width} x {height}")
        self.assertEqual(self.axe_violations(), [], "the desktop layout")
        # Tablets either way up and phones on their side: the page's own layout, sized for a
        # finger, using the whole screen; on a tablet the figures and the choices on the first.
        for width, height in TOUCH:
            size = f"{width} x {height}"
            self.emulate(width, height, True)
            self.assertTrue(self.js("return document.documentElement.classList.contains('narrow')"),
                            size)
            self.check_narrow(size)
            places = self.places()
            if (width, height) in ONE_SCREEN:
                self.check_one_screen((width, height), places)
            window = self.js("const r = document.querySelector('.window').getBoundingClientRect();"
                             "return [r.width, r.bottom];")
            self.assertGreaterEqual(window[0], width - 20, f"{size}: the window takes the width")
            self.assertGreaterEqual(window[1], height, f"{size}: and the screen's height")
            if self.phone_screenshots and (width, height) in SCREENSHOTS:
                self.screenshot_page(SCREENSHOTS[(width, height)], whole=False)
        for width, height, mobile in NARROW:
            size = f"{width} x {height}"
            self.emulate(width, height, mobile)
            self.check_narrow(size)
            before = self.places()
            if (width, height) in ONE_SCREEN:
                self.check_one_screen((width, height), before)
            if mobile and self.phone_screenshots and (width, height) in ((390, 844), (412, 915)):
                self.screenshot_page(f"townwright-web-phone-{width}x{height}.png", whole=False)
            # Taps where there is touch, clicks elsewhere: each one turn, which moves no control and
            # scrolls nothing, whatever captions it brings.
            date = self.date()
            (self.browser.tap if mobile else self.browser.click)(f"#control-{FIRST_CHOICE}")
            scrolled = self.js("return scrollY;")
            self.wait_for_date(date + 1)
            time.sleep(0.2)
            self.assertEqual(self.date(), date + 1, f"{size}: one tap, one turn")
            self.assertEqual(self.js("return scrollY;"), scrolled, f"{size}: scrolled by itself")
            self.assertEqual(self.places(), before, f"{size}: a control moved")
            # Nor would any other captions: none at all, or the catalogue's longest on all nine; also
            # in larger text, where the longest need more lines.
            seen = self.js(SHOW_CAPTIONS, None)
            self.assertEqual([places == before for places in seen], [True] * 10, size)
            seen = self.js(SHOW_CAPTIONS, "20px")
            self.assertEqual([places == seen[0] for places in seen], [True] * 10, f"{size}, larger")
            if mobile and self.phone_screenshots and (width, height) == (390, 844):
                self.screenshot_page("townwright-web-phone.png")
            if mobile:
                # A hover style does not stay on a tapped button.
                self.assertEqual(*self.js(
                    "const style = (id) => getComputedStyle(document.getElementById(id)).backgroundImage;"
                    "return [style('control-1011'), style('control-1019')];"), size)
                # The page's touch action holds for all it contains: no wait for a double tap.
                self.assertEqual(self.js(
                    "return getComputedStyle(document.documentElement).touchAction;"),
                    "manipulation")
        # Eight "KRT" boxes' cascade on the smallest screens, upright and sideways: each box and its
        # OK whole within the screen.
        for width, height in ((320, 568), (568, 320)):
            self.emulate(width, height, True)
            self.js("for (let i = 0; i < 8; ++i) document.getElementById('control-1054').click();")
            self.wait_until_idle()
            page = self.js(MEASURE)
            boxes = [c for c in page["controls"] if c["id"] == "message-box" or c["tag"] == "BUTTON"
                     and c["text"] == "OK"]
            self.assertEqual(len(boxes), 16)
            for box in boxes:
                self.assertGreaterEqual(min(box["left"], box["top"]), 0, f"{width} x {height}")
                self.assertLessEqual(box["right"], width)
                self.assertLessEqual(box["bottom"], height)
            self.check_narrow(f"{width} x {height} with boxes")
            for _ in range(8):
                self.browser.tap("[role=dialog]:last-of-type button")
            self.assertEqual(self.message_boxes(), [])

    def screenshot_page(self, name, whole=True):
        """The whole page, top to bottom, as the phone would show it scrolled; or its first screen."""
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

    def test_turning_the_phone_during_a_turn(self):
        self.emulate(390, 844, True)
        self.start()
        self.play()
        self.type_into(SALES_TAX, "12")
        before = self.date()
        self.browser.tap(f"#control-{FIRST_CHOICE}")
        self.type_into(INCOME_TAX, "40")
        self.emulate(844, 390, True)  # sideways: four indicators to a line
        self.assertEqual(self.js("return document.querySelector('.client').style"
                                 ".getPropertyValue('--grid-rows').split('--row-f').length;"),
                         1 + 2 * 2, "two lines of figures and two of trends")
        self.assertEqual(self.js("return document.activeElement.id;"), f"control-{INCOME_TAX}")
        self.browser.tap(f"#control-{UPDATE_TAX_RATES}")
        self.emulate(390, 844, True)
        self.wait_for_date(before + 1)
        self.play()
        self.assertEqual([self.text(INCOME_TAX), self.text(SALES_TAX)], [" 40", " 7.5"])

    def test_a_crashed_page_beside_a_second_tab_on_the_same_seed(self):
        # Two tabs on one seed: the first one's page crashes after every step and is loaded again,
        # the second plays on without a break; their windows are the same after every step. A new
        # tab starts a new game. The first tab is driven over the DevTools protocol, since
        # chromedriver gives a crashed tab up for good.
        driver = self.browser.driver
        first = driver.current_window_handle
        self.start(self.address + SEEDED)
        crashing = self.browser.devtools_tab(first)
        driver.switch_to.new_window("tab")
        second = driver.current_window_handle
        self.start(self.address + SEEDED)
        idle = ("(() => { const w = document.querySelector('.window'); return w !== null &&"
                " !w.hidden && w.getAttribute('aria-busy') === 'false'; })()")
        steps = [("click", FIRST_CHOICE + 2), ("type", INCOME_TAX, "40"), ("click", UPDATE_TAX_RATES),
                 ("click", FIRST_CHOICE), ("type", SALES_TAX, "9"), ("click", FIRST_CHOICE + 6)]
        try:
            for number, (kind, control, *text) in enumerate(steps):
                element = f"document.getElementById('control-{control}')"
                if kind == "type":
                    self.type_into(control, text[0])
                    crashing.js(f"{element}.focus(); {element}.select();")
                    crashing.type(text[0])
                else:
                    self.click(control)
                    crashing.js(f"{element}.click();")
                self.wait_until_idle()
                self.wait_in(crashing, idle)
                crashing.crash_and_reload()
                self.wait_in(crashing, idle)
                crashing.js(f"(() => {{ {CATCH_ERRORS} }})()")
                self.assertEqual(crashing.js(f"(() => {{ {SHOWN} }})()"), self.js(SHOWN),
                                 f"after step {number + 1}")
                self.assertEqual(crashing.js("window.townwrightErrors"), [])
            driver.switch_to.new_window("tab")
            self.start(self.address + SEEDED)
            self.assertEqual([self.text(b) for b in (YEAR_BOX, DAY_BOX)], ["2007", "31"])
            driver.close()
        finally:
            crashing.close()
            driver.switch_to.window(second)

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
                self.assertEqual(self.text(DAY_BOX), " 3")
                self.js("return navigator.serviceWorker.getRegistration().then((r) => new Promise("
                        "(done) => { const check = () => r.waiting ? done() : setTimeout(check, 50);"
                        " r.update().then(check, check); }));")
                # Once no page of the old release is open (a phone discarded the tab), the next
                # one takes over, in this tab, and goes on with the game the tab kept.
                self.browser.open("about:blank")
                time.sleep(0.5)
                self.start(preview_address)
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
            self.browser.js("return navigator.serviceWorker.getRegistrations().then((all) =>"
                            " Promise.all(all.map((r) => r.unregister())));")
            self.browser.js("return caches.keys().then((names) =>"
                            " Promise.all(names.map((n) => caches.delete(n))));")
            self.browser.js("sessionStorage.clear();")
            shutil.rmtree(root, ignore_errors=True)

    def test_without_javascript_the_page_says_so_alone(self):
        self.browser.cdp("Emulation.setScriptExecutionDisabled", {"value": True})
        try:
            self.browser.open(self.address)
            shown = self.browser.driver.find_element("tag name", "main").text
        finally:
            self.browser.cdp("Emulation.setScriptExecutionDisabled", {"value": False})
        self.assertEqual(shown, "Townwright needs JavaScript and WebAssembly, which this browser "
                                "does not run.")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("site")
    parser.add_argument("--engine", choices=sorted(ENGINES), default="chromium")
    parser.add_argument("--control-layout", nargs="+", required=True,
                        help="the command that prints the control table (townwright_control_layout)")
    parser.add_argument("--screenshot", help="where to save the window after five turns")
    parser.add_argument("--phone-screenshots",
                        help="a folder for the page on a phone upright and sideways, and a tablet")
    options, rest = parser.parse_known_args()
    case = ChromiumOnly if options.engine == "chromium" else PageTest
    case.site = options.site
    case.engine_name = options.engine
    case.facts_command = options.control_layout
    case.screenshot = options.screenshot
    case.phone_screenshots = options.phone_screenshots
    suite = unittest.defaultTestLoader.loadTestsFromTestCase(case)
    if rest:
        suite = unittest.TestSuite(t for t in suite if any(name in t.id() for name in rest))
    result = unittest.TextTestRunner(verbosity=2).run(suite)
    return 0 if result.wasSuccessful() else 1


if __name__ == "__main__":
    sys.exit(main())
