"""A minimal freedesktop clipboard manager for tests: keeps what a program leaving the desktop hands over.

Usage: clipmanager.py RECORD [--silent]   (on $DISPLAY)

It owns the CLIPBOARD_MANAGER selection. When a program asks it to convert SAVE_TARGETS (as a program
that owns CLIPBOARD does when it ends), it converts CLIPBOARD to each offered target, keeps the data and
then answers. RECORD gets one line per step: "owner" once the selection is ours, "asked" on each
request, and "saved TARGET HEX" for each target kept. With --silent it records the request but never
answers, like a manager that hangs.
"""
import sys

from Xlib import X, Xatom, display as xdisplay, protocol

# Targets that describe the selection rather than carry its data.
META_TARGETS = ("TARGETS", "MULTIPLE", "TIMESTAMP", "SAVE_TARGETS", "DELETE")


class Manager:
    def __init__(self, record, silent):
        self.record = record
        self.silent = silent
        self.x = xdisplay.Display()
        self.window = self.x.screen().root.create_window(0, 0, 1, 1, 0, X.CopyFromParent,
                                                         event_mask=X.PropertyChangeMask)
        self.atom = self.x.intern_atom
        self.incoming = self.atom("TARNWICK_CLIPMANAGER_DATA")

    def note(self, line):
        self.record.write(line + "\n")
        self.record.flush()

    def own(self):
        selection = self.atom("CLIPBOARD_MANAGER")
        self.window.set_selection_owner(selection, X.CurrentTime)
        if self.x.get_selection_owner(selection) != self.window:
            sys.exit("another program owns CLIPBOARD_MANAGER")
        self.note("owner")

    def convert(self, target, time):
        """CLIPBOARD converted to target, as (type, data), or None if its owner refused."""
        self.window.convert_selection(self.atom("CLIPBOARD"), target, self.incoming, time)
        while True:
            event = self.x.next_event()
            if event.type == X.SelectionNotify and event.requestor == self.window:
                break
        if event.property == X.NONE:
            return None
        prop = self.window.get_full_property(self.incoming, X.AnyPropertyType, sizehint=1 << 20)
        self.window.delete_property(self.incoming)
        return prop

    def save(self, time):
        offered = self.convert(self.atom("TARGETS"), time)
        targets = list(offered.value) if offered and offered.property_type == Xatom.ATOM else []
        for target in targets:
            name = self.x.get_atom_name(target)
            if name in META_TARGETS:
                continue
            prop = self.convert(target, time)
            if prop is not None and prop.format == 8:
                self.note(f"saved {name} {bytes(prop.value).hex()}")

    def answer(self, request, done):
        reply = protocol.event.SelectionNotify(
            time=request.time, requestor=request.requestor, selection=request.selection,
            target=request.target, property=request.property if done else X.NONE)
        request.requestor.send_event(reply, event_mask=0)
        self.x.flush()

    def serve(self):
        save_targets = self.atom("SAVE_TARGETS")
        while True:
            event = self.x.next_event()
            if event.type != X.SelectionRequest:
                continue
            if event.target != save_targets:
                self.answer(event, done=False)
                continue
            self.note("asked")
            if self.silent:
                continue
            self.save(event.time)
            self.answer(event, done=True)


def main():
    with open(sys.argv[1], "a", encoding="ascii") as record:
        manager = Manager(record, silent="--silent" in sys.argv[2:])
        manager.own()
        manager.serve()


if __name__ == "__main__":
    main()
