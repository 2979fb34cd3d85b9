"""The three browser engines the page's tests run in, each behind the same few verbs.

- Chromium: Debian's chromium and chromedriver, driven by Selenium; its DevTools protocol gives the
  phone emulation, touch, the installability check and the processor's throttling.
- Firefox: Debian's firefox-esr over WebDriver BiDi, driven by puppeteer-core (firefox_bridge.mjs
  beside this file, from the lockfile's node_modules), since Debian has no geckodriver.
- WebKit: WebKitGTK's MiniBrowser through WebKitWebDriver, driven by Selenium, on a virtual X
  server of its own. Its driver gives a button's text as empty, so everything is read from the DOM
  with scripts, in every engine alike.

Each browser starts with a fresh profile and its own background traffic off, so that every
request it makes is the page's.
"""

import json
import os
import shutil
import subprocess
import tempfile

from selenium import webdriver
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

from drive.scripts import script

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE = os.path.normpath(os.path.join(HERE, "..", ".."))
CHROMIUM_FLAGS = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                  "--disable-background-networking", "--disable-component-update",
                  "--disable-sync", "--window-size=1024,800"]
MINIBROWSER = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser"
KEYS = {"Enter": Keys.ENTER, "Escape": Keys.ESCAPE, "Tab": Keys.TAB, "Space": Keys.SPACE,
        "Shift": Keys.SHIFT}

# Where the engine has no console log of its own to read (WebKit's driver), the page's errors are
# caught from the moment this runs, after the page has loaded.
CATCH_ERRORS_JS = os.path.join(HERE, "catch_errors.js")
CATCH_ERRORS = script(CATCH_ERRORS_JS, "catchErrors")


class Selenium:
    """The verbs for a Selenium driver."""

    driver = None

    def open(self, url):
        self.driver.get(url)

    def reload(self):
        self.driver.refresh()

    def js(self, body, *args):
        """Runs a function body that reads `arguments`; a promise it returns is awaited."""
        return self.driver.execute_script(body, *args)

    def click(self, selector):
        self.driver.find_element(By.CSS_SELECTOR, selector).click()

    def press(self, key):
        """A key, or a chord such as "Shift+Tab"."""
        *held, key = key.split("+")
        actions = ActionChains(self.driver)
        for modifier in held:
            actions.key_down(KEYS[modifier])
        actions.send_keys(KEYS[key])
        for modifier in reversed(held):
            actions.key_up(KEYS[modifier])
        actions.perform()

    def type(self, text):
        ActionChains(self.driver).send_keys(text).perform()

    def screenshot(self, selector, path):
        self.driver.find_element(By.CSS_SELECTOR, selector).screenshot(path)


class Chromium(Selenium):
    name = "chromium"
    can_emulate = True

    def __init__(self):
        from selenium.webdriver.chrome.service import Service
        self.profile = tempfile.mkdtemp(prefix="townwright-chromium-")
        options = webdriver.ChromeOptions()
        options.binary_location = "/usr/bin/chromium"
        for flag in CHROMIUM_FLAGS + [f"--user-data-dir={self.profile}"]:
            options.add_argument(flag)
        options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
        self.driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
        self.driver.set_script_timeout(60)

    def cdp(self, command, parameters=None):
        return self.driver.execute_cdp_cmd(command, parameters or {})

    def resize(self, width, height, mobile=False, scale=1):
        self.cdp("Emulation.setDeviceMetricsOverride",
                 {"width": width, "height": height, "deviceScaleFactor": scale, "mobile": mobile})
        self.cdp("Emulation.setTouchEmulationEnabled", {"enabled": mobile, "maxTouchPoints": 5})

    def devtools_tab(self, handle):
        """Tab `handle` driven over the DevTools protocol itself: chromedriver gives a tab up for
        good once its page has crashed, even after it is loaded again."""
        address = self.driver.capabilities["goog:chromeOptions"]["debuggerAddress"]
        return DevToolsTab(f"ws://{address}/devtools/page/{handle}")

    def tap(self, selector):
        """A finger's tap at the middle of the element, as the touch screen sends it."""
        x, y = self.js("const target = document.querySelector(arguments[0]);"
                       "target.scrollIntoView({block: 'center'});"
                       "const r = target.getBoundingClientRect();"
                       "return [r.left + r.width / 2, r.top + r.height / 2];", selector)
        for kind, points in (("touchStart", [{"x": x, "y": y}]), ("touchEnd", [])):
            self.cdp("Input.dispatchTouchEvent", {"type": kind, "touchPoints": points})

    def errors(self):
        return [entry["message"] for entry in self.driver.get_log("browser")
                if entry["level"] == "SEVERE"]

    def quit(self):
        self.driver.quit()
        shutil.rmtree(self.profile, ignore_errors=True)


