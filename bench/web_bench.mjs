// The page for web browsers in each engine, as a phone's user would feel
// it and as its developer would judge a change:
//   - the page's size;
//   - the start of loading to the first frame, in parts;
//   - the main thread's time for one frame, beside the floor (the same
//     frame with the stand-in gathering, sending and drawing nothing) and,
//     given --against, beside another page, the pages taken in turn;
//   - where that time goes, from the engine's own profiler (Chromium and
//     Firefox), on a page built with its functions' names;
//   - the same frame under Chromium's CPU throttling at 4x, a mid-range
//     phone's CPU by Chromium's own reckoning;
//   - the bytes a frame after the first hands WebGL;
//   - the whole frame, from a key press to its pixels read back, beside the
//     desktop's frame of the same run and the floor's; where it goes, from
//     Chromium's trace of its GPU process and from perf's samples of the
//     browser's busiest process (web_perf.mjs);
//   - frames a second while the light is dragged; the browser's memory
//     after 1 and 20 starts with a large texture.
// node bench/web_bench.mjs --page PAGE --floor FLOOR --profile PROFILING_PAGE
//   --texture BIG_TEXTURE [--desktop FRAME_BENCH_JSON]
//   [--desktop-perf PERF_DATA --desktop-perf-json ITS_FRAME_BENCH_JSON]
//   [--against OTHER_PAGE --against-profile ITS_PROFILING_PAGE --against-floor ITS_FLOOR]
// MARBLECHESS_BENCH_STEPS names the measurements to make (first, frame,
// parts, throttled, bytes, whole, gpu, drawing, drag, memory; all by
// default), for an A/B of one of them.
// MARBLECHESS_BENCH_ROUNDS sets how many times the pages are taken in turn
// (4 by default); MARBLECHESS_FIREFOX_PREFS gives Firefox settings as JSON.
// MARBLECHESS_ENGINES names the engines (all three by default); Firefox and
// WebKitGTK need an X display. A page that does not start is said so, and
// the run goes on; it then ends with status 1.

import {execSync} from 'node:child_process';
import {mkdtempSync, readFileSync, rmSync, statSync} from 'node:fs';
import {tmpdir} from 'node:os';
import path from 'node:path';
import {chosenEngines, launch} from '../tools/browsers/engines.mjs';
import {desktopParts, drawingProcess, processTree} from './web_perf.mjs';
import {chromiumParts, firefoxParts, gpuProcessParts} from './web_profile.mjs';

const options = {};
for (let i = 2; i + 1 < process.argv.length; i += 2) options[process.argv[i].replace(/^--/, '')] = process.argv[i + 1];
const againstName = options.against && path.basename(path.dirname(options.against)).replace(/^web-/, '');
const url = file => `file://${path.resolve(file)}`;
const presses = 20;
// More rounds steady the A/B's medians where a change is small; the
// first frame, one load of each page a round, takes at least five.
const rounds = Number(process.env.MARBLECHESS_BENCH_ROUNDS ?? 4);
const loads = Math.max(5, rounds);
const restarts = 20;
const dragSeconds = 2;
const startSeconds = 60;
let failures = 0;

const median = values => {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted[Math.floor((sorted.length - 1) / 2)];
};
// Every frame's time counts in the mean, the first after a load among them,
// which the median leaves out and which differ most from one page to another.
const mean = values => values.reduce((sum, value) => sum + value, 0) / values.length;
const sleep = ms => new Promise(resolve => setTimeout(resolve, ms));
const ms = value => `${value.toFixed(2)} ms`;

