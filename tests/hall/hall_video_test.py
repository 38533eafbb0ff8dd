#!/usr/bin/env python3
"""The videos of the hall: a real vorlane-hall on a free loopback port films
the games it proved; a video's last frame is the entry's final picture and
it lasts as long as the entry says the game did; it is read a span at a
time, shown on the pages, never made for a refused game, and a hall killed
while filming leaves no half file and makes it once started again.
Usage: hall_video_test.py VORLANE_HALL RECORD_GAMES"""
import http.client
import json
import os
import re
import signal
import socket
import struct
import subprocess
import sys
import tempfile
import time
import zlib

hall, record_games = sys.argv[1:3]
work = tempfile.mkdtemp()
subprocess.run([record_games, work], check=True)
standard = open(os.path.join(work, "standard.vorlane-replay"), "rb").read()
failures = []


def check(what, got, expected):
    if got != expected:
        failures.append(f"{what}: {got!r}, expected {expected!r}")


def ffmpeg(*arguments):
    return subprocess.run(["ffmpeg", "-hide_banner", "-nostdin", *arguments], capture_output=True, text=True,
                          timeout=120).stderr


def looks_like(video, picture):
    """The video's length in seconds, and its last frame's PSNR against the picture."""
    probe = subprocess.run(["ffprobe", "-v", "error", "-show_entries", "format=duration", "-of", "csv=p=0", video],
                           capture_output=True, text=True, check=True)
    last = os.path.join(work, "last.png")
    ffmpeg("-y", "-sseof", "-1", "-i", video, "-update", "1", last)
    psnr = re.search(r"average:([0-9.]+|inf)", ffmpeg("-i", last, "-i", picture, "-lavfi", "psnr", "-f", "null", "-"))
    return float(probe.stdout), float(psnr.group(1)) if psnr else 0.0


def tampered(replay):
    """One byte of the last record changed and the checksum mended."""
    body = bytearray(replay[14:-4])
    body[-2] ^= 1
    return replay[:14] + bytes(body) + struct.pack("<I", zlib.crc32(body))


with socket.socket() as probe:
    probe.bind(("127.0.0.1", 0))
    port = probe.getsockname()[1]
media = os.path.join(work, "vorlane", "media")


def start():
    server = subprocess.Popen([hall, "--listen", f"127.0.0.1:{port}"], stdout=subprocess.PIPE, text=True,
                              env=dict(os.environ, XDG_DATA_HOME=work))
    server.stdout.readline()
    return server


def ask(method, path, body=None, headers={}):
    connection = http.client.HTTPConnection("127.0.0.1", port, timeout=60)
    connection.request(method, path, body, headers)
    answer = connection.getresponse()
    return answer.status, dict(answer.getheaders()), answer.read()


def send(replay):
    return json.loads(ask("POST", "/api/replays", replay)[2])["id"]


def made(id, seconds=120):
    deadline = time.monotonic() + seconds
    while ask("HEAD", f"/entries/{id}.webm")[0] != 200 and time.monotonic() < deadline:
        time.sleep(0.1)
    return ask("GET", f"/entries/{id}.webm")[2]


def encoding(part):
    """Whether a process still writes the file part."""
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            if part.encode() in open(f"/proc/{pid}/cmdline", "rb").read():
                return True
        except OSError:
            pass
    return False


# A proven game: its page says its video is being made, then plays it.
server = start()
game, refused = send(standard), send(tampered(standard))
page = ask("GET", f"/entries/{game}")[2].decode()
check("before it is made", (ask("GET", f"/entries/{game}.webm")[0], "being made" in page), (404, True))
video = os.path.join(work, "game.webm")
open(video, "wb").write(made(game))
final = os.path.join(work, "final.png")
open(final, "wb").write(ask("GET", f"/entries/{game}.png")[2])
length, psnr = looks_like(video, final)
entry = json.loads(ask("GET", f"/api/entries/{game}")[2])
check("the video lasts as the game", abs(length - entry["length_s"]) < 1, True)
check("its last frame is the final picture", psnr > 30, True)
status, headers, part = ask("GET", f"/entries/{game}.webm", headers={"Range": "bytes=100-199"})
check("a span of it", (status, headers.get("Content-Range"), headers.get("Accept-Ranges"), part),
      (206, f"bytes 100-199/{os.path.getsize(video)}", "bytes", open(video, "rb").read()[100:200]))
check("the entry's page plays it", f'poster="/entries/{game}.png" src="/entries/{game}.webm"' in
      ask("GET", f"/entries/{game}")[2].decode(), True)
check("the board moves", (f'src="/entries/{game}-preview.webp"' in ask("GET", "/")[2].decode(),
                          ask("GET", f"/entries/{game}-preview.webp")[2][8:12]), (True, b"WEBP"))
check("a refused game has none", (ask("GET", f"/entries/{refused}.webm")[0],
                                  [name for name in os.listdir(media) if name.startswith(f"{refused}")]), (404, []))

# The hall killed while it films: nothing under the video's names, and the
# hall started again makes it.
other = send(open(os.path.join(work, "slow-missile.vorlane-replay"), "rb").read())
part = os.path.join(media, f"{other}.webm.part")
deadline = time.monotonic() + 120
while not os.path.exists(part) and time.monotonic() < deadline:
    time.sleep(0.01)
server.kill()
server.wait()
time.sleep(0.5)
names = [os.path.join(media, name) for name in (f"{other}.webm", f"{other}-preview.webp")]
check("a killed film", ([os.path.exists(name) for name in names], encoding(part)), ([False, False], False))
server = start()
check("made again", made(other)[:4], b"\x1a\x45\xdf\xa3")
server.send_signal(signal.SIGTERM)
check("SIGTERM", server.wait(timeout=30), 0)

for failure in failures:
    print("FAIL:", failure)
sys.exit(1 if failures else 0)
