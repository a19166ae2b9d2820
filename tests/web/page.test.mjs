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
import {Page, ended, fileNamed, greyTexture, textureFiles} from './page.mjs';

const here = path.dirname(fileURLToPath(import.meta.url));
const table = JSON.parse(readFileSync(path.join(here, '..', 'scenarios.json'), 'utf8'));
const rows = table.scenarios.filter(row => row.on.includes('page'));
// A table that gives the page nothing to do proves nothing.
if (rows.length === 0) throw new Error('tests/scenarios.json has no row for the page');
const pageUrl = `file://${path.resolve(process.env.MARBLECHESS_PAGE)}`;
const title = 'Quilan Vastre, 4180263';
const rowSeconds = 180;

// Rows that need the engine started otherwise (another pixel ratio, no
// WebGL, a touch screen) get a browser of their own.
function launchOptions(row) {
  return {ratio: row.ratio ?? 1, webgl: row.webgl ?? true, touch: row.touch ?? false};
}

// The browser's own log of the page, from its console to its refusals,
// holds nothing at all, but the browser's own note of a lost context in a
// row that loses one.
async function consoleIsClean(browser, row = {}) {
  const log = (await browser.log()).filter(e => !(row.losesContext && /context lost|context was lost/i.test(e.text)));
  assert.deepEqual(log, [], `the browser's console says ${JSON.stringify(log)}`);
}

async function runRow(t, browser, row, renderer) {
  const page = new Page(browser);
  const cannot = row.steps.map(step => page.cannot(step.page ?? step.input)).find(Boolean);
  if (cannot) return t.skip(`${browser.engine}: ${cannot}`);
  try {
    await playRow(t, browser, page, row, renderer);
  } finally {
    await page.release();
  }
  return true;
}

// The engine's WebGL renderer and the largest texture it takes, as a page
// may ask them: once an engine, since WebKitGTK does not always survive a
// second context made beside the viewer's.
function askRenderer(browser) {
  return browser.evaluate(() => {
    const context = document.createElement('canvas').getContext('webgl');
    const names = context.getExtension('WEBGL_debug_renderer_info');
    const renderer = context.getParameter(names ? names.UNMASKED_RENDERER_WEBGL : context.RENDERER);
    const limit = context.getParameter(context.MAX_TEXTURE_SIZE);
    context.getExtension('WEBGL_lose_context')?.loseContext();
    return {renderer, limit};
  });
}

// A row's words may name the renderer's limit, as {limit}, and one more.
function withLimit(line, limit) {
  return line.replaceAll('{limit+1}', String(limit + 1)).replaceAll('{limit}', String(limit));
}

async function playRow(t, browser, page, row, renderer) {
  await browser.open(pageUrl);
  await page.started();
  assert.equal(await browser.evaluate(() => document.title), title);
  let limit = 0;
  if (row.texture === 'widerThanTheRenderer' || row.texture === 'atTheRendererLimit') {
    limit = renderer.limit;
    t.diagnostic(`MAX_TEXTURE_SIZE ${limit}`);
    await page.perform({choose: greyTexture(row.texture === 'atTheRendererLimit' ? limit : limit + 1)});
  } else if (row.texture !== 'bundled') {
    await page.perform({choose: textureFiles[row.texture]});
  }
  row = {...row, says: row.says.map(line => withLimit(line, limit))};
  for (const step of row.steps) {
    for (let time = 0; time < (step.times ?? 1); ++time) await page.send(step.page ?? step.input);
    if (step.says) await page.says(page.saying(step.says));
    if (step.frame) t.diagnostic(`frame ${step.frame}: ${await shows(browser, step.frame, row.name)}`);
    if (step.focus) assert.equal(await page.focused(), step.focus, 'what has the focus');
    if (step.selects) assert.match(await page.selection(), new RegExp(step.selects), 'the selection');
    if (step.buttons) await page.buttonsAtLeast(step.buttons);
    if ('againShown' in step) assert.equal(await page.againShown(), step.againShown, 'whether "Start again" shows');
  }
  assert.equal(await page.console(), page.saying(row.says));
  if (row.oneCanvas) {
    assert.equal(await browser.evaluate(() => document.querySelectorAll('canvas').length), 1, 'canvases');
  }
  await page.send('key Escape');
  await page.says(page.saying(row.says) + ended);
  assert.ok(await page.againShown(), 'no start-again button');
  await consoleIsClean(browser, row);
}

