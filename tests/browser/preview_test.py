#!/usr/bin/env python3
"""tkc preview in a real browser: Debian's Chromium, driven through
chromedriver by Selenium, works a test character the way an author would.

Environment: TK_TKC (the tkc to run), TK_STAGE_DIR (the sample's staged
pictures), TK_BROWSER_WORK (a folder for the character and the browser's
profile), TK_PREVIEW_SCREENSHOT (where the workbench's screenshot goes;
default: the work folder).

The steps share one character and one page and run in the order of their
names, each starting where the one before left the character.
"""
import http.client
import json
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time
import unittest
import urllib.parse

try:  # Debian's python3-selenium, installed by scripts/install-deps.sh
    from selenium import webdriver
    from selenium.common.exceptions import WebDriverException
    from selenium.webdriver.chrome.service import Service
    from selenium.webdriver.common.action_chains import ActionChains
    from selenium.webdriver.common.actions.action_builder import ActionBuilder
    from selenium.webdriver.common.actions.mouse_button import MouseButton
    from selenium.webdriver.common.by import By
    from selenium.webdriver.common.keys import Keys
except ImportError as missing:
    sys.exit(f'selenium is missing: run scripts/install-deps.sh ({missing})')

TKC = os.environ.get('TK_TKC')
STAGE = os.environ.get('TK_STAGE_DIR')
WORK = os.environ.get('TK_BROWSER_WORK')
CHROMIUM = '/usr/bin/chromium'
CHROMEDRIVER = '/usr/bin/chromedriver'
TIMEOUT = 20  # seconds, each wait; the sanitized build starts slowly
VIEWPORT = (1400, 860)


def script(greeting):
    return f'''*TKScriptFile
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
{greeting}@E

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
'''.replace('\n', '\r\n')


def make_character():
    shutil.rmtree(WORK, ignore_errors=True)
    folder = os.path.join(WORK, 'character')
    os.makedirs(folder)
    for name in ('body.bmp', 'balloon.bmp', 'face.sgd', 'hello.wav'):
        shutil.copy(os.path.join(STAGE, name), folder)
    write(os.path.join(folder, 'tk_srt.txt'), script('Hello there!'))
    write(os.path.join(folder, 'tk_map.txt'),
          '*TKClickableMapFile\r\n>14,18,146,132,CSHAND,Head;\r\n')
    return folder


def write(path, text):
    with open(path, 'w', encoding='ascii', newline='') as file:
        file.write(text)


def wait_for(condition, what, timeout=TIMEOUT):
    """Polls until condition() gives something true and returns it. An
    AssertionError or a page that is between states counts as not yet."""
    end = time.monotonic() + timeout
    last = None
    while True:
        try:
            value = condition()
            if value:
                return value
        except (AssertionError, WebDriverException) as error:
            last = error
        if time.monotonic() > end:
            raise AssertionError(f'waited {timeout} s for {what}' + (f': {last}' if last else ''))
        time.sleep(0.1)


def eventually(check, what):
    """Retries a check made of assertions until it passes."""
    wait_for(lambda: check() or True, what)


class Preview:
    """tkc preview as a child process, its output collected as it comes."""

    def __init__(self, folder):
        self.process = subprocess.Popen([TKC, 'preview', folder, '--no-browser'],
                                        stdin=subprocess.DEVNULL, stdout=subprocess.PIPE)
        self._output = []
        self._reader = threading.Thread(target=self._read, daemon=True)
        self._reader.start()

    def _read(self):
        for chunk in iter(lambda: self.process.stdout.read1(4096), b''):
            self._output.append(chunk.decode(errors='replace'))

    def output(self):
        return ''.join(self._output)

    def address(self):
        def printed():
            if self.process.poll() is not None:
                raise RuntimeError(
                    f'tkc preview ended ({self.process.returncode}): {self.output()}')
            return re.search(r'http://127\.0\.0\.1:\d+/', self.output())
        return wait_for(printed, 'the address tkc preview prints').group(0)

    def interrupt(self):
        """Ctrl-C, as an author ends it; gives the exit code and all output."""
        self.process.send_signal(signal.SIGINT)
        code = self.process.wait(TIMEOUT)
        self._reader.join(TIMEOUT)
        return code, self.output()


