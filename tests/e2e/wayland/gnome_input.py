#!/usr/bin/python3
"""Pointer and keys of a running gnome-shell, through mutter's RemoteDesktop API.

    gnome_input.py pointer      reads lines "X Y" on stdin and puts the pointer at
                                (X, Y) of the global space
    gnome_input.py key KEYSYM   presses and releases a key (0xff1b: Escape)

One session, and so one virtual device, serves every move: the shell hands the
motion of a device made for a single move to its clients late or not at all,
and XWayland then keeps the old position. Absolute motion needs a screen-cast
stream (PipeWire); relative motion does not, so the pointer is first pinned to
the top-left corner and then moved by the difference.
"""
import sys
import time

from gi.repository import Gio, GLib

RD = 'org.gnome.Mutter.RemoteDesktop'
bus = Gio.bus_get_sync(Gio.BusType.SESSION)


def call(path, interface, method, signature=None, args=None, reply=None):
    return bus.call_sync(RD, path, interface, method, GLib.Variant(signature, args) if signature else None,
                         GLib.VariantType(reply) if reply else None, Gio.DBusCallFlags.NONE, 5000, None)


(session,) = call('/org/gnome/Mutter/RemoteDesktop', RD, 'CreateSession', reply='(o)').unpack()
call(session, RD + '.Session', 'Start')
if sys.argv[1] == 'pointer':
    call(session, RD + '.Session', 'NotifyPointerMotionRelative', '(dd)', (-100000.0, -100000.0))
    x, y = 0, 0
    for line in sys.stdin:
        to_x, to_y = (int(value) for value in line.split())
        call(session, RD + '.Session', 'NotifyPointerMotionRelative', '(dd)', (float(to_x - x), float(to_y - y)))
        x, y = to_x, to_y
    # The session ends with this connection, even when the compositor has gone first.
else:
    for pressed in (True, False):
        call(session, RD + '.Session', 'NotifyKeyboardKeysym', '(ub)', (int(sys.argv[2], 0), pressed))
    # The compositor handles the events after the calls return: stopping at once could drop them.
    time.sleep(0.1)
    call(session, RD + '.Session', 'Stop')