// Faults the page must survive, planted in the engine itself: a trap in the
// drawing, as a fault in the program's memory gives; a module the engine
// will not instantiate, as when memory runs out; a file too large for the
// module's memory; and a chosen file the browser cannot read, as a folder
// or a file moved meanwhile. Each is said in one line beside "Start
// again"; the program's own faults go to the browser's log as the page's
// one error, and nothing reaches it uncaught.
const faults = {
  draw: {
    message: 'memory access out of bounds (a planted fault)',
    plant: message => {
      window.plantedFrom = WebGLRenderingContext.prototype.drawElements;
      WebGLRenderingContext.prototype.drawElements = () => { throw new WebAssembly.RuntimeError(message); };
    },
    remove: () => { WebGLRenderingContext.prototype.drawElements = window.plantedFrom; },
    trigger: page => page.send('key x'),
    says: (page, line) => page.saying([line]),
    line: message => `The viewer has stopped: ${message}.`,
    logged: true,
  },
  start: {
    message: 'Out of memory (a planted fault)',
    plant: message => {
      window.plantedFrom = WebAssembly.instantiate;
      WebAssembly.instantiate = () => Promise.reject(new RangeError(message));
    },
    remove: () => { WebAssembly.instantiate = window.plantedFrom; },
    trigger: async (page, browser) => {
      await page.send('key Escape');
      await page.says(page.saying([]) + ended);
      await browser.click('#again');
    },
    says: (page, line) => `Texture: the bundled marble\n${line}\n`,
    line: message => `The viewer could not start: ${message}.`,
    logged: true,
  },
  memory: {
    message: 'Array buffer allocation failed (a planted fault)',
    plant: message => {
      window.plantedFrom = window.createViewer;
      window.createViewer = instance => window.plantedFrom(instance).then(viewer => {
        viewer.FS.writeFile = () => { throw new RangeError(message); };
        return viewer;
      });
    },
    remove: () => { window.createViewer = window.plantedFrom; },
    trigger: (page, browser) => {
      page.texture = 'palette.bmp';
      return browser.choose('#texture', fileNamed('palette.bmp'));
    },
    says: (page, line) => `Texture: palette.bmp, read as marmor.bmp\n${line}\n`,
    line: message => `The viewer could not start: ${message}.`,
    logged: true,
    after: 'start-plain',
  },
  unreadable: {
    message: 'The file could not be read (a planted fault)',
    plant: message => {
      window.plantedFrom = File.prototype.arrayBuffer;
      File.prototype.arrayBuffer = () => Promise.reject(new DOMException(message, 'NotReadableError'));
    },
    remove: () => { File.prototype.arrayBuffer = window.plantedFrom; },
    trigger: (page, browser) => browser.choose('#texture', fileNamed('palette.bmp')),
    says: (page, line) => `${line}\n`,
    line: message => `The file palette.bmp cannot be read: ${message}.`,
    logged: false,
  },
};

