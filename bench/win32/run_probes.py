#!/usr/bin/env python3
"""Runs the start-up probes under Wine in turn, each round starting one probe later, and prints
the median and 90th percentile of
   - from process creation to the window's first paint, and to its controls painted after it, as
     each probe measures them inside Wine, and
   - from launching `wine` to the probe's report, which adds Wine's own process start;
then, from creation to paint, the ratios of the medians and the medians of each round's ratios,
which other work on the machine, slowing down whole rounds, sways less.
Usage: run_probes.py PROBE_FOLDER [RUNS]"""
import os
import statistics
import subprocess
import sys
import time

PROBES = [("bare window", "minimal_window_probe.exe"),
          ("same controls, no logic", "controls_window_probe.exe"),
          ("Quellmark window", "real_window_probe.exe")]
# Each as a multiple of the other: (numerator, denominator) as indexes into PROBES.
RATIOS = [(2, 1), (2, 0), (1, 0)]
COLUMNS = ["window painted", "controls painted", "wine launch to report"]
WINE_RUN = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "cmake", "wine-run")
TIMEOUT_S = 30


def run_once(program):
    """The three times of one run, in the order of COLUMNS."""
    launched = time.perf_counter()
    probe = subprocess.Popen([WINE_RUN, program], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                             text=True)
    line = probe.stdout.readline()
    reported = time.perf_counter()
    probe.wait(timeout=TIMEOUT_S)
    fields = line.split()
    if len(fields) != 3 or fields[0] != "first-paint-ms":
        sys.exit(f"{program} did not report its first paint (exit code {probe.returncode})")
    return float(fields[1]), float(fields[2]), (reported - launched) * 1000


def p90(values):
    return statistics.quantiles(values, n=10, method="inclusive")[-1]


def main():
    folder = sys.argv[1]
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 60
    programs = [os.path.join(folder, exe) for _, exe in PROBES]
    for program in programs:  # Wine's server and the disk cache warm up; not counted
        run_once(program)
    times = {program: [[] for _ in COLUMNS] for program in programs}
    for round_number in range(runs):
        shift = round_number % len(programs)
        for program in programs[shift:] + programs[:shift]:
            for column, value in zip(times[program], run_once(program)):
                column.append(value)
    print(f"{runs} runs each, in turn; milliseconds, median and 90th percentile")
    print(f"{'':<24}" + "".join(f"{column:>24}" for column in COLUMNS))
    for (name, _), program in zip(PROBES, programs):
        print(f"{name:<24}" + "".join(f"{statistics.median(values):>13.1f} {p90(values):>10.1f}"
                                      for values in times[program]))
    for numerator, denominator in RATIOS:
        above, below = times[programs[numerator]], times[programs[denominator]]
        of_medians = [statistics.median(above[column]) / statistics.median(below[column])
                      for column in (0, 1)]
        of_rounds = [statistics.median(a / b for a, b in zip(above[column], below[column]))
                     for column in (0, 1)]
        print(f"{PROBES[numerator][0]} / {PROBES[denominator][0]}: window painted "
              f"{of_medians[0]:.2f}x, controls painted {of_medians[1]:.2f}x (ratio of the medians); "
              f"{of_rounds[0]:.2f}x, {of_rounds[1]:.2f}x (median of the rounds' ratios)")


if __name__ == "__main__":
    main()
