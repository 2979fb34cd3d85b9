// The page's side of the game's window (platform/web/web_platform.cc asks for each operation). It
// draws the window with the page's own elements, keeps the player's clicks in a queue until the
// game asks for the next one, and says when the game has ended. It stores nothing (kept_game.js
// keeps the running game) and asks the server for nothing beyond the page's own files.

var TownwrightPage = (function () {
  'use strict';

  const kMargin = 8;  // CSS pixels between the window and the page's edges
  // As many characters as the desktop's edit boxes take: a longer paste is cut there too.
  const kMostTypedCharacters = 32767;
  const kLetters = 'ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz';
  const kCascade = 24;  // CSS pixels from one message box to the next

  const desk = document.getElementById('desk');
  const status = document.getElementById('status');
  let root = null;     // the window
  let client = null;   // its client area, where the controls are
  const controls = new Map();  // identifier -> element
  const waiting = [];  // what the player did that the game has not taken yet
  let wake = null;     // ends the game's wait for the next event
  let busy = true;     // the game is running a turn (or starting) rather than waiting
  let posted = 0;      // events the player has made so far
  let taken = 0;       // the number of the event the game is handling
  const boxes = [];    // open message boxes, oldest first
  let boxesMade = 0;
  let events = null;   // the numbers of the event kinds and of a click, from describeEvents
  let narrow = false;  // the controls on the narrow grid, for a viewport narrower than the window

  function element(tag, className, text) {
    const made = document.createElement(tag);
    if (className) made.className = className;
    if (text !== undefined) made.textContent = text;
    return made;
  }

  function fontOf(size, face, weight) {
    return `${weight || 400} ${size} "${face.replace(/["\\]/g, '')}", sans-serif`;
  }

  function setBusy(running) {
    busy = running;
    if (root) root.setAttribute('aria-busy', running ? 'true' : 'false');
  }

  function take(event) {
    taken = event.number;
    return event;
  }

  function post(event) {
    if (!root) return;
    event.number = ++posted;
    waiting.push(event);
    if (wake) {
      const resume = wake;
      wake = null;
      setBusy(true);
      resume(take(waiting.shift()));
    }
  }

  // Keys typed into a box while a turn runs: on the desktop they wait in the queue behind the
  // clicks made before them, so the turn's refresh comes first and the keys land on it. The page
  // shows them at once, so until the game reaches the events made after them, it sees the box as
  // the desktop's would be (its own last text) and its refreshes leave the player's text alone.
  function noteTyping(control) {
    if (busy) {
      if (!typingHeld(control)) control.gameText = control.shown;  // as the game left it
      control.typedAfter = posted;
    }
    control.shown = control.value;
  }

  function typingHeld(control) {
    return control.typedAfter !== undefined && taken <= control.typedAfter;
  }

  function landTyping() {
    for (const control of controls.values()) control.typedAfter = undefined;
  }

  // Where the window fits the viewport's width it is shown as on the desktop, each control at its
  // place. Where it does not, the style sheet puts the same controls, in the same document order
  // (so that Tab and screen readers go as on the desktop), on the narrow grid the game gave each
  // one (narrowGrid, createControl): the page only chooses between the two.
  function fit() {
    if (!root) return;
    const fullWidth = parseFloat(client.style.width) + 2;  // with the window's borders
    narrow = fullWidth + 2 * kMargin > document.documentElement.clientWidth;
    document.documentElement.classList.toggle('narrow', narrow);
    if (narrow) {
      desk.style.height = '';
      root.style.left = '';
    } else {
      centre();
    }
    placeBoxes();
  }

  function centre() {
    root.style.left = `${Math.max(kMargin, (desk.clientWidth - root.offsetWidth) / 2)}px`;
    desk.style.height = `${root.offsetHeight + 2 * kMargin}px`;
  }

  // Each box lies within the viewport whole, its OK reachable: the cascade stops at the edges.
  function placeBoxes() {
    const viewport = document.documentElement;
    for (const box of boxes) {
      const cascade = kCascade * box.cascade;
      const width = box.offsetWidth;
      const height = box.offsetHeight;
      const left = (viewport.clientWidth - width) / 2 + cascade;
      const top = viewport.clientHeight * 0.4 - height / 2 + cascade;
      box.style.left = `${Math.max(0, Math.min(left, viewport.clientWidth - width - kMargin))}px`;
      box.style.top = `${Math.max(0, Math.min(top, viewport.clientHeight - height - kMargin))}px`;
    }
  }

  const say = townwrightSay;  // start.js's, which the page loads first

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

  function closeBox(box) {
    const at = boxes.indexOf(box);
    if (at < 0) return;
    boxes.splice(at, 1);
    const hadFocus = box.contains(document.activeElement);
    box.remove();
    if (!hadFocus) return;
    if (box.returnFocus && box.returnFocus.isConnected) {
      box.returnFocus.focus();
    } else if (boxes.length > 0) {
      boxes[boxes.length - 1].querySelector('button').focus();
    }
  }

  window.addEventListener('resize', fit);
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
      root = element('section', 'window');
      root.hidden = true;
      root.setAttribute('aria-busy', 'true');
      const title = element('h1', 'caption', caption);
      title.id = 'caption';
      root.setAttribute('aria-labelledby', title.id);
      client = element('div', 'client');
      client.style.font = fontOf(`${points}pt`, face);
      root.append(title, client);
      desk.append(root);
      document.title = caption;
      const context = document.createElement('canvas').getContext('2d');
      context.font = client.style.font;
      const letters = context.measureText(kLetters);
      const height = Math.ceil(letters.fontBoundingBoxAscent) +
          Math.ceil(letters.fontBoundingBoxDescent);
      return {lettersWidth: Math.round(letters.width), height};
    },

    sizeWindow(width, height) {
      client.style.width = `${width}px`;
      client.style.height = `${height}px`;
    },

    // The narrow grid: its number of columns, and a letter for each row, top to bottom, which the
    // style sheet sizes (--row-t, a frame's title; --row-l, a line; --row-e, a line as tall as
    // every other such; --row-b, a frame's bottom edge).
    narrowGrid(columns, rows) {
      client.style.setProperty('--grid-columns', columns);
      client.style.setProperty('--grid-rows', [...rows].map((row) => `var(--row-${row})`).join(' '));
    },

    // `tag` is the page's element for the control's kind: fieldset, label, button or input;
    // `place` its desktop rectangle in CSS pixels; `cell` its place on the narrow grid (a row of 0
    // is none), with, for a choice, the caption it keeps room for.
    createControl(id, tag, place, cell, text, name) {
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
        if (cell.reserve) control.dataset.reserve = cell.reserve;
      } else {
        control = element('input', 'text-box');
        control.type = 'text';
        control.autocomplete = 'off';
        control.spellcheck = false;
        control.maxLength = kMostTypedCharacters;
        control.value = text;
        control.shown = text;  // what the box showed before the player's latest key
        control.addEventListener('input', () => {
          noteTyping(control);
          // The box says that its text changed, as a desktop edit box does, and the game keeps it.
          post({kind: events.command, id, code: events.textChanged});
        });
      }
      control.id = `control-${id}`;
      control.dataset.controlId = id;
      setName(control, name);
      Object.assign(control.style, {
        left: `${place.x}px`, top: `${place.y}px`, width: `${place.width}px`,
        height: `${place.height}px`,
      });
      if (cell.row > 0) {
        const grid = {'--row': cell.row, '--row-span': cell.rows, '--column': cell.column,
                      '--column-span': cell.columns, '--indent-start': cell.indentStart,
                      '--indent-end': cell.indentEnd};
        for (const property in grid) control.style.setProperty(property, grid[property]);
      }
      controls.set(id, control);
      client.append(control);  // in creation order, which is the tab order
    },

    setText(id, text, name) {
      const control = controls.get(id);
      if (!control) return;
      setName(control, name);
      if (control.tagName === 'INPUT' && typingHeld(control)) {
        control.gameText = text;
        return;
      }
      if (textOf(control) === text) return;
      if (control.tagName === 'FIELDSET') {
        control.firstChild.textContent = text;
      } else if (control.tagName === 'INPUT') {
        control.value = text;
        control.shown = text;
      } else {
        control.textContent = text;
      }
    },

    text(id) {
      const control = controls.get(id);
      if (!control) return '';
      const held = control.tagName === 'INPUT' && typingHeld(control);
      return held ? control.gameText : textOf(control);
    },

    setFont(id, pixels, weight, face) {
      const control = controls.get(id);
      if (control) control.style.font = fontOf(`${pixels}px`, face, weight);
    },

    openMessageBoxes() {
      return boxes.length;
    },

    // A box of the page, not of the browser: it blocks nothing, several may be open, and Escape,
    // Enter or its OK close the one that has the focus.
    showMessageBox(text, caption) {
      const box = element('div', 'message-box');
      const number = ++boxesMade;
      box.setAttribute('role', 'dialog');
      box.setAttribute('aria-labelledby', `message-caption-${number}`);
      box.setAttribute('aria-describedby', `message-text-${number}`);
      const title = element('div', 'caption', caption);
      title.id = `message-caption-${number}`;
      const words = element('p', 'message', text);
      words.id = `message-text-${number}`;
      const ok = element('button', 'button', 'OK');
      ok.type = 'button';
      ok.addEventListener('click', () => closeBox(box));
      // A click on the box's caption or message keeps the focus in the box, on its OK, as a
      // desktop box keeps it, so that Enter and Escape still close it.
      box.addEventListener('mousedown', (event) => {
        if (event.target === ok) return;
        event.preventDefault();
        ok.focus();
      });
      box.addEventListener('keydown', (event) => {
        if (event.key !== 'Enter' && event.key !== 'Escape') return;
        event.preventDefault();
        event.stopPropagation();
        closeBox(box);
      });
      box.append(title, words, ok);
      box.returnFocus = document.activeElement;
      box.cascade = boxes.length % 8;
      boxes.push(box);
      document.body.append(box);
      placeBoxes();
      ok.focus();
    },

    focusedControl() {
      const focused = document.activeElement;
      return focused && root && root.contains(focused) && focused.dataset.controlId ?
          Number(focused.dataset.controlId) : 0;
    },

    focusControl(id) {
      const control = controls.get(id);
      if (control) control.focus();
    },

    showWindow() {
      status.hidden = true;
      root.hidden = false;
      fit();
      performance.mark('townwright-window-shown');
    },

    destroyWindow() {
      while (boxes.length > 0) boxes.pop().remove();
      if (root) root.remove();
      root = null;
      client = null;
      controls.clear();
      waiting.length = 0;
      narrow = false;
      document.documentElement.classList.remove('narrow');
      desk.style.height = '';
      document.title = 'Townwright';
      say('The game has ended.', 'Start a new game');
    },

    // The next thing the player did, as soon as there is one.
    nextEvent() {
      if (waiting.length > 0) return Promise.resolve(take(waiting.shift()));
      landTyping();
      setBusy(false);
      return new Promise((resume) => {
        wake = resume;
      });
    },

    stopped() {
      if (root) root.remove();
      root = null;
      while (boxes.length > 0) boxes.pop().remove();
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
