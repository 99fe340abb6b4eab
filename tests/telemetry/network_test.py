#!/usr/bin/env python3
"""Radlog's station network against real Mosquitto brokers on 127.0.0.1: a stop while the
broker never answers, memos in legacy encodings, the broker's reasons for refusing a login or
a TLS link (a client certificate among them), records queued across a restart of both the
broker and the station, and the Home Assistant commands. Usage: network_test.py RADLOG RSDTOOL
QS_SIM SCRATCH
"""
import json
import os
import socket
import subprocess
import sys
import unittest

from broker_harness import RADLOG, BrokerCase, day_file_ppfd, local_time, run, wait_for

STOP_LIMIT = 2.0  # seconds from SIGTERM to exit, whatever the network does


class NetworkTest(BrokerCase):
    def test_a_stop_never_waits_for_a_broker_that_does_not_answer(self):
        # A listener whose accept queue is full drops every new SYN, as a dead uplink does.
        listener = socket.socket()
        listener.bind(("127.0.0.1", self.port))
        listener.listen(0)
        self.cleanup.append(listener.close)
        for _ in range(3):
            filler = socket.socket()
            filler.setblocking(False)
            filler.connect_ex(("127.0.0.1", self.port))
            self.cleanup.append(filler.close)
        station = self.station("st", b"STATION=st\nOFFLINEALERT=1\n")
        station.says("MQTT BROKER UNREACHABLE 127.0.0.1:%d" % self.port)
        station.says("LIGHT PPFD")
        self.assertLess(station.stop_within(STOP_LIMIT), STOP_LIMIT)
        self.assertIn("APP CLOSE", station.text())

    def test_memos_in_legacy_encodings_are_valid_utf8(self):
        self.broker()
        sub = self.subscriber()
        memos = {"latin": (b"Caf\xe9 \xe0 Z\xfcrich", "Caf\u00e9 \u00e0 Z\u00fcrich"),
                 "sjis": (b"\x93\xfa\x8c\xf5\x83\x5a\x83\x93\x83\x54", "\u65e5\u5149\u30bb\u30f3\u30b5")}
        for name, (memo, _) in memos.items():
            self.station(name, b"STATION=%s\n" % name.encode(), b"[MEAS]\nMEMO=" + memo + b"\n")

        def memo_of(name):
            with open(sub.path, "rb") as f:
                for line in f.read().splitlines():
                    topic, _, payload = line.partition(b" ")
                    if topic == b"radlog/%s/record" % name.encode():
                        return json.loads(payload.decode("utf-8"))["memo"]  # strict UTF-8
            return None

        for name, (_, text) in memos.items():
            self.assertEqual(wait_for("a record of " + name, lambda: memo_of(name)), text)

    def test_the_brokers_reason_at_the_first_failure(self):
        certs = self.make_certificates()
        passwd = password_file(self.folder, {"gh1": "right"})
        self.broker("password_file %s\ncafile %s\ncertfile %s\nkeyfile %s\nrequire_certificate true\n"
                    % (passwd, certs["ca.crt"], certs["server.crt"], certs["server.key"]))
        tls = b"TLS=1\nCAFILE=%s\n" % certs["ca.crt"].encode()
        client = b"CERTFILE=%s\nKEYFILE=%s\n" % (certs["client.crt"].encode(),
                                                 certs["client.key"].encode())
        cases = {
            "wrong": (tls + client + b"USER=gh1\nPASSWORD=wrong\n", "MQTT BROKER REFUSED"),
            "nouser": (tls + client, "MQTT BROKER REFUSED"),
            "untrusted": (b"TLS=1\nCAFILE=%s\nUSER=gh1\nPASSWORD=right\n"
                          % certs["other.crt"].encode() + client, "certificate verify failed"),
            "plain": (b"USER=gh1\nPASSWORD=right\n", "MQTT BROKER CLOSED"),
            # The broker asks for a client certificate: the reason names the setting.
            "nocert": (tls + b"USER=gh1\nPASSWORD=right\n",
                       "MQTT BROKER CLOSED 127.0.0.1:%d: " % self.port),
        }
        # OFFLINEALERT stays at its 300 s: the reason must not wait for it.
        stations = {name: self.station(name, b"STATION=%s\n" % name.encode() + mqtt)
                    for name, (mqtt, _) in cases.items()}
        for name, (_, reason) in cases.items():
            stations[name].says(reason)
        self.assertIn("CERTFILE", stations["nocert"].text())
        good = self.station("good", b"STATION=good\nUSER=gh1\nPASSWORD=right\n" + tls + client)
        good.says("LIGHT PPFD")
        check = run([RADLOG, "--headless", "--check", "--profile", good.profile])
        self.assertIn("OK   MQTT broker 127.0.0.1:%d (TLS): logged in" % self.port, check.stdout)
        self.assertNotIn("MQTT BROKER", good.text())
        check = run([RADLOG, "--headless", "--check", "--profile", stations["wrong"].profile])
        self.assertIn("FAIL MQTT BROKER REFUSED", check.stdout)
        self.assertEqual(check.returncode, 1)
        for station in stations.values():
            self.assertNotIn("UNREACHABLE", station.text())

    def make_certificates(self):
        """A CA with a server certificate for 127.0.0.1 and a client certificate, and an
        unrelated second CA."""
        paths = {name + "." + part: os.path.join(self.folder, name + "." + part)
                 for name in ("ca", "other", "server", "client") for part in ("key", "csr", "crt")}
        paths["san.ext"] = os.path.join(self.folder, "san.ext")
        with open(paths["san.ext"], "w") as f:
            f.write("subjectAltName=IP:127.0.0.1\n")

        def openssl(*args):
            subprocess.run(("openssl",) + args, check=True, capture_output=True)
        for ca in ("ca", "other"):
            openssl("req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2", "-subj",
                    "/CN=test " + ca, "-keyout", paths[ca + ".key"], "-out", paths[ca + ".crt"])
        for name in ("server", "client"):
            openssl("req", "-newkey", "rsa:2048", "-nodes", "-subj", "/CN=127.0.0.1", "-keyout",
                    paths[name + ".key"], "-out", paths[name + ".csr"])
            openssl("x509", "-req", "-in", paths[name + ".csr"], "-CA", paths["ca.crt"], "-CAkey",
                    paths["ca.key"], "-CAcreateserial", "-days", "2", "-extfile",
                    paths["san.ext"], "-out", paths[name + ".crt"])
        return paths

    def test_records_queued_while_the_broker_is_down_survive_a_station_restart(self):
        broker = self.broker()
        sub = self.subscriber()
        _, more, data = self.sensors([("QS-100", False)])
        station = self.station("first", b"STATION=st\n", more, ("--interval",))
        wait_for("a record", lambda: sub.payloads("radlog/st/record"))
        broker.stop()
        stored = len(stored_times(data))
        wait_for("records stored without the broker", lambda: len(stored_times(data)) >= stored + 4)
        self.assertLess(station.stop_within(STOP_LIMIT), STOP_LIMIT)
        self.assertTrue(os.path.getsize(os.path.join(data, "MQTT.QUEUE")) > 0)
        station = self.station("second", b"STATION=st\n", more, ("--interval",))
        station.says("Measurement OK")
        broker.start()

        def published():
            return {local_time(json.loads(p)["time"]) for p in sub.payloads("radlog/st/record")}

        wait_for("every stored record", lambda: stored_times(data) <= published())
        times = [json.loads(p)["time"] for p in sub.payloads("radlog/st/record")]
        self.assertEqual(len(times), len(set(times)), "no record twice")

    def test_a_station_name_that_cannot_be_a_topic_is_refused_at_the_start(self):
        for name in (b"gh/1", b"gh#1", b"gh+1"):
            profile = os.path.join(self.folder, "refused.ini")
            with open(profile, "wb") as f:
                f.write(b"[MQTT]\nHOST=127.0.0.1\nPORT=%d\nSTATION=%s\n" % (self.port, name))
            result = run([RADLOG, "--headless", "--profile", profile, "--demo"])
            self.assertEqual(result.returncode, 2, name)
            self.assertIn("STATION \"%s\" cannot stand in a topic" % name.decode(), result.stderr)
            self.assertEqual(result.stdout, "")  # nothing measured

    def test_home_assistant_birth_and_removal(self):
        self.broker()
        sub = self.subscriber()
        station = self.station("st", b"STATION=st\nDISCOVERY=1\nDISCOVERYPREFIX=ha\n")
        config = "ha/sensor/radlog_st/ppfd/config"
        wait_for("the discovery", lambda: sub.payloads(config))
        check_discovery(self, sub)
        run(["mosquitto_pub", "-h", "127.0.0.1", "-p", str(self.port), "-t", "ha/status",
             "-m", "online"])
        wait_for("the discovery again", lambda: len(sub.payloads(config)) >= 2)
        station.stop()
        removed = run([RADLOG, "--headless", "--remove-discovery", "--profile", station.profile])
        self.assertEqual(removed.returncode, 0, removed.stderr)
        left = run(["mosquitto_sub", "-h", "127.0.0.1", "-p", str(self.port), "-t", "ha/#",
                    "--retained-only", "-W", "1", "-v"])
        # -W ends it with status 27 when nothing came; a failed connection is another status.
        self.assertEqual((left.returncode, left.stdout), (27, ""), left.stderr)


