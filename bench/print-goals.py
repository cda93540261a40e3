#!/usr/bin/env python3
"""Prints the figures that have a goal (a benchmark label starting "goal")
from Google Benchmark JSON files, one line each: name, time, the megabyte
counters, and the goal beside them."""
import json
import sys

for path in sys.argv[1:]:
    with open(path) as f:
        results = json.load(f)
    for b in results.get("benchmarks", []):
        label = b.get("label", "")
        if not label.startswith("goal") or b.get("aggregate_name", "median") != "median":
            continue
        figures = [f'{b["real_time"]:9.2f} {b["time_unit"]}']
        figures += [f'{b[k]:7.1f} {k}' for k in sorted(b) if k.endswith("_MB")]
        print(f'{b["name"]:<52} {"  ".join(figures):<40} {label}')
