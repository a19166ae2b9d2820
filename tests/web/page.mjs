// The page in one browser engine, driven as a user would: its console read,
// the table's actions sent as real key presses, pointer moves and clicks,
// and restarts waited for.

import {writeFileSync} from 'node:fs';
import path from 'node:path';
import {actionsOf} from './words.mjs';

export const usage = 'Use x/y/z/X/Y/Z-keys to rotate.\nMove mouse while pressing button to change light position.\n';
export const ended = 'The viewer has ended with status 0.\n';
const waitSeconds = 20;

// The test's own texture files, by the table's names for them.
export const textureFiles = {palette: 'palette.bmp', topDown5x3: 'top-down-5x3.bmp',
                             controlBytes: 'control-bytes.bmp'};

export function fileNamed(name) {
  return path.join(process.env.MARBLECHESS_TEXTURES, name);
}

// Writes a grey texture `width` texels wide and one row high, and gives its
// name.
export function greyTexture(width) {
  const rowBytes = (width * 3 + 3) & ~3, name = `grey-${width}.bmp`;
  const file = Buffer.alloc(54 + rowBytes, 0x80);
  file.write('BM', 0, 'latin1');
  for (const [at, value] of [[2, file.length], [6, 0], [10, 54], [14, 40], [18, width], [22, 1],
                             [30, 0], [34, rowBytes], [38, 2835], [42, 2835], [46, 0], [50, 0]]) {
    file.writeUInt32LE(value, at);
  }
  file.writeUInt16LE(1, 26);
  file.writeUInt16LE(24, 28);
  writeFileSync(fileNamed(name), file);
  return name;
}

export class Page {
  constructor(browser) {
    this.browser = browser;
    this.texture = null;  // the file the viewer was last given; null: the marble
    this.held = new Set();  // the mouse buttons held down
  }

  // What the console shows: the texture the viewer was given, the usage
  // lines, then `lines`.
  saying(lines) {
    const given = this.texture ? `Texture: ${this.texture}, read as marmor.bmp\n` : 'Texture: the bundled marble\n';
    return given + usage + lines.map(line => `${line}\n`).join('');
  }

  console() {
    return this.browser.evaluate(() => document.getElementById('console').textContent);
  }

  async wait(condition, what) {
    const end = Date.now() + waitSeconds * 1000;
    while (!await condition()) {
      if (Date.now() > end) throw new Error(`never ${typeof what === 'function' ? await what() : what}`);
      await new Promise(resolve => setTimeout(resolve, 50));
    }
  }

  async says(text) {
    await this.wait(async () => await this.console() === text, () => this.saidInstead(text));
  }

  // Waits until the console holds `text` somewhere.
  async holds(text) {
    await this.wait(async () => (await this.console()).includes(text), () => this.saidInstead(text));
  }

  // What was to be said and the end of what the console says, each kept
  // short enough to read.
  async saidInstead(text) {
    const short = (words, keep) => JSON.stringify(words.length > keep ? `…${words.slice(-keep)}` : words);
    return `said ${short(text, 600)}; it says ${short(await this.console(), 1200)}`;
  }

  started() {
    return this.wait(async () => (await this.console()).startsWith(this.saying([])), 'started');
  }

  // Does what starts the viewer afresh with `texture` (or the one it has),
  // and waits for the new one: a new canvas and the usage printed.
  async restart(action, what, texture = this.texture) {
    await this.browser.evaluate(() => { document.getElementById('canvas').dataset.replaced = 'yes'; });
    await action();
    this.texture = texture;
    await this.wait(() => this.browser.evaluate(said => {
      const canvas = document.getElementById('canvas');
      return !canvas.dataset.replaced && document.getElementById('console').textContent.startsWith(said);
    }, this.saying([])), `restarted ${what}`);
  }

  // A place in the drawing's pixels, in the viewport's CSS pixels however
  // the page has scaled the canvas.
  async at([x, y]) {
    const [left, top, scale] = await this.browser.evaluate(() => {
      const canvas = document.getElementById('canvas');
      const r = canvas.getBoundingClientRect();
      return [r.left, r.top, r.width / canvas.width];
    });
    return [left + x * scale, top + y * scale];
  }

  canvasWidth() {
    return this.browser.evaluate(() => document.getElementById('canvas').getBoundingClientRect().width);
  }

