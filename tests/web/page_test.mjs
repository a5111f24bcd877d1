// The page of build/web/ in Debian's Chromium, as its users open it: from
// the disk and from a server, with settings in its address, in a small frame,
// resized, on a screen of twice the density, full screen, hidden behind
// another tab. What the canvas shows is read as the other suites read their
// screenshots.
//   node --experimental-websocket page_test.mjs WEB_DIR SCREEN_REGIONS
import { CountSteps, bareChromium, check, checkThat, finish, launchBrowser, look, serveFolder } from './web_lib.mjs';

const [folder, screenRegions] = process.argv.slice(2);
const Side = 112;
const browser = await launchBrowser();
const server = await serveFolder(folder, {
  '/frame.html': '<!DOCTYPE html><body style="margin:0;background:#444">' +
    '<iframe id="frame" src="/index.html" width="200" height="150" style="border:0"></iframe></body>',
});

// A page at the address, with what it said on the console and what it
// threw; init runs in every frame before the page's scripts.
async function open(address, { width = 800, height = 600, scale = 1, init = '', timeout = 30000 } = {}) {
  const page = await browser.newPage({ viewport: { width, height }, deviceScaleFactor: scale });
  page.said = [];
  page.thrown = [];
  page.on('console', (message) => page.said.push(`${message.type()}: ${message.text()}`));
  page.on('pageerror', (error) => page.thrown.push(error.message));
  if (init !== '') await page.addInitScript(init);
  await page.goto(address.startsWith('http') ? address : `file://${folder}/index.html${address}`, { timeout });
  await page.waitForTimeout(1200);
  return page;
}

const canvasSize = (page) => page.evaluate(() => {
  const canvas = document.getElementById('pennydance');
  return `${canvas.width}x${canvas.height}`;
});
const boxSide = (box) => Math.max(box[2] - box[0], box[3] - box[1]);
const fullScreenOf = (page) => page.evaluate(() => document.fullscreenElement !== null);

// ---- The address's settings, from the disk ----
let page = await open('?number=1');
let seen = await look(page, screenRegions);
const one = seen.nonblack;
check('number=1: one character', 1, seen.regions);
check('the canvas is the window, one pixel a device pixel', '800x600', await canvasSize(page));
check('no key colour', 0, seen.key);
await page.close();

page = await open('');
seen = await look(page, screenRegions);
checkThat('defaults: the four characters', 'more than twice one character\'s pixels', seen.nonblack > 2 * one);
check('nothing said on the console', [], page.said);
await page.close();

page = await open('?zoom=2&number=1');
seen = await look(page, screenRegions);
checkThat('zoom=2: a character of twice the size', `one region wider or higher than ${Side}`,
  seen.regions === 1 && boxSide(seen.boxes[0]) > Side);
await page.close();

page = await open('?number=abc&zoom=2x&colour=red&%3Cb%3E=1');
seen = await look(page, screenRegions);
check('unknown keys and values that are not whole numbers: one warning naming them',
  ['warning: Pennydance: ignored in the address: "number=abc", "zoom=2x", "colour=red", "%3Cb%3E=1"'], page.said);
checkThat('and the page runs with the defaults', 'more than twice one character\'s pixels', seen.nonblack > 2 * one);
check('nothing of the address became markup', 0, await page.evaluate(() => document.querySelectorAll('b').length));
await page.close();

// ---- A small frame on someone's page, from a server ----
page = await open(`${server.origin}/frame.html`, { width: 400, height: 300 });
const frame = page.locator('#frame');
await page.frameLocator('#frame').locator('#pennydance').waitFor();
let first = await look(frame, screenRegions);
for (let tries = 0; first.nonblack === 0 && tries < 20; ++tries) {
  await page.waitForTimeout(250);
  first = await look(frame, screenRegions);
}
await page.waitForTimeout(1000);
const second = await look(frame, screenRegions);
// Turning, the character's parts move within its one square, never out.
const boxes = [...first.boxes, ...second.boxes];
const spread = (from, to) => Math.max(...boxes.map((b) => b[to])) - Math.min(...boxes.map((b) => b[from]));
checkThat('a 200 x 150 frame shows the preview: one character spinning in place',
  `pixels both times, all within one ${Side} x ${Side} square`, first.nonblack > 0 && second.nonblack > 0 &&
  first.nonblack <= Side * Side && spread(0, 2) <= Side && spread(1, 3) <= Side);
await page.close();

page = await open(`${server.origin}/index.html`);
seen = await look(page, screenRegions);
checkThat('from a server on 127.0.0.1: the characters', 'more than twice one character\'s pixels',
  seen.nonblack > 2 * one);

// ---- Resized, the canvas follows without a new start ----
await page.setViewportSize({ width: 480, height: 360 });
await page.waitForTimeout(600);
seen = await look(page, screenRegions);
check('resized, the canvas follows', '480x360', await canvasSize(page));
checkThat('and the characters go on', 'more than twice one character\'s pixels', seen.nonblack > 2 * one);
check('nothing said on the console', [], page.said);
await page.close();

