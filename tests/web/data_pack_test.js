// The page's data file (web/data_pack.js, web/make_data.js): sounds come
// back byte for byte whatever their layout, the file is refused when cut
// short, and only the pristine save files are shipped — a my.dat played in
// the dist folder never reaches the page.
// Usage: node data_pack_test.js
'use strict';
const { execFileSync } = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const pack = require('../../web/data_pack');
const { check, finish } = require('./checks');

const same = (a, b) => Buffer.compare(Buffer.from(a), Buffer.from(b)) === 0;

// A PCM WAV: `frames` frames of `channels` samples of `bits`, made by f(frame, channel).
function wave(bits, channels, frames, f, extra = {}) {
  const step = bits / 8, data = Buffer.alloc(frames * channels * step + (extra.ragged || 0));
  for (let i = 0; i < frames; i++)
    for (let c = 0; c < channels; c++) {
      const v = Math.round(f(i, c));
      if (bits === 8) data[(i * channels + c)] = Math.max(0, Math.min(255, v));
      else data.writeInt16LE(Math.max(-32768, Math.min(32767, v)), (i * channels + c) * 2);
    }
  for (let k = 0; k < (extra.ragged || 0); k++) data[frames * channels * step + k] = 0xa5 ^ k;
  const fmt = Buffer.alloc(24);
  fmt.write('fmt ', 0);
  fmt.writeUInt32LE(16, 4);
  fmt.writeUInt16LE(extra.tag || 1, 8);
  fmt.writeUInt16LE(channels, 10);
  fmt.writeUInt32LE(22050, 12);
  fmt.writeUInt32LE(22050 * channels * step, 16);
  fmt.writeUInt16LE(channels * step, 20);
  fmt.writeUInt16LE(bits, 22);
  const list = extra.list ? Buffer.from('LIST\x04\x00\x00\x00INFO', 'latin1') : Buffer.alloc(0);
  const head = Buffer.alloc(8);
  head.write('data', 0);
  head.writeUInt32LE(data.length, 4);
  const tail = extra.tail ? Buffer.from(extra.tail, 'latin1') : Buffer.alloc(0);
  const body = Buffer.concat([Buffer.from('WAVE'), fmt, list, head, data, tail]);
  const riff = Buffer.alloc(8);
  riff.write('RIFF', 0);
  riff.writeUInt32LE(body.length, 4);
  return new Uint8Array(Buffer.concat([riff, body]));
}

// --- sounds -----------------------------------------------------------------------
const tone = (i, c) => 12000 * Math.sin(i / (7 + c)) + (c ? 3000 : -3000);
const cases = {
  '16-bit stereo': wave(16, 2, 5000, tone),
  '16-bit mono at full scale': wave(16, 1, 3000, (i) => (i % 2 ? 32767 : -32768)),
  '8-bit mono': wave(8, 1, 4000, (i) => 128 + 120 * Math.sin(i / 3)),
  '8-bit stereo with a ragged end': wave(8, 2, 999, (i, c) => (i * (c + 3)) % 256, { ragged: 1 }),
  '16-bit stereo with a ragged end and chunks around': wave(16, 2, 777, tone, { ragged: 3, list: true, tail: 'JUNK' }),
  'no samples at all': wave(16, 2, 0, tone),
  'full-scale noise in stereo': wave(16, 2, 6000, (i, c) => ((i * 7919 + c * 104729) % 65536) - 32768),
  'a lone full-scale click in silence': wave(16, 2, 9000, (i, c) => (i === 4500 ? (c ? -32768 : 32767) : 0)),
  '8-bit at both ends': wave(8, 1, 5000, (i) => (i % 3 ? 0 : 255)),
};
for (const [what, bytes] of Object.entries(cases)) {
  const stored = pack.encodeWave(bytes);
  check(stored !== null && same(pack.decodeWave(stored), bytes), `${what} comes back byte for byte`);
}
const noisy = wave(16, 2, 20000, (i, c) => 8000 * Math.sin(i / 9 + c) + ((i * 7919) % 13));
const zlib = require('zlib');
check(zlib.gzipSync(pack.encodeWave(noisy)).length < 0.8 * zlib.gzipSync(noisy).length,
  'a stored sound gzips well below the WAV itself');
// Two tones: no polynomial guesses them well, a linear prediction does.
const chord = wave(16, 1, 20000, (i) => 9000 * Math.sin(i / 2.3) + 7000 * Math.sin(i / 1.7));
const chordStored = pack.encodeWave(chord);
check(same(pack.decodeWave(chordStored), chord) && chordStored.length < 0.3 * chord.length,
  `two tones come back byte for byte from under 30 % of their size (${chordStored.length} of ${chord.length} bytes)`);
const damaged = pack.encodeWave(cases['16-bit stereo']).slice(0, -100);
let refusedSound = false;
try { pack.decodeWave(damaged); } catch (e) { refusedSound = true; }
check(refusedSound, 'a packed sound cut short is refused');
check(pack.encodeWave(wave(16, 2, 100, tone, { tag: 3 })) === null, 'a WAV that is not PCM is stored as it is');
check(pack.encodeWave(new Uint8Array(Buffer.from('RIFF....WAVEfmt '))) === null, 'a broken WAV is stored as it is');

// --- the file -------------------------------------------------------------------
const files = [
  { path: '/dat/a.wav', bytes: cases['16-bit stereo'] },
  { path: '/cg/b.bmp', bytes: new Uint8Array([66, 77, 1, 2, 3]) },
  { path: '/dat/c.wav', bytes: new Uint8Array([1, 2, 3]) },
];
const packed = pack.packFiles(files, ['x.ogg']);
check(pack.readIndex(pack.packFiles(files, [], 2)).index.start === 2, 'the files needed to start are counted');
check(pack.packedLength(packed.subarray(0, 8)) === packed.length, 'the first bytes tell the whole length');
const back = [];
const index = pack.unpackFiles(packed.slice().buffer, (f) => back.push({ path: f.path, bytes: f.restore(), size: f.size }));
check(back.length === 3 && back.every((f, i) => f.path === files[i].path && same(f.bytes, files[i].bytes) && f.size === f.bytes.length),
  'every file comes back in order, byte for byte, with its size told before it is restored');
