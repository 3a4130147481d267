// The end-to-end sessions of tests/e2e, run in the editor's page through its session hook and
// by the headless runner: the same transcript, the same files, and the same picture except
// where text and wide pens are drawn (the two pictures draw those with other rasterisers).
import assert from 'node:assert/strict';
import {execFileSync} from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import {test} from 'node:test';

import * as web from './harness.mjs';

await web.requirements();
const replay = process.env.SHAPE_REPLAY;
const e2e = process.env.ZR590_E2E_DIR;
if (!replay || !e2e) throw new Error('SHAPE_REPLAY and ZR590_E2E_DIR must be set');

const width = 601, height = 540;
const site = web.sharedBrowser();

// Every file under a folder, by its path inside it.
function filesOf(folder) {
  const files = {};
  for (const name of fs.readdirSync(folder, {recursive: true})) {
    const file = path.join(folder, name);
    if (fs.statSync(file).isFile()) files[name.split(path.sep).join('/')] = fs.readFileSync(file);
  }
  return files;
}

// The session run by shape-replay in a fresh folder holding the session's input files.
function headless(session) {
  const work = fs.mkdtempSync(path.join(os.tmpdir(), 'zr590-web-'));
  const input = path.join(session, 'input');
  if (fs.existsSync(input)) fs.cpSync(input, work, {recursive: true});
  const png = path.join(os.tmpdir(), path.basename(work) + '.png');
  const transcript = execFileSync(replay, ['--png', png, path.join(session, 'messages.txt')],
                                  {cwd: work, encoding: 'latin1'});
  const result = {transcript, files: filesOf(work), png: fs.readFileSync(png)};
  fs.rmSync(work, {recursive: true});
  fs.rmSync(png);
  return result;
}

const sessions = fs.readdirSync(e2e).filter(name => fs.existsSync(path.join(e2e, name, 'messages.txt')));
assert.ok(sessions.length > 0, `no sessions in ${e2e}`);

for (const name of sessions) {
  test(`session ${name} runs in the page as it runs headless`, async () => {
    const session = path.join(e2e, name);
    const expected = headless(session);
    const input = fs.existsSync(path.join(session, 'input')) ? filesOf(path.join(session, 'input')) : {};
    const files = {};
    for (const [file, bytes] of Object.entries(input)) files[file] = bytes.toString('base64');
    const page = await site.open('shape-editor.html', {
      messages: fs.readFileSync(path.join(session, 'messages.txt'), 'latin1'), files});
    const status = await web.ended(page);
    assert.deepEqual(status, {status: 0, reason: null});

    const shown = await page.evaluate(() => ({
      transcript: zr590Page.transcript,
      files: zr590Page.readFiles(),
      boxes: zr590Page.notedBoxes,
      panel: [...document.querySelectorAll('#text-lines div')].map(line => line.textContent),
    }));
    assert.equal(shown.transcript.map(line => line + '\n').join(''), expected.transcript);
    assert.deepEqual(Object.keys(shown.files).sort(), Object.keys(expected.files).sort());
    for (const [file, bytes] of Object.entries(expected.files)) {
      assert.ok(Buffer.from(shown.files[file], 'base64').equals(bytes), `file ${file} differs`);
    }
    // The text panel holds the ring's lines.
    const lines = shown.transcript.filter(line => line.startsWith('text: ')).map(line => line.slice(6));
    assert.deepEqual(shown.panel, lines.slice(-25));

    const got = await web.canvasPixels(page), want = await web.pngPixels(page, expected.png);
    const masked = new Uint8Array(width * height);
    for (const [left, top, right, bottom] of shown.boxes) {
      for (let y = top; y < bottom; ++y) masked.fill(1, y * width + left, y * width + right);
    }
    let maskedCount = 0;
    const differing = [];
    for (let i = 0; i < width * height; ++i) {
      if (masked[i]) {
        ++maskedCount;
      } else if (got.readUInt32BE(i * 4) !== want.readUInt32BE(i * 4)) {
        differing.push(`${i % width},${Math.floor(i / width)}`);
      }
    }
    assert.ok(maskedCount > 0 && maskedCount < width * height / 20,
              `${maskedCount} pixels left out for text and wide pens`);
    assert.deepEqual(differing.slice(0, 10), [], `${differing.length} pixels differ`);
    assert.deepEqual(await page.problems(), []);
    await page.close();
  });
}
