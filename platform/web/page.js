// The page's side of the game's window (platform/web/web_platform.cc asks for each operation). It
// draws the window with the page's own elements, keeps the player's clicks in a queue until the
// game asks for the next one, and says when the game has ended. It stores nothing and asks the server
// for nothing beyond the page's own files.

var TownwrightPage = (function () {
  'use strict';

  const kClicked = 0;
  const kMargin = 8;  // CSS pixels between the window and the page's edges
  // As many characters as the desktop's edit boxes take: a longer paste is cut there too.
  const kMostTypedCharacters = 32767;
  const kLetters = 'ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz';

  const desk = document.getElementById('desk');
  const status = document.getElementById('status');
  let root = null;     // the window
  let client = null;   // its client area, where the controls are
  const controls = new Map();  // identifier -> element
  const waiting = [];  // what the player did that the game has not taken yet
  let wake = null;     // ends the game's wait for the next event
  const boxes = [];    // open message boxes, oldest first
  let boxesMade = 0;
  let events = null;   // the numbers of the event kinds, as the game gives them (describeEvents)

  function element(tag, className, text) {
    const made = document.createElement(tag);
    if (className) made.className = className;
    if (text !== undefined) made.textContent = text;
    return made;
  }

  function fontOf(size, face, weight) {
    return `${weight || 400} ${size} "${face.replace(/["\\]/g, '')}", sans-serif`;
  }

  function setBusy(busy) {
    if (root) root.setAttribute('aria-busy', busy ? 'true' : 'false');
  }

  function post(event) {
    if (!root) return;
    waiting.push(event);
    if (wake) {
      const resume = wake;
      wake = null;
      setBusy(true);
      resume(waiting.shift());
    }
  }

  // The whole window stays visible on a narrow screen: it is scaled down to the width, never
  // laid out anew.
  function fit() {
    if (!root) return;
    const width = root.offsetWidth;
    const height = root.offsetHeight;
    const scale = Math.min(1, (document.documentElement.clientWidth - 2 * kMargin) / width);
    root.style.transform = scale < 1 ? `scale(${Math.max(scale, 0.05)})` : '';
    root.style.left = `${Math.max(kMargin, (desk.clientWidth - width * scale) / 2)}px`;
    desk.style.height = `${height * Math.max(scale, 0.05) + 2 * kMargin}px`;
  }

  function say(line, linkText) {
    status.textContent = line;
    if (linkText) {
      status.append(' ');
      const again = element('a', '', linkText);
      again.href = '';  // this very page, loaded anew
      status.append(again);
    }
    status.hidden = false;
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
      return {
        lettersWidth: Math.round(letters.width),
        height: Math.ceil(letters.fontBoundingBoxAscent) +
            Math.ceil(letters.fontBoundingBoxDescent),
      };
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
      }
      control.id = `control-${id}`;
      control.dataset.controlId = id;
      setName(control, name);
      Object.assign(control.style, {
        left: `${x}px`, top: `${y}px`, width: `${width}px`, height: `${height}px`,
      });
      controls.set(id, control);
      client.append(control);  // in creation order, which is the tab order
    },

    setText(id, text, name) {
      const control = controls.get(id);
      if (!control) return;
      setName(control, name);
      if (textOf(control) === text) return;
      if (control.tagName === 'FIELDSET') {
        control.firstChild.textContent = text;
      } else if (control.tagName === 'INPUT') {
        control.value = text;
      } else {
        control.textContent = text;
      }
    },

    text(id) {
      const control = controls.get(id);
      return control ? textOf(control) : '';
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
      box.addEventListener('keydown', (event) => {
        if (event.key !== 'Enter' && event.key !== 'Escape') return;
        event.preventDefault();
        event.stopPropagation();
        closeBox(box);
      });
      box.append(title, words, ok);
      const cascade = 24 * (boxes.length % 8);
      box.style.transform = `translate(calc(-50% + ${cascade}px), calc(-50% + ${cascade}px))`;
      box.returnFocus = document.activeElement;
      boxes.push(box);
      document.body.append(box);
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
      desk.style.height = '';
      document.title = 'Townwright';
      say('The game has ended.', 'Start a new game');
    },

    // The next thing the player did, as soon as there is one.
    nextEvent() {
      if (waiting.length > 0) return Promise.resolve(waiting.shift());
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
      say('The game could not be loaded.', 'Try again');
    },
  };
})();

Module['onAbort'] = () => TownwrightPage.stopped();

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
