// GLUT's one window in the page: the canvas, its WebGL context, the
// program's callbacks and the events that reach them, as a desktop window
// gets them.
// - The window is the canvas's size on screen times the device pixel ratio,
//   so the drawing is sharp; the program's reshape hears of every change.
// - Keys reach the keyboard callback as the characters typed, from
//   wherever the focus is, but for what a page keeps: Tab, anything with
//   Ctrl, Alt or Meta, and Enter or Space on a focused control.
// - A drag moves the light only when it began on the canvas, with any
//   button or a finger, and goes on outside it until it ends.
// - ESC's exit ends the window completely: listeners, frame request and
//   WebGL context go, so that nothing of the instance stays alive.
// - When the browser takes the WebGL context away, the program goes on:
//   keys and drags still reach it, and nothing is drawn until the context
//   comes back, when the stand-in makes again what it had in WebGL and the
//   window is drawn where the program has come to.
mergeInto(LibraryManager.library, {
  $GLUT__deps: ['$GL', '$callUserCallback', 'glutPostRedisplay', 'standinContextLost',
                'standinContextRestored'],
  $GLUT: {
    displayMode: 0,
    display: 0,
    reshape: 0,
    keyboard: 0,
    motion: 0,
    context: 0,
    frame: 0,          // the animation frame requested, if any
    listening: null,   // aborts every listener
    resizing: null,    // the canvas's ResizeObserver
    width: 0,
    height: 0,
    pointerX: 0,       // the pointer's last place in the window
    pointerY: 0,
    dragging: null,    // the pointer that drags, if one does
    lost: false,       // whether the browser has taken the context away

    // A callback that fails (a trap, an abort) ends the window as exit would
    // and hands the error to the page's onFailure, or else to the browser.
    call: function(func, args) {
      if (!func) return;
      try {
        callUserCallback(function() {
          {{{ makeDynCall('viii', 'func') }}}(args[0] | 0, args[1] | 0, args[2] | 0);
        });
      } catch (error) {
        GLUT.close();
        if (!Module['onFailure']) throw error;
        Module['onFailure'](error);
      }
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

    onKeydown: function(event) {
      if (event.defaultPrevented || event.isComposing) return;
      if (event.ctrlKey || event.altKey || event.metaKey) return;
      var code = GLUT.characterOf(event.key);
      if (code === null) return;
      var control = event.target && event.target.closest &&
          event.target.closest('button, input, select, textarea, summary, a[href], [contenteditable]');
      if (control && (code === 13 || code === 32)) return;
      event.preventDefault();
      GLUT.call(GLUT.keyboard, [code, GLUT.pointerX, GLUT.pointerY]);
    },

    // The window's pixel under a pointer event, wherever it is.
    place: function(event) {
      var canvas = Module['canvas'];
      var rect = canvas.getBoundingClientRect();
      GLUT.pointerX = Math.floor((event.clientX - rect.left) * canvas.width / rect.width);
      GLUT.pointerY = Math.floor((event.clientY - rect.top) * canvas.height / rect.height);
    },

    onPointerdown: function(event) {
      if (GLUT.dragging !== null) return;
      GLUT.dragging = event.pointerId;
      Module['canvas'].setPointerCapture(event.pointerId);
      GLUT.place(event);
    },

    onPointermove: function(event) {
      if (event.pointerId !== GLUT.dragging) return;
      var lastX = GLUT.pointerX, lastY = GLUT.pointerY;
      GLUT.place(event);
      if (GLUT.pointerX !== lastX || GLUT.pointerY !== lastY) {
        GLUT.call(GLUT.motion, [GLUT.pointerX, GLUT.pointerY]);
      }
    },

    onPointerup: function(event) {
      if (event.pointerId === GLUT.dragging) GLUT.dragging = null;
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
      GLUT.call(GLUT.reshape, [width, height]);
      if (now) GLUT.draw();
      else _glutPostRedisplay();
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

    // Draws the window now, in place of a frame requested, unless the
    // context is lost.
    draw: function() {
      if (GLUT.frame) cancelAnimationFrame(GLUT.frame);
      GLUT.frame = 0;
      if (!GLUT.lost) GLUT.call(GLUT.display, []);
    },

    // Cancelling the loss is what lets the browser give the context back.
    onContextLost: function(event) {
      event.preventDefault();
      GLUT.lost = true;
      if (GLUT.frame) cancelAnimationFrame(GLUT.frame);
      GLUT.frame = 0;
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
      GLUT.draw();
    },

    listen: function() {
      var canvas = Module['canvas'];
      GLUT.listening = new AbortController();
      var options = {signal: GLUT.listening.signal};
      document.addEventListener('keydown', GLUT.onKeydown, options);
      canvas.addEventListener('pointerdown', GLUT.onPointerdown, options);
      canvas.addEventListener('pointermove', GLUT.onPointermove, options);
      canvas.addEventListener('pointerup', GLUT.onPointerup, options);
      canvas.addEventListener('pointercancel', GLUT.onPointerup, options);
      canvas.addEventListener('lostpointercapture', GLUT.onPointerup, options);
      // Any button drags the light, so none opens a menu over the canvas.
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
      GLUT.listening = GLUT.resizing = null;
      GLUT.frame = 0;
      GLUT.display = GLUT.reshape = GLUT.keyboard = GLUT.motion = 0;
      if (GLUT.context) {
        var context = GL.getContext(GLUT.context).GLctx;
        var lose = !GLUT.lost && context.getExtension('WEBGL_lose_context');
        GL.deleteContext(GLUT.context);
        GLUT.context = 0;
        if (lose) lose.loseContext();
      }
    }
  },

  glutInit: function(argcp, argv) {},

  glutInitDisplayMode__deps: ['$GLUT'],
  glutInitDisplayMode: function(mode) {
    GLUT.displayMode = mode;
  },

  // The page decides the window's size and place.
  glutInitWindowSize: function(width, height) {},
  glutInitWindowPosition: function(x, y) {},

  glutCreateWindow__deps: ['$GLUT', '$GL'],
  glutCreateWindow: function(title) {
    document.title = UTF8ToString(title);
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
    if (!GLUT.context) return 0;
    GL.makeContextCurrent(GLUT.context);
    GLUT.enableExtensions();
    GLUT.listen();
    return 1;
  },

  glutDisplayFunc__deps: ['$GLUT'],
  glutDisplayFunc: function(func) { GLUT.display = func; },
  glutReshapeFunc__deps: ['$GLUT'],
  glutReshapeFunc: function(func) { GLUT.reshape = func; },
  glutKeyboardFunc__deps: ['$GLUT'],
  glutKeyboardFunc: function(func) { GLUT.keyboard = func; },
  glutMotionFunc__deps: ['$GLUT'],
  glutMotionFunc: function(func) { GLUT.motion = func; },

  glutPostRedisplay__deps: ['$GLUT'],
  glutPostRedisplay: function() {
    if (GLUT.frame || !GLUT.context || GLUT.lost) return;
    GLUT.frame = requestAnimationFrame(function() {
      GLUT.frame = 0;
      GLUT.call(GLUT.display, []);
    });
  },

  // The program lives on in its callbacks until it calls exit.
  glutMainLoop__deps: ['$GLUT', '$runtimeKeepalivePush', 'glutPostRedisplay'],
  glutMainLoop: function() {
    runtimeKeepalivePush();
    GLUT.fit(true);
    throw 'unwind';
  },

  exit__deps: ['$GLUT'],
  exit: function(status) {
    GLUT.close();
    runtimeKeepaliveCounter = 0;
    exit(status);
  }
});
