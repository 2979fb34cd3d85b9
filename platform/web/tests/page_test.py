#!/usr/bin/python3
"""The game's page played in headless Chromium as a person would, from a local static server.

It checks the window's 56 controls (element, text, accessible name, place), that a click plays
exactly one turn with its nine pauses painted, that clicks made during a turn become turns of
their own, that a tax entry takes effect at the next turn only after "Update Tax Rates", that a
pasted megabyte of any characters behaves as on the desktop, that "Save", "Load" and "New" open
"KRT" boxes which block nothing, that a narrow screen scales the window down whole, and that
"Exit" ends the game. All along: no console error, no request beyond the page's own files and
nothing stored. A module that cannot be downloaded is said on the page. Usage: page_test.py SITE --control-layout COMMAND... [--screenshot FILE]
"""

import argparse
import json
import os
import random
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
from serve import Server  # noqa: E402

NETWORK_SCHEMES = {"http", "https", "ws", "wss", "ftp"}
SITE_FILES = {"/", "/index.html", "/townwright.js", "/townwright.wasm", "/townwright.svg"}
CHROMIUM_FLAGS = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                  "--disable-background-networking", "--disable-component-update",
                  "--disable-sync", "--window-size=1024,800"]
TAGS = {"frame": "fieldset", "label": "label", "button": "button", "text box": "input"}
FIRST_CHOICE, INCOME_TAX, SALES_TAX, PROPERTY_TAX = 1011, 1046, 1047, 1048
UPDATE_TAX_RATES, SAVE, EXIT, LOAD, NEW = 1027, 1054, 1055, 1056, 1057
MONTH_BOX, YEAR_BOX, DAY_BOX = 1051, 1052, 1053
MONTHS = ["January", "February", "March", "April", "May", "June", "July", "August", "September",
          "October", "November", "December"]

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


def normalized(text):
    return " ".join(text.split())


