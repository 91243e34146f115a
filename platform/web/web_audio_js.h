// The page side of the browser's sound: one AudioContext, a script processor
// that plays the mixer's blocks from a queue kept in JavaScript, and the
// music's buffer source. Everything lives in Module.webAudio; the game reads
// its counters when it polls. Only platform/web/web_audio.cpp includes this.
//
// The processor and the clock never call into the game: the game may be
// suspended in emscripten_sleep whenever they run.
#pragma once

#include <emscripten.h>

// Sets up Module.webAudio. The context and its graph (blocks -> out, music ->
// music_gain -> out, out -> destination; tests tap `out`) are built by
// wa.prepare(): at once, or, when the page sets Module.picoLazyAudio, when
// the page finds a quiet moment or the player's first gesture comes (making
// a context takes a good part of a second in some browsers, which would
// hold up the first picture). Until then the blocks pass by the clock, as
// before a gesture. 0 when the browser has no Web Audio.
EM_JS(int, wa_create, (), {
  var Ctor = globalThis.AudioContext || globalThis.webkitAudioContext;
  if (!Ctor) return 0;
  var wa = {
    ctx : null,
    out : null,
    music_gain : null,
    volume : 1,
    node : null,
    broken : false,
    open : false,
    paused : false,
    rate : 11025,
    align : 1,
    bits : 8,
    channels : 1,
    queue : [],
    frame : 0,
    phase : 0,
    position : 0,
    finished : 0,
    last_clock : performance.now(),
    clock_rest : 0,
    pieces : new Map(),
    source : null,
    pending : null,
    ended_gen : 0
  };
  // The context, made on the first call; null when the browser refuses one.
  wa.prepare = function() {
    if (wa.ctx || wa.broken) return wa.ctx;
    var ctx;
    try {
      ctx = new Ctor({latencyHint : 'interactive'});
    } catch (e) {
      wa.broken = true;
      console.warn('No sound: the browser gives no audio context (' + e + ')');
      return null;
    }
    wa.out = ctx.createGain();
    wa.out.gain.value = wa.volume;
    wa.music_gain = ctx.createGain();
    wa.out.connect(ctx.destination);
    wa.music_gain.connect(wa.out);
    wa.node = ctx.createScriptProcessor(1024, 1, 2);
    wa.node.onaudioprocess = wa.process;
    wa.node.connect(wa.out);
    // A context that stops (the browser may suspend it) hands the blocks
    // back to the clock from that moment.
    ctx.onstatechange = function() {
      if (ctx.state == 'running') wa.parked = false;
      wa.last_clock = performance.now();
      wa.clock_rest = 0;
      wa.watchClock();
    };
    wa.ctx = ctx;
    return ctx;
  };
  wa.running = function() {
    return wa.ctx != null && (wa.ctx.state == 'running' || wa.resuming);
  };

  wa.pop = function() {
    wa.queue.shift();
    wa.frame = 0;
    wa.finished++;
  };
  wa.skipEmpty = function() {
    while (wa.queue.length > 0 && wa.frame >= wa.queue[0].frames) wa.pop();
  };
  wa.dropQueue = function() {
    wa.finished += wa.queue.length;
    wa.queue = [];
    wa.frame = 0;
    wa.phase = 0;
    wa.clock_rest = 0;
  };

  // Output frames at the context's rate, each interpolated between two
  // mixer frames; the position counts the mixer's bytes as they pass.
  wa.process = function(e) {
    var left = e.outputBuffer.getChannelData(0);
    var right = e.outputBuffer.getChannelData(1);
    var out_rate = wa.ctx.sampleRate;
    for (var i = 0; i < left.length; i++) {
      wa.skipEmpty();
      if (!wa.open || wa.paused || wa.queue.length == 0) {
        left[i] = 0;
        right[i] = 0;
        continue;
      }
      var a = wa.queue[0];
      var j = wa.frame;
      var b = a;
      var k = j;
      if (j + 1 < a.frames) {
        k = j + 1;
      } else if (wa.queue.length > 1 && wa.queue[1].frames > 0) {
        b = wa.queue[1];
        k = 0;
      }
      var w1 = wa.phase / out_rate;
      var w0 = 1 - w1;
      left[i] = a.l[j] * w0 + b.l[k] * w1;
      right[i] = a.r[j] * w0 + b.r[k] * w1;
      wa.phase += wa.rate;
      while (wa.phase >= out_rate && wa.queue.length > 0) {
        wa.phase -= out_rate;
        wa.frame++;
        wa.position += wa.align;
        if (wa.frame >= wa.queue[0].frames) wa.pop();
      }
      if (wa.queue.length == 0) wa.phase = 0;
    }
    if (wa.idle()) wa.parkSoon();
  };

  // Parking: after half a second with nothing to play, a running context is
  // suspended (while the game waits the page then costs next to nothing: no
  // processor calls, no audio stream), and the next block or piece of music
  // resumes it (a browser that let it run lets it run again). While it resumes the blocks wait for it
  // instead of passing by the clock.
  wa.parked = false;
  wa.resuming = false;
  wa.parkTimer = 0;
  wa.idle = function() {
    return wa.queue.length == 0 && !wa.source && !wa.pending;
  };
  wa.parkSoon = function() {
    if (wa.parkTimer) return;
    wa.parkTimer = setTimeout(
        function() {
          wa.parkTimer = 0;
          if (!wa.idle() || !wa.ctx || wa.ctx.state != 'running' || wa.resuming) return;
          wa.parked = true;
          wa.ctx.suspend().catch(function(){});
        },
        500);
  };
  wa.wake = function() {
    if (!wa.parked || !wa.ctx) return;
    wa.parked = false;
    wa.resuming = true;
    var done = function() {
      wa.resuming = false;
      wa.last_clock = performance.now();
      wa.clock_rest = 0;
      wa.watchClock();
    };
    wa.ctx.resume().then(done, done);
  };

  // While the context does not run (no gesture yet, or the browser stopped
  // it) the blocks pass by the clock, so the mixer is never left waiting:
  // the game's polls move the clock on, and so does a timer every 10 ms,
  // which runs only while blocks wait that way.
  wa.clockTimer = 0;
  wa.watchClock = function() {
    if (wa.clockTimer || wa.queue.length == 0 || wa.running() || !wa.open || wa.paused) return;
    wa.clockTimer = setInterval(
        function() {
          wa.tick();
          if (wa.queue.length == 0 || wa.running() || !wa.open || wa.paused) {
            clearInterval(wa.clockTimer);
            wa.clockTimer = 0;
          }
        },
        10);
  };
  wa.tick = function() {
    var now = performance.now();
    var ms = now - wa.last_clock;
    wa.last_clock = now;
    if (wa.running() || !wa.open || wa.paused) {
      wa.clock_rest = 0;
      return;
    }
    var exact = ms * wa.rate / 1000 + wa.clock_rest;
    var n = Math.floor(exact);
    wa.clock_rest = exact - n;
    while (n > 0) {
      wa.skipEmpty();
      if (wa.queue.length == 0) break;
      var take = Math.min(n, wa.queue[0].frames - wa.frame);
      wa.frame += take;
      wa.position += take * wa.align;
      n -= take;
      if (wa.frame >= wa.queue[0].frames) wa.pop();
    }
    wa.skipEmpty();
    if (wa.queue.length == 0) wa.clock_rest = 0;
  };

  // Copies a block out of the game's memory as floats, one array a side.
  wa.write = function(ptr, len) {
    var bytes = HEAPU8.subarray(ptr, ptr + len);
    var frames = Math.floor(len / wa.align);
    var l = new Float32Array(frames);
    var r = wa.channels == 2 ? new Float32Array(frames) : l;
    var step = wa.bits / 8;
    for (var f = 0; f < frames; f++) {
      for (var c = 0; c < wa.channels; c++) {
        var at = f * wa.align + c * step;
        var v;
        if (step == 1) {
          v = (bytes[at] - 128) / 128;
        } else {
          var s = bytes[at] | (bytes[at + 1] << 8);
          if (s >= 32768) s -= 65536;
          v = s / 32768;
        }
        (c == 0 ? l : r)[f] = v;
      }
    }
    // Nothing was waiting: the clock starts now, not at the last look.
    if (wa.queue.length == 0) {
      wa.last_clock = performance.now();
      wa.clock_rest = 0;
    }
    wa.queue.push({l : l, r : r, frames : frames});
    wa.wake();
    wa.watchClock();
  };

  wa.musicStop = function() {
    wa.pending = null;
    var s = wa.source;
    if (!s) return;
    wa.source = null;
    s.onended = null;
    try {
      s.stop();
    } catch (e) {
    }
    s.disconnect();
  };
  // Starts the play asked for once its piece is decoded.
  wa.startPending = function() {
    var p = wa.pending;
    var piece = p ? wa.pieces.get(p.key) : null;
    if (!piece || !piece.buffer) return;
    wa.pending = null;
    wa.wake();
    var src = wa.ctx.createBufferSource();
    src.buffer = piece.buffer;
    src.connect(wa.music_gain);
    src.onended = function() {
      if (wa.source != src) return;
      wa.source = null;
      src.disconnect();
      // A piece shorter than half a second never really played: no end,
      // or the game would restart it again and again.
      if (piece.buffer.duration >= 0.5) wa.ended_gen = p.gen;
    };
    wa.source = src;
    src.start();
  };
  // Decoded pieces stay: the game plays its few pieces again and again,
  // and decoding one takes a moment.
  wa.newPiece = function(key) {
    var piece = {key : key, buffer : null, failed : false, started : performance.now(), decode_ms : 0};
    wa.pieces.set(key, piece);
    return piece;
  };
  wa.load = function(key, ptr, len) {
    wa.decode(wa.newPiece(key), HEAPU8.slice(ptr, ptr + len).buffer);
  };
  wa.decode = function(piece, bytes) {
    var key = piece.key;
    var ctx = wa.prepare();
    if (!ctx) {
      piece.failed = true;
      return;
    }
    var ok = function(buffer) {
      piece.buffer = buffer;
      piece.decode_ms = performance.now() - piece.started;
      wa.startPending();
    };
    var fail = function(err) {
      piece.failed = true;
      console.warn('The music ' + key + ' cannot be decoded: ' + err);
    };
    var promise = ctx.decodeAudioData(bytes, ok, fail);
    if (promise && promise.catch) promise.catch(function(){});
  };

  if (!Module['picoLazyAudio']) wa.prepare();
  Module['webAudio'] = wa;
  return 1;
});

