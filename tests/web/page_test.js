// The browser build in Debian's Chromium: the title, the title menu, Start,
// one whole visit, no console errors, and progress that survives a reload.
// Given the desktop build it came from, also: the page's files are the
// build's pristine ones, and the page's frames after scripted clicks match
// the desktop's (frames.js states the measure).
// Usage: node page_test.js DIST_DIR OUT_DIR [DESKTOP_BUILD_DIR]
//   (screenshots and the compared frames land in OUT_DIR)
'use strict';
const { execFileSync } = require('child_process');
const crypto = require('crypto');
const fs = require('fs');
const path = require('path');
const puppeteer = require('puppeteer-core');
const frames = require('./frames');
const { serve } = require('./static_server');
const { check, sleep, run } = require('./checks');

const [dist, out, desktop] = process.argv.slice(2);
if (!dist || !out) {
  console.error('usage: node page_test.js DIST_DIR OUT_DIR [DESKTOP_BUILD_DIR]');
  process.exit(2);
}
fs.mkdirSync(out, { recursive: true });


// The canvas as RGBA bytes.
async function scene(page) {
  const data = await page.evaluate(() => {
    const c = document.getElementById('canvas');
    return Array.from(c.getContext('2d').getImageData(0, 0, c.width, c.height).data);
  });
  return Uint8Array.from(data);
}
function changed(a, b, x0 = 0, y0 = 0, w = 390, h = 260) {
  let n = 0;
  for (let y = y0; y < y0 + h; y++)
    for (let x = x0; x < x0 + w; x++) {
      const i = (y * 390 + x) * 4;
      if (a[i] !== b[i] || a[i + 1] !== b[i + 1] || a[i + 2] !== b[i + 2]) n++;
    }
  return n;
}

// The page's frame after a replay: fixed draws, scripted clicks on a virtual
// clock, held at the stop; RGB and the text rectangles.
async function pageFrame(browser, url, seed, clicks, stop) {
  const context = await browser.createIncognitoBrowserContext();
  try {
    const page = await context.newPage();
    await page.setViewport({ width: 1000, height: 800 });
    const address = `${url}index.html?fixed-random=${seed}&replay=${encodeURIComponent(clicks)}&stop=${stop}`;
    await page.goto(address, { waitUntil: 'load' });
    await page.waitForFunction(() => window.Module && Module.picoReplayDone, { timeout: 60000, polling: 50 });
    const { rgba, rects } = await page.evaluate(() => {
      const c = document.getElementById('canvas');
      return { rgba: Array.from(c.getContext('2d').getImageData(0, 0, c.width, c.height).data), rects: Module.picoTextRects || [] };
    });
    return { rgb: frames.fromRgba(rgba), rects };
  } finally {
    await context.close();
  }
}

// The desktop's frame after the same replay (tests/web/desktop_frame).
function desktopFrame(seed, clicks, stop, name) {
  const bmp = path.join(out, name + '.bmp'), rects = path.join(out, name + '.rects');
  execFileSync(path.join(desktop, 'tests/web/desktop_frame'),
    [path.join(desktop, 'dist'), path.join(desktop, 'defaults'), String(seed), clicks, String(stop), bmp, rects]);
  return { rgb: frames.readBmp(bmp), rects: frames.readRects(rects) };
}

// Two scenes: the title menu, and the shop with its first customer after Start.
const TITLE_CLICKS = '500:195:130,500:195:130';
const SCENES = [
  { name: 'title_menu', clicks: TITLE_CLICKS, stop: 3000 },
  { name: 'shop_customer', clicks: TITLE_CLICKS + ',1500:320:246,1500:60:60' + ',300:60:60'.repeat(5), stop: 8000 },
];
const SEED = 7;

