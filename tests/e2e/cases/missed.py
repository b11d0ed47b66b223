"""Events that fell due while the program was closed: listed in the missed events window at the
next start, never run; "Показать" opens a reminder's text, "Удалить" removes a one-time event."""

import time

from cases import case
from cases.common import expect, ini_sections, keep_on_screen, wait_exit, wait_main_window, wait_painted
from cases.event_editor import click, control, events_list, gear
from cases.menu import CLOSE_ITEM, open_face_menu
from cases.notices import REMINDER_TITLE, rich_text, rtf, window
from harness import _parse_probe, menu_items, wait_until

MISSED = "Пропущенные события"


def close_clock(s, program):
    w = wait_painted(s)
    open_face_menu(s, w)
    s.xdotool("key", "Up")

    def last_highlighted():
        now = s.menu()
        return now and menu_items(now)[-1].get("highlighted") == 1 and menu_items(now)[-1]["text"] == CLOSE_ITEM
    wait_until("the close item to be highlighted", last_highlighted, 10)
    s.xdotool("key", "Return")
    code = wait_exit(s, program)
    expect(code == 0, f"the program should exit with 0, it exited with {code}")


WS_EX_TOPMOST = 0x8


def on_top(s, title):
    """Whether the visible window with this caption stays on top of other programs' windows."""
    wanted = title.encode("cp1251")
    found = [w for w in s.windows() if w.get("visible") == 1 and w.get("caption") == wanted]
    return bool(found) and all(int(w["exstyle"]) & WS_EX_TOPMOST for w in found)


def list_view(s):
    """Rows and the selected row of the missed events window's list."""
    _, raw = s.probe("texts", "hex:" + MISSED.encode("cp1251").hex().upper())
    fields = _parse_probe(raw)
    for i in range(fields.get("children", 0)):
        if fields.get(f"child{i}_class", b"").lower() == b"syslistview32":
            return fields.get(f"child{i}_items"), fields.get(f"child{i}_selected")
    return None, None


@case
def missed_events(s):
    keep_on_screen(s)
    program = s.start()
    wait_main_window(s)
    close_clock(s, program)
    config = s.app / "Cfg" / "Clock_config.ini"
    stamp = ini_sections(config.read_bytes()).get("Clock", {}).get("LastScan", "")
    expect(len(stamp) == 19 and stamp[4] == "-" and stamp[13] == ":",
           f"closing should store the last examined second as [Clock] LastScan: {stamp!r}")

    # While the clock is closed: a reminder due in 30 seconds, a power-off, a daily signal and a
    # file event in the same minute.
    due = time.time() + 30
    at = time.localtime(due)
    day, second = time.strftime("%d.%m.%Y", at), time.strftime("%H:%M:%S", at)
    later = time.strftime("%H:%M:%S", time.localtime(due + 3))
    note = "Забрать посылку на почте.\nДо 19:00."
    (s.app / "notes" / "701.zqt").write_bytes(rtf(note))
    sections = [
        f"[701]\r\ntime={second}\r\ndate={day}\r\ntype=5\r\npathtotxt=C:\\Horavo\\notes\\701.zqt\r\nperiod=1\r\n",
        f"[702]\r\ntime={later}\r\ndate={day}\r\ntype=4\r\nperiod=1\r\n",
        f"[703]\r\ntime={later}\r\ndate=01.01.2020\r\ntype=0\r\nms=200\r\nhz=800\r\nperiod=2\r\n",
        f"[704]\r\ntime={later}\r\ndate={day}\r\ntype=1\r\npathtofile=Z:\\tmp\\report.bat\r\nperiod=1\r\n",
    ]
    (s.app / "Gear" / "gear.ini").write_bytes("".join(sections).encode("cp1251"))
    (s.app / "Gear" / "Events.txt").write_bytes(b"701\r\n702\r\n703\r\n704\r\n")
    wait_until("the events' seconds to pass", lambda: time.time() > due + 5, 60, interval=0.5)

    program = s.start()
    wait_main_window(s)
    wait_until(f"the window {MISSED!r}", lambda: window(s, MISSED), 60)
    wait_until("four rows, the first selected", lambda: list_view(s) == (4, 0), 15)
    time.sleep(0.5)  # the window paints its children after it appears
    s.screenshot("missed_events")
    expect(program.running(), "the program ended though a power-off fell into the gap")

    expect(on_top(s, MISSED), "the missed events window should stay on top")
    click(s, control(s, MISSED, "button", "Показать"))
    wait_until("the reminder window", lambda: window(s, REMINDER_TITLE), 20)
    wait_until("the reminder's text", lambda: rich_text(s, REMINDER_TITLE) == " ".join(note.split()), 15)
    expect(on_top(s, MISSED) and on_top(s, REMINDER_TITLE), "both windows should stay on top")
    time.sleep(0.5)
    s.screenshot("missed_events_reminder")
    click(s, control(s, REMINDER_TITLE, "button", "Понял..."))
    wait_until("the reminder window to close", lambda: window(s, REMINDER_TITLE) is None, 15)
    expect(on_top(s, MISSED), "the missed events window should stay on top after the reminder")

    click(s, control(s, MISSED, "button", "Удалить"))
    wait_until("the reminder gone from the store", lambda: b"701" not in events_list(s), 15)
    expect("701" not in gear(s), "the reminder's section stayed in gear.ini")
    expect(not (s.app / "notes" / "701.zqt").exists(), "the reminder's text file stayed")
    expect(events_list(s) == [b"702", b"703", b"704"], f"the other events should stay: {events_list(s)}")
    wait_until("three rows left", lambda: list_view(s)[0] == 3, 15)
    s.screenshot("missed_events_deleted")

    click(s, control(s, MISSED, "button", "Закрыть"))
    wait_until("the window to close", lambda: window(s, MISSED) is None, 15)
    expect(program.running(), "the program ended")
