// The page in a real browser: Debian's Chromium, headless, driven through
// the DevTools protocol. The page packs the native data files byte for byte;
// the title screen equals the native game's capture of the same frame pixel
// for pixel (in both display modes); keys sent to the page choose BEGIN GAME
// and the built-in world and the first level's route reaches level 2 showing
// what the native game shows, and the progress is kept for the next visit; a
// dropped .glw is listed on world select and kept for the next visit, a
// damaged one is refused with the game's reason; F12 offers the native
// capture as a download; a pad plays the menus, changed keys are kept, sounds
// play, and a hidden page pauses; pulling the pad out during play pauses the
// game.
// Usage: node page_test.js PAGE_DIR NATIVE_GLIMB DATA_DIR LEVEL1_ROUTE
'use strict';

const fs = require('node:fs');
const path = require('node:path');

// Without the browser or its driver (scripts/web.sh test installs both) the test is skipped.
const CHROMIUM = process.env.CHROMIUM || '/usr/bin/chromium';
try {
  require.resolve('puppeteer-core');
  fs.accessSync(CHROMIUM, fs.constants.X_OK);
} catch (e) {
  console.log('skipped: needs ' + CHROMIUM + ' and puppeteer-core (bash scripts/web.sh test installs them)');
  process.exit(77);
}
const test = require('node:test');
const assert = require('node:assert');
const harness = require('./page_harness.js');

const [pageDir, nativeGlimb, dataDir, routeFile] = process.argv.slice(2).map(p => path.resolve(p));
const STATE_TITLE_MENU = -7, STATE_LEVEL_INTRO = -6, STATE_PAUSED = -3;
// A frame of the title menu with its palette settled (the intro runs 440
// frames when no key is pressed, the menu's fade in ends at frame 480).
const TITLE_FRAME = 500;
// A frame of the first level's route in the middle of play, counted from the level intro.
const ROUTE_PLAY_FRAME = 300;

let server;
test.before(async () => {
  server = await harness.startServer(pageDir);
});
test.after(async () => {
  await server.close();
  harness.removeScratchFolders();
});

// With SHOTS_DIR set, the page as shown is kept there for a person to look at.
async function keepScreenshot(game, name) {
  if (process.env.SHOTS_DIR) await game.page.screenshot({path: path.join(process.env.SHOTS_DIR, name)});
}

async function withBrowser(profile, body) {
  const browser = await harness.launchBrowser(profile);
  try {
    return await body(browser);
  } finally {
    await browser.close();
  }
}

test('The title screen shows the native capture of the same frame, pixel for pixel at a whole scale', async () => {
  const capture = harness.nativeCapture(nativeGlimb, dataDir, TITLE_FRAME);
  await withBrowser(null, async browser => {
    // Both displays at once, in two pages: 640 x 400, and 640 x 480 with
    // the picture 40 lines down between black strips.
    const [plain, letterbox] = await Promise.all([
      harness.GamePage.open(browser, server.url + '?hold=' + TITLE_FRAME),
      browser.createBrowserContext().then(other =>
        harness.GamePage.open(other, server.url + '?letterbox&hold=' + TITLE_FRAME, {width: 1400, height: 1100})),
    ]);
    // The page packs the native generator's data files byte for byte.
    const names = fs.readdirSync(dataDir).filter(name => /^data[0-9a-f]{2}\.glb$/.test(name)).sort();
    assert.strictEqual(names.length, 39);
    const digests = await plain.page.evaluate(async list => {
      const hex = async bytes => [...new Uint8Array(await crypto.subtle.digest('SHA-256', bytes))]
        .map(b => b.toString(16).padStart(2, '0')).join('');
      return Promise.all(list.map(name => hex(Module.FS.readFile('/data/' + name))));
    }, names);
    names.forEach((name, i) => assert.strictEqual(digests[i],
      require('node:crypto').createHash('sha256').update(fs.readFileSync(path.join(dataDir, name))).digest('hex'), name));
    for (const [game, lines] of [[plain, 400], [letterbox, 480]]) {
      await game.runTo(TITLE_FRAME);
      assert.strictEqual(await game.gameState(), STATE_TITLE_MENU);
      const result = harness.compareWithCapture(await game.screenshotCanvas(), capture, lines);
      assert.strictEqual(result.scale, 2, 'the page shows the picture at twice its size');
      assert.deepStrictEqual(result.problems, [], lines + '-line display');
      assert.deepStrictEqual(game.errors, []);
    }
  });
});

