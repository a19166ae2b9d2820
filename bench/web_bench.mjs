// The page for web browsers in each engine: its size, its first frame,
// the main thread's time for one frame beside the floor (the same frame
// with the stand-in's gathering, uploads and draws doing nothing), the
// whole frame from a key press to its pixels read back, frames per second
// during a drag, and the browser's memory after 1 and after 20 starts with
// a large texture.
//   node bench/web_bench.mjs PAGE FLOOR_PAGE BIG_TEXTURE [FRAME_BENCH_JSON]
// where the last is frame_bench's JSON output, whose frame of the desktop
// the page's whole frame is set beside.
// MARBLECHESS_ENGINES names the engines (all three by default). Firefox
// and WebKitGTK need an X display.

import {readFileSync, readdirSync, statSync} from 'node:fs';
import path from 'node:path';
import {chosenEngines, launch} from '../tools/browsers/engines.mjs';

const [pagePath, floorPath, bigTexture, frameBench] = process.argv.slice(2);
const url = file => `file://${path.resolve(file)}`;
const presses = 20;
const loads = 5;
const restarts = 20;
const dragSeconds = 2;

const median = values => {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted[Math.floor((sorted.length - 1) / 2)];
};
const sleep = ms => new Promise(resolve => setTimeout(resolve, ms));

// The desktop's frame in milliseconds: the median of frame_bench's
// repetitions, or their median as it reports it. Google Benchmark writes
// NaN, which JSON does not have, for some aggregates.
function desktopFrameOf(file) {
  if (!file) return null;
  const runs = JSON.parse(readFileSync(file, 'utf8').replace(/\bNaN\b/g, 'null')).benchmarks
    .filter(b => b.name.startsWith('BM_Frame'));
  const iterations = runs.filter(b => b.run_type === 'iteration').map(b => b.real_time);
  return iterations.length ? median(iterations) : runs.find(b => b.aggregate_name === 'median').real_time;
}
const desktopFrame = desktopFrameOf(frameBench);
const ms = value => `${value.toFixed(1)} ms`;

// Wraps the page's animation-frame callbacks, where the viewer draws, to
// note when each starts and ends on the main thread.
function timeFrames() {
  if (window.frameTimes) return;
  const times = window.frameTimes = [];
  const original = window.requestAnimationFrame.bind(window);
  window.requestAnimationFrame = callback => original(now => {
    const start = performance.now();
    callback(now);
    times.push([start, performance.now()]);
  });
}

async function frameCount(browser) {
  return browser.evaluate(() => window.frameTimes.length);
}

async function waitFor(condition, seconds = 60) {
  for (const end = Date.now() + seconds * 1000; !await condition();) {
    if (Date.now() > end) throw new Error('timed out');
    await sleep(5);
  }
}

// Opens the page with its frames timed from the first. Where the driver
// cannot time them before the page's own scripts run, the viewer may have
// started before; then its first frame is not known.
async function openTimed(browser, page) {
  await browser.open(url(page), timeFrames);
  const timedFromStart = !await browser.evaluate(() => window.frameTimes.length === 0 &&
      document.getElementById('console').textContent.includes('light position'));
  await waitFor(async () => await frameCount(browser) > 0 || !timedFromStart);
  return timedFromStart;
}

async function firstFrame(browser) {
  const firsts = [];
  for (let i = 0; i < loads; ++i) {
    if (await openTimed(browser, pagePath)) firsts.push(await browser.evaluate(() => window.frameTimes[0][1]));
  }
  return firsts;
}

// The main thread's time for the frame each key press brings, from the
// start of the callback that draws it to its end.
async function mainThreadFrames(browser, page) {
  await openTimed(browser, page);
  const times = [];
  for (let i = 0; i < presses; ++i) {
    const before = await frameCount(browser);
    await browser.press('x');
    await waitFor(async () => await frameCount(browser) > before);
    const [start, end] = await browser.evaluate(n => window.frameTimes[n], before);
    times.push(end - start);
  }
  return times;
}

// From a key press to the frame's pixels read back, which waits for the
// renderer to finish drawing it.
async function wholeFrames(browser) {
  await openTimed(browser, pagePath);
  return browser.evaluate(async count => {
    const gl = document.getElementById('canvas').getContext('webgl');
    const pixel = new Uint8Array(4);
    const times = [];
    for (let i = 0; i < count; ++i) {
      const start = performance.now();
      document.dispatchEvent(new KeyboardEvent('keydown', {key: 'x', bubbles: true}));
      await new Promise(resolve => requestAnimationFrame(() => {
        gl.readPixels(300, 300, 1, 1, gl.RGBA, gl.UNSIGNED_BYTE, pixel);
        resolve();
      }));
      times.push(performance.now() - start);
      await new Promise(resolve => setTimeout(resolve, 0));
    }
    return times;
  }, presses);
}

