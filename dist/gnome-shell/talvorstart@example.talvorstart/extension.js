// Lets Talvor Start list and activate windows and type into the focused one:
// on GNOME only the shell itself can. A small D-Bus interface on the session
// bus, which only the user's own programs reach; nothing in it runs code
// that a caller sends.
'use strict';

const {Clutter, Gio, GLib, Meta, Shell} = imports.gi;
const Main = imports.ui.main;

const BUS_NAME = 'example.talvorstart.Shell';
const OBJECT_PATH = '/example/talvorstart/Shell';
const INTERFACE = `
<node>
  <interface name="example.talvorstart.Shell1">
    <method name="Windows">
      <arg type="a(tssibut)" direction="out" name="windows"/>
    </method>
    <method name="ActiveWindow">
      <arg type="t" direction="out" name="id"/>
    </method>
    <method name="Activate">
      <arg type="t" direction="in" name="id"/>
      <arg type="b" direction="out" name="focused"/>
    </method>
    <method name="Type">
      <arg type="t" direction="in" name="focusedId"/>
      <arg type="a(ub)" direction="in" name="keys"/>
      <arg type="u" direction="out" name="delivered"/>
    </method>
  </interface>
</node>`;

// The marker key: the shell calls us back for it once it has passed every
// key before it on to the focused window. No keyboard has it; the default
// keymaps do.
const MARKER = 'XF86Launch9';
const MARKER_KEYSYM = 0x1008ff49;
const OVERVIEW_WAIT_MS = 2000;
const FOCUS_WAIT_MS = 2000;
const MARKER_WAIT_MS = 2000;
const IDLE_POLL_MS = 10;
const KEY_QUIET_MS = 20;
const NEW_WINDOW_WAIT_MS = 500;

function windowById(id) {
    for (const actor of global.get_window_actors()) {
        const w = actor.meta_window;
        if (w && w.get_id() === id)
            return w;
    }
    return null;
}

function focusedId() {
    const w = global.display.focus_window;
    return w ? w.get_id() : 0;
}

// Calls done(true) when ready() holds, checked whenever the object emits
// the signal, or done(false) after ms.
function waitFor(object, signal, ready, ms, done) {
    if (ready()) {
        done(true);
        return;
    }
    let handler = 0, timer = 0;
    const finish = ok => {
        object.disconnect(handler);
        GLib.source_remove(timer);
        done(ok);
    };
    handler = object.connect(signal, () => {
        if (ready())
            finish(true);
    });
    timer = GLib.timeout_add(GLib.PRIORITY_DEFAULT, ms, () => {
        timer = 0;
        object.disconnect(handler);
        done(ready());
        return GLib.SOURCE_REMOVE;
    });
}

// Whether windows get the keys now: no overview, no modal dialog or menu
// of the shell holding the keyboard.
function shellIdle() {
    return !Main.overview.visible && !Main.overview.animationInProgress && Main.modalCount === 0 &&
        Main.actionMode === Shell.ActionMode.NORMAL;
}

// Calls done(true) once the shell is idle, looking every few milliseconds,
// or done(false) after ms.
function whenShellIdle(ms, done) {
    if (shellIdle()) {
        done(true);
        return;
    }
    const until = GLib.get_monotonic_time() + ms * 1000;
    GLib.timeout_add(GLib.PRIORITY_DEFAULT, IDLE_POLL_MS, () => {
        if (shellIdle()) {
            done(true);
            return GLib.SOURCE_REMOVE;
        }
        if (GLib.get_monotonic_time() < until)
            return GLib.SOURCE_CONTINUE;
        done(false);
        return GLib.SOURCE_REMOVE;
    });
}

class TalvorStartService {
    constructor() {
        const seat = Clutter.get_default_backend().get_default_seat();
        this._keyboard = seat.create_virtual_device(Clutter.InputDeviceType.KEYBOARD_DEVICE);
        this._markerWaiters = [];
        this._markerAction = global.display.grab_accelerator(MARKER, Meta.KeyBindingFlags.NONE);
        if (this._markerAction !== Meta.KeyBindingAction.NONE) {
            this._markerName = Meta.external_binding_name_for_action(this._markerAction);
            Main.wm.allowKeybinding(this._markerName, Shell.ActionMode.NORMAL);
        }
        this._acceleratorHandler = global.display.connect('accelerator-activated', (display, action) => {
            if (action !== this._markerAction)
                return;
            const waiter = this._markerWaiters.shift();
            if (waiter)
                waiter(true);
        });
        this._unshown = new Set();
        this._createdHandler = global.display.connect('window-created', (display, w) => {
            this._unshown.add(w);
            const forget = () => this._unshown.delete(w);
            w.connect('shown', forget);
            w.connect('unmanaged', forget);
        });
        this._dbus = Gio.DBusExportedObject.wrapJSObject(INTERFACE, this);
        this._dbus.export(Gio.DBus.session, OBJECT_PATH);
        this._nameId = Gio.bus_own_name_on_connection(Gio.DBus.session, BUS_NAME, Gio.BusNameOwnerFlags.NONE,
            null, null);
    }

