// The web page in Debian's Chromium, headless, driven as a player drives it:
// a game won by clicks and one by keys, every step judged by the rules'
// oracle compiled into the test build; the accessibility tree and axe-core;
// a small touch screen, forced colours and a visit offline; a seeded storm
// of clicks, taps and keys after which the page still shows the game.
//
//   node page_test.mjs PAGE_DIR GEOMETRY_JSON DESKTOP_RGB [SCREENSHOT_DIR]
//   (DESKTOP_RGB: the desktop window's fresh game, from desktop_window.py)
//   KOPPELO_WEB_STORM_SEED / KOPPELO_WEB_STORM_EVENTS replay another storm.
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

import { Site, launch, check, bird_names } from './harness.mjs';

const [pageDir, geometryFile, desktopFile, shots] = process.argv.slice(2);
if (!pageDir || !geometryFile || !desktopFile) {
  console.error('usage: page_test.mjs PAGE_DIR GEOMETRY_JSON DESKTOP_RGB [SCREENSHOT_DIR]');
  process.exit(2);
}
const geometry = JSON.parse(fs.readFileSync(geometryFile, 'utf8'));
const birds = bird_names(path.join(path.dirname(fileURLToPath(import.meta.url)), '..', '..'));
const SLOTS = 36, GRID = 6;

// What the page shows, read off the DOM the way the oracle reads the game.
async function shown(page) {
  return page.evaluate(() => {
    const face = (img) => {
      const m = /face-(\d+)\.png$/.exec(img?.getAttribute('src') ?? '');
      return m ? Number(m[1]) : -1;
    };
    const cards = [...document.querySelectorAll('#board [id^="Picture3-"]')].map((c) => ({
      face: face(c.querySelector('img')), name: c.getAttribute('aria-label') ?? '',
    }));
    const open = (id) => document.getElementById(id)?.open ?? false;
    return { cards, first: face(document.querySelector('#Picture4 img, img#Picture4')),
             second: face(document.querySelector('#Picture5 img, img#Picture5')),
             pairs: document.getElementById('Label1').textContent.trim(),
             question: open('winQuestion'), about: open('frmOver') };
  });
}

// The game's own view and the oracle's word, through the test build's hook.
const game = (page) => page.evaluate(() => ({ seen: globalThis.koppeloTest.snapshot(),
                                               fault: globalThis.koppeloTest.fault() }));

// What went wrong in a page between two judgements: a script error, a file not found.
const troubles = [];

// The page equals the snapshot it was handed, and the rules hold.
async function judged(page, what) {
  await page.evaluate(() => new Promise((done) => requestAnimationFrame(() => done())));
  check(troubles.length === 0, `${what}: ${troubles.join('; ')}`);
  // The question opens a moment after the news of the last pair.
  if ((await game(page)).seen.questionDue) await page.waitForSelector('#winQuestion[open]');
  const [{ seen, fault }, dom] = [await game(page), await shown(page)];
  check(fault === '', `${what}: the oracle says ${fault}`);
  seen.cards.forEach((card, i) => {
    const face = card.state === 'down' ? -1 : card.face;
    check(dom.cards[i].face === face, `${what}: card ${i} shows face ${dom.cards[i].face}, the game ${face}`);
    check(card.state !== 'down' || !birds.some((b) => dom.cards[i].name.includes(b)),
          `${what}: face-down card ${i} is named "${dom.cards[i].name}"`);
  });
  check(dom.first === seen.first && dom.second === seen.second && dom.pairs === seen.pairs,
        `${what}: the panel shows ${JSON.stringify([dom.first, dom.second, dom.pairs])}, the game ` +
        JSON.stringify([seen.first, seen.second, seen.pairs]));
  check(dom.question === seen.questionDue, `${what}: the question is ${dom.question ? '' : 'not '}open`);
  return { seen, dom };
}

// A player with a perfect memory of the faces turned: a known pair first,
// else an unseen card and its partner if seen, else another unseen card.
async function win(page, turn, what) {
  const faces = new Map();
  const found = new Set();
  const partner = (s) => [...faces].find(([o, f]) => o !== s && f === faces.get(s) && !found.has(o))?.[0];
  const play = async (slot) => {
    await turn(slot);
    const { seen } = await judged(page, `${what}, slot ${slot}`);
    check(seen.cards[slot].state !== 'down', `${what}: slot ${slot} did not turn`);
    faces.set(slot, seen.cards[slot].face);
    return seen;
  };
  let seen;
  while (found.size < SLOTS) {
    const unseen = [...Array(SLOTS).keys()].filter((s) => !faces.has(s));
    const known = [...faces.keys()].find((s) => !found.has(s) && partner(s) !== undefined);
    const first = known ?? unseen.shift();
    await play(first);
    const second = partner(first) ?? unseen.find((s) => s !== first);
    seen = await play(second);
    if (seen.cards[second].state === 'found') found.add(first).add(second);
  }
  check(seen.questionDue && seen.pairs === '18', `${what}: 18 pairs and no question`);
}

