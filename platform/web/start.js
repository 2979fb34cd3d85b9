// The first of the page's scripts: it says on the page when the game's script or module cannot be
// downloaded, rather than leaving a page that says it is starting, and it has the worker keep the
// page's files for playing without a connection.
'use strict';

function townwrightNotLoaded() {
  const status = document.getElementById('status');
  const again = document.createElement('a');
  again.href = '';  // this very page, loaded anew
  again.textContent = 'Try again';
  status.replaceChildren('The game could not be loaded. ', again);
  status.hidden = false;
}

// A script that fails to load tells its own element, which no listener of the page's is on yet:
// caught on the way down.
window.addEventListener('error', (event) => {
  if (event.target instanceof HTMLScriptElement) townwrightNotLoaded();
}, true);

// Where workers are not offered (a page from disk, an old browser) the game plays as before.
if ('serviceWorker' in navigator) navigator.serviceWorker.register('service-worker.js').catch(() => {});
