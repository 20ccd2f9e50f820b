#!/usr/bin/python3
"""Reads Google Benchmark JSON (with aggregates) and prints each measurement beside its baseline."""
import json
import sys

rows = {}
for b in json.load(open(sys.argv[1]))["benchmarks"]:
    if b.get("aggregate_name") == "median":
        rows[b["run_name"]] = (b["real_time"], b.get("label", ""), b["time_unit"])


def ns(name):
    t, _, unit = rows[name]
    return t * {"ns": 1, "us": 1e3, "ms": 1e6}[unit]


keys = {0: "first slot (00)", 1: "last row (ff)", 2: "miss (3F)", 3: "empty"}
print(f"{'LookupCode':<18} {'ns':>8} {'scan ns':>9} {'baseline ns':>12} {'ratio':>6}")
for i, what in keys.items():
    ours, scan, base = ns(f"BM_LookupCode/{i}"), ns(f"BM_ScanForCode/{i}"), ns(f"BM_Baseline_DirectIndex/{i}")
    print(f"{what:<18} {ours:>8.1f} {scan:>9.1f} {base:>12.1f} {ours / base:>5.2f}x")
fill, copy = ns("BM_FillCodeTable"), ns("BM_Baseline_CopyRows")
print(f"FillCodeTable {fill / 1000:.1f} us, baseline (copy the rows) {copy / 1000:.1f} us, ratio {fill / copy:.2f}x")
