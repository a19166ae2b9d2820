// The page as a user meets it, in Chromium, Firefox and WebKitGTK: opened
// from disk, driven by real key presses, pointer and finger drags, its
// buttons and its file chooser, every frame it settles on held against the
// desktop's reviewed baselines, and what its console says checked. The rows
// are the page's of tests/scenarios.json, which the desktop's runner reads
// too. scripts/check-web.sh runs it; the environment names the page, the
// baselines, the frame checker, the texture files and the engines.

import assert from 'node:assert/strict';
import {readFileSync} from 'node:fs';
import path from 'node:path';
import {after, before, describe, test} from 'node:test';
import {fileURLToPath} from 'node:url';
import {chosenEngines, launch} from '../../tools/browsers/engines.mjs';
import {shows} from './frames.mjs';
import {Page, ended, textureFiles} from './page.mjs';

const here = path.dirname(fileURLToPath(import.meta.url));
const table = JSON.parse(readFileSync(path.join(here, '..', 'scenarios.json'), 'utf8'));
const rows = table.scenarios.filter(row => row.on.includes('page'));
const pageUrl = `file://${path.resolve(process.env.MARBLECHESS_PAGE)}`;
const title = 'Quilan Vastre, 4180263';
const rowSeconds = 180;

// Rows that need the engine started otherwise (another pixel ratio, no
// WebGL, a touch screen) get a browser of their own.
function launchOptions(row) {
  return {ratio: row.ratio ?? 1, webgl: row.webgl ?? true, touch: row.touch ?? false};
}

// The browser's own log of the page, from its console to its refusals,
// holds nothing at all.
async function consoleIsClean(browser) {
  const log = await browser.log();
  assert.deepEqual(log, [], `the browser's console says ${JSON.stringify(log)}`);
}

async function runRow(t, browser, row) {
  const page = new Page(browser);
  const cannot = row.steps.map(step => page.cannot(step.page ?? step.input)).find(Boolean);
  if (cannot) return t.skip(`${browser.engine}: ${cannot}`);
  try {
    await playRow(t, browser, page, row);
  } finally {
    await page.release();
  }
}

async function playRow(t, browser, page, row) {
  await browser.open(pageUrl);
  await page.started();
  assert.equal(await browser.evaluate(() => document.title), title);
  if (row.texture !== 'bundled') await page.perform({choose: textureFiles[row.texture]});
  for (const step of row.steps) {
    for (let time = 0; time < (step.times ?? 1); ++time) await page.send(step.page ?? step.input);
    if (step.says) await page.says(page.saying(step.says));
    if (step.frame) t.diagnostic(`frame ${step.frame}: ${await shows(browser, step.frame, row.name)}`);
    if (step.focus) assert.equal(await page.focused(), step.focus, 'what has the focus');
    if (step.selects) assert.match(await page.selection(), new RegExp(step.selects), 'the selection');
    if (step.buttons) await page.buttonsAtLeast(step.buttons);
  }
  assert.equal(await page.console(), page.saying(row.says));
  await page.send('key Escape');
  await page.says(page.saying(row.says) + ended);
  assert.ok(await browser.evaluate(() => !document.getElementById('again').hidden), 'no start-again button');
  await consoleIsClean(browser);
}

async function runWithoutWebGL(browser) {
  await browser.open(pageUrl);
  const page = new Page(browser);
  const sentence = 'it has no WebGL';
  await page.wait(async () => (await page.console()).includes(sentence), 'said it has no WebGL');
  assert.ok(await browser.evaluate(() => document.getElementById('nogl').textContent.includes('it has no WebGL')));
  assert.equal(await browser.evaluate(() => document.getElementById('canvas')), null);
  await consoleIsClean(browser);
}

for (const engine of chosenEngines()) {
  describe(engine, () => {
    const browsers = new Map();
    let version;
    const browserFor = async row => {
      const key = JSON.stringify(launchOptions(row));
      if (!browsers.has(key)) browsers.set(key, await launch(engine, launchOptions(row)));
      return browsers.get(key);
    };
    before(async () => {
      version = await (await browserFor({})).version();
    });
    after(async () => {
      for (const browser of browsers.values()) await browser.close();
    });
    for (const row of rows) {
      test(row.name, {timeout: rowSeconds * 1000}, async t => {
        t.diagnostic(`engine ${version}`);
        const browser = await browserFor(row);
        if (row.webgl === false) return runWithoutWebGL(browser);
        try {
          await runRow(t, browser, row);
        } catch (error) {
          if (!error.cannot) throw error;
          t.skip(`${engine}: ${error.cannot}`);
        }
      });
    }
  });
}
