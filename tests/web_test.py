#!/usr/bin/python3
"""The browser page as a user meets it: opened from disk in a real Chromium,
driven by real key presses, pointer drags, the page's buttons and its file
chooser, every frame it settles on held against the same reviewed baselines
as the desktop program's under the browser's own tolerance, and what its
console says checked. scripts/check-web.sh runs it; the environment names
the page, the baselines, the frame checker and the texture files."""

import base64
import os
import subprocess
import sys
import time
import unittest

from selenium.common.exceptions import StaleElementReferenceException
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.actions.action_builder import ActionBuilder
from selenium.webdriver.common.actions.interaction import POINTER_TOUCH
from selenium.webdriver.common.actions.pointer_input import PointerInput
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tools"))
from chromium import browser  # noqa: E402

PAGE = os.environ["MARBLECHESS_PAGE"]
BASELINES = os.environ["MARBLECHESS_BASELINES"]
CHECK = os.environ["MARBLECHESS_FRAME_CHECK"]
FILES = os.environ["MARBLECHESS_TEXTURES"]  # web_test_files' folder
FRAMES = os.environ["MARBLECHESS_FRAMES"]  # where frames that did not match are kept
MARBLE = os.environ["MARBLECHESS_MARBLE"]
FRAME_SECONDS = 20  # a frame that matches ends the wait at once

USAGE = ("Use x/y/z/X/Y/Z-keys to rotate.\n"
         "Move mouse while pressing button to change light position.\n")
REFUSED = USAGE + "Bpp from marmor.bmp is not 24: 8\n"
ENDED = "The viewer has ended with status 0.\n"
TOP_VIEW = "key --repeat 10 x key y"  # rotX and rotY from -50 and -5 to 0

# Each row: its name, the files chosen on the page before the steps (none:
# the bundled marble), the steps, each some input, the baseline the canvas
# must come to show (or none) and what the console must come to say (or
# none), and what the console says last, before ESC ends the viewer. A
# step whose frame would equal the one before ends with a key that turns
# the scene, so its frame shows that everything before it was handled.
# Inputs are written as for xdotool, with "choose FILE", "drop FILE",
# "button KEY" (the page's turning buttons), "narrow WIDTH" (the browser
# window that wide), "again" (the start-again button) and "touch X Y X Y"
# (a finger drawn across the canvas, in a browser that takes touches)
# besides.
SCENARIOS = [
    ("StartsWithTheBundledMarble", [], [("", "start-marble", None)], USAGE),
    ("TurnsOnXAndBack", ["palette.bmp"],
     [("", "start-plain", None), ("key x", "turned-x", None), ("key X", "start-plain", None)],
     REFUSED),
    ("TurnsOnYAndZ", ["palette.bmp"],
     [("key y", "turned-y", None), ("key Y z", "turned-z", None), ("key Z", "start-plain", None)],
     REFUSED),
    ("SeventyTwoPressesComeFullCircle", ["palette.bmp"],
     [("key --repeat 72 X key z", "turned-z", None)], REFUSED),
    ("KeysOutsideTheTableDoNothing", ["palette.bmp"],
     [("key a 5 space Left Up F1 Return z", "turned-z", None)], REFUSED),
    ("DragsTheLightToTwoCornersAndBack", ["palette.bmp"],
     [("mousemove 400 200 mousedown 1 mousemove 0 0", "light-top-left", None),
      ("mouseup 1 mousemove 500 500 mousedown 3 mousemove 599 599", "light-bottom-right", None),
      ("mousemove 400 200 mouseup 3", "start-plain", None),
      ("mousemove 0 0 key z", "turned-z", None)], REFUSED),
    ("ShowsThePiecesFromAbove", [], [(TOP_VIEW, "top-view", None)], USAGE),
    ("TurnsTheBoardOverToItsBottomFace", [], [("key --repeat 36 x", "turned-over", None)], USAGE),
    ("ShowsASmallTopDownTextureWithAnOddWidth", ["top-down-5x3.bmp"],
     [(TOP_VIEW, "top-view-texture-5x3", None)], USAGE),
    ("RefusesAPaletteTextureAndStartsPlain", ["palette.bmp"], [("", "start-plain", None)],
     REFUSED),
    ("TurnsWithThePagesButtons", ["palette.bmp"],
     [("button x button X button y button Y button z", "turned-z", None)], REFUSED),
    ("TakesADroppedFile", [], [("drop palette.bmp", "start-plain", REFUSED)], REFUSED),
    ("RefusesBadFilesAndTakesTheMarbleAgain", [],
     [("choose letter.txt key z", "turned-z", USAGE + "Planes from marmor.bmp is not 1: 29795\n"),
      ("choose cut-in-header.bmp key z", "turned-z",
       USAGE + "Planes from marmor.bmp is not 1: 65279\n"),
      ("choose four-gib.bmp key z", "turned-z",
       USAGE + "Size from marmor.bmp is too large: 21846 x 65536\n"),
      ("choose " + MARBLE, "start-marble", USAGE)], USAGE),
    ("EndsWithEscAndStartsAgain", [],
     [("key Escape", None, USAGE + ENDED), ("again", "start-marble", USAGE)], USAGE),
    ("DragsTheLightWithAFinger", ["palette.bmp"],
     [("touch 400 200 0 0", "light-top-left", None), ("touch 0 0 400 200", "start-plain", None)],
     REFUSED),
    ("MapsThePointerOnANarrowScreen", ["palette.bmp"],
     [("narrow 320 mousemove 400 200 mousedown 1 mousemove 0 0", "light-top-left", None),
      ("mousemove 400 200 mouseup 1 key z", "turned-z", None)], REFUSED),
]

