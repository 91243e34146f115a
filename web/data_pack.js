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
// Sounds are stored losslessly compressed (codec "wave"): each channel of
// the WAV's samples as Rice codes of the error of a guess from the samples
// before, which takes about half the bytes that gzip of the WAV would. The
// page restores the exact bytes of the WAV file.
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

  // The samples of each channel (a stereo file's second channel as its
  // difference from the first, when that is smaller) go as the error of a
  // guess from the samples before (samples before the start counting as 0),
  // each error as a Rice code with its own parameter for each 256. For each
  // block of 4096 samples the guess is the best of a fixed polynomial of
  // order 0 to 4 and a linear prediction of order 8 or 12 whose coefficients
  // (in 4096ths) the block carries.
  const BLOCK = 4096, PART = 256, ESCAPE = 24, PAD = 16, LPC_ORDERS = [8, 12], LPC_SHIFT = 12;

  function BitWriter(size) {
    let bytes = new Uint8Array(size + 64), at = 0, acc = 0, n = 0;
    const room = () => {
      if (at + 8 > bytes.length) {
        const more = new Uint8Array(bytes.length * 2);
        more.set(bytes);
        bytes = more;
      }
    };
    this.put = function (value, bits) {  // bits <= 24
      acc = (acc << bits) | value;
      n += bits;
      while (n >= 8) {
        n -= 8;
        room();
        bytes[at++] = (acc >>> n) & 0xff;
      }
      acc &= (1 << n) - 1;
    };
    this.rice = function (u, k) {
      const q = Math.floor(u / (1 << k));
      if (q >= ESCAPE) {  // ESCAPE ones, then the value itself in 2 x 12 bits
        for (let i = 0; i < ESCAPE; i += 12) this.put(0xfff, 12);
        this.put(Math.floor(u / 4096), 12);
        this.put(u % 4096, 12);
        return;
      }
      for (let left = q; left > 0; left -= Math.min(left, 16)) this.put((1 << Math.min(left, 16)) - 1, Math.min(left, 16));
      this.put(0, 1);
      if (k) this.put(u & ((1 << k) - 1), k);
    };
    this.bytes = function () {
      if (n) this.put(0, 8 - n);
      return bytes.subarray(0, at);
    };
  }

  function BitReader(bytes) {
    let at = 0, acc = 0, n = 0;
    this.get = function (bits) {  // bits <= 24
      while (n < bits) {
        if (at >= bytes.length) throw new Error('a packed sound is cut short');
        acc = (acc << 8) | bytes[at++];
        n += 8;
      }
      n -= bits;
      const v = (acc >>> n) & ((1 << bits) - 1);
      acc &= (1 << n) - 1;
      return v;
    };
    this.rice = function (k) {
      let q = 0;
      while (q < ESCAPE && this.get(1)) q++;
      if (q === ESCAPE) return this.get(12) * 4096 + this.get(12);
      return q * (1 << k) + (k ? this.get(k) : 0);
    };
  }

  // The guess for sample i of x (x holds PAD zeros first): a fixed
  // polynomial (method 0 to 4), or the linear prediction `coefs` (method 5).
  function guess(x, i, method, coefs) {
    switch (method) {
      case 0: return 0;
      case 1: return x[i - 1];
      case 2: return 2 * x[i - 1] - x[i - 2];
      case 3: return 3 * x[i - 1] - 3 * x[i - 2] + x[i - 3];
      case 4: return 4 * x[i - 1] - 6 * x[i - 2] + 4 * x[i - 3] - x[i - 4];
      default: {
        let sum = 0;  // exact: below 2^44
        for (let j = 0; j < coefs.length; j++) sum += coefs[j] * x[i - 1 - j];
        return Math.floor(sum / (1 << LPC_SHIFT));
      }
    }
  }

  // Linear prediction coefficients of `order` for x[from, to) (Levinson-
  // Durbin on the windowed block), in 1/2^LPC_SHIFT; null when there are none.
  function lpc(x, from, to, order) {
    const n = to - from;
    if (n <= order * 2) return null;
    const w = new Float64Array(n);
    for (let i = 0; i < n; i++) w[i] = x[from + i] * (0.5 - 0.5 * Math.cos((2 * Math.PI * (i + 0.5)) / n));
    const r = new Float64Array(order + 1);
    for (let l = 0; l <= order; l++) {
      let sum = 0;
      for (let i = l; i < n; i++) sum += w[i] * w[i - l];
      r[l] = sum;
    }
    if (r[0] === 0) return null;
    let a = new Float64Array(order + 1), error = r[0] * (1 + 1e-9);
    for (let i = 1; i <= order; i++) {
      let acc = r[i];
      for (let j = 1; j < i; j++) acc -= a[j] * r[i - j];
      const k = acc / error;
      const next = a.slice();
      next[i] = k;
      for (let j = 1; j < i; j++) next[j] = a[j] - k * a[i - j];
      a = next;
      error *= 1 - k * k;
      if (!(error > 0)) return null;
    }
    const coefs = [];
    for (let j = 1; j <= order; j++) coefs.push(Math.round(a[j] * (1 << LPC_SHIFT)));
    return coefs.every((c) => Math.abs(c) < 1 << 19) ? coefs : null;
  }

  const zigzag = (r) => (r >= 0 ? 2 * r : -2 * r - 1);

  // Bits of the Rice codes of u[from, to) with parameter k.
  function riceBits(u, from, to, k) {
    let bits = 0;
    for (let i = from; i < to; i++) {
      const q = Math.floor(u[i] / (1 << k));
      bits += q >= ESCAPE ? ESCAPE + 24 : q + 1 + k;
    }
    return bits;
  }

  // The best parameter for a run of codes, near log2 of their mean.
  function bestK(u, from, to) {
    let sum = 0;
    for (let i = from; i < to; i++) sum += u[i];
    const mean = sum / Math.max(1, to - from);
    let k = mean < 1 ? 0 : Math.min(20, Math.floor(Math.log2(mean)));
    let best = riceBits(u, from, to, k);
    for (const other of [k - 1, k + 1]) {
      if (other < 0 || other > 20) continue;
      const bits = riceBits(u, from, to, other);
      if (bits < best) {
        best = bits;
        k = other;
      }
    }
    return { k, bits: best };
  }

  // One channel (x: its samples after PAD zeros) into the writer.
  function encodeChannel(x, frames, out) {
    const u = new Float64Array(BLOCK);
    const errors = (b, n, method, coefs) => {
      for (let i = 0; i < n; i++) {
        u[i] = zigzag(x[b + i + PAD] - guess(x, b + i + PAD, method, coefs));
        if (u[i] >= 1 << 24) return false;  // beyond what an escape holds
      }
      return true;
    };
    for (let b = 0; b < frames; b += BLOCK) {
      const n = Math.min(BLOCK, frames - b);
      const candidates = [0, 1, 2, 3, 4].map((method) => ({ method, coefs: null, head: 3 }));
      for (const order of LPC_ORDERS) {
        const coefs = lpc(x, b + PAD, b + PAD + n, order);
        if (coefs) candidates.push({ method: 5, coefs, head: 3 + 4 + 20 * order });
      }
      let best = null, bestBits = Infinity;
      for (const c of candidates) {
        if (!errors(b, n, c.method, c.coefs)) continue;
        let bits = c.head;
        for (let p = 0; p < n; p += PART) bits += 5 + bestK(u, p, Math.min(n, p + PART)).bits;
        if (bits < bestBits) {
          bestBits = bits;
          best = c;
        }
      }
      out.put(best.method, 3);
      if (best.method === 5) {
        out.put(best.coefs.length, 4);
        for (const c of best.coefs) out.put(zigzag(c), 20);
      }
      errors(b, n, best.method, best.coefs);
      for (let p = 0; p < n; p += PART) {
        const end = Math.min(n, p + PART), k = bestK(u, p, end).k;
        out.put(k, 5);
        for (let i = p; i < end; i++) out.rice(u[i], k);
      }
    }
  }

  function decodeChannel(x, frames, input) {
    for (let b = 0; b < frames; b += BLOCK) {
      const n = Math.min(BLOCK, frames - b), method = input.get(3);
      let coefs = null;
      if (method === 5) {
        coefs = [];
        for (let j = input.get(4); j > 0; j--) {
          const z = input.get(20);
          coefs.push(z % 2 ? -(z + 1) / 2 : z / 2);
        }
        if (coefs.length === 0 || coefs.length > PAD) throw new Error('a packed sound is damaged');
      } else if (method > 5) {
        throw new Error('a packed sound is damaged');
      }
      for (let p = 0; p < n; p += PART) {
        const end = Math.min(n, p + PART), k = input.get(5);
        for (let i = b + p + PAD; i < b + end + PAD; i++) {
          const z = input.rice(k);
          x[i] = guess(x, i, method, coefs) + (z % 2 ? -(z + 1) / 2 : z / 2);
        }
      }
    }
  }

  // Samples of channel `c` after PAD zeros (16 bits signed, 8 bits less 128).
  function channelSamples(data, layout, frames, c) {
    const out = new Int32Array(frames + PAD);
    const step = layout.bits / 8, align = step * layout.channels;
    for (let f = 0, at = c * step; f < frames; f++, at += align)
      out[f + PAD] = step === 1 ? data[at] - 128 : ((data[at] | (data[at + 1] << 8)) << 16) >> 16;
    return out;
  }

  // The samples coded: a byte telling whether the second channel is stored
  // as its difference from the first, then the channels one after the other.
  function encodeSamples(data, layout, frames) {
    const channels = [];
    for (let c = 0; c < layout.channels; c++) channels.push(channelSamples(data, layout, frames, c));
    const code = (list, difference) => {
      const out = new BitWriter(data.length / 2);
      out.put(difference ? 1 : 0, 8);
      for (const x of list) encodeChannel(x, frames, out);
      return out.bytes().slice();
    };
    const apart = code(channels, false);
    if (channels.length !== 2) return apart;
    const side = channels[1].map((v, i) => v - channels[0][i]);
    const together = code([channels[0], side], true);
    return together.length < apart.length ? together : apart;
  }

  function decodeSamples(coded, layout, frames) {
    const input = new BitReader(coded);
    const difference = input.get(8) === 1;
    const step = layout.bits / 8, channels = layout.channels;
    const out = new Uint8Array(frames * channels * step);
    let first = null;
    for (let c = 0; c < channels; c++) {
      const x = new Float64Array(frames + PAD);
      decodeChannel(x, frames, input);
      for (let f = 0, at = c * step; f < frames; f++, at += channels * step) {
        const v = difference && c === 1 ? x[f + PAD] + first[f + PAD] : x[f + PAD];
        if (step === 1) {
          out[at] = v + 128;
        } else {
          out[at] = v & 0xff;
          out[at + 1] = (v >> 8) & 0xff;
        }
      }
      first = x;
    }
    return out;
  }

  // A WAV file in the "wave" codec: a 20-byte head (lengths of the part
  // before the samples, the samples, the rest and the coded samples; bits;
  // channels), the part before the samples, the coded samples, the bytes of
  // a ragged last frame as they are, the rest. Null when the file is no PCM
  // WAV.
  function encodeWave(bytes) {
    const layout = waveLayout(bytes);
    if (!layout) return null;
    const align = (layout.bits / 8) * layout.channels;
    const frames = Math.floor(layout.length / align);
    const data = bytes.subarray(layout.start, layout.start + layout.length);
    const coded = encodeSamples(data, layout, frames);
    const ragged = data.subarray(frames * align);
    const tail = bytes.subarray(layout.start + layout.length);
    const out = new Uint8Array(20 + layout.start + coded.length + ragged.length + tail.length);
    const view = new DataView(out.buffer);
    view.setUint32(0, layout.start, true);
    view.setUint32(4, layout.length, true);
    view.setUint32(8, tail.length, true);
    view.setUint32(12, coded.length, true);
    out[16] = layout.bits;
    out[17] = layout.channels;
    let at = 20;
    for (const part of [bytes.subarray(0, layout.start), coded, ragged, tail]) {
      out.set(part, at);
      at += part.length;
    }
    return out;
  }

  function decodeWave(stored) {
    const view = new DataView(stored.buffer, stored.byteOffset, stored.byteLength);
    const head = view.getUint32(0, true), length = view.getUint32(4, true), tail = view.getUint32(8, true);
    const codedLength = view.getUint32(12, true);
    const layout = { bits: stored[16], channels: stored[17] };
    const align = (layout.bits / 8) * layout.channels;
    if (!align || (layout.bits !== 8 && layout.bits !== 16)) throw new Error('a packed sound is damaged');
    const frames = Math.floor(length / align), ragged = length - frames * align;
    if (20 + head + codedLength + ragged + tail !== stored.length) throw new Error('a packed sound has the wrong length');
    const out = new Uint8Array(head + length + tail);
    let at = 20;
    out.set(stored.subarray(at, at + head), 0);
    at += head;
    out.set(decodeSamples(stored.subarray(at, at + codedLength), layout, frames), head);
    at += codedLength;
    out.set(stored.subarray(at), head + frames * align);  // the ragged bytes and the rest
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
