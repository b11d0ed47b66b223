"""Events written into the store before the program starts, fired by the real program."""

import time

from cases import case
from cases.common import expect, wait_main_window
from harness import Failure, wait_until

# How far ahead of the program's start the event is set: time for Wine to start the program.
LEAD_SECONDS = 15


def windows_path(path):
    """The path as the program sees it under Wine: the host's root is drive Z:."""
    return "Z:" + str(path).replace("/", "\\")


@case
def file_event(s):
    # A batch file beside the program that writes a marker into its working directory, so the
    # marker's place also shows that the file was started in its own folder.
    (s.app / "marker.bat").write_bytes(b"@echo fired>marker.txt\r\n")
    marker = s.app / "marker.txt"
    # Local time as the program reads it; the Russian formats are HH:mm:ss and dd.MM.yyyy.
    due = time.time() + LEAD_SECONDS
    at = time.localtime(due)
    section = (
        "[4242]\r\n"
        f"time={time.strftime('%H:%M:%S', at)}\r\n"
        f"date={time.strftime('%d.%m.%Y', at)}\r\n"
        "type=1\r\n"
        f"pathtofile={windows_path(s.app / 'marker.bat')}\r\n"
        "period=2\r\n")
    (s.app / "Gear" / "gear.ini").write_bytes(section.encode("cp1251"))
    (s.app / "Gear" / "Events.txt").write_bytes(b"4242\r\n")
    # The clock stays on the screen, not in the notification area.
    (s.app / "Cfg").mkdir(exist_ok=True)
    (s.app / "Cfg" / "Clock_config.ini").write_bytes(b"[Clock]\r\nRunTray=0\r\n")

    program = s.start()
    wait_main_window(s)
    if time.time() >= due:
        raise Failure(f"the program took more than {LEAD_SECONDS} s to show its window; the event's second passed")
    try:
        wait_until("the batch file's marker", lambda: marker.exists() and marker.read_bytes().strip(),
                   LEAD_SECONDS + 30)
    except Failure:
        stray = sorted(p.relative_to(s.dir) for p in s.dir.rglob("marker.txt"))
        raise Failure(f"the file event did not run marker.bat in the program folder by {at.tm_hour:02}:"
                      f"{at.tm_min:02}:{at.tm_sec:02} (markers elsewhere: {stray})") from None
    expect(marker.read_bytes().strip() == b"fired", f"unexpected marker content {marker.read_bytes()!r}")
    expect(program.running(), "the program ended after the event fired")
    s.screenshot("file_event")
