// The web page replays the sample game's recorded play in headless Chromium and must compute the
// very frames and trace that `dunmere --headless` does with the same input and seed, and so does a
// game made from kit-game's template (a choice, a battle won, a battle left by 撤退); a game saved
// at the well in one visit of the page is loaded from the title after a reload, as the desktop
// loads it, by that game only, and two pages of one game keep each other's saves; a refused save
// says so; without browser storage the game plays on; a missing game file does not stop the game.
// Also prints the page's load time to the first frame and its time per frame beside the desktop's.
// Run by ./kit test after ./kit web; needs build/bin/dunmere, build/bin/kit-game, build/sample-game,
// build/web-kit and build-web/site.
import { execFileSync } from 'node:child_process';
import { createRequire } from 'node:module';
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import zlib from 'node:zlib';

const root = path.resolve(path.dirname(new URL(import.meta.url).pathname), '../..');
const require = createRequire(path.join(root, 'engine/platform/web/package.json'));
const { chromium } = require('playwright-core');

const site = path.join(root, 'build-web/site');
const input = path.join(root, 'sample/demo.input');
const lastFrame = 6870;  // the recorded play quits at 6880
const dumped = [];
for (let f = 100; f <= lastFrame; f += 145) dumped.push(f);

// Decodes an 8-bit RGB, non-interlaced PNG (what the engine writes) into its RGB bytes.
function pngPixels(file) {
  const png = fs.readFileSync(file);
  const width = png.readUInt32BE(16), height = png.readUInt32BE(20);
  const chunks = [];
  for (let at = 8; at < png.length;) {
    const length = png.readUInt32BE(at);
    if (png.toString('ascii', at + 4, at + 8) === 'IDAT') chunks.push(png.subarray(at + 8, at + 8 + length));
    at += 12 + length;
  }
  const raw = zlib.inflateSync(Buffer.concat(chunks));
  const stride = width * 3, out = Buffer.alloc(stride * height);
  for (let y = 0; y < height; y++) {
    const filter = raw[y * (stride + 1)];
    for (let x = 0; x < stride; x++) {
      const v = raw[y * (stride + 1) + 1 + x];
      const a = x >= 3 ? out[y * stride + x - 3] : 0;
      const b = y > 0 ? out[(y - 1) * stride + x] : 0;
      const c = x >= 3 && y > 0 ? out[(y - 1) * stride + x - 3] : 0;
      const p = a + b - c, pa = Math.abs(p - a), pb = Math.abs(p - b), pc = Math.abs(p - c);
      const paeth = pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
      out[y * stride + x] = (v + [0, a, b, (a + b) >> 1, paeth][filter]) & 255;
    }
  }
  return out;
}

// One trace line, "FRAME KIND REST" as the engine writes it, as { frame, kind, rest }.
function parseTraceLine(line) {
  const match = /^(\d+) (\S+)(?: (.*))?$/.exec(line);
  return match ? { frame: Number(match[1]), kind: match[2], rest: match[3] ?? '' } : null;
}
const traceLines = (text) => text.split('\n').filter((line) => parseTraceLine(line) !== null);

// Runs the desktop's headless engine on the sample game (or another); returns its trace lines.
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'dunmere-web-'));
function desktopRun(inputFile, frames, trace, extra = [], game = path.join(root, 'build/sample-game')) {
  fs.mkdirSync(path.join(work, 'touch'), { recursive: true });
  try {
    execFileSync(path.join(root, 'build/bin/dunmere'), ['--headless', '--game-dir', game,
      '--input', inputFile, '--seed', '1', '--frames', String(frames), '--dump-dir', work,
      '--trace', path.join(work, trace), ...extra], { stdio: ['ignore', 'ignore', 'ignore'] });
  } catch (e) {
    if (e.status !== 1) throw e;  // 1 is the orderly end at the frame limit
  }
  return traceLines(fs.readFileSync(path.join(work, trace), 'utf8'));
}

// The desktop's frames and trace, and its time per frame.
const started = process.hrtime.bigint();
const nativeTrace = desktopRun(input, lastFrame, 'trace.txt', ['--dump-frames', dumped.join(',')]);
const nativeMsPerFrame = Number(process.hrtime.bigint() - started) / 1e6 / lastFrame;

// Saving at the well (the recorded play's opening, then up and left to the well, which Shift reads;
// Shift saves in DATA 1, or DATA 2 one line down), and a later visit that loads DATA 1 from the
// title and walks on.
const opening = fs.readFileSync(input, 'utf8').split('\n')
  .filter((l) => l.length > 0 && l[0] !== '#' && parseInt(l, 10) < 1415).join('\n');
