#pragma once

// The page's functions the module imports, written in JavaScript in library.js (emscripten's
// library for the page). Texts cross as UTF-8 with their lengths.

extern "C" {

// The kinds of event the page reports, and the notification codes of a click and of typing.
void TownwrightDescribeEvents(int activation, int command, int clicked, int text_changed);
// Makes the hidden window in the dialog font; its 52 letters' advance and its height come back.
void TownwrightCreateWindow(const char* caption, int caption_length, const char* face,
                            int face_length, int points, int* letters_width, int* height);
void TownwrightSizeWindow(int width, int height);
// A grid of the page's own layout: its number of columns, the number of indicators to a line, and
// a letter for each row (NarrowRowLetter).
void TownwrightNarrowGrid(int columns, int per_line, const char* rows, int rows_length);
// `cells` points to the control's place on each grid of the page's own layout, in the order of
// `per_line` (its `grids` numbers of indicators to a line): six numbers each, the row, rows,
// column, columns, indent at the start and at the end; a row of 0 is none. A choice keeps room for
// the caption `reserve`.
void TownwrightCreateControl(int id, const char* element, int x, int y, int width, int height,
                             const int* per_line, int grids, const int* cells, const char* reserve,
                             int reserve_length, const char* text, int text_length,
                             const char* name, int name_length);
// A figure box of the page's own layout shows every text whole: the longest of each form, which
// the page measures in its own font to size the box's text.
void TownwrightFitFigure(int id, const char* plain, int plain_length, int plain_pixels,
                         const char* exponent, int exponent_length, int exponent_pixels);
void TownwrightSetText(int id, const char* text, int text_length, const char* name,
                       int name_length);
// The text the player's latest change left in a text box, which the event being delivered
// reports: its length in bytes, then the text with its terminating NUL into `size` bytes.
int TownwrightTypedTextLength();
void TownwrightCopyTypedText(char* buffer, int size);
// What the game draws after a pause, the page shows once the pause is over.
void TownwrightPause(int milliseconds);
void TownwrightSetFont(int id, int pixel_height, int weight, const char* face, int face_length);
int TownwrightOpenMessageBoxes();
void TownwrightShowMessageBox(const char* text, int text_length, const char* caption,
                              int caption_length);
int TownwrightFocusedControl();
void TownwrightFocusControl(int id);
// What a press did, said to screen readers once what it drew is shown.
void TownwrightAnnounce(const char* news, int news_length);
void TownwrightShowWindow();
void TownwrightDestroyWindow();
// From now on the page hands `platform` the player's events (townwright_page_event), one at a time.
void TownwrightListen(void* platform);
// The game kept for the life of the tab, in kept_game.js; read as the typed text is.
void TownwrightKeepGame(const char* copy, int copy_length);
int TownwrightKeptGameLength();
void TownwrightCopyKeptGame(char* buffer, int size);
// The seed a test fixed by the page's address, or -1 (only under automation).
double TownwrightSeedForTests();

}  // extern "C"
