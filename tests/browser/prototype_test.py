#!/usr/bin/env python3
"""The demo's clickable prototype in headless Chromium, driven through its WebDriver.

Writes the prototype with `mvltool prototype`, opens index.html from the file system and
clicks as a person would. Checks the page shown, the pressed looks and the log, and that
the prototype's script and the editor's behaviour model (`mvltool preview`) agree after
the same touches. Exits 77 (skipped) when Chromium or its driver is missing.

  prototype_test.py MVLTOOL PROJECT.mvl [SCREENSHOT_FOLDER]
"""
import json
import os
import shutil
import subprocess
import sys
import tempfile
import time

SKIP = 77

try:
    from selenium import webdriver
    from selenium.webdriver.chrome.service import Service
    from selenium.webdriver.common.by import By
except ImportError:
    print("SKIPPED: python3-selenium is not installed (scripts/setup-debian.sh installs it)")
    sys.exit(SKIP)

CHROMIUM = shutil.which("chromium") or "/usr/bin/chromium"
DRIVER = shutil.which("chromedriver") or "/usr/bin/chromedriver"
# The machine has no network: nothing may try to reach it.
FLAGS = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
         "--disable-background-networking", "--disable-component-update", "--disable-sync",
         "--window-size=1200,900"]


def start_browser(profile):
    options = webdriver.ChromeOptions()
    options.binary_location = CHROMIUM
    for flag in FLAGS:
        options.add_argument(flag)
    options.add_argument("--user-data-dir=" + profile)
    return webdriver.Chrome(service=Service(executable_path=DRIVER), options=options)


def shown_page(driver):
    pages = driver.find_elements(By.CSS_SELECTOR, "#stage > section[data-page]")
    shown = [p.get_attribute("data-page") for p in pages if p.is_displayed()]
    assert len(shown) == 1, "exactly one page is visible, not %r" % shown
    return shown[0]


def element(driver, name):
    """The named element as the page shown shows it."""
    page = shown_page(driver)
    found = [e for e in driver.find_elements(By.CSS_SELECTOR, '#stage > section[data-page="%s"] [data-element="%s"]'
                                             % (page, name)) if e.is_displayed()]
    assert found, "%s is not shown on %s" % (name, page)
    return found[0]


def log_lines(driver):
    text = driver.find_element(By.ID, "log").text
    return [line for line in text.split("\n") if line]


def model_states(mvltool, project, taps):
    out = subprocess.run([mvltool, "preview", project] + taps, check=True, capture_output=True, text=True)
    return [json.loads(line) for line in out.stdout.splitlines()]


def main():
    if len(sys.argv) < 3:
        print(__doc__)
        return 2
    mvltool, project = sys.argv[1], sys.argv[2]
    shots = sys.argv[3] if len(sys.argv) > 3 else None
    if not (os.access(CHROMIUM, os.X_OK) and os.access(DRIVER, os.X_OK)):
        print("SKIPPED: chromium and chromium-driver are not installed (scripts/setup-debian.sh installs them)")
        return SKIP
    work = tempfile.mkdtemp(prefix="prototype-test-")
    driver = None
    try:
        folder = os.path.join(work, "prototype")
        subprocess.run([mvltool, "prototype", project, folder], check=True)
        index = os.path.join(folder, "index.html")
        html = open(index, encoding="utf-8").read()
        assert "http://" not in html.replace("http://127.0.0.1", "") and "https://" not in html, \
            "the prototype refers to the network"
        driver = start_browser(os.path.join(work, "profile"))
        driver.get("file://" + index)

        # Click the bulb: the lighting page.
        assert shown_page(driver) == "Lobby"
        element(driver, "GoLighting").click()
        assert shown_page(driver) == "Lighting", shown_page(driver)
        if shots:
            driver.save_screenshot(os.path.join(shots, "prototype-lighting.png"))
        driver.find_element(By.ID, "back").click()
        assert shown_page(driver) == "Lobby"

        # Click a scene: its pressed look, the lit scene released, the send code logged.
        meeting, welcome = element(driver, "SceneMeeting"), element(driver, "SceneWelcome")
        assert "pressed" in welcome.get_attribute("class") and "pressed" not in meeting.get_attribute("class")
        meeting.click()
        assert "pressed" in meeting.get_attribute("class"), "the scene shows its pressed look"
        assert "pressed" not in welcome.get_attribute("class"), "the interlock released the other scene"
        pressed_picture = meeting.find_element(By.CSS_SELECTOR, "img.pressed")
        assert pressed_picture.is_displayed() and driver.execute_script(
            "return arguments[0].complete && arguments[0].naturalWidth > 0", pressed_picture)
        assert log_lines(driver)[-1].endswith("2") and "SceneMeeting" in log_lines(driver)[-1], log_lines(driver)
        if shots:
            driver.save_screenshot(os.path.join(shots, "prototype-scene.png"))

        # The same touches in the prototype and in the model give the same state.
        driver.find_element(By.ID, "reset").click()
        taps = ["SceneOff", "Source2", "GoLighting", "LoungeDim", "GoLobby", "Mute", "GoVolume", "LobbyFader"]
        states = model_states(mvltool, project, taps)
        for tap, expected in zip(taps, states[1:]):
            element(driver, tap).click()
            state = driver.execute_script("return window.prototypeState()")
            assert state["page"] == expected["page"], (tap, state["page"], expected["page"])
            assert sorted(state["pressed"]) == sorted(expected["pressed"]), (tap, state["pressed"], expected["pressed"])
            assert state["log"] == expected["log"], (tap, state["log"], expected["log"])
        print("prototype: 3 checks passed")
        return 0
    finally:
        if driver is not None:
            driver.quit()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
