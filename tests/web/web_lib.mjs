// Shared by the page's tests and its benchmark: Debian's Chromium driven by
// the pinned playwright-core (no browser of its own), a static server on
// 127.0.0.1, what a look at the page shows (read by tools/screen_regions, as
// the other suites read their screenshots), and the checks' report in the
// other suites' form.
import { spawn, spawnSync } from 'node:child_process';
import fs from 'node:fs';
import http from 'node:http';
import path from 'node:path';
import { chromium } from 'playwright-core';

export const Chromium = '/usr/bin/chromium';
// As root Chromium needs --no-sandbox; the machine's network is closed, so
// nothing of the browser's own may go out.
export const ChromiumArgs = ['--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-sync',
  '--disable-background-networking', '--disable-component-update'];

export function launchBrowser() {
  return chromium.launch({ executablePath: Chromium, args: ChromiumArgs });
}

const ContentTypes = { '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css', '.png': 'image/png',
  '.webmanifest': 'application/manifest+json' };

// Serves the folder's files (and extra pages by path) on 127.0.0.1; with
// isolated, cross-origin isolated, which gives the pages' clock its finest
// grain (5 us instead of 100 us); headers go with every answer.
export function serveFolder(folder, extraPages = {}, isolated = false, headers = {}) {
  const isolation = { ...(isolated ? { 'Cross-Origin-Opener-Policy': 'same-origin',
    'Cross-Origin-Embedder-Policy': 'require-corp' } : {}), ...headers };
  const server = http.createServer((request, response) => {
    const name = new URL(request.url, 'http://127.0.0.1').pathname;
    if (extraPages[name] !== undefined) {
      response.writeHead(200, { 'Content-Type': 'text/html', ...isolation });
      response.end(extraPages[name]);
      return;
    }
    const file = path.join(folder, path.normalize(name).replace(/^(\.\.[/\\])+/, ''));
    fs.readFile(file, (error, bytes) => {
      if (error) {
        response.writeHead(404);
        response.end();
        return;
      }
      response.writeHead(200, { 'Content-Type': ContentTypes[path.extname(file)] || 'application/octet-stream',
        ...isolation });
      response.end(bytes);
    });
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve({
    origin: `http://127.0.0.1:${server.address().port}`,
    pages: extraPages,  // more may be added while it serves
    close: () => new Promise((done) => server.close(done)),
  })));
}

// screen_regions' report of a PNG: nonblack, key, regions and the regions'
// boxes (x0, y0, x1, y1, pixels).
export function report(png, screenRegions) {
  const ppm = spawnSync('convert', ['png:-', 'ppm:-'], { input: png, maxBuffer: 1 << 28 }).stdout;
  const text = spawnSync(screenRegions, [], { input: ppm, encoding: 'utf8' }).stdout;
  const number = (name) => Number((text.match(new RegExp(`${name}=(\\d+)`)) || [])[1]);
  const boxes = [...text.matchAll(/^region (\d+) (\d+) (\d+) (\d+) (\d+)$/gm)].map((m) => m.slice(1).map(Number));
  return { nonblack: number('nonblack'), key: number('key'), regions: number('regions'), boxes };
}

// What the page shows, in device pixels.
export async function look(page, screenRegions) {
  return report(await page.screenshot(), screenRegions);
}

// Run in a page before its scripts: window.stepsAsked counts each step the
// page asks its timer for.
export const CountSteps = `window.stepsAsked = 0; const later = window.setTimeout;
  window.setTimeout = function (callback, ...rest) {
    if (callback && callback.name === 'step') window.stepsAsked += 1;
    return later.call(this, callback, ...rest);
  };`;

let checks = 0;
let failures = 0;

export function check(name, expected, actual) {
  checks += 1;
  if (JSON.stringify(expected) === JSON.stringify(actual)) {
    console.log(`ok   ${name}`);
  } else {
    failures += 1;
    console.log(`FAIL ${name}: expected [${JSON.stringify(expected)}], got [${JSON.stringify(actual)}]`);
  }
}

export function checkThat(name, what, holds) {
  check(name, what, holds ? what : `not (${what})`);
}

export function finish() {
  console.log(`${checks} checks, ${failures} failed`);
  process.exit(failures === 0 ? 0 : 1);
}

// Chromium on its own, driven over the DevTools protocol without a driver:
// playwright-core keeps every page it drives visible, so that a page's
// hiding behind another tab can only be seen this way. initScript runs in
// the page before its own scripts.
export async function bareChromium(url, initScript = '') {
  const profile = fs.mkdtempSync('/tmp/pennydance-chromium-');
  const browser = spawn(Chromium, ['--headless=new', '--remote-debugging-port=0', `--user-data-dir=${profile}`,
    ...ChromiumArgs, 'about:blank'], { stdio: ['ignore', 'ignore', 'pipe'], detached: true });
  const endpoint = await new Promise((resolve) => {
    let said = '';
    browser.stderr.on('data', (chunk) => {
      said += chunk;
      const found = said.match(/DevTools listening on (ws:\/\/\S+)/);
      if (found) resolve(found[1]);
    });
  });
  const port = new URL(endpoint).port;
  const session = (address) => new Promise((resolve) => {
    const socket = new WebSocket(address);
    const waiting = new Map();
    let next = 0;
    socket.onmessage = (event) => {
      const message = JSON.parse(event.data);
      if (waiting.has(message.id)) waiting.get(message.id)(message.result);
      waiting.delete(message.id);
    };
    socket.onopen = () => resolve((method, params = {}) => new Promise((done) => {
      waiting.set(++next, done);
      socket.send(JSON.stringify({ id: next, method, params }));
    }));
  });
  let targets = [];
  while (!targets.some((t) => t.type === 'page')) {
    await new Promise((r) => setTimeout(r, 100));
    targets = await (await fetch(`http://127.0.0.1:${port}/json/list`)).json();
  }
  const target = targets.find((t) => t.type === 'page');
  const page = await session(target.webSocketDebuggerUrl);
  const whole = await session(endpoint);
  const evaluate = async (expression) => (await page('Runtime.evaluate', { expression, awaitPromise: true })).result.value;
  await page('Page.enable');
  if (initScript !== '') await page('Page.addScriptToEvaluateOnNewDocument', { source: initScript });
  await page('Page.navigate', { url });
  while (await evaluate('location.href === "about:blank" || document.readyState !== "complete"')) {
    await new Promise((r) => setTimeout(r, 50));
  }
  return {
    evaluate,
    openTab: async () => (await whole('Target.createTarget', { url: 'about:blank' })).targetId,
    showPage: () => whole('Target.activateTarget', { targetId: target.id }),
    // Its helper processes, in its process group, may still write to the
    // profile a moment after it ended.
    close: async () => {
      const ended = new Promise((resolve) => browser.on('exit', resolve));
      process.kill(-browser.pid);
      await ended;
      fs.rmSync(profile, { recursive: true, force: true, maxRetries: 20, retryDelay: 100 });
    },
  };
}
