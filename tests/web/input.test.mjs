// Real input through Chromium: clicks, keys, the "Run" menu, the line dialog, the files beside
// the canvas, a reload, and the end of the program; then the bouncing example from the same
// source. Tool button i of the editor is at canvas pixel (25, 45 + 40i) and colour cell k at
// (136 + 12k, 36), as the e2e sessions place them.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import {after, before, test} from 'node:test';

import * as web from './harness.mjs';

const puppeteer = await web.requirements('bouncing.html');
const width = 601;
const tool = i => [25, 45 + 40 * i];
const colourCell = k => [136 + 12 * k, 36];
const [square, triangle, circle, load, save] = [0, 1, 2, 10, 11];
const spot = [310, 250];  // in the drawing area

let server, browser, page, downloads;
before(async () => {
  server = await web.serve();
  browser = await web.launch(puppeteer);
  downloads = fs.mkdtempSync(path.join(os.tmpdir(), 'zr590-downloads-'));
  page = await web.open(browser, server.url + '/shape-editor.html');
});
after(async () => {
  await browser.close();
  server.close();
  fs.rmSync(downloads, {recursive: true});
});

async function inked(x, y) {
  const pixels = await web.canvasPixels(page);
  return pixels.readUInt32BE((y * width + x) * 4) !== 0xffffffff;
}

const press = (key, ctrl = false) => web.press(page, key, ctrl);

const dialogOpen = () => page.$eval('#dialog-backdrop', backdrop => !backdrop.hidden);
const checked = id => page.$eval(`.menu-item[data-id="${id}"]`, item => item.ariaChecked === 'true');
const listed = () => web.listed(page);
const answer = text => web.answer(page, text);

test('clicks place shapes and the c key clears them', async () => {
  assert.equal(await inked(...spot), false);
  for (const [shape, colour, x, y] of [[square, 2, 430, 200], [triangle, 3, 520, 200],
                                       [circle, 4, 475, 330], [circle, 4, ...spot]]) {
    await web.clickCanvas(page, ...tool(shape));
    await web.clickCanvas(page, ...colourCell(colour));
    await web.clickCanvas(page, x, y);
  }
  assert.equal(await inked(...spot), true);
  if (process.env.ZR590_WEB_OUT) {  // the README's picture, with the menu open
    await page.click('.menu-title');
    await (await page.$('#app')).screenshot({path: path.join(process.env.ZR590_WEB_OUT, 'web-editor.png')});
    await page.click('.menu-title');
    await web.clickCanvas(page, ...tool(circle));
  }
  assert.equal(await press('c'), true);
  assert.equal(await inked(...spot), false);
});

test('the menu and the Ctrl shortcuts act, and keep the browser from acting', async () => {
  await page.click('.menu-title');
  const items = await page.$$eval('.menu-items > li', rows => rows.map(row => ({
    separator: row.getAttribute('role') === 'separator',
    label: row.querySelector('.label')?.textContent,
    shortcut: row.querySelector('.shortcut')?.textContent,
    greyed: row.querySelector('button')?.disabled,
  })));
  assert.equal(items.length, 16);
  assert.equal(items.filter(item => item.separator).length, 4);
  assert.equal(items.filter(item => item.greyed).length, 4);
  assert.deepEqual(items[0], {separator: false, label: 'Animate', shortcut: 'Ctrl+A', greyed: false});

  // The editor starts with logging off and its text window hidden; switching logging on shows
  // the window, switching it off leaves it, and its close box hides it.
  const panelShown = () => page.$eval('#text-panel', panel => !panel.hidden);
  assert.equal(await checked(4), false);
  assert.equal(await panelShown(), false);
  await page.click('.menu-item[data-id="4"]');
  await web.settled(page);
  assert.equal(await checked(4), true);
  assert.equal(await panelShown(), true);
  assert.equal(await page.$eval('.menu-items', list => list.hidden), true);
  assert.equal(await press('KeyL', true), true);
  assert.equal(await checked(4), false);
  assert.equal(await panelShown(), true);
  await page.click('#text-close');
  await web.settled(page);
  assert.equal(await panelShown(), false);
  assert.equal(await press('KeyL', true), true);
  assert.equal(await panelShown(), true);
  assert.equal(await press('KeyL', true), true);

  assert.equal(await press('KeyR', true), true, 'Ctrl+R must not reload the page');
  assert.equal(await checked(5), true);
  await web.clickCanvas(page, ...spot);  // an event for the script
  assert.equal(await press('KeyR', true), true);
  assert.equal(await checked(5), false);
  assert.ok((await listed()).includes('ZR590.SCR'));

  // Playback of the script just recorded ends at its end, with a line saying so.
  const lastLine = () => page.$eval('#text-lines', lines => lines.lastChild?.textContent ?? '');
  assert.doesNotMatch(await lastLine(), /ZR590\.SCR/);
  assert.equal(await press('KeyP', true), true, 'Ctrl+P must not print');
  await page.waitForFunction(() => /ZR590\.SCR/.test(document.getElementById('text-lines').lastChild?.textContent));
  assert.equal(await press('KeyC', true), false, 'Ctrl+C is no shortcut of the program');
});

