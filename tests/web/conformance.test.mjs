// The platform contract's conformance suite (tests/conformance) against the web backend: its
// page runs every case in the browser and prints one line per case.
import assert from 'node:assert/strict';
import {test} from 'node:test';

import * as web from './harness.mjs';

await web.requirements('conformance-web.html');
// Every case of the suite but the close box: the page has none for the graphics window.
const cases = ['creation', 'order', 'merged_tick', 'text_close_hides', 'keys', 'timer', 'dialog',
               'pictures'];

const site = web.sharedBrowser();

test('the web backend keeps the platform contract', async () => {
  const page = await site.open('conformance-web.html');
  await web.ended(page);
  const lines = await web.printed(page);
  const results = lines.filter(line => /^(ok|FAIL) /.test(line));
  assert.deepEqual(results, cases.map(name => `ok ${name}`), lines.join('\n'));
  assert.ok(lines.includes('0 failed'), lines.join('\n'));
});
