// What the extension does in every GNOME Shell: owns org.glimora.Pointer on
// the session bus and answers GetPosition with the pointer's place in the
// shell's global (logical) coordinates and the size of that space. It keeps
// nothing and sends nothing.
import Gio from 'gi://Gio';

const NAME = 'org.glimora.Pointer';
const PATH = '/org/glimora/Pointer';
const INTERFACE = `
<node>
  <interface name="org.glimora.Pointer">
    <method name="GetPosition">
      <arg type="i" direction="out" name="x"/>
      <arg type="i" direction="out" name="y"/>
      <arg type="i" direction="out" name="width"/>
      <arg type="i" direction="out" name="height"/>
    </method>
  </interface>
</node>`;

export class PointerService {
    constructor() {
        this._object = Gio.DBusExportedObject.wrapJSObject(INTERFACE, this);
        this._object.export(Gio.DBus.session, PATH);
        this._name = Gio.bus_own_name_on_connection(Gio.DBus.session, NAME,
            Gio.BusNameOwnerFlags.NONE, null, null);
    }

    GetPosition() {
        const [x, y] = global.get_pointer();
        return [x, y, global.stage.width, global.stage.height];
    }

    destroy() {
        Gio.bus_unown_name(this._name);
        this._object.unexport();
    }
}
