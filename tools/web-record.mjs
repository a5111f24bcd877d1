// Records the page in headless Chromium: 60 frames of 800 x 600, ten a
// second, as FRAMES/000.png onwards.
//   node web-record.mjs URL FRAMES
import { launchBrowser } from '../tests/web/web_lib.mjs';

const [url, frames] = process.argv.slice(2);
const browser = await launchBrowser();
const page = await browser.newPage({ viewport: { width: 800, height: 600 } });
page.on('console', (message) => console.log(`page: ${message.text()}`));
await page.goto(url);
await page.waitForTimeout(300);
const start = Date.now();
for (let frame = 0; frame < 60; ++frame) {
  await page.screenshot({ path: `${frames}/${String(frame).padStart(3, '0')}.png` });
  const wait = start + (frame + 1) * 100 - Date.now();
  if (wait > 0) await page.waitForTimeout(wait);
}
await browser.close();
