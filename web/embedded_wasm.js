// The program's WebAssembly is inside the page as a data: URL, which the
// runtime would fetch; the page's Content-Security-Policy allows no fetch,
// so it is decoded and instantiated here, from the page itself.
// A module the engine refuses, or has no memory for, aborts the start, which
// the page hears of through onAbort and the rejected createViewer; abort then
// throws that same failure again, which has nobody left to tell.
Module['instantiateWasm'] = function(imports, receiveInstance) {
  WebAssembly.instantiate(tryParseAsDataURI(wasmBinaryFile), imports).then(function(output) {
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
