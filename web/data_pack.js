// The page's data files: every file the game reads, in a few downloads that
// the page unpacks into the program's file system as they stream in.
//
//   "PLPK", u32 length of the whole file, u32 index length, the index
//   (UTF-8 JSON), then the files' bytes; numbers little-endian
//   index: { files: [{ path, size, stored, codec }], start, music: [names],
//            later: [{ name, paths: [paths] }] }
//
// The first data file (picolatte.data) holds what the game reads before its
// first picture; `later` names the data files beside it that the page
// fetches after it (the font and what the title plays first, then every
// other picture and sound), and the paths each of them brings, so that the
// game can wait for a file that has not arrived yet. Within a file the first
// `start` files are what the game needs to start (all of them in every file
// the build writes now).
//
// Sounds are stored so that gzip (which the web server applies) packs them
// well: each channel of the WAV's samples as the error of a straight-line
// guess from the two samples before it, low bytes first, then high bytes
// (codec "wave"). The page restores the exact bytes of the WAV file.
//
// One file for the build (node: web/make_data.js) and the page (a pre-js of
// the program: unpackFiles).
'use strict';
var PicoDataPack = (function () {
  const MAGIC = 'PLPK';

  // The RIFF layout of a PCM WAV: where its samples are and how they are
  // laid out; null for anything else, which is then stored as it is.
  function waveLayout(bytes) {
    if (bytes.length < 12) return null;
    const view = new DataView(bytes.buffer, bytes.byteOffset, bytes.byteLength);
    const tag = (at) => String.fromCharCode(bytes[at], bytes[at + 1], bytes[at + 2], bytes[at + 3]);
    if (tag(0) !== 'RIFF' || tag(8) !== 'WAVE') return null;
    let at = 12, bits = 0, channels = 0;
    while (at + 8 <= bytes.length) {
      const id = tag(at), size = view.getUint32(at + 4, true);
      if (id === 'fmt ' && size >= 16 && at + 24 <= bytes.length) {
        if (view.getUint16(at + 8, true) !== 1) return null;  // PCM only
        channels = view.getUint16(at + 10, true);
        bits = view.getUint16(at + 22, true);
      } else if (id === 'data') {
        if ((bits !== 8 && bits !== 16) || (channels !== 1 && channels !== 2)) return null;
        const start = at + 8;
        return { start, length: Math.min(size, bytes.length - start), bits, channels };
      }
      at += 8 + size + (size & 1);
    }
    return null;
  }

  // Samples of channel `c` as numbers (16 bits signed, 8 bits unsigned).
  function channelSamples(data, layout, frames, c) {
    const out = new Int32Array(frames);
    const step = layout.bits / 8, align = step * layout.channels;
    for (let f = 0, at = c * step; f < frames; f++, at += align)
      out[f] = step === 1 ? data[at] : ((data[at] | (data[at + 1] << 8)) << 16) >> 16;
    return out;
  }

  // The guess for a sample is 2 * (the one before) - (the one before that),
  // both 0 before the start; what is stored is the sample minus the guess,
  // wrapped to the sample's width.
  function encodeSamples(data, layout) {
    const step = layout.bits / 8, align = step * layout.channels;
    const frames = Math.floor(data.length / align);
    const out = new Uint8Array(data.length);
    const mask = step === 1 ? 0xff : 0xffff;
    let o = 0;
    for (let c = 0; c < layout.channels; c++) {
      const s = channelSamples(data, layout, frames, c);
      let s1 = 0, s2 = 0;
      for (let f = 0; f < frames; f++) {
        const residual = (s[f] - (2 * s1 - s2)) & mask;
        out[o + f] = residual & 0xff;
        if (step === 2) out[o + frames + f] = residual >> 8;
        s2 = s1;
        s1 = s[f];
      }
      o += frames * step;
    }
    out.set(data.subarray(frames * align), o);  // a ragged last frame stays as it is
    return out;
  }

  const littleEndian = new Uint8Array(new Uint16Array([1]).buffer)[0] === 1;

  function decodeSamples(stored, layout) {
    const step = layout.bits / 8, channels = layout.channels, align = step * channels;
    const frames = Math.floor(stored.length / align);
    const samples = step === 2 ? new Int16Array(frames * channels) : new Uint8Array(frames * channels);
    let o = 0;
    for (let c = 0; c < channels; c++) {
      let s1 = 0, s2 = 0;
      if (step === 1) {
        for (let f = 0, at = c; f < frames; f++, at += channels) {
          const v = (2 * s1 - s2 + stored[o + f]) & 0xff;
          samples[at] = v;
          s2 = s1;
          s1 = v;
        }
      } else {
        const hi = o + frames;
        for (let f = 0, at = c; f < frames; f++, at += channels) {
          const v = ((2 * s1 - s2 + (stored[o + f] | (stored[hi + f] << 8))) << 16) >> 16;
          samples[at] = v;
          s2 = s1;
          s1 = v;
        }
      }
      o += frames * step;
    }
    const out = new Uint8Array(stored.length);
    if (step === 1 || littleEndian) {
      out.set(new Uint8Array(samples.buffer, 0, frames * align));
    } else {
      for (let i = 0; i < samples.length; i++) {
        out[2 * i] = samples[i] & 0xff;
        out[2 * i + 1] = (samples[i] >> 8) & 0xff;
      }
    }
    out.set(stored.subarray(o), frames * align);
    return out;
  }

  // A WAV file in the "wave" codec: a 16-byte head (lengths of the part
  // before the samples, the samples and the rest; bits; channels), the part
  // before the samples, the samples coded, the rest. Null when the file is
  // no PCM WAV.
  function encodeWave(bytes) {
    const layout = waveLayout(bytes);
    if (!layout) return null;
    const data = bytes.subarray(layout.start, layout.start + layout.length);
    const tail = bytes.subarray(layout.start + layout.length);
    const out = new Uint8Array(16 + bytes.length);
    const view = new DataView(out.buffer);
    view.setUint32(0, layout.start, true);
    view.setUint32(4, layout.length, true);
    view.setUint32(8, tail.length, true);
    out[12] = layout.bits;
    out[13] = layout.channels;
    out.set(bytes.subarray(0, layout.start), 16);
    out.set(encodeSamples(data, layout), 16 + layout.start);
    out.set(tail, 16 + layout.start + layout.length);
    return out;
  }

  function decodeWave(stored) {
    const view = new DataView(stored.buffer, stored.byteOffset, stored.byteLength);
    const head = view.getUint32(0, true), length = view.getUint32(4, true), tail = view.getUint32(8, true);
    const layout = { bits: stored[12], channels: stored[13] };
    if (16 + head + length + tail !== stored.length) throw new Error('a packed sound has the wrong length');
    const out = new Uint8Array(head + length + tail);
    out.set(stored.subarray(16, 16 + head), 0);
    out.set(decodeSamples(stored.subarray(16 + head, 16 + head + length), layout), head);
    out.set(stored.subarray(16 + head + length), head + length);
    return out;
  }

  // files: [{ path, bytes }] in the order to store, the first `start` of them
  // needed to start (all when not given); music: names served beside; later:
  // the data files that follow, [{ name, paths }].
  function packFiles(files, music, start, later) {
    const index = { files: [], start: start === undefined ? files.length : start, music: music || [], later: later || [] };
    const blobs = [];
    for (const f of files) {
      const wave = /\.wav$/i.test(f.path) ? encodeWave(f.bytes) : null;
      const stored = wave || f.bytes;
      index.files.push({ path: f.path, size: f.bytes.length, stored: stored.length, codec: wave ? 'wave' : 'raw' });
      blobs.push(stored);
    }
    const json = new TextEncoder().encode(JSON.stringify(index));
    let total = 12 + json.length;
    for (const b of blobs) total += b.length;
    const out = new Uint8Array(total);
    for (let i = 0; i < 4; i++) out[i] = MAGIC.charCodeAt(i);
    new DataView(out.buffer).setUint32(4, total, true);
    new DataView(out.buffer).setUint32(8, json.length, true);
    out.set(json, 12);
    let at = 12 + json.length;
    for (const b of blobs) {
      out.set(b, at);
      at += b.length;
    }
    return out;
  }

  // The length of the whole data file from its first 8 bytes (for a loading
  // bar); 0 when they are no data file's.
  function packedLength(head) {
    if (head.length < 8) return 0;
    for (let i = 0; i < 4; i++) if (head[i] !== MAGIC.charCodeAt(i)) return 0;
    return new DataView(head.buffer, head.byteOffset, 8).getUint32(4, true);
  }

  // The index once the first bytes of the file are in: { index, spans },
  // spans[i] = [start, end) of file i's bytes in the file; null while too
  // few bytes are in.
  function readIndex(bytes) {
    if (bytes.length < 12 || !packedLength(bytes)) return null;
    const length = new DataView(bytes.buffer, bytes.byteOffset, 12).getUint32(8, true);
    if (bytes.length < 12 + length) return null;
    const index = JSON.parse(new TextDecoder().decode(bytes.subarray(12, 12 + length)));
    const spans = [];
    let at = 12 + length;
    for (const f of index.files) {
      spans.push([at, at + f.stored]);
      at += f.stored;
    }
    return { index, spans, end: at };
  }

  // Calls take(file) for files first to last - 1 (all by default) in order,
  // where file is { path, size, coded, restore }: restore() gives the file's
  // bytes (a sound is decoded only then, so the page can leave that for
  // later). `bytes` is the whole data file, or as much of it as covers those
  // files. Returns the index.
  function unpackFiles(bytes, take, first, last) {
    if (!(bytes instanceof Uint8Array)) bytes = new Uint8Array(bytes);
    const read = readIndex(bytes);
    if (!read || packedLength(bytes) !== bytes.length || read.end !== bytes.length)
      throw new Error('the data file is damaged or cut short');
    const files = read.index.files;
    for (let i = first || 0; i < Math.min(last === undefined ? files.length : last, files.length); i++) {
      const f = files[i];
      const stored = bytes.subarray(read.spans[i][0], read.spans[i][1]);
      const restore = function () {
        const restored = f.codec === 'wave' ? decodeWave(stored) : stored;
        if (restored.length !== f.size) throw new Error('unpacking gave the wrong size for ' + f.path);
        return restored;
      };
      take({ path: f.path, size: f.size, coded: f.codec !== 'raw', restore });
    }
    return read.index;
  }

  return { packFiles, unpackFiles, readIndex, packedLength, encodeWave, decodeWave };
})();
if (typeof module !== 'undefined' && module.exports) module.exports = PicoDataPack;
