// The driver layer of the browser tests: what they need, a tiny server for the pages on
// 127.0.0.1, one browser engine (ZR590_WEB_ENGINE: chromium, firefox or webkit), and the page's
// test hooks (zr590-page.js). Tests act only through this file's functions and the page object
// that `open` returns, so every case runs unchanged in every engine; engines.mjs holds what
// each engine does differently.
//
// Environment: ZR590_WEB_PAGES (the built pages), ZR590_WEB_ENGINE (default chromium), and the
// engines' programs (see engines.mjs). Without a page or an engine a test file skips (exit
// status 77); in CI (CI=true) it fails instead.
import fs from 'node:fs';
import http from 'node:http';
import {createRequire} from 'node:module';
import os from 'node:os';
import path from 'node:path';
import {after} from 'node:test';

import {engines, missing} from './engines.mjs';

export const pagesDir = process.env.ZR590_WEB_PAGES || '';
export const engineName = process.env.ZR590_WEB_ENGINE || 'chromium';
const engine = engines[engineName];
if (!engine) throw new Error(`ZR590_WEB_ENGINE: no engine "${engineName}" (${Object.keys(engines).join(', ')})`);

// Skips the file when the pages or the engine are missing.
export async function requirements(...files) {
  for (const file of ['shape-editor.html', ...files]) {
    if (!fs.existsSync(path.join(pagesDir, file))) missing(`no ${file} in "${pagesDir}"`);
  }
  await engine.requirements();
}

// What an engine cannot do at all, said by the engine (engines.mjs): the checks that need it
// run where it can, and say so where it cannot.
export function cannot(what) { return engine.cannot?.[what] ?? null; }

// A tap where the engine can make one; where it cannot, a click, and a note in the test's output.
export async function tap(page, x, y) {
  const why = cannot('touch');
  if (why === null) return page.tap(x, y);
  console.log(`# ${engineName}: a click instead of a tap: ${why}`);
  return page.mouseClick(x, y);
}

// axe-core's script, to inject into a page; skips the file without it.
export function axeSource() {
  try {
    return fs.readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');
  } catch (error) {
    missing('axe-core is not installed (npm ci at the top of the tree)');
  }
}

const types = {'.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css',
               '.wasm': 'application/wasm'};

// Put first into every page served: what it prints and every error it meets, kept for the test
// in every engine (WebDriver has no console events).
const recorder = `<script>(() => {
  const problems = window.zr590Problems = [], lines = window.zr590Console = [];
  addEventListener('error', event => problems.push(event.message ||
      'cannot load ' + (event.target.src || event.target.href)), true);
  addEventListener('unhandledrejection', event => problems.push(String(event.reason)));
  for (const kind of ['log', 'info', 'warn', 'error']) {
    const original = console[kind];
    console[kind] = (...parts) => {
      lines.push(parts.join(' '));
      if (kind === 'error') problems.push(parts.join(' '));
      original.apply(console, parts);
    };
  }
})();</script>`;

// Serves the pages; `?session=N` gives the page message session N (site.session), set before
// the page's own scripts run.
export async function serve() {
  const sessions = [];
  const server = http.createServer((request, response) => {
    const url = new URL(request.url, 'http://host');
    const name = path.basename(url.pathname);
    fs.readFile(path.join(pagesDir, name), (error, data) => {
      if (error) {
        response.writeHead(404);
        response.end();
        return;
      }
      if (path.extname(name) === '.html') {
        const session = sessions[url.searchParams.get('session')];
        const set = session ? `<script>window.zr590Session = ${JSON.stringify(session)};</script>` : '';
        data = String(data).replace('<head>', '<head>' + recorder + set);
      }
      response.writeHead(200, {'Content-Type': types[path.extname(name)] || 'application/octet-stream'});
      response.end(data);
    });
  });
  await new Promise(resolve => server.listen(0, '127.0.0.1', resolve));
  const url = `http://127.0.0.1:${server.address().port}`;
  return {
    url,
    page: (name, session = null) => {
      if (session === null) return `${url}/${name}`;
      sessions.push(session);
      return `${url}/${name}?session=${sessions.length - 1}`;
    },
    close: () => server.close(),
  };
}

