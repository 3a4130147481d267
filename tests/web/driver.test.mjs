// The driver layer itself, in each engine: the window it opens is the size and scale asked for,
// and clicks, taps and keys reach the page as the user's would, where the tests say they do.
import assert from 'node:assert/strict';
import {test} from 'node:test';

import * as web from './harness.mjs';

await web.requirements();
const site = web.sharedBrowser();

// What the page sees of pointer and key events from now on.
const listen = page => page.evaluate(() => {
  window.seenEvents = [];
  for (const type of ['pointerdown', 'keydown']) {
    document.addEventListener(type, event => seenEvents.push(type === 'keydown'
        ? {type, key: event.key, code: event.code, ctrl: event.ctrlKey}
        : {type, x: event.clientX, y: event.clientY, pointer: event.pointerType}), true);
  }
});
const seen = page => page.evaluate(() => seenEvents.splice(0));

const windows = [
  {width: 1000, height: 900},
  {width: 1000, height: 900, deviceScaleFactor: 2},
];
for (const viewport of windows) {
  test(`a window of ${JSON.stringify(viewport)}`, async () => {
    const page = await site.open('shape-editor.html', null, viewport);
    const shown = await page.evaluate(() => [innerWidth, innerHeight, devicePixelRatio]);
    assert.deepEqual(shown, [viewport.width, viewport.height, viewport.deviceScaleFactor ?? 1]);
    await page.close();
  });
}

test('clicks and taps arrive at the CSS pixel given', async () => {
  const page = await site.open('shape-editor.html');
  await listen(page);
  for (const [x, y] of [[40, 120], [300, 200]]) {
    await page.mouseClick(x, y);
    await web.tap(page, x + 1, y + 1);
  }
  const pointer = web.cannot('touch') === null ? 'touch' : 'mouse';
  assert.deepEqual(await seen(page), [[40, 120], [300, 200]].flatMap(([x, y]) => [
    {type: 'pointerdown', x, y, pointer: 'mouse'},
    {type: 'pointerdown', x: x + 1, y: y + 1, pointer}]));
  await page.close();
});

test('keys arrive with their key, code and Ctrl', async () => {
  const page = await site.open('shape-editor.html');
  await listen(page);
  const keys = [['KeyR', true, 'r'], ['c', false, 'c'], ['Escape', false, 'Escape'],
                ['Enter', false, 'Enter'], ['KeyQ', true, 'q']];
  for (const [key, ctrl] of keys) {
    if (ctrl) await page.keyDown('Control');
    await page.key(key);
    if (ctrl) await page.keyUp('Control');
  }
  const got = (await seen(page)).filter(event => event.key !== 'Control');
  assert.deepEqual(got.map(event => [event.key, event.ctrl]), keys.map(([, ctrl, value]) => [value, ctrl]));
  assert.deepEqual(got.map(event => event.code), ['KeyR', 'KeyC', 'Escape', 'Enter', 'KeyQ']);
  await page.close();
});