// The fault's one line and "Start again" on the page, the browser's log
// holding the error alone where the fault is the program's and nothing
// otherwise, and a fresh start that works once the fault is gone.
async function runWithFault(browser, row) {
  const fault = faults[row.fault];
  const page = new Page(browser);
  try {
    await browser.open(pageUrl);
    await page.started();
    await browser.evaluate(fault.plant, fault.message);
    await fault.trigger(page, browser);
    await page.says(fault.says(page, fault.line(fault.message)));
    assert.ok(await page.againShown(), 'no start-again button');
    const log = (await browser.log()).map(entry => entry.text);
    const expected = fault.logged ? [fault.message] : [];
    assert.deepEqual(log.map(text => text.includes(fault.message) ? fault.message : text), expected,
                     `the browser's log holds ${JSON.stringify(log)}`);
    await browser.evaluate(fault.remove);
    await page.perform({again: true});
    await shows(browser, fault.after ?? 'start-marble', row.name);
  } finally {
    await page.release();
  }
  return true;
}

// A start made while the one before is still being made: the one before
// fails afterwards, as when memory runs out with two instances compiling,
// and must say nothing beside the new one.
async function runSuperseded(browser, row) {
  const page = new Page(browser);
  try {
    await browser.open(pageUrl);
    await page.started();
    await browser.evaluate(() => {
      const instantiate = WebAssembly.instantiate;
      WebAssembly.instantiate = (...args) => {
        WebAssembly.instantiate = instantiate;
        return new Promise((resolve, reject) => {
          window.failLater = () => { reject(new RangeError('Out of memory (a planted fault)')); window.failed = true; };
        });
      };
    });
    await browser.choose('#texture', fileNamed('palette.bmp'));
    await page.wait(async () => (await page.console()).startsWith('Texture: palette.bmp'), 'began the first start');
    await page.perform({choose: 'top-down-5x3.bmp'});
    await browser.evaluate(() => window.failLater());
    await page.wait(() => browser.evaluate(() => window.failed === true), 'failed the first start');
    await page.send('key --repeat 10 x key y');
    await shows(browser, 'top-view-texture-5x3', row.name);
    assert.equal(await page.console(), page.saying([]));
    assert.ok(!await page.againShown(), '"Start again" beside a running viewer');
    await consoleIsClean(browser);
  } finally {
    await page.release();
  }
  return true;
}

// The page's probe for WebGL lets its context go: once the viewer runs, the
// only context alive is the viewer's. The contexts made are counted from
// before the page's own scripts, which WebKitGTK's driver cannot do.
async function runProbe(browser, row) {
  if (browser.engine === 'webkit') {
    throw Object.assign(new Error('no prelude'), {cannot: 'its driver runs nothing before the page\'s own scripts'});
  }
  const page = new Page(browser);
  await browser.open(pageUrl, () => {
    const make = HTMLCanvasElement.prototype.getContext;
    window.contextsMade = [];
    HTMLCanvasElement.prototype.getContext = function (...args) {
      const context = make.apply(this, args);
      if (context && !window.contextsMade.includes(context)) window.contextsMade.push(context);
      return context;
    };
  });
  await page.started();
  await shows(browser, 'start-marble', row.name);
  const alive = await browser.evaluate(() => window.contextsMade.filter(context => !context.isContextLost())
    .map(context => context.canvas === document.getElementById('canvas') ? 'the viewer\'s' : 'another'));
  assert.deepEqual(alive, ['the viewer\'s'], 'the WebGL contexts alive');
  await consoleIsClean(browser);
  return true;
}

// The canvas's centre, read by an observer of the page's own after every
// resize of the canvas, before the browser shows it: never the cleared
// canvas, always a frame of the scene.
async function runResized(browser, row) {
  const page = new Page(browser);
  try {
    await browser.open(pageUrl);
    await page.started();
    await browser.evaluate(() => {
      const canvas = document.getElementById('canvas');
      const probe = document.createElement('canvas');
      probe.width = probe.height = 1;
      const context = probe.getContext('2d', {willReadFrequently: true});
      window.resizeSamples = [];
      new ResizeObserver(() => {
        context.clearRect(0, 0, 1, 1);
        context.drawImage(canvas, canvas.width / 2, canvas.height / 2, 1, 1, 0, 0, 1, 1);
        window.resizeSamples.push([...context.getImageData(0, 0, 1, 1).data]);
      }).observe(canvas);
    });
    for (const width of ['480px', '560px', '']) {
      const before = await browser.evaluate(() => window.resizeSamples.length);
      await browser.evaluate(w => { document.getElementById('canvas').style.width = w; }, width);
      await page.wait(async () => await browser.evaluate(() => window.resizeSamples.length) > before,
                      `resized to ${width || 'its own width'}`);
    }
    const samples = await browser.evaluate(() => window.resizeSamples);
    const cleared = samples.filter(([r, g, b, a]) => a < 255 || r + g + b === 0);
    assert.deepEqual(cleared, [], `the centre after each resize: ${JSON.stringify(samples)}`);
    await shows(browser, 'start-marble', row.name);
  } finally {
    await page.release();
  }
  return true;
}

