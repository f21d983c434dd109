// The KWin script run against a stand-in for KWin's scripting API and a clock
// the test moves: at most one push each 50 ms however fast the mouse reports,
// a move after a rest pushed at once, and the position it stops at always pushed;
// and the face put on every virtual desktop.
'use strict';
const assert = require('assert');
const fs = require('fs');
const vm = require('vm');

let now = 1000;
const pushes = [];
const movedListeners = [];
const timers = [];

class QTimer {
    constructor() {
        this.singleShot = false;
        this.interval = 0;
        this.active = false;
        this.timeout = {connect: handler => { this.handler = handler; }};
        timers.push(this);
    }
    start() {
        this.active = true;
        this.due = now + this.interval;
    }
}

// KWin 6's windows: the face, already there, and another program's.
const face = {caption: 'eyes', resourceName: 'glimora', onAllDesktops: false};
const other = {caption: 'eyes', resourceName: 'xeyes', onAllDesktops: false};
const addedListeners = [];
const workspace = {cursorPos: {x: 0, y: 0}, virtualScreenSize: {width: 1280, height: 1024},
    cursorPosChanged: {connect: f => movedListeners.push(f)},
    windowList: () => [face, other], windowAdded: {connect: f => addedListeners.push(f)}};
vm.runInNewContext(fs.readFileSync(process.argv[2], 'utf8'), {
    workspace, QTimer, Math,
    Date: {now: () => now},
    callDBus: (service, path, iface, method, x, y, width, height) =>
        pushes.push({at: now, service, path, iface, method, x, y, width, height}),
});

function advanceTo(time) {
    for (;;) {
        const due = timers.filter(t => t.active && t.due <= time).sort((a, b) => a.due - b.due)[0];
        if (!due)
            break;
        now = due.due;
        due.active = false;
        due.handler();
    }
    now = time;
}

function moveTo(x, y) {
    workspace.cursorPos = {x, y};
    movedListeners.forEach(listener => listener());
}

// Loaded, it puts the face on every desktop, and a face that comes later too.
const later = {caption: 'eyes', resourceName: 'glimora', onAllDesktops: false};
addedListeners.forEach(listener => listener(later));
assert.deepStrictEqual([face.onAllDesktops, other.onAllDesktops, later.onAllDesktops], [true, false, true]);

// Loaded, it says where the pointer is at once, to the program's interface.
assert.deepStrictEqual(pushes, [{at: 1000, service: 'org.glimora.Glimora', path: '/org/glimora/Glimora',
    iface: 'org.glimora.Glimora', method: 'PointerMoved', x: 0, y: 0, width: 1280, height: 1024}]);

// Two seconds of a 1000 Hz mouse.
for (let ms = 1; ms <= 2000; ++ms) {
    advanceTo(1000 + ms);
    moveTo(ms, 2 * ms);
}
advanceTo(3100);
const gaps = pushes.slice(1).map((p, i) => p.at - pushes[i].at);
assert.ok(Math.min(...gaps) >= 50, `pushes ${Math.min(...gaps)} ms apart`);
assert.ok(pushes.length <= 2 + 2000 / 50, `${pushes.length} pushes in 2 s`);
const last = pushes[pushes.length - 1];
assert.deepStrictEqual([last.x, last.y], [2000, 4000], 'the last position arrives');
assert.ok(last.at <= 3000 + 50, `the last position arrives ${last.at - 3000} ms after the move`);

// After a rest, a move goes out at once, and fractional positions (KWin 6) as integers.
const before = pushes.length;
moveTo(10.6, 20.2);
assert.strictEqual(pushes.length, before + 1);
assert.deepStrictEqual([pushes[before].at, pushes[before].x, pushes[before].y], [3100, 11, 20]);
console.log(`ok: ${pushes.length} pushes`);
