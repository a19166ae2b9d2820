// The three browser engines the page is proven in, each started with one
// page and driven as a user drives it, behind the same calls:
//   open(url, prelude), log(), evaluate(fn, ...args), version(), pid(), close(),
//   press(key, {shift, control}) with a W3C key value, key(key, down) to
//   hold or release one (pressed while held, it repeats),
//   pointer([{move: [x, y]}, {down: button}, {up: button}, ...]) in the
//   viewport's CSS pixels, wheel([x, y], deltaX, deltaY), touch([x, y], [x, y]),
//   hold([x, y], released) (a finger held until `released` resolves),
//   choose(selector, file),
//   drop(selector, file), click(selector), resize(width, height),
//   and `can`, what the engine's driver can do: {touch, dropFile,
//   otherButtons, wheel, repeat}. Chromium's also gives devtools(), its DevTools protocol.

import {PuppeteerBrowser} from './puppeteer_browser.mjs';
import {WebKitBrowser} from './webkit_browser.mjs';

export const engines = ['chromium', 'firefox', 'webkit'];

// Options: ratio (the device pixel ratio), webgl (false: the engine without
// it), touch (a touch screen, where the engine can have one), width and
// height of the viewport; for Chromium and Firefox also preciseTimers
// (performance.now() to the microsecond) and env (the browser's
// environment, added to this one's).
export function launch(engine, options = {}) {
  if (engine === 'webkit') return WebKitBrowser.launch(engine, options);
  if (engine === 'chromium' || engine === 'firefox') return PuppeteerBrowser.launch(engine, options);
  throw new Error(`no engine ${engine}; there are ${engines.join(', ')}`);
}

// The engines named in MARBLECHESS_ENGINES (comma-separated), or all three.
export function chosenEngines() {
  const named = process.env.MARBLECHESS_ENGINES;
  return named ? named.split(',') : engines;
}
