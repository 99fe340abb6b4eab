#!/usr/bin/env python3
"""PAR and PPFD of every record of RSD day files with numpy: the yardstick for rsdtool series.

usage: par_ppfd.py FILE...   (prints one line per file: records, mean PAR, mean PPFD)

Reads the QS-200 (or QS-100) blocks, calibrates them, interpolates to 400..700 nm and sums
with the trapezoid rule at the band limits, as the programs do.
"""
import sys

import numpy as np

PIXELS = {b"QS100": 1024, b"QS200": 2048}
PHOTON_CONSTANT = 0.119625512456


def wavelengths(coefficients, n):
    p = np.arange(1, n + 1, dtype=np.float64)
    c = coefficients
    return (c[5] * p**5 + c[4] * p**4 + c[3] * p**3 + c[2] * p**2 + c[1] * p + c[0]).astype(np.float32)


def leading_number(text):
    digits = b""
    for ch in text:
        if chr(ch) in "0123456789+-.eE":
            digits += bytes([ch])
        else:
            break
    try:
        return float(digits)
    except ValueError:
        return 0.0


def read_file(path):
    data = open(path, "rb").read()
    for key, n in PIXELS.items():
        start = data.find(b"HD_" + key + b",")
        if start >= 0:
            break
    else:
        return None
    coefficients = []
    for k in range(6):
        at = data.find(b"\nC%d," % k, start) + 4
        coefficients.append(leading_number(data[at:data.find(b"\n", at)]))
    at = data.find(b"CAL_BGN\n", start) + 8
    cal = np.frombuffer(data, "<f4", n, at)
    tag = b"DT_" + key + b","
    md, dd = [], []
    pos = at + 4 * n
    while True:
        pos = data.find(tag, pos)
        if pos < 0:
            break
        m = data.find(b"MD_BGN\n", pos) + 7
        md.append(np.frombuffer(data, "<f4", n, m))
        d = data.find(b"DD_BGN\n", m + 4 * n) + 7
        dd.append(np.frombuffer(data, "<f4", n, d))
        pos = d + 4 * n
    return wavelengths(coefficients, n), cal, np.array(md), np.array(dd)


def par_ppfd(wl, cal, md, dd):
    values = ((md - dd) * cal).astype(np.float64)
    grid = np.arange(400, 701, dtype=np.float64)
    wl = wl.astype(np.float64)
    i = np.clip(np.searchsorted(wl, grid, side="right") - 1, 0, len(wl) - 2)
    frac = (grid - wl[i]) / (wl[i + 1] - wl[i])
    e = values[:, i] + (values[:, i + 1] - values[:, i]) * frac
    weight = np.ones_like(grid)
    weight[0] = weight[-1] = 0.5
    par = e @ weight / 1000.0
    ppfd = e @ (weight * grid / 1000.0 / PHOTON_CONSTANT) / 1000.0
    return par, ppfd


def main():
    for path in sys.argv[1:]:
        blocks = read_file(path)
        if blocks is None:
            print(f"{path}: no QS-100 or QS-200 data", file=sys.stderr)
            continue
        par, ppfd = par_ppfd(*blocks)
        print(f"{path},{len(par)},{par.mean():.3f},{ppfd.mean():.3f}")


if __name__ == "__main__":
    main()
