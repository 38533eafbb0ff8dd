#!/usr/bin/env python3
"""The hall over HTTP: a real vorlane-hall on a free loopback port with a
database of its own (SQLite in the default place, or a PostgreSQL the test
starts), sent the replays a player and a cheat would send, and read back by
a script and, on SQLite, by headless Chromium, which plays a game's video;
then stopped by SIGTERM, killed during uploads and started again to prove
what waited and what an earlier version proved, and last, on SQLite as
root, run with its database on a small tmpfs until the disk is full.
Usage: hall_http_test.py VORLANE_HALL RECORD_GAMES REPLAY_DATA_FOLDER VORLANE sqlite|postgresql"""
import http.client
import json
import os
import select
import shutil
import signal
import socket
import sqlite3
import struct
import subprocess
import sys
import tempfile
import threading
import time
import zlib
from xml.etree import ElementTree

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.support.wait import WebDriverWait

from hall_database import database

hall, record_games, data, game, kind = sys.argv[1:6]
work = tempfile.mkdtemp()
db = database(kind, os.path.join(work, "vorlane"))
# SQLite is where the hall puts it with no option.
options = ["--database", db.url] if kind == "postgresql" else []
# 127.0.0.2 plays the reverse proxy in front of the hall.
options += ["--proxy", "127.0.0.2"]
subprocess.run([record_games, work], check=True)
standard = open(os.path.join(work, "standard.vorlane-replay"), "rb").read()
slow_missile = open(os.path.join(work, "slow-missile.vorlane-replay"), "rb").read()
unfinished = open(os.path.join(data, "version-3.vorlane-replay"), "rb").read()
no_start = open(os.path.join(work, "no-start.vorlane-replay"), "rb").read()

with socket.socket() as probe:
    probe.bind(("127.0.0.1", 0))
    port = probe.getsockname()[1]


def start(*more):
    hall_process = subprocess.Popen([hall, "--listen", f"127.0.0.1:{port}", *options, *more], stdout=subprocess.PIPE,
                                    text=True, env=dict(os.environ, XDG_DATA_HOME=work))
    assert hall_process.stdout.readline() == f"vorlane-hall: serving on http://127.0.0.1:{port}/\n"
    return hall_process


failures = []
missing = {"sqlite": "sqlite:/proc/no-such-folder/hall.sqlite", "postgresql": db.url + "-gone"}[kind]
refused = subprocess.run([hall, "--database", missing], capture_output=True, text=True, timeout=30)


def check(what, got, expected):
    if got != expected:
        failures.append(f"{what}: {got!r}, expected {expected!r}")


check("a database that is not there", (refused.returncode, refused.stderr.count("\n"),
                                       refused.stderr.startswith("vorlane-hall: cannot open the database")), (1, 1, True))


def ask(method, path, body=None, headers={}):
    connection = http.client.HTTPConnection("127.0.0.1", port, timeout=60)
    connection.request(method, path, body, headers)
    answer = connection.getresponse()
    return answer.status, dict(answer.getheaders()), answer.read()


def wait_until(done, seconds=60):
    deadline = time.monotonic() + seconds
    while not done() and time.monotonic() < deadline:
        time.sleep(0.1)


def send(replay, query=""):
    status, headers, body = ask("POST", "/api/replays" + query, replay,
                                {"Content-Type": "application/x-vorlane-replay"})
    return status, headers, json.loads(body)


def tampered(replay, change=1):
    """One byte of the last record changed and the checksum mended."""
    body = bytearray(replay[14:-4])
    body[-2] ^= change
    return replay[:14] + bytes(body) + struct.pack("<I", zlib.crc32(body))


def dated_apart(replay, ms=1):
    """The same game with the date in its file a few ms apart: other bytes, the same play."""
    body = bytearray(replay[14:-4])
    date = 1 + body[0] + 1 + body[1 + body[0]]  # after the game's version and the pictures' digest
    body[date] ^= ms << 1
    return replay[:14] + bytes(body) + struct.pack("<I", zlib.crc32(body))