async function fresh(page, what) {
  const { seen } = await judged(page, what);
  check(seen.cards.every((c) => c.state === 'down') && seen.pairs === '0', `${what}: not a fresh deal`);
}

async function newTab(browser, site, options = {}) {
  const page = await browser.newPage();
  page.on('pageerror', (e) => troubles.push(`the page threw: ${e.message}`));
  page.on('response', (r) => r.status() >= 400 && troubles.push(`${r.url()} answered ${r.status()}`));
  if (options.viewport) await page.setViewport(options.viewport);
  await page.goto(site.address, { waitUntil: 'load' });
  await page.waitForFunction(() => globalThis.koppeloTest?.ready, { timeout: 10000 })
    .catch(() => check(false, `the page did not start: ${troubles.join('; ') || 'no error seen'}`));
  return page;
}

// The window's client area, where the layout's pixels count from, and its scale.
async function client(page) {
  const band = await (await page.$('#shpTitel')).boundingBox();
  return { x: band.x, y: band.y, scale: band.width / geometry.client[0] };
}

async function clickSlot(page, slot) {
  const [x, y, w, h] = geometry.Picture3[slot];
  const at = await client(page);
  await page.mouse.click(at.x + (x + w / 2) * at.scale, at.y + (y + h / 2) * at.scale);
}

// The arrows from where the keyboard is to slot, then Space.
async function keySlot(page, slot) {
  const at = await page.evaluate(() => Number(document.activeElement.id.replace('Picture3-', '')));
  check(Number.isInteger(at), 'the keyboard is not on a card');
  const [row, col] = [Math.floor(at / GRID), at % GRID], [r, c] = [Math.floor(slot / GRID), slot % GRID];
  for (let i = row; i < r; ++i) await page.keyboard.press('ArrowDown');
  for (let i = row; i > r; --i) await page.keyboard.press('ArrowUp');
  for (let i = col; i < c; ++i) await page.keyboard.press('ArrowRight');
  for (let i = col; i > c; --i) await page.keyboard.press('ArrowLeft');
  await page.keyboard.press(' ');
}

async function screenshot(page, name) {
  if (shots) await page.screenshot({ path: path.join(shots, name) });
}

// Every box where the desktop window has it, in the same pixels.
async function laidOut(page) {
  const at = await client(page);
  const boxes = { Label1: geometry.Label1, Picture4: geometry.Picture4, Picture5: geometry.Picture5,
                  Picture6: geometry.Picture6 };
  geometry.Picture3.forEach((rect, i) => { boxes[`Picture3-${i}`] = rect; });
  for (const [id, rect] of Object.entries(boxes)) {
    const box = await (await page.$(`#${id}`)).boundingBox();
    const placed = [box.x - at.x, box.y - at.y, box.width, box.height].map(Math.round);
    check(placed.join() === rect.join(), `${id} lies at ${placed}, on the desktop at ${rect}`);
  }
}

// A fresh game's pixels as the desktop window shows them, but where text is
// drawn: each renderer draws its own glyphs.
async function looksAsTheDesktop(browser, site, desktopFile) {
  const page = await newTab(browser, site);
  const at = await client(page);
  const [width, height] = geometry.client;
  const shot = await page.screenshot({ clip: { x: at.x, y: at.y, width, height }, encoding: 'base64' });
  const blank = await browser.newPage();
  const rgba = Buffer.from(await blank.evaluate(async (png) => {
    const bitmap = await createImageBitmap(await (await fetch(`data:image/png;base64,${png}`)).blob());
    const canvas = new OffscreenCanvas(bitmap.width, bitmap.height);
    const context = canvas.getContext('2d');
    context.drawImage(bitmap, 0, 0);
    const bytes = context.getImageData(0, 0, bitmap.width, bitmap.height).data;
    let text = '';
    for (let i = 0; i < bytes.length; i += 0x8000) text += String.fromCharCode(...bytes.subarray(i, i + 0x8000));
    return btoa(text);
  }, shot), 'base64');
  const desktop = fs.readFileSync(desktopFile);
  const text = [geometry.lblTitel, geometry.lblParen, geometry.Label1];
  const inText = (x, y) => text.some(([l, t, w, h]) => x >= l && x < l + w && y >= t && y < t + h);
  const differ = [];
  for (let y = 0; y < height; ++y)
    for (let x = 0; x < width; ++x) {
      const [p, d] = [4 * (y * width + x), 3 * (y * width + x)];
      if (!inText(x, y) && (rgba[p] !== desktop[d] || rgba[p + 1] !== desktop[d + 1] || rgba[p + 2] !== desktop[d + 2]))
        differ.push(`(${x}, ${y}) ${[...rgba.subarray(p, p + 3)]} against ${[...desktop.subarray(d, d + 3)]}`);
    }
  check(differ.length === 0, `${differ.length} pixels differ from the desktop's, first ${differ.slice(0, 5).join('; ')}`);
  console.log(`web: ${width} x ${height} pixels as the desktop window shows them, its texts aside`);
  await blank.close();
  await page.close();
}

