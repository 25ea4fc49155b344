// tkc preview in a real browser: Debian's Chromium, driven by Playwright,
// works a test character the way an author would.
//
// Environment: TK_TKC (the tkc to run), TK_STAGE_DIR (the sample's staged
// pictures), TK_BROWSER_WORK (a folder for the character and the browser's
// profile), TK_PREVIEW_SCREENSHOT (where the workbench's screenshot goes;
// default: the work folder).
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { spawn } from 'node:child_process';
import fs from 'node:fs';
import http from 'node:http';
import path from 'node:path';

// Installed by scripts/install-deps.sh (npm ci in tests/browser).
const { chromium } = await import('playwright-core').catch((error) => {
  throw new Error(`playwright-core is missing: run scripts/install-deps.sh (${error.message})`);
});

const tkc = process.env.TK_TKC;
const stage = process.env.TK_STAGE_DIR;
const work = process.env.TK_BROWSER_WORK;
const chromiumPath = '/usr/bin/chromium';
const timeout = 20000;  // each wait; the sanitized build starts slowly

const script = (greeting) => `*TKScriptFile
_BeginInitFlags:
int:Pats,0;
int:Cheers,0;
str:Mood,calm;
_EndInitFlags:

_FirstAction:
>IDS=body.bmp,body;
>IDS=balloon.bmp,balloon;
>IDP=body;
>ACS=face.sgd,face,3,50,66,100;
>MLS=12,12,138,64;
>PMS=&Cheer,Cheer;
>PMS=&Oops,Oops;
>PMS=&Sing,Sing;
>JMP=Greet;

Greet:
>CIP=balloon,130,-70;
>MSP=Greeting;
>AE;

Greeting:
${greeting}@E

Head:
>FV+=Pats,1;
>FVS=Mood,happy;
>ACE=face,1;
>AE;

Cheer:
>FV+=Cheers,1;
>MSC;
>MSP=CheerText;
>AE;

CheerText:
Hooray!@E

Oops:
>Nope;
>AE;

Sing:
>AWP=1,hello.wav;
>AE;
`.replace(/\n/g, '\r\n');

function makeCharacter() {
  fs.rmSync(work, { recursive: true, force: true, maxRetries: 5 });
  const dir = path.join(work, 'character');
  fs.mkdirSync(dir, { recursive: true });
  for (const name of ['body.bmp', 'balloon.bmp', 'face.sgd', 'hello.wav']) {
    fs.copyFileSync(path.join(stage, name), path.join(dir, name));
  }
  fs.writeFileSync(path.join(dir, 'tk_srt.txt'), script('Hello there!'));
  fs.writeFileSync(path.join(dir, 'tk_map.txt'), '*TKClickableMapFile\r\n>14,18,146,132,CSHAND,Head;\r\n');
  return dir;
}

