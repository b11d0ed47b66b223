"""The calendar window: opened from the clock's menu beside the clock, today's reminder in the
day list, the days holding events bold, another city's clock at the top; at 100 % (three months)
and at 150 % (one month). The screenshots show the bold days and the city's time. A city added on
the settings page."""

import time

from cases import case
from cases.chrome import write_config
from cases.common import children, expect, wait_main_window, wait_painted
from cases.density import WIDE, WIDE_HEIGHT, WIDE_WIDTH
from cases.notices import rtf, window
from cases.packages import readme_picture
from cases.settings_page import (SETTINGS, choose_from_face_menu, click, config, control, open_settings_page,
                                 to_inner_page, wait_control, wait_key)
from harness import _parse_probe, wait_until

CALENDAR = "Календарь"


def store_events(s):
    """A reminder late today and a signal on another day of this month (the 10th or the 20th)."""
    today = time.strftime("%d.%m.%Y")
    other = time.strftime("%m.%Y")
    other = ("20." if time.localtime().tm_mday != 20 else "10.") + other
    (s.app / "notes" / "801.zqt").write_bytes(rtf("Позвонить маме"))
    (s.app / "Gear" / "gear.ini").write_bytes(
        (f"[801]\r\ntime=23:59:58\r\ndate={today}\r\ntype=5\r\n"
         "pathtotxt=C:\\Horavo\\notes\\801.zqt\r\nperiod=1\r\n"
         f"[802]\r\ntime=09:00:00\r\ndate={other}\r\ntype=0\r\nms=200\r\nhz=800\r\nperiod=1\r\n").encode("cp1251"))
    (s.app / "Gear" / "Events.txt").write_bytes(b"801\r\n802\r\n")


def day_list(s):
    """The number of rows of the calendar's list and whether the list is shown."""
    _, raw = s.probe("texts", "hex:" + CALENDAR.encode("cp1251").hex().upper())
    fields = _parse_probe(raw)
    for i in range(fields.get("children", 0)):
        if fields.get(f"child{i}_class", b"").lower() == b"syslistview32":
            return fields.get(f"child{i}_items"), fields.get(f"child{i}_visible")
    return None, None


def open_calendar(s, months, tag):
    write_config(s, f"[Clock]\nRunTray=0\nCalendarMonths={months}\n"
                    "[Cities]\nName1=Токио\nZone1=Tokyo Standard Time\n")
    store_events(s)
    s.start()
    wait_main_window(s)
    clock = wait_painted(s)
    choose_from_face_menu(s, clock, "Календарь...")
    w = wait_until("the calendar window", lambda: window(s, CALENDAR), 30)
    expect(w["left"] >= 0 and w["top"] >= 0 and w["left"] + w["width"] <= WIDE_WIDTH
           and w["top"] + w["height"] <= WIDE_HEIGHT, f"the calendar should be whole on the screen: {w}")
    expect(w["top"] + w["height"] <= clock["top"], f"the calendar should open above the clock: {w}")
    wait_until("today's reminder in the day list", lambda: day_list(s) == (1, 1), 15)
    time.sleep(1)  # the month control paints after it appears
    s.screenshot(f"{tag}-calendar")
    if tag == "dpi96":
        readme_picture(s, "calendar", (w["left"], w["top"], w["left"] + w["width"], w["top"] + w["height"]))

    # Esc closes it.
    s.xdotool("key", "Escape")
    wait_until("the calendar to close", lambda: window(s, CALENDAR) is None, 15)
    s.probe("close", "Horavo")


def wide(dpi):
    def mark(fn):
        fn.screen, fn.dpi = WIDE, dpi
        return case(fn)
    return mark


@wide(96)
def calendar_window(s):
    open_calendar(s, 3, "dpi96")


@wide(144)
def calendar_window_150(s):
    open_calendar(s, 1, "dpi144")


@case
def calendar_cities(s):
    """A city added on the settings page's "Календарь" tab is stored in [Cities]."""
    write_config(s, "[Clock]\nRunTray=0\n")
    s.start()
    wait_main_window(s)
    clock = wait_painted(s)
    open_settings_page(s, clock)
    to_inner_page(s, 3)
    wait_control(s, SETTINGS, "button", "Добавить")
    shown = [c for c in children(s, SETTINGS) if c["visible"]]
    zones = max((c for c in shown if c["class"] == "listbox"), key=lambda c: c["bottom"] - c["top"])
    name = max((c for c in shown if c["class"] == "edit"), key=lambda c: c["right"] - c["left"])
    click(s, name)
    s.xdotool("type", "--delay", "50", "Rome")
    click(s, zones, dy=8)  # the first zone of the system's list
    click(s, control(s, SETTINGS, "button", "Добавить"))
    wait_key(s, "Cities", "Name1", "Rome")
    expect(config(s)["Cities"].get("Zone1"), f"the city's zone should be stored: {config(s)}")
    time.sleep(0.5)
    s.screenshot("settings_calendar")
    s.probe("close", "Horavo")
