"""Start-up: the main window, the single instance, the picture library."""

from cases import case
from cases.common import (DEFAULT_SKIN_SIZE, DIALOG_CLASS, TITLE, WS_CAPTION, WS_EX_LAYERED, WS_EX_TOPMOST,
                          WS_POPUP, expect, keep_on_screen, main_windows, snapped_position, wait_error_box,
                          wait_exit, wait_main_window, wait_painted)
from harness import Failure, wait_until

ALREADY_RUNNING = bytes.fromhex("CF70EEE370E0ECECE02079E6E520E7E0EF79F9E5EDE0")
LIBRARY_MISSING = "Не найдена библиотека resourcesimages.dll! Переустановите программу".encode("cp1251")


def _startup_faults(w):
    """What is wrong with the main window as first shown; empty when nothing is."""
    faults = []
    style, exstyle = w["style"], w["exstyle"]
    if not style & WS_POPUP:
        faults.append(f"not a popup window (style={style:#010x})")
    if style & WS_CAPTION:
        faults.append(f"has a caption or a border (style={style:#010x})")
    if not exstyle & WS_EX_TOPMOST:
        faults.append(f"does not stay on top (exstyle={exstyle:#010x})")
    if not exstyle & WS_EX_LAYERED:
        faults.append(f"is not layered, so no colour key (exstyle={exstyle:#010x})")
    size = (w["width"], w["height"])
    if size != DEFAULT_SKIN_SIZE:
        faults.append(f"is {size[0]}x{size[1]}, the default skin is {DEFAULT_SKIN_SIZE[0]}x{DEFAULT_SKIN_SIZE[1]}")
    where, expected = (w["left"], w["top"]), snapped_position(w["width"], w["height"])
    if where != expected:
        faults.append(f"is at {where}, the design position snapped to the screen's edges is {expected}")
    return faults


@case
def startup(s):
    keep_on_screen(s)
    program = s.start()
    wait_main_window(s)
    # The form may still be styled or moved just after it shows; wait (with a deadline) until
    # it is as it should be, and report what was wrong with the last one seen.
    last = {}

    def as_designed():
        found = main_windows(s)
        if len(found) != 1:
            last["faults"] = [f"{len(found)} visible main windows"]
            return None
        last["faults"] = _startup_faults(found[0])
        return None if last["faults"] else found[0]

    try:
        w = wait_until("the main window as designed", as_designed, 15)
    except Failure:
        raise Failure("the main window " + "; ".join(last["faults"])) from None
    w = wait_painted(s)
    s.screenshot("clock")
    s.screenshot("startup")
    expect(program.running(), "the program ended by itself")


@case
def second_instance(s):
    keep_on_screen(s)
    first = s.start(name="first")
    main = wait_main_window(s)
    second = s.start(name="second")
    wait_error_box(s, ALREADY_RUNNING, "second_instance")
    s.msgbox_ok()
    code = wait_exit(s, second)
    expect(code == 0, f"the second instance should exit with 0, it exited with {code}")
    expect(first.running(), "the first instance ended too")
    still = main_windows(s)
    expect(len(still) == 1 and still[0]["hwnd"] == main["hwnd"],
           f"the first instance's window should stay, windows now: {still}")


@case
def missing_library(s):
    (s.app / "resources" / "images.dll").unlink()
    program = s.start()
    shown = []

    def box_without_window():
        windows = s.windows()
        shown.extend(w for w in windows if w.get("caption") == TITLE and w.get("visible") == 1
                     and w.get("class") != DIALOG_CLASS)
        return any(w.get("class") == DIALOG_CLASS and w.get("visible") == 1 for w in windows)

    wait_until("the message box", box_without_window, 60)
    wait_error_box(s, LIBRARY_MISSING, "missing_library", timeout=10)
    box_without_window()
    s.msgbox_ok()
    code = wait_exit(s, program)
    expect(code == 0, f"the program should exit with 0, it exited with {code}")
    expect(not shown, f"the main window was shown without the library: {shown[:1]}")
    config = s.app / "Cfg" / "Clock_config.ini"
    expect(not config.exists(), "the program wrote Cfg/Clock_config.ini though it never started")
