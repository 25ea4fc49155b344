// The workbench page: the simulated screen drawn from the frames the
// preview sends, the mouse sent back, and the panels filled from its state.
'use strict';

const $ = (selector) => document.querySelector(selector);
const canvas = $('#screen');
const context = canvas.getContext('2d');

// What the page has seen, for the panels and for tests that drive it.
const seen = { frames: 0, state: null, menu: null, box: null };
window.tkPreview = seen;

// --- requests: one at a time, in order, so a release never overtakes its press
let queue = Promise.resolve();
function post(path, body) {
  queue = queue.then(() => fetch(path, {
    method: 'POST',
    headers: { 'Content-Type': 'application/json' },
    body: JSON.stringify(body),
  })).then((response) => {
    if (!response.ok) response.text().then((why) => console.warn(path, response.status, why));
    return response;
  }).catch((error) => console.warn(path, error));
  return queue;
}

// --- frames -------------------------------------------------------------------
// Tiles are decoded in parallel but drawn frame after frame, in order.
let drawing = Promise.resolve();
function decodeTile(tile) {
  const bytes = Uint8Array.from(atob(tile.png), (c) => c.charCodeAt(0));
  return createImageBitmap(new Blob([bytes], { type: 'image/png' }));
}
function onFrame(frame) {
  const images = Promise.all(frame.tiles.map(decodeTile));
  drawing = drawing.then(() => images).then((bitmaps) => {
    if (canvas.width !== frame.width || canvas.height !== frame.height) {
      canvas.width = frame.width;
      canvas.height = frame.height;
    }
    if (frame.desktop) {
      context.fillStyle = frame.desktop;
      context.fillRect(0, 0, canvas.width, canvas.height);
    }
    frame.tiles.forEach((tile, i) => context.drawImage(bitmaps[i], tile.x, tile.y));
    seen.frames += 1;
  }).catch((error) => console.warn('frame', error));
}

// --- the mouse on the screen ----------------------------------------------------
function screenPoint(event) {
  const r = canvas.getBoundingClientRect();
  return {
    x: Math.floor((event.clientX - r.left) * canvas.width / r.width),
    y: Math.floor((event.clientY - r.top) * canvas.height / r.height),
  };
}
let pressed = null;  // the button held down, 'left' or 'right'
let pendingMove = null;
let lastHover = 0;
canvas.addEventListener('pointerdown', (event) => {
  if (pressed || (event.button !== 0 && event.button !== 2)) return;
  pressed = event.button === 0 ? 'left' : 'right';
  canvas.setPointerCapture(event.pointerId);
  post('/api/mouse', { type: 'down', button: pressed, ...screenPoint(event) });
});
canvas.addEventListener('pointermove', (event) => {
  // Moves are sent at most once a frame while a button is held, and a few
  // times a second when the pointer only passes over.
  const now = performance.now();
  if (!pressed && now - lastHover < 100) return;
  lastHover = now;
  const first = pendingMove === null;
  pendingMove = { type: 'move', button: pressed || 'left', ...screenPoint(event) };
  if (first) {
    requestAnimationFrame(() => {
      // A release may have sent it already.
      if (pendingMove) post('/api/mouse', pendingMove);
      pendingMove = null;
    });
  }
});
canvas.addEventListener('pointerup', (event) => {
  const button = event.button === 0 ? 'left' : event.button === 2 ? 'right' : null;
  if (button !== pressed) return;
  pressed = null;
  if (pendingMove) {
    post('/api/mouse', pendingMove);
    pendingMove = null;
  }
  post('/api/mouse', { type: 'up', button, ...screenPoint(event) });
});
canvas.addEventListener('contextmenu', (event) => event.preventDefault());

