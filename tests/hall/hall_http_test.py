#!/usr/bin/env python3
# The hall over HTTP: a real vorlane-hall on a free loopback port with a
# database of its own (SQLite in the default place, or a PostgreSQL the test
# starts), sent the replays a player and a cheat would send, and read back by
# a script and, on SQLite, by headless Chromium, which plays a game's video,
# and by ffmpeg, which finds that video as long as the game and ending on its
# final picture; then stopped by SIGTERM, killed while it films and during
# uploads and started again to make what it left, and to prove what waited
# and what an earlier version proved, and last, on SQLite as root, run with
# its database on a small tmpfs until the disk is full.
# Usage: hall_http_test.py VORLANE_HALL RECORD_GAMES REPLAY_DATA_FOLDER VORLANE sqlite|postgresql
import http.client, os, re, select, signal, socket, sqlite3, struct, subprocess, sys, threading, time, zlib
from xml.etree import ElementTree

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.support.wait import WebDriverWait

from hall_database import (Hall, Postgres, Sqlite, check, dated_apart, finish, free_port, record, statuses, tampered,
                          wait_until, work)

hall, record_games, data, game, kind = sys.argv[1:6]
games = record(record_games)
standard = games["standard"]
unfinished = open(os.path.join(data, "version-3.vorlane-replay"), "rb").read()
db = Postgres() if kind == "postgresql" else Sqlite(os.path.join(work, "vorlane"))
# SQLite is where the hall puts it with no option; 127.0.0.2 plays the reverse proxy in front of the hall.
options = (["--database", db.url] if kind == "postgresql" else []) + ["--proxy", "127.0.0.2"]
port = free_port()


def start(*more):
    return Hall(hall, *options, *more, port=port, env=dict(os.environ, XDG_DATA_HOME=work))


missing = {"sqlite": "sqlite:/proc/no-such-folder/hall.sqlite", "postgresql": db.url + "-gone"}[kind]
refused = subprocess.run([hall, "--database", missing], capture_output=True, text=True, timeout=30)
check("a database that is not there", (refused.returncode, refused.stderr.count("\n"),
                                       refused.stderr.startswith("vorlane-hall: cannot open the database")), (1, 1, True))

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
status, headers, kept = server.send(standard)
check("a finished game", (status, headers.get("Location"), kept["status"]), (201, kept["url"], "verified"))
check("the same bytes again", server.send(standard)[::2], (200, kept))
check("before its video is made", (server.ask("GET", kept["url"] + ".webm")[0], "being made" in server.get(kept["url"])),
      (404, True))

# Each refusal says why in JSON and is kept off every board (and is filmed never).
refusals = []
for what, replay, reason in [("tampered", tampered(standard), "not verified: score 4740, wave 1, but the game"),
                             ("not a replay", b"VRLNRPL\x1a nothing", ""),
                             ("a game that never ended", unfinished, "the game did not reach its game over"),
                             ("a game handed over without its Start", games["no-start"],
                              "the game was not played from its Start"),
                             ("a refused game sent again", unfinished, "the game did not reach its game over")]:
    status, _, answer = server.send(replay)
    refusals.append(answer["id"])
    check(what, (status, answer["error"].startswith(reason), answer["error"] != ""), (422, True, True))


# A playback that dies (as one past its time or memory does) refuses the
# game it was proving and keeps it as evidence.
def kill_playback(outcome):
    found = wait_until(lambda: subprocess.run(["pgrep", "-P", str(server.process.pid), "-f", "vorlane-hall prove"],
                                              capture_output=True, text=True).stdout.split(), 10, 0.002)
    if found:
        os.kill(int(found[0]), signal.SIGKILL)
        outcome.append("killed")


for change in range(20, 25):
    outcome = []
    killer = threading.Thread(target=kill_playback, args=(outcome,))
    killer.start()
    status, _, died = server.send(dated_apart(standard, change))
    killer.join()
    if outcome:
        break
check("a playback killed", (outcome, status, died["error"], server.get(f"/api/entries/{died['id']}")["status"]),
      (["killed"], 422, "the playback ran out of its time or memory", "rejected"))

