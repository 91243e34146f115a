// Writes the page's data files (web/data_pack.js) with what the game reads in
// the browser, and nothing else:
//   /cg/      every picture (.bmp, .jpg) of a desktop build's dist folder
//   /dat/     every sound (.wav) of it, and the pristine save files
//             my.dat and name.dat of the build's defaults folder, never
//             the dist folder's, which hold whatever was played there
//   /SOUNDMIX.INI  the shipped mixer settings, from the defaults folder
//   the font, at the path the game looks for it
// in three files, so that the first picture waits only for what it needs:
//   OUT (picolatte.data)  what the game reads before its first picture
//   OUT-title             the font and what the title shows and plays
//                         (awaited before the first text)
//   OUT-more              every other picture, then every other sound,
//                         smallest first (waited for file by file, should
//                         the game want one before it has arrived)
// The music is not packed: the page fetches it beside the game (music/); its
// names go into the index.
// Usage: node make_data.js OUT --assets DIST_DIR --defaults DEFAULTS_DIR
//          --font FILE=PATH_IN_PAGE [--music MUSIC_DIR]
'use strict';
const fs = require('fs');
const path = require('path');
const { packFiles } = require('./data_pack');

function options(argv) {
  const out = { out: argv[0] };
  for (let i = 1; i < argv.length; i += 2) {
    const key = argv[i].replace(/^--/, '');
    if (!['assets', 'defaults', 'font', 'music'].includes(key) || i + 1 >= argv.length) return null;
    out[key] = argv[i + 1];
  }
  return out.out && out.assets && out.defaults && out.font ? out : null;
}

// Pictures the game reads before its first picture (the start-up's slots),
// and what the title needs after it, before its first text.
const START_PICTURES = ['00.bmp', 'box.bmp', 'girl00.bmp', 'haikei.bmp', 'key01.bmp', 'seal01.bmp',
  'seal_box.bmp', 'front2.bmp', 'front_mid.bmp', 'front3.bmp'];
const TITLE_FILES = ['/cg/title.bmp', '/cg/login.bmp', '/dat/start.wav', '/dat/start2.wav', '/dat/key.wav', '/dat/pi.wav'];

function listed(dir, pattern) {
  return fs.readdirSync(dir).filter((n) => pattern.test(n) && fs.statSync(path.join(dir, n)).isFile()).sort();
}

function main() {
  const o = options(process.argv.slice(2));
  if (!o) {
    console.error('usage: node make_data.js OUT --assets DIST_DIR --defaults DEFAULTS_DIR --font FILE=PATH_IN_PAGE [--music DIR]');
    process.exit(2);
  }
  const read = (from, to) => ({ path: to, bytes: new Uint8Array(fs.readFileSync(from)) });
  const pictures = listed(path.join(o.assets, 'cg'), /\.(bmp|jpg)$/i).map((n) => read(path.join(o.assets, 'cg', n), '/cg/' + n));
  const sounds = listed(path.join(o.assets, 'dat'), /\.wav$/i).map((n) => read(path.join(o.assets, 'dat', n), '/dat/' + n));
  const [fontFile, fontPath] = o.font.split('=');
  if (!fontFile || !fontPath) throw new Error('--font wants FILE=PATH_IN_PAGE');

  const first = ['my.dat', 'name.dat'].map((n) => read(path.join(o.defaults, 'dat', n), '/dat/' + n));
  first.push(read(path.join(o.defaults, 'SOUNDMIX.INI'), '/SOUNDMIX.INI'));
  for (const n of START_PICTURES) {
    const p = pictures.find((f) => f.path === '/cg/' + n);
    if (p) first.push(p);
  }
  const title = [read(fontFile, fontPath)].concat(
    TITLE_FILES.map((t) => pictures.concat(sounds).find((f) => f.path === t)).filter((f) => f));
  const taken = new Set(first.concat(title));
  const more = pictures.filter((f) => !taken.has(f))
    .concat(sounds.filter((f) => !taken.has(f)).sort((a, b) => a.bytes.length - b.bytes.length || (a.path < b.path ? -1 : 1)));

  const sibling = (suffix) => path.basename(o.out).replace(/(\.data)?$/, suffix + '.data');
  const later = [{ name: sibling('-title'), files: title }, { name: sibling('-more'), files: more }];
  const music = o.music ? listed(o.music, /\.ogg$/i) : [];
  const write = (file, bytes) => {
    fs.writeFileSync(file + '.part', bytes);
    fs.renameSync(file + '.part', file);
    return bytes.length;
  };
  let packed = 0;
  for (const part of later) packed += write(path.join(path.dirname(o.out), part.name), packFiles(part.files, []));
  packed += write(o.out, packFiles(first, music, first.length, later.map((p) => ({ name: p.name, paths: p.files.map((f) => f.path) }))));
  const all = first.concat(title, more);
  const raw = all.reduce((n, f) => n + f.bytes.length, 0);
  console.log(`make_data: ${all.length} files, ${(raw / 1e6).toFixed(2)} MB, packed ${(packed / 1e6).toFixed(2)} MB ` +
    `(${first.length} to start, ${title.length} for the title, ${more.length} after); music beside: ${music.join(' ') || 'none'}`);
}

try {
  main();
} catch (e) {
  console.error('make_data: ' + e.message);
  process.exit(1);
}