def dialog_pixels(units, base, divisor):
    """The dialog-unit mapping: units * base / divisor rounded, halves away from zero."""
    product = units * base
    return (product + divisor // 2) // divisor if product >= 0 else -((-product + divisor // 2) // divisor)


class PageTest(unittest.TestCase):
    site = None
    facts_command = None
    screenshot = None

    @classmethod
    def setUpClass(cls):
        cls.facts = [json.loads(line) for line in subprocess.run(
            cls.facts_command, check=True, capture_output=True, text=True).stdout.splitlines()]
        cls.profile = tempfile.mkdtemp(prefix="townwright-chromium-")
        cls.server = Server(cls.site).__enter__()
        options = webdriver.ChromeOptions()
        options.binary_location = "/usr/bin/chromium"
        for flag in CHROMIUM_FLAGS + [f"--user-data-dir={cls.profile}"]:
            options.add_argument(flag)
        options.set_capability("goog:loggingPrefs", {"browser": "ALL", "performance": "ALL"})
        cls.driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
        cls.driver.set_script_timeout(30)
        cls.seen_urls = set()
        cls.console = []

    @classmethod
    def tearDownClass(cls):
        cls.driver.quit()
        cls.server.__exit__(None, None, None)
        shutil.rmtree(cls.profile, ignore_errors=True)

    # Verbs a person's actions come down to.
    def element(self, control_id):
        return self.driver.find_element(By.ID, f"control-{control_id}")

    def text(self, control_id):
        return self.driver.execute_script(
            "const c = document.getElementById(arguments[0]);"
            "return c.tagName === 'INPUT' ? c.value : c.tagName === 'FIELDSET' ?"
            " c.firstChild.textContent : c.textContent;", f"control-{control_id}")

    def wait_until_idle(self, timeout=30):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if self.driver.execute_script(
                    "const w = document.querySelector('.window');"
                    "return w !== null && !w.hidden && w.getAttribute('aria-busy') === 'false';"):
                return
            time.sleep(0.02)
        self.fail("the window did not become idle")

    def date(self):
        month = MONTHS.index(self.text(MONTH_BOX))
        return (float(self.text(YEAR_BOX)) * 12 + month) * 27 + int(self.text(DAY_BOX))

    def play(self, choice=1):
        before = self.date()
        self.element(FIRST_CHOICE + choice - 1).click()
        self.wait_until_idle()
        self.assertEqual(self.date(), before + 1)

    def type_into(self, control_id, text):
        box = self.element(control_id)
        ActionChains(self.driver).click(box).key_down(Keys.CONTROL).send_keys("a") \
            .key_up(Keys.CONTROL).send_keys(text).perform()

    def message_boxes(self):
        return self.driver.find_elements(By.CSS_SELECTOR, "[role=dialog]")

    def collect_logs(self):
        self.console += self.driver.get_log("browser")
        for entry in self.driver.get_log("performance"):
            message = json.loads(entry["message"])["message"]
            if message["method"] == "Network.requestWillBeSent":
                self.seen_urls.add(message["params"]["request"]["url"])

    def check_controls(self, after_first_turn):
        rects = self.driver.execute_script("""
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
        order = self.driver.execute_script(
            "return [...document.querySelectorAll('.client > *')].map(c => c.id);")
        window_order = [f"control-{f['id']}" for f in expected if f["with_window"]]
        self.assertEqual(order[:len(window_order)], window_order)
        for fact in expected:
            control = self.element(fact["id"])
            with self.subTest(control=fact["id"]):
                self.assertEqual(control.tag_name, TAGS[fact["kind"]])
                # The first turn writes every text box.
                if fact["source"] == "fixed" and not (after_first_turn and fact["kind"] == "text box"):
                    self.assertEqual(self.text(fact["id"]), fact["text"])
                # A label is read from its text; every other control carries its name (in which
                # the browser, like a screen reader, makes one space of several): a text box its
                # heading's, a button its text or, a choice without an offer, its place.
                if fact["kind"] != "label":
                    if fact["kind"] == "button":
                        name = self.text(fact["id"]) or fact["name_without_offer"]
                    else:
                        name = fact["name"] or self.text(fact["id"])
                    self.assertEqual(normalized(control.accessible_name), normalized(name))
        # One pair of base units maps every place in dialog units to the page's pixels.
        places = [(rects[f"control-{f['id']}"], f["place"]) for f in expected]
        places.append((rects["client"], [0, 0, 425, 324]))
        fits = [(x, y) for x in range(1, 40) for y in range(1, 60)
                if all(rect == [dialog_pixels(p[0], x, 4), dialog_pixels(p[1], y, 8),
                                dialog_pixels(p[2], x, 4), dialog_pixels(p[3], y, 8)]
                       for rect, p in places)]
        self.assertEqual(len(fits), 1, f"base units that fit every control: {fits}")

    def check_turn_was_painted_pause_by_pause(self, started, ended):
        timeline = self.driver.execute_script("return window.townwrightTimeline;")
        self.assertGreaterEqual(ended - started, 900, "nine pauses of 100 ms")
        moments = []
        for entry in timeline:
            if entry[0] == "caption" and (not moments or entry[1] - moments[-1] > 50):
                moments.append(entry[1])
        self.assertGreaterEqual(len(moments), 2, "the captions changed one after another")
        frames = [entry[1] for entry in timeline if entry[0] == "frame"]
        for earlier, later in zip(moments, moments[1:]):
            self.assertGreaterEqual(later - earlier, 90)
            self.assertTrue(any(earlier <= f < later for f in frames),
                            "a frame was painted between two captions")

    def test_a_whole_game(self):
        driver = self.driver
        driver.get(self.server.address)
        self.wait_until_idle()
        self.assertEqual(driver.title, "Townwright - by the Townwright developers")
        self.assertEqual(len(self.message_boxes()), 0)
        self.check_controls(after_first_turn=False)
        self.assertEqual([self.text(b) for b in (MONTH_BOX, YEAR_BOX, DAY_BOX)],
                         ["January", "2007", "31"])

        # One click, one turn, its nine captions shown one after another.
        captions = [self.text(FIRST_CHOICE + k) for k in range(9)]
        driver.execute_script(WATCH_TURN)
        started = driver.execute_script("return performance.now();")
        self.element(FIRST_CHOICE).click()
        self.wait_until_idle()
        ended = driver.execute_script("return performance.now();")
        self.assertEqual([self.text(b) for b in (MONTH_BOX, YEAR_BOX, DAY_BOX)],
                         ["January", " 2008", " 2"])
        self.assertNotEqual([self.text(FIRST_CHOICE + k) for k in range(9)], captions)
        self.check_turn_was_painted_pause_by_pause(started, ended)
        self.check_controls(after_first_turn=True)

        # Clicks made during a turn wait, and each is a turn of its own.
        before = self.date()
        for choice in (1, 1, 1):
            self.element(FIRST_CHOICE + choice - 1).click()
        self.wait_until_idle()
        self.assertEqual(self.date(), before + 3)

        self.play()  # the fifth turn
        if self.screenshot:
            driver.find_element(By.CSS_SELECTOR, ".window").screenshot(self.screenshot)

        # Typing alone changes nothing, nor do Enter and Escape in a box; "Update Tax Rates" takes
        # the boxes at the next turn.
        shown = self.text(INCOME_TAX)
        self.type_into(INCOME_TAX, "25")
        before = self.date()
        self.element(INCOME_TAX).send_keys(Keys.ENTER, Keys.ESCAPE)
        time.sleep(0.2)
        self.wait_until_idle()
        self.assertEqual((self.date(), len(self.message_boxes())), (before, 0))
        self.assertEqual(self.text(INCOME_TAX), "25")
        self.play()
        self.assertEqual(self.text(INCOME_TAX), shown)
        for box, rate in ((INCOME_TAX, "25"), (SALES_TAX, "5"), (PROPERTY_TAX, "10")):
            self.type_into(box, rate)
        self.element(UPDATE_TAX_RATES).click()
        self.wait_until_idle()
        self.assertEqual(self.text(INCOME_TAX), "25")  # not rewritten before the turn
        self.play()
        self.assertEqual([self.text(b) for b in (INCOME_TAX, SALES_TAX, PROPERTY_TAX)],
                         [" 25", " 5", " 10"])

        # A megabyte of any characters pasted: cut where the desktop's boxes cut it, and read as
        # the number it starts with.
        chance = random.Random(13)
        junk = "".join(chr(chance.choice([chance.randrange(32, 0xD7FF),
                                          chance.randrange(0x1F300, 0x1FAFF)]))
                       for _ in range(1_000_000))
        self.element(INCOME_TAX).click()
        ActionChains(driver).key_down(Keys.CONTROL).send_keys("a").key_up(Keys.CONTROL).perform()
        driver.execute_cdp_cmd("Input.insertText", {"text": "7.5" + junk})
        # 32,767 UTF-16 units, one fewer where the cut would split a character in two.
        self.assertIn(driver.execute_script(
            "return document.getElementById('control-1046').value.length;"), (32766, 32767))
        self.element(UPDATE_TAX_RATES).click()
        self.wait_until_idle()
        self.play()
        self.assertEqual(self.text(INCOME_TAX), " 7.5")

        # "Save", "Load" and "New" each open a box that blocks nothing; Escape, Enter and OK
        # close the one that has the focus.
        for button in (SAVE, LOAD, NEW):
            self.element(button).click()
            self.wait_until_idle()
        boxes = self.message_boxes()
        self.assertEqual(len(boxes), 3)
        for box in boxes:
            self.assertEqual(box.accessible_name, "KRT")
            self.assertEqual(box.find_element(By.CSS_SELECTOR, ".message").text,
                             "That button is not enabled")
            self.assertEqual(box.find_element(By.TAG_NAME, "button").text, "OK")
        self.assertEqual(driver.switch_to.active_element,
                         boxes[2].find_element(By.TAG_NAME, "button"))
        self.play(9)  # the window plays on, below the boxes
        boxes[2].find_element(By.TAG_NAME, "button").send_keys(Keys.ESCAPE)
        boxes[1].find_element(By.TAG_NAME, "button").send_keys(Keys.ENTER)
        boxes[0].find_element(By.TAG_NAME, "button").click()
        self.assertEqual(len(self.message_boxes()), 0)
        driver.execute_script("for (let i = 0; i < 20; ++i) arguments[0].click();",
                              self.element(SAVE))
        self.wait_until_idle()
        self.assertEqual(len(self.message_boxes()), 16, "at most 16 boxes are open")
        for box in reversed(self.message_boxes()):  # the newest lies on top
            box.find_element(By.TAG_NAME, "button").click()
        self.assertEqual(len(self.message_boxes()), 0)

        # A narrow screen shows the whole window, scaled down, laid out as before.
        wide = driver.execute_script("return document.querySelector('.window')"
                                     ".getBoundingClientRect().width;")
        driver.set_window_size(420, 800)
        time.sleep(0.3)
        narrow = driver.execute_script(
            "const w = document.querySelector('.window').getBoundingClientRect();"
            "return [w.left, w.right, document.documentElement.clientWidth, "
            "document.documentElement.scrollWidth];")
        self.assertGreaterEqual(narrow[0], 0)
        self.assertLessEqual(narrow[1], narrow[2])
        self.assertEqual(narrow[3], narrow[2], "nothing sticks out to the side")
        self.assertLess(narrow[1] - narrow[0], wide)
        self.play()
        driver.set_window_size(1024, 800)

        # Nothing stored, nothing asked for beyond the page's files, no error.
        self.check_nothing_stored()
        self.collect_logs()

        # "Exit" ends the game; the page says so in one line and offers a new one.
        self.element(SAVE).click()
        self.element(EXIT).click()
        time.sleep(0.3)
        self.assertEqual(driver.find_elements(By.CSS_SELECTOR, ".window"), [])
        self.assertEqual(len(self.message_boxes()), 0)
        status = driver.find_element(By.ID, "status")
        self.assertEqual(status.text, "The game has ended. Start a new game")
        status.find_element(By.TAG_NAME, "a").click()
        self.wait_until_idle()
        self.assertEqual(self.text(YEAR_BOX), "2007")
        self.element(FIRST_CHOICE).click()
        self.wait_until_idle()
        self.assertEqual(self.text(DAY_BOX), " 2")

        self.check_nothing_stored()
        self.collect_logs()
        errors = [entry for entry in self.console if entry["level"] == "SEVERE"]
        self.assertEqual(errors, [], "console errors")
        # The browser's own pages (chrome://) load before the game's; anything over the network
        # must be one of the game's files.
        network = [url for url in self.seen_urls if url.split(":")[0] in NETWORK_SCHEMES]
        self.assertTrue(network)
        outside = sorted(url for url in network
                         if not url.startswith(self.server.address) or
                         "/" + url[len(self.server.address):] not in SITE_FILES)
        self.assertEqual(outside, [], "requests beyond the page's files")
        self.assertLessEqual(set(self.server.requests), SITE_FILES)

    def test_a_module_that_cannot_be_loaded_is_said_on_the_page(self):
        folder = tempfile.mkdtemp(prefix="townwright-site-")
        try:
            for name in ("index.html", "townwright.js"):
                shutil.copy(os.path.join(self.site, name), folder)
            with Server(folder) as server:
                self.driver.get(server.address)
                status = self.driver.find_element(By.ID, "status")
                deadline = time.monotonic() + 10
                while status.text.startswith("Townwright is starting") and \
                        time.monotonic() < deadline:
                    time.sleep(0.05)
                self.assertEqual(status.text, "The game could not be loaded. Try again")
        finally:
            shutil.rmtree(folder, ignore_errors=True)
            self.driver.get_log("browser")  # its errors are this test's, expected
            self.driver.get_log("performance")

    def check_nothing_stored(self):
        stored = self.driver.execute_async_script("""
            const done = arguments[arguments.length - 1];
            Promise.all([indexedDB.databases(), caches.keys()]).then(([databases, caches]) =>
              done([document.cookie, localStorage.length, sessionStorage.length,
                    databases.length, caches.length]));""")
        self.assertEqual(stored, ["", 0, 0, 0, 0])


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("site")
    parser.add_argument("--control-layout", nargs="+", required=True,
                        help="the command that prints the control table (townwright_control_layout)")
    parser.add_argument("--screenshot", help="where to save the window after five turns")
    options, rest = parser.parse_known_args()
    PageTest.site = options.site
    PageTest.facts_command = options.control_layout
    PageTest.screenshot = options.screenshot
    unittest.main(argv=[sys.argv[0]] + rest, verbosity=2)


if __name__ == "__main__":
    main()
