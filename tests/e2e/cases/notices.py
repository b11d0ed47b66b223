"""The reminder, birthday and holiday windows of the real program, with events written into the
store before it starts."""

import time

from cases import case
from cases.common import WS_CAPTION, WS_EX_TOPMOST, WS_POPUP, expect, wait_main_window
from harness import SCREEN_HEIGHT, SCREEN_WIDTH, Failure, _parse_probe, wait_until

REMINDER_TITLE = "Напоминание"
BIRTHDAY_TITLE = "День рождения"
HOLIDAY_TITLE = "Праздник"
RICH_EDIT_CLASSES = {"richedit50w", "richedit20w", "richedit20a"}  # class names compare without case


def rtf(text):
    """A small Rich Text document as a rich-text control saves one: cp1251 declared, Cyrillic
    letters as \\'xx escapes, a paragraph per line, a bold first line."""
    lines = []
    for line in text.split("\n"):
        lines.append("".join(f"\\'{b:02x}" if b >= 0x80 else chr(b) for b in line.encode("cp1251")))
    body = "\\b " + lines[0] + "\\b0\\par\r\n" + "".join(line + "\\par\r\n" for line in lines[1:])
    return ("{\\rtf1\\ansi\\ansicpg1251\\deff0\\deflang1049{\\fonttbl{\\f0\\fnil\\fcharset204 Tahoma;}}\r\n"
            "{\\*\\generator Msftedit 5.41.21.2510;}\\viewkind4\\uc1\\pard\\f0\\fs20 " + body + "}\r\n").encode("ascii")


def write_store(s, sections, numbers, config="[Clock]\r\nRunTray=0\r\n"):
    (s.app / "Gear" / "gear.ini").write_bytes("".join(sections).encode("cp1251"))
    (s.app / "Gear" / "Events.txt").write_bytes("".join(n + "\r\n" for n in numbers).encode("ascii"))
    (s.app / "Cfg").mkdir(exist_ok=True)
    (s.app / "Cfg" / "Clock_config.ini").write_bytes(config.encode("ascii"))


def store_coming(s, first, keys, config="[Clock]\r\nRunTray=0\r\n"):
    """Stores events 15, 30, 45 and 60 seconds ahead, numbered from `first`, so that one of them
    comes once the program has started (Wine takes a few seconds); `keys(moment)` gives each
    one's keys after its time. Returns the moment they count from and their numbers."""
    start = time.time()
    sections, numbers = [], []
    for i, lead in enumerate((15, 30, 45, 60)):
        number = str(first + i)
        at = time.strftime("%H:%M:%S", time.localtime(start + lead))
        sections.append(f"[{number}]\r\ntime={at}\r\n" + keys(start + lead))
        numbers.append(number)
    write_store(s, sections, numbers, config)
    return start, numbers


def store_coming_reminders(s, note):
    """Daily reminders 15, 30, 45 and 60 seconds ahead, all showing `note`. Returns the note's
    stored bytes, the moment the reminders count from and their numbers."""
    stored = rtf(note)
    (s.app / "notes" / "501.zqt").write_bytes(stored)
    start, numbers = store_coming(s, 501, lambda _: "date=01.01.2020\r\ntype=5\r\n"
                                                    "pathtotxt=C:\\Program Files\\Horavo\\notes\\501.zqt\r\nperiod=2\r\n")
    return stored, start, numbers


def celebration(s, number, birthday, text, email=""):
    (s.app / "days" / f"{number}.zqd").write_bytes(rtf(text))
    return (f"[{number}]\r\ntime=00:00:00\r\ndate={time.strftime('%d.%m.%Y')}\r\ntype=6\r\n"
            # Written by another copy of the program: only the file name counts.
            f"pathtobirthday=C:\\Program Files\\Horavo\\days\\{number}.zqd\r\n"
            f"Brith?={1 if birthday else 0}\r\nFoto=\r\nEmail={email}\r\n")


def window(s, title):
    w = s.window(title)
    return w if w and w.get("visible") == 1 else None