// --- the popup menu and the boxes ------------------------------------------------
// "&Talk" underlines the T; "&&" is an ampersand.
function captionNode(caption) {
  const span = document.createElement('span');
  const parts = caption.split(/(&&|&.)/);
  for (const part of parts) {
    if (part === '&&') span.append('&');
    else if (part.length === 2 && part[0] === '&') {
      const u = document.createElement('u');
      u.textContent = part[1];
      span.append(u);
    } else span.append(part);
  }
  return span;
}
function plainCaption(caption) {
  return caption.replace(/&(.)/g, '$1');
}
function answerMenu(index) {
  if (!seen.menu) return;
  post('/api/answer', { menu: seen.menu.id, index });
  showMenu(null);
}
function showMenu(menu) {
  seen.menu = menu;
  const list = $('#menu');
  $('#menu-shade').hidden = list.hidden = !menu;
  list.replaceChildren();
  if (!menu) return;
  menu.items.forEach((item, index) => {
    const li = document.createElement('li');
    if (item.caption === '-') {
      li.className = 'separator';
      li.setAttribute('role', 'separator');
    } else {
      li.setAttribute('role', 'menuitem');
      li.dataset.caption = plainCaption(item.caption);
      if (item.checked) li.classList.add('checked');
      li.append(captionNode(item.caption));
      li.addEventListener('click', () => answerMenu(index));
    }
    list.append(li);
  });
  // At the pointer, as the system opens it, kept inside the screen.
  const r = canvas.getBoundingClientRect();
  const scale = r.width / canvas.width;
  list.style.left = Math.min(menu.x * scale, r.width - list.offsetWidth) + 'px';
  list.style.top = Math.min(menu.y * scale, r.height - list.offsetHeight) + 'px';
}
$('#menu-shade').addEventListener('pointerdown', () => answerMenu(-1));
document.addEventListener('keydown', (event) => {
  if (event.key === 'Escape') answerMenu(-1);
  if (event.key === 'Enter' && seen.box) answerBox();
});

function answerBox() {
  if (!seen.box) return;
  post('/api/answer', { box: seen.box.id });
  showBox(null);
}
function showBox(box) {
  seen.box = box;
  const dialog = $('#box');
  dialog.hidden = !box;
  if (!box) return;
  dialog.querySelector('.caption').textContent = box.caption;
  dialog.querySelector('.text').textContent = box.text;
  dialog.querySelector('.gloss').textContent = box.gloss || '';
  dialog.querySelector('.hint').textContent = box.hint || '';
  dialog.querySelector('button').focus();
}
$('#box button').addEventListener('click', answerBox);

// --- sound ---------------------------------------------------------------------------
// Wave files play in the page (once the author has clicked it, as browsers
// ask); MIDI and the disc are only named. The sound stops with the
// character's and holds while time does.
const sounds = [];
let audio = null;
function soundText(sound) {
  const span = `${duration(sound.fromMs)}–${duration(sound.toMs)}`;
  return `[${sound.atMs} ms] ${sound.kind === 'cd' ? 'CD' : sound.kind}: ${sound.file ?? ''} ${span}`;
}
function onSound(sound) {
  sounds.push(sound);
  if (sounds.length > 20) sounds.shift();
  showList('#sounds', sounds.map(soundText));
  if (sound.kind !== 'wave' || !sound.url) return;
  audio?.pause();
  audio = new Audio(`${sound.url}#t=${sound.fromMs / 1000},${sound.toMs / 1000}`);
  audio.play().catch(() => {
    $('#sounding').textContent = 'click the page once to let wave files play here';
  });
}
function showSounding(state) {
  const now = state.sounding ?? {};
  const parts = [['wave', now.wave], ['MIDI (not played here)', now.midi], ['CD (not played here)', now.cd]]
    .filter(([, file]) => file).map(([kind, file]) => `${kind}: ${file}`);
  $('#sounding').textContent = parts.length ? 'playing: ' + parts.join('; ') : 'silent';
  if (!audio) return;
  if (!now.wave) {
    audio.pause();
    audio = null;
  } else if (state.paused !== audio.paused) {
    if (state.paused) audio.pause();
    else audio.play().catch(() => {});
  }
}

// --- the controls ------------------------------------------------------------------
$('#pause').addEventListener('click', () => post('/api/control', { pause: !seen.state?.paused }));
$('#step').addEventListener('click', () => post('/api/control', { step: true }));
$('#restart').addEventListener('click', () => post('/api/control', { restart: true }));
$('#keep-flags').addEventListener('change', (event) =>
  post('/api/control', { keepFlags: event.target.checked }));
for (const button of document.querySelectorAll('.speeds button')) {
  button.addEventListener('click', () => post('/api/control', { speed: Number(button.dataset.speed) }));
}

