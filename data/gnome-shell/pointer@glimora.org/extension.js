// GNOME Shell 45 and later load extensions as modules.
import {Extension} from 'resource:///org/gnome/shell/extensions/extension.js';

import {PointerService} from './service.js';

export default class GlimoraPointer extends Extension {
    enable() {
        this._service = new PointerService();
    }

    disable() {
        this._service.destroy();
        this._service = null;
    }
}
