# What the hall's tests (and its load figures) share: a real vorlane-hall
# on a free loopback port, asked over HTTP and sent the games record_games
# recorded or bytes altered from them, every check kept to be told at the end;
# and the database it runs on: a file of SQLite in the test's folder, or a
# PostgreSQL of the test's own, made with initdb in a temporary folder and
# served on a free loopback port (as nobody when the test runs as root, since
# PostgreSQL refuses to run as root), which can be stopped, started and frozen
# under the halls.
import atexit, http.client, json, os, shutil, signal, socket, sqlite3, struct, subprocess, sys, tempfile, time, zlib

BIN = "/usr/lib/postgresql/15/bin"
work = tempfile.mkdtemp()
atexit.register(shutil.rmtree, work, True)
failures = []


def check(what, got, expected):
    if got != expected:
        failures.append(f"{what}: {got!r}, expected {expected!r}")


def finish():
    for failure in failures:
        print("FAIL:", failure)
    sys.exit(1 if failures else 0)


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


# What done() gave last: its first true answer, or its last false one.
def wait_until(done, seconds=60, every=0.1):
    deadline = time.monotonic() + seconds
    while not (found := done()) and time.monotonic() < deadline:
        time.sleep(every)
    return found


def record(record_games, folder=work, *seed):  # the games record_games describes, by name
    subprocess.run([record_games, folder, *seed], check=True)
    return {name: open(os.path.join(folder, name + ".vorlane-replay"), "rb").read()
            for name in ("standard", "slow-missile", "no-start")}


def reframed(replay, offset, change):
    body = bytearray(replay[14:-4])
    body[offset] ^= change
    return replay[:14] + bytes(body) + struct.pack("<I", zlib.crc32(body))


def tampered(replay, change=1):  # one byte of the last record changed and the checksum mended
    return reframed(replay, len(replay) - 20, change)


# The same game with the date in its file (after the game's version and the
# pictures' digest) a few ms apart: other bytes, the same play.
def dated_apart(replay, ms=1):
    body = replay[14:-4]
    return reframed(replay, 1 + body[0] + 1 + body[1 + body[0]], ms << 1)


class Hall:
    def __init__(self, program, *options, port=None, env=None):
        self.port = port or free_port()
        self.process = subprocess.Popen([program, "--listen", f"127.0.0.1:{self.port}", *options],
                                        stdout=subprocess.PIPE, text=True, env=env)
        assert self.process.stdout.readline() == f"vorlane-hall: serving on http://127.0.0.1:{self.port}/\n"

    def ask(self, method, path, body=None, headers={}, source=None):
        connection = http.client.HTTPConnection("127.0.0.1", self.port, timeout=60, source_address=source)
        connection.request(method, path, body, headers)
        answer = connection.getresponse()
        return answer.status, dict(answer.getheaders()), answer.read()

    def get(self, path):
        body = self.ask("GET", path)[2]
        return json.loads(body) if path.startswith("/api/") else body.decode()

    def send(self, replay, query=""):
        status, headers, body = self.ask("POST", "/api/replays" + query, replay)
        return status, headers, json.loads(body)

    def stop(self):
        self.process.send_signal(signal.SIGTERM)
        return self.process.wait(timeout=30)


class Sqlite:
    def __init__(self, folder):
        self.path = os.path.join(folder, "hall.sqlite")
        self.url = "sqlite:" + self.path

    def execute(self, sql):
        with sqlite3.connect(self.path) as db:
            return [[str(value) for value in row] for row in db.execute(sql)]


class Postgres:
    def __init__(self):
        self.folder = tempfile.mkdtemp(prefix="hall-postgres-")
        self.data = os.path.join(self.folder, "data")
        self.port = free_port()
        self.url = f"postgresql://hall@127.0.0.1:{self.port}/hall"
        self.as_owner = ["runuser", "-u", "nobody", "--"] if os.geteuid() == 0 else []
        if self.as_owner:
            shutil.chown(self.folder, "nobody")
        self.run(f"{BIN}/initdb", "-D", self.data, "-U", "hall", "-A", "trust", "--no-sync")
        atexit.register(self.remove)
        self.start()
        self.run(f"{BIN}/createdb", "-h", "127.0.0.1", "-p", str(self.port), "-U", "hall", "hall")

    def run(self, *command, check=True):
        subprocess.run([*self.as_owner, *command], check=check, stdout=subprocess.DEVNULL,
                       stderr=None if check else subprocess.DEVNULL, cwd=self.folder)

    def start(self):
        self.run(f"{BIN}/pg_ctl", "-D", self.data, "-w", "-l", os.path.join(self.folder, "log"), "-o",
                 f"-p {self.port} -k {self.folder} -c listen_addresses=127.0.0.1 -c fsync=off", "start")

    def stop(self, mode="fast", check=True):
        self.run(f"{BIN}/pg_ctl", "-D", self.data, "-w", "-m", mode, "stop", check=check)

    # SIGSTOP: the server and its backends stop answering at all, the
    # connections left open; SIGCONT: they go on.
    def pause(self, signal):
        postmaster = open(os.path.join(self.data, "postmaster.pid")).readline().strip()
        backends = subprocess.run(["pgrep", "-P", postmaster], capture_output=True, text=True).stdout.split()
        for pid in [postmaster, *backends]:
            os.kill(int(pid), signal)

    def remove(self):
        self.stop("immediate", check=False)
        shutil.rmtree(self.folder, ignore_errors=True)

    def execute(self, sql):
        lines = subprocess.run(["psql", "-At", "-F", " ", self.url, "-c", sql],
                               check=True, capture_output=True, text=True).stdout.splitlines()
        return [line.split(" ") for line in lines]


def statuses(db):
    return {int(id): status for id, status in db.execute("SELECT id, status FROM entries")}
