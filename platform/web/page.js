// The page's side of the game's window (platform/web/web_platform.cc asks for each operation). It
// draws the window with the page's own elements, keeps the player's clicks in a queue until the
// game asks for the next one, and says when the game has ended. It stores nothing (kept_game.js
// keeps the running game) and asks the server for nothing beyond the page's own files.

var TownwrightPage = (function () {
  'use strict';

  const kClicked = 0;
  const kMargin = 8;  // CSS pixels between the window and the page's edges
  // As many characters as the desktop's edit boxes take: a longer paste is cut there too.
  const kMostTypedCharacters = 32767;
  const kLetters = 'ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz';
  // The narrow layout's grid: twelve columns divide evenly into one to four side by side.
  const kColumns = 12;
  const kPad = 8;  // CSS pixels between a frame's edge and what it holds, and between neighbours
  // A group of controls needs this much more room than on the desktop, its texts being larger.
  const kNarrowGrowth = 1.2;
  const kCascade = 24;  // CSS pixels from one message box to the next

  const desk = document.getElementById('desk');
  const status = document.getElementById('status');
  let root = null;     // the window
  let client = null;   // its client area, where the controls are
  let baseHeight = 13; // the dialog font's height in CSS pixels, as createWindow measured it
  const controls = new Map();  // identifier -> element
  const places = new Map();    // identifier -> the desktop's rectangle in CSS pixels
  const waiting = [];  // what the player did that the game has not taken yet
  let wake = null;     // ends the game's wait for the next event
  let busy = true;     // the game is running a turn (or starting) rather than waiting
  let posted = 0;      // events the player has made so far
  let taken = 0;       // the number of the event the game is handling
  const boxes = [];    // open message boxes, oldest first
  let boxesMade = 0;
  let events = null;   // the numbers of the event kinds, as the game gives them (describeEvents)
  let narrow = false;  // the controls laid out for a viewport narrower than the window

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
  // place.
  // Where it does not, the same controls are laid out for the width on a grid (narrowLayout), in
  // the same document order, so that Tab and screen readers go as on the desktop.
  function fit() {
    if (!root) return;
    const fullWidth = parseFloat(client.style.width) + 2;  // with the window's borders
    narrow = fullWidth + 2 * kMargin > document.documentElement.clientWidth;
    document.documentElement.classList.toggle('narrow', narrow);
    if (narrow) {
      narrowLayout();  // anew at every width: it decides how many cells lie side by side
      desk.style.height = '';
      root.style.left = '';
    } else {
      client.style.gridTemplateRows = '';
      centre();
    }
    placeBoxes();
  }

  function centre() {
    root.style.left = `${Math.max(kMargin, (desk.clientWidth - root.offsetWidth) / 2)}px`;
    desk.style.height = `${root.offsetHeight + 2 * kMargin}px`;
  }

  function overlaps(a0, a1, b0, b1) {
    return Math.min(a1, b1) - Math.max(a0, b0) > 2;  // more than the dialog units' rounding
  }

  // Sorts rectangles into rows of those that lie side by side, top to bottom, each left to right.
  function rowsOf(items, box) {
    const rows = [];
    for (const item of [...items].sort((a, b) => box(a).y - box(b).y || box(a).x - box(b).x)) {
      const r = box(item);
      const row = rows.find((found) => found.some((other) => {
        const o = box(other);
        return overlaps(r.y, r.y + r.height, o.y, o.y + o.height);
      }));
      if (row) row.push(item); else rows.push([item]);
    }
    for (const row of rows) row.sort((a, b) => box(a).x - box(b).x || box(a).y - box(b).y);
    return rows;
  }

  function bounds(places_) {
    const x = Math.min(...places_.map((p) => p.x));
    const y = Math.min(...places_.map((p) => p.y));
    return {x, y, width: Math.max(...places_.map((p) => p.x + p.width)) - x,
            height: Math.max(...places_.map((p) => p.y + p.height)) - y};
  }

  // The narrow layout, from the desktop's places alone: each frame holds the controls inside it.
  // Controls stacked on the desktop with less than a line between them (a heading, its figure and
  // its trend) stay together as a cell; the cells of a frame keep their rows, as many side by side
  // as the width allows; frames follow one another. Each control gets its grid area and margins.
  function narrowLayout() {
    const ids = [...controls.keys()];
    const frames = ids.filter((id) => controls.get(id).tagName === 'FIELDSET');
    const inside = (inner, outer) => inner !== outer &&
        inner.x >= outer.x && inner.y >= outer.y &&
        inner.x + inner.width <= outer.x + outer.width &&
        inner.y + inner.height <= outer.y + outer.height;
    const parentOf = new Map();
    for (const id of ids) {
      let parent = 0;
      for (const frame of frames) {
        if (inside(places.get(id), places.get(frame)) &&
            (parent === 0 || inside(places.get(frame), places.get(parent)))) parent = frame;
      }
      parentOf.set(id, parent);
    }
    const gap = 0.9 * baseHeight;
    const tracks = [];
    const addTrack = (size) => tracks.push(size);
    const width = client.clientWidth;

    const put = (id, rowStart, rowEnd, column, columnEnd, depth) => {
      Object.assign(controls.get(id).style, {
        gridRow: `${rowStart} / ${rowEnd}`, gridColumn: `${column} / ${columnEnd}`,
      });
      const edge = (depth + 0.5) * kPad;
      controls.get(id).style.setProperty('--left', `${column === 1 ? edge : kPad / 2}px`);
      const right = columnEnd === kColumns + 1 ? edge : kPad / 2;
      controls.get(id).style.setProperty('--right', `${right}px`);
    };

    const layGroup = (frame, depth) => {
      const members = ids.filter((id) => parentOf.get(id) === frame && id !== frame);
      // Cells: controls joined while they overlap sideways and lie less than a line apart.
      const cells = [];
      for (const id of members) {
        if (frames.includes(id)) {
          cells.push({frame: id, ids: [id]});
          continue;
        }
        const p = places.get(id);
        const joined = cells.filter((cell) => !cell.frame && cell.ids.some((other) => {
          const o = places.get(other);
          return overlaps(p.x, p.x + p.width, o.x, o.x + o.width) &&
              Math.max(p.y, o.y) - Math.min(p.y + p.height, o.y + o.height) < gap;
        }));
        const cell = {ids: [id]};
        for (const other of joined) {
          cell.ids.push(...other.ids);
          cells.splice(cells.indexOf(other), 1);
        }
        cells.push(cell);
      }
      for (const cell of cells) cell.place = bounds(cell.ids.map((id) => places.get(id)));

      let first = 0;
      if (frame) {
        addTrack('var(--legend)');
        first = tracks.length;
      }
      for (const row of rowsOf(cells, (cell) => cell.place)) {
        // As many cells side by side as fit, a number that divides the grid and the row, so that
        // the desktop's rows of four become rows of two, never three and one.
        const across = [4, 3, 2, 1].find((n) => row.length % n === 0 && kColumns % n === 0 &&
            !row.some((cell) => cell.frame) &&
            n * Math.max(...row.map((cell) => cell.place.width)) * kNarrowGrowth +
                (n + 1 + 2 * depth) * kPad <= width) || 1;
        for (let at = 0; at < row.length; at += across) {
          const chunk = row.slice(at, at + across);
          if (chunk[0].frame) {
            layGroup(chunk[0].frame, depth + 1);
            continue;
          }
          const lines = chunk.map((cell) => rowsOf(cell.ids, (id) => places.get(id)));
          const top = tracks.length + 1;
          const height = Math.max(...lines.map((cellLines) => cellLines.length));
          for (let k = 0; k < height; ++k) addTrack('auto');
          chunk.forEach((cell, index) => {
            const span = kColumns / across;
            lines[index].forEach((line, k) => {
              // Side by side within a cell, each takes columns as its desktop width's share.
              const total = line.reduce((sum, id) => sum + places.get(id).width, 0);
              let column = 1 + index * span;
              let used = 0;
              line.forEach((id, n) => {
                used += places.get(id).width;
                const end = n === line.length - 1 ? 1 + (index + 1) * span :
                    Math.max(column + 1, 1 + index * span + Math.round(span * used / total));
                put(id, top + k, top + k + 1, column, end, depth + 1);
                column = end;
              });
            });
          });
        }
      }
      if (frame) {
        addTrack(`${kPad}px`);
        put(frame, first, tracks.length + 1, 1, kColumns + 1, depth);
      }
    };
    for (const frame of frames.filter((id) => parentOf.get(id) === 0)) layGroup(frame, 0);
    const loose = ids.filter((id) => parentOf.get(id) === 0 && !frames.includes(id));
    if (loose.length > 0) {
      // Not inside any frame (the table has none such): one below the other after the frames.
      for (const id of loose) {
        addTrack('auto');
        put(id, tracks.length, tracks.length + 1, 1, kColumns + 1, 1);
      }
    }
    client.style.gridTemplateRows = tracks.join(' ');
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
      baseHeight = Math.ceil(letters.fontBoundingBoxAscent) +
          Math.ceil(letters.fontBoundingBoxDescent);
      return {lettersWidth: Math.round(letters.width), height: baseHeight};
    },

    sizeWindow(width, height) {
      client.style.width = `${width}px`;
      client.style.height = `${height}px`;
    },

    // `tag` is the page's element for the control's kind: fieldset, label, button or input.
    createControl(id, tag, x, y, width, height, text, name) {
      let control;
      if (tag === 'fieldset') {
        control = element('fieldset', 'frame');
        control.append(element('legend', '', text));
      } else if (tag === 'label') {
        control = element('label', 'label', text);
      } else if (tag === 'button') {
        control = element('button', 'button', text);
        control.type = 'button';
        control.addEventListener('click', () => post({kind: events.command, id, code: kClicked}));
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
        left: `${x}px`, top: `${y}px`, width: `${width}px`, height: `${height}px`,
      });
      controls.set(id, control);
      places.set(id, {x, y, width, height});
      client.append(control);  // in creation order, which is the tab order
      if (narrow) narrowLayout();
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
      places.clear();
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