test('the dialog takes a typed name with Enter, and nothing else closes it', async () => {
  await web.clickCanvas(page, ...tool(circle));
  await web.clickCanvas(page, ...spot);
  const at = await web.canvasPoint(page, ...tool(save));
  await page.mouse.click(at.x, at.y);
  await page.waitForFunction(() => !document.getElementById('dialog-backdrop').hidden);
  await page.keyboard.press('Escape');
  await new Promise(resolve => setTimeout(resolve, 100));
  assert.equal(await dialogOpen(), true, 'Escape does nothing');
  await page.mouse.click(5, 5);
  await page.mouse.click(at.x, at.y);
  await new Promise(resolve => setTimeout(resolve, 100));
  assert.equal(await dialogOpen(), true, 'clicks beside the dialog do nothing');
  await answer('drawing.txt');
  assert.equal(await dialogOpen(), false);
  assert.ok((await listed()).includes('drawing.txt'));

  const cdp = await page.createCDPSession();
  await cdp.send('Browser.setDownloadBehavior', {behavior: 'allow', downloadPath: downloads});
  const link = await page.$$eval('#file-list a', links => links.findIndex(a => a.textContent === 'drawing.txt'));
  await (await page.$$('#file-list a'))[link].click();
  const saved = path.join(downloads, 'drawing.txt');
  for (let i = 0; i < 100 && !fs.existsSync(saved); ++i) await new Promise(r => setTimeout(r, 50));
  const stored = await page.evaluate(() => zr590Page.readFiles()['drawing.txt']);
  assert.equal(fs.readFileSync(saved).toString('base64'), stored);
});

test('a reload finds the saved drawing, and an uploaded drawing loads too', async () => {
  await page.waitForFunction(() => Module.zr590Files.stored());
  await page.reload();
  await web.settled(page);
  assert.equal(await inked(...spot), false);
  assert.ok((await listed()).includes('drawing.txt'));
  await web.clickCanvas(page, ...tool(load));
  await answer('drawing.txt');
  assert.equal(await inked(...spot), true);

  await press('c');
  const copy = path.join(downloads, 'copy.txt');
  fs.copyFileSync(path.join(downloads, 'drawing.txt'), copy);
  await (await page.$('#upload')).uploadFile(copy);
  await page.waitForFunction(() => [...document.querySelectorAll('#file-list a')].some(a => a.textContent === 'copy.txt'));
  await web.clickCanvas(page, ...tool(load));
  await answer('copy.txt');
  assert.equal(await inked(...spot), true);
});

test('an idle page copies nothing to the canvas; a click copies only what it changed', async () => {
  const copies = () => page.evaluate(async wait => {
    const context = document.getElementById('canvas').getContext('2d');
    const original = context.putImageData;
    const seen = [];
    context.putImageData = function(...args) {
      seen.push(args.slice(3));
      return original.apply(this, args);
    };
    await new Promise(resolve => setTimeout(resolve, wait));
    context.putImageData = original;
    return seen;
  }, 1500);
  await web.clickCanvas(page, ...tool(square));
  await web.settled(page);
  assert.deepEqual(await copies(), [], 'the editor ticks ten times a second, drawing the same');
  const copied = copies();
  await web.clickCanvas(page, 200, 300);  // a square
  const boxes = await copied;
  assert.ok(boxes.length >= 1 && boxes.every(([, , w, h]) => w * h < 601 * 540 / 4), JSON.stringify(boxes));
});

test('Quit ends the program and leaves its last picture with a note', async () => {
  assert.equal(await press('KeyQ', true), true);
  assert.deepEqual(await web.ended(page), {status: 0, reason: null});
  assert.match(await page.$eval('#status', line => line.textContent), /has ended/);
  assert.equal(await inked(...spot), true);
  assert.equal(await press('KeyR', true), false, 'the browser has its keys back');
  assert.deepEqual(page.problems, []);
});

test('the bouncing example runs from the same source', async () => {
  const bouncing = await web.open(browser, server.url + '/bouncing.html');
  const frame = () => web.canvasPixels(bouncing);
  const first = await frame();
  await new Promise(resolve => setTimeout(resolve, 400));
  assert.ok(!(await frame()).equals(first), 'the ball moves on the timer');
  await bouncing.keyboard.down('Control');
  await bouncing.keyboard.press('KeyH');
  await bouncing.keyboard.up('Control');
  // A periodic event staged before the halt still comes, at the next tick.
  await new Promise(resolve => setTimeout(resolve, 250));
  await web.settled(bouncing);
  const halted = await frame();
  await new Promise(resolve => setTimeout(resolve, 400));
  assert.ok((await frame()).equals(halted), 'Ctrl+H halts it');
  await bouncing.keyboard.press('q');
  assert.deepEqual(await web.ended(bouncing), {status: 0, reason: null});
  assert.deepEqual(bouncing.problems, []);
});
