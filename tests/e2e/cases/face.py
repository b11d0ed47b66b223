"""The clock face: skins chosen in the configuration file, and the stopwatch in the time labels."""

import subprocess
import time

from cases import case
from cases.chrome import skin_keys, write_config
from cases.common import expect, grab, main_windows, snapped_position, wait_main_window, wait_painted
from harness import Failure, menu_items, stays, wait_until

START_ITEM = "Пуск".encode("cp1251")


def bitmap_rgb(path):
    """A bitmap file's pixels as RGB bytes, with its size."""
    size = subprocess.run(["identify", "-format", "%w %h", str(path)], stdin=subprocess.DEVNULL,
                          capture_output=True, text=True, timeout=60, check=True).stdout.split()
    pixels = subprocess.run(["convert", str(path), "-depth", "8", "rgb:-"], stdin=subprocess.DEVNULL,
                            capture_output=True, timeout=60, check=True).stdout
    return int(size[0]), int(size[1]), pixels


def check_face(s, w, skin):
    """Compares the window on the screen with the skin's background: pixels of the key colour
    must be see-through (the empty desktop is black), and most others as in the picture (the
    labels and buttons cover the rest)."""
    keys = skin_keys(s, skin)
    width, height, picture = bitmap_rgb(s.app / "Skins" / skin / keys["Form"])
    expect((width, height) == (w["width"], w["height"]),
           f"the {skin} background is {width}x{height}, the window {w['width']}x{w['height']}")
    key = {"clFuchsia": b"\xff\x00\xff", "0": b"\x00\x00\x00"}[keys.get("TransColor", "0")]
    screen = grab(s, w["left"], w["top"], width, height)
    keyed = keyed_clear = drawn = drawn_same = 0
    for i in range(0, len(picture), 3):
        if picture[i:i + 3] == key:
            keyed += 1
            keyed_clear += screen[i:i + 3] == b"\x00\x00\x00"
        else:
            drawn += 1
            drawn_same += screen[i:i + 3] == picture[i:i + 3]
    expect(keyed_clear == keyed, f"{keyed - keyed_clear} of {keyed} key-colour pixels of {skin} are not see-through")
    expect(drawn_same >= drawn * 0.6,
           f"only {drawn_same} of {drawn} pixels of the window show the {skin} background")


@case
def skin_switch(s):
    for skin, size in (("paper", (260, 110)), ("mini", (120, 40))):
        write_config(s, f"[Clock]\nskin={skin}\nRunTray=0\n")
        program = s.start(name=skin)
        wait_main_window(s)

        def sized():
            found = main_windows(s)
            return found[0] if len(found) == 1 and (found[0]["width"], found[0]["height"]) == size else None
        try:
            wait_until(f"the {skin} skin's size", sized, 15)
        except Failure:
            raise Failure(f"the window should be {size[0]}x{size[1]} with the {skin} skin: "
                          f"{[w['rect'] for w in main_windows(s)]}") from None
        w = wait_painted(s)
        expect((w["left"], w["top"]) == snapped_position(*size),
               f"the {skin} window is at {w['rect']}, snapped to the edges it should be at {snapped_position(*size)}")
        time.sleep(0.5)  # a tick or two, so the labels have their final texts
        check_face(s, w, skin)
        s.screenshot(f"skin-{skin}-e2e")
        s.probe("close", "Horavo")
        code = program.wait(30)
        expect(code == 0, f"the program with the {skin} skin exited with {code}")


def time_area(s, w):
    """The pixels of the hours, minutes and seconds (from the hours' left to the window's right
    edge less the buttons' column, over the height of the time labels)."""
    keys = skin_keys(s)
    left, top = int(keys["HourPositionLeft"]), int(keys["HourPositionTop"])
    right = int(keys["SecPositionLeft"]) + 2 * int(keys["TimeSize"])
    return grab(s, w["left"] + left, w["top"] + top, right - left, int(keys["TimeSize"]) + 8)


@case
def stopwatch_click(s):
    write_config(s, "[Clock]\nRunTray=0\n")
    program = s.start()
    wait_main_window(s)
    w = wait_painted(s)
    keys = skin_keys(s)
    # The hours: a click there switches to the stopwatch, and its menu then lies on them.
    digits = (w["left"] + int(keys["HourPositionLeft"]) + 6, w["top"] + int(keys["HourPositionTop"]) + 8)

    # The clock runs: the time area changes within a little more than a second.
    before = time_area(s, w)
    wait_until("the clock to tick", lambda: time_area(s, w) != before, 5)

    s.xdotool("mousemove", *digits)
    s.xdotool("click", "1")
    # Switched to the stopped stopwatch: the area changes once, then holds still.
    time.sleep(0.5)
    stopped = time_area(s, w)

    def holds():
        return time_area(s, w) == stopped
    stays("the stopped stopwatch's display", holds, 2.2)
    s.screenshot("stopwatch-e2e")

    # Its menu on the time starts it: the display moves again.
    s.xdotool("click", "3")
    menu = wait_until("the stopwatch menu", s.menu, 15)
    items = menu_items(menu)
    expect(items and items[0]["text"] == START_ITEM,
           f"the stopwatch menu should start with {START_ITEM.decode('cp1251')!r}: {items}")
    s.xdotool("key", "Down")
    wait_until("the start item to be highlighted", lambda: (s.menu() or {}).get("item0_highlighted") == 1, 10)
    s.xdotool("key", "Return")
    wait_until("the stopwatch to run", lambda: time_area(s, w) != stopped, 5)
    expect(program.running(), "the program ended")
