#!/usr/bin/env python3
"""rsdtool netcdf, read back as its users read it (netCDF4 and xarray).

Usage: netcdf_test.py RSDTOOL ARCHIVE_FIXTURE SCRATCH
"""
import csv
import glob
import os
import shutil
import subprocess
import sys
import unittest

import netCDF4
import numpy as np
import xarray as xr

RSDTOOL, FIXTURE, SCRATCH = sys.argv[1:4]
DAYS, RECORDS = 2, 48


def reference(files):
    """The core's PPFD, PAR, illuminance per record time and DLI per day start."""
    out = subprocess.run([FIXTURE, "reference"] + files, check=True, capture_output=True,
                         text=True).stdout
    records, days = {}, {}
    for line in out.splitlines():
        fields = line.split()
        if fields[0] == "R":
            records[int(fields[1])] = [float(v) for v in fields[2:]]
        else:
            days[int(fields[1])] = float(fields[2])
    return records, days


def spectral_csv(day_file, folder, record):
    """Columns of rsdtool spectral-csv at 1 nm for one record: {sensor or "Merge": {nm: v}}."""
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
    return {name: {float(r[0]): float(r[c]) for r in data if len(r) > c and r[c].strip()}
            for c, name in enumerate(sensor_row) if c > 0 and name}


class NetcdfArchive(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.folder = os.path.join(SCRATCH, "netcdf")
        shutil.rmtree(cls.folder, ignore_errors=True)
        os.makedirs(cls.folder)
        subprocess.run([FIXTURE, "make", cls.folder, str(DAYS), str(RECORDS)], check=True)
        cls.files = sorted(glob.glob(os.path.join(cls.folder, "*.rsd")))
        cls.nc = os.path.join(cls.folder, "archive.nc")
        # Given newest first: the archive still holds the records in time order.
        subprocess.run([RSDTOOL, "netcdf", "--quantities"] + cls.files[::-1] + ["-o", cls.nc],
                       check=True, capture_output=True)
        cls.records, cls.days = reference(cls.files)

    def test_layout_and_cf_metadata(self):
        with netCDF4.Dataset(self.nc) as ds:
            self.assertEqual(ds.data_model, "NETCDF4")
            self.assertEqual(ds.Conventions, "CF-1.8")
            self.assertEqual(ds.featureType, "timeSeries")
            self.assertIn("rsdtool netcdf", ds.history)
            self.assertIn("QS-200", ds.calibrations)
            self.assertIn("QS-300", ds.calibrations)
            self.assertTrue(ds.program.startswith("rsdtool "))
            self.assertEqual(len(ds.dimensions["time"]), DAYS * RECORDS)
            self.assertEqual(len(ds.dimensions["wavelength"]), 1501)
            wl = ds["wavelength"]
            self.assertEqual(wl.standard_name, "radiation_wavelength")
            self.assertEqual(wl.units, "nm")
            spectrum = ds["spectral_irradiance"]
            self.assertEqual(spectrum.dtype, np.float32)
            self.assertEqual(spectrum.dimensions, ("time", "wavelength"))
            self.assertEqual(
                spectrum.standard_name,
                "surface_downwelling_radiative_flux_per_unit_wavelength_in_air")
            self.assertTrue(spectrum.filters()["zlib"])
            self.assertEqual(ds["ppfd"].standard_name,
                             "surface_downwelling_photosynthetic_photon_flux_in_air")
            self.assertEqual(ds["ppfd"].units, "umol m-2 s-1")
            self.assertEqual(ds["par"].standard_name,
                             "surface_downwelling_photosynthetic_radiative_flux_in_air")
            self.assertEqual(ds["par"].units, "W m-2")
            self.assertEqual(ds["station_name"].cf_role, "timeseries_id")
            self.assertEqual(ds["lat"].units, "degrees_north")
            for name in ("spectral_irradiance_qs200", "exposure_qs300",
                         "supply_voltage_qs300", "sensor_temperature_qs200", "cct", "mel_edi"):
                self.assertIn(name, ds.variables)
            self.assertNotIn("spectral_irradiance_qs100", ds.variables)

    def test_times_and_quantities_equal_the_cores(self):
        ds = xr.open_dataset(self.nc)
        times = ds["time"].values.astype("datetime64[s]").astype(np.int64)
        self.assertEqual(list(times), sorted(self.records))
        for name, column in (("ppfd", 0), ("par", 1), ("illuminance", 2)):
            expected = np.array([self.records[t][column] for t in times], dtype=np.float32)
            np.testing.assert_allclose(ds[name].values, expected, rtol=1e-6, err_msg=name)

    def test_spectra_equal_the_spectral_csv_at_1_nm(self):
        ds = xr.open_dataset(self.nc)
        checked = 0
        for record in (0, 5):
            for name, values in spectral_csv(self.files[0], self.folder, record).items():
                variable = {"Merge": "spectral_irradiance", "QS-200": "spectral_irradiance_qs200",
                            "QS-300": "spectral_irradiance_qs300"}[name]
                row = ds[variable].isel(time=record)
                checked += self.compare(row, values, "%s record %d" % (name, record))
        self.assertGreater(checked, 2000)

    def compare(self, row, values, what):
        wavelengths = np.array(sorted(values))
        expected = np.array([values[nm] for nm in wavelengths])
        got = row.sel(wavelength=wavelengths).values.astype(np.float64)
        np.testing.assert_allclose(got, expected, rtol=1e-6, atol=1e-4, err_msg=what)
        return len(values)

    def test_dli_recomputed_from_the_archive_equals_the_cores(self):
        ds = xr.open_dataset(self.nc)
        ppfd = ds["ppfd"].astype("float64")
        for start, dli in self.days.items():
            day = ppfd.sel(time=slice(np.datetime64(start, "s"),
                                      np.datetime64(start + 86399, "s"))).compute()
            seconds = day["time"].values.astype("datetime64[s]").astype(np.int64)
            steps = np.diff(seconds)
            bridged = steps <= 2 * np.median(steps)
            trapezoids = (day.values[1:] + day.values[:-1]) / 2 * steps
            self.assertAlmostEqual(float(trapezoids[bridged].sum()) * 1e-6, dli,
                                   delta=abs(dli) * 1e-6)


if __name__ == "__main__":
    unittest.main(argv=[sys.argv[0]], verbosity=2)
