// The program's WebAssembly is inside the page, in base64 in a block of data
// (id "module"), which the runtime would not know to read; the page's
// Content-Security-Policy allows no fetch, so it is decoded and
// instantiated here, from the page itself.
// A module the engine refuses, or has no memory for, aborts the start, which
// the page hears of through onAbort and the rejected createViewer; abort then
// throws that same failure again, which has nobody left to tell.
Module['instantiateWasm'] = function(imports, receiveInstance) {
  var text = atob(document.getElementById('module').textContent);
  var bytes = new Uint8Array(text.length);
  for (var i = 0; i < text.length; ++i) bytes[i] = text.charCodeAt(i);
  WebAssembly.instantiate(bytes, imports).then(function(output) {
    receiveInstance(output.instance, output.module);
  }, function(error) {
    try {
      abort(error && error.message || error);
    } catch (said) {
      // said through onAbort and createViewer's rejection
    }
  });
  return {};
};