if kind == "sqlite":
    # A database the first hall made, before its schema had versions, with
    # an upload left waiting for its proof, which this hall gives.
    os.makedirs(os.path.dirname(db.path))
    with sqlite3.connect(db.path) as first_hall:
        first_hall.execute("CREATE TABLE entries (id INTEGER PRIMARY KEY, sha256 BLOB NOT NULL UNIQUE, bytes BLOB "
                           "NOT NULL, sent INTEGER NOT NULL, status TEXT NOT NULL, reason TEXT NOT NULL, name TEXT "
                           "NOT NULL, score REAL NOT NULL, wave INTEGER NOT NULL, played INTEGER NOT NULL, length_ms "
                           "INTEGER NOT NULL, settings TEXT NOT NULL, board TEXT, version TEXT NOT NULL, minutes TEXT "
                           "NOT NULL, picture BLOB, hidden INTEGER NOT NULL DEFAULT 0, claimed_at INTEGER)")
        first_hall.execute("INSERT INTO entries VALUES (NULL, x'00', ?, 1, 'queued', '', '', 0, 0, 0, 0, '', NULL, '', "
                           "'', NULL, 0, 1)", (tampered(standard, 12),))
server = start()
# A finished game on the standard board, then the same bytes again.
status, headers, kept = send(standard)
check("a finished game", (status, headers.get("Location"), kept["status"]), (201, kept["url"], "verified"))
check("the same bytes again", send(standard)[::2], (200, kept))

# Each refusal says why in JSON and is kept off every board.
for what, replay, reason in [("tampered", tampered(standard), "not verified: score 4740, wave 1, but the game"),
                             ("not a replay", b"VRLNRPL\x1a nothing", ""),
                             ("a game that never ended", unfinished, "the game did not reach its game over"),
                             ("a game handed over without its Start", no_start,
                              "the game was not played from its Start")]:
    status, _, answer = send(replay)
    check(what, (status, answer["error"].startswith(reason), answer["error"] != ""), (422, True, True))
check("a refused game sent again", send(unfinished)[0], 422)

# A playback that dies (as one past its time or memory does) refuses the
# game it was proving and keeps it as evidence.
def kill_playback(outcome):
    for _ in range(1000):
        found = subprocess.run(["pgrep", "-P", str(server.pid), "-f", "vorlane-hall prove"], capture_output=True,
                               text=True).stdout.split()
        if found:
            os.kill(int(found[0]), signal.SIGKILL)
            outcome.append("killed")
            return
        time.sleep(0.002)


for change in range(20, 25):
    outcome = []
    killer = threading.Thread(target=kill_playback, args=(outcome,))
    killer.start()
    status, _, died = send(dated_apart(standard, change))
    killer.join()
    if outcome:
        break
check("a playback killed", (outcome, status, died["error"]), (["killed"], 422, "the playback ran out of its time or memory"))
check("kept as evidence", json.loads(ask("GET", f"/api/entries/{died['id']}")[2])["status"], "rejected")

# A name is escaped on every page, its %1 and %7 shown as typed; the game
# asked none, so the sender's is used.
name = "<s>%1%7%8"
status, _, other = send(slow_missile, "?name=%3Cs%3E%251%257%258")
check("a game with the missile slow", status, 201)
entry = json.loads(ask("GET", f"/api/entries/{other['id']}")[2])
check("its board", (entry["name"], entry["board"]), (name, "medium-med-10-low-slow-25ms"))
for path in [f"/entries/{other['id']}", "/boards/medium-med-10-low-slow-25ms", "/recent", "/feed.atom"]:
    page = ask("GET", path)[2].decode()
    check(f"{path} shows the name escaped", ("&lt;s&gt;%1%7%8" in page, name in page), (True, False))
feed = ElementTree.fromstring(ask("GET", "/feed.atom")[2])
check("the new first places", [title.text for title in feed.iter("{http://www.w3.org/2005/Atom}title")][1:],
      [f"{name} is first on medium-med-10-low-slow-25ms with 0", "ACE is first on standard with 4740"])

# The standard board after: only the proven standard game, ranked.
board = json.loads(ask("GET", "/api/entries?board=standard")[2])
check("the standard board", [(e["rank"], e["id"], e["name"], e["score"]) for e in board],
      [(1, kept["id"], "ACE", 4740)])
check("the boards", [(b["board"], b["entries"]) for b in json.loads(ask("GET", "/api/boards")[2])],
      [("standard", 1), ("medium-med-10-low-slow-25ms", 1)])
# The same player's second game: the board shows each name once, its link every game.
again = send(dated_apart(standard, 7))[2]
check("each name's best once", [e["id"] for e in json.loads(ask("GET", "/api/entries")[2])], [kept["id"]])
check("every game", [(e["rank"], e["id"]) for e in json.loads(ask("GET", "/api/entries?every=1")[2])],
      [(1, kept["id"]), (1, again["id"])])