def request(url, path, method='GET', headers=None, body=None):
    """A raw request, so that any Host and Origin can be sent; gives the status."""
    address = urllib.parse.urlsplit(url)
    connection = http.client.HTTPConnection(address.hostname, address.port, timeout=TIMEOUT)
    try:
        connection.request(method, path, body=body, headers=headers or {})
        response = connection.getresponse()
        return response.status, response.read()
    finally:
        connection.close()


def start_browser():
    options = webdriver.ChromeOptions()
    options.binary_location = CHROMIUM
    for argument in ('--headless=new', '--no-sandbox', '--disable-gpu', '--disable-quic',
                     '--no-first-run', '--disable-background-networking',
                     '--disable-component-update', '--disable-sync',
                     # the README's picture, without the scroll bars of the
                     # panels' page and the script
                     '--hide-scrollbars',
                     f'--window-size={VIEWPORT[0]},{VIEWPORT[1]}',
                     '--user-data-dir=' + tempfile.mkdtemp(prefix='profile-', dir=WORK)):
        options.add_argument(argument)
    # The network log is how the test sees what the page fetched.
    options.set_capability('goog:loggingPrefs', {'performance': 'ALL'})
    service = Service(CHROMEDRIVER, log_path=os.path.join(WORK, 'chromedriver.log'))
    driver = webdriver.Chrome(service=service, options=options)
    # The window's frame would take its share of --window-size; the page
    # gets exactly this, as the README's picture has it.
    driver.execute_cdp_cmd('Emulation.setDeviceMetricsOverride', {
        'width': VIEWPORT[0], 'height': VIEWPORT[1], 'deviceScaleFactor': 1, 'mobile': False})
    return driver


class Workbench:
    """The preview's page, as the steps see and drive it."""

    def __init__(self, driver):
        self.driver = driver

    def js(self, code, *arguments):
        return self.driver.execute_script(code, *arguments)

    def state(self):
        return self.js('return window.tkPreview.state')

    def main_window(self):
        return next(w for w in self.state()['windows'] if w['kind'] == 'main')

    def wait_state(self, condition, what):
        """Waits for a state that meets condition and gives it."""
        def met():
            state = self.state()
            return state if state and condition(state) else None
        return wait_for(met, what)

    def find(self, selector, text=''):
        """The first shown element under selector whose text holds text."""
        return self.js('''
          const [selector, text] = arguments;
          return [...document.querySelectorAll(selector)].find((e) =>
            e.textContent.includes(text) && e.getClientRects().length > 0) ?? null;''',
                       selector, text)

    def wait_text(self, selector, text):
        return wait_for(lambda: self.find(selector, text), f'"{text}" in {selector}')

    def wait_hidden(self, selector):
        wait_for(lambda: self.js('return document.querySelector(arguments[0]).hidden', selector),
                 f'{selector} to hide')

    def click(self, selector, text=''):
        self.wait_text(selector, text).click()

    def flag(self, name):
        return self.js('return document.querySelector('
                       '`#flags tr[data-flag="${arguments[0]}"] input`)?.value', name)

    @staticmethod
    def int_flag(state, name):
        return next(f['value'] for f in state['flags']['ints'] if f['name'] == name)

    def on_screen(self, x, y):
        """Page coordinates of a pixel of the simulated screen."""
        return self.js('''
          const canvas = document.querySelector('#screen');
          const box = canvas.getBoundingClientRect();
          return [box.x + (arguments[0] + 0.5) * box.width / canvas.width,
                  box.y + (arguments[1] + 0.5) * box.height / canvas.height];''', x, y)

    def click_screen(self, x, y, button=MouseButton.LEFT):
        actions = ActionBuilder(self.driver)
        actions.pointer_action.move_to_location(*self.on_screen(x, y))
        actions.pointer_action.click(button=button)
        actions.perform()

    def menu(self):
        """Opens the character's popup menu, as a right-click on its body does."""
        main = self.main_window()
        self.click_screen(main['left'] + 80, main['top'] + 170, MouseButton.RIGHT)

    def pixels(self, x, y, w, h):
        """A sum of the pixels in a rectangle of the screen as drawn on the page."""
        return self.js('''
          const data = document.querySelector('#screen').getContext('2d')
            .getImageData(...arguments).data;
          let sum = 0;
          for (let i = 0; i < data.length; i += 4)
            sum = (sum * 31 + data[i] + 7 * data[i + 1] + 13 * data[i + 2]) % 1e9;
          return sum;''', x, y, w, h)

    def responses(self):
        """Status and path of each response the page got since last asked."""
        for entry in self.driver.get_log('performance'):
            message = json.loads(entry['message'])['message']
            if message['method'] == 'Network.responseReceived':
                response = message['params']['response']
                yield urllib.parse.urlsplit(response['url']).path, response['status']


