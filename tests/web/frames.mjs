// What the canvas shows, held against the desktop's reviewed baselines
// under the tolerance of the engine that drew it (tests/baseline.h, through
// web_frame_check). A frame that matches ends the wait at once; a
// frame that never does is kept with a difference picture.

import {execFile} from 'node:child_process';
import {mkdir, rm, writeFile} from 'node:fs/promises';
import path from 'node:path';

const frameSeconds = 20;

function check(engine, expected, got, difference) {
  return new Promise(resolve => {
    execFile(process.env.MARBLECHESS_FRAME_CHECK, [engine, expected, got, difference],
             (error, stdout, stderr) => resolve({status: error ? error.code : 0, said: (stdout + stderr).trim()}));
  });
}

export async function canvasPicture(browser) {
  const url = await browser.evaluate(() => document.getElementById('canvas').toDataURL('image/png'));
  return Buffer.from(url.slice(url.indexOf(',') + 1), 'base64');
}

// Waits until the canvas shows the baseline; resolves with the checker's
// line for the frame that matched.
export async function shows(browser, baseline, testName) {
  const folder = process.env.MARBLECHESS_FRAMES;
  await mkdir(folder, {recursive: true});
  const expected = path.join(process.env.MARBLECHESS_BASELINES, `${baseline}.png`);
  const got = path.join(folder, `${browser.engine}-${testName}-${baseline}-got.png`);
  const difference = got.replace(/-got\.png$/, '-diff.png');
  const end = Date.now() + frameSeconds * 1000;
  for (;;) {
    await writeFile(got, await canvasPicture(browser));
    const {status, said} = await check(browser.engine, expected, got, difference);
    if (status === 2) throw new Error(said);
    if (status === 0) {
      await rm(got, {force: true});
      await rm(difference, {force: true});
      return said;
    }
    if (Date.now() > end) {
      throw new Error(`the canvas never showed ${baseline}: ${said}; frame ${got}, difference ${difference}`);
    }
    await new Promise(resolve => setTimeout(resolve, 100));
  }
}
