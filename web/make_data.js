// Writes the page's data files (web/data_pack.js) with what the game reads in
// the browser, and nothing else:
//   /cg/      every picture (.bmp, .jpg) of a desktop build's dist folder
//   /dat/     every sound (.wav) and translation (.mo) of it, and the pristine save files
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
//          --font FILE=PATH_IN_PAGE [--music MUSIC_DIR] [--content CONTENT_DIR]
// CONTENT_DIR (the game's content/ sources) names the articles' and
// materials' pictures, one of which the first picture shows: they go into
// the first file too.
'use strict';
const fs = require('fs');
const path = require('path');
const { packFiles } = require('./data_pack');

function options(argv) {
  const out = { out: argv[0] };
  for (let i = 1; i < argv.length; i += 2) {
    const key = argv[i].replace(/^--/, '');
    if (!['assets', 'defaults', 'font', 'music', 'content'].includes(key) || i + 1 >= argv.length) return null;
    out[key] = argv[i + 1];
  }
  return out.out && out.assets && out.defaults && out.font ? out : null;
}

// What the game reads before its first picture besides the save files (the
// start-up's picture slots and the sound its sound slots open with), and
// what the title needs after it, before its first text. page_test.js checks
// that the first picture waits for nothing else.
const START_FILES = ['/cg/00.bmp', '/cg/box.bmp', '/cg/girl00.bmp', '/cg/haikei.bmp', '/cg/key01.bmp', '/cg/seal01.bmp',
  '/cg/seal_box.bmp', '/cg/front2.bmp', '/cg/front_mid.bmp', '/cg/front3.bmp', '/dat/1.wav'];
const TITLE_FILES = ['/cg/title.bmp', '/cg/login.bmp', '/dat/start.wav', '/dat/start2.wav', '/dat/key.wav', '/dat/pi.wav'];

// The pictures of the rows in the game's article and material tables
// ({NUMBER, "PICTURE", ...}).
function tablePictures(contentDir) {
  const names = [];
  for (const table of ['articles.cpp', 'materials.cpp']) {
    const text = fs.readFileSync(path.join(contentDir, table), 'utf8');
    for (const m of text.matchAll(/\{\s*\d+\s*,\s*"([^"]+\.(?:bmp|jpg))"/gi)) names.push('/cg/' + m[1]);
    if (!names.length) throw new Error('no pictures found in ' + table);
  }
  return names;
}

function listed(dir, pattern) {
  return fs.readdirSync(dir).filter((n) => pattern.test(n) && fs.statSync(path.join(dir, n)).isFile()).sort();
}

function main() {
  const o = options(process.argv.slice(2));
  if (!o) {
    console.error('usage: node make_data.js OUT --assets DIST_DIR --defaults DEFAULTS_DIR --font FILE=PATH_IN_PAGE [--music DIR] [--content DIR]');
    process.exit(2);
  }
  const read = (from, to) => ({ path: to, bytes: new Uint8Array(fs.readFileSync(from)) });
  const pictures = listed(path.join(o.assets, 'cg'), /\.(bmp|jpg)$/i).map((n) => read(path.join(o.assets, 'cg', n), '/cg/' + n));
  const sounds = listed(path.join(o.assets, 'dat'), /\.wav$/i).map((n) => read(path.join(o.assets, 'dat', n), '/dat/' + n));
  const [fontFile, fontPath] = o.font.split('=');
  if (!fontFile || !fontPath) throw new Error('--font wants FILE=PATH_IN_PAGE');

  const first = ['my.dat', 'name.dat'].map((n) => read(path.join(o.defaults, 'dat', n), '/dat/' + n));
  first.push(read(path.join(o.defaults, 'SOUNDMIX.INI'), '/SOUNDMIX.INI'));
  // The translations (po/LANG.po as the desktop build compiled them): read
  // before the title, in the language the player chose.
  first.push(...listed(path.join(o.assets, 'dat'), /\.mo$/i).map((n) => read(path.join(o.assets, 'dat', n), '/dat/' + n)));
  const named = (paths) => paths.map((p) => pictures.concat(sounds).find((f) => f.path === p)).filter((f) => f);
  first.push(...named(START_FILES.concat(o.content ? tablePictures(o.content) : []).filter((p, i, all) => all.indexOf(p) === i)));
  const title = [read(fontFile, fontPath)].concat(named(TITLE_FILES));
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