EM_JS(void, wa_destroy, (), {
  var wa = Module['webAudio'];
  if (!wa) return;
  wa.musicStop();
  clearInterval(wa.clockTimer);
  if (wa.ctx) {
    wa.node.onaudioprocess = null;
    wa.ctx.close().catch(function(){});
  }
  delete Module['webAudio'];
});

EM_JS(void, wa_unlock, (), {
  var wa = Module['webAudio'];
  var ctx = wa.prepare();
  wa.parked = false;
  var p = ctx ? ctx.resume() : null;
  if (p && p.catch) p.catch(function(){});
});

// A parked context counts as running: it resumes as soon as there is sound.
// The master volume: a factor on everything heard (the blocks and the music),
// kept for a context made later.
EM_JS(void, wa_set_volume, (double gain), {
  var wa = Module['webAudio'];
  wa.volume = gain;
  if (wa.out) wa.out.gain.value = gain;
});

EM_JS(int, wa_running, (), {
  var wa = Module['webAudio'];
  return wa.running() || wa.parked ? 1 : 0;
});

EM_JS(void, wa_open, (int rate, int align, int bits, int channels), {
  var wa = Module['webAudio'];
  wa.dropQueue();
  wa.open = true;
  wa.paused = false;
  wa.rate = rate;
  wa.align = align;
  wa.bits = bits;
  wa.channels = channels;
  wa.position = 0;
  wa.last_clock = performance.now();
});

