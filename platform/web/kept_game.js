// The running game kept for the life of the tab (web_platform.cc's KeepGame and KeptGame): in the
// tab's session storage, which the browser keeps across a reload, a tab discarded and restored, a
// crashed page loaded again and a session restored, and which goes with the tab. One entry for
// each copy of the game, named after its folder, so that two copies served from one host keep a
// game each. Nothing else of the page is stored.
//
// Storing a copy costs more than making it, so it is stored once the event that made it is done,
// rather than within the event: the window is ready for the player's next action sooner. Before
// the page goes (a reload, another address, a tab put away or closed) a copy not stored yet is
// stored at once; only a crash within that moment finds the copy of the event before.

var TownwrightKeptGame = (function () {
  'use strict';

  const key = `townwright-game ${new URL('.', location.href).pathname}`;
  let waiting = null;  // the copy to store next; '' to keep none

  // Session storage may be refused (a browser that blocks a site's storage throws on its very
  // name) or full: then no game is kept, and never an older one in place of the current.
  function forget() {
    try {
      sessionStorage.removeItem(key);
    } catch {
      // Nothing was kept, then.
    }
  }

  function store() {
    if (waiting === null) return;
    const copy = waiting;
    waiting = null;
    if (!copy) {
      forget();
      return;
    }
    try {
      sessionStorage.setItem(key, copy);
    } catch {
      forget();
    }
  }

  addEventListener('pagehide', store);
  document.addEventListener('visibilitychange', store);
  document.addEventListener('freeze', store);

  return {
    keep(copy) {
      if (waiting === null) setTimeout(store, 0);
      waiting = copy;
    },

    kept() {
      if (waiting !== null) return waiting;
      try {
        return sessionStorage.getItem(key) || '';
      } catch {
        return '';
      }
    },

    // At once: the page is stopping.
    forget() {
      waiting = null;
      forget();
    },
  };
})();
