"""The page at a phone's size (390 x 844, touch): where the figures and the choices lie on its
first screen, the game it keeps for its tab, and its turns with the processor slowed four times
against another build's page, alternated."""

from chromium import SCRIPTS, Browser
from drive.scripts import script


def block(table):
    """The eight figures with their eight trends, and the nine choices."""
    figures = [fact["name"] for fact in table if fact["source"] == "indicator"]
    return ([table.box(name) for name in figures] +
            [table.box(f"{name} trend") for name in figures] +
            [table.choice(k) for k in range(1, 10)])


BLOCK_PLACE = script(SCRIPTS, "blockPlace")
KEPT = script(SCRIPTS, "keptCopies")


def play_new_game(address, seed, turns):
    """A new game from `seed` played `turns` turns of "do nothing" at phone size: the figures and
    choices' block (top, bottom, viewport's height) before the first turn and after it, and the
    copy kept after the last turn."""
    with Browser() as browser:
        browser.emulate_phone()
        browser.open_new_game(f"{address}?seed={seed}")
        browser.wait_shown()
        before = browser.js(BLOCK_PLACE, block(browser.table))
        browser.timed_turns(1)
        after = browser.js(BLOCK_PLACE, block(browser.table))
        browser.timed_turns(turns - 1)
        copies = browser.driver.execute_async_script(KEPT)
    return before, after, copies[0] if len(copies) == 1 else None


def phone_turns(address, count):
    """`count` turns in a fresh browser at phone size, the processor slowed four times, after one
    turn untimed (the first brings the tax boxes, which no later one does)."""
    with Browser() as browser:
        browser.emulate_phone()
        browser.driver.get(address)
        browser.wait_shown()
        browser.timed_turns(1)
        browser.throttle(4)
        return browser.timed_turns(count)


def alternated_phone_turns(addresses, rounds, count):
    """Turns at phone size of each page in `addresses`, `count` at a time in fresh browsers, the
    pages taking turns for `rounds` rounds: by page, a list of (to idle, to painted)."""
    turns = [[] for _ in addresses]
    for _ in range(rounds):
        for page, address in enumerate(addresses):
            turns[page].extend(phone_turns(address, count))
    return turns