# A name is escaped on every page, its %1 and %7 shown as typed; the game
# asked none, so the sender's is used.
name = "<s>%1%7%8"
status, _, other = server.send(games["slow-missile"], "?name=%3Cs%3E%251%257%258")
entry = server.get(f"/api/entries/{other['id']}")
check("a game with the missile slow", (status, entry["name"], entry["board"]),
      (201, name, "medium-med-10-low-slow-25ms"))
for path in [f"/entries/{other['id']}", "/boards/medium-med-10-low-slow-25ms", "/recent", "/feed.atom"]:
    page = server.get(path)
    check(f"{path} shows the name escaped", ("&lt;s&gt;%1%7%8" in page, name in page), (True, False))
feed = ElementTree.fromstring(server.get("/feed.atom"))
check("the new first places", [title.text for title in feed.iter("{http://www.w3.org/2005/Atom}title")][1:],
      [f"{name} is first on medium-med-10-low-slow-25ms with 0", "ACE is first on standard with 4740"])

# The boards: only proven games, ranked, each name's best once, its link every game.
check("the standard board", [(e["rank"], e["id"], e["name"], e["score"]) for e in server.get("/api/entries?board=standard")],
      [(1, kept["id"], "ACE", 4740)])
check("the boards", [(b["board"], b["entries"]) for b in server.get("/api/boards")],
      [("standard", 1), ("medium-med-10-low-slow-25ms", 1)])
again = server.send(dated_apart(standard, 7))[2]
check("each name's best once", [e["id"] for e in server.get("/api/entries")], [kept["id"]])
check("every game", [(e["rank"], e["id"]) for e in server.get("/api/entries?every=1")], [(1, kept["id"]), (1, again["id"])])
check("the links", [f'href="{url}"' in server.get(path) for url, path in
                    [(kept["url"], "/"), (again["url"], "/"), (again["url"], "/boards/standard?every=1")]],
      [True, False, True])
replay, picture = (server.ask("GET", kept["url"] + ending)[2] for ending in (".vorlane-replay", ".png"))
check("the replay as sent and its final picture", (replay == standard, picture[:8]), (True, b"\x89PNG\r\n\x1a\n"))


# The board's small picture loads, the page's form sends a file and lands on
# its entry, which shows the game's end and its chart; the first game's video
# plays at the play area's size; and the console holds no error.
def look_in_chromium():
    options = webdriver.ChromeOptions()
    for argument in ["--headless=new", "--no-sandbox", f"--user-data-dir={work}/chromium", "--disable-dev-shm-usage",
                     "--mute-audio", "--autoplay-policy=no-user-gesture-required"]:
        options.add_argument(argument)
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
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
        check("the form lands on a new entry", landed.isdigit() and int(landed) > again["id"], True)
        check("its final picture", browser.execute_script(loaded, browser.find_element(By.CSS_SELECTOR, "img.end")), 627)
        check("its score chart", len(browser.find_elements(By.CSS_SELECTOR, "svg.chart polyline")), 1)
        wait_until(lambda: server.ask("HEAD", kept["url"] + ".webm")[0] == 200, 120)
        browser.get(f"http://127.0.0.1:{port}{kept['url']}")
        played = browser.execute_async_script("""
            const [video, done] = arguments;
            video.play().then(() => {
                const from = video.currentTime;
                setTimeout(() => done([from, video.currentTime, video.videoWidth, video.videoHeight]), 1500);
            }, error => done(String(error)));""", browser.find_element(By.TAG_NAME, "video"))
        check("the video plays at the play area's size",
              isinstance(played, list) and played[1] > played[0] and played[2:] == [627, 436], True)
        check("the console's errors", [e["message"] for e in browser.get_log("browser") if e["level"] == "SEVERE"], [])
    finally:
        browser.quit()


def ffmpeg(*arguments):
    return subprocess.run(["ffmpeg", "-hide_banner", "-nostdin", *arguments], capture_output=True, text=True,
                          timeout=120).stderr