def rich_text(s, title):
    """The text of the window's rich-text box, blanks and line ends as single spaces."""
    _, raw = s.probe("texts", "hex:" + title.encode("cp1251").hex().upper())
    fields = _parse_probe(raw)
    for i in range(fields.get("children", 0)):
        if fields.get(f"child{i}_class", b"").decode("ascii", "replace").lower() in RICH_EDIT_CLASSES:
            return b" ".join(fields.get(f"child{i}", b"").split()).decode("cp1251")
    return None


def check_notice(w, title, left, top, width, height):
    expect(w["style"] & WS_POPUP and not w["style"] & WS_CAPTION,
           f"the {title} window should be borderless (style={w['style']:#010x})")
    expect(w["exstyle"] & WS_EX_TOPMOST, f"the {title} window should stay on top (exstyle={w['exstyle']:#010x})")
    place = (w["left"], w["top"], w["width"], w["height"])
    expect(place == (left, top, width, height), f"the {title} window is at {place}, expected {(left, top, width, height)}")


@case
def reminder(s):
    note = "Позвонить маме в 18:00.\nКупить хлеб, молоко и торт."
    _, start, _ = store_coming_reminders(s, note)

    program = s.start()
    wait_main_window(s)
    if time.time() >= start + 60:
        raise Failure("the program took more than a minute to show its window; every reminder's second passed")
    w = wait_until(f"the reminder window {REMINDER_TITLE!r}", lambda: window(s, REMINDER_TITLE), 75)
    check_notice(w, "reminder", (SCREEN_WIDTH - 405) // 2, (SCREEN_HEIGHT - 182) // 2, 405, 182)
    expected = " ".join(note.split())
    wait_until("the reminder's text in its window", lambda: rich_text(s, REMINDER_TITLE) == expected, 15)
    time.sleep(0.5)  # the window paints its children after it appears
    s.screenshot("reminder")
    expect(program.running(), "the program ended after the reminder")


@case
def birthday(s):
    # 603, unticked in the event list, is neither announced nor offered for a greeting.
    write_store(s, [celebration(s, "601", True, "Иван Петров, 35 лет.\nНе забудьте поздравить!",
                                "ivan.petrov@mail.ru"),
                    celebration(s, "603", True, "Выключен", "off@mail.ru") + "active=0\r\n"], ["601", "603"])
    program = s.start()
    wait_main_window(s)
    w = wait_until(f"the birthday window {BIRTHDAY_TITLE!r}", lambda: window(s, BIRTHDAY_TITLE), 30)
    check_notice(w, "birthday", (SCREEN_WIDTH - 504) // 2, (SCREEN_HEIGHT - 193) // 2, 504, 193)
    wait_until("the birthday text in its window",
               lambda: rich_text(s, BIRTHDAY_TITLE) == "Иван Петров, 35 лет. Не забудьте поздравить!", 15)
    expect(window(s, HOLIDAY_TITLE) is None, "a birthday opened the holiday window too")
    time.sleep(0.5)
    s.screenshot("birthday")
    expect(program.running(), "the program ended after the announcement")


@case
def holiday(s):
    write_store(s, [celebration(s, "602", False, "День матери")], ["602"])
    program = s.start()
    wait_main_window(s)
    w = wait_until(f"the holiday window {HOLIDAY_TITLE!r}", lambda: window(s, HOLIDAY_TITLE), 30)
    check_notice(w, "holiday", 821, 496, 195, 208)
    # It fades in from transparent, one step each 10 ms; the picture is taken when it is opaque.
    wait_until("the holiday window at full opacity", lambda: (window(s, HOLIDAY_TITLE) or {}).get("alpha") == 255, 20,
               interval=0.2)
    wait_until("the holiday's text in its window", lambda: rich_text(s, HOLIDAY_TITLE) == "День матери", 5)
    s.screenshot("holiday")
    expect(window(s, BIRTHDAY_TITLE) is None, "a holiday opened the birthday window too")
    expect(program.running(), "the program ended after the announcement")
