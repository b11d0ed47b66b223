#!/usr/bin/env python3
"""Runs end-to-end cases against the real Horavo.exe under Wine on a virtual display.

    run_e2e.py [--dist DIR] [--probe EXE] [--timeout S] [--keep] CASE...
    run_e2e.py --list

Each case gets its own display, Wine prefix and copy of dist/. Screenshots go to
build/screenshots/. The exit code is 0 only when every case named passed.
"""

import argparse
import signal
import sys
import time
import traceback
from pathlib import Path

sys.dont_write_bytecode = True  # no __pycache__ folders in the source tree
sys.path.insert(0, str(Path(__file__).resolve().parent))

from cases import load_all  # noqa: E402
from harness import ROOT, Failure, Session  # noqa: E402


class CaseTimeout(Failure):
    pass


def _on_alarm(signum, frame):
    raise CaseTimeout("the case ran out of time")


def _on_term(signum, frame):
    # Turn a termination request into an exception, so that the session still ends its
    # Xvfb and Wine processes.
    raise KeyboardInterrupt(f"signal {signum}")


def run_case(name, fn, args):
    started = time.monotonic()
    signal.alarm(int(args.timeout))
    try:
        with Session(name, args.dist, args.probe, screenshots=args.screenshots, keep=args.keep,
                     screen=getattr(fn, "screen", None), dpi=getattr(fn, "dpi", None)) as session:
            fn(session)
        ok, detail = True, ""
    except Failure as e:
        ok, detail = False, str(e)
    except Exception:  # noqa: BLE001 - a broken case is reported like a failed one
        ok, detail = False, traceback.format_exc()
    finally:
        signal.alarm(0)
    elapsed = time.monotonic() - started
    print(f"{name}: {'passed' if ok else 'FAILED'} in {elapsed:.1f} s", flush=True)
    if detail:
        print(f"  {detail}", flush=True)
    return ok


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("cases", nargs="*")
    parser.add_argument("--dist", type=Path, default=ROOT / "dist")
    parser.add_argument("--probe", type=Path, default=ROOT / "build" / "win32" / "horavo_probe.exe")
    parser.add_argument("--screenshots", type=Path, default=ROOT / "build" / "screenshots")
    parser.add_argument("--timeout", type=float, default=240, help="seconds for one case, set-up included")
    parser.add_argument("--keep", action="store_true", help="keep each run's folder under build/e2e-runs")
    parser.add_argument("--list", action="store_true")
    args = parser.parse_args()

    cases = load_all()
    if args.list:
        print("\n".join(sorted(cases)))
        return 0
    unknown = [c for c in args.cases if c not in cases]
    if unknown or not args.cases:
        parser.error(f"unknown cases {unknown}; known: {', '.join(sorted(cases))}")

    signal.signal(signal.SIGALRM, _on_alarm)
    signal.signal(signal.SIGTERM, _on_term)
    signal.signal(signal.SIGHUP, _on_term)
    results = [run_case(name, cases[name], args) for name in args.cases]
    passed = sum(results)
    print(f"{passed} passed, {len(results) - passed} failed", flush=True)
    return 0 if all(results) else 1


if __name__ == "__main__":
    sys.exit(main())
