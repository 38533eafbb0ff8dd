#!/usr/bin/env python3
"""The videos of the hall: a real vorlane-hall on a free loopback port films
the games it proved; a video's last frame is the entry's final picture and
it lasts as long as the entry says the game did; it is read a span at a
time, shown on the pages, never made for a refused game, and a hall killed
while filming leaves no half file and makes it once started again.
Usage: hall_video_test.py VORLANE_HALL RECORD_GAMES"""
import os
import re
import subprocess
import sys
import time

from hall_harness import Hall, check, finish, free_port, record, tampered, wait_until, work

hall, record_games = sys.argv[1:3]
games = record(record_games)
media = os.path.join(work, "vorlane", "media")
port = free_port()


def start():
    return Hall(hall, port=port, env=dict(os.environ, XDG_DATA_HOME=work))


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


def made(id):
    wait_until(lambda: server.ask("HEAD", f"/entries/{id}.webm")[0] == 200, 120)
    return server.ask("GET", f"/entries/{id}.webm")[2]


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
game, refused = (server.send(replay)[2]["id"] for replay in (games["standard"], tampered(games["standard"])))
check("before it is made", (server.ask("GET", f"/entries/{game}.webm")[0], "being made" in server.get(f"/entries/{game}")),
      (404, True))
video, final = os.path.join(work, "game.webm"), os.path.join(work, "final.png")
open(video, "wb").write(made(game))
open(final, "wb").write(server.ask("GET", f"/entries/{game}.png")[2])
length, psnr = looks_like(video, final)
check("the video lasts as the game and ends on its final picture",
      (abs(length - server.get(f"/api/entries/{game}")["length_s"]) < 1, psnr > 30), (True, True))
status, headers, part = server.ask("GET", f"/entries/{game}.webm", headers={"Range": "bytes=100-199"})
check("a span of it", (status, headers.get("Content-Range"), headers.get("Accept-Ranges"), part),
      (206, f"bytes 100-199/{os.path.getsize(video)}", "bytes", open(video, "rb").read()[100:200]))
check("the pages show it", (f'poster="/entries/{game}.png" src="/entries/{game}.webm"' in server.get(f"/entries/{game}"),
                            f'src="/entries/{game}-preview.webp"' in server.get("/"),
                            server.ask("GET", f"/entries/{game}-preview.webp")[2][8:12]), (True, True, b"WEBP"))
check("a refused game has none", (server.ask("GET", f"/entries/{refused}.webm")[0],
                                  [name for name in os.listdir(media) if name.startswith(f"{refused}")]), (404, []))

# The hall killed while it films: nothing under the video's names, and the
# hall started again makes it.
other = server.send(games["slow-missile"])[2]["id"]
part = os.path.join(media, f"{other}.webm.part")
wait_until(lambda: os.path.exists(part), 120, 0.01)
server.process.kill()
server.process.wait()
time.sleep(0.5)
names = [os.path.join(media, name) for name in (f"{other}.webm", f"{other}-preview.webp")]
check("a killed film", ([os.path.exists(name) for name in names], encoding(part)), ([False, False], False))
server = start()
check("made again", made(other)[:4], b"\x1a\x45\xdf\xa3")
check("SIGTERM", server.stop(), 0)
finish()
