// The platform contract's conformance suite (tests/conformance) against the web backend: its
// page runs every case in headless Chromium and prints one line per case.
import assert from 'node:assert/strict';
import {test} from 'node:test';

import * as web from './harness.mjs';

const puppeteer = await web.requirements('conformance-web.html');
// Every case of the suite but the close box: the page has none for the graphics window.
const cases = ['creation', 'order', 'merged_tick', 'text_close_hides', 'keys', 'timer', 'dialog',
               'pictures'];

test('the web backend keeps the platform contract', async () => {
  const server = await web.serve();
  const browser = await web.launch(puppeteer);
  try {
    const page = await browser.newPage();
    const lines = [];
    page.on('console', message => lines.push(message.text()));
    await page.goto(server.url + '/conformance-web.html');
    await web.ended(page);
    const results = lines.filter(line => /^(ok|FAIL) /.test(line));
    assert.deepEqual(results, cases.map(name => `ok ${name}`), lines.join('\n'));
    assert.ok(lines.includes('0 failed'), lines.join('\n'));
  } finally {
    await browser.close();
    server.close();
  }
});
