"""Summer time beginning while the clock runs: Wine follows the TZ variable, so a zone whose change
falls a minute after the start makes the local clock jump an hour forward. A reminder due in the
skipped hour shows at the change, and nothing is reported as missed."""

import calendar
import os
import time

from cases import case
from cases.common import expect, wait_main_window
from cases.missed import MISSED
from cases.notices import REMINDER_TITLE, rich_text, rtf, window, write_store
from harness import Failure, wait_until

LEAD = 75  # seconds from writing the zone to the change


def summer_time_zone(change):
    """A POSIX zone on UTC that goes one hour ahead at the UTC moment `change` (this year)."""
    at = time.gmtime(change)
    # Julian day 1..365, 29 February never counted.
    julian = at.tm_yday - (1 if calendar.isleap(at.tm_year) and at.tm_mon > 2 else 0)
    return f"XST0XDT-1,J{julian}/{at.tm_hour:02d}:{at.tm_min:02d}:{at.tm_sec:02d},J365/23:59:59"


@case
def summer_time_begins(s):
    change = int(time.time()) + LEAD
    if time.gmtime(change).tm_yday != time.gmtime(change + 3600).tm_yday:
        raise Failure("the skipped hour would cross midnight UTC; run the case again later")
    # Standard time is UTC, so the skipped hour is [change, change + 1 h) in UTC figures.
    due = time.gmtime(change + 20 * 60)
    note = "Полить цветы."
    (s.app / "notes" / "801.zqt").write_bytes(rtf(note))
    write_store(s, [f"[801]\r\ntime={time.strftime('%H:%M:%S', due)}\r\ndate={time.strftime('%d.%m.%Y', due)}\r\n"
                    "type=5\r\npathtotxt=C:\\Horavo\\notes\\801.zqt\r\nperiod=1\r\n"], ["801"])

    saved = os.environ.get("TZ")
    os.environ["TZ"] = summer_time_zone(change)
    try:
        program = s.start()
        wait_main_window(s)
        if time.time() > change - 10:
            raise Failure("the program took too long to start; the change came first")
        wait_until("the seconds before the change", lambda: time.time() > change - 3, LEAD, interval=0.5)
        expect(window(s, REMINDER_TITLE) is None, "the reminder showed before the change")
        wait_until(f"the reminder window {REMINDER_TITLE!r} at the change", lambda: window(s, REMINDER_TITLE), 30)
        shown = time.time()
        expect(shown - change < 15, f"the reminder showed {shown - change:.0f} s after the change")
        wait_until("the reminder's text", lambda: rich_text(s, REMINDER_TITLE) == note, 15)
        time.sleep(3)
        expect(window(s, MISSED) is None, "the skipped hour was reported as missed")
        s.screenshot("summer_time_begins")
        expect(program.running(), "the program ended")
    finally:
        if saved is None:
            os.environ.pop("TZ", None)
        else:
            os.environ["TZ"] = saved
