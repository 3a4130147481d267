// The browser engines the web tests run in, each behind the same small page object:
//   goto(url), reload(), evaluate(fn, ...args), mouseClick(x, y), tap(x, y), keyDown(key),
//   keyUp(key), key(key), type(text), upload(selector, file), screenshot() (the window, a PNG),
//   accessible(role, name) (the id of the element a screen reader finds so), bringToFront(),
//   close(), problems()
// Chromium and Firefox through puppeteer-core (Firefox over WebDriver BiDi), WebKit through a
// small W3C WebDriver client for WebKitWebDriver and WebKitGTK's MiniBrowser, which has no
// headless mode: it gets an Xvfb server of its own.
//
// Programs: CHROMIUM (/usr/bin/chromium), FIREFOX (/usr/bin/firefox-esr), WEBKIT_WEBDRIVER
// (/usr/bin/WebKitWebDriver), MINIBROWSER (WebKitGTK 4.1's), XVFB (/usr/bin/Xvfb).
import {spawn} from 'node:child_process';
import fs from 'node:fs';
import net from 'node:net';

const programs = {
  chromium: process.env.CHROMIUM || '/usr/bin/chromium',
  firefox: process.env.FIREFOX || '/usr/bin/firefox-esr',
  webdriver: process.env.WEBKIT_WEBDRIVER || '/usr/bin/WebKitWebDriver',
  minibrowser: process.env.MINIBROWSER || '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser',
  xvfb: process.env.XVFB || '/usr/bin/Xvfb',
};

// Programs this file started end with the test, also when it fails before closing them.
const started = new Set();
function start(program, args, options) {
  const child = spawn(program, args, options);
  started.add(child);
  child.on('exit', () => started.delete(child));
  return child;
}
process.on('exit', () => started.forEach(child => child.kill()));

export function missing(what) {
  if (process.env.CI === 'true') throw new Error(`web tests cannot run in CI: ${what}`);
  console.log(`SKIP: ${what}`);
  process.exit(77);
}

function need(program) {
  if (!fs.existsSync(program)) missing(`${program} is not installed`);
}

// What every engine's page object shares: the errors the page met, also across reloads.
class Page {
  constructor() {
    this.engineProblems = [];  // what the engine itself reports (puppeteer's events)
    this.earlierProblems = [];  // what the page recorded before it was last reloaded
  }
  async keepProblems() {
    this.earlierProblems.push(...await this.evaluate(() => window.zr590Problems || []));
  }
  async problems() {
    const now = await this.evaluate(() => window.zr590Problems || []);
    return [...new Set([...this.earlierProblems, ...now, ...this.engineProblems])];
  }
}

// ---- Chromium and Firefox: puppeteer-core ----

let puppeteer = null;
async function loadPuppeteer() {
  try {
    puppeteer = (await import('puppeteer-core')).default;
  } catch (error) {
    missing('puppeteer-core is not installed (npm ci at the top of the tree)');
  }
}

class PuppeteerPage extends Page {
  constructor(page, engine) {
    super();
    this.page = page;
    this.engine = engine;
    page.on('pageerror', error => this.engineProblems.push(String(error)));
    page.on('console', message => {
      if (message.type() === 'error') this.engineProblems.push(message.text());
    });
    // Leaving while a store is pending asks first (beforeunload): the tests' closes answer yes.
    // The page may be gone by the time the answer arrives (the close it asked about went on).
    page.on('dialog', dialog => dialog.accept().catch(() => {}));
  }
  goto(url) { return this.page.goto(url); }
  async reload() {
    await this.keepProblems();
    await this.page.reload();
  }
  evaluate(fn, ...args) { return this.page.evaluate(fn, ...args); }
  mouseClick(x, y) { return this.page.mouse.click(x, y); }
  tap(x, y) { return this.page.touchscreen.tap(x, y); }
  keyDown(key) { return this.page.keyboard.down(key); }
  keyUp(key) { return this.page.keyboard.up(key); }
  key(key) {
    // Puppeteer sends Enter over BiDi as the keypad's Enter (code NumpadEnter).
    if (this.engine === 'firefox' && key === 'Enter') {
      return this.page.mainFrame().browsingContext.performActions([{type: 'key', id: 'enter', actions: [
        {type: 'keyDown', value: '\uE006'}, {type: 'keyUp', value: '\uE006'}]}]);
    }
    return this.page.keyboard.press(key);
  }
  type(text) { return this.page.keyboard.type(text); }
  async upload(selector, file) { await (await this.page.$(selector)).uploadFile(file); }
  async screenshot() { return Buffer.from(await this.page.screenshot()); }
  async accessible(role, name) {
    const found = await this.page.$(`::-p-aria([name=${JSON.stringify(name)}][role="${role}"])`);
    return found && found.evaluate(element => element.id);
  }
  bringToFront() { return this.page.bringToFront(); }
  close() { return this.page.close({runBeforeUnload: true}); }
}

