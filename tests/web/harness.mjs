// The web tests' kit: the built page served on localhost as a static host
// serves it, Debian's Chromium headless, and the bird names from the
// catalogue the game speaks from.
import fs from 'node:fs';
import http from 'node:http';
import path from 'node:path';

import puppeteer from 'puppeteer-core';

const TYPES = {
  '.html': 'text/html; charset=utf-8', '.css': 'text/css', '.js': 'text/javascript', '.mjs': 'text/javascript',
  '.wasm': 'application/wasm', '.png': 'image/png', '.webmanifest': 'application/manifest+json',
  '.txt': 'text/plain; charset=utf-8', '.md': 'text/plain; charset=utf-8',
};

export function check(condition, message) {
  if (!condition) throw new Error(`FAIL: ${message}`);
}

// Serves dir's files and nothing else, until closed.
export class Site {
  static async serve(folder) {
    const dir = path.resolve(folder);
    const site = new Site();
    site.server = http.createServer((request, response) => {
      const wanted = decodeURIComponent(new URL(request.url, 'http://localhost').pathname);
      const file = path.join(dir, wanted.endsWith('/') ? `${wanted}index.html` : wanted);
      if (!file.startsWith(path.resolve(dir)) || !fs.existsSync(file) || !fs.statSync(file).isFile()) {
        response.writeHead(404).end();
        return;
      }
      response.writeHead(200, { 'Content-Type': TYPES[path.extname(file)] ?? 'application/octet-stream' });
      response.end(fs.readFileSync(file));
    });
    site.sockets = new Set();
    site.server.on('connection', (s) => { site.sockets.add(s); s.on('close', () => site.sockets.delete(s)); });
    await new Promise((done) => site.server.listen(0, '127.0.0.1', done));
    site.address = `http://127.0.0.1:${site.server.address().port}/`;
    return site;
  }

  close() {
    this.server.close();
    for (const socket of this.sockets) socket.destroy();
  }
}

// Without the background services, whose connections this closed network refuses.
export function launch() {
  return puppeteer.launch({
    executablePath: process.env.KOPPELO_CHROMIUM ?? '/usr/bin/chromium',
    headless: true,
    defaultViewport: { width: 800, height: 700 },  // room for the whole window, unscaled
    args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
           '--disable-sync', '--no-first-run', '--disable-quic', '--force-device-scale-factor=1'],
  });
}

export function bird_names(repo) {
  const source = fs.readFileSync(path.join(repo, 'texts', 'dutch.cpp'), 'utf8');
  const names = [...source.split('.birds = {{')[1].split('}}')[0].matchAll(/^\s*"([^"]+)",/gm)].map((m) => m[1]);
  check(names.length === 18, `${names.length} bird names in texts/dutch.cpp`);
  return names;
}
