#!/usr/bin/python3
"""Pointer and keys of a running gnome-shell, through mutter's RemoteDesktop API.

    gnome_input.py move X Y     puts the pointer at (X, Y) of the global space
    gnome_input.py key KEYSYM   presses and releases a key (0xff1b: Escape)
    gnome_input.py wiggle SECONDS   moves it back and forth 50 times a second

Absolute motion needs a screen-cast stream (PipeWire); relative motion does not,
so the pointer is first pinned to the top-left corner, then moved by (X, Y).
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
if sys.argv[1] == 'move':
    call(session, RD + '.Session', 'NotifyPointerMotionRelative', '(dd)', (-100000.0, -100000.0))
    # The last pixel as a motion of its own, as a hand moves: XWayland (24) takes a pointer
    # that only enters one of its windows for no motion and keeps the old position.
    call(session, RD + '.Session', 'NotifyPointerMotionRelative', '(dd)', (float(sys.argv[2]) - 1, float(sys.argv[3])))
    call(session, RD + '.Session', 'NotifyPointerMotionRelative', '(dd)', (1.0, 0.0))
elif sys.argv[1] == 'wiggle':
    for step in range(int(float(sys.argv[2]) * 50)):
        sign = 1 if (step // 25) % 2 == 0 else -1
        call(session, RD + '.Session', 'NotifyPointerMotionRelative', '(dd)', (8.0 * sign, 3.0 * sign))
        time.sleep(0.02)
else:
    for pressed in (True, False):
        call(session, RD + '.Session', 'NotifyKeyboardKeysym', '(ub)', (int(sys.argv[2], 0), pressed))
# The compositor handles the events after the calls return: stopping at once could drop them.
time.sleep(0.1)
call(session, RD + '.Session', 'Stop')