check("the link to every game", [f'href="/entries/{again["id"]}"' in ask("GET", path)[2].decode()
                                 for path in ["/", "/boards/standard?every=1"]], [False, True])
check("the front page lists it", f'href="{kept["url"]}"' in ask("GET", "/")[2].decode(), True)
check("the replay as sent", ask("GET", kept["url"] + ".vorlane-replay")[2], standard)
check("the final picture", ask("GET", kept["url"] + ".png")[2][:8], b"\x89PNG\r\n\x1a\n")

# The page's form sends a file and lands on its entry.
form = (b"--b0undary\r\nContent-Disposition: form-data; name=\"replay\"; filename=\"a.vorlane-replay\"\r\n"
        b"Content-Type: application/octet-stream\r\n\r\n" + standard + b"\r\n--b0undary--\r\n")
status, headers, _ = ask("POST", "/entries", form, {"Content-Type": "multipart/form-data; boundary=b0undary"})
check("the form", (status, headers.get("Location")), (303, kept["url"]))


def look_in_chromium():
    """The board's small picture loads, the form sends a file and lands on
    its entry, which shows the game's end and its chart; the first game's
    video plays at the play area's size and seeks to its middle with a span
    of bytes (206); and the console holds no error."""
    options = webdriver.ChromeOptions()
    for argument in ["--headless=new", "--no-sandbox", f"--user-data-dir={work}/chromium", "--disable-dev-shm-usage",
                     "--mute-audio", "--autoplay-policy=no-user-gesture-required"]:
        options.add_argument(argument)
    options.set_capability("goog:loggingPrefs", {"browser": "ALL", "performance": "ALL"})
    browser = webdriver.Chrome(options=options, service=Service("/usr/bin/chromedriver"))
    browser.set_page_load_timeout(60)
    browser.set_script_timeout(60)
    loaded = "return arguments[0].complete && arguments[0].naturalWidth"
    try:
        browser.get(f"http://127.0.0.1:{port}/")
        small = browser.find_element(By.CSS_SELECTOR, f'td a[href="{kept["url"]}"] img')
        check("the board's small picture", browser.execute_script(loaded, small), 627)
        path = os.path.join(work, "form.vorlane-replay")
        open(path, "wb").write(dated_apart(standard))
        browser.find_element(By.NAME, "replay").send_keys(path)
        browser.find_element(By.CSS_SELECTOR, "form.send button").click()
        WebDriverWait(browser, 60).until(lambda _: "/entries/" in browser.current_url)
        landed = browser.current_url.rsplit("/", 1)[1]
        for _ in range(60):  # a busy machine may still be proving it
            if browser.find_elements(By.CSS_SELECTOR, "img.end"):
                break
            time.sleep(1)
            browser.refresh()
        check("the form lands on a new entry", landed.isdigit() and int(landed) > other["id"], True)
        check("its final picture", browser.execute_script(loaded, browser.find_element(By.CSS_SELECTOR, "img.end")), 627)
        check("its score chart", len(browser.find_elements(By.CSS_SELECTOR, "svg.chart polyline")), 1)
        wait_until(lambda: ask("HEAD", kept["url"] + ".webm")[0] == 200, 120)
        browser.get(f"http://127.0.0.1:{port}{kept['url']}")
        video = browser.find_element(By.TAG_NAME, "video")
        played = browser.execute_async_script("""
            const [video, done] = arguments;
            video.play().then(() => {
                const from = video.currentTime;
                setTimeout(() => done([from, video.currentTime, video.videoWidth, video.videoHeight]), 1500);
            }, error => done(String(error)));""", video)
        check("the video plays at the play area's size",
              isinstance(played, list) and played[1] > played[0] and played[2:] == [627, 436], True)
        seeked = browser.execute_async_script("""
            const [video, done] = arguments;
            video.pause();
            video.addEventListener("seeked", () => done(video.currentTime / video.duration), {once: true});
            video.currentTime = video.duration / 2;""", video)
        spans = [json.loads(line["message"])["message"]["params"]["response"]["status"]
                 for line in browser.get_log("performance")
                 if '"Network.responseReceived"' in line["message"] and kept["url"] + ".webm" in line["message"]]
        check("a seek to the middle", (abs(seeked - 0.5) < 0.05, 206 in spans), (True, True))
        check("the console's errors", [e["message"] for e in browser.get_log("browser") if e["level"] == "SEVERE"], [])
    finally:
        browser.quit()


