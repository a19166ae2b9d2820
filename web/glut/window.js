// GLUT's window in the page. Pointer motion reaches the program at the
// place the pointer moved to: this Emscripten's GLUT hands the motion
// callback the place before the move. The canvas gets the depth buffer the program
// asks for and keeps its drawing after each frame, so the page can read
// the frame back; the page takes the window's title. The main loop keeps
// the program alive between callbacks until it calls exit, and only then
// does it end, let go of the page's events and tell the page its status.
mergeInto(LibraryManager.library, {
  glutCreateWindow__deps: ['$Browser', '$GLUT'],
  glutCreateWindow: function(name) {
    document.title = UTF8ToString(name);
    var attributes = {
      antialias: false,
      depth: (GLUT.initDisplayMode & 0x0010 /* GLUT_DEPTH */) != 0,
      stencil: (GLUT.initDisplayMode & 0x0020 /* GLUT_STENCIL */) != 0,
      alpha: (GLUT.initDisplayMode & 0x0008 /* GLUT_ALPHA */) != 0,
      preserveDrawingBuffer: true
    };
    Module.ctx = Browser.createContext(Module['canvas'], true, true, attributes);
    return Module.ctx ? 1 : 0;
  },

  glutMotionFunc__deps: ['$GLUT', '$Browser'],
  glutMotionFunc: function(func) {
    GLUT.motionFunc = func;
    window.removeEventListener('mousemove', GLUT.onMousemove, true);
    GLUT.onMousemove = function(event) {
      var lastX = Browser.mouseX;
      var lastY = Browser.mouseY;
      Browser.calculateMouseEvent(event);
      if (Browser.mouseX == lastX && Browser.mouseY == lastY) return;
      if (GLUT.buttons != 0 && GLUT.motionFunc) {
        event.preventDefault();
        GLUT.saveModifiers(event);
        {{{ makeDynCall('vii', 'GLUT.motionFunc') }}}(Browser.mouseX, Browser.mouseY);
      }
    };
    window.addEventListener('mousemove', GLUT.onMousemove, true);
  },

  glutMainLoop__deps: ['$GLUT', 'glutReshapeWindow', 'glutPostRedisplay'],
  glutMainLoop: function() {
    runtimeKeepaliveCounter++;
    _glutReshapeWindow(Module['canvas'].width, Module['canvas'].height);
    _glutPostRedisplay();
    throw 'unwind';
  },

  exit: function(status) {
    runtimeKeepaliveCounter = 0;
    exit(status);
  }
});
