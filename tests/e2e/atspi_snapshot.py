"""Reads a program's accessible objects over AT-SPI for a test on another process: one line in, one line out.

Started on the desktop whose accessibility bus it reads (desktop.Screen does that). Each line in is a
process id; each line out is the JSON tree of that program's objects (role, name, text, states,
relations, place on the screen, children; the role as desktop.Role numbers it), or null while the program is not on the bus.
"""
import json
import sys

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402


def nick(value):
    return value.value_nick.replace("-", " ")


def tree(node, ids):
    ids.setdefault(node.path, len(ids))
    interfaces = node.get_interfaces()
    text = Atspi.Text.get_text(node, 0, Atspi.Text.get_character_count(node)) if "Text" in interfaces else None
    relations = {nick(relation.get_relation_type()): [ids.setdefault(relation.get_target(i).path, len(ids))
                                                      for i in range(relation.get_n_targets())]
                 for relation in node.get_relation_set()}
    box = Atspi.Component.get_extents(node, Atspi.CoordType.SCREEN) if "Component" in interfaces else None
    children = [node.get_child_at_index(i) for i in range(node.get_child_count())]
    return {
        "id": ids[node.path],
        # The role's number in AT-SPI's enum, which its D-Bus protocol fixes: the names change between
        # releases (AT-SPI 2.56 calls a push button "button", in its enum too).
        "role": int(node.get_role()),
        "name": node.get_name(),
        "text": text,
        "states": [nick(s) for s in node.get_state_set().get_states()],
        "relations": relations,
        "extents": None if box is None else [box.x, box.y, box.width, box.height],
        "children": [tree(child, ids) for child in children if child is not None],
    }


def application(pid):
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        try:
            if app is not None and app.get_process_id() == pid:
                return app
        except gi.repository.GLib.Error:  # an application going away while we look
            continue
    return None


def main():
    Atspi.init()
    # Nothing is cached between lines: every answer is what the program says now.
    Atspi.set_timeout(LIMIT_MS, LIMIT_MS)
    for line in sys.stdin:
        app = application(int(line))
        if app is not None:
            app.clear_cache()
        try:
            answer = tree(app, {}) if app is not None else None
        except gi.repository.GLib.Error:  # the program ended, or is ending
            answer = None
        print(json.dumps(answer), flush=True)


LIMIT_MS = 5000

if __name__ == "__main__":
    main()
