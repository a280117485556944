// The page's figures beside their baselines, measured in one run: what a
// visit downloads (compressed, against 3 MB), the time from navigation to
// the first intro frame (against 2 s), the 16 ms step's real rate in the
// browser (against 62.5 steps a second), and a frame's CPU time in the
// browser beside the native headless frame and the Node build's frame.
// Usage: node page_bench.js PAGE_DIR NATIVE_GLIMB DATA_DIR GLIMB_HEADLESS_JS
// (bash scripts/web.sh bench runs it.)
'use strict';

const childProcess = require('node:child_process');
const fs = require('node:fs');
const path = require('node:path');
const zlib = require('node:zlib');
const harness = require('../../tests/web/page_harness.js');

const [pageDir, nativeGlimb, dataDir, nodeDriver] = process.argv.slice(2).map(p => path.resolve(p));
const STARTS = 5;
const FRAMES = 1200;
const WARM_UP = 100;

function median(values) {
  const sorted = values.slice().sort((a, b) => a - b);
  return sorted[Math.floor(sorted.length / 2)];
}

// Seconds of `command` running `frames` frames headless, the best of five.
function bestRun(command, args, frames) {
  const times = [];
  for (let i = 0; i < 5; i++) {
    const start = process.hrtime.bigint();
    childProcess.execFileSync(command, [...args, '--headless', '--data', dataDir, '--frames', String(frames)]);
    times.push(Number(process.hrtime.bigint() - start) / 1e9);
  }
  return Math.min(...times);
}

// Milliseconds a frame costs: the difference of a long and a short run, so
// that start-up and loading drop out.
function headlessFrameMs(command, args) {
  return (bestRun(command, args, FRAMES) - bestRun(command, args, WARM_UP)) * 1000 / (FRAMES - WARM_UP);
}

(async function() {
  console.log('What a visit downloads (gzip -9):');
  let total = 0;
  for (const name of ['index.html', 'glimb.css', 'glimb-page.js', 'glimb.svg', 'glimb.js', 'glimb.wasm', 'glimb.data']) {
    const bytes = fs.readFileSync(path.join(pageDir, name));
    const packed = zlib.gzipSync(bytes, {level: 9}).length;
    total += packed;
    console.log('  ' + name.padEnd(14) + String(bytes.length).padStart(9) + ' bytes, ' + String(packed).padStart(8) +
                ' compressed');
  }
  console.log('  total' + String(total).padStart(36) + ' compressed (target: under 3000000)');

  const server = await harness.startServer(pageDir);
  const starts = [];
  for (let i = 0; i < STARTS; i++) {
    const browser = await harness.launchBrowser();
    const game = await harness.GamePage.open(browser, server.url);
    starts.push(await game.call('firstPictureAt'));
    await browser.close();
    harness.removeScratchFolders();
  }
  console.log('From navigation to the first intro frame, ' + STARTS + ' visits with a fresh profile: median ' +
              median(starts).toFixed(0) + ' ms, ' + Math.min(...starts).toFixed(0) + '-' +
              Math.max(...starts).toFixed(0) + ' ms (target: under 2000 ms)');

  const browser = await harness.launchBrowser();
  const game = await harness.GamePage.open(browser, server.url + '?hold=' + WARM_UP);
  await game.runTo(WARM_UP);
  await game.call('resetFrameWork');
  const started = Date.now();
  await game.release();
  await game.page.waitForFunction(f => glimbTest.frame() >= f, {timeout: 120000}, FRAMES);
  const seconds = (Date.now() - started) / 1000;
  const browserFrame = await game.call('frameWorkMs');
  const measured = await game.call('framesMeasured');
  await browser.close();
  await server.close();
  harness.removeScratchFolders();
  console.log('Steps in the browser: ' + measured + ' in ' + seconds.toFixed(2) + ' s, ' +
              (measured / seconds).toFixed(2) + ' a second (16 ms steps: 62.50)');

  const nativeFrame = headlessFrameMs(nativeGlimb, []);
  const nodeFrame = headlessFrameMs('node', [nodeDriver]);
  console.log('A frame\'s CPU time, frames ' + WARM_UP + '-' + FRAMES + ' (intro, then the title demonstration):');
  console.log('  browser page (game, palette conversion, canvas): ' + browserFrame.toFixed(3) + ' ms');
  console.log('  native headless glimb (baseline, no picture):    ' + nativeFrame.toFixed(3) + ' ms');
  console.log('  Node build of the headless driver (WebAssembly):  ' + nodeFrame.toFixed(3) + ' ms');
})().catch(error => {
  console.error(error);
  process.exit(1);
});