const toWell = opening + '\n1420 up\n1452\n1460 left\n1476\n1490 up\n1494\n1640 shift\n1642\n1680 shift\n1682\n';
const inputs = {
  '/save.input': toWell + '1700 shift\n1702\n',
  '/save2.input': toWell + '1690 down\n1692\n1700 shift\n1702\n',
  '/touch.input': opening + '\n1420 up\n1452\n1460 left\n1492\n1600 right shift\n1620 down shift\n1640 down\n1650\n',
  '/load.input': '1 shift\n3\n20 down\n22\n40 shift\n42\n100 shift\n102\n120 left\n136\n140 down\n172\n',
};
for (const [name, text] of Object.entries(inputs)) fs.writeFileSync(path.join(work, name), text);
const saveDir = ['--save-dir', path.join(work, 'saves')];
const nativeSaveTrace = desktopRun(path.join(work, 'save.input'), 1760, 'save.txt', saveDir);
const nativeSave2Trace = desktopRun(path.join(work, 'save2.input'), 1760, 'save2.txt', saveDir);
const touchDumps = [1500, 1590, 1630, 1660];
desktopRun(path.join(work, 'touch.input'), 1660, 'touch.txt', ['--dump-frames', touchDumps.join(','), '--dump-dir', path.join(work, 'touch')]);
const nativeLoadTrace = desktopRun(path.join(work, 'load.input'), 240, 'load.txt', saveDir);
const nativeNoSaveLoadTrace = desktopRun(path.join(work, 'load.input'), 240, 'load0.txt', ['--save-dir', path.join(work, 'none')]);

// A game made as a newcomer makes one: kit-game's template, whose villager asks a yes/no question
// and starts a battle on はい; this copy also keeps the battle's outcome in game variable 1. Its
// demo answers はい and wins (the switch goes on); the second play answers はい too, then chooses
// 撤退 (Down three times in the command menu), which with seed 1 gets the party away.
const kitGame = (...args) => execFileSync(path.join(root, 'build/bin/kit-game'), args, { stdio: 'pipe' });
const made = path.join(work, 'made'), madeGame = path.join(work, 'made-game'), madeSite = path.join(work, 'made-site');
kitGame('new', made);
const villager = path.join(made, 'ev/chr/villager.script');
fs.writeFileSync(villager, fs.readFileSync(villager, 'utf8').replace('battle 0\n', 'battle 0\ngamevar 1 set p2\n'));
kitGame('build', made, madeGame);
kitGame('export', '--web', made, madeSite, '--built', madeGame);
const madeDemo = fs.readFileSync(path.join(made, 'demo.input'), 'utf8');
inputs['/made.input'] = madeDemo;
inputs['/retreat.input'] = madeDemo.split('\n').filter((l) => l.length > 0 && l[0] !== '#' && parseInt(l, 10) < 300)
  .join('\n') + '\n300 shift\n302\n315 down\n317\n330 down\n332\n345 down\n347\n360 shift\n362\n';
const madeRuns = [
  { input: '/made.input', frames: 1060, dumps: [230, 360, 700, 900], wants: ['choice 0', 'battle start 0', 'battle end won', 'var 1 0', 'switch 1 on'] },
  { input: '/retreat.input', frames: 480, dumps: [230, 355, 368, 470], wants: ['choice 0', 'battle start 0', 'battle end retreated', 'var 1 1'] },
];
for (const run of madeRuns) {
  const name = `${run.input.slice(1, -'.input'.length)}-frames`;
  fs.writeFileSync(path.join(work, run.input), inputs[run.input]);
  fs.mkdirSync(path.join(work, name));
  run.trace = desktopRun(path.join(work, run.input), run.frames, `${name}.trace`,
    ['--dump-frames', run.dumps.join(','), '--dump-dir', path.join(work, name)], madeGame);
  run.frameFile = (frame) => path.join(work, name, `frame-${String(frame).padStart(6, '0')}.png`);
}

