#!/usr/bin/env python3
"""An entry's video in headless Chromium: a real vorlane-hall on a free
loopback port films a proven game; its page's video plays (its time goes
on), is as wide as the play area, seeks to its middle with a span of bytes
(206), and the browser's console holds no error.
Usage: hall_video_browser_test.py VORLANE_HALL RECORD_GAMES"""
import http.client
import json
import os
import socket
import subprocess
import sys
import tempfile
import time

from selenium import webdriver

hall, record_games = sys.argv[1:3]
work = tempfile.mkdtemp()
subprocess.run([record_games, work], check=True)
with socket.socket() as probe:
    probe.bind(("127.0.0.1", 0))
    port = probe.getsockname()[1]
server = subprocess.Popen([hall, "--listen", f"127.0.0.1:{port}"], stdout=subprocess.PIPE, text=True,
                          env=dict(os.environ, XDG_DATA_HOME=work))
server.stdout.readline()


def ask(method, path, body=None):
    connection = http.client.HTTPConnection("127.0.0.1", port, timeout=60)
    connection.request(method, path, body)
    answer = connection.getresponse()
    return answer.status, answer.read()


game = json.loads(ask("POST", "/api/replays", open(os.path.join(work, "standard.vorlane-replay"), "rb").read())[1])["id"]
deadline = time.monotonic() + 120
while ask("HEAD", f"/entries/{game}.webm")[0] != 200 and time.monotonic() < deadline:
    time.sleep(0.1)

options = webdriver.ChromeOptions()
for argument in ["--headless=new", "--no-sandbox", "--mute-audio", "--autoplay-policy=no-user-gesture-required"]:
    options.add_argument(argument)
options.set_capability("goog:loggingPrefs", {"browser": "ALL", "performance": "ALL"})
browser = webdriver.Chrome(options=options)
failures = []
try:
    browser.set_script_timeout(60)
    browser.get(f"http://127.0.0.1:{port}/entries/{game}")
    video = browser.find_element("tag name", "video")
    played = browser.execute_async_script("""
        const [video, done] = arguments;
        video.play().then(() => {
            const from = video.currentTime;
            setTimeout(() => done([from, video.currentTime, video.videoWidth, video.videoHeight]), 1500);
        }, error => done(String(error)));""", video)
    seeked = browser.execute_async_script("""
        const [video, done] = arguments;
        video.pause();
        video.addEventListener("seeked", () => done(video.currentTime / video.duration), {once: true});
        video.currentTime = video.duration / 2;""", video)
    spans = [json.loads(line["message"])["message"]["params"]["response"]["status"]
             for line in browser.get_log("performance")
             if '"Network.responseReceived"' in line["message"] and f"/entries/{game}.webm" in line["message"]]
    errors = [line["message"] for line in browser.get_log("browser") if line["level"] == "SEVERE"]
    if not (isinstance(played, list) and played[1] > played[0] and played[2:] == [627, 436]):
        failures.append(f"the video plays at the play area's size: {played!r}")
    if abs(seeked - 0.5) > 0.05 or 206 not in spans:
        failures.append(f"a seek to the middle: at {seeked!r} of the video, answers {spans!r}")
    if errors:
        failures.append(f"the console: {errors!r}")
finally:
    browser.quit()
    server.terminate()
    server.wait(timeout=30)

for failure in failures:
    print("FAIL:", failure)
sys.exit(1 if failures else 0)
