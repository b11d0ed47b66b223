"""The settings page of the settings window under Wine, driven through its real controls: the
configuration file and the clock follow each change. Also the About window and the colour
picker opened from it; a start with a per-user autostart leaves the run keys alone. Screenshots of
the three settings pages, About and the colour picker."""

import subprocess
import time

from cases import case
from cases.common import (children, expect, grab, ini_sections, keep_on_screen, main_windows, wait_main_window,
                          wait_painted)
from cases.menu import open_face_menu
from cases.events import windows_path
from cases.packages import reg_query
from harness import Failure, menu_items, wait_until

SETTINGS = "Настройки -  Режим: Просмотр"
ABOUT = "Об авторе"
PICKER = "Определение цвета"
DIALOG_CLASS = "#32770"


def control(s, title, cls, text=None):
    """A visible child window of the window `title` of this class (and text)."""
    for c in children(s, title):
        if c["visible"] and c["class"] == cls and (text is None or c["text"] == text.encode("cp1251")):
            return c
    raise Failure(f"the window {title!r} shows no {cls} {text!r}")


def wait_control(s, title, cls, text=None, timeout=20):
    def shown():
        try:
            return control(s, title, cls, text)
        except Failure:
            return None
    return wait_until(f"the {cls} {text!r} in {title!r}", shown, timeout)