async function launchPuppeteer(engine, {downloads}) {
  const browser = engine === 'firefox'
      ? await puppeteer.launch({browser: 'firefox', executablePath: programs.firefox, headless: true})
      : await puppeteer.launch({
          executablePath: programs.chromium,
          headless: true,
          args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking',
                 '--disable-component-update', '--disable-sync', '--no-first-run'],
        });
  const context = await browser.createBrowserContext(
      {downloadBehavior: {policy: 'allow', downloadPath: downloads}});
  return {
    async newPage(viewport) {
      const page = await context.newPage();
      await page.setViewport(viewport);
      return new PuppeteerPage(page, engine);
    },
    close: () => browser.close(),
  };
}

// ---- WebKit: W3C WebDriver ----

const freePort = () => new Promise((resolve, reject) => {
  const server = net.createServer();
  server.on('error', reject);
  server.listen(0, '127.0.0.1', () => {
    const {port} = server.address();
    server.close(() => resolve(port));
  });
});

// W3C key values of the keys the tests name (letters by .code, 'KeyR', or as themselves).
// (WebDriver's "Enter", \uE007, is the keypad's: the main one is "Return".)
const webdriverKeys = {Enter: '\uE006', Escape: '\uE00C', Tab: '\uE004', Control: '\uE009',
                       Shift: '\uE008', Backspace: '\uE003'};
const keyValue = key => webdriverKeys[key] ?? (/^Key[A-Z]$/.test(key) ? key[3].toLowerCase() : key);

// A virtual X server large enough for the largest window the tests ask for (a phone at 3 device
// pixels a CSS pixel is 1170 x 2532); it picks a free display number and tells it.
async function startXvfb() {
  const server = start(programs.xvfb, ['-displayfd', '3', '-screen', '0', '3000x2700x24', '-nolisten', 'tcp'],
                       {stdio: ['ignore', 'ignore', 'ignore', 'pipe']});
  const display = await new Promise((resolve, reject) => {
    let text = '';
    server.stdio[3].on('data', data => {
      text += data;
      if (text.includes('\n')) resolve(':' + text.trim());
    });
    server.on('exit', status => reject(new Error(`Xvfb ended (${status}) before it gave a display`)));
  });
  return {display, stop: () => server.kill()};
}

// One WebKitWebDriver and its MiniBrowser; `scale`: device pixels per CSS pixel (GDK_SCALE).
async function webdriverSession(scale, downloads, display) {
  const port = await freePort();
  // MiniBrowser saves a download in the home folder, without asking.
  const env = {...process.env, DISPLAY: display, GDK_SCALE: String(scale), NO_AT_BRIDGE: '1',
               HOME: downloads};
  const driver = start(programs.webdriver, [`--port=${port}`], {env, stdio: ['ignore', 'ignore', 'pipe']});
  let log = '';
  driver.stderr.on('data', data => { log += data; });
  const base = `http://127.0.0.1:${port}`;
  async function send(method, path, body) {
    const response = await fetch(base + path, {
      method, headers: {'Content-Type': 'application/json'},
      body: body === undefined ? undefined : JSON.stringify(body)});
    const {value} = await response.json();
    if (value && value.error) throw new Error(`WebDriver ${method} ${path}: ${value.error}: ${value.message}`);
    return value;
  }
  for (let i = 0; ; ++i) {
    try {
      if ((await send('GET', '/status')).ready) break;
    } catch (error) {
      if (i > 100) throw new Error(`WebKitWebDriver did not start: ${error} ${log}`);
    }
    await new Promise(resolve => setTimeout(resolve, 100));
  }
  const {sessionId} = await send('POST', '/session', {capabilities: {alwaysMatch: {
    'webkitgtk:browserOptions': {binary: programs.minibrowser, args: ['--automation']}}}});
  // The session's first window stays blank: closing the last window would end the session.
  const home = await send('GET', `/session/${sessionId}/window`);
  let current = home;
  let queue = Promise.resolve();
  const session = {
    // A command on window `handle`: WebDriver acts on one window at a time, so commands for
    // several windows wait for each other.
    on(handle, method, path, body) {
      const command = queue.then(async () => {
        if (handle !== current) {
          await send('POST', `/session/${sessionId}/window`, {handle});
          current = handle;
        }
        const value = await send(method, `/session/${sessionId}${path}`, body);
        if (method === 'DELETE' && path === '/window') current = null;
        return value;
      });
      queue = command.catch(() => {});
      return command;
    },
    // A window of its own (not a tab: a tab behind others is hidden, and its timers slowed).
    async newWindow() { return (await session.on(home, 'POST', '/window/new', {type: 'window'})).handle; },
    async close() {
      await send('DELETE', `/session/${sessionId}`).catch(() => {});
      driver.kill();
    },
  };
  return session;
}

