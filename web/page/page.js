// Runs the viewer in the page: every start is a fresh instance of the
// program with its own canvas, the chosen file (or the bundled marble)
// written as marmor.bmp in its working directory, and what it prints shown
// in the console beside the canvas, as a terminal would.
'use strict';
(function () {
  const consoleBox = document.getElementById('console');
  const ended = document.getElementById('ended');
  let running = null;  // the instance that runs now
  let texture = null;  // the chosen file's bytes; null: the bundled marble

  function say(line) {
    consoleBox.textContent += line + '\n';
  }

  function hasWebGL() {
    const probe = document.createElement('canvas');
    return !!(window.WebGLRenderingContext && probe.getContext('webgl'));
  }

  function freshCanvas() {
    const canvas = document.createElement('canvas');
    canvas.id = 'canvas';
    canvas.width = canvas.height = 600;
    document.getElementById('canvas').replaceWith(canvas);
    return canvas;
  }

  // Ends the running instance as ESC would, so its GLUT lets go of the
  // page's events, without saying so: a new one takes its place.
  function stop() {
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

  function start() {
    stop();
    consoleBox.textContent = '';
    ended.hidden = true;
    const instance = {
      canvas: freshCanvas(),
      print: say,
      printErr: say,
      onExit(status) {
        if (instance.replaced) return;
        running = null;
        say('The viewer has ended with status ' + status + '.');
        ended.hidden = false;
      },
    };
    createViewer(instance).then(viewer => {
      viewer.FS.writeFile('/marmor.bmp', texture || viewer.FS.readFile('/marble/marmor.bmp'));
      running = viewer;
      viewer.callMain([]);
      window.focus();
    });
  }

  // GLUT reads the key from keyCode, which a made event cannot be given.
  function sendKey(key) {
    const event = new KeyboardEvent('keydown', {key, shiftKey: key !== key.toLowerCase(), bubbles: true});
    const code = key.toUpperCase().charCodeAt(0);
    Object.defineProperty(event, 'keyCode', {get: () => code});
    window.dispatchEvent(event);
  }

  function startWith(file) {
    if (!file) return;
    file.arrayBuffer().then(bytes => {
      texture = new Uint8Array(bytes);
      start();
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
  for (const button of document.querySelectorAll('#turn button')) {
    button.addEventListener('click', () => sendKey(button.dataset.key));
  }
  document.getElementById('again').addEventListener('click', start);
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