// Frames drawn per second while the light is dragged to and fro.
async function dragFrames(browser) {
  await openTimed(browser, pagePath);
  await browser.pointer([{move: [300, 300]}, {down: 0}]);
  const start = await browser.evaluate(() => performance.now());
  const end = Date.now() + dragSeconds * 1000;
  for (let i = 0; Date.now() < end; ++i) await browser.pointer([{move: [150 + (i % 60) * 5, 300 - (i % 30) * 3]}]);
  const finish = await browser.evaluate(() => performance.now());
  await browser.pointer([{up: 0}]);
  const drawn = await browser.evaluate((a, b) => window.frameTimes.filter(([s]) => s >= a && s <= b).length,
                                        start, finish);
  return drawn / ((finish - start) / 1000);
}

// The proportional set size of a process and all its descendants, in MB.
function treeMemory(pid) {
  const children = new Map();
  for (const entry of readdirSync('/proc')) {
    if (!/^\d+$/.test(entry)) continue;
    try {
      const stat = readFileSync(`/proc/${entry}/stat`, 'utf8');
      const parent = Number(stat.slice(stat.lastIndexOf(')') + 2).split(' ')[1]);
      children.set(parent, [...(children.get(parent) ?? []), Number(entry)]);
    } catch {
      // gone meanwhile
    }
  }
  let kilobytes = 0;
  for (const queue = [pid]; queue.length;) {
    const next = queue.pop();
    try {
      const rollup = readFileSync(`/proc/${next}/smaps_rollup`, 'utf8');
      kilobytes += Number(/^Pss:\s+(\d+)/m.exec(rollup)[1]);
    } catch {
      // gone meanwhile
    }
    queue.push(...(children.get(next) ?? []));
  }
  return kilobytes / 1024;
}

async function chooseBigTexture(browser) {
  await browser.evaluate(() => { document.getElementById('canvas').dataset.replaced = 'yes'; });
  await browser.choose('#texture', bigTexture);
  await waitFor(() => browser.evaluate(() => !document.getElementById('canvas').dataset.replaced &&
                                              document.getElementById('console').textContent.includes('light position')));
}

// The browser's memory once it has let go of what it no longer holds:
// browsers collect garbage and return memory when they see fit, Firefox
// and WebKitGTK some seconds later, so the least of thirty seconds'
// readings.
async function settledMemory(browser) {
  let least = Infinity;
  for (let i = 0; i < 15; ++i) {
    await sleep(2000);
    least = Math.min(least, treeMemory(browser.pid()));
  }
  return least;
}

// The browser's memory after the first start with the large texture and
// after the twentieth.
async function restartMemory(browser) {
  await browser.open(url(pagePath));
  await chooseBigTexture(browser);
  const first = await settledMemory(browser);
  for (let i = 1; i < restarts; ++i) await chooseBigTexture(browser);
  return [first, await settledMemory(browser)];
}

async function bench(engine) {
  const browser = await launch(engine);
  try {
    const version = await browser.version();
    const firsts = await firstFrame(browser);
    const frames = await mainThreadFrames(browser, pagePath);
    const floors = await mainThreadFrames(browser, floorPath);
    const wholes = await wholeFrames(browser);
    const fps = await dragFrames(browser);
    const [first, twentieth] = await restartMemory(browser);
    const frame = median(frames), floor = median(floors), whole = median(wholes);
    console.log(`${engine} (${version})`);
    console.log(firsts.length ? `  start of loading to first frame: median ${ms(median(firsts))} of ${firsts.length}`
                              : '  start of loading to first frame: not known, the viewer starts before its driver can time it');
    console.log(`  main thread, one frame: median ${ms(frame)} (${ms(Math.min(...frames))} - ${ms(Math.max(...frames))}) of ${presses}`);
    console.log(`  the floor, nothing drawn: median ${ms(floor)}; the frame is ${(frame / floor).toFixed(1)} x the floor`);
    console.log(`  whole frame, key to pixels read back: median ${ms(whole)}; main thread ${(frame / whole).toFixed(2)} of it` +
                (desktopFrame ? `; ${(whole / desktopFrame).toFixed(2)} x the desktop's ${ms(desktopFrame)}` : ''));
    console.log(`  dragging the light: ${fps.toFixed(1)} frames a second`);
    console.log(`  memory after 1 start with a ${path.basename(bigTexture)}: ${first.toFixed(0)} MB, after ${restarts}: ${twentieth.toFixed(0)} MB`);
  } finally {
    await browser.close();
  }
}

console.log(`page: ${statSync(pagePath).size} bytes`);
for (const engine of chosenEngines()) await bench(engine);
