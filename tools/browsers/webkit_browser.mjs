// WebKitGTK's MiniBrowser, the engine of Safari, driven through Debian's
// WebKitWebDriver over classic W3C WebDriver with selenium-webdriver. It
// needs an X display, which the caller provides; its device pixel ratio is
// GTK's scale, fixed when it starts.

import {spawn} from 'node:child_process';
import {readFile} from 'node:fs/promises';
import {existsSync} from 'node:fs';
import net from 'node:net';
import webdriver from 'selenium-webdriver';
import {dropMade} from './made_drop.mjs';

const {Builder, By, Key} = webdriver;

// Where Debian's WebKitGTK packages put MiniBrowser, newest API first.
const miniBrowsers = ['webkitgtk-6.0', 'webkit2gtk-4.1', 'webkit2gtk-4.0'].flatMap(api =>
  ['x86_64-linux-gnu', 'aarch64-linux-gnu', 'i386-linux-gnu'].map(arch => `/usr/lib/${arch}/${api}/MiniBrowser`));

const keys = {
  Enter: Key.ENTER, Escape: Key.ESCAPE, Tab: Key.TAB, Backspace: Key.BACK_SPACE,
  ArrowLeft: Key.ARROW_LEFT, ArrowUp: Key.ARROW_UP, ArrowRight: Key.ARROW_RIGHT,
  ArrowDown: Key.ARROW_DOWN, Shift: Key.SHIFT, Control: Key.CONTROL,
  ...Object.fromEntries(Array.from({length: 12}, (_, i) => [`F${i + 1}`, Key[`F${i + 1}`]])),
};

function freePort() {
  return new Promise((resolve, reject) => {
    const server = net.createServer();
    server.on('error', reject);
    server.listen(0, '127.0.0.1', () => {
      const {port} = server.address();
      server.close(() => resolve(port));
    });
  });
}

async function startDriver(ratio) {
  const port = await freePort();
  const driver = spawn('/usr/bin/WebKitWebDriver', [`--port=${port}`],
                       {stdio: 'ignore', env: {...process.env, GDK_SCALE: String(ratio)}});
  const url = `http://127.0.0.1:${port}`;
  for (const end = Date.now() + 20000; Date.now() < end;) {
    try {
      await fetch(`${url}/status`);
      return {driver, url};
    } catch {
      await new Promise(resolve => setTimeout(resolve, 50));
    }
  }
  driver.kill();
  throw new Error('WebKitWebDriver did not start');
}

// WebKitWebDriver hands on neither the console nor page errors, so the page
// is watched from within, from the moment it has loaded.
function watchLog() {
  if (window.marblechessLog) return;
  const log = window.marblechessLog = [];
  for (const level of ['error', 'warn', 'info', 'log', 'debug']) {
    const original = console[level];
    console[level] = (...args) => {
      log.push({level, text: args.join(' ')});
      original.apply(console, args);
    };
  }
  window.addEventListener('error', event => log.push({level: 'error', text: event.message}));
  window.addEventListener('unhandledrejection', event => log.push({level: 'error', text: String(event.reason)}));
  document.addEventListener('securitypolicyviolation', event =>
    log.push({level: 'error', text: `refused ${event.blockedURI} (${event.violatedDirective})`}));
}

export class WebKitBrowser {
  static async launch(engine, {ratio = 1, webgl = true, width = 1280, height = 900} = {}) {
    const binary = miniBrowsers.find(existsSync);
    if (!binary) throw new Error('no MiniBrowser of WebKitGTK: install webkit2gtk-driver');
    const {driver, url} = await startDriver(ratio);
    const args = ['--automation', ...(webgl ? [] : ['--enable-webgl=false'])];
    const remote = await new Builder()
      .withCapabilities({browserName: 'MiniBrowser', 'webkitgtk:browserOptions': {binary, args}})
      .usingServer(url).build();
    const browser = new WebKitBrowser(remote, driver);
    await browser.resize(width, height);
    return browser;
  }

  constructor(remote, driver) {
    this.engine = 'webkit';
    this.remote = remote;
    this.driver = driver;
    // Its touch actions arrive as a mouse, it cannot drop a file, and a
    // button other than the left one is released as the left one, so that
    // it stays held; a key pressed again while held is dropped, never a
    // repeat.
    this.can = {touch: false, dropFile: false, otherButtons: false, wheel: false, repeat: false};
  }

  async version() {
    const capabilities = await this.remote.getCapabilities();
    return `WebKitGTK ${capabilities.get('browserVersion')}`;
  }

  // The driver, which started the browser and its other processes.
  pid() {
    return this.driver.pid;
  }

  // Nothing held down from the page before reaches the next one.
  // `prelude` runs as soon as the page has loaded: the driver has no way to
  // run it before the page's own scripts.
  async open(url, prelude) {
    await this.remote.actions().clear();
    await this.remote.get(url);
    await this.evaluate(watchLog);
    if (prelude) await this.evaluate(prelude);
  }

  async log() {
    return this.evaluate(() => window.marblechessLog || []);
  }

  evaluate(fn, ...args) {
    return this.remote.executeScript(`return (${fn}).apply(null, arguments)`, ...args);
  }

  async press(key, {shift = false, control = false, alt = false, meta = false} = {}) {
    const held = [...(control ? [Key.CONTROL] : []), ...(alt ? [Key.ALT] : []), ...(meta ? [Key.META] : []),
                  ...(shift ? [Key.SHIFT] : [])];
    let actions = this.remote.actions();
    // Released in the order pressed, the modifiers first, as xdotool does.
    for (const k of held) actions = actions.keyDown(k);
    actions = actions.keyDown(keys[key] ?? key);
    for (const k of held) actions = actions.keyUp(k);
    await actions.keyUp(keys[key] ?? key).perform();
  }

  // A key pressed or released alone; pressed while held, it repeats.
  async key(key, down) {
    const actions = this.remote.actions();
    await (down ? actions.keyDown(keys[key] ?? key) : actions.keyUp(keys[key] ?? key)).perform();
  }

  // A step of the wheel over the place given, in CSS pixels.
  async wheel([x, y], deltaX, deltaY) {
    await this.remote.actions().scroll(Math.round(x), Math.round(y), deltaX, deltaY).perform();
  }

  async pointer(steps) {
    let actions = this.remote.actions();
    for (const step of steps) {
      if (step.move) actions = actions.move({x: Math.round(step.move[0]), y: Math.round(step.move[1])});
      else if ('down' in step) actions = actions.press(step.down);
      else actions = actions.release(step.up);
    }
    await actions.perform();
  }

  async touch() {
    throw new Error('WebKitGTK takes no touches under automation');
  }

  async choose(selector, path) {
    await (await this.remote.findElement(By.css(selector))).sendKeys(path);
  }

  async drop(selector, path) {
    await this.evaluate(dropMade, selector, [...await readFile(path)], path.split('/').pop());
  }

  async click(selector) {
    await (await this.remote.findElement(By.css(selector))).click();
  }

  async resize(width, height) {
    await this.remote.manage().window().setRect({width, height});
  }

  async close() {
    try {
      await this.remote.quit();
    } finally {
      this.driver.kill();
    }
  }
}