// Starts tkc preview and resolves with its address once it prints it.
function startPreview(dir) {
  const child = spawn(tkc, ['preview', dir, '--no-browser'], { stdio: ['ignore', 'pipe', 'inherit'] });
  let output = '';
  const url = new Promise((resolve, reject) => {
    const timer = setTimeout(() => reject(new Error(`no address printed: ${output}`)), timeout);
    child.stdout.on('data', (chunk) => {
      output += chunk;
      const found = output.match(/http:\/\/127\.0\.0\.1:\d+\//);
      if (found) {
        clearTimeout(timer);
        resolve(found[0]);
      }
    });
    child.on('exit', (code) => reject(new Error(`tkc preview ended (${code}): ${output}`)));
  });
  const ended = new Promise((resolve) => child.on('exit', (code) => resolve({ code, output })));
  return { child, url, ended };
}

// A raw request, so that any Host and Origin can be sent.
function request(url, { method = 'GET', headers = {}, body } = {}) {
  return new Promise((resolve, reject) => {
    const r = http.request(url, { method, headers }, (response) => {
      response.resume();
      response.destroy();
      resolve(response.statusCode);
    });
    r.on('error', reject);
    r.end(body);
  });
}

const state = (page) => page.evaluate(() => window.tkPreview.state);
const mainWindow = async (page) => (await state(page)).windows.find((w) => w.kind === 'main');

// Page coordinates of a pixel of the simulated screen.
async function onScreen(page, x, y) {
  const box = await page.locator('#screen').boundingBox();
  const [width, height] = await page.evaluate(() => {
    const canvas = document.querySelector('#screen');
    return [canvas.width, canvas.height];
  });
  return { x: box.x + (x + 0.5) * box.width / width, y: box.y + (y + 0.5) * box.height / height };
}

// A sum of the pixels in a rectangle of the screen as drawn on the page.
const pixels = (page, r) => page.evaluate(([x, y, w, h]) => {
  const data = document.querySelector('#screen').getContext('2d').getImageData(x, y, w, h).data;
  let sum = 0;
  for (let i = 0; i < data.length; i += 4) sum = (sum * 31 + data[i] + 7 * data[i + 1] + 13 * data[i + 2]) % 1e9;
  return sum;
}, [r.x, r.y, r.w, r.h]);

const flagValue = (page, name) => page.locator(`#flags tr[data-flag="${name}"] input`);

test('an author works a character in tkc preview', { timeout: 180000 }, async (t) => {
  assert.ok(tkc && stage && work, 'TK_TKC, TK_STAGE_DIR and TK_BROWSER_WORK must be set');
  assert.ok(fs.existsSync(chromiumPath), `${chromiumPath} is missing: run scripts/install-deps.sh`);
  const dir = makeCharacter();
  const preview = startPreview(dir);
  const url = await preview.url;
  const context = await chromium.launchPersistentContext(fs.mkdtempSync(path.join(work, 'profile-')), {
    executablePath: chromiumPath,
    headless: true,
    viewport: { width: 1400, height: 860 },
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync'],
  });
  try {
    const page = context.pages()[0] ?? await context.newPage();
    page.setDefaultTimeout(timeout);
    await page.goto(url);

    await t.test('the character is drawn', async () => {
      await page.locator('#speech').getByText('Hello there!').waitFor();
      // The greeting's action ends (until then a click would start nothing),
      // and with it the start-up, which places the window.
      await page.locator('#running').getByText('no action runs').waitFor();
      const main = await mainWindow(page);
      assert.ok(main.visible);
      await page.waitForFunction(([x, y]) => {
        const [r, g, b] = document.querySelector('#screen').getContext('2d').getImageData(x, y, 1, 1).data;
        return !(r === 0x30 && g === 0x60 && b === 0x80);  // not the bare desktop
      }, [main.left + 80, main.top + 100]);
    });

    await t.test('a click on the head shows the reaction and the flag changes', async () => {
      const main = await mainWindow(page);
      const face = { x: main.left + 40, y: main.top + 50, w: 80, h: 80 };
      const before = await pixels(page, face);
      const head = await onScreen(page, main.left + 80, main.top + 40);
      await page.mouse.click(head.x, head.y);
      await assertEventually(async () => assert.equal(await flagValue(page, 'Pats').inputValue(), '1'));
      assert.equal(await flagValue(page, 'Mood').inputValue(), 'happy');
      await assertEventually(async () => assert.notEqual(await pixels(page, face), before));
    });

    await t.test('a script item of the popup menu is chosen in the page', async () => {
      const main = await mainWindow(page);
      const body = await onScreen(page, main.left + 80, main.top + 170);
      await page.mouse.click(body.x, body.y, { button: 'right' });
      await page.locator('#menu li[data-caption="Cheer"]').click();
      await page.locator('#speech').getByText('Hooray!').waitFor();
      await assertEventually(async () => assert.equal(await flagValue(page, 'Cheers').inputValue(), '1'));
      assert.equal(await page.locator('#menu').isHidden(), true);
      await page.locator('#running').getByText('no action runs').waitFor();
    });

    await t.test('a box is shown and answered in the page, and the error logged', async () => {
      const main = await mainWindow(page);
      const body = await onScreen(page, main.left + 80, main.top + 170);
      await page.mouse.click(body.x, body.y, { button: 'right' });
      await page.locator('#menu li[data-caption="Oops"]').click();
      const box = page.locator('#box');
      await box.getByText('Command error.').waitFor();  // the English beside the Japanese
      await box.getByRole('button', { name: 'OK' }).click();
      await box.waitFor({ state: 'hidden' });
      await page.locator('#boxes').getByText('(Command error.)').waitFor();
      await page.locator('#errors').getByText('LabelName[Oops:] >Nope;').click();
      await page.locator('#script li.picked').getByText('>Nope;').waitFor();  // its script line
      await page.locator('#running').getByText('no action runs').waitFor();
    });

    await t.test('a wave file plays in the page', async () => {
      const main = await mainWindow(page);
      const body = await onScreen(page, main.left + 80, main.top + 170);
      const fetched = page.waitForResponse((r) => new URL(r.url()).pathname === '/files/hello.wav');
      await page.mouse.click(body.x, body.y, { button: 'right' });
      await page.locator('#menu li[data-caption="Sing"]').click();
      assert.equal((await fetched).status() < 300, true);
      await page.locator('#sounds').getByText('wave: hello.wav').waitFor();
      await page.locator('#sounding').getByText('silent').waitFor();  // it ends
    });

    await t.test('an idle character sends no frames', async () => {
      await page.waitForTimeout(1000);
      const frames = await page.evaluate(() => window.tkPreview.frames);
      await page.waitForTimeout(1500);
      assert.equal(await page.evaluate(() => window.tkPreview.frames), frames);
    });

    await t.test('pause holds virtual time and a step moves it on', async () => {
      await page.locator('#pause').click();
      await page.waitForFunction(() => window.tkPreview.state.paused);
      const held = (await state(page)).ms;
      await page.waitForTimeout(500);
      assert.equal(JSON.parse(await (await page.request.get(url + 'api/state')).text()).ms, held);
      await page.locator('#step').click();
      await page.waitForFunction((ms) => window.tkPreview.state.ms > ms, held);
      await page.locator('#pause').click();
      await page.waitForFunction(() => !window.tkPreview.state.paused);
    });

    await t.test('an edit of the script on disk restarts the character with it', async () => {
      fs.writeFileSync(path.join(dir, 'tk_srt.txt'), script('Welcome back!'));
      await page.locator('#speech').getByText('Welcome back!').waitFor();
      assert.equal(await flagValue(page, 'Pats').inputValue(), '0');  // flags start afresh
      const line = script('').split('\r\n').indexOf('>Nope;') + 1;
      await page.locator('#lint').getByText(`tk_srt.txt:${line}: unknown command >Nope`).waitFor();
    });

    await t.test('flags are edited in the panel and kept over a restart when asked', async () => {
      await page.locator('#running').getByText('no action runs').waitFor();
      await flagValue(page, 'Cheers').fill('7');
      await flagValue(page, 'Cheers').press('Enter');
      await page.waitForFunction(() =>
        window.tkPreview.state.flags.ints.find((f) => f.name === 'Cheers').value === 7);
      await page.locator('#keep-flags').check();
      await page.waitForFunction(() => window.tkPreview.state.keepFlags);
      const starts = (await state(page)).starts;
      await page.locator('#restart').click();
      await page.waitForFunction((n) => window.tkPreview.state.starts > n &&
        window.tkPreview.state.status === 'running', starts);
      await page.locator('#running').getByText('no action runs').waitFor();
      assert.equal(await flagValue(page, 'Cheers').inputValue(), '7');
    });

    await t.test('requests from other pages are refused', async () => {
      const port = new URL(url).port;
      const control = { method: 'POST', body: '{"pause":true}' };
      assert.equal(await request(url + 'api/control', { ...control, headers: { Origin: 'http://evil.example' } }), 403);
      assert.equal(await request(url + 'events', { headers: { Origin: 'http://evil.example' } }), 403);
      assert.equal(await request(url + 'api/state', { headers: { Host: `evil.example:${port}` } }), 403);
      assert.equal(await request(url + 'files/..%2F..%2Fetc%2Fpasswd'), 404);
      assert.equal(await request(url + 'files/body.bmp'), 200);
      assert.equal(await request(url + 'api/state', { headers: { Origin: `http://localhost:${port}` } }), 200);
      assert.equal((await state(page)).paused, false);
    });

    // The workbench with the character's menu open, for the README.
    const main = await mainWindow(page);
    const body = await onScreen(page, main.left + 80, main.top + 170);
    await page.mouse.click(body.x, body.y, { button: 'right' });
    await page.locator('#menu li[data-caption="Cheer"]').waitFor();
    await page.locator('#menu li[data-caption="Cheer"]').hover();
    const shot = process.env.TK_PREVIEW_SCREENSHOT || path.join(work, 'workbench.png');
    await page.screenshot({ path: shot });
    await page.keyboard.press('Escape');
    await page.locator('#menu').waitFor({ state: 'hidden' });
  } finally {
    await context.close();
    preview.child.kill('SIGINT');
  }
  const { code, output } = await preview.ended;
  assert.equal(code, 0, output);
  assert.match(output, /tkc preview: ended/);
});

// Retries an assertion until it holds or the wait is over.
async function assertEventually(check) {
  const end = Date.now() + timeout;
  for (;;) {
    try {
      return await check();
    } catch (error) {
      if (Date.now() > end) throw error;
      await new Promise((resolve) => setTimeout(resolve, 100));
    }
  }
}
