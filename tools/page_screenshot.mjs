// A picture of the page for web browsers as headless Chromium shows it once
// the viewer has drawn its first frame:
//   node tools/page_screenshot.mjs PAGE OUT.png [WIDTH HEIGHT]

import path from 'node:path';
import {launch} from './browsers/engines.mjs';

const [page, out, width = '1100', height = '640'] = process.argv.slice(2);
const browser = await launch('chromium', {width: Number(width), height: Number(height)});
try {
  await browser.open(`file://${path.resolve(page)}`);
  const end = Date.now() + 30000;
  while (!await browser.evaluate(() => document.getElementById('console').textContent.includes('light position'))) {
    if (Date.now() > end) throw new Error('the viewer never started');
    await new Promise(resolve => setTimeout(resolve, 100));
  }
  // The first frame follows the usage lines within an animation frame.
  await browser.evaluate(() => new Promise(resolve => requestAnimationFrame(() => requestAnimationFrame(resolve))));
  await browser.page.screenshot({path: out});
} finally {
  await browser.close();
}
