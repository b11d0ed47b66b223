"""Putting things off under Wine: a fired reminder snoozed from its window, a power-off
countdown shown on the clock face and put off from its menu (aborted long before it ends; the
countdown is 10 minutes long), and the event list telling when an event fires next."""

import datetime
import time

from cases import case
from cases.common import expect, keep_on_screen, shown_hint, wait_main_window, wait_painted
from cases.event_editor import VIEW, click, control, events_list, gear, open_by_double_click
from cases.event_list import list_view
from cases.menu import open_face_menu
from cases.notices import REMINDER_TITLE, store_coming, store_coming_reminders, window, write_store
from harness import Failure, menu_items, wait_until

SNOOZE_CHOICES = ["на 5 минут", "на 10 минут", "на 15 минут", "на 30 минут", "на 1 час", "до завтра"]
POSTPONE_ITEM = "Отложить на 10 минут"


def stored_moment(section):
    return datetime.datetime.strptime(section["date"] + " " + section["time"], "%d.%m.%Y %H:%M:%S")


def choose_first_item(s, what):
    """Down highlights the first item of the open menu; Return is pressed only then."""
    s.xdotool("key", "Down")

    def first_highlighted():
        now = s.menu()
        items = menu_items(now) if now else []
        return items and items[0].get("highlighted") == 1
    wait_until(f"{what} to be highlighted", first_highlighted, 10)
    s.xdotool("key", "Return")


def choose_item(s, text, items):
    """Highlights the item captioned `text` with Down presses, then presses Return; returns the
    moment it was chosen."""
    wanted = text.encode("cp1251")
    index = [i for i, item in enumerate(items) if item["text"] == wanted]
    expect(index, f"the menu has no {text!r}: {[i['text'].decode('cp1251') for i in items]}")
    # The separators are stepped over by the keys, so press Down until the item is highlighted.
    for _ in range(len(items) + 1):
        s.xdotool("key", "Down")
        time.sleep(0.2)
        now = s.menu()
        if now and menu_items(now)[index[0]].get("highlighted") == 1:
            chosen = datetime.datetime.now().replace(microsecond=0)
            s.xdotool("key", "Return")
            return chosen
    raise Failure(f"{text!r} could not be highlighted")


@case
def reminder_snooze(s):
    note, _, numbers = store_coming_reminders(s, "Позвонить маме в 18:00.\nКупить хлеб.")

    program = s.start()
    wait_main_window(s)
    wait_until(f"the reminder window {REMINDER_TITLE!r}", lambda: window(s, REMINDER_TITLE), 75)
    time.sleep(0.5)
    later = control(s, REMINDER_TITLE, "button", "Отложить")
    control(s, REMINDER_TITLE, "button", "Понял...")
    click(s, later)
    menu = wait_until("the snooze menu", s.menu, 10)
    items = menu_items(menu)
    if items:
        expect([i["text"].decode("cp1251") for i in items] == SNOOZE_CHOICES,
               f"the snooze menu: {[i['text'].decode('cp1251') for i in items]}")
    time.sleep(0.3)
    s.screenshot("reminder_snooze_menu")

    chosen = datetime.datetime.now().replace(microsecond=0)
    choose_first_item(s, "на 5 минут")
    wait_until("the reminder window to close", lambda: window(s, REMINDER_TITLE) is None, 5)
    wait_until("the snoozed reminder in the list file", lambda: len(events_list(s)) == 5, 10)
    new = [n.decode() for n in events_list(s) if n.decode() not in numbers]
    expect(len(new) == 1, f"one new event should be listed: {events_list(s)}")
    section = gear(s).get(new[0], {})
    expect(section.get("type") == "5" and section.get("period") == "1", f"the new event: {section}")
    due = stored_moment(section)
    expect(abs((due - chosen).total_seconds() - 300) <= 3, f"due at {due}, chosen at {chosen}: not 5 minutes on")
    text = s.app / "notes" / f"{new[0]}.zqt"
    expect(text.exists() and text.read_bytes() == note, "the snoozed reminder's text differs from the fired one's")
    # The firing is in the log: date, time, number, type name and "ok", tab-separated.
    log = (s.app / "Gear" / "log.txt").read_bytes().decode("cp1251").splitlines()
    expect(any(line.split("\t")[3:] == ["Напоминание текстом", "ok"] and line.split("\t")[2] in numbers
               for line in log), f"the reminder's firing is not logged: {log}")
    expect(program.running(), "the program ended after the snooze")


