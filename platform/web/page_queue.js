// The page's queue of the player's events and of the game's pauses. The game never holds the
// browser's thread: it handles an event at once, and where it pauses (the nine choices of a turn
// appear one after another) what it draws after the pause is held back here until the pause is
// over, the player's next event with it. So the browser paints between the pauses and takes clicks
// all along, and the game sees them one at a time, in order, after the turn, as a desktop window
// would.
//
// Made with what it needs of the page, so that it runs without one (tests/page_queue_test.js):
//   schedule(callback, milliseconds)  calls back once the time has passed (setTimeout)
//   now()                             milliseconds, for slicing a long run (performance.now)
//   busy(running)                     the game is running an event, or waiting for the next
//   broke(error)                      the game threw while it handled an event

function townwrightQueue(page) {
  'use strict';

  // One by one: emscripten's optimiser of the page's scripts drops names bound by destructuring.
  const schedule = page.schedule;
  const now = page.now;
  const busy = page.busy;
  const broke = page.broke;
  const kSliceMilliseconds = 8;  // the longest the page shows held changes before it yields

  const waiting = [];  // what the player did that the game has not taken yet
  // What the game drew after a pause, not shown yet, in order: changes to make, and pauses (their
  // milliseconds) to wait before the changes after them.
  const held = [];
  let deliver = null;     // hands the game an event, from the time it listens
  let delivering = null;  // the event the game is handling now
  let pausing = false;    // a pause is running, and what the game draws waits in `held`
  let running = true;     // the game is running an event (or starting) rather than waiting
  let posted = 0;         // events the player has made so far
  let taken = 0;          // the number of the event whose changes are being shown
  // Keys typed into a box while the game runs: the number of the last event posted before them,
  // by the box's identifier.
  const typedAfter = new Map();

  function setBusy(value) {
    running = value;
    busy(value);
  }

  // A change the game made, made now, or after the pause before it where one runs.
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
    schedule(showHeld, milliseconds);
  }

  // The pause is over: what the game drew after it, up to the next pause; then the next event. A
  // long run of changes (the window made at the start) is shown in slices, each a task of its own,
  // so that the browser is never held for long.
  function showHeld() {
    const started = now();
    while (held.length > 0) {
      if (typeof held[0] === 'number') {
        schedule(showHeld, held.shift());
        return;
      }
      if (now() - started > kSliceMilliseconds) {
        schedule(showHeld, 0);
        return;
      }
      held.shift()();
    }
    pausing = false;
    handOn();
  }

  // The game takes the player's events one at a time, each once what the one before drew is shown.
  function handOn() {
    while (deliver && !delivering && !pausing && waiting.length > 0) {
      const event = waiting.shift();
      taken = event.number;
      delivering = event;
      try {
        deliver(event);
      } catch (error) {
        delivering = null;
        broke(error);
        throw error;
      }
      delivering = null;
    }
    if (!delivering && !pausing && waiting.length === 0) {
      // The typing has landed: the game has taken every event before it.
      typedAfter.clear();
      setBusy(false);
    }
  }

  return {
    show,
    pause,

    // What the player did: {kind, id, code, active, text}, taken by the game in its turn.
    post(event) {
      event.number = ++posted;
      waiting.push(event);
      setBusy(true);
      handOn();
    },

    // The game's handler of the events, from now on.
    listen(handler) {
      deliver = handler;
      handOn();
    },

    // The game takes no more events: the window has ended. With `dropHeld`, what it drew and has
    // not been shown goes too: the game has stopped.
    end(dropHeld) {
      deliver = null;
      waiting.length = 0;
      if (dropHeld) held.length = 0;
    },

    // The event the game is handling now, or null.
    delivering() {
      return delivering;
    },

    // Keys typed into box `id`: on the desktop they wait in the queue behind the clicks made
    // before them, so the turn's refresh comes first and the keys land on it. The page shows them
    // at once, so the game's refreshes from the events made before them leave the player's text
    // alone (typingHeld), and the game reads it once it reaches the event of the typing.
    noteTyping(id) {
      if (running) typedAfter.set(id, posted);
    },
    typingHeld(id) {
      return typedAfter.has(id) && taken <= typedAfter.get(id);
    },
  };
}