# Once is enough: the pages are the same on either database.
if kind == "sqlite":
    look_in_chromium()


def send_from_game(replay, *hall_options):
    path = os.path.join(work, "sent.vorlane-replay")
    if replay is not None:
        open(path, "wb").write(replay)
    elif os.path.exists(path):
        os.remove(path)
    env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
    done = subprocess.run([game, "--send", path, *hall_options], capture_output=True, text=True, timeout=60,
                          env=dict(env, VORLANE_HALL=f"http://127.0.0.1:{port}"))
    return done.returncode, done.stdout, done.stderr


# The game sends what a player recorded, with no display, and says where it went.
address = f"http://127.0.0.1:{port}{kept['url']}\n"
check("the game sends a kept game", send_from_game(standard), (0, address, ""))
check("the game sends it once more", send_from_game(standard)[:2], (0, address))
status, _, refusal = send_from_game(tampered(standard))
check("the game told the hall's refusal", (status, refusal.startswith("vorlane: "), "not verified: score 4740" in refusal),
      (1, True, True))
with socket.socket() as probe:
    probe.bind(("127.0.0.1", 0))
    closed = probe.getsockname()[1]
began = time.monotonic()
status, _, unreachable = send_from_game(standard, "--hall", f"http://127.0.0.1:{closed}")
check("no hall there", (status, unreachable.count("\n"), time.monotonic() - began < 20), (2, 1, True))
status, _, missing = send_from_game(None)
check("no file to send", (status, missing.count("\n")), (2, 1))

# Crafted bodies as large as the hall takes cost its server little more
# than their bytes: 16 MiB of zeros, and a game followed by one-byte
# records up to 16 MiB, framed and summed as the game frames a replay.
def vm_peak_mib():
    status = open(f"/proc/{server.pid}/status").read()
    return int(status.split("VmHWM:")[1].split()[0]) // 1024


body = standard[14:-4] + b"\x30" * (16 * 1024 * 1024 - len(standard) - 64)
ones = standard[:10] + struct.pack("<I", len(body)) + body + struct.pack("<I", zlib.crc32(body))
crafted = [send(bytes(16 * 1024 * 1024))[0], send(ones)[0]]
print(f"the server's peak after the crafted bodies: {vm_peak_mib()} MiB")
check("crafted bodies", (crafted, vm_peak_mib() < 400), ([422, 422], True))

# Told before it is read: a body past 16 MiB, headers past 16 KiB.
connection = http.client.HTTPConnection("127.0.0.1", port, timeout=60)
connection.putrequest("POST", "/api/replays")
connection.putheader("Content-Length", str(16 * 1024 * 1024 + 1))
connection.endheaders()
check("an oversized body", connection.getresponse().status, 413)
chunked = socket.create_connection(("127.0.0.1", port), timeout=60)
chunked.sendall(b"POST /api/replays HTTP/1.1\r\nHost: hall\r\nTransfer-Encoding: chunked\r\n\r\n")
try:  # without end: the answer comes once 16 MiB have passed, read as soon as it is there
    for _ in range(1024):
        if select.select([chunked], [], [], 0)[0]:
            break
        chunked.sendall(b"10000\r\n" + b"x" * 0x10000 + b"\r\n")
except (BrokenPipeError, ConnectionResetError):
    pass
check("a chunked body without end", chunked.recv(64).split(b"\r\n")[0], b"HTTP/1.1 413 Content Too Large")
check("oversized headers", ask("GET", "/", headers={"X-Padding": "x" * (16 * 1024 + 1)})[0], 431)
check("bad numbers", ask("GET", "/api/entries?limit=many")[0], 400)

# Sixteen uploads so far (fifteen where Chromium sent none) and the tries
# to kill a playback; the twenty-first in a minute waits.
so_far = (16 if kind == "sqlite" else 15) + change - 19
check("past 20 a minute", [send(b"x")[0] for _ in range(21 - so_far)], [422] * (20 - so_far) + [429])


def send_through_proxy(sender):
    connection = http.client.HTTPConnection("127.0.0.1", port, timeout=60, source_address=("127.0.0.2", 0))
    connection.request("POST", "/api/replays", b"x", {"X-Forwarded-For": f"10.9.9.9, {sender}"})
    return connection.getresponse().status


if kind == "sqlite":
    check("an upload the first hall left waiting", db.statuses()[1], "rejected")
