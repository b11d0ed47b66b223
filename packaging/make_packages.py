#!/usr/bin/env python3
"""Makes the two release packages from an assembled program tree:

    make_packages.py --tree DIR --icon ICO --out DIR [--version 3.0] [--makensis PATH]

  <out>/Horavo-<version>.zip        the tree under a top folder "Horavo"
  <out>/Horavo-<version>-setup.exe  the per-user installer (packaging/installer.nsi)

The tree must be a fresh one (the program's files and the starter data, nothing a run wrote).
"""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import zipfile
from pathlib import Path, PurePosixPath

HERE = Path(__file__).resolve().parent
TOP = "Horavo"
# Folders whose files belong to the user once installed: an upgrade puts them in place only
# when missing, and the uninstaller removes them only when the user agrees.
USER_FOLDERS = ("Cfg", "Gear", "notes", "days")


def tree_files(tree):
    """Relative POSIX paths of every file in the tree, sorted, with folders before their files."""
    files = []
    for dirpath, dirnames, filenames in os.walk(tree):
        dirnames.sort()
        for name in sorted(filenames):
            files.append(PurePosixPath(Path(dirpath, name).relative_to(tree).as_posix()))
    return files


def is_user_file(rel):
    return rel.parts[0] in USER_FOLDERS


def win(rel):
    return str(rel).replace("/", "\\")


def make_zip(tree, path):
    tmp = path.with_suffix(".zip.part")
    with zipfile.ZipFile(tmp, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as z:
        folders = set()
        for rel in tree_files(tree):
            for parent in reversed(rel.parents[:-1]):
                if parent not in folders:
                    folders.add(parent)
                    z.write(tree / parent, f"{TOP}/{parent}/")
            z.write(tree / rel, f"{TOP}/{rel}")
    tmp.replace(path)


def nsis_lists(files):
    """The installer's commands that put the files in place, and the uninstaller's that remove
    the program's own files and then their folders when empty."""
    install, uninstall = [], []
    current = None
    for user in (False, True):
        chosen = [f for f in files if is_user_file(f) == user]
        if not chosen:
            continue
        install.append("SetOverwrite off" if user else "SetOverwrite on")
        for rel in chosen:
            folder = rel.parent
            if folder != current:
                install.append(f'SetOutPath "$INSTDIR{"" if str(folder) == "." else chr(92) + win(folder)}"')
                current = folder
            install.append(f'File "{TOP}\\{win(rel)}"')
    install.append("SetOverwrite on")

    folders = set()
    for rel in files:
        if is_user_file(rel):
            continue
        uninstall.append(f'Delete "$INSTDIR\\{win(rel)}"')
        folders.update(p for p in rel.parents[:-1])
    # Deepest first; RMDir without /r leaves a folder that still holds something of the user's.
    for folder in sorted(folders, key=lambda p: (-len(p.parts), str(p))):
        uninstall.append(f'RMDir "$INSTDIR\\{win(folder)}"')
    return "\n".join(install) + "\n", "\n".join(uninstall) + "\n"


def make_installer(tree, icon, path, version, makensis):
    with tempfile.TemporaryDirectory(prefix="horavo-nsis-") as work:
        work = Path(work)
        # makensis runs in this folder: every path the script names is relative to it.
        shutil.copytree(tree, work / TOP)
        shutil.copy2(icon, work / "horavo.ico")
        install, uninstall = nsis_lists(tree_files(tree))
        (work / "files.nsh").write_text(install, encoding="ascii")
        (work / "unfiles.nsh").write_text(uninstall, encoding="ascii")
        log = work / "makensis.log"
        with open(log, "wb") as out:
            rc = subprocess.run([makensis, "-V2", "-NOCD", "-INPUTCHARSET", "UTF8", f"-DVERSION={version}",
                                 str(HERE / "installer.nsi")], cwd=work, stdin=subprocess.DEVNULL,
                                stdout=out, stderr=subprocess.STDOUT).returncode
        if rc != 0:
            sys.stderr.write(log.read_text(errors="replace"))
            raise SystemExit(f"makensis failed with exit code {rc}")
        shutil.move(work / f"Horavo-{version}-setup.exe", path)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--tree", type=Path, required=True)
    parser.add_argument("--icon", type=Path, required=True)
    parser.add_argument("--out", type=Path, required=True)
    parser.add_argument("--version", default="3.0")
    parser.add_argument("--makensis", default="makensis")
    args = parser.parse_args()

    tree = args.tree.resolve()
    if not (tree / "Horavo.exe").is_file():
        raise SystemExit(f"no program in {tree}")
    names = [str(f) for f in tree_files(tree)]
    odd = [n for n in names if not n.isascii() or any(c in n for c in '"$\\')]
    if odd:
        raise SystemExit(f"file names the packages cannot carry as they are: {odd}")
    args.out.mkdir(parents=True, exist_ok=True)
    make_zip(tree, args.out / f"Horavo-{args.version}.zip")
    make_installer(tree, args.icon, args.out / f"Horavo-{args.version}-setup.exe", args.version, args.makensis)
    return 0


if __name__ == "__main__":
    sys.exit(main())
