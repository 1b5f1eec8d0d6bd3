// The page's side of Dunmere: loads the game's files into the engine's file system, starts the
// engine, and gives it a canvas, the keyboard, game pads and touch controls, Web Audio and a MIDI
// synthesizer. With ?input=FILE (and seed, frames, dump) the page replays recorded keys on the
// headless clock and leaves the trace and the asked-for frames in window.kitResult for tests;
// with ?keys=page instead of input, the keys are the page's and window.kitStep(N) runs N frames.
// Saved games live in the browser's local storage under the game's identity (a replay uses them
// with &saves=browser); without any storage they last for the visit.
'use strict';
(function () {
  const params = new URLSearchParams(location.search);
  const stepped = params.get('keys') === 'page';
  const replay = params.has('input') || params.has('frames') || stepped;
  const canvas = document.getElementById('screen');
  const screen = canvas.getContext('2d');
  const status = document.getElementById('status');
  const progress = document.getElementById('progress');
  const soundHint = document.getElementById('sound-hint');
  const notice = document.getElementById('notice');
  const touchLayer = document.getElementById('touch');
  const result = (window.kitResult = {
    done: false, error: null, trace: [], frames: {}, framesRun: 0, engineMs: 0, frame: 0,
    firstFrameMs: null, savesStored: 0, keys: 0, missing: [],
  });

  // ---- the page's words, in Japanese or English after the browser's language
  const english = !/^ja\b/i.test(navigator.language || 'ja');
  const WORDS = english ? {
    loading: 'Loading…', sound: 'Press a key, click or touch for sound', fullscreen: 'Full screen',
    failed: 'Could not load the game: ', noList: (why) => `The game's file list (game/files.txt) could not be read: ${why}`,
    missing: (n) => `${n} of the game's files could not be loaded; the game names each one when it needs it.`,
    noStorage: 'This browser keeps no saved games: saves last until the page is closed.',
    ok: 'OK', back: 'Back', end: 'The end',
  } : {
    loading: '読み込み中…', sound: 'キー・クリック・タッチで音が出ます', fullscreen: '全画面',
    failed: '読み込めませんでした: ', noList: (why) => `ゲームのファイル一覧 (game/files.txt) を読み込めませんでした: ${why}`,
    missing: (n) => `ゲームのファイルのうち ${n} 個を読み込めませんでした (使う時にゲームが名前を示します)`,
    noStorage: 'このブラウザにはセーブを保存できません。セーブはページを閉じるまで有効です。',
    ok: '決定', back: '戻る', end: 'おしまい',
  };
  document.documentElement.lang = english ? 'en' : 'ja';
  status.textContent = WORDS.loading;
  soundHint.textContent = WORDS.sound;
  document.getElementById('fullscreen').textContent = WORDS.fullscreen;
  document.getElementById('ok').textContent = WORDS.ok;
  document.getElementById('back').textContent = WORDS.back;
  function say(text) {
    notice.textContent = text;
    notice.hidden = false;
  }

  // ---- display: the 240 x 210 page at (40, 15) of the 320 x 240 display; the largest whole
  // factor that fits, or, upright on a phone, the whole width with crisp pixels
  screen.fillStyle = '#000';
  screen.fillRect(0, 0, 320, 240);
  function fit() {
    const box = document.fullscreenElement ? canvas.parentElement : document.body;
    const width = box.clientWidth, height = box.clientHeight;
    const portrait = height > width;
    let scale = Math.max(1, Math.floor(Math.min(width / 320, height / 240)));
    if (portrait && width / 320 > scale) scale = width / 320;
    document.body.classList.toggle('portrait', portrait);
    canvas.style.width = 320 * scale + 'px';
    canvas.style.height = 240 * scale + 'px';
  }
  window.addEventListener('resize', fit);
  document.addEventListener('fullscreenchange', fit);
  fit();
  function toggleFullscreen() {
    if (document.fullscreenElement) document.exitFullscreen();
    else document.documentElement.requestFullscreen().catch(() => {});
  }
  document.getElementById('fullscreen').addEventListener('click', toggleFullscreen);

  // ---- keys: the eight polled keys and F12, from the keyboard, the first game pads and touch
  const KEY_BITS = {
    ArrowUp: 1, ArrowDown: 2, ArrowLeft: 4, ArrowRight: 8, ShiftLeft: 16, ShiftRight: 16,
    ControlLeft: 32, ControlRight: 32, Enter: 64, NumpadEnter: 64, Space: 128, F12: 256,
  };
  const held = new Set();
  window.addEventListener('keydown', (e) => {
    if (e.code === 'F4') {
      toggleFullscreen();
      e.preventDefault();
    } else if (e.code in KEY_BITS) {
      held.add(e.code);
      showTouch(false);
      e.preventDefault();
    }
  });
  window.addEventListener('keyup', (e) => held.delete(e.code));
  window.addEventListener('blur', () => held.clear());
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
      if (pressed(9)) bits |= 64;  // start button: Enter, the field menu
    }
    if (bits) {
      unlockAudio();
      showTouch(false);
    }
    return bits;
  }

  // Touch: a direction pad and the two buttons. Every finger counts, wherever it moved to, so a
  // thumb slid over the pad changes the direction and one thumb can walk while the other holds 決定.
  const dpad = document.getElementById('dpad');
  const buttons = [[document.getElementById('ok'), 16], [document.getElementById('back'), 32]];
  let touchBits = 0;
  function showTouch(shown) {
    document.body.classList.toggle('touching', shown);
    if (!shown) touchBits = 0;
  }
  function inside(rect, x, y, margin) {
    return x >= rect.left - margin && x < rect.right + margin && y >= rect.top - margin && y < rect.bottom + margin;
  }
  function fingerBits(x, y) {
    const pad = dpad.getBoundingClientRect();
    if (inside(pad, x, y, pad.width / 4)) {
      const dx = x - (pad.left + pad.width / 2), dy = y - (pad.top + pad.height / 2);
      if (Math.hypot(dx, dy) < pad.width / 8) return 0;  // the pad's middle is no direction
      if (Math.abs(dx) > Math.abs(dy)) return dx < 0 ? 4 : 8;
      return dy < 0 ? 1 : 2;
    }
    for (const [button, bit] of buttons) if (inside(button.getBoundingClientRect(), x, y, 8)) return bit;
    return 0;
  }
  function onTouch(e) {
    showTouch(true);
    unlockAudio();
    let bits = 0;
    for (const t of e.touches) bits |= fingerBits(t.clientX, t.clientY);
    touchBits = bits;
    if (e.target.closest('#touch')) e.preventDefault();  // no scrolling, zooming or mouse events
  }
  for (const type of ['touchstart', 'touchmove', 'touchend', 'touchcancel'])
    window.addEventListener(type, onTouch, { passive: false });
  showTouch(matchMedia('(pointer: coarse)').matches);

  // ---- sound: browsers start audio only after the player's first key, click or touch
  const AudioContextType = window.AudioContext || window.webkitAudioContext;
  const audio = AudioContextType ? new AudioContextType() : null;
  let audioUnlocked = false;
  function unlockAudio() {
    if (audioUnlocked) return;
    audioUnlocked = true;
    soundHint.hidden = true;
    if (audio && !replay) audio.resume().then(startMusic);
  }
  for (const type of ['keydown', 'pointerdown', 'touchstart', 'mousedown'])
    window.addEventListener(type, unlockAudio, { capture: true });
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

  // ---- music: standard MIDI files through FluidSynth with the game's cut of the soundfont
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
    if (!audioUnlocked || replay || !music || !window.JSSynth) return;
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

  // ---- saved games: one entry of local storage per game and slot, "dunmere/GAME/slotN.sav",
  // in Base64. Writes finish before the engine hears back, so a save is reported only once kept.
  let storage = null;
  try {
    storage = window.localStorage;
    storage.getItem('dunmere/');
  } catch (e) {
    storage = null;
  }
  const memory = new Map();  // the visit's saves when the browser keeps none
  const slotKey = (store, slot) => `dunmere/${store}/slot${slot + 1}.sav`;
  function readSlot(store, slot) {
    adoptOldSaves(store);
    const text = storage ? storage.getItem(slotKey(store, slot)) : memory.get(slotKey(store, slot));
    if (text == null) return null;
    try {
      return Uint8Array.from(atob(text), (c) => c.charCodeAt(0));
    } catch (e) {
      return null;  // not Base64: as unreadable as a damaged file
    }
  }
  function writeSlot(store, slot, bytes) {
    let text = '';
    for (let i = 0; i < bytes.length; i += 0x8000)
      text += String.fromCharCode.apply(null, bytes.subarray(i, i + 0x8000));
    try {
      if (storage) storage.setItem(slotKey(store, slot), btoa(text));
      else memory.set(slotKey(store, slot), btoa(text));
    } catch (e) {
      console.warn('dunmere: the game could not be saved:', e);
      return e && e.name === 'QuotaExceededError' ? 1 : 2;
    }
    result.savesStored++;
    return 0;
  }
  // Earlier pages kept the slots of every game of a site in one IndexedDB database, "/saves".
  // A game whose own store is still empty takes them over (copied: other games may want theirs).
  let oldSaves = [];
  const adopted = new Set();
  async function readOldSaves() {
    if (!storage || !window.indexedDB || !indexedDB.databases) return;
    try {
      if (!(await indexedDB.databases()).some((d) => d.name === '/saves')) return;
      oldSaves = await new Promise((resolve, reject) => {
        const open = indexedDB.open('/saves');
        open.onerror = () => reject(open.error);
        open.onsuccess = () => {
          const db = open.result, found = [];
          if (!db.objectStoreNames.contains('FILE_DATA')) return resolve(found);
          const cursor = db.transaction('FILE_DATA').objectStore('FILE_DATA').openCursor();
          cursor.onerror = () => reject(cursor.error);
          cursor.onsuccess = () => {
            const at = cursor.result;
            if (!at) return db.close(), resolve(found);
            const slot = /^\/saves\/slot([1-4])\.sav$/.exec(at.key);
            if (slot && at.value && at.value.contents) found.push([Number(slot[1]) - 1, new Uint8Array(at.value.contents)]);
            at.continue();
          };
        };
      });
    } catch (e) {
      console.warn('dunmere: the saves of earlier versions could not be read:', e);
    }
  }
  function adoptOldSaves(store) {
    if (adopted.has(store) || !storage) return;
    adopted.add(store);
    const taken = [0, 1, 2, 3].some((slot) => storage.getItem(slotKey(store, slot)) != null);
    if (!taken) for (const [slot, bytes] of oldSaves) writeSlot(store, slot, bytes);
  }

  // ---- the engine's calls (engine/platform/web/WebPlatform.cpp, WebSaveStore.cpp, WebMain.cpp)
  const image = screen.createImageData(240, 210);
  let granted = 0;
  let lastSave = null;
  window.kitStep = (frames) => { granted += frames; };
  window.kitKeys = () => kit.keys();
  const kit = {
    pageKeys: stepped,
    keys: () => {
      let bits = padBits() | touchBits;
      for (const code of held) bits |= KEY_BITS[code];
      result.keys = bits;
      return bits;
    },
    framesGranted: (frame) => {
      result.frame = frame;
      result.stepping = true;
      const frames = granted;
      granted = 0;
      return frames;
    },
    present: (rgba) => {
      image.data.set(rgba);
      screen.putImageData(image, 40, 15);
      if (result.firstFrameMs === null) {
        result.firstFrameMs = performance.now();
        performance.mark('dunmere-first-frame');
        document.body.classList.add('playing');
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
      status.textContent = WORDS.end;
      document.body.classList.remove('playing');
    },
    saveSize: (store, slot) => {
      lastSave = readSlot(store, slot);
      return lastSave ? lastSave.length : -1;
    },
    saveRead: (store, slot, put) => put(lastSave),
    saveWrite: writeSlot,
    finish: (trace, frames, engineMs) => {
      result.trace = trace.split('\n').filter((line) => line.length > 0);
      result.framesRun = frames;
      result.engineMs = engineMs;
      result.done = true;
    },
  };

  // ---- start: the engine, and the game's files into /game, with a progress bar over both
  let engineShare = 0, filesShare = 0;
  function showProgress() {
    progress.value = (engineShare + filesShare) / 2;
  }
  async function fetchWithProgress(url, onShare) {
    const response = await fetch(url);
    if (!response.ok) throw new Error(url + ': ' + response.status);
    const total = Number(response.headers.get('Content-Length')) || 0;
    if (!response.body || !total) return new Uint8Array(await response.arrayBuffer());
    const reader = response.body.getReader(), parts = [];
    let received = 0;
    for (;;) {
      const { done, value } = await reader.read();
      if (done) break;
      parts.push(value);
      received += value.length;
      onShare(Math.min(1, received / total));
    }
    const bytes = new Uint8Array(received);
    let at = 0;
    for (const part of parts) bytes.set(part, at), (at += part.length);
    return bytes;
  }
  async function fetchBytes(url) {
    const response = await fetch(url);
    if (!response.ok) throw new Error(url + ': ' + response.status);
    return new Uint8Array(await response.arrayBuffer());
  }
  // Every file that can be fetched goes in; a missing one is left out for the engine to name
  // when the game uses it, as a missing file on the desktop. Only the list itself is needed.
  async function loadGame(engine) {
    let list;
    try {
      const response = await fetch('game/files.txt');
      if (!response.ok) throw new Error(String(response.status));
      list = await response.text();
    } catch (e) {
      throw new Error(WORDS.noList(e.message));
    }
    const names = list.split('\n').map((n) => n.replace(/\r$/, '')).filter((n) => n.length > 0);
    let done = 0;
    await Promise.all(names.map(async (name) => {
      try {
        const data = await fetchBytes('game/' + name.split('/').map(encodeURIComponent).join('/'));
        engine.FS.mkdirTree(('/game/' + name).replace(/\/[^/]*$/, ''));
        engine.FS.writeFile('/game/' + name, data);
      } catch (e) {
        result.missing.push(name);
        console.warn('dunmere: left out of the game:', e.message);
      }
      filesShare = ++done / names.length;
      showProgress();
    }));
    if (result.missing.length) say(WORDS.missing(result.missing.length));
  }
  async function commandLine(engine) {
    const args = ['--game-dir', '/game'];
    if (replay) args.push('--headless');
    // A replay keeps its saves in memory, as a headless run does, unless told to use the page's.
    if (!replay || params.get('saves') === 'browser') {
      await readOldSaves();
      if (!storage) say(WORDS.noStorage);
      args.push('--save-dir', '/saves');
    }
    if (params.has('input')) {
      engine.FS.writeFile('/replay.input', await fetchBytes(params.get('input')));
      args.push('--input', '/replay.input');
    }
    for (const [param, option] of [['seed', '--seed'], ['frames', '--frames'], ['dump', '--dump-frames']])
      if (params.has(param)) args.push(option, params.get(param));
    if (stepped && !params.has('frames')) args.push('--frames', '1000000000');
    return args;
  }
  (async () => {
    const wasmBinary = await fetchWithProgress('dunmere.wasm', (share) => {
      engineShare = share;
      showProgress();
    });
    engineShare = 1;
    const engine = await createDunmere({ kit, wasmBinary, noInitialRun: true, printErr: (text) => console.warn(text) });
    await loadGame(engine);
    const args = await commandLine(engine);
    canvas.focus();
    engine.callMain(args);
  })().catch((e) => {
    result.error = String(e.message || e);
    status.textContent = WORDS.failed + result.error;
    document.body.classList.add('failed');
  });
})();