// The desktop's frame and start to first frame in milliseconds, from
// frame_bench's JSON: the median of its repetitions, or their median as it
// reports it. Google Benchmark writes NaN, which JSON does not have.
function desktopOf(file, name, field = 'real_time') {
  if (!file) return null;
  const runs = JSON.parse(readFileSync(file, 'utf8').replace(/\bNaN\b/g, 'null')).benchmarks
    .filter(b => b.name.startsWith(name));
  const iterations = runs.filter(b => b.run_type === 'iteration').map(b => b[field]);
  if (iterations.length) return median(iterations);
  return runs.find(b => b.aggregate_name === 'median')?.real_time ?? null;
}
const desktopFrame = desktopOf(options.desktop, 'BM_Frame');
const desktopStart = desktopOf(options.desktop, 'BM_StartToFirstFrame/512');

// Runs before the page's own scripts (after them in WebKitGTK, whose driver
// can do no better): notes when each animation-frame callback, where the
// viewer draws, starts and ends, and the bytes handed to WebGL.
function timeFrames() {
  if (window.frameTimes) return;
  const times = window.frameTimes = [];
  const original = window.requestAnimationFrame.bind(window);
  window.requestAnimationFrame = callback => original(now => {
    const start = performance.now();
    callback(now);
    times.push([start, performance.now()]);
  });
  window.bytesSent = 0;
  const proto = WebGLRenderingContext.prototype;
  for (const name of ['bufferData', 'bufferSubData', 'texImage2D', 'texSubImage2D']) {
    const call = proto[name];
    proto[name] = function (...args) {
      const data = args.find(a => a && typeof a.byteLength === 'number');
      window.bytesSent += data ? data.byteLength : 0;
      return call.apply(this, args);
    };
  }
}

// The first frame in parts: when the module went to the engine, when the
// engine had it ready, the program's main, the shaders made in the first
// frame and the first frame's end.
function timeStart() {
  const t = window.startTimes = {decode: 0, shaders: 0, contexts: 0, probe: 0};
  const getContext = HTMLCanvasElement.prototype.getContext;
  HTMLCanvasElement.prototype.getContext = function (...args) {
    const begin = performance.now();
    try {
      return getContext.apply(this, args);
    } finally {
      t[t.handed === undefined ? 'probe' : 'contexts'] += performance.now() - begin;
    }
  };
  const decode = window.atob;
  window.atob = text => {
    const begin = performance.now();
    try {
      return decode(text);
    } finally {
      t.decode += performance.now() - begin;
    }
  };
  const instantiate = WebAssembly.instantiate;
  WebAssembly.instantiate = (...args) => {
    t.handed ??= performance.now();
    return instantiate(...args).then(result => {
      t.ready ??= performance.now();
      return result;
    });
  };
  let make;
  // Where the page's scripts ran first (WebKitGTK), createViewer is fixed.
  if (Object.getOwnPropertyDescriptor(window, 'createViewer')?.configurable === false) return;
  Object.defineProperty(window, 'createViewer', {
    configurable: true,
    get: () => make,
    set: original => {
      make = module => original(module).then(viewer => {
        const callMain = viewer.callMain;
        viewer.callMain = args => {
          t.mainStart ??= performance.now();
          try {
            return callMain(args);
          } finally {
            t.mainEnd ??= performance.now();
          }
        };
        return viewer;
      });
    },
  });
  const proto = WebGLRenderingContext.prototype;
  for (const name of ['compileShader', 'linkProgram', 'getShaderParameter', 'getProgramParameter']) {
    const call = proto[name];
    proto[name] = function (...args) {
      const begin = performance.now();
      try {
        return call.apply(this, args);
      } finally {
        if (!window.frameTimes?.length) t.shaders += performance.now() - begin;
      }
    };
  }
}

async function waitFor(condition, what, seconds = startSeconds) {
  for (const end = Date.now() + seconds * 1000; !await condition();) {
    if (Date.now() > end) throw new Error(`${what} within ${seconds} s`);
    await sleep(5);
  }
}

