// Loads the sound test page in the system Chromium from a 127.0.0.1 server,
// clicks to unlock audio, taps the page's audio output with an analyser and
// checks what is heard in each phase, then the page's own findings.
//   node run.mjs PAGE_DIR
import http from 'node:http';
import fs from 'node:fs';
import path from 'node:path';
import puppeteer from 'puppeteer-core';

const dir = path.resolve(process.argv[2] || '.');
const types = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm' };

function serve() {
  const server = http.createServer((req, res) => {
    const name = path.normalize(decodeURIComponent(new URL(req.url, 'http://x').pathname));
    const file = path.join(dir, name === '/' ? 'index.html' : name);
    if (!file.startsWith(dir) || !fs.existsSync(file) || fs.statSync(file).isDirectory()) {
      res.writeHead(404);
      res.end();
      return;
    }
    res.writeHead(200, { 'Content-Type': types[path.extname(file)] || 'application/octet-stream' });
    fs.createReadStream(file).pipe(res);
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve(server)));
}

// Runs in the page: the peak heard in every phase the test program names,
// and when each phase first became loud. The context is held as a browser
// does before the first gesture (headless Chromium would start it at once),
// so the click's Unlock is what lets the sound out.
async function installTap() {
  const wa = Module.webAudio;
  const analyser = wa.ctx.createAnalyser();
  analyser.fftSize = 1024;
  wa.out.connect(analyser);
  const samples = new Float32Array(analyser.fftSize);
  window.tap = {
    peaks: {},
    firstLoud: {},
    rate: wa.ctx.sampleRate,
    baseLatency: wa.ctx.baseLatency,
    outputLatency: wa.ctx.outputLatency,
  };
  setInterval(() => {
    analyser.getFloatTimeDomainData(samples);
    let peak = 0;
    for (const s of samples) peak = Math.max(peak, Math.abs(s));
    const phase = Module.audioTest.phase;
    tap.peaks[phase] = Math.max(tap.peaks[phase] || 0, peak);
    if (peak > 0.02 && !(phase in tap.firstLoud)) tap.firstLoud[phase] = performance.now();
  }, 1);
  await wa.ctx.suspend();
  Module.tapReady = true;
}

const failures = [];
function expect(ok, what) {
  if (!ok) failures.push(what);
}

const server = await serve();
const browser = await puppeteer.launch({
  executablePath: '/usr/bin/chromium',
  headless: true,
  // Audio starts only after a gesture, as in a browser a player opens.
  args: ['--no-sandbox', '--autoplay-policy=user-gesture-required'],
});
const consoleErrors = [];
const consoleLines = [];
try {
  const page = await browser.newPage();
  page.on('console', (m) => {
    consoleLines.push(`${m.type()}: ${m.text()}`);
    if (m.type() === 'error') consoleErrors.push(m.text());
  });
  page.on('pageerror', (e) => consoleErrors.push(String(e)));
  page.on('requestfailed', (r) => consoleErrors.push(`request failed: ${r.url()}`));
  page.on('response', (r) => {
    if (r.status() >= 400) consoleLines.push(`${r.status()} ${r.url()}`);
  });
  await page.goto(`http://127.0.0.1:${server.address().port}/index.html?tap`);
  await page.waitForFunction(() => window.Module && Module.webAudio && Module.audioTest, { timeout: 30000 });
  await page.evaluate(installTap);
  await page.waitForFunction(() => Module.audioTest.phase === 'wait-click' || Module.audioTest.finished, {
    timeout: 30000,
  });
  await page.click('#go');
  await page.waitForFunction(() => Module.audioTest.finished, { timeout: 120000, polling: 100 });
  const { test, tap } = await page.evaluate(() => ({ test: Module.audioTest, tap: window.tap }));
  for (const f of test.failures) failures.push(`page: ${f}`);
  const peak = (phase) => tap.peaks[phase] || 0;
  expect(peak('tone-locked') === 0, `nothing is heard before the click (peak ${peak('tone-locked')})`);
  expect(peak('tone') > 0.2, `the mixer's tone is heard after the click (peak ${peak('tone')})`);
  const quarter = peak('tone-volume50') / peak('tone');
  expect(quarter > 0.2 && quarter < 0.3, `volume 50 % plays the tone at a quarter of its level (${quarter.toFixed(3)})`);
  expect(peak('tone-volume0') < 0.005, `volume 0 % is silent (peak ${peak('tone-volume0')})`);
  expect(peak('silence') < 0.005, `the silence is silent (peak ${peak('silence')})`);
  expect(peak('tone-parked') > 0.2, `the tone is heard when it wakes a parked context (peak ${peak('tone-parked')})`);
  expect(peak('tone16') > 0.1, `16-bit blocks are heard (peak ${peak('tone16')})`);
  expect(peak('paused16') < 0.005, `a paused device is silent (peak ${peak('paused16')})`);
  expect(peak('music') > 0.05, `the rendered music is heard (peak ${peak('music')})`);
  expect(peak('music-stopped') < 0.005, `a stop silences the music at once (peak ${peak('music-stopped')})`);
  expect(peak('beep') > 0.02, `the short piece is heard (peak ${peak('beep')})`);
  expect(consoleErrors.length === 0, `the console has no errors: ${consoleErrors.join(' | ')}`);

  const latency = tap.firstLoud.tone !== undefined ? tap.firstLoud.tone - test.marks['play-tone'] : NaN;
  const parkedLatency = tap.firstLoud['tone-parked'] !== undefined ? tap.firstLoud['tone-parked'] - test.marks['play-tone-parked'] : NaN;
  console.log(`context: ${tap.rate} Hz, base latency ${(tap.baseLatency * 1000).toFixed(1)} ms, ` +
    `output latency ${(tap.outputLatency * 1000).toFixed(1)} ms`);
  console.log(`start latency, MixerPlay to the first loud sample at the analyser: ${latency.toFixed(1)} ms; ` +
    `waking a parked context: ${parkedLatency.toFixed(1)} ms`);
  console.log(`figures: ${JSON.stringify(test.figures)}`);
  console.log(`peaks: ${JSON.stringify(tap.peaks)}`);
} catch (e) {
  failures.push(String(e));
} finally {
  await browser.close();
  server.close();
}
if (failures.length > 0) {
  for (const line of consoleLines) console.log(`console ${line}`);
  for (const f of failures) console.log(`FAIL ${f}`);
  process.exit(1);
}
console.log('web audio: all checks passed');
