// The page's side of the game's window (platform/web/web_platform.cc asks for each operation). It
// draws the window with the page's own elements, keeps the player's clicks in a queue, and hands
// the game the next one once what the one before drew is shown. It stores nothing (kept_game.js
// keeps the running game) and asks the server for nothing beyond the page's own files.
//
// The game never holds the browser's thread: it handles an event at once, and where it pauses (the
// nine choices of a turn appear one after another) everything it drew after the pause is held
// back here until the pause is over, the player's next event with it. So the browser paints
// between the pauses and takes clicks all along, and the game sees them one at a time, in order,
// after the turn, as a desktop window would.

var TownwrightPage = (function () {
  'use strict';

  const kMargin = 8;  // CSS pixels between the window and the page's edges
  // As many characters as the desktop's edit boxes take: a longer paste is cut there too.
  const kMostTypedCharacters = 32767;
  const kLetters = 'ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz';
  const kCascade = 24;  // CSS pixels from one message box to the next
  const kFigurePixels = 16;  // a figure box's text at most, as the page's other boxes
  const kSliceMilliseconds = 8;
  const kMostTextWidths = 400;
  // A pixel to spare in a figure box: engines round the grid's columns and a text's width apart.
  const kRoundingPixels = 1;  // widths of texts kept, from one layout to the next  // the longest the page shows held changes before it yields

  const desk = document.getElementById('desk');
  const status = document.getElementById('status');
  const news = document.getElementById('news');  // a live region, for screen readers alone
  let root = null;     // the window
  let client = null;   // its client area, where the controls are
  const controls = new Map();  // identifier -> element
  const waiting = [];  // what the player did that the game has not taken yet
  let deliver = null;  // hands the game an event, from the time its window shows (listen)
  let delivering = null;  // the event the game is handling now
  // What the game drew after a pause, not shown yet, in order: changes to make, and pauses (their
  // milliseconds) to wait before the changes after them.
  const held = [];
  let pausing = false;  // a pause is running, and what the game draws waits in `held`
  let busy = true;     // the game is running a turn (or starting) rather than waiting
  let posted = 0;      // events the player has made so far
  let taken = 0;       // the number of the event whose changes are being shown
  const boxes = [];    // open message boxes, oldest first
  let boxesMade = 0;
  let events = null;   // the numbers of the event kinds and of a click, from describeEvents
  // The page's own layout (html.narrow) rather than the desktop's: a viewport narrower than the
  // window, or a touch screen. `grids` holds its grids by the number of indicators to a line, and
  // `perLine` the one in use (0 before the first layout).
  let narrow = false;
  const grids = {};
  let perLine = 0;
  const figures = [];  // the figure boxes, each with the longest texts it must show whole
  // The figures' size in the page's own layout: the most, up to the other boxes' own, at which
  // every longest plain figure shows whole.
  let figurePixels = 16;
  let figureFace = '';  // the figures' font, with % for its size
  const textWidths = new Map();  // of texts in the figures' font at a size: 'font|text' -> pixels
  const measure = document.createElement('canvas').getContext('2d');
  const coarse = matchMedia('(pointer: coarse)');

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

  // A change the game made, shown now, or after the pause before it where one runs.
  function show(change) {
    if (pausing) {
      held.push(change);
    } else {
      change();
    }
  }

  function pause(milliseconds) {
    if (pausing) {
      held.push(milliseconds);
      return;
    }
    pausing = true;
    setTimeout(showHeld, milliseconds);
  }

  // The pause is over: what the game drew after it, up to the next pause; then the next event. A
  // long run of changes (the window made at the start) is shown in slices, each a task of its own,
  // so that the browser is never held for long.
  function showHeld() {
    const started = performance.now();
    while (held.length > 0) {
      if (typeof held[0] === 'number') {
        setTimeout(showHeld, held.shift());
        return;
      }
      if (performance.now() - started > kSliceMilliseconds) {
        setTimeout(showHeld, 0);
        return;
      }
      held.shift()();
    }
    pausing = false;
    handOn();
  }

  function post(event) {
    if (!root) return;
    event.number = ++posted;
    waiting.push(event);
    setBusy(true);
    handOn();
  }

  // The game takes the player's events one at a time, each once what the one before drew is shown.
  function handOn() {
    while (deliver && !delivering && !pausing && waiting.length > 0) {
      const event = waiting.shift();
      taken = event.number;
      delivering = event;
      try {
        deliver(event.kind, event.id || 0, event.code || 0, event.active ? 1 : 0);
      } catch (error) {
        // The game broke down: said on the page, as an abort is (Module.onAbort).
        delivering = null;
        Module['onAbort'](error);
        throw error;
      }
      delivering = null;
    }
    if (!delivering && !pausing && waiting.length === 0) {
      landTyping();
      setBusy(false);
    }
  }

  // Keys typed into a box while a turn runs: on the desktop they wait in the queue behind the
  // clicks made before them, so the turn's refresh comes first and the keys land on it. The page
  // shows them at once, so the game's refreshes from the events made before them leave the
  // player's text alone, and the game reads it once it reaches the event of the typing.
  function noteTyping(control) {
    if (busy) control.typedAfter = posted;
  }

  function typingHeld(control) {
    return control.typedAfter !== undefined && taken <= control.typedAfter;
  }

  function landTyping() {
    for (const control of controls.values()) control.typedAfter = undefined;
  }

  // Where the window fits the viewport's width and a mouse points, it is shown as on the desktop,
  // each control at its place. Elsewhere (a narrower viewport, or a touch screen, where the
  // desktop's controls are too small for a finger) the style sheet puts the same controls, in the
  // same document order (so that Tab and screen readers go as on the desktop), on the grid the game
  // gave each one (narrowGrid, createControl): with as many indicators to a line as leave each
  // figure room for its longest plain text at its smallest size. The page only chooses.
  function fit() {
    if (!root) return;
    const fullWidth = parseFloat(client.style.width) + 2;  // with the window's borders
    const viewport = document.documentElement.clientWidth;
    narrow = coarse.matches || fullWidth + 2 * kMargin > viewport;
    document.documentElement.classList.toggle('narrow', narrow);
    if (narrow) {
      desk.style.height = '';
      root.style.left = '';
      // The most indicators to a line that leave every figure room, worked out from the style
      // sheet's sizes rather than from a layout of each grid, so that the page is laid out once.
      const least = figures.length > 0 ? figures[0].longest.plain.pixels : kFigurePixels;
      const counts = Object.keys(grids).map(Number).sort((a, b) => b - a);
      const width = gridWidth(document.documentElement.clientWidth);  // less its scroll bar
      const fits = (count) => {
        measureFigureBoxes(count, width);
        return figuresFitAt(least);
      };
      useGrid(counts.find(fits) || counts[counts.length - 1]);
      measureFigureBoxes(perLine, width);
      figurePixels = kFigurePixels;
      while (figurePixels > least && !figuresFitAt(figurePixels)) --figurePixels;
    } else if (!root.hidden) {
      centre();
    }
    for (const box of figures) box.style.fontSize = figureTextSize(box);
    placeBoxes();
  }

  function useGrid(count) {
    perLine = count;
    client.style.setProperty('--grid-columns', grids[count].columns);
    client.style.setProperty('--grid-rows', grids[count].rows);
    for (const control of controls.values()) placeOnGrid(control);
  }

  function placeOnGrid(control) {
    const cell = control.cells[perLine];
    if (!cell || cell.row === 0) return;
    const grid = {'--row': cell.row, '--row-span': cell.rows, '--column': cell.column,
                  '--column-span': cell.columns, '--indent-start': cell.indentStart,
                  '--indent-end': cell.indentEnd};
    for (const property in grid) control.style.setProperty(property, grid[property]);
  }

  // The width of the grid of the page's own layout in a viewport `viewport` wide: the window's,
  // within its margins, borders and padding.
  function gridWidth(viewport) {
    const frame = getComputedStyle(root);
    const inside = getComputedStyle(client);
    const sides = (style, properties) =>
      properties.reduce((sum, property) => sum + parseFloat(style[property]), 0);
    return viewport -
        sides(frame, ['marginLeft', 'marginRight', 'borderLeftWidth', 'borderRightWidth']) -
        sides(inside, ['paddingLeft', 'paddingRight']);
  }

  // The room for its text in each figure box on the grid with `count` indicators to a line,
  // `width` wide: its share of the equal columns and the gaps between them, less its indents,
  // border and padding. Read from styles alone, without laying anything out.
  function measureFigureBoxes(count, width) {
    if (figures.length === 0) return;
    const grid = getComputedStyle(client);
    const gap = parseFloat(grid.columnGap);
    const indent = parseFloat(grid.getPropertyValue('--pad'));
    const columns = grids[count].columns;
    const column = (width - (columns - 1) * gap) / columns;
    // Every figure box has the same style.
    const style = getComputedStyle(figures[0]);
    const chrome = ['borderLeftWidth', 'borderRightWidth', 'paddingLeft', 'paddingRight']
        .reduce((sum, side) => sum + parseFloat(style[side]), 0);
    figureFace = `${style.fontWeight} %px ${style.fontFamily}`;
    for (const box of figures) {
      const cell = box.cells[count];
      box.room = cell.columns * column + (cell.columns - 1) * gap -
          (cell.indentStart + cell.indentEnd) * indent - chrome;
    }
  }

  // Whether `text` fits in `box` at `pixels`. Measured at each size, since a font engine rounds
  // glyphs differently at each; each width once.
  function fitsAt(box, text, pixels) {
    const font = figureFace.replace('%', pixels);
    const key = `${font}|${text}`;
    let width = textWidths.get(key);
    if (width === undefined) {
      measure.font = font;
      width = measure.measureText(text).width;
      if (textWidths.size >= kMostTextWidths) textWidths.clear();  // a turn's figures are new
      textWidths.set(key, width);
    }
    return width <= box.room - kRoundingPixels;
  }

  // Whether every figure box shows its longest plain text whole at `pixels`.
  function figuresFitAt(pixels) {
    return figures.every((box) => fitsAt(box, box.longest.plain.text, pixels));
  }

  // A figure box's text in the page's own layout: at the figures' size, smaller only where the
  // text is longer than any plain figure (the exponent form), and no smaller than that form's
  // least. In the desktop's layout, the dialog font (''), the text scrolling as a box's does.
  function figureTextSize(box) {
    if (!narrow || !box.room) return '';
    let pixels = figurePixels;
    while (pixels > box.longest.exponent.pixels && !fitsAt(box, box.value, pixels)) pixels -= 0.5;
    return `${pixels}px`;
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
        noteTyping(control);
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
    if (perLine) placeOnGrid(control);
    controls.set(id, control);
    client.append(control);  // in creation order, which is the tab order
  }

  // A box of the page, not of the browser: it blocks nothing, several may be open, and Escape,
  // Enter or its OK close the one that has the focus.
  function makeMessageBox(text, caption) {
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
  coarse.addEventListener('change', fit);
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
      grids[perLine] = {columns, rows: [...rows].map((row) => `var(--row-${row})`).join(' ')};
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
        figures.push(box);
      });
    },

    setText(id, text, name) {
      show(() => {
        const control = controls.get(id);
        if (!control) return;
        setName(control, name);
        // The player's typing after the event that made this change stays.
        if (control.tagName === 'INPUT' && typingHeld(control)) return;
        if (textOf(control) === text) return;
        if (control.tagName === 'FIELDSET') {
          control.firstChild.textContent = text;
        } else if (control.tagName === 'INPUT') {
          control.value = text;
          if (control.longest) control.style.fontSize = figureTextSize(control);
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
      return boxes.length;
    },

    showMessageBox(text, caption) {
      show(() => makeMessageBox(text, caption));
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
        if (!narrow) centre();
        performance.mark('townwright-window-shown');
      });
    },

    destroyWindow() {
      show(() => {
        // A keyboard's player keeps a place to go on from: the link to a new game.
        const hadFocus = root !== null && root.contains(document.activeElement);
        while (boxes.length > 0) boxes.pop().remove();
        if (root) root.remove();
        root = null;
        client = null;
        controls.clear();
        waiting.length = 0;
        deliver = null;
        narrow = false;
        figures.length = 0;
        document.documentElement.classList.remove('narrow');
        desk.style.height = '';
        document.title = 'Townwright';
        news.textContent = '';
        say('The game has ended.', 'Start a new game');
        if (hadFocus) status.querySelector('a').focus();
      });
    },

    // The game's handler of the player's events, from now until the window is ended.
    listen(handler) {
      deliver = handler;
      handOn();
    },

    pause,

    // The text the player left in the box of the event being handled.
    typedText() {
      return delivering && delivering.text !== undefined ? delivering.text : '';
    },

    // The game as it stands after an event: kept once what the event drew is shown, so that a
    // page loaded again during a turn's pauses goes on from before the turn.
    keepGame(copy) {
      show(() => TownwrightKeptGame.keep(copy));
    },

    stopped() {
      deliver = null;
      held.length = 0;
      waiting.length = 0;
      if (root) root.remove();
      root = null;
      while (boxes.length > 0) boxes.pop().remove();
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
