#!/usr/bin/python3
"""CPU time to the first mapped top-level window, read from the scheduler's own count
(nanoseconds, every thread) instead of clock ticks: at a few tens of milliseconds the
ticks round each of user and system time down to 10 ms, which hides most changes.
usage: startcpu.py RUNS -- CMD_A ... -- CMD_B ...   (under Xvfb; alternates A and B)"""
import glob, os, statistics, subprocess, sys, time
from Xlib import X, display


def cpu_ms(pid):
    total = 0
    for path in glob.glob(f"/proc/{pid}/task/*/schedstat"):
        try:
            total += int(open(path).read().split()[0])
        except OSError:
            pass
    return total / 1e6


def one(cmd):
    d = display.Display()
    d.screen().root.change_attributes(event_mask=X.SubstructureNotifyMask)
    d.sync()
    p = subprocess.Popen(cmd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, cwd=os.path.dirname(cmd[0]) or ".")
    cpu = float("nan")
    t0 = time.monotonic()
    while time.monotonic() - t0 < 20:
        if not d.pending_events():
            time.sleep(0.0005)
            continue
        e = d.next_event()
        if e.type == X.MapNotify and not e.override:
            cpu = cpu_ms(p.pid)
            break
    p.terminate()
    p.wait(5)
    d.close()
    return cpu


args = sys.argv[1:]
runs = int(args[0])
rest = args[2:]
i = rest.index("--")
a, b = rest[:i], rest[i + 1:]
one(a)
one(b)  # warm caches
ca, cb = [], []
for _ in range(runs):
    ca.append(one(a))
    cb.append(one(b))
qa, qb = statistics.median(ca), statistics.median(cb)
print(f"A median CPU to map {qa:.1f} ms (scheduler count)")
print(f"B median CPU to map {qb:.1f} ms (scheduler count)")
print(f"CPU to map ratio B/A {qb / qa:.2f} (scheduler count)")
