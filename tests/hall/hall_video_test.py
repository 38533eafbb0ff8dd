#!/usr/bin/env python3
"""The video of a proven game: vorlane-hall film plays a recorded game with
no window and hands its pictures and cues to ffmpeg; its last frame is the
proof's final picture and it lasts as long as the proof says the game did.
A film killed midway leaves no file under either name.
Usage: hall_video_test.py VORLANE_HALL RECORD_GAMES"""
import base64
import json
import os
import re
import subprocess
import sys
import tempfile
import time

hall, record_games = sys.argv[1:3]
work = tempfile.mkdtemp()
subprocess.run([record_games, work], check=True)
standard = os.path.join(work, "standard.vorlane-replay")
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


def film(replay, video, preview):
    return subprocess.Popen([hall, "film", video, preview], stdin=open(replay, "rb"))


# The film against the proof.
proof = json.loads(subprocess.run([hall, "prove"], stdin=open(standard, "rb"), capture_output=True,
                                  check=True).stdout)
final = os.path.join(work, "final.png")
open(final, "wb").write(base64.b64decode(proof["picture"]))
video, preview = os.path.join(work, "1.webm"), os.path.join(work, "1-preview.webp")
check("the film's status", film(standard, video, preview).wait(timeout=120), 0)
length, psnr = looks_like(video, final)
check("the video lasts as the game", abs(length - proof["length_ms"] / 1000) < 1, True)
check("its last frame is the final picture", psnr > 30, True)
check("the preview", open(preview, "rb").read(16)[8:12], b"WEBP")

# Killed once the encoder is writing: nothing under the video's names.
killed = film(standard, os.path.join(work, "2.webm"), os.path.join(work, "2-preview.webp"))
deadline = time.monotonic() + 60
while not os.path.exists(os.path.join(work, "2.webm.part")) and time.monotonic() < deadline:
    time.sleep(0.01)
killed.kill()
killed.wait()
time.sleep(0.5)


def encoding(part):
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            if part.encode() in open(f"/proc/{pid}/cmdline", "rb").read():
                return True
        except OSError:
            pass
    return False


check("a killed film", ([os.path.exists(os.path.join(work, name)) for name in ("2.webm", "2-preview.webp")],
                        encoding(os.path.join(work, "2.webm.part"))), ([False, False], False))

for failure in failures:
    print("FAIL:", failure)
sys.exit(1 if failures else 0)
