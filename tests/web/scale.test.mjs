// The canvas in windows of several sizes: shown at a whole factor (the largest that fits) where
// the window is wide enough, scaled down to a phone's width, with sharp blocks of screen pixels,
// nothing to scroll sideways, and clicks or taps reaching the picture pixel under them.
import assert from 'node:assert/strict';
import {execFileSync} from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import {test} from 'node:test';

import * as web from './harness.mjs';

await web.requirements();
const [width, height] = [601, 540];
const points = [[25, 45], [300, 270], [width - 1, height - 1]];  // the square tool, then two spots
const phone = {width: 390, height: 844, deviceScaleFactor: 3, isMobile: true, hasTouch: true};
const windows = [
  {name: 'a desktop window', viewport: {width: 1280, height: 900}},
  {name: 'a large desktop window', viewport: {width: 1400, height: 1300}},
  {name: 'a desktop window at 2 device pixels per CSS pixel',
   viewport: {width: 1000, height: 900, deviceScaleFactor: 2}},
  {name: 'a phone', viewport: phone},
];

// The picture shape-replay leaves after clicks at `points`.
function headless(points) {
  const work = fs.mkdtempSync(path.join(os.tmpdir(), 'zr590-scale-'));
  fs.writeFileSync(path.join(work, 'messages.txt'), points.map(([x, y]) => `click ${x} ${y}\n`).join(''));
  execFileSync(process.env.SHAPE_REPLAY, ['--png', 'picture.png', 'messages.txt'], {cwd: work});
  const png = fs.readFileSync(path.join(work, 'picture.png'));
  fs.rmSync(work, {recursive: true});
  return png;
}

// The first pixel in `box` ([left, top, right, bottom] of the picture) where `shown`, drawn at
// `block` device pixels a picture pixel, is not `picture`; null where none is.
function difference(shown, picture, block, [left, top, right, bottom]) {
  for (let y = top * block; y < bottom * block; ++y) {
    for (let x = left * block; x < right * block; ++x) {
      const at = ((y / block | 0) * width + (x / block | 0)) * 4;
      if (shown.readUInt32BE((y * width * block + x) * 4) !== picture.readUInt32BE(at)) return [x, y];
    }
  }
  return null;
}

const site = web.sharedBrowser();

for (const {name, viewport} of windows) {
  test(`the canvas in ${name}`, async () => {
    const page = await site.open('shape-editor.html', null, viewport);
    const shown = await page.evaluate(() => {
      const box = document.getElementById('canvas').getBoundingClientRect().toJSON();
      const html = document.documentElement;
      return {box, wide: html.clientWidth, high: html.clientHeight, scrollWidth: html.scrollWidth};
    });
    const {box} = shown, scale = box.width / width;
    assert.ok(shown.scrollWidth <= shown.wide, `the page scrolls sideways: ${JSON.stringify(shown)}`);
    assert.ok(Math.abs(box.height - height * scale) < 0.05, 'the picture keeps its aspect');
    const room = shown.wide - 2 * box.left;  // the page's margins either side
    if (room >= width) {
      const larger = scale + 1;
      assert.ok(Number.isInteger(scale), `scale ${scale}`);
      assert.ok(box.right <= shown.wide && box.bottom <= shown.high, 'the canvas is in view');
      assert.ok(box.left + larger * width > shown.wide || box.top + larger * height > shown.high,
                `the canvas at ${larger}x would fit`);
      // Every picture pixel a block of scale x dpr device pixels, as the canvas holds it.
      const block = scale * (viewport.deviceScaleFactor ?? 1);
      const screen = await web.pngPixels(page, await web.screenshot(page, '#canvas'));
      const picture = await web.canvasPixels(page);
      assert.equal(screen.length, picture.length * block * block);
      assert.equal(difference(screen, picture, block, [0, 0, width, height]), null);
    } else {
      assert.ok(Math.abs(box.width - room) < 1, `the canvas is ${box.width} wide in ${room}`);
    }

    // Clicks or taps near picture pixels, as shown, at whole CSS pixels (what a mouse gives at
    // one device pixel a CSS pixel; Firefox and WebKit give no less): the picture is the one the
    // headless runner draws for clicks at the picture pixels under them (around them: the
    // editor's text is drawn otherwise).
    const under = [];
    for (const [x, y] of points) {
      const at = {x: Math.floor(box.left + (x + 0.5) * scale), y: Math.floor(box.top + (y + 0.5) * scale)};
      await (viewport.hasTouch ? web.tap(page, at.x, at.y) : page.mouseClick(at.x, at.y));
      await web.settled(page);
      under.push([Math.floor((at.x - box.left) / scale), Math.floor((at.y - box.top) / scale)]);
    }
    const got = await web.canvasPixels(page), want = await web.pngPixels(page, headless(under));
    for (const [x, y] of under) {
      const around = [Math.max(0, x - 16), Math.max(0, y - 16), Math.min(width, x + 16), Math.min(height, y + 16)];
      assert.equal(difference(got, want, 1, around), null, `near (${x}, ${y})`);
    }
    assert.deepEqual(await page.problems(), []);
    await page.close();
  });
}