// The virtual clock runs on between states at the speed the preview runs;
// the events' countdowns with it.
let stateAt = performance.now();
let eventsShownAt = 0;
function virtualNow() {
  const state = seen.state;
  const running = state.status === 'running' && !state.paused && !seen.menu && !seen.box;
  return state.ms + (running ? (performance.now() - stateAt) * state.speed : 0);
}
function showClock() {
  const state = seen.state;
  if (state) {
    const ms = virtualNow();
    if (performance.now() - eventsShownAt > 500) {
      showEvents(state.events, ms);
      eventsShownAt = performance.now();
    }
    const s = Math.floor(ms / 1000);
    const two = (n) => String(n).padStart(2, '0');
    $('#clock').textContent = `${two(Math.floor(s / 3600))}:${two(Math.floor(s / 60) % 60)}:` +
      `${two(s % 60)}.${String(Math.floor(ms) % 1000).padStart(3, '0')}`;
  }
  requestAnimationFrame(showClock);
}
requestAnimationFrame(showClock);

// --- the panels ----------------------------------------------------------------------
function element(tag, text, className) {
  const e = document.createElement(tag);
  if (text !== undefined) e.textContent = text;
  if (className) e.className = className;
  return e;
}

function flagRow(flag, kind) {
  const row = element('tr');
  row.dataset.flag = flag.name;
  const input = element('input');
  input.value = String(flag.value);
  input.setAttribute('aria-label', flag.name);
  input.addEventListener('change', () =>
    post('/api/flag', { name: flag.name, value: input.value }).then((response) => {
      if (response && !response.ok) input.classList.add('problem');
    }));
  row.append(element('td', flag.name), element('td', kind, 'dim'), element('td'));
  row.lastChild.append(input);
  return row;
}
function showFlags(flags) {
  const table = $('#flags');
  const rows = [];
  for (const [kind, list] of [['int', flags?.ints ?? []], ['str', flags?.strs ?? []]]) {
    for (const flag of list) rows.push([flag, kind]);
  }
  // Rows are kept (an author may be typing in one); only values change.
  const keyOf = ([flag, kind]) => kind + ':' + flag.name;
  const same = table.rows.length === rows.length &&
    rows.every((r, i) => table.rows[i].dataset.key === keyOf(r));
  if (!same) {
    table.replaceChildren(...rows.map((r) => {
      const row = flagRow(...r);
      row.dataset.key = keyOf(r);
      return row;
    }));
  }
  rows.forEach(([flag], i) => {
    const input = table.rows[i].querySelector('input');
    const value = String(flag.value);
    if (document.activeElement !== input && input.value !== value) {
      input.value = value;
      input.classList.remove('problem');
      table.rows[i].classList.add('changed');
      setTimeout(() => table.rows[i]?.classList.remove('changed'), 800);
    }
  });
  if (!rows.length) table.replaceChildren(element('tr', 'no flags', 'dim'));
}

function showSpeech(speech) {
  const panel = $('#speech');
  if (!speech) return panel.replaceChildren(element('span', 'nothing said yet', 'dim'));
  const state = speech.choiceWaiting ? ' (choices wait)' : speech.showing ? ' (saying)' : '';
  panel.replaceChildren(element('div', speech.label + state, 'dim'),
    element('pre', speech.lines.join('\n')));
}

function showRunning(running) {
  const panel = $('#running');
  if (!running) return panel.replaceChildren(element('span', 'no action runs', 'dim'));
  panel.replaceChildren(
    element('div', `${running.action} — ${running.label}, line ${running.line}`),
    element('pre', running.text ?? ''));
}

// The script as the character runs it, fetched again at each start; the
// running line marked, and lines named by the log or lint shown on a click.
let scriptStart = -1;
function loadScript(starts) {
  if (starts === scriptStart) return;
  scriptStart = starts;
  fetch('/api/script').then((r) => r.json()).then((lines) => {
    $('#script').replaceChildren(...(lines ?? []).map((line) => element('li', line)));
    showRunningLine(seen.state?.running);
  }).catch((error) => console.warn('script', error));
}
function scriptLine(number) {
  return $('#script').children[number - 1];
}
// Scrolls the script alone, never the page around it.
function scrollTo(li, where) {
  const list = $('#script');
  const top = li.offsetTop - (where === 'center' ? (list.clientHeight - li.offsetHeight) / 2 : 0);
  if (where === 'center' || li.offsetTop < list.scrollTop ||
      li.offsetTop + li.offsetHeight > list.scrollTop + list.clientHeight) {
    list.scrollTop = Math.max(0, top);
  }
}
function showRunningLine(running) {
  $('#script .current')?.classList.remove('current');
  const li = running && scriptLine(running.line);
  if (!li) return;
  li.classList.add('current');
  scrollTo(li, 'nearest');
}
function pickLine(number) {
  $('#script .picked')?.classList.remove('picked');
  const li = scriptLine(number);
  if (!li) return;
  li.closest('details').open = true;
  li.classList.add('picked');
  scrollTo(li, 'center');
}
// A list item that shows its script line when clicked.
function jumpItem(text, number, className) {
  const li = element('li', text, className);
  if (number > 0) {
    li.classList.add('jump');
    li.title = `line ${number} of the script`;
    li.addEventListener('click', () => pickLine(number));
  }
  return li;
}

