// What the page's tests run inside the page (page.py's script()): each function is run by name, in
// the page, with the arguments the test passes, and what it returns comes back to the test.

// The control's text as the game reads it, for any control: a text box's value, a frame's legend.
function text(id) {
  const c = document.getElementById(id);
  if (c.tagName === 'INPUT') return c.value;
  return c.tagName === 'FIELDSET' ? c.firstChild.textContent : c.textContent;
}

// Records, from inside the page, when the choice buttons' captions change and when frames are
// painted, so that a turn's pauses can be seen (window.townwrightTimeline).
function watchTurn() {
  window.townwrightTimeline = [];
  const record = (entry) => window.townwrightTimeline.push(entry);
  const captions = new MutationObserver((changes) => {
    const now = performance.now();
    for (const change of changes) {
      const control = (change.target.nodeType === Node.TEXT_NODE ? change.target.parentElement
                                                                 : change.target);
      if (control && control.classList.contains('button')) record(['caption', now, control.id]);
    }
  });
  captions.observe(document.querySelector('.client'),
                   {subtree: true, childList: true, characterData: true});
  const frame = () => {
    record(['frame', performance.now()]);
    if (window.townwrightTimeline.length < 5000) requestAnimationFrame(frame);
  };
  requestAnimationFrame(frame);
}

// Records each change of the live region of the news, with when it came (window.townwrightNews).
function watchNews() {
  window.townwrightNews = [];
  const news = document.getElementById('news');
  new MutationObserver(() => window.townwrightNews.push([performance.now(), news.textContent]))
      .observe(news, {childList: true, characterData: true, subtree: true});
}

// What the page keeps in the browser: cookies, both storages, IndexedDB, and the worker's caches
// with the paths they hold.
async function stored() {
  const databases = indexedDB.databases ? await indexedDB.databases() : [];
  const kept = [];
  for (const name of await caches.keys()) {
    for (const request of await (await caches.open(name)).keys()) {
      kept.push(new URL(request.url).pathname);
    }
  }
  return [document.cookie, localStorage.length, Object.keys(sessionStorage), databases.length,
          kept];
}

// The game kept for the tab: the session storage's entries, each as [name, copy].
function kept() {
  return Object.keys(sessionStorage).map((name) => [name, sessionStorage.getItem(name)]);
}

// Every control of the window in document order, each with what it shows and its name.
function shown() {
  return [...document.querySelectorAll('.client > *')].map((c) =>
    [c.id, text(c.id), c.getAttribute('aria-label')]);
}

// Every place on the page's sizes: the controls' rectangles, the viewport, what scrolls.
function measure() {
  const viewport = document.documentElement;
  const controls = [...document.querySelectorAll('.client > *, .message-box, .message-box *')];
  return {
    width: viewport.clientWidth, height: viewport.clientHeight, scrollWidth: viewport.scrollWidth,
    controls: controls.map((c) => {
      const r = c.getBoundingClientRect();
      const style = getComputedStyle(c);
      return {
        id: c.id || c.className, tag: c.tagName, left: r.left, right: r.right, top: r.top,
        bottom: r.bottom, width: r.width, height: r.height, font: parseFloat(style.fontSize),
        text: c.tagName === 'INPUT' ? c.value : c.textContent,
        figure: c.classList.contains('figure'),
        scrolls: (c.tagName !== 'INPUT' || c.classList.contains('figure')) &&
                 c.scrollWidth > c.clientWidth + 1,
      };
    }),
    legends: [...document.querySelectorAll('legend, .caption')].map((c) =>
      parseFloat(getComputedStyle(c).fontSize)),
  };
}

// Every control's rectangle on the page, wherever it is scrolled to.
function places() {
  return Object.fromEntries([...document.querySelectorAll('.client > *')].map((c) => {
    const r = c.getBoundingClientRect();
    return [c.id, [r.left + scrollX, r.top + scrollY, r.width, r.height]];
  }));
}

// The rectangles with no caption on the nine choices, then with each of the captions they keep
// room for (the catalogue's longest) on all nine, in the choices' font or in the size `size` (as a
// phone's larger text setting makes it); the game's own captions are put back.
function showCaptions(size) {
  const choices = [...document.querySelectorAll('[data-reserve]')];
  const captions = choices.map((choice) => choice.textContent);
  for (const choice of choices) choice.style.fontSize = size || '';
  const seen = [];
  for (const caption of ['', ...choices.map((choice) => choice.dataset.reserve)]) {
    for (const choice of choices) choice.textContent = caption;
    seen.push(places());
  }
  choices.forEach((choice, k) => {
    choice.textContent = captions[k];
    choice.style.fontSize = '';
  });
  return seen;
}

// Whether the window in each frame of the page is shown and idle.
function framesIdle() {
  return [...document.querySelectorAll('iframe')].every((frame) => {
    const w = frame.contentDocument && frame.contentDocument.querySelector('.window');
    return w !== null && !w.hidden && w.getAttribute('aria-busy') === 'false';
  });
}

// In each frame, every figure box given the longest text of each form as the game would show it:
// the width its text needs (a span in the box's font) against the room inside the box, its font,
// and whether any control moved or changed its size.
function longestFigures() {
  const found = [];
  for (const frame of document.querySelectorAll('iframe')) {
    const page = frame.contentWindow;
    const doc = frame.contentDocument;
    const placed = () => [...doc.querySelectorAll('.client > *')].map((c) => {
      const r = c.getBoundingClientRect();
      return [r.left, r.top, r.width, r.height].join();
    }).join(';');
    const before = placed();
    for (const form of ['plain', 'exponent']) {
      const boxes = [...doc.querySelectorAll('.figure')];
      for (const box of boxes) {
        page.TownwrightPage.setText(Number(box.dataset.controlId), box.longest[form].text,
                                    box.getAttribute('aria-label'));
      }
      const moved = placed() !== before;
      for (const box of boxes) {
        const style = page.getComputedStyle(box);
        const probe = doc.createElement('span');
        probe.style.cssText = 'position: absolute; visibility: hidden; white-space: pre';
        probe.style.font = style.font;
        probe.textContent = box.value;
        doc.body.append(probe);
        const needs = probe.getBoundingClientRect().width;
        probe.remove();
        // From the box's whole width: Firefox gives an input's clientWidth without its padding.
        const room = box.getBoundingClientRect().width - ['borderLeftWidth', 'borderRightWidth',
            'paddingLeft', 'paddingRight'].reduce((sum, side) => sum + parseFloat(style[side]), 0);
        found.push({width: frame.width, id: box.id, form, text: box.value, needs, room, moved,
                    font: parseFloat(style.fontSize)});
      }
    }
  }
  return found;
}

// The element with the focus: its control's identifier, or what else it is, and whether a sighted
// player sees where it is: a ring (an outline) or a box's own focus shadow.
function focus() {
  const e = document.activeElement;
  const style = getComputedStyle(e);
  const ring = style.outlineStyle !== 'none' && parseFloat(style.outlineWidth) >= 1;
  return [e.dataset.controlId ? Number(e.dataset.controlId) : e.tagName.toLowerCase(),
          e.matches(':focus-visible') && (ring || style.boxShadow !== 'none')];
}