// A page made for a program of the user's own: titled as its window, its
// canvas the window's size, with the keyboard's focus.
async function isTheProgramsWindow(page, browser, {title, size}) {
  await page.wait(() => browser.evaluate(() => document.title !== 'GLUT program'), 'titled');
  const shown = await browser.evaluate(() => {
    const canvas = document.getElementById('canvas');
    const rect = canvas.getBoundingClientRect();
    return {title: document.title, size: [rect.width, rect.height], focused: document.activeElement === canvas};
  });
  assert.deepEqual(shown, {title, size, focused: true});
}

// One of the GL programs of tests/gl/ on a page of its own: every frame it
// settles on held against the desktop's, the lines each step makes it say,
// nothing said but what the row says, and its end on ESC.
async function runProgram(t, browser, row) {
  const page = new Page(browser);
  const cannot = row.steps.map(step => page.cannot(step.page ?? step.input)).find(Boolean);
  if (cannot) return t.skip(`${browser.engine}: ${cannot}`);
  try {
    const folder = row.own ? process.env.MARBLECHESS_OWN_PAGES : process.env.MARBLECHESS_GL_PAGES;
    await browser.open(`file://${path.resolve(folder, `${row.program}.html`)}`);
    if (row.own) await isTheProgramsWindow(page, browser, row.own);
    for (const step of row.steps) {
      await page.send(step.page ?? step.input);
      if (step.says) await page.holds(step.says.map(line => `${line}\n`).join(''));
      if (step.frame) t.diagnostic(`frame ${step.frame}: ${await shows(browser, step.frame, row.name)}`);
    }
    if (!row.endsItself) await page.send('key Escape');
    await page.says([...row.says, 'The program has ended with status 0.'].map(line => `${line}\n`).join(''));
    // Whatever the page had queued as the program ended runs before this,
    // so that a callback called on the ended program shows.
    await browser.evaluate(() => new Promise(resolve => setTimeout(resolve)));
    assert.ok(await browser.evaluate(() => !document.querySelector('[role="menu"]')), 'a menu outlives the program');
    await consoleIsClean(browser);
  } finally {
    await page.release();
  }
  return true;
}

// What a program of the user's own may do to its page: print what no
// terminal shows as it is, a line too long and a flood; stop on a failed
// check (abort); not get a WebGL context, as when the GPU is gone between
// the page's start and the program's. Its page keeps whole and says so in
// one line with "Start again", and a fresh start works once the fault is
// gone.
const programFaults = {
  async printing(page, browser) {
    await page.send('key c');
    await page.holds('bell\u2407, backspace\u2408, escape\u241b[31m and delete\u2421\n' + 'x'.repeat(10000) + '…\n');
    await page.send('key l');
    await page.wait(async () => (await page.console()).endsWith('line 3000 of a flood\n'), 'printed the flood');
    const lines = (await page.console()).split('\n');
    assert.deepEqual([lines.length, lines[0], lines[1]], [2002, '…', 'line 1001 of a flood'], 'the lines kept');
    assert.ok(await browser.evaluate(() => document.documentElement.scrollWidth <= innerWidth), 'the page is wider');
    await page.send('key p');
    await page.holds('the teapot is at step 12\n');
    await page.send('key Escape');
    await page.holds('The program has ended with status 0.\n');
    return [];
  },
  async abort(page) {
    await page.send('key x');
    await page.wait(async () => (await page.console()).endsWith('\nThe program has stopped: it called abort().\n'),
                    async () => `stopped; it says ${JSON.stringify(await page.console())}`);
    return ['it called abort()'];
  },
  async nocontext(page, browser) {
    await page.send('key Escape');
    await page.holds('The program has ended with status 0.\n');
    await browser.evaluate(() => {
      window.plantedFrom = HTMLCanvasElement.prototype.getContext;
      HTMLCanvasElement.prototype.getContext = () => null;
    });
    await browser.click('#again');
    await page.says('The program could not start: the browser gave no WebGL context to draw with.\n');
    await browser.evaluate(() => { HTMLCanvasElement.prototype.getContext = window.plantedFrom; });
    return ['the browser gave no WebGL context'];
  },
};