check("senders behind the proxy", [send_through_proxy("127.0.0.1"), send_through_proxy("198.51.100.7")], [429, 422])

server.send_signal(signal.SIGTERM)
check("SIGTERM", server.wait(timeout=30), 0)

# Killed as soon as one of eight uploads is answered: every answered upload
# is in the database, and the hall started again proves those left waiting.
server = start()
answered, killing = [], threading.Lock()


def send_then_kill(replay):
    try:
        status, _, answer = send(replay)
    except (ConnectionError, http.client.HTTPException):
        return
    with killing:
        answered.append((status, answer.get("id")))
        server.kill()


uploads = [threading.Thread(target=send_then_kill, args=(tampered(standard, change),)) for change in range(2, 10)]
for upload in uploads:
    upload.start()
for upload in uploads:
    upload.join()
server.wait()
statuses = db.statuses
left = statuses()
check("answered before the kill", (answered != [], all(id in left for _, id in answered)), (True, True))
check("kept to be proven", "queued" in left.values(), True)
# Two games as if Vorlane 0.9 had proven them, the slow missile's to 1000
# points: this version plays ACE's to the same end, and the other's not.
db.execute(f"UPDATE entries SET proven_by = '0.9', score = CASE id WHEN {other['id']} THEN 1000 ELSE score END "
           f"WHERE id IN ({other['id']}, {kept['id']})")


def waiting():
    return int(db.execute("SELECT count(*) FROM entries WHERE status = 'queued' "
                          "OR (proven_by = '0.9' AND earlier_version = 0)")[0][0])


# The claims of the hall killed are freed at once: it was a process of this machine.
server = start()
wait_until(lambda: not waiting(), 30)
proven = statuses()
check("proven after the restart", (proven.keys() == left.keys(), "queued" in proven.values()), (True, False))
again = [json.loads(ask("GET", f"/api/entries/{e['id']}")[2]) for e in (kept, other)]
check("proven again", [(e["score"], e.get("earlier_version")) for e in again], [(4740, None), (1000, True)])
check("still on its board", [e["id"] for e in json.loads(ask("GET", "/api/entries?board=" + again[1]["board"])[2])],
      [other["id"]])
check("its page says so", "From an earlier version: Vorlane 0.9 proved" in ask("GET", other["url"])[2].decode(), True)
server.send_signal(signal.SIGTERM)
check("SIGTERM after the restart", server.wait(timeout=30), 0)

# A full disk, on SQLite: a hall with its database on a small tmpfs answers
# 507 once it is full, and still serves every game it kept before, from a
# sound database.
small = os.path.join(work, "small")
os.mkdir(small)
mounted = kind == "sqlite" and os.geteuid() == 0 and not subprocess.run(
    ["mount", "-t", "tmpfs", "-o", "size=512k", "tmpfs", small]).returncode
if kind == "sqlite" and not mounted:
    print("SKIP: a full disk: mounting a small tmpfs takes root, and this machine does not let this run mount one")
if mounted:
    try:
        server = start("--database", f"sqlite:{small}/hall.sqlite")
        first = send(standard)[2]
        wait_until(lambda: json.loads(ask("GET", f"/api/entries/{first['id']}")[2])["status"] != "queued")
        for ms in range(1, 19):  # about 100 KiB a game: 512 KiB are full after five
            status, _, answer = send(dated_apart(standard, ms))
            if status == 507:
                break
        check("uploads until the disk is full", (status, answer.get("error")),
              (507, "the hall has no room to keep it: its disk is full"))
        check("the board after", [e["id"] for e in json.loads(ask("GET", "/api/entries")[2])], [first["id"]])
        check("the first game after", [ask("GET", first["url"] + ending)[0] for ending in ["", ".png", ".vorlane-replay"]],
              [200] * 3)
        server.send_signal(signal.SIGTERM)
        check("SIGTERM on a full disk", server.wait(timeout=30), 0)
        db = sqlite3.connect(f"{small}/hall.sqlite")
        check("the database on a full disk", db.execute("PRAGMA integrity_check").fetchall(), [("ok",)])
        check("the first game's bytes", db.execute("SELECT bytes FROM entries WHERE id = 1").fetchall(), [(standard,)])
        db.close()
    finally:
        server.kill()
        server.wait()
        subprocess.run(["umount", small])

shutil.rmtree(work, ignore_errors=True)
for failure in failures:
    print("FAIL:", failure)
sys.exit(1 if failures else 0)
