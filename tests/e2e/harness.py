"""Runs the real Horavo.exe under Wine on a private virtual display.

Each session owns everything it starts: an Xvfb server on a display number that the server
picks itself (so parallel runs never share one), a Wine prefix copied from a booted template,
and a copy of dist/. Everything is ended in close(), also when a check fails or times out.

Wine's background processes (wineserver, services, explorer) inherit standard handles, so every
Wine process started here writes to a file, never to a pipe that someone waits on.
"""

import fcntl
import os
import select
import shutil
import signal
import subprocess
import tempfile
import time
from pathlib import Path, PureWindowsPath

ROOT = Path(__file__).resolve().parents[2]
SCREEN = "1024x768x24"
SCREEN_WIDTH, SCREEN_HEIGHT = 1024, 768

# Files that the program writes into its own folder at run time. dist/ may hold them after
# someone ran the clock from there, and it ships a starter settings file (RunTray=0 only). Every
# case starts without them, so from the program's own rules for a missing settings file (hidden
# in the notification area shortly after the start), and writes the settings it needs itself;
# the packages' cases start from the packages as shipped.
RUNTIME_STATE = ("Cfg/Clock_config.ini", "Gear/gear.ini")

# Keep Wine from offering to install .NET and the HTML engine while a prefix boots, and from
# turning shortcuts made in the prefix's Start menu into menu entries of the host's desktop.
DLL_OVERRIDES = "mscoree,mshtml=;winemenubuilder.exe=d"

# Modules inside a booted prefix that Wine only ever reads: a run links them instead of copying.
_LINKABLE_DIRS = ("drive_c/windows/system32", "drive_c/windows/syswow64", "drive_c/windows/winsxs")
_LINKABLE_SUFFIXES = (".dll", ".exe", ".drv", ".sys", ".ocx", ".cpl", ".acm", ".ax", ".tlb", ".ds",
                      ".msstyles", ".nls", ".ttf")


class Failure(Exception):
    """A check failed; the message says what was expected and what was seen."""


def wait_until(what, probe, timeout, interval=0.1):
    """Calls probe() until it returns something truthy, or fails after timeout seconds."""
    deadline = time.monotonic() + timeout
    last = None
    while True:
        last = probe()
        if last:
            return last
        if time.monotonic() >= deadline:
            raise Failure(f"timed out after {timeout:.0f} s waiting for {what} (last seen: {last!r})")
        time.sleep(interval)


def stays(what, probe, seconds, interval=0.1):
    """Checks that probe() stays truthy for a while: for behaviour that must not change, such as
    no second message box turning up while one is shown (the program's timers tick once a second)."""
    until = time.monotonic() + seconds
    while time.monotonic() < until:
        if not probe():
            raise Failure(f"{what} did not hold for {seconds:.1f} s")
        time.sleep(interval)


def _parse_probe(raw):
    """Parses the probe's output into a dict.

    Lines hold space-separated key=value pairs, except texts: a text is printed twice, as
    key_hex=<hex bytes> and key=<raw bytes>, and is returned as bytes under key (from the hex,
    so spaces, line breaks and code pages do not matter). Numbers become ints."""
    lines = [line.rstrip(b"\r") for line in raw.split(b"\n")]
    text_keys = {line.split(b"=", 1)[0][:-4] for line in lines if line.split(b"=", 1)[0].endswith(b"_hex")}
    fields = {}
    for line in lines:
        key = line.split(b"=", 1)[0]
        if b"=" not in line or key in text_keys:
            continue  # the raw form of a text, or a continuation of one spanning several lines
        if key.endswith(b"_hex"):
            fields[key[:-4].decode("ascii")] = bytes.fromhex(line.split(b"=", 1)[1].decode("ascii"))
            continue
        for pair in line.split(b" "):
            if b"=" not in pair:
                continue
            k, v = (part.decode("ascii", "replace") for part in pair.split(b"=", 1))
            if k.endswith("_hex"):
                fields[k[:-4]] = bytes.fromhex(v)
            elif v.lstrip("-").isdigit():
                fields[k] = int(v)
            elif v.startswith("0x"):
                fields[k] = int(v, 16)
            else:
                fields[k] = v
    return fields


def menu_items(menu):
    """The items of a menu read by the probe: dicts with text (bytes), id and the state flags."""
    items = []
    for i in range(menu.get("items", 0)):
        item = {"text": menu.get(f"item{i}", b"")}
        prefix = f"item{i}_"
        item.update({k[len(prefix):]: v for k, v in menu.items() if k.startswith(prefix)})
        items.append(item)
    return items


