// Frames of the scene (390 x 260, RGB) for the comparison of the page with
// the desktop: reading and writing 24-bit BMPs, the text rectangles of each
// side, and the measure.
//
// The measure. Both sides draw the same pictures with the same code, so
// every pixel outside text must be identical. Text is rasterised differently
// (SDL_ttf with FreeType's hinting on the desktop, stb_truetype in the page),
// so inside the text rectangles of either side (where a line of text was
// drawn, its background fill included) the frames need only be close:
//   mean absolute difference per channel  <= TEXT_MEAN_LIMIT (28 of 255)
//   share of pixels whose largest channel difference exceeds TEXT_PIXEL_STEP
//   (64)                                   <= TEXT_SHARE_LIMIT (25 %)
// Measured (2026-12-08): the title menu 21.3 and 18.1 %, the shop with its
// first customer 23.1 and 14.7 %; the same text one pixel to the right gives
// 36.7 and 34.1 %, 37.4 and 27.5 %.
'use strict';
const fs = require('fs');

const W = 390, H = 260;
const TEXT_MEAN_LIMIT = 28;
const TEXT_PIXEL_STEP = 64;
const TEXT_SHARE_LIMIT = 0.25;

// RGB bytes of a 24-bit BMP the size of the scene.
function readBmp(file) {
  const b = fs.readFileSync(file);
  if (b.toString('latin1', 0, 2) !== 'BM') throw new Error(file + ' is no BMP');
  const offset = b.readUInt32LE(10), w = b.readInt32LE(18), h = b.readInt32LE(22), bits = b.readUInt16LE(28);
  if (w !== W || Math.abs(h) !== H || bits !== 24) throw new Error(`${file} is ${w}x${h}x${bits}, not ${W}x${H}x24`);
  const stride = (w * 3 + 3) & ~3;
  const rgb = new Uint8Array(W * H * 3);
  for (let y = 0; y < H; y++) {
    const row = offset + (h > 0 ? H - 1 - y : y) * stride;
    for (let x = 0; x < W; x++) {
      rgb[(y * W + x) * 3] = b[row + x * 3 + 2];
      rgb[(y * W + x) * 3 + 1] = b[row + x * 3 + 1];
      rgb[(y * W + x) * 3 + 2] = b[row + x * 3];
    }
  }
  return rgb;
}

function writeBmp(file, rgb) {
  const stride = (W * 3 + 3) & ~3;
  const b = Buffer.alloc(54 + stride * H);
  b.write('BM', 0, 'latin1');
  b.writeUInt32LE(b.length, 2);
  b.writeUInt32LE(54, 10);
  b.writeUInt32LE(40, 14);
  b.writeInt32LE(W, 18);
  b.writeInt32LE(H, 22);
  b.writeUInt16LE(1, 26);
  b.writeUInt16LE(24, 28);
  for (let y = 0; y < H; y++)
    for (let x = 0; x < W; x++) {
      const at = 54 + (H - 1 - y) * stride + x * 3, i = (y * W + x) * 3;
      b[at] = rgb[i + 2];
      b[at + 1] = rgb[i + 1];
      b[at + 2] = rgb[i];
    }
  fs.writeFileSync(file, b);
}

// The canvas's RGBA as RGB.
function fromRgba(rgba) {
  const rgb = new Uint8Array(W * H * 3);
  for (let i = 0; i < W * H; i++) for (let c = 0; c < 3; c++) rgb[i * 3 + c] = rgba[i * 4 + c];
  return rgb;
}

// "left top right bottom" lines.
function readRects(file) {
  return fs.readFileSync(file, 'utf8').split('\n').filter((l) => l.trim()).map((l) => l.trim().split(/\s+/).map(Number));
}

// The scene moved right by one pixel (the left column repeated).
function shifted(rgb) {
  const out = new Uint8Array(rgb.length);
  for (let y = 0; y < H; y++)
    for (let x = 0; x < W; x++)
      for (let c = 0; c < 3; c++) out[(y * W + x) * 3 + c] = rgb[(y * W + Math.max(x - 1, 0)) * 3 + c];
  return out;
}

// The scene with what lies in each text rectangle moved right by `k` pixels
// inside it (text drawn a little off, the rest untouched).
function textShifted(rgb, rects, k) {
  const out = Uint8Array.from(rgb);
  for (const [l, t, r, b] of rects)
    for (let y = Math.max(t, 0); y < Math.min(b, H); y++)
      for (let x = Math.min(r, W) - 1; x >= Math.max(l, 0); x--)
        for (let c = 0; c < 3; c++) out[(y * W + x) * 3 + c] = rgb[(y * W + Math.max(x - k, l)) * 3 + c];
  return out;
}

// Compares two frames; `rects` are the text rectangles of both sides.
function compare(a, b, rects) {
  const text = new Uint8Array(W * H);
  for (const [l, t, r, btm] of rects)
    for (let y = Math.max(t, 0); y < Math.min(btm, H); y++)
      for (let x = Math.max(l, 0); x < Math.min(r, W); x++) text[y * W + x] = 1;
  let outside = 0, inside = 0, sum = 0, far = 0;
  let firstOutside = null;
  const diff = new Uint8Array(W * H * 3);
  for (let i = 0; i < W * H; i++) {
    let largest = 0;
    for (let c = 0; c < 3; c++) {
      const d = Math.abs(a[i * 3 + c] - b[i * 3 + c]);
      largest = Math.max(largest, d);
      if (text[i]) sum += d;
    }
    if (text[i]) {
      inside++;
      if (largest > TEXT_PIXEL_STEP) far++;
    } else if (largest > 0) {
      outside++;
      if (!firstOutside) firstOutside = [i % W, Math.floor(i / W)];
    }
    // For the eye: text in blue, differences in red.
    diff[i * 3] = largest ? Math.min(255, 64 + largest) : 0;
    diff[i * 3 + 2] = text[i] ? 96 : 0;
  }
  const mean = inside ? sum / (3 * inside) : 0;
  const share = inside ? far / inside : 0;
  const textOk = mean <= TEXT_MEAN_LIMIT && share <= TEXT_SHARE_LIMIT;
  return {
    outside, firstOutside, inside, mean, share, diff, textOk,
    ok: outside === 0 && textOk,
    summary: `outside text ${outside} pixels differ` + (firstOutside ? ` (first at ${firstOutside})` : '') +
      `; inside text (${inside} pixels) mean difference ${mean.toFixed(2)} per channel, ` +
      `${(100 * share).toFixed(1)} % differ by more than ${TEXT_PIXEL_STEP}`,
  };
}

module.exports = { W, H, TEXT_MEAN_LIMIT, TEXT_PIXEL_STEP, TEXT_SHARE_LIMIT, readBmp, writeBmp, fromRgba, readRects, shifted, textShifted, compare };
