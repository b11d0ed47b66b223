"""The control gallery, a test-only window with one of each control kind of the component
library, under Wine: its picture, its Russian texts, captions that fit, boxes on the window's
colour, hints, and each control driven with the mouse and the keyboard. The gallery writes every
event it gets into its read-only field "Событие: ...", where these checks read it."""

import shutil

from cases import case
from cases.common import children, expect, grab, shown_hint
from harness import Failure, wait_until

TITLE = "Галерея элементов"
STATUS_PREFIX = "Событие: ".encode("cp1251")
BACKGROUND = (0x97, 0xBE, 0xEA)  # the colour number 15384215 as red, green, blue


def start_gallery(s):
    exe = s.probe_exe.parent / "horavo_gallery.exe"
    if not exe.is_file():
        raise Failure(f"the gallery is missing: {exe} (build the release first)")
    shutil.copy2(exe, s.app / exe.name)
    s.start(exe.name)
    s.wait_window(TITLE)
    wait_until("the gallery's first event", lambda: status(s) == "старт", 30)


def child(s, cls, text=None):
    for c in children(s, TITLE):
        if c["class"] == cls and (text is None or c["text"] == text.encode("cp1251")):
            return c
    raise Failure(f"the gallery has no {cls} {text!r}")


def status(s):
    for c in children(s, TITLE):
        if c["class"] == "edit" and c["text"].startswith(STATUS_PREFIX):
            return c["text"][len(STATUS_PREFIX):].decode("cp1251")
    return None


def expect_status(s, expected, timeout=15):
    wait_until(f"the event {expected!r}", lambda: status(s) == expected, timeout)


def click(s, x, y):
    s.xdotool("mousemove", x, y, "click", 1)


def client_origin(s):
    """The screen position of the gallery's client area, from its status field at (8, 530)."""
    for c in children(s, TITLE):
        if c["class"] == "edit" and c["text"].startswith(STATUS_PREFIX):
            return c["left"] - 8, c["top"] - 530
    raise Failure("the gallery's status field is missing")


def pixel(s, x, y):
    return tuple(grab(s, x, y, 1, 1)[:3])


@case
def gallery(s):
    start_gallery(s)
    s.screenshot("gallery")

    # Every caption whole: the texts as the windows hold them, and wide enough to be drawn.
    texts = {c["text"] for c in children(s, TITLE)}
    for text in ("Использовать прилипание к углам экрана", "Показывать нули перед цифрами ", "В указанный день",
                 "Каждый день", "Каждый месяц", "В указанные дни", "Запускать вместе с Windows", "Сигнал",
                 "Любой файл", "Главное окно", "Периодичность и номер", "Добавить событие", "Ой! Сломалось что-то :))",
                 "80"):
        expect(text.encode("cp1251") in texts, f"no control shows {text!r}")
    report = (s.app / "gallery-report.txt").read_text(encoding="cp1251").splitlines()
    expect(len(report) >= 14, f"the gallery reported only {len(report)} captioned controls")
    for line in report:
        name, needed, width = line.split(" ")
        needed, width = int(needed.split("=")[1]), int(width.split("=")[1])
        expect(needed <= width, f"the caption of {name} needs {needed} pixels but has {width}")

    # Check boxes and radio buttons stand on the window's colour, not on a grey patch.
    box = child(s, "button", "Использовать прилипание к углам экрана")
    right_of_text = pixel(s, box["right"] - 3, (box["top"] + box["bottom"]) // 2)
    expect(right_of_text == BACKGROUND, f"the check box's background is {right_of_text}, not {BACKGROUND}")
    radio = child(s, "button", "Каждый месяц")
    expect(pixel(s, radio["right"] - 3, radio["top"] + 2) == BACKGROUND, "the radio button's background is not the window's")

    # Hints: the one of the check box shows over it.
    s.xdotool("mousemove", box["left"] + 30, (box["top"] + box["bottom"]) // 2)
    wait_until("the check box's hint", lambda: shown_hint(s, "Окно прилипает к краям экрана"), 15)
    s.screenshot("gallery-hint")

    click(s, box["left"] + 7, (box["top"] + box["bottom"]) // 2)
    expect_status(s, "CheckBox1Click 1")
    radio = child(s, "button", "Каждый месяц")
    click(s, radio["left"] + 7, (radio["top"] + radio["bottom"]) // 2)
    expect_status(s, "RadioButton3Click")

    # The week days: a click on the first item's box clears its mark.
    days = child(s, "listbox")
    click(s, days["left"] + 9, days["top"] + 9)
    expect_status(s, "CheckListBox1ClickCheck 0000100")

    # The track bar: a click on the channel focuses it, End moves it to the maximum.
    bar = child(s, "msctls_trackbar32")
    click(s, bar["right"] - 20, bar["top"] + 12)
    wait_until("the track bar to move", lambda: (status(s) or "").startswith("TrackBar1Change"), 15)
    s.xdotool("key", "End")
    expect_status(s, "TrackBar1Change 200")

    # The spin edit's up arrow steps its number.
    arrows = child(s, "msctls_updown32")
    click(s, (arrows["left"] + arrows["right"]) // 2, arrows["top"] + 4)
    expect_status(s, "CSpinEdit2Change 81")
    expect(child(s, "edit", "81"), "the spin edit does not show 81")

    # The memo refuses Enter: typing Enter and a letter at its end adds only the letter.
    memo = child(s, "edit", "Ой! Сломалось что-то :))")
    click(s, memo["left"] + 20, memo["top"] + 8)
    s.xdotool("key", "ctrl+End", "Return", "x")
    expect_status(s, "Memo1Change 1")
    child(s, "edit", "Ой! Сломалось что-то :))x")

    # Speed buttons have no window: they sit at their places in the client area.
    left, top = client_origin(s)
    click(s, left + 255, top + 383)
    expect_status(s, "SpeedButton6Click")
    click(s, left + 369, top + 383)
    expect_status(s, "SpeedButton1Click")

    # A bitmap button changes its picture and caption when clicked.
    button = child(s, "button", "Добавить событие")
    click(s, (button["left"] + button["right"]) // 2, (button["top"] + button["bottom"]) // 2)
    expect_status(s, "BitBtn1Click OK")
    child(s, "button", "OK")
    # The click also saved the rich text box's text, in its font, and loaded it back.
    note = (s.app / "gallery-note.rtf").read_bytes()
    expect(note.startswith(b"{\\rtf") and b"Arial" in note and b"\\b" in note,
           f"the saved note lacks its font: {note[:200]!r}")
    here = "".join(f"\\'{b:02x}" for b in "Здесь".encode("cp1251")).encode("ascii")
    expect(here in note, f"the saved note lacks its text: {note[:300]!r}")

    # Pages: the tabs lie side by side from the left; the second one shows its page.
    tabs = child(s, "systabcontrol32")
    for x in range(tabs["left"] + 10, tabs["right"], 30):
        click(s, x, tabs["top"] + 10)
        if status(s) == "PageControl1Change 1":
            break
    expect_status(s, "PageControl1Change 1", timeout=5)
    expect(child(s, "button", "Запускать вместе с Windows")["visible"], "the second page's check box is hidden")
    expect(not child(s, "button", "Каждый день")["visible"], "the first page's radio button still shows")
    s.screenshot("gallery-driven")
