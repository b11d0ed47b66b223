"""The release packages as a user gets them: the installer run silently into a fresh prefix
(install, start, upgrade, uninstall), its wizard in Russian, and the zip unpacked and started.
Also the pictures of the README, taken from the real program."""

import os
import subprocess
import time
import zipfile
from pathlib import Path

from cases import case
from cases.common import expect, ini_sections, main_windows, wait_exit, wait_main_window, wait_painted
from cases.event_editor import children
from cases.events import windows_path
from cases.menu import open_face_menu
from harness import ROOT, Failure, menu_items, stays, wait_until

RELEASE = Path(os.environ.get("HORAVO_RELEASE") or ROOT / "build" / "release")
VERSION = "3.0"
ZIP = RELEASE / f"Horavo-{VERSION}.zip"
SETUP = RELEASE / f"Horavo-{VERSION}-setup.exe"
# The starter settings as the tree ships them: the clock shown, chimes at the hour and midnight.
STARTER_CONFIG = (ROOT / "data" / "Cfg" / "Clock_config.ini").read_bytes()

UNINSTALL_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Horavo"
RUN_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Run"
RUN_VALUE = "Horavo v3.0"
# The installer's exit code when it stops because the clock is running.
ABORTED = 2


def package_files():
    """The files of the zip below its top folder, with their contents."""
    with zipfile.ZipFile(ZIP) as z:
        names = [n for n in z.namelist() if not n.endswith("/")]
        expect(names and all(n.startswith("Horavo/") for n in z.namelist()),
               f"every entry of the zip should lie in the folder Horavo/: {z.namelist()[:5]}")
        return {n[len("Horavo/"):]: z.read(n) for n in names}


def need_packages():
    for path in (ZIP, SETUP):
        if not path.is_file():
            raise Failure(f"the release package is missing: {path} (build the release first)")


def user_dir(s):
    """The prefix's user profile folder, on the host and as Windows sees it."""
    users = [p for p in (s.prefix / "drive_c" / "users").iterdir()
             if p.is_dir() and not p.is_symlink() and p.name.lower() != "public"]
    expect(len(users) == 1, f"the prefix should hold one user profile: {users}")
    return users[0], "C:\\users\\" + users[0].name


def reg_query(s, key, value):
    """The data of a registry value (as text), or None when the value or the key is missing."""
    out = s.dir / "reg-query.out"
    with open(out, "wb") as f:
        rc = subprocess.run(["wine", "reg", "query", key, "/v", value], env=s.env(), cwd=s.dir,
                            stdin=subprocess.DEVNULL, stdout=f, stderr=subprocess.STDOUT, timeout=60).returncode
    if rc != 0:
        return None
    for line in out.read_bytes().decode("cp1251", "replace").splitlines():
        line = line.strip()
        if line.startswith(value + " "):
            kind_data = line[len(value):].strip().split(None, 1)
            if kind_data and kind_data[0].startswith("REG_"):
                return kind_data[1] if len(kind_data) > 1 else ""
    raise Failure(f"cannot read the answer of reg query {key} /v {value}: {out.read_bytes()!r}")


def run_setup(s, *args, timeout=120):
    program = s.start(SETUP, *args, name="setup", cwd=s.dir)
    return program.wait(timeout)


def tree(folder):
    return sorted(str(p.relative_to(folder)) for p in folder.rglob("*") if p.is_file())