def _kill_group(proc, grace=5.0):
    if proc is None or proc.poll() is not None:
        return
    try:
        os.killpg(proc.pid, signal.SIGTERM)
    except ProcessLookupError:
        return
    try:
        proc.wait(grace)
    except subprocess.TimeoutExpired:
        try:
            os.killpg(proc.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        proc.wait(grace)


class Xvfb:
    """A virtual screen on a free display; Xvfb picks the number and reports it on a pipe."""

    def __init__(self, log_path, screen=SCREEN):
        self.log_path = log_path
        self.screen = screen
        self.proc = None
        self.display = None

    def start(self, timeout=30.0):
        read_fd, write_fd = os.pipe()
        try:
            with open(self.log_path, "wb") as log:
                self.proc = subprocess.Popen(
                    ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", self.screen, "-nolisten", "tcp",
                     "-noreset"],
                    stdin=subprocess.DEVNULL, stdout=log, stderr=subprocess.STDOUT,
                    pass_fds=(write_fd,), start_new_session=True)
            os.close(write_fd)
            write_fd = None
            data = b""
            deadline = time.monotonic() + timeout
            while not data.endswith(b"\n"):
                left = deadline - time.monotonic()
                if left <= 0 or self.proc.poll() is not None:
                    raise Failure(f"Xvfb did not start: {self.log_path.read_text(errors='replace')[-2000:]}")
                ready, _, _ = select.select([read_fd], [], [], min(left, 0.5))
                if ready:
                    chunk = os.read(read_fd, 64)
                    if not chunk:
                        continue
                    data += chunk
            self.display = f":{int(data.strip())}"
        finally:
            if write_fd is not None:
                os.close(write_fd)
            os.close(read_fd)
        socket = Path(f"/tmp/.X11-unix/X{self.display[1:]}")
        wait_until(f"the socket of display {self.display}", socket.exists, 10)
        return self.display

    def stop(self):
        _kill_group(self.proc)


def wine_version():
    out = subprocess.run(["wine", "--version"], capture_output=True, text=True, timeout=60,
                         env=dict(os.environ, WINEDEBUG="-all"))
    return out.stdout.strip()


def _server_tag_dir(prefix):
    """Debian's Wine keeps the server's socket folder name in <prefix>/wineserver."""
    tag = Path(prefix) / "wineserver"
    try:
        name = tag.read_text().strip()
    except OSError:
        return None
    if not name or "/" in name:
        return None
    return Path(tempfile.gettempdir()) / name


def _wine_env(prefix, display):
    env = dict(os.environ)
    for var in ("LANG", "LANGUAGE", "LC_CTYPE", "LC_MESSAGES", "WINEARCH", "WINELOADER", "WINESERVER"):
        env.pop(var, None)
    env.update(WINEPREFIX=str(prefix), DISPLAY=display, LC_ALL="ru_RU.UTF-8", WINEDEBUG="-all",
               WINEDLLOVERRIDES=DLL_OVERRIDES)
    return env


def _stop_server(prefix, display, timeout=30.0):
    env = _wine_env(prefix, display)
    subprocess.run(["wineserver", "-k"], env=env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL, timeout=timeout, check=False)
    # -w returns once the server (and so every process of the prefix) is gone.
    try:
        subprocess.run(["wineserver", "-w"], env=env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=timeout, check=False)
    except subprocess.TimeoutExpired:
        subprocess.run(["wineserver", "-k", "9"], env=env, stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=timeout, check=False)


# Without a window manager Wine draws the title bars itself, with the caption buttons' glyphs from
# this font; a prefix does not find it in Wine's own font folder, and the buttons show letters.
CAPTION_FONT = Path("/usr/share/wine/fonts/marlett.ttf")


def install_caption_font(prefix):
    if CAPTION_FONT.exists():
        fonts = Path(prefix) / "drive_c" / "windows" / "Fonts"
        fonts.mkdir(parents=True, exist_ok=True)
        shutil.copy(CAPTION_FONT, fonts / CAPTION_FONT.name)


