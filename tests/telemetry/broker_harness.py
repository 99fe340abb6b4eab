"""The processes of Radlog's tests against real Mosquitto brokers on 127.0.0.1: brokers,
subscribers, simulated sensors (qs-sim) and headless stations, each in a folder of its test.
Both test scripts take the arguments RADLOG RSDTOOL QS_SIM SCRATCH.
"""
import csv
import glob
import os
import pwd
import shutil
import signal
import socket
import subprocess
import sys
import time
import unittest
from datetime import datetime

RADLOG, RSDTOOL, QS_SIM, SCRATCH = sys.argv[1:5]
DEADLINE = 30  # seconds any single wait may take on a loaded machine
# Daylight at any hour: at night the exposures grow to seconds and the cycles and stops with them.
DEMO = ("--demo", "--sky", "noon", "--interval-seconds", "1")


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def wait_for(what, predicate):
    until = time.monotonic() + DEADLINE
    while time.monotonic() < until:
        value = predicate()
        if value:
            return value
        time.sleep(0.1)
    raise AssertionError("timed out waiting for " + what)


def run(argv, timeout=20):
    return subprocess.run(argv, capture_output=True, text=True, timeout=timeout)


class Broker:
    """Mosquitto with anonymous plain MQTT, or with the listener options given (TLS, logins)."""

    def __init__(self, folder, port, options="allow_anonymous true\n"):
        self.conf = os.path.join(folder, "mosquitto.conf")
        with open(self.conf, "w") as f:
            # Persistent sessions survive a restart, so a subscriber misses nothing that is
            # published between the broker's return and its own reconnection.
            # Run as root, it would switch to the mosquitto user, who cannot write here.
            owner = pwd.getpwuid(os.getuid()).pw_name
            f.write("listener %d 127.0.0.1\n%spersistence true\npersistence_location %s/\n"
                    "user %s\n" % (port, options, folder, owner))
        self.port = port
        self.process = None

    def start(self):
        self.process = subprocess.Popen(["mosquitto", "-c", self.conf],
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        def listening():
            with socket.socket() as s:
                return s.connect_ex(("127.0.0.1", self.port)) == 0
        wait_for("the broker", listening)

    def stop(self):
        if self.process and self.process.poll() is None:
            self.process.terminate()
            self.process.wait()


class Process:
    """A program whose standard output goes to a file."""

    def __init__(self, path, argv, stderr=subprocess.DEVNULL):
        self.path = path
        self.out = open(path, "w")
        self.process = subprocess.Popen(argv, stdout=self.out, stderr=stderr)

    def lines(self):
        with open(self.path) as f:
            return f.read().splitlines()

    def text(self):
        return "\n".join(self.lines())

    def says(self, text):
        return wait_for(text, lambda: text in self.text())

    def stop(self, sig=signal.SIGTERM):
        if self.process.poll() is None:
            self.process.send_signal(sig)
            self.process.wait(DEADLINE)
        self.out.close()


class Subscriber(Process):
    """mosquitto_sub printing topic and payload of every message of topic, one per line."""

    def __init__(self, folder, port, name, topic="#", login=()):
        super().__init__(os.path.join(folder, name + ".txt"), [
            "mosquitto_sub", "-h", "127.0.0.1", "-p", str(port), "-q", "1", "-v", "-t", topic,
            "-c", "-i", "radlog-test-" + name] + list(login))

    def messages(self):
        return [tuple(line.split(" ", 1)) for line in self.lines() if " " in line]

    def payloads(self, topic):
        return [payload for t, payload in self.messages() if t == topic]


class Sensor(Process):
    """One simulated sensor in a qs-sim process of its own: SIGSTOP silences it as a sensor
    that stops answering, SIGCONT lets it answer again."""

    def __init__(self, folder, model, silent=False):
        self.model = model
        super().__init__(os.path.join(folder, model + ".sim"),
                         [QS_SIM, "--sky", "noon"] + (["--silent", model] if silent else [])
                         + [model])

    def device(self):
        return wait_for("the simulated " + self.model, lambda: [
            line.split()[1] for line in self.lines() if line.startswith(self.model + " ")])[0]

    def stop(self, sig=signal.SIGTERM):
        self.process.send_signal(signal.SIGCONT)
        super().stop(sig)


def sensor_sections(data, sensors):
    """The profile's sections for measuring sensors (Sensor) every second into the folder data."""
    rows = [(s.model.replace("-", ""), n + 1, s.device()) for n, s in enumerate(sensors)]
    return ("[INT]\nMEAS_TYPE=0\nSTART=0\nEND=86399\nINT=1\nAUTO=1\n[DIR]\nRSD=%s\nCSV=%s\n[USE]\n"
            % (data, data) + "".join("%s=1\n" % key for key, _, _ in rows) + "[COM]\n"
            + "".join("%s=%d\n" % (key, n) for key, n, _ in rows) + "[PORTS]\n"
            + "".join("COM%d=%s\n" % (n, device) for _, n, device in rows)).encode()


class Station(Process):
    """Headless radlog from a profile of [MQTT] lines and more sections."""

    def __init__(self, folder, name, mqtt, more=b"", args=DEMO):
        self.profile = os.path.join(folder, name + ".ini")
        with open(self.profile, "wb") as f:
            f.write(b"[MQTT]\nHOST=127.0.0.1\n" + mqtt + b"\n" + more)
        super().__init__(os.path.join(folder, name + ".out"),
                         [RADLOG, "--headless", "--profile", self.profile] + list(args),
                         stderr=subprocess.STDOUT)

    def demo_folders(self):
        """The demo's folder of day files, from its banner: [] before it, or without the demo."""
        return [line.rsplit("files in ", 1)[1] for line in self.lines() if "files in /" in line]

    def folder(self):
        return wait_for("the demo banner", self.demo_folders)[0]

    def stop_within(self, limit):
        """SIGTERM and the seconds until the process is gone, at most limit + 1."""
        started = time.monotonic()
        self.process.send_signal(signal.SIGTERM)
        try:
            self.process.wait(limit + 1)
        except subprocess.TimeoutExpired:
            pass
        return time.monotonic() - started


def day_files(folder):
    return [p for p in glob.glob(os.path.join(folder, "**", "*.*"), recursive=True)
            if p.lower().endswith(".rsd") and os.path.isfile(p)]


def day_file_ppfd(folder):
    """"YYYY/MM/DD HH:MM:SS" -> PPFD of every record of the day files (rsdtool calc-csv)."""
    values = {}
    for path in day_files(folder):
        out = os.path.join(SCRATCH, "calc.csv")
        subprocess.run([RSDTOOL, "calc-csv", path, out], check=True)
        date = None
        with open(out, newline="", encoding="latin-1") as f:
            for row in csv.reader(f):
                if len(row) == 1 and row[0].count("/") == 2:
                    date = row[0]
                elif row and row[0].count(":") == 2 and date:
                    values[date + " " + row[0]] = float(row[2])
    return values


def local_time(iso):
    """An ISO 8601 time of a message as the day files' "YYYY/MM/DD HH:MM:SS"."""
    return time.strftime("%Y/%m/%d %H:%M:%S",
                         time.localtime(datetime.fromisoformat(iso).timestamp()))


class BrokerCase(unittest.TestCase):
    """A fresh folder and port per test; what a test starts is stopped in reverse order."""

    def setUp(self):
        self.folder = os.path.join(SCRATCH, type(self).__name__, self._testMethodName)
        shutil.rmtree(self.folder, ignore_errors=True)
        os.makedirs(self.folder)
        self.port = free_port()
        self.cleanup = []

    def tearDown(self):
        for stop in reversed(self.cleanup):
            stop()

    def broker(self, *options):
        broker = Broker(self.folder, self.port, *options)
        broker.start()
        self.cleanup.append(broker.stop)
        return broker

    def subscriber(self, name="all", topic="#", login=()):
        sub = Subscriber(self.folder, self.port, name, topic, login)
        self.cleanup.append(sub.stop)
        return sub

    def sensors(self, models):
        """qs-sim sensors of (model, silent) and the profile's sections measuring them."""
        data = os.path.join(self.folder, "data") + "/"
        os.makedirs(data)
        sensors = [Sensor(self.folder, model, silent) for model, silent in models]
        self.cleanup += [sensor.stop for sensor in sensors]
        return sensors, sensor_sections(data, sensors), data

    def station(self, name, mqtt, more=b"", args=DEMO):
        station = Station(self.folder, name, b"PORT=%d\n" % self.port + mqtt, more, args)

        def stop():
            station.stop(signal.SIGKILL)
            for folder in station.demo_folders():
                shutil.rmtree(folder, ignore_errors=True)
        self.cleanup.append(stop)
        return station