function duration(ms) {
  return ms >= 60000 ? `${Math.round(ms / 60000)} min` : ms >= 1000 ? `${(ms / 1000).toFixed(1)} s` : `${ms} ms`;
}
function showEvents(events, nowMs) {
  const due = (e) => `, next in ${duration(Math.max(0, e.dueAtMs - nowMs))}`;
  const panel = $('#events');
  const items = [];
  for (const e of events?.interval ?? []) {
    items.push(`${e.label}: ${e.every}` + (e.dueAtMs !== undefined ? due(e) : ''));
  }
  for (const e of events?.clock ?? []) {
    items.push(`${e.label}: at ${e.at}` + (e.armed ? due(e) : ' (done this minute)'));
  }
  for (const e of events?.date ?? []) items.push(`${e.label}: ${e.at}` + (e.armed ? '' : ' (done)'));
  const list = element('ul');
  list.append(...items.map((text) => element('li', text)));
  panel.replaceChildren(items.length ? list : element('span', 'none', 'dim'));
}

function showWakes(wakes) {
  const rows = (wakes?.timers ?? []).map((t) => [t.name, t.ticks]);
  if (wakes) rows.push(['input messages', wakes.input], ['posted messages', wakes.posted]);
  $('#wakes').replaceChildren(...rows.map(([name, count]) => {
    const row = element('tr');
    row.append(element('td', name), element('td', String(count)));
    return row;
  }));
}

function showState(state) {
  seen.state = state;
  stateAt = performance.now();
  $('#folder').textContent = state.folder;
  $('#status').textContent = state.status === 'running' ? (state.paused ? 'paused' : '') : state.status;
  $('#status').className = state.status;
  $('#pause').textContent = state.paused ? 'Run' : 'Pause';
  $('#step').disabled = !state.paused;
  $('#keep-flags').checked = state.keepFlags;
  for (const button of document.querySelectorAll('.speeds button')) {
    button.classList.toggle('chosen', Number(button.dataset.speed) === state.speed);
  }
  showFlags(state.flags);
  showSpeech(state.speech);
  showRunning(state.running);
  loadScript(state.starts);
  showRunningLine(state.running);
  showEvents(state.events, state.ms);
  eventsShownAt = performance.now();
  showWakes(state.wakes);
  showSounding(state);
}

function showList(selector, lines, className) {
  $(selector).replaceChildren(...lines.map((line) => element('li', line, className)));
}
function showLint(report) {
  const inScript = (f) => /^tk_srt\.txt$/i.test(f.file) ? f.line : 0;
  const lines = [
    ...report.problems.map((text) => element('li', text, 'problem')),
    ...report.warnings.map((text) => element('li', text)),
    ...report.findings.map((f) => jumpItem(`${f.file}:${f.line}: ${f.message}`, inScript(f))),
  ];
  $('#lint').replaceChildren(...(lines.length ? lines : [element('li', 'encoded; lint found nothing', 'dim')]));
}
function showBoxes(boxes) {
  showList('#boxes', boxes.map((b) =>
    `[${b.atMs} ms] ${b.caption}: ${b.text}` + (b.gloss ? ` (${b.gloss})` : '')));
}

// --- the event stream ------------------------------------------------------------------
const stream = new EventSource('/events');
const handlers = {
  frame: onFrame,
  state: showState,
  menu: showMenu,
  box: showBox,
  boxes: showBoxes,
  // The log counts lines from 0: "Line(41)" is the script's line 42.
  errors: (lines) => $('#errors').replaceChildren(...lines.map((line) => {
    const found = line.match(/Line\((\d+)\)/);
    return jumpItem(line, found ? Number(found[1]) + 1 : 0);
  })),
  lint: showLint,
  sound: onSound,
};
for (const [name, handle] of Object.entries(handlers)) {
  stream.addEventListener(name, (event) => handle(JSON.parse(event.data)));
}
