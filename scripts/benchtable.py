#!/usr/bin/env python3
"""Turns Google Benchmark JSON into a table by catalogue size and checks linear growth."""
import json
import sys

SIZES = [100, 1000, 10000, 100000]
SCALE = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}


def main(path):
    with open(path, encoding="utf-8") as f:
        runs = json.load(f)["benchmarks"]
    table = {}
    repeated = any(run.get("aggregate_name") == "min" for run in runs)
    for run in runs:
        if repeated and run.get("aggregate_name") != "min":
            continue
        if not repeated and run.get("run_type") == "aggregate":
            continue
        name, _, size = run.get("run_name", run["name"]).partition("/")
        table.setdefault(name, {})[int(size)] = run["real_time"] * SCALE[run["time_unit"]]
    print("| benchmark (ms) | " + " | ".join(f"{n:,}" for n in SIZES) + " | 100k / 10k |")
    print("|---|" + "---:|" * (len(SIZES) + 1))
    steep = []
    for name, times in table.items():
        cells = [f"{times[n]:.3g}" if n in times else "" for n in SIZES]
        ratio = ""
        if 10000 in times and 100000 in times:
            r = times[100000] / times[10000]
            ratio = f"{r:.1f}"
            if r > 12:
                steep.append(name)
        print(f"| {name.removeprefix('BM_')} | " + " | ".join(cells) + f" | {ratio} |")
    if steep:
        print("grows faster than linearly: " + ", ".join(steep), file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