KEY_NAMES = {"space": " ", "Left": Keys.LEFT, "Up": Keys.UP, "F1": Keys.F1,
             "Return": Keys.RETURN, "Escape": Keys.ESCAPE}
BUTTONS = {"1": 0, "3": 2}  # xdotool's left and right buttons

worst = {}  # each baseline's checker line, last seen


class Page:
    """The page in the browser, driven as a user would."""

    def __init__(self, driver):
        self.driver = driver

    def console(self):
        return self.driver.execute_script(
            "return document.getElementById('console').textContent")

    def canvas(self):
        return self.driver.find_element(By.ID, "canvas")

    def frame(self, path):
        url = self.driver.execute_script(
            "return document.getElementById('canvas').toDataURL('image/png')")
        with open(path, "wb") as out:
            out.write(base64.b64decode(url.split(",", 1)[1]))

    def wait(self, condition, seconds, what):
        end = time.monotonic() + seconds
        while not condition():
            if time.monotonic() > end:
                raise AssertionError("never " + what)
            time.sleep(0.05)

    def started(self):
        self.wait(lambda: self.console().startswith(USAGE), FRAME_SECONDS, "started")

    def restarted(self, canvas, what):
        """Waits for the page to start afresh: a new canvas, the usage printed."""
        def fresh():
            try:
                canvas.is_enabled()
                return False
            except StaleElementReferenceException:
                return self.console().startswith(USAGE)
        self.wait(fresh, FRAME_SECONDS, "restarted " + what)

    def choose(self, name):
        canvas = self.canvas()
        path = name if os.path.isabs(name) else os.path.join(FILES, name)
        self.driver.find_element(By.ID, "texture").send_keys(path)
        self.restarted(canvas, "with " + name)

    def drop(self, name):
        canvas = self.canvas()
        with open(os.path.join(FILES, name), "rb") as f:
            data = list(f.read())
        self.driver.execute_script("""
            const file = new File([new Uint8Array(arguments[0])], arguments[1]);
            const transfer = new DataTransfer();
            transfer.items.add(file);
            document.body.dispatchEvent(new DragEvent('drop', {dataTransfer: transfer, bubbles: true}));
        """, data, name)
        self.restarted(canvas, "with the dropped " + name)

    def point(self, x, y):
        """A place on the canvas in drawing-buffer pixels, as an offset from
        its centre in page pixels, however the page has scaled it."""
        rect = self.driver.execute_script(
            "const r = document.getElementById('canvas').getBoundingClientRect();"
            "return [r.width, r.height];")
        scale = rect[0] / 600.0
        return int((x - 300) * scale), int((y - 300) * scale)

    def send(self, words):
        actions = ActionChains(self.driver)
        i = 0
        pending = False
        while i < len(words):
            word = words[i]
            if word == "key":
                i += 1
                repeat = 1
                while words[i].startswith("--"):
                    if words[i] == "--repeat":
                        repeat = int(words[i + 1])
                    i += 2
                while i < len(words) and words[i] not in COMMANDS:
                    key = KEY_NAMES.get(words[i], words[i])
                    for _ in range(repeat):
                        actions.send_keys(key)
                    pending = True
                    i += 1
                continue
            if pending:
                actions.perform()
                actions = ActionChains(self.driver)
                pending = False
            if word == "mousemove":
                dx, dy = self.point(int(words[i + 1]), int(words[i + 2]))
                ActionChains(self.driver).move_to_element_with_offset(self.canvas(), dx, dy).perform()
                i += 3
            elif word in ("mousedown", "mouseup"):
                builder = ActionBuilder(self.driver)
                button = BUTTONS[words[i + 1]]
                if word == "mousedown":
                    builder.pointer_action.pointer_down(button)
                else:
                    builder.pointer_action.pointer_up(button)
                builder.perform()
                i += 2
            elif word == "button":
                self.driver.find_element(By.CSS_SELECTOR, f"#turn button[data-key='{words[i + 1]}']").click()
                i += 2
            elif word == "choose":
                self.choose(words[i + 1])
                i += 2
            elif word == "drop":
                self.drop(words[i + 1])
                i += 2
            elif word == "narrow":
                self.driver.set_window_size(int(words[i + 1]), 900)
                self.wait(lambda: self.point(600, 0)[0] < 300, FRAME_SECONDS, "narrowed")
                i += 2
            elif word == "touch":
                start = self.point(int(words[i + 1]), int(words[i + 2]))
                end = self.point(int(words[i + 3]), int(words[i + 4]))
                finger = ActionBuilder(self.driver, mouse=PointerInput(POINTER_TOUCH, "finger"))
                finger.pointer_action.move_to(self.canvas(), *start).pointer_down()
                finger.pointer_action.move_to(self.canvas(), *end).pointer_up()
                finger.perform()
                i += 5
            elif word == "again":
                canvas = self.canvas()
                self.driver.find_element(By.ID, "again").click()
                self.restarted(canvas, "again")
                i += 1
            else:
                raise ValueError("unknown input " + word)
        if pending:
            actions.perform()

    def shows(self, baseline, test_name):
        """Waits until the canvas shows the baseline within the tolerance."""
        expected = os.path.join(BASELINES, baseline + ".png")
        got = os.path.join(FRAMES, f"{test_name}-{baseline}-got.png")
        diff = os.path.join(FRAMES, f"{test_name}-{baseline}-diff.png")
        end = time.monotonic() + FRAME_SECONDS
        while True:
            self.frame(got)
            check = subprocess.run([CHECK, expected, got, diff], capture_output=True, text=True)
            if check.returncode == 2:
                raise AssertionError(check.stderr)
            if check.returncode == 0:
                worst[baseline] = check.stdout.strip()
                os.remove(got)
                if os.path.exists(diff):
                    os.remove(diff)
                return
            if time.monotonic() > end:
                raise AssertionError(f"the canvas never showed {baseline}: {check.stdout.strip()}; "
                                     f"frame {got}, difference {diff}")
            time.sleep(0.1)


