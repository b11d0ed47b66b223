"""The program from the keyboard and as a screen reader sees it: Tab through the settings window
(the focus read back with the system's focus query), Enter and Esc in record mode, Esc on About,
the clock's menu on Shift+F10 and its arrows, and the accessible name of the clock's window."""

import re
import time

from cases import case
from cases.common import children, expect, keep_on_screen, main_windows, wait_main_window, wait_painted
from cases.settings_page import ABOUT, choose_from_face_menu, click, control, wait_control
from harness import Failure, _parse_probe, menu_items, wait_until

VIEW = "Настройки -  Режим: Просмотр"
VIEW_AFTER_RECORD = "Настройки - Режим: Просмотр"  # CancelAdd's caption, one blank
RECORD = "Настройки - Режим: Запись"
CLOSE_ITEM = "Закрыть приложение".encode("cp1251")


def hexed(title):
    return "hex:" + title.encode("cp1251").hex().upper()


def focus(s, title):
    """The window with the keyboard focus in the thread of the window `title`."""
    rc, raw = s.probe("focus", hexed(title))
    fields = _parse_probe(raw)
    if fields.get("found") != 1:
        raise Failure(f"no focus found in {title!r}: {raw!r}")
    return fields


def accessible(s, hwnd):
    rc, raw = s.probe("accname", f"hwnd:{hwnd:x}")
    fields = _parse_probe(raw)
    if fields.get("found") != 1:
        raise Failure(f"no accessible object for window {hwnd:x}: {raw!r}")
    return fields


def events_list(s):
    path = s.app / "Gear" / "Events.txt"
    return [line for line in path.read_bytes().split(b"\r\n") if line.strip()] if path.exists() else []


@case
def keyboard_settings(s):
    keep_on_screen(s)
    s.start()
    wait_main_window(s)
    w = wait_painted(s)
    choose_from_face_menu(s, w, "Добавить событие")
    s.wait_window(VIEW)
    time.sleep(1)

    # Tab three times from the event list: three different controls in turn.
    list_view = wait_control(s, VIEW, "syslistview32")
    click(s, list_view, dx=20, dy=40)
    seen = [focus(s, VIEW)["handle"]]
    for _ in range(3):
        s.xdotool("key", "Tab")
        moved = wait_until("the focus to move", lambda: (lambda f: f if f["handle"] != seen[-1] else None)(focus(s, VIEW)), 10)
        seen.append(moved["handle"])
    expect(len(set(seen[1:])) == 3, f"Tab should visit three different controls, the focus went {seen}")
    s.screenshot("keyboard_tab")

    # Record mode: Enter in the time picker commits through the default button "OK".
    before = events_list(s)
    click(s, control(s, VIEW, "button", " Добавить событие"))
    s.wait_window(RECORD)
    picker = wait_until("the pickers", lambda: [c for c in children(s, RECORD)
                                                if c["visible"] and c["class"] == "sysdatetimepick32"], 10)
    # The time picker: its hour goes up one, so the new event is not in the past.
    time_picker = min(picker, key=lambda c: c["left"])
    click(s, time_picker, dx=8)
    s.xdotool("key", "Up")
    s.xdotool("key", "Return")
    wait_until("the addition to be stored", lambda: len(events_list(s)) == len(before) + 1, 20)
    s.wait_window(VIEW_AFTER_RECORD)

    # Record mode again: Esc cancels it, nothing is stored.
    click(s, control(s, VIEW_AFTER_RECORD, "button", "Добавить событие"))
    s.wait_window(RECORD)
    stored = events_list(s)
    s.xdotool("key", "Escape")
    s.wait_window(VIEW_AFTER_RECORD)
    expect(events_list(s) == stored, "Esc in record mode stored something")

    # Esc in view mode leaves the window ("Выход").
    s.xdotool("key", "Escape")
    wait_until("the settings window to close", lambda: not (s.window(VIEW_AFTER_RECORD) or {}).get("visible"), 20)

    # About closes with Esc.
    choose_from_face_menu(s, w, "Настройки программы")
    s.wait_window(VIEW)  # showing the window announces the mode again
    click(s, wait_control(s, VIEW, "button", "Об авторе"))
    s.wait_window(ABOUT)
    time.sleep(1)
    s.xdotool("key", "Escape")
    wait_until("About to close", lambda: not (s.window(ABOUT) or {}).get("visible"), 20)


@case
def keyboard_clock(s):
    keep_on_screen(s)
    s.start()
    wait_main_window(s)
    w = wait_painted(s)

    # What a screen reader hears: the time the face shows, and its two drawn buttons.
    last = {}

    def named_by_time():
        fields = accessible(s, w["hwnd"])
        last["name"] = fields.get("name", b"").decode("cp1251")
        return fields if re.search(r"\d{1,2}:\d{2}:\d{2}", last["name"]) else None
    try:
        fields = wait_until("the clock's accessible name to hold its time", named_by_time, 15)
    except Failure:
        raise Failure(f"the clock's accessible name should hold its time: {last.get('name')!r}") from None
    name = fields["name"].decode("cp1251")
    shown = re.search(r"(\d{1,2}):(\d{2}):(\d{2})", name)
    now = time.localtime()
    minutes = int(shown.group(1)) * 60 + int(shown.group(2))
    expect(abs(minutes - (now.tm_hour * 60 + now.tm_min)) % (24 * 60) in (0, 1, 24 * 60 - 1),
           f"the accessible name {name!r} is not the time now ({now.tm_hour}:{now.tm_min:02})")
    children = [fields.get(f"child{i}", b"") for i in range(1, fields.get("children", 0) + 1)]
    for button in ("Свернуть в трей", "Закрыть"):
        expect(button.encode("cp1251") in children, f"no element {button!r} among {children}")

    # The face takes the keyboard with a click (away from its labels and buttons).
    s.xdotool("mousemove", w["left"] + 5, w["top"] + w["height"] - 8, "click", 1)
    time.sleep(0.5)
    s.xdotool("key", "shift+F10")
    menu = wait_until("the clock's menu", s.menu, 10)
    items = menu_items(menu)
    expect(any(i["text"] == CLOSE_ITEM for i in items), f"Shift+F10 opened another menu: {items}")
    s.screenshot("keyboard_menu")
    s.xdotool("key", "Escape")
    wait_until("the menu to close", lambda: s.menu() is None, 10)

    # The arrows move it by a pixel, by ten with Shift.
    s.xdotool("key", "Right")
    s.xdotool("key", "shift+Down")

    def moved():
        found = main_windows(s)
        return found if found and (found[0]["left"], found[0]["top"]) == (w["left"] + 1, w["top"] + 10) else None
    wait_until(f"the clock to move from {w['left']},{w['top']} by (1, 10)", moved, 10)
