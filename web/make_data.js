// Writes the page's data file (web/data_pack.js) with what the game reads in
// the browser, and nothing else:
//   /cg/      every picture (.bmp, .jpg) of a desktop build's dist folder
//   /dat/     every sound (.wav) of it, and the pristine save files
//             my.dat and name.dat of the build's defaults folder, never
//             the dist folder's, which hold whatever was played there
//   /SOUNDMIX.INI  the shipped mixer settings, from the defaults folder
//   the font, at the path the game looks for it, last: the game starts
//             without it (the page waits for it before the first text)
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

function listed(dir, pattern) {
  return fs.readdirSync(dir).filter((n) => pattern.test(n) && fs.statSync(path.join(dir, n)).isFile()).sort();
}

function main() {
  const o = options(process.argv.slice(2));
  if (!o) {
    console.error('usage: node make_data.js OUT --assets DIST_DIR --defaults DEFAULTS_DIR --font FILE=PATH_IN_PAGE [--music DIR]');
    process.exit(2);
  }
  const files = [];
  const add = (from, to) => files.push({ path: to, bytes: new Uint8Array(fs.readFileSync(from)) });
  for (const n of listed(path.join(o.assets, 'cg'), /\.(bmp|jpg)$/i)) add(path.join(o.assets, 'cg', n), '/cg/' + n);
  for (const n of listed(path.join(o.assets, 'dat'), /\.wav$/i)) add(path.join(o.assets, 'dat', n), '/dat/' + n);
  for (const n of ['my.dat', 'name.dat']) add(path.join(o.defaults, 'dat', n), '/dat/' + n);
  add(path.join(o.defaults, 'SOUNDMIX.INI'), '/SOUNDMIX.INI');
  const [fontFile, fontPath] = o.font.split('=');
  if (!fontFile || !fontPath) throw new Error('--font wants FILE=PATH_IN_PAGE');
  add(fontFile, fontPath);
  const music = o.music ? listed(o.music, /\.ogg$/i) : [];
  const packed = packFiles(files, music, files.length - 1);
  fs.writeFileSync(o.out + '.part', packed);
  fs.renameSync(o.out + '.part', o.out);
  const raw = files.reduce((n, f) => n + f.bytes.length, 0);
  console.log(`make_data: ${files.length} files, ${(raw / 1e6).toFixed(2)} MB, packed ${(packed.length / 1e6).toFixed(2)} MB; music beside: ${music.join(' ') || 'none'}`);
}

try {
  main();
} catch (e) {
  console.error('make_data: ' + e.message);
  process.exit(1);
}
