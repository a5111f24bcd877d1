// The page's settings panel in Debian's Chromium, as its users work it:
// opened by S and by the button, worked from the keyboard, OK bounding the
// fields as the configuration dialog does and the animation taking them at
// once, Cancel and Defaults, the settings kept across a reload and the
// address overriding them, Japanese for a Japanese browser. Then the page
// installed and offline: its manifest and icons, and a visit without the
// server once its service worker has kept the files.
//   node panel_test.mjs WEB_DIR SCREEN_REGIONS
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { check, checkThat, finish, launchBrowser, look, serveFolder } from './web_lib.mjs';

const [folder, screenRegions] = process.argv.slice(2);
const browser = await launchBrowser();

async function open(context, address) {
  const page = await context.newPage();
  page.thrown = [];
  page.on('pageerror', (error) => page.thrown.push(error.message));
  await page.goto(address.startsWith('http') ? address : `file://${folder}/index.html${address}`);
  await page.waitForTimeout(1000);
  return page;
}

const fields = ['number', 'move-speed', 'rot-speed', 'rot-time-min', 'rot-time-max'];
const panelShown = (page) => page.evaluate(() => !document.getElementById('settings').hidden);
const focused = (page) => page.evaluate(() => document.activeElement.id);
// The fields as shown: the zoom, then the five numbers.
const shown = (page) => page.evaluate((names) => [
  document.getElementById('setting-zoom-standard').checked ? 1 : 2,
  ...names.map((name) => document.getElementById(`setting-${name}`).value)], fields);
const link = (page) => page.evaluate(() => document.getElementById('settings-link').value.split('?')[1]);

// The characters seen, leaving out the settings button where it shows.
async function characters(page) {
  const seen = await look(page, screenRegions);
  const button = await page.evaluate(() => {
    const box = document.getElementById('open-settings').getBoundingClientRect();
    return [box.left, box.top, box.right, box.bottom];
  });
  return seen.boxes.filter((b) => !(b[0] >= button[0] - 1 && b[1] >= button[1] - 1 && b[2] <= button[2] + 1 &&
    b[3] <= button[3] + 1)).length;
}

async function type(page, values) {
  for (const [name, value] of Object.entries(values)) await page.fill(`#setting-${name}`, value);
}

const context = await browser.newContext({ viewport: { width: 800, height: 600 } });
let page = await open(context, '?number=7');

// ---- S opens it, with the settings the animation was given ----
await page.keyboard.press('s');
check('S opens the panel, the number field focused', [true, 'setting-number'], [await panelShown(page), await focused(page)]);
check('its fields show the settings given', [1, '7', '8', '16', '16', '48'], await shown(page));
check('its texts are the English dialog\'s, with the version', ['Pennydance Settings', 'OK', 'Version.1.02'],
  await page.evaluate(() => ['settings-title', 'settings-ok', 'settings-version'].map((id) =>
    document.getElementById(id).textContent)));
check('every field has a label', [], await page.evaluate(() => [...document.querySelectorAll('#settings input')]
  .filter((input) => input.labels.length === 0 || input.labels[0].textContent.trim() === '').map((input) => input.id)));
const stops = [];
for (let i = 0; i < 14; ++i) {
  await page.keyboard.press('Tab');
  stops.push(await page.evaluate(() => document.getElementById('settings').contains(document.activeElement)));
}
check('Tab goes round within the panel', true, stops.every((inside) => inside));

// ---- Escape and Cancel change nothing; Defaults fills the table's defaults ----
await type(page, { number: '99' });
await page.keyboard.press('Escape');
check('Escape closes it', false, await panelShown(page));
await page.locator('#open-settings').click({ force: true });
check('the button opens it again, with nothing of what was typed', [true, '7'],
  [await panelShown(page), (await shown(page))[1]]);
await type(page, { 'move-speed': 'f' });
await page.click('#settings-cancel');
check('F typed into a field is text, not full screen; Cancel closes', [false, false],
  [await page.evaluate(() => document.fullscreenElement !== null), await panelShown(page)]);
await page.keyboard.press('s');
await page.click('#setting-zoom-double');
await page.click('#settings-defaults');
check('Defaults fills in the defaults', [1, '4', '8', '16', '16', '48'], await shown(page));
await page.keyboard.press('Escape');

// ---- OK bounds as the dialog's OK does; the animation takes it at once ----
await page.keyboard.press('s');
await type(page, { number: '300', 'move-speed': 'abc', 'rot-speed': '100', 'rot-time-min': '20',
  'rot-time-max': '10' });
await page.click('#setting-zoom-double');
await page.focus('#setting-rot-time-max');
await page.keyboard.press('Enter');
await page.keyboard.press('s');
check('Enter is OK: 300 characters become 256, letters 0, 100 turns 64, a maximum of 10 over 20 becomes 21',
  'zoom=2&number=256&move-speed=0&rot-speed=64&rot-time-min=20&rot-time-max=21', await link(page));