// Opens the page and waits for its first frame; says so when the viewer
// does not start, rather than waiting for ever. Where the driver cannot
// time the page before its own scripts run (WebKitGTK), the first frame
// may come before the timing; then it is not known.
async function openTimed(browser, page, preludes = [timeFrames]) {
  await browser.open(url(page), new Function(preludes.map(p => `(${p})();`).join('\n')));
  const timedFromStart = !await browser.evaluate(() => window.frameTimes.length === 0 &&
      document.getElementById('console').textContent.includes('light position'));
  await waitFor(async () => {
    const [frames, said] = await browser.evaluate(() =>
      [window.frameTimes.length, document.getElementById('console').textContent]);
    if (/could not start|has stopped|cannot/.test(said)) throw new Error(`the viewer did not start: ${said.trim()}`);
    return frames > 0 || !timedFromStart;
  }, 'no first frame');
  return timedFromStart;
}

// The renderer finishes the frame before: reading a pixel back waits for
// it, so that it takes no core from the frame measured next.
function finishDrawing(browser) {
  return browser.evaluate(() => {
    const gl = document.getElementById('canvas').getContext('webgl');
    gl.readPixels(0, 0, 1, 1, gl.RGBA, gl.UNSIGNED_BYTE, new Uint8Array(4));
  });
}

// Chromium's renderer on the first core and its GPU process, with Mesa's
// threads, on the second, so that a frame's main thread is timed on a core
// of its own, as a phone's would be.
// Both cores are given back before the whole frame is timed, where Mesa
// draws with all the threads it has, as on the desktop.
function pin(browser, pinned = true) {
  if (browser.engine !== 'chromium') return;
  for (const line of execSync('ps -eo pid,args').toString().split('\n')) {
    const [, pid, args] = /^\s*(\d+)\s+(.*)$/.exec(line) ?? [];
    if (!/chromium/.test(args ?? '')) continue;
    const cores = !pinned ? '0-1' : /--type=gpu-process/.test(args) ? '1' : /--type=renderer/.test(args) ? '0' : null;
    if (cores) execSync(`taskset -a -p -c ${cores} ${pid} >/dev/null`);
  }
}

// The main thread's time for the frame each key press brings, from the
// start of the callback that draws it to its end.
async function mainThreadFrames(browser, page, count, prelude) {
  await openTimed(browser, page);
  pin(browser);
  if (prelude) await prelude();
  const times = [];
  for (let i = 0; i < count; ++i) {
    await finishDrawing(browser);
    const before = await browser.evaluate(() => window.frameTimes.length);
    await browser.press('x');
    await waitFor(async () => await browser.evaluate(n => window.frameTimes.length > n, before), 'no frame');
    const [start, end] = await browser.evaluate(n => window.frameTimes[n], before);
    times.push(end - start);
  }
  pin(browser, false);
  return times;
}

// The pages taken in turn, `rounds` times, so that what the machine does
// meanwhile weighs on each alike; each round starts one page later, since
// the page opened first in a round is slower in WebKitGTK, whichever it is.
// `frames` times a page's frames after one opening.
async function alternate(browser, pages, frames = page => mainThreadFrames(browser, page, presses / 2)) {
  const times = new Map(pages.map(page => [page, []]));
  for (let r = 0; r < rounds; ++r) {
    const order = [...pages.slice(r % pages.length), ...pages.slice(0, r % pages.length)];
    for (const page of order) times.get(page).push(...await frames(page));
  }
  return times;
}

// Chromium's CPU throttling, as its DevTools emulate a mid-range phone.
async function throttled(browser, page) {
  if (browser.engine !== 'chromium') {
    return {skipped: `${browser.engine}'s driver offers no CPU throttling`};
  }
  let devtools;
  const times = await mainThreadFrames(browser, page, presses, async () => {
    devtools = await browser.devtools();
    await devtools.send('Emulation.setCPUThrottlingRate', {rate: 4});
  });
  await devtools.send('Emulation.setCPUThrottlingRate', {rate: 1});
  return {frame: median(times)};
}