// The page, served from 127.0.0.1 only, with the recorded input beside it. Under /a/ the same page
// again; under /b/ another game (its own game.id); under /missing/ without one music file; under
// /nolist/ without the game's file list.
const types = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm' };
// The exported zip, unpacked into an empty folder, served as it is.
const unpacked = path.join(work, 'unpacked');
execFileSync('python3', ['-m', 'zipfile', '-e', path.join(root, 'build-web/game.zip'), unpacked]);
const siteFiles = fs.readFileSync(path.join(site, 'game/files.txt'), 'utf8');
const server = http.createServer((request, response) => {
  let name = decodeURIComponent(new URL(request.url, 'http://localhost').pathname);
  const variant = /^\/(a|b|missing|nolist|export|made)\//.exec(name)?.[1];
  if (variant) name = name.slice(variant.length + 1);
  const root = { export: unpacked, made: madeSite }[variant] ?? site;
  const replayed = { '/replay.input': input };
  for (const file of Object.keys(inputs)) replayed[file] = path.join(work, file);
  const answer = (data, type) => response.writeHead(200, { 'Content-Type': type }).end(data);
  if (variant === 'b' && name === '/game/game.id') return answer('another-game\n', 'text/plain');
  if (variant === 'b' && name === '/game/files.txt') return answer(siteFiles + 'game.id\n', 'text/plain');
  if ((variant === 'missing' && name === '/game/BGM/btl2.mid') || (variant === 'nolist' && name === '/game/files.txt'))
    return response.writeHead(404).end();
  const file = replayed[name] || path.join(root, path.normalize(name === '/' ? '/index.html' : name));
  if (!file.startsWith(root) && !replayed[name]) return response.writeHead(403).end();
  fs.readFile(file, (error, data) => {
    if (error) return response.writeHead(404).end();
    answer(data, types[path.extname(file)] || 'application/octet-stream');
  });
});
await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
const address = `http://127.0.0.1:${server.address().port}/`;

let passed = 0, failed = 0;
const sameTrace = (a, b) => JSON.stringify(a) === JSON.stringify(b);
function check(ok, what) {
  if (ok) passed++;
  else { failed++; console.log(`FAILED: ${what}`); }
}