@case
def power_countdown(s):
    keep_on_screen(s)
    # Power-offs 15, 30, 45 and 60 seconds ahead with a countdown of 10 minutes; the first one
    # after the start is put off at once, and the others do not come: the case ends first.
    def power_off(at):
        return f"date={time.strftime('%d.%m.%Y', time.localtime(at))}\r\ntype=4\r\nperiod=1\r\n"
    start, numbers = store_coming(s, 701, power_off, "[Clock]\r\nRunTray=0\r\n[Shutdown]\r\ntimeout=600\r\n")
    program = s.start()
    wait_main_window(s)
    w = wait_painted(s)

    # The countdown starts when the first power-off fires; the face's menu offers putting it off.
    def postpone_offered():
        menu, items = open_face_menu(s, w)
        texts = [i["text"].decode("cp1251") for i in items]
        if POSTPONE_ITEM in texts:
            return items
        s.xdotool("key", "Escape")
        wait_until("the menu to close", lambda: s.menu() is None, 10)
        time.sleep(1)
        return None
    # The first power-off whose second comes after the face was painted starts the countdown.
    painted = time.time()
    due = min((start + lead for lead in (15, 30, 45, 60) if start + lead > painted + 1), default=None)
    if due is None:
        raise Failure("the program took more than a minute to show its window; every power-off's second passed")
    time.sleep(max(0.0, due + 2 - time.time()))
    # The face shows the countdown in the date's place.
    s.screenshot("power_countdown_face")
    items = wait_until(f"{POSTPONE_ITEM!r} in the face's menu", postpone_offered, 30)
    s.screenshot("power_countdown_menu")
    chosen = choose_item(s, POSTPONE_ITEM, items)
    wait_until("the put-off power-off in the list file", lambda: len(events_list(s)) > len(numbers), 10)
    new = [n.decode() for n in events_list(s) if n.decode() not in numbers]
    expect(len(new) == 1, f"one new event should be listed: {events_list(s)}")
    section = gear(s).get(new[0], {})
    expect(section.get("type") == "4" and section.get("period") == "1", f"the new event: {section}")
    due = stored_moment(section)
    expect(abs((due - chosen).total_seconds() - 600) <= 3, f"due at {due}, chosen at {chosen}: not 10 minutes on")
    time.sleep(1.5)
    s.screenshot("power_countdown_after")
    expect(program.running(), "the program ended after putting the power-off off")


@case
def event_list_next_firing(s):
    keep_on_screen(s)
    now = datetime.datetime.now()
    # Daily, two hours on: today, or tomorrow when that is past midnight, the date of `at` either way.
    at = (now + datetime.timedelta(hours=2)).replace(microsecond=0)
    sections = [f"[801]\r\ntime={at:%H:%M:%S}\r\ndate=01.01.2020\r\ntype=0\r\nms=200\r\nhz=880\r\nperiod=2\r\n",
                f"[802]\r\ntime=08:15:00\r\ndate=03.02.2020\r\ntype=0\r\nms=200\r\nhz=880\r\nperiod=1\r\n"]
    write_store(s, sections, ["801", "802"])
    s.start()
    wait_main_window(s)
    w = wait_painted(s)
    open_by_double_click(s, w)
    time.sleep(1)
    lv = list_view(s, VIEW)
    expected = f"Следующий раз: {at:%d.%m.%Y} {at:%H:%M:%S}"
    # The hint over the daily event's row, then over the one-time event whose moment has gone by.
    s.xdotool("mousemove", lv["left"] + 40, lv["top"] + 28)
    time.sleep(0.3)
    s.xdotool("mousemove", lv["left"] + 42, lv["top"] + 30)
    wait_until(f"the hint {expected!r}", lambda: shown_hint(s, expected), 15)
    s.screenshot("event_list_next_firing_hint")
    click(s, lv, dx=40, dy=30)
    time.sleep(0.8)
    s.screenshot("event_list_next_firing")
    s.xdotool("mousemove", lv["left"] + 40, lv["top"] + 46)
    time.sleep(0.3)
    s.xdotool("mousemove", lv["left"] + 42, lv["top"] + 47)
    wait_until("the hint of the fired one-time event", lambda: shown_hint(s, "Уже сработало"), 15)
