#!/usr/bin/env python3
"""Measures the clock against a minimal Win32 clock under Wine, side by side in one run.

Each start gets a virtual display (1024x768) and a Wine prefix of its own, copied from the
booted template of the end-to-end tests; the prefix is started (the probe lists the windows)
before the measured program. Per start it records:

  start to a visible window   from launching the program to its first window being mapped on
                              the X display (polled every 5 ms with xdotool), and the CPU time
                              the program used until then
  private memory              the program's unshared resident memory (Private_Clean and
                              Private_Dirty of /proc/PID/smaps_rollup) 2 s after launching
  idle CPU                    user and system CPU time of the program's process in the 20 s
                              that follow; the share of its wineserver and of the X server is
                              printed beside it

  start-up phases             for the clock, from the marks it writes when HORAVO_STARTUP_MARKS
                              names a file: from launching to the program's own code (process,
                              Wine and DLL loading), the picture library, the event list, the
                              skin and its pictures, the configuration, each window's
                              construction and creation handler, showing the clock and its
                              first paint; each phase is the time since the mark before it

and prints the median of the starts for each program, with the ratios to the minimal clock.
The clock is configured with RunTray=0 so that it stays on the screen. Starts of the programs
alternate (minimal, clock, minimal, ...) so that the load of the machine falls on all alike.
Figures are reported, never judged: the script fails only when a program cannot be measured.

    tests/perf/side_by_side.py [--dist DIR ...] [--starts N] [--idle SECONDS]

Give --dist more than once to compare builds in one run (for example a build before a change
and after it); each is a folder laid out like dist/.
"""

import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time
from pathlib import Path

sys.dont_write_bytecode = True
sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "e2e"))

from harness import (ROOT, Failure, Xvfb, _kill_group, _server_tag_dir, _stop_server,  # noqa: E402
                     _wine_env, copy_prefix, ensure_template, wait_until)

BUILD = ROOT / "build" / "win32"
MINIMAL = BUILD / "horavo_minimal_clock.exe"
PROBE = BUILD / "horavo_probe.exe"
CONFIG = b"[Clock]\r\nRunTray=0\r\n"
MARKS = "startup-marks.txt"
TICKS = os.sysconf("SC_CLK_TCK")


def build_tools():
    """Builds the minimal clock and the probe in the release build folder."""
    if not (BUILD / "CMakeCache.txt").exists():
        subprocess.run(["cmake", "-S", str(ROOT), "-B", str(BUILD),
                        f"-DCMAKE_TOOLCHAIN_FILE={ROOT / 'cmake' / 'mingw-i686.cmake'}",
                        "-DCMAKE_BUILD_TYPE=Release"], check=True, stdout=subprocess.DEVNULL)
    subprocess.run(["cmake", "--build", str(BUILD), "-j2", "--target", "horavo_minimal_clock", "horavo_probe"],
                   check=True, stdout=subprocess.DEVNULL)


def cpu_seconds(pid):
    """User and system CPU time of a process so far, in seconds (None when it is gone)."""
    try:
        fields = Path(f"/proc/{pid}/stat").read_text().rsplit(")", 1)[1].split()
    except OSError:
        return None
    return (int(fields[11]) + int(fields[12])) / TICKS


def private_mb(pid):
    """The process's resident memory that no other process shares, in MB."""
    total = 0
    for line in Path(f"/proc/{pid}/smaps_rollup").read_text().splitlines():
        if line.startswith(("Private_Clean:", "Private_Dirty:")):
            total += int(line.split()[1])
    return total / 1024


def check_process(pid, exe_name):
    """Wine becomes the Windows program in the process it was started as; says so if not."""
    try:
        cmdline = Path(f"/proc/{pid}/cmdline").read_bytes().split(b"\0")[0]
    except OSError:
        cmdline = b""
    if not cmdline.lower().endswith(exe_name.lower().encode()):
        raise Failure(f"process {pid} runs {cmdline!r}, not {exe_name}")


def phases(marks_file, launched_wall):
    """[(phase, seconds)] from the program's start-up marks: each mark's distance from the one
    before it, the first one's from the launch. Empty for a program that writes none."""
    try:
        lines = marks_file.read_text(encoding="cp1251").splitlines()
    except OSError:
        return []
    out, last = [], launched_wall
    for line in lines:
        stamp, _, name = line.partition("\t")
        try:
            at = float(stamp) / 1000
        except ValueError:
            continue
        # Repeated names (a second paint) keep the first.
        if name and all(name != n for n, _ in out):
            out.append((name, at - last))
            last = at
    if out:
        out[0] = (f"launch to {out[0][0]}", out[0][1])
    return out


