"""Headless Debian Chromium under WebDriver, its WebGL on SwiftShader, a
renderer in software, so that no GPU is needed; shared by the page's tests
and its benchmark."""

from selenium import webdriver
from selenium.webdriver.chrome.options import Options
from selenium.webdriver.chrome.service import Service


def browser(width=1280, height=900, extra=()):
    options = Options()
    options.binary_location = "/usr/bin/chromium"
    for argument in ["--headless=new", "--no-sandbox", "--use-angle=swiftshader",
                     "--enable-unsafe-swiftshader", f"--window-size={width},{height}",
                     "--force-device-scale-factor=1", "--disable-gpu-sandbox", *extra]:
        options.add_argument(argument)
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