# The first game's video lasts as long as the entry says the game did, its
# last frame is the entry's final picture, it is read a span at a time and
# the board moves; a refused game has none.
def look_at_the_video():
    video, final, last = (os.path.join(work, name) for name in ("game.webm", "final.png", "last.png"))
    open(video, "wb").write(server.ask("GET", kept["url"] + ".webm")[2])
    open(final, "wb").write(server.ask("GET", kept["url"] + ".png")[2])
    length = subprocess.run(["ffprobe", "-v", "error", "-show_entries", "format=duration", "-of", "csv=p=0", video],
                            capture_output=True, text=True, check=True).stdout
    ffmpeg("-y", "-sseof", "-1", "-i", video, "-update", "1", last)
    psnr = re.search(r"average:([0-9.]+|inf)", ffmpeg("-i", last, "-i", final, "-lavfi", "psnr", "-f", "null", "-"))
    check("the video lasts as the game and ends on its final picture",
          (abs(float(length) - server.get(f"/api/entries/{kept['id']}")["length_s"]) < 1, float(psnr.group(1)) > 30),
          (True, True))
    status, headers, part = server.ask("GET", kept["url"] + ".webm", headers={"Range": "bytes=100-199"})
    check("a span of it", (status, headers.get("Content-Range"), headers.get("Accept-Ranges"), part),
          (206, f"bytes 100-199/{os.path.getsize(video)}", "bytes", open(video, "rb").read()[100:200]))
    check("the board moves", (f'src="{kept["url"]}-preview.webp"' in server.get("/"),
                              server.ask("GET", kept["url"] + "-preview.webp")[2][8:12]), (True, b"WEBP"))
    check("a refused game has none", (server.ask("GET", f"/entries/{refusals[0]}.webm")[0],
                                      [name for name in os.listdir(media) if name.startswith(f"{refusals[0]}")]), (404, []))




def send_from_game(replay, *hall_options):
    path = os.path.join(work, "sent.vorlane-replay" if replay else "no-such.vorlane-replay")
    if replay:
        open(path, "wb").write(replay)
    env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
    done = subprocess.run([game, "--send", path, *hall_options], capture_output=True, text=True, timeout=60,
                          env=dict(env, VORLANE_HALL=f"http://127.0.0.1:{port}"))
    return done.returncode, done.stdout, done.stderr


# The game sends what a player recorded, with no display, and says where it went.
check("the game sends a kept game", send_from_game(standard), (0, f"http://127.0.0.1:{port}{kept['url']}\n", ""))
status, _, refusal = send_from_game(tampered(standard))
check("the game told the hall's refusal", (status, refusal.startswith("vorlane: "), "not verified: score 4740" in refusal),
      (1, True, True))
began = time.monotonic()
unreachable = send_from_game(standard, "--hall", f"http://127.0.0.1:{free_port()}")
check("no hall there, no file to send", (time.monotonic() - began < 20, [(status, error.count("\n")) for status, _, error
                                                                         in (unreachable, send_from_game(None))]),
      (True, [(2, 1), (2, 1)]))

# Crafted bodies as large as the hall takes cost its server little more
# than their bytes: 16 MiB of zeros, and a game followed by one-byte
# records up to 16 MiB, framed and summed as the game frames a replay.
body = standard[14:-4] + b"\x30" * (16 * 1024 * 1024 - len(standard) - 64)
ones = standard[:10] + struct.pack("<I", len(body)) + body + struct.pack("<I", zlib.crc32(body))
crafted = [server.send(bytes(16 * 1024 * 1024))[0], server.send(ones)[0]]
peak_mib = int(open(f"/proc/{server.process.pid}/status").read().split("VmHWM:")[1].split()[0]) // 1024
print(f"the server's peak after the crafted bodies: {peak_mib} MiB")
check("crafted bodies", (crafted, peak_mib < 400), ([422, 422], True))

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
check("oversized headers and bad numbers", [server.ask("GET", "/", headers={"X-Padding": "x" * (16 * 1024 + 1)})[0],
                                            server.ask("GET", "/api/entries?limit=many")[0]], [431, 400])

# Thirteen uploads so far and the tries to kill a playback; the twenty-first
# in a minute waits, and behind the proxy each sender is counted apart.
so_far = 13 + change - 19
check("past 20 a minute", [server.send(b"x")[0] for _ in range(21 - so_far)], [422] * (20 - so_far) + [429])
check("senders behind the proxy", [server.ask("POST", "/api/replays", b"x", {"X-Forwarded-For": f"10.9.9.9, {sender}"},
                                              source=("127.0.0.2", 0))[0] for sender in ("127.0.0.1", "198.51.100.7")],
      [429, 422])
if kind == "sqlite":
    check("an upload the first hall left waiting", statuses(db)[1], "rejected")
