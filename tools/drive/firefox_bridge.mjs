// Firefox for page_test.py: Debian has no geckodriver, but Firefox speaks WebDriver BiDi itself,
// which puppeteer-core drives. Reads one JSON request a line ({id, op, args}) and answers each with
// {id, result} or {id, error}, so that the Python scenarios drive Firefox as they drive the others.
// Usage: node firefox_bridge.mjs PROFILE_FOLDER

import {createInterface} from 'node:readline';
import puppeteer from 'puppeteer-core';

const browser = await puppeteer.launch({
  browser: 'firefox',
  executablePath: '/usr/bin/firefox-esr',
  headless: true,
  userDataDir: process.argv[2],
  // The browser's own traffic off: nothing but the page's requests leaves it.
  extraPrefsFirefox: {
    'app.update.enabled': false,
    'browser.safebrowsing.malware.enabled': false,
    'browser.safebrowsing.phishing.enabled': false,
    'network.captive-portal-service.enabled': false,
    'network.connectivity-service.enabled': false,
    'datareporting.policy.dataSubmissionEnabled': false,
    'toolkit.telemetry.enabled': false,
    'extensions.update.enabled': false,
    'browser.region.network.url': '',
    'services.settings.server': 'http://127.0.0.1:9/',
  },
});
// A tab of its own: Firefox's first tab, opened with the browser, never has the window's focus,
// so that no style of focus applies in it and Enter and Space press no button.
const [first] = await browser.pages();
const page = await browser.newPage();
if (first) await first.close();
await page.setViewport({width: 1024, height: 800});
const errors = [];
page.on('console', (message) => {
  if (message.type() === 'error') errors.push(message.text());
});
page.on('pageerror', (error) => errors.push(String(error)));

const operations = {
  async open(url) {
    await page.goto(url, {waitUntil: 'load'});
  },
  async reload() {
    await page.reload({waitUntil: 'load'});
  },
  // A function body that reads `arguments`, as WebDriver's Execute Script runs it; a promise it
  // returns is awaited.
  async js(body, args) {
    return page.evaluate(`(async function () { ${body} }).apply(null, ${JSON.stringify(args)})`);
  },
  async click(selector) {
    await page.click(selector);
  },
  // A key (as Selenium names it: "Space"), or a chord such as "Shift+Tab".
  async press(chord) {
    const [named, ...held] = chord.split('+').reverse();
    const key = named === 'Space' ? ' ' : named;
    for (const modifier of held) await page.keyboard.down(modifier);
    await page.keyboard.press(key);
    for (const modifier of held.reverse()) await page.keyboard.up(modifier);
  },
  async type(text) {
    await page.keyboard.type(text);
  },
  async resize(width, height) {
    await page.setViewport({width, height});
  },
  async screenshot(selector, path) {
    await (await page.$(selector)).screenshot({path});
  },
  async errors() {
    return errors.splice(0);
  },
  async quit() {
    await browser.close();
    process.exit(0);
  },
};

const lines = createInterface({input: process.stdin});
for await (const line of lines) {
  const {id, op, args} = JSON.parse(line);
  let answer;
  try {
    answer = {id, result: (await operations[op](...args)) ?? null};
  } catch (error) {
    answer = {id, error: String(error && error.stack || error)};
  }
  process.stdout.write(`${JSON.stringify(answer)}\n`);
}
await browser.close();
