#!/usr/bin/env python3
# One hall on many machines: two servers that prove nothing and two
# provers of their own, all on one PostgreSQL the test starts. Games are sent
# to both servers, the same bytes to both at once, and a prover is killed in
# the middle of a proof: every answered upload is one entry, proven, and
# both servers show the same boards. Then PostgreSQL is stopped under the
# servers, and frozen, and they answer 503 with Retry-After until it is
# back, and go on.
# Usage: hall_many_test.py VORLANE_HALL RECORD_GAMES
import json, signal, subprocess, sys, threading, time

from hall_database import Hall, Postgres, check, dated_apart, finish, record, wait_until

hall, record_games = sys.argv[1:3]
recorded = record(record_games)
games = [dated_apart(recorded[name], ms) for ms in range(1, 5) for name in ("standard", "slow-missile")]
db = Postgres()
halls = [Hall(hall, "--database", db.url, "--provers", "0") for _ in range(2)]
provers = [subprocess.Popen([hall, "prove", "--database", db.url, "--provers", "1"], stdout=subprocess.PIPE, text=True)
           for _ in range(2)]
for prover in provers:
    assert prover.stdout.readline() == "vorlane-hall: proving, 1 at a time\n"
board = "/api/entries?board=medium-med-10-low-slow-25ms"


def psql(query):
    return [row[0] for row in db.execute(query)]


def send_into(answers, server, replay):
    status, _, answer = server.send(replay)
    answers.append((status, answer.get("id")))


# Six games, sent three to each server at once; one prover is killed as
# soon as it holds a claim, in the middle of a proof; then the same bytes
# to both servers at the same moment.
answers, both = [], []
uploads = [threading.Thread(target=send_into, args=(answers, halls[n % 2], replay)) for n, replay in enumerate(games[:6])]
for upload in uploads:
    upload.start()
claim = wait_until(lambda: psql(f"SELECT entry FROM jobs WHERE claimed_by LIKE '%/{provers[0].pid}'"), 30, 0.005)
provers[0].kill()
provers[0].wait()
check("the prover was killed holding a claim", claim != [], True)
twins = [threading.Thread(target=send_into, args=(both, server, games[6])) for server in halls]
for twin in twins:
    twin.start()
for thread in uploads + twins:
    thread.join()
check("the same bytes to both", (len({id for _, id in both}), max(status for status, _ in both) in (201, 202)), (1, True))
answered = {id for status, id in answers + both if status in (200, 201, 202)}
check("every upload answered", len(answered), 7)
wait_until(lambda: psql("SELECT count(*) FROM entries WHERE status = 'queued'") == ["0"])
check("each answered upload proven once", sorted(map(int, psql("SELECT id FROM entries WHERE status = 'verified'"))),
      sorted(answered))
boards = [server.ask("GET", board)[2] for server in halls]
check("both servers show one board", (boards[0] == boards[1], len(json.loads(boards[0])) > 0), (True, True))


def unavailable(path):  # 503 with Retry-After, soon
    began = time.monotonic()
    status, headers, _ = halls[0].ask("GET", path)
    return status, "Retry-After" in headers, time.monotonic() - began < 15


# PostgreSQL stopped under the servers, on pages and the interface alike,
# then the hall as before once it is back.
db.stop()
check("while the database is away", [unavailable(path) for path in ("/", "/api/entries")], [(503, True, True)] * 2)
db.start()
wait_until(lambda: halls[1].ask("GET", "/api/entries")[0] == 200, 30)
status, _, sent = halls[1].send(games[7])
wait_until(lambda: psql(f"SELECT status FROM entries WHERE id = {sent['id']}") != ["queued"])
check("a game sent once the database is back", (status in (201, 202), psql(f"SELECT status FROM entries WHERE id = "
                                                                            f"{sent['id']}")), (True, ["verified"]))
check("the board read once the database is back", halls[0].ask("GET", board)[2], boards[0])

# A database that answers nothing at all, its connections open: 503 in
# the time a statement is given, then the hall as before once it answers.
db.pause(signal.SIGSTOP)
check("a database that answers nothing", unavailable("/api/entries"), (503, True, True))
db.pause(signal.SIGCONT)
wait_until(lambda: halls[0].ask("GET", "/api/entries")[0] == 200, 30)
check("the board read once it answers", halls[0].ask("GET", board)[2], boards[0])
provers[1].send_signal(signal.SIGTERM)
check("SIGTERM", [server.stop() for server in halls] + [provers[1].wait(timeout=30)], [0, 0, 0])
finish()
