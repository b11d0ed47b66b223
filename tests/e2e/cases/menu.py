"""The clock face's popup menu."""

from cases import case
from cases.common import expect, ini_sections, keep_on_screen, wait_exit, wait_main_window, wait_painted
from harness import Failure, menu_items, wait_until

CLOSE_ITEM = "Закрыть приложение".encode("cp1251")


def open_face_menu(s, w):
    """Right-clicks the clock face away from its labels and waits for the face's popup menu
    (the one that can close the program); returns its items."""
    # Near the bottom-left corner; further points in case the skin leaves that one see-through
    # or a label with a menu of its own lies there.
    points = [(w["left"] + 5, w["top"] + w["height"] - 8),
              (w["left"] + w["width"] // 2, w["top"] + w["height"] - 8),
              (w["left"] + w["width"] - 8, w["top"] + w["height"] // 2)]
    seen = []
    for x, y in points:
        s.xdotool("mousemove", x, y)
        s.xdotool("click", "3")
        try:
            menu = wait_until("a popup menu", s.menu, 10)
        except Failure:
            seen.append((x, y, "no menu"))
            continue
        items = menu_items(menu)
        if any(item["text"] == CLOSE_ITEM for item in items):
            return menu, items
        seen.append((x, y, [item["text"].decode("cp1251") for item in items]))
        s.xdotool("key", "Escape")
        wait_until("the other menu to close", lambda: s.menu() is None, 10)
    raise Failure(f"no right click opened the clock face's menu: {seen}")


@case
def close_from_menu(s):
    keep_on_screen(s)
    program = s.start()
    w = wait_main_window(s)
    w = wait_painted(s)
    menu, items = open_face_menu(s, w)
    s.screenshot("menu")
    last = items[-1]
    expect(last["text"] == CLOSE_ITEM and not last["separator"] and not last["disabled"],
           f"the last item should be an enabled {CLOSE_ITEM.decode('cp1251')!r}: {last}")

    # Up from no selection highlights the last item; press Return only once it is highlighted,
    # so that no other command is ever chosen by accident.
    s.xdotool("key", "Up")

    def last_highlighted():
        now = s.menu()
        return now and menu_items(now)[-1].get("highlighted") == 1
    wait_until(f"{CLOSE_ITEM.decode('cp1251')!r} to be highlighted", last_highlighted, 10)
    s.xdotool("key", "Return")
    code = wait_exit(s, program)
    expect(code == 0, f"the program should exit with 0, it exited with {code}")

    config = s.app / "Cfg" / "Clock_config.ini"
    expect(config.exists(), "closing did not save Cfg/Clock_config.ini")
    sections = ini_sections(config.read_bytes())
    position = sections.get("Position", {})
    expect(position.get("X") == str(w["left"]) and position.get("Y") == str(w["top"]),
           f"[Position] should hold X={w['left']} Y={w['top']}, it holds {position}")
