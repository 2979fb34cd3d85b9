"""The game kept for the tab: brought back by a reload after any action, also during a turn's
pauses, and after a crash; a damaged copy never used."""

from drive.browsers import CATCH_ERRORS_JS
from drive.scripts import expression
from page import KEPT, PAGE_SCRIPTS, SEEDED, SHOWN, PageTest, chromium_only


class KeptGameTest(PageTest):
    def test_a_reload_brings_back_the_same_game(self):
        # One game played through, then the same seed's game with a reload after every step: each
        # reload shows the window of the game played through, typing included, and each next turn
        # its figures.
        steps = [
            ("the window as it starts", lambda: None),
            ("a month typed", lambda: self.type_into(self.ids.month, "Smarch")),
            ("a turn", lambda: self.play(4)),
            ("rates applied", lambda: self.type_rates("25", "5", "10")),
            ("another turn", lambda: self.play(1)),
            ("a rate typed, not applied", lambda: self.type_into(self.ids.income_tax, "12.5")),
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
        self.click(self.ids.exit)
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
        self.click(self.ids.new)
        self.assertEqual([b["message"] for b in self.message_boxes()],
                         ["That button is not enabled"])

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
        self.click(self.ids.choices[2])
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
                ("a character changed",
                 copy[:middle] + "AB"[copy[middle] == "A"] + copy[middle + 1:]),
                ("cut short", copy[:middle]),
                ("no copy at all", "\u2603 a snowman")):
            self.js("sessionStorage.setItem(arguments[0], arguments[1]);", name, damaged)
            self.browser.reload()
            self.wait_until_idle()
            # Nothing of the copy shows: the window of a new game, which plays.
            self.assertEqual([self.text(b) for b in (self.ids.month, self.ids.year, self.ids.day,
                                                     self.ids.treasury)],
                             ["January", "2007", "31", ""], why)
            self.play()
            self.assertEqual([n for n, _ in self.js(KEPT)], [name], why)
            self.assertNotEqual(self.js(KEPT)[0][1], damaged, why)

    @chromium_only
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
        steps = [("click", self.ids.choices[2]), ("type", self.ids.income_tax, "40"),
                 ("click", self.ids.update_tax_rates), ("click", self.ids.choices[0]),
                 ("type", self.ids.sales_tax, "9"), ("click", self.ids.choices[6])]
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
                crashing.js(expression(CATCH_ERRORS_JS, "catchErrors"))
                self.assertEqual(crashing.js(expression(PAGE_SCRIPTS, "shown")), self.js(SHOWN),
                                 f"after step {number + 1}")
                self.assertEqual(crashing.js("window.townwrightErrors"), [])
            driver.switch_to.new_window("tab")
            self.start(self.address + SEEDED)
            self.assertEqual([self.text(b) for b in (self.ids.year, self.ids.day)], ["2007", "31"])
            driver.close()
        finally:
            crashing.close()
            driver.switch_to.window(second)
