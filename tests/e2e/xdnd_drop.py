#!/usr/bin/env python3
"""Drops one file on an X window as a file manager does (XDND): xdnd_drop.py WINDOW X Y PATH
(root coordinates). Exits 0 once the window has accepted the drop and finished with it."""
import sys
import time
from urllib.parse import quote

from Xlib import X, display, protocol

target_id, x, y, path = int(sys.argv[1], 0), int(sys.argv[2]), int(sys.argv[3]), sys.argv[4]
d = display.Display()
atom = d.intern_atom
target = d.create_resource_object("window", target_id)
source = d.screen().root.create_window(0, 0, 1, 1, 0, X.CopyFromParent, X.InputOnly)
uris = atom("text/uri-list")
source.set_selection_owner(atom("XdndSelection"), X.CurrentTime)


def send(kind, *data):
    target.send_event(protocol.event.ClientMessage(window=target, client_type=atom(kind),
                                                   data=(32, (list(data) + [0] * 5)[:5])))
    d.flush()


send("XdndEnter", source.id, 5 << 24, uris)
send("XdndPosition", source.id, 0, (x << 16) | y, X.CurrentTime, atom("XdndActionCopy"))
deadline, dropped = time.time() + 10, False
while time.time() < deadline:
    if not d.pending_events():
        time.sleep(0.02)
        continue
    e = d.next_event()
    if e.type == X.SelectionRequest:  # the window asks for the dragged file's address
        prop = e.property if e.target == uris else X.NONE
        if prop:
            e.requestor.change_property(prop, uris, 8, ("file://" + quote(path) + "\r\n").encode())
        e.requestor.send_event(protocol.event.SelectionNotify(
            time=e.time, requestor=e.requestor.id, selection=e.selection, target=e.target, property=prop))
        d.flush()
    elif e.type == X.ClientMessage and d.get_atom_name(e.client_type) == "XdndStatus" and not dropped:
        if not e.data[1][1] & 1:
            sys.exit("the window refused the drop")
        send("XdndDrop", source.id, 0, X.CurrentTime)
        dropped = True
    elif e.type == X.ClientMessage and d.get_atom_name(e.client_type) == "XdndFinished":
        sys.exit(0)
sys.exit("no answer to the drop" if dropped else "no status for the drag")
