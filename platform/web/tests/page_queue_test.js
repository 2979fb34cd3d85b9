// The page's queue (page_queue.js) under node's own test runner, without a browser: a game that
// draws and pauses as a turn does, a clock the test moves by hand, and the player's clicks and
// typing made at chosen moments.

'use strict';

const assert = require('node:assert');
const fs = require('node:fs');
const path = require('node:path');
const test = require('node:test');
const vm = require('node:vm');

// The queue's factory, as the page's script defines it.
const source = fs.readFileSync(path.join(__dirname, '..', 'page_queue.js'), 'utf8');
const townwrightQueue = vm.runInNewContext(`${source}; townwrightQueue`, {Map});

// A page for the queue: a clock moved by hand, what the window would say of the game, and a game
// whose turns draw nine captions, each followed by a pause, as the real one does.
function page() {
  const timers = [];
  const seen = [];  // what the player can see, in order
  let clock = 0;
  const page = {
    busyStates: [],
    queue: null,
    handled: [],  // the events the game took, with what it saw of them
    schedule: (callback, milliseconds) => timers.push({at: clock + milliseconds, callback}),
    now: () => clock,
    busy: (running) => page.busyStates.push(running),
    broke: (error) => seen.push(`broke: ${error.message}`),
    seen,
    // The time goes by, its timers called in order; `until`, as far as nothing is due.
    pass(milliseconds = Infinity) {
      const end = clock + milliseconds;
      for (;;) {
        timers.sort((a, b) => a.at - b.at);
        if (timers.length === 0 || timers[0].at > end) break;
        const next = timers.shift();
        clock = Math.max(clock, next.at);
        next.callback();
      }
      if (end !== Infinity) clock = Math.max(clock, end);
    },
    // A game: a turn draws its captions with pauses, other events draw nothing.
    game(event) {
      page.handled.push(event);
      if (event.kind !== 'turn') return;
      for (let k = 1; k <= 9; ++k) {
        page.queue.show(() => seen.push(`caption ${k} of ${event.number}`));
        page.queue.pause(100);
      }
      page.queue.show(() => seen.push(`figures of ${event.number}`));
    },
  };
  page.queue = townwrightQueue(page);
  return page;
}

test('a turn shows its captions one pause after another, and the window is busy meanwhile', () => {
  const p = page();
  p.queue.listen(p.game);
  p.queue.post({kind: 'turn'});
  assert.deepStrictEqual(p.seen, ['caption 1 of 1'], 'the first at once, the rest after pauses');
  p.pass(250);
  assert.deepStrictEqual(p.seen, ['caption 1 of 1', 'caption 2 of 1', 'caption 3 of 1']);
  assert.strictEqual(p.busyStates.at(-1), true);
  p.pass();
  assert.strictEqual(p.seen.at(-1), 'figures of 1');
  assert.strictEqual(p.seen.length, 10);
  assert.strictEqual(p.busyStates.at(-1), false, 'idle once the figures are shown');
});

test('clicks during a turn wait, and each is a turn of its own after it', () => {
  const p = page();
  p.queue.listen(p.game);
  p.queue.post({kind: 'turn'});
  p.pass(150);
  p.queue.post({kind: 'turn'});
  p.queue.post({kind: 'turn'});
  assert.strictEqual(p.handled.length, 1, 'the game takes nothing during a pause');
  p.pass();
  assert.deepStrictEqual(p.handled.map((event) => event.number), [1, 2, 3]);
  const figures = p.seen.filter((line) => line.startsWith('figures'));
  assert.deepStrictEqual(figures, ['figures of 1', 'figures of 2', 'figures of 3']);
  // Each turn's captions all come before the next turn's first.
  assert.ok(p.seen.indexOf('caption 9 of 1') < p.seen.indexOf('caption 1 of 2'));
});

test('typing during a turn stays over the turn\'s refresh until the game reaches it', () => {
  const p = page();
  p.queue.listen(p.game);
  p.queue.post({kind: 'turn'});
  p.pass(150);
  // The player types into a box during the turn: the page shows the keys at once.
  p.queue.noteTyping(1046);
  p.queue.post({kind: 'typed', id: 1046, text: '50'});
  assert.strictEqual(p.queue.typingHeld(1046), true, 'the turn\'s refresh leaves it alone');
  assert.strictEqual(p.queue.typingHeld(1047), false, 'another box is refreshed');
  p.pass();
  assert.strictEqual(p.handled.at(-1).text, '50', 'the game reads it with the typing\'s event');
  assert.strictEqual(p.queue.typingHeld(1046), false, 'landed: refreshes show again');
  // Typing while the game waits is taken at once, and held by nothing.
  p.queue.noteTyping(1046);
  assert.strictEqual(p.queue.typingHeld(1046), false);
});

test('a window made at a reload shows at once, and clicks before the game listens wait', () => {
  const p = page();
  // A kept game brought back: the window is made without a pause, before the game listens.
  p.queue.show(() => p.seen.push('window'));
  assert.deepStrictEqual(p.seen, ['window']);
  p.queue.post({kind: 'turn'});
  assert.deepStrictEqual(p.handled, [], 'nobody to take it yet');
  assert.strictEqual(p.busyStates.at(-1), true);
  p.queue.listen(p.game);
  assert.strictEqual(p.handled.length, 1, 'taken once the game listens');
  p.pass();
  assert.strictEqual(p.busyStates.at(-1), false);
});

test('a long run of changes is shown in slices, the browser free between them', () => {
  const p = page();
  p.queue.listen(p.game);
  p.queue.pause(100);
  for (let change = 0; change < 5; ++change) {
    p.queue.show(() => {
      p.seen.push(`change ${change}`);
      p.pass(5);  // each change takes 5 ms
    });
  }
  p.pass(100);
  assert.ok(p.seen.length < 5, `a slice took ${p.seen.length} changes of 5 ms`);
  p.pass();
  assert.strictEqual(p.seen.length, 5);
});

test('the end drops the events not taken, and a stop what was drawn and not shown', () => {
  const p = page();
  p.queue.listen(p.game);
  p.queue.post({kind: 'turn'});
  p.queue.post({kind: 'turn'});
  p.queue.end(false);
  p.pass();
  assert.deepStrictEqual(p.handled.map((event) => event.number), [1], 'nothing after the end');
  assert.strictEqual(p.seen.at(-1), 'figures of 1', 'what it drew is shown');
  const q = page();
  q.queue.listen(q.game);
  q.queue.post({kind: 'turn'});
  q.queue.end(true);
  q.pass();
  assert.deepStrictEqual(q.seen, ['caption 1 of 1'], 'a game that stopped shows nothing more');
});

test('a game that throws is said once, and the error goes on up', () => {
  const p = page();
  p.queue.listen(() => {
    throw new Error('out of memory');
  });
  assert.throws(() => p.queue.post({kind: 'turn'}), /out of memory/);
  assert.deepStrictEqual(p.seen, ['broke: out of memory']);
});
