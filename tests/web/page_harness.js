// What the page's tests and benchmark share: a static server for the built
// page, Debian's Chromium started headless through puppeteer-core, the game
// driven frame by frame through window.glimbTest, screenshots of the canvas
// read back, the native game's captures, and small PNG and PCX readers.
'use strict';

const childProcess = require('node:child_process');
const fs = require('node:fs');
const http = require('node:http');
const os = require('node:os');
const path = require('node:path');
const zlib = require('node:zlib');
const puppeteer = require('puppeteer-core');

const CHROMIUM = process.env.CHROMIUM || '/usr/bin/chromium';
// The flags that work on this machine's headless Chromium.
const CHROMIUM_FLAGS = ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync',
  '--autoplay-policy=no-user-gesture-required'];
const TYPES = {'.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css', '.wasm': 'application/wasm',
  '.data': 'application/octet-stream', '.svg': 'image/svg+xml'};

// Serves `folder` on a free port of the loopback address.
function startServer(folder) {
  const server = http.createServer(function(request, response) {
    const name = decodeURIComponent(new URL(request.url, 'http://localhost').pathname);
    const file = path.join(folder, name.endsWith('/') ? name + 'index.html' : name);
    if (!file.startsWith(folder) || !fs.existsSync(file) || !fs.statSync(file).isFile()) {
      response.writeHead(404);
      response.end();
      return;
    }
    const bytes = fs.readFileSync(file);
    response.writeHead(200, {'Content-Type': TYPES[path.extname(file)] || 'application/octet-stream',
      'Content-Length': bytes.length, 'Cache-Control': 'no-store'});
    response.end(bytes);
  });
  return new Promise(resolve => server.listen(0, '127.0.0.1', () => resolve({
    url: 'http://127.0.0.1:' + server.address().port + '/',
    close: () => new Promise(done => server.close(done)),
  })));
}

// Folders for profiles, downloads and native runs, removed by removeScratchFolders.
const scratchFolders = [];
function scratchFolder(name) {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'glimb-page-' + name + '-'));
  scratchFolders.push(folder);
  return folder;
}
function removeScratchFolders() {
  for (const folder of scratchFolders.splice(0)) fs.rmSync(folder, {recursive: true, force: true});
}

// Chromium with a fresh profile (or the one given, to see what a page kept).
async function launchBrowser(profile) {
  return puppeteer.launch({executablePath: CHROMIUM, headless: true, args: CHROMIUM_FLAGS,
    userDataDir: profile || scratchFolder('profile'), defaultViewport: null, protocolTimeout: 60000});
}

// One page of the game, driven frame by frame.
class GamePage {
  constructor(page) {
    this.page = page;
    this.errors = [];
    page.on('pageerror', error => this.errors.push(error.message));
    page.on('console', message => {
      if (message.type() === 'error') this.errors.push(message.text());
    });
  }

  // `init`, when given, runs in the page before its own scripts (a test's fake pad).
  static async open(browser, url, viewport, init) {
    const page = await browser.newPage();
    if (init) await page.evaluateOnNewDocument(init);
    await page.setViewport(viewport || {width: 1400, height: 1000});
    const game = new GamePage(page);
    await page.goto(url);
    await page.waitForFunction(() => window.glimbTest && glimbTest.running() && glimbTest.firstPictureAt() >= 0,
      {timeout: 20000});
    return game;
  }

  call(name, ...args) {
    return this.page.evaluate((n, a) => glimbTest[n](...a), name, args);
  }
  frame() { return this.call('frame'); }
  gameState() { return this.call('gameState'); }

  // Lets the game run frame `frame` and hold before the next one, whose
  // read will see the keys the page gets meanwhile.
  async runTo(frame) {
    await this.call('holdAfter', frame);
    await this.page.waitForFunction(f => glimbTest.frame() === f + 1, {timeout: 60000, polling: 'raf'}, frame);
  }

  // Holds the game before the first frame after `frame` whose state is `state`.
  async runUntilState(state, fromFrame, limit) {
    for (let frame = fromFrame; frame < fromFrame + limit; frame++) {
      await this.runTo(frame);
      if (await this.gameState() === state) return frame;
    }
    throw new Error('the game did not reach state ' + state + ' within ' + limit + ' frames of ' + fromFrame);
  }

