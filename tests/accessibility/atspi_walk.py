"""Walks Tessaly's accessible tree through AT-SPI, prints it, and checks
what a screen reader user needs: the window and its caption buttons, the
"Validate" push button, the book's path as editable text, the report, and
every item of the About menu while it is open."""
import sys
import time

import pyatspi

SHOWN_STATES = ("focused", "pressed", "checked", "expanded", "collapsed", "editable", "selected")
ABOUT_MENU = ["Visit Our Website", "About", "Save Report\u2026", "Skin"]
failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def describe(node, depth=0):
    states = [pyatspi.stateToString(s) for s in node.getState().getStates()]
    shown = ",".join(s for s in states if s in SHOWN_STATES)
    print(f"{'  ' * depth}[{node.getRoleName()}] {node.name!r} {shown}".rstrip())
    for i in range(node.childCount):
        describe(node.getChildAtIndex(i), depth + 1)


def wait_for(find, seconds=20):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        found = find()
        if found is not None:
            return found
        time.sleep(0.2)
    return None


def program():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.name == "Tessaly" and app.childCount > 0:
            return app
    return None


def find(root, role, name):
    return pyatspi.findDescendant(root, lambda n: n.getRoleName() == role and n.name == name)


def has_state(node, state):
    return node.getState().contains(state)


app = wait_for(program)
if app is None:
    sys.exit("the program did not appear on the accessibility bus")
window = wait_for(lambda: find(app, "push button", "Validate") and app.getChildAtIndex(0))
describe(app)

check(window.getRoleName() == "frame" and window.name.startswith("Tessaly"),
      f"the main window is a frame named by its title, not [{window.getRoleName()}] {window.name!r}")
caption_buttons = [window.getChildAtIndex(i).name for i in range(window.childCount)
                   if window.getChildAtIndex(i).getRoleName() == "push button"]
check("Close" in caption_buttons and "Minimize" in caption_buttons,
      f"the caption buttons are the window's push buttons: {caption_buttons}")
close = find(window, "push button", "Close")
check(close is not None and close.queryComponent().getExtents(pyatspi.DESKTOP_COORDS).width > 0,
      "the close button has a place on the screen")

validate = find(app, "push button", "Validate")
check(validate is not None and "Press" in [validate.queryAction().getName(i)
                                            for i in range(validate.queryAction().nActions)],
      "Validate is a push button that can be pressed")
book = find(app, "text", "Book")
check(book is not None and has_state(book, pyatspi.STATE_EDITABLE), "the book's path is editable text")
check(find(app, "text", "Report") is not None, "the report is text named Report")

about = find(app, "push button", "About")
check(about is not None and has_state(about, pyatspi.STATE_COLLAPSED), "the About button is a collapsed menu button")
if about is not None:
    about.queryAction().doAction(0)
    menu = wait_for(lambda: about.childCount > 0 and about.getChildAtIndex(0) or None, 10)
    print("--- with the About menu open")
    describe(about)
    check(menu is not None and menu.getRoleName() == "popup menu", "the open menu is the About button's popup menu")
    check(has_state(about, pyatspi.STATE_EXPANDED), "the About button is expanded while its menu is open")
    if menu is not None:
        items = [menu.getChildAtIndex(i) for i in range(menu.childCount)]
        names = [item.name for item in items if item.getRoleName() == "menu item"]
        check(names == ABOUT_MENU, f"the About menu's items are {names}")
        check(menu.parent is not None and menu.parent.name == "About", "the menu's parent is its button")
        first = items[0] if items else None
        check(first is not None and has_state(first, pyatspi.STATE_SELECTED), "the first item is highlighted")

for failure in failures:
    print("FAILED:", failure)
sys.exit(1 if failures else 0)
