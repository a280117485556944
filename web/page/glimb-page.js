// The page around the game: the canvas's size and picture, the loading bar,
// the line of messages, worlds added by dropping or picking .glw files, the
// downloads of captures, the browser's storage, Web Audio for the game's
// sounds, and window.glimbTest for the page's tests. The game (glimb.js)
// calls into the Glimb object; Module configures glimb.js.
'use strict';

const Glimb = (function() {
  const canvas = document.getElementById('glimb-canvas');
  const stage = document.getElementById('stage');
  const loading = document.getElementById('loading');
  const loadingText = document.getElementById('loading-text');
  const loadingBar = document.getElementById('loading-bar');
  const messageLine = document.getElementById('message');
  const fileInput = document.getElementById('world-file');
  const yourWorlds = document.getElementById('your-worlds');
  const context = canvas.getContext('2d', {alpha: false});
  // World files larger than this are refused before they are read, as the game's reader refuses them.
  const WORLD_FILE_MAX_BYTES = 64 * 1024 * 1024;
  const KEPT_WORLDS = '/persist/worlds';

  let image = null;
  let incomingCount = 0;
  const incoming = [];
  const removals = [];
  let persistent = true;
  let syncing = false;
  let syncAgain = false;

  const glimb = {
    ready: false,
    firstPictureAt: -1,
    downloads: [],
    messages: [],

    // The canvas gets the display mode's pixels; the page scales it.
    setCanvasSize(width, height) {
      canvas.width = width;
      canvas.height = height;
      image = context.createImageData(width, height);
      layout();
      return true;
    },

    showPicture(rgba, width, height) {
      if (!image || image.width !== width || image.height !== height) return;
      image.data.set(rgba);
      context.putImageData(image, 0, 0);
      if (glimb.firstPictureAt < 0) {
        glimb.firstPictureAt = performance.now();
        loading.hidden = true;
      }
    },

    showMessage(text, error) {
      messageLine.textContent = text;
      messageLine.classList.toggle('error', error);
      messageLine.hidden = false;
      glimb.messages.push(text);
    },

    // Offers a file of the game's file system (a capture) as a download.
    offerDownload(path) {
      const bytes = Module.FS.readFile(path);
      const name = path.substring(path.lastIndexOf('/') + 1);
      const url = URL.createObjectURL(new Blob([bytes], {type: 'image/x-pcx'}));
      const link = document.createElement('a');
      link.href = url;
      link.download = name;
      document.body.appendChild(link);
      link.click();
      link.remove();
      setTimeout(() => URL.revokeObjectURL(url), 60000);
      glimb.downloads.push(name);
      glimb.showMessage('Saved the picture as ' + name + ' (a download).', false);
    },

    // Has the browser's storage catch up with /persist; one sync at a time.
    syncStorage() {
      if (!persistent || !Module.FS) return;
      if (syncing) {
        syncAgain = true;
        return;
      }
      syncing = true;
      Module.FS.syncfs(false, function(error) {
        syncing = false;
        if (error) console.warn('Glimb: the browser did not keep the files:', error);
        if (syncAgain) {
          syncAgain = false;
          glimb.syncStorage();
        }
      });
    },

    storageUnavailable(reason) {
      persistent = false;
      console.warn('Glimb: no storage:', reason);
      glimb.showMessage('This browser keeps nothing for the page: added worlds and changed keys last until it is closed.', true);
    },

    takeIncoming() { return incoming.shift() || null; },
    takeRemoval() { return removals.shift() || null; },

    // The list of added worlds under the help line, with a way to remove each.
    worldsChanged() {
      yourWorlds.textContent = '';
      let names = [];
      try {
        names = Module.FS.readdir(KEPT_WORLDS).filter(name => /\.glw$/i.test(name)).sort();
      } catch (e) {
        return;
      }
      if (names.length === 0) return;
      yourWorlds.append(names.length === 1 ? 'Your world: ' : 'Your worlds: ');
      names.forEach(function(name, i) {
        if (i > 0) yourWorlds.append(', ');
        yourWorlds.append(name);
        const remove = document.createElement('button');
        remove.type = 'button';
        remove.className = 'remove';
        remove.title = 'Remove ' + name;
        remove.textContent = '\u00d7';
        remove.addEventListener('click', function() {
          removals.push(name);
          remove.blur();
        });
        yourWorlds.append(remove);
      });
    },

    // A number from the page's query ("?hold=300"), 1 for a bare name.
    queryNumber(name, absent) {
      const params = new URLSearchParams(location.search);
      if (!params.has(name)) return absent;
      const value = params.get(name);
      if (value === '') return 1;
      const number = Number(value);
      return Number.isFinite(number) ? Math.trunc(number) : absent;
    },

    ended(code) {
      glimb.showMessage(code === 0 ? 'Glimb has ended. Reload the page to play again.'
                                   : 'Glimb stopped (code ' + code + '). Reload the page to play again.', code !== 0);
    },

    // The game's sixteen sound slots: audio buffers made from the samples
    // the game's WAV reader read, and voices that play them.
    audio: {
      context: null,
      sounds: [],
      voices: [],
      plays: 0,

      open() {
        const AudioContextClass = window.AudioContext || window.webkitAudioContext;
        if (!AudioContextClass || typeof AudioBuffer === 'undefined') return false;
        try {
          this.context = new AudioContextClass();
        } catch (e) {
          return false;
        }
        return true;
      },
      close() {
        if (this.context) this.context.close();
        this.context = null;
      },
      createSound(channels, frames, rate, samples) {
        try {
          const buffer = new AudioBuffer({numberOfChannels: channels, length: frames, sampleRate: rate});
          for (let c = 0; c < channels; c++) buffer.copyToChannel(samples.subarray(c * frames, (c + 1) * frames), c);
          this.sounds.push(buffer);
          return this.sounds.length - 1;
        } catch (e) {
          return -1;
        }
      },
      createVoice(sound) {
        if (!this.sounds[sound]) return -1;
        this.voices.push({sound: this.sounds[sound], source: null, offset: 0, startedAt: 0, playing: false});
        return this.voices.length - 1;
      },
      releaseVoice(id) {
        this.stop(id);
        this.voices[id] = null;
      },
      // Plays from the voice's position; a sound that played to its end starts again from its start.
      play(id, looping) {
        const voice = this.voices[id];
        if (!voice || !this.context) return false;
        this.halt(voice);
        if (this.context.state !== 'running') return false;
        const source = this.context.createBufferSource();
        source.buffer = voice.sound;
        source.loop = looping;
        source.connect(this.context.destination);
        const offset = voice.offset < voice.sound.duration ? voice.offset : 0;
        source.onended = function() {
          if (voice.source !== source) return;
          voice.source = null;
          voice.playing = false;
          voice.offset = 0;
        };
        source.start(0, offset);
        this.plays++;
        voice.source = source;
        voice.startedAt = this.context.currentTime - offset;
        voice.playing = true;
        return true;
      },
      // Stops where it is; the next play goes on from there.
      stop(id) {
        const voice = this.voices[id];
        if (!voice || !voice.playing) return;
        const played = this.context.currentTime - voice.startedAt;
        const duration = voice.sound.duration;
        voice.offset = voice.source && voice.source.loop ? played % duration : Math.min(played, duration);
        this.halt(voice);
      },
      seek(id, seconds) {
        const voice = this.voices[id];
        if (!voice) return;
        const wasPlaying = voice.playing;
        const looping = voice.source ? voice.source.loop : false;
        this.halt(voice);
        voice.offset = seconds;
        if (wasPlaying) this.play(id, looping);
      },
      isPlaying(id) {
        const voice = this.voices[id];
        return !!voice && voice.playing;
      },
      halt(voice) {
        if (voice.source) {
          const source = voice.source;
          voice.source = null;
          try { source.stop(); } catch (e) { /* never started */ }
          source.disconnect();
        }
        voice.playing = false;
      },
    },
  };

  // The canvas at the largest whole multiple of its pixels that fits the
  // stage in device pixels, so every game pixel is a square of screen
  // pixels; a stage too small for one step gets the largest size that fits.
  function layout() {
    const ratio = window.devicePixelRatio || 1;
    const roomWidth = stage.clientWidth * ratio;
    const roomHeight = stage.clientHeight * ratio;
    const whole = Math.floor(Math.min(roomWidth / canvas.width, roomHeight / canvas.height));
    const scale = whole >= 1 ? whole : Math.min(roomWidth / canvas.width, roomHeight / canvas.height);
    canvas.style.width = (canvas.width * scale / ratio) + 'px';
    canvas.style.height = (canvas.height * scale / ratio) + 'px';
  }
  window.addEventListener('resize', layout);
  layout();

  // Browsers let a page sound only after the player has pressed something.
  function wakeAudio() {
    const context = glimb.audio.context;
    if (context && context.state === 'suspended' && !document.hidden) context.resume();
  }
  for (const kind of ['keydown', 'pointerdown', 'touchstart']) window.addEventListener(kind, wakeAudio, true);
  // A hidden page is silent; the sound comes back with it.
  let silencedWhenHidden = false;
  document.addEventListener('visibilitychange', function() {
    const context = glimb.audio.context;
    if (document.hidden) {
      silencedWhenHidden = !!context && context.state === 'running';
      if (silencedWhenHidden) context.suspend();
      glimb.syncStorage();
    } else if (silencedWhenHidden) {
      silencedWhenHidden = false;
      context.resume();
    }
  });
  window.addEventListener('pagehide', () => glimb.syncStorage());

  // Worlds from the file picker or dropped on the page: written into the
  // game's file system for the game to check at its next frame.
  function addFiles(files) {
    for (const file of files) {
      if (file.size > WORLD_FILE_MAX_BYTES) {
        glimb.showMessage('"' + file.name + '" was not added: it is too large to be a world.', true);
        continue;
      }
      file.arrayBuffer().then(function(buffer) {
        const path = '/incoming/' + (++incomingCount);
        Module.FS.writeFile(path, new Uint8Array(buffer));
        incoming.push({path: path, name: file.name});
      }, function() {
        glimb.showMessage('"' + file.name + '" was not added: the browser could not read it.', true);
      });
    }
  }
  document.getElementById('open-world').addEventListener('click', function(event) {
    fileInput.click();
    event.currentTarget.blur();
  });
  fileInput.addEventListener('change', function() {
    addFiles(fileInput.files);
    fileInput.value = '';
  });
  document.addEventListener('dragover', function(event) {
    event.preventDefault();
    event.dataTransfer.dropEffect = 'copy';
    stage.classList.add('dropping');
  });
  document.addEventListener('dragleave', function(event) {
    if (event.target === document.documentElement || event.target === stage) stage.classList.remove('dropping');
  });
  document.addEventListener('drop', function(event) {
    event.preventDefault();
    stage.classList.remove('dropping');
    if (event.dataTransfer && event.dataTransfer.files.length) addFiles(event.dataTransfer.files);
  });

  // The data download's progress, which glimb.js reports through setStatus.
  glimb.setStatus = function(text) {
    const progress = /\((\d+(?:\.\d+)?)\/(\d+)\)/.exec(text || '');
    if (progress) {
      loadingBar.max = Number(progress[2]);
      loadingBar.value = Number(progress[1]);
      loadingText.textContent = 'Loading Glimb\u2026';
    } else if (text) {
      loadingText.textContent = 'Starting Glimb\u2026';
    }
  };
  return glimb;
})();

