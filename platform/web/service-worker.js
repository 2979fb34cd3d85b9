// Keeps the page's files for playing without a connection. Each build writes its own release into
// this file: the name of its files' cache (from their contents) and their list, so a browser
// finds a new release by this file's change alone. A release's files are served from its own cache
// only, so no page runs files of two releases: a new worker waits until no page of the old one is
// open, and then the old cache goes. The caches are named after the worker's scope (its folder)
// too, and a worker deletes only its own folder's: another copy of the game on the same host, in
// another folder, keeps its files.
'use strict';

const kRelease = '@TOWNWRIGHT_RELEASE@';
const kFiles = '@TOWNWRIGHT_FILES@'.split(',');
const kScope = new URL(self.registration.scope);
// A URL's path holds no space (it would be escaped), so the space after it ends it: the caches of
// "/game/" and of "/game/preview/" are told apart.
const kScopeCaches = `townwright ${kScope.pathname} `;
const kCache = kScopeCaches + kRelease;

self.addEventListener('install', (event) => {
  // Fetched anew, past any copy the browser's HTTP cache may hold of an older release.
  event.waitUntil(caches.open(kCache).then((cache) =>
    cache.addAll(kFiles.map((name) => new Request(name, {cache: 'reload'})))));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys().then((names) => Promise.all(names
      .filter((name) => name.startsWith(kScopeCaches) && name !== kCache)
      .map((name) => caches.delete(name)))));
});

self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET') return;
  const url = new URL(event.request.url);
  if (url.origin !== kScope.origin || !url.pathname.startsWith(kScope.pathname)) return;
  // The folder itself is its index.html; a query string (a link's "Try again") changes nothing.
  const name = url.pathname.slice(kScope.pathname.length) || 'index.html';
  if (!kFiles.includes(name)) return;
  event.respondWith(caches.open(kCache)
      .then((cache) => cache.match(name))
      .then((kept) => kept || fetch(event.request)));
});
