// The page's side of the game's window (platform/web/library.js calls it for each operation of
// web_platform.cc). It draws the window with the page's own elements and hands the game the
// player's events through the queue (page_queue.js), which holds back what a turn draws after a
// pause until the pause is over; the controls' places are page_layout.js's, the message boxes
// page_boxes.js's. It stores nothing (kept_game.js keeps the running game) and asks the server for
// nothing beyond the page's own files.

var TownwrightPage = (function () {
  'use strict';

  // As many characters as the desktop's edit boxes take: a longer paste is cut there too.
  const kMostTypedCharacters = 32767;
  const kLetters = 'ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz';

  const layout = TownwrightLayout;
  const boxes = TownwrightBoxes;
  const say = townwrightSay;  // start.js's, which the page loads first
  const desk = document.getElementById('desk');
  const status = document.getElementById('status');
  const news = document.getElementById('news');  // a live region, for screen readers alone
  let root = null;     // the window
  let client = null;   // its client area, where the controls are
  const controls = new Map();  // identifier -> element
  let events = null;   // the numbers of the event kinds and of a click, from describeEvents

  const queue = townwrightQueue({
    schedule: setTimeout,
    now: () => performance.now(),
    busy: (running) => {
      if (root) root.setAttribute('aria-busy', running ? 'true' : 'false');
    },
    // The game broke down: said on the page, as an abort is (Module.onAbort).
    broke: (error) => Module['onAbort'](error),
  });
  const show = queue.show;

  function element(tag, className, text) {
    const made = document.createElement(tag);
    if (className) made.className = className;
    if (text !== undefined) made.textContent = text;
    return made;
  }

  function fontOf(size, face, weight) {
    return `${weight || 400} ${size} "${face.replace(/["\\]/g, '')}", sans-serif`;
  }

  function post(event) {
    if (root) queue.post(event);
  }

  function fit() {
    if (!root) return;
    layout.fit(root, client, controls);
    boxes.place();
  }

  // The name the game gives a control for screen readers; none: its text names it.
  function setName(control, name) {
    if (name) {
      if (control.getAttribute('aria-label') !== name) control.setAttribute('aria-label', name);
    } else {
      control.removeAttribute('aria-label');
    }
  }

  function textOf(control) {
    if (control.tagName === 'FIELDSET') return control.firstChild.textContent;
    if (control.tagName === 'INPUT') return control.value;
    return control.textContent;
  }

  function makeControl(id, tag, place, cells, reserve, text, name) {
    let control;
    if (tag === 'fieldset') {
      control = element('fieldset', 'frame');
      control.append(element('legend', '', text));
    } else if (tag === 'label') {
      control = element('label', 'label', text);
    } else if (tag === 'button') {
      control = element('button', 'button', text);
      control.type = 'button';
      control.addEventListener('click', () => post({kind: events.command, id,
                                                    code: events.clicked}));
      if (reserve) control.dataset.reserve = reserve;
    } else {
      control = element('input', 'text-box');
      control.type = 'text';
      control.autocomplete = 'off';
      control.spellcheck = false;
      control.maxLength = kMostTypedCharacters;
      control.value = text;
      control.addEventListener('input', () => {
        queue.noteTyping(id);
        // The box says that its text changed, as a desktop edit box does, with the text: the game
        // reads it from that event on, and keeps it.
        post({kind: events.command, id, code: events.textChanged, text: control.value});
      });
    }
    control.id = `control-${id}`;
    control.dataset.controlId = id;
    setName(control, name);
    Object.assign(control.style, {
      left: `${place.x}px`, top: `${place.y}px`, width: `${place.width}px`,
      height: `${place.height}px`,
    });
    control.cells = cells;
    layout.place(control);
    controls.set(id, control);
    client.append(control);  // in creation order, which is the tab order
  }

  window.addEventListener('resize', fit);
  layout.coarse.addEventListener('change', fit);
  // Only once the window exists, by when the game has said how it numbers events.
  window.addEventListener('blur', () => root && post({kind: events.activation, active: false}));
  window.addEventListener('focus', () => root && post({kind: events.activation, active: true}));

  return {
    describeEvents(kinds) {
      events = kinds;
    },

    // Makes the hidden window in the dialog font and returns that font's metrics in CSS pixels:
    // the advance of the 52 letters, and the height as ascent plus descent, each rounded up to
    // whole pixels as a font engine rounds them.
    createWindow(caption, face, points) {
      const font = fontOf(`${points}pt`, face);
      show(() => {
        root = element('section', 'window');
        root.hidden = true;
        root.setAttribute('aria-busy', 'true');
        const title = element('h1', 'caption', caption);
        title.id = 'caption';
        root.setAttribute('aria-labelledby', title.id);
        client = element('div', 'client');
        client.style.font = font;
        root.append(title, client);
        desk.append(root);
        document.title = caption;
      });
      const context = document.createElement('canvas').getContext('2d');
      context.font = font;
      const letters = context.measureText(kLetters);
      const height = Math.ceil(letters.fontBoundingBoxAscent) +
          Math.ceil(letters.fontBoundingBoxDescent);
      return {lettersWidth: Math.round(letters.width), height};
    },

    sizeWindow(width, height) {
      show(() => {
        client.style.width = `${width}px`;
        client.style.height = `${height}px`;
      });
    },

    // A grid of the page's own layout, with `perLine` indicators to a line: its number of
    // columns, and a letter for each row, top to bottom, which the style sheet sizes (--row-t, a
    // frame's title; --row-l, a line; --row-e, a line as tall as every other such; --row-h, the
    // indicators' headings; --row-f, their figures or trends; --row-b, a frame's bottom edge).
    narrowGrid(columns, perLine, rows) {
      layout.addGrid(perLine,
                     {columns, rows: [...rows].map((row) => `var(--row-${row})`).join(' ')});
    },

    // `tag` is the page's element for the control's kind: fieldset, label, button or input;
    // `place` its desktop rectangle in CSS pixels; `cells` its place on each grid of the page's
    // own layout, by the indicators to a line (a row of 0 is none); a choice keeps room for the
    // caption `reserve`.
    createControl(id, tag, place, cells, reserve, text, name) {
      show(() => makeControl(id, tag, place, cells, reserve, text, name));
    },

    // A figure box, which shows every text whole in the page's own layout: `plain` and `exponent`
    // are the longest texts of each form, each with its least size in pixels.
    fitFigure(id, plain, exponent) {
      show(() => {
        const box = controls.get(id);
        box.longest = {plain, exponent};
        box.classList.add('figure');
        layout.addFigure(box);
      });
    },

    setText(id, text, name) {
      show(() => {
        const control = controls.get(id);
        if (!control) return;
        setName(control, name);
        // The player's typing after the event that made this change stays.
        if (control.tagName === 'INPUT' && queue.typingHeld(id)) return;
        if (textOf(control) === text) return;
        if (control.tagName === 'FIELDSET') {
          control.firstChild.textContent = text;
        } else if (control.tagName === 'INPUT') {
          control.value = text;
          if (control.longest) control.style.fontSize = layout.figureSize(control);
        } else {
          control.textContent = text;
        }
      });
    },

    setFont(id, pixels, weight, face) {
      show(() => {
        const control = controls.get(id);
        if (control) control.style.font = fontOf(`${pixels}px`, face, weight);
      });
    },

    // Boxes open now; none is ever held back, since nothing shows one after a pause.
    openMessageBoxes() {
      return boxes.count();
    },

    showMessageBox(text, caption) {
      show(() => boxes.open(text, caption));
    },

    // What a press did, said once by screen readers: after what the press drew, so never during a
    // turn's pauses.
    announce(text) {
      show(() => {
        news.textContent = text;
      });
    },

    focusedControl() {
      const focused = document.activeElement;
      return focused && root && root.contains(focused) && focused.dataset.controlId ?
          Number(focused.dataset.controlId) : 0;
    },

    focusControl(id) {
      show(() => {
        const control = controls.get(id);
        if (control) control.focus();
      });
    },

    showWindow() {
      show(() => {
        status.hidden = true;
        fit();  // before the window is laid out, as the page's own layout needs none to choose
        root.hidden = false;
        layout.centre(root);
        performance.mark('townwright-window-shown');
      });
    },

    destroyWindow() {
      show(() => {
        // A keyboard's player keeps a place to go on from: the link to a new game.
        const hadFocus = root !== null && root.contains(document.activeElement);
        boxes.closeAll();
        if (root) root.remove();
        root = null;
        client = null;
        controls.clear();
        queue.end(false);
        layout.forget();
        document.title = 'Townwright';
        news.textContent = '';
        say('The game has ended.', 'Start a new game');
        if (hadFocus) status.querySelector('a').focus();
      });
    },

    // The game's handler of the player's events, from now until the window is ended.
    listen(handler) {
      queue.listen((event) =>
        handler(event.kind, event.id || 0, event.code || 0, event.active ? 1 : 0));
    },

    pause: queue.pause,

    // The text the player left in the box of the event being handled.
    typedText() {
      const event = queue.delivering();
      return event && event.text !== undefined ? event.text : '';
    },

    // The game as it stands after an event: kept once what the event drew is shown, so that a
    // page loaded again during a turn's pauses goes on from before the turn.
    keepGame(copy) {
      show(() => TownwrightKeptGame.keep(copy));
    },

    stopped() {
      queue.end(true);
      if (root) root.remove();
      root = null;
      boxes.closeAll();
      news.textContent = '';
      say('The game has stopped because of an error.', 'Start a new game');
    },

    notLoaded() {
      townwrightNotLoaded();
    },
  };
})();

// "Start a new game" after an error starts a new one: the game kept may be what failed.
Module['onAbort'] = () => {
  TownwrightKeptGame.forget();
  TownwrightPage.stopped();
};

// The module is compiled while it downloads where the server says what it is, from the whole file
// where it does not; a failed download is said on the page rather than left as a page that waits.
Module['instantiateWasm'] = (imports, receive) => {
  const download = () => fetch('townwright.wasm', {credentials: 'same-origin'}).then((response) => {
    if (!response.ok) throw new Error(`townwright.wasm: ${response.status}`);
    return response;
  });
  WebAssembly.instantiateStreaming(download(), imports)
      .catch(() => download()
          .then((response) => response.arrayBuffer())
          .then((bytes) => WebAssembly.instantiate(bytes, imports)))
      .then((result) => receive(result.instance, result.module), () => TownwrightPage.notLoaded());
  return {};
};