async function compareFrames(browser, url) {
  for (const scene of SCENES) {
    const web = await pageFrame(browser, url, SEED, scene.clicks, scene.stop);
    const here = desktopFrame(SEED, scene.clicks, scene.stop, 'desktop_' + scene.name);
    frames.writeBmp(path.join(out, 'web_' + scene.name + '.bmp'), web.rgb);
    const rects = web.rects.concat(here.rects);
    const result = frames.compare(web.rgb, here.rgb, rects);
    frames.writeBmp(path.join(out, 'diff_' + scene.name + '.bmp'), result.diff);
    check(result.ok, `${scene.name}: the page's frame matches the desktop's (${result.summary})`);
    check(web.rects.length > 0 && here.rects.length > 0, `${scene.name}: both sides report their text (${web.rects.length}, ${here.rects.length} rectangles)`);
    // The measure must see a frame one pixel off, and other random draws.
    const off = frames.compare(web.rgb, frames.shifted(here.rgb), rects);
    check(!off.ok, `${scene.name}: a frame shifted by one pixel is told apart (${off.summary})`);
    const text = frames.compare(web.rgb, frames.textShifted(here.rgb, rects, 1), rects);
    check(!text.textOk, `${scene.name}: text drawn one pixel off is told apart (${text.summary})`);
    if (scene.name === 'shop_customer') {
      const other = desktopFrame(SEED + 1, scene.clicks, scene.stop, 'desktop_other_' + scene.name);
      const drawn = frames.compare(web.rgb, other.rgb, web.rects.concat(other.rects));
      check(!drawn.ok, `${scene.name}: other random draws are told apart (${drawn.summary})`);
    }
  }
}

// The page's files are the pristine ones the desktop build ships, whatever
// has been played in its dist folder.
async function comparePackedFiles(page) {
  const sha = (bytes) => crypto.createHash('sha256').update(bytes).digest('hex');
  const packed = await page.evaluate(() => {
    const read = (p) => Array.from(FS.readFile(p));
    const sounds = FS.readdir('/dat').filter((n) => n.endsWith('.wav'));
    return { myDat: read('/dat/my.dat'), nameDat: read('/dat/name.dat'), ini: read('/SOUNDMIX.INI'),
             sounds: Object.fromEntries(sounds.map((n) => [n, read('/dat/' + n)])) };
  });
  const file = (...p) => fs.readFileSync(path.join(desktop, ...p));
  check(sha(Buffer.from(packed.myDat)) === sha(file('defaults/dat/my.dat')), "the page's my.dat is the build's pristine one");
  check(sha(Buffer.from(packed.nameDat)) === sha(file('defaults/dat/name.dat')), "the page's name.dat is the build's pristine one");
  check(sha(Buffer.from(packed.ini)) === sha(file('defaults/SOUNDMIX.INI')), "the page's SOUNDMIX.INI is the shipped one");
  const names = fs.readdirSync(path.join(desktop, 'dist/dat')).filter((n) => n.endsWith('.wav'));
  const same = names.filter((n) => packed.sounds[n] && sha(Buffer.from(packed.sounds[n])) === sha(file('dist/dat', n)));
  check(names.length > 0 && same.length === names.length && Object.keys(packed.sounds).length === names.length,
    `every sound in the page is byte for byte the desktop's (${same.length} of ${names.length})`);
}

// A file the game opens before its data file has brought it is waited for:
// with the last data file held back, Start waits, then opens the shop as
// soon as the file is in.
async function lateFiles(browser, url, errors) {
  // A context of its own: in the same one the game's first tab holds the progress.
  const context = await browser.createIncognitoBrowserContext();
  const page = await context.newPage();
  page.on('pageerror', (e) => errors.push('held-back page: ' + String(e)));
  page.on('console', (m) => { if (m.type() === 'error') errors.push('held-back page: ' + m.text()); });
  await page.setViewport({ width: 1000, height: 800 });
  await page.setRequestInterception(true);
  let release;
  const released = new Promise((r) => { release = r; });
  page.on('request', (r) => {
    if (r.url().endsWith('/picolatte-more.data')) released.then(() => r.continue());
    else r.continue();
  });
  await page.goto(url + 'index.html', { waitUntil: 'load' });
  await page.waitForFunction(() => window.Module && Module.picoMarks.font, { timeout: 30000 });
  const click = async (x, y) => {
    const b = await page.evaluate(() => { const r = document.getElementById('canvas').getBoundingClientRect(); return [r.left, r.top, r.width / 390]; });
    await page.mouse.click(b[0] + (x + 0.5) * b[2], b[1] + (y + 0.5) * b[2]);
  };
  await click(195, 130); await sleep(500);
  await click(195, 130); await sleep(1500);
  const menu = await scene(page);
  await click(320, 176 + 56 + 14); await sleep(1500);
  const waiting = await page.evaluate(() => ({ waited: Module.picoWaitedFor.map((w) => w.path), all: !!Module.picoMarks.allFiles }));
  check(!waiting.all && waiting.waited.length > 0, `Start waits for a file still on its way (${waiting.waited.join(' ')})`);
  release();
  await page.waitForFunction(() => Module.picoMarks.allFiles, { timeout: 30000 });
  await sleep(1500);
  const shop = await scene(page);
  const message = await page.evaluate(() => document.getElementById('loading').hidden ? '' : document.getElementById('message').textContent);
  check(changed(menu, shop) > 2000 && message === '', 'and opens the shop once it is in' + (message ? ': ' + message : ''));
  await context.close();
}

