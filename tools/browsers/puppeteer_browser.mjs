// Chromium, over its DevTools protocol, and Firefox, over WebDriver BiDi,
// both through puppeteer-core. Chromium runs headless on its GPU path, as
// its users' browsers draw: WebGL through ANGLE on the system's OpenGL,
// which here is Mesa's, not on the software fallback it keeps for machines
// without a usable GPU. Firefox runs headless too, its WebGL on Mesa
// through the X display the caller provides.

import {readFile} from 'node:fs/promises';
import puppeteer from 'puppeteer-core';
import {dropMade} from './made_drop.mjs';

const chromiumArguments = [
  '--no-sandbox', '--disable-gpu-sandbox', '--use-angle=gl-egl', '--ignore-gpu-blocklist', '--enable-gpu',
  '--disable-background-networking', '--disable-component-update', '--no-first-run', '--disable-sync',
];

const buttons = {0: 'left', 1: 'middle', 2: 'right'};

export class PuppeteerBrowser {
  static async launch(engine, {ratio = 1, webgl = true, touch = false, width = 1280, height = 900,
                               preciseTimers = false, env = {}} = {}) {
    const viewport = {width, height, deviceScaleFactor: ratio, hasTouch: touch};
    // Firefox rounds performance.now() to the millisecond unless told not
    // to, which a benchmark needs.
    const prefs = {...(webgl ? {} : {'webgl.disabled': true}), ...(touch ? {'dom.w3c_touch_events.enabled': 1} : {}),
                   ...(preciseTimers ? {'privacy.reduceTimerPrecision': false} : {}),
                   // Firefox's own settings for a measurement, as JSON; none by default.
                   ...JSON.parse(process.env.MARBLECHESS_FIREFOX_PREFS || '{}')};
    const options = engine === 'firefox'
      ? {browser: 'firefox', executablePath: '/usr/bin/firefox-esr', headless: true,
         defaultViewport: viewport, extraPrefsFirefox: prefs, env: {...process.env, ...env}}
      : {executablePath: '/usr/bin/chromium', headless: true, defaultViewport: viewport,
         args: webgl ? chromiumArguments : [...chromiumArguments, '--disable-3d-apis'],
         env: {...process.env, ...env}};
    const browser = await puppeteer.launch(options);
    return new PuppeteerBrowser(engine, browser, viewport);
  }

  constructor(engine, browser, viewport) {
    this.engine = engine;
    this.browser = browser;
    this.viewport = viewport;
    this.page = null;
    this.entries = [];
    // Both take touches; the drop of a file from the desktop is Chromium's
    // alone.
    this.can = {touch: true, dropFile: engine === 'chromium', otherButtons: true, wheel: true, repeat: true,
                fingers: engine === 'chromium', ratio: engine === 'firefox'};
  }

  async version() {
    return this.browser.version();
  }

  // The browser's own process, whose children are its others.
  pid() {
    return this.browser.process().pid;
  }

  keep(level, text) {
    // Chromium reports a refused load both as a console message and in its log.
    if (!this.entries.some(e => e.text === text)) this.entries.push({level, text});
  }

  // Each page opens in a tab of its own, so that nothing held down or left
  // over from the one before reaches it. `prelude` runs before the page's
  // own scripts.
  async open(url, prelude) {
    if (this.page) await this.page.close();
    this.entries = [];
    this.page = await this.browser.newPage();
    await this.page.setViewport(this.viewport);
    this.page.on('console', message => this.keep(message.type(), message.text()));
    this.page.on('pageerror', error => this.keep('error', error.message));
    if (this.engine === 'chromium') {
      // What Chromium says of the page beyond its scripts' console calls:
      // refused loads, WebGL's warnings, interventions.
      const devtools = await this.page.createCDPSession();
      devtools.on('Log.entryAdded', ({entry}) => this.keep(entry.level, entry.text));
      await devtools.send('Log.enable');
    }
    if (prelude) await this.page.evaluateOnNewDocument(prelude);
    await this.page.goto(url);
  }

  log() {
    return this.entries.map(({level, text}) => ({level, text}));
  }