def ensure_template(template, display, log_path):
    """Boots the shared template prefix once; parallel runs wait on a lock while one boots it."""
    template = Path(template)
    scripts = Path(__file__).resolve().parents[2] / "scripts"
    # The fonts the skins name, and no waiting for a window manager the virtual display lacks.
    regs = [scripts / "wine-fonts.reg", scripts / "wine-no-window-manager.reg"]
    stamp_text = wine_version() + "\n" + "".join(r.read_text() for r in regs) + "\n" + CAPTION_FONT.name + "\n"
    template.parent.mkdir(parents=True, exist_ok=True)
    with open(str(template) + ".lock", "w") as lock:
        fcntl.flock(lock, fcntl.LOCK_EX)
        stamp = template / "horavo-template.stamp"
        if stamp.exists() and stamp.read_text() == stamp_text:
            return template
        fresh = Path(str(template) + ".new")
        shutil.rmtree(fresh, ignore_errors=True)
        shutil.rmtree(template, ignore_errors=True)
        env = _wine_env(fresh, display)
        started = time.monotonic()
        with open(log_path, "wb") as log:
            for cmd in (["wineboot", "-i"], ["wine", "cmd", "/c", "exit"],
                        *(["wine", "regedit", "/S", str(r)] for r in regs)):
                subprocess.run(cmd, env=env, stdin=subprocess.DEVNULL, stdout=log, stderr=subprocess.STDOUT,
                               timeout=300, check=True)
        install_caption_font(fresh)
        # Let the server write the registry and leave before the folder is used as a template.
        subprocess.run(["wineserver", "-w"], env=env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=120, check=False)
        tag_dir = _server_tag_dir(fresh)
        (fresh / "wineserver").unlink(missing_ok=True)
        if tag_dir:
            shutil.rmtree(tag_dir, ignore_errors=True)
        (fresh / "horavo-template.stamp").write_text(stamp_text)
        fresh.rename(template)
        print(f"booted the Wine template prefix {template} in {time.monotonic() - started:.1f} s", flush=True)
        return template


def copy_prefix(template, dest):
    """Copies a booted prefix; the read-only modules are hard links, the rest real copies."""
    template, dest = Path(template), Path(dest)
    can_link = True
    for dirpath, dirnames, filenames in os.walk(template):
        src_dir = Path(dirpath)
        rel = src_dir.relative_to(template)
        out_dir = dest / rel
        out_dir.mkdir(parents=True, exist_ok=True)
        linkable_dir = any(str(rel) == d or str(rel).startswith(d + "/") for d in _LINKABLE_DIRS)
        for name in list(dirnames):
            src = src_dir / name
            if src.is_symlink():
                os.symlink(os.readlink(src), out_dir / name)
                dirnames.remove(name)
        for name in filenames:
            if rel == Path(".") and name in ("wineserver", "horavo-template.stamp"):
                continue
            src, dst = src_dir / name, out_dir / name
            if src.is_symlink():
                os.symlink(os.readlink(src), dst)
            elif can_link and linkable_dir and name.lower().endswith(_LINKABLE_SUFFIXES):
                try:
                    os.link(src, dst)
                except OSError:
                    can_link = False
                    shutil.copy2(src, dst)
            else:
                shutil.copy2(src, dst)


def _end_leftovers(run):
    """Ends the Wine processes and the Xvfb of a run whose runner died, by that run's own ids."""
    prefix = run / "prefix"
    if (prefix / "system.reg").exists():
        try:
            _stop_server(prefix, ":0", timeout=10)
        except (OSError, subprocess.SubprocessError):
            pass
        tag_dir = _server_tag_dir(prefix)
        if tag_dir:
            shutil.rmtree(tag_dir, ignore_errors=True)
    try:
        pid = int((run / "xvfb.pid").read_text())
        with open(f"/proc/{pid}/cmdline", "rb") as f:
            if f.read().split(b"\0")[0].endswith(b"Xvfb"):
                os.kill(pid, signal.SIGKILL)
    except (OSError, ValueError):
        pass


def _remove_abandoned_runs(work_root):
    """Removes the folders of runs whose runner was killed before it could clean up."""
    for run in work_root.iterdir():
        try:
            pid = int((run / "owner.pid").read_text())
            os.kill(pid, 0)
            continue  # its runner still works in it
        except ProcessLookupError:
            _end_leftovers(run)
        except (OSError, ValueError):
            # No owner recorded (kept with --keep, or just being made): leave it for a day.
            try:
                if time.time() - run.stat().st_mtime < 86400:
                    continue
            except OSError:
                continue
        shutil.rmtree(run, ignore_errors=True)


class Program:
    """A Windows program started with wine; its output goes to a file."""

    def __init__(self, proc, log_path, started):
        self.proc = proc
        self.log_path = log_path
        self.started = started

    def running(self):
        return self.proc.poll() is None

    def wait(self, timeout):
        """The Windows exit code (wine returns the code of the program it started)."""
        try:
            return self.proc.wait(timeout)
        except subprocess.TimeoutExpired:
            raise Failure(f"the program did not exit within {timeout:.0f} s") from None

    def output(self):
        try:
            return self.log_path.read_bytes()
        except OSError:
            return b""


