"""The page's layouts: every figure whole on every phone in every engine; in Chromium, by touch and
by mouse, every width from 320 to 1920 pixels, tablets and phones either way up, and a phone
turned during a turn."""

import os
import shutil
import tempfile

from page import (FRAMES_IDLE, LONGEST_FIGURES, MEASURE, NARROW, ONE_SCREEN, PHONE_WIDTHS,
                  SCREENSHOTS, SHOW_CAPTIONS, TOUCH, WIDE, PageTest, Server, chromium_only)


class LayoutTest(PageTest):
    def test_every_figure_whole_on_every_phone(self):
        # The page at each phone's width, in a frame of that size: every figure box shows the
        # longest text of each form whole, the plain form at 12 pixels or more, the exponent form
        # at 8 or more, and no box moves or grows for it.
        folder = tempfile.mkdtemp(prefix="townwright-frames-")
        try:
            shutil.copytree(self.site, folder, dirs_exist_ok=True)
            with open(os.path.join(folder, "frames.html"), "w") as file:
                frames = "".join(f"<iframe src='./' width={w} height={h} style='border:0'>"
                                 "</iframe>" for w, h in PHONE_WIDTHS)
                file.write("<!doctype html><link rel=icon href=townwright.svg>"
                           f"<body style='margin:0'>{frames}")
            with Server(folder) as server:
                self.browser.open(server.address + "frames.html")
                self.wait_for("every frame's window idle", FRAMES_IDLE)
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

    @chromium_only
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
        desktop = self.js("return [...document.querySelectorAll('.window, .client > *')]"
                          ".map((c) => { const r = c.getBoundingClientRect();"
                          " return [r.width, r.height]; });")
        for width, height, mobile in WIDE:
            # As on the desktop, to the pixel: every control at its desktop size, centred, not
            # scaled.
            self.emulate(width, height, mobile)
            self.assertEqual(self.js("return document.documentElement.classList"
                                     ".contains('narrow')"),
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
            (self.browser.tap if mobile else self.browser.click)(f"#control-{self.ids.choices[0]}")
            scrolled = self.js("return scrollY;")
            self.wait_for_date(date + 1)
            # A tap's click would come before the marker's: once its box shows, all has come.
            self.js("document.getElementById(arguments[0]).click();",
                    f"control-{self.ids.save}")
            self.wait_for("the marker's box",
                          "return document.querySelectorAll('[role=dialog]').length === 1;")
            self.js("document.querySelector('[role=dialog] button').click();")
            self.assertEqual(self.date(), date + 1, f"{size}: one tap, one turn")
            self.assertEqual(self.js("return scrollY;"), scrolled, f"{size}: scrolled by itself")
            self.assertEqual(self.places(), before, f"{size}: a control moved")
            # Nor would any other captions: none at all, or the catalogue's longest on all nine;
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
                    "const style = (id) => getComputedStyle(document.getElementById(id))"
                    ".backgroundImage;"
                    "return [style(arguments[0]), style(arguments[1])];",
                    f"control-{self.ids.choices[0]}", f"control-{self.ids.choices[8]}"), size)
                # The page's touch action holds for all it contains: no wait for a double tap.
                self.assertEqual(self.js(
                    "return getComputedStyle(document.documentElement).touchAction;"),
                    "manipulation")
        # Eight "KRT" boxes' cascade on the smallest screens, upright and sideways: each box and its
        # OK whole within the screen.
        for width, height in ((320, 568), (568, 320)):
            self.emulate(width, height, True)
            self.js("for (let i = 0; i < 8; ++i) document.getElementById(arguments[0]).click();",
                    f"control-{self.ids.save}")
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

    @chromium_only
    def test_turning_the_phone_during_a_turn(self):
        self.emulate(390, 844, True)
        self.start()
        self.play()
        self.type_into(self.ids.sales_tax, "12")
        before = self.date()
        self.browser.tap(f"#control-{self.ids.choices[0]}")
        self.type_into(self.ids.income_tax, "40")
        self.emulate(844, 390, True)  # sideways: four indicators to a line
        self.assertEqual(self.js("return document.querySelector('.client').style"
                                 ".getPropertyValue('--grid-rows').split('--row-f').length;"),
                         1 + 2 * 2, "two lines of figures and two of trends")
        self.assertEqual(self.js("return document.activeElement.id;"),
                         f"control-{self.ids.income_tax}")
        self.browser.tap(f"#control-{self.ids.update_tax_rates}")
        self.emulate(390, 844, True)
        self.wait_for_date(before + 1)
        self.play()
        self.assertEqual([self.text(self.ids.income_tax), self.text(self.ids.sales_tax)],
                         [" 40", " 7.5"])