@case
def installer(s):
    need_packages()
    shipped = package_files()
    home, home_win = user_dir(s)
    target = home / "AppData" / "Local" / "Programs" / "Horavo"
    target_win = home_win + "\\AppData\\Local\\Programs\\Horavo"
    exe_win = target_win + "\\Horavo.exe"
    shortcut = home / "AppData" / "Roaming" / "Microsoft" / "Windows" / "Start Menu" / "Programs" / "Horavo.lnk"

    # A fresh installation: every file of the package, the uninstaller, the shortcut, the entry.
    code = run_setup(s, "/S")
    expect(code == 0, f"the silent installation ended with exit code {code}")
    for rel, data in shipped.items():
        path = target / rel
        expect(path.is_file() and path.read_bytes() == data, f"{rel} is not installed as packaged in {target}")
    expect((target / "Uninstall.exe").is_file(), "the uninstaller is missing")
    expect(shortcut.is_file(), f"the Start menu shortcut is missing: {shortcut}")
    link = shortcut.read_bytes()
    expect(exe_win.encode("cp1251") in link or exe_win.encode("utf-16-le") in link,
           f"the shortcut does not lead to {exe_win}")
    expect(reg_query(s, UNINSTALL_KEY, "DisplayName") == f"Horavo {VERSION}", "the uninstall entry's name")
    expect(reg_query(s, UNINSTALL_KEY, "InstallLocation") == target_win, "the uninstall entry's folder")
    expect(reg_query(s, UNINSTALL_KEY, "UninstallString") == f'"{target_win}\\Uninstall.exe"',
           "the uninstall entry's command")
    expect(reg_query(s, RUN_KEY, RUN_VALUE) is None, "\"start with Windows\" is chosen though it was not asked for")

    # Started from the installed folder (the current directory elsewhere), the clock shows and
    # keeps its settings in its own folder.
    config = target / "Cfg" / "Clock_config.ini"
    program = s.start(exe_win, name="installed", cwd=s.dir)
    wait_main_window(s)
    wait_painted(s)

    def filled():
        keys = ini_sections(config.read_bytes()).get("Clock", {}) if config.exists() else {}
        return keys if keys.get("RunTray") == "0" and len(keys) > 1 else None
    wait_until("the program to write its settings into the installed Cfg folder", filled, 30)
    expect(not (s.dir / "Cfg").exists(), "the program wrote settings into its current directory")

    # Running programs cannot be replaced: the installer stops and changes nothing.
    help_page = target / "Help" / "index.html"
    help_page.write_bytes(b"an older help page")
    code = run_setup(s, "/S")
    expect(code == ABORTED, f"installing over the running clock should stop with exit code {ABORTED}, it gave {code}")
    expect(program.running(), "the running clock ended during the refused installation")
    expect(help_page.read_bytes() == b"an older help page", "the refused installation replaced files")
    s.probe("close", "Horavo")
    code = wait_exit(s, program)
    expect(code == 0, f"the installed program exited with {code}")

    # What the user made: an event with its reminder text, an own skin; then an upgrade.
    (target / "Gear" / "Events.txt").write_bytes(b"4242\r\n")
    (target / "Gear" / "gear.ini").write_bytes(
        b"[4242]\r\ntime=09:00:00\r\ndate=01.01.2030\r\ntype=5\r\nperiod=1\r\n"
        b"pathtotxt=" + target_win.encode() + b"\\notes\\4242.zqt\r\n")
    (target / "notes" / "4242.zqt").write_bytes("Позвонить маме".encode("cp1251"))
    (target / "Skins" / "mine").mkdir()
    (target / "Skins" / "mine" / "skin.ini").write_bytes(b"[skin]\r\nForm=form.bmp\r\n")
    user_data = {rel: (target / rel).read_bytes()
                 for rel in ("Cfg/Clock_config.ini", "Gear/Events.txt", "Gear/gear.ini", "notes/4242.zqt",
                             "Skins/mine/skin.ini")}
    code = run_setup(s, "/S", "/AUTOSTART")
    expect(code == 0, f"the upgrade ended with exit code {code}")
    for rel, data in user_data.items():
        expect((target / rel).is_file() and (target / rel).read_bytes() == data, f"the upgrade changed {rel}")
    expect(help_page.read_bytes() == shipped["Help/index.html"], "the upgrade did not replace the program's files")
    expect(reg_query(s, RUN_KEY, RUN_VALUE) == exe_win, "the upgrade with /AUTOSTART did not write the run value")

    # A silent uninstallation removes the program and keeps what the user made.
    code = s.start(target / "Uninstall.exe", "/S", name="uninstall", cwd=s.dir).wait(60)
    expect(code == 0, f"the uninstaller ended with exit code {code}")
    # The uninstaller goes on from a copy of itself; its entry goes last.
    wait_until("the uninstall entry to go", lambda: reg_query(s, UNINSTALL_KEY, "DisplayName") is None, 60,
               interval=0.5)
    left = set(tree(target))
    expect(left == set(user_data) | {rel for rel in shipped if rel.split("/")[0] in ("Cfg", "Gear", "notes", "days")},
           f"after the uninstallation the folder should hold only the user's files: {sorted(left)}")
    for rel, data in user_data.items():
        expect((target / rel).read_bytes() == data, f"the uninstallation changed {rel}")
    expect(not shortcut.exists(), "the Start menu shortcut is still there")
    expect(reg_query(s, RUN_KEY, RUN_VALUE) is None, "the run value is still there")


def label(control):
    """A control's text as shown, without the mark of its keyboard shortcut."""
    return control["text"].decode("cp1251").replace("&", "")


