// The page's script and canvas against the shared model: each render case
// of the Windows renderer's and the X11 program's tests runs in the page of
// build/web-check/ (the page's own index.html and page.js, with a module that
// steps the case instead of the animation). After the case's last step the
// picture must be the model's, and the canvas must show exactly the picture.
// Every case runs with both builds of the module: the SIMD one the page
// chooses in Chromium, and the scalar one it chooses in a browser without
// WebAssembly SIMD (made so by a WebAssembly.validate that accepts nothing).
//   node render_check.mjs WEB_CHECK_DIR
import { check, finish, launchBrowser } from './web_lib.mjs';

const folder = process.argv[2];
const browser = await launchBrowser();

async function runCase(page, index) {
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
    return { name: window.renderCaseName, count: window.renderCaseCount, build: window.renderBuild,
      picture: document.title, differing };
  });
}

for (const build of ['SIMD', 'scalar']) {
  // The cases' stage, one canvas pixel a device pixel.
  const page = await browser.newPage({ viewport: { width: 640, height: 560 }, deviceScaleFactor: 1 });
  if (build === 'scalar') await page.addInitScript(() => { WebAssembly.validate = () => false; });
  const first = await runCase(page, 0);
  check(`the page chose the ${build} build`, build, first.build);
  for (let index = 0; index < first.count; ++index) {
    const result = index === 0 ? first : await runCase(page, index);
    check(`${result.name} (${build}): the picture is the model's`, 'done 0', result.picture);
    check(`${result.name} (${build}): the canvas shows the picture, pixel for pixel`, 0, result.differing);
  }
  check(`the render cases ran (${build})`, true, first.count > 0);
  await page.close();
}
await browser.close();
finish();