class Session:
    """One test run: display, prefix, program folder. Use as a context manager."""

    def __init__(self, name, dist, probe, work_root=None, screenshots=None, template=None, keep=False, screen=None,
                 dpi=None):
        """`screen` is the virtual display's size ("1920x1080x24"); `dpi` the display scale the
        prefix gives programs (LogPixels, 96 = 100 %)."""
        self.name = name
        self.screen = screen or SCREEN
        self.dpi = dpi
        self.dist = Path(dist).resolve()
        self.probe_exe = Path(probe).resolve()
        self.work_root = Path(work_root or ROOT / "build" / "e2e-runs").resolve()
        self.screenshots = Path(screenshots or ROOT / "build" / "screenshots").resolve()
        self.template = Path(template or os.environ.get("HORAVO_WINE_TEMPLATE") or ROOT / "build" / "wine-template").resolve()
        self.keep = keep
        self.dir = None
        self.xvfb = None
        self.display = None
        self.prefix = None
        self.app = None
        self.programs = []
        self._count = 0
        self._server = None

    # Set-up and tear-down

    def __enter__(self):
        try:
            self.open()
        except BaseException:
            self.close(failed=True)
            raise
        return self

    def __exit__(self, exc_type, exc, tb):
        self.close(failed=exc_type is not None)
        return False

    def open(self):
        hook = self.probe_exe.parent / "horavo_probe_hook.dll"
        for path, what in ((self.dist / "Horavo.exe", "the program"), (self.probe_exe, "the probe"),
                           (hook, "the probe's menu reader")):
            if not path.is_file():
                raise Failure(f"{what} is missing: {path} (build the release first)")
        self.work_root.mkdir(parents=True, exist_ok=True)
        self.screenshots.mkdir(parents=True, exist_ok=True)
        _remove_abandoned_runs(self.work_root)
        (self.screenshots / f"{self.name}-failed.png").unlink(missing_ok=True)
        self.dir = Path(tempfile.mkdtemp(prefix=f"{self.name}-", dir=self.work_root))
        (self.dir / "owner.pid").write_text(str(os.getpid()))
        self.xvfb = Xvfb(self.dir / "xvfb.log", self.screen)
        self.display = self.xvfb.start()
        (self.dir / "xvfb.pid").write_text(str(self.xvfb.proc.pid))
        ensure_template(self.template, self.display, self.dir / "template-boot.log")
        self.prefix = self.dir / "prefix"
        copy_prefix(self.template, self.prefix)
        self.app = self.dir / "app"
        shutil.copytree(self.dist, self.app, symlinks=True)
        for rel in RUNTIME_STATE:
            (self.app / rel).unlink(missing_ok=True)
        # A server that stays up between the probe's runs; it and all it started end in close().
        with open(self.dir / "wineserver.log", "wb") as log:
            subprocess.run(["wineserver", "-p"], env=self.env(), stdin=subprocess.DEVNULL, stdout=log,
                           stderr=subprocess.STDOUT, timeout=60, check=False)
        if self.dpi:
            # Read by each program when it starts: set before the first one.
            with open(self.dir / "dpi.log", "wb") as log:
                subprocess.run(["wine", "reg", "add", "HKCU\\Control Panel\\Desktop", "/v", "LogPixels", "/t",
                                "REG_DWORD", "/d", str(self.dpi), "/f"], env=self.env(), stdin=subprocess.DEVNULL,
                               stdout=log, stderr=subprocess.STDOUT, timeout=120, check=False)
        # The first Wine process starts the prefix's services; the program should not be it.
        self.probe("windows")

    def close(self, failed=False):
        # Tear-down is bounded by its own timeouts; a timer or Ctrl-C waits until it is done, so
        # that no Xvfb or wineserver outlives the run.
        blocked = signal.pthread_sigmask(signal.SIG_BLOCK, {signal.SIGALRM, signal.SIGINT, signal.SIGTERM})
        try:
            self._close(failed)
        finally:
            signal.pthread_sigmask(signal.SIG_SETMASK, blocked)

    def _close(self, failed):
        try:
            if failed and self.display:
                try:
                    self.screenshot(f"{self.name}-failed")
                except Exception:  # noqa: BLE001 - the failure itself matters more
                    pass
                self.dump_logs()
        finally:
            try:
                if self.prefix and self.prefix.exists():
                    tag_dir = _server_tag_dir(self.prefix)
                    _stop_server(self.prefix, self.display or ":0")
                    if tag_dir:
                        shutil.rmtree(tag_dir, ignore_errors=True)
                for program in self.programs:
                    _kill_group(program.proc)
            finally:
                if self.xvfb:
                    self.xvfb.stop()
                if self.dir and not self.keep:
                    shutil.rmtree(self.dir, ignore_errors=True)
                elif self.dir:
                    (self.dir / "owner.pid").unlink(missing_ok=True)
                    print(f"kept {self.dir}", flush=True)

    def dump_logs(self):
        if not self.dir:
            return
        for log in sorted(self.dir.glob("*.log")) + sorted(self.dir.glob("probe-*.out")):
            if log.name == "xvfb.log" and self.xvfb and self.xvfb.proc and self.xvfb.proc.poll() is None:
                continue  # a running server's log only lists the display numbers it found taken
            text = log.read_bytes()[-3000:].decode("cp1251", "replace")
            if text.strip():
                print(f"--- {log.name} ---\n{text}", flush=True)

    def env(self):
        return _wine_env(self.prefix, self.display)

    # Programs

    def start(self, exe="Horavo.exe", *args, name=None, cwd=None):
        """Starts a program: a path relative to the copied folder, a host path, or a Windows path
        such as C:\\...; the current directory is the copied folder unless cwd names another."""
        self._count += 1
        windows_path = PureWindowsPath(str(exe)).drive != ""
        log = self.dir / f"{name or PureWindowsPath(str(exe)).stem}-{self._count}.log"
        with open(log, "wb") as out:
            proc = subprocess.Popen(["wine", str(exe) if windows_path else str(self.app / exe), *args],
                                    cwd=cwd or self.app, env=self.env(),
                                    stdin=subprocess.DEVNULL, stdout=out, stderr=subprocess.STDOUT,
                                    start_new_session=True)
        program = Program(proc, log, time.monotonic())
        self.programs.append(program)
        return program

    def probe(self, *args, timeout=60.0):
        """Runs the probe; returns its exit code and its parsed output."""
        self._count += 1
        out_path = self.dir / f"probe-{self._count}.out"
        with open(out_path, "wb") as out:
            proc = subprocess.Popen(["wine", str(self.probe_exe), *args], cwd=self.dir, env=self.env(),
                                    stdin=subprocess.DEVNULL, stdout=out, stderr=subprocess.DEVNULL,
                                    start_new_session=True)
        try:
            rc = proc.wait(timeout)
        except subprocess.TimeoutExpired:
            _kill_group(proc)
            raise Failure(f"the probe did not answer within {timeout:.0f} s: {' '.join(args)}") from None
        raw = out_path.read_bytes()
        out_path.unlink(missing_ok=True)
        return rc, raw

    def windows(self):
        """Every top-level window: dicts with hwnd, pid, visible, style, exstyle, rect, class, caption."""
        _, raw = self.probe("windows")
        result = []
        for line in raw.split(b"\n"):
            if line.startswith(b"hwnd="):
                w = _parse_probe(line)
                w["rect"] = tuple(int(v) for v in str(w["rect"]).split(","))
                result.append(w)
        return result

    def window(self, title):
        """The top-level window with exactly this caption (a visible one first), or None."""
        title_bytes = title.encode("cp1251") if isinstance(title, str) else title
        _, raw = self.probe("window", "hex:" + title_bytes.hex().upper())
        w = _parse_probe(raw)
        return w if w.get("found") == 1 else None

    def wait_window(self, title, timeout=60.0):
        """Waits until a visible top-level window with this caption exists."""
        def visible():
            w = self.window(title)
            return w if w and w.get("visible") == 1 else None
        return wait_until(f"a visible window {title!r}", visible, timeout)

    def msgbox(self):
        """The visible message box: caption and text as bytes, icon, icon_kind, buttons; or None."""
        rc, raw = self.probe("msgbox")
        w = _parse_probe(raw)
        return w if w.get("found") == 1 else None

    def wait_msgbox(self, timeout=60.0):
        return wait_until("a message box", self.msgbox, timeout)

    def msgbox_ok(self):
        rc, raw = self.probe("msgbox-ok")
        if rc != 0:
            raise Failure(f"no message box to press OK in: {raw!r}")

    def menu(self):
        """The open popup menu: its geometry and, where the system lets another process read it,
        its items (items=-1 when it does not)."""
        rc, raw = self.probe("menu")
        w = _parse_probe(raw)
        return w if w.get("found") == 1 else None

    # Input and pictures

    def xdotool(self, *args):
        subprocess.run(["xdotool", *[str(a) for a in args]], env=dict(os.environ, DISPLAY=self.display),
                       stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                       timeout=30, check=True)

    def screenshot(self, name):
        path = self.screenshots / f"{name}.png"
        subprocess.run(["import", "-window", "root", "-display", self.display, str(path)],
                       stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                       timeout=60, check=True)
        return path
