#!/usr/bin/env python3
"""The hall over HTTP: a real vorlane-hall on a free loopback port with a
database of its own (SQLite in the default place, or a PostgreSQL the test
starts), sent the replays a player and a cheat would send, and read back as
a browser and a script would read it; then stopped by SIGTERM.
Usage: hall_http_test.py VORLANE_HALL RECORD_GAMES REPLAY_DATA_FOLDER VORLANE sqlite|postgresql"""
import http.client
import json
import os
import select
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


def start():
    hall_process = subprocess.Popen([hall, "--listen", f"127.0.0.1:{port}", *options], stdout=subprocess.PIPE,
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


def send(replay, query=""):
    status, headers, body = ask("POST", "/api/replays" + query, replay,
                                {"Content-Type": "application/x-vorlane-replay"})
    return status, headers, json.loads(body)


def tampered(replay, change=1):
    """One byte of the last record changed and the checksum mended."""
    body = bytearray(replay[14:-4])
    body[-2] ^= change
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

# A name is escaped on every page; the game asked none, so the sender's is used.
status, _, other = send(slow_missile, "?name=%3Cscript%3E")
check("a game with the missile slow", status, 201)
entry = json.loads(ask("GET", f"/api/entries/{other['id']}")[2])
check("its board", (entry["name"], entry["board"]), ("<script>", "medium-med-10-low-slow-25ms"))
for path in [f"/entries/{other['id']}", "/boards/medium-med-10-low-slow-25ms", "/recent", "/feed.atom"]:
    page = ask("GET", path)[2].decode()
    check(f"{path} escapes the name", ("&lt;script&gt;" in page, "<script>" in page), (True, False))
feed = ElementTree.fromstring(ask("GET", "/feed.atom")[2])
check("the new first places", [title.text for title in feed.iter("{http://www.w3.org/2005/Atom}title")][1:],
      ["<script> is first on medium-med-10-low-slow-25ms with 0", "ACE is first on standard with 4740"])

# The standard board after: only the proven standard game, ranked.
board = json.loads(ask("GET", "/api/entries?board=standard")[2])
check("the standard board", [(e["rank"], e["id"], e["name"], e["score"]) for e in board],
      [(1, kept["id"], "ACE", 4740)])
check("the boards", [(b["board"], b["entries"]) for b in json.loads(ask("GET", "/api/boards")[2])],
      [("standard", 1), ("medium-med-10-low-slow-25ms", 1)])
check("the front page lists it", f'href="{kept["url"]}"' in ask("GET", "/")[2].decode(), True)
check("the replay as sent", ask("GET", kept["url"] + ".vorlane-replay")[2], standard)
check("the final picture", ask("GET", kept["url"] + ".png")[2][:8], b"\x89PNG\r\n\x1a\n")

# The page's form sends a file and lands on its entry.
form = (b"--b0undary\r\nContent-Disposition: form-data; name=\"replay\"; filename=\"a.vorlane-replay\"\r\n"
        b"Content-Type: application/octet-stream\r\n\r\n" + standard + b"\r\n--b0undary--\r\n")
status, headers, _ = ask("POST", "/entries", form, {"Content-Type": "multipart/form-data; boundary=b0undary"})
check("the form", (status, headers.get("Location")), (303, kept["url"]))



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

# Twelve uploads so far; the twenty-first in a minute waits.
check("past 20 a minute", [send(b"x")[0] for _ in range(9)], [422] * 8 + [429])


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
# The claims of the hall killed are freed at once: it was a process of this machine.
server = start()
deadline = time.monotonic() + 30
while "queued" in statuses().values() and time.monotonic() < deadline:
    time.sleep(0.1)
proven = statuses()
check("proven after the restart", (proven.keys() == left.keys(), "queued" in proven.values()), (True, False))
server.send_signal(signal.SIGTERM)
check("SIGTERM after the restart", server.wait(timeout=30), 0)

for failure in failures:
    print("FAIL:", failure)
sys.exit(1 if failures else 0)
