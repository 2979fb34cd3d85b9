// The running game kept for the life of the tab (web_platform.cc's KeepGame and KeptGame): in the
// tab's session storage, which the browser keeps across a reload, a tab discarded and restored, a
// crashed page loaded again and a session restored, and which goes with the tab. One entry for
// each copy of the game, named after its folder, so that two copies served from one host keep a
// game each. Nothing else of the page is stored.

var TownwrightKeptGame = (function () {
  'use strict';

  const key = `townwright-game ${new URL('.', location.href).pathname}`;

  // Session storage may be refused (a browser that blocks a site's storage throws on its very
  // name) or full: then no game is kept, and never an older one in place of the current.
  function forget() {
    try {
      sessionStorage.removeItem(key);
    } catch (refused) {
      // Nothing was kept, then.
    }
  }

  return {
    keep(copy) {
      if (!copy) {
        forget();
        return;
      }
      try {
        sessionStorage.setItem(key, copy);
      } catch (full) {
        forget();
      }
    },

    kept() {
      try {
        return sessionStorage.getItem(key) || '';
      } catch (refused) {
        return '';
      }
    },

    forget,
  };
})();
