"""The event list of the settings window under Wine: events seeded in the store are listed, a
clicked one is shown in the editor, the list's menu is there except in the birthday view, and
deleting a reminder and a birthday, after "Да" to the question, takes their sections, list lines
and text files with them and empties the editor.
A screenshot of the event page with the seeded events."""

import time

from cases import case
from cases.common import TITLE, expect, keep_on_screen, wait_main_window, wait_painted
from cases.event_editor import (IDNO, IDYES, VIEW, VIEW_AFTER, children, click, control, events_list, gear,
                                open_by_double_click)
from harness import menu_items, wait_until

REMINDER_TEXT = "Buy milk"
BIRTHDAY_TEXT = "Ivan Petrov"

# Listed in this order; nothing here is due: the one-time events lie in the past, the
# birthday's full date is long gone.
SEED = [
    ("501", ["type=5", "time=08:15:00", "date=03.02.2020", "pathtotxt=C:\\Old\\notes\\501.zqt", "period=1"]),
    ("502", ["type=0", "time=07:30:00", "date=04.02.2020", "ms=200", "hz=880", "period=1"]),
    ("503", ["type=6", "time=00:00:00", "date=05.02.2001", "pathtobirthday=C:\\Old\\days\\503.zqd", "Brith?=1",
             "Foto=", "Email="]),
    ("504", ["type=1", "time=12:00:00", "date=06.02.2020", "pathtofile=C:\\Tools\\backup.bat", "period=1"]),
    ("505", ["type=4", "time=23:00:00", "date=07.02.2020", "period=1"]),
    ("506", ["type=2", "time=18:45:10", "date=08.02.2020", "period=4", "Mon=1", "Tue=0", "Wed=1", "Thu=0", "Fri=1",
             "Sat=0", "Sun=0"]),
]


def seed(s):
    keep_on_screen(s)
    text = "".join(f"[{n}]\r\n" + "".join(k + "\r\n" for k in keys) for n, keys in SEED)
    (s.app / "Gear" / "gear.ini").write_bytes(text.encode("cp1251"))
    (s.app / "Gear" / "Events.txt").write_bytes("".join(n + "\r\n" for n, _ in SEED).encode("ascii"))
    (s.app / "notes" / "501.zqt").write_bytes(REMINDER_TEXT.encode("ascii"))
    (s.app / "days" / "503.zqd").write_bytes(BIRTHDAY_TEXT.encode("ascii"))


def list_view(s, title):
    found = [c for c in children(s, title) if c["visible"] and c["class"].startswith("syslistview32")]
    expect(len(found) == 1, f"the event page should show one list: {found}")
    return found[0]


def rich_texts(s, title):
    return [c["text"] for c in children(s, title) if c["visible"] and c["class"].startswith("richedit")]


def click_first_row(s, lv):
    # Below the column header, inside the first row, right of the check box.
    click(s, lv, dx=40, dy=30)
    time.sleep(0.6)


def press_delete(s, title, number, screenshot=None):
    """Presses "Удалить событие" and answers "Да" to its question."""
    click(s, control(s, title, "button", "Удалить событие"))
    box = s.wait_msgbox(20)
    expect(box["text"] == f"Удалить событие {number}?".encode("cp1251"), f"the question: {box['text']!r}")
    expect(box["caption"] == TITLE, f"the question's caption: {box['caption']!r}")
    ids = [box.get(f"button{i}_id") for i in range(box.get("buttons", 0))]
    expect(ids == [IDYES, IDNO], f"the question should offer Да and Нет: {box}")
    if screenshot:
        s.screenshot(screenshot)
    s.xdotool("key", "Return")  # "Да", the default button
    wait_until("the question to close", lambda: s.msgbox() is None, 10)
    time.sleep(0.8)


def context_menu(s, lv):
    click(s, lv, dx=150, dy=30, button=3)
    return wait_until("the list's menu", s.menu, 5)


@case
def event_list(s):
    seed(s)
    s.start()
    wait_main_window(s)
    w = wait_painted(s)
    open_by_double_click(s, w)
    time.sleep(1)
    lv = list_view(s, VIEW)
    expect(lv["right"] - lv["left"] > 250 and lv["bottom"] - lv["top"] > 250, f"the list is too small: {lv}")
    s.screenshot("event_list")

    # The first row is the reminder: the editor shows its text, loaded from the program's own
    # notes folder.
    click_first_row(s, lv)
    expect(REMINDER_TEXT.encode() in rich_texts(s, VIEW), f"the reminder's text is not shown: {rich_texts(s, VIEW)}")
    s.screenshot("event_list_reminder")

    # The list's menu: "Показать..." and "Тест!".
    items = [i["text"] for i in menu_items(context_menu(s, lv))]
    s.xdotool("key", "Escape")
    wait_until("the menu to close", lambda: s.menu() is None, 5)
    if items:
        expect(items == ["Показать...".encode("cp1251"), "Тест!".encode("cp1251")], f"the list's menu: {items}")

    press_delete(s, VIEW, "501", "event_list_delete_question")
    expect(not (s.app / "notes" / "501.zqt").exists(), "the reminder's note file is still there")
    expect(REMINDER_TEXT.encode() not in rich_texts(s, VIEW), "the deleted reminder's text is still shown")
    expect(events_list(s) == [b"502", b"503", b"504", b"505", b"506"], f"the list file: {events_list(s)}")
    expect("501" not in gear(s), "the reminder's section is still there")
    s.screenshot("event_list_deleted")

    # The birthday view: the button right of "Стандартные события", above the list.
    s.xdotool("mousemove", lv["left"] + 240, lv["top"] - 16, "click", 1)
    time.sleep(0.8)
    click(s, lv, dx=150, dy=30, button=3)
    time.sleep(1)
    expect(s.menu() is None, "the birthday view should have no context menu")
    click_first_row(s, lv)
    expect(BIRTHDAY_TEXT.encode() in rich_texts(s, VIEW), f"the birthday's text is not shown: {rich_texts(s, VIEW)}")
    press_delete(s, VIEW, "503")
    expect(not (s.app / "days" / "503.zqd").exists(), "the birthday's text file is still there")
    expect(events_list(s) == [b"502", b"504", b"505", b"506"], f"the list file: {events_list(s)}")
    expect("503" not in gear(s) and "502" in gear(s), f"the sections left: {sorted(gear(s))}")
    s.screenshot("event_list_birthdays_deleted")

    # Back to the standard view; the window closes as usual.
    s.xdotool("mousemove", lv["left"] + 70, lv["top"] - 16, "click", 1)
    time.sleep(0.5)
    click(s, control(s, VIEW, "button", "Выход"))
    wait_until("the settings window to close", lambda: not (s.window(VIEW) or {}).get("visible"), 10)