test('Keys choose BEGIN GAME and the built-in world, the first level route reaches level 2, and the progress is kept', async () => {
  const route = harness.readInputScript(routeFile);
  const profile = harness.scratchFolder('profile');
  await withBrowser(profile, async browser => {
    const game = await harness.GamePage.open(browser, server.url + '?hold=1');
    await game.press(60, 'Enter');  // ends the intro
    await game.runTo(100);
    assert.strictEqual(await game.gameState(), STATE_TITLE_MENU);
    await game.press(101, 'Enter');  // BEGIN GAME
    await game.runTo(102);
    assert.strictEqual(await game.call('menuPage'), 1, 'the world select page shows');
    assert.strictEqual((await game.call('worldNames'))[0], 'GLIMB HILLS');
    await game.press(110, 'Enter');  // the built-in world, on the first row
    // The level intro's first frame is the --play run's frame 1.
    const intro = await game.runUntilState(STATE_LEVEL_INTRO, 111, 100);
    const offset = intro;
    let compared = false;
    for (const [frame, keys] of route) {
      if (!compared && frame > ROUTE_PLAY_FRAME) {
        // Mid-level the canvas shows what the native game captures at the
        // same frame when given the same keys at the same frames from its start.
        await game.runTo(offset + ROUTE_PLAY_FRAME);
        const shot = await game.screenshotCanvas();
        await keepScreenshot(game, 'level1-play.png');
        const capture = harness.nativeCapture(nativeGlimb, dataDir, offset + ROUTE_PLAY_FRAME, game.inputScript());
        assert.deepStrictEqual(harness.compareWithCapture(shot, capture, 400).problems, []);
        compared = true;
      }
      await game.holdKeys(offset + frame, keys);
    }
    assert.ok(compared);
    await game.runTo(offset + 700);
    assert.strictEqual(await game.gameState(), STATE_LEVEL_INTRO);
    assert.strictEqual(await game.call('levelIndex'), 1, 'the level intro of level 2 shows');
    await keepScreenshot(game, 'level2-intro.png');
    assert.deepStrictEqual(game.errors, []);
  });
  // The next visit finds level 2 reached on Normal in the browser's storage.
  await withBrowser(profile, async browser => {
    const game = await harness.GamePage.open(browser, server.url + '?hold=1');
    assert.match(await game.call('progressFile'), /^\d+-[0-9a-f]{16} 0 2 0$/m);
    await game.press(60, 'Enter');
    await game.press(101, 'Enter');
    await game.runTo(140);
    await keepScreenshot(game, 'world-select-progress.png');
  });
});

// Waits until the page's line of messages has shown one containing `text`.
async function messageShown(game, text) {
  await game.page.waitForFunction(t => glimbTest.messages().some(m => m.includes(t)), {timeout: 10000}, text);
  return (await game.call('messages')).find(m => m.includes(text));
}

