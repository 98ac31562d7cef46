// Measures the web page in Debian's Chromium, headless, and prints:
// - every file a first visit loads, the service worker's fetches included,
//   with its size as served and gzipped, and the total;
// - the start-up from navigation until all 36 cards are painted and the
//   first click is accepted, against the floor (the same page's HTML, CSS
//   and pictures without the script), over alternating pairs in one Chromium,
//   each load in a fresh context so that each is a first visit;
// - a click handled (the WebAssembly call and the DOM update), timed in the
//   page over many clicks.
//
//   node bench/web_page.mjs [build/web] [pairs] [clicks]   (or bench/web_page.sh)
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import zlib from 'node:zlib';

import { Site, launch } from '../tests/web/harness.mjs';

const [pageDir = 'build/web', pairsArg = '31', clicksArg = '1980'] = process.argv.slice(2);
const pairs = Number(pairsArg);
const clicks = Number(clicksArg);
if (!fs.existsSync(path.join(pageDir, 'index.html')) || !(pairs > 0) || !(clicks > 0)) {
  console.error('usage: web_page.mjs [build/web] [pairs] [clicks]; build the page first: bash scripts/web.sh');
  process.exit(2);
}
const kSlots = 36;
const kBudget = 512 * 1024, kAim = 400 * 1024;

function fail(message) {
  throw new Error(`web_page.mjs: ${message}`);
}

// The floor: the page's own folder with the script's tag taken out of its
// HTML (and any line preloading the script's files), whose 36 cards are
// already buttons drawn face down by the CSS.
function makeFloor(dir) {
  const floor = fs.mkdtempSync(path.join(os.tmpdir(), 'koppelo-floor-'));
  fs.cpSync(dir, floor, { recursive: true });
  const html = fs.readFileSync(path.join(dir, 'index.html'), 'utf8');
  const tag = /^<script type="module" src="main\.js"><\/script>\n/m;
  if (!tag.test(html)) fail('no <script type="module" src="main.js"> line in index.html');
  const bare = html.replace(tag, '').replace(/^<link rel="(?:module)?preload" href="[^"]+\.(?:m?js|wasm)"[^>]*>\n/gm, '');
  if (/<script/i.test(bare)) fail('index.html holds another script');
  if ((bare.match(/id="Picture3-\d+" class="box card down"/g) ?? []).length !== kSlots)
    fail(`index.html does not hold the ${kSlots} face-down cards`);
  fs.writeFileSync(path.join(floor, 'index.html'), bare);
  return floor;
}

// Set in each page before its own script runs: the moment the end mark is
// reached, in ms since navigation began. Both pages wait for their load
// event (the CSS and the pictures in the HTML are there); the game then also
// waits until it is ready and a click on a card has turned it. Then one frame
// is painted: the time is read in the task after the next animation frame.
function startProbe(isGame) {
  const painted = () => new Promise((done) => requestAnimationFrame(() => {
    const channel = new MessageChannel();
    channel.port1.onmessage = () => done(performance.now());
    channel.port2.postMessage(0);
  }));
  const marks = {};
  const loaded = new Promise((done) => addEventListener('load', () => {
    marks.load = performance.now();
    done();
  }, { once: true }));
  const ready = !isGame ? Promise.resolve() : new Promise((done) => {
    // This runs before <html> exists: the document itself is watched.
    const check = () => {
      if (document.documentElement?.dataset.ready !== 'true') return false;
      marks.ready = performance.now();
      done();
      return true;
    };
    if (!check()) new MutationObserver((_, observer) => { if (check()) observer.disconnect(); })
      .observe(document, { subtree: true, attributes: true, attributeFilter: ['data-ready'] });
  });
  globalThis.koppeloStartEnd = Promise.all([loaded, ready]).then(() => {
    if (isGame) {
      const card = document.getElementById('Picture3-0');
      card.dispatchEvent(new MouseEvent('click', { bubbles: true, cancelable: true }));
      if (!card.querySelector('img')?.getAttribute('src')) return { error: 'the first click was not accepted' };
    }
    const cards = document.querySelectorAll('#board .card').length;
    if (cards !== 36) return { error: `${cards} cards on the page` };
    return painted().then((ms) => {
      // When each of the game's own files had arrived, for the breakdown.
      for (const entry of performance.getEntriesByType('resource')) {
        const name = new URL(entry.name).pathname.slice(1);
        if (['main.js', 'koppelo.mjs', 'koppelo.wasm'].includes(name)) marks[name] = entry.responseEnd;
      }
      marks.domContentLoaded = performance.getEntriesByType('navigation')[0]?.domContentLoadedEventEnd;
      return { ms, marks };
    });
  });
}