check(index.music.length === 1 && index.music[0] === 'x.ogg', 'the music names travel in the index');
const partial = [];
const early = pack.readIndex(packed.subarray(0, 40));
check(early === null || early.index.files.length === 3, 'the index is read from the first bytes alone, or not at all');
const head = pack.readIndex(packed);
check(head.index.start === 3 && head.spans.length === 3 && head.spans[2][1] === packed.length, 'the index tells where each file lies');
const firstOnly = new Uint8Array(packed.length);
firstOnly.set(packed.subarray(0, head.spans[1][1]));
pack.unpackFiles(firstOnly, (f) => partial.push(f.restore()), 0, 2);
check(partial.length === 2 && same(partial[0], files[0].bytes) && same(partial[1], files[1].bytes),
  'the first files come back while the rest is still on its way');
let refused = false;
try {
  pack.unpackFiles(packed.slice(0, packed.length - 1).buffer, () => {});
} catch (e) {
  refused = true;
}
check(refused, 'a data file cut short is refused');

// --- what ships -------------------------------------------------------------------
const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'picolatte_pack_'));
try {
  const put = (p, bytes) => {
    fs.mkdirSync(path.dirname(path.join(dir, p)), { recursive: true });
    fs.writeFileSync(path.join(dir, p), bytes);
  };
  put('dist/cg/00.bmp', 'BM picture');
  put('dist/cg/a.jpg', 'JPEG picture');
  put('dist/cg/notes.txt', 'not a picture');
  put('dist/dat/1.wav', Buffer.from(cases['8-bit mono']));
  put('dist/dat/shop.mid', 'MThd');
  put('dist/dat/my.dat', 'PLAYED 99\r\n');
  put('dist/dat/name.dat', 'PLAYED NAMES\r\n');
  put('dist/SOUNDMIX.INI', '[played]\r\n');
  put('dist/成績.txt', 'sheet');
  put('defaults/dat/my.dat', '0\r\n0\r\n');
  put('defaults/dat/name.dat', 'names\r\n');
  put('defaults/SOUNDMIX.INI', '[shipped]\r\n');
  put('font.ttf', 'font bytes');
  put('music/shop.ogg', 'OggS');
  execFileSync(process.execPath, [path.join(__dirname, '../../web/make_data.js'), path.join(dir, 'out.data'),
    '--assets', path.join(dir, 'dist'), '--defaults', path.join(dir, 'defaults'),
    '--font', path.join(dir, 'font.ttf') + '=/fonts/f.ttf', '--music', path.join(dir, 'music')], { stdio: 'pipe' });
  // The first file, then the ones it names, as the page reads them.
  const shipped = {}, parts = [];
  const unpack = (name) => {
    const data = fs.readFileSync(path.join(dir, name));
    const files = [];
    const idx = pack.unpackFiles(data.buffer.slice(data.byteOffset, data.byteOffset + data.length), (f) => {
      shipped[f.path] = Buffer.from(f.restore()).toString('latin1');
      files.push(f.path);
    });
    parts.push(files);
    return idx;
  };
  const idx = unpack('out.data');
  for (const later of idx.later) {
    const got = unpack(later.name).files.map((f) => f.path);
    check(JSON.stringify(got) === JSON.stringify(later.paths), `${later.name} brings the files the first one names for it`);
  }
  check(JSON.stringify(idx.later.map((l) => l.name)) === '["out-title.data","out-more.data"]', 'two data files follow the first');
  check(JSON.stringify(parts[0].sort()) === JSON.stringify(['/SOUNDMIX.INI', '/cg/00.bmp', '/dat/1.wav', '/dat/my.dat', '/dat/name.dat']),
    'the first file holds what the game reads before its first picture: ' + parts[0].join(' '));
  check(parts[1][0] === '/fonts/f.ttf', 'the font comes first after it');
  check(idx.start === parts[0].length, 'the game starts on the first file');
  check(shipped['/dat/my.dat'] === '0\r\n0\r\n', "the shipped my.dat is the pristine one, not the dist folder's played one");
  check(shipped['/dat/name.dat'] === 'names\r\n', 'the shipped name.dat is the pristine one');
  check(shipped['/SOUNDMIX.INI'] === '[shipped]\r\n', 'the shipped SOUNDMIX.INI is the pristine one');
  check(Object.values(shipped).every((v) => !v.includes('PLAYED') && !v.includes('[played]')), 'nothing played reaches the page');
  check(JSON.stringify(Object.keys(shipped).sort()) ===
    JSON.stringify(['/SOUNDMIX.INI', '/cg/00.bmp', '/cg/a.jpg', '/dat/1.wav', '/dat/my.dat', '/dat/name.dat', '/fonts/f.ttf']),
    'exactly the pictures, the sounds, the save files, the settings and the font are packed: ' + Object.keys(shipped).sort().join(' '));
  check(parts.flat().length === 7, 'each file is packed once');
  check(shipped['/dat/1.wav'] === Buffer.from(cases['8-bit mono']).toString('latin1'), 'the packed sound comes back whole');
  check(JSON.stringify(idx.music) === '["shop.ogg"]', 'the music is named, not packed');
} finally {
  fs.rmSync(dir, { recursive: true, force: true });
}

finish();
console.log('data pack: all checks passed');
