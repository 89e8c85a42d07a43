#!/usr/bin/python3
"""The main window as a screen reader reads it, through AT-SPI.

Run by run_a11y_test.sh, inside a D-Bus session and an X server with the
accessibility bus and the program (vozaz2) already started. Reads the name
and text of every box, walks the inputs with Tab, starts a run with F5,
stops and continues it with F6, makes a step with F8, and counts how often
the time box reports a change during the run. Exits 0 when all is as
expected, 1 otherwise; prints what it read.
"""
import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

FRAME_RATE = 1000 / 16  # the window repaints, and reports, at most this often
failures = []


def check(ok, what):
    if not ok:
        failures.append(what)
        print("FAILED:", what)


def program_alive():
    pid = os.environ.get("VOZAZ2_A11Y_APP_PID")
    if not pid:
        return True
    try:
        os.kill(int(pid), 0)
        return True
    except OSError:
        return False


def find_app(name, seconds=20):
    end = time.time() + seconds
    while time.time() < end and program_alive():
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == name and app.childCount > 0:
                return app
        time.sleep(0.2)
    return None


def descendants(obj):
    for child in obj:
        if child is not None:
            yield child
            yield from descendants(child)


def text_of(obj):
    t = obj.queryText()
    return t.getText(0, t.characterCount)


def number(text):
    return float(text.replace(",", "."))


def wait_for(condition, seconds=10):
    end = time.time() + seconds
    while time.time() < end:
        if condition():
            return True
        time.sleep(0.05)
    return False


def key(name):
    subprocess.run(["xdotool", "key", "--clearmodifiers", name], check=True)
    time.sleep(0.15)


def main():
    app = find_app("vozaz2")
    if app is None:
        print("FAILED: no application vozaz2 on the accessibility bus"
              + ("" if program_alive() else " (the program has ended)"))
        return 1
    frame = app[0]
    everything = list(descendants(frame))
    boxes = [o for o in everything if o.getRole() in (pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY,
                                                      pyatspi.ROLE_PASSWORD_TEXT)]
    check(len(boxes) == 43, f"43 text boxes, found {len(boxes)}")
    check(all(b.getRole() != pyatspi.ROLE_PASSWORD_TEXT for b in boxes), "no box is a password box")
    by_name = {b.name: b for b in boxes}
    check(len(by_name) == len(boxes) and all(by_name), "every box has a name of its own")
    for name, value in {"R1, м": 1, "w1, рад/с": 2, "CL, н/м": 10, "шаг, с": 0.005,
                        "Время окончания разлета Tr, с": 1.2}.items():
        check(name in by_name and number(text_of(by_name[name])) == value, f"{name} reads {value}")

    captions = {o.name: o.getRoleName() for o in everything
                if o.getRole() in (pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_CHECK_BOX, pyatspi.ROLE_RADIO_BUTTON)}
    for caption, role in {"Начать": "push button", "Сделать 1 шаг": "push button", "VL= 0": "check box",
                          "FL= 0 до 1 с ": "check box", "Нити": "radio button", "m=1+1": "radio button",
                          "Mx задать вручную": "check box"}.items():
        check(captions.get(caption) == role, f"{caption!r} is a {role}, found {captions.get(caption)}")
    check(len(captions) == 19, f"19 buttons and switches, found {len(captions)}")
    screens = [o.name for o in everything if o.getRole() == pyatspi.ROLE_IMAGE]
    check(len(screens) == 3 and all(screens), "three screens with names")

    # The keyboard alone: the window takes the focus, Tab walks to the step box.
    window = subprocess.run(["xdotool", "search", "--sync", "--name", "^Vozaz2$"], check=True,
                            capture_output=True, text=True).stdout.split()[0]
    subprocess.run(["xdotool", "windowfocus", "--sync", window], check=True)
    time.sleep(0.3)
    focused = lambda: [b.name for b in boxes if b.getState().contains(pyatspi.STATE_FOCUSED)]
    walked = []
    for _ in range(15):
        key("Tab")
        walked += focused()
        if walked and walked[-1] == "шаг, с":
            break
    print("Tab walked:", " | ".join(walked))
    check(walked[-1:] == ["шаг, с"], "Tab reaches the step box")

    t = by_name["T, с"]
    key("F5")
    check(wait_for(lambda: number(text_of(t)) > 0.5), "F5 starts the run: T passes 0.5 s")
    print("After \"Начать\":")
    for b in boxes:
        print(f"  {b.name}: {text_of(b)}")
    check(number(text_of(by_name["V1, м/с"])) == 2 and number(text_of(by_name["J1, кг * м^2"])) == 2,
          "the start values V1 = 2, J1 = 2")

    # How often the time box reports its change while the run goes on.
    changes = []
    listener = lambda event: changes.append(event.source.name)
    pyatspi.Registry.registerEventListener(listener, "object:text-changed:insert")
    GLib.timeout_add(2000, lambda: pyatspi.Registry.stop())
    start, began = number(text_of(t)), time.time()
    pyatspi.Registry.start()
    wall = time.time() - began
    steps = (number(text_of(t)) - start) / 0.005
    pyatspi.Registry.deregisterEventListener(listener, "object:text-changed:insert")
    reports = changes.count("T, с")
    print(f"T reported {reports} changes in {wall:.2f} s ({reports / wall:.1f} a second) "
          f"while the run made {steps / wall:.0f} steps a second")
    check(0 < reports <= wall * FRAME_RATE * 1.2 + 2, "T reported at most at the display's rate")

    key("F6")
    stopped = number(text_of(t))
    time.sleep(0.3)
    check(number(text_of(t)) == stopped, "F6 stops the run")
    key("F8")
    check(abs(number(text_of(t)) - stopped - 0.005) < 1e-9, "F8 makes one step of 0.005 s")
    key("F6")
    check(wait_for(lambda: number(text_of(t)) > stopped + 0.1), "F6 continues the run")
    key("F6")
    print("failures:", len(failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
