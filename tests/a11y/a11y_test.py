#!/usr/bin/python3
"""The main window as a screen reader reads it, through AT-SPI.

Run by run_a11y_test.sh, inside a D-Bus session and an X server with the
accessibility bus and the program (vozaz2) already started. Reads the name
and text of every box, walks the inputs with Tab, starts a run with F5,
stops and continues it with F6, makes a step with F8, and checks that the
time box reports its changes during the run (how often, against the wall
clock, is printed only: the window's pacing of the reports is checked by
tests/ui/AnnouncementTest.cpp, frame by frame). Every wait is for what the
program shows, with a deadline that only guards against a hang, so a slow or
busy machine passes as a fast one does. Exits 0 when all is as expected, 1
otherwise; prints what it read.
"""
import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

HANG = 60  # seconds: a deadline for what should take a moment
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


def find_app(name, seconds=2 * HANG):
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


def wait_for(condition, seconds=HANG):
    end = time.time() + seconds
    while time.time() < end:
        if condition():
            return True
        time.sleep(0.05)
    return False


def xdotool(*args):
    return subprocess.run(["xdotool", *args], check=True, capture_output=True, text=True,
                          timeout=HANG).stdout


def key(name):
    xdotool("key", "--clearmodifiers", name)


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
    window = xdotool("search", "--sync", "--name", "^Vozaz2$").split()[0]
    xdotool("windowfocus", "--sync", window)
    focused = lambda: [b.name for b in boxes if b.getState().contains(pyatspi.STATE_FOCUSED)]
    walked = focused()
    for _ in range(15):  # each Tab moves the focus to the next box
        key("Tab")
        if not wait_for(lambda: focused() not in ([], walked[-1:])):
            break
        walked += focused()
        if walked[-1] == "шаг, с":
            break
    print("Tab walked:", " | ".join(walked))
    check(walked[-1:] == ["шаг, с"], "Tab reaches the step box")

    # The keys reach the program in order: once a Tab and a Shift+Tab have
    # moved the focus away from the step box and back, every key before them
    # has been handled.
    def handled():
        key("Tab")
        check(wait_for(lambda: focused() != ["шаг, с"]), "Tab leaves the step box")
        key("shift+Tab")
        check(wait_for(lambda: focused() == ["шаг, с"]), "Shift+Tab comes back to the step box")

    t = by_name["T, с"]
    key("F5")
    check(wait_for(lambda: number(text_of(t)) > 0.5), "F5 starts the run: T passes 0.5 s")
    print("After \"Начать\":")
    for b in boxes:
        print(f"  {b.name}: {text_of(b)}")
    check(number(text_of(by_name["V1, м/с"])) == 2 and number(text_of(by_name["J1, кг * м^2"])) == 2,
          "the start values V1 = 2, J1 = 2")

    # The time box reports its changes while the run goes on: listened to
    # for two seconds, and on until it has reported one (or the deadline).
    # The listener asks the program nothing: all boxes report at every frame,
    # and a reader that queried each report would fall ever further behind.
    reports, others = [], [0]

    def listener(event):
        if event.source == t:
            reports.append(event.any_data)
        else:
            others[0] += 1
    pyatspi.Registry.registerEventListener(listener, "object:text-changed:insert")
    start, began = number(text_of(t)), time.time()

    def enough():
        if reports or time.time() - began > HANG:
            pyatspi.Registry.stop()
            return False
        return True
    GLib.timeout_add(2000, enough)
    pyatspi.Registry.start()
    wall = time.time() - began
    pyatspi.Registry.deregisterEventListener(listener, "object:text-changed:insert")
    steps = (number(text_of(t)) - start) / 0.005
    print(f"T reported {len(reports)} changes in {wall:.2f} s ({len(reports) / wall:.1f} a second), "
          f"the other boxes {others[0]}, while the run made {steps / wall:.0f} steps a second "
          f"(figures only); T's last reports: {reports[-3:]}")
    check(len(reports) > 0, "T reports its changes during the run")

    key("F6")
    handled()
    stopped = number(text_of(t))
    time.sleep(0.3)
    check(number(text_of(t)) == stopped, "F6 stops the run")
    key("F8")
    check(wait_for(lambda: number(text_of(t)) != stopped), "F8 makes a step")
    handled()
    check(abs(number(text_of(t)) - stopped - 0.005) < 1e-9, "F8 makes one step of 0.005 s")
    key("F6")
    check(wait_for(lambda: number(text_of(t)) > stopped + 0.1), "F6 continues the run")
    key("F6")
    print("failures:", len(failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