  // The keys held from frame `frame` on: those not in `keys` are let go.
  // Each change is written down as a line of an input script for the
  // native game (inputScript).
  async holdKeys(frame, keys) {
    await this.runTo(frame - 1);
    this.script = this.script || [];
    this.script.push([frame, keys.slice()]);
    this.held = this.held || new Set();
    for (const key of [...this.held]) {
      if (!keys.includes(key)) {
        await this.page.keyboard.up(key);
        this.held.delete(key);
      }
    }
    for (const key of keys) {
      if (!this.held.has(key)) {
        await this.page.keyboard.down(key);
        this.held.add(key);
      }
    }
  }

  // A key pressed for frame `frame` alone.
  async press(frame, key) {
    await this.holdKeys(frame, [key]);
    await this.holdKeys(frame + 1, []);
  }

  release() { return this.call('holdAfter', -1); }

  // The keys this page was given, as an input script of the native game.
  inputScript() {
    const names = Object.fromEntries(Object.entries(PAGE_KEYS).map(([name, key]) => [key, name]));
    return (this.script || []).map(([frame, keys]) =>
      frame + ':' + keys.map(key => ' ' + (names[key] || key.replace(/^Key/, ''))).join('') + '\n').join('');
  }

  // The canvas as the screen shows it, after the browser has painted the
  // picture of the frame held at.
  async screenshotCanvas() {
    await this.page.evaluate(() => new Promise(r => requestAnimationFrame(() => requestAnimationFrame(r))));
    const box = await this.page.evaluate(() => {
      const r = document.getElementById('glimb-canvas').getBoundingClientRect();
      return {x: r.left, y: r.top, width: r.width, height: r.height};
    });
    const png = await this.page.screenshot({clip: box, type: 'png'});
    return decodePng(Buffer.from(png));
  }
}

// An 8-bit PNG without interlacing (what Chromium's screenshots are) as RGBA rows.
function decodePng(bytes) {
  let at = 8;
  let width = 0, height = 0, colourType = 0;
  const data = [];
  while (at < bytes.length) {
    const length = bytes.readUInt32BE(at);
    const type = bytes.toString('latin1', at + 4, at + 8);
    const body = bytes.subarray(at + 8, at + 8 + length);
    if (type === 'IHDR') {
      width = body.readUInt32BE(0);
      height = body.readUInt32BE(4);
      if (body[8] !== 8 || body[12] !== 0) throw new Error('only 8-bit PNG without interlacing is read');
      colourType = body[9];
    } else if (type === 'IDAT') {
      data.push(body);
    }
    at += 12 + length;
  }
  const channels = {2: 3, 6: 4}[colourType];
  if (!channels) throw new Error('PNG colour type ' + colourType + ' is not read');
  const raw = zlib.inflateSync(Buffer.concat(data));
  const stride = width * channels;
  const rgba = Buffer.alloc(width * height * 4);
  let previous = Buffer.alloc(stride);
  for (let y = 0; y < height; y++) {
    const filter = raw[y * (stride + 1)];
    const line = Buffer.from(raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1)));
    for (let i = 0; i < stride; i++) {
      const a = i >= channels ? line[i - channels] : 0;
      const b = previous[i];
      const c = i >= channels ? previous[i - channels] : 0;
      let add = 0;
      if (filter === 1) add = a;
      else if (filter === 2) add = b;
      else if (filter === 3) add = (a + b) >> 1;
      else if (filter === 4) {
        const p = a + b - c, pa = Math.abs(p - a), pb = Math.abs(p - b), pc = Math.abs(p - c);
        add = pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
      }
      line[i] = (line[i] + add) & 255;
    }
    for (let x = 0; x < width; x++) {
      const o = (y * width + x) * 4;
      line.copy(rgba, o, x * channels, x * channels + 3);
      rgba[o + 3] = channels === 4 ? line[x * channels + 3] : 255;
    }
    previous = line;
  }
  return {width, height, rgba};
}

// An 8-bit PCX with its 768-byte palette trailer, as the game's captures are.
function decodePcx(bytes) {
  const width = bytes.readUInt16LE(8) - bytes.readUInt16LE(4) + 1;
  const height = bytes.readUInt16LE(10) - bytes.readUInt16LE(6) + 1;
  const lineBytes = bytes.readUInt16LE(66);
  const pixels = Buffer.alloc(width * height);
  let at = 128;
  for (let y = 0; y < height; y++) {
    const line = [];
    while (line.length < lineBytes) {
      const b = bytes[at++];
      if (b >= 0xC0) {
        const value = bytes[at++];
        for (let n = 0; n < (b & 0x3F); n++) line.push(value);
      } else {
        line.push(b);
      }
    }
    for (let x = 0; x < width; x++) pixels[y * width + x] = line[x];
  }
  const palette = bytes.subarray(bytes.length - 768);
  return {width, height, pixels, palette};
}

