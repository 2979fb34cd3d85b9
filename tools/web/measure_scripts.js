// What the page's measurements run inside the page (chromium.py and phone.py, through
// drive.scripts): each function run by name with the measurement's arguments.

// A click on the choice `id`, then the time until the window is idle, and until the animation
// frame that paints the result begins: given to `done`.
function timedTurn(id, done) {
  const window_ = document.querySelector('.window');
  const button = document.getElementById(id);
  const started = performance.now();
  const watch = new MutationObserver(() => {
    if (window_.getAttribute('aria-busy') !== 'false') return;
    watch.disconnect();
    const idle = performance.now() - started;
    requestAnimationFrame(() => done([idle, performance.now() - started]));
  });
  watch.observe(window_, {attributes: true, attributeFilter: ['aria-busy']});
  button.click();
}

// The highest top and the lowest bottom of the controls `ids`, on the page (wherever it is
// scrolled to), and the viewport's height.
function blockPlace(ids) {
  const rects = ids.map((id) => document.getElementById(`control-${id}`)
      .getBoundingClientRect());
  return [Math.min(...rects.map((r) => r.top)) + scrollY,
          Math.max(...rects.map((r) => r.bottom)) + scrollY, innerHeight];
}

// The game kept for the tab, once the store that follows an event has been made: given to `done`.
function keptCopies(done) {
  const names = () => Object.keys(sessionStorage).filter((n) => n.startsWith('townwright-game'));
  setTimeout(() => done(names().map((name) => sessionStorage.getItem(name))), 100);
}
