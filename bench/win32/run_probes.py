#!/usr/bin/env python3
"""Runs the start-up probes under Wine in turn, each round starting one probe later, and prints
median and 90th percentile of
   - from process creation to first paint, as each probe measures it inside Wine, and
   - from launching `wine` to the probe's report, which adds Wine's own process start;
then the ratios of the medians from creation to paint.
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
WINE_RUN = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "cmake", "wine-run")
TIMEOUT_S = 30


def run_once(program):
    launched = time.perf_counter()
    probe = subprocess.Popen([WINE_RUN, program], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                             text=True)
    line = probe.stdout.readline()
    reported = time.perf_counter()
    probe.wait(timeout=TIMEOUT_S)
    label, _, value = line.partition(" ")
    if label != "first-paint-ms":
        sys.exit(f"{program} did not report its first paint (exit code {probe.returncode})")
    return float(value), (reported - launched) * 1000


def p90(values):
    return statistics.quantiles(values, n=10, method="inclusive")[-1]


def main():
    folder = sys.argv[1]
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 20
    programs = [os.path.join(folder, exe) for _, exe in PROBES]
    for program in programs:  # Wine's server and the disk cache warm up; not counted
        run_once(program)
    results = {program: ([], []) for program in programs}
    for round_number in range(runs):
        shift = round_number % len(programs)
        for program in programs[shift:] + programs[:shift]:
            inside, launched = run_once(program)
            results[program][0].append(inside)
            results[program][1].append(launched)
    print(f"{runs} runs each, in turn, milliseconds")
    print(f"{'window':<24} {'creation to paint':>24} {'wine launch to paint':>24}")
    print(f"{'':<24} {'median':>11} {'p90':>12} {'median':>11} {'p90':>12}")
    medians = []
    for (name, _), program in zip(PROBES, programs):
        inside, launched = results[program]
        medians.append(statistics.median(inside))
        print(f"{name:<24} {medians[-1]:>11.1f} {p90(inside):>12.1f} "
              f"{statistics.median(launched):>11.1f} {p90(launched):>12.1f}")
    for numerator, denominator in RATIOS:
        print(f"{PROBES[numerator][0]} / {PROBES[denominator][0]}: "
              f"{medians[numerator] / medians[denominator]:.2f}x (medians, creation to paint)")


if __name__ == "__main__":
    main()