// ---- Twice the density ----
page = await open('?number=1', { width: 400, height: 300, scale: 2 });
seen = await look(page, screenRegions);
check('at a device scale of 2 the canvas has twice the pixels', '800x600', await canvasSize(page));
checkThat('and a character is drawn one sheet pixel a device pixel', `one region no larger than ${Side}`,
  seen.regions === 1 && boxSide(seen.boxes[0]) <= Side && boxSide(seen.boxes[0]) > Side / 2);
await page.close();

page = await open('?number=1', { width: 400, height: 300 });
const screen = await page.context().newCDPSession(page);
await screen.send('Emulation.setDeviceMetricsOverride', { width: 400, height: 300, deviceScaleFactor: 2, mobile: false });
await page.waitForTimeout(400);
check('moved to a screen of twice the density, the canvas follows', '800x600', await canvasSize(page));
await page.close();

// ---- As a screen saver: full screen, the pointer ----
page = await open('');
const fullScreen = () => fullScreenOf(page);
await page.keyboard.press('f');
await page.waitForTimeout(300);
const byKey = await fullScreen();
await page.mouse.dblclick(400, 300);
await page.waitForTimeout(300);
check('the F key, then a double-click, toggle full screen', [true, false], [byKey, await fullScreen()]);
const cursor = () => page.evaluate(() => document.getElementById('pennydance').style.cursor);
await page.mouse.move(100, 100);
const moving = await cursor();
await page.waitForTimeout(3500);
const resting = await cursor();
await page.mouse.move(120, 110);
check('the pointer hides after 3 s without moving and shows when it moves', ['', 'none', ''],
  [moving, resting, await cursor()]);
await page.close();

// ---- What a test of the page from outside found ----
const pause = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
const stepsIn = (frame) => frame.evaluate(() => window.stepsAsked);

page = await open('');
const toggles = [];
for (const keys of ['Control+f', 'Control+Shift+F', 'Alt+f', 'Meta+f']) {
  await page.keyboard.press(keys);
  await page.waitForTimeout(150);
  toggles.push(await fullScreenOf(page));
}
check('Ctrl+F, Ctrl+Shift+F, Alt+F and Meta+F leave full screen alone', [false, false, false, false], toggles);
await page.keyboard.down('f');
for (let i = 0; i < 8; ++i) await page.keyboard.down('f');  // the key held: repeats
await page.keyboard.up('f');
await page.waitForTimeout(300);
check('F held down toggles once', true, await fullScreenOf(page));
await page.close();

// The wall clock decides where the characters start: frozen at two moments,
// the one character stands where the generator seeded from each puts it.
for (const wallClock of [1700000000123, 1700000077777]) {
  page = await open('?number=1&move-speed=0', { init: `Date.now = () => ${wallClock};` });
  seen = await look(page, screenRegions);
  const seed = wallClock % 4294967296;
  const first = (Math.imul(seed, 25) + 6) >>> 0;
  const second = (Math.imul(first, 5) + 1) >>> 0;
  const left = ((first & 0x7FFFFFFF) % (688 * 4096)) >> 12, top = ((second & 0x7FFFFFFF) % (488 * 4096)) >> 12;
  const box = seen.boxes[0] || [0, 0, 0, 0];
  checkThat(`seeded from the wall clock (${wallClock}): the character within the square at (${left}, ${top})`,
    'one region inside that square', seen.regions === 1 && box[0] >= left && box[1] >= top &&
    box[2] <= left + Side && box[3] <= top + Side);
  await page.close();
}

// A query of 1.4 million characters (the module's stack once took what it
// copied there, from about 1.3 million on): the page runs and warns. Each of
// the page's files takes Chromium seconds to load under so long an address.
page = await open(`?number=1&${'x=1&'.repeat(350000)}`, { timeout: 120000 });
seen = await look(page, screenRegions);
checkThat('an address of 1.4 MB: one character, and one warning that ends with how much it left out',
  'one region; "... and N more"', seen.regions === 1 && page.said.length === 1 && /, and \d+ more$/.test(page.said[0]));
check('and nothing thrown', [], page.thrown);
await page.close();

page = await open(`?number=${'0'.repeat(70)}1&${'y'.repeat(100)}=1`);
seen = await look(page, screenRegions);
check('a whole number of 71 digits is read: one character', 1, seen.regions);
checkThat('a long piece of the address is cut in the warning, and marked', 'a piece ending in …"',
  page.said.length === 1 && page.said[0].includes('y'.repeat(64) + '…"'));
await page.close();

// A frame of another site that does not allow full screen: F and a
// double-click say so once and throw nothing.
const foreign = await serveFolder(folder);
server.pages['/foreign-frame.html'] = '<!DOCTYPE html><body style="margin:0">' +
  `<iframe id="frame" src="${foreign.origin.replace('127.0.0.1', 'localhost')}/index.html" width="400" height="300"></iframe></body>`;
