// The player's progress in the page survives every way of leaving it, in
// Debian's Chromium: a reload with the tab in front, closing the tab, the
// browser killed a moment after a visit, and a second tab of the page
// (which waits for the first and never writes over its progress). Each case
// plays in a browser profile of its own, kept on disk like a player's.
// Usage: node progress_test.js DIST_DIR
'use strict';
const fs = require('fs');
const os = require('os');
const path = require('path');
const puppeteer = require('puppeteer-core');
const { serve } = require('./static_server');
const { check, sleep, run } = require('./checks');

const dist = process.argv[2];
if (!dist) {
  console.error('usage: node progress_test.js DIST_DIR');
  process.exit(2);
}
const profiles = [];

function launch(profile) {
  return puppeteer.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: 'new',
    userDataDir: profile,
    args: ['--no-sandbox', '--disable-gpu', '--window-size=1000,800', '--autoplay-policy=no-user-gesture-required'],
  });
}

// A tab with the game started (its first picture shown), or only loaded
// when `started` is false.
async function open(browser, url, errors, started = true) {
  const page = await browser.newPage();
  await page.setViewport({ width: 1000, height: 800 });
  page.on('pageerror', (e) => errors.push(String(e)));
  page.on('console', (m) => { if (m.type() === 'error') errors.push(m.text()); });
  await page.goto(url + 'index.html?fixed-random=7', { waitUntil: 'load' });
  if (started) await page.waitForFunction(() => window.Module && Module.firstFrameMs, { timeout: 60000 });
  return page;
}

// The games played and the seals collected, as the page's my.dat holds them.
function progress(page) {
  return page.evaluate(() => {
    const text = new TextDecoder('latin1').decode(FS.readFile('/save/my.dat'));
    const values = text.split('\r\n').filter((line) => line !== '').map(Number);
    return { plays: values[1100], seals: values.slice(100, 1100).filter((v) => v > 0).length };
  });
}

async function click(page, x, y) {
  const r = await page.evaluate(() => {
    const b = document.getElementById('canvas').getBoundingClientRect();
    return { left: b.left, top: b.top, scale: b.width / 390 };
  });
  await page.mouse.click(r.left + (x + 0.5) * r.scale, r.top + (y + 0.5) * r.scale);
}
const choice = async (page, k) => { await click(page, 320, 176 + 28 * (k - 1) + 14); await sleep(1200); };
async function sceneClicks(page, n) {
  for (let i = 0; i < n; i++) { await click(page, 60, 60); await sleep(300); }
}
// Title, title menu, Start: one more game played.
async function startGame(page) {
  await sleep(800);
  await click(page, 195, 130); await sleep(500);
  await click(page, 195, 130); await sleep(1500);
  await choice(page, 3);
}
// Start, then one visit with the first seal of the box stuck on the package.
async function visitWithSeal(page) {
  await startGame(page);
  await sceneClicks(page, 6);
  await choice(page, 3);  // 包む
  await choice(page, 3);  // 折る
  await choice(page, 3);  // シール
  await click(page, 30, 21); await sleep(500);  // the first seal in the box
  await click(page, 195, 165); await sleep(800);  // on the package
  await sceneClicks(page, 3);
}

// Runs `play` in a browser with a profile of its own on disk, like a
// player's; `play` returns the browser it ends with. The console stays clean.
async function inOwnProfile(what, play) {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'picolatte-profile-'));
  profiles.push(profile);
  const errors = [];
  let browser = await launch(profile);
  try {
    browser = await play(browser, profile, errors);
  } finally {
    await browser.close();
  }
  check(errors.length === 0, `${what}: no errors in the console` + (errors.length ? ': ' + errors.join(' | ') : ''));
}

// Plays one visit, leaves the page the way `leave` does, opens it again in
// the same profile and compares.
function survives(url, what, leave) {
  return inOwnProfile(what, async (browser, profile, errors) => {
    let page = await open(browser, url, errors);
    const before = await progress(page);
    await visitWithSeal(page);
    ({ browser, page } = await leave(browser, page, profile));
    const after = await progress(await (page || open(browser, url, errors)));
    check(after.plays === before.plays + 1 && after.seals > before.seals,
      `${what}: the game played and the seal come back (plays ${before.plays} -> ${after.plays}, seals ${before.seals} -> ${after.seals})`);
    return browser;
  });
}

// Two tabs of the page in one browser: the second waits and says why, starts
// with the first's progress once the first is closed, and what both played
// is kept.
function twoTabs(url) {
  return inOwnProfile('two tabs', async (browser, profile, errors) => {
    const first = await open(browser, url, errors);
    const before = await progress(first);
    const second = await open(browser, url, errors, false);
    await sleep(3000);
    const waiting = await second.evaluate(() => ({
      started: !!Module.firstFrameMs,
      waits: !!Module.picoWaitsForOtherTab,
      text: document.getElementById('message').textContent,
    }));
    check(!waiting.started && waiting.waits && waiting.text.includes('別のタブ'),
      `a second tab does not start and tells the player why ("${waiting.text.slice(0, 24)}…")`);
    await first.bringToFront();
    await startGame(first);
    await first.close();
    await second.waitForFunction(() => Module.firstFrameMs, { timeout: 60000 });
    const taken = await progress(second);
    check(taken.plays === before.plays + 1, `closing the first tab starts the second with its progress (plays ${before.plays} -> ${taken.plays})`);
    await startGame(second);
    await second.close();
    const third = await open(browser, url, errors);
    const after = await progress(third);
    check(after.plays === before.plays + 2, `the games of both tabs are kept (plays ${before.plays} -> ${after.plays})`);
    // What saving costs the page: the check at every wait, and the write
    // with its copy in localStorage when the page is hidden or left.
    const cost = await third.evaluate(() => {
      const runs = 200;
      let t = performance.now();
      for (let i = 0; i < runs; i++) Module._picolatte_keep_progress();
      const check = (performance.now() - t) / runs;
      t = performance.now();
      window.dispatchEvent(new Event('pagehide'));
      return { check, leave: performance.now() - t };
    });
    console.log(`saving: ${cost.check.toFixed(3)} ms for the check at each wait, ${cost.leave.toFixed(2)} ms in pagehide`);
    return browser;
  });
}

async function main() {
  const { url, close } = await serve(dist, { gzip: true });
  try {
    await survives(url, 'a reload with the tab in front', async (browser, page) => {
      await page.reload({ waitUntil: 'load' });
      await page.waitForFunction(() => window.Module && Module.firstFrameMs, { timeout: 60000 });
      return { browser, page };
    });
    await survives(url, 'closing the tab', async (browser, page) => {
      await page.close();
      return { browser, page: null };
    });
    await survives(url, 'the browser killed a moment after the visit', async (browser, page, profile) => {
      await sleep(1000);
      const child = browser.process();
      const gone = new Promise((r) => child.once('exit', r));
      child.kill('SIGKILL');
      await gone;
      return { browser: await launch(profile), page: null };
    });
    await twoTabs(url);
  } finally {
    await close();
    for (const p of profiles) fs.rmSync(p, { recursive: true, force: true });
  }
}

run(main);
