#!/usr/bin/python3
"""The page for web browsers in headless Chromium on SwiftShader: its size,
the time from the start of loading to its first frame, and one frame of the
whole scene: web_bench.py PAGE [LOADS] [FRAMES]. A frame is timed from a
key press to the frame read back, which waits for the renderer to finish;
it includes the wait for the browser's next animation frame, at most one
sixtieth of a second."""

import os
import statistics
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tools"))
from chromium import browser  # noqa: E402

# Resolves with the milliseconds since navigation began at which the canvas
# first shows the scene's grey background.
FIRST_FRAME = """
const done = arguments[arguments.length - 1];
const pixel = new Uint8Array(4);
function look() {
  const gl = document.getElementById('canvas').getContext('webgl');
  if (gl) {
    gl.readPixels(5, 5, 1, 1, gl.RGBA, gl.UNSIGNED_BYTE, pixel);
    if (pixel[0] === 102) return done(performance.now());
  }
  requestAnimationFrame(look);
}
look();
"""

# Resolves with the milliseconds each of N turns took, from the key press
# to its frame read back from the renderer.
FRAMES = """
const count = arguments[0], done = arguments[arguments.length - 1];
const gl = document.getElementById('canvas').getContext('webgl');
const pixel = new Uint8Array(4);
const times = [];
function press() {
  const event = new KeyboardEvent('keydown', {key: 'x', bubbles: true});
  Object.defineProperty(event, 'keyCode', {get: () => 88});
  const start = performance.now();
  window.dispatchEvent(event);
  requestAnimationFrame(() => {
    gl.readPixels(300, 300, 1, 1, gl.RGBA, gl.UNSIGNED_BYTE, pixel);
    times.push(performance.now() - start);
    times.length < count ? setTimeout(press, 0) : done(times);
  });
}
press();
"""


def main():
    page = os.path.abspath(sys.argv[1])
    loads = int(sys.argv[2]) if len(sys.argv) > 2 else 5
    frames = int(sys.argv[3]) if len(sys.argv) > 3 else 20
    driver = browser()
    driver.set_script_timeout(120)
    try:
        firsts = []
        for _ in range(loads):
            driver.get("file://" + page)
            firsts.append(driver.execute_async_script(FIRST_FRAME))
        times = driver.execute_async_script(FRAMES, frames)
    finally:
        driver.quit()
    print(f"page: {os.path.getsize(page)} bytes")
    print(f"start of loading to first frame: median {statistics.median(firsts):.0f} ms "
          f"(of {loads}: {min(firsts):.0f} - {max(firsts):.0f})")
    print(f"one frame of the whole scene: median {statistics.median(times):.0f} ms "
          f"(of {frames}: {min(times):.0f} - {max(times):.0f})")


main()
