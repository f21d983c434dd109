// GNOME Shell 43 and 44 load extensions as plain scripts; the shared service is
// a module, which a script can only import() and so only asynchronously.
const ExtensionUtils = imports.misc.extensionUtils;

class GlimoraPointer {
    enable() {
        this._enabled = true;
        import(`file://${ExtensionUtils.getCurrentExtension().path}/service.js`).then(module => {
            if (this._enabled && !this._service)
                this._service = new module.PointerService();
        }).catch(logError);
    }

    disable() {
        this._enabled = false;
        this._service?.destroy();
        this._service = null;
    }
}

function init() {
    return new GlimoraPointer();
}