// The bytes handed to WebGL by the frames after the first.
async function bytesAfterFirst(browser, page) {
  await mainThreadFrames(browser, page, 1);
  const before = await browser.evaluate(() => window.bytesSent);
  for (let i = 0; i < 5; ++i) {
    const frames = await browser.evaluate(() => window.frameTimes.length);
    await browser.press('x');
    await waitFor(async () => await browser.evaluate(n => window.frameTimes.length > n, frames), 'no frame');
  }
  return (await browser.evaluate(() => window.bytesSent) - before) / 5;
}

// The parts of a frame from the engine's profiler, on the page built with
// its functions' names.
async function profiledParts(engine, browser, page) {
  if (engine === 'chromium') {
    await mainThreadFrames(browser, page, 2);
    const devtools = await browser.devtools();
    await devtools.send('Profiler.enable');
    await devtools.send('Profiler.setSamplingInterval', {interval: 50});
    await devtools.send('Profiler.start');
    for (let i = 0; i < presses; ++i) {
      await finishDrawing(browser);
      const frames = await browser.evaluate(() => window.frameTimes.length);
      await browser.press('x');
      await waitFor(async () => await browser.evaluate(n => window.frameTimes.length > n, frames), 'no frame');
    }
    const {profile} = await devtools.send('Profiler.stop');
    return chromiumParts(profile, presses);
  }
  if (engine === 'firefox') {
    const dir = mkdtempSync(path.join(tmpdir(), 'marblechess-profile-'));
    const file = path.join(dir, 'profile.json');
    const profiled = await launch('firefox', {preciseTimers: true, env: {
      MOZ_PROFILER_STARTUP: '1', MOZ_PROFILER_SHUTDOWN: file, MOZ_PROFILER_STARTUP_INTERVAL: '0.1',
      MOZ_PROFILER_STARTUP_ENTRIES: '16777216', MOZ_PROFILER_STARTUP_FEATURES: 'js,stackwalk',
      MOZ_PROFILER_STARTUP_FILTERS: 'GeckoMain'}});
    try {
      await mainThreadFrames(profiled, page, 2);
      await profiled.evaluate(() => performance.mark('marblechess-bench'));
      for (let i = 0; i < presses; ++i) {
        await finishDrawing(profiled);
        const frames = await profiled.evaluate(() => window.frameTimes.length);
        await profiled.press('x');
        await waitFor(async () => await profiled.evaluate(n => window.frameTimes.length > n, frames), 'no frame');
      }
    } finally {
      await profiled.close();
    }
    // Firefox writes the profile as it ends, after its driver has let go.
    await waitFor(async () => {
      try {
        return JSON.parse(readFileSync(file, 'utf8')) !== null;
      } catch {
        return false;
      }
    }, 'no profile written by Firefox', 60);
    try {
      return firefoxParts(file, presses, 'marblechess-bench');
    } finally {
      rmSync(dir, {recursive: true, force: true});
    }
  }
  return {skipped: 'its driver can start no profiler'};
}

// Where Chromium's GPU process spends a frame, from its trace: each frame
// asked for by a key and read back, so that it is drawn whole.
async function gpuSide(browser, page) {
  if (browser.engine !== 'chromium') return {skipped: `only Chromium's trace shows its GPU process`};
  const frames = 5;
  await mainThreadFrames(browser, page, 1);
  const events = await browser.trace(['toplevel', 'gpu', 'gpu.service', 'disabled-by-default-gpu.service',
                                      'disabled-by-default-gpu.decoder', 'gpu.angle'], async () => {
    for (let i = 0; i < frames; ++i) {
      const before = await browser.evaluate(() => window.frameTimes.length);
      await browser.press('x');
      await waitFor(async () => await browser.evaluate(n => window.frameTimes.length > n, before), 'no frame');
      await finishDrawing(browser);
    }
  });
  return {parts: gpuProcessParts(events, frames)};
}

