"""The time in the caption of the active window: other programs get their own captions back."""

import subprocess
import time

from cases import case
from cases.chrome import button_centre, write_config
from cases.common import expect, wait_exit
from harness import wait_until

TIME = "Время ".encode("cp1251")


def notepads(s):
    """Notepad's windows: {hwnd: caption}."""
    return {w["hwnd"]: w.get("caption", b"") for w in s.windows() if w.get("class") == "Notepad" and w.get("visible") == 1}


def start_notepad(s, known):
    """Starts Wine's Notepad beside the clock and returns its window and own caption."""
    proc = subprocess.Popen(["wine", "notepad"], cwd=s.dir, env=s.env(), stdin=subprocess.DEVNULL,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True)

    def new_one():
        found = {h: c for h, c in notepads(s).items() if h not in known}
        return next(iter(found.items()), None)
    hwnd, caption = wait_until("a new Notepad window", new_one, 60)
    # The clock may have written the time into it already: its own caption is what comes first.
    own = caption.split(TIME)[0]
    expect(own, f"Notepad should open with a caption of its own: {caption!r}")
    return proc, hwnd, own


def the_clock(s):
    """The clock's window, found by its class: when it is the active window the feature writes the
    time into its own caption too, and when it loses the foreground it gets its own back. It is
    the program's only visible window here."""
    def one():
        found = [w for w in s.windows() if w.get("class") == "HoravoForm" and w.get("visible") == 1]
        return found[0] if len(found) == 1 else None
    w = wait_until("the visible clock window", one, 60)
    left, top, right, bottom = w["rect"]
    w.update(left=left, top=top, width=right - left, height=bottom - top)
    return w


def caption_of(s, hwnd):
    return notepads(s).get(hwnd)


@case
def captions_restored(s):
    write_config(s, "[Clock]\nRunTray=0\nshowIntitle=1\n")
    program = s.start()
    the_clock(s)
    # Notepad, started after the clock, is the window the user works in.
    first, a, a_own = start_notepad(s, set())
    wait_until("the time in Notepad's caption", lambda: (caption_of(s, a) or b"").startswith(a_own + TIME), 15)

    # A second Notepad takes the foreground: the first reads its own caption again, the second
    # gets the time.
    second, b, b_own = start_notepad(s, {a})
    wait_until("the first Notepad's own caption back", lambda: caption_of(s, a) == a_own, 15)
    wait_until("the time in the second Notepad's caption",
               lambda: (caption_of(s, b) or b"").startswith(b_own + TIME), 15)
    s.screenshot("captions")

    # The clock's own close button ends it (found where the clock stands now, after its start-up
    # placing): both Notepads get their own captions back.
    s.xdotool("mousemove", *button_centre(s, the_clock(s), "CloseBut"))
    time.sleep(0.3)
    s.xdotool("click", "1")
    code = wait_exit(s, program)
    expect(code == 0, f"the program should exit with 0, it exited with {code}")
    now = notepads(s)
    expect(now.get(a) == a_own, f"the first Notepad should read {a_own!r} again, it reads {now.get(a)!r}")
    expect(now.get(b) == b_own, f"the second Notepad should read {b_own!r} again, it reads {now.get(b)!r}")
    for proc in (first, second):
        proc.kill()