// On a touch screen a tap is a click; a browser without WebAssembly gets a
// message instead of a game.
async function touchAndNoWasm(browser, url, errors) {
  // A context of its own: in the same one the game's first tab holds the progress.
  const context = await browser.createIncognitoBrowserContext();
  const page = await context.newPage();
  page.on('pageerror', (e) => errors.push('touch page: ' + String(e)));
  await page.setViewport({ width: 1000, height: 800, hasTouch: true, isMobile: true });
  await page.goto(url + 'index.html', { waitUntil: 'load' });
  await page.waitForFunction(() => window.Module && Module.firstFrameMs, { timeout: 30000 });
  await sleep(1000);
  const title = await scene(page);
  const at = await page.evaluate(() => {
    const b = document.getElementById('canvas').getBoundingClientRect();
    return { x: b.left + b.width / 2, y: b.top + b.height / 2 };
  });
  await page.touchscreen.tap(at.x, at.y); await sleep(500);
  await page.touchscreen.tap(at.x, at.y); await sleep(1500);
  check(changed(title, await scene(page)) > 2000, 'two taps show the title menu');
  await context.close();

  const bare = await browser.newPage();
  await bare.evaluateOnNewDocument(() => { delete globalThis.WebAssembly; });
  await bare.goto(url + 'index.html', { waitUntil: 'load' });
  await sleep(500);
  const message = await bare.evaluate(() => document.getElementById('message').textContent);
  check(message.includes('WebAssembly'), 'without WebAssembly the page says so');
  await bare.close();
}

// The page's own words follow the game's language: English from ?lang=en,
// Japanese again once the player switches in the game (the L key).
async function pageLanguage(browser, url, errors) {
  const context = await browser.createIncognitoBrowserContext();
  try {
    const page = await context.newPage();
    page.on('pageerror', (e) => errors.push('English page: ' + String(e)));
    await page.setViewport({ width: 1000, height: 800 });
    await page.goto(url + 'index.html?lang=en', { waitUntil: 'load' });
    await page.waitForFunction(() => window.Module && Module.firstFrameMs, { timeout: 30000 });
    await sleep(1000);
    const words = () => page.evaluate(() => [document.documentElement.lang, document.title,
      ...['fullscreen', 'sheet', 'export'].map((id) => document.getElementById(id).textContent),
      document.getElementById('import').parentNode.textContent].join(' / '));
    const english = await words();
    check(english === 'en / Picolatte / Fullscreen / Save results sheet / Export save / Import save',
      `?lang=en: the page's buttons in English (${english})`);
    await page.keyboard.press('l');
    await page.waitForFunction(() => document.documentElement.lang === 'ja', { timeout: 5000 }).catch(() => {});
    const japanese = await words();
    check(japanese === 'ja / ピコラッテ / 全画面 / 成績表を保存 / セーブを書き出す / セーブを読み込む',
      `L in the game brings the Japanese buttons back (${japanese})`);
  } finally {
    await context.close();
  }
}

// The page and the game read one key list (platform/keys.h): the page knows
// exactly the browser key names the list gives, and each of them pressed on
// the page reaches the game as the list's key.
async function pageKeys(browser, url, errors) {
  const header = fs.readFileSync(path.join(__dirname, '../../platform/keys.h'), 'utf8');
  const order = header.match(/enum class KeyCode \{([^}]*)\}/)[1].replace(/\/\/.*/g, '')
    .split(',').map((s) => s.trim()).filter(Boolean);
  const expected = {};
  for (const m of header.matchAll(/\{KeyCode::(\w+), "[^"]*", "[^"]*", "([^"]*)", (true|false)\}/g))
    for (const name of m[2].split('|')) expected[name] = { key: order.indexOf(m[1]), repeats: m[3] === 'true' };
  check(Object.keys(expected).length >= 20, `the key list reads (${Object.keys(expected).length} browser key names)`);
  const context = await browser.createIncognitoBrowserContext();
  try {
    const page = await context.newPage();
    page.on('pageerror', (e) => errors.push('keys page: ' + String(e)));
    await page.goto(url + 'index.html', { waitUntil: 'load' });
    await page.waitForFunction(() => window.Module && Module.firstFrameMs, { timeout: 30000 });
    const known = await page.evaluate(() => Module.picoKeys);
    check(JSON.stringify(known, Object.keys(known).sort()) === JSON.stringify(expected, Object.keys(expected).sort()),
      'the page knows the browser key names of the key list, each as its key');
    const wrong = [];
    for (const [name, { key }] of Object.entries(expected)) {
      const took = await page.evaluate((name) => new Promise((resolve) => {
        const before = Module.picoKeysTaken || 0;
        window.dispatchEvent(new KeyboardEvent('keydown', { key: name }));
        window.dispatchEvent(new KeyboardEvent('keyup', { key: name }));
        const start = performance.now();
        (function look() {
          if ((Module.picoKeysTaken || 0) > before) resolve(Module.picoLastKey);
          else if (performance.now() - start > 3000) resolve('none');
          else setTimeout(look, 10);
        })();
      }), name);
      if (took !== key) wrong.push(`${name}: ${took} for ${key}`);
    }
    check(wrong.length === 0, 'every browser key name on the list reaches the game as its key' +
      (wrong.length ? ' (' + wrong.join(', ') + ')' : ''));
  } finally {
    await context.close();
  }
}