EM_JS(void, wa_close, (), {
  var wa = Module['webAudio'];
  wa.dropQueue();
  wa.open = false;
});

EM_JS(void, wa_write, (const uint8_t* data, int length), { Module['webAudio'].write(data, length); });

EM_JS(void, wa_set_paused, (int paused), {
  var wa = Module['webAudio'];
  wa.tick();
  wa.paused = paused != 0;
  wa.watchClock();
});

EM_JS(void, wa_reset, (), {
  var wa = Module['webAudio'];
  wa.dropQueue();
  wa.position = 0;
});

// Blocks finished since the context was made (played or dropped).
EM_JS(int, wa_finished, (), {
  var wa = Module['webAudio'];
  wa.tick();
  wa.skipEmpty();
  return wa.finished | 0;
});

EM_JS(int, wa_position, (), {
  var wa = Module['webAudio'];
  wa.tick();
  return wa.position | 0;
});

EM_JS(int, wa_music_has, (const char* key), {
  var piece = Module['webAudio'].pieces.get(UTF8ToString(key));
  return piece && !piece.failed ? 1 : 0;
});

EM_JS(void, wa_music_load, (const char* key, const uint8_t* data, int length),
      { Module['webAudio'].load(UTF8ToString(key), data, length); });

// A piece the page serves beside the game (Module.picoMusicBytes(key) gives
// the promise of its bytes, or null for a piece the page does not have):
// fetched and decoded in the background; a play asked for meanwhile starts
// once it is ready. 1 when the page has the piece.
EM_JS(int, wa_music_request, (const char* key), {
  var wa = Module['webAudio'];
  var k = UTF8ToString(key);
  var bytes = Module['picoMusicBytes'] ? Module['picoMusicBytes'](k) : null;
  if (!bytes) return 0;
  var piece = wa.newPiece(k);
  bytes.then(
      function(b) { wa.decode(piece, b); },
      function(err) {
        piece.failed = true;
        console.warn('The music ' + k + ' cannot be fetched: ' + err);
      });
  return 1;
});

EM_JS(void, wa_music_play, (const char* key, int generation), {
  var wa = Module['webAudio'];
  wa.musicStop();
  wa.pending = {key : UTF8ToString(key), gen : generation};
  wa.startPending();
});

EM_JS(void, wa_music_stop, (), { Module['webAudio'].musicStop(); });

// The generation of the play that last reached its end, once; 0 if none.
EM_JS(int, wa_music_ended, (), {
  var wa = Module['webAudio'];
  var gen = wa.ended_gen;
  wa.ended_gen = 0;
  return gen;
});