test('A dropped .glw is listed on world select and kept for the next visit, a damaged one is refused', async () => {
  const profile = harness.scratchFolder('profile');
  const files = harness.scratchFolder('files');
  // The built-in world under another name, and a copy cut short.
  const world = Buffer.from(fs.readFileSync(path.join(dataDir, 'data10.glb')));
  world.fill(0, 2, 22);
  world.write('DROPPED WORLD', 2, 'latin1');
  fs.writeFileSync(path.join(files, 'broken.glw'), world.subarray(0, 300));
  const downloads = harness.scratchFolder('downloads');

  await withBrowser(profile, async browser => {
    const game = await harness.GamePage.open(browser, server.url + '?hold=1');
    const cdp = await game.page.createCDPSession();
    await cdp.send('Browser.setDownloadBehavior', {behavior: 'allow', downloadPath: downloads});
    await game.page.evaluate(bytes => {
      const transfer = new DataTransfer();
      transfer.items.add(new File([new Uint8Array(bytes)], 'dropped.glw'));
      document.getElementById('stage').dispatchEvent(
        new DragEvent('drop', {dataTransfer: transfer, bubbles: true, cancelable: true}));
    }, [...world]);
    await (await game.page.$('#world-file')).uploadFile(path.join(files, 'broken.glw'));
    await game.runTo(20);
    assert.strictEqual(await messageShown(game, 'DROPPED WORLD'),
      'Added "DROPPED WORLD" (dropped.glw, 11 levels) to the worlds.');
    const refusal = await messageShown(game, 'broken.glw');
    assert.match(refusal, /^"broken\.glw" was not added: .+\.$/);
    console.log('refusal: ' + refusal);

    await game.press(60, 'Enter');  // ends the intro
    await game.press(90, 'F12');  // a capture of the main page
    await game.press(101, 'Enter');  // BEGIN GAME
    await game.runTo(110);
    assert.deepStrictEqual(await game.call('worldNames'), ['GLIMB HILLS', 'DROPPED WORLD']);
    await keepScreenshot(game, 'world-select.png');

    // F12 offered the capture as a download, the very file the native game writes.
    assert.deepStrictEqual(await game.call('downloads'), ['capt0000.pcx']);
    const file = path.join(downloads, 'capt0000.pcx');
    for (let i = 0; i < 100 && !fs.existsSync(file); i++) await new Promise(r => setTimeout(r, 50));
    const native = harness.nativeRun(nativeGlimb, dataDir, 110, game.inputScript());
    assert.strictEqual(native.length, 1);
    assert.ok(fs.readFileSync(file).equals(native[0]), 'the download equals the native capture');
    assert.deepStrictEqual(game.errors, []);
  });

  // The next visit finds the world kept, lists it, and can remove it.
  await withBrowser(profile, async browser => {
    const game = await harness.GamePage.open(browser, server.url + '?hold=1');
    await game.press(60, 'Enter');
    await game.press(101, 'Enter');
    await game.runTo(110);
    assert.deepStrictEqual(await game.call('worldNames'), ['GLIMB HILLS', 'DROPPED WORLD']);
    assert.match(await game.page.$eval('#your-worlds', e => e.textContent), /dropped\.glw/);
    await game.page.click('#your-worlds button.remove');
    await game.runTo(120);
    assert.strictEqual(await messageShown(game, 'Removed'), 'Removed "dropped.glw" from the worlds.');
    assert.deepStrictEqual(await game.call('worldNames'), ['GLIMB HILLS']);
    assert.deepStrictEqual(game.errors, []);
  });
});

// A gamepad of the standard layout, as the Gamepad API shows it, that the test presses.
function fakeGamepad() {
  const pad = {id: 'Test pad (STANDARD GAMEPAD)', index: 0, connected: true, mapping: 'standard', timestamp: 0,
    axes: [0, 0, 0, 0], buttons: Array.from({length: 17}, () => ({pressed: false, touched: false, value: 0}))};
  window.testPad = {
    set(button, down) {
      pad.buttons[button] = {pressed: down, touched: down, value: down ? 1 : 0};
      pad.timestamp++;
    },
    plug(on) {
      pad.connected = on;
    },
  };
  Object.defineProperty(Navigator.prototype, 'getGamepads',
    {value: () => [pad.connected ? pad : null, null, null, null]});
}

