// Pennydance as a web page: the WebAssembly module composes the picture in
// its own memory, this script shows it on the one canvas that covers the
// window (one canvas pixel a device pixel), runs a step every 100 ms while
// the canvas is shown, follows the window's size and density, and hands the
// settings panel (panel.js) what it needs of the module.
'use strict';
(function () {
  const texts = window.PennydanceTexts.here;
  const canvas = document.getElementById('pennydance');
  const context = canvas.getContext('2d', { alpha: false });
  const message = document.getElementById('message');
  const settingsButton = document.getElementById('open-settings');
  const PointerRestMs = 3000;
  const KeptKey = 'pennydance.settings';
  let module = null;
  let image = null;  // the picture, an ImageData over the module's memory
  let rects = null;  // the step's rectangles, an Int32Array over it too
  let timer = 0;
  let failed = false;  // the module could not start: no step ever runs
  let noPicture = false;  // no memory for the window's size: none until one fits
  let intersecting = true;  // the canvas lies in the visible part of the page
  let hasArea = true;  // the canvas is shown at all (a frame may hide it)
  let showFps = false;
  let saidNoFullScreen = false;
  let pointerTimer = 0;
  let pending = null;  // a size seen before the module was ready
  let density = 0;  // the devicePixelRatio the picture was made for

  function say(text) {
    message.textContent = text;
    message.hidden = text === '';
  }

  // The wall clock's milliseconds, taken to 32 bits: a seed that has
  // nothing to do with how long the page has been open.
  function seed() {
    return Date.now() % 4294967296;
  }

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

  // Texts for the module go into its heap (an address may be megabytes
  // long), one after the other, each ended by a zero byte.
  function writeTexts(list) {
    const sizes = list.map((text) => module.lengthBytesUTF8(text) + 1);
    const at = module._pennydance_input(sizes.reduce((sum, size) => sum + size, 0));
    if (at === 0) return null;
    let next = at;
    return list.map((text, i) => {
      module.stringToUTF8(text, next, sizes[i]);
      next += sizes[i];
      return next - sizes[i];
    });
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

  // The corner keeps its size in CSS pixels at every density.
  function drawFps(started) {
    const now = performance.now();
    const text = module.UTF8ToString(module._pennydance_fps_text(now, now - started));
    const scale = density || 1;
    context.font = `${12 * scale}px monospace`;
    context.textBaseline = 'top';
    context.fillStyle = '#000';
    context.fillRect(0, 0, context.measureText(text).width + 8 * scale, 20 * scale);
    context.fillStyle = '#fff';
    context.fillText(text, 4 * scale, 4 * scale);
  }

  function mayStep() {
    return module !== null && !failed && !noPicture && intersecting && hasArea &&
      document.visibilityState !== 'hidden';
  }

  function step() {
    pause();
    // A move to a screen of another density need not change the CSS size,
    // which is all some browsers' observers and events report.
    if (window.devicePixelRatio !== density) follow(currentSize());
    if (!mayStep()) return;
    const started = performance.now();
    module._pennydance_step(started, seed());
    putChangedRects();
    if (showFps) drawFps(started);
    schedule();
  }

  // Not shown (another tab, minimised, a frame hidden or scrolled away, no
  // area): no step runs. Shown again, the next step comes at once and the
  // grid goes on from there, with no burst.
  function schedule() {
    if (timer === 0 && mayStep()) timer = setTimeout(step, module._pennydance_wait(performance.now()));
  }

  function pause() {
    clearTimeout(timer);
    timer = 0;
  }

  function onVisibilityChange() {
    if (document.visibilityState === 'hidden') pause();
    else schedule();
  }

  function onIntersection(entries) {
    intersecting = entries[entries.length - 1].isIntersecting;
    if (intersecting) schedule();
    else pause();
  }

  // A size that fits again after one that did not brings the characters
  // back; a canvas without area keeps its picture and waits. The caller
  // asks for the next step.
  function follow(size) {
    density = window.devicePixelRatio;
    hasArea = size.width > 0 && size.height > 0;
    if (!hasArea) {
      pause();
      return;
    }
    if (!noPicture && size.width === image.width && size.height === image.height) return;
    if (module._pennydance_resize(size.width, size.height) !== 0) {
      if (!noPicture) console.error('Pennydance: ' + module.UTF8ToString(module._pennydance_message()));
      noPicture = true;
      say(texts.stopped);
      pause();
      return;
    }
    noPicture = false;
    say('');
    adoptPicture();
  }

  function onResize(entries) {
    const size = sizeOfEntry(entries[entries.length - 1]);
    if (module === null || failed) {
      pending = size;
      return;
    }
    follow(size);
    schedule();
  }

  // Full screen where the page may have it: a frame without
  // allow="fullscreen" says so once, and nothing is thrown.
  function noteNoFullScreen() {
    if (!saidNoFullScreen) console.warn('Pennydance: full screen is not allowed here');
    saidNoFullScreen = true;
  }

  // Safari before 16.4 knows full screen only by its prefixed names.
  function toggleFullScreen() {
    const root = document.documentElement;
    if (!(document.fullscreenEnabled ?? document.webkitFullscreenEnabled)) {
      noteNoFullScreen();
      return;
    }
    try {
      const asked = (document.fullscreenElement ?? document.webkitFullscreenElement)
        ? (document.exitFullscreen || document.webkitExitFullscreen).call(document)
        : (root.requestFullscreen || root.webkitRequestFullscreen).call(root);
      if (asked && asked.catch) asked.catch(noteNoFullScreen);
    } catch (refused) {
      noteNoFullScreen();
    }
  }

  function panelIsOpen() {
    return window.PennydancePanel !== undefined && window.PennydancePanel.isOpen();
  }

  // F or Shift+F toggles full screen and S opens the settings; with any
  // other modifier the browser's own keys are left alone, and a held key
  // counts once.
  function onKeyDown(event) {
    if (event.repeat || event.ctrlKey || event.altKey || event.metaKey || panelIsOpen()) return;
    if (event.key === 'f' || event.key === 'F') {
      toggleFullScreen();
    } else if ((event.key === 's' || event.key === 'S') && module !== null && !failed &&
               window.PennydancePanel !== undefined) {
      event.preventDefault();
      window.PennydancePanel.open();
    }
  }

  // The pointer and the settings button rest hidden over the picture and
  // show when the pointer moves.
  function onPointerMove() {
    canvas.style.cursor = '';
    settingsButton.classList.remove('resting');
    clearTimeout(pointerTimer);
    pointerTimer = setTimeout(function () {
      canvas.style.cursor = 'none';
      if (document.activeElement !== settingsButton) settingsButton.classList.add('resting');
    }, PointerRestMs);
  }

  function watchSize() {
    const observer = new ResizeObserver(onResize);
    try {
      observer.observe(canvas, { box: 'device-pixel-content-box' });
    } catch (notKnown) {
      observer.observe(canvas);
    }
    if (window.IntersectionObserver) new IntersectionObserver(onIntersection).observe(canvas);
  }

  function readKept() {
    try {
      return window.localStorage.getItem(KeptKey) || '';
    } catch (notAllowed) {
      return '';
    }
  }

  function keep(query) {
    try {
      window.localStorage.setItem(KeptKey, query);
    } catch (notAllowed) {
      // A page from the disk may have no storage: the settings last the visit.
    }
  }

  function start(instance) {
    module = instance;
    const size = pending || currentSize();
    const where = writeTexts([readKept(), location.search]);
    const outcome = where === null ? 1 : module._pennydance_start(where[0], where[1], size.width, size.height,
      performance.now(), seed());
    const said = where === null ? 'Not enough memory (address)' : module.UTF8ToString(module._pennydance_message());
    if (outcome !== 0) {
      failed = true;
      console.error('Pennydance: ' + said);
      say(texts.failed + said);
      return;
    }
    if (said !== '') console.warn('Pennydance: ignored in the address: ' + said);
    showFps = module._pennydance_show_fps() !== 0;
    density = window.devicePixelRatio;
    adoptPicture();
    follow(pending || currentSize());
    document.addEventListener('visibilitychange', onVisibilityChange);
    // The first step is due at once: the characters show as soon as they can.
    if (mayStep()) step();
  }

  // What the settings panel asks of the module.
  window.PennydancePage = {
    ready: () => module !== null && !failed,
    // The settings table's rows with the values the animation was given.
    settings() {
      const rows = [];
      for (let i = 0; i < module._pennydance_setting_count(); ++i) {
        rows.push({ name: module.UTF8ToString(module._pennydance_setting_name(i)),
          defaultValue: module._pennydance_setting_default(i), lowest: module._pennydance_setting_lowest(i),
          highest: module._pennydance_setting_highest(i), value: module._pennydance_setting_value(i) });
      }
      return rows;
    },
    versionText: () => module.UTF8ToString(module._pennydance_version_text()),
    // The address with the settings given, for bookmarks and kiosks.
    link() {
      const switches = (showFps ? '&fps=1' : '') + (module._pennydance_is_preview() ? '&preview=1' : '');
      return location.href.split(/[?#]/)[0] + '?' + module.UTF8ToString(module._pennydance_settings_query()) +
        switches;
    },
    // The panel's OK: its fields bounded as the dialog bounds them, the
    // characters placed anew, the result kept. False when it failed.
    apply(standardChecked, fieldTexts) {
      const where = writeTexts([fieldTexts.join('\n')]);
      if (where === null || module._pennydance_apply_fields(standardChecked ? 1 : 0, where[0], seed()) !== 0) {
        console.error('Pennydance: ' + module.UTF8ToString(module._pennydance_message()));
        return false;
      }
      keep(module.UTF8ToString(module._pennydance_settings_query()));
      context.putImageData(image, 0, 0);  // the new characters on black
      return true;
    },
  };

  canvas.setAttribute('aria-label', texts.canvas);
  document.documentElement.lang = window.PennydanceTexts.language;
  watchSize();
  canvas.addEventListener('dblclick', toggleFullScreen);
  document.addEventListener('pointermove', onPointerMove);
  document.addEventListener('keydown', onKeyDown);
  // The pointer hides after a while from the start; the button shows only
  // once the pointer moves.
  onPointerMove();
  settingsButton.classList.add('resting');
  if (typeof WebAssembly !== 'object') {
    failed = true;
    say(texts.noWebAssembly);
  } else if (typeof loadPennydance !== 'function') {
    failed = true;
    say(texts.noModule);
  } else {
    loadPennydance().then(start, (error) => {
      failed = true;
      console.error(String(error));
      say(texts.noModule);
    });
  }
  // Once visited over HTTP(S), the page opens offline and installs as an
  // app; from the disk there is nothing to keep.
  if ('serviceWorker' in navigator && /^https?:$/.test(location.protocol)) {
    navigator.serviceWorker.register('sw.js').catch(() => {});
  }
})();