COMMANDS = {"key", "mousemove", "mousedown", "mouseup", "button", "choose", "drop", "narrow",
            "again", "touch"}


class WebTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        os.makedirs(FRAMES, exist_ok=True)
        cls.driver = browser()

    @classmethod
    def tearDownClass(cls):
        cls.driver.quit()

    def run_scenario(self, files, steps, output):
        self.driver.set_window_size(1280, 900)
        # A page takes touches when the browser has them as it loads.
        touches = any(words.startswith("touch") for words, _, _ in steps)
        self.driver.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": touches})
        self.driver.get("file://" + PAGE)
        page = Page(self.driver)
        page.started()
        self.assertEqual(self.driver.title, "Quilan Vastre, 4180263")
        for name in files:
            page.choose(name)
        for words, baseline, said in steps:
            page.send(words.split())
            if said is not None:
                page.wait(lambda: page.console() == said, FRAME_SECONDS,
                          "said " + repr(said) + "; it says " + repr(page.console()))
            if baseline:
                page.shows(baseline, self.id().rsplit(".", 1)[-1])
        self.assertEqual(page.console(), output)
        page.send(["key", "Escape"])
        page.wait(lambda: page.console() == output + ENDED, FRAME_SECONDS,
                  "said the viewer ended; it says " + repr(page.console()))
        self.assertTrue(self.driver.find_element(By.ID, "again").is_displayed())


    def testSaysSoWithoutWebGL(self):
        driver = browser(extra=["--disable-webgl"])
        try:
            driver.get("file://" + PAGE)
            self.assertIn("it has no WebGL", driver.find_element(By.ID, "nogl").text)
            self.assertIn("it has no WebGL", Page(driver).console())
            self.assertEqual(driver.find_elements(By.ID, "canvas"), [])
        finally:
            driver.quit()


def scenario_test(files, steps, output):
    return lambda self: self.run_scenario(files, steps, output)


for name, files, steps, output in SCENARIOS:
    setattr(WebTest, "test" + name, scenario_test(files, steps, output))


if __name__ == "__main__":
    result = unittest.main(exit=False, verbosity=2).result
    for baseline in sorted(worst):
        print(f"{baseline}: {worst[baseline]}")
    run = result.testsRun
    failed = len(result.failures) + len(result.errors)
    print(f"web: {run - failed} passed, {failed} failed")
    sys.exit(0 if result.wasSuccessful() else 1)
