// The JavaScript of the page and of the tests' Firefox driver, as scripts/check-format checks it:
// ESLint's recommended rules, with the globals each file is run among.
import js from '@eslint/js';

const browser = {
  window: 'readonly', document: 'readonly', location: 'readonly', navigator: 'readonly',
  performance: 'readonly', sessionStorage: 'readonly', setTimeout: 'readonly',
  matchMedia: 'readonly', getComputedStyle: 'readonly', fetch: 'readonly', console: 'readonly',
  addEventListener: 'readonly', URL: 'readonly', URLSearchParams: 'readonly',
  HTMLScriptElement: 'readonly', WebAssembly: 'readonly',
};

export default [
  {ignores: ['build/**', 'node_modules/**']},
  js.configs.recommended,
  // The page's scripts, in the order the page runs them: start.js, then kept_game.js and page.js
  // within emscripten's loader (Module); each defines one global for those after it.
  {
    files: ['platform/web/start.js'],
    languageOptions: {sourceType: 'script', globals: browser},
    rules: {'no-unused-vars': ['error', {varsIgnorePattern: '^townwright'}]},
  },
  {
    files: ['platform/web/kept_game.js'],
    languageOptions: {sourceType: 'script', globals: browser},
    rules: {'no-unused-vars': ['error', {varsIgnorePattern: '^TownwrightKeptGame$'}]},
  },
  {
    files: ['platform/web/page.js'],
    languageOptions: {
      sourceType: 'script',
      globals: {
        ...browser, Module: 'writable', TownwrightKeptGame: 'readonly',
        townwrightSay: 'readonly', townwrightNotLoaded: 'readonly',
      },
    },
    rules: {'no-unused-vars': ['error', {varsIgnorePattern: '^TownwrightPage$'}]},
  },
  {
    files: ['platform/web/service-worker.js'],
    languageOptions: {
      sourceType: 'script',
      globals: {self: 'readonly', caches: 'readonly', fetch: 'readonly', Request: 'readonly',
                URL: 'readonly'},
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
