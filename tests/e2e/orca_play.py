"""A whole published puzzle played with Debian's Orca, every decision taken from what Orca
speaks (read from its debug file, which records each utterance), every action a key from
xdotool. Usage: orca_play.py ORCA_DEBUG_FILE PUZZLE. Prints what Orca said at each step and
exits non-zero when a step did not hear what it waited for."""

import re
import subprocess
import sys
import time

debug_file, puzzle = sys.argv[1], sys.argv[2]
spoken = []  # every utterance so far
_offset = 0
failures = 0


def listen():
    global _offset
    with open(debug_file, encoding="utf-8", errors="replace") as f:
        f.seek(_offset)
        text = f.read()
        _offset = f.tell()
    spoken.extend(re.findall(r"SPEECH OUTPUT: '(.*?)'", text))


def hear(pattern, since, seconds=10.0):
    """The first utterance from index `since` on that matches pattern (a match), or None."""
    end = time.time() + seconds
    while True:
        listen()
        for line in spoken[since:]:
            m = re.fullmatch(pattern, line.strip())
            if m:
                return m
        if time.time() > end:
            return None
        time.sleep(0.1)


def step(what, keys, pattern, seconds=10.0, since=None):
    """Presses keys, waits to hear pattern (from utterance `since` on, else from now);
    prints what was said meanwhile."""
    global failures
    listen()
    since = len(spoken) if since is None else since
    if keys:
        subprocess.run(["xdotool", "key", "--delay", "150", *keys], check=True)
    m = hear(pattern, since, seconds)
    said = " | ".join(s.strip() for s in spoken[since:since + 14])
    print(("ok:   " if m else "FAIL: ") + f"{what}: Orca said: {said}", flush=True)
    failures += 0 if m else 1
    return m


def typed(text):
    subprocess.run(["xdotool", "type", "--delay", "150", text], check=True)


def until_focused(name):
    """Right arrow until Orca names the button."""
    global failures
    for _ in range(8):
        listen()
        since = len(spoken)
        subprocess.run(["xdotool", "key", "Right"], check=True)
        m = hear(r"([\w ]+) (check box|push button)( not)?( checked)?\.", since, 5.0)
        print(("ok:   " if m else "FAIL: ") + f"Right: Orca said: {m.group(0) if m else spoken[since:]}", flush=True)
        if not m:
            failures += 1
            return False
        if m.group(1) == name:
            return True
    return False


step("the window opens", [], r"DOZUDO - vudede frame\.", 30, since=0)
step("Tab", ["Tab"], r"open check box not checked\.")
until_focused("enter puzzle")
step("Space on enter puzzle", ["space"], r"checked")
for row in range(9):
    listen()
    since = len(spoken)
    typed(puzzle[row * 9:row * 9 + 9].replace(".", " "))
    first = next((c for c in puzzle[row * 9:row * 9 + 9] if c != "."), None)
    m = hear(rf"{first}", since, 10) if first else True
    print(("ok:   " if m else "FAIL: ") + f"row {row + 1} typed: Orca said: " +
          " | ".join(s.strip() for s in spoken[since:since + 12]), flush=True)
    failures += 0 if m else 1
step("Tab to the command bar", ["Tab"], r"enter puzzle check box checked\.")
until_focused("search")
step("Space on search", ["space"], r"checked")
step("Tab to the analysis column", ["Tab"], r"show options check box not checked\.")
step("Space on show options", ["space"], r"checked")
until_focused("hints")
hint = step("Space on hints", ["space"], r"(single \w+: \((\d)\) .*)\.")
board = step("Escape to the board", ["Escape"], r"table with 9 rows 9 columns")
listen()
row_read = spoken[spoken.index("table with 9 rows 9 columns", len(spoken) - 40) + 1:][:9] if board else []
present = next((s.strip(". ") for s in row_read if re.fullmatch(r"\d\.", s.strip())), None)
if present and hint:
    row = re.search(r"row (\d)", hint.group(1))
    listen()
    since = len(spoken)
    typed(present)
    m = hear(rf"{present} allready present in row \d\.", since)
    print(("ok:   " if m else "FAIL: ") + f"{present} typed again in the row: Orca said: " +
          " | ".join(s.strip() for s in spoken[since:since + 4]), flush=True)
    failures += 0 if m else 1
# Flat review (Orca's desktop layout: keypad 8 reads the line under review) reads the board's
# digits, not the fields' names.
review = step("flat review of the current line", ["KP_Up"], r".*\d.*", 5)
if review and "column" in review.group(0):
    print(f"FAIL: flat review reads field names: {review.group(0)}")
    failures += 1
followed = 0
while hint and followed < 81:
    listen()
    since = len(spoken)
    typed(hint.group(2))
    hint = hear(r"(single \w+: \((\d)\) .*)\.|puzzle solved\.", since)
    if hint is None:
        print(f"FAIL: nothing heard after hint {followed + 1}: " + " | ".join(spoken[since:since + 10]))
        failures += 1
        break
    followed += 1
    if hint.group(0) == "puzzle solved.":
        print(f"ok:   {followed} hints followed by ear, then Orca said: " +
              " | ".join(s.strip() for s in spoken[since:since + 6]), flush=True)
        break
step("F1", ["F1"], r"SUDOKU - help dialog.*")
step("Escape closes the help", ["Escape"], r"DOZUDO - vudede frame\.", 5)
step("Ctrl+Q", ["ctrl+q"], r".*control.*", 5)
time.sleep(1)
closed = subprocess.run(["xdotool", "search", "--name", "^DOZUDO - vudede$"], capture_output=True).stdout == b""
print(("ok:   " if closed else "FAIL: ") + "Ctrl+Q closed the window", flush=True)
failures += 0 if closed else 1
sys.exit(1 if failures else 0)
