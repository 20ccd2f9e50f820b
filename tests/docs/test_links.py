"""Every relative link in the repository's Markdown files leads to a file or folder that exists and, with
a #fragment, to a heading of that file as GitHub anchors it; and the README still names the commands
that CI runs. Prints each fault as FILE:LINE and fails.
"""
import re
import sys
from pathlib import Path
from urllib.parse import unquote

SOURCE = Path(__file__).resolve().parents[2]
LINK = re.compile(r"!?\[[^\]]*\]\(\s*<?([^)\s>]+)>?(?:\s+\"[^\"]*\")?\s*\)")


def markdown_files():
    """The Markdown files of the source tree, without the build folders' and hidden ones'."""
    return sorted(p for p in SOURCE.rglob("*.md")
                  if not any(part.startswith((".", "build")) for part in p.relative_to(SOURCE).parts[:-1]))


def prose(path):
    """(line number, line) for each line outside fenced code blocks."""
    fenced = False
    for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        if re.match(r"\s*(```|~~~)", line):
            fenced = not fenced
        elif not fenced:
            yield number, line


def anchors(path):
    """GitHub's: lower case, punctuation but - and _ dropped, blanks to -, a repeat numbered -1, -2."""
    seen, found = {}, set()
    for _, line in prose(path):
        if heading := re.match(r"#{1,6}\s+(.*?)\s*#*\s*$", line):
            text = re.sub(r"!?\[([^\]]*)\]\([^)]*\)", r"\1", heading.group(1))
            slug = re.sub(r"[^\w\- ]", "", text.lower()).replace(" ", "-")
            found.add(f"{slug}-{seen[slug]}" if slug in seen else slug)
            seen[slug] = seen.get(slug, 0) + 1
    return found


def broken_links(files):
    for path in files:
        for number, line in prose(path):
            for target in LINK.findall(re.sub(r"`[^`]*`", "", line)):
                if re.match(r"[a-z][a-z0-9+.-]*:", target, re.I):
                    continue  # a web address or mail link: not ours to check
                name, _, fragment = unquote(target).partition("#")
                linked = (path.parent / name).resolve() if name else path
                where = f"{path.relative_to(SOURCE)}:{number}: {target}"
                if not linked.exists():
                    yield f"{where}: no such file"
                elif fragment and (linked.is_dir() or fragment not in anchors(linked)):
                    yield f"{where}: no heading #{fragment} in {linked.relative_to(SOURCE)}"


def missing_commands():
    readme = (SOURCE / "README.md").read_text(encoding="utf-8")
    docs = readme + "".join(p.read_text(encoding="utf-8") for p in sorted((SOURCE / "docs").glob("*.md")))
    for command in ["scripts/run.sh", "scripts/test.sh"]:
        if command not in readme:
            yield f"README.md: does not name {command}"
    for command in re.findall(r"^bash (.+?)\s*$", (SOURCE / ".ci/run").read_text(encoding="utf-8"), re.M):
        if command not in docs:
            yield f".ci/run: runs {command}, which neither README.md nor docs/ names"


if __name__ == "__main__":
    files = markdown_files()
    problems = [*broken_links(files), *missing_commands()]
    print("\n".join(problems) or f"every relative link in {len(files)} Markdown files resolves")
    sys.exit(1 if problems else 0)
