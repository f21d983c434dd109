// Tells Glimora where the pointer is, and the size of the whole desktop it is
// measured in: KWin knows it over every window, where XWayland sees it only
// over X11 ones. Mice report up to a thousand times a
// second, so this pushes at most every 50 ms, and the position the pointer
// stops at always arrives. It also puts the face on every virtual desktop,
// which KWin 6.7 and later no longer let an X11 window ask for itself.
// Glimora loads its own copy with SERVICE set to its connection's name; this
// package, enabled by hand, reaches the first Glimora running.
var SERVICE = "org.glimora.Glimora";
var PATH = "/org/glimora/Glimora";
var INTERFACE = "org.glimora.Glimora";
var MIN_INTERVAL_MS = 50;

var lastPush = -MIN_INTERVAL_MS;
var trailing = new QTimer();
trailing.singleShot = true;

function push() {
    lastPush = Date.now();
    var p = workspace.cursorPos;
    var size = workspace.virtualScreenSize;
    // "| 0" keeps the numbers 32-bit integers on D-Bus, however KWin stores them.
    callDBus(SERVICE, PATH, INTERFACE, "PointerMoved", Math.round(p.x) | 0, Math.round(p.y) | 0,
             size.width | 0, size.height | 0);
}

function onMoved() {
    if (trailing.active)
        return;  // the pending push reads the position when it fires
    var wait = lastPush + MIN_INTERVAL_MS - Date.now();
    if (wait <= 0) {
        push();
        return;
    }
    trailing.interval = wait;
    trailing.start();
}

trailing.timeout.connect(push);
workspace.cursorPosChanged.connect(onMoved);
push();

function onEveryDesktop(window) {
    if (window.caption == "eyes" && window.resourceName == "glimora")
        window.onAllDesktops = true;
}

// KWin 6 names windows what KWin 5 named clients.
(workspace.windowAdded || workspace.clientAdded).connect(onEveryDesktop);
(workspace.windowList ? workspace.windowList() : workspace.clientList()).forEach(onEveryDesktop);
