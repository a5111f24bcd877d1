// The page's settings panel, its counterpart of the configuration dialog:
// the six settings with the dialog's texts, ranges and defaults, OK (the
// fields bounded as the dialog's OK bounds them, the animation taking them
// at once, the page keeping them), Cancel and Defaults, the version text and
// the home page. Opened by S or the settings button; complete from the
// keyboard (Tab, Enter for OK, Escape for Cancel).
'use strict';
(function () {
  const texts = window.PennydanceTexts.here;
  const panel = document.getElementById('settings');
  const form = document.getElementById('settings-form');
  const openButton = document.getElementById('open-settings');
  const standard = document.getElementById('setting-zoom-standard');
  const double = document.getElementById('setting-zoom-double');
  const link = document.getElementById('settings-link');
  let openedFrom = null;  // what had the focus before, to give it back

  function field(name) {
    return document.getElementById('setting-' + name);
  }

  // The fields show what the settings are, as the dialog shows them: the
  // zoom's "standard" button for 1 only, the numbers as they are.
  function show(valueOf) {
    for (const row of window.PennydancePage.settings()) {
      if (row.name === 'zoom') {
        standard.checked = valueOf(row) === 1;
        double.checked = !standard.checked;
      } else {
        field(row.name).value = String(valueOf(row));
      }
    }
  }

  function fieldTexts() {
    return ['number', 'move-speed', 'rot-speed', 'rot-time-min', 'rot-time-max'].map((name) => field(name).value);
  }

  function open() {
    if (isOpen()) return;
    openedFrom = document.activeElement;
    show((row) => row.value);
    link.value = window.PennydancePage.link();
    document.getElementById('settings-version').textContent = window.PennydancePage.versionText();
    panel.hidden = false;
    field('number').focus();
  }

  function close() {
    panel.hidden = true;
    if (openedFrom && openedFrom.focus) openedFrom.focus();
  }

  function isOpen() {
    return !panel.hidden;
  }

  function onOk(event) {
    event.preventDefault();
    if (!window.PennydancePage.apply(standard.checked, fieldTexts())) return;
    close();
  }

  // Escape cancels; Tab stays within the panel while it is open.
  function onKeyDown(event) {
    if (event.key === 'Escape') {
      event.preventDefault();
      close();
      return;
    }
    if (event.key !== 'Tab') return;
    const stops = [...panel.querySelectorAll('input, button, a[href]')].filter((e) => !e.disabled &&
      (e.type !== 'radio' || e.checked));
    const first = stops[0], last = stops[stops.length - 1];
    if (event.shiftKey && document.activeElement === first) {
      event.preventDefault();
      last.focus();
    } else if (!event.shiftKey && document.activeElement === last) {
      event.preventDefault();
      first.focus();
    }
  }

  function fillTexts() {
    document.getElementById('settings-title').textContent = texts.title;
    for (const element of panel.querySelectorAll('[data-text]')) {
      element.textContent = texts[element.dataset.text];
    }
    const home = document.getElementById('settings-home');
    home.textContent = texts.homePage;
    home.href = window.PennydanceTexts.homePage;
    openButton.textContent = texts.settings;
  }

  fillTexts();
  form.addEventListener('submit', onOk);
  panel.addEventListener('keydown', onKeyDown);
  document.getElementById('settings-cancel').addEventListener('click', close);
  document.getElementById('settings-defaults').addEventListener('click', () => show((row) => row.defaultValue));
  link.addEventListener('focus', () => link.select());
  // As in the dialog, only the number field takes digits alone.
  field('number').addEventListener('input', (event) => {
    event.target.value = event.target.value.replace(/[^0-9]/g, '');
  });
  openButton.addEventListener('click', () => {
    if (window.PennydancePage.ready()) open();
  });
  window.PennydancePanel = { open, isOpen };
})();
