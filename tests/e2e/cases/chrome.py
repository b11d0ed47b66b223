"""The main window's chrome: hiding to the notification area and back, dragging and snapping."""

import os
import subprocess
import time
from collections import Counter

from cases import case
from cases.common import expect, grab, main_windows, shown_hint, wait_main_window, wait_painted
from harness import SCREEN_WIDTH, Failure, menu_items, wait_until

TO_TRAY = "Свернуть в трей".encode("cp1251")
FROM_TRAY = "Восстановить из трея".encode("cp1251")
# Wine shows notification-area icons in a window of its own when the desktop has no tray.
WINE_TRAY = "Wine System Tray"


def write_config(s, text):
    """Writes the program's configuration file. Each case says RunTray=0 so that the program
    does not hide itself in the tray shortly after it starts."""
    (s.app / "Cfg").mkdir(exist_ok=True)
    (s.app / "Cfg" / "Clock_config.ini").write_bytes(text.replace("\n", "\r\n").encode("cp1251"))


def skin_keys(s, skin="default"):
    """The [skin] keys of a shipped skin."""
    keys = {}
    for line in (s.app / "Skins" / skin / "skin.ini").read_bytes().decode("cp1251").splitlines():
        if "=" in line:
            key, value = line.split("=", 1)
            keys[key.strip()] = value.strip()
    return keys


def bitmap_size(path):
    data = path.read_bytes()
    return int.from_bytes(data[18:22], "little", signed=True), abs(int.from_bytes(data[22:26], "little", signed=True))