def wait_dialog(s, caption):
    """Waits for a visible window whose caption is this text (NSIS may add a space after it);
    returns its exact caption."""
    wanted = caption.encode("cp1251")

    def shown():
        found = [w["caption"] for w in s.windows()
                 if w.get("visible") == 1 and isinstance(w.get("caption"), bytes) and w["caption"].rstrip() == wanted]
        return found[0] if found else None
    return wait_until(f"the window {caption!r}", shown, 60, interval=0.3).decode("cp1251")


@case
def installer_wizard(s):
    """The wizard speaks Russian, and the uninstaller asks before it removes the user's data."""
    need_packages()
    setup = s.start(SETUP, name="wizard", cwd=s.dir)
    title = wait_dialog(s, f"Установка Horavo {VERSION}")

    def buttons():
        return {label(c) for c in children(s, title) if c["visible"] and c["class"] == "button"}
    wanted = {"Далее >", "Отмена"}
    shown = wait_until("the wizard's buttons", lambda: buttons() if wanted <= buttons() else None, 20)
    s.screenshot("installer_wizard")
    expect("Обзор ..." in shown, f"the first page should be the folder page: {shown}")
    folder = [c["text"] for c in children(s, title) if c["visible"] and c["class"] == "edit"]
    expect(folder and folder[0].endswith(b"\\AppData\\Local\\Programs\\Horavo"),
           f"the folder offered should be the user's programs folder: {folder}")
    s.probe("close", "hex:" + title.encode("cp1251").hex().upper())
    # Leaving asks for confirmation; the answer Yes ends the wizard without installing.
    box = wait_until("the question whether to leave",
                     lambda: (lambda b: b if b and b.get("text") else None)(s.msgbox()), 20)
    expect("отменить установку".encode("cp1251") in box["text"], f"leaving the wizard should ask to confirm: {box['text']!r}")
    s.xdotool("key", "Return")
    wait_exit(s, setup)
    home, _ = user_dir(s)
    target = home / "AppData" / "Local" / "Programs" / "Horavo"
    expect(not target.exists(), "the wizard left before installing, yet the program folder was made")

    code = run_setup(s, "/S")
    expect(code == 0, f"the silent installation ended with exit code {code}")
    (target / "Gear" / "Events.txt").write_bytes(b"4242\r\n")

    # "No" is the default button: Return keeps the data.
    uninstall_answering(s, target, "Return", picture="uninstaller_question")
    expect(not (target / "Horavo.exe").exists(), "the program is still installed")
    expect((target / "Gear" / "Events.txt").read_bytes() == b"4242\r\n", "the answer No removed the events")

    # Installed again, the program finds its events; "Yes" then removes them with the folder.
    code = run_setup(s, "/S")
    expect(code == 0, f"the second installation ended with exit code {code}")
    expect((target / "Gear" / "Events.txt").read_bytes() == b"4242\r\n", "installing again lost the events")
    uninstall_answering(s, target, "shift+Tab", "Return")
    expect(not target.exists(), f"the answer Yes should leave nothing: {tree(target) if target.exists() else []}")


