"""The page at a phone's size (390 x 844, touch): where the figures and the choices lie on its
first screen, the game it keeps for its tab, and its turns with the processor slowed four times
against another build's page, alternated."""

from chromium import Browser

# The eight figures with their eight trends, and the nine choices.
BLOCK = [*range(1029, 1045), *range(1011, 1020)]

# The highest top and the lowest bottom of the controls arguments[0], on the page (wherever it is
# scrolled to), and the viewport's height.
BLOCK_PLACE = """
const rects = arguments[0].map((id) => document.getElementById(`control-${id}`)
                                              .getBoundingClientRect());
return [Math.min(...rects.map((r) => r.top)) + scrollY,
        Math.max(...rects.map((r) => r.bottom)) + scrollY, innerHeight];"""

# The game kept for the tab, once the store that follows an event has been made.
KEPT = """
const done = arguments[arguments.length - 1];
const names = () => Object.keys(sessionStorage).filter((n) => n.startsWith('townwright-game'));
setTimeout(() => done(names().map((name) => sessionStorage.getItem(name))), 100);
"""


def play_new_game(address, seed, turns):
    """A new game from `seed` played `turns` turns of "do nothing" at phone size: the figures and
    choices' block (top, bottom, viewport's height) before the first turn and after it, and the
    copy kept after the last turn."""
    with Browser() as browser:
        browser.emulate_phone()
        browser.open_new_game(f"{address}?seed={seed}")
        browser.wait_shown()
        before = browser.js(BLOCK_PLACE, BLOCK)
        browser.timed_turns(1)
        after = browser.js(BLOCK_PLACE, BLOCK)
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