page = await open(`${server.origin}/foreign-frame.html`);
await page.mouse.click(200, 150);
await page.keyboard.press('f');
await page.mouse.dblclick(200, 150);
await page.keyboard.press('f');
await page.waitForTimeout(300);
check('F and a double-click in a frame without full screen: nothing thrown', [], page.thrown);
check('and one warning', ['warning: Pennydance: full screen is not allowed here'],
  page.said.filter((line) => line.includes('full screen')));
await page.close();

// A strict Content-Security-Policy, with the one allowance the page needs.
const strict = await serveFolder(folder, {}, false,
  { 'Content-Security-Policy': "default-src 'self'; script-src 'self' 'wasm-unsafe-eval'" });
page = await open(`${strict.origin}/index.html`);
seen = await look(page, screenRegions);
checkThat("under default-src 'self' and script-src 'self' 'wasm-unsafe-eval': the characters over the whole window",
  'more than twice one character\'s pixels on an 800x600 canvas',
  seen.nonblack > 2 * one && await canvasSize(page) === '800x600');
check('and nothing refused', [], page.said.filter((line) => /Refused|Content.Security/i.test(line)));
await page.close();
await strict.close();

// A frame hidden with display:none asks for no step until it is shown.
server.pages['/hidden-frame.html'] = '<!DOCTYPE html><body style="margin:0">' +
  '<iframe id="frame" src="/index.html" width="400" height="300" style="display:none"></iframe></body>';
page = await open(`${server.origin}/hidden-frame.html`, { init: CountSteps });
const hiddenFrame = page.frames()[1];
const whileHidden = [await stepsIn(hiddenFrame)];
await pause(1000);
whileHidden.push(await stepsIn(hiddenFrame));
await page.evaluate(() => { document.getElementById('frame').style.display = 'block'; });
await pause(1000);
const shownAgain = await stepsIn(hiddenFrame);
check('a frame hidden with display:none steps not at all, and shown it steps',
  [0, true], [whileHidden[1] - whileHidden[0], shownAgain - whileHidden[1] >= 5]);
await page.close();

// No memory for a huge canvas: the page says so on the page; a size that
// fits again brings the characters back.
page = await open('', { init: CountSteps });
const setCanvasSide = (side) => page.evaluate((value) => {
  const style = document.getElementById('pennydance').style;
  style.width = style.height = value;
}, side);
await setCanvasSide('30000px');
await pause(500);
const stoppedSteps = await stepsIn(page);
const said = await page.evaluate(() => document.getElementById('message').hidden ? '' :
  document.getElementById('message').textContent);
await pause(500);
const stillStopped = await stepsIn(page) === stoppedSteps;
await setCanvasSide('');
await pause(800);
checkThat('a 30000 x 30000 canvas: the page says it has no memory for the picture, and no step runs',
  'a message naming the picture; no steps', said.includes('(picture)') && stillStopped);
check('shrunk back, the message goes and the steps come back', ['', true, '800x600'],
  [await page.evaluate(() => document.getElementById('message').hidden ? '' : 'shown'),
    await stepsIn(page) - stoppedSteps >= 5, await canvasSize(page)]);
await page.close();
await foreign.close();

// ---- Hidden behind another tab: no step runs ----
const bare = await bareChromium(`file://${folder}/index.html?number=16`, CountSteps);
const picture = `(() => { const c = document.getElementById('pennydance');
  const d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
  let sum = 0; for (let i = 0; i < d.length; i += 4) sum = (sum * 31 + d[i] + d[i + 1]) >>> 0; return sum; })()`;
await pause(1000);
const running = [await bare.evaluate(picture)];
await pause(500);
running.push(await bare.evaluate(picture));
await bare.openTab();
await pause(300);
const state = await bare.evaluate('document.visibilityState');
const hidden = [await bare.evaluate(picture)];
await pause(1000);
hidden.push(await bare.evaluate(picture));
await bare.showPage();
await pause(500);
const back = await bare.evaluate(picture);
check('behind another tab the page is hidden', 'hidden', state);
check('visible, it steps; hidden, it does not; back, it steps again',
  [true, false, true], [running[0] !== running[1], hidden[0] !== hidden[1], back !== hidden[1]]);

// ---- A page that stopped (no memory for its picture) stays stopped ----
await bare.evaluate(`(() => { const s = document.getElementById('pennydance').style;
  s.width = '30000px'; s.height = '30000px'; })()`);
await pause(500);
const stopped = [await bare.evaluate('window.stepsAsked')];
await pause(500);
stopped.push(await bare.evaluate('window.stepsAsked'));
await bare.openTab();
await pause(300);
await bare.showPage();
await pause(500);
stopped.push(await bare.evaluate('window.stepsAsked'));
await bare.close();
check('stopped by a 30000 x 30000 canvas, no step is asked for, hidden and shown again or not',
  [true, 0, 0], [stopped[0] > 10, stopped[1] - stopped[0], stopped[2] - stopped[1]]);

await server.close();
await browser.close();
finish();
