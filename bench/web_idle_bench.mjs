// Idle cost of the web page: the editor in headless Chromium, with an empty drawing and with
// SHAPES squares (100,000 by default) loaded, left alone for SECONDS (10); reports the page's
// main-thread time in that span (Chrome DevTools Protocol Performance metrics, TaskDuration).
// Compare with bench/idle_cpu_bench.sh for the GTK editor run the same way. Reports only.
//
//   ZR590_WEB_PAGES=build-web/pages node bench/web_idle_bench.mjs [SECONDS] [SHAPES]
import os from 'node:os';

import * as web from '../tests/web/harness.mjs';

const seconds = Number(process.argv[2] || 10);
const shapes = Number(process.argv[3] || 100000);
if (web.engineName !== 'chromium') throw new Error('the idle benchmark measures Chromium only');
await web.requirements();
const server = await web.serve();
const browser = await web.launch({downloads: os.tmpdir()});

async function idleTaskSeconds(page) {
  const cdp = await page.page.createCDPSession();  // puppeteer's own page
  await cdp.send('Performance.enable');
  const taskDuration = async () =>
    (await cdp.send('Performance.getMetrics')).metrics.find(m => m.name === 'TaskDuration').value;
  const before = await taskDuration();
  await new Promise(resolve => setTimeout(resolve, seconds * 1000));
  return (await taskDuration()) - before;
}

for (const count of [0, shapes]) {
  const page = await web.open(browser, server.page('shape-editor.html'));
  if (count > 0) {
    await page.evaluate(n => {
      const line = 'Square     0     0     3     0\n';
      Module.zr590Files.write('bench.txt', new TextEncoder().encode(line.repeat(n)));
    }, count);
    await web.clickCanvas(page, 25, 445);  // LOAD
    await web.answer(page, 'bench.txt');
  }
  console.log(`${count} shapes: ${(await idleTaskSeconds(page)).toFixed(3)} s of main thread in ${seconds} s idle`);
  await page.evaluate(() => Module.zr590Files.write('bench.txt', new Uint8Array()));
  await page.close();
}
await browser.close();
server.close();
