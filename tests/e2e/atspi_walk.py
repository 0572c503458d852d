"""A screen-reader client's walk through DOZUDO over AT-SPI: everything is read from the
accessible tree and its events, every press is an AT-SPI action or a key from xdotool.
Prints one line per check and exits non-zero when one failed."""

import subprocess
import sys

import pyatspi

from atspi_client import (application, check, children, find, heard, keys, press, pump, start_listening,
                          states, typed, wait_for)
import atspi_client

start_listening()
app = application()
if not check(app is not None, "the program is on the accessibility bus"):
    sys.exit(1)
frame = find(app, "frame", "DOZUDO - vudede")
bar = find(frame, "panel", "command bar")
column = find(frame, "panel", "analysis column")
board = find(frame, "table", "board").queryTable()
status = find(frame, "status bar")


def cell(column_nr, row_nr):
    return board.getAccessibleAt(row_nr - 1, column_nr - 1)


def value(column_nr, row_nr):
    return cell(column_nr, row_nr).queryText().getText(0, -1)


# 1. Every command button by its name, the analysis column empty until solving.
names = [b.name for b in children(bar)]
check(names == ["open", "save", "clipbrd", "erase board", "enter puzzle", "restore puzzle",
                "search", "help info"], f"command buttons named {names}")
check(column.childCount == 0, "the analysis column has no buttons before search")

# 2. "enter puzzle" by its action, a row typed, the cells read back.
enter = find(bar, "check box", "enter puzzle")
press(enter)
check(wait_for(lambda: "checked" in states(enter)), "enter puzzle is down after its action")
check(wait_for(lambda: "focused" in states(cell(1, 1))), "field (1, 1) is the focused cell")
typed("53  7    ")
check(wait_for(lambda: [value(c, 1) for c in range(1, 10)] ==
               ["5", "3", "empty", "empty", "7", "empty", "empty", "empty", "empty"]),
      "row 1 reads 5 3 empty empty 7 empty ...")
check(cell(1, 1).description == "puzzle digit" and cell(1, 1).queryValue().currentValue == 5,
      "a typed puzzle digit says so, and its value is 5")
check(wait_for(lambda: ("focus:", "table cell", "row 2 column 1") in heard),
      "the focus followed the selection to row 2 column 1")

# 3. "search" and "show options" by action; an empty field reads its options.
press(find(bar, "check box", "search"))
check(wait_for(lambda: [b.name for b in children(column)] == ["show options", "take back"]),
      "search shows show options and take back")
press(find(column, "check box", "show options"))
check(wait_for(lambda: column.childCount == 4), "show options adds hints and reduction")
check(wait_for(lambda: value(3, 1) == "empty, options 1 2 4 6 8 9"),
      f"row 1 column 3 reads {value(3, 1)!r}")

# 4. A rule conflict while solving is announced once; a hover text is not. The typed row alone
# has many solutions, which "search" has announced: that announcement is let through first.
wait_for(lambda: any(e[2] == "puzzle has more than one solution" for e in heard))
pump(0.5)
del heard[:]
keys("Right", "Right")  # onto the empty field (3, 1)
typed("5")
conflict = "5 allready present in row 1"
check(wait_for(lambda: ("object:state-changed:showing", "notification", conflict) in heard) and
      status.queryText().getText(0, -1) == conflict,
      f"the conflict is announced and shown (shown: {status.queryText().getText(0, -1)!r})")
opener = find(bar, "check box", "open")
x, y, w, h = opener.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
subprocess.run(["xdotool", "mousemove", "--sync", str(x + w // 2), str(y + h // 2)], check=True)
check(wait_for(lambda: status.name == "open puzzle from disc"), "the hover text is shown")
pump(0.3)
announced = [e for e in heard if e[0] == "object:state-changed:showing"]
check(announced == [("object:state-changed:showing", "notification", conflict)],
      f"announced once, the hover text not: {announced}")
subprocess.run(["xdotool", "mousemove", "--sync", str(x + w // 2), str(y + 3 * h)], check=True)

# 5. F1 opens the help window; its page is read as text and a link opens its page.
keys("F1")
check(wait_for(lambda: find(app, "dialog", "SUDOKU - help") is not None), "F1 opens the help")
page = find(find(app, "dialog", "SUDOKU - help"), "document frame")
text = page.queryText().getText(0, -1) if page else ""
check(page is not None and page.name == "page 1 of 9" and
      text.startswith("Welcome to DOZUDO, the Sudoku helper.\n"), f"page 1 reads {text[:40]!r}")
link = page and find(page, "link", "3. Solving - search and the rule check")
check(link is not None, "the contents page links to page 3")
if link:
    press(link)
    check(wait_for(lambda: page.name == "page 3 of 9" and
                   page.queryText().getText(0, 7) == "Solving"), "the link opened page 3")
keys("Escape")
check(wait_for(lambda: "checked" not in states(find(bar, "check box", "help info"))),
      "Escape closes the help and help info is up again")

# Without a window manager the keyboard goes back to the main window by hand.
subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^DOZUDO - vudede$", "windowfocus", "--sync"],
               check=False)
keys("ctrl+q")
sys.exit(1 if atspi_client.failures else 0)
