// The first of the page's scripts: it says on the page when the game's script or module cannot be
// downloaded, rather than leaving a page that says it is starting, and it has the worker keep the
// page's files for playing without a connection.
'use strict';

// Says `line` where the page says how the game stands, with a link that loads the page anew where
// `linkText` is given. The game's own script says its news through it too.
function townwrightSay(line, linkText) {
  const status = document.getElementById('status');
  status.textContent = line;
  if (linkText) {
    const again = document.createElement('a');
    again.href = '';  // this very page, loaded anew
    again.textContent = linkText;
    status.append(' ', again);
  }
  status.hidden = false;
}

function townwrightNotLoaded() {
  townwrightSay('The game could not be loaded.', 'Try again');
}

// A script that fails to load tells its own element, which no listener of the page's is on yet:
// caught on the way down.
window.addEventListener('error', (event) => {
  if (event.target instanceof HTMLScriptElement) townwrightNotLoaded();
}, true);

// Where workers are not offered (a page from disk, an old browser) the game plays as before.
if ('serviceWorker' in navigator) {
  navigator.serviceWorker.register('service-worker.js').catch(() => {});
}