// Won by clicks, the question answered Ja with Enter (its default), a fresh
// deal; won again by keys alone, then F2 deals afresh mid-game.
async function playsWhole(browser, site) {
  const page = await newTab(browser, site);
  await laidOut(page);
  await fresh(page, 'the first deal');
  await win(page, (slot) => clickSlot(page, slot), 'by clicks');
  await screenshot(page, 'web-question.png');
  // The dialog takes the focus first, "Ja" a moment later.
  await page.waitForFunction(() => document.activeElement?.id === 'cmdJa', { timeout: 2000 }).catch(() => {});
  const question = await page.evaluate(() => ({
    focus: document.activeElement?.textContent.trim(), title: document.querySelector('#winQuestion')?.textContent }));
  check(question.focus === 'Ja' && question.title.includes('Gefeliciteerd!'),
        `the question: focus on ${question.focus}, text ${question.title}`);
  await page.keyboard.press('Enter');
  await fresh(page, 'after Ja');
  await page.focus('#Picture3-0');
  await win(page, (slot) => keySlot(page, slot), 'by keys');
  await page.keyboard.press('Escape');  // Nee: the finished game stays
  const after = await judged(page, 'after Nee');
  check(after.seen.pairs === '18', 'Nee dealt afresh');
  await page.keyboard.press('F2');
  await fresh(page, 'after F2');
  // "Over..." by the Help menu's access key; Esc gives the keyboard back to the card.
  const card = await page.evaluate(() => document.activeElement.id);
  await page.keyboard.down('Alt');
  await page.keyboard.press('h');
  await page.keyboard.up('Alt');
  await page.keyboard.press('Enter');
  await page.waitForSelector('#frmOver[open]');
  await page.waitForFunction(() => document.activeElement?.id === 'cmdOK', { timeout: 2000 }).catch(() => {});
  const about = await page.evaluate(() => ({ focus: document.activeElement.id,
                                             text: document.getElementById('frmOver').innerText }));
  check(about.focus === 'cmdOK' && about.text.includes('Vogel-Koppelo') && about.text.includes('versie 1.0'),
        `About: focus on ${about.focus}, text ${about.text}`);
  await screenshot(page, 'web-about.png');
  await page.keyboard.press('Escape');
  // The keyboard comes back to the card a moment after the grid.
  await page.waitForFunction((id) => document.activeElement.id === id, { timeout: 2000 }, card).catch(() => {});
  const back = await page.evaluate(() => ({ open: document.getElementById('frmOver').open,
                                            focus: document.activeElement.id }));
  check(!back.open && back.focus === card, `after Esc About is ${back.open ? 'open' : 'shut'}, focus on ${back.focus}`);
  await judged(page, 'after About');
  console.log('web: won by clicks and by keys; Ja and F2 deal afresh, Nee keeps the game; About by Alt+H');
  return page;
}

// The tree a screen reader gets: 36 named cards, no face-down bird anywhere
// in it or in the DOM, and nothing axe-core finds wrong.
async function heard(page, axeSource) {
  await clickSlot(page, 0);
  await clickSlot(page, 1);
  const { seen } = await judged(page, 'a turn');
  const tree = await page.accessibility.snapshot({ interestingOnly: false });
  const nodes = [];
  const walk = (n) => { nodes.push(n); (n.children ?? []).forEach(walk); };
  walk(tree);
  const news = nodes.filter((n) => n.role === 'status').map((n) => JSON.stringify(n));
  check(news.length === 1 && /geen paar|paar gevonden/.test(news[0]), `the turn's news in the tree: ${news}`);
  const cards = nodes.filter((n) => n.role === 'button' && /^Kaart \d+, rij \d, kolom \d: /.test(n.name ?? ''));
  check(cards.length === SLOTS, `${cards.length} cards named in the tree`);
  const up = seen.cards.map((c) => c.state === 'down' ? null : birds[c.face]).filter(Boolean);
  const previews = [seen.first, seen.second, 6].filter((f) => f >= 0).map((f) => birds[f]);
  for (const n of nodes)
    for (const b of birds)
      check(!(n.name ?? '').includes(b) || up.includes(b) || previews.includes(b),
            `the tree names ${b}, which no card shows: "${n.name}"`);
  const html = await page.content();
  const addressed = new Set([...html.matchAll(/face-(\d+)\.png/g)].map((m) => Number(m[1])));
  const visible = new Set([6, seen.first, seen.second, ...seen.cards.map((c) => c.face)]);
  for (const f of addressed) check(visible.has(f), `the DOM holds face ${f}, which nothing shows`);
  await page.evaluate(axeSource);  // as the DevTools run it, past the page's own policy
  const axe = await page.evaluate(() => globalThis.axe.run(document).then((r) => r.violations.map(
    (v) => `${v.id}: ${v.nodes.map((n) => n.target).join(' ')}`)));
  check(axe.length === 0, `axe-core: ${axe.join('; ')}`);
  console.log(`web: ${cards.length} cards and the news in the tree, no face-down bird, axe-core content`);
}