  // Narrows the browser until the canvas is `width` CSS pixels wide, however
  // wide its scroll bar and its window's frame are. A browser whose window
  // will not get so narrow cannot give the row its input.
  async narrow(width) {
    for (let tries = 0; tries < 10; ++tries) {
      const shown = await this.canvasWidth();
      if (Math.abs(shown - width) < 0.01) return;
      const inner = await this.viewportWidth();
      await this.browser.resize(inner + Math.round(width - shown), 900);
      await this.wait(async () => await this.viewportWidth() !== inner, 'resized').catch(() => {});
      if (await this.viewportWidth() === inner) break;
    }
    throw Object.assign(new Error(`the canvas never came to be ${width} pixels wide`),
                        {cannot: `its window is never narrower than ${await this.viewportWidth()} CSS pixels`});
  }

  // The canvas, or the letter of the turning button that has the focus.
  focused() {
    return this.browser.evaluate(() => {
      const element = document.activeElement;
      return element.id === 'canvas' ? 'canvas' : element.dataset.key ?? element.tagName.toLowerCase();
    });
  }

  againShown() {
    // The viewer's page hides the part that holds it; a program's, the button.
    return this.browser.evaluate(() => !(document.getElementById('ended') ?? document.getElementById('again')).hidden);
  }

  selection() {
    return this.browser.evaluate(() => String(window.getSelection()));
  }

  // Every button shown is at least `size` CSS pixels each way, and the
  // turning buttons stand apart.
  async buttonsAtLeast(size) {
    const boxes = await this.browser.evaluate(() => [...document.querySelectorAll('button')]
      .filter(button => button.offsetParent)
      .map(button => { const r = button.getBoundingClientRect(); return [r.left, r.top, r.width, r.height]; }));
    for (const [, , width, height] of boxes) {
      if (width < size || height < size) throw new Error(`a button is ${width} by ${height} CSS pixels`);
    }
    const row = boxes.slice(-6).sort((a, b) => a[1] - b[1] || a[0] - b[0]);
    for (let i = 1; i < row.length; ++i) {
      const [left, top] = row[i], [pLeft, pTop, pWidth] = row[i - 1];
      if (top === pTop && left < pLeft + pWidth + 4) throw new Error('turning buttons touch each other');
    }
    // A screen reader may read x and X alike: each name must say its turn.
    const names = await this.browser.evaluate(() => [...document.querySelectorAll('#turn button')]
      .map(button => (button.getAttribute('aria-label') ?? button.textContent).toLowerCase()));
    if (new Set(names).size !== 6) throw new Error(`the turning buttons are named ${JSON.stringify(names)}`);
  }

  viewportWidth() {
    return this.browser.evaluate(() => window.innerWidth);
  }

  // Why the browser's driver cannot give this input, if it cannot.
  cannot(input) {
    for (const action of actionsOf(input)) {
      if ((action.touch || action.longpress) && !this.browser.can.touch) return 'it takes no touches under automation';
      if (action.fingers && !this.browser.can.fingers) return 'its driver here gives one finger at a time';
      if (action.ratio && !this.browser.can.ratio) {
        return this.browser.engine === 'chromium'
          ? "its emulated pixel ratio does not fire the page's resolution query, as a real zoom does"
          : 'its driver cannot change the pixel ratio of an open page';
      }
      if (action.keydown && !this.browser.can.repeat) return 'its driver drops a key pressed again while held';
      if (action.wheel && !this.browser.can.wheel) {
        return 'its driver moves the pointer out of the canvas and back for a step of the wheel';
      }
      if ((action.down ?? action.up ?? 0) !== 0 && !this.browser.can.otherButtons) {
        return 'its driver releases every button as the left one, so another stays held';
      }
    }
    return null;
  }

  // Lets go of the buttons a row left held, so that the next row starts
  // with none.
  async release() {
    const held = [...this.held];
    this.held.clear();
    if (held.length) await this.browser.pointer(held.map(button => ({up: button})));
  }

  async send(input) {
    const pointer = [];
    const flush = async () => {
      for (const action of pointer) {
        if ('down' in action) this.held.add(action.down);
        if ('up' in action) this.held.delete(action.up);
      }
      if (pointer.length) await this.browser.pointer(pointer.splice(0));
    };
    for (const action of actionsOf(input)) {
      if (action.move) {
        this.pointerAt = await this.at(action.move);
        pointer.push({move: this.pointerAt});
        continue;
      }
      if ('down' in action || 'up' in action) {
        pointer.push(action);
        continue;
      }
      await flush();
      await this.perform(action);
    }
    await flush();
  }

