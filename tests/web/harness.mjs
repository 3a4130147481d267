// Shared by the browser tests: what they need, a tiny server for the pages on 127.0.0.1,
// headless Chromium through puppeteer-core, and the page's test hooks (zr590-page.js).
//
// Environment: ZR590_WEB_PAGES (the built pages), CHROMIUM (default /usr/bin/chromium).
// Without a page, Chromium or puppeteer-core a test file skips (exit status 77); in CI
// (CI=true) it fails instead.
import fs from 'node:fs';
import http from 'node:http';
import {createRequire} from 'node:module';
import path from 'node:path';
import {after, before} from 'node:test';

export const pagesDir = process.env.ZR590_WEB_PAGES || '';
const chromium = process.env.CHROMIUM || '/usr/bin/chromium';

function missing(what) {
  if (process.env.CI === 'true') throw new Error(`web tests cannot run in CI: ${what}`);
  console.log(`SKIP: ${what}`);
  process.exit(77);
}

// Returns puppeteer, or skips the file when something it needs is missing.
export async function requirements(...files) {
  for (const file of ['shape-editor.html', ...files]) {
    if (!fs.existsSync(path.join(pagesDir, file))) missing(`no ${file} in "${pagesDir}"`);
  }
  if (!fs.existsSync(chromium)) missing(`${chromium} is not installed`);
  try {
    return (await import('puppeteer-core')).default;
  } catch (error) {
    missing('puppeteer-core is not installed (npm ci at the top of the tree)');
  }
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

export async function serve() {
  const server = http.createServer((request, response) => {
    const name = path.basename(new URL(request.url, 'http://host').pathname);
    fs.readFile(path.join(pagesDir, name), (error, data) => {
      if (error) {
        response.writeHead(404);
        response.end();
        return;
      }
      response.writeHead(200, {'Content-Type': types[path.extname(name)] || 'application/octet-stream'});
      response.end(data);
    });
  });
  await new Promise(resolve => server.listen(0, '127.0.0.1', resolve));
  return {url: `http://127.0.0.1:${server.address().port}`, close: () => server.close()};
}

export async function launch(puppeteer) {
  return puppeteer.launch({
    executablePath: chromium,
    headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking',
           '--disable-component-update', '--disable-sync', '--no-first-run'],
  });
}

// Opens a page; with `session` ({messages, files}) the program runs on that message file. The
// default window shows the canvas at its own size.
// A server and a browser for all the tests of a file: site.open(PAGE, SESSION, VIEWPORT) opens
// build-web/pages/PAGE in a fresh tab.
export function sharedBrowser(puppeteer) {
  const site = {
    open: (name, session = null, viewport = undefined) =>
      open(site.browser, site.server.url + '/' + name, session, viewport),
  };
  before(async () => {
    site.server = await serve();
    site.browser = await launch(puppeteer);
  });
  after(async () => {
    await site.browser.close();
    site.server.close();
  });
  return site;
}

export async function open(browser, url, session = null, viewport = {width: 1000, height: 900}) {
  const page = await browser.newPage();
  await page.setViewport(viewport);
  const problems = [];
  page.on('pageerror', error => problems.push(String(error)));
  page.on('console', message => {
    if (message.type() === 'error') problems.push(message.text());
  });
  page.problems = problems;
  if (session) await page.evaluateOnNewDocument(s => { window.zr590Session = s; }, session);
  await page.goto(url);
  await settled(page);
  return page;
}

// Waits until the program sleeps with everything handed to it seen (or has ended).
export async function settled(page) {
  await page.waitForFunction(() => window.zr590Page && zr590Page.settled(), {timeout: 10000});
}

export async function ended(page) {
  await page.waitForFunction(() => window.zr590Page && zr590Page.ended !== null, {timeout: 20000});
  return page.evaluate(() => zr590Page.ended);
}

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
    const canvas = new OffscreenCanvas(image.width, image.height);
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

// The page position of canvas pixel (x, y).
export async function canvasPoint(page, x, y) {
  const box = await page.$eval('#canvas', canvas => {
    const r = canvas.getBoundingClientRect();
    return {left: r.left, top: r.top};
  });
  return {x: box.left + x + 0.5, y: box.top + y + 0.5};
}

export async function clickCanvas(page, x, y) {
  const at = await canvasPoint(page, x, y);
  await page.mouse.click(at.x, at.y);
  await settled(page);
}

// Presses a key (with Ctrl when asked) and tells whether the page kept the browser from it.
export async function press(page, key, ctrl = false) {
  await page.evaluate(() => {
    window.prevented = null;
    window.addEventListener('keydown', function seen(event) {
      if (event.key === 'Control') return;
      window.prevented = event.defaultPrevented;
      window.removeEventListener('keydown', seen);
    });
  });
  if (ctrl) await page.keyboard.down('Control');
  await page.keyboard.press(key);
  if (ctrl) await page.keyboard.up('Control');
  await settled(page);
  return page.evaluate(() => window.prevented);
}

// Types `text` into the line dialog once it is open, and Enter.
export async function answer(page, text) {
  await page.waitForFunction(() => !document.getElementById('dialog-backdrop').hidden);
  await page.keyboard.type(text);
  await page.keyboard.press('Enter');
  await settled(page);
}

// The names the page lists under Files.
export function listed(page) {
  return page.$$eval('#file-list a', links => links.map(link => link.textContent));
}
