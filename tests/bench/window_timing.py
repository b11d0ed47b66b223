#!/usr/bin/env python3
"""Times the real program under Wine on a virtual display: from start to the painted face, the
"_" button to the icon in the tray, a click on the icon to the face painted again, and the "x"
button to the end of the process. Each is measured from outside by polling the X server every
10 ms, so the figures include the virtual display's own delays (a grab of the screen takes
some tens of milliseconds).

    tests/bench/window_timing.py [--dist DIR] [--probe EXE] [--rounds N]
"""

import argparse
import sys
import time
from pathlib import Path

sys.dont_write_bytecode = True
sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "e2e"))

from cases.chrome import button_centre, tray_icon_point, write_config  # noqa: E402
from cases.common import grab, wait_painted  # noqa: E402
from harness import ROOT, Session  # noqa: E402


def face_drawn(s, w):
    """Whether the clock's face is on the screen: the empty virtual desktop is black."""
    return any(grab(s, w["left"] + 4, w["top"] + w["height"] // 2, w["width"] - 8, 1))


def seconds_until(condition, timeout=30.0):
    started = time.monotonic()
    while not condition():
        if time.monotonic() - started > timeout:
            raise RuntimeError("timed out")
        time.sleep(0.01)
    return time.monotonic() - started


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--dist", type=Path, default=ROOT / "dist")
    parser.add_argument("--probe", type=Path, default=ROOT / "build" / "win32" / "horavo_probe.exe")
    parser.add_argument("--rounds", type=int, default=3)
    args = parser.parse_args()

    with Session("window_timing", args.dist, args.probe) as s:
        write_config(s, "[Clock]\nRunTray=0\n")
        started = time.monotonic()
        program = s.start()
        w = wait_painted(s)
        print(f"start to painted face: {time.monotonic() - started:.2f} s (with probe polling)", flush=True)
        minim = button_centre(s, w, "MinimBut")
        for n in range(args.rounds):
            s.xdotool("mousemove", *minim)
            s.xdotool("click", "1")
            gone = seconds_until(lambda: not face_drawn(s, w))
            icon_at = {}

            def icon():
                icon_at["p"] = tray_icon_point(s)
                return icon_at["p"] is not None
            shown = gone + seconds_until(icon)
            s.xdotool("mousemove", *icon_at["p"])
            s.xdotool("click", "1")
            back = seconds_until(lambda: face_drawn(s, w))
            print(f"round {n + 1}: hidden {gone:.2f} s, icon {shown:.2f} s after '_'; "
                  f"face back {back:.2f} s after the click on the icon", flush=True)
            time.sleep(0.5)
        close = button_centre(s, w, "CloseBut")
        s.xdotool("mousemove", *close)
        s.xdotool("click", "1")
        ended = seconds_until(lambda: not program.running())
        print(f"'x' to the end of the process: {ended:.3f} s", flush=True)


if __name__ == "__main__":
    main()
