#!/usr/bin/python3
"""A picture of the page for web browsers as headless Chromium shows it
once the first frame is drawn: page_screenshot.py PAGE OUT.png [WIDTH HEIGHT]."""

import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from chromium import browser  # noqa: E402

page, out = os.path.abspath(sys.argv[1]), sys.argv[2]
width, height = (int(sys.argv[3]), int(sys.argv[4])) if len(sys.argv) > 4 else (1100, 640)
driver = browser(width, height)
try:
    driver.get("file://" + page)
    end = time.monotonic() + 30
    while "light position" not in driver.find_element("id", "console").text:
        if time.monotonic() > end:
            sys.exit("page_screenshot.py: the viewer never started")
        time.sleep(0.1)
    # The first frame follows the usage lines within an animation frame.
    driver.execute_async_script("requestAnimationFrame(() => requestAnimationFrame(arguments[0]))")
    driver.save_screenshot(out)
finally:
    driver.quit()
