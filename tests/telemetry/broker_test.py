#!/usr/bin/env python3
"""Radlog's headless demo against a real Mosquitto broker on 127.0.0.1.

Checks one record message per stored cycle with its time and PPFD, the retained status and
discovery messages, the store-failed alert, no lost record and unchanged cycle times across
a broker restart, and the last will after a kill. Against simulated sensors in processes of
their own (qs-sim): the alerts for a sensor that stops answering and answers again, and for
one not ready at the start. Usage: broker_test.py RADLOG RSDTOOL QS_SIM SCRATCH
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
from datetime import datetime

RADLOG, RSDTOOL, QS_SIM, SCRATCH = sys.argv[1:5]
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

    def stop(self, sig=signal.SIGTERM):
        if self.process.poll() is None:
            self.process.send_signal(sig)
            self.process.wait(DEADLINE)
        self.out.close()


class Subscriber(Process):
    """mosquitto_sub printing topic and payload of every message, one per line."""

    def __init__(self, folder, port, name):
        super().__init__(os.path.join(folder, name + ".txt"), [
            "mosquitto_sub", "-h", "127.0.0.1", "-p", str(port), "-q", "1", "-v", "-t", "#",
            "-c", "-i", "radlog-test-" + name])

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


class Radlog(Process):
    """Headless radlog: the demo's simulated sensors, or sensors (Sensor) in the profile."""

    def __init__(self, folder, port, name, sensors=()):
        self.profile = os.path.join(folder, name + ".ini")
        self.demo_folder = None
        with open(self.profile, "w") as f:
            f.write("[MQTT]\nHOST=127.0.0.1\nPORT=%d\nSTATION=%s\nDISCOVERY=1\n"
                    "OFFLINEALERT=1\n" % (port, STATION))
            if sensors:
                self.demo_folder = os.path.join(folder, "data") + "/"
                os.makedirs(self.demo_folder)
                rows = [(s.model.replace("-", ""), n + 1, s.device()) for n, s in enumerate(sensors)]
                f.write("[INT]\nMEAS_TYPE=0\nSTART=0\nEND=86399\nINT=1\nAUTO=1\n"
                        "[DIR]\nRSD=%s\nCSV=%s\n[USE]\n" % (self.demo_folder, self.demo_folder))
                f.write("".join("%s=1\n" % key for key, _, _ in rows) + "[COM]\n")
                f.write("".join("%s=%d\n" % (key, n) for key, n, _ in rows) + "[PORTS]\n")
                f.write("".join("COM%d=%s\n" % (n, device) for _, n, device in rows))
        # Daylight at any hour: at night the exposures grow to seconds and the cycles with them.
        source = (["--interval"] if sensors
                  else ["--demo", "--sky", "noon", "--interval-seconds", "1"])
        super().__init__(os.path.join(folder, name + ".out"),
                         [RADLOG, "--headless", "--profile", self.profile] + source,
                         stderr=subprocess.STDOUT)

    def says(self, text):
        wait_for(text, lambda: text in "\n".join(self.lines()))

    def folder(self):
        lines = wait_for("the demo banner", self.lines)
        self.demo_folder = lines[0].rsplit("files in ", 1)[1]
        return self.demo_folder

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
        self.sensors = []

    def start_radlog(self, sensors=()):
        """The demo, or Radlog measuring sensors of qs-sim."""
        self.sensors = [Sensor(self.folder, model, silent) for model, silent in sensors]
        radlog = Radlog(self.folder, self.port, "station", self.sensors)
        self.radlogs.append(radlog)
        return radlog

    def tearDown(self):
        for radlog in self.radlogs:
            radlog.stop(signal.SIGKILL)
            shutil.rmtree(radlog.demo_folder or "/nonexistent", ignore_errors=True)
        for sensor in self.sensors:
            sensor.stop()
        self.sub.stop()
        self.broker.stop()

    def records(self):
        return [json.loads(p) for p in self.sub.payloads(BASE + "record")]

    def alerts(self, kind, sensor):
        return [alert for alert in map(json.loads, self.sub.payloads(BASE + "alert"))
                if alert["alert"] == kind and alert.get("sensor") == sensor]

    def records_after(self, count, models):
        """Records after the first count ones whose sensors are exactly models."""
        return [r for r in self.records()[count:]
                if sorted(s["model"] for s in r["sensors"]) == sorted(models)]

    def test_records_status_discovery_and_restart(self):
        radlog = self.start_radlog()
        folder = radlog.folder()
        wait_for("three records", lambda: len(self.records()) >= 3)
        self.assertIn("online", self.sub.payloads(BASE + "status"))
        configs = [t for t, _ in self.sub.messages() if t.startswith("homeassistant/sensor/")]
        for entity in ("ppfd", "par", "illuminance", "uv_index", "dli", "QS100_status",
                       "QS300_status"):
            self.assertIn("homeassistant/sensor/radlog_st1/%s/config" % entity, configs)

        # The broker goes away for a few cycles and comes back at the same address.
        self.broker.stop()
        before = len(self.records())
        stored_before = set(day_file_ppfd(folder))
        wait_for("five cycles stored without the broker",
                 lambda: len(day_file_ppfd(folder)) >= len(stored_before) + 5)
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
                seconds = int(datetime.fromisoformat(message["time"]).timestamp())
                by_time.setdefault(seconds, message)
            return len(by_time) == len(stored)

        wait_for("every stored record on the subscriber", all_published)
        for t, message in by_time.items():
            local = time.strftime("%Y/%m/%d %H:%M:%S", time.localtime(t))
            self.assertIn(local, stored)
            self.assertAlmostEqual(message["quantities"]["ppfd"], stored[local], delta=0.06)
        self.assertEqual(self.sub.payloads(BASE + "status")[-1], "offline")
        self.assertIn("MQTT BROKER BACK", "\n".join(radlog.lines()))

        # The cycles kept their one-second slots while the broker was away: publishing never
        # held the acquisition up (a wait for the network would leave slots out every cycle).
        def seconds(local):
            return time.mktime(time.strptime(local, "%Y/%m/%d %H:%M:%S"))
        during = sorted(seconds(t) for t in set(stored) - stored_before)[:5]
        steps = sorted(b - a for a, b in zip(during, during[1:]))
        self.assertEqual(steps[len(steps) // 2], 1, steps)

    def test_store_failed_alert_and_last_will_after_a_kill(self):
        radlog = self.start_radlog()
        folder = radlog.folder()
        wait_for("a record", self.records)
        # A folder standing where the day file belongs: the day file cannot be written.
        day_file = wait_for("the day file", lambda: day_files(folder))[0]
        os.remove(day_file)
        os.mkdir(day_file)
        alerts = wait_for("the store alert", lambda: self.alerts("store_failed", None))
        self.assertTrue(alerts[0]["time"])
        radlog.says("ALERT store_failed")
        radlog.stop(signal.SIGKILL)
        wait_for("the last will",
                 lambda: self.sub.payloads(BASE + "status")[-1:] == ["offline"])

    def test_a_silenced_sensor_is_lost_and_back(self):
        radlog = self.start_radlog([("QS-100", False), ("QS-300", False)])
        wait_for("records of both sensors",
                 lambda: len(self.records_after(0, ["QS-100", "QS-300"])) >= 2)
        qs300 = self.sensors[1]
        qs300.process.send_signal(signal.SIGSTOP)
        lost = wait_for("the lost alert", lambda: self.alerts("sensor_lost", "QS-300"))
        self.assertTrue(lost[0]["time"])
        radlog.says("ALERT sensor_lost QS-300")
        # The other sensor goes on measuring.
        count = len(self.records())
        wait_for("records of the QS-100 alone", lambda: self.records_after(count, ["QS-100"]))
        qs300.process.send_signal(signal.SIGCONT)
        wait_for("the back alert", lambda: self.alerts("sensor_back", "QS-300"))
        count = len(self.records())
        wait_for("records of both again",
                 lambda: self.records_after(count, ["QS-100", "QS-300"]))
        self.assertEqual(len(self.alerts("sensor_lost", "QS-300")), 1)
        self.assertEqual(self.alerts("sensor_lost", "QS-100"), [])

    def test_a_sensor_not_ready_at_the_start(self):
        radlog = self.start_radlog([("QS-100", False), ("QS-300", True)])
        alert = wait_for("the not-ready alert", lambda: self.alerts("sensor_not_ready", "QS-300"))
        self.assertTrue(alert[0]["detail"])
        radlog.says("ALERT sensor_not_ready QS-300")
        wait_for("records of the QS-100 alone",
                 lambda: len(self.records_after(0, ["QS-100"])) >= 2)
        self.assertEqual(self.alerts("sensor_not_ready", "QS-100"), [])
        self.assertEqual(self.alerts("sensor_lost", "QS-300"), [])


if __name__ == "__main__":
    unittest.main(argv=[sys.argv[0]], verbosity=2)