// Compares a screenshot of the canvas with a capture: every pixel of the
// capture must be a whole square of its colour, `top` capture lines down
// (40 in the 640 x 480 display), and the lines outside the capture black.
function compareWithCapture(shot, capture, displayHeight) {
  const scale = shot.width / capture.width;
  const top = (displayHeight - capture.height) / 2;
  const problems = [];
  if (!Number.isInteger(scale) || shot.height !== displayHeight * scale) {
    return {scale, problems: ['the screenshot is ' + shot.width + ' x ' + shot.height + ', not a whole multiple of ' +
                               capture.width + ' x ' + displayHeight]};
  }
  const colourAt = (x, y) => {
    const o = (y * shot.width + x) * 4;
    return [shot.rgba[o], shot.rgba[o + 1], shot.rgba[o + 2]];
  };
  for (let y = 0; y < displayHeight && problems.length < 5; y++) {
    for (let x = 0; x < capture.width && problems.length < 5; x++) {
      let want = [0, 0, 0];
      if (y >= top && y < top + capture.height) {
        const index = capture.pixels[(y - top) * capture.width + x];
        want = [capture.palette[3 * index], capture.palette[3 * index + 1], capture.palette[3 * index + 2]];
      }
      for (let dy = 0; dy < scale; dy++) {
        for (let dx = 0; dx < scale; dx++) {
          const got = colourAt(x * scale + dx, y * scale + dy);
          if (got[0] !== want[0] || got[1] !== want[1] || got[2] !== want[2]) {
            problems.push('pixel (' + x + ', ' + y + ') shows ' + got + ' where the capture has ' + want);
            dx = dy = scale;
          }
        }
      }
    }
  }
  return {scale, problems};
}

// Runs the native game headless for `frames` frames in a copy of the data
// files, with an input script's text when given and a capture after
// `captureAt` when given; returns the bytes of the captures it made.
function nativeRun(glimb, dataFolder, frames, script, captureAt) {
  const work = scratchFolder('native');
  for (const name of fs.readdirSync(dataFolder)) {
    if (/^data[0-9a-f]{2}\.glb$/.test(name)) fs.copyFileSync(path.join(dataFolder, name), path.join(work, name));
  }
  const args = ['--headless', '--data', work, '--frames', String(frames)];
  if (script) {
    fs.writeFileSync(path.join(work, 'input.txt'), script);
    args.push('--input', path.join(work, 'input.txt'));
  }
  if (captureAt) args.push('--capture-at', String(captureAt));
  childProcess.execFileSync(glimb, args);
  const captures = fs.readdirSync(work).filter(name => /^capt\d{4}\.pcx$/.test(name)).sort();
  const bytes = captures.map(name => fs.readFileSync(path.join(work, name)));
  fs.rmSync(work, {recursive: true, force: true});
  return bytes;
}

// The native game's capture of frame `frame`, decoded.
function nativeCapture(glimb, dataFolder, frame, script) {
  return decodePcx(nativeRun(glimb, dataFolder, frame, script, frame)[0]);
}

// An input script ("F: KEY KEY") as [frame, [puppeteer key names]] lines.
const PAGE_KEYS = {SPACE: 'Space', ENTER: 'Enter', ESCAPE: 'Escape', LEFT: 'ArrowLeft', RIGHT: 'ArrowRight',
  UP: 'ArrowUp', DOWN: 'ArrowDown', F12: 'F12'};
function readInputScript(file) {
  const lines = [];
  for (const text of fs.readFileSync(file, 'utf8').split('\n')) {
    const line = text.replace(/#.*/, '').trim();
    const match = /^(\d+):\s*(.*)$/.exec(line);
    if (!match) continue;
    const keys = match[2].split(/\s+/).filter(Boolean).map(k => PAGE_KEYS[k] || (/^[A-Z]$/.test(k) ? 'Key' + k : k));
    lines.push([Number(match[1]), keys]);
  }
  return lines;
}

module.exports = {startServer, launchBrowser, scratchFolder, removeScratchFolders, GamePage, decodePng, decodePcx, compareWithCapture,
  nativeRun, nativeCapture, readInputScript};
