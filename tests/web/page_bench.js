// Figures of the web page in Debian's headless Chromium, served from
// 127.0.0.1 by a server that gzips every file (static_server.js):
//   - every file the page fetches while it loads (until every data file is
//     in and the network has been quiet for 2 s, so that files fetched in
//     the background count), raw and as gzip sent it;
//   - navigation to the first title frame, median of LOADS fresh loads (no
//     cache, no stored progress), with the page's own marks on the way, on
//     127.0.0.1 as it is and through Chromium's network emulation of two
//     slower links (20 Mbit/s with 40 ms latency, 8 Mbit/s with 60 ms, a
//     typical mobile link); the same loads tell when the font and when every
//     file were in;
//   - CPU while the game waits (the title, the title menu, the first click
//     wait after Start), over SECONDS each: the page's main thread and each
//     of Chromium's processes.
// Given more builds (an older dist folder, say), the loads of all of them
// take turns, so that a machine busy with other work weighs on each alike.
// Prints figures only; nothing is asserted.
// Usage: node page_bench.js DIST_DIR [LOADS] [SECONDS] [OTHER_DIST_DIR...]
'use strict';
const fs = require('fs');
const os = require('os');
const path = require('path');
const puppeteer = require('puppeteer-core');
const { serve } = require('./static_server');

const [dist, loadsArg, secondsArg, ...others] = process.argv.slice(2);
if (!dist) {
  console.error('usage: node page_bench.js DIST_DIR [LOADS] [SECONDS] [OTHER_DIST_DIR...]');
  process.exit(2);
}
const DISTS = [dist, ...others];
const LOADS = Number(loadsArg || 7);
const SECONDS = Number(secondsArg || 20);
const sleep = (ms) => new Promise((r) => setTimeout(r, ms));
const median = (xs) => {
  const s = [...xs].sort((a, b) => a - b);
  return s.length % 2 ? s[(s.length - 1) / 2] : (s[s.length / 2 - 1] + s[s.length / 2]) / 2;
};
const mb = (n) => (n / 1e6).toFixed(2) + ' MB';

// The links a load goes through: none (127.0.0.1 as it is), then Chromium's
// network emulation (bytes a second each way, latency added to every request).
const LINKS = [
  { name: '127.0.0.1' },
  { name: '20 Mbit/s, 40 ms', bytesPerSecond: 20e6 / 8, latencyMs: 40 },
  { name: '8 Mbit/s, 60 ms', bytesPerSecond: 8e6 / 8, latencyMs: 60 },
];

// One load in a fresh context (empty cache) through `link`: what was
// fetched, and the page's marks.
async function load(browser, url, settleMs, link = LINKS[0], waitForAll = false) {
  const context = await browser.createIncognitoBrowserContext();
  const page = await context.newPage();
  await page.setViewport({ width: 1000, height: 800 });
  const network = await page.target().createCDPSession();
  await network.send('Network.enable');
  await network.send('Network.setCacheDisabled', { cacheDisabled: true });
  if (link.bytesPerSecond) {
    await network.send('Network.emulateNetworkConditions', {
      offline: false,
      latency: link.latencyMs,
      downloadThroughput: link.bytesPerSecond,
      uploadThroughput: link.bytesPerSecond,
    });
  }
  const fetched = [];
  page.on('response', (r) => {
    const h = r.headers();
    fetched.push({ url: r.url(), status: r.status(), sent: Number(h['content-length'] || 0), encoding: h['content-encoding'] || '' });
  });
  await page.goto(url, { waitUntil: 'load' });
  await page.waitForFunction(() => window.Module && Module.firstFrameMs, { timeout: 60000, polling: 10 });
  // Every file of the data in (a page with one data file, the font last, marks only the font).
  if (waitForAll) {
    await page.waitForFunction(() => Module.picoMarks && (Module.picoWaitedFor ? Module.picoMarks.allFiles : Module.picoMarks.font),
      { timeout: 60000, polling: 10 });
  }
  const marks = await page.evaluate(() => Object.assign({ firstFrame: Module.firstFrameMs }, Module.picoMarks || {}));
  if (!marks.allFiles) marks.allFiles = marks.font;
  if (settleMs) await sleep(settleMs);
  return { context, page, fetched, marks };
}

// CPU seconds of Chromium's processes by kind (renderer, browser, GPU...).
async function cpuByKind(session) {
  const { processInfo } = await session.send('SystemInfo.getProcessInfo');
  const kinds = {};
  for (const p of processInfo) kinds[p.type] = (kinds[p.type] || 0) + p.cpuTime;
  return kinds;
}

// Busy time of the page's main thread, in seconds.
async function mainThreadBusy(pageSession) {
  const { metrics } = await pageSession.send('Performance.getMetrics');
  return metrics.find((m) => m.name === 'TaskDuration').value;
}

