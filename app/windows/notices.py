"""Writes THIRD-PARTY-NOTICES.txt for the Windows program: every third-party part that the link put into
tarnwick.exe, and what the installer's own code carries, each with its copyright lines and licence
copied word for word from the copyright file of the Debian package that built it.

usage: notices.py MAP [MAP...] > THIRD-PARTY-NOTICES.txt

What is listed is read from the link maps (the linker's -Map output): each archive member and object
file the link took in, the Debian package that installed it (dpkg -S), and for the MinGW-w64 runtime
the source file each member was compiled from (its debug information), matched against the Files
patterns of Debian's machine-readable copyright file. A part from any other package stops the script:
its notices would have to be written first.
"""
import fnmatch
import os
import re
import subprocess
import sys
import tempfile
import textwrap
from pathlib import Path

RULE = "-" * 100
INTRO = """\
tarnwick.exe 第三方软件声明 / Third-party notices for tarnwick.exe

tarnwick.exe 是单独一个 Windows 程序。链接时并入其中的第三方代码列在下面，每一项都附有其版权声明和
许可证原文，均取自构建该代码的 Debian 软件包的版权文件。最后一项 NSIS 只用于制作安装程序
（tarnwick-*-installer.exe）。

tarnwick.exe is a single Windows program. The third-party code that its link took in is listed
below, each part with its copyright notices and licence, word for word as the copyright file of the
Debian package that builds it states them. The last part, NSIS, only makes the installer
(tarnwick-*-installer.exe).

{parts}
"""
MINGW = "MinGW-w64 运行库 / the MinGW-w64 runtime"
GCC = "GCC 运行库 {0} / GCC's runtime library {0}"
NSIS = "NSIS（只用于安装程序）/ NSIS (in the installer only, not in tarnwick.exe)"


def linked(map_file):
    """The archive members ("archive(member)") and object files that a link took in, by its map."""
    text = Path(map_file).read_text(errors="replace")
    members = re.findall(r"^(\S+\.a\([^)]*\))$", text.split("Discarded input sections")[0], re.M)
    return members + re.findall(r"^LOAD (\S+\.o(?:bj)?)$", text, re.M)


def packages(paths):
    """The Debian package that installed each file."""
    out = subprocess.run(["dpkg", "-S", *paths], capture_output=True, text=True, check=True).stdout
    found = {}
    for line in out.splitlines():
        package, path = line.split(": ", 1)
        found[path] = package.split(":")[0]
    return found


def source_of(archive, member, triple):
    """The source file an object of the MinGW-w64 runtime was compiled from, as its debug information
    names it; None for the import stubs made from .def files, which carry none."""
    with tempfile.NamedTemporaryFile(suffix=".o") as obj:
        if member:
            obj.write(subprocess.run(["ar", "p", archive, member], capture_output=True, check=True).stdout)
            obj.flush()
        info = subprocess.run([f"{triple}-objdump", "--dwarf=info", obj.name if member else archive],
                              capture_output=True, text=True, check=True).stdout
    name = re.search(r"DW_AT_name\s*:\s*(?:\(.*?\):\s*)?(\S+)", info)
    return name.group(1).removeprefix("./") if name else None


def debian_paragraphs(path):
    """The Files paragraphs of a machine-readable copyright file, each as (patterns, copyright and
    licence fields as written), and its stand-alone licence paragraphs by their License line."""
    files, licences = [], {}
    for paragraph in Path(path).read_text(encoding="utf-8").split("\n\n"):
        fields = re.split(r"\n(?=\S)", paragraph.strip("\n"))
        if fields[0].startswith("Files:"):
            patterns = fields[0].removeprefix("Files:").split()
            files.append((patterns, [f for f in fields if f.startswith(("Copyright:", "License:"))]))
        elif fields[0].startswith("License:"):
            licences[fields[0].split("\n")[0]] = paragraph.strip("\n")
    return files, licences


def covering(path, sources):
    """For each Files paragraph that covers one of the sources (the last that matches, as Debian's format
    has it; "*" for an unknown source), that paragraph's fields with the stand-alone licence text it
    refers to, and the sources it covers."""
    files, licences = debian_paragraphs(path)
    covered = {}
    for source in sources:
        index = max(i for i, (patterns, _) in enumerate(files)
                    if any(fnmatch.fnmatchcase(source or "", p) for p in patterns))
        covered.setdefault(index, set()).add(source)
    blocks = []
    for index in sorted(covered):
        fields = list(files[index][1])
        licence = next(f for f in fields if f.startswith("License:"))
        if "\n" not in licence and licence in licences:  # the text stands in a paragraph of its own
            fields[fields.index(licence)] = licences[licence]
        blocks.append((sorted(covered[index], key=lambda s: s or ""), "\n".join(fields)))
    return blocks


