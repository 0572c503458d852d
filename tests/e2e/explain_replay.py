"""Replays the lines of 'dozudo --explain' against a puzzle's solution found here by plain
backtracking: no step may remove a digit of the solution or place another digit, and the
placed digits together with the puzzle must make up the solution.
Usage: explain_replay.py PUZZLE_LINE < explain-output; prints the fault and exits 1."""

import re
import sys


PEERS = [{j for j in range(81) if j != i and (j // 9 == i // 9 or j % 9 == i % 9 or
          (j // 27, j % 9 // 3) == (i // 27, i % 9 // 3))} for i in range(81)]


def solve(grid):
    """The first solution of an 81-character grid ('.' or '0' empty): backtracking on the
    field with the fewest digits left."""
    cells = [ch if ch in "123456789" else "." for ch in grid]
    def step():
        best, best_options = None, None
        for i in range(81):
            if cells[i] == ".":
                options = set("123456789") - {cells[j] for j in PEERS[i]}
                if best is None or len(options) < len(best_options):
                    best, best_options = i, options
        if best is None:
            return True
        for d in sorted(best_options):
            cells[best] = d
            if step():
                return True
        cells[best] = "."
        return False
    return "".join(cells) if step() else None


puzzle = sys.argv[1]
solution = solve(puzzle)
board = list(puzzle.replace("0", "."))
field = re.compile(r"r(\d)c(\d)(<>|=)(\d+)")
for line in sys.stdin:
    if "=>" not in line and not line.startswith(("Naked Single", "Hidden Single")):
        continue
    result = line.split("=>")[-1] if "=>" in line else line.split(" (")[0]
    for row, col, op, digits in field.findall(result):
        i = (int(row) - 1) * 9 + int(col) - 1
        if op == "<>" and solution[i] in digits:
            sys.exit(f"removes the solution's {solution[i]}: {line.strip()}")
        if op == "=":
            if digits != solution[i]:
                sys.exit(f"places {digits} where the solution has {solution[i]}: {line.strip()}")
            board[i] = digits
if "".join(board) != solution:
    sys.exit("the placed digits do not make up the solution")
