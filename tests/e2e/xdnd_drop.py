#!/usr/bin/env python3
"""Drops one file on an X window as a file manager does (the XDND protocol).

    xdnd_drop.py WINDOW ROOT_X ROOT_Y PATH

Exit status 0 when the window accepted the drop and said it has finished with it."""
import sys
import time
from urllib.parse import quote

from Xlib import X, display, protocol


def main():
    target_id, x, y, path = int(sys.argv[1], 0), int(sys.argv[2]), int(sys.argv[3]), sys.argv[4]
    d = display.Display()
    atom = d.intern_atom
    target = d.create_resource_object("window", target_id)
    source = d.screen().root.create_window(0, 0, 1, 1, 0, X.CopyFromParent, X.InputOnly)
    uris, selection = atom("text/uri-list"), atom("XdndSelection")
    source.set_selection_owner(selection, X.CurrentTime)
    payload = ("file://" + quote(path) + "\r\n").encode()

    def send(kind, *data):
        event = protocol.event.ClientMessage(window=target, client_type=atom(kind),
                                             data=(32, (list(data) + [0] * 5)[:5]))
        target.send_event(event)
        d.flush()

    send("XdndEnter", source.id, 5 << 24, uris)
    send("XdndPosition", source.id, 0, (x << 16) | y, X.CurrentTime, atom("XdndActionCopy"))
    dropped = False
    deadline = time.time() + 10
    while time.time() < deadline:
        if not d.pending_events():
            time.sleep(0.02)
            continue
        event = d.next_event()
        if event.type == X.SelectionRequest:  # the window asks for the dragged data
            prop = event.property or event.target
            if event.target == uris:
                event.requestor.change_property(prop, uris, 8, payload)
            elif event.target == atom("TARGETS"):
                event.requestor.change_property(prop, atom("ATOM"), 32, [uris])
            else:
                prop = X.NONE
            event.requestor.send_event(protocol.event.SelectionNotify(
                time=event.time, requestor=event.requestor.id, selection=event.selection,
                target=event.target, property=prop))
            d.flush()
        elif event.type == X.ClientMessage:
            kind = d.get_atom_name(event.client_type)
            if kind == "XdndStatus" and not dropped:
                if not event.data[1][1] & 1:
                    print("the window refused the drop", file=sys.stderr)
                    return 1
                send("XdndDrop", source.id, 0, X.CurrentTime)
                dropped = True
            elif kind == "XdndFinished":
                return 0
    print("no answer to the drop" if dropped else "no status for the drag", file=sys.stderr)
    return 1


if __name__ == "__main__":
    sys.exit(main())
