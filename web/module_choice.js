// Which build of the module this browser runs: pennydance.js, compiled with
// WebAssembly SIMD, where the browser accepts a SIMD instruction, and
// pennydance-scalar.js otherwise. The chosen file is loaded at once, as a
// classic script beside this one (a page opened from the disk may load
// those, and no inline script or eval is needed); the page's script asks
// for the module with loadPennydance() instead of createPennydance().
'use strict';
window.loadPennydance = (function () {
  // A function that returns (i8x16.popcnt (i8x16.splat (i32.const 0))).
  const SimdProbe = new Uint8Array([
    0x00, 0x61, 0x73, 0x6d, 0x01, 0x00, 0x00, 0x00,  // "\0asm", version 1
    0x01, 0x05, 0x01, 0x60, 0x00, 0x01, 0x7b,  // one type: () -> v128
    0x03, 0x02, 0x01, 0x00,  // one function of that type
    0x0a, 0x0a, 0x01, 0x08, 0x00, 0x41, 0x00, 0xfd, 0x0f, 0xfd, 0x62, 0x0b]);
  // Without WebAssembly at all the page says so itself.
  if (typeof WebAssembly !== 'object') return undefined;
  const file = WebAssembly.validate(SimdProbe) ? 'pennydance.js' : 'pennydance-scalar.js';
  const loaded = new Promise(function (resolve, reject) {
    const script = document.createElement('script');
    script.src = new URL(file, document.currentScript.src).href;
    script.onload = resolve;
    script.onerror = function () { reject(new Error('Pennydance: ' + file + ' could not be loaded')); };
    document.head.appendChild(script);
  });
  return function () {
    return loaded.then(function () { return window.createPennydance(); });
  };
})();