// A page whose files did not all arrive says so instead of loading for ever.
window.addEventListener('error', function(event) {
  if (Glimb.firstPictureAt < 0) Glimb.showMessage('Glimb could not start: ' + event.message, true);
});

var Module = {
  canvas: document.getElementById('glimb-canvas'),
  setStatus: Glimb.setStatus,
  onRuntimeInitialized: function() {
    Glimb.ready = true;
    Glimb.worldsChanged();
  },
  onAbort: function(what) {
    Glimb.showMessage('Glimb stopped: ' + what + '. Reload the page to play again.', true);
  },
};

// What the page's tests use: the frame count, holding the game after a
// frame, and what the game shows.
window.glimbTest = {
  frame: () => Module._glimb_frames_run(),
  holdAfter: frame => Module._glimb_hold_after(frame),
  gameState: () => Module._glimb_game_state(),
  levelIndex: () => Module._glimb_level_index(),
  menuPage: () => Module._glimb_menu_page(),
  menuCursor: () => Module._glimb_menu_cursor(),
  keyBinding: index => Module._glimb_key_binding(index),
  soundsPlayed: () => Glimb.audio.plays,
  audioState: () => Glimb.audio.context ? Glimb.audio.context.state : 'none',
  settingsFile: function() {
    try {
      return Module.FS.readFile('/persist/config/glimb/settings', {encoding: 'utf8'});
    } catch (e) {
      return '';
    }
  },
  progressFile: function() {
    try {
      return Module.FS.readFile('/persist/data/glimb/progress', {encoding: 'utf8'});
    } catch (e) {
      return '';
    }
  },
  worldNames: function() {
    const names = [];
    for (let i = 0; i < Module._glimb_world_count(); i++) names.push(Module.UTF8ToString(Module._glimb_world_name(i)));
    return names;
  },
  frameWorkMs: () => Module._glimb_frame_work_ms(),
  framesMeasured: () => Module._glimb_frames_measured(),
  resetFrameWork: () => Module._glimb_reset_frame_work(),
  firstPictureAt: () => Glimb.firstPictureAt,
  downloads: () => Glimb.downloads.slice(),
  messages: () => Glimb.messages.slice(),
  running: () => Glimb.ready === true,
};
