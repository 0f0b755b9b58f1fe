#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Whole-process costs of the companion and the main window, side by side in one run.

1. astravia-chart, one chart at a named city with all three pictures, against the minimal Qt
   program (start, one line of text on an 800 x 600 picture, one JPEG): the two are run in
   turns, and the medians of wall time and of CPU time (user + system) are compared. Target:
   the chart within 1.6 times the minimal program.
2. astravia-chart --json at the same city (no picture: the chart value alone) against a minimal
   QtCore program that prints one line, side by side, median of 9 rounds. Target: 1.5 times.
3. With --callgrind, the instructions each process executes (valgrind; a chart with pictures
   counts its picture program too), a figure the other programs on a shared machine do not
   disturb.
4. With --window (needs $DISPLAY, an Xvfb without window manager): the main window's time from
   exec to mapped, and its resident memory after it settled. Targets: 200 ms, 45 MB.
"""
import argparse
import os
import re
import statistics
import subprocess
import sys
import tempfile
import time


def run_once(command, cwd):
    start = time.perf_counter()
    process = subprocess.Popen(command, cwd=cwd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(process.pid, 0)
    wall = time.perf_counter() - start
    if status != 0:
        sys.exit(f"failed ({status}): {' '.join(command)}")
    return wall * 1000, (usage.ru_utime + usage.ru_stime) * 1000


def instructions(command, cwd):
    """Instructions of the process and of the programs it execs (the chart's picture program)."""
    result = subprocess.run(
        ["valgrind", "--tool=callgrind", "--trace-children=yes", "--callgrind-out-file=/dev/null"]
        + command, cwd=cwd, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True, check=True)
    found = re.findall(r"Collected : (\d+)", result.stderr)
    return sum(map(int, found)) if found else float("nan")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", default="build", help="the build folder (its run/ is used)")
    parser.add_argument("--rounds", type=int, default=21)
    parser.add_argument("--city", default="Россия/Новосибирск")
    parser.add_argument("--callgrind", action="store_true")
    parser.add_argument("--window", action="store_true")
    args = parser.parse_args()

    build = os.path.abspath(args.build)
    run_dir = os.path.join(build, "run")
    work = tempfile.mkdtemp(prefix="astravia-startup-")
    chart = [os.path.join(run_dir, "astravia-chart"), "--date", "2005-01-05", "--time", "12:00",
             "--city", args.city, "--out", os.path.join(work, "chart")]
    minimal = [os.path.join(build, "bench", "startup", "astravia_minimal_qt"),
               os.path.join(work, "minimal.jpg")]

    run_once(chart, work)  # warm the page cache and the font cache
    run_once(minimal, work)
    samples = {"chart": [], "minimal": []}
    for _ in range(args.rounds):
        samples["chart"].append(run_once(chart, work))
        samples["minimal"].append(run_once(minimal, work))
    median = {name: (statistics.median(s[0] for s in runs), statistics.median(s[1] for s in runs))
              for name, runs in samples.items()}
    print(f"{args.rounds} rounds, medians (wall ms / cpu ms):")
    for name in ("chart", "minimal"):
        print(f"  {name:8} {median[name][0]:8.1f} {median[name][1]:8.1f}")
    print(f"  chart / minimal: wall {median['chart'][0] / median['minimal'][0]:.2f}, "
          f"cpu {median['chart'][1] / median['minimal'][1]:.2f}  (target <= 1.6)")

    json_chart = chart[:-2] + ["--json"]
    core = [os.path.join(build, "bench", "startup", "astravia_minimal_core")]
    run_once(json_chart, work)
    run_once(core, work)
    pairs = [(run_once(json_chart, work), run_once(core, work)) for _ in range(9)]
    json_wall = statistics.median(p[0][0] for p in pairs)
    core_wall = statistics.median(p[1][0] for p in pairs)
    print(f"9 rounds, medians (wall ms): chart --json {json_wall:.1f}, minimal QtCore "
          f"{core_wall:.1f}, ratio {json_wall / core_wall:.2f}  (target <= 1.5)")

    if args.callgrind:
        counts = {"chart": instructions(chart, work), "minimal": instructions(minimal, work)}
        print(f"instructions: chart {counts['chart']:,}, minimal {counts['minimal']:,}, "
              f"ratio {counts['chart'] / counts['minimal']:.2f}")
        counts = {"json": instructions(json_chart, work), "core": instructions(core, work)}
        print(f"instructions: chart --json {counts['json']:,}, minimal QtCore {counts['core']:,}, "
              f"ratio {counts['json'] / counts['core']:.2f}")

    if args.window:
        probe = os.path.join(build, "bench", "startup", "astravia_window_probe")
        result = subprocess.run([probe, str(max(3, args.rounds // 3)), "1500", "Astravia",
                                 os.path.join(run_dir, "astravia")],
                                cwd=run_dir, capture_output=True, text=True, check=True)
        runs = [list(map(float, re.findall(r"[\d.]+", line)))
                for line in result.stdout.splitlines()]
        print(f"window, {len(runs)} runs: mapped after {statistics.median(r[0] for r in runs):.0f} ms "
              f"(target <= 200), resident {statistics.median(r[1] for r in runs) / 1024:.1f} MB "
              f"(target < 45), medians")


if __name__ == "__main__":
    main()
