#!/usr/bin/env python3
"""Start-up, memory and idle work of dozudo side by side with a plain Qt window that shows a label
and a button (bench/bare_window).

Both programs run on one private Xvfb, in alternating order, RUNS times each. For every run:
  start-up  time from exec to the first flush of the painted window to the screen, read from
            Qt's own painting log (qt.widgets.painting) stamped with the boot clock;
  memory    resident set size (VmRSS) half a second after the window was drawn;
  stall     the longest the event loop took to answer a window-manager ping (_NET_WM_PING, sent
            one after another by bench/loop_latency) in the STALL seconds after the window was drawn;
  idle CPU  user + system CPU time the program uses in the IDLE seconds that follow, while
            new files appear in its working folder.
Each program starts in a folder of FILES files and with a fresh, empty HOME; the script reports
whether anything was written there while it ran (it is ended by SIGTERM). Medians are printed at the end.

Usage: bench/startup.py [--runs 15] [--files 20000] [--idle 3] [--stall 2] [--build build]
"""
import argparse
import os
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import threading
import time

CLOCK = time.CLOCK_BOOTTIME  # the clock of Qt's %{time boot}


def start_xvfb():
    read_fd, write_fd = os.pipe()
    xvfb = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
        pass_fds=[write_fd], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_fd)
    number = b""
    while not number.endswith(b"\n"):
        chunk = os.read(read_fd, 16)
        if not chunk:
            raise SystemExit("Xvfb did not start")
        number += chunk
    os.close(read_fd)
    return xvfb, ":" + number.decode().strip()


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def resident_mb(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1]) / 1024.0
    return float("nan")


def run_once(program, title, prober, display, folder, idle_seconds, stall_seconds):
    home = tempfile.mkdtemp(prefix="startup-home-")
    runtime = tempfile.mkdtemp(prefix="startup-runtime-")
    os.chmod(runtime, 0o700)
    env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb", HOME=home,
               XDG_CONFIG_HOME=os.path.join(home, ".config"), XDG_RUNTIME_DIR=runtime,
               QT_LOGGING_RULES="qt.widgets.painting=true",
               QT_MESSAGE_PATTERN="%{time boot} %{message}")
    env.pop("QT_SCALE_FACTOR", None)
    started = time.clock_gettime(CLOCK)
    proc = subprocess.Popen([program], cwd=folder, env=env, stdout=subprocess.DEVNULL,
                            stderr=subprocess.PIPE, text=True)
    drawn = None
    for line in proc.stderr:
        if "Flushing top level" in line:
            drawn = float(line.split()[0])
            break
    # Keep draining the log so that the program never blocks on it.
    threading.Thread(target=lambda: [None for _ in proc.stderr], daemon=True).start()
    if drawn is None:
        raise SystemExit(f"{program} ended before drawing its window")
    probe = subprocess.Popen([prober, title, str(stall_seconds)], env=env, stdout=subprocess.PIPE,
                             text=True)
    time.sleep(0.5)
    rss = resident_mb(proc.pid)
    answer = probe.communicate()[0].split()
    if probe.returncode != 0 or len(answer) < 4:
        raise SystemExit(f"{program}: the event loop did not answer: {' '.join(answer)}")
    stall = float(answer[3])
    cpu_before = cpu_seconds(proc.pid)
    # Files appear in the working folder while the program is idle.
    for i in range(idle_seconds * 10):
        with open(os.path.join(folder, f"new-{os.getpid()}-{i}.txt"), "w") as f:
            f.write("x")
        time.sleep(0.1)
    idle_cpu = cpu_seconds(proc.pid) - cpu_before
    proc.send_signal(signal.SIGTERM)
    proc.wait(timeout=10)
    written = [os.path.join(d, f) for d, _, files in os.walk(home) for f in files]
    shutil.rmtree(home, ignore_errors=True)
    shutil.rmtree(runtime, ignore_errors=True)
    for name in os.listdir(folder):
        if name.startswith("new-"):
            os.remove(os.path.join(folder, name))
    return (drawn - started) * 1000.0, rss, idle_cpu * 1000.0, stall, written


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--runs", type=int, default=15)
    parser.add_argument("--files", type=int, default=20000)
    parser.add_argument("--idle", type=int, default=3)
    parser.add_argument("--stall", type=int, default=2)
    parser.add_argument("--build", default=os.path.join(os.path.dirname(__file__), "..", "build"))
    args = parser.parse_args()
    programs = {"dozudo": os.path.join(args.build, "dozudo"),
                "bare": os.path.join(args.build, "bench", "bare_window")}
    titles = {"dozudo": "DOZUDO", "bare": "bare window"}
    prober = os.path.join(args.build, "bench", "loop_latency")
    for p in list(programs.values()) + [prober]:
        if not os.access(p, os.X_OK):
            raise SystemExit(f"missing {p}: build first (scripts/build.sh)")

    folder = tempfile.mkdtemp(prefix="startup-folder-")
    for i in range(args.files):
        open(os.path.join(folder, f"file{i:05}.sdk"), "w").close()
    xvfb, display = start_xvfb()
    results = {name: [] for name in programs}
    written = set()
    try:
        for run in range(args.runs):
            order = list(programs) if run % 2 == 0 else list(reversed(programs))
            for name in order:
                ms, rss, cpu, stall, files = run_once(programs[name], titles[name], prober, display,
                                                      folder, args.idle, args.stall)
                results[name].append((ms, rss, cpu, stall))
                written.update(f"{name}: {f}" for f in files)
                print(f"run {run + 1:2} {name:6} {ms:7.1f} ms {rss:6.1f} MB idle {cpu:5.0f} ms CPU "
                      f"longest wait {stall:6.1f} ms", file=sys.stderr)
    finally:
        xvfb.terminate()
        xvfb.wait()
        shutil.rmtree(folder, ignore_errors=True)

    med = {name: [statistics.median(r[i] for r in rows) for i in range(3)]
           for name, rows in results.items()}
    worst = {name: max(r[3] for r in rows) for name, rows in results.items()}
    d, b = med["dozudo"], med["bare"]
    print(f"medians of {args.runs} alternating runs, working folder of {args.files} files, "
          f"files appearing while idle for {args.idle} s")
    print(f"  exec -> window drawn: dozudo {d[0]:.1f} ms, bare {b[0]:.1f} ms, ratio {d[0] / b[0]:.2f}")
    print(f"  resident memory:      dozudo {d[1]:.1f} MB, bare {b[1]:.1f} MB, ratio {d[1] / b[1]:.2f}")
    print(f"  idle CPU per {args.idle} s:     dozudo {d[2]:.0f} ms, bare {b[2]:.0f} ms")
    print(f"  longest loop wait:    dozudo {worst['dozudo']:.1f} ms, bare {worst['bare']:.1f} ms "
          f"(the worst of all runs, first {args.stall} s after drawing)")
    print("  written to HOME:      " + (", ".join(sorted(written)) if written else "nothing"))


if __name__ == "__main__":
    main()
