// GLUT's one window in the page: the canvas, its WebGL context, the
// program's callbacks and the events that reach them, as desktop GLUT
// calls them.
// - The window is the canvas's size on screen times the device pixel ratio,
//   so the drawing is sharp; the program's reshape hears of every change,
//   and a program without one has its viewport set to the window.
// - Keys reach the keyboard and special callbacks, pressed and released,
//   from wherever the focus is, but for what a page keeps: Tab, anything
//   with Ctrl, Alt or Meta, and Enter or Space on a focused control. The
//   modifier keys themselves reach the special callbacks, as on X.
// - A button pressed on the canvas is heard there, and its drag goes on
//   outside it until it ends; the wheel is buttons 3 and 4 (5 and 6
//   sideways), pressed and released; a finger is the left button.
// - Menus lie where desktop GLUT lays its own, and take the keyboard too.
// - Idle, display and timers: one animation frame calls the idle function
//   and then draws once, however many redisplays were asked for.
// - ESC's exit ends the window completely: listeners, frame request,
//   timers and WebGL context go, so that nothing of the instance stays
//   alive and nothing is called on a program that has ended.
// - When the browser takes the WebGL context away, the program goes on:
//   keys, drags, timers and the idle function still reach it, and nothing
//   is drawn until the context comes back, when the stand-in makes again
//   what it had in WebGL and the window is drawn where the program has
//   come to.
mergeInto(LibraryManager.library, {
  $GLUT__deps: ['$GL', '$callUserCallback', 'exit', 'standinContextLost', 'standinContextRestored',
                'standinDefaultReshape'],
  $GLUT: {
    displayMode: 0x0012,  // GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH until told
    initWidth: 300,       // glutInitWindowSize's, as desktop GLUT's default
    initHeight: 300,
    started: 0,           // when glutInit was called, for GLUT_ELAPSED_TIME
    display: 0,
    reshape: 0,
    keyboard: 0,
    keyboardUp: 0,
    special: 0,
    specialUp: 0,
    mouse: 0,
    wheel: 0,
    motion: 0,
    passive: 0,
    entry: 0,
    visibility: 0,
    idle: 0,
    closed: 0,         // glutCloseFunc's
    onClose: 0,        // GLUT_ACTION_ON_WINDOW_CLOSE: GLUT_ACTION_EXIT until told
    ending: false,     // whether the program is to end once its callback returns
    context: 0,
    frame: 0,          // the animation frame requested, if any
    redisplay: false,  // whether the window is to be drawn at the next frame
    timers: null,      // the timeouts set, each dropped when it runs
    listening: null,   // aborts every listener
    resizing: null,    // the canvas's ResizeObserver
    width: 0,
    height: 0,
    pointerX: 0,       // the pointer's last place in the window
    pointerY: 0,
    dragging: null,    // the pointer that drags, if one does
    buttons: 0,        // the buttons it holds, as the event's bits
    inside: false,     // whether the pointer is over the canvas
    modifiers: -1,     // glutGetModifiers's, in an input callback only
    ignoreRepeat: false,
    keyRepeat: 2,      // GLUT_KEY_REPEAT_DEFAULT
    lost: false,       // whether the browser has taken the context away
    menus: {},         // each menu by its number: {func, entries: [{label, value, submenu, width}]}
    nextMenu: 1,
    entryPixels: 25,   // an entry's height
    currentMenu: 0,    // glutSetMenu's
    attached: [0, 0, 0],  // the menu of each button, if any
    open: [],          // the menus shown, outermost first: {id, x, y, width, height, active, element}
    menuStatus: 0,     // glutMenuStatusFunc's
    menuState: 0,      // glutMenuStateFunc's
    swallowed: null,   // the keys whose press a menu took, whose release it takes too
    longPress: 0,      // a finger's timeout that opens the right button's menu
    refocus: null,     // what had the focus before the menus took it

    // A callback that fails (a trap, an abort) ends the window as exit would
    // and hands the error to the page's onFailure, or else to the browser.
    call: function(func, args) {
      if (!func) return;
      try {
        callUserCallback(function() {
          {{{ makeDynCall('viiii', 'func') }}}(args[0] | 0, args[1] | 0, args[2] | 0, args[3] | 0);
        });
      } catch (error) {
        GLUT.close();
        if (!Module['onFailure']) throw error;
        Module['onFailure'](error);
      }
    },

    // An input callback, with glutGetModifiers answering for its event. A
    // modifier key's own press does not yet hold it, and its release still
    // does, as on X.
    callInput: function(func, args, event, own, down) {
      if (!func) return;
      var bits = (event.shiftKey ? 1 : 0) | (event.ctrlKey ? 2 : 0) | (event.altKey ? 4 : 0);
      GLUT.modifiers = own ? (down ? bits & ~own : bits | own) : bits;
      GLUT.call(func, args);
      GLUT.modifiers = -1;
    },

    // The character a key typed, as the keyboard callback takes it, or null
    // for a key that types none.
    characterOf: function(key) {
      if (key.length === 1) {
        var code = key.charCodeAt(0);
        return code < 256 ? code : null;
      }
      var named = {Enter: 13, Escape: 27, Backspace: 8, Delete: 127};
      return key in named ? named[key] : null;
    },

    // The special key's number, or null for a key that is not one.
    specialOf: function(event) {
      var match = /^F([1-9]|1[0-2])$/.exec(event.key);
      if (match) return Number(match[1]);
      var named = {ArrowLeft: 100, ArrowUp: 101, ArrowRight: 102, ArrowDown: 103, PageUp: 104,
                   PageDown: 105, Home: 106, End: 107, Insert: 108, NumLock: 109, Clear: 110};
      if (event.key in named) return named[event.key];
      var sides = {Shift: 112, Control: 114, Alt: 116, Meta: 118};
      if (event.key in sides) return sides[event.key] + (event.location === 2 ? 1 : 0);
      return null;
    },

    // A modifier key's own bit.
    ownBit: function(event) {
      return {Shift: 1, Control: 2, Alt: 4}[event.key] || 0;
    },

    // A key the program hears is the page's no longer; a special key only
    // where the program listens for special keys. A key held down repeats
    // as X repeats it: released, then pressed again.
    onKey: function(event, down) {
      if (event.defaultPrevented || event.isComposing) return;
      var special = GLUT.specialOf(event);
      var own = GLUT.ownBit(event);
      if ((event.ctrlKey || event.altKey || event.metaKey) && !own && event.key !== 'Meta') return;
      var code = special === null ? GLUT.characterOf(event.key) : null;
      if (special === null && code === null) return;
      var control = event.target && event.target.closest &&
          event.target.closest('button, input, select, textarea, summary, a[href], [contenteditable]');
      if (control && (code === 13 || code === 32)) return;
      var heard = special === null || GLUT.special || GLUT.specialUp;
      if (heard && !own) event.preventDefault();
      if (down && event.repeat) {
        if (GLUT.ignoreRepeat || GLUT.keyRepeat === 0) return;
        GLUT.hear(event, false, special, code, own);
      }
      GLUT.hear(event, down, special, code, own);
    },

    hear: function(event, down, special, code, own) {
      var func = special === null ? (down ? GLUT.keyboard : GLUT.keyboardUp)
                                  : (down ? GLUT.special : GLUT.specialUp);
      GLUT.callInput(func, [special === null ? code : special, GLUT.pointerX, GLUT.pointerY], event,
                     own, down);
    },

    onKeydown: function(event) { GLUT.onKey(event, true); },
    onKeyup: function(event) { GLUT.onKey(event, false); },

    // The window's pixel under a pointer event, wherever it is; whether it
    // moved.
    place: function(event) {
      var canvas = Module['canvas'];
      var rect = canvas.getBoundingClientRect();
      var x = Math.floor((event.clientX - rect.left) * canvas.width / rect.width);
      var y = Math.floor((event.clientY - rect.top) * canvas.height / rect.height);
      var moved = x !== GLUT.pointerX || y !== GLUT.pointerY;
      GLUT.pointerX = x;
      GLUT.pointerY = y;
      return moved;
    },

    // GLUT's number of the event's button: left, middle, right.
    buttonOf: function(event) {
      return event.pointerType === 'touch' ? 0 : [0, 1, 2][event.button];
    },

    press: function(event, down) {
      var button = GLUT.buttonOf(event);
      if (button === undefined) return;
      GLUT.callInput(GLUT.mouse, [button, down ? 0 : 1, GLUT.pointerX, GLUT.pointerY], event);
    },

    onPointerdown: function(event) {
      if (GLUT.dragging !== null) return;
      var button = GLUT.buttonOf(event);
      if (GLUT.attached[button]) {
        GLUT.place(event);
        GLUT.showMenu(GLUT.attached[button], GLUT.pointerX, GLUT.pointerY, false);
        return;
      }
      GLUT.dragging = event.pointerId;
      GLUT.buttons = event.buttons;
      Module['canvas'].setPointerCapture(event.pointerId);
      GLUT.place(event);
      GLUT.press(event, true);
      GLUT.startLongPress(event);
    },

    onPointermove: function(event) {
      if (GLUT.dragging === null) {
        if (GLUT.place(event)) GLUT.call(GLUT.passive, [GLUT.pointerX, GLUT.pointerY]);
        return;
      }
      if (event.pointerId !== GLUT.dragging) return;
      var moved = GLUT.place(event);
      // Another button pressed or released while one is held.
      if (event.button >= 0 && event.buttons !== GLUT.buttons) {
        GLUT.press(event, (event.buttons & ~GLUT.buttons) !== 0);
        GLUT.buttons = event.buttons;
      }
      if (moved) GLUT.call(GLUT.motion, [GLUT.pointerX, GLUT.pointerY]);
    },

    onPointerup: function(event) {
      if (event.pointerId !== GLUT.dragging) return;
      GLUT.dragging = null;
      GLUT.buttons = 0;
      GLUT.place(event);
      if (event.type === 'pointerup') GLUT.press(event, false);
    },

    // Each step of the wheel is a button pressed and released, or a step
    // up or down of the wheel callback's, where there is one.
    onWheel: function(event) {
      event.preventDefault();
      var button = event.deltaY < 0 ? 3 : event.deltaY > 0 ? 4 : event.deltaX < 0 ? 5 :
                   event.deltaX > 0 ? 6 : null;
      if (button === null) return;
      GLUT.place(event);
      if (GLUT.wheel && button < 5) {
        GLUT.callInput(GLUT.wheel, [0, button === 3 ? 1 : -1, GLUT.pointerX, GLUT.pointerY], event);
        return;
      }
      GLUT.callInput(GLUT.mouse, [button, 0, GLUT.pointerX, GLUT.pointerY], event);
      GLUT.callInput(GLUT.mouse, [button, 1, GLUT.pointerX, GLUT.pointerY], event);
    },

    // Whether a pointer event is over the canvas.
    over: function(event) {
      var rect = Module['canvas'].getBoundingClientRect();
      return event.clientX >= rect.left && event.clientX < rect.right &&
             event.clientY >= rect.top && event.clientY < rect.bottom;
    },

    // Heard once for each time the pointer crosses the canvas's edge: a
    // leave where the pointer still is over the canvas (WebKit's, as a
    // capture ends) is none.
    onEntry: function(event) {
      if (GLUT.dragging !== null) return;
      var inside = event.type === 'pointerenter' || GLUT.over(event);
      if (inside === GLUT.inside) return;
      GLUT.inside = inside;
      GLUT.call(GLUT.entry, [inside ? 1 : 0]);
    },

    // Menus, laid out as desktop GLUT lays them out, in window pixels: at
    // the pointer, a border of 2, each entry its font's height and 2 more,
    // as wide as the widest label and 8 more; a submenu beside its entry.
    // The same pointer picks the same entry on the desktop and in the page.
    // The keyboard works them too: the context menu key (or Shift+F10)
    // opens the right button's menu, or another button's, the arrows move
    // and open, Enter chooses and Escape closes.
    entryHeight: function() { return GLUT.entryPixels; },

    menuSize: function(menu) {
      var width = 0;
      menu.entries.forEach(function(entry) { width = Math.max(width, entry.width); });
      return [width + 8, menu.entries.length * GLUT.entryHeight() + 4];
    },

    menuElement: function(shown) {
      var canvas = Module['canvas'];
      var rect = canvas.getBoundingClientRect();
      var scale = rect.width / canvas.width;
      var element = document.createElement('div');
      element.setAttribute('role', 'menu');
      element.tabIndex = -1;
      var style = element.style;
      style.position = 'fixed';
      style.zIndex = '10';
      style.boxSizing = 'border-box';
      style.left = (rect.left + shown.x * scale) + 'px';
      style.top = (rect.top + shown.y * scale) + 'px';
      style.width = (shown.width * scale) + 'px';
      style.height = (shown.height * scale) + 'px';
      style.padding = (2 * scale) + 'px';
      style.background = '#e8e8e8';
      style.border = '1px solid #555';
      style.font = Math.round(15 * scale) + 'px sans-serif';
      style.color = '#111';
      style.userSelect = 'none';
      GLUT.menus[shown.id].entries.forEach(function(entry, index) {
        var item = document.createElement('div');
        item.setAttribute('role', 'menuitem');
        if (entry.submenu) item.setAttribute('aria-haspopup', 'menu');
        item.textContent = entry.label + (entry.submenu ? ' \u25b8' : '');
        item.style.height = item.style.lineHeight = (GLUT.entryHeight() * scale) + 'px';
        item.style.paddingLeft = (2 * scale) + 'px';
        item.style.whiteSpace = 'nowrap';
        item.style.overflow = 'hidden';
        element.appendChild(item);
      });
      return element;
    },

    highlight: function(shown, index) {
      shown.active = index;
      Array.prototype.forEach.call(shown.element.children, function(item, i) {
        item.style.background = i === index ? '#2a5bb8' : '';
        item.style.color = i === index ? '#fff' : '';
      });
    },

    // Shows menu `id` with its corner at (x, y), kept within the page as
    // desktop GLUT keeps it within the screen.
    showMenu: function(id, x, y, fromKeyboard) {
      var canvas = Module['canvas'];
      var rect = canvas.getBoundingClientRect();
      var scale = rect.width / canvas.width;
      var size = GLUT.menuSize(GLUT.menus[id]);
      var right = (window.innerWidth - rect.left) / scale, bottom = (window.innerHeight - rect.top) / scale;
      if (x + size[0] > right) x -= size[0];
      if (y + size[1] > bottom) y = Math.max(0, y - size[1]);
      var shown = {id: id, x: x, y: y, width: size[0], height: size[1], active: -1, element: null};
      shown.element = GLUT.menuElement(shown);
      document.body.appendChild(shown.element);
      var first = GLUT.open.length === 0;
      GLUT.open.push(shown);
      if (fromKeyboard) GLUT.highlight(shown, 0);
      if (first) {
        GLUT.refocus = document.activeElement;
        shown.element.focus({preventScroll: true});
        GLUT.call(GLUT.menuStatus, [1, GLUT.pointerX, GLUT.pointerY]);
        GLUT.call(GLUT.menuState, [1]);
      }
    },

    // Closes the menus shown deeper than `depth` (all, for 0).
    closeMenus: function(depth) {
      while (GLUT.open.length > depth) GLUT.open.pop().element.remove();
      if (depth > 0) return;
      if (GLUT.refocus && GLUT.refocus.isConnected) GLUT.refocus.focus({preventScroll: true});
      GLUT.refocus = null;
      GLUT.call(GLUT.menuStatus, [0, GLUT.pointerX, GLUT.pointerY]);
      GLUT.call(GLUT.menuState, [0]);
    },

    // The deepest menu shown under the window's pixel, and the entry
    // there; null where none is.
    menuAt: function(x, y) {
      for (var depth = GLUT.open.length - 1; depth >= 0; --depth) {
        var shown = GLUT.open[depth];
        var inX = x - shown.x, inY = y - shown.y;
        if (inX >= 2 && inX < shown.width - 2 && inY >= 2 && inY < shown.height - 2) {
          return {depth: depth, index: Math.floor((inY - 2) / GLUT.entryHeight())};
        }
      }
      return null;
    },

    // Highlights the entry at `at`, opening its submenu beside it.
    hover: function(at) {
      var shown = GLUT.open[at.depth];
      var deeper = GLUT.open[at.depth + 1];
      var entry = GLUT.menus[shown.id].entries[at.index];
      if (at.index === shown.active && deeper) return;
      GLUT.closeMenus(at.depth + 1);
      GLUT.highlight(shown, at.index);
      if (entry.submenu && GLUT.menus[entry.submenu]) {
        GLUT.showMenu(entry.submenu, shown.x + shown.width, shown.y + at.index * GLUT.entryHeight(), false);
      }
    },

    // Chooses the entry, unless it opens a submenu: the menus close, then
    // the menu's callback hears the entry's value with its menu current.
    choose: function(depth, index) {
      var shown = GLUT.open[depth];
      var menu = GLUT.menus[shown.id];
      var entry = menu.entries[index];
      if (!entry || entry.submenu) return;
      GLUT.closeMenus(0);
      var before = GLUT.currentMenu;
      GLUT.currentMenu = shown.id;
      GLUT.call(menu.func, [entry.value]);
      GLUT.currentMenu = before;
    },

    // While menus are shown, every button is theirs: a press or a release
    // on an entry chooses it; a press elsewhere closes them, and may open
    // its own button's menu there.
    onMenuPointer: function(event) {
      if (!GLUT.open.length) return;
      event.stopPropagation();
      event.preventDefault();
      GLUT.place(event);
      var at = GLUT.menuAt(GLUT.pointerX, GLUT.pointerY);
      if (event.type === 'pointermove') {
        if (at) GLUT.hover(at);
        return;
      }
      if (at) {
        GLUT.hover(at);
        GLUT.choose(at.depth, at.index);
        return;
      }
      if (event.type !== 'pointerdown') return;
      GLUT.closeMenus(0);
      var button = GLUT.buttonOf(event);
      if (GLUT.over(event) && GLUT.attached[button]) GLUT.showMenu(GLUT.attached[button], GLUT.pointerX, GLUT.pointerY, false);
    },

    // The menu key opens the right button's menu, or the first there is.
    menuKey: function(event) {
      return event.key === 'ContextMenu' || (event.key === 'F10' && event.shiftKey);
    },

    onMenuKey: function(event) {
      if (GLUT.swallowed && GLUT.swallowed.has(event.key) && event.type === 'keyup') {
        GLUT.swallowed.delete(event.key);
        event.stopPropagation();
        return;
      }
      if (event.type !== 'keydown') return;
      if (!GLUT.open.length) {
        var id = GLUT.attached[2] || GLUT.attached[0] || GLUT.attached[1];
        if (!id || !GLUT.menuKey(event)) return;
        GLUT.showMenu(id, GLUT.pointerX, GLUT.pointerY, true);
      } else {
        GLUT.menuStep(event.key);
      }
      event.stopPropagation();
      event.preventDefault();
      if (!GLUT.swallowed) GLUT.swallowed = new Set();
      GLUT.swallowed.add(event.key);
    },

    menuStep: function(key) {
      var depth = GLUT.open.length - 1;
      var shown = GLUT.open[depth];
      var count = GLUT.menus[shown.id].entries.length;
      var entry = GLUT.menus[shown.id].entries[shown.active];
      if (key === 'ArrowDown' || key === 'ArrowUp') {
        var step = key === 'ArrowDown' ? 1 : count - 1;
        GLUT.highlight(shown, shown.active < 0 ? 0 : (shown.active + step) % count);
      } else if ((key === 'ArrowRight' || key === 'Enter' || key === ' ') && entry && entry.submenu) {
        GLUT.showMenu(entry.submenu, shown.x + shown.width, shown.y + shown.active * GLUT.entryHeight(), true);
      } else if (key === 'Enter' || key === ' ') {
        if (entry) GLUT.choose(depth, shown.active);
      } else if (key === 'ArrowLeft' && depth > 0) {
        GLUT.closeMenus(depth);
      } else if (key === 'Escape' || key === 'Tab') {
        GLUT.closeMenus(0);
      }
    },

    // A finger held still opens the right button's menu where it is.
    startLongPress: function(event) {
      clearTimeout(GLUT.longPress);
      if (event.pointerType !== 'touch' || !GLUT.attached[2]) return;
      var x = GLUT.pointerX, y = GLUT.pointerY;
      GLUT.longPress = setTimeout(function() {
        if (GLUT.dragging === null || GLUT.pointerX !== x || GLUT.pointerY !== y) return;
        GLUT.dragging = null;
        GLUT.call(GLUT.mouse, [0, 1, x, y]);
        GLUT.showMenu(GLUT.attached[2], x, y, false);
      }, 500);
    },

    // Sizes the window to the canvas on screen in device pixels. A new size
    // clears the canvas, and a resize is heard after this frame's animation
    // callbacks, so `now` draws the scene again at once: the browser never
    // shows the cleared canvas. The first size waits for a frame, as every
    // other redisplay does.
    fit: function(always, now) {
      var canvas = Module['canvas'];
      var rect = canvas.getBoundingClientRect();
      var ratio = window.devicePixelRatio || 1;
      var width = Math.max(1, Math.round(rect.width * ratio));
      var height = Math.max(1, Math.round(rect.height * ratio));
      if (!always && width === GLUT.width && height === GLUT.height) return;
      canvas.width = GLUT.width = width;
      canvas.height = GLUT.height = height;
      _standinCanvasSized();
      if (GLUT.reshape) GLUT.call(GLUT.reshape, [width, height]);
      else if (!GLUT.lost) _standinDefaultReshape(width, height);
      if (now) GLUT.draw();
      else GLUT.post();
    },

    // A change of the device pixel ratio (a zoom, another screen) is heard
    // once per ratio.
    watchRatio: function() {
      var query = window.matchMedia('(resolution: ' + (window.devicePixelRatio || 1) + 'dppx)');
      query.addEventListener('change', function() {
        GLUT.fit(false, true);
        GLUT.watchRatio();
      }, {once: true, signal: GLUT.listening.signal});
    },

    // Asks for the next animation frame where there is anything to do in
    // it: the idle function to call, or the window to draw.
    schedule: function() {
      if (GLUT.frame || !GLUT.context) return;
      if (!GLUT.idle && !(GLUT.redisplay && !GLUT.lost)) return;
      GLUT.frame = requestAnimationFrame(GLUT.tick);
    },

    tick: function() {
      GLUT.frame = 0;
      if (GLUT.idle) GLUT.call(GLUT.idle, []);
      if (GLUT.redisplay && !GLUT.lost && GLUT.context) {
        GLUT.redisplay = false;
        GLUT.call(GLUT.display, []);
      }
      GLUT.schedule();
    },

    post: function() {
      GLUT.redisplay = true;
      GLUT.schedule();
    },

    // Draws the window now, in place of a frame requested, unless the
    // context is lost.
    draw: function() {
      if (GLUT.frame) cancelAnimationFrame(GLUT.frame);
      GLUT.frame = 0;
      GLUT.redisplay = GLUT.lost;
      if (!GLUT.lost) GLUT.call(GLUT.display, []);
      GLUT.schedule();
    },

    // Cancelling the loss is what lets the browser give the context back.
    onContextLost: function(event) {
      event.preventDefault();
      GLUT.lost = true;
      _standinContextLost();
      if (Module['onContextLost']) Module['onContextLost']();
    },

    // The extensions the stand-in draws with, 32-bit indices and the
    // derivatives that give a texture's level of detail; asked for alone,
    // since Chromium takes a quarter of a second to enable them all. A
    // restored context has lost them and is asked again.
    enableExtensions: function() {
      var context = GL.getContext(GLUT.context).GLctx;
      context.getExtension('OES_element_index_uint');
      context.getExtension('OES_standard_derivatives');
    },

    onContextRestored: function() {
      GLUT.lost = false;
      GLUT.enableExtensions();
      _standinContextRestored();
      if (Module['onContextRestored']) Module['onContextRestored']();
      if (!GLUT.reshape) _standinDefaultReshape(GLUT.width, GLUT.height);
      GLUT.draw();
    },

    listen: function() {
      var canvas = Module['canvas'];
      GLUT.listening = new AbortController();
      var options = {signal: GLUT.listening.signal};
      var capture = {signal: GLUT.listening.signal, capture: true};
      document.addEventListener('keydown', GLUT.onMenuKey, capture);
      document.addEventListener('keyup', GLUT.onMenuKey, capture);
      ['pointerdown', 'pointerup', 'pointermove'].forEach(function(type) {
        document.addEventListener(type, GLUT.onMenuPointer, capture);
      });
      document.addEventListener('keydown', GLUT.onKeydown, options);
      document.addEventListener('keyup', GLUT.onKeyup, options);
      canvas.addEventListener('pointerdown', GLUT.onPointerdown, options);
      canvas.addEventListener('pointermove', GLUT.onPointermove, options);
      canvas.addEventListener('pointerup', GLUT.onPointerup, options);
      canvas.addEventListener('pointercancel', GLUT.onPointerup, options);
      canvas.addEventListener('lostpointercapture', GLUT.onPointerup, options);
      canvas.addEventListener('pointerenter', GLUT.onEntry, options);
      canvas.addEventListener('pointerleave', GLUT.onEntry, options);
      canvas.addEventListener('wheel', GLUT.onWheel, {signal: GLUT.listening.signal, passive: false});
      // The buttons are the program's, so none opens a menu over the canvas.
      canvas.addEventListener('contextmenu', function(event) { event.preventDefault(); }, options);
      canvas.addEventListener('webglcontextlost', GLUT.onContextLost, options);
      canvas.addEventListener('webglcontextrestored', GLUT.onContextRestored, options);
      GLUT.resizing = new ResizeObserver(function() { GLUT.fit(false, true); });
      GLUT.resizing.observe(canvas);
      GLUT.watchRatio();
    },

    close: function() {
      if (GLUT.listening) GLUT.listening.abort();
      if (GLUT.resizing) GLUT.resizing.disconnect();
      if (GLUT.frame) cancelAnimationFrame(GLUT.frame);
      if (GLUT.timers) GLUT.timers.forEach(clearTimeout);
      GLUT.listening = GLUT.resizing = GLUT.timers = null;
      GLUT.frame = 0;
      GLUT.redisplay = false;
      GLUT.display = GLUT.reshape = GLUT.keyboard = GLUT.keyboardUp = GLUT.special = 0;
      GLUT.specialUp = GLUT.mouse = GLUT.motion = GLUT.passive = GLUT.entry = 0;
      GLUT.visibility = GLUT.idle = GLUT.menuStatus = GLUT.menuState = GLUT.wheel = GLUT.closed = 0;
      clearTimeout(GLUT.longPress);
      while (GLUT.open.length) GLUT.open.pop().element.remove();
      GLUT.menus = {};
      GLUT.attached = [0, 0, 0];
      if (GLUT.context) {
        var context = GL.getContext(GLUT.context).GLctx;
        var lose = !GLUT.lost && context.getExtension('WEBGL_lose_context');
        GL.deleteContext(GLUT.context);
        GLUT.context = 0;
        if (lose) lose.loseContext();
      }
    },

    // Desktop GLUT leaves its loop once the callback that asked has
    // returned: the window is closed, the close callback told, and the
    // program ends. Its loop cannot return into main in a page, so a
    // program that asked for that hears so and ends there.
    end: function() {
      if (GLUT.ending || !GLUT.context) return;
      GLUT.ending = true;
      setTimeout(function() {
        GLUT.ending = false;
        if (!GLUT.context) return;
        if (GLUT.onClose) err('glutMainLoop cannot return in a page: the program ends where it left the loop');
        callUserCallback(function() { _exit(0); });
      });
    },

    // glutGet's answers a page can give; undefined for one it cannot.
    state: function(what) {
      var mode = GLUT.displayMode;
      var bits = function(flag, size) { return (mode & flag) ? size : 0; };
      switch (what) {
        case 100: case 101: return 0;  // the window's place: the page's
        case 102: return GLUT.width;
        case 103: return GLUT.height;
        case 104: return 24 + bits(0x0008, 8);
        case 105: return bits(0x0020, 8);
        case 106: return bits(0x0010, 24);
        case 107: case 108: case 109: return 8;
        case 110: return bits(0x0008, 8);
        case 111: case 112: case 113: case 114: return 0;  // no accumulation buffer
        case 115: return bits(0x0002, 1);
        case 116: return 1;
        case 117: case 118: case 119: case 120: case 121: return 0;
        case 200: return Math.round(screen.width * (window.devicePixelRatio || 1));
        case 201: return Math.round(screen.height * (window.devicePixelRatio || 1));
        case 300: return GLUT.menus[GLUT.currentMenu] ? GLUT.menus[GLUT.currentMenu].entries.length : 0;
        case 400: return 1;
        case 500: case 501: return -1;
        case 502: return GLUT.initWidth;
        case 503: return GLUT.initHeight;
        case 504: return mode;
        case 700: return Math.floor(performance.now() - GLUT.started);
        case 0x007C: return GLUT.started ? 1 : 0;  // GLUT_INIT_STATE
        case 0x01FA: case 0x01FB: return 0;        // border and header
        case 0x01FC: return 30400;                 // GLUT_VERSION
        case 0x01F9: return GLUT.onClose;
        case 0x01FF: return document.fullscreenElement === Module['canvas'] ? 1 : 0;
      }
      return undefined;
    },

    deviceState: function(what) {
      switch (what) {
        case 600: case 601: return 1;  // a keyboard and a mouse
        case 605: return 3;
        case 610: return GLUT.ignoreRepeat ? 1 : 0;
        case 611: return GLUT.keyRepeat;
        case 602: case 603: case 604: case 606: case 607: case 608: case 609:
        case 612: case 613: case 614: case 615: case 616: return 0;
      }
      return undefined;
    },

    warn: function(text) {
      err('freeglut warning: ' + text);
    }
  },

  glutInit__deps: ['$GLUT'],
  glutInit: function(argcp, argv) {
    GLUT.started = performance.now();
  },

  glutInitDisplayMode__deps: ['$GLUT'],
  glutInitDisplayMode: function(mode) {
    GLUT.displayMode = mode;
  },

  // The page decides the window's place, and its size where it has one of
  // its own to give: a page made for a program of its own asks.
  glutInitWindowSize__deps: ['$GLUT'],
  glutInitWindowSize: function(width, height) {
    GLUT.initWidth = width;
    GLUT.initHeight = height;
  },
  glutInitWindowPosition: function(x, y) {},

  glutCreateWindow__deps: ['$GLUT', '$GL'],
  glutCreateWindow: function(title) {
    document.title = UTF8ToString(title);
    if (Module['windowSize']) Module['windowSize'](GLUT.initWidth, GLUT.initHeight);
    var mode = GLUT.displayMode;
    GLUT.context = GL.createContext(Module['canvas'], {
      majorVersion: 1, minorVersion: 0, antialias: false,
      depth: (mode & 0x0010 /* GLUT_DEPTH */) != 0,
      stencil: (mode & 0x0020 /* GLUT_STENCIL */) != 0,
      alpha: (mode & 0x0008 /* GLUT_ALPHA */) != 0,
      // Kept after each frame, so that the page's frames can be read back.
      preserveDrawingBuffer: true,
      enableExtensionsByDefault: false
    });
    // Desktop GLUT ends the program when it cannot make the window; the
    // page hears of it as of any start that fails.
    if (!GLUT.context) throw new Error('the browser gave no WebGL context to draw with');
    GL.makeContextCurrent(GLUT.context);
    GLUT.enableExtensions();
    GLUT.timers = new Set();
    GLUT.listen();
    return 1;
  },

  glutSetWindowTitle: function(title) {
    document.title = UTF8ToString(title);
  },
  glutSetIconTitle: function(title) {},
  glutGetWindow__deps: ['$GLUT'],
  glutGetWindow: function() { return GLUT.context ? 1 : 0; },
  glutSetWindow: function(window) {},
  glutPositionWindow: function(x, y) {},
  glutShowWindow: function() {},
  glutHideWindow: function() {},
  glutIconifyWindow: function() {},
  glutPopWindow: function() {},
  glutPushWindow: function() {},
  glutSetCursor: function(cursor) {},

  // The canvas takes the size asked in CSS pixels, where the page lets it.
  glutReshapeWindow__deps: ['$GLUT'],
  glutReshapeWindow: function(width, height) {
    if (Module['windowSize']) Module['windowSize'](width, height);
  },

  // The browser grants full screen only to a page the user has just
  // pressed or clicked; refused, the window stays as it is, as desktop
  // GLUT's does where the window manager refuses.
  glutFullScreen: function() {
    var canvas = Module['canvas'];
    if (document.fullscreenElement !== canvas && canvas.requestFullscreen) {
      canvas.requestFullscreen().catch(function() {});
    }
  },
  glutLeaveFullScreen: function() {
    if (document.fullscreenElement === Module['canvas']) document.exitFullscreen().catch(function() {});
  },
  glutFullScreenToggle__deps: ['glutFullScreen', 'glutLeaveFullScreen'],
  glutFullScreenToggle: function() {
    if (document.fullscreenElement === Module['canvas']) _glutLeaveFullScreen();
    else _glutFullScreen();
  },

  // The one window gone, the program ends as desktop GLUT ends it.
  glutDestroyWindow__deps: ['$GLUT'],
  glutDestroyWindow: function(window) { GLUT.end(); },
  glutCloseFunc__deps: ['$GLUT'],
  glutCloseFunc: function(func) { GLUT.closed = func; },
  glutWMCloseFunc__deps: ['$GLUT'],
  glutWMCloseFunc: function(func) { GLUT.closed = func; },

  glutSetOption__deps: ['$GLUT'],
  glutSetOption: function(what, value) {
    if (what === 0x01F9 /* GLUT_ACTION_ON_WINDOW_CLOSE */) GLUT.onClose = value;
    else if (what === 502) GLUT.initWidth = value;
    else if (what === 503) GLUT.initHeight = value;
    else if (what === 504) GLUT.displayMode = value;
    else GLUT.warn('glutSetOption(): missing enum handle ' + what);
  },

  glutDisplayFunc__deps: ['$GLUT'],
  glutDisplayFunc: function(func) { GLUT.display = func; },
  glutReshapeFunc__deps: ['$GLUT'],
  glutReshapeFunc: function(func) { GLUT.reshape = func; },
  glutKeyboardFunc__deps: ['$GLUT'],
  glutKeyboardFunc: function(func) { GLUT.keyboard = func; },
  glutKeyboardUpFunc__deps: ['$GLUT'],
  glutKeyboardUpFunc: function(func) { GLUT.keyboardUp = func; },
  glutSpecialFunc__deps: ['$GLUT'],
  glutSpecialFunc: function(func) { GLUT.special = func; },
  glutSpecialUpFunc__deps: ['$GLUT'],
  glutSpecialUpFunc: function(func) { GLUT.specialUp = func; },
  glutMouseFunc__deps: ['$GLUT'],
  glutMouseFunc: function(func) { GLUT.mouse = func; },
  glutMouseWheelFunc__deps: ['$GLUT'],
  glutMouseWheelFunc: function(func) { GLUT.wheel = func; },
  glutMotionFunc__deps: ['$GLUT'],
  glutMotionFunc: function(func) { GLUT.motion = func; },
  glutPassiveMotionFunc__deps: ['$GLUT'],
  glutPassiveMotionFunc: function(func) { GLUT.passive = func; },
  glutEntryFunc__deps: ['$GLUT'],
  glutEntryFunc: function(func) { GLUT.entry = func; },
  glutVisibilityFunc__deps: ['$GLUT'],
  glutVisibilityFunc: function(func) { GLUT.visibility = func; },

  glutIdleFunc__deps: ['$GLUT'],
  glutIdleFunc: function(func) {
    GLUT.idle = func;
    GLUT.schedule();
  },

  // Each timer is called once, after at least its time; none is called on
  // a program that has ended.
  glutTimerFunc__deps: ['$GLUT'],
  glutTimerFunc: function(time, func, value) {
    if (!GLUT.timers) return;
    var timer = setTimeout(function() {
      GLUT.timers.delete(timer);
      GLUT.call(func, [value]);
    }, time >>> 0);
    GLUT.timers.add(timer);
  },

  // Menus, numbered from 1 as desktop GLUT numbers them; glut/menu_text.cpp
  // makes them and their entries with their sizes.
  standinCreateMenu__deps: ['$GLUT'],
  standinCreateMenu: function(func, entryHeight) {
    var id = GLUT.nextMenu++;
    GLUT.menus[id] = {func: func, entries: []};
    GLUT.entryPixels = entryHeight;
    GLUT.currentMenu = id;
    return id;
  },

  glutDestroyMenu__deps: ['$GLUT'],
  glutDestroyMenu: function(id) {
    if (GLUT.open.some(function(shown) { return shown.id === id; })) GLUT.closeMenus(0);
    delete GLUT.menus[id];
    GLUT.attached = GLUT.attached.map(function(menu) { return menu === id ? 0 : menu; });
    if (GLUT.currentMenu === id) GLUT.currentMenu = 0;
  },

  glutGetMenu__deps: ['$GLUT'],
  glutGetMenu: function() { return GLUT.currentMenu; },
  glutSetMenu__deps: ['$GLUT'],
  glutSetMenu: function(id) {
    if (GLUT.menus[id]) GLUT.currentMenu = id;
    else GLUT.warn('glutSetMenu(): menu ' + id + ' does not exist');
  },

  // An entry of the current menu, 1 for its first, or null with GLUT's
  // warning.
  $menuEntry__deps: ['$GLUT'],
  $menuEntry: function(item, call) {
    var menu = GLUT.menus[GLUT.currentMenu];
    if (menu && item >= 1 && item <= menu.entries.length) return menu;
    GLUT.warn(call + '(): no menu entry ' + item);
    return null;
  },

  // Item 0 is a new entry at the end of the current menu; a submenu that
  // does not exist is none.
  standinSetMenuEntry__deps: ['$GLUT', '$menuEntry'],
  standinSetMenuEntry: function(item, label, value, submenu, width) {
    var menu = item === 0 ? GLUT.menus[GLUT.currentMenu] : menuEntry(item, 'glutChangeToMenuEntry');
    if (!menu || (submenu && !GLUT.menus[submenu])) return;
    var entry = {label: UTF8ToString(label), value: value, submenu: submenu, width: width};
    if (item === 0) menu.entries.push(entry);
    else menu.entries[item - 1] = entry;
  },

  glutRemoveMenuItem__deps: ['$menuEntry'],
  glutRemoveMenuItem: function(item) {
    var menu = menuEntry(item, 'glutRemoveMenuItem');
    if (menu) menu.entries.splice(item - 1, 1);
  },

  glutAttachMenu__deps: ['$GLUT'],
  glutAttachMenu: function(button) {
    if (button >= 0 && button < 3 && GLUT.menus[GLUT.currentMenu]) GLUT.attached[button] = GLUT.currentMenu;
  },

  glutDetachMenu__deps: ['$GLUT'],
  glutDetachMenu: function(button) {
    if (button >= 0 && button < 3) GLUT.attached[button] = 0;
  },

  glutMenuStatusFunc__deps: ['$GLUT'],
  glutMenuStatusFunc: function(func) { GLUT.menuStatus = func; },
  glutMenuStateFunc__deps: ['$GLUT'],
  glutMenuStateFunc: function(func) { GLUT.menuState = func; },

  glutIgnoreKeyRepeat__deps: ['$GLUT'],
  glutIgnoreKeyRepeat: function(ignore) { GLUT.ignoreRepeat = ignore != 0; },
  glutSetKeyRepeat__deps: ['$GLUT'],
  glutSetKeyRepeat: function(mode) { GLUT.keyRepeat = mode; },

  glutGetModifiers__deps: ['$GLUT'],
  glutGetModifiers: function() {
    if (GLUT.modifiers >= 0) return GLUT.modifiers;
    GLUT.warn('glutGetModifiers() called outside an input callback');
    return 0;
  },

  glutGet__deps: ['$GLUT'],
  glutGet: function(what) {
    var value = GLUT.state(what);
    if (value !== undefined) return value;
    GLUT.warn('glutGet(): missing enum handle ' + what);
    return -1;
  },

  glutDeviceGet__deps: ['$GLUT'],
  glutDeviceGet: function(what) {
    var value = GLUT.deviceState(what);
    if (value !== undefined) return value;
    GLUT.warn('glutDeviceGet(): missing enum handle ' + what);
    return -1;
  },

  glutPostRedisplay__deps: ['$GLUT'],
  glutPostRedisplay: function() {
    if (GLUT.context) GLUT.post();
  },
  glutPostWindowRedisplay__deps: ['glutPostRedisplay'],
  glutPostWindowRedisplay: function(window) { _glutPostRedisplay(); },

  // The program lives on in its callbacks until it calls exit. The window
  // is shown: sized, told it is visible, then drawn.
  glutMainLoop__deps: ['$GLUT', '$runtimeKeepalivePush'],
  glutMainLoop: function() {
    runtimeKeepalivePush();
    GLUT.fit(true);
    GLUT.call(GLUT.visibility, [1]);
    throw 'unwind';
  },

  glutLeaveMainLoop__deps: ['$GLUT'],
  glutLeaveMainLoop: function() { GLUT.end(); },

  // The window closes as the program exits, and its close callback hears
  // of it, as desktop GLUT's does at exit.
  exit__deps: ['$GLUT'],
  exit: function(status) {
    var closed = GLUT.closed;
    GLUT.closed = 0;
    if (GLUT.context) GLUT.call(closed, []);
    GLUT.close();
    runtimeKeepaliveCounter = 0;
    exit(status);
  }
});
