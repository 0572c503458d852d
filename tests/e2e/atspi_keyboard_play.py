"""A whole published puzzle played from the keyboard alone, as a screen-reader user plays it:
Tab, the arrows, Space and Escape move and press, digits are typed, and every decision is
taken from what the accessibility tree and its events report (the focused object, the
announcements, the fields' texts). Usage: atspi_keyboard_play.py PUZZLE (81 fields, "." empty).
Prints one line per check and exits non-zero when one failed."""

import re
import sys

from atspi_client import application, check, find, heard, keys, states, text_of, typed, wait_for
import atspi_client

puzzle = sys.argv[1]
atspi_client.start_listening()
app = application()
if not check(app is not None, "the program is on the accessibility bus"):
    sys.exit(1)
frame = find(app, "frame", "DOZUDO - vudede")
board = find(frame, "table", "board").queryTable()


def focus():
    """The object the last focus event named, as (role, name)."""
    events = [e for e in heard if e[0] == "focus:"]
    return events[-1][1:] if events else None


def focus_after(*names, expect):
    """Presses the keys and waits until the focus is on `expect` (role, name)."""
    keys(*names)
    return wait_for(lambda: focus() == expect)


def announcements():
    return [e[2] for e in heard if e[0] == "object:state-changed:showing" and e[1] == "notification"]


def announced_after(act):
    """Runs act and returns what was announced next (None within 5 s)."""
    before = len(announcements())
    act()
    if not wait_for(lambda: len(announcements()) > before):
        return None
    return announcements()[before]


def value(column, row):
    return text_of(board.getAccessibleAt(row - 1, column - 1))


def focus_count():
    return sum(1 for e in heard if e[0] == "focus:")


def move_in_bar(to):
    """Right arrow until the focused button is `to`, each step heard as a focus event."""
    for _ in range(8):
        if focus() and focus()[1] == to:
            return True
        before = focus_count()
        keys("Right")
        if not wait_for(lambda: focus_count() > before, 2.0):
            return False
    return focus() is not None and focus()[1] == to


# 1. The board has the keyboard; Tab goes to the command bar; the arrows find "enter puzzle".
check(wait_for(lambda: "focused" in states(frame)), "the window has the keyboard")
check(focus_after("Tab", expect=("check box", "open")), f"Tab: the focus is on open ({focus()})")
check(move_in_bar("enter puzzle"), f"the arrows reach enter puzzle ({focus()})")
enter = find(frame, "check box", "enter puzzle")
keys("space")
check(wait_for(lambda: "checked" in states(enter)), "Space: enter puzzle is down")
check(wait_for(lambda: focus() == ("table cell", "row 1 column 1")), f"the keyboard is on row 1 column 1 ({focus()})")

# 2. The puzzle typed row by row; each row read back.
for row in range(1, 10):
    fields = puzzle[(row - 1) * 9:row * 9]
    typed(fields.replace(".", " "))
    expect = ["empty" if f == "." else f for f in fields]
    check(wait_for(lambda: [value(c, row) for c in range(1, 10)] == expect), f"row {row} reads {fields}")

# 3. Back in the command bar "enter puzzle" still has the focus mark; "search" is two buttons on.
check(focus_after("Tab", expect=("check box", "enter puzzle")), f"Tab: back on enter puzzle ({focus()})")
check(move_in_bar("search"), f"the arrows reach search ({focus()})")
keys("space")
check(wait_for(lambda: "checked" in states(find(frame, "check box", "search"))), "Space: search is down")

# 4. The analysis column: "show options" and "hints" down, each confirmed.
check(focus_after("Tab", expect=("check box", "show options")), f"Tab: show options ({focus()})")
keys("space")
check(wait_for(lambda: "checked" in states(find(frame, "check box", "show options"))), "Space: show options down")
check(move_in_bar("hints"), f"the arrows reach hints ({focus()})")
hint = announced_after(lambda: keys("space"))
check(hint is not None and hint.startswith("single"), f"Space: hints down, the first hint announced ({hint!r})")

# 5. Escape: the keyboard is on the field the hint names. A digit the row has already is refused.
keys("Escape")
check(wait_for(lambda: focus() is not None and focus()[0] == "table cell"), f"Escape: the keyboard is on the board ({focus()})")
where = re.match(r"row (\d) column (\d)", focus()[1]) if focus() else None
column, row = (int(where.group(2)), int(where.group(1))) if where else (1, 1)
present = next(d for d in (value(c, row) for c in range(1, 10)) if d != "empty" and not d.startswith("empty"))
refusal = announced_after(lambda: typed(present))
check(refusal == f"{present} allready present in row {row}" and value(column, row).startswith("empty"),
      f"a {present} in row {row} is refused ({refusal!r})")

# 6. Every hint followed: its digit typed where the keyboard is, until the puzzle is solved.
last, typed_digits = hint, 0
for step in range(81):
    digit = re.match(r"single \w+: \((\d)\)", last or "")
    if digit is None:
        check(False, f"a hint to follow ({last!r})")
        break
    at = focus()
    last = announced_after(lambda: typed(digit.group(1)))
    where = re.match(r"row (\d) column (\d)", at[1]) if at else None
    if not where or value(int(where.group(2)), int(where.group(1))) != digit.group(1):
        check(False, f"{digit.group(1)} typed on {at} is on the board")
        break
    typed_digits += 1
    if last == "puzzle solved":
        break
check(last == "puzzle solved", f"{typed_digits} hints followed, then announced: {last!r}")
check(all(not value(c, r).startswith("empty") for c in range(1, 10) for r in range(1, 10)),
      "every field holds a digit")

keys("ctrl+q")
sys.exit(1 if atspi_client.failures else 0)