// The engine's browser; `downloads`: the folder its downloads go to.
export const launch = options => engine.launch(options);

// A server and a browser for all the tests of a file: site.open(PAGE, SESSION, VIEWPORT) opens
// build-web/pages/PAGE in a fresh tab; site.downloads is the folder downloads go to.
// Both start at the first open.
export function sharedBrowser() {
  let ready = null;
  const site = {
    downloads: fs.mkdtempSync(path.join(os.tmpdir(), 'zr590-downloads-')),
    async open(name, session = null, viewport = undefined) {
      ready ??= (async () => {
        site.server = await serve();
        site.browser = await engine.launch({downloads: site.downloads});
      })();
      await ready;
      return open(site.browser, site.server.page(name, session), viewport);
    },
  };
  after(async () => {
    if (ready) {
      await ready;
      await site.browser.close();
      site.server.close();
    }
    fs.rmSync(site.downloads, {recursive: true, force: true});
  });
  return site;
}

// A tab showing `url`, settled; the default window shows the canvas at its own size.
export async function open(browser, url, viewport = {width: 1000, height: 900}) {
  const page = await browser.newPage(viewport);
  await page.goto(url);
  await settled(page);
  return page;
}

// Waits until `test(...args)`, run in the page, is true (or throws after `timeout` ms).
export async function waitFor(page, test, args = [], timeout = 10000) {
  const give = Date.now() + timeout;
  for (;;) {
    const value = await page.evaluate(test, ...args).catch(error => {
      // A page that is loading again has no hooks for a moment.
      if (/navigat|context|destroyed|detached|reload/i.test(String(error))) return false;
      throw error;
    });
    if (value) return value;
    if (Date.now() > give) throw new Error(`timed out after ${timeout} ms waiting for ${test}`);
    await new Promise(resolve => setTimeout(resolve, 20));
  }
}

export const pause = ms => new Promise(resolve => setTimeout(resolve, ms));

// Waits until the program sleeps with everything handed to it seen (or has ended).
export async function settled(page) {
  await waitFor(page, () => window.zr590Page && zr590Page.settled());
}

export async function ended(page) {
  await waitFor(page, () => window.zr590Page && zr590Page.ended !== null, [], 20000);
  return page.evaluate(() => zr590Page.ended);
}

export async function reload(page) {
  await page.reload();
  await settled(page);
}

// Runs a script in the page, as a <script> element holding `source` does.
export const addScript = (page, source) => page.evaluate(text => {
  const script = document.createElement('script');
  script.textContent = text;
  document.head.append(script);
}, source);

// What the page printed with console.log, in order.
export const printed = page => page.evaluate(() => window.zr590Console);

// The canvas's pixels as RGBA bytes.
export async function canvasPixels(page) {
  const base64 = await page.evaluate(() => {
    const canvas = document.getElementById('canvas');
    const bytes = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
    let text = '';
    for (let i = 0; i < bytes.length; i += 0x8000) {
      text += String.fromCharCode.apply(null, bytes.subarray(i, i + 0x8000));
    }
    return btoa(text);
  });
  return Buffer.from(base64, 'base64');
}

// A PNG's pixels as RGBA bytes, decoded by the browser.
export async function pngPixels(page, png) {
  const base64 = await page.evaluate(async data => {
    const image = new Image();
    image.src = 'data:image/png;base64,' + data;
    await image.decode();
    const canvas = document.createElement('canvas');
    canvas.width = image.width;
    canvas.height = image.height;
    const context = canvas.getContext('2d');
    context.drawImage(image, 0, 0);
    const bytes = context.getImageData(0, 0, image.width, image.height).data;
    let text = '';
    for (let i = 0; i < bytes.length; i += 0x8000) {
      text += String.fromCharCode.apply(null, bytes.subarray(i, i + 0x8000));
    }
    return btoa(text);
  }, png.toString('base64'));
  return Buffer.from(base64, 'base64');
}

