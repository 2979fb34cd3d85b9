"""Every player: the rules inside the page, each turn told to a screen reader in the page's live
region, and the whole game played by the keyboard alone, its focus always seen."""

import os
import re

from page import (FOCUS, SEEDED, SOURCE, WATCH_NEWS, WATCH_TURN, PageTest, chromium_only,
                  normalized)

# The virtual screen reader's browser build, made a classic script that leaves it on the page.
SCREEN_READER = os.path.join(SOURCE, "node_modules", "@guidepup", "virtual-screen-reader", "lib",
                             "esm", "index.browser.js")


class AccessTest(PageTest):
    def test_how_to_play_opens_the_rules_below_the_window(self):
        self.start()
        below, is_open, summary = self.js("""
            const rules = document.querySelector('.how-to-play details');
            return [rules.getBoundingClientRect().top >=
                        document.querySelector('.window').getBoundingClientRect().bottom,
                    rules.open, rules.querySelector('summary').textContent];""")
        self.assertEqual([below, is_open, summary], [True, False, "How to play"])
        self.browser.click(".how-to-play summary")
        with open(os.path.join(SOURCE, "docs", "how-to-play.md")) as file:
            written = re.sub(r"(?m)^- ", "", file.read())
        shown = self.js("const rules = document.querySelector('.how-to-play details');"
                        "return rules.open ? rules.textContent : '';")
        self.assertEqual(normalized(shown), "How to play " + normalized(written))
        self.assertEqual(self.axe_violations(), [])

    def test_each_turn_is_told_once_after_it_has_shown_its_choices(self):
        self.start(self.address + SEEDED)
        self.js(WATCH_TURN)
        self.js(WATCH_NEWS)
        figures = self.shown_figures()
        self.play()
        [(_, told)] = self.js("return window.townwrightNews;")
        self.check_news(told, figures, "January 2, 2008.")
        # A press the game answers with a box, and one that changes no figure, are not told.
        self.click(self.ids.save)
        self.wait_for("the box", "return document.querySelector('[role=dialog]') !== null;")
        self.browser.press("Enter")
        self.click(self.ids.update_tax_rates)
        self.wait_until_idle()
        self.assertEqual(len(self.js("return window.townwrightNews;")), 1)
        figures = self.shown_figures()
        self.play(5)
        news = self.js("return window.townwrightNews;")
        self.assertEqual(len(news), 2)
        self.check_news(news[1][1], figures, "January 3, 2008.")
        captions = [entry[1] for entry in self.js("return window.townwrightTimeline;")
                    if entry[0] == "caption"]
        self.assertGreater(news[1][0], max(captions), "told once its choices were shown")
        # Heard, never seen: the region takes no place on the page.
        self.assertEqual(self.js("const r = document.getElementById('news')"
                                 ".getBoundingClientRect(); return [r.width, r.height];"), [1, 1])
        self.browser.reload()
        self.wait_until_idle()
        self.assertEqual(self.js("return document.getElementById('news').textContent;"),
                         "The game goes on: January 3, 2008.")

    def shown_figures(self):
        return {heading: self.text(figure)
                for heading, figure in zip(self.heading_texts(), self.ids.figures[:8])}

    def heading_texts(self):
        return [self.text(heading) for heading in self.ids.headings]

    def check_news(self, told, before, date):
        """`told` begins with `date`, names each figure that changed as the window shows it, and
        ends with the choices offered."""
        self.assertTrue(told.startswith(date), told)
        for heading, figure in zip(self.heading_texts(), self.ids.figures[:8]):
            shown = f"{heading} {self.text(figure).lstrip()}"
            self.assertEqual(shown in told, self.text(figure) != before[heading], told)
        offers = sum(1 for choice in self.ids.choices if self.text(choice).strip())
        self.assertTrue(told.endswith(f"{offers} new choices."), told)

    @chromium_only
    def test_a_screen_reader_hears_each_turn_once_and_a_reload(self):
        with open(SCREEN_READER) as file:
            bundle = file.read()
        exported = re.search(r"export\s*\{([^}]*)\};?\s*(/\*[\s\S]*)?$", bundle)
        local = re.search(r"([\w$]+) as virtual\b", exported.group(1)).group(1)
        # It listens to the news alone: the page's status line speaks of the page, not of turns.
        reader = ("(() => {" + bundle[:exported.start()] + f"\nwindow.townwrightReader = {local};"
                  "\naddEventListener('DOMContentLoaded', () => window.townwrightReader.start("
                  "{container: document.getElementById('news')}));})();")
        # On every page of the tab from now on, before its own scripts run.
        script = self.browser.cdp("Page.addScriptToEvaluateOnNewDocument", {"source": reader})
        try:
            self.start(self.address + SEEDED)
            self.play()
            self.click(self.ids.save)
            self.wait_for("the box", "return document.querySelector('[role=dialog]') !== null;")
            self.browser.press("Enter")
            self.play(2)
            told = self.heard_told()
            self.assertEqual(len(told), 2, told)
            self.assertTrue(told[0].startswith("polite: January 2, 2008. Treasury $"), told)
            self.assertTrue(told[1].startswith("polite: January 3, 2008."), told)
            self.browser.reload()
            self.wait_until_idle()
            self.assertEqual(self.heard_told(), ["polite: The game goes on: January 3, 2008."])
        finally:
            self.browser.cdp("Page.removeScriptToEvaluateOnNewDocument",
                             {"identifier": script["identifier"]})
            self.js("if (window.townwrightReader) await window.townwrightReader.stop();")

    def heard_told(self):
        """What the reader said of the region's changes (it names the region itself at first)."""
        return [phrase for phrase in self.js("return await window.townwrightReader"
                                             ".spokenPhraseLog();")
                if phrase.startswith("polite: ")]

    def test_the_whole_game_by_keyboard_alone(self):
        # Twenty turns with the keys alone: every choice and every tax box reached in creation
        # order with Tab and Shift+Tab, the choices pressed with Space and Enter, a rate changed
        # and applied, a box answered, and the game ended with "Exit"; the focus always seen, and
        # where it was after every turn.
        self.start(self.address + SEEDED)
        stops = [fact["id"] for fact in self.table
                 if fact["kind"] in ("button", "text box") and fact["with_window"]]
        self.browser.press("Tab")
        self.assertEqual(self.focus(), [stops[0], True])
        self.tab_to(stops, stops[-1])
        self.browser.press("Tab")  # past the window: the rules
        self.assertEqual(self.focus(), ["summary", True])
        self.browser.press("Shift+Tab")
        self.tab_to(stops, stops[0])
        turns = 0
        for turn in range(9):  # each choice in turn, by Space or Enter, going down the list
            choice = self.ids.choices[turn]
            self.tab_to(stops, choice)
            turns += self.press_choice(choice, "Space" if turn % 2 else "Enter")
            if turn == 0:
                stops += self.ids.tax_boxes  # made by the first turn, after every other control
        self.tab_to(stops, self.ids.income_tax)
        for rate in ("25", "5", "10"):  # a box reached by Tab has its text selected
            self.browser.type(rate)
            if rate != "10":
                self.browser.press("Tab")
        self.tab_to(stops, self.ids.update_tax_rates)
        self.browser.press("Space")
        self.wait_until_idle()
        self.tab_to(stops, self.ids.choices[8])
        turns += self.press_choice(self.ids.choices[8], "Space")
        self.assertEqual([self.text(box) for box in self.ids.tax_boxes], [" 25", " 5", " 10"])
        self.tab_to(stops, self.ids.save)
        self.browser.press("Space")
        self.wait_for("the box", "return document.querySelector('[role=dialog]') !== null;")
        self.assertEqual(self.focus(), ["button", True], "the box's OK")
        self.browser.press("Enter")
        self.assertEqual(self.message_boxes(), [])
        self.assertEqual(self.focus(), [self.ids.save, True], "back where it was")
        while turns < 20:
            self.tab_to(stops, self.ids.choices[turns % 9])
            turns += self.press_choice(self.ids.choices[turns % 9], "Space")
        self.tab_to(stops, self.ids.exit)
        self.browser.press("Space")
        self.wait_for("the end", "return document.querySelector('.window') === null;")
        self.assertEqual(self.js("return document.activeElement.textContent;"), "Start a new game")

    def focus(self):
        return self.js(FOCUS)

    def tab_to(self, stops, target):
        """Tab, or Shift+Tab where the target lies before, from stop to stop until the target has
        the focus, each step to the next stop in creation order, its focus seen."""
        here = stops.index(self.focus()[0])
        there = stops.index(target)
        step = 1 if there > here else -1
        for index in range(here + step, there + step, step):
            self.browser.press("Tab" if step > 0 else "Shift+Tab")
            self.assertEqual(self.focus(), [stops[index], True])

    def press_choice(self, choice, key):
        """One turn by `key` on the focused choice; the focus stays on it, seen."""
        before = self.text(self.ids.day)
        self.browser.press(key)
        self.wait_until_idle()
        self.assertNotEqual(self.text(self.ids.day), before)
        self.assertEqual(self.focus(), [choice, True], "the focus after the turn")
        return 1
