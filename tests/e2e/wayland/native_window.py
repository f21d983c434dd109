#!/usr/bin/python3
"""A native Wayland window filling the screen, for the pointer to move over."""
import os

os.environ['GDK_BACKEND'] = 'wayland'
import gi  # noqa: E402

gi.require_version('Gtk', '3.0')
from gi.repository import Gtk  # noqa: E402

window = Gtk.Window(title='native')
window.connect('destroy', Gtk.main_quit)
window.connect('map-event', lambda *_: print('mapped', flush=True))
window.maximize()
window.show_all()
Gtk.main()