// 360 x 640 by touch: the window fits across, a tap turns a card.
async function smallTouch(browser, site) {
  const page = await newTab(browser, site, {
    viewport: { width: 360, height: 640, isMobile: true, hasTouch: true, deviceScaleFactor: 2 } });
  const wide = await page.evaluate(() => document.documentElement.scrollWidth);
  check(wide <= 360, `the page is ${wide} px wide on a 360 px screen`);
  const card = await (await page.$('#Picture3-7')).boundingBox();
  check(card.x + card.width <= 360, 'a card lies beyond the screen');
  await page.touchscreen.tap(card.x + card.width / 2, card.y + card.height / 2);
  const { seen } = await judged(page, 'a tap');
  check(seen.cards[7].state === 'up', 'a tap did not turn card 8');
  await screenshot(page, 'web-360x640.png');
  console.log('web: 360 x 640 by touch, no sideways scroll, a tap turns a card');
  await page.close();
}

// Forced colours followed, then the page again with the server gone.
async function forcedAndOffline(browser, site) {
  const page = await newTab(browser, site);
  const session = await page.createCDPSession();  // puppeteer's own call knows no forced-colors
  await session.send('Emulation.setEmulatedMedia', { features: [{ name: 'forced-colors', value: 'active' }] });
  await clickSlot(page, 3);
  await judged(page, 'forced colours');
  await screenshot(page, 'web-forced-colours.png');
  await page.evaluate(() => navigator.serviceWorker.ready);
  await page.reload({ waitUntil: 'load' });  // the worker controls the page from here on
  site.close();
  await page.reload({ waitUntil: 'load' });
  await page.waitForFunction(() => globalThis.koppeloTest?.ready);
  await clickSlot(page, 5);
  const { seen } = await judged(page, 'offline');
  check(seen.cards[5].state === 'up', 'offline a click did not turn a card');
  console.log('web: forced colours, and played offline after the first visit');
}

// Seeded random clicks anywhere on the window, taps and keys; after each the
// page equals the snapshot and the oracle finds nothing.
async function storm(browser, site) {
  let seed = Number(process.env.KOPPELO_WEB_STORM_SEED ?? Date.now() % 100000);
  const events = Number(process.env.KOPPELO_WEB_STORM_EVENTS ?? 400);
  console.log(`web storm: seed ${seed}, ${events} events (KOPPELO_WEB_STORM_SEED replays it)`);
  const random = (n) => { seed = (seed * 1103515245 + 12345) % 2147483648; return seed % n; };
  const page = await newTab(browser, site, { viewport: { width: 700, height: 700, hasTouch: true } });
  const keys = ['ArrowUp', 'ArrowDown', 'ArrowLeft', 'ArrowRight', ' ', 'Enter', 'F2', 'Escape', 'Tab'];
  const [w, h] = geometry.client;
  for (let i = 0; i < events; ++i) {
    const box = await (await page.$('#frmKoppelo')).boundingBox();
    const kind = random(4);
    if (kind === 0) await page.mouse.click(box.x + random(w), box.y + random(box.height));
    else if (kind === 1) await page.touchscreen.tap(box.x + random(w), box.y + random(h));
    else if (kind === 2) await clickSlot(page, random(SLOTS));
    else await page.keyboard.press(keys[random(keys.length)]);
    await judged(page, `storm event ${i}`);
  }
  console.log(`web storm: ${events} events, the page the game's throughout`);
  await page.close();
}

const site = await Site.serve(pageDir);
const browser = await launch();
try {
  await looksAsTheDesktop(browser, site, desktopFile);
  const page = await playsWhole(browser, site);
  await heard(page, fs.readFileSync(path.join(path.dirname(fileURLToPath(import.meta.url)),
                                               'node_modules', 'axe-core', 'axe.min.js'), 'utf8'));
  await page.close();
  await smallTouch(browser, site);
  await storm(browser, site);
  await forcedAndOffline(browser, site);
} finally {
  await browser.close();
  site.close();
}