// One first visit in a context of its own: ms from navigation to the end mark.
async function startOnce(browser, address, isGame) {
  const context = await browser.createBrowserContext();
  try {
    const page = await context.newPage();
    const errors = [];
    page.on('pageerror', (error) => errors.push(error.message));
    await page.evaluateOnNewDocument(startProbe, isGame);
    await page.goto(address, { waitUntil: 'domcontentloaded' });
    const end = await page.evaluate(() => globalThis.koppeloStartEnd);
    if (end.error || errors.length) fail(`${isGame ? 'game' : 'floor'}: ${end.error ?? errors.join('; ')}`);
    return { ms: end.ms, marks: end.marks };
  } finally {
    await context.close();
  }
}

// Every request the server answered, from the page or from its service worker.
function logRequests(site) {
  const log = [];
  site.server.on('request', (request, response) => {
    const pathname = decodeURIComponent(new URL(request.url, 'http://localhost').pathname);
    response.on('finish', () => log.push({ pathname, status: response.statusCode,
                                           dest: request.headers['sec-fetch-dest'] ?? '',
                                           worker: request.headers['service-worker'] ?? '' }));
  });
  return log;
}

// A first visit, until the service worker has cached the page for offline play.
async function transfer(browser, site, log, dir) {
  const context = await browser.createBrowserContext();
  const seen = new Map();
  let worker = false;
  try {
    const page = await context.newPage();
    page.on('response', (response) => {
      const pathname = new URL(response.url()).pathname;
      seen.set(pathname, (seen.get(pathname) ?? 0) + 1);
    });
    await page.goto(site.address, { waitUntil: 'load' });
    await page.waitForFunction(() => document.documentElement.dataset.ready === 'true');
    worker = await page.evaluate(() => Promise.race([navigator.serviceWorker.ready.then(() => true),
                                                     new Promise((done) => setTimeout(() => done(false), 5000))]));
    // Anything still on its way (the manifest, the icon) has half a second.
    await new Promise((done) => setTimeout(done, 500));
  } finally {
    await context.close();
  }
  for (const pathname of seen.keys())
    if (!log.some((entry) => entry.pathname === pathname)) fail(`the page saw ${pathname}, the server never sent it`);
  const files = new Map();
  for (const { pathname, status, dest, worker } of log) {
    if (status !== 200) fail(`${pathname} answered ${status}`);
    const file = pathname.endsWith('/') ? `${pathname}index.html` : pathname;
    const entry = files.get(file) ?? { requests: 0, page: 0, as: new Set() };
    entry.requests += 1;
    entry.page += seen.get(pathname) ?? 0;
    seen.delete(pathname);
    entry.as.add(worker ? `worker ${worker}` : dest);
    files.set(file, entry);
  }
  const sent = log.length;
  log.length = 0;
  const list = [...files].map(([file, { requests, page, as }]) => {
    const bytes = fs.readFileSync(path.join(dir, file));
    return { file: file.slice(1), size: bytes.length, gzip: zlib.gzipSync(bytes, { level: 9 }).length,
             requests, page, as: [...as].sort().join(', ') };
  }).sort((a, b) => a.file.localeCompare(b.file));
  return { files: list, sent, worker };
}