const browser = await chromium.launch({ executablePath: '/usr/bin/chromium', args: ['--no-sandbox'] });
try {
  const context = await browser.newContext();
  const page = await context.newPage();
  page.on('pageerror', (e) => console.log(`page error: ${e}`));
  await page.goto(`${address}index.html?input=replay.input&seed=1&frames=${lastFrame}&dump=${dumped.join(',')}`);
  await page.waitForFunction(() => window.kitResult.done || window.kitResult.error, null, { timeout: 300000 });
  const result = await page.evaluate(() => window.kitResult);
  check(!result.error, `the page started: ${result.error}`);
  check(result.framesRun === lastFrame, `the page ran ${result.framesRun} frames, not ${lastFrame}`);
  check(JSON.stringify(result.trace) === JSON.stringify(nativeTrace),
    `the page's trace (${result.trace.length} lines) equals the desktop's (${nativeTrace.length})`);
  for (const frame of dumped) {
    const web = Buffer.from(result.frames[frame] || '', 'base64');
    const desktop = pngPixels(path.join(work, `frame-${String(frame).padStart(6, '0')}.png`));
    check(web.equals(desktop), `frame ${frame} equals the desktop's`);
  }

  // The template's game: a choice, a battle won and one left by 撤退, with its variable and switch.
  for (const run of madeRuns) {
    await page.goto(`${address}made/index.html?input=${run.input.slice(1)}&seed=1&frames=${run.frames}&dump=${run.dumps.join(',')}`);
    await page.waitForFunction(() => window.kitResult.done || window.kitResult.error, null, { timeout: 120000 });
    const played = await page.evaluate(() => window.kitResult);
    let at = 0;
    for (const want of run.wants) {
      at = run.trace.findIndex((line, i) => i >= at && parseTraceLine(line).kind + ' ' + parseTraceLine(line).rest === want) + 1;
      check(at > 0, `${run.input}: the desktop's trace shows ${want}, in order`);
    }
    check(!played.error && sameTrace(played.trace, run.trace),
      `${run.input}: the page's trace (${played.trace.length} lines) equals the desktop's (${run.trace.length}) (${played.error})`);
    for (const frame of run.dumps)
      check(Buffer.from(played.frames[frame] || '', 'base64').equals(pngPixels(run.frameFile(frame))),
        `${run.input}: frame ${frame} equals the desktop's`);
  }

  // A save in one visit, kept in the browser's storage, loaded in the next by this game only. A page
  // of the same game opened before the save (its input held back until then) saves DATA 2 later
  // and must leave DATA 1 alone.
  const visit = async (at, inputName, frames, onPage = page) => {
    await onPage.goto(`${address}${at}index.html?input=${inputName}&seed=1&frames=${frames}&saves=browser`);
    await onPage.waitForFunction(() => window.kitResult.done || window.kitResult.error, null, { timeout: 120000 })
      .catch(() => {});
    return onPage.evaluate(() => window.kitResult);
  };
  const otherTab = await page.context().newPage();
  let releaseOtherTab;
  const held = new Promise((resolve) => { releaseOtherTab = resolve; });
  await otherTab.route('**/save2.input', async (route) => { await held; await route.continue(); });
  const otherVisit = visit('a/', 'save2.input', 1760, otherTab);
  await otherTab.waitForFunction(() => document.readyState === 'complete');
  const saved = await visit('a/', 'save.input', 1760);
  check(sameTrace(saved.trace, nativeSaveTrace), 'the visit that saves plays as the desktop');
  check(saved.savesStored > 0, 'the save reached the browser storage');
  releaseOtherTab();
  const saved2 = await otherVisit;
  check(sameTrace(saved2.trace, nativeSave2Trace), `the other page saves DATA 2 as the desktop (${saved2.error})`);
  await otherTab.close();
  check(sameTrace((await visit('a/', 'load.input', 240)).trace, nativeLoadTrace),
    'the next visit loads DATA 1 as the desktop does, after the other page saved DATA 2');
  check(sameTrace((await visit('b/', 'load.input', 240)).trace, nativeNoSaveLoadTrace),
    'another game on the same site does not see those saves');

  // A save the browser refuses is reported as the desktop reports a failed save; without any
  // storage the game plays on, its saves kept for the visit, and the page says so.
  const refusing = await browser.newContext();
  await refusing.addInitScript(() => {
    Storage.prototype.setItem = () => { throw new DOMException('full', 'QuotaExceededError'); };
  });
  const refused = await visit('a/', 'save.input', 1760, await refusing.newPage());
  check(refused.trace.some((line) => parseTraceLine(line).kind === 'box' &&
    parseTraceLine(line).rest.includes('セーブできませんでした')), 'a refused save shows セーブできませんでした');
  await refusing.close();
  const storeless = await browser.newContext();
  await storeless.addInitScript(() => {
    Object.defineProperty(window, 'localStorage', { get: () => { throw new DOMException('denied', 'SecurityError'); } });
    Object.defineProperty(window, 'indexedDB', { get: () => undefined });
  });
  const storelessPage = await storeless.newPage();
  const unstored = await visit('a/', 'save.input', 1760, storelessPage);
  check(sameTrace(unstored.trace, nativeSaveTrace), `without browser storage the game plays and saves (${unstored.error})`);
  check(await storelessPage.locator('#notice').isVisible(), 'without browser storage the page says so');
  await storeless.close();

  // One missing music file leaves the game playing; a missing file list is named.
  const missing = await visit('missing/', 'replay.input', 300);
  check(!missing.error && missing.framesRun === 300 && missing.missing.includes('BGM/btl2.mid'),
    `the game plays without BGM/btl2.mid (${missing.error})`);
  const unlisted = await visit('nolist/', 'replay.input', 300);
  check(/files\.txt/.test(unlisted.error || '') && /files\.txt/.test(await page.locator('#status').textContent()),
    `a missing files.txt is named on the page (${unlisted.error})`);

  // A phone: the touch controls show, and taps on them play the recorded play's opening and a walk
  // to the elder, then one thumb walks (sliding from right to down) while the other holds 決定;
  // the frames equal the desktop's with the same keys, and every frame's keys are the intended.
  const phone = await browser.newContext({ viewport: { width: 390, height: 844 }, hasTouch: true, isMobile: true,
    locale: 'ja-JP' });
  const touchPage = await phone.newPage();
  await touchPage.goto(`${address}index.html?keys=page&seed=1&dump=${touchDumps.join(',')}`);
  await touchPage.waitForFunction(() => window.kitResult.stepping || window.kitResult.error);
  check(await touchPage.locator('#dpad').isVisible(), 'a touch screen shows the direction pad');
  check((await touchPage.locator('#ok').textContent()) === '決定', 'the buttons speak the page\'s language');
  const cdp = await phone.newCDPSession(touchPage);
  const box = async (selector) => touchPage.locator(selector).boundingBox();
  const pad = await box('#dpad'), ok = await box('#ok'), back = await box('#back');
  const padPoint = { up: [0, -0.35], down: [0, 0.35], left: [-0.35, 0], right: [0.35, 0] };
  const fingerAt = (keys) => {
    const fingers = new Map();
    for (const key of keys) {
      if (padPoint[key]) fingers.set(1, { x: pad.x + pad.width * (0.5 + padPoint[key][0]), y: pad.y + pad.height * (0.5 + padPoint[key][1]) });
      if (key === 'shift') fingers.set(2, { x: ok.x + ok.width / 2, y: ok.y + ok.height / 2 });
      if (key === 'ctrl') fingers.set(3, { x: back.x + back.width / 2, y: back.y + back.height / 2 });
    }
    return fingers;
  };
  const bits = { up: 1, down: 2, left: 4, right: 8, shift: 16, ctrl: 32 };
  let fingers = new Map(), frame = 0, keysRight = true;
  const points = (map) => [...map].map(([id, p]) => ({ id, x: p.x, y: p.y }));
  const runTo = async (target) => {
    await touchPage.evaluate((n) => window.kitStep(n), target - frame);
    await touchPage.waitForFunction((f) => window.kitResult.frame >= f, target);
    frame = target;
  };
  const lines = inputs['/touch.input'].split('\n').filter((l) => l.length > 0).map((l) => l.split(' '));
  for (const [at, ...keys] of lines) {
    await runTo(Number(at) - 1);
    const next = fingerAt(keys);
    const kept = new Map([...fingers].filter(([id]) => next.has(id)));
    // Lifting one finger of several: all lift and the others come down again at once, between
    // two frames (the devtools' touch events cannot lift one finger of several reliably).
    if (kept.size < fingers.size) {
      await cdp.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
      if (kept.size) await cdp.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: points(kept) });
    }
    const moved = new Map([...kept].map(([id]) => [id, next.get(id)]));
    if (moved.size) await cdp.send('Input.dispatchTouchEvent', { type: 'touchMove', touchPoints: points(moved) });
    if (next.size > moved.size) await cdp.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: points(next) });
    fingers = next;
    await runTo(Number(at));
    const want = keys.reduce((sum, key) => sum | bits[key], 0);
    if ((await touchPage.evaluate(() => window.kitKeys())) !== want) keysRight = false;
  }
  await runTo(touchDumps[touchDumps.length - 1] + 1);
  check(keysRight, 'every tap and slide gives the keys it stands for');
  const touched = await touchPage.evaluate(() => window.kitResult);
  for (const dump of touchDumps) {
    const desktop = pngPixels(path.join(work, 'touch', `frame-${String(dump).padStart(6, '0')}.png`));
    check(Buffer.from(touched.frames[dump] || '', 'base64').equals(desktop), `with touch, frame ${dump} equals the desktop's`);
  }
  await touchPage.keyboard.press('ArrowUp');
  check(!(await touchPage.locator('#dpad').isVisible()), 'a key hides the touch controls');
  await phone.close();

  // The exported zip, unpacked and served: the recorded play up to the talk with the girl.
  const exported = await visit('export/', 'replay.input', 1600);
  check(sameTrace(exported.trace, nativeTrace.filter((l) => parseTraceLine(l).frame <= 1600)),
    `the exported zip plays the sample (${exported.error})`);
  check((await page.title()) === 'Dunmere: the sample game', `the page's title is the game's (${await page.title()})`);

  // What a player downloads: each file of the page, precompressed where a .gz is beside it.
  let bytes = 0;
  for (const file of fs.readdirSync(site, { recursive: true })) {
    const full = path.join(site, file);
    if (file.endsWith('.gz') || file.startsWith('.') || !fs.statSync(full).isFile()) continue;
    bytes += fs.statSync(fs.existsSync(full + '.gz') ? full + '.gz' : full).size;
  }
  console.log(`web: the sample's page is ${(bytes / 1e6).toFixed(2)} MB to download`);
  check(bytes < 2.5e6, 'the sample\'s page is under 2.5 MB');

  // Playing as a player does: the time from navigation to the first frame, per-frame engine time.
  const live = await browser.newPage({ locale: 'en-US' });
  await live.goto(`${address}index.html`);
  await live.waitForFunction(() => window.kitResult.firstFrameMs !== null, null, { timeout: 60000 });
  check((await live.locator('#sound-hint').textContent()).startsWith('Press'), 'an English browser gets English words');
  await live.mouse.click(5, 400);
  check(!(await live.locator('#sound-hint').isVisible()), 'a click anywhere starts the sound and hides the hint');
  const firstFrameMs = await live.evaluate(() => window.kitResult.firstFrameMs);
  console.log(`web: first frame ${firstFrameMs.toFixed(0)} ms after navigation; ` +
    `${(result.engineMs / result.framesRun).toFixed(3)} ms per frame in the page, ` +
    `${nativeMsPerFrame.toFixed(3)} ms per frame natively (whole headless run)`);
} finally {
  await browser.close();
  server.close();
  fs.rmSync(work, { recursive: true, force: true });
}
console.log(`web: ${passed} passed, ${failed} failed`);
process.exit(failed === 0 ? 0 : 1);