class AuthorWorksCharacter(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        assert TKC and STAGE and WORK, 'TK_TKC, TK_STAGE_DIR and TK_BROWSER_WORK must be set'
        for program in (CHROMIUM, CHROMEDRIVER):
            assert os.path.exists(program), f'{program} is missing: run scripts/install-deps.sh'
        cls.folder = make_character()
        cls.preview = Preview(cls.folder)
        cls.driver = None
        try:
            cls.url = cls.preview.address()
            cls.driver = start_browser()
            cls.driver.get(cls.url)
        except BaseException:
            cls.tearDownClass()
            raise
        cls.page = Workbench(cls.driver)

    @classmethod
    def tearDownClass(cls):
        if cls.driver:
            cls.driver.quit()
            cls.driver = None
        if cls.preview.process.poll() is None:
            cls.preview.process.kill()
            cls.preview.process.wait()

    def test_01_the_character_is_drawn(self):
        page = self.page
        page.wait_text('#speech', 'Hello there!')
        # The greeting's action ends (until then a click would start nothing),
        # and with it the start-up, which places the window.
        page.wait_text('#running', 'no action runs')
        main = page.main_window()
        self.assertTrue(main['visible'])
        drawn = '''
          const [r, g, b] = document.querySelector('#screen').getContext('2d')
            .getImageData(arguments[0], arguments[1], 1, 1).data;
          return !(r === 0x30 && g === 0x60 && b === 0x80);  // not the bare desktop'''
        wait_for(lambda: page.js(drawn, main['left'] + 80, main['top'] + 100),
                 'the character on the screen')

    def test_02_a_click_on_the_head_shows_the_reaction_and_the_flag_changes(self):
        page = self.page
        main = page.main_window()
        face = (main['left'] + 40, main['top'] + 50, 80, 80)
        before = page.pixels(*face)
        page.click_screen(main['left'] + 80, main['top'] + 40)
        eventually(lambda: self.assertEqual(page.flag('Pats'), '1'), 'Pats to count the click')
        self.assertEqual(page.flag('Mood'), 'happy')
        eventually(lambda: self.assertNotEqual(page.pixels(*face), before), 'the face to change')

    def test_03_a_script_item_of_the_popup_menu_is_chosen_in_the_page(self):
        page = self.page
        page.menu()
        page.click('#menu li[data-caption="Cheer"]')
        page.wait_text('#speech', 'Hooray!')
        eventually(lambda: self.assertEqual(page.flag('Cheers'), '1'), 'Cheers to count')
        page.wait_hidden('#menu')
        page.wait_text('#running', 'no action runs')

    def test_04_a_box_is_shown_and_answered_in_the_page_and_the_error_logged(self):
        page = self.page
        page.menu()
        page.click('#menu li[data-caption="Oops"]')
        page.wait_text('#box .gloss', 'Command error.')  # the English beside the Japanese
        page.click('#box button', 'OK')
        page.wait_hidden('#box')
        page.wait_text('#boxes li', '(Command error.)')
        page.click('#errors li', 'LabelName[Oops:] >Nope;')
        page.wait_text('#script li.picked', '>Nope;')  # its script line
        page.wait_text('#running', 'no action runs')

    def test_05_a_wave_file_plays_in_the_page(self):
        page = self.page
        list(page.responses())  # only what comes after the menu counts
        page.menu()
        page.click('#menu li[data-caption="Sing"]')
        seen = []
        wave = lambda: next((s for p, s in seen if p == '/files/hello.wav'), None)
        wait_for(lambda: seen.extend(page.responses()) or wave(), 'the page to fetch hello.wav')
        self.assertLess(wave(), 300)
        page.wait_text('#sounds li', 'wave: hello.wav')
        page.wait_text('#sounding', 'silent')  # it ends

    def test_06_an_idle_character_sends_no_frames(self):
        page = self.page
        frames = lambda: page.js('return window.tkPreview.frames')
        page.wait_text('#running', 'no action runs')

        def settled():  # what the last action drew may still be on its way
            before = frames()
            time.sleep(1)
            return frames() == before
        wait_for(settled, 'the frames to stop')
        before = frames()
        time.sleep(1.5)
        self.assertEqual(frames(), before)

    def test_07_pause_holds_virtual_time_and_a_step_moves_it_on(self):
        page = self.page
        page.click('#pause')
        held = page.wait_state(lambda s: s['paused'], 'the pause')['ms']
        time.sleep(0.5)
        status, body = request(self.url, '/api/state')
        self.assertEqual(status, 200)
        self.assertEqual(json.loads(body)['ms'], held)
        page.click('#step')
        page.wait_state(lambda s: s['ms'] > held, 'a step')
        page.click('#pause')
        page.wait_state(lambda s: not s['paused'], 'time to run again')

    def test_08_an_edit_of_the_script_on_disk_restarts_the_character_with_it(self):
        page = self.page
        write(os.path.join(self.folder, 'tk_srt.txt'), script('Welcome back!'))
        page.wait_text('#speech', 'Welcome back!')
        self.assertEqual(page.flag('Pats'), '0')  # flags start afresh
        line = script('').split('\r\n').index('>Nope;') + 1
        page.wait_text('#lint li', f'tk_srt.txt:{line}: unknown command >Nope')

    def test_09_flags_are_edited_in_the_panel_and_kept_over_a_restart_when_asked(self):
        page = self.page
        page.wait_text('#running', 'no action runs')
        cheers = page.driver.find_element(By.CSS_SELECTOR, '#flags tr[data-flag="Cheers"] input')
        cheers.send_keys(Keys.CONTROL, 'a')
        cheers.send_keys('7', Keys.ENTER)
        page.wait_state(lambda s: page.int_flag(s, 'Cheers') == 7, 'Cheers to be 7')
        keep = page.driver.find_element(By.ID, 'keep-flags')
        if not keep.is_selected():
            keep.click()
        starts = page.wait_state(lambda s: s['keepFlags'], 'keep flags to be on')['starts']
        page.click('#restart')
        page.wait_state(lambda s: s['starts'] > starts and s['status'] == 'running', 'the restart')
        page.wait_text('#running', 'no action runs')
        self.assertEqual(page.int_flag(page.state(), 'Cheers'), 7)
        self.assertEqual(page.flag('Cheers'), '7')

    def test_10_requests_from_other_pages_are_refused(self):
        port = urllib.parse.urlsplit(self.url).port
        evil = {'Origin': 'http://evil.example'}
        for path, method, headers, status in (
                ('/api/control', 'POST', evil, 403),
                ('/events', 'GET', evil, 403),
                ('/api/state', 'GET', {'Host': f'evil.example:{port}'}, 403),
                ('/files/..%2F..%2Fetc%2Fpasswd', 'GET', {}, 404),
                ('/files/body.bmp', 'GET', {}, 200),
                ('/api/state', 'GET', {'Origin': f'http://localhost:{port}'}, 200)):
            with self.subTest(path=path, headers=headers):
                body = '{"pause":true}' if method == 'POST' else None
                self.assertEqual(request(self.url, path, method, headers, body)[0], status)
        self.assertFalse(self.page.state()['paused'])

    def test_11_the_workbench_is_pictured_with_the_menu_open(self):
        # For the README.
        page = self.page
        page.menu()
        item = page.wait_text('#menu li[data-caption="Cheer"]', '')
        ActionChains(page.driver).move_to_element(item).perform()
        shot = os.environ.get('TK_PREVIEW_SCREENSHOT') or os.path.join(WORK, 'workbench.png')
        self.assertTrue(page.driver.save_screenshot(shot), shot)
        ActionChains(page.driver).send_keys(Keys.ESCAPE).perform()
        page.wait_hidden('#menu')

    def test_12_ctrl_c_ends_tkc_preview(self):
        type(self).driver.quit()
        type(self).driver = None
        code, output = self.preview.interrupt()
        self.assertEqual(code, 0, output)
        self.assertIn('tkc preview: ended', output)


if __name__ == '__main__':
    unittest.main(verbosity=2)
