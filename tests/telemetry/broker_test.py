#!/usr/bin/env python3
"""Radlog's headless demo against a real Mosquitto broker on 127.0.0.1.

Checks one record message per stored cycle with its time and PPFD, the retained status and
discovery messages, the store-failed alert, no lost record across a broker restart, and the
last will after a kill. Usage: broker_test.py RADLOG RSDTOOL SCRATCH
"""
import csv
import glob
import json
import os
import pwd
import shutil
import signal
import socket
import subprocess
import sys
import time
import unittest

RADLOG, RSDTOOL, SCRATCH = sys.argv[1:4]
STATION = "st1"
BASE = "radlog/" + STATION + "/"
DEADLINE = 30  # seconds any single wait may take on a loaded machine


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


class Broker:
    def __init__(self, folder, port):
        self.conf = os.path.join(folder, "mosquitto.conf")
        with open(self.conf, "w") as f:
            # Persistent sessions survive a restart, so a subscriber misses nothing that is
            # published between the broker's return and its own reconnection.
            # Run as root, it would switch to the mosquitto user, who cannot write here.
            owner = pwd.getpwuid(os.getuid()).pw_name
            f.write("listener %d 127.0.0.1\nallow_anonymous true\npersistence true\n"
                    "persistence_location %s/\nuser %s\n" % (port, folder, owner))
        self.port = port
        self.process = None

    def start(self):
        self.process = subprocess.Popen(["mosquitto", "-c", self.conf],
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wait_for("the broker", self.accepts)

    def accepts(self):
        try:
            socket.create_connection(("127.0.0.1", self.port), 0.2).close()
            return True
        except OSError:
            return False

    def stop(self):
        if self.process and self.process.poll() is None:
            self.process.terminate()
            self.process.wait()


def messages_in(path):
    with open(path) as f:
        return [tuple(line.rstrip("\n").split(" ", 1)) for line in f if " " in line]


class Subscriber:
    """mosquitto_sub printing topic and payload of every message, one per line."""

    def __init__(self, folder, port, name):
        self.path = os.path.join(folder, name + ".txt")
        self.out = open(self.path, "w")
        self.process = subprocess.Popen(
            ["mosquitto_sub", "-h", "127.0.0.1", "-p", str(port), "-q", "1", "-v", "-t", "#",
             "-c", "-i", "radlog-test-" + name],
            stdout=self.out, stderr=subprocess.DEVNULL)

    def messages(self):
        return messages_in(self.path)

    def payloads(self, topic):
        return [payload for t, payload in self.messages() if t == topic]

    def stop(self):
        self.process.terminate()
        self.process.wait()
        self.out.close()


class Radlog:
    def __init__(self, folder, port, name):
        self.profile = os.path.join(folder, name + ".ini")
        with open(self.profile, "w") as f:
            f.write("[MQTT]\nHOST=127.0.0.1\nPORT=%d\nSTATION=%s\nDISCOVERY=1\n"
                    "OFFLINEALERT=1\n" % (port, STATION))
        self.output = os.path.join(folder, name + ".out")
        self.demo_folder = None
        self.out = open(self.output, "w")
        self.process = subprocess.Popen(
            [RADLOG, "--headless", "--demo", "--interval-seconds", "1", "--profile",
             self.profile], stdout=self.out, stderr=subprocess.STDOUT)

    def lines(self):
        with open(self.output) as f:
            return f.read().splitlines()

    def folder(self):
        lines = wait_for("the demo banner", self.lines)
        self.demo_folder = lines[0].rsplit("files in ", 1)[1]
        return self.demo_folder

    def stop(self, sig=signal.SIGTERM):
        if self.process.poll() is None:
            self.process.send_signal(sig)
            self.process.wait(DEADLINE)
        self.out.close()


def iso_seconds(text):
    """Seconds since 1970 of "2026-06-01T12:00:00+09:00"."""
    from datetime import datetime
    return int(datetime.fromisoformat(text).timestamp())


def day_files(folder):
    return [p for p in glob.glob(os.path.join(folder, "**", "*.*"), recursive=True)
            if p.lower().endswith(".rsd") and os.path.isfile(p)]


def day_file_ppfd(folder):
    """"YYYY/MM/DD HH:MM:SS" -> PPFD of every record of the demo's day files (rsdtool calc-csv)."""
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


class BrokerTest(unittest.TestCase):
    def setUp(self):
        self.folder = os.path.join(SCRATCH, self.id().rsplit(".", 1)[1])
        shutil.rmtree(self.folder, ignore_errors=True)
        os.makedirs(self.folder)
        self.port = free_port()
        self.broker = Broker(self.folder, self.port)
        self.broker.start()
        self.sub = Subscriber(self.folder, self.port, "all")
        self.radlogs = []

    def start_radlog(self):
        radlog = Radlog(self.folder, self.port, "station")
        self.radlogs.append(radlog)
        return radlog, radlog.folder()
    def tearDown(self):
        for radlog in self.radlogs:
            radlog.stop(signal.SIGKILL)
            shutil.rmtree(radlog.demo_folder or "/nonexistent", ignore_errors=True)
        self.sub.stop()
        self.broker.stop()

    def records(self):
        return [json.loads(p) for p in self.sub.payloads(BASE + "record")]

    def test_records_status_discovery_restart_and_store_alert(self):
        radlog, folder = self.start_radlog()
        wait_for("three records", lambda: len(self.records()) >= 3)
        self.assertIn("online", self.sub.payloads(BASE + "status"))
        configs = [t for t, _ in self.sub.messages() if t.startswith("homeassistant/sensor/")]
        for entity in ("ppfd", "par", "illuminance", "uv_index", "dli", "QS100_status",
                       "QS300_status"):
            self.assertIn("homeassistant/sensor/radlog_st1/%s/config" % entity, configs)

        # The broker goes away for a few cycles and comes back at the same address.
        self.broker.stop()
        before = len(self.records())
        stored_before = len(day_file_ppfd(folder))
        wait_for("three cycles stored without the broker",
                 lambda: len(day_file_ppfd(folder)) >= stored_before + 3)
        self.broker.start()
        wait_for("records after the restart", lambda: len(self.records()) >= before + 3)
        radlog.stop()
        wait_for("the offline status", lambda: self.sub.payloads(BASE + "status")[-1:] == ["offline"])
        self.assertGreater(before, 0)

        # Every stored record was published, once per cycle, with its time and PPFD.
        stored = day_file_ppfd(folder)
        self.assertGreaterEqual(len(stored), before + 3)
        by_time = {}

        def all_published():
            for message in self.records():
                by_time.setdefault(iso_seconds(message["time"]), message)
            return len(by_time) == len(stored)

        wait_for("every stored record on the subscriber", all_published)
        times = sorted(by_time)
        self.assertEqual(len(times), len(stored))
        for t, message in by_time.items():
            local = time.strftime("%Y/%m/%d %H:%M:%S", time.localtime(t))
            self.assertIn(local, stored)
            self.assertAlmostEqual(message["quantities"]["ppfd"], stored[local], delta=0.06)
        self.assertEqual(self.sub.payloads(BASE + "status")[-1], "offline")
        self.assertIn("MQTT BROKER BACK", "\n".join(radlog.lines()))

    def test_store_failed_alert_and_last_will_after_a_kill(self):
        radlog, folder = self.start_radlog()
        wait_for("a record", lambda: len(self.records()) >= 1)
        # A folder standing where the day file belongs: the day file cannot be written.
        day_file = wait_for("the day file", lambda: day_files(folder))[0]
        os.remove(day_file)
        os.mkdir(day_file)
        alerts = wait_for("the store alert", lambda: [
            json.loads(p) for p in self.sub.payloads(BASE + "alert")
            if json.loads(p)["alert"] == "store_failed"])
        self.assertTrue(alerts[0]["time"])
        self.assertTrue(any(line.startswith("ALERT store_failed") for line in radlog.lines()))
        radlog.stop(signal.SIGKILL)
        wait_for("the last will",
                 lambda: self.sub.payloads(BASE + "status")[-1:] == ["offline"])


if __name__ == "__main__":
    unittest.main(argv=[sys.argv[0]], verbosity=2)
