// axe-core finds nothing to report on the editor page: idle, with the menu open and with the
// line dialog open; and the canvas stays named for a screen reader.
import assert from 'node:assert/strict';
import {test} from 'node:test';

import * as web from './harness.mjs';

const puppeteer = await web.requirements();
const axe = web.axeSource();
const save = [25, 45 + 40 * 11];  // tool button 11 of the editor

const site = web.sharedBrowser(puppeteer);

const states = [
  ['the editor page', async () => {}],
  ['the menu open', page => page.click('.menu-title')],
  ['the line dialog open', async page => {
    await web.clickCanvas(page, ...save);
    await page.waitForFunction(() => !document.getElementById('dialog-backdrop').hidden);
  }],
];
for (const [name, reach] of states) {
  test(`axe-core: no violations on ${name}`, async () => {
    const page = await site.open('shape-editor.html');
    await reach(page);
    await page.addScriptTag({content: axe});
    const violations = await page.evaluate(async () => (await axe.run()).violations.map(
        v => `${v.id} (${v.impact}): ${v.nodes.map(node => node.target.join(' ')).join(', ')}`));
    assert.deepEqual(violations, []);
    await page.close();
  });
}

test('the canvas is an application named after the program', async () => {
  const page = await site.open('shape-editor.html');
  const node = await page.accessibility.snapshot({root: await page.$('#canvas')});
  assert.deepEqual([node.role, node.name], ['application', 'ZR590 Graphics: shape-editor']);
  await page.close();
});
