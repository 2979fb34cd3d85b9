// The window's message boxes ("KRT": "That button is not enabled"): boxes of the page, not of the
// browser. They block nothing, several may be open, and Escape, Enter or its OK close the one that
// has the focus; each cascades from the one before and stops at the viewport's edges, so that
// every box and its OK stay whole on the smallest screen.

var TownwrightBoxes = (function () {
  'use strict';

  const kMargin = 8;  // CSS pixels a box keeps from the viewport's edges
  const kCascade = 24;  // CSS pixels from one box to the next
  const kCascadeSteps = 8;  // the ninth box goes back to where the first was

  const boxes = [];  // open boxes, oldest first
  let made = 0;

  function element(tag, className, text) {
    const node = document.createElement(tag);
    node.className = className;
    if (text !== undefined) node.textContent = text;
    return node;
  }

  // Each box lies within the viewport whole, its OK reachable: the cascade stops at the edges.
  function place() {
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

  function close(box) {
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

  function open(text, caption) {
    const box = element('div', 'message-box');
    const number = ++made;
    box.setAttribute('role', 'dialog');
    box.setAttribute('aria-labelledby', `message-caption-${number}`);
    box.setAttribute('aria-describedby', `message-text-${number}`);
    const title = element('div', 'caption', caption);
    title.id = `message-caption-${number}`;
    const words = element('p', 'message', text);
    words.id = `message-text-${number}`;
    const ok = element('button', 'button', 'OK');
    ok.type = 'button';
    ok.addEventListener('click', () => close(box));
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
      close(box);
    });
    box.append(title, words, ok);
    box.returnFocus = document.activeElement;
    box.cascade = boxes.length % kCascadeSteps;
    boxes.push(box);
    document.body.append(box);
    place();
    ok.focus();
  }

  return {
    open,
    place,

    // Boxes open now.
    count() {
      return boxes.length;
    },

    // The boxes go with the window: the game ends with it.
    closeAll() {
      while (boxes.length > 0) boxes.pop().remove();
    },
  };
})();