// Clicks on the cards in turn, timed in runs of 33 from a new deal (F2,
// untimed), before a game could be won and its question block the board: the
// time from dispatching each click on its card to the end of the board's
// synchronous handler (the engine's answer drawn into the DOM), per click.
// A run is timed whole because the page's clock is coarsened (to 0.1 ms
// outside cross-origin isolation), too coarse for one click.
function clickRuns(count) {
  const kRun = 33;
  const cards = [...document.querySelectorAll('#board .card')];
  const runs = [];
  let next = 0, turned = 0, ignored = 0;
  for (let done = 0; done + kRun <= count; done += kRun) {
    document.dispatchEvent(new KeyboardEvent('keydown', { key: 'F2', bubbles: true, cancelable: true }));
    const seen = [];
    const start = performance.now();
    for (let i = 0; i < kRun; ++i) {
      const card = cards[next++ % cards.length];
      const before = card.className;
      card.dispatchEvent(new MouseEvent('click', { bubbles: true, cancelable: true }));
      seen.push(before, card.className);
    }
    runs.push((performance.now() - start) / kRun);
    // A face-down card turns up; one up or found ignores the click.
    for (let i = 0; i < seen.length; i += 2)
      if (seen[i].includes('down')) turned += seen[i + 1].includes('down') ? 0 : 1; else ++ignored;
  }
  return { runs, clicks: runs.length * kRun, turned, ignored };
}

async function clickTimes(browser, address) {
  const context = await browser.createBrowserContext();
  try {
    const page = await context.newPage();
    await page.goto(address, { waitUntil: 'load' });
    await page.waitForFunction(() => document.documentElement.dataset.ready === 'true');
    await page.evaluate(clickRuns, 330);  // warm-up: the engine's code compiled by V8's upper tiers
    return await page.evaluate(clickRuns, clicks);
  } finally {
    await context.close();
  }
}

function stats(values) {
  const v = [...values].sort((a, b) => a - b);
  const median = v.length % 2 ? v[(v.length - 1) / 2] : (v[v.length / 2 - 1] + v[v.length / 2]) / 2;
  return { median, min: v[0], max: v[v.length - 1] };
}
const pad = (text, width) => String(text).padEnd(width);
const num = (value, digits, width = 9) => value.toFixed(digits).padStart(width);
const kb = (bytes) => (bytes / 1024).toFixed(1);

