// Runs one of the GL programs of tests/gl/ on the page's canvas, through
// the page's own GLUT and the stand-in, as the viewer's page runs the
// viewer: what it prints shows in the console box, and so does its end.
'use strict';
(function () {
  const consoleBox = document.getElementById('console');
  const say = line => { consoleBox.textContent += line + '\n'; };
  createViewer({
    canvas: document.getElementById('canvas'),
    print: say,
    printErr: say,
    onExit: status => say(`The program has ended with status ${status}.`),
  }).then(program => program.callMain([]), error => say(`The program could not start: ${error.message}`));
})();