def button_centre(s, w, prefix):
    """The screen point at the middle of a skinned button (prefix "MinimBut" or "CloseBut")."""
    keys = skin_keys(s)
    picture = keys["MinimButton_default" if prefix == "MinimBut" else "CloseButton_default"]
    width, height = bitmap_size(s.app / "Skins" / "default" / picture)
    return (w["left"] + int(keys[prefix + "PositionLeft"]) + width // 2,
            w["top"] + int(keys[prefix + "PositionTop"]) + height // 2)


def face_point(s, w):
    """A point on the clock face away from the labels and buttons, where the face is drawn (a
    see-through pixel of the key colour would let the press through to the desktop)."""
    for dx, dy in ((6, w["height"] - 10), (w["width"] // 2, w["height"] - 8), (8, w["height"] // 2)):
        pixel = grab(s, w["left"] + dx, w["top"] + dy, 1, 1)
        if any(pixel):
            return w["left"] + dx, w["top"] + dy
    raise Failure(f"no drawn point found on the clock face at {w['rect']}")


def x_geometry(s, name):
    """Position and size of a visible X window with this name, or None."""
    env = dict(os.environ, DISPLAY=s.display)
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", name], env=env,
                           stdin=subprocess.DEVNULL, capture_output=True, text=True, timeout=30)
    for wid in found.stdout.split():
        out = subprocess.run(["xdotool", "getwindowgeometry", "--shell", wid], env=env, stdin=subprocess.DEVNULL,
                             capture_output=True, text=True, timeout=30).stdout
        geo = dict(line.split("=", 1) for line in out.splitlines() if "=" in line)
        if int(geo.get("WIDTH", 0)) > 1 and int(geo.get("HEIGHT", 0)) > 1:
            return {k: int(geo[k]) for k in ("X", "Y", "WIDTH", "HEIGHT")}
    return None


def tray_icon_point(s):
    """The middle of the icon drawn in Wine's tray window (the only icon there), or None."""
    tray = x_geometry(s, WINE_TRAY)
    if not tray:
        return None
    x0, y0, width, height = tray["X"], tray["Y"], tray["WIDTH"], tray["HEIGHT"]
    pixels = grab(s, x0, y0, width, height)

    def at(x, y):
        i = (y * width + x) * 3
        return pixels[i:i + 3]
    # The tray's own colour is the commonest in its lower half. Its frame and caption, which Wine
    # draws when no window manager does, are the rows and columns mostly of other colours.
    background = Counter(at(x, y) for y in range(height // 2, height) for x in range(width)).most_common(1)[0][0]
    mostly = [y for y in range(height) if sum(at(x, y) == background for x in range(width)) >= 0.6 * width]
    if not mostly:
        return None
    # The client area: the longest run of such rows (a frame's light edge can be one of them).
    runs, start = [], mostly[0]
    for prev, y in zip(mostly, mostly[1:] + [None]):
        if y != prev + 1:
            runs.append(range(start, prev + 1))
            start = y
    rows = max(runs, key=len)
    cols = [x for x in range(width) if sum(at(x, y) == background for y in rows) >= 0.6 * len(rows)]
    if not cols:
        return None
    xs, ys = [], []
    for y in range(rows[0], rows[-1] + 1):
        for x in range(cols[0], cols[-1] + 1):
            if at(x, y) != background:
                xs.append(x)
                ys.append(y)
    if not xs:
        return None
    return x0 + (min(xs) + max(xs)) // 2, y0 + (min(ys) + max(ys)) // 2


def first_item_after_right_click(s, x, y):
    """Right-clicks at a point, reads the first item of the menu that opens, closes the menu."""
    s.xdotool("mousemove", x, y)
    s.xdotool("click", "3")
    menu = wait_until("a popup menu", s.menu, 15)
    items = menu_items(menu)
    expect(items, f"the probe could not read the menu's items: {menu}")
    # Closed by a click on the empty desktop: with the program hidden in the tray, the keyboard
    # may not be the menu's (Wine gives it to its tray window when no window manager runs).
    s.xdotool("mousemove", SCREEN_WIDTH // 2, 300)
    s.xdotool("click", "1")
    wait_until("the menu to close", lambda: s.menu() is None, 10)
    return items[0]["text"]


def hide_to_tray(s, w):
    """Hides the clock by its minimise button; returns where its icon is in Wine's tray window."""
    x, y = button_centre(s, w, "MinimBut")
    s.xdotool("mousemove", x, y)
    s.xdotool("click", "1")
    wait_until("the main window to disappear", lambda: not main_windows(s), 15)
    return wait_until("an icon in Wine's tray window", lambda: tray_icon_point(s), 15)


@case
def tray(s):
    write_config(s, "[Clock]\nRunTray=0\n")
    program = s.start()
    wait_main_window(s)
    w = wait_painted(s)
    icon = hide_to_tray(s, w)
    s.screenshot("tray")
    expect(program.running(), "the program ended instead of hiding")
    expect(first_item_after_right_click(s, *icon) == FROM_TRAY,
           f"in the tray, the menu's first item should read {FROM_TRAY.decode('cp1251')!r}")
    expect(not main_windows(s), "opening the icon's menu brought the window back")

    s.xdotool("mousemove", *icon)
    s.xdotool("click", "1")
    back = wait_main_window(s, 15)
    expect((back["left"], back["top"]) == (w["left"], w["top"]),
           f"the clock came back at {back['rect']}, it was at {w['rect']}")
    wait_until("the icon to leave the tray", lambda: tray_icon_point(s) is None, 15)
    w = wait_painted(s)
    fx, fy = face_point(s, w)
    expect(first_item_after_right_click(s, fx, fy) == TO_TRAY,
           f"back on the screen, the menu's first item should read {TO_TRAY.decode('cp1251')!r}")


@case
def face_hints(s):
    """The face's hint window is made when the pointer first comes over the clock; the hint of
    the label under the pointer shows all the same."""
    write_config(s, "[Clock]\nRunTray=0\n")
    s.start()
    w = wait_painted(s)
    keys = skin_keys(s)
    # Over the middle of the hour label: one move onto the clock, then the pointer rests.
    s.xdotool("mousemove", w["left"] + int(keys["HourPositionLeft"]) + 8, w["top"] + int(keys["HourPositionTop"]) + 10)
    wait_until("the time label's hint", lambda: shown_hint(s, "Это текущее время"), 15)
    s.screenshot("face-hint")


def drag(s, start, to):
    """Presses the left button at start, moves the pointer to `to` in steps and releases it."""
    s.xdotool("mousemove", *start)
    s.xdotool("mousedown", "1")
    steps = 5
    for i in range(1, steps + 1):
        time.sleep(0.1)
        s.xdotool("mousemove", start[0] + (to[0] - start[0]) * i // steps, start[1] + (to[1] - start[1]) * i // steps)
    time.sleep(0.2)
    s.xdotool("mouseup", "1")


def wait_at(s, what, left, top, timeout=10.0):
    def there():
        found = main_windows(s)
        return found[0] if len(found) == 1 and (found[0]["left"], found[0]["top"]) == (left, top) else None
    try:
        return wait_until(what, there, timeout)
    except Failure:
        raise Failure(f"{what}: expected the window at ({left}, {top}), it is at "
                      f"{[f['rect'] for f in main_windows(s)]}") from None


@case
def snap(s):
    write_config(s, "[Clock]\nRunTray=0\n")
    program = s.start()
    wait_main_window(s)
    w = wait_painted(s)
    width = w["width"]

    # Dropped in the middle of the screen the window stays where it was put.
    start = face_point(s, w)
    dx, dy = 400 - w["left"], 300 - w["top"]
    drag(s, start, (start[0] + dx, start[1] + dy))
    w = wait_at(s, "the window dropped in the middle", 400, 300)

    # Dropped 10 pixels short of the right edge, past the limit of 30, it goes to the edge.
    start = face_point(s, w)
    drop_left = SCREEN_WIDTH - width - 10
    drag(s, start, (start[0] + drop_left - w["left"], start[1]))
    w = wait_at(s, "the window dropped near the right edge", SCREEN_WIDTH - width, 300)
    expect(w["rect"][2] == SCREEN_WIDTH, f"the right edge should be at x = {SCREEN_WIDTH}: {w['rect']}")
    s.screenshot("snap")

    # Near the top-left corner it goes to the corner.
    start = face_point(s, w)
    drag(s, start, (start[0] - w["left"] + 20, start[1] - w["top"] + 25))
    wait_at(s, "the window dropped near the top-left corner", 0, 0)
    expect(program.running(), "the program ended")



def click_item(s, wanted, newer_than=None):
    """Clicks the item reading `wanted` (bytes) of the newest popup menu (one other than
    `newer_than`), its place worked out from the menu's height: text items of one height,
    separators half the system's menu height, a frame around them."""
    def newest():
        m = s.menu()
        return m if m and m.get("hwnd") != newer_than else None
    menu = wait_until("a popup menu", newest, 10)
    items = menu_items(menu)
    texts = [i for i in items if not i.get("separator")]
    separators = len(items) - len(texts)
    index = next((n for n, i in enumerate(items) if i["text"] == wanted), None)
    expect(index is not None, f"no item {wanted.decode('cp1251')!r} in {items}")
    frame, separator = 4, 9
    height = (menu["height"] - 2 * frame - separators * separator) / len(texts)
    y = menu["top"] + frame + sum(separator if i.get("separator") else height for i in items[:index]) + height / 2
    s.xdotool("mousemove", menu["left"] + menu["width"] // 3, int(y), "click", "1")
    return menu

@case
def tray_template_balloon(s):
    """With the clock hidden in the tray, a power-off template says when it will act in a
    balloon by the icon, not in a message box."""
    write_config(s, "[Clock]\nRunTray=0\n")
    program = s.start()
    wait_main_window(s)
    w = wait_painted(s)
    icon = hide_to_tray(s, w)
    s.xdotool("mousemove", *icon)
    s.xdotool("click", "3")
    top = click_item(s, "Шаблоны...".encode("cp1251"))
    second = click_item(s, "Выключение...".encode("cp1251"), top["hwnd"])
    click_item(s, "Через 1 минуту".encode("cp1251"), second["hwnd"])
    chosen = time.time()
    try:
        gear = s.app / "Gear" / "gear.ini"
        wait_until("the power-off event in the store", lambda: gear.exists() and b"type=4" in gear.read_bytes(), 20)
        wanted = "Компьютер будет выключен в ".encode("cp1251")

        def balloon():
            return next((b for b in s.windows() if b.get("visible") == 1 and
                         b.get("class", "").lower() == "tooltips_class32" and
                         (b.get("caption") or b"").startswith(wanted)), None)
        shown = wait_until("the balloon by the tray icon", balloon, 15)
        time.sleep(0.5)
        s.screenshot("tray_template_balloon")
        section_time = next(line for line in gear.read_bytes().split(b"\r\n") if line.startswith(b"time="))[5:]
        expect(shown["caption"] == wanted + section_time, f"the balloon says {shown['caption'].decode('cp1251')!r}")
        expect(s.msgbox() is None, "with the clock hidden, no message box should say it")
        expect(not main_windows(s), "the template brought the clock back")
    finally:
        s.probe("close", "hex:" + "Horavo".encode("cp1251").hex().upper())
    program.wait(30)
    expect(time.time() - chosen < 55, "the case ran into the power-off's minute")