const osName = (fs.readFileSync('/etc/os-release', 'utf8').match(/^PRETTY_NAME="?([^"\n]*)/m) ?? [])[1] ?? 'unknown';
const loadAtStart = os.loadavg().map((l) => l.toFixed(2)).join(' ');
const floorDir = makeFloor(pageDir);
const game = await Site.serve(pageDir);
const floor = await Site.serve(floorDir);
const requests = logRequests(game);
const browser = await launch();
try {
  const version = await browser.version();
  const { files, sent, worker } = await transfer(browser, game, requests, pageDir);

  const starts = [];
  await startOnce(browser, game.address, true);  // warm the disk cache and Chromium's own start for both
  await startOnce(browser, floor.address, false);
  for (let pair = 0; pair < pairs; ++pair) {
    // The order swaps every pair, so that neither always goes first.
    let g, f;
    if (pair % 2 === 0) {
      g = await startOnce(browser, game.address, true);
      f = await startOnce(browser, floor.address, false);
    } else {
      f = await startOnce(browser, floor.address, false);
      g = await startOnce(browser, game.address, true);
    }
    starts.push({ game: g.ms, floor: f.ms, gameMarks: g.marks, floorMarks: f.marks });
  }
  const clicked = await clickTimes(browser, game.address);
  if (clicked.turned + clicked.ignored !== clicked.clicks)
    fail(`${clicked.clicks - clicked.turned - clicked.ignored} clicks on a face-down card did not turn it`);

  console.log(`The web page in ${version}, headless, ${osName}, load average ${loadAtStart} at the start and ` +
              `${os.loadavg().map((l) => l.toFixed(2)).join(' ')} at the end`);
  console.log(worker ? '\nFiles loaded by a first visit (the service worker caches every file at install)'
                     : '\nFiles loaded by a first visit (no service worker became active within 5 s)');
  // "page": requests the page's own target reported; the rest came from the
  // service worker or the browser (the worker's script, the manifest).
  console.log(`${pad('file', 24)} ${'bytes'.padStart(9)} ${'gzip -9'.padStart(9)} requests page  fetched as`);
  for (const f of files)
    console.log(`${pad(f.file, 24)} ${String(f.size).padStart(9)} ${String(f.gzip).padStart(9)} ` +
                `${String(f.requests).padStart(8)} ${String(f.page).padStart(4)}  ${f.as}`);
  const total = files.reduce((sum, f) => sum + f.size, 0);
  const gzip = files.reduce((sum, f) => sum + f.gzip, 0);
  const wire = files.reduce((sum, f) => sum + f.size * f.requests, 0);
  console.log(`${pad(`total, ${files.length} files`, 24)} ${String(total).padStart(9)} ${String(gzip).padStart(9)}`);
  console.log(`Total ${kb(total)} KiB before compression (goal 512, aim 400: ${total <= kBudget ? 'within' : 'OVER'} ` +
              `the goal, ${total <= kAim ? 'within' : 'over'} the aim), ${kb(gzip)} KiB gzipped; ` +
              `${sent} requests sent ${kb(wire)} KiB` +
              (wire > total ? ' (the worker fetches again what the page had fetched: this server sends no caching headers)' : ''));

  const ratio = starts.map((s) => s.game / s.floor);
  const row = (label, s, digits) =>
    console.log(`${pad(label, 34)} ${num(s.median, digits)} ${num(s.min, digits)} ${num(s.max, digits)}`);
  console.log(`\nNavigation to 36 cards painted (game: and the first click accepted), ${pairs} alternating pairs,` +
              ' a fresh context each');
  console.log(`${pad('', 34)} ${'median'.padStart(9)} ${'min'.padStart(9)} ${'max'.padStart(9)}`);
  row('game, ms', stats(starts.map((s) => s.game)), 2);
  row('floor, ms', stats(starts.map((s) => s.floor)), 2);
  row('game / floor, pairwise', stats(ratio), 2);
  const medians = stats(starts.map((s) => s.game)).median / stats(starts.map((s) => s.floor)).median;
  console.log(`${pad('game / floor, of the medians', 34)} ${num(medians, 2)}   (goal at most 1.25)`);
  console.log('Where the time goes, ms since navigation (medians)');
  const mark = (label, which, key) => {
    const values = starts.map((s) => s[which][key]).filter((v) => typeof v === 'number');
    if (values.length) row(label, stats(values), 2);
  };
  mark('floor: DOMContentLoaded', 'floorMarks', 'domContentLoaded');
  mark('floor: load', 'floorMarks', 'load');
  mark('game: main.js arrived', 'gameMarks', 'main.js');
  mark('game: DOMContentLoaded', 'gameMarks', 'domContentLoaded');
  mark('game: koppelo.mjs arrived', 'gameMarks', 'koppelo.mjs');
  mark('game: koppelo.wasm arrived', 'gameMarks', 'koppelo.wasm');
  mark('game: load', 'gameMarks', 'load');
  mark('game: ready (dealt, drawn)', 'gameMarks', 'ready');

  const click = stats(clicked.runs);
  console.log(`\nA click handled (dispatch to the DOM updated), ${clicked.clicks} clicks in runs of 33 after a new deal, ` +
              `${clicked.turned} turned a card, ${clicked.ignored} fell on one up or found; after 330 to warm up`);
  console.log(`${pad('', 34)} ${'median'.padStart(9)} ${'min'.padStart(9)} ${'max'.padStart(9)}`);
  console.log(`${pad('ms per click, per run', 34)} ${num(click.median, 4)} ${num(click.min, 4)} ${num(click.max, 4)}`);
} finally {
  await browser.close();
  game.close();
  floor.close();
  fs.rmSync(floorDir, { recursive: true, force: true });
}
