// Pennydance as a web page: the WebAssembly module composes the picture in
// its own memory, this script shows it on the one canvas that covers the
// window (one canvas pixel a device pixel), runs a step every 100 ms while
// the page is visible, and follows the window's size and density.
'use strict';
(function () {
  const canvas = document.getElementById('pennydance');
  const context = canvas.getContext('2d', { alpha: false });
  const PointerRestMs = 3000;
  let module = null;
  let image = null;  // the picture, an ImageData over the module's memory
  let rects = null;  // the step's rectangles, an Int32Array over it too
  let timer = 0;
  let stopped = false;  // after a failure: no step runs again
  let showFps = false;
  let pointerTimer = 0;
  let pending = null;  // a size seen before the module was ready
  let density = 0;  // the devicePixelRatio the picture was made for

  // The canvas's size in device pixels: the browser's own count where it
  // gives one (exact at fractional densities) that agrees with the CSS size
  // times the density (an emulated density may leave it unscaled).
  function sizeOfEntry(entry) {
    const ratio = window.devicePixelRatio || 1;
    const width = Math.round(entry.contentRect.width * ratio);
    const height = Math.round(entry.contentRect.height * ratio);
    const box = entry.devicePixelContentBoxSize && entry.devicePixelContentBoxSize[0];
    if (box && Math.abs(box.inlineSize - width) <= 1 && Math.abs(box.blockSize - height) <= 1) {
      return { width: box.inlineSize, height: box.blockSize };
    }
    return { width, height };
  }

  function currentSize() {
    const ratio = window.devicePixelRatio || 1;
    const rect = canvas.getBoundingClientRect();
    return { width: Math.round(rect.width * ratio), height: Math.round(rect.height * ratio) };
  }

  // The views over the module's memory are made again after every size
  // change, when the memory may have grown and moved.
  function adoptPicture() {
    const width = module._pennydance_width();
    const height = module._pennydance_height();
    const bytes = new Uint8ClampedArray(module.HEAPU8.buffer, module._pennydance_pixels(), width * height * 4);
    image = new ImageData(bytes, width, height);
    rects = new Int32Array(module.HEAPU8.buffer, module._pennydance_rects(), module._pennydance_rects_length());
    canvas.width = width;
    canvas.height = height;
    context.putImageData(image, 0, 0);
  }

  function putChangedRects() {
    const count = rects[0];
    for (let i = 0; i < count; ++i) {
      const at = 1 + 4 * i;
      context.putImageData(image, 0, 0, rects[at], rects[at + 1], rects[at + 2], rects[at + 3]);
    }
  }

  function drawFps(started) {
    const now = performance.now();
    const text = module.UTF8ToString(module._pennydance_fps_text(now, now - started));
    context.font = '12px monospace';
    context.textBaseline = 'top';
    context.fillStyle = '#000';
    context.fillRect(0, 0, context.measureText(text).width + 8, 20);
    context.fillStyle = '#fff';
    context.fillText(text, 4, 4);
  }

  function step() {
    timer = 0;
    // A move to a screen of another density need not change the CSS size,
    // which is all some browsers' observers and events report.
    if (window.devicePixelRatio !== density) follow(currentSize());
    if (stopped) return;
    const started = performance.now();
    module._pennydance_step(started);
    putChangedRects();
    if (showFps) drawFps(started);
    schedule();
  }

  function schedule() {
    if (timer === 0 && !stopped && document.visibilityState !== 'hidden') {
      timer = setTimeout(step, module._pennydance_wait(performance.now()));
    }
  }

  // Hidden (another tab, minimised): no step runs. Back again, the next
  // step comes at once and the grid goes on from there, with no burst.
  function onVisibilityChange() {
    if (document.visibilityState === 'hidden') {
      clearTimeout(timer);
      timer = 0;
    } else {
      schedule();
    }
  }

  function follow(size) {
    density = window.devicePixelRatio;
    if (size.width === image.width && size.height === image.height) return;
    if (module._pennydance_resize(size.width, size.height) !== 0) {
      console.error('Pennydance: ' + module.UTF8ToString(module._pennydance_message()));
      clearTimeout(timer);
      timer = 0;
      stopped = true;
      return;
    }
    adoptPicture();
  }

  function onResize(entries) {
    const size = sizeOfEntry(entries[entries.length - 1]);
    if (module === null) pending = size;
    else follow(size);
  }

  function toggleFullScreen() {
    if (document.fullscreenElement) document.exitFullscreen();
    else if (document.documentElement.requestFullscreen) document.documentElement.requestFullscreen();
  }

  function onKeyDown(event) {
    if (event.key === 'f' || event.key === 'F') toggleFullScreen();
  }

  // The pointer rests hidden over the picture and shows when it moves.
  function onPointerMove() {
    canvas.style.cursor = '';
    clearTimeout(pointerTimer);
    pointerTimer = setTimeout(function () { canvas.style.cursor = 'none'; }, PointerRestMs);
  }

  function watchSize() {
    const observer = new ResizeObserver(onResize);
    try {
      observer.observe(canvas, { box: 'device-pixel-content-box' });
    } catch (notKnown) {
      observer.observe(canvas);
    }
  }

  function start(instance) {
    module = instance;
    const size = pending || currentSize();
    const failed = module.ccall('pennydance_start', 'number', ['string', 'number', 'number', 'number'],
      [location.search, size.width, size.height, performance.now()]);
    const message = module.UTF8ToString(module._pennydance_message());
    if (failed !== 0) {
      console.error('Pennydance: ' + message);
      return;
    }
    if (message !== '') console.warn('Pennydance: ignored in the address: ' + message);
    showFps = module._pennydance_show_fps() !== 0;
    density = window.devicePixelRatio;
    adoptPicture();
    if (pending !== null) follow(pending);
    document.addEventListener('visibilitychange', onVisibilityChange);
    // The first step is due at once: the characters show as soon as they can.
    step();
  }

  watchSize();
  canvas.addEventListener('dblclick', toggleFullScreen);
  canvas.addEventListener('pointermove', onPointerMove);
  document.addEventListener('keydown', onKeyDown);
  onPointerMove();
  loadPennydance().then(start);
})();
