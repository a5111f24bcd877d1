// The page's script and canvas against the shared model: each render case
// of the Windows renderer's and the X11 program's tests runs in the page of
// build/web-check/ (the page's own index.html and page.js, with a module that
// steps the case instead of the animation). After the case's last step the
// picture must be the model's, and the canvas must show exactly the picture.
//   node render_check.mjs WEB_CHECK_DIR
import { check, finish, launchBrowser } from './web_lib.mjs';

const folder = process.argv[2];
const browser = await launchBrowser();
// The cases' stage, one canvas pixel a device pixel.
const page = await browser.newPage({ viewport: { width: 640, height: 560 }, deviceScaleFactor: 1 });

async function runCase(index) {
  await page.goto(`file://${folder}/index.html?case=${index}`);
  await page.waitForFunction(() => document.title.startsWith('done'), null, { timeout: 20000 });
  return page.evaluate(() => {
    const canvas = document.getElementById('pennydance');
    const shown = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
    let differing = 0;
    for (let i = 0; i < shown.length; i += 4) {
      if (shown[i] !== window.renderModel[i] || shown[i + 1] !== window.renderModel[i + 1] ||
          shown[i + 2] !== window.renderModel[i + 2]) differing += 1;
    }
    return { name: window.renderCaseName, count: window.renderCaseCount, picture: document.title, differing };
  });
}

const first = await runCase(0);
for (let index = 0; index < first.count; ++index) {
  const result = index === 0 ? first : await runCase(index);
  check(`${result.name}: the picture is the model's`, 'done 0', result.picture);
  check(`${result.name}: the canvas shows the picture, pixel for pixel`, 0, result.differing);
}
check('the render cases ran', true, first.count > 0);
await browser.close();
finish();
