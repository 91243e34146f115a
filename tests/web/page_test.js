// The browser build in Debian's Chromium: the title, the title menu, Start,
// one whole visit, no console errors, and progress that survives a reload.
// Usage: node page_test.js DIST_DIR OUT_DIR   (screenshots land in OUT_DIR)
'use strict';
const { spawn } = require('child_process');
const fs = require('fs');
const net = require('net');
const path = require('path');
const puppeteer = require('puppeteer-core');

const [dist, out] = process.argv.slice(2);
if (!dist || !out) {
  console.error('usage: node page_test.js DIST_DIR OUT_DIR');
  process.exit(2);
}
fs.mkdirSync(out, { recursive: true });

let failures = 0;
function check(ok, what) {
  console.log((ok ? 'ok   ' : 'FAIL ') + what);
  if (!ok) failures++;
}
const sleep = (ms) => new Promise((r) => setTimeout(r, ms));

function freePort() {
  return new Promise((resolve) => {
    const s = net.createServer();
    s.listen(0, '127.0.0.1', () => {
      const port = s.address().port;
      s.close(() => resolve(port));
    });
  });
}

async function serve(dir) {
  const port = await freePort();
  const server = spawn('python3', ['-m', 'http.server', String(port), '--bind', '127.0.0.1'],
    { cwd: dir, stdio: 'ignore' });
  for (let i = 0; i < 100; i++) {
    const up = await new Promise((r) => {
      const c = net.connect(port, '127.0.0.1', () => { c.end(); r(true); });
      c.on('error', () => r(false));
    });
    if (up) break;
    await sleep(100);
  }
  return { server, url: `http://127.0.0.1:${port}/` };
}

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

async function main() {
  const { server, url } = await serve(dist);
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
    // Tap the page's sound output: the loudest sample heard from here on.
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
  } finally {
    await browser.close();
    server.kill();
  }
  check(errors.length === 0, 'no errors in the console' + (errors.length ? ': ' + errors.join(' | ') : ''));
  if (failures) {
    console.log(`${failures} check(s) failed`);
    process.exit(1);
  }
}

main().catch((e) => {
  console.error(e);
  process.exit(1);
});
