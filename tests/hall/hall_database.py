"""The database a hall test runs on: a file of SQLite in the test's folder,
or a PostgreSQL of the test's own, made with initdb in a temporary folder
and served on a free loopback port (as nobody when the test runs as root,
since PostgreSQL refuses to run as root), stopped when the test ends.
Either answers the URL for --database, runs a statement and gives the status
of every entry; PostgreSQL can be stopped, started and frozen under the halls."""
import atexit
import os
import shutil
import socket
import sqlite3
import subprocess
import tempfile

BIN = "/usr/lib/postgresql/15/bin"


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


class Sqlite:
    def __init__(self, folder):
        self.path = os.path.join(folder, "hall.sqlite")
        self.url = "sqlite:" + self.path

    def execute(self, sql):
        with sqlite3.connect(self.path) as db:
            return [[str(value) for value in row] for row in db.execute(sql)]

    def statuses(self):
        with sqlite3.connect(self.path) as db:
            return dict(db.execute("SELECT id, status FROM entries"))


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

    def run(self, *command):
        subprocess.run([*self.as_owner, *command], check=True, stdout=subprocess.DEVNULL, cwd=self.folder)

    def start(self):
        self.run(f"{BIN}/pg_ctl", "-D", self.data, "-w", "-l", os.path.join(self.folder, "log"), "-o",
                 f"-p {self.port} -k {self.folder} -c listen_addresses=127.0.0.1 -c fsync=off", "start")

    def stop(self):
        self.run(f"{BIN}/pg_ctl", "-D", self.data, "-w", "-m", "fast", "stop")

    def pause(self, signal):
        """SIGSTOP: the server and its backends stop answering at all, the
        connections left open; SIGCONT: they go on."""
        postmaster = open(os.path.join(self.data, "postmaster.pid")).readline().strip()
        backends = subprocess.run(["pgrep", "-P", postmaster], capture_output=True, text=True).stdout.split()
        for pid in [postmaster, *backends]:
            os.kill(int(pid), signal)

    def remove(self):
        subprocess.run([*self.as_owner, f"{BIN}/pg_ctl", "-D", self.data, "-m", "immediate", "stop"],
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        shutil.rmtree(self.folder, ignore_errors=True)

    def execute(self, sql):
        lines = subprocess.run(["psql", "-At", "-F", " ", self.url, "-c", sql],
                               check=True, capture_output=True, text=True).stdout.splitlines()
        return [line.split(" ") for line in lines]

    def statuses(self):
        return {int(id): status for id, status in self.execute("SELECT id, status FROM entries")}


def database(kind, folder):
    return Postgres() if kind == "postgresql" else Sqlite(folder)
