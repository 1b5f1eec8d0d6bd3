// The page's side of Dunmere: loads the game's files into the engine's file system, starts the
// engine, and gives it a canvas, the keyboard and game pads, Web Audio and a MIDI synthesizer.
// With ?input=FILE (and seed, frames, dump) the page replays recorded keys on the headless
// clock and leaves the trace and the asked-for frames in window.kitResult for tests. Saved games
// live in the browser's storage for the page's address (a replay uses them with &saves=browser).
'use strict';
(function () {
  const params = new URLSearchParams(location.search);
  const replay = params.has('input') || params.has('frames');
  const canvas = document.getElementById('screen');
  const screen = canvas.getContext('2d');
  const status = document.getElementById('status');
  const soundHint = document.getElementById('sound-hint');
  const result = (window.kitResult = {
    done: false, error: null, trace: [], frames: {}, framesRun: 0, engineMs: 0,
    firstFrameMs: null, savesStored: 0,
  });

  // ---- display: the 240 x 210 page at (40, 15) of the 320 x 240 display, whole-number scale
  screen.fillStyle = '#000';
  screen.fillRect(0, 0, 320, 240);
  function fit() {
    const box = document.fullscreenElement ? screen.canvas.parentElement : document.body;
    const scale = Math.max(1, Math.floor(Math.min(box.clientWidth / 320, box.clientHeight / 240)));
    canvas.style.width = 320 * scale + 'px';
    canvas.style.height = 240 * scale + 'px';
  }
  window.addEventListener('resize', fit);
  document.addEventListener('fullscreenchange', fit);
  fit();
  function toggleFullscreen() {
    if (document.fullscreenElement) document.exitFullscreen();
    else document.getElementById('stage').requestFullscreen().catch(() => {});
  }
  document.getElementById('fullscreen').addEventListener('click', toggleFullscreen);

  // ---- keys: the eight polled keys and F12, from the keyboard and the first game pads
  const KEY_BITS = {
    ArrowUp: 1, ArrowDown: 2, ArrowLeft: 4, ArrowRight: 8, ShiftLeft: 16, ShiftRight: 16,
    ControlLeft: 32, ControlRight: 32, Enter: 64, NumpadEnter: 64, Space: 128, F12: 256,
  };
  const held = new Set();
  window.addEventListener('keydown', (e) => {
    unlockAudio();
    if (e.code === 'F4') {
      toggleFullscreen();
      e.preventDefault();
    } else if (e.code in KEY_BITS) {
      held.add(e.code);
      e.preventDefault();
    }
  });
  window.addEventListener('keyup', (e) => held.delete(e.code));
  window.addEventListener('blur', () => held.clear());
  canvas.addEventListener('pointerdown', () => { unlockAudio(); canvas.focus(); });
  function padBits() {
    let bits = 0;
    for (const pad of navigator.getGamepads ? navigator.getGamepads() : []) {
      if (!pad) continue;
      const pressed = (i) => pad.buttons[i] && pad.buttons[i].pressed;
      if (pressed(12) || pad.axes[1] < -0.5) bits |= 1;
      if (pressed(13) || pad.axes[1] > 0.5) bits |= 2;
      if (pressed(14) || pad.axes[0] < -0.5) bits |= 4;
      if (pressed(15) || pad.axes[0] > 0.5) bits |= 8;
      if (pressed(0)) bits |= 16;  // south button: Shift
      if (pressed(1)) bits |= 32;  // east button: Ctrl
    }
    if (bits) unlockAudio();
    return bits;
  }

  // ---- sound: browsers start audio only after the player's first key or click
  const AudioContextType = window.AudioContext || window.webkitAudioContext;
  const audio = AudioContextType ? new AudioContextType() : null;
  let audioUnlocked = false;
  function unlockAudio() {
    if (audioUnlocked || !audio || replay) return;
    audioUnlocked = true;
    audio.resume().then(startMusic);
    soundHint.style.display = 'none';
  }
  const effects = [];
  const playing = [];
  function toAudioBuffer(channels, rate, bits, bytes) {
    const width = bits / 8;
    const frames = Math.floor(bytes.length / (channels * width));
    if (!audio || frames === 0 || rate < 3000 || rate > 768000) return null;
    const buffer = audio.createBuffer(channels, frames, rate);
    const view = new DataView(bytes.buffer, bytes.byteOffset, bytes.byteLength);
    for (let c = 0; c < channels; c++) {
      const out = buffer.getChannelData(c);
      for (let i = 0; i < frames; i++) {
        const at = (i * channels + c) * width;
        out[i] = bits === 8 ? (view.getUint8(at) - 128) / 128 : view.getInt16(at, true) / 32768;
      }
    }
    return buffer;
  }
  function stopEffect(slot) {
    if (playing[slot]) {
      try { playing[slot].stop(); } catch (e) { /* already ended */ }
      playing[slot] = null;
    }
  }

  // ---- music: standard MIDI files through FluidSynth with the kit's General MIDI soundfont
  let synth = null;
  let synthReady = null;
  let music = null;  // the bytes of the piece that should be playing
  let musicSerial = 0;
  function ensureSynth() {
    if (!synthReady) {
      synthReady = (async () => {
        await JSSynth.waitForReady();
        const s = new JSSynth.Synthesizer();
        s.init(audio.sampleRate);
        s.createAudioNode(audio, 8192).connect(audio.destination);
        const font = await fetch('soundfont.sf2');
        if (!font.ok) throw new Error('soundfont.sf2: ' + font.status);
        await s.loadSFont(await font.arrayBuffer());
        synth = s;
      })().catch((e) => console.warn('dunmere: music stays silent:', e));
    }
    return synthReady;
  }
  async function startMusic() {
    if (!audioUnlocked || !music || !window.JSSynth) return;
    const serial = ++musicSerial;
    const piece = music;
    await ensureSynth();
    if (!synth || serial !== musicSerial) return;
    synth.stopPlayer();
    await synth.resetPlayer();
    if (serial !== musicSerial) return;
    await synth.addSMFDataToPlayer(piece.slice().buffer);
    synth.setPlayerLoop(-1);  // the engine's music loops endlessly
    await synth.playPlayer();
  }

  // ---- saved games: the four slots live in /saves, kept in the browser's IndexedDB
  let saveStorage = null;
  function mountSaves(engine) {
    engine.FS.mkdir('/saves');
    engine.FS.mount(engine.IDBFS || engine.FS.filesystems.IDBFS, {}, '/saves');
    let writing = Promise.resolve();
    saveStorage = () => {
      writing = writing.then(() => new Promise((done) => engine.FS.syncfs(false, (e) => {
        if (e) console.warn('dunmere: the saved game stays in this page only:', e);
        else result.savesStored++;
        done();
      })));
    };
    return new Promise((done) => engine.FS.syncfs(true, (e) => {
      if (e) console.warn('dunmere: no saved games could be read:', e);
      done();
    }));
  }

  // ---- the engine's calls (engine/platform/web/WebPlatform.cpp)
  const image = screen.createImageData(240, 210);
  const kit = {
    keys: () => {
      let bits = padBits();
      for (const code of held) bits |= KEY_BITS[code];
      return bits;
    },
    present: (rgba) => {
      image.data.set(rgba);
      screen.putImageData(image, 40, 15);
      if (result.firstFrameMs === null) {
        result.firstFrameMs = performance.now();
        performance.mark('dunmere-first-frame');
        status.style.display = 'none';
      }
    },
    frameDump: (frame, rgb) => {
      let text = '';
      for (let i = 0; i < rgb.length; i += 0x8000)
        text += String.fromCharCode.apply(null, rgb.subarray(i, i + 0x8000));
      result.frames[frame] = btoa(text);
    },
    message: (caption, text) => window.alert(caption ? caption + '\n\n' + text : text),
    createEffect: (slot, channels, rate, bits, pcm) => {
      stopEffect(slot);
      effects[slot] = toAudioBuffer(channels, rate, bits, pcm);
    },
    releaseEffect: (slot) => { stopEffect(slot); effects[slot] = null; },
    playEffect: (slot) => {
      stopEffect(slot);
      if (!audio || audio.state !== 'running' || !effects[slot]) return;
      const source = audio.createBufferSource();
      source.buffer = effects[slot];
      source.connect(audio.destination);
      source.start();
      playing[slot] = source;
    },
    openMusic: (bytes) => { music = bytes; startMusic(); },
    closeMusic: () => {
      music = null;
      musicSerial++;
      if (synth) synth.stopPlayer();
    },
    quit: () => {
      kit.closeMusic();
      status.textContent = 'おしまい';
      status.style.display = '';
    },
    savesChanged: () => saveStorage && saveStorage(),
    finish: (trace, frames, engineMs) => {
      result.trace = trace.split('\n').filter((line) => line.length > 0);
      result.framesRun = frames;
      result.engineMs = engineMs;
      result.done = true;
    },
  };

  // ---- start: the game's files into /game, then the engine with the page's command line
  async function fetchBytes(url) {
    const response = await fetch(url);
    if (!response.ok) throw new Error(url + ': ' + response.status);
    return new Uint8Array(await response.arrayBuffer());
  }
  async function loadGame(engine) {
    const list = await (await fetch('game/files.txt')).text();
    const names = list.split('\n').filter((n) => n.length > 0);
    await Promise.all(names.map(async (name) => {
      const data = await fetchBytes('game/' + name.split('/').map(encodeURIComponent).join('/'));
      const dir = ('/game/' + name).replace(/\/[^/]*$/, '');
      engine.FS.mkdirTree(dir);
      engine.FS.writeFile('/game/' + name, data);
    }));
  }
  async function commandLine(engine) {
    const args = ['--game-dir', '/game'];
    if (replay) args.push('--headless');
    // A replay keeps its saves in memory, as a headless run does, unless told to use the page's.
    if (!replay || params.get('saves') === 'browser') {
      await mountSaves(engine);
      args.push('--save-dir', '/saves');
    }
    if (params.has('input')) {
      engine.FS.writeFile('/replay.input', await fetchBytes(params.get('input')));
      args.push('--input', '/replay.input');
    }
    for (const [param, option] of [['seed', '--seed'], ['frames', '--frames'], ['dump', '--dump-frames']])
      if (params.has(param)) args.push(option, params.get(param));
    return args;
  }
  createDunmere({ kit, noInitialRun: true, printErr: (text) => console.warn(text) })
    .then(async (engine) => {
      await loadGame(engine);
      const args = await commandLine(engine);
      canvas.focus();
      engine.callMain(args);
    })
    .catch((e) => {
      result.error = String(e);
      status.textContent = '読み込めませんでした: ' + e;
    });
})();
