// Every JavaScript file of the page, of its build and of the tests and tools that drive it, as
// scripts/check-format checks them: ESLint's recommended rules, with the globals each file is run
// among.
import js from '@eslint/js';

const browser = {
  window: 'readonly', document: 'readonly', location: 'readonly', navigator: 'readonly',
  performance: 'readonly', sessionStorage: 'readonly', localStorage: 'readonly',
  setTimeout: 'readonly', matchMedia: 'readonly', getComputedStyle: 'readonly',
  fetch: 'readonly', console: 'readonly', addEventListener: 'readonly', URL: 'readonly',
  URLSearchParams: 'readonly', HTMLScriptElement: 'readonly', WebAssembly: 'readonly',
  MutationObserver: 'readonly', Node: 'readonly', requestAnimationFrame: 'readonly',
  indexedDB: 'readonly', caches: 'readonly', scrollX: 'readonly', scrollY: 'readonly',
  innerHeight: 'readonly',
};
// What emscripten's loader gives the page's scripts and its library.
const emscripten = {
  Module: 'writable', HEAP32: 'readonly', UTF8ToString: 'readonly', lengthBytesUTF8: 'readonly',
  stringToUTF8: 'readonly', mergeInto: 'readonly', LibraryManager: 'readonly',
};
// Each of the page's scripts defines one global for the scripts after it.
const page = {
  townwrightSay: 'readonly', townwrightNotLoaded: 'readonly', TownwrightKeptGame: 'readonly',
  townwrightQueue: 'readonly', TownwrightLayout: 'readonly', TownwrightBoxes: 'readonly',
  TownwrightPage: 'readonly',
};
// A script's functions that are called by name from outside it.
const calledFromOutside = {'no-unused-vars': ['error', {vars: 'local'}]};

export default [
  {ignores: ['build/**', 'node_modules/**']},
  js.configs.recommended,
  // The page's scripts, in the order the page runs them: start.js, then within emscripten's loader
  // kept_game.js, page_queue.js, page_layout.js, page_boxes.js and page.js; and library.js, the
  // module's imports, which call them.
  {
    files: ['platform/web/start.js', 'platform/web/kept_game.js', 'platform/web/page*.js',
            'platform/web/library.js'],
    languageOptions: {sourceType: 'script', globals: {...browser, ...emscripten, ...page}},
    rules: {...calledFromOutside, 'no-redeclare': ['error', {builtinGlobals: false}]},
  },
  {
    files: ['platform/web/service-worker.js'],
    languageOptions: {
      sourceType: 'script',
      globals: {self: 'readonly', caches: 'readonly', fetch: 'readonly', Request: 'readonly',
                URL: 'readonly'},
    },
  },
  // What the tests and the measurements run inside the page.
  {
    files: ['platform/web/tests/page_scripts.js', 'tools/drive/catch_errors.js',
            'tools/web/measure_scripts.js'],
    languageOptions: {sourceType: 'script', globals: browser},
    rules: calledFromOutside,
  },
  // The page's queue under node's own test runner.
  {
    files: ['platform/web/tests/page_queue_test.js'],
    languageOptions: {
      sourceType: 'commonjs',
      globals: {require: 'readonly', __dirname: 'readonly', Map: 'readonly'},
    },
  },
  {
    files: ['tools/drive/firefox_bridge.mjs'],
    languageOptions: {
      sourceType: 'module',
      globals: {process: 'readonly', console: 'readonly', setTimeout: 'readonly'},
    },
  },
];