class WebDriverPage extends Page {
  constructor(session, handle) {
    super();
    this.session = session;
    this.handle = handle;
  }
  send(method, path, body) { return this.session.on(this.handle, method, path, body); }
  goto(url) { return this.send('POST', '/url', {url}); }
  async reload() {
    await this.keepProblems();
    await this.send('POST', '/refresh', {});
  }
  async evaluate(fn, ...args) {
    const script = `const done = arguments[arguments.length - 1];
      Promise.resolve().then(() => (${fn})(...arguments[0]))
        .then(value => done({value: value === undefined ? null : value}),
              error => done({error: String(error && error.stack || error)}));`;
    const result = await this.send('POST', '/execute/async', {script, args: [args]});
    if (result.error) throw new Error(result.error);
    return result.value;
  }
  actions(source) { return this.send('POST', '/actions', {actions: [source]}); }
  pointer(type, x, y) {
    return this.actions({type: 'pointer', id: type, parameters: {pointerType: type}, actions: [
      {type: 'pointerMove', x: Math.floor(x), y: Math.floor(y), origin: 'viewport'},
      {type: 'pointerDown', button: 0}, {type: 'pointerUp', button: 0}]});
  }
  mouseClick(x, y) { return this.pointer('mouse', x, y); }
  tap(x, y) { return this.pointer('touch', x, y); }
  keys(...actions) { return this.actions({type: 'key', id: 'keyboard', actions}); }
  keyDown(key) { return this.keys({type: 'keyDown', value: keyValue(key)}); }
  keyUp(key) { return this.keys({type: 'keyUp', value: keyValue(key)}); }
  key(key) { return this.keys({type: 'keyDown', value: keyValue(key)}, {type: 'keyUp', value: keyValue(key)}); }
  type(text) {
    return this.keys(...[...text].flatMap(c => [{type: 'keyDown', value: c}, {type: 'keyUp', value: c}]));
  }
  async element(selector) {
    const found = await this.send('POST', '/element', {using: 'css selector', value: selector});
    return Object.values(found)[0];
  }
  async upload(selector, file) {
    await this.send('POST', `/element/${await this.element(selector)}/value`, {text: file});
  }
  // (WebKitWebDriver's element screenshots of the canvas come back partly black.)
  async screenshot() { return Buffer.from(await this.send('GET', '/screenshot'), 'base64'); }
  // WebDriver finds no element by its role: each is asked for its own (an element hidden from
  // screen readers has none: an error).
  async accessible(role, name) {
    const all = await this.send('POST', '/elements', {using: 'css selector', value: 'body *'});
    const ask = (element, what) => this.send('GET', `/element/${element}/${what}`).catch(() => null);
    for (const element of all.map(found => Object.values(found)[0])) {
      if (await ask(element, 'computedrole') === role && await ask(element, 'computedlabel') === name) {
        return this.send('GET', `/element/${element}/attribute/id`);
      }
    }
    return null;
  }
  bringToFront() { return this.send('GET', '/window'); }  // switches to it
  close() { return this.send('DELETE', '/window'); }
}

async function launchWebKit({downloads}) {
  const xvfb = await startXvfb();
  const sessions = new Map();  // by device pixels per CSS pixel
  return {
    display: xvfb.display,
    async newPage(viewport) {
      const scale = viewport.deviceScaleFactor ?? 1;
      if (!sessions.has(scale)) sessions.set(scale, await webdriverSession(scale, downloads, xvfb.display));
      const session = sessions.get(scale);
      const page = new WebDriverPage(session, await session.newWindow());
      // The window is larger than the page by its tool bar and frame. (MiniBrowser's window is
      // never narrower than its tool bar: a phone's 390 CSS pixels become about 450.)
      const inner = await page.evaluate(() => [innerWidth, innerHeight]);
      const outer = await page.send('GET', '/window/rect');
      await page.send('POST', '/window/rect', {
        width: viewport.width + outer.width - inner[0], height: viewport.height + outer.height - inner[1]});
      return page;
    },
    async close() {
      for (const session of sessions.values()) await session.close();
      xvfb.stop();
    },
  };
}

export const engines = {
  chromium: {
    async requirements() {
      need(programs.chromium);
      await loadPuppeteer();
    },
    launch: options => launchPuppeteer('chromium', options),
  },
  firefox: {
    async requirements() {
      need(programs.firefox);
      await loadPuppeteer();
    },
    launch: options => launchPuppeteer('firefox', options),
  },
  webkit: {
    // What this engine cannot do under WebDriver, by name; harness.cannot(name) tells the tests.
    cannot: {
      touch: 'WebKitGTK\'s WebDriver delivers touch actions as mouse events (pointerType "mouse", ' +
             'no touch events), and this WebKitGTK is built without touch emulation',
    },
    async requirements() {
      need(programs.webdriver);
      need(programs.minibrowser);
      need(programs.xvfb);
    },
    launch: options => launchWebKit(options),
  },
};