  evaluate(fn, ...args) {
    return this.page.evaluate(fn, ...args);
  }

  // Chromium's DevTools protocol on the open page, for the benchmark's
  // profiles and CPU throttling.
  devtools() {
    return this.page.createCDPSession();
  }

  // Chromium's trace of all its processes, in `categories`, while `during`
  // runs: the trace's events.
  async trace(categories, during) {
    await this.page.tracing.start({categories});
    let trace;
    try {
      await during();
    } finally {
      trace = await this.page.tracing.stop();
    }
    return JSON.parse(new TextDecoder().decode(trace)).traceEvents;
  }

  async press(key, {shift = false, control = false, alt = false, meta = false} = {}) {
    const keyboard = this.page.keyboard;
    const held = [...(control ? ['Control'] : []), ...(alt ? ['Alt'] : []), ...(meta ? ['Meta'] : []),
                  ...(shift ? ['Shift'] : [])];
    // Released in the order pressed, the modifiers first, as xdotool does.
    for (const k of held) await keyboard.down(k);
    await keyboard.down(key);
    for (const k of held) await keyboard.up(k);
    await keyboard.up(key);
  }

  // A key pressed or released alone; pressed while held, it repeats.
  async key(key, down) {
    if (down) await this.page.keyboard.down(key);
    else await this.page.keyboard.up(key);
  }

  // A step of the wheel over the place given, in CSS pixels.
  async wheel([x, y], deltaX, deltaY) {
    await this.page.mouse.move(x, y);
    await this.page.mouse.wheel({deltaX, deltaY});
  }

  async pointer(actions) {
    const mouse = this.page.mouse;
    for (const action of actions) {
      if (action.move) await mouse.move(...action.move);
      else if ('down' in action) await mouse.down({button: buttons[action.down]});
      else await mouse.up({button: buttons[action.up]});
    }
  }

  async touch(from, to) {
    const finger = this.page.touchscreen;
    await finger.touchStart(...from);
    await finger.touchMove(...to);
    await finger.touchEnd();
  }

  async choose(selector, path) {
    const input = await this.page.$(selector);
    await input.uploadFile(path);
  }

  // A finger held at one place until `released` resolves.
  async hold(at, released) {
    const finger = this.page.touchscreen;
    await finger.touchStart(...at);
    try {
      await released();
    } finally {
      await finger.touchEnd();
    }
  }

  // Two fingers: the first drags from `from` to `to`; the second touches
  // down at `second` while the first is down, and drags to `secondTo` once
  // the first has come to rest. Chromium's DevTools take touch points
  // together.
  async fingers(from, to, second, secondTo) {
    const devtools = await this.page.createCDPSession();
    const at = ([x, y], id) => ({x, y, id});
    const send = (type, touchPoints) => devtools.send('Input.dispatchTouchEvent', {type, touchPoints});
    await send('touchStart', [at(from, 0)]);
    await send('touchStart', [at(from, 0), at(second, 1)]);
    await send('touchMove', [at(to, 0), at(second, 1)]);
    await send('touchMove', [at(to, 0), at(secondTo, 1)]);
    await send('touchEnd', []);
    await devtools.detach();
  }

  // The device pixel ratio of the open page, as a zoom or another screen
  // changes it.
  async setRatio(ratio) {
    await this.page.setViewport({...this.viewport, deviceScaleFactor: ratio});
  }

  async drop(selector, path) {
    const box = await (await this.page.$(selector)).boundingBox();
    const at = {x: box.x + box.width / 2, y: box.y + Math.min(box.height / 2, 200)};
    if (this.can.dropFile) {
      const data = {items: [], files: [path], dragOperationsMask: 1};
      await this.page.mouse.dragEnter(at, data);
      await this.page.mouse.dragOver(at, data);
      await this.page.mouse.drop(at, data);
    } else {
      await this.evaluate(dropMade, selector, [...await readFile(path)], path.split('/').pop());
    }
  }

  async click(selector) {
    await this.page.click(selector);
  }

  async resize(width, height) {
    this.viewport = {...this.viewport, width, height};
    await this.page.setViewport(this.viewport);
  }

  async close() {
    await this.browser.close();
  }
}
