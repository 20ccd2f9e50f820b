"""Writes THIRD-PARTY-NOTICES.txt for the Windows program: every part that the static link puts into
tarnwick.exe, and what the installer's own code carries, each with its copyright lines and licence
copied word for word from where its authors ship them.

usage: notices.py QT_PREFIX OUT.txt

Qt's parts come from QT_PREFIX/licenses (the attribution record of each third-party source inside Qt
with the licence files it names); the MinGW-w64 runtime's and NSIS's from the copyright files of
Debian's packages that build them. Which parts are listed is decided here, from the link map of
tarnwick.exe; the Windows checks read the map of every build and fail when it takes in a part that
this list does not name.
"""
import json
import pathlib
import sys

# (folder under licenses/attribution, record Id) of the third-party code inside Qt that the link takes in.
QT_PARTS = [
    ("3rdparty/harfbuzz-ng", "harfbuzz-ng"),
    ("3rdparty/pcre2", "pcre2"),
    ("3rdparty/pcre2", "pcre2-sljit"),
    ("3rdparty/libpng", "libpng"),
    ("3rdparty/zlib", "zlib"),
    ("3rdparty/double-conversion", "doubleconversion"),
    ("3rdparty/easing", "easing"),
    ("3rdparty/md4c", "md4c"),
    ("3rdparty/tinycbor", "tinycbor"),
    ("3rdparty/md4", "md4"),
    ("3rdparty/md5", "md5"),
    ("3rdparty/sha1", "sha1"),
    ("3rdparty/sha3", "sha3_keccak"),
    ("3rdparty/sha3", "sha3_endian"),
    ("3rdparty/rfc6234", "rfc6234"),
    ("3rdparty/blake2", "blake2"),
    ("corelib/tools", "siphash"),
    ("corelib/text", "unicode-character-database"),
    ("corelib/text", "unicode-cldr"),
    ("3rdparty/icc", "icc-sRGB-color-profile"),
    ("gui/painting", "grayraster"),
    ("gui/painting", "xserverhelper"),
    ("gui/painting", "smooth-scaling-algorithm"),
]

# Paragraphs of Debian's machine-readable copyright files, by the first file pattern they name.
MINGW = ("/usr/share/doc/mingw-w64-x86-64-dev/copyright", [
    "*",                                                   # the runtime: start-up code, libmingw32, libmingwex
    "mingw-w64-crt/crt/*",                                 # public-domain parts of the start-up code
    "mingw-w64-crt/gdtoa/*",                               # number conversion of printf and strtod
    "mingw-w64-crt/gdtoa/qnan.c",
    "mingw-w64-crt/misc/basename.c",                       # printf's formatting
    "mingw-w64-libraries/winpthreads/*",                   # the threads library
    "mingw-w64-libraries/winpthreads/include/pthread.h",
    "mingw-w64-libraries/winpthreads/src/clock.c",
])
NSIS = ("/usr/share/doc/nsis/copyright", ["*", "Contrib/System/Source/Call.S"])

RULE = "-" * 100

INTRO = """\
tarnwick.exe 第三方软件声明 / Third-party notices for tarnwick.exe

tarnwick.exe 静态链接了下列第三方软件。每一项列出其版权声明和许可证原文。Qt 依照 LGPL-3.0 授权使用，
其全文见 LGPL-3.0.txt 和 GPL-3.0.txt；Qt 源代码和重新链接本程序所需文件的获取方式见 SOURCES.txt。

tarnwick.exe is statically linked with the third-party software below. Each part is listed with its
copyright notices and licence, as its authors ship them. Qt is used under the LGPL-3.0, whose full
text is in LGPL-3.0.txt and GPL-3.0.txt; SOURCES.txt says where to get Qt's source code and what is
needed to relink this program.
"""

QT = """\
Qt 6.4.2: Qt Core, Qt Gui, Qt Widgets, and the plugins qwindows (platform), qwindowsvistastyle (style)
and qico (image format)
Copyright (C) 2022 The Qt Company Ltd and other contributors.
Licence: GNU Lesser General Public License v3.0 only (LGPL-3.0-only); see LGPL-3.0.txt and GPL-3.0.txt.
Source: Debian's qt6-base_6.4.2+dfsg.orig.tar.xz, built as SOURCES.txt describes.
"""

GCC = """\
GCC runtime libraries (libstdc++, libgcc)
Copyright (C) Free Software Foundation, Inc.
Licence: GNU General Public License v3.0 or later with the GCC Runtime Library Exception 3.1, which
asks nothing of a program that is compiled with GCC and linked with these libraries.
"""


def qt_part(licenses, folder, part_id):
    record_dir = licenses / "attribution" / folder
    records = json.loads((record_dir / "qt_attribution.json").read_text(encoding="utf-8"), strict=False)
    record = next(r for r in (records if isinstance(records, list) else [records]) if r["Id"] == part_id)
    version = record.get("Version", "")
    head = record["Name"] + (f" {version}" if 0 < len(version) < 20 else "")  # some give a note instead
    lines = [f"{head} (in Qt, src/{folder})", record.get("Copyright", "").strip(),
             f"Licence: {record.get('License', '')}" + (f" ({record['LicenseId']})" if record.get("LicenseId") else "")]
    files = record.get("LicenseFiles") or [record.get("LicenseFile")]
    for name in filter(None, files):
        lines += ["", (record_dir / pathlib.Path(name).name).read_text(encoding="utf-8", errors="replace").strip()]
    return "\n".join(lines)


def debian_paragraphs(path, first_patterns):
    """The paragraphs of a Debian copyright file whose Files field starts with one of the patterns, each
    followed by the stand-alone text of the licence it names where the paragraph has none of its own."""
    paragraphs = pathlib.Path(path).read_text(encoding="utf-8").split("\n\n")
    licences = {p.split("\n")[0]: p for p in paragraphs if p.startswith("License:")}
    chosen, named = [], []
    for pattern in first_patterns:
        paragraph = next(p for p in paragraphs if p.startswith(f"Files: {pattern}\n"))
        chosen.append(paragraph)
        licence = next(line for line in paragraph.split("\n") if line.startswith("License:"))
        if paragraph.rstrip().endswith(licence) and licence not in named:
            named.append(licence)
    return "\n\n".join(chosen + [licences[licence] for licence in named])


def main(prefix, out):
    licenses = pathlib.Path(prefix) / "licenses"
    sections = [INTRO, QT] + [qt_part(licenses, folder, part_id) for folder, part_id in QT_PARTS]
    sections += [
        "MinGW-w64 runtime (start-up code, libmingw32, libmingwex with gdtoa, and winpthreads), as Debian's\n"
        f"mingw-w64-x86-64-dev states it ({MINGW[0]}):\n\n" + debian_paragraphs(*MINGW),
        GCC,
        "The installer (tarnwick-*-installer.exe, not tarnwick.exe) is made with NSIS 3, as Debian's nsis\n"
        f"states it ({NSIS[0]}):\n\n" + debian_paragraphs(*NSIS),
    ]
    pathlib.Path(out).write_text(f"\n{RULE}\n\n".join(s.strip() for s in sections) + "\n", encoding="utf-8")


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__.split("\n\n")[1])
    main(*sys.argv[1:])