class DocumentedSetup(BrokerCase):
    """The broker set up as docs/station-network.md says delivers to every reader."""

    def test_the_acl_lets_the_station_write_and_the_readers_read(self):
        docs = os.path.join(os.path.dirname(__file__), "..", "..", "docs", "station-network.md")
        with open(docs) as f:
            acl = next(b for b in f.read().split("```") if "pattern write radlog/%u/#" in b)
        with open(os.path.join(self.folder, "acl"), "w") as f:
            f.write(acl)
        users = ("gh1", "telegraf", "homeassistant")
        passwd = password_file(self.folder, {user: "pw-" + user for user in users})
        self.broker("password_file %s\nacl_file %s/acl\n" % (passwd, self.folder))
        telegraf, hass = (self.subscriber(user, topic, ("-u", user, "-P", "pw-" + user))
                          for user, topic in (("telegraf", "radlog/+/record"),
                                              ("homeassistant", "homeassistant/#")))
        self.station("gh1", b"STATION=gh1\nUSER=gh1\nPASSWORD=pw-gh1\nDISCOVERY=1\n")
        wait_for("a record for telegraf", telegraf.messages)
        config = "homeassistant/sensor/radlog_gh1/ppfd/config"
        wait_for("discovery for Home Assistant", lambda: hass.payloads(config))
        # Home Assistant's birth reaches the station, which announces itself again.
        run(["mosquitto_pub", "-h", "127.0.0.1", "-p", str(self.port), "-u", "homeassistant",
             "-P", "pw-homeassistant", "-t", "homeassistant/status", "-m", "online"])
        wait_for("discovery again", lambda: len(hass.payloads(config)) >= 2)


