#!/usr/bin/python3
"""The reconstruction brimvale-batch does, written plainly with numpy, to compare their speed.

reconstruct.py MATRIX.csv OUT-DIR RECORD.csv... reads the Corvane matrix once, then for every record:
reads it, rounds its ranges, smooths it over 3 horizons, rasterises the smoothed curve into 512 rows,
calibrates each row from the matrix columns the curve crosses, and writes the result file. It does the
same work as `brimvale-batch reconstruct --smoothing 3` but keeps no figures and does not match its bytes.
"""
import os
import sys

import numpy as np

STEPS = 511


def read_matrix(path):
    with open(path, newline="") as file:
        lines = file.read().split("\r\n")
    head = int(lines[1].split(",")[1].strip('"'))
    rows = np.array([[float(f) for f in line.split(",")] for line in lines[head + 1:head + 202]])
    axis = rows[:, 0].astype(np.float32)
    grid = rows[:, 1:][:, ::-1].T  # grid[i, j]: input column i, calibrated row j
    return axis, grid


def nice_up(v):
    s = 5 * 10 ** max(0, int(np.floor(np.log10(max(abs(v), 1)))) - 1)
    return 0.0 if v == 0 else (np.floor(v / s) + 1) * s if v > 0 else np.trunc(v / s) * s


def nice_down(v, scale):
    s = 5 * 10 ** max(0, int(np.floor(np.log10(max(abs(scale), 1)))) - 1)
    return 0.0 if v == 0 else np.floor(v / s) * s


def reconstruct(record, axis, grid, out):
    data = np.loadtxt(record, delimiter=",", skiprows=1, dtype=np.float32)
    y, x = data[:, 0], data[:, 1]
    top, bottom = nice_down(y.min(), y.max()), nice_up(y.max())
    left, right = float(axis[0]), float(axis[200])
    window = 3
    kernel = np.ones(window, dtype=np.float32) / window
    sy, sx = np.convolve(y, kernel, "valid"), np.convolve(x, kernel, "valid")
    row_step, value_step = (bottom - top) / STEPS, (right - left) / 200
    r = np.rint((sy - top) / row_step).astype(int)
    marks = np.zeros((STEPS + 1, 201), dtype=np.float32)
    for p in range(len(sy) - 1):
        d = r[p + 1] - r[p]
        if d > 0:
            m = np.arange(d)
            c = np.rint(((sx[p + 1] - sx[p]) * m / d + sx[p] - left) / value_step).astype(int)
            rows = r[p] + m
            ok = (c >= 0) & (c <= 200) & (rows >= 0) & (rows <= STEPS)
            marks[rows[ok], c[ok]] = 1.0
    section = marks @ grid.astype(np.float32)
    values = np.linspace(top, bottom, STEPS + 1, dtype=np.float32)
    name = os.path.join(out, os.path.splitext(os.path.basename(record))[0] + ".result.csv")
    with open(name, "w", newline="") as file:
        file.write('"Brimvale common output format"\r\n' + '"Head note",""\r\n' * 13)
        file.write("," + ",".join("%.7g" % v for v in np.linspace(left, right, 201)) + "\r\n")
        np.savetxt(file, np.column_stack([values, section]), fmt="%.15g", delimiter=",", newline="\r\n")


def main():
    matrix, out, records = sys.argv[1], sys.argv[2], sys.argv[3:]
    os.makedirs(out, exist_ok=True)
    axis, grid = read_matrix(matrix)
    for record in records:
        reconstruct(record, axis, grid, out)


if __name__ == "__main__":
    main()
