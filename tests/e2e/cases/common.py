"""What several cases check about the main window and the program's files."""

import subprocess

from harness import SCREEN_HEIGHT, SCREEN_WIDTH, Failure, _parse_probe, stays, wait_until

TITLE = b"Horavo"
DIALOG_CLASS = "#32770"
IDOK = 1

WS_POPUP = 0x80000000
WS_CAPTION = 0x00C00000
WS_EX_TOPMOST = 0x00000008
WS_EX_LAYERED = 0x00080000

# The position kept in the design (no configuration yet) and the default skin's size.
DESIGN_LEFT, DESIGN_TOP = 895, 687
DEFAULT_SKIN_SIZE = (180, 70)
# Start-up snapping: a window near the right or the bottom edge goes to it; the bottom keeps a
# 27-pixel band free for the task bar. The limits are for a 1024x768 screen.
SNAP_RIGHT, SNAP_BOTTOM, TASKBAR_BAND = 865, 657, 27


def expect(condition, message):
    if not condition:
        raise Failure(message)


def snapped_position(width, height):
    left, top = DESIGN_LEFT, DESIGN_TOP
    if left >= SNAP_RIGHT:
        left = SCREEN_WIDTH - width
    if top >= SNAP_BOTTOM:
        top = SCREEN_HEIGHT - TASKBAR_BAND - height
    return left, top


def main_windows(session):
    """Visible top-level windows captioned "Horavo" that are not message boxes (whose caption
    is the program's title too)."""
    found = []
    for w in session.windows():
        if w.get("caption") == TITLE and w.get("visible") == 1 and w.get("class") != DIALOG_CLASS:
            left, top, right, bottom = w["rect"]
            w.update(left=left, top=top, width=right - left, height=bottom - top)
            found.append(w)
    return found


def wait_main_window(session, timeout=60.0):
    def one():
        found = main_windows(session)
        return found[0] if len(found) == 1 else None
    return wait_until("the visible main window \"Horavo\"", one, timeout)


def grab(session, left, top, width, height):
    """The screen's pixels in a rectangle, as RGB bytes."""
    out = subprocess.run(
        ["import", "-window", "root", "-display", session.display, "-crop", f"{width}x{height}+{left}+{top}",
         "-depth", "8", "rgb:-"],
        stdin=subprocess.DEVNULL, capture_output=True, timeout=60, check=True)
    return out.stdout


def wait_painted(session, timeout=30.0):
    """Waits until most pixels of the main window are drawn (the screen under it is black);
    returns the window as it is then."""
    last = {}

    def painted():
        found = main_windows(session)
        if len(found) != 1:
            last["seen"] = f"{len(found)} main windows"
            return None
        w = found[0]
        pixels = grab(session, w["left"], w["top"], w["width"], w["height"])
        count = len(pixels) // 3
        lit = sum(1 for i in range(0, len(pixels) - 2, 3) if pixels[i] | pixels[i + 1] | pixels[i + 2])
        last["seen"] = f"{lit} of {count} pixels drawn at {w['rect']}"
        return w if count and lit / count >= 0.5 else None

    try:
        return wait_until("the clock face to be painted", painted, timeout, interval=0.2)
    except Failure:
        raise Failure(f"the clock face was not painted within {timeout:.0f} s: {last.get('seen')}") from None


def ini_sections(data):
    """Sections of an INI file as {name: {key: value}}; also checks that every line ends in CR LF."""
    expect(not data or data.endswith(b"\r\n"), f"the INI file does not end in CR LF: {data!r}")
    lines = data.split(b"\r\n")[:-1] if data else []
    sections, current = {}, None
    for line in lines:
        expect(b"\n" not in line and b"\r" not in line, f"a line not ended by CR LF in {data!r}")
        if line.startswith(b"[") and line.endswith(b"]"):
            current = sections.setdefault(line[1:-1].decode("cp1251"), {})
        elif b"=" in line and current is not None:
            key, value = line.split(b"=", 1)
            current[key.decode("cp1251")] = value.decode("cp1251")
    return sections


def wait_error_box(session, text, screenshot, timeout=60.0):
    """Waits for a message box and checks that it is the program's error message: this text
    (exact bytes), the program's title as caption, the error icon and a single OK button, and
    that nothing else pops up while it is shown. The screenshot is taken once it is drawn."""
    box = session.wait_msgbox(timeout)
    expect(box["text"] == text, f"the message should be {text.hex(' ')}, it is {box['text'].hex(' ')}")
    expect(box["caption"] == TITLE, f"the message box's caption should be {TITLE!r}, it is {box['caption']!r}")
    expect(box.get("buttons") == 1 and box.get("button0_id") == IDOK,
           f"the message box should have only an OK button: {box}")

    def icon_drawn():
        # The probe tells the icon by its pixels, so it has to be on the screen first.
        now = session.msgbox()
        if now and not now.get("icon"):
            raise Failure("the message box shows no icon; it should show the error icon")
        return now if now and now.get("icon_kind", "unknown") != "unknown" else None

    box = wait_until("the message box's icon to be drawn", icon_drawn, 10)
    session.screenshot(screenshot)
    expect(box.get("icon_kind") == "error", f"the message box should show the error icon: {box.get('icon_kind')}")

    # While the message waits for the user, nothing else may pop up (a timer of the window that
    # never came to be, say): watch for a little longer than one tick of the clock's timers.
    def alone():
        now = session.msgbox()
        if now and now.get("count") == 1 and now.get("text") == text:
            return True
        others = f"{now.get('count')} boxes, the topmost saying {now.get('text', b'').decode('cp1251')!r}" if now else "none"
        raise Failure(f"while the message was shown, the message boxes changed: {others}")
    stays("the message box alone", alone, 2.5)
    return box


def wait_exit(session, program, timeout=30.0):
    """Waits for the program to end and returns its exit code; when it does not end, says
    which message box (if any) holds it up."""
    try:
        return program.wait(timeout)
    except Failure:
        box = session.msgbox()
        if box:
            raise Failure(f"the program did not exit within {timeout:.0f} s; a message box says "
                          f"{box['text'].decode('cp1251', 'replace')!r}") from None
        raise


def keep_on_screen(session):
    """Configures the program not to hide itself in the tray 800 ms after it starts (the
    default), for cases that look at the clock window for longer than that."""
    (session.app / "Cfg").mkdir(exist_ok=True)
    (session.app / "Cfg" / "Clock_config.ini").write_bytes(b"[Clock]\r\nRunTray=0\r\n")


def children(s, title):
    """The child windows of the top-level window captioned `title`: class (lower case), text,
    visibility and screen rectangle."""
    _, raw = s.probe("texts", "hex:" + title.encode("cp1251").hex().upper())
    fields = _parse_probe(raw)
    found = []
    for i in range(fields.get("children", 0)):
        left, top, right, bottom = (int(v) for v in str(fields[f"child{i}_rect"]).split(","))
        found.append({"class": fields.get(f"child{i}_class", b"").decode("ascii", "replace").lower(),
                      "text": fields.get(f"child{i}", b""), "visible": fields.get(f"child{i}_visible") == 1,
                      "left": left, "top": top, "right": right, "bottom": bottom,
                      "tab": fields.get(f"child{i}_tab"), "rows": fields.get(f"child{i}_rows")})
    return found


def shown_hint(session, text):
    """Whether a tool-tip window showing `text` (str) is on the screen."""
    wanted = text.encode("cp1251")
    return any(w.get("class", "").lower() == "tooltips_class32" and w.get("visible") == 1 and
               w.get("caption") == wanted for w in session.windows())