check("SIGTERM", server.stop(), 0)

# Once is enough: the pages and the videos are the same on either database.
# Then killed while it films: nothing under the video's names, no process
# left writing it, and the hall started again makes it.
server = start()
media = os.path.join(work, "vorlane", "media")
if kind == "sqlite":
    look_in_chromium()
    look_at_the_video()
    filmed = server.send(dated_apart(games["slow-missile"], 3), "?name=%3Cs%3E%251%257%258")[2]["url"]
    part = os.path.join(media, filmed.rsplit("/", 1)[1] + ".webm.part")
    wait_until(lambda: os.path.exists(part), 120, 0.01)
    server.process.kill()
    server.process.wait()
    time.sleep(0.5)
    writing = subprocess.run(["pgrep", "-f", part], stdout=subprocess.DEVNULL).returncode == 0
    check("a killed film", ([os.path.exists(part[:-5]), os.path.exists(part[:-10] + "-preview.webp")], writing),
          ([False, False], False))
    server = start()
    wait_until(lambda: server.ask("HEAD", filmed + ".webm")[0] == 200, 120)
    check("made again", server.ask("GET", filmed + ".webm")[2][:4], b"\x1a\x45\xdf\xa3")

# Killed as soon as one of eight uploads is answered: every answered upload
# is in the database, and the hall started again proves those left waiting.
answered, killing = [], threading.Lock()


def send_then_kill(replay):
    try:
        status, _, answer = server.send(replay)
    except (ConnectionError, http.client.HTTPException):
        return
    with killing:
        answered.append(answer.get("id"))
        server.process.kill()


uploads = [threading.Thread(target=send_then_kill, args=(tampered(standard, change),)) for change in range(2, 10)]
for upload in uploads:
    upload.start()
for upload in uploads:
    upload.join()
server.process.wait()
left = statuses(db)
check("answered before the kill", (answered != [], all(id in left for id in answered), "queued" in left.values()),
      (True, True, True))
# Two games as if Vorlane 0.9 had proven them, the slow missile's to 1000
# points: this version plays ACE's to the same end, and the other's not.
db.execute(f"UPDATE entries SET proven_by = '0.9', score = CASE id WHEN {other['id']} THEN 1000 ELSE score END "
           f"WHERE id IN ({other['id']}, {kept['id']})")
# The claims of the hall killed are freed at once: it was a process of this machine.
server = start()
wait_until(lambda: db.execute("SELECT count(*) FROM entries WHERE status = 'queued' "
                              "OR (proven_by = '0.9' AND earlier_version = 0)") == [["0"]], 30)
proven = statuses(db)
check("proven after the restart", (proven.keys() == left.keys(), "queued" in proven.values()), (True, False))
again = [server.get(f"/api/entries/{e['id']}") for e in (kept, other)]
check("proven again", [(e["score"], e.get("earlier_version")) for e in again], [(4740, None), (1000, True)])
check("still on its board", [e["id"] for e in server.get("/api/entries?board=" + again[1]["board"])], [other["id"]])
check("its page says so", "From an earlier version: Vorlane 0.9 proved" in server.get(other["url"]), True)
check("SIGTERM after the restart", server.stop(), 0)

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
        first = server.send(standard)[2]
        wait_until(lambda: server.get(f"/api/entries/{first['id']}")["status"] != "queued")
        for ms in range(1, 19):  # about 100 KiB a game: 512 KiB are full after five
            status, _, answer = server.send(dated_apart(standard, ms))
            if status == 507:
                break
        check("uploads until the disk is full", (status, answer.get("error")),
              (507, "the hall has no room to keep it: its disk is full"))
        check("the board after", [e["id"] for e in server.get("/api/entries")], [first["id"]])
        served = [server.ask("GET", first["url"] + ending) for ending in ["", ".png", ".vorlane-replay"]]
        check("the first game after", ([status for status, _, _ in served], served[2][2]), ([200] * 3, standard))
        check("SIGTERM on a full disk", server.stop(), 0)
        full = sqlite3.connect(f"{small}/hall.sqlite")
        check("the database on a full disk", full.execute("PRAGMA integrity_check").fetchall(), [("ok",)])
        full.close()
    finally:
        server.process.kill()
        server.process.wait()
        subprocess.run(["umount", small])
finish()
