#!/usr/bin/env python3
"""One start of a Windows program for the start-up benchmark: starts the
command, waits for the first window of the started process that the X server
maps (Wine maps a window when it is shown; a layered window, such as the
month window, when its first picture is set), and says how long that took
from the start. After IDLE more seconds it reads the process's resident set
(VmRSS) and its CPU time from /proc, then ends it.

  first_window.py [--idle SECONDS] [--within SECONDS] [--min-size PIXELS] -- COMMAND...

Prints one line "visible MS cpu-until-visible MS rss KB cpu MS" (CPU: user and
system time of the process), or "no window" (exit status 1)
when none came within the time allowed. The command must become the program's
process itself (scripts/wine.sh ends in exec), since windows are matched by
their _NET_WM_PID. Windows smaller than MIN-SIZE on either side (default 40:
tooltips, the tray's own window) do not count.

Xlib through ctypes: no Python module beyond the standard library is needed.
"""
import argparse
import ctypes
import ctypes.util
import os
import select
import signal
import subprocess
import sys
import time

MAP_NOTIFY = 19
SUBSTRUCTURE_NOTIFY_MASK = 1 << 19
XA_CARDINAL = 6


class XMapEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("event", ctypes.c_ulong), ("window", ctypes.c_ulong),
                ("override_redirect", ctypes.c_int)]


class XEvent(ctypes.Union):
    _fields_ = [("type", ctypes.c_int), ("map", XMapEvent), ("pad", ctypes.c_long * 24)]


class XWindowAttributes(ctypes.Structure):
    _fields_ = [("x", ctypes.c_int), ("y", ctypes.c_int), ("width", ctypes.c_int), ("height", ctypes.c_int),
                ("rest", ctypes.c_long * 32)]


def load_xlib():
    x = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
    x.XOpenDisplay.restype = ctypes.c_void_p
    x.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x.XDefaultRootWindow.restype = ctypes.c_ulong
    x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    x.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
    x.XConnectionNumber.argtypes = [ctypes.c_void_p]
    x.XPending.argtypes = [ctypes.c_void_p]
    x.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.POINTER(XEvent)]
    x.XFlush.argtypes = [ctypes.c_void_p]
    x.XInternAtom.restype = ctypes.c_ulong
    x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x.XGetWindowProperty.argtypes = [
        ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_long, ctypes.c_long, ctypes.c_int, ctypes.c_ulong,
        ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.c_int), ctypes.POINTER(ctypes.c_ulong),
        ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.c_void_p)]
    x.XGetWindowAttributes.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(XWindowAttributes)]
    x.XFree.argtypes = [ctypes.c_void_p]
    # A window may be gone before its property is read: no exit on that.
    handler = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)(lambda d, e: 0)
    x.XSetErrorHandler(handler)
    x._keep = handler
    return x


def window_pid(x, display, window, atom):
    kind, fmt = ctypes.c_ulong(), ctypes.c_int()
    count, after, data = ctypes.c_ulong(), ctypes.c_ulong(), ctypes.c_void_p()
    if x.XGetWindowProperty(display, window, atom, 0, 1, 0, XA_CARDINAL, ctypes.byref(kind), ctypes.byref(fmt),
                            ctypes.byref(count), ctypes.byref(after), ctypes.byref(data)) != 0 or not data:
        return None
    pid = ctypes.cast(data, ctypes.POINTER(ctypes.c_ulong))[0] if count.value else None
    x.XFree(data)
    return pid


def process_figures(pid):
    """(resident KB, CPU ms of user + system time) of a running process."""
    rss = 0
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmRSS:"):
                rss = int(line.split()[1])
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    ticks = os.sysconf("SC_CLK_TCK")
    return rss, (int(fields[11]) + int(fields[12])) * 1000 // ticks


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--idle", type=float, default=5)
    parser.add_argument("--within", type=float, default=60)
    parser.add_argument("--min-size", type=int, default=40)
    parser.add_argument("command", nargs="+")
    args = parser.parse_args()

    x = load_xlib()
    display = x.XOpenDisplay(None)
    if not display:
        sys.exit("first_window: no X display")
    x.XSelectInput(display, x.XDefaultRootWindow(display), SUBSTRUCTURE_NOTIFY_MASK)
    x.XFlush(display)
    pid_atom = x.XInternAtom(display, b"_NET_WM_PID", 0)
    connection = x.XConnectionNumber(display)

    started = time.monotonic()
    program = subprocess.Popen(args.command, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL, start_new_session=True)
    visible = None
    event = XEvent()
    attributes = XWindowAttributes()
    while visible is None and time.monotonic() - started < args.within and program.poll() is None:
        if not x.XPending(display):
            select.select([connection], [], [], 0.05)
            continue
        x.XNextEvent(display, ctypes.byref(event))
        if event.type != MAP_NOTIFY:
            continue
        mapped_at = time.monotonic()
        window = event.map.window
        if window_pid(x, display, window, pid_atom) != program.pid:
            continue
        if not x.XGetWindowAttributes(display, window, ctypes.byref(attributes)):
            continue
        if attributes.width >= args.min_size and attributes.height >= args.min_size:
            visible = (mapped_at - started) * 1000
            _, cpu_until_visible = process_figures(program.pid)

    status = 1
    if visible is None:
        print("no window")
    else:
        time.sleep(args.idle)
        if program.poll() is None:
            rss, cpu = process_figures(program.pid)
            print(f"visible {visible:.0f} cpu-until-visible {cpu_until_visible} rss {rss} cpu {cpu}")
            status = 0
        else:
            print("ended while idle")
    if program.poll() is None:
        os.killpg(program.pid, signal.SIGTERM)
        try:
            program.wait(10)
        except subprocess.TimeoutExpired:
            os.killpg(program.pid, signal.SIGKILL)
            program.wait()
    sys.exit(status)


if __name__ == "__main__":
    main()
