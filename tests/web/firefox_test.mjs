// The page in Debian's Firefox ESR, headless, driven by the pinned
// puppeteer-core over WebDriver BiDi: the core checks of the Chromium
// suites in another engine. The first picture, only the sheet's colours,
// ten steps a second, the address's settings, the preview, a resize, twice
// the density, and the settings panel.
//   node firefox_test.mjs WEB_DIR SCREEN_REGIONS
import puppeteer from 'puppeteer-core';
import { CountSteps, check, checkThat, finish, report } from './web_lib.mjs';

const [folder, screenRegions] = process.argv.slice(2);
const Side = 112;
const browser = await puppeteer.launch({
  browser: 'firefox',
  executablePath: '/usr/lib/firefox-esr/firefox-esr',
  headless: true,
  // The machine's network is closed: nothing of the browser's own may go out.
  extraPrefsFirefox: { 'app.update.enabled': false, 'browser.safebrowsing.malware.enabled': false,
    'browser.safebrowsing.phishing.enabled': false, 'datareporting.policy.dataSubmissionEnabled': false,
    'network.captive-portal-service.enabled': false, 'network.connectivity-service.enabled': false },
});
const pause = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

async function open(address, { width = 800, height = 600, scale = 1 } = {}) {
  const page = await browser.newPage();
  page.thrown = [];
  page.on('pageerror', (error) => page.thrown.push(error.message));
  await page.setViewport({ width, height, deviceScaleFactor: scale });
  await page.evaluateOnNewDocument(CountSteps);
  await page.goto(`file://${folder}/index.html${address}`);
  await pause(1200);
  return page;
}

const look = async (page) => report(Buffer.from(await page.screenshot()), screenRegions);
const canvasSize = (page) => page.evaluate(() => {
  const canvas = document.getElementById('pennydance');
  return `${canvas.width}x${canvas.height}`;
});
const boxSide = (box) => Math.max(box[2] - box[0], box[3] - box[1]);

let page = await open('?number=1');
let seen = await look(page);
check('the first picture: one character on a canvas of the window\'s size', [1, '800x600'],
  [seen.regions, await canvasSize(page)]);
check('only the sheet\'s colours: no key colour', 0, seen.key);
const before = await page.evaluate(() => window.stepsAsked);
await pause(2000);
const steps = await page.evaluate(() => window.stepsAsked) - before;
checkThat(`ten steps a second (${steps} in 2 s)`, 'between 17 and 22 steps', steps >= 17 && steps <= 22);
await page.setViewport({ width: 480, height: 360, deviceScaleFactor: 1 });
await pause(600);
check('resized, the canvas follows', '480x360', await canvasSize(page));
check('nothing thrown', [], page.thrown);
await page.close();

page = await open('?zoom=2&number=1');
seen = await look(page);
checkThat('zoom=2: a character of twice the size', `one region wider or higher than ${Side}`,
  seen.regions === 1 && boxSide(seen.boxes[0]) > Side);
await page.close();

page = await open('', { width: 200, height: 150 });
const first = await look(page);
await pause(800);
const second = await look(page);
const boxes = [...first.boxes, ...second.boxes];
const spread = (from, to) => Math.max(...boxes.map((b) => b[to])) - Math.min(...boxes.map((b) => b[from]));
checkThat('a 200 x 150 window shows the preview: one character spinning in place',
  `pixels both times, all within one ${Side} x ${Side} square`, first.nonblack > 0 && second.nonblack > 0 &&
  spread(0, 2) <= Side && spread(1, 3) <= Side);
await page.close();

page = await open('?number=1', { width: 400, height: 300, scale: 2 });
seen = await look(page);
check('at a density of 2 the canvas has twice the pixels', '800x600', await canvasSize(page));
checkThat('and a character is drawn one sheet pixel a device pixel', `one region no larger than ${Side}`,
  seen.regions === 1 && boxSide(seen.boxes[0]) <= Side && boxSide(seen.boxes[0]) > Side / 2);
await page.close();

// The settings panel: S opens it, OK applies and keeps what it bounded.
page = await open('');
await page.keyboard.press('s');
const opened = await page.evaluate(() => [!document.getElementById('settings').hidden, document.activeElement.id]);
await page.keyboard.down('Control');
await page.keyboard.press('a');
await page.keyboard.up('Control');
await page.keyboard.type('1');
await page.keyboard.press('Enter');
await pause(600);
seen = await look(page);
check('the panel: S opens it on the number field, 1 and Enter leave one character, kept',
  [true, 'setting-number', 1, 'zoom=1&number=1&move-speed=8&rot-speed=16&rot-time-min=16&rot-time-max=48'],
  [...opened, seen.regions, await page.evaluate(() => localStorage.getItem('pennydance.settings'))]);
check('nothing thrown', [], page.thrown);
await page.close();

await browser.close();
finish();
