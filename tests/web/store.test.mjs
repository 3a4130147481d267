// The page's file store as users meet it: two tabs of the page side by side, a reload right
// after a save or during a recording, the Ctrl shortcuts wherever the focus is, uploads of a
// name that exists or of a file too large, and a name longer than the dialog takes. Tool button
// i of the editor is at canvas pixel (25, 45 + 40i).
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import {test} from 'node:test';

import * as web from './harness.mjs';

await web.requirements();
const tool = i => [25, 45 + 40 * i];
const [square, save] = [0, 11];

const site = web.sharedBrowser();

// Each test acts on the tab in front, as a user does (a tab behind gets its input late).
async function editor() {
  const page = await site.open('shape-editor.html');
  await page.bringToFront();
  return page;
}
const stored = page => web.waitFor(page, () => Module.zr590Files.stored());

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
  await a.close();
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
  await web.pause(1500);
  await web.reload(page);
  const script = Buffer.from((await page.evaluate(() => zr590Page.readFiles()))['ZR590.SCR'] || '',
                             'base64').toString();
  assert.equal(script.split('\n').filter(line => line.startsWith('ZR590_MOUSE')).length, 5, script);
  await page.close();
});

test('Ctrl shortcuts work after the menu; Tab leaves the canvas', async () => {
  const page = await editor();
  await web.click(page, '.menu-title');
  await web.click(page, '.menu-item[data-id="4"]');  // Logging, from the menu
  await web.settled(page);
  assert.equal(await web.press(page, 'KeyR', true), true, 'Ctrl+R must not reload the page');
  assert.equal(await page.evaluate(
      () => document.querySelector('.menu-item[data-id="5"]').getAttribute('aria-checked')), 'true');
  assert.equal(await web.press(page, 'KeyR', true), true);
  await web.focus(page, '#canvas');
  await page.key('Tab');
  assert.notEqual(await page.evaluate(() => document.activeElement.id), 'canvas');
  await page.close();
});

test('an upload keeps the file of the same name; one over 64 MB is refused', async () => {
  const page = await editor();
  const drawing = path.join(site.downloads, 'up.txt');
  fs.writeFileSync(drawing, 'Circle 1 2 3 0\n');
  for (const name of ['up.txt', 'up (2).txt']) {
    await page.upload('#upload', drawing);
    await web.listing(page, name);
  }
  const names = await web.listed(page);
  assert.ok(names.includes('up.txt') && names.includes('up (2).txt'), names.join(' '));
  const large = path.join(site.downloads, 'large.txt');
  fs.closeSync(fs.openSync(large, 'w'));
  fs.truncateSync(large, 65 * 1024 * 1024);
  await page.upload('#upload', large);
  await web.waitFor(page, () => /larger than 64 MB/.test(document.getElementById('status').textContent));
  assert.ok(!(await web.listed(page)).includes('large.txt'));
  await page.close();
});

test('an unsaved drawing outlives a reload: the hint shows, y brings it back', async () => {
  const page = await editor();
  await web.clickCanvas(page, ...tool(square));
  await web.clickCanvas(page, 200, 200);
  await web.clickCanvas(page, 400, 300);
  // The copy follows an idle second; the store, within another.
  await web.pause(2500);
  await web.reload(page);
  await web.waitFor(page, () => /^Unsaved drawing of .* kept: press y to bring it back$/.test(
      document.getElementById('text-lines').lastChild?.textContent ?? ''));
  await web.focus(page, '#canvas');
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
  await web.waitFor(page, () => !document.getElementById('dialog-backdrop').hidden);
  const kept = await page.evaluate(() => {
    const line = document.getElementById('dialog-line');
    line.value = '\u00e9'.repeat(200);
    line.dispatchEvent(new Event('input'));
    return line.value;
  });
  assert.equal(kept, '\u00e9'.repeat(127));
  await page.key('Enter');
  await web.settled(page);
  assert.ok((await web.listed(page)).includes('\u00e9'.repeat(127)));
  assert.deepEqual(await page.problems(), []);
  await page.close();
});
