// axe-core finds nothing to report on the editor page: idle, with the menu open and with the
// line dialog open; and the canvas stays named for a screen reader.
import assert from 'node:assert/strict';
import {test} from 'node:test';

import * as web from './harness.mjs';

await web.requirements();
const axe = web.axeSource();
const save = [25, 45 + 40 * 11];  // tool button 11 of the editor

const site = web.sharedBrowser();

const states = [
  ['the editor page', async () => {}],
  ['the menu open', page => web.click(page, '.menu-title')],
  ['the line dialog open', async page => {
    await web.clickCanvas(page, ...save);
    await web.waitFor(page, () => !document.getElementById('dialog-backdrop').hidden);
  }],
];
for (const [name, reach] of states) {
  test(`axe-core: no violations on ${name}`, async () => {
    const page = await site.open('shape-editor.html');
    await reach(page);
    await web.addScript(page, axe);
    const violations = await page.evaluate(async () => (await axe.run()).violations.map(
        v => `${v.id} (${v.impact}): ${v.nodes.map(node => node.target.join(' ')).join(', ')}`));
    assert.deepEqual(violations, []);
    await page.close();
  });
}

test('the canvas is an application named after the program', async () => {
  const page = await site.open('shape-editor.html');
  assert.equal(await page.accessible('application', 'ZR590 Graphics: shape-editor'), 'canvas');
  await page.close();
});