function sayGpuSide(result, which) {
  if (result.skipped) return console.log(`  the GPU process, ${which}: skipped, ${result.skipped}`);
  console.log(`  the GPU process, ${which}, a frame's time in its trace's events (their own, not their inner ones'):`);
  for (const {name, ms: value} of result.parts.slice(0, 6)) console.log(`    ${name}: ${ms(value)}`);
}

// Where the browser's busiest process spends the frames, each asked for by
// a key and read back, so that it is drawn whole.
async function drawingTime(browser, page) {
  const frames = 5;
  await mainThreadFrames(browser, page, 1);
  return drawingProcess(browser, frames, async () => {
    for (let i = 0; i < frames; ++i) {
      const before = await browser.evaluate(() => window.frameTimes.length);
      await browser.press('x');
      await waitFor(async () => await browser.evaluate(n => window.frameTimes.length > n, before), 'no frame');
      await finishDrawing(browser);
    }
  });
}

function sayDrawingTime(result, which = `the drawing process (${result.name}, the browser's busiest while frames are drawn)`) {
  if (result.skipped) return console.log(`  the drawing process: skipped, ${result.skipped}`);
  console.log(`  ${which}: ${ms(result.ms)} of a core a frame, all its threads`);
  for (const [part, share, value] of result.parts) {
    if (share >= 0.005) console.log(`    ${part}: ${ms(value)}, ${(share * 100).toFixed(0)}%`);
  }
}

// The start of loading to the first frame, in parts: this page's, and
// the other commit's where there is one, the pages in turn.
async function firstFrame(browser) {
  const pages = [options.page, options.against].filter(Boolean);
  const runs = new Map(pages.map(page => [page, []]));
  for (let i = 0; i < loads; ++i) {
    for (const page of pages) {
      if (!await openTimed(browser, page, [timeFrames, timeStart])) return new Map();
      runs.get(page).push(await browser.evaluate(() => ({...window.startTimes, end: window.frameTimes[0][1],
                                                         frameStart: window.frameTimes[0][0]})));
    }
  }
  return runs;
}

function sayFirstFrame(runsOf) {
  const runs = runsOf.get(options.page) ?? [];
  if (!runs.length) {
    return console.log('  start of loading to first frame: not known, the viewer starts before its driver can time it');
  }
  if (options.against) {
    const end = median(runs.map(run => run.end)), other = median(runsOf.get(options.against).map(run => run.end));
    console.log(`  start of loading to first frame against ${againstName}: median ${ms(end)} against ${ms(other)}, ` +
                `${(end / other).toFixed(2)} x, the pages in turn`);
  }
  const end = median(runs.map(run => run.end));
  console.log(`  start of loading to first frame: median ${ms(end)} of ${runs.length}` +
              (desktopStart ? `; the desktop's start to first frame ${ms(desktopStart)}` : '') +
              (options.against ? `; its parts, this page's and ${againstName}'s:` : ''));
  const other = options.against ? firstFrameParts(runsOf.get(options.against)) : null;
  firstFrameParts(runs).forEach(([what, value], i) =>
    console.log(`    ${what}: ${ms(value)}` + (other ? `, ${ms(other[i][1])}` : '')));
}

// The medians of the first frame's parts over the runs of one page.
function firstFrameParts(runs) {
  const m = key => median(runs.map(run => typeof key === 'function' ? key(run) : run[key]));
  return [
    ['the page read, its scripts run, the module decoded', m('handed')],
    ['    of which the module decoded', m('decode')],
    ["    of which the page's probe for WebGL made its context", m('probe')],
    ['the module compiled and made ready', m(r => r.ready - r.handed)],
    ['the texture written, until main runs', m(r => r.mainStart - r.ready)],
    ['main: the texture read, the window and GL set up', m(r => r.mainEnd - r.mainStart)],
    ["    of which the viewer's WebGL context made", m('contexts')],
    ['until the first frame is drawn', m(r => r.frameStart - r.mainEnd)],
    ['the first frame: its shaders made', m('shaders')],
    ['the first frame: the rest', m(r => r.end - r.frameStart - r.shaders)],
  ];
}

