"""The command line under Wine: a reminder handed to the running clock, which then shows it; an
export and an import into a fresh program folder; the event page's "Импорт..." through the
real file dialog."""

import shutil
import time

from cases import case
from cases.common import expect, keep_on_screen, wait_exit, wait_main_window, wait_painted
from cases.event_editor import VIEW, click, control, events_list, gear, open_by_double_click
from cases.notices import REMINDER_TITLE, rich_text, window, write_store
from cases.settings_page import dialogs, wait_new_dialog
from harness import wait_until


def no_message_box(s, what):
    box = s.msgbox()
    expect(box is None, f"{what}: a message box says {box and box['text'].decode('cp1251', 'replace')!r}")


@case
def command_remind(s):
    write_store(s, [], [])
    keep_on_screen(s)
    s.start()
    wait_main_window(s)
    wait_painted(s)
    started = time.time()
    # Wine takes the Unix command line in the host's locale, which here has no Cyrillic: the text
    # is Latin (Cyrillic arguments are covered by the unit tests).
    command = s.start("Horavo.exe", "/remind", "+1", "Call from the command line", name="remind")
    code = wait_exit(s, command, 60)
    expect(code == 0, f"/remind should end with 0, it ended with {code}: {command.output()!r}")
    no_message_box(s, "after the command")
    numbers = events_list(s)
    expect(len(numbers) == 1, f"one event should be listed: {numbers}")
    section = gear(s).get(numbers[0].decode(), {})
    expect(section.get("type") == "5" and section.get("period") == "1", f"the new event: {section}")
    # It fires at its minute: within about 60 s of the command, while the clock that took it runs.
    wait_until(f"the reminder window {REMINDER_TITLE!r}", lambda: window(s, REMINDER_TITLE), 90)
    expect(time.time() - started >= 50, "the reminder came too early")
    text = rich_text(s, REMINDER_TITLE)
    expect("Call from the command line" in text, f"the reminder shows {text!r}")
    s.screenshot("command_remind")


def stored_events(s):
    """The events as (type, time, date, period, text), with the reminders' texts."""
    sections = gear(s)
    result = []
    for number in events_list(s):
        section = dict(sections.get(number.decode(), {}))
        for key in ("pathtotxt", "pathtobirthday", "uid"):
            section.pop(key, None)
        result.append(tuple(sorted(section.items())))
    return result


@case
def command_export_import(s):
    sections = [
        "[11]\r\ntime=10:00:00\r\ndate=15.01.2030\r\ntype=0\r\nms=300\r\nhz=440\r\nperiod=1\r\n",
        "[12]\r\ntime=07:30:00\r\ndate=01.01.2027\r\ntype=4\r\nperiod=4\r\nMon=1\r\nTue=0\r\nWed=1\r\nThu=0\r\n"
        "Fri=1\r\nSat=0\r\nSun=0\r\n",
        "[13]\r\ntime=23:59:59\r\ndate=31.01.2027\r\ntype=2\r\nperiod=3\r\nactive=0\r\n",
        "[14]\r\ntime=12:00:00\r\ndate=01.02.2027\r\ntype=1\r\npathtofile=C:\\Музыка\\песня, новая.mp3\r\nperiod=2\r\n",
    ]
    write_store(s, sections, ["11", "12", "13", "14"])
    before = stored_events(s)
    command = s.start("Horavo.exe", "/export", "events.ics", name="export")
    code = wait_exit(s, command, 60)
    expect(code == 0, f"/export should end with 0, it ended with {code}: {command.output()!r}")
    exported = (s.app / "events.ics").read_bytes()
    expect(exported.count(b"BEGIN:VEVENT") == 4, f"four events should be exported: {exported[:400]!r}")
    shutil.copy(s.app / "events.ics", s.dir / "events.ics")

    # A fresh program folder: no events.
    write_store(s, [], [])
    command = s.start("Horavo.exe", "/IMPORT", "events.ics", name="import")
    code = wait_exit(s, command, 60)
    expect(code == 0, f"/import should end with 0, it ended with {code}: {command.output()!r}")
    after = stored_events(s)
    expect(after == before, f"the imported events differ:\n{after}\n{before}")

    # A malformed file stores nothing and ends with 1.
    (s.app / "bad.ics").write_bytes(b"BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\n")
    write_store(s, [], [])
    command = s.start("Horavo.exe", "/import", "bad.ics", name="bad")
    code = wait_exit(s, command, 60)
    expect(code == 1, f"a malformed file should end with 1, it ended with {code}")
    expect(events_list(s) == [], "nothing should be stored from a malformed file")


@case
def import_dialog(s):
    write_store(s, [], [])
    (s.app / "coming.ics").write_bytes(
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Example//Test//EN\r\nBEGIN:VEVENT\r\nUID:e2e-1\r\n"
        "DTSTART:20300105T093000\r\nSUMMARY:Из календаря\r\nEND:VEVENT\r\nBEGIN:VEVENT\r\nUID:e2e-2\r\n"
        "DTSTART:20200105T093000\r\nSUMMARY:Прошло\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n".encode("utf-8"))
    keep_on_screen(s)
    s.start()
    wait_main_window(s)
    open_by_double_click(s, wait_painted(s))
    time.sleep(1)
    s.screenshot("import_buttons")
    before = len(dialogs(s))
    click(s, control(s, VIEW, "button", "Импорт..."))
    wait_new_dialog(s, before, "the import's file dialog")
    s.screenshot("import_dialog")
    s.xdotool("key", "ctrl+a")
    s.xdotool("type", "--delay", "50", "coming.ics")
    s.xdotool("key", "Return")
    box = s.wait_msgbox(30)
    message = box["text"].decode("cp1251")
    expect(message == "Импортировано: 1. Пропущено: 1 (прошло: 1).", f"the import says {message!r}")
    s.screenshot("import_done")
    s.xdotool("key", "Return")
    numbers = events_list(s)
    expect(len(numbers) == 1, f"one event should be listed: {numbers}")
    section = gear(s).get(numbers[0].decode(), {})
    expect(section.get("time") == "09:30:00" and section.get("date") == "05.01.2030" and section.get("uid") == "e2e-1",
           f"the imported event: {section}")
