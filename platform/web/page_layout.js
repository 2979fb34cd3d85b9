// Where the window's controls go on the page. Where the window fits the viewport's width and a
// mouse points, it is shown as on the desktop, each control at its place. Elsewhere (a narrower
// viewport, or a touch screen, where the desktop's controls are too small for a finger) the style
// sheet puts the same controls, in the same document order (so that Tab and screen readers go as
// on the desktop), on the grid the game gave each one (narrowGrid, createControl): with as many
// indicators to a line as leave each figure room for its longest plain text at its smallest size.
// The page only chooses; the game decides the grids (platform/kit/narrow_layout.h).

var TownwrightLayout = (function () {
  'use strict';

  const kMargin = 8;  // CSS pixels between the window and the page's edges
  const kFigurePixels = 16;  // a figure box's text at most, as the page's other boxes
  // A pixel to spare in a figure box: engines round the grid's columns and a text's width apart.
  const kRoundingPixels = 1;
  const kMostTextWidths = 400;  // widths of texts kept, from one layout to the next

  const desk = document.getElementById('desk');
  const coarse = matchMedia('(pointer: coarse)');
  // The page's own layout (html.narrow) rather than the desktop's. `grids` holds its grids by the
  // number of indicators to a line, and `perLine` the one in use (0 before the first layout).
  let narrow = false;
  const grids = {};
  let perLine = 0;
  const figures = [];  // the figure boxes, each with the longest texts it must show whole
  // The figures' size in the page's own layout: the most, up to the other boxes' own, at which
  // every longest plain figure shows whole.
  let figurePixels = kFigurePixels;
  let figureFace = '';  // the figures' font, with % for its size
  const textWidths = new Map();  // of texts in the figures' font at a size: 'font|text' -> pixels
  const measure = document.createElement('canvas').getContext('2d');

  function placeOnGrid(control) {
    const cell = control.cells[perLine];
    if (!cell || cell.row === 0) return;
    const grid = {'--row': cell.row, '--row-span': cell.rows, '--column': cell.column,
                  '--column-span': cell.columns, '--indent-start': cell.indentStart,
                  '--indent-end': cell.indentEnd};
    for (const property in grid) control.style.setProperty(property, grid[property]);
  }

  function useGrid(client, controls, count) {
    perLine = count;
    client.style.setProperty('--grid-columns', grids[count].columns);
    client.style.setProperty('--grid-rows', grids[count].rows);
    for (const control of controls.values()) placeOnGrid(control);
  }

  // The width of the grid of the page's own layout in a viewport `viewport` wide: the window's,
  // within its margins, borders and padding.
  function gridWidth(root, client, viewport) {
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
  function measureFigureBoxes(client, count, width) {
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
  function figureSize(box) {
    if (!narrow || !box.room) return '';
    let pixels = figurePixels;
    while (pixels > box.longest.exponent.pixels && !fitsAt(box, box.value, pixels)) pixels -= 0.5;
    return `${pixels}px`;
  }

  function centre(root) {
    root.style.left = `${Math.max(kMargin, (desk.clientWidth - root.offsetWidth) / 2)}px`;
    desk.style.height = `${root.offsetHeight + 2 * kMargin}px`;
  }

  return {
    coarse,

    // A grid of the page's own layout, with `count` indicators to a line.
    addGrid(count, grid) {
      grids[count] = grid;
    },

    // A control made after the layout was chosen takes its place on the grid in use.
    place(control) {
      if (perLine) placeOnGrid(control);
    },

    // A figure box, which shows its texts whole in the page's own layout.
    addFigure(box) {
      figures.push(box);
    },

    figureSize,

    // Lays the window out for the viewport, as the desktop's or as the page's own.
    fit(root, client, controls) {
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
        // Read again: the page's own layout has the scroll bar, which takes room where it shows.
        const width = gridWidth(root, client, document.documentElement.clientWidth);
        const fits = (count) => {
          measureFigureBoxes(client, count, width);
          return figuresFitAt(least);
        };
        useGrid(client, controls, counts.find(fits) || counts[counts.length - 1]);
        measureFigureBoxes(client, perLine, width);
        figurePixels = kFigurePixels;
        while (figurePixels > least && !figuresFitAt(figurePixels)) --figurePixels;
      } else if (!root.hidden) {
        centre(root);
      }
      for (const box of figures) box.style.fontSize = figureSize(box);
    },

    // The desktop's window in the middle of the page, once it is laid out.
    centre(root) {
      if (!narrow) centre(root);
    },

    // The window has gone: the page is the page again.
    forget() {
      narrow = false;
      figures.length = 0;
      document.documentElement.classList.remove('narrow');
      desk.style.height = '';
    },
  };
})();
