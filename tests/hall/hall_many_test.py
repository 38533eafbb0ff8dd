#!/usr/bin/env python3
"""One hall on many machines: two servers that prove nothing and two
provers of their own, all on one PostgreSQL the test starts. Games are sent
to both servers, the same bytes to both at once, and a prover is killed in
the middle of a proof: every answered upload is one entry, proven, and
both servers show the same boards. Then PostgreSQL is stopped under the
servers, and frozen, and they answer 503 with Retry-After until it is
back, and go on.
Usage: hall_many_test.py VORLANE_HALL RECORD_GAMES"""
import http.client
import json
import os
import signal
import subprocess
import sys
import tempfile
import threading
import time

from hall_database import Postgres, free_port

hall, record_games = sys.argv[1:3]
work = tempfile.mkdtemp()
games = []
for seed in range(1, 5):
    folder = os.path.join(work, str(seed))
    os.mkdir(folder)
    subprocess.run([record_games, folder, str(seed)], check=True)
    games += [open(os.path.join(folder, kind + ".vorlane-replay"), "rb").read() for kind in ("standard", "slow-missile")]
db = Postgres()
failures = []


def check(what, got, expected):
    if got != expected:
        failures.append(f"{what}: {got!r}, expected {expected!r}")


def serve():
    port = free_port()
    server = subprocess.Popen([hall, "--listen", f"127.0.0.1:{port}", "--database", db.url, "--provers", "0"],
                              stdout=subprocess.PIPE, text=True)
    assert server.stdout.readline() == f"vorlane-hall: serving on http://127.0.0.1:{port}/\n"
    return server, port


def prover():
    process = subprocess.Popen([hall, "prove", "--database", db.url, "--provers", "1"], stdout=subprocess.PIPE,
                               text=True)
    assert process.stdout.readline() == "vorlane-hall: proving, 1 at a time\n"
    return process


def ask(port, method, path, body=None):
    connection = http.client.HTTPConnection("127.0.0.1", port, timeout=30)
    connection.request(method, path, body)
    answer = connection.getresponse()
    return answer.status, dict(answer.getheaders()), answer.read()


def send(port, replay):
    status, _, body = ask(port, "POST", "/api/replays", replay)
    return status, json.loads(body).get("id")


def psql(query):
    return subprocess.run(["psql", "-At", db.url, "-c", query], check=True, capture_output=True,
                          text=True).stdout.split()


(first, port_a), (second, port_b) = serve(), serve()
provers = [prover(), prover()]

# Six games, sent three to each server at once; one prover is killed as
# soon as it holds a claim, in the middle of a proof.
answers = []


def send_kept(port, replay):
    answers.append(send(port, replay))


uploads = [threading.Thread(target=send_kept, args=((port_a, port_b)[n % 2], replay))
           for n, replay in enumerate(games[:6])]
for upload in uploads:
    upload.start()
victim = provers[0]
deadline = time.monotonic() + 30
while not psql(f"SELECT entry FROM jobs WHERE claimed_by LIKE '%/{victim.pid}'") and time.monotonic() < deadline:
    time.sleep(0.005)
victim.kill()
victim.wait()
check("the prover was killed holding a claim", time.monotonic() < deadline, True)

# The same bytes to both servers at the same moment.
both = []
twins = [threading.Thread(target=lambda port: both.append(send(port, games[6])), args=(port,))
         for port in (port_a, port_b)]
for twin in twins:
    twin.start()
for thread in uploads + twins:
    thread.join()
check("the same bytes to both", (len({id for _, id in both}), sorted(status for status, _ in both)[-1] in (201, 202)),
      (1, True))

answered = {id for status, id in answers + both if status in (200, 201, 202)}
check("every upload answered", len(answered), 7)
deadline = time.monotonic() + 60
while psql("SELECT count(*) FROM entries WHERE status = 'queued'") != ["0"] and time.monotonic() < deadline:
    time.sleep(0.1)
rows = psql("SELECT id FROM entries WHERE status = 'verified'")
check("each answered upload proven once", sorted(map(int, rows)), sorted(answered))
boards = [ask(port, "GET", "/api/entries?board=medium-med-10-low-slow-25ms")[2] for port in (port_a, port_b)]
check("both servers show one board", (boards[0] == boards[1], len(json.loads(boards[0])) > 0), (True, True))

# PostgreSQL stopped under the servers: 503 with Retry-After, soon, on
# pages and the interface alike, then the hall as before once it is back.
db.stop()
for path in ("/", "/api/entries"):
    began = time.monotonic()
    status, headers, _ = ask(port_a, "GET", path)
    check(f"{path} while the database is away", (status, "Retry-After" in headers, time.monotonic() - began < 15),
          (503, True, True))
db.start()
deadline = time.monotonic() + 30
while ask(port_b, "GET", "/api/entries")[0] != 200 and time.monotonic() < deadline:
    time.sleep(0.1)
status, id = send(port_b, games[7])
deadline = time.monotonic() + 60
while psql(f"SELECT status FROM entries WHERE id = {id}") == ["queued"] and time.monotonic() < deadline:
    time.sleep(0.1)
check("a game sent once the database is back",
      (status in (201, 202), psql(f"SELECT status FROM entries WHERE id = {id}")), (True, ["verified"]))
check("the board read once the database is back", ask(port_a, "GET", "/api/entries?board=medium-med-10-low-slow-25ms")[2],
      boards[0])

# A database that answers nothing at all, its connections open: 503 in
# the time a statement is given, then the hall as before once it answers.
db.pause(signal.SIGSTOP)
began = time.monotonic()
status, headers, _ = ask(port_a, "GET", "/api/entries")
check("a database that answers nothing", (status, "Retry-After" in headers, time.monotonic() - began < 15),
      (503, True, True))
db.pause(signal.SIGCONT)
deadline = time.monotonic() + 30
while ask(port_a, "GET", "/api/entries")[0] != 200 and time.monotonic() < deadline:
    time.sleep(0.1)
check("the board read once it answers", ask(port_a, "GET", "/api/entries?board=medium-med-10-low-slow-25ms")[2],
      boards[0])

for process in (first, second, provers[1]):
    process.send_signal(signal.SIGTERM)
    check("SIGTERM", process.wait(timeout=30), 0)
for failure in failures:
    print("FAIL:", failure)
sys.exit(1 if failures else 0)