async function main() {
  const { url, close } = await serve(dist, { gzip: true });
  const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: 'new',
    args: ['--no-sandbox', '--disable-gpu', '--window-size=1000,800', '--autoplay-policy=no-user-gesture-required'],
  });
  const errors = [];
  try {
    const page = await browser.newPage();
    await page.setViewport({ width: 1000, height: 800 });
    page.on('console', (m) => { if (m.type() === 'error') errors.push(m.text()); });
    page.on('pageerror', (e) => errors.push(String(e)));
    page.on('dialog', (d) => { errors.push('dialog: ' + d.message()); d.dismiss(); });

    const shot = (name) => page.screenshot({ path: path.join(out, name + '.png') });
    async function click(x, y) {
      const r = await page.evaluate(() => {
        const b = document.getElementById('canvas').getBoundingClientRect();
        return { left: b.left, top: b.top, scale: b.width / 390 };
      });
      await page.mouse.click(r.left + (x + 0.5) * r.scale, r.top + (y + 0.5) * r.scale);
    }
    const sceneClicks = async (n) => { for (let i = 0; i < n; i++) { await click(60, 60); await sleep(300); } };
    const choice = async (k) => { await click(320, 176 + 28 * (k - 1) + 14); await sleep(1200); };

    const started = Date.now();
    await page.goto(url + 'index.html', { waitUntil: 'load' });
    await page.waitForFunction(() => window.Module && Module.firstFrameMs, { timeout: 30000 });
    const firstFrame = await page.evaluate(() => Module.firstFrameMs);
    console.log(`first title frame ${firstFrame.toFixed(0)} ms after navigation (${Date.now() - started} ms wall)`);
    // The data files after the first come in the background; the first
    // picture waited for none of their files.
    await page.waitForFunction(() => Module.picoMarks.allFiles, { timeout: 30000 });
    const waited = await page.evaluate(() => Module.picoWaitedFor.filter((w) => !w.firstFrame).map((w) => w.path));
    check(waited.length === 0, 'the first picture needs only the first data file' + (waited.length ? ': it waited for ' + waited.join(' ') : ''));
    if (desktop) await comparePackedFiles(page);
    // Tap the page's sound output: the loudest sample heard from here on.
    // Its context is made in a quiet moment after the first picture.
    await page.waitForFunction(() => Module.webAudio && Module.webAudio.ctx, { timeout: 10000 }).catch(() => {});
    const tapped = await page.evaluate(() => {
      const wa = Module.webAudio;
      window.audioPeak = 0;
      if (!wa || !wa.ctx || !wa.out) return false;
      const analyser = wa.ctx.createAnalyser();
      analyser.fftSize = 1024;
      wa.out.connect(analyser);
      const samples = new Float32Array(analyser.fftSize);
      setInterval(() => {
        analyser.getFloatTimeDomainData(samples);
        for (const v of samples) window.audioPeak = Math.max(window.audioPeak, Math.abs(v));
      }, 5);
      return true;
    });
    check(tapped, 'the page has a Web Audio output');
    await sleep(1000);
    const title = await scene(page);
    await shot('0_title');
    const lit = title.filter((v, i) => i % 4 !== 3 && v > 16).length;
    check(lit > 390 * 260, 'the title is on the canvas');
    const scale = await page.evaluate(() => document.getElementById('canvas').getBoundingClientRect().width / 390);
    check(scale === Math.floor(scale) && scale >= 2, `the scene is shown at a whole scale (${scale})`);

    await click(195, 130); await sleep(500);
    await click(195, 130); await sleep(1500);
    const menu = await scene(page);
    await shot('1_title_menu');
    check(changed(title, menu) > 2000, 'two clicks show the title menu');
    const peak = await page.evaluate(() => window.audioPeak);
    check(peak > 0.02, `the title clicks are heard through Web Audio (peak ${peak.toFixed(3)})`);
    // M, - and + set the level of the page's sound output, on the desktop's
    // curve (the square of the percentage).
    const gains = [];
    for (const key of ['m', 'm', '-', '+']) {
      await page.keyboard.press(key);
      await sleep(200);
      gains.push(await page.evaluate(() => Module.webAudio.out.gain.value));
    }
    const near = (a, b) => Math.abs(a - b) < 1e-6;
    check(near(gains[0], 0) && near(gains[1], 1) && near(gains[2], 0.81) && near(gains[3], 1),
      `M mutes and unmutes, - lowers and + raises the sound (gains ${gains.map((g) => g.toFixed(3)).join(' ')})`);
    await sleep(1500);  // the volume notice fades
    const [tab, caption] = await page.evaluate(() => [document.title, document.getElementById('caption').textContent]);
    check(tab === 'ピコラッテ', `the tab keeps the game's name (${tab})`);
    check(/^FLM:\d+ 1F@\d+ms\.$/.test(caption), `the frame readout is on the page's caption line (${caption})`);

    await choice(3);
    const shop = await scene(page);
    await shot('2_shop_open');
    check(changed(menu, shop) > 2000, 'Start opens the shop');
    await sceneClicks(6);
    const customer = await scene(page);
    await shot('3_customer');
    check(changed(shop, customer) > 2000, 'a customer comes in');
    await choice(3); await shot('4_wrapped');
    await choice(3); await shot('5_folded');
    await choice(2);
    await sceneClicks(8);
    const paid = await scene(page);
    await shot('6_paid');
    await choice(3);
    await sceneClicks(6);
    const next = await scene(page);
    await shot('7_next_customer');
    check(changed(paid, next) > 2000, 'the visit ends and the shop moves on');
    check(changed(shop, next, 120, 0, 150, 100) > 2000, 'a customer stands behind the counter after 次');

    // Progress: the play count of this start must come back after a reload.
    // Another tab in front hides the page, which saves like closing the window.
    const other = await browser.newPage();
    await other.bringToFront();
    await sleep(1500);
    const hidden = await page.evaluate(() => document.visibilityState);
    await other.close();
    await page.bringToFront();
    console.log('page was ' + hidden + ' behind another tab');
    await page.reload({ waitUntil: 'load' });
    await page.waitForFunction(() => window.Module && Module.firstFrameMs, { timeout: 30000 });
    const sheet = await page.evaluate(() => {
      try {
        return new TextDecoder('shift_jis').decode(FS.readFile('/save/成績.txt'));
      } catch (e) {
        return 'ERR ' + e;
      }
    });
    const plays = /プレー回数: (\d+)回/.exec(sheet);
    check(plays && Number(plays[1]) >= 1, `the results sheet kept over a reload counts the play (${plays ? plays[1] : 'none'})`);
    const stored = await page.evaluate(() => new Promise((resolve) => {
      const req = indexedDB.open('/save');
      req.onsuccess = () => {
        const db = req.result;
        const tx = db.transaction(db.objectStoreNames[0], 'readonly');
        const keys = tx.objectStore(db.objectStoreNames[0]).getAllKeys();
        keys.onsuccess = () => resolve(keys.result.map(String));
      };
      req.onerror = () => resolve([]);
    }));
    check(stored.some((k) => k.endsWith('my.dat')), 'my.dat is in the browser storage');
    // The music is served beside the page and fetched once the game runs.
    const music = await page.evaluate(() => new Promise((resolve) => {
      const bytes = Module.picoMusicBytes('/dat/shop.ogg');
      if (!bytes) return resolve(-1);
      bytes.then((b) => resolve(b.byteLength), () => resolve(0));
    }));
    check(music > 10000, `the music comes from beside the page (shop.ogg, ${music} bytes)`);

    if (desktop) await compareFrames(browser, url);
    await touchAndNoWasm(browser, url, errors);
    await pageLanguage(browser, url, errors);
    await pageKeys(browser, url, errors);
    await lateFiles(browser, url, errors);
  } finally {
    await browser.close();
    await close();
  }
  check(errors.length === 0, 'no errors in the console' + (errors.length ? ': ' + errors.join(' | ') : ''));
}

run(main);
