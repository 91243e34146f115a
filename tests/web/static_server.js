// A static file server on 127.0.0.1 for the browser tests and the page's
// benchmark, serving like an ordinary web server would: real content types
// (application/wasm lets the browser compile while it downloads) and, when
// asked, gzip (level 6, the usual server default) for every file. Compressed
// bodies are made once and kept, so compressing costs no load time.
//   const { url, close } = await serve(dir, { gzip: true });
'use strict';
const fs = require('fs');
const http = require('http');
const path = require('path');
const zlib = require('zlib');

const TYPES = {
  '.html': 'text/html; charset=utf-8',
  '.txt': 'text/plain; charset=utf-8',
  '.js': 'text/javascript',
  '.wasm': 'application/wasm',
  '.data': 'application/octet-stream',
  '.ogg': 'audio/ogg',
  '.opus': 'audio/ogg',
};

function serve(dir, options = {}) {
  const root = path.resolve(dir);
  const gzipped = new Map();  // path -> compressed body
  const server = http.createServer((req, res) => {
    let name;
    try {
      name = decodeURIComponent(new URL(req.url, 'http://x').pathname);
    } catch (e) {
      res.writeHead(400);
      res.end();
      return;
    }
    const file = path.join(root, path.normalize(name === '/' ? '/index.html' : name));
    if (!file.startsWith(root + path.sep) || !fs.existsSync(file) || !fs.statSync(file).isFile()) {
      res.writeHead(404);
      res.end();
      return;
    }
    const headers = { 'Content-Type': TYPES[path.extname(file)] || 'application/octet-stream', 'Cache-Control': 'no-cache' };
    const wantsGzip = options.gzip && /\bgzip\b/.test(req.headers['accept-encoding'] || '');
    if (!wantsGzip) {
      headers['Content-Length'] = fs.statSync(file).size;
      res.writeHead(200, headers);
      fs.createReadStream(file).pipe(res);
      return;
    }
    const stamp = file + ':' + fs.statSync(file).mtimeMs;
    if (!gzipped.has(stamp)) gzipped.set(stamp, zlib.gzipSync(fs.readFileSync(file), { level: 6 }));
    const body = gzipped.get(stamp);
    headers['Content-Encoding'] = 'gzip';
    headers['Content-Length'] = body.length;
    res.writeHead(200, headers);
    res.end(body);
  });
  return new Promise((resolve) => {
    server.listen(0, '127.0.0.1', () => {
      resolve({
        url: `http://127.0.0.1:${server.address().port}/`,
        close: () => new Promise((r) => server.close(r)),
      });
    });
  });
}

module.exports = { serve };
