"""The clock face's popup menu."""

from cases import case
from cases.common import expect, ini_sections, wait_main_window, wait_painted
from harness import Failure, wait_until

CLOSE_ITEM = "Закрыть приложение".encode("cp1251")


def open_face_menu(s, w):
    """Right-clicks the clock face away from its labels and waits for the popup menu."""
    # Near the bottom-left corner; further points in case the skin leaves that one see-through.
    points = [(w["left"] + 5, w["top"] + w["height"] - 8),
              (w["left"] + w["width"] // 2, w["top"] + w["height"] - 8),
              (w["left"] + w["width"] - 8, w["top"] + w["height"] // 2)]
    for x, y in points:
        s.xdotool("mousemove", x, y)
        s.xdotool("click", "3")
        try:
            return wait_until("the popup menu", s.menu, 10)
        except Failure:
            continue
    raise Failure(f"no popup menu opened on right clicks at {points}")


@case
def close_from_menu(s):
    program = s.start()
    w = wait_main_window(s)
    wait_painted(s, w)
    menu = open_face_menu(s, w)
    s.screenshot("menu")
    items = menu.get("items", -1)
    if items > 0:
        captions = [menu.get(f"item{i}", b"") for i in range(items)]
        expect(captions[-1] == CLOSE_ITEM, f"the last item should close the program: {captions}")
    # Up from no selection highlights the last item, which closes the program.
    s.xdotool("key", "Up")
    s.xdotool("key", "Return")
    code = program.wait(30)
    expect(code == 0, f"the program should exit with 0, it exited with {code}")

    config = s.app / "Cfg" / "Clock_config.ini"
    expect(config.exists(), "closing did not save Cfg/Clock_config.ini")
    sections = ini_sections(config.read_bytes())
    position = sections.get("Position", {})
    expect(position.get("X") == str(w["left"]) and position.get("Y") == str(w["top"]),
           f"[Position] should hold X={w['left']} Y={w['top']}, it holds {position}")
