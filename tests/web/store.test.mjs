// The page's file store as users meet it: two tabs of the page side by side, a reload right
// after a save or during a recording, the Ctrl shortcuts wherever the focus is, uploads of a
// name that exists or of a file too large, and a name longer than the dialog takes. Tool button
// i of the editor is at canvas pixel (25, 45 + 40i).
import assert from 'node:assert/strict';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import {after, before, test} from 'node:test';

import * as web from './harness.mjs';

const puppeteer = await web.requirements();
const tool = i => [25, 45 + 40 * i];
const [square, save] = [0, 11];

let server, browser, scratch;
before(async () => {
  server = await web.serve();
  browser = await web.launch(puppeteer);
  scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'zr590-store-'));
});
after(async () => {
  await browser.close();
  server.close();
  fs.rmSync(scratch, {recursive: true});
});

// Each test acts on the tab in front, as a user does (a tab behind gets its input late).
async function editor() {
  const page = await web.open(browser, server.url + '/shape-editor.html');
  await page.bringToFront();
  return page;
}
const stored = page => page.waitForFunction(() => Module.zr590Files.stored());

async function saveAs(page, name) {
  await page.bringToFront();
  await web.clickCanvas(page, ...tool(square));
  await web.clickCanvas(page, 300, 250);
  await web.clickCanvas(page, ...tool(save));
  await web.answer(page, name);
  await stored(page);
}

test('two tabs keep each other\'s files', async () => {
  const [a, b] = [await editor(), await editor()];
  await saveAs(b, 'from-b.txt');
  await saveAs(a, 'from-a.txt');
  await a.close({runBeforeUnload: true});
  const c = await editor();
  const names = await web.listed(c);
  assert.ok(names.includes('from-a.txt') && names.includes('from-b.txt'), names.join(' '));
  // What one tab stored, the other finds when it asks for a name.
  await b.bringToFront();
  await web.clickCanvas(b, ...tool(save));
  await web.answer(b, 'from-b.txt');
  assert.ok((await web.listed(b)).includes('from-a.txt'));
  await Promise.all([b.close(), c.close()]);
});

test('stored means the transaction is complete; a recording outlives a reload', async () => {
  const page = await editor();
  const pendingAfterSave = await page.evaluate(() => {
    Module.zr590Files.write('note.txt', new Uint8Array([65]));
    Module.zr590Files.save();
    return !Module.zr590Files.stored();
  });
  assert.equal(pendingAfterSave, true);
  await stored(page);
  assert.equal(await web.press(page, 'KeyR', true), true);
  for (let i = 0; i < 5; ++i) await web.clickCanvas(page, 300 + i, 250);
  await new Promise(resolve => setTimeout(resolve, 1500));
  await page.reload();
  await web.settled(page);
  const script = Buffer.from((await page.evaluate(() => zr590Page.readFiles()))['ZR590.SCR'] || '',
                             'base64').toString();
  assert.equal(script.split('\n').filter(line => line.startsWith('ZR590_MOUSE')).length, 5, script);
  await page.close();
});

test('Ctrl shortcuts work after the menu; Tab leaves the canvas', async () => {
  const page = await editor();
  await page.click('.menu-title');
  await page.click('.menu-item[data-id="4"]');  // Logging, from the menu
  await web.settled(page);
  assert.equal(await web.press(page, 'KeyR', true), true, 'Ctrl+R must not reload the page');
  assert.equal(await page.$eval('.menu-item[data-id="5"]', item => item.ariaChecked), 'true');
  assert.equal(await web.press(page, 'KeyR', true), true);
  await page.focus('#canvas');
  await page.keyboard.press('Tab');
  assert.notEqual(await page.evaluate(() => document.activeElement.id), 'canvas');
  await page.close();
});

test('an upload keeps the file of the same name; one over 64 MB is refused', async () => {
  const page = await editor();
  const drawing = path.join(scratch, 'up.txt');
  fs.writeFileSync(drawing, 'Circle 1 2 3 0\n');
  for (const name of ['up.txt', 'up (2).txt']) {
    await (await page.$('#upload')).uploadFile(drawing);
    await page.waitForFunction(
        n => [...document.querySelectorAll('#file-list a')].some(a => a.textContent === n), {}, name);
  }
  const names = await web.listed(page);
  assert.ok(names.includes('up.txt') && names.includes('up (2).txt'), names.join(' '));
  const large = path.join(scratch, 'large.txt');
  fs.closeSync(fs.openSync(large, 'w'));
  fs.truncateSync(large, 65 * 1024 * 1024);
  await (await page.$('#upload')).uploadFile(large);
  await page.waitForFunction(() => /larger than 64 MB/.test(document.getElementById('status').textContent));
  assert.ok(!(await web.listed(page)).includes('large.txt'));
  await page.close();
});

test('an unsaved drawing outlives a reload: the hint shows, y brings it back', async () => {
  const page = await editor();
  await web.clickCanvas(page, ...tool(square));
  await web.clickCanvas(page, 200, 200);
  await web.clickCanvas(page, 400, 300);
  // The copy follows an idle second; the store, within another.
  await new Promise(resolve => setTimeout(resolve, 2500));
  await page.reload();
  await web.settled(page);
  await page.waitForFunction(() => /^Unsaved drawing of .* kept: press y to bring it back$/.test(
      document.getElementById('text-lines').lastChild?.textContent ?? ''));
  await page.focus('#canvas');
  await web.press(page, 'y');
  await web.clickCanvas(page, ...tool(save));
  await web.answer(page, 'restored.txt');
  const restored = Buffer.from((await page.evaluate(() => zr590Page.readFiles()))['restored.txt'],
                               'base64').toString();
  assert.equal(restored.split('\n').filter(line => line.startsWith('Square')).length, 2, restored);
  await page.close();
});

test('the dialog takes 255 bytes of UTF-8, never half a character', async () => {
  const page = await editor();
  await web.clickCanvas(page, ...tool(square));
  await web.clickCanvas(page, 300, 250);
  await web.clickCanvas(page, ...tool(save));
  await page.waitForFunction(() => !document.getElementById('dialog-backdrop').hidden);
  const kept = await page.evaluate(() => {
    const line = document.getElementById('dialog-line');
    line.value = '\u00e9'.repeat(200);
    line.dispatchEvent(new Event('input'));
    return line.value;
  });
  assert.equal(kept, '\u00e9'.repeat(127));
  await page.keyboard.press('Enter');
  await web.settled(page);
  assert.ok((await web.listed(page)).includes('\u00e9'.repeat(127)));
  assert.deepEqual(page.problems, []);
  await page.close();
});