def click(s, c, dx=None, dy=None):
    x = c["left"] + (dx if dx is not None else (c["right"] - c["left"]) // 2)
    y = c["top"] + (dy if dy is not None else (c["bottom"] - c["top"]) // 2)
    s.xdotool("mousemove", x, y, "click", 1)


def config(s):
    path = s.app / "Cfg" / "Clock_config.ini"
    return ini_sections(path.read_bytes()) if path.exists() else {}


def wait_key(s, section, key, value, timeout=15):
    def stored():
        return config(s).get(section, {}).get(key) == value
    try:
        wait_until(f"[{section}] {key}={value}", stored, timeout)
    except Failure:
        raise Failure(f"[{section}] {key} should be {value!r}; the file holds {config(s)}") from None


def dialogs(s):
    return [w for w in s.windows() if w.get("visible") == 1 and w.get("class") == DIALOG_CLASS]


def wait_new_dialog(s, before, what):
    def appeared():
        now = dialogs(s)
        return now if len(now) > before else None
    wait_until(what, appeared, 20)
    time.sleep(1)  # let it draw before the keys come


def choose_from_face_menu(s, w, caption):
    """Opens the clock's menu and chooses an item with the keyboard, checking the highlight."""
    wanted = caption.encode("cp1251")
    open_face_menu(s, w)
    for _ in range(12):
        s.xdotool("key", "Down")
        time.sleep(0.2)
        items = menu_items(s.menu())
        if any(i.get("highlighted") == 1 and i["text"] == wanted for i in items):
            s.xdotool("key", "Return")
            return
    raise Failure(f"the menu item {caption!r} was never highlighted")


# The default skin draws the seconds from x = 111 in its time colour; the rightmost column of
# that colour tells "05" from "5".
SECONDS_AREA = (105, 28, 40, 34)
TIME_COLOUR = (0xEB, 0xF3, 0xFA)


def seconds_right_edge(s, w):
    """The rightmost column of the seconds' digits, taken in the first ten seconds of a minute
    (when a leading zero is shown or not)."""
    wait_until("the first seconds of a minute", lambda: 1 <= time.localtime().tm_sec <= 7, 70, interval=0.2)
    time.sleep(1.2)  # one tick after the second changed
    x0, y0, width, height = SECONDS_AREA
    pixels = grab(s, w["left"] + x0, w["top"] + y0, width, height)
    right = -1
    for i in range(0, len(pixels) - 2, 3):
        if all(abs(pixels[i + k] - TIME_COLOUR[k]) < 40 for k in range(3)):
            right = max(right, (i // 3) % width)
    return right


def tab_control(s, outer):
    """The outer page control of the settings window (the largest tab control) or the inner one
    of its settings page (the smallest, tabs at the bottom)."""
    tabs = [c for c in children(s, SETTINGS) if c["visible"] and c["class"] == "systabcontrol32"]
    return (max if outer else min)(tabs, key=lambda c: (c["right"] - c["left"]) * (c["bottom"] - c["top"]))


def open_settings_page(s, w):
    """Opens the settings window from the face's menu and, whichever page it opened on, goes to
    the settings page by the keyboard on the outer tabs."""
    choose_from_face_menu(s, w, "Настройки программы")
    s.wait_window(SETTINGS)
    click(s, tab_control(s, outer=True), dx=30, dy=10)
    s.xdotool("key", "Right")
    wait_control(s, SETTINGS, "button", "Выбрать скин часов")


def to_inner_page(s, steps):
    """Goes `steps` pages on from the first page of the settings page's inner tabs."""
    inner = tab_control(s, outer=False)
    click(s, inner, dx=30, dy=inner["bottom"] - inner["top"] - 10)
    for _ in range(steps):
        s.xdotool("key", "Right")


def expect_page(s, checkbox_or_label_text, cls):
    wait_control(s, SETTINGS, cls, checkbox_or_label_text)


@case
def settings_page(s):
    keep_on_screen(s)
    s.start()
    wait_main_window(s)
    w = wait_painted(s)

    open_settings_page(s, w)
    time.sleep(1)
    s.screenshot("settings_main_window")

    # Leading zeros: the box writes the opposite flag, and the clock drops the zero of the seconds.
    with_zero = seconds_right_edge(s, w)
    click(s, control(s, SETTINGS, "button", "Показывать нули перед цифрами "), dx=7)
    wait_key(s, "Clock", "HideNulls", "1")
    without_zero = seconds_right_edge(s, w)
    expect(with_zero > 0 and 0 < without_zero < with_zero - 5,
           f"the seconds should lose their leading zero: right edge {with_zero} then {without_zero}")

    # Transparency: the slider to its end stores 200 and leaves the clock at opacity 55.
    slider = control(s, SETTINGS, "msctls_trackbar32")
    click(s, slider, dx=12)
    s.xdotool("key", "End")
    wait_key(s, "TranspConfig", "Alpha", "200")
    clock = wait_until("the clock at opacity 55", lambda: next(
        (m for m in main_windows(s) if m.get("alpha") == 55), None), 15)
    expect(clock["exstyle"] & 0x00080000, "the clock should be a layered window")

    # The skin chooser: the file dialog opens in the Skins folder with "skin.ini".
    before = len(dialogs(s))
    click(s, control(s, SETTINGS, "button", "Выбрать скин часов"))
    wait_new_dialog(s, before, "the skin chooser's file dialog")
    s.screenshot("settings_skin_dialog")
    s.xdotool("key", "ctrl+a")
    s.xdotool("type", "--delay", "50", "mini\\skin.ini")
    s.xdotool("key", "Return")
    wait_key(s, "Clock", "skin", "mini")
    mini = {}
    for line in (s.app / "Skins" / "mini" / "skin.ini").read_bytes().decode("cp1251").splitlines():
        if "=" in line:
            key, value = line.split("=", 1)
            mini[key.strip()] = value.strip()
    size = (int(mini["FormWidth"]), int(mini["FormHeight"]))
    wait_until(f"the clock in the mini skin's size {size}", lambda: any(
        (m["width"], m["height"]) == size for m in main_windows(s)), 15)
    time.sleep(1)
    s.screenshot("settings_skin_chosen")

    # The other two pages, on the inner tabs.
    to_inner_page(s, 1)
    wait_control(s, SETTINGS, "button", "...")
    time.sleep(1)
    s.screenshot("settings_sound")
    s.xdotool("key", "Right")
    wait_control(s, SETTINGS, "button", "Запускать вместе с Windows")
    time.sleep(1)
    s.screenshot("settings_other")
    click(s, control(s, SETTINGS, "button", "Принудительно закрывать приложения"), dx=7)
    wait_key(s, "Shutdown", "ForceEx", "1")

    # About, and the colour picker from it.
    click(s, control(s, SETTINGS, "button", "Об авторе"))
    s.wait_window(ABOUT)
    time.sleep(1)
    s.screenshot("about")
    click(s, wait_control(s, ABOUT, "button", "Запуск утилиты для скиноделов"))
    s.wait_window(PICKER)
    before = len(dialogs(s))
    click(s, wait_control(s, PICKER, "button", "Выбрать цвет"))
    wait_new_dialog(s, before, "the colour dialog")
    s.screenshot("colour_dialog")
    s.xdotool("key", "Return")  # black, the colour it starts on
    wait_until("the colour number 0", lambda: control(s, PICKER, "edit")["text"] == b"0", 15)
    time.sleep(0.5)
    s.screenshot("colour_picker")


RUN_KEY_USER = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run"
RUN_KEY_MACHINE = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Run"
RUN_VALUE = "Horavo v3.0"


def reg_add(s, key, value, data):
    rc = subprocess.run(["wine", "reg", "add", key, "/v", value, "/t", "REG_SZ", "/d", data, "/f"], env=s.env(),
                        cwd=s.dir, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                        timeout=60).returncode
    if rc != 0:
        raise Failure(f"reg add {key} /v {value} failed with {rc}")


@case
def autostart_per_user(s):
    """Only the per-user run value is set: a start leaves both run keys as they were (Wine runs
    the program with administrator rights, so the machine key would take a write), and switching
    the box off and on again keeps the value in the user's key."""
    command = windows_path(s.app / "Horavo.exe")
    reg_add(s, RUN_KEY_USER, RUN_VALUE, command)
    expect(reg_query(s, RUN_KEY_MACHINE, RUN_VALUE) is None, "the machine's run key should start without the value")
    keep_on_screen(s)
    s.start()
    wait_main_window(s)
    w = wait_painted(s)
    time.sleep(2)
    user, machine = reg_query(s, RUN_KEY_USER, RUN_VALUE), reg_query(s, RUN_KEY_MACHINE, RUN_VALUE)
    expect(user is not None and user.lower() == command.lower(), f"the user's run value changed at start: {user!r}")
    expect(machine is None, f"the start wrote the machine's run key: {machine!r}")

    open_settings_page(s, w)
    to_inner_page(s, 2)
    box = wait_control(s, SETTINGS, "button", "Запускать вместе с Windows")
    time.sleep(1)
    s.screenshot("settings_autostart_per_user")
    click(s, box, dx=7)
    wait_until("the user's run value removed", lambda: reg_query(s, RUN_KEY_USER, RUN_VALUE) is None, 15)
    click(s, box, dx=7)
    wait_until("the user's run value back", lambda: reg_query(s, RUN_KEY_USER, RUN_VALUE) is not None, 15)
    machine = reg_query(s, RUN_KEY_MACHINE, RUN_VALUE)
    expect(machine is None, f"switching the box on wrote the machine's run key: {machine!r}")
