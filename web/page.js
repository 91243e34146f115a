// The page around the game: scaling the canvas, input into the game's queue,
// the loading bar, the player's files in IndexedDB and the buttons. Runs
// before the game's own code (it is the program's pre-js).
var Module = typeof Module !== 'undefined' ? Module : {};
(function () {
  const SCENE_W = 390, SCENE_H = 260;
  // Input goes to the game by name: the kinds below and the browser's own
  // key names. The game turns them into its numbers (platform/web), and
  // tells the page which keys it knows (Module.picoKeys) from its key list.
  const MOUSE_DOWN = 'MouseDown', MOUSE_UP = 'MouseUp', MOUSE_MOVE = 'MouseMove';
  const KEY_DOWN = 'KeyDown', KEY_UP = 'KeyUp';
  const SAVE_DIR = '/save';
  const SHEET = '/save/成績.txt';
  const MY_DAT = '/save/my.dat';

  const canvas = document.getElementById('canvas');
  const stage = document.getElementById('stage');
  Module.canvas = canvas;
  // Moments of the start, in ms after navigation (the page's benchmark reads them).
  const marks = Module.picoMarks = { script: performance.now() };
  Module.picoInput = [];
  const args = new URLSearchParams(location.search);
  Module.arguments = [];
  if (args.has('fixed-random')) Module.arguments.push('--fixed-random=' + args.get('fixed-random'));
  // ?lang=en (or ja): the game's language, remembered like the in-game switch.
  if (args.has('lang')) Module.arguments.push('--lang=' + args.get('lang'));
  if (args.has('replay')) Module.arguments.push('--replay=' + args.get('replay'), '--stop=' + (args.get('stop') || '0'));

  // --- the page's own words, in the game's language ----------------------------------
  // From ?lang= at first; the game tells its language once it runs and
  // whenever the player switches (Module.picoSetLanguage).
  const WORDS = {
    ja: { name: 'ピコラッテ', loading: '読み込み中…', fullscreen: '全画面', sheet: '成績表を保存',
          export: 'セーブを書き出す', import: 'セーブを読み込む',
          stopped: 'ゲームを続けられなくなりました: ',
          failed: (what) => '読み込みに失敗しました (' + what + ')。ページを読み込み直してください。',
          nothingSaved: 'まだ保存されたファイルがありません。',
          notMyDat: 'このファイルは my.dat として読めません。今までの進み具合はそのままです。',
          otherTab: 'ピコラッテは別のタブで開いています。同じ進み具合を二つのタブで遊ぶと片方の記録が消えるため、' +
            'あちらのタブを閉じると、ここで続きから始まります。' },
    en: { name: 'Picolatte', loading: 'Loading…', fullscreen: 'Fullscreen', sheet: 'Save results sheet',
          export: 'Export save', import: 'Import save',
          stopped: 'The game cannot go on: ',
          failed: (what) => 'Loading failed (' + what + '). Please reload the page.',
          nothingSaved: 'Nothing has been saved yet.',
          notMyDat: 'This file cannot be read as a my.dat. Your progress so far is unchanged.',
          otherTab: 'Picolatte is open in another tab. Two tabs playing the same progress would lose one of ' +
            'their records, so the game starts here, where you left off, once that tab is closed.' },
  };
  let words = WORDS.ja;
  Module.picoSetLanguage = function (code) {
    const before = words;
    words = code === 'en' ? WORDS.en : WORDS.ja;
    document.documentElement.lang = code === 'en' ? 'en' : 'ja';
    document.title = words.name;
    for (const id of ['fullscreen', 'sheet', 'export']) document.getElementById(id).textContent = words[id];
    document.getElementById('import').parentNode.firstChild.nodeValue = words.import;
    // The caption line and the loading notice until the game writes its own.
    const caption = document.getElementById('caption'), message = document.getElementById('message');
    if (caption.textContent === before.name) caption.textContent = words.name;
    if (message.textContent === before.loading) message.textContent = words.loading;
  };
  if (args.get('lang') === 'en') Module.picoSetLanguage('en');

  // --- the scene at the largest whole scale that fits ---------------------------
  function fit() {
    const w = stage.clientWidth, h = stage.clientHeight;
    let scale = Math.floor(Math.min(w / SCENE_W, h / SCENE_H));
    if (scale < 1) scale = Math.min(w / SCENE_W, h / SCENE_H);  // smaller than the scene: shrink
    canvas.style.width = Math.floor(SCENE_W * scale) + 'px';
    canvas.style.height = Math.floor(SCENE_H * scale) + 'px';
  }
  window.addEventListener('resize', fit);
  document.addEventListener('fullscreenchange', fit);
  fit();

  // --- input ------------------------------------------------------------------------
  function push(kind, x, y, button, key) {
    Module.picoInput.push({ kind: kind, x: x | 0, y: y | 0, button: button | 0, key: key || '' });
    if (Module.picoWake) Module.picoWake();
  }
  // Page coordinates to scene pixels; null outside the scene.
  function scenePoint(clientX, clientY) {
    const r = canvas.getBoundingClientRect();
    const x = Math.floor((clientX - r.left) * SCENE_W / r.width);
    const y = Math.floor((clientY - r.top) * SCENE_H / r.height);
    if (x < 0 || y < 0 || x >= SCENE_W || y >= SCENE_H) return null;
    return { x: x, y: y };
  }
  function mouse(kind) {
    return function (e) {
      const p = scenePoint(e.clientX, e.clientY);
      if (kind !== MOUSE_MOVE) e.preventDefault();
      if (kind === MOUSE_DOWN) { canvas.focus(); Module.onUserGesture && Module.onUserGesture(); }
      if (p) push(kind, p.x, p.y, e.button + 1);
    };
  }
  canvas.addEventListener('mousedown', mouse(MOUSE_DOWN));
  canvas.addEventListener('mouseup', mouse(MOUSE_UP));
  canvas.addEventListener('mousemove', mouse(MOUSE_MOVE));
  // A tap is a click; the page neither scrolls nor zooms under the finger.
  let lastTouch = null;
  function touch(kind) {
    return function (e) {
      e.preventDefault();
      const t = e.changedTouches[0];
      if (!t) return;
      const p = scenePoint(t.clientX, t.clientY) || lastTouch;
      if (!p) return;
      lastTouch = p;
      if (kind === MOUSE_DOWN) {
        Module.onUserGesture && Module.onUserGesture();
        push(MOUSE_MOVE, p.x, p.y, 1);
      }
      push(kind, p.x, p.y, 1);
    };
  }
  canvas.addEventListener('touchstart', touch(MOUSE_DOWN), { passive: false });
  canvas.addEventListener('touchmove', touch(MOUSE_MOVE), { passive: false });
  canvas.addEventListener('touchend', touch(MOUSE_UP), { passive: false });
  canvas.addEventListener('touchcancel', touch(MOUSE_UP), { passive: false });
  function key(kind) {
    return function (e) {
      if (e.target && e.target.tagName === 'INPUT') return;
      if (e.ctrlKey || e.altKey || e.metaKey || /^F\d+$/.test(e.key)) return;
      const known = Module.picoKeys && Module.picoKeys[e.key];
      if (known) e.preventDefault();  // arrows and paging keys do not scroll the page
      // Only the list's moving keys repeat while held: a held Enter asks once.
      if (e.repeat && !(known && known.repeats)) return;
      if (kind === KEY_DOWN) Module.onUserGesture && Module.onUserGesture();
      push(kind, 0, 0, 1, e.key);
    };
  }
  window.addEventListener('keydown', key(KEY_DOWN));
  window.addEventListener('keyup', key(KEY_UP));

  // --- loading --------------------------------------------------------------------
  const loading = document.getElementById('loading');
  const bar = document.querySelector('#progress div');
  const message = document.getElementById('message');
  Module.printErr = function (text) { console.warn(text); };
  Module.onAbort = function (what) {
    loading.hidden = false;
    message.textContent = words.stopped + what;
  };
  function failed(what, err) {
    console.error('picolatte: ' + what + ': ' + err);
    loading.hidden = false;
    message.textContent = words.failed(what);
  }
  const whenQuiet = window.requestIdleCallback ? window.requestIdleCallback.bind(window) : (f) => setTimeout(f, 50);

  // index.html starts both downloads (and the compiling) before this script
  // has arrived; a page without it starts them here.
  const fetchFile = (name) => fetch(name, { credentials: 'same-origin' });
  const dataResponse = Module.picoData || fetchFile('picolatte.data');
  // The program, compiled while it downloads where the server names it
  // application/wasm; otherwise from the whole file.
  const compiled = Promise.resolve(
    Module.picoWasm || (WebAssembly.compileStreaming && WebAssembly.compileStreaming(fetchFile('picolatte.wasm'))) ||
      Promise.reject(new Error('no streaming'))
  ).catch(function () {
    return fetchFile('picolatte.wasm').then(function (response) {
      if (!response.ok) throw new Error('HTTP ' + response.status);
      return response.arrayBuffer();
    }).then((bytes) => WebAssembly.compile(bytes));
  });
  function deferred() {
    const d = {};
    d.promise = new Promise((resolve, reject) => { d.resolve = resolve; d.reject = reject; });
    return d;
  }

  // Files of the later data files that have not arrived yet: path -> a
  // deferred resolved when the file is in the program's file system. The game
  // opening one of them waits for it (the program sleeps in its open call).
  const pending = new Map();
  Module.picoWaitedFor = [];  // what the game had to wait for, and when
  function waitingFor(pathPointer) {
    if (!pending.size) return null;
    let name = UTF8ToString(pathPointer);
    if (name[0] !== '/') name = FS.cwd() + '/' + name;
    const wait = pending.get(name.replace(/\/+/g, '/'));
    if (wait) {
      Module.picoWaitedFor.push({ path: name, at: performance.now(), firstFrame: !!Module.firstFrameMs });
      laterWanted.resolve();  // the game cannot go on without the later files
    }
    return wait;
  }
  Module.instantiateWasm = function (imports, receive) {
    // The program's open call (its import name may be shortened; the path is
    // its first argument): the game opening a file still on its way sleeps
    // until the file is in.
    const open = typeof ___syscall_open === 'function' ? ___syscall_open : null;
    function openWhenIn(pathPointer, flags, varargs) {
      if (Asyncify.state === Asyncify.State.Rewinding) {
        // Back from the wait: the file is in now (or will never come).
        Asyncify.handleSleep(() => {});
        return open(pathPointer, flags, varargs);
      }
      const wait = waitingFor(pathPointer);
      if (!wait) return open(pathPointer, flags, varargs);
      Asyncify.handleSleep((wakeUp) => wait.promise.then(() => wakeUp(0), () => wakeUp(0)));
      return 0;  // unwinding: the call is made again once the file is in
    }
    if (open && typeof Asyncify !== 'undefined') {
      for (const module in imports)
        for (const name in imports[module]) if (imports[module][name] === open) imports[module][name] = openWhenIn;
    }
    compiled
      .then(function (module) {
        marks.compiled = performance.now();
        return WebAssembly.instantiate(module, imports).then((instance) => receive(instance, module));
      })
      .catch((err) => failed('picolatte.wasm', err));
    return {};
  };

  // A data file read piece by piece: its first bytes tell its whole length,
  // from then on each piece goes straight to its place, and each file is
  // handed on (take(data, index, first, last)) as soon as its bytes are in.
  // `progress` moves the bar. Resolves with the file's index once it is whole.
  function readDataFile(response, take, progress) {
    return Promise.resolve(response).then(function (response) {
      if (!response.ok) throw new Error('HTTP ' + response.status);
      let data = null, read = null, received = 0, handed = 0;
      function arrived() {
        if (!read) read = PicoDataPack.readIndex(data.subarray(0, received));
        if (!read) return;
        let n = handed;
        while (n < read.spans.length && read.spans[n][1] <= received) n++;
        if (n > handed) take(data, read.index, handed, n);
        handed = n;
      }
      function whole() {
        if (!data || received !== data.length || !read || read.end !== data.length) throw new Error('the data file is cut short');
        return read.index;
      }
      if (!response.body || !response.body.getReader) {
        return response.arrayBuffer().then(function (buffer) {
          data = new Uint8Array(buffer);
          received = data.length;
          arrived();
          return whole();
        });
      }
      const reader = response.body.getReader();
      let head = new Uint8Array(0);
      function piece(bytes) {
        if (!data) {
          const longer = new Uint8Array(head.length + bytes.length);
          longer.set(head);
          longer.set(bytes, head.length);
          head = longer;
          if (head.length < 8) return;
          const total = PicoDataPack.packedLength(head);
          if (!total || total < head.length) throw new Error('the data file is damaged');
          data = new Uint8Array(total);
          bytes = head;
        }
        if (received + bytes.length > data.length) throw new Error('the data file is longer than it says');
        data.set(bytes, received);
        received += bytes.length;
        if (progress) progress(received / data.length);
        arrived();
      }
      function next() {
        return reader.read().then(function (step) {
          if (step.done) return whole();
          piece(step.value);
          return next();
        });
      }
      return next();
    });
  }

  // The files go into the program's file system. A sound is decoded when the
  // game first reads it, or in a quiet moment after the first picture,
  // whichever comes first: decoding them all would hold up the start.
  const undecoded = [];
  function putFile(file) {
    const slash = file.path.lastIndexOf('/');
    const dir = file.path.substring(0, slash) || '/';
    FS.mkdirTree(dir);
    if (!file.coded) {
      FS.writeFile(file.path, file.restore(), { canOwn: true });
    } else {
      const node = FS.createFile(dir, file.path.substring(slash + 1), {}, true, true);
      let contents = null, ready = false, used = file.size;
      Object.defineProperties(node, {
        contents: {
          get: function () {
            if (!ready) {
              contents = file.restore();
              used = contents.length;
              ready = true;
            }
            return contents;
          },
          set: function (value) {
            contents = value;
            ready = true;
          },
        },
        usedBytes: { get: () => used, set: (value) => { used = value; } },
      });
      undecoded.push(node);
      if (Module.firstFrameMs) whenQuiet(decodeRest);
    }
    const wait = pending.get(file.path);
    if (wait) {
      pending.delete(file.path);
      wait.resolve();
    }
  }
  function decodeRest(deadline) {
    while (undecoded.length && (!deadline || deadline.timeRemaining() > 2)) undecoded.pop().contents;
    if (undecoded.length) whenQuiet(decodeRest);
  }
  const putFiles = (data, index, first, last) => PicoDataPack.unpackFiles(data, putFile, first, last);

  // The first data file: what the game reads before its first picture. The
  // program's file system exists once its script runs (preRun), the bytes may
  // be in before or after that.
  const firstPieces = [];  // kept until the file system exists
  const firstFile = readDataFile(dataResponse, (data, index, first, last) => firstPieces.push([data, first, last]),
    (share) => { bar.style.width = (100 * share).toFixed(1) + '%'; });
  Module.preRun = Module.preRun || [];
  Module.preRun.push(function () {
    addRunDependency('picolatte-data');
    firstFile.then(function (index) {
      marks.downloaded = performance.now();
      firstPieces.forEach((p) => PicoDataPack.unpackFiles(p[0], putFile, p[1], p[2]));
      for (const part of index.later || []) for (const p of part.paths) pending.set(p, deferred());
      musicFiles = index.music || [];
      marks.unpacked = performance.now();
      removeRunDependency('picolatte-data');
      fetchLater(index.later || []);
    }, function (err) {
      failed('picolatte.data', err);
    });
  });

  // The later data files, one after the other, once the first picture is up
  // or the game wants one of their files (before, they would only slow the
  // program's download and start-up): the
  // font and the title's files, awaited by the game's platform before it
  // draws any text, then the rest.
  const titleFiles = deferred(), laterWanted = deferred();
  function fetchLater(parts) {
    let chain = laterWanted.promise;
    parts.forEach(function (part, k) {
      chain = chain.then(() => readDataFile(fetchFile(part.name), putFiles)).then(function () {
        if (k === 0) {
          marks.font = performance.now();
          titleFiles.resolve();
        }
      });
    });
    chain.then(function () {
      if (!parts.length) titleFiles.resolve();
      marks.allFiles = performance.now();
      pending.forEach((wait, path) => wait.reject(new Error(path + ' is missing')));
      pending.clear();
      if (!args.has('replay')) whenQuiet(() => musicFiles.forEach((name) => musicBytes(name)));
    }, function (err) {
      failed('picolatte.data', err);
      titleFiles.resolve();  // the game goes on and says which file it cannot read
      for (const wait of pending.values()) wait.reject(err);
      pending.clear();
    });
  }
  Module.picoLateFiles = titleFiles.promise;

  // --- once the first picture is up ------------------------------------------------
  // The sound's context is made in a quiet moment after the first picture (or
  // at the first click, whichever comes first), and the music is fetched in
  // the background once every data file is in (or when the game first plays
  // a piece): none of it holds up the start.
  Module.picoLazyAudio = true;
  let musicFiles = [];
  const music = new Map();  // name -> promise of its bytes
  function musicBytes(name) {
    if (!music.has(name)) {
      music.set(name, fetchFile('music/' + name).then(function (r) {
        if (!r.ok) throw new Error('HTTP ' + r.status);
        return r.arrayBuffer();
      }));
    }
    // Each play decodes its own copy: decoding takes the buffer over.
    return music.get(name).then((bytes) => bytes.slice(0));
  }
  // The game asks for "/dat/NAME.ogg"; null for a piece the page does not serve.
  Module.picoMusicBytes = function (key) {
    const name = key.substring(key.lastIndexOf('/') + 1);
    return musicFiles.includes(name) ? musicBytes(name) : null;
  };
  Module.onUserGesture = function () {
    // Made and resumed inside the gesture, as browsers want for sound.
    const wa = Module.webAudio;
    const ctx = wa && wa.prepare ? wa.prepare() : null;
    if (ctx && ctx.state !== 'running') ctx.resume().catch(() => {});
  };
  Module.onFramePresented = function () {
    if (loading.hidden) return;
    loading.hidden = true;
    document.getElementById('bar').hidden = false;
    fit();
    if (!Module.firstFrameMs) Module.firstFrameMs = performance.now();
    laterWanted.resolve();
    whenQuiet(decodeRest);
    if (args.has('replay')) return;  // a replay plays no sound
    whenQuiet(function () {
      if (Module.webAudio && Module.webAudio.prepare) Module.webAudio.prepare();
    }, { timeout: 1000 });
  };

  // --- the player's files ---------------------------------------------------------
  // One write-back at a time; calls made meanwhile share the next one.
  let syncing = false, again = false, waiting = [];
  Module.picoSyncStorage = function (done) {
    if (typeof done === 'function') waiting.push(done);
    if (syncing) { again = true; return; }
    syncing = true;
    const callbacks = waiting;
    waiting = [];
    FS.syncfs(false, function (err) {
      syncing = false;
      if (err) console.warn('picolatte: saving to the browser storage failed', err);
      if (again) { again = false; Module.picoSyncStorage(); }
      callbacks.forEach(function (f) { f(); });
    });
  };
  // A copy of the player's files in localStorage, written synchronously when
  // the page is hidden or left (IndexedDB only finishes later, which a
  // closing page may not see); taken at the next start when it is newer
  // than what IndexedDB kept.
  const COPY_KEY = 'picolatte-save-copy';
  const COPIED = [MY_DAT, SHEET];
  function stamp(path) {
    try { return FS.stat(path).mtime.getTime(); } catch (e) { return -1; }
  }
  function copyToLocalStorage() {
    try {
      const files = {};
      for (const path of COPIED) {
        const bytes = FS.readFile(path);
        let text = '';
        for (let i = 0; i < bytes.length; i += 8192) text += String.fromCharCode.apply(null, bytes.subarray(i, i + 8192));
        files[path] = text;
      }
      localStorage.setItem(COPY_KEY, JSON.stringify({ stamp: stamp(MY_DAT), files: files }));
    } catch (e) {
      console.warn('picolatte: no copy of the progress in localStorage', e);
    }
  }
  function takeNewerCopy() {
    try {
      const copy = JSON.parse(localStorage.getItem(COPY_KEY) || 'null');
      if (!copy || !(copy.stamp > stamp(MY_DAT))) return;
      for (const path of COPIED) {
        const text = copy.files[path];
        if (typeof text !== 'string') continue;
        FS.writeFile(path, Uint8Array.from(text, (c) => c.charCodeAt(0)));
      }
    } catch (e) {
      console.warn('picolatte: the copy of the progress in localStorage cannot be read', e);
    }
  }

  // One copy of the game per browser: a second tab would write its own
  // progress over the first's. It waits, says so, and starts (reading the
  // progress afresh) once the other tab is closed. A browser without Web
  // Locks runs every tab.
  const LOCK = 'picolatte-progress';
  function whenOnlyCopy(start) {
    if (!navigator.locks || !navigator.locks.request) return start();
    const hold = () => new Promise(() => {});  // until the page goes
    navigator.locks.request(LOCK, { ifAvailable: true }, function (lock) {
      if (lock) { start(); return hold(); }
      Module.picoWaitsForOtherTab = true;
      message.textContent = words.otherTab;
      navigator.locks.request(LOCK, function () {
        Module.picoWaitsForOtherTab = false;
        message.textContent = words.loading;
        start();
        return hold();
      });
    });
  }
  Module.preRun.push(function () {
    marks.preRun = performance.now();
    FS.mkdir(SAVE_DIR);
    FS.mount(IDBFS, {}, SAVE_DIR);
    addRunDependency('picolatte-save');
    whenOnlyCopy(function () {
      FS.syncfs(true, function (err) {
        if (err) console.warn('picolatte: the browser storage could not be read', err);
        takeNewerCopy();
        marks.storage = performance.now();
        removeRunDependency('picolatte-save');
      });
    });
  });
  // Leaving or hiding the page: the game writes what changed since its last
  // wait, at once, and the files go to localStorage now and to IndexedDB as
  // soon as it can.
  function keepNow() {
    if (!Module._picolatte_keep_progress) return;
    let running = 0;
    try { running = Module._picolatte_keep_progress(); } catch (e) { console.warn('picolatte: saving failed', e); }
    if (running) copyToLocalStorage();
  }
  document.addEventListener('visibilitychange', function () {
    if (document.visibilityState === 'hidden') keepNow();
  });
  window.addEventListener('pagehide', keepNow);

  const IMPORT_REQUEST = 'Import';  // a kind of queued input the game's platform knows
  function download(path, name, type) {
    let bytes;
    try { bytes = FS.readFile(path); } catch (e) { alert(words.nothingSaved); return; }
    const a = document.createElement('a');
    a.href = URL.createObjectURL(new Blob([bytes], { type: type }));
    a.download = name;
    document.body.appendChild(a);
    a.click();
    setTimeout(function () { URL.revokeObjectURL(a.href); a.remove(); }, 1000);
  }
  document.getElementById('sheet').addEventListener('click', function () {
    download(SHEET, '成績.txt', 'text/plain;charset=Shift_JIS');
  });
  document.getElementById('export').addEventListener('click', function () {
    download(MY_DAT, 'my.dat', 'application/octet-stream');
  });
  document.getElementById('import').addEventListener('change', function (e) {
    const file = e.target.files[0];
    e.target.value = '';
    if (!file) return;
    file.arrayBuffer().then(function (buffer) {
      FS.writeFile('/tmp/import.dat', new Uint8Array(buffer));
      push(IMPORT_REQUEST, 0, 0, 0);
    });
  });
  Module.onImportDone = function (accepted) {
    if (!accepted) {
      alert(words.notMyDat);
      return;
    }
    Module.picoSyncStorage(function () { location.reload(); });
  };
  document.getElementById('fullscreen').addEventListener('click', function () {
    if (document.fullscreenElement) document.exitFullscreen();
    else if (stage.requestFullscreen) stage.requestFullscreen();
    canvas.focus();
  });
})();