// From a key press to the frame's pixels read back, which waits for the
// renderer to finish drawing it.
async function wholeFrames(browser, page) {
  await openTimed(browser, page);
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
  await openTimed(browser, options.page);
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
  let kilobytes = 0;
  for (const process of processTree(pid)) {
    try {
      const rollup = readFileSync(`/proc/${process}/smaps_rollup`, 'utf8');
      kilobytes += Number(/^Pss:\s+(\d+)/m.exec(rollup)[1]);
    } catch {
      // gone meanwhile
    }
  }
  return kilobytes / 1024;
}

async function chooseBigTexture(browser) {
  await browser.evaluate(() => { document.getElementById('canvas').dataset.replaced = 'yes'; });
  await browser.choose('#texture', options.texture);
  await waitFor(() => browser.evaluate(() => !document.getElementById('canvas').dataset.replaced &&
                                              document.getElementById('console').textContent.includes('light position')),
                'no start with the large texture');
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

async function restartMemory(browser) {
  await browser.open(url(options.page));
  await chooseBigTexture(browser);
  const first = await settledMemory(browser);
  for (let i = 1; i < restarts; ++i) await chooseBigTexture(browser);
  return [first, await settledMemory(browser)];
}

function sayParts(engine, parts, which) {
  if (parts.skipped) return console.log(`  parts of a frame: skipped, ${parts.skipped}`);
  console.log(`  parts of a frame, ${which} (${engine}'s profiler, ${presses} frames, the page with its functions' names): ${ms(parts.total)}`);
  for (const {part, ms: value, share} of parts.parts) {
    const among = part === 'other' && parts.others.length ? ` (the most in ${parts.others.join(', ')})` : '';
    if (value > 0) console.log(`    ${part}: ${ms(value)}, ${(share * 100).toFixed(0)}%${among}`);
  }
}

const chosenSteps = process.env.MARBLECHESS_BENCH_STEPS?.split(',');
const stepNames = {
  'start of loading to first frame': 'first', 'main thread, one frame': 'frame', 'parts of a frame': 'parts',
  'main thread under 4x CPU throttling': 'throttled', 'bytes sent to WebGL': 'bytes', 'whole frame': 'whole',
  'the GPU process': 'gpu', 'the drawing process': 'drawing', 'dragging the light': 'drag', 'memory': 'memory',
};

// Runs one measurement, if chosen; one that fails is said, and the rest go
// on.
async function step(what, measure, say) {
  if (chosenSteps && what in stepNames && !chosenSteps.includes(stepNames[what])) return;
  try {
    say(await measure());
  } catch (error) {
    ++failures;
    console.log(`  ${what}: failed, ${error.message}`);
  }
}

async function bench(engine) {
  const browser = await launch(engine, {preciseTimers: true});
  try {
    console.log(`${engine} (${await browser.version()})`);
    await step('start of loading to first frame', () => firstFrame(browser), sayFirstFrame);
    const pages = [options.page, options.floor, ...[options.against, options['against-floor']].filter(Boolean)];
    await step('main thread, one frame', () => alternate(browser, pages), times => {
      const frame = median(times.get(options.page)), floor = median(times.get(options.floor));
      console.log(`  main thread, one frame: median ${ms(frame)} (${ms(Math.min(...times.get(options.page)))} - ` +
                  `${ms(Math.max(...times.get(options.page)))}) of ${times.get(options.page).length}, the pages in turn`);
      console.log(`  the floor, nothing gathered, sent or drawn: median ${ms(floor)}; the frame is ${(frame / floor).toFixed(2)} x the floor`);
      if (options.against) {
        const other = median(times.get(options.against));
        console.log(`  against ${againstName}: median ${ms(other)}, ` +
                    `${(other / floor).toFixed(2)} x the floor; this page's frame is ${(frame / other).toFixed(2)} x that one's`);
        const [ours, theirs] = [mean(times.get(options.page)), mean(times.get(options.against))];
        console.log(`  the same frames' mean: ${ms(ours)} against ${againstName}'s ${ms(theirs)}, ${(ours / theirs).toFixed(2)} x`);
      }
      // The other commit's floor has its GLUT's shapes made afresh every
      // frame, if that is what it did.
      if (options['against-floor']) {
        const otherFloor = median(times.get(options['against-floor']));
        console.log(`  ${againstName}'s floor: median ${ms(otherFloor)}; this page's frame is ` +
                    `${(frame / otherFloor).toFixed(2)} x that floor` +
                    (options.against ? `, ${againstName}'s ${(median(times.get(options.against)) / otherFloor).toFixed(2)} x` : ''));
      }
    });
    await step('parts of a frame', () => profiledParts(engine, browser, options.profile),
               parts => sayParts(engine, parts, 'this page'));
    if (options['against-profile']) {
      await step('parts of a frame', () => profiledParts(engine, browser, options['against-profile']),
                 parts => sayParts(engine, parts, againstName));
    }
    await step('main thread under 4x CPU throttling', () => throttled(browser, options.page), result =>
      console.log(result.skipped ? `  main thread under 4x CPU throttling: skipped, ${result.skipped}`
                                 : `  main thread under 4x CPU throttling: median ${ms(result.frame)} of ${presses}`));
    await step('bytes sent to WebGL', () => bytesAfterFirst(browser, options.page), bytes =>
      console.log(`  bytes handed to WebGL in a frame after the first: ${bytes.toFixed(0)}`));
    // The floor's whole frame is what the browser spends on a frame that
    // draws nothing; the rest is the drawing, in the renderer's process.
    const wholePages = [options.page, options.floor, options.against].filter(Boolean);
    await step('whole frame', () => alternate(browser, wholePages, page => wholeFrames(browser, page)), times => {
      const whole = median(times.get(options.page)), floor = median(times.get(options.floor));
      console.log(`  whole frame, key to pixels read back: median ${ms(whole)}, the pages in turn` +
                  (desktopFrame ? `; ${(whole / desktopFrame).toFixed(2)} x the desktop's ${ms(desktopFrame)}` : ''));
      console.log(`    of which the floor's whole frame, nothing drawn: ${ms(floor)}; the drawing ${ms(whole - floor)}`);
      if (options.against) {
        const other = median(times.get(options.against));
        console.log(`  against ${againstName}: median ${ms(other)}; this page's whole frame is ${(whole / other).toFixed(2)} x that one's`);
      }
    });
    for (const [page, which] of [[options.page, 'this page'], [options.floor, 'the floor']]) {
      await step('the GPU process', () => gpuSide(browser, page), result => sayGpuSide(result, which));
    }
    await step('the drawing process', () => drawingTime(browser, options.page), sayDrawingTime);
    await step('dragging the light', () => dragFrames(browser), fps =>
      console.log(`  dragging the light: ${fps.toFixed(1)} frames a second`));
    await step('memory', () => restartMemory(browser), ([first, twentieth]) =>
      console.log(`  memory after 1 start with a ${path.basename(options.texture)}: ${first.toFixed(0)} MB, after ${restarts}: ${twentieth.toFixed(0)} MB`));
  } finally {
    await browser.close();
  }
}

console.log(`page: ${statSync(options.page).size} bytes`);
// The desktop's frames under perf, from bench.sh: the whole run over its
// frames, so its start counts a little.
if (options['desktop-perf']) {
  await step('the desktop under perf', async () => desktopParts(options['desktop-perf'],
                                                                desktopOf(options['desktop-perf-json'], 'BM_Frame', 'iterations')),
             result => sayDrawingTime(result, "the desktop's viewer, frame_bench under perf"));
}
for (const engine of chosenEngines()) await bench(engine);
process.exitCode = failures ? 1 : 0;
