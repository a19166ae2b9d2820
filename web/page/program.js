// Runs a GLUT program of the user's own in the page: every start is a fresh
// instance on a fresh canvas the size of the program's window, with the
// keyboard's focus, and what the program prints shown below it as a
// terminal would, whatever it prints: control characters shown as their
// pictures, a long line wrapped, a flood kept to its last lines.
'use strict';
(function () {
  const consoleBox = document.getElementById('console');
  const again = document.getElementById('again');
  const keptLines = 2000, longestLine = 10000;
  const lines = [];
  let shown = 0;        // frame request that shows the lines, if any
  let running = null;   // the instance that runs now
  let starts = 0;       // which start is the latest

  function show() {
    shown = 0;
    consoleBox.textContent = lines.join('\n') + (lines.length ? '\n' : '');
    consoleBox.scrollTop = consoleBox.scrollHeight;
  }

  function say(text) {
    for (let line of String(text).split('\n')) {
      line = line.replace(/[\x00-\x08\x0b-\x1f]/g, c => String.fromCharCode(0x2400 + c.charCodeAt(0)))
                 .replace(/\x7f/g, '\u2421');
      if (line.length > longestLine) line = line.slice(0, longestLine) + '…';
      lines.push(line);
    }
    if (lines.length > keptLines) lines.splice(0, lines.length - keptLines, '…');
    if (!shown) shown = requestAnimationFrame(show);
  }

  // A canvas like the page's own, in its place, with the focus.
  function freshCanvas() {
    const old = document.getElementById('canvas');
    const canvas = old.cloneNode(false);
    old.replaceWith(canvas);
    canvas.focus();
    return canvas;
  }

  function stop() {
    if (!running) return;
    const program = running;
    running = null;
    program.replaced = true;
    try {
      program._exit(0);
    } catch (e) {
      // the instance ends by throwing its exit status
    }
  }

  function ended(words) {
    say(words);
    again.hidden = false;
  }

  // A failure, starting or running, is said in one line; the error itself
  // goes to the browser's log.
  function failed(instance, words, error) {
    if (instance.failed) return;
    instance.failed = true;
    console.error(error instanceof Error ? `${error.name}: ${error.message}` : String(error));
    ended(`${words}: ${error && error.message || error}.`);
    if (running === instance.program) stop();
  }

  function start() {
    stop();
    const start = ++starts;
    lines.length = 0;
    show();
    again.hidden = true;
    const gone = () => start !== starts;
    const instance = {
      canvas: freshCanvas(),
      print: line => gone() || say(line),
      // The runtime's own word on an abort follows the page's one line.
      printErr: line => gone() || instance.failed || say(line),
      // The canvas takes the window's size in CSS pixels.
      windowSize(width, height) {
        instance.canvas.style.width = `${Math.max(1, width)}px`;
        instance.canvas.style.height = `${Math.max(1, height)}px`;
      },
      onExit(status) {
        if (gone() || instance.failed) return;
        running = null;
        ended(`The program has ended with status ${status}.`);
      },
      onContextLost() {
        say('The browser took the WebGL context away; the program goes on when it is given back.');
      },
      onAbort: what => gone() || failed(instance, instance.program ? 'The program has stopped' : 'The program could not start',
                                        what || 'it called abort()'),
      onFailure: error => gone() || failed(instance, 'The program has stopped', error),
    };
    createViewer(instance).then(program => {
      if (gone()) return;
      running = instance.program = program;
      try {
        program.callMain([]);
      } catch (error) {
        if (error && error.name === 'ExitStatus') return;
        failed(instance, 'The program could not start', error);
      }
    }, error => gone() || failed(instance, 'The program could not start', error));
  }

  again.addEventListener('click', start);
  start();
})();
