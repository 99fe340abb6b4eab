#!/usr/bin/env python3
"""Radlog's headless demo against a real Mosquitto broker on 127.0.0.1.

Checks one record message per stored cycle with its time and PPFD, the retained status and
discovery messages, the store-failed alert, no lost record and unchanged cycle times across
a broker restart, and the status' and state's last wills after a kill. Against simulated
sensors in processes of their own (qs-sim): the alerts for a sensor that stops answering and
answers again, and for one not ready at the start. Usage: broker_test.py RADLOG RSDTOOL QS_SIM
SCRATCH
"""
import json
import os
import signal
import sys
import time
import unittest

from broker_harness import DEMO, BrokerCase, day_file_ppfd, day_files, local_time, wait_for

STATION = "st1"
BASE = "radlog/" + STATION + "/"


class BrokerTest(BrokerCase):
    def setUp(self):
        super().setUp()
        self.server = self.broker()
        self.sub = self.subscriber()

    def start_radlog(self, sensors=()):
        """The demo, or Radlog measuring qs-sim sensors of (model, silent)."""
        more, args = b"", DEMO
        if sensors:
            self.simulated, more, _ = self.sensors(sensors)
            args = ("--interval",)
        return self.station("station", b"STATION=%s\nDISCOVERY=1\nOFFLINEALERT=1\n"
                            % STATION.encode(), more, args)

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
        self.server.stop()
        before = len(self.records())
        stored_before = set(day_file_ppfd(folder))
        wait_for("five cycles stored without the broker",
                 lambda: len(day_file_ppfd(folder)) >= len(stored_before) + 5)
        self.server.start()
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
                by_time.setdefault(local_time(message["time"]), message)
            return len(by_time) == len(stored)

        wait_for("every stored record on the subscriber", all_published)
        for local, message in by_time.items():
            self.assertIn(local, stored)
            self.assertAlmostEqual(message["quantities"]["ppfd"], stored[local], delta=0.06)
        self.assertEqual(self.sub.payloads(BASE + "status")[-1], "offline")
        self.assertIn("MQTT BROKER BACK", radlog.text())

        # The cycles kept their one-second slots while the broker was away: publishing never
        # held the acquisition up (a wait for the network would leave slots out every cycle).
        def seconds(local):
            return time.mktime(time.strptime(local, "%Y/%m/%d %H:%M:%S"))
        during = sorted(seconds(t) for t in set(stored) - stored_before)[:5]
        steps = sorted(b - a for a, b in zip(during, during[1:]))
        self.assertEqual(steps[len(steps) // 2], 1, steps)

    def test_store_failed_alert_and_last_wills_after_a_kill(self):
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
        wait_for("the running state", lambda: any(
            json.loads(p)["acquisition"] == "running" for p in self.sub.payloads(BASE + "state")))
        radlog.stop(signal.SIGKILL)
        wait_for("the status' last will",
                 lambda: self.sub.payloads(BASE + "status")[-1:] == ["offline"])
        state = wait_for("the state's last will", lambda: [
            json.loads(p) for p in self.sub.payloads(BASE + "state")[-1:]
            if json.loads(p)["acquisition"] == "stopped"])
        self.assertEqual(state[0]["dropped"], None)  # not known after a crash

    def test_a_silenced_sensor_is_lost_and_back(self):
        radlog = self.start_radlog([("QS-100", False), ("QS-300", False)])
        wait_for("records of both sensors",
                 lambda: len(self.records_after(0, ["QS-100", "QS-300"])) >= 2)
        qs300 = self.simulated[1]
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