  async perform(action) {
    const browser = this.browser;
    if (action.press) return browser.press(action.press.key, action.press);
    if (action.keydown) return browser.key(action.keydown, true);
    if (action.keyup) return browser.key(action.keyup, false);
    if (action.wheel) return browser.wheel(this.pointerAt ?? [0, 0], ...action.wheel);
    if (action.windowsize) {
      return browser.evaluate(([width, height]) => {
        const canvas = document.getElementById('canvas');
        canvas.style.width = `${width / devicePixelRatio}px`;
        canvas.style.height = `${height / devicePixelRatio}px`;
      }, action.windowsize);
    }
    if (action.button) return browser.click(`#turn button[data-key='${action.button}']`);
    if (action.narrow) return this.narrow(Number(action.narrow));
    if (action.touch) {
      const [x1, y1, x2, y2] = action.touch;
      return browser.touch(await this.at([x1, y1]), await this.at([x2, y2]));
    }
    // A finger held still until a menu shows, and lifted.
    if (action.longpress) {
      return browser.hold(await this.at(action.longpress), () => this.wait(
        () => browser.evaluate(() => document.querySelector('[role="menu"]') !== null), 'showed a menu'));
    }
    if (action.fingers) {
      const [x1, y1, x2, y2, x3, y3, x4, y4] = action.fingers;
      return browser.fingers(await this.at([x1, y1]), await this.at([x2, y2]), await this.at([x3, y3]),
                             await this.at([x4, y4]));
    }
    if (action.ratio) return browser.setRatio(Number(action.ratio));
    if (action.choosetwo) {
      const [first, second] = action.choosetwo;
      return this.restart(async () => {
        await browser.choose('#texture', fileNamed(first));
        await browser.choose('#texture', fileNamed(second));
      }, `with ${first} and at once ${second}`, second);
    }
    if (action.choose) {
      return this.restart(() => browser.choose('#texture', fileNamed(action.choose)), `with ${action.choose}`,
                          action.choose);
    }
    if (action.drop) {
      return this.restart(() => browser.drop('body', fileNamed(action.drop)), `with the dropped ${action.drop}`,
                          action.drop);
    }
    if (action.again) return this.restart(() => browser.click('#again'), 'again');
    // The browser takes the canvas's WebGL context away, as when its GPU
    // resets, and gives it back once the page has heard of the loss, as a
    // browser does: a context is given back only after its loss was told.
    if (action.lose) {
      return browser.evaluate(() => {
        const canvas = document.getElementById('canvas');
        // Heard once the event's dispatch is over, since the browser allows a
        // restore only after it.
        window.lossHeard = new Promise(resolve => canvas.addEventListener(
          'webglcontextlost', () => setTimeout(resolve), {once: true}));
        window.contextLoss = canvas.getContext('webgl').getExtension('WEBGL_lose_context');
        window.contextLoss.loseContext();
      });
    }
    if (action.restore) {
      return browser.evaluate(async () => {
        await window.lossHeard;
        window.contextLoss.restoreContext();
      });
    }
    // The next WebGL context the page makes is lost as soon as it is made,
    // before the browser has said so, as when the GPU resets just then.
    if (action.losenext) {
      return browser.evaluate(() => {
        const make = HTMLCanvasElement.prototype.getContext;
        HTMLCanvasElement.prototype.getContext = function (...args) {
          HTMLCanvasElement.prototype.getContext = make;
          const context = make.apply(this, args);
          window.contextLoss = context.getExtension('WEBGL_lose_context');
          window.contextLoss.loseContext();
          return context;
        };
      });
    }
    // The context that comes back takes textures only up to this size, as
    // a smaller GPU's would.
    if (action.shrink) {
      return browser.evaluate(size => {
        const ask = WebGLRenderingContext.prototype.getParameter;
        WebGLRenderingContext.prototype.getParameter = function (name) {
          return name === this.MAX_TEXTURE_SIZE ? size : ask.call(this, name);
        };
      }, Number(action.shrink));
    }
    // Of the next two files read, the first is read last.
    if (action.reversereads) {
      return browser.evaluate(() => {
        const read = File.prototype.arrayBuffer;
        let secondRead;
        const second = new Promise(resolve => { secondRead = resolve; });
        let reads = 0;
        File.prototype.arrayBuffer = function () {
          const bytes = read.call(this);
          if (++reads === 2) File.prototype.arrayBuffer = read;
          return reads === 1 ? bytes.then(got => second.then(() => got))
                             : bytes.then(got => { secondRead(); return got; });
        };
      });
    }
    throw new Error(`no way to perform ${JSON.stringify(action)}`);
  }
}
