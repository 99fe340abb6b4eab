#!/usr/bin/env python3
"""rsdtool netcdf, read back as its users read it (netCDF4 and xarray).

Usage: netcdf_test.py RSDTOOL ARCHIVE_FIXTURE SCRATCH
"""
import csv
import glob
import hashlib
import json
import os
import shutil
import subprocess
import sys
import time
import unittest

import netCDF4
import numpy as np
import xarray as xr

RSDTOOL, FIXTURE, SCRATCH = sys.argv[1:4]
# 144 records a day: days share chunks of 64 records at both ends and hold whole ones
# inside; the last day has no QS-300.
DAYS, RECORDS = 3, 144


def output_lines(argv):
    return subprocess.run(argv, check=True, capture_output=True, text=True).stdout.splitlines()


def core_spectra(day_file, record):
    """The core's spectra of one record at whole nm: {sensor or "Merge": {nm: value}}."""
    spectra = {}
    for line in output_lines([FIXTURE, "spectrum", day_file, str(record)]):
        name, nm, value = line.split()
        spectra.setdefault(name, {})[float(nm)] = float(value)
    return spectra


VARIABLES = {"Merge": "spectral_irradiance", "QS-200": "spectral_irradiance_qs200",
             "QS-300": "spectral_irradiance_qs300"}
# Records (day, index; daylight from index 37 to 107) in whole chunks inside one day (0, 70
# and 1, 60), in chunks shared by two days (0, 130 with 1, 40) and in the last, partly
# filled chunk (2, 100 and 2, 143).
SAMPLED = ((0, 0), (0, 70), (0, 130), (1, 40), (1, 60), (2, 100), (2, RECORDS - 1))


def printed(text):
    """A number as printed: (value, decimals)."""
    return float(text), len(text.split(".")[1]) if "." in text else 0


def rsdtool_json(args):
    """Lines of an rsdtool --json output; each number as printed()."""
    return [json.loads(line, parse_float=printed, parse_int=printed)
            for line in output_lines([RSDTOOL] + args + ["--json"])]


def printed_tolerance(decimals, value):
    """Half a unit of the last digit printed, and float32's rounding of the archive."""
    return 0.5 * 10.0 ** -decimals + 1e-6 * abs(value) + 1e-12


def local_midnight(date):
    """Epoch seconds of 00:00 local time of "YYYY/MM/DD"."""
    return int(time.mktime(time.strptime(date, "%Y/%m/%d")))


def archive_dli(ppfd, start):
    """The DLI of the day from start: trapezoids of PPFD, gaps above twice the median step
    left out, as docs/archive.md shows it."""
    day = ppfd.sel(time=slice(np.datetime64(start, "s"),
                              np.datetime64(start + 86399, "s"))).compute()
    seconds = day["time"].values.astype("datetime64[s]").astype(np.int64)
    steps = np.diff(seconds)
    bridged = steps <= 2 * np.median(steps)
    trapezoids = (day.values[1:] + day.values[:-1]) / 2 * steps
    return float(trapezoids[bridged].sum()) * 1e-6


def spectral_csv(day_file, folder, record):
    """Columns of rsdtool spectral-csv at 1 nm for one record:
    {sensor or "Merge": {nm: printed(cell)}}."""
    profile = os.path.join(folder, "pitch1.ini")
    with open(profile, "w") as f:
        f.write("[SAVE]\nLEFT=300\nRIGHT=1800\nPITCH=1\nQS100=1\nQS200=1\nQS300=1\nQS400=1\n"
                "MERGE=1\n")
    out = os.path.join(folder, "spectral.csv")
    subprocess.run([RSDTOOL, "spectral-csv", "--profile", profile, "--records", str(record),
                    day_file, out], check=True)
    with open(out, newline="", encoding="latin-1") as f:
        rows = list(csv.reader(f))
    sensor_row = next(r for r in rows if r and r[0].startswith("Sensor"))
    data = [r for r in rows if r and r[0].replace(".", "", 1).isdigit()]
    return {name: {float(r[0]): printed(r[c]) for r in data if len(r) > c and r[c].strip()}
            for c, name in enumerate(sensor_row) if c > 0 and name}