class DevToolsTab:
    """A Chromium tab over a DevTools connection of its own, with the verbs its page needs."""

    def __init__(self, url):
        self.url = url

    def call(self, method, parameters=None, answered=True):
        """Sends one command; its result, or None where the page goes without answering."""
        import trio
        import trio_websocket

        async def send():
            async with trio_websocket.open_websocket_url(self.url) as socket:
                await socket.send_message(json.dumps(
                    {"id": 1, "method": method, "params": parameters or {}}))
                with trio.move_on_after(30 if answered else 2):
                    while True:
                        answer = json.loads(await socket.get_message())
                        if answer.get("id") == 1:
                            if "error" in answer:
                                raise RuntimeError(f"{method}: {answer['error']}")
                            return answer["result"]
                if answered:
                    raise RuntimeError(f"{method}: no answer")
                return None
        return trio.run(send)

    def js(self, expression):
        """The value of a script's expression; a promise it gives is awaited."""
        result = self.call("Runtime.evaluate", {"expression": expression, "returnByValue": True,
                                                "awaitPromise": True})
        if "exceptionDetails" in result:
            raise RuntimeError(result["exceptionDetails"].get("text", "an exception"))
        return result["result"].get("value")

    def type(self, text):
        self.call("Input.insertText", {"text": text})

    def crash_and_reload(self):
        """The page's renderer crashes, as the DevTools protocol makes it, and is loaded again."""
        self.call("Page.crash", answered=False)
        self.call("Page.reload")

    def close(self):
        self.call("Page.close")


class WebKit(Selenium):
    name = "webkit"
    can_emulate = False

    def __init__(self):
        self.work = tempfile.mkdtemp(prefix="townwright-webkit-")
        self.display = subprocess.Popen(
            ["Xvfb", "-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        number = self.display.stdout.readline().strip()
        if not number:
            raise RuntimeError("Xvfb did not start")
        environment = dict(os.environ, DISPLAY=f":{number}", HOME=self.work)
        environment.pop("WAYLAND_DISPLAY", None)
        options = webdriver.WebKitGTKOptions()
        options.binary_location = MINIBROWSER
        options.add_argument("--automation")
        saved = os.environ.copy()
        os.environ.clear()
        os.environ.update(environment)  # the driver and its browser inherit the display
        try:
            self.driver = webdriver.WebKitGTK(executable_path="/usr/bin/WebKitWebDriver",
                                              options=options,
                                              service_log_path=os.path.join(self.work, "log"))
        finally:
            os.environ.clear()
            os.environ.update(saved)
        self.driver.set_script_timeout(60)
        self.driver.set_window_size(1024, 800)

    def open(self, url):
        super().open(url)
        self.js(CATCH_ERRORS)

    def reload(self):
        super().reload()
        self.js(CATCH_ERRORS)

    def resize(self, width, height):
        self.driver.set_window_size(width, height)

    def errors(self):
        return self.js("const found = window.townwrightErrors || []; window.townwrightErrors = [];"
                       "return found;") or []

    def quit(self):
        try:
            self.driver.quit()
        finally:
            self.display.terminate()
            self.display.wait()
            shutil.rmtree(self.work, ignore_errors=True)


class Firefox:
    name = "firefox"
    can_emulate = False

    def __init__(self):
        self.profile = tempfile.mkdtemp(prefix="townwright-firefox-")
        self.bridge = subprocess.Popen(
            ["node", os.path.join(HERE, "firefox_bridge.mjs"), self.profile], cwd=SOURCE,
            stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
        self.calls = 0

    def call(self, op, *args):
        self.calls += 1
        self.bridge.stdin.write(json.dumps({"id": self.calls, "op": op, "args": list(args)}) + "\n")
        self.bridge.stdin.flush()
        line = self.bridge.stdout.readline()
        if not line:
            raise RuntimeError("the Firefox bridge stopped")
        answer = json.loads(line)
        if "error" in answer:
            raise RuntimeError(answer["error"])
        return answer["result"]

    def open(self, url):
        self.call("open", url)

    def reload(self):
        self.call("reload")

    def js(self, body, *args):
        return self.call("js", body, list(args))

    def click(self, selector):
        self.call("click", selector)

    def press(self, key):
        self.call("press", key)

    def type(self, text):
        self.call("type", text)

    def resize(self, width, height):
        self.call("resize", width, height)

    def screenshot(self, selector, path):
        self.call("screenshot", selector, path)

    def errors(self):
        return self.call("errors")

    def quit(self):
        try:
            self.call("quit")
        except RuntimeError:
            pass
        self.bridge.wait(timeout=30)
        shutil.rmtree(self.profile, ignore_errors=True)


ENGINES = {"chromium": Chromium, "firefox": Firefox, "webkit": WebKit}
