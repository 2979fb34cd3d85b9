"""The JavaScript that the tests and tools run inside a page, kept in .js files of functions, which
ESLint checks like any other: script(FILE, NAME) is a body for WebDriver's Execute Script (and the
Firefox bridge's js) that runs the function NAME of FILE with the call's arguments, and returns
what it returns (a promise awaited); expression() is the same as one expression, for a tab driven
over the DevTools protocol."""

import functools
import json


@functools.lru_cache(maxsize=None)
def _source(path):
    with open(path) as file:
        return file.read()


def script(path, name):
    return f"{_source(path)}\nreturn {name}(...arguments);"


def expression(path, name, *arguments):
    return f"(function () {{ {script(path, name)} }}).apply(null, {json.dumps(list(arguments))})"
