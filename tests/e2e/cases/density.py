"""Windows drawn for the display's scale, on a wide screen: the clock in two skins and the
settings window's two pages at 100 % and at 150 % (their sizes one and a half times as large,
screenshots of each), the clock opening in the lower right corner without a stored position,
snapping to the real right edge, and the reminder window at 150 %."""

import time

from cases import case
from cases.chrome import drag, face_point, skin_keys, wait_at, write_config
from cases.common import expect, main_windows, wait_main_window, wait_painted
from cases.notices import REMINDER_TITLE, rich_text, store_coming_reminders, window
from cases.settings_page import SETTINGS, choose_from_face_menu
from harness import Failure, wait_until

WIDE = "1920x1080x24"
WIDE_WIDTH, WIDE_HEIGHT = 1920, 1080
SETTINGS_PAGE_WIDTH, EVENT_PAGE_WIDTH, SETTINGS_HEIGHT = 493, 717, 430


def scaled(designed, dpi):
    return (designed * dpi + 48) // 96


def expect_about(what, seen, expected, slack):
    expect(abs(seen - expected) <= slack, f"{what} is {seen}, expected about {expected}")


def wide(dpi):
    def mark(fn):
        fn.screen, fn.dpi = WIDE, dpi
        return case(fn)
    return mark


def settings_window(s):
    w = s.window(SETTINGS)
    if not w or w.get("visible") != 1:
        return None
    return w


def clock_and_settings(s, dpi):
    tag = f"dpi{dpi}"
    keys = skin_keys(s)
    write_config(s, "[Clock]\nRunTray=0\n")
    program = s.start()
    wait_main_window(s)
    w = wait_painted(s)
    # The default skin's size, scaled; in the lower right corner of the screen (Xvfb reports no
    # task bar, so the band kept free at the bottom is there, scaled).
    expect_about("the clock's width", w["width"], scaled(int(keys["FormWidth"]), dpi), 1)
    expect_about("the clock's height", w["height"], scaled(int(keys["FormHeight"]), dpi), 1)
    expect(w["left"] + w["width"] == WIDE_WIDTH, f"the clock should open at the right edge: {w['rect']}")
    expect(w["top"] + w["height"] == WIDE_HEIGHT - scaled(27, dpi), f"the clock should open at the bottom: {w['rect']}")
    time.sleep(1)
    s.screenshot(f"{tag}-clock-default")

    # The settings page, then the event page: the window one and a half times its design at 150 %.
    choose_from_face_menu(s, w, "Настройки программы")
    settings = wait_until("the settings window", lambda: settings_window(s), 30)
    expect_about("the settings page's width", settings["width"], scaled(SETTINGS_PAGE_WIDTH, dpi), 16)
    expect_about("the settings window's height", settings["height"], scaled(SETTINGS_HEIGHT, dpi), 16)
    time.sleep(1.5)
    s.screenshot(f"{tag}-settings-page")
    s.xdotool("key", "Escape")
    choose_from_face_menu(s, w, "Добавить событие")

    def event_page():
        found = settings_window(s)
        return found if found and abs(found["width"] - scaled(EVENT_PAGE_WIDTH, dpi)) <= 16 else None
    try:
        wait_until("the event page's width", event_page, 30)
    except Failure:
        raise Failure(f"the event page should be about {scaled(EVENT_PAGE_WIDTH, dpi)} wide: {settings_window(s)}") from None
    time.sleep(1.5)
    s.screenshot(f"{tag}-event-page")

    # Dropped 10 pixels short of the real right edge, it snaps to it.
    s.xdotool("key", "Escape")
    w = wait_painted(s)
    start = face_point(s, w)
    drag(s, start, (start[0] + 700 - w["left"], start[1] + 300 - w["top"]))
    w = wait_at(s, "the clock dropped in the middle", 700, 300)
    start = face_point(s, w)
    drag(s, start, (start[0] + WIDE_WIDTH - w["width"] - 10 - w["left"], start[1]))
    w = wait_at(s, "the clock dropped near the right edge", WIDE_WIDTH - w["width"], 300)
    s.probe("close", "Horavo")
    expect(program.wait(30) == 0, "the program did not end cleanly")

    # The paper skin, stored near the right edge: the start-up snapping takes it there.
    paper = skin_keys(s, "paper")
    write_config(s, f"[Clock]\nskin=paper\nRunTray=0\n[Position]\nX={WIDE_WIDTH - 150}\nY=300\n")
    program = s.start(name="paper")
    wait_main_window(s)

    def sized():
        found = main_windows(s)
        return found[0] if len(found) == 1 and abs(found[0]["width"] - scaled(int(paper["FormWidth"]), dpi)) <= 1 else None
    w = wait_until("the paper skin at its scaled size", sized, 30)
    w = wait_painted(s)
    expect(w["left"] + w["width"] == WIDE_WIDTH, f"the paper clock should stay at the right edge: {w['rect']}")
    s.xdotool("mousemove", 10, 10)  # no hint over the face in the picture
    time.sleep(1)
    s.screenshot(f"{tag}-clock-paper")
    s.probe("close", "Horavo")
    program.wait(30)


@wide(96)
def wide_screen(s):
    clock_and_settings(s, 96)


@wide(144)
def wide_screen_150(s):
    clock_and_settings(s, 144)


@wide(144)
def reminder_150(s):
    note = "Позвонить маме в 18:00.\nКупить хлеб, молоко и торт."
    store_coming_reminders(s, note)
    s.start()
    wait_main_window(s)
    w = wait_until(f"the reminder window {REMINDER_TITLE!r}", lambda: window(s, REMINDER_TITLE), 75)
    expect_about("the reminder's width", w["width"], scaled(405, 144), 16)
    expect_about("the reminder's height", w["height"], scaled(182, 144), 16)
    # Centred on the monitor holding the clock (the only one).
    expect_about("the reminder's left", w["left"] + w["width"] // 2, WIDE_WIDTH // 2, 2)
    wait_until("the reminder's text in its window",
               lambda: rich_text(s, REMINDER_TITLE) == " ".join(note.split()), 15)
    time.sleep(0.5)
    s.screenshot("dpi144-reminder")
