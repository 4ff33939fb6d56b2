#!/usr/bin/env python3
"""Prints ratios of medians from a Google Benchmark JSON report.

    tools/bench-ratios.py REPORT.json "A / B" ...

Each pair names two benchmarks of the report; the ratio is taken of their
median CPU times (of the plain times when the report has no aggregates).
Pairs that the report does not hold (left out by a filter) are skipped."""
import json
import sys


def main():
    report, pairs = sys.argv[1], sys.argv[2:]
    with open(report) as f:
        runs = json.load(f)["benchmarks"]
    times = {}
    for run in runs:
        if run.get("aggregate_name", "median") == "median":
            times[run["run_name"]] = run["cpu_time"]
    for pair in pairs:
        a, b = (name.strip() for name in pair.split(" / "))
        if a not in times or b not in times:
            continue  # left out by a filter
        print(f"RATIO {a} / {b}: {times[a]:.0f} ns / {times[b]:.0f} ns = {times[a] / times[b]:.2f}")


if __name__ == "__main__":
    main()