// What the window shows of the element `selector` finds, as a PNG in device pixels.
export async function screenshot(page, selector) {
  const {left, top, width, height} = await box(page, selector);
  // What the page drew reaches the window at its next rendering.
  await page.evaluate(() => new Promise(done => requestAnimationFrame(() => requestAnimationFrame(done))));
  const png = await page.screenshot();
  const base64 = await page.evaluate(async (data, left, top, width, height) => {
    const image = new Image();
    image.src = 'data:image/png;base64,' + data;
    await image.decode();
    const scale = image.width / innerWidth;
    const canvas = document.createElement('canvas');
    [canvas.width, canvas.height] = [Math.round(width * scale), Math.round(height * scale)];
    canvas.getContext('2d').drawImage(image, -Math.round(left * scale), -Math.round(top * scale));
    return canvas.toDataURL('image/png').split(',')[1];
  }, png.toString('base64'), left, top, width, height);
  return Buffer.from(base64, 'base64');
}

// The box of the first element `selector` finds, in CSS pixels of the window.
export function box(page, selector) {
  return page.evaluate(s => {
    const element = document.querySelector(s);
    element.scrollIntoView({block: 'nearest'});
    return element.getBoundingClientRect().toJSON();
  }, selector);
}

// The page position of canvas pixel (x, y).
export async function canvasPoint(page, x, y) {
  const {left, top} = await box(page, '#canvas');
  return {x: left + x + 0.5, y: top + y + 0.5};
}

// A click at the middle of the element `selector` finds, as the user clicks it.
export async function click(page, selector) {
  const {left, top, width, height} = await box(page, selector);
  await page.mouseClick(left + width / 2, top + height / 2);
}

export async function clickCanvas(page, x, y) {
  const at = await canvasPoint(page, x, y);
  await page.mouseClick(at.x, at.y);
  await settled(page);
}

export const focus = (page, selector) => page.evaluate(s => document.querySelector(s).focus(), selector);

// Presses a key (with Ctrl when asked) and tells whether the page kept the browser from it.
// Keys are named as KeyboardEvent.key or, for letters, .code ('KeyR').
export async function press(page, key, ctrl = false) {
  await page.evaluate(() => {
    window.prevented = null;
    window.addEventListener('keydown', function seen(event) {
      if (event.key === 'Control') return;
      window.prevented = event.defaultPrevented;
      window.removeEventListener('keydown', seen);
    });
  });
  if (ctrl) await page.keyDown('Control');
  await page.key(key);
  if (ctrl) await page.keyUp('Control');
  await settled(page);
  return page.evaluate(() => window.prevented);
}

export const dialogShown = page => page.evaluate(
    () => !document.getElementById('dialog-backdrop').hidden);

// Types `text` into the line dialog once it is open, and Enter.
export async function answer(page, text) {
  await waitFor(page, () => !document.getElementById('dialog-backdrop').hidden);
  await page.type(text);
  await page.key('Enter');
  await settled(page);
}

// The names the page lists under Files.
export function listed(page) {
  return page.evaluate(() => [...document.querySelectorAll('#file-list a')].map(link => link.textContent));
}

// Waits until Files lists `name`.
export function listing(page, name) {
  return waitFor(page, n => [...document.querySelectorAll('#file-list a')].some(a => a.textContent === n), [name]);
}

// Clicks the Files link of `name` and returns the bytes the browser downloaded from it.
export async function download(page, site, name) {
  const saved = path.join(site.downloads, name);
  fs.rmSync(saved, {force: true});
  const links = await page.evaluate(() => [...document.querySelectorAll('#file-list a')].map(a => a.textContent));
  const {left, top, width, height} = await page.evaluate(i => {
    const link = document.querySelectorAll('#file-list a')[i];
    link.scrollIntoView({block: 'nearest'});
    return link.getBoundingClientRect().toJSON();
  }, links.indexOf(name));
  await page.mouseClick(left + width / 2, top + height / 2);
  // A download being written has another name beside it until it is complete.
  for (let i = 0; i < 200; ++i) {
    const busy = fs.readdirSync(site.downloads).some(file => file !== name && file.startsWith(name));
    if (fs.existsSync(saved) && !busy) return fs.readFileSync(saved);
    await pause(50);
  }
  throw new Error(`${name} was not downloaded to ${site.downloads}: ${fs.readdirSync(site.downloads)}`);
}