await type(page, { number: '1', 'move-speed': '8', 'rot-speed': '16' });
await page.click('#setting-zoom-standard');
await page.click('#settings-ok');
await page.waitForTimeout(600);
check('after OK with one character, one character shows, without a reload', 1, await characters(page));

// ---- Kept across a reload; the address's settings win for that visit ----
await page.goto(`file://${folder}/index.html`);
await page.waitForTimeout(1000);
check('opened again, the kept settings run: one character', 1, await characters(page));
await page.goto(`file://${folder}/index.html?Number=3`);
await page.waitForTimeout(1000);
await page.keyboard.press('s');
check('?Number=3 (a key in any case) overrides the kept number for the visit', [1, '3', '8', '16', '20', '21'],
  await shown(page));
check('nothing thrown', [], page.thrown);
await context.close();

// ---- Japanese for a Japanese browser ----
const japanese = await browser.newContext({ viewport: { width: 800, height: 600 }, locale: 'ja-JP' });
page = await open(japanese, '');
await page.mouse.move(300, 200);
await page.mouse.move(310, 210);
const button = await page.evaluate(() => [document.getElementById('open-settings').textContent,
  getComputedStyle(document.getElementById('open-settings')).opacity]);
await page.click('#open-settings');
check('under ja-JP: the button "設定" shows while the pointer moves, and the panel is the Japanese dialog\'s',
  ['設定', '1', 'ja', 'Pennydanceの設定', 'これでいいよ', 'やりなおし', '人数 (1～256) :'],
  [...button, ...await page.evaluate(() => [document.documentElement.lang,
    ...['settings-title', 'settings-ok', 'settings-cancel'].map((id) => document.getElementById(id).textContent),
    document.querySelector('label[for="setting-number"]').textContent])]);
await japanese.close();

// ---- A page that cannot run says so, in the visitor's language ----
const message = (page) => page.evaluate(() => document.getElementById('message').hidden ? '' :
  document.getElementById('message').textContent);
const noModule = fs.mkdtempSync(path.join(os.tmpdir(), 'pennydance-page-'));
fs.cpSync(folder, noModule, { recursive: true });
for (const name of fs.readdirSync(noModule)) if (/^pennydance.*\.js$/.test(name)) fs.rmSync(path.join(noModule, name));
const plain = await browser.newContext({ viewport: { width: 800, height: 600 } });
page = await plain.newPage();
await page.goto(`file://${noModule}/index.html`);
await page.waitForTimeout(800);
const withoutModule = await message(page);
await page.addInitScript(() => { delete window.WebAssembly; });
await page.goto(`file://${folder}/index.html`);
await page.waitForTimeout(800);
check('without pennydance.js, and without WebAssembly, the page says so; the canvas is named',
  ['pennydance.js could not be loaded, so Pennydance cannot run.',
    'This browser cannot run WebAssembly, so Pennydance cannot run here.', 'Pennydance: little characters wander, turn and bounce over a black screen'],
  [withoutModule, await message(page), await page.getAttribute('#pennydance', 'aria-label')]);
await plain.close();
fs.rmSync(noModule, { recursive: true, force: true });
const noScript = await browser.newContext({ viewport: { width: 800, height: 600 }, javaScriptEnabled: false });
page = await noScript.newPage();
await page.goto(`file://${folder}/index.html`);
check('with JavaScript off, the page says so in both languages', true,
  /needs JavaScript/.test(await page.locator('body').innerText()) &&
  /JavaScript が必要/.test(await page.locator('body').innerText()));
await noScript.close();

// ---- Installable, and offline once visited ----
const server = await serveFolder(folder);
const online = await browser.newContext({ viewport: { width: 800, height: 600 } });
page = await open(online, `${server.origin}/index.html`);
const manifest = await page.evaluate(async () => {
  const answer = await fetch(document.querySelector('link[rel="manifest"]').href);
  const read = await answer.json();
  const icons = await Promise.all(read.icons.map(async (icon) => {
    const bitmap = await createImageBitmap(await (await fetch(icon.src)).blob());
    return `${icon.sizes}=${bitmap.width}x${bitmap.height}`;
  }));
  return [read.name, read.display, read.background_color, ...icons];
});
check('the manifest names the app, full screen on black, with icons of 192 and 512 pixels',
  ['Pennydance', 'fullscreen', '#000000', '192x192=192x192', '512x512=512x512'], manifest);
check('the tab has an icon', 'icon-192.png',
  await page.evaluate(() => document.querySelector('link[rel="icon"]').getAttribute('href')));
await page.evaluate(() => navigator.serviceWorker.ready);
await page.waitForFunction(() => navigator.serviceWorker.controller !== null, null, { timeout: 10000 })
  .catch(() => {});
await server.close();
await page.reload();
await page.waitForTimeout(1200);
let seen = await look(page, screenRegions);
checkThat('with the server gone, the page opens from what its service worker kept',
  'the four characters', seen.regions >= 2 && seen.key === 0);
check('nothing thrown', [], page.thrown);
await online.close();

await browser.close();
finish();