# Home Assistant's documented MQTT discovery options (sensor, binary_sensor) that these
# messages use, and the device and origin fields.
SENSOR_FIELDS = {"name", "unique_id", "state_topic", "value_template", "availability_topic",
                 "unit_of_measurement", "state_class", "device_class", "expire_after", "device",
                 "origin", "json_attributes_topic", "json_attributes_template"}
DEVICE_FIELDS = {"identifiers", "name", "manufacturer", "model", "sw_version"}
ORIGIN_FIELDS = {"name", "sw_version", "support_url"}
STATE_CLASSES = {"measurement", "total", "total_increasing"}
BINARY_DEVICE_CLASSES = {"problem"}


def check_discovery(test, sub):
    configs = {t: json.loads(p) for t, p in sub.messages() if t.endswith("/config")}
    test.assertTrue(configs)
    for topic, config in configs.items():
        component = topic.split("/")[1]
        test.assertIn(component, ("sensor", "binary_sensor"))
        test.assertLessEqual(set(config), SENSOR_FIELDS, topic)
        test.assertLessEqual(set(config["device"]), DEVICE_FIELDS, topic)
        test.assertLessEqual(set(config["origin"]), ORIGIN_FIELDS, topic)
        test.assertIn("name", config["origin"])
        if "state_class" in config:
            test.assertIn(config["state_class"], STATE_CLASSES, topic)
            test.assertEqual(component, "sensor")
        if component == "binary_sensor":
            test.assertIn(config["device_class"], BINARY_DEVICE_CLASSES)
            test.assertNotIn("unit_of_measurement", config)
        if "expire_after" in config:
            test.assertIsInstance(config["expire_after"], int)
            test.assertGreater(config["expire_after"], 0)


def password_file(folder, logins):
    """A Mosquitto password file of {user: password}."""
    path = os.path.join(folder, "passwd")
    for n, (user, password) in enumerate(logins.items()):
        subprocess.run(["mosquitto_passwd"] + ["-c"] * (n == 0) + ["-b", path, user, password],
                       check=True, capture_output=True)
    return path


def stored_times(folder):
    """Local times ("YYYY/MM/DD HH:MM:SS") of every record of the day files."""
    return set(day_file_ppfd(folder))


if __name__ == "__main__":
    unittest.main(argv=[sys.argv[0]], verbosity=2)
