// Runs the viewer in the page: every start is a fresh instance of the
// program on a fresh canvas, the chosen file (or the bundled marble)
// written as marmor.bmp in its working directory, and what it prints shown
// in the console beside the canvas, as a terminal would. A new start ends
// the instance before it, which lets go of its context, its listeners and
// its memory.
'use strict';
(function () {
  const consoleBox = document.getElementById('console');
  const ended = document.getElementById('ended');
  let running = null;  // the instance that runs now
  let starting = null;  // the instance being made, not yet running
  let texture = null;  // the chosen file, {name, bytes}; null: the bundled marble
  let choices = 0;     // which chosen file is the latest

  function say(line) {
    consoleBox.textContent += line + '\n';
  }

  // The probe's context is let go at once, so that the viewer's is the
  // only one the page holds.
  function hasWebGL() {
    const context = window.WebGLRenderingContext && document.createElement('canvas').getContext('webgl');
    if (!context) return false;
    context.getExtension('WEBGL_lose_context')?.loseContext();
    return true;
  }

  // A canvas like the page's own, in its place, with the focus if the old
  // one had it or `focus` asks for it.
  function freshCanvas(focus) {
    const old = document.getElementById('canvas');
    const canvas = document.createElement('canvas');
    for (const name of ['id', 'width', 'height', 'tabindex', 'role', 'aria-label']) {
      canvas.setAttribute(name, old.getAttribute(name));
    }
    const focused = document.activeElement === old;
    old.replaceWith(canvas);
    if (focused || focus) canvas.focus();
    return canvas;
  }

  // Ends the running instance as ESC would, without saying so, and silences
  // one still being made: a new one takes their place.
  function stop() {
    if (starting) starting.replaced = true;
    starting = null;
    if (!running) return;
    const viewer = running;
    running = null;
    viewer.replaced = true;
    try {
      viewer._exit(0);
    } catch (e) {
      // the instance ends by throwing its exit status
    }
  }

  // An instance that failed, starting or running, says so in one line and
  // offers to start again; the error itself goes to the browser's log.
  function failed(instance, words, error) {
    if (instance.replaced || instance.failed) return;
    instance.failed = true;
    // As text, which every engine's log keeps whole.
    console.error(error instanceof Error ? `${error.name}: ${error.message}` : String(error));
    say(`${words}: ${error && error.message || error}.`);
    ended.hidden = false;
    if (running && running === instance.viewer) stop();
  }

  // A start the user asks for ("Start again", a file) puts the focus on the
  // new canvas, so the keys go on to the viewer as before.
  function start(focus = false) {
    stop();
    consoleBox.textContent = '';
    ended.hidden = true;
    say(texture ? `Texture: ${texture.name}, read as marmor.bmp` : 'Texture: the bundled marble');
    const instance = {
      canvas: freshCanvas(focus),
      print: line => instance.replaced || say(line),
      printErr: line => instance.replaced || instance.failed || say(line),
      onExit(status) {
        if (instance.replaced) return;
        running = null;
        say('The viewer has ended with status ' + status + '.');
        ended.hidden = false;
      },
      // The viewer goes on without drawing until the context comes back;
      // meanwhile it may be started again.
      onContextLost() {
        say('The browser took the WebGL context away; the viewer goes on when it is given back.');
        ended.hidden = false;
      },
      onContextRestored() {
        ended.hidden = true;
      },
      onAbort: what => failed(instance, instance.viewer ? 'The viewer has stopped' : 'The viewer could not start', what),
      onFailure: error => failed(instance, 'The viewer has stopped', error),
    };
    starting = instance;
    createViewer(instance).then(viewer => {
      if (instance.replaced) return;
      starting = null;
      try {
        viewer.FS.writeFile('/marmor.bmp', texture ? texture.bytes : viewer.FS.readFile('/marble/marmor.bmp'));
      } catch (error) {
        return failed(instance, 'The viewer could not start', error);
      }
      running = instance.viewer = viewer;
      try {
        viewer.callMain([]);
      } catch (error) {
        failed(instance, 'The viewer has stopped', error);
      }
    }, error => failed(instance, 'The viewer could not start', error));
  }

  // A chosen file that cannot be read (a folder, one moved meanwhile) ends
  // the viewer as a start would and says so; "Start again" starts with the
  // texture before it.
  function unreadable(file, error) {
    stop();
    consoleBox.textContent = '';
    say(`The file ${file.name} cannot be read: ${error && error.message || error}.`);
    ended.hidden = false;
  }

  // Files chosen close together are read side by side; only the latest
  // starts the viewer, whichever is read first.
  function startWith(file) {
    if (!file) return;
    const choice = ++choices;
    file.arrayBuffer().then(bytes => {
      if (choice !== choices) return;
      texture = {name: file.name, bytes: new Uint8Array(bytes)};
      start(true);
    }, error => {
      if (choice === choices) unreadable(file, error);
    });
  }

  if (!hasWebGL()) {
    const words = document.createElement('p');
    words.id = 'nogl';
    words.textContent = 'This browser cannot show the viewer: it has no WebGL, which the viewer draws with. ' +
        'Turn on hardware acceleration or WebGL in its settings, or open the page in another browser.';
    document.getElementById('canvas').replaceWith(words);
    say(words.textContent);
    return;
  }
  // A turning button types its letter for the viewer, wherever the focus is.
  for (const button of document.querySelectorAll('#turn button')) {
    button.addEventListener('click', () =>
      document.dispatchEvent(new KeyboardEvent('keydown', {key: button.dataset.key, bubbles: true})));
  }
  document.getElementById('again').addEventListener('click', () => start(true));
  const chooser = document.getElementById('texture');
  chooser.addEventListener('change', () => {
    startWith(chooser.files[0]);
    chooser.value = '';
  });
  document.addEventListener('dragover', event => event.preventDefault());
  document.addEventListener('drop', event => {
    event.preventDefault();
    startWith(event.dataTransfer.files[0]);
  });
  start();
})();
