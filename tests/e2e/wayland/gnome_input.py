#!/usr/bin/python3
"""Pointer and keys of a running gnome-shell, through mutter's RemoteDesktop API.

    gnome_input.py pointer      reads lines "X Y" on stdin and puts the pointer at
                                (X, Y) of the global space
    gnome_input.py key KEYSYM   presses and releases a key (0xff1b: Escape)
    gnome_input.py press LABEL  clicks the shell's button of that label once it
                                shows (a notification's action), as a user would

One session, and so one virtual device, serves every move: the shell hands the
motion of a device made for a single move to its clients late or not at all,
and XWayland then keeps the old position. Absolute motion needs a screen-cast
stream (PipeWire); relative motion does not, so the pointer is first pinned to
the top-left corner and then moved by the position.
"""
import json
import sys
import time

from gi.repository import Gio, GLib

RD = 'org.gnome.Mutter.RemoteDesktop'
bus = Gio.bus_get_sync(Gio.BusType.SESSION)

# Where the button of a label is, as {"shown": true, "at": [x, y, width, height]};
# while its banner shows without it, {"shown": false, "at": the banner's shown part};
# null while no banner has it. Only the banners are searched: the shell's list of
# notifications holds the same buttons, unshown, under actors that cover the screen.
FIND_BUTTON = '''(function find(actor) {
    let label = null;
    try {
        label = actor.label;  // a getter of some actors throws
    } catch (e) {
    }
    if (label === %s) {
        let shown = actor;
        while (shown !== Main.messageTray && !shown.is_mapped())
            shown = shown.get_parent();
        const at = [...shown.get_transformed_position(), ...shown.get_transformed_size()];
        if (shown === Main.messageTray || !at.every(Number.isFinite))
            return null;  // a banner on its way out, or not laid out yet
        return {shown: shown === actor, at: at};
    }
    for (const child of actor.get_children()) {
        const found = find(child);
        if (found)
            return found;
    }
    return null;
})(Main.messageTray)'''


def call(path, interface, method, signature=None, args=None, reply=None):
    return bus.call_sync(RD, path, interface, method, GLib.Variant(signature, args) if signature else None,
                         GLib.VariantType(reply) if reply else None, Gio.DBusCallFlags.NONE, 5000, None)


def shell_eval(code):
    # Eval answers only in unsafe mode, which the test sessions turn on.
    done, answer = bus.call_sync('org.gnome.Shell', '/org/gnome/Shell', 'org.gnome.Shell', 'Eval',
                                 GLib.Variant('(s)', (code,)), GLib.VariantType('(bs)'),
                                 Gio.DBusCallFlags.NONE, 5000, None).unpack()
    if not done:
        sys.exit('the shell does not evaluate: ' + answer)
    return json.loads(answer) if answer else None


(session,) = call('/org/gnome/Mutter/RemoteDesktop', RD, 'CreateSession', reply='(o)').unpack()
call(session, RD + '.Session', 'Start')


at = None


# Pinned to the corner first: another session may have moved the pointer since.
# A pointer already there stays: leaving a banner, even for a moment, lets it time out.
def move_to(to_x, to_y):
    global at
    if at == (to_x, to_y):
        return
    for dx, dy in ((-100000.0, -100000.0), (to_x, to_y)):
        call(session, RD + '.Session', 'NotifyPointerMotionRelative', '(dd)', (float(dx), float(dy)))
    at = (to_x, to_y)


if sys.argv[1] == 'pointer':
    for line in sys.stdin:
        move_to(*(int(value) for value in line.split()))
    # The session ends with this connection, even when the compositor has gone first.
elif sys.argv[1] == 'press':
    # The shell keeps a banner up while the user seems away, so the pointer keeps
    # moving away from the banners until the button's own comes (those queued
    # before it then time out), and then goes over it: GNOME 43 shows a banner's
    # buttons only while the pointer is on it.
    for step in range(300):
        button = shell_eval(FIND_BUTTON % json.dumps(sys.argv[2]))
        if button and button['shown']:
            break
        if button:
            move_to(button['at'][0] + button['at'][2] // 2, button['at'][1] + button['at'][3] // 2)
        else:
            move_to(600 + step % 2, 600)
        time.sleep(0.1)
    else:
        sys.exit('no button "%s" showed' % sys.argv[2])
    move_to(button['at'][0] + button['at'][2] // 2, button['at'][1] + button['at'][3] // 2)
    time.sleep(0.2)
    for pressed in (True, False):
        call(session, RD + '.Session', 'NotifyPointerButton', '(ib)', (0x110, pressed))  # BTN_LEFT
    time.sleep(0.1)
    call(session, RD + '.Session', 'Stop')
else:
    for pressed in (True, False):
        call(session, RD + '.Session', 'NotifyKeyboardKeysym', '(ub)', (int(sys.argv[2], 0), pressed))
    # The compositor handles the events after the calls return: stopping at once could drop them.
    time.sleep(0.1)
    call(session, RD + '.Session', 'Stop')