class Start:
    """One start of one program on its own display and in its own prefix."""

    def __init__(self, work, template, folder, exe, config):
        self.work, self.template, self.folder, self.exe, self.config = work, template, folder, exe, config
        self.dir = Path(tempfile.mkdtemp(prefix="side-by-side-", dir=work))
        self.xvfb = None
        self.server = None
        self.keeper = None
        self.program = None
        self.prefix = self.dir / "prefix"

    def measure(self, idle):
        self.xvfb = Xvfb(self.dir / "xvfb.log")
        display = self.xvfb.start()
        ensure_template(self.template, display, self.dir / "template-boot.log")
        copy_prefix(self.template, self.prefix)
        app = self.dir / "app"
        shutil.copytree(self.folder, app, symlinks=True)
        for rel in ("Cfg/Clock_config.ini", "Gear/gear.ini"):
            (app / rel).unlink(missing_ok=True)
        if self.config is not None:
            (app / "Cfg").mkdir(exist_ok=True)
            (app / "Cfg" / "Clock_config.ini").write_bytes(self.config)
        env = _wine_env(self.prefix, display)
        marks_file = app / MARKS
        marks_file.unlink(missing_ok=True)
        # A server in the foreground, so its process is known, and the prefix's services up.
        self.server = subprocess.Popen(["wineserver", "-f", "-p"], env=env, stdin=subprocess.DEVNULL,
                                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True)
        # Wine ends the desktop process with the last program of the prefix; a command prompt
        # waiting for input that never comes keeps it up, so no start pays for the desktop.
        with open(self.dir / "keeper.log", "wb") as out:
            self.keeper = subprocess.Popen(["wine", "cmd", "/k"], cwd=self.dir, env=env, stdin=subprocess.PIPE,
                                           stdout=out, stderr=subprocess.STDOUT, start_new_session=True)
        shutil.copy2(PROBE, self.dir / PROBE.name)
        with open(self.dir / "probe.out", "wb") as out:
            subprocess.run(["wine", str(self.dir / PROBE.name), "windows"], cwd=self.dir, env=env,
                           stdin=subprocess.DEVNULL, stdout=out, stderr=subprocess.DEVNULL, timeout=120, check=False)
        time.sleep(1.0)  # let the services settle

        x_env = dict(os.environ, DISPLAY=display)
        program_env = dict(env, HORAVO_STARTUP_MARKS=MARKS)
        with open(self.dir / "program.log", "wb") as out:
            launched_wall = time.time()
            launched = time.monotonic()
            self.program = subprocess.Popen(["wine", str(app / self.exe)], cwd=app, env=program_env,
                                            stdin=subprocess.DEVNULL, stdout=out, stderr=subprocess.STDOUT,
                                            start_new_session=True)

        def mapped():
            if self.program.poll() is not None:
                raise Failure(f"{self.exe} ended with {self.program.returncode} before it showed a window")
            # Wine marks each X window with the process it belongs to.
            return subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(self.program.pid)], env=x_env,
                                  capture_output=True, timeout=30).stdout.split()
        wait_until(f"a visible window of {self.exe}", mapped, 60, interval=0.005)
        visible = time.monotonic() - launched
        pid = self.program.pid
        check_process(pid, self.exe)
        # The CPU time it took to get there: steadier than the wall clock on a busy machine.
        start_cpu = cpu_seconds(pid)
        time.sleep(max(0.0, launched + 2.0 - time.monotonic()))
        memory = private_mb(pid)

        time.sleep(max(0.0, launched + 3.0 - time.monotonic()))
        before = (cpu_seconds(pid), cpu_seconds(self.server.pid), cpu_seconds(self.xvfb.proc.pid))
        time.sleep(idle)
        after = (cpu_seconds(pid), cpu_seconds(self.server.pid), cpu_seconds(self.xvfb.proc.pid))
        if None in before or None in after:
            raise Failure(f"{self.exe} ended during the idle time")
        cpu, server, xserver = (b - a for a, b in zip(before, after))
        return {"visible": visible, "start_cpu": start_cpu, "memory": memory, "cpu": cpu, "server": server,
                "xserver": xserver, "phases": phases(marks_file, launched_wall)}

    def close(self):
        try:
            if self.prefix.exists():
                tag_dir = _server_tag_dir(self.prefix)
                _stop_server(self.prefix, self.xvfb.display if self.xvfb and self.xvfb.display else ":0")
                if tag_dir:
                    shutil.rmtree(tag_dir, ignore_errors=True)
            for proc in (self.program, self.keeper, self.server):
                _kill_group(proc)
        finally:
            if self.xvfb:
                self.xvfb.stop()
            shutil.rmtree(self.dir, ignore_errors=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--dist", type=Path, action="append",
                        help="a built program folder (default: dist/); may be given more than once")
    parser.add_argument("--starts", type=int, default=3, help="starts of each program (the median is shown)")
    parser.add_argument("--idle", type=float, default=20.0, help="seconds of idle time to measure the CPU over")
    args = parser.parse_args()
    dists = [d.resolve() for d in (args.dist or [ROOT / "dist"])]
    for d in dists:
        if not (d / "Horavo.exe").is_file():
            raise SystemExit(f"no Horavo.exe in {d} (build the release first)")

    build_tools()
    work = ROOT / "build" / "perf-runs"
    work.mkdir(parents=True, exist_ok=True)
    template = Path(os.environ.get("HORAVO_WINE_TEMPLATE") or ROOT / "build" / "wine-template")

    minimal = work / "minimal-clock"
    shutil.rmtree(minimal, ignore_errors=True)
    minimal.mkdir()
    shutil.copy2(MINIMAL, minimal / MINIMAL.name)

    programs = [("minimal clock", minimal, MINIMAL.name, None)]
    for d in dists:
        try:
            shown = d.relative_to(ROOT)
        except ValueError:
            shown = d
        name = "Horavo" if len(dists) == 1 else f"Horavo {str(shown)[-32:]}"
        programs.append((name, d, "Horavo.exe", CONFIG))
    results = {name: [] for name, *_ in programs}
    for n in range(args.starts):
        for name, folder, exe, config in programs:
            start = Start(work, template, folder, exe, config)
            try:
                figures = start.measure(args.idle)
            finally:
                start.close()
            results[name].append(figures)
            print(f"start {n + 1} of {name}: visible after {figures['visible']:.3f} s "
                  f"({figures['start_cpu']:.2f} s of CPU), "
                  f"{figures['memory']:.1f} MB private, CPU {figures['cpu']:.2f} s in {args.idle:.0f} s "
                  f"(wineserver {figures['server']:.2f} s, X server {figures['xserver']:.2f} s)", flush=True)
            if figures["phases"]:
                print("  " + ", ".join(f"{name} +{seconds * 1000:.1f}" for name, seconds in figures["phases"]) + " ms",
                      flush=True)

    def median(name, key):
        return statistics.median(r[key] for r in results[name])

    base = "minimal clock"
    print(f"\nmedian of {args.starts} starts, configuration RunTray=0, idle CPU over {args.idle:.0f} s")
    print(f"{'program':<40} {'visible':>9} {'ratio':>6} {'its CPU':>8} {'private MB':>11} {'over':>6} "
          f"{'CPU s':>6} {'server s':>9} {'X s':>6}")
    for name, *_ in programs:
        visible, memory, cpu = median(name, "visible"), median(name, "memory"), median(name, "cpu")
        print(f"{name[-40:]:<40} {visible:>8.3f}s {visible / median(base, 'visible'):>5.2f}x "
              f"{median(name, 'start_cpu'):>7.2f}s "
              f"{memory:>11.1f} {memory - median(base, 'memory'):>+6.1f} {cpu:>6.2f} "
              f"{median(name, 'server'):>9.2f} {median(name, 'xserver'):>6.2f}")

    # The clock's start by phase: the median of each phase over the starts that marked it.
    for name, *_ in programs:
        names = []
        for r in results[name]:
            for phase, _ in r["phases"]:
                if phase not in names:
                    names.append(phase)
        if not names:
            continue
        print(f"\n{name}: start-up by phase, median of {args.starts} starts (ms)")
        for phase in names:
            values = [dict(r["phases"])[phase] for r in results[name] if phase in dict(r["phases"])]
            print(f"  {phase:<44} {statistics.median(values) * 1000:>8.1f}")


if __name__ == "__main__":
    main()