async function cpuWhileWaiting(session, pageSession, what) {
  const before = await cpuByKind(session);
  const busyBefore = await mainThreadBusy(pageSession);
  await sleep(SECONDS * 1000);
  const after = await cpuByKind(session);
  const busy = (await mainThreadBusy(pageSession)) - busyBefore;
  const parts = Object.keys(after).map((k) => `${k} ${((100 * (after[k] - (before[k] || 0))) / SECONDS).toFixed(2)} %`);
  const total = Object.keys(after).reduce((s, k) => s + after[k] - (before[k] || 0), 0);
  console.log(`  ${what}: page's main thread ${((100 * busy) / SECONDS).toFixed(2)} %; processes ${parts.join(', ')}; ` +
    `all ${((100 * total) / SECONDS).toFixed(2)} % of one core`);
}

function fetchedFigures(dir, fetched) {
  let raw = 0, sent = 0;
  console.log(`${dir}: fetched while loading (raw, as sent with gzip):`);
  for (const f of fetched) {
    const name = decodeURIComponent(new URL(f.url).pathname).replace(/^\//, '') || 'index.html';
    const file = path.join(dir, name);
    const size = fs.existsSync(file) ? fs.statSync(file).size : 0;
    raw += size;
    sent += f.sent;
    console.log(`  ${name.padEnd(24)} ${mb(size).padStart(9)} ${mb(f.sent).padStart(9)} ${f.encoding} ${f.status}`);
  }
  console.log(`  total ${mb(raw)} raw, ${mb(sent)} sent`);
}

async function cpuFigures(browser, dir, url) {
  const session = await browser.target().createCDPSession();
  const l = await load(browser, url + 'index.html', 3000);
  const page = l.page;
  const pageSession = await page.target().createCDPSession();
  await pageSession.send('Performance.enable');
  async function click(x, y) {
    const r = await page.evaluate(() => {
      const b = document.getElementById('canvas').getBoundingClientRect();
      return { left: b.left, top: b.top, scale: b.width / 390 };
    });
    await page.mouse.click(r.left + (x + 0.5) * r.scale, r.top + (y + 0.5) * r.scale);
  }
  console.log(`${dir}: CPU while the game waits, % of one core over ${SECONDS} s:`);
  await cpuWhileWaiting(session, pageSession, 'title');
  await click(195, 130);
  await sleep(500);
  await click(195, 130);
  await sleep(3000);
  await cpuWhileWaiting(session, pageSession, 'title menu');
  await click(320, 176 + 56 + 14);
  await sleep(3000);
  await cpuWhileWaiting(session, pageSession, 'click wait after Start');
  await l.context.close();
}

async function main() {
  const servers = [];
  for (const d of DISTS) servers.push(await serve(d, { gzip: true }));
  const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: 'new',
    args: ['--no-sandbox', '--disable-gpu', '--window-size=1000,800', '--autoplay-policy=no-user-gesture-required'],
  });
  try {
    console.log(`load average ${os.loadavg().map((x) => x.toFixed(2)).join(' ')} on ${os.cpus().length} cores`);
    // --- what a load fetches (this first load also has the server gzip each file once) ---
    for (let k = 0; k < DISTS.length; k++) {
      const first = await load(browser, servers[k].url + 'index.html', 0, LINKS[0], true);
      await first.page.waitForNetworkIdle({ idleTime: 2000, timeout: 60000 });
      fetchedFigures(DISTS[k], first.fetched);
      await first.context.close();
    }

    // --- load to the first title frame, link by link ---
    for (const link of LINKS) {
      const marks = DISTS.map(() => []);
      for (let i = 0; i < LOADS; i++) {
        for (let k = 0; k < DISTS.length; k++) {
          const l = await load(browser, servers[k].url + 'index.html', 0, link, true);
          marks[k].push(l.marks);
          await l.context.close();
        }
      }
      for (let k = 0; LOADS > 0 && k < DISTS.length; k++) {
        const ff = marks[k].map((m) => m.firstFrame);
        console.log(`${DISTS[k]}, ${link.name}: first title frame after navigation, ${LOADS} loads: median ${median(ff).toFixed(0)} ms ` +
          `(min ${Math.min(...ff).toFixed(0)}, max ${Math.max(...ff).toFixed(0)})`);
        const names = Object.keys(marks[k][0]).filter((n) => n !== 'firstFrame');
        if (names.length)
          console.log('  medians of the marks: ' + names.map((n) => `${n} ${median(marks[k].map((m) => m[n] || 0)).toFixed(0)}`).join(', ') + ' ms');
      }
    }
    console.log(`load average ${os.loadavg().map((x) => x.toFixed(2)).join(' ')}`);

    // --- CPU while the game waits ---
    for (let k = 0; SECONDS > 0 && k < DISTS.length; k++) await cpuFigures(browser, DISTS[k], servers[k].url);
  } finally {
    await browser.close();
    for (const server of servers) await server.close();
  }
}

main().catch((e) => {
  console.error(e);
  process.exit(1);
});