async function runProgramFault(browser, row) {
  const page = new Page(browser);
  await browser.open(`file://${path.resolve(process.env.MARBLECHESS_OWN_PAGES, `${row.program}.html`)}`);
  await page.holds(`${row.says[0]}\n`);
  await shows(browser, row.steps[0].frame, row.name);
  const logged = await programFaults[row.fault](page, browser);
  assert.ok(await page.againShown(), 'no start-again button');
  const log = (await browser.log()).map(entry => entry.text);
  assert.equal(log.length, logged.length, `the browser's log holds ${JSON.stringify(log)}`);
  logged.forEach((text, i) => assert.ok(log[i].includes(text), `the browser's log holds ${JSON.stringify(log)}`));
  await browser.click('#again');
  await page.holds(`${row.says[0]}\n`);
  await shows(browser, row.steps[0].frame, row.name);
  return true;
}

async function runWithoutWebGL(browser) {
  await browser.open(pageUrl);
  const page = new Page(browser);
  const sentence = 'it has no WebGL';
  await page.wait(async () => (await page.console()).includes(sentence), 'said it has no WebGL');
  assert.ok(await browser.evaluate(() => document.getElementById('nogl').textContent.includes('it has no WebGL')));
  assert.equal(await browser.evaluate(() => document.getElementById('canvas')), null);
  await consoleIsClean(browser);
  return true;
}

for (const engine of chosenEngines()) {
  describe(engine, () => {
    const browsers = new Map();
    let version;
    let passed = 0;
    const browserFor = async row => {
      const key = JSON.stringify(launchOptions(row));
      if (!browsers.has(key)) browsers.set(key, await launch(engine, launchOptions(row)));
      return browsers.get(key);
    };
    let renderer;
    before(async () => {
      const browser = await browserFor({});
      version = await browser.version();
      await browser.open('about:blank');
      renderer = await askRenderer(browser);
    });
    after(async () => {
      for (const browser of browsers.values()) await browser.close();
      // An engine whose every row was skipped or failed was not checked.
      assert.ok(passed > 0, `no row passed in ${engine}`);
    });
    for (const row of rows) {
      test(row.name, {timeout: rowSeconds * 1000}, async t => {
        t.diagnostic(`engine ${version}`);
        t.diagnostic(`renderer ${renderer.renderer}`);
        const browser = await browserFor(row);
        try {
          const special = {superseded: runSuperseded, probe: runProbe};
          const run = row.program ? (row.fault ? runProgramFault(browser, row) : runProgram(t, browser, row)) :
              row.webgl === false ? runWithoutWebGL(browser) :
              special[row.fault] ? special[row.fault](browser, row) :
              row.fault ? runWithFault(browser, row) : row.resized ? runResized(browser, row) :
              runRow(t, browser, row, renderer);
          if (await run) ++passed;
        } catch (error) {
          if (!error.cannot) throw error;
          t.skip(`${engine}: ${error.cannot}`);
        }
      });
    }
  });
}