def day_files(name):
    """A fresh folder of the fixture's day files: (folder, files in name order)."""
    folder = os.path.join(SCRATCH, name)
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    subprocess.run([FIXTURE, "make", folder, str(DAYS), str(RECORDS)], check=True)
    return folder, sorted(glob.glob(os.path.join(folder, "*.rsd")))


class NetcdfArchive(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.folder, cls.files = day_files("netcdf")
        cls.nc = os.path.join(cls.folder, "archive.nc")
        # Given newest first: the archive still holds the records in time order.
        subprocess.run([RSDTOOL, "netcdf", "--quantities"] + cls.files[::-1] + ["-o", cls.nc],
                       check=True, capture_output=True)

    def test_layout_and_cf_metadata(self):
        attributes = {
            (None, "data_model"): "NETCDF4", (None, "Conventions"): "CF-1.8",
            (None, "featureType"): "timeSeries",
            ("wavelength", "standard_name"): "radiation_wavelength", ("wavelength", "units"): "nm",
            ("spectral_irradiance", "standard_name"):
                "surface_downwelling_radiative_flux_per_unit_wavelength_in_air",
            ("ppfd", "standard_name"): "surface_downwelling_photosynthetic_photon_flux_in_air",
            ("ppfd", "units"): "umol m-2 s-1",
            ("par", "standard_name"): "surface_downwelling_photosynthetic_radiative_flux_in_air",
            ("par", "units"): "W m-2", ("station_name", "cf_role"): "timeseries_id",
            ("lat", "units"): "degrees_north",
            ("sun_zenith", "standard_name"): "solar_zenith_angle",
            ("sun_azimuth", "standard_name"): "solar_azimuth_angle",
            ("clear_sky_ppfd", "units"): "umol m-2 s-1",
            ("ppfd", "coordinates"): "lat lon alt station_name",
            ("uv_index", "standard_name"): "ultraviolet_index",
            ("peltier_state_qs200", "flag_meanings"): "cooling stopped heating",
            ("fin_overheat_qs300", "flag_meanings"): "fin_normal fin_overheat"}
        with netCDF4.Dataset(self.nc) as ds:
            for (variable, name), value in attributes.items():
                self.assertEqual(getattr(ds[variable] if variable else ds, name), value, name)
            self.assertIn("rsdtool netcdf", ds.history)
            self.assertIn("QS-200", ds.calibrations)
            self.assertIn("QS-300", ds.calibrations)
            self.assertTrue(ds.program.startswith("rsdtool "))
            self.assertEqual(len(ds.dimensions["time"]), DAYS * RECORDS)
            self.assertEqual(len(ds.dimensions["wavelength"]), 1501)
            spectrum = ds["spectral_irradiance"]
            self.assertEqual(spectrum.dtype, np.float32)
            self.assertEqual(spectrum.dimensions, ("time", "wavelength"))
            self.assertTrue(spectrum.filters()["zlib"])
            for name in ("spectral_irradiance_qs200", "exposure_qs300",
                         "supply_voltage_qs300", "sensor_temperature_qs200", "cct", "mel_edi"):
                self.assertIn(name, ds.variables)
            self.assertNotIn("spectral_irradiance_qs100", ds.variables)
            self.assertEqual(ds.time_zone_offset_hours, 9.0)  # a number, from "TZ,+9"
            self.assertEqual(list(ds["peltier_state_qs200"].flag_values), [-1, 0, 1])

    def test_a_bad_file_or_order_stops_and_leaves_no_archive(self):
        out = os.path.join(self.folder, "refused.nc")
        # Not day files, named to come between the others and after them.
        middle = os.path.join(self.folder, "20260601x.rsd")
        last = os.path.join(self.folder, "bad.rsd")
        for bad in (middle, last):
            with open(bad, "w") as f:
                f.write("not a day file\n")
        copy = os.path.join(self.folder, "29991231.rsd")  # a later name, earlier records
        shutil.copy(self.files[0], copy)
        try:
            for files, culprit in ((self.files + [middle], "20260601x.rsd"),
                                   (self.files + [last], "bad.rsd"),
                                   (self.files + [copy], "29991231.rsd")):
                run = netcdf(files + ["-o", out])
                self.assertEqual(run.returncode, 1)
                self.assertIn(culprit, run.stderr)
                self.assertFalse(os.path.exists(out))
        finally:
            for path in (middle, last, copy):
                os.remove(path)

    def test_a_sensor_missing_from_a_day_reads_as_fill(self):
        ds = xr.open_dataset(self.nc)
        last = slice((DAYS - 1) * RECORDS, DAYS * RECORDS)
        self.assertTrue(np.isnan(ds["spectral_irradiance_qs300"].isel(time=last)).all())
        self.assertTrue(np.isnan(ds["exposure_qs300"].isel(time=last)).all())
        before = ds["spectral_irradiance_qs300"].isel(time=slice(0, (DAYS - 1) * RECORDS))
        self.assertTrue(np.isfinite(before).any(dim="wavelength").all())

    # Record by record in time order, every quantity within its printed precision, and the
    # quality flags as CF flag masks.
    def test_times_quantities_and_qc_flags_equal_rsdtool_quantities(self):
        ds = xr.open_dataset(self.nc)
        times = ds["time"].values.astype("datetime64[s]").astype(np.int64)
        meanings = ds["qc"].attrs["flag_meanings"].split()
        self.assertEqual(meanings, ["nonfinite", "saturated", "sensor_missing", "sensors_apart",
                                    "merge_mismatch", "above_clear_sky", "night",
                                    "calibration_mismatch"])
        self.assertEqual(list(ds["qc"].attrs["flag_masks"]), [1 << k for k in range(len(meanings))])
        compared = flagged = 0
        for day, path in enumerate(self.files):
            rows = rsdtool_json(["quantities", path])
            self.assertEqual(len(rows), RECORDS)
            for index, row in enumerate(rows):
                record = day * RECORDS + index
                stamp = time.strftime("%Y/%m/%d %H:%M:%S", time.localtime(times[record]))
                self.assertEqual(stamp, row["date"] + " " + row["time"])
                bits = int(ds["qc"].values[record])
                self.assertEqual([m for k, m in enumerate(meanings) if bits & (1 << k)], row["qc"])
                flagged += bits != 0
                for key, cell in row.items():
                    if key in ("date", "time", "memo", "clear_sky_index", "qc"):
                        continue
                    got = float(ds[key].values[record])
                    if cell is None:
                        self.assertTrue(np.isnan(got), "%s record %d" % (key, record))
                        continue
                    value, decimals = cell
                    self.assertLessEqual(abs(got - value), printed_tolerance(decimals, value),
                                         "%s record %d" % (key, record))
                    compared += 1
        self.assertGreater(compared, DAYS * RECORDS * 20)
        self.assertGreater(flagged, 0)

    def test_every_record_names_its_sensors_and_calibrations(self):
        ds = netCDF4.Dataset(self.nc)
        self.assertTrue(ds.source.endswith("; written by " + ds.program))
        self.assertIn("rsdtool netcdf --quantities", ds.history)
        named = 0
        for day, path in enumerate(self.files):
            with open(path, "rb") as f:
                data = f.read()
            for model, pixels in (("qs100", 1024), ("qs200", 2048), ("qs300", 512), ("qs400", 256)):
                tag = b"HD_" + model.upper().encode() + b",100\n"
                if tag not in data:
                    continue
                start = data.index(b"CAL_BGN\n", data.index(tag)) + len(b"CAL_BGN\n")
                digest = hashlib.sha256(data[start:start + 4 * pixels]).hexdigest()[:16]
                serial = data[data.index(tag):start].split(b"SN,")[1].split(b"\n")[0].decode()
                records = slice(day * RECORDS, (day + 1) * RECORDS)
                calibrations = ds["calibration_" + model][records]
                serials = ds["serial_number_" + model][records]
                for cal, sn in zip(calibrations, serials):
                    self.assertIn(cal, (digest, ""))
                    self.assertEqual(sn == "", cal == "")
                    if cal:
                        self.assertEqual(sn, serial)
                        named += 1
        self.assertGreater(named, 0)
        ds.close()

    def test_spectra_equal_the_cores_and_the_spectral_csv_at_1_nm(self):
        ds = xr.open_dataset(self.nc)
        checked = lit = 0
        for day, index in SAMPLED:
            record = day * RECORDS + index
            core = {name: {nm: (value, 30) for nm, value in values.items()}
                    for name, values in core_spectra(self.files[day], index).items()}
            for source in (core, spectral_csv(self.files[day], self.folder, index)):
                for name, values in source.items():
                    row = ds[VARIABLES[name]].isel(time=record)
                    checked += self.compare(row, values, "%s record %d" % (name, record))
                    lit += sum(1 for value, _ in values.values() if value > 0.1)
        self.assertGreater(checked, 12000)
        self.assertGreater(lit, 8000)  # daylight records, not only dark ones

    def compare(self, row, values, what):
        """Values of {nm: (value, decimals)} equal the row within their printed precision."""
        wavelengths = np.array(sorted(values))
        expected = np.array([values[nm][0] for nm in wavelengths])
        tolerance = np.array([printed_tolerance(values[nm][1], values[nm][0])
                              for nm in wavelengths])
        got = row.sel(wavelength=wavelengths).values.astype(np.float64)
        wrong = np.flatnonzero(~(np.abs(got - expected) <= tolerance))
        self.assertEqual(len(wrong), 0, "%s at %s nm: %s, not %s" % (
            what, wavelengths[wrong[:5]], got[wrong[:5]], expected[wrong[:5]]))
        return len(values)

    # Built on a UTC machine, the archive of Tokyo files (TZ +9) holds the same instants; asked
    # for the wrong zone, every record is 9 hours late.
    def test_an_archive_built_anywhere_has_the_true_instants(self):
        here = xr.open_dataset(self.nc)["time"].values
        for options, shift, notice in (([], 0, True), (["--tz", "Asia/Tokyo"], 0, False),
                                       (["--tz", "UTC"], 9 * 3600, False)):
            out = os.path.join(self.folder, "utc.nc")
            run = netcdf(options + self.files[:1] + ["-o", out], TZ="UTC")
            self.assertEqual(run.returncode, 0, run.stderr)
            self.assertEqual("UTC+09:00" in run.stderr, notice, run.stderr)
            with xr.open_dataset(out) as ds:
                got = ds["time"].values
                self.assertTrue((got - here[:len(got)] == np.timedelta64(shift, "s")).all())
            os.remove(out)

    def test_no_site_is_stored_as_missing_values(self):
        source = os.path.join(self.folder, "nosite", "20260101.rsd")
        os.makedirs(os.path.dirname(source), exist_ok=True)
        with open(self.files[0], "rb") as f:
            data = f.read()
        for tag in (b"LAT,", b"LON,"):
            start = data.index(b"\n" + tag) + 1
            end = data.index(b"\n", start)
            data = data[:start] + tag + b"0" + data[end:]
        with open(source, "wb") as f:
            f.write(data)
        out = os.path.join(self.folder, "nosite.nc")
        run = netcdf([source, "-o", out])
        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertEqual(run.stderr.count("no site"), 1, run.stderr)
        with xr.open_dataset(out) as ds:
            for name in ("lat", "lon", "alt"):
                self.assertTrue(np.isnan(ds[name].values), name)
            self.assertTrue(np.isnan(ds["sun_zenith"].values).all())
            self.assertTrue(np.isnan(ds["clear_sky_ppfd"].values).all())
        os.remove(out)

    def test_dli_recomputed_from_the_archive_equals_rsdtool_daily(self):
        ppfd = xr.open_dataset(self.nc)["ppfd"].astype("float64")
        days = rsdtool_json(["daily"] + self.files)
        self.assertEqual(len(days), DAYS)
        for day in days:
            value, decimals = day["dli"]
            self.assertGreater(value, 0)
            self.assertLessEqual(abs(archive_dli(ppfd, local_midnight(day["date"])) - value),
                                 printed_tolerance(decimals, value), day["date"])


def netcdf(args, **env):
    return subprocess.run([RSDTOOL, "netcdf"] + args, capture_output=True, text=True,
                          timeout=120, env=dict(os.environ, **env))


def same_variables(test, path_a, path_b):
    """Every variable of the two archives equal: dimensions, type, values and fill mask."""
    with netCDF4.Dataset(path_a) as a, netCDF4.Dataset(path_b) as b:
        test.assertEqual(sorted(a.variables), sorted(b.variables))
        for name, variable in a.variables.items():
            other = b[name]
            test.assertEqual((variable.dimensions, variable.dtype),
                             (other.dimensions, other.dtype), name)
            test.assertEqual(variable.ncattrs(), other.ncattrs(), name)
            x, y = variable[...], other[...]
            if variable.dtype == str:
                test.assertEqual(list(np.ravel(x)), list(np.ravel(y)), name)
                continue
            test.assertTrue(np.array_equal(np.ma.getmaskarray(x), np.ma.getmaskarray(y)), name)
            test.assertTrue(np.array_equal(np.ma.filled(x, 0), np.ma.filled(y, 0)), name)


class ArchiveOutput(unittest.TestCase):
    """An existing archive is replaced only when asked, grows by --append, and keeps one
    station."""

    @classmethod
    def setUpClass(cls):
        cls.folder, cls.files = day_files("growth")
        # The last day again, as a station 1 degree further north and of another name.
        cls.other = os.path.join(cls.folder, "other", os.path.basename(cls.files[2]))
        os.makedirs(os.path.dirname(cls.other))
        with open(cls.files[2], "rb") as f:
            data = f.read()
        data = data.replace(b"\nLAT,35.6581\n", b"\nLAT,36.6581\n", 1)
        with open(cls.other, "wb") as f:
            f.write(data.replace(b"\nSITE,ARVEN FIELD STATION\n", b"\nSITE,BIRCH HILL\n", 1))

    def path(self, name):
        return os.path.join(self.folder, name)

    def test_appended_days_equal_an_archive_made_at_once(self):
        whole, grown = self.path("whole.nc"), self.path("grown.nc")
        self.assertEqual(netcdf(["--quantities"] + self.files + ["-o", whole]).returncode, 0)
        # The first run makes the archive; 144 records leave a chunk of 64 half filled.
        for day in self.files:
            run = netcdf(["--append", "--quantities", day, "-o", grown])
            self.assertEqual(run.returncode, 0, run.stderr)
        same_variables(self, whole, grown)
        with netCDF4.Dataset(grown) as ds:
            self.assertEqual(len(ds.history.splitlines()), DAYS)
            self.assertEqual(ds.source, netCDF4.Dataset(whole).source)

    def test_a_site_without_a_readable_position_still_appends(self):
        # Stored as fill values, the position must compare equal when the next day comes.
        days = []
        for day in self.files[:2]:
            with open(day, "rb") as f:
                data = f.read().replace(b"\nLAT,35.6581\n", b"\nLAT,35.6581N\n", 1)
            os.makedirs(self.path("unread"), exist_ok=True)
            days.append(self.path(os.path.join("unread", os.path.basename(day))))
            with open(days[-1], "wb") as f:
                f.write(data)
        archive = self.path("unread.nc")
        for day in days:
            run = netcdf(["--append", day, "-o", archive])
            self.assertEqual(run.returncode, 0, run.stderr)

    def test_refusals_name_their_reason_and_keep_the_archive(self):
        archive = self.path("kept.nc")
        self.assertEqual(netcdf(self.files[:2] + ["-o", archive]).returncode, 0)
        with open(archive, "rb") as f:
            kept = f.read()
        cases = (
            (self.files[2:], "exists: --force replaces it, --append adds the days to it"),
            (["--append", self.files[1]], "overlaps the archive in time"),
            (["--append", self.other],
             'another station than the archive\'s (site name "BIRCH HILL" instead of '
             '"ARVEN FIELD STATION", latitude 36.6581 instead of 35.6581)'),
            (["--append", "--grid", "300:1000:1", self.files[2]],
             "its wavelength grid is 300:1800:1, not 300:1000:1"),
            (["--append", "--quantities", self.files[2]], "not every quantity"),
            (["--force", self.files[0], self.other],
             "another station than the first file's (site name"),
            (["--force", self.files[0], self.files[0]], "do not come after"),
            (["--force", "--append", self.files[2]], "exclude each other"),
        )
        for args, reason in cases:
            run = netcdf(args + ["-o", archive])
            self.assertNotEqual(run.returncode, 0, args)
            self.assertIn(reason, run.stderr, args)
            with open(archive, "rb") as f:
                self.assertEqual(f.read(), kept, args)
        # Nothing is left of the runs beside the archive.
        self.assertEqual([name for name in os.listdir(self.folder) if "kept" in name],
                         ["kept.nc"])


if __name__ == "__main__":
    unittest.main(argv=[sys.argv[0]], verbosity=2)
