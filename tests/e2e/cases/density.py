"""Windows drawn for the display's scale, on a wide screen: the clock in its three skins and the
settings window's two pages at 100 % and at 150 % (their sizes one and a half times as large,
screenshots of each), the clock opening in the lower right corner without a stored position,
snapping to the real right edge, the reminder window at 150 %, and About and the colour picker
at both scales."""

import time

from cases import case
from cases.chrome import drag, face_point, skin_keys, wait_at, write_config
from cases.common import expect, main_windows, wait_main_window, wait_painted
from cases.notices import REMINDER_TITLE, rich_text, store_coming_reminders, window
from cases.settings_page import ABOUT, PICKER, SETTINGS, choose_from_face_menu, click, control, wait_control
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


def about_and_mini(s, dpi):
    """The mini skin's clock, About and the colour picker's one-line field at this scale, each
    photographed; About's button lies whole inside its window."""
    tag = f"dpi{dpi}"
    write_config(s, "[Clock]\nRunTray=0\nskin=mini\n")
    program = s.start()
    wait_main_window(s)
    w = wait_painted(s)
    s.xdotool("mousemove", 10, 10)
    time.sleep(1)
    s.screenshot(f"{tag}-clock-mini")
    # The mini skin is almost all digits: pressed on the hours and moved, the clock follows.
    start = (w["left"] + scaled(20, dpi), w["top"] + scaled(16, dpi))
    drag(s, start, (start[0] + 700 - w["left"], start[1] + 300 - w["top"]))

    def dragged():
        # The pointer's first step is measured in the design's units: at 150 % the clock may
        # end a pixel from where the pointer says.
        found = main_windows(s)
        return found[0] if len(found) == 1 and abs(found[0]["left"] - 700) <= 1 and abs(found[0]["top"] - 300) <= 1 \
            else None
    w = wait_until("the clock dragged by its digits to (700, 300)", dragged, 10)

    choose_from_face_menu(s, w, "Настройки программы")
    s.wait_window(SETTINGS)
    # No web browser on this machine: the help page cannot be opened, and the program says so.
    click(s, wait_control(s, SETTINGS, "button", "Посетить сайт"))
    box = wait_until("the message box with its icon", lambda: (b := s.msgbox()) and b.get("icon") and b, 30)
    expect(b"index.html" in box["text"] and box["text"].startswith("Не удалось открыть справку".encode("cp1251")),
           f"the message should name the help page: {box}")
    if dpi == 96:  # the probe tells the icons apart by their pixels at their usual size
        box = wait_until("the icon to be drawn", lambda: (b := s.msgbox()) and b.get("icon_kind", "unknown") != "unknown"
                         and b, 15)
        expect(box.get("icon_kind") == "error", f"the message should carry the error icon: {box}")
    s.screenshot(f"{tag}-help-not-opened")
    s.msgbox_ok()
    click(s, control(s, SETTINGS, "button", "Об авторе"))
    about = s.wait_window(ABOUT)
    button = wait_control(s, ABOUT, "button", "Запуск утилиты для скиноделов")
    # The dialog frame is a few pixels wide: the button keeps clear of the window's bottom edge.
    bottom = about["top"] + about["height"]
    expect(button["bottom"] <= bottom - 3, f"About's button {button} reaches the window's bottom edge at {bottom}")
    time.sleep(1)
    s.screenshot(f"{tag}-about")
    click(s, button)
    s.wait_window(PICKER)
    # A number in the one-line field, to see it stand in the middle of the taller field.
    click(s, wait_control(s, PICKER, "edit"))
    s.xdotool("type", "10774016")
    time.sleep(1)
    s.screenshot(f"{tag}-colour-picker")
    s.probe("close", "Horavo")
    expect(program.wait(30) == 0, "the program did not end cleanly")


@wide(96)
def about_and_mini_96(s):
    about_and_mini(s, 96)


@wide(144)
def about_and_mini_150(s):
    about_and_mini(s, 144)
