"""The platform contract on the page, each case named as the native backends' suite names it
(platform/contract/platform_test.cc), where the page can play it: the window as it starts, a turn
per click with its pauses painted, clicks and typing during a turn, the tax boxes, the "KRT"
boxes and their limit, "Exit", and Enter and Escape in a tax box."""

import random

from page import (KEPT, WATCH_TURN, PageTest, chromium_only, normalized)


class ContractTest(PageTest):
    def test_the_window_starts_with_its_controls_the_first_choices_and_the_unset_date(self):
        self.start()
        self.assertEqual(self.js("return document.title;"),
                         "Townwright - by the Townwright developers")
        self.assertEqual(self.message_boxes(), [])
        self.check_controls(after_first_turn=False)
        self.assertEqual([self.text(b) for b in (self.ids.month, self.ids.year, self.ids.day)],
                         ["January", "2007", "31"])

    def test_each_click_on_a_choice_plays_exactly_one_turn(self):
        # One click, one turn, its nine captions shown one after another.
        self.start()
        captions = [self.text(choice) for choice in self.ids.choices]
        self.js(WATCH_TURN)
        self.click(self.ids.choices[0])
        self.wait_until_idle()
        self.assertEqual([self.text(b) for b in (self.ids.month, self.ids.year, self.ids.day)],
                         ["January", " 2008", " 2"])
        self.assertNotEqual([self.text(choice) for choice in self.ids.choices], captions)
        self.check_turn_was_painted_pause_by_pause()
        self.check_controls(after_first_turn=True)
        for _ in range(4):
            self.play()  # the fifth turn ends with the window of the README's picture
        if self.screenshot:
            self.js("document.activeElement.blur();")
            self.browser.screenshot(".window", self.screenshot)

    def check_turn_was_painted_pause_by_pause(self):
        """The captions changed at several moments, with frames painted between them."""
        timeline = self.js("return window.townwrightTimeline;")
        frames = [entry[1] for entry in timeline if entry[0] == "frame"]
        changes = [entry[1] for entry in timeline if entry[0] == "caption"]
        self.assertTrue(changes, "the captions changed")
        painted_between = {sum(frame < moment for frame in frames) for moment in changes}
        self.assertGreaterEqual(len(painted_between), 2, "a frame was painted between two captions")

    def test_clicks_during_a_turn_wait_and_each_plays_a_turn_of_its_own(self):
        self.start()
        self.play()
        before = self.date()
        for _ in range(3):
            self.click(self.ids.choices[0])
        self.wait_until_idle()
        self.assertEqual(self.date(), before + 3)

    def test_typed_rates_count_only_through_update_tax_rates(self):
        self.start()
        self.play()
        # Typing alone changes nothing; "Update Tax Rates" takes the boxes at the next turn.
        shown = self.text(self.ids.income_tax)
        self.type_into(self.ids.income_tax, "25")
        self.play()
        self.assertEqual(self.text(self.ids.income_tax), shown)
        for box, rate in zip(self.ids.tax_boxes, ("25", "5", "10")):
            self.type_into(box, rate)
        self.click(self.ids.update_tax_rates)
        self.wait_until_idle()
        self.assertEqual(self.text(self.ids.income_tax), "25")  # not rewritten before the turn
        self.play()
        self.assertEqual([self.text(b) for b in self.ids.tax_boxes], [" 25", " 5", " 10"])

    @chromium_only
    def test_a_pasted_megabyte_is_cut_where_the_desktop_cuts_it(self):
        # A megabyte of any characters pasted: cut where the desktop's boxes cut it, and read as
        # the number it starts with.
        self.start()
        self.play()
        chance = random.Random(13)
        junk = "".join(chr(chance.choice([chance.randrange(32, 0xD7FF),
                                          chance.randrange(0x1F300, 0x1FAFF)]))
                       for _ in range(1_000_000))
        box = f"document.getElementById('control-{self.ids.income_tax}')"
        self.js(f"{box}.focus(); {box}.select();")
        self.browser.cdp("Input.insertText", {"text": "7.5" + junk})
        # 32,767 UTF-16 units, one fewer where the cut would split a character in two.
        self.assertIn(self.js(f"return {box}.value.length;"), (32766, 32767))
        self.click(self.ids.update_tax_rates)
        self.wait_until_idle()
        self.play()
        self.assertEqual(self.text(self.ids.income_tax), " 7.5")

    def test_enter_and_escape_in_a_tax_box_do_nothing(self):
        self.start()
        self.play()
        self.type_into(self.ids.income_tax, "25")
        before = self.date()
        self.browser.press("Enter")
        self.browser.press("Escape")
        # Events are handled in order: once the marker's box shows, the keys have been handled.
        self.click_marker()
        self.assertEqual(self.date(), before)
        self.assertEqual(self.text(self.ids.income_tax), "25")

    def click_marker(self):
        """Clicks "Save" as a marker, waits for the one box it opens, and closes it."""
        self.click(self.ids.save)
        self.wait_for("the marker's box", "return document.querySelectorAll('[role=dialog]')"
                      ".length === 1;")
        self.browser.click("[role=dialog] button")

    def test_a_rate_typed_during_a_turn_counts_from_the_turns_end(self):
        # As on the desktop, where the keys wait for the turn to end and land after its refresh:
        # the queued "Update Tax Rates" reads what the player typed.
        self.start()
        self.play()
        self.assertEqual(self.text(self.ids.income_tax), " 33")
        self.click(self.ids.choices[0])
        self.type_into(self.ids.income_tax, "50")
        self.click(self.ids.update_tax_rates)
        self.assertEqual(self.js("return document.querySelector('.window')"
                                 ".getAttribute('aria-busy');"), "true", "typed while the turn ran")
        self.wait_until_idle()
        self.assertEqual(self.text(self.ids.income_tax), "50")
        self.play()
        self.assertEqual(self.text(self.ids.income_tax), " 50")
        # Typed during a turn without "Update Tax Rates": the next turn's refresh shows the rate
        # in force again, as typing alone does.
        self.click(self.ids.choices[0])
        self.type_into(self.ids.sales_tax, "9")
        self.wait_until_idle()
        self.assertEqual(self.text(self.ids.sales_tax), "9")
        self.play()
        self.assertEqual(self.text(self.ids.sales_tax), " 7.5")

    def test_save_load_and_new_open_boxes_that_block_nothing(self):
        self.start()
        # "Save", "Load" and "New" each open a box that blocks nothing; Escape, Enter and OK
        # close the one that has the focus.
        for button in (self.ids.save, self.ids.load, self.ids.new):
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

    def test_presses_stop_opening_boxes_at_the_limit(self):
        self.start()
        self.js(f"for (let i = 0; i < 20; ++i) document.getElementById('control-{self.ids.save}')"
                ".click();")
        self.wait_until_idle()
        self.assertEqual(len(self.message_boxes()), 16, "at most 16 boxes are open")
        for _ in range(16):  # the newest lies on top
            self.browser.click("[role=dialog]:last-of-type button")
        self.assertEqual(self.message_boxes(), [])

    def test_exit_ends_the_window_with_its_boxes_and_everything_after(self):
        self.start()
        self.play()
        # "Exit" ends the game and its boxes, once the turn it was pressed during is over; the page
        # says so in one line and offers a new one.
        self.click(self.ids.choices[0])
        self.click(self.ids.save)
        self.click(self.ids.exit)
        self.wait_for("the window's end", "return document.querySelectorAll('.window').length"
                      " === 0;")
        self.assertEqual(self.message_boxes(), [])
        self.assertEqual(normalized(self.js("return document.getElementById('status')"
                                            ".textContent;")),
                         "The game has ended. Start a new game")
        self.assertEqual(self.js(KEPT), [], "nothing of an ended game is kept")
        self.browser.click("#status a")
        self.wait_until_idle()
        self.assertEqual(self.text(self.ids.year), "2007")
        self.play()
