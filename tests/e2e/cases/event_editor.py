"""The event editor of the settings window under Wine, driven through its real controls: a text
reminder added for the next minute fires; a birthday recorded; a power-off template from the
clock's menu lands in the store (and the program ends before it could fire), also beside a
half-typed reminder, which it leaves open; an empty reminder is stored only after "Да". Screenshots of the event page in view and record mode for a reminder
and a birthday, and of the question."""

import time

from cases import case
from cases.common import (TITLE, children, expect, ini_sections, keep_on_screen, wait_exit, wait_main_window,
                          wait_painted)
from cases.menu import open_face_menu
from harness import Failure, menu_items, wait_until

VIEW = "Настройки -  Режим: Просмотр"
VIEW_AFTER = "Настройки - Режим: Просмотр"
RECORD = "Настройки - Режим: Запись"
REMINDER = "Напоминание"


def visible(s, title, cls, text=None):
    return [c for c in children(s, title)
            if c["visible"] and c["class"].startswith(cls) and (text is None or c["text"] == text.encode("cp1251"))]


def control(s, title, cls, text=None):
    found = visible(s, title, cls, text)
    if not found:
        raise Failure(f"the window {title!r} shows no {cls} {text!r}")
    return found[0]


def click(s, c, dx=None, dy=None, button=1):
    x = c["left"] + (dx if dx is not None else (c["right"] - c["left"]) // 2)
    y = c["top"] + (dy if dy is not None else (c["bottom"] - c["top"]) // 2)
    s.xdotool("mousemove", x, y, "click", button)


def area(c):
    return (c["right"] - c["left"]) * (c["bottom"] - c["top"])


def action_tabs(s, title):
    """The action-type page control: the smaller of the two visible tab controls."""
    tabs = visible(s, title, "systabcontrol32")
    expect(len(tabs) == 2, f"the event page should show two tab controls: {tabs}")
    return min(tabs, key=area)


def choose_action_page(s, title, index):
    """Selects the action page by the keyboard: Left until the first page, then Right `index`
    times (a click on the tabs selects some page first)."""
    tabs = action_tabs(s, title)
    click(s, tabs, dx=20, dy=10)
    time.sleep(0.3)
    for _ in range(7):
        time.sleep(0.1)
        s.xdotool("key", "Left")
    for _ in range(index):
        time.sleep(0.2)
        s.xdotool("key", "Right")
    time.sleep(0.5)


def gear(s):
    path = s.app / "Gear" / "gear.ini"
    return ini_sections(path.read_bytes()) if path.exists() else {}


def events_list(s):
    path = s.app / "Gear" / "Events.txt"
    return [line for line in path.read_bytes().split(b"\r\n") if line] if path.exists() else []


def open_by_double_click(s, w):
    s.xdotool("mousemove", w["left"] + 8, w["top"] + w["height"] - 10, "click", "--repeat", "2", "--delay", "80", 1)
    return s.wait_window(VIEW, 30)


def begin_addition(s, title):
    click(s, control(s, title, "button", " Добавить событие" if title == VIEW else "Добавить событие"))
    s.wait_window(RECORD, 20)


def start_addition(s):
    """Starts the clock, opens the settings window by a double click on the face and begins an
    addition."""
    keep_on_screen(s)
    s.start()
    wait_main_window(s)
    open_by_double_click(s, wait_painted(s))
    begin_addition(s, VIEW)


def commit(s):
    click(s, control(s, RECORD, "button", "OK"))
    s.wait_window(VIEW_AFTER, 20)


def quick_time(s, presses):
    """Chooses an item of the time picker's quick-time menu: `presses` Down keys, then Return."""
    picker = [c for c in visible(s, RECORD, "sysdatetimepick32")]
    expect(len(picker) == 2, f"both pickers should be shown: {picker}")
    time_picker = min(picker, key=lambda c: c["top"])
    click(s, time_picker, button=3)
    menu = wait_until("the quick-time menu", s.menu, 10)
    items = menu_items(menu)
    if items:
        expect(items[0]["text"] == "+1 минута".encode("cp1251"), f"the quick-time menu: {items}")
    for _ in range(presses):
        s.xdotool("key", "Down")
        time.sleep(0.15)
    s.xdotool("key", "Return")
    wait_until("the menu to close", lambda: s.menu() is None, 10)


@case
def editor_reminder(s):
    keep_on_screen(s)
    s.start()
    wait_main_window(s)
    w = wait_painted(s)
    open_by_double_click(s, w)
    time.sleep(1)
    s.screenshot("editor_empty")

    begun = time.time()
    begin_addition(s, VIEW)
    choose_action_page(s, RECORD, 5)
    rich = control(s, RECORD, "richedit")
    click(s, rich)
    s.xdotool("type", "--delay", "30", "Tea time")
    quick_time(s, 1)
    time.sleep(0.5)
    s.screenshot("editor_reminder_record")
    commit(s)
    time.sleep(0.5)
    s.screenshot("editor_reminder_view")

    numbers = events_list(s)
    expect(len(numbers) == 1, f"one event should be listed: {numbers}")
    number = numbers[0].decode("ascii")
    section = gear(s).get(number, {})
    expect(section.get("type") == "5" and section.get("period") == "1", f"the reminder's keys: {section}")
    note = s.app / "notes" / f"{number}.zqt"
    expect(note.exists() and b"Tea time" in note.read_bytes(), f"the note file {note} should hold the text")
    due = time.mktime(time.strptime(section["date"] + " " + section["time"], "%d.%m.%Y %H:%M:%S"))
    expect(55 <= due - begun <= 65, f"the reminder is due at {section['time']}, not a minute after the addition began")

    click(s, control(s, VIEW_AFTER, "button", "Выход"))
    wait_until("the settings window to close", lambda: not (s.window(VIEW_AFTER) or {}).get("visible"), 10)
    reminder = wait_until("the reminder", lambda: (s.window(REMINDER) or {}).get("visible") == 1,
                          max(10, due - time.time() + 15))
    expect(reminder, "the reminder window did not show")
    texts = b" ".join(c["text"] for c in children(s, REMINDER))
    s.screenshot("editor_reminder_fired")
    expect(b"Tea time" in texts, f"the reminder should show the text: {texts!r}")


@case
def editor_birthday(s):
    start_addition(s)
    choose_action_page(s, RECORD, 6)
    click(s, control(s, RECORD, "button", "День рождения?"), dx=7)
    rich = control(s, RECORD, "richedit")
    click(s, rich)
    s.xdotool("key", "ctrl+a")
    s.xdotool("type", "--delay", "30", "Ivan Petrov")
    time.sleep(0.5)
    s.screenshot("editor_birthday_record")
    commit(s)
    time.sleep(0.5)
    s.screenshot("editor_birthday_view")
    numbers = events_list(s)
    expect(len(numbers) == 1, f"one event should be listed: {numbers}")
    number = numbers[0].decode("ascii")
    section = gear(s).get(number, {})
    expect(section.get("type") == "6" and section.get("Brith?") == "1" and "period" not in section,
           f"the birthday's keys: {section}")
    expect((s.app / "days" / f"{number}.zqd").exists(), "the birthday's text file is missing")


def highlight_template(s, w, last=False):
    """Opens the face's menu and highlights the first power-off template, "Через 1 минуту", or
    the last, "Через 2 часа"."""
    open_face_menu(s, w)
    wanted = "Шаблоны...".encode("cp1251")
    for _ in range(12):
        s.xdotool("key", "Down")
        time.sleep(0.2)
        if any(i.get("highlighted") == 1 and i["text"] == wanted for i in menu_items(s.menu())):
            break
    else:
        raise Failure("\"Шаблоны...\" was never highlighted")
    s.xdotool("key", "Right")  # "Выключение..."
    time.sleep(0.4)
    s.xdotool("key", "Right")  # its first item
    time.sleep(0.4)
    if last:
        s.xdotool("key", "Up")  # round to the last
        time.sleep(0.4)


@case
def power_off_template(s):
    keep_on_screen(s)
    program = s.start()
    wait_main_window(s)
    w = wait_painted(s)
    highlight_template(s, w)
    s.screenshot("template_menu")
    chosen = time.time()
    s.xdotool("key", "Return")

    # An addition writes its section before its list line: wait for both.
    def stored():
        sections, numbers = gear(s), events_list(s)
        return (sections, numbers) if sections and numbers else None
    sections, numbers = wait_until("the power-off event in the store", stored, 20)
    try:
        expect(len(numbers) == 1, f"one event should be listed: {numbers}")
        section = sections.get(numbers[0].decode("ascii"), {})
        expect(section.get("type") == "4" and section.get("period") == "1", f"the power-off event's keys: {section}")
        due = time.mktime(time.strptime(section["date"] + " " + section["time"], "%d.%m.%Y %H:%M:%S"))
        expect(50 <= due - chosen <= 65, f"the power-off is due at {section['time']}, not a minute ahead")
        expect(not (s.window(VIEW_AFTER) or {}).get("visible"), "the settings window should be closed again")

        # The clock is on the screen: a message box says when the computer will be powered off.
        box = s.wait_msgbox(20)
        wanted = ("Компьютер будет выключен в " + section["time"]).encode("cp1251")
        expect(box["text"] == wanted, f"the template's message: {box['text'].decode('cp1251', 'replace')!r}")
        box = wait_until("the message box's icon to be drawn",
                         lambda: (lambda b: b if b and b.get("icon_kind", "unknown") != "unknown" else None)(s.msgbox()),
                         10)
        s.screenshot("template_message")
        expect(box.get("icon_kind") == "information", f"the message should show the information icon: {box}")
        s.msgbox_ok()
        wait_until("the message box to close", lambda: s.msgbox() is None, 10)
    finally:
        # End the program long before the event's second: no power-off is ever requested.
        s.probe("close", "hex:" + "Horavo".encode("cp1251").hex().upper())
    code = wait_exit(s, program)
    expect(code == 0, f"the program should exit with 0, it exited with {code}")


@case
def editor_numeric_fields(s):
    """The beep's pitch field takes digits only, up to what the tone generator makes."""
    start_addition(s)
    choose_action_page(s, RECORD, 0)
    pitch = control(s, RECORD, "edit", "800")
    click(s, pitch)
    s.xdotool("key", "ctrl+a")
    s.xdotool("type", "--delay", "60", "4x4-0.0")
    time.sleep(0.5)
    s.screenshot("editor_pitch_digits")
    fields = [c for c in visible(s, RECORD, "edit") if c["left"] == pitch["left"] and c["top"] == pitch["top"]]
    expect(fields and fields[0]["text"] == b"4400", f"the pitch field should hold 4400: {fields}")
    s.xdotool("key", "End")
    s.xdotool("type", "--delay", "60", "0")  # 44000 Hz is more than the tone generator makes
    time.sleep(0.5)
    fields = [c for c in visible(s, RECORD, "edit") if c["left"] == pitch["left"] and c["top"] == pitch["top"]]
    expect(fields and fields[0]["text"] == b"4400", f"the pitch field should still hold 4400: {fields}")


@case
def editor_action_tabs(s):
    """The seven action types stand in rows that stay where they are: a click on one place of
    the tabs chooses the same type whatever was chosen before."""
    start_addition(s)
    tabs = action_tabs(s, RECORD)
    expect(tabs["rows"] and tabs["rows"] >= 2, f"the action tabs should take several rows: {tabs}")
    pages = [c for c in visible(s, RECORD, "horavopage")
             if tabs["left"] <= c["left"] and c["right"] <= tabs["right"] and tabs["top"] < c["top"] < tabs["bottom"]]
    expect(len(pages) == 1, f"one action page should show inside the tabs: {pages}")
    row = (pages[0]["top"] - tabs["top"]) // tabs["rows"]
    first_row = {"left": tabs["left"] + 30, "right": tabs["left"] + 30,
                 "top": tabs["top"] + row // 2, "bottom": tabs["top"] + row // 2}
    last_row = {"left": tabs["left"] + 30, "right": tabs["left"] + 30,
                "top": pages[0]["top"] - row // 2, "bottom": pages[0]["top"] - row // 2}

    def choose(place, shot):
        click(s, place)
        time.sleep(0.6)
        s.screenshot(shot)
        return action_tabs(s, RECORD)["tab"]

    first = choose(first_row, "editor_tabs_first_row")
    last = choose(last_row, "editor_tabs_last_row")
    again = choose(first_row, "editor_tabs_first_row_again")
    expect(first != last, f"the two rows should hold different types: {first} and {last}")
    expect(again == first, f"the same place chose type {first}, then type {again}")
    expect(choose(last_row, "editor_tabs_last_row_again") == last, "the last row's tab moved")


EMPTY_REMINDER = "Текст напоминания пуст. Сохранить?".encode("cp1251")
IDYES, IDNO = 6, 7


def wait_question(s, text, screenshot):
    """Waits for the commit's question: this text, the program's title, "Да" and "Нет", the
    question icon."""
    box = s.wait_msgbox(20)
    expect(box["text"] == text, f"the question should be {text.decode('cp1251')!r}, it is {box['text']!r}")
    expect(box["caption"] == TITLE, f"the question's caption: {box['caption']!r}")
    ids = [box.get(f"button{i}_id") for i in range(box.get("buttons", 0))]
    expect(ids == [IDYES, IDNO], f"the question should offer Да and Нет: {box}")
    drawn = wait_until("the question's icon to be drawn",
                       lambda: (lambda b: b if b and b.get("icon_kind", "unknown") != "unknown" else None)(s.msgbox()),
                       10)
    expect(drawn.get("icon_kind") == "question", f"the question should show the question icon: {drawn}")
    s.screenshot(screenshot)


@case
def editor_empty_reminder_question(s):
    start_addition(s)
    choose_action_page(s, RECORD, 5)
    quick_time(s, 1)
    click(s, control(s, RECORD, "button", "OK"))
    wait_question(s, EMPTY_REMINDER, "editor_empty_reminder_question")
    # "Нет": the focus goes from "Да" to "Нет", which the space bar presses.
    s.xdotool("key", "Tab")
    time.sleep(0.3)
    s.xdotool("key", "space")
    wait_until("the question to close", lambda: s.msgbox() is None, 10)
    expect((s.window(RECORD) or {}).get("visible") == 1, "after \"Нет\" the addition should still be open")
    expect(events_list(s) == [], f"nothing should be stored after \"Нет\": {events_list(s)}")
    # "Да" (the default button): stored.
    click(s, control(s, RECORD, "button", "OK"))
    wait_question(s, EMPTY_REMINDER, "editor_empty_reminder_question_again")
    s.xdotool("key", "Return")
    s.wait_window(VIEW_AFTER, 20)
    numbers = events_list(s)
    expect(len(numbers) == 1, f"one event should be listed after \"Да\": {numbers}")
    expect(gear(s).get(numbers[0].decode("ascii"), {}).get("type") == "5", f"the reminder's keys: {gear(s)}")


@case
def template_beside_open_addition(s):
    """A power-off template chosen while a reminder is half typed in the editor stores its
    power-off at once, asks nothing about the reminder, and leaves it open to be finished."""
    keep_on_screen(s)
    program = s.start()
    wait_main_window(s)
    w = wait_painted(s)
    open_by_double_click(s, w)
    begin_addition(s, VIEW)
    choose_action_page(s, RECORD, 5)
    click(s, control(s, RECORD, "richedit"))
    s.xdotool("type", "--delay", "30", "Half typed")
    quick_time(s, 5)  # "+10 минут"
    time.sleep(0.5)
    s.screenshot("template_open_addition_record")
    try:
        highlight_template(s, w, last=True)
        chosen = time.time()
        s.xdotool("key", "Return")
        box = s.wait_msgbox(20)
        numbers = events_list(s)
        expect(len(numbers) == 1, f"only the power-off should be stored: {numbers}")
        section = gear(s).get(numbers[0].decode("ascii"), {})
        expect(section.get("type") == "4" and section.get("period") == "1", f"the power-off's keys: {section}")
        due = time.mktime(time.strptime(section["date"] + " " + section["time"], "%d.%m.%Y %H:%M:%S"))
        expect(7190 <= due - chosen <= 7210, f"the power-off is due at {section['time']}, not two hours ahead")
        wanted = ("Компьютер будет выключен в " + section["time"]).encode("cp1251")
        expect(box["text"] == wanted, f"the template's message: {box['text'].decode('cp1251', 'replace')!r}")
        s.screenshot("template_open_addition_message")
        s.msgbox_ok()
        wait_until("the message box to close", lambda: s.msgbox() is None, 10)

        # The addition is as it was, and it is still the user's to commit.
        expect((s.window(RECORD) or {}).get("visible") == 1, "the addition should still be open")
        time.sleep(0.5)
        s.screenshot("template_open_addition_after")
        commit(s)
        numbers = events_list(s)
        expect(len(numbers) == 2, f"the power-off and the reminder should be stored: {numbers}")
        note = s.app / "notes" / f"{numbers[1].decode('ascii')}.zqt"
        expect(note.exists() and b"Half typed" in note.read_bytes(), f"the note file {note} should hold the text")
    finally:
        # End the program long before the power-off's second.
        s.probe("close", "hex:" + "Horavo".encode("cp1251").hex().upper())
    code = wait_exit(s, program)
    expect(code == 0, f"the program should exit with 0, it exited with {code}")
