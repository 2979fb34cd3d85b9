#!/usr/bin/env python3
"""Serves a folder of static files (the game's site) on 127.0.0.1, as any static host would.

Only files inside the folder are served, with the types a browser needs (application/wasm for the
module). Every request is recorded, for the tests that the page asks for nothing else.
"""

import argparse
import functools
import http.server
import signal
import sys
import threading

TYPES = {
    ".html": "text/html; charset=utf-8",
    ".js": "text/javascript; charset=utf-8",
    ".wasm": "application/wasm",
    ".svg": "image/svg+xml",
    "": "application/octet-stream",
}


class Handler(http.server.SimpleHTTPRequestHandler):
    extensions_map = TYPES

    def __init__(self, *args, requests=None, quiet=False, **kwargs):
        self._requests = requests
        self._quiet = quiet
        super().__init__(*args, **kwargs)

    def end_headers(self):
        # Each run loads what was just built.
        self.send_header("Cache-Control", "no-store")
        super().end_headers()

    def log_message(self, format, *args):  # noqa: A002 (the base class's name)
        if self._requests is not None:
            self._requests.append(self.path)
        if not self._quiet:
            sys.stderr.write("%s\n" % (format % args))


class Server:
    """The folder served in a thread of its own; `requests` lists every path asked for."""

    def __init__(self, folder, port=0, quiet=True):
        self.requests = []
        handler = functools.partial(Handler, directory=str(folder), requests=self.requests,
                                    quiet=quiet)
        self._server = http.server.ThreadingHTTPServer(("127.0.0.1", port), handler)
        self.port = self._server.server_address[1]
        self.address = f"http://127.0.0.1:{self.port}/"
        self._thread = threading.Thread(target=self._server.serve_forever, daemon=True)

    def __enter__(self):
        self._thread.start()
        return self

    def __exit__(self, *exception):
        self._server.shutdown()
        self._server.server_close()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("folder")
    parser.add_argument("--port", type=int, default=8000)
    options = parser.parse_args()
    try:
        server = Server(options.folder, options.port, quiet=False)
    except OSError as error:
        print(f"Cannot serve on 127.0.0.1:{options.port}: {error.strerror}", file=sys.stderr)
        return 1
    stop = threading.Event()
    # Ctrl+C or a plain kill: stop serving and leave, even where the shell had SIGINT ignored.
    for number in (signal.SIGINT, signal.SIGTERM, signal.SIGHUP):
        signal.signal(number, lambda *_: stop.set())
    with server:
        print(f"Townwright is at {server.address} (Ctrl+C stops it)", flush=True)
        while not stop.wait(1):
            pass
    print("Stopped.", file=sys.stderr)
    return 0


if __name__ == "__main__":
    sys.exit(main())
