// Real input through the browser: clicks, keys, the "Run" menu, the line dialog, the files beside
// the canvas, a reload, and the end of the program; then the bouncing example from the same
// source. Tool button i of the editor is at canvas pixel (25, 45 + 40i) and colour cell k at
// (136 + 12k, 36), as the e2e sessions place them.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import {before, test} from 'node:test';

import * as web from './harness.mjs';

await web.requirements('bouncing.html');
const width = 601;
const tool = i => [25, 45 + 40 * i];
const colourCell = k => [136 + 12 * k, 36];
const [square, triangle, circle, load, save] = [0, 1, 2, 10, 11];
const spot = [310, 250];  // in the drawing area

const site = web.sharedBrowser();
let page;
before(async () => {
  page = await site.open('shape-editor.html');
});

async function inked(x, y) {
  const pixels = await web.canvasPixels(page);
  return pixels.readUInt32BE((y * width + x) * 4) !== 0xffffffff;
}

const press = (key, ctrl = false) => web.press(page, key, ctrl);

const dialogOpen = () => web.dialogShown(page);
const checked = id => page.evaluate(
    i => document.querySelector(`.menu-item[data-id="${i}"]`).getAttribute('aria-checked') === 'true', id);
const click = selector => web.click(page, selector);
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
    await click('.menu-title');
    fs.writeFileSync(path.join(process.env.ZR590_WEB_OUT, `web-editor-${web.engineName}.png`),
                     await web.screenshot(page, '#app'));
    await click('.menu-title');
    await web.clickCanvas(page, ...tool(circle));
  }
  assert.equal(await press('c'), true);
  assert.equal(await inked(...spot), false);
});

test('the menu and the Ctrl shortcuts act, and keep the browser from acting', async () => {
  await click('.menu-title');
  const items = await page.evaluate(() => [...document.querySelectorAll('.menu-items > li')].map(row => ({
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
  const panelShown = () => page.evaluate(() => !document.getElementById('text-panel').hidden);
  assert.equal(await checked(4), false);
  assert.equal(await panelShown(), false);
  await click('.menu-item[data-id="4"]');
  await web.settled(page);
  assert.equal(await checked(4), true);
  assert.equal(await panelShown(), true);
  assert.equal(await page.evaluate(() => document.querySelector('.menu-items').hidden), true);
  assert.equal(await press('KeyL', true), true);
  assert.equal(await checked(4), false);
  assert.equal(await panelShown(), true);
  await click('#text-close');
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
  const lastLine = () => page.evaluate(() => document.getElementById('text-lines').lastChild?.textContent ?? '');
  assert.doesNotMatch(await lastLine(), /ZR590\.SCR/);
  assert.equal(await press('KeyP', true), true, 'Ctrl+P must not print');
  await web.waitFor(page, () => /ZR590\.SCR/.test(document.getElementById('text-lines').lastChild?.textContent));
  assert.equal(await press('KeyC', true), false, 'Ctrl+C is no shortcut of the program');
});

test('the dialog takes a typed name with Enter, and nothing else closes it', async () => {
  await web.clickCanvas(page, ...tool(circle));
  await web.clickCanvas(page, ...spot);
  const at = await web.canvasPoint(page, ...tool(save));
  await page.mouseClick(at.x, at.y);
  await web.waitFor(page, () => !document.getElementById('dialog-backdrop').hidden);
  await page.key('Escape');
  await web.pause(100);
  assert.equal(await dialogOpen(), true, 'Escape does nothing');
  await page.mouseClick(5, 5);
  await page.mouseClick(at.x, at.y);
  await web.pause(100);
  assert.equal(await dialogOpen(), true, 'clicks beside the dialog do nothing');
  await answer('drawing.txt');
  assert.equal(await dialogOpen(), false);
  assert.ok((await listed()).includes('drawing.txt'));

  const stored = await page.evaluate(() => zr590Page.readFiles()['drawing.txt']);
  assert.equal((await web.download(page, site, 'drawing.txt')).toString('base64'), stored);
});

test('a reload finds the saved drawing, and an uploaded drawing loads too', async () => {
  await web.waitFor(page, () => Module.zr590Files.stored());
  await web.reload(page);
  assert.equal(await inked(...spot), false);
  assert.ok((await listed()).includes('drawing.txt'));
  await web.clickCanvas(page, ...tool(load));
  await answer('drawing.txt');
  assert.equal(await inked(...spot), true);

  await press('c');
  const copy = path.join(site.downloads, 'copy.txt');
  fs.copyFileSync(path.join(site.downloads, 'drawing.txt'), copy);
  await page.upload('#upload', copy);
  await web.listing(page, 'copy.txt');
  await web.clickCanvas(page, ...tool(load));
  await answer('copy.txt');
  assert.equal(await inked(...spot), true);
});

test('an idle page copies nothing to the canvas; a click copies only what it changed', async () => {
  // The boxes copied to the canvas between watching and seen(); one command at a time, as
  // WebDriver runs them.
  const watch = () => page.evaluate(() => {
    const context = document.getElementById('canvas').getContext('2d');
    const original = context.putImageData;
    const copied = [];
    context.putImageData = function(...args) {
      copied.push(args.slice(3));
      return original.apply(this, args);
    };
    window.copiesSeen = () => {
      context.putImageData = original;
      return copied;
    };
  });
  const seen = () => page.evaluate(() => window.copiesSeen());
  await web.clickCanvas(page, ...tool(square));
  await watch();
  await web.pause(1500);
  assert.deepEqual(await seen(), [], 'the editor ticks ten times a second, drawing the same');
  await watch();
  await web.clickCanvas(page, 200, 300);  // a square
  await web.pause(200);
  const boxes = await seen();
  assert.ok(boxes.length >= 1 && boxes.every(([, , w, h]) => w * h < 601 * 540 / 4), JSON.stringify(boxes));
});

test('Quit ends the program and leaves its last picture with a note', async () => {
  assert.equal(await press('KeyQ', true), true);
  assert.deepEqual(await web.ended(page), {status: 0, reason: null});
  assert.match(await page.evaluate(() => document.getElementById('status').textContent), /has ended/);
  assert.equal(await inked(...spot), true);
  assert.equal(await press('KeyR', true), false, 'the browser has its keys back');
  assert.deepEqual(await page.problems(), []);
});

test('the bouncing example runs from the same source', async () => {
  const bouncing = await site.open('bouncing.html');
  const frame = () => web.canvasPixels(bouncing);
  const first = await frame();
  await web.pause(400);
  assert.ok(!(await frame()).equals(first), 'the ball moves on the timer');
  await bouncing.keyDown('Control');
  await bouncing.key('KeyH');
  await bouncing.keyUp('Control');
  // A periodic event staged before the halt still comes, at the next tick.
  await web.pause(250);
  await web.settled(bouncing);
  const halted = await frame();
  await web.pause(400);
  assert.ok((await frame()).equals(halted), 'Ctrl+H halts it');
  await bouncing.key('q');
  assert.deepEqual(await web.ended(bouncing), {status: 0, reason: null});
  assert.deepEqual(await bouncing.problems(), []);
});
