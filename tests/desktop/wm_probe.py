#!/usr/bin/python3
"""What the X server and the window manager say about tabrinex's windows.

Prints one answer per call, for scripts/wm-test.sh:
  stack               our windows' titles in the X server's stacking order,
                      topmost first (XQueryTree on the root, viewable only)
  active              the title of _NET_ACTIVE_WINDOW
  menus               how many of our menus are open (viewable popups)
  find TITLE          the ids of the client windows with that exact title
  place ID            client left, top, width, height on the screen; then the
                      frame's left, top, width, height (the root's child)
  state ID            WM_STATE (normal, iconic or withdrawn), then the
                      _NET_WM_STATE and _NET_WM_ALLOWED_ACTIONS atoms, and
                      transient=ID when WM_TRANSIENT_FOR is set
  close ID            asks the window manager to close the window, as its
                      close box does (_NET_CLOSE_WINDOW)
"""
import sys

from Xlib import X, Xatom, display, error
from Xlib.protocol import event

d = display.Display()
root = d.screen().root


def atom(name):
    return d.intern_atom(name)


def title(window):
    try:
        prop = window.get_full_property(atom("_NET_WM_NAME"), atom("UTF8_STRING"))
        if prop:
            return prop.value.decode("utf-8", "replace")
        name = window.get_wm_name()
        return name if isinstance(name, str) else (name or b"").decode("latin-1")
    except error.XError:
        return None


def client_of(frame):
    """The client window inside a frame: the one with WM_STATE."""
    wm_state = atom("WM_STATE")
    todo = [frame]
    while todo:
        window = todo.pop(0)
        try:
            if window.get_full_property(wm_state, X.AnyPropertyType):
                return window
            todo.extend(window.query_tree().children)
        except error.XError:
            pass
    return None


def frame_of(window):
    while True:
        tree = window.query_tree()
        if tree.parent.id == root.id:
            return window
        window = tree.parent


def ours(window):
    try:
        return window.get_wm_class() == ("tabrinex", "tabrinex")
    except error.XError:
        return False


def stack():
    for frame in reversed(root.query_tree().children):
        try:
            if frame.get_attributes().map_state != X.IsViewable:
                continue
        except error.XError:
            continue
        client = client_of(frame)
        if client and ours(client):
            print(title(client))


def menus():
    count = 0
    for window in root.query_tree().children:
        try:
            attributes = window.get_attributes()
            if attributes.override_redirect and attributes.map_state == X.IsViewable and ours(window):
                count += 1
        except error.XError:
            pass
    print(count)


def active():
    prop = root.get_full_property(atom("_NET_ACTIVE_WINDOW"), Xatom.WINDOW)
    if prop and prop.value[0]:
        print(title(d.create_resource_object("window", prop.value[0])))


def find(name):
    todo = [root]
    while todo:
        window = todo.pop()
        try:
            if ours(window) and title(window) == name and window.get_full_property(atom("WM_STATE"), X.AnyPropertyType):
                print(window.id)
            todo.extend(window.query_tree().children)
        except error.XError:
            pass


def place(window):
    geometry = window.get_geometry()
    origin = window.translate_coords(root, 0, 0)
    frame = frame_of(window).get_geometry()
    print(-origin.x, -origin.y, geometry.width, geometry.height, frame.x, frame.y, frame.width, frame.height)


def state(window):
    words = []
    wm_state = window.get_full_property(atom("WM_STATE"), X.AnyPropertyType)
    words.append({1: "normal", 3: "iconic"}.get(wm_state.value[0], "withdrawn") if wm_state else "withdrawn")
    for name in ("_NET_WM_STATE", "_NET_WM_ALLOWED_ACTIONS"):
        prop = window.get_full_property(atom(name), Xatom.ATOM)
        words.extend(d.get_atom_name(a) for a in (prop.value if prop else []))
    transient = window.get_full_property(Xatom.WM_TRANSIENT_FOR, Xatom.WINDOW)
    if transient and transient.value[0]:
        words.append("transient=%d" % transient.value[0])
    print(" ".join(words))


def close(window):
    message = event.ClientMessage(window=window, client_type=atom("_NET_CLOSE_WINDOW"),
                                  data=(32, [X.CurrentTime, 2, 0, 0, 0]))
    root.send_event(message, event_mask=X.SubstructureRedirectMask | X.SubstructureNotifyMask)
    d.flush()


def main(argv):
    command, args = argv[1], argv[2:]
    if command == "stack":
        stack()
    elif command == "active":
        active()
    elif command == "menus":
        menus()
    elif command == "find":
        find(args[0])
    else:
        window = d.create_resource_object("window", int(args[0]))
        {"place": place, "state": state, "close": close}[command](window)


if __name__ == "__main__":
    main(sys.argv)
