// Joined to the front of the module's script (--pre-js): the WebAssembly
// the script carries inside itself is compiled straight from its bytes.
// Left to itself the loader first fetches it from its data: address, which
// a Content-Security-Policy without connect-src data: refuses, with an
// error on the console, before it falls back to the same bytes.
Module['instantiateWasm'] = function (imports, receive) {
  WebAssembly.instantiate(tryParseAsDataURI(wasmBinaryFile), imports)
    .then((made) => receive(made.instance, made.module))
    .catch((failed) => readyPromiseReject(failed));
  return {};
};
