"""Skins that used to leave the clock dead, hidden or off the screen: a skin folder without its
pictures, a skin that cannot be loaded at start, a date lost after a compact skin, and a larger
skin chosen while the clock stands in the bottom-right corner."""

import time

from cases import case
from cases.chrome import write_config
from cases.common import (SCREEN_HEIGHT, SCREEN_WIDTH, TASKBAR_BAND, expect, grab, main_windows, wait_main_window,
                          wait_painted)
from cases.settings_page import (SETTINGS, click, control, dialogs, open_settings_page, wait_key, wait_new_dialog)
from harness import wait_until


def ticks(s, w, what):
    """The time area of the window changes within a few seconds: the clock runs."""
    area = (w["left"], w["top"], w["width"], w["height"])
    before = grab(s, *area)
    wait_until(f"the clock to tick ({what})", lambda: grab(s, *area) != before, 5)


def whole_in_corner(s, what):
    found = main_windows(s)
    expect(len(found) == 1, f"one clock window after {what}: {found}")
    w = found[0]
    expect((w["left"] + w["width"], w["top"] + w["height"]) == (SCREEN_WIDTH, SCREEN_HEIGHT - TASKBAR_BAND)
           and w["left"] >= 0 and w["top"] >= 0,
           f"after {what} the clock should stay in the bottom-right corner: {w['rect']}")
    return w


def choose_skin(s, folder):
    before = len(dialogs(s))
    click(s, control(s, SETTINGS, "button", "Выбрать скин часов"))
    wait_new_dialog(s, before, "the skin chooser's file dialog")
    s.xdotool("key", "ctrl+a")
    s.xdotool("type", "--delay", "50", folder + "\\skin.ini")
    s.xdotool("key", "Return")


@case
def skin_faults(s):
    # A skin folder holding only its description: the default skin's pictures stand in for its
    # own, without a message, and the clock runs.
    (s.app / "Skins" / "bare").mkdir()
    (s.app / "Skins" / "bare" / "skin.ini").write_bytes(
        b"[skin]\r\nNameOfSkin=bare\r\nForm=face.bmp\r\nFormWidth=239\r\nFormHeight=116\r\n")
    write_config(s, "[Clock]\nskin=bare\nRunTray=0\n")
    program = s.start(name="bare")
    wait_main_window(s)
    w = wait_painted(s)
    expect(s.msgbox() is None, "no message for a skin without its pictures")
    ticks(s, w, "a skin without pictures")
    s.screenshot("skin-bare-start")
    s.probe("close", "Horavo")
    program.wait(30)

    # A stored skin that cannot be loaded: one message, then the default skin, and the clock runs.
    (s.app / "Skins" / "bad").mkdir()
    (s.app / "Skins" / "bad" / "skin.ini").write_bytes(b"[skin]\r\nNameOfSkin=bad\r\nTimeColor=olive\r\n")
    write_config(s, "[Clock]\nskin=bad\nRunTray=0\n")
    program = s.start(name="bad")
    box = s.wait_msgbox(60)
    expect("не удалось загрузить".encode("cp1251") in box["text"], f"the message names the failure: {box}")
    time.sleep(1)
    s.screenshot("skin-bad-start-message")
    s.msgbox_ok()
    wait_main_window(s)
    w = wait_painted(s)
    ticks(s, w, "the default skin instead of a broken one")
    s.screenshot("skin-bad-start-default")

    # From the settings: mini, paper, default; the clock keeps to its corner and the date comes back.
    w = whole_in_corner(s, "the start")
    date_area = (w["left"], w["top"], w["width"], w["height"] // 2)
    with_date = grab(s, *date_area)
    open_settings_page(s, w)
    for skin in ("mini", "paper", "default"):
        choose_skin(s, skin)
        wait_key(s, "Clock", "skin", skin)
        time.sleep(1.5)
        w = whole_in_corner(s, f"choosing {skin}")
        s.screenshot(f"skin-chosen-{skin}")
    # The date is drawn again (the same day, so the same pixels as at the start; the seconds
    # lie in the lower half).
    expect(grab(s, *date_area) == with_date, "the default skin shows its date again after the mini skin")

    # A skin named unlike its folder is refused, and nothing changes.
    (s.app / "Skins" / "odd").mkdir()
    (s.app / "Skins" / "odd" / "skin.ini").write_bytes(b"[skin]\r\nNameOfSkin=other\r\n")
    choose_skin(s, "odd")
    box = s.wait_msgbox(30)
    expect("не выбран".encode("cp1251") in box["text"], f"the refusal names the skin: {box}")
    time.sleep(1)
    s.screenshot("skin-refused")
    s.msgbox_ok()
    wait_key(s, "Clock", "skin", "default")
    s.probe("close", "Horavo")
    code = program.wait(30)
    expect(code == 0, f"the program exited with {code}")