    destroy() {
        Gio.bus_unown_name(this._nameId);
        this._dbus.unexport();
        global.display.disconnect(this._acceleratorHandler);
        global.display.disconnect(this._createdHandler);
        this._unshown.clear();
        if (this._markerAction !== Meta.KeyBindingAction.NONE) {
            Main.wm.allowKeybinding(this._markerName, Shell.ActionMode.NONE);
            global.display.ungrab_accelerator(this._markerAction);
        }
        for (const waiter of this._markerWaiters.splice(0))
            waiter(false);
        this._keyboard = null;
    }

    // id, title, window class (the application id of native programs),
    // process id, whether it has the focus, the order in which the windows
    // appeared, and the window it is a dialog of (0: none).
    Windows() {
        const focus = focusedId();
        return global.get_window_actors()
            .map(a => a.meta_window)
            .filter(w => w && !w.is_override_redirect())
            .map(w => [w.get_id(), w.get_title() || '', w.get_wm_class() || '', w.get_pid(),
                w.get_id() === focus, w.get_stable_sequence(), w.get_transient_for()?.get_id() ?? 0]);
    }

    ActiveWindow() {
        return focusedId();
    }

    // The overview gives the focus back to the newest window when it closes,
    // and a window activated while the shell still holds the keyboard (it
    // lets go only after the overview is hidden) gets no keys: the window is
    // activated once the overview is hidden and nothing of the shell is modal.
    ActivateAsync([id], invocation) {
        const reply = ok => invocation.return_value(new GLib.Variant('(b)', [ok]));
        if (!windowById(id)) {
            reply(false);
            return;
        }
        if (Main.overview.visible)
            Main.overview.hide();
        whenShellIdle(OVERVIEW_WAIT_MS, idle => {
            const w = windowById(id);
            if (!idle || !w) {
                reply(false);
                return;
            }
            Main.activateWindow(w);
            waitFor(global.display, 'notify::focus-window', () => focusedId() === id, FOCUS_WAIT_MS, reply);
        });
    }

    // Presses and releases keysyms in the given order, a key at a time: each
    // is followed by the marker, and the next is typed only once the marker
    // came back (every key before it passed on to the window that had the
    // focus) and the window focusedId still has the focus and the shell holds
    // no keys itself. Answers how many of the events were passed on.
    TypeAsync([id, keys], invocation) {
        const reply = n => invocation.return_value(new GLib.Variant('(u)', [n]));
        if (this._markerAction === Meta.KeyBindingAction.NONE) {
            reply(0);
            return;
        }
        const next = done => {
            if (done === keys.length || focusedId() !== id || !shellIdle()) {
                reply(done);
                return;
            }
            // One key: up to the point where no key is held any more.
            let end = done, held = 0;
            do {
                const [keysym, down] = keys[end++];
                held += down ? 1 : -1;
                this._keyboard.notify_keyval(GLib.get_monotonic_time(), keysym,
                    down ? Clutter.KeyState.PRESSED : Clutter.KeyState.RELEASED);
            } while (end < keys.length && held > 0);
            this._typeMarker(passed => {
                if (!passed)
                    reply(done);
                else
                    this._afterKey(settled => settled ? next(end) : reply(end));
            });
        };
        next(0);
    }

    // A window that the program opens in answer to a key takes the focus
    // only once it is shown: the next key waits a moment for one to appear,
    // and then until every new window is shown.
    _afterKey(done) {
        GLib.timeout_add(GLib.PRIORITY_DEFAULT, KEY_QUIET_MS, () => {
            const until = GLib.get_monotonic_time() + NEW_WINDOW_WAIT_MS * 1000;
            const check = () => {
                if (this._unshown.size === 0) {
                    done(true);
                    return GLib.SOURCE_REMOVE;
                }
                if (GLib.get_monotonic_time() < until)
                    return GLib.SOURCE_CONTINUE;
                done(false);
                return GLib.SOURCE_REMOVE;
            };
            if (check() === GLib.SOURCE_CONTINUE)
                GLib.timeout_add(GLib.PRIORITY_DEFAULT, IDLE_POLL_MS, check);
            return GLib.SOURCE_REMOVE;
        });
    }

    _typeMarker(done) {
        let timer = 0;
        const waiter = ok => {
            if (timer)
                GLib.source_remove(timer);
            timer = 0;
            done(ok);
        };
        this._markerWaiters.push(waiter);
        timer = GLib.timeout_add(GLib.PRIORITY_DEFAULT, MARKER_WAIT_MS, () => {
            timer = 0;
            const i = this._markerWaiters.indexOf(waiter);
            if (i >= 0)
                this._markerWaiters.splice(i, 1);
            done(false);
            return GLib.SOURCE_REMOVE;
        });
        const time = GLib.get_monotonic_time();
        this._keyboard.notify_keyval(time, MARKER_KEYSYM, Clutter.KeyState.PRESSED);
        this._keyboard.notify_keyval(time, MARKER_KEYSYM, Clutter.KeyState.RELEASED);
    }
}

class Extension {
    enable() {
        this._service = new TalvorStartService();
    }

    disable() {
        this._service.destroy();
        this._service = null;
    }
}

function init() {
    return new Extension();
}