def mingw_section(copyright_file, parts):
    sources = set()
    for archive, member in parts:
        triple = re.search(r"/usr/([^/]+-w64-mingw32)/", archive).group(1)
        sources.add(source_of(archive, member, triple))
    lines = [MINGW, *textwrap.wrap(
        "Start-up code, libmingw32, libmingwex, the msvcrt glue and the import libraries of the Windows DLLs "
        f"the program calls, as Debian's {copyright_file} states them, paragraph by paragraph:", 100)]
    for covered, fields in covering(copyright_file, sources):
        named = [s for s in covered if s] + (["import stubs made from the .def files"] if None in covered else [])
        lines += ["", *textwrap.wrap("In tarnwick.exe from here: " + ", ".join(named) + ".", 100), "", fields]
    return "\n".join(lines)


def between(text, start, end):
    """The lines from the one that starts with start to the one before the one that starts with end."""
    return re.search(rf"^{re.escape(start)}.*?(?=\n+{re.escape(end)})", text, re.M | re.S).group(0)


def gcc_section(copyright_file, libraries):
    text = Path(copyright_file).read_text(encoding="utf-8")
    return "\n\n".join([
        GCC.format(" / ".join(libraries)) + f"\nAs Debian's {copyright_file} states it:",
        between(text, "GCC is Copyright (C)", "On Debian GNU/Linux systems, the complete text"),
        between(text, "The following runtime libraries are licensed", "The libbacktrace library"),
        between(text, "GCC RUNTIME LIBRARY EXCEPTION", "libquadmath/"),
    ])


def nsis_section():
    copyright_file = "/usr/share/doc/nsis/copyright"
    files, licences = debian_paragraphs(copyright_file)
    blocks = [NSIS + f"\nIts installer stub and plug-ins, as Debian's {copyright_file} states them:"]
    for patterns, fields in files:
        if patterns[0] in ("*", "Contrib/System/Source/Call.S"):  # the stub; the System plug-in's calls
            licence = next(f for f in fields if f.startswith("License:"))
            blocks.append("\n".join(licences.get(f, f) if f == licence else f for f in fields))
    return "\n\n".join(blocks)


def main(maps):
    members = {m for map_file in maps for m in linked(map_file)}
    found = {}  # everything but tarnwick's own objects, which the maps name relative to the build folder
    for member in sorted(m for m in members if m.startswith("/")):
        archive, _, inside = member.partition("(")
        found[member] = (os.path.normpath(archive), inside.rstrip(")"))
    owner = packages(sorted({archive for archive, _ in found.values()}))
    # Debian ships the same copyright file in each target's MinGW-w64 package: one section each text.
    mingw, gcc = {}, {}
    for member, (archive, inside) in found.items():
        package = owner[archive]
        copyright_file = f"/usr/share/doc/{package}/copyright"
        if re.fullmatch(r"mingw-w64-[\w-]+-dev", package):
            text = Path(copyright_file).read_text(encoding="utf-8")
            mingw.setdefault(text, (copyright_file, []))[1].append((archive, inside))
        elif re.fullmatch(r"g(cc|\+\+)-mingw-w64-[\w-]+", package):
            gcc["libstdc++" if "libstdc++" in archive else "libgcc"] = copyright_file
        else:
            sys.exit(f"notices.py: {member} ({package}) is linked in, and these notices do not cover it")
    if not mingw or "libgcc" not in gcc:
        sys.exit("notices.py: the maps show no MinGW-w64 runtime or no libgcc: are they maps of tarnwick.exe?")
    libraries = sorted(gcc)
    sections = [mingw_section(*part) for part in mingw.values()]
    sections += [gcc_section(gcc["libgcc"], libraries), nsis_section()]
    parts = [MINGW, GCC.format(" / ".join(libraries)), NSIS]
    intro = INTRO.format(parts="\n".join(f"  - {part}" for part in parts))
    sys.stdout.write(f"\n{RULE}\n\n".join(s.strip() for s in [intro] + sections) + "\n")


if __name__ == "__main__":
    if len(sys.argv) < 2:
        sys.exit(__doc__.split("\n\n")[1])
    main(sys.argv[1:])