def uninstall_answering(s, target, *keys, picture=None):
    """Runs the uninstaller with its pages, confirms, answers its question with these keys, waits
    until it is done and closes its window."""
    s.start(target / "Uninstall.exe", name="uninstall", cwd=s.dir)
    confirm = wait_dialog(s, f"Удаление Horavo {VERSION}")

    def button(text):
        found = [c for c in children(s, confirm) if c["visible"] and c["class"] == "button" and label(c) == text]
        return found[0] if found else None
    remove = wait_until("the button \"Удалить\"", lambda: button("Удалить"), 20)
    s.xdotool("mousemove", (remove["left"] + remove["right"]) // 2, (remove["top"] + remove["bottom"]) // 2,
              "click", 1)
    question = "Удалить также ваши события".encode("cp1251")
    # The uninstaller's own window is a dialog too: wait for the one that asks.
    wait_until("the uninstaller's question", lambda: question in ((s.msgbox() or {}).get("text") or b""), 60)
    box = s.msgbox()
    expect(box["text"].startswith(question) and box.get("buttons") == 2,
           f"the uninstaller should ask Yes or No about the user's data: {box}")
    if picture:
        s.screenshot(picture)
    for key in keys:
        s.xdotool("key", key)
        time.sleep(0.2)
    wait_until("the uninstall entry to go", lambda: reg_query(s, UNINSTALL_KEY, "DisplayName") is None, 60,
               interval=0.5)
    close = wait_until("the button \"Закрыть\"", lambda: button("Закрыть"), 20)
    s.xdotool("mousemove", (close["left"] + close["right"]) // 2, (close["top"] + close["bottom"]) // 2, "click", 1)
    wait_until("the uninstaller to close", lambda: not any(
        w.get("visible") == 1 and w.get("caption", b"").rstrip() == confirm.rstrip().encode("cp1251")
        for w in s.windows()), 20)


def readme_picture(s, name, rect):
    """A picture of a part of the screen for the README, made small: a palette of 256 colours."""
    left, top, right, bottom = rect
    path = s.screenshots / f"readme-{name}.png"
    subprocess.run(["import", "-window", "root", "-display", s.display, "-crop",
                    f"{right - left}x{bottom - top}+{left}+{top}", "+repage", "-dither", "None", "-colors", "256",
                    "-define", "png:compression-level=9", f"PNG8:{path}"],
                   stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                   timeout=60, check=True)
    return path


@case
def zip_package(s):
    need_packages()
    folder = s.dir / "unpacked"
    with zipfile.ZipFile(ZIP) as z:
        z.extractall(folder)
    app = folder / "Horavo"
    expect((app / "Gear" / "Events.txt").read_bytes() == b"", "the zip's event list should be empty")
    expect((app / "Cfg" / "Clock_config.ini").read_bytes() == STARTER_CONFIG,
           "the zip should hold the starter settings file")
    expect(not (app / "Gear" / "gear.ini").exists(), "the zip holds someone's event details")
    program = s.start(app / "Horavo.exe", name="unpacked", cwd=app)
    wait_main_window(s)
    w = wait_painted(s)
    # Past the moment a clock without settings would hide itself in the notification area.
    stays("the clock on the screen", lambda: len(main_windows(s)) == 1, 2.5)
    expect(program.running(), "the program ended by itself")
    time.sleep(0.3)
    readme_picture(s, "clock-default", w["rect"])


# Three events for the event page's picture: a reminder, a weekday signal, a birthday; all due
# long after the test.
def seed_events(app):
    app_win = windows_path(app) + "\\"
    (app / "Gear" / "Events.txt").write_bytes(b"1001\r\n1002\r\n1003\r\n")
    (app / "Gear" / "gear.ini").write_bytes((
        "[1001]\r\ntime=09:00:00\r\ndate=15.03.2030\r\ntype=5\r\nperiod=1\r\n"
        f"pathtotxt={app_win}notes\\1001.zqt\r\n"
        "[1002]\r\ntime=07:30:00\r\ndate=01.01.2030\r\ntype=0\r\nperiod=4\r\nms=800\r\nhz=1000\r\n"
        "Mon=1\r\nTue=1\r\nWed=1\r\nThu=1\r\nFri=1\r\nSat=0\r\nSun=0\r\n"
        "[1003]\r\ntime=10:00:00\r\ndate=12.04.2030\r\ntype=6\r\nBrith?=1\r\n"
        f"pathtobirthday={app_win}days\\1003.zqd\r\n").encode("cp1251"))
    (app / "notes" / "1001.zqt").write_bytes("Позвонить маме".encode("cp1251"))
    (app / "days" / "1003.zqd").write_bytes("Иван Петров".encode("cp1251"))


@case
def readme_pictures(s):
    (s.app / "Cfg" / "Clock_config.ini").write_bytes(b"[Clock]\r\nskin=paper\r\nRunTray=0\r\n")
    seed_events(s.app)
    s.start()
    wait_main_window(s)
    w = wait_painted(s)
    time.sleep(1.2)  # a tick, so that the labels hold the time
    readme_picture(s, "clock-paper", w["rect"])

    open_face_menu(s, w)
    wanted = "Добавить событие".encode("cp1251")
    for _ in range(16):
        s.xdotool("key", "Down")
        time.sleep(0.2)
        if any(i.get("highlighted") == 1 and i["text"] == wanted for i in menu_items(s.menu() or {})):
            break
    else:
        raise Failure("\"Добавить событие\" was never highlighted in the clock's menu")
    s.xdotool("key", "Return")
    page = s.wait_window("Настройки -  Режим: Просмотр", 30)
    time.sleep(1)
    found = [x for x in s.windows() if x.get("hwnd") == page.get("hwnd")]
    expect(found, f"the settings window is not among the top-level windows: {page}")
    readme_picture(s, "events", found[0]["rect"])