// The pad's button `button` pressed for frame `frame` alone.
async function pressPad(game, frame, button) {
  await game.runTo(frame - 1);
  await game.page.evaluate(b => testPad.set(b, true), button);
  await game.runTo(frame);
  await game.page.evaluate(b => testPad.set(b, false), button);
}

// The page opened with the test's pad plugged in.
function openWithPad(browser) {
  return harness.GamePage.open(browser, server.url + '?hold=1', null, fakeGamepad);
}

test('A pad plays the menus, changed keys are kept for the next visit, sounds play, a hidden page pauses', async () => {
  const profile = harness.scratchFolder('profile');
  await withBrowser(profile, async browser => {
    const game = await openWithPad(browser);
    const page = game.page;
    await pressPad(game, 60, 0);  // A ends the intro
    await pressPad(game, 101, 13);  // down on the directional pad: GAME SETUP
    await game.runTo(102);
    assert.strictEqual(await game.call('menuCursor'), 1);
    await pressPad(game, 110, 0);  // A chooses it
    await game.runTo(111);
    assert.strictEqual(await game.call('menuPage'), 2, 'the game setup page shows');
    // Left is bound to A on the keyboard: the binding's row, then capture, then the key.
    await game.press(120, 'Enter');
    await game.press(130, 'Enter');
    await game.press(140, 'KeyA');
    await game.runTo(150);
    assert.strictEqual(await game.call('keyBinding', 0), 30);
    assert.match(await game.call('settingsFile'), /^Keyboard = 30 205 200 208 25 1 16$/m);
    assert.ok(await game.call('soundsPlayed') >= 3, 'the menu sounds played');
    assert.strictEqual(await game.call('audioState'), 'running');

    // Another page in front hides this one: its frames stop until it shows again.
    await game.release();
    const other = await browser.newPage();
    await other.bringToFront();
    await new Promise(r => setTimeout(r, 300));
    const hiddenFrame = await game.frame();
    await new Promise(r => setTimeout(r, 1000));
    assert.ok(await game.frame() - hiddenFrame <= 1, 'no frames run while the page is hidden');
    await page.bringToFront();
    await page.waitForFunction(f => glimbTest.frame() > f + 20, {timeout: 5000}, hiddenFrame);
    assert.deepStrictEqual(game.errors, []);
  });
  await withBrowser(profile, async browser => {
    const game = await harness.GamePage.open(browser, server.url + '?hold=1');
    assert.strictEqual(await game.call('keyBinding', 0), 30, 'the next visit reads the changed key');
  });
});

test('Pulling the pad out during play pauses the game, and the pad plugged in again goes on', async () => {
  await withBrowser(null, async browser => {
    const game = await openWithPad(browser);
    const page = game.page;
    await game.press(60, 'Enter');  // ends the intro
    await game.press(101, 'Enter');  // BEGIN GAME
    await game.press(110, 'Enter');  // the built-in world
    const intro = await game.runUntilState(STATE_LEVEL_INTRO, 111, 100);
    await pressPad(game, intro + 10, 0);  // A starts the level
    await game.runTo(intro + 60);
    const playing = await game.gameState();
    assert.ok(playing >= 0, 'the level is being played, not in state ' + playing);

    await page.evaluate(() => testPad.plug(false));
    await game.runTo(intro + 70);
    assert.strictEqual(await game.gameState(), STATE_PAUSED, 'pulling the pad out paused the game');
    await game.runTo(intro + 120);
    assert.strictEqual(await game.gameState(), STATE_PAUSED, 'the game stays paused');

    await page.evaluate(() => testPad.plug(true));
    await pressPad(game, intro + 130, 0);  // any button goes on, as any key does
    await game.runTo(intro + 150);
    assert.ok(await game.gameState() >= 0, 'the pad plugged in again went on with the game');
    assert.deepStrictEqual(game.errors, []);
  });
});
