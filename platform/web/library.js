// The page's side of each operation of web_platform.cc (page_functions.h), as emscripten's library:
// each function here is one the module imports, and calls the page (page.js) or the tab's kept game
// (kept_game.js). Texts cross as UTF-8 with their lengths; numbers the page gives back are written
// where the module's pointers say. Each function stands alone: emscripten copies its text.

mergeInto(LibraryManager.library, {
  TownwrightDescribeEvents: function (activation, command, clicked, textChanged) {
    TownwrightPage.describeEvents({activation, command, clicked, textChanged});
  },

  TownwrightCreateWindow: function (caption, captionLength, face, faceLength, points,
                                    lettersWidth, height) {
    const metrics = TownwrightPage.createWindow(UTF8ToString(caption, captionLength),
                                                UTF8ToString(face, faceLength), points);
    HEAP32[lettersWidth >> 2] = metrics.lettersWidth;
    HEAP32[height >> 2] = metrics.height;
  },

  TownwrightSizeWindow: function (width, height) {
    TownwrightPage.sizeWindow(width, height);
  },

  TownwrightNarrowGrid: function (columns, perLine, rows, rowsLength) {
    TownwrightPage.narrowGrid(columns, perLine, UTF8ToString(rows, rowsLength));
  },

  // `cells` holds six numbers for each of the `grids` grids, in the order of `perLine`.
  TownwrightCreateControl: function (id, element, x, y, width, height, perLine, grids, cells,
                                     reserve, reserveLength, text, textLength, name, nameLength) {
    const at = (k) => HEAP32[(cells >> 2) + k];
    const placed = {};
    for (let grid = 0; grid < grids; ++grid) {
      const k = 6 * grid;
      placed[HEAP32[(perLine >> 2) + grid]] = {
        row: at(k), rows: at(k + 1), column: at(k + 2), columns: at(k + 3),
        indentStart: at(k + 4), indentEnd: at(k + 5),
      };
    }
    TownwrightPage.createControl(id, UTF8ToString(element), {x, y, width, height}, placed,
                                 UTF8ToString(reserve, reserveLength),
                                 UTF8ToString(text, textLength), UTF8ToString(name, nameLength));
  },

  TownwrightFitFigure: function (id, plain, plainLength, plainPixels, exponent, exponentLength,
                                 exponentPixels) {
    TownwrightPage.fitFigure(id, {text: UTF8ToString(plain, plainLength), pixels: plainPixels},
                             {text: UTF8ToString(exponent, exponentLength),
                              pixels: exponentPixels});
  },

  TownwrightSetText: function (id, text, textLength, name, nameLength) {
    TownwrightPage.setText(id, UTF8ToString(text, textLength), UTF8ToString(name, nameLength));
  },

  TownwrightTypedTextLength: function () {
    return lengthBytesUTF8(TownwrightPage.typedText());
  },

  TownwrightCopyTypedText: function (buffer, size) {
    stringToUTF8(TownwrightPage.typedText(), buffer, size);
  },

  TownwrightPause: function (milliseconds) {
    TownwrightPage.pause(milliseconds);
  },

  TownwrightSetFont: function (id, pixelHeight, weight, face, faceLength) {
    TownwrightPage.setFont(id, pixelHeight, weight, UTF8ToString(face, faceLength));
  },

  TownwrightOpenMessageBoxes: function () {
    return TownwrightPage.openMessageBoxes();
  },

  TownwrightShowMessageBox: function (text, textLength, caption, captionLength) {
    TownwrightPage.showMessageBox(UTF8ToString(text, textLength),
                                  UTF8ToString(caption, captionLength));
  },

  TownwrightFocusedControl: function () {
    return TownwrightPage.focusedControl();
  },

  TownwrightFocusControl: function (id) {
    TownwrightPage.focusControl(id);
  },

  TownwrightAnnounce: function (news, newsLength) {
    TownwrightPage.announce(UTF8ToString(news, newsLength));
  },

  TownwrightShowWindow: function () {
    TownwrightPage.showWindow();
  },

  TownwrightDestroyWindow: function () {
    TownwrightPage.destroyWindow();
  },

  TownwrightListen: function (platform) {
    TownwrightPage.listen((kind, id, code, active) =>
      Module['_townwright_page_event'](platform, kind, id, code, active));
  },

  TownwrightKeepGame: function (copy, copyLength) {
    TownwrightPage.keepGame(UTF8ToString(copy, copyLength));
  },

  TownwrightKeptGameLength: function () {
    return lengthBytesUTF8(TownwrightKeptGame.kept());
  },

  TownwrightCopyKeptGame: function (buffer, size) {
    stringToUTF8(TownwrightKeptGame.kept(), buffer, size);
  },

  // A test fixes the seed by the page's address (?seed=N, N a whole number below 10^15), so that
  // two tabs play the same game; only a browser driven by automation (navigator.webdriver) heeds
  // it, so a link can never fix a player's game. -1: no seed fixed.
  TownwrightSeedForTests: function () {
    const text = new URLSearchParams(location.search).get('seed');
    const seed = Number(text);
    return navigator.webdriver === true && String(seed) === text && Number.isInteger(seed) &&
        seed >= 0 && seed < 1e15 ? seed : -1;
  },
});
