#!/usr/bin/env python3
"""A short assignment worked by keyboard alone, checked as a screen reader sees the window.

Runs the Qt front end on a virtual X display (Xvfb) started here, in the D-Bus session the script
runs in (dbus-run-session starts one), with the accessibility bus started here. Keys go in through
xdotool only; everything checked is read through AT-SPI, as Orca reads it: the focused object, its
name, description and role, and the text from its caret on.

Usage: screen_reader_session.py STEPWISE_PROGRAM
Exits 0 when every step reads as it should, 1 with the failing step on stderr.
"""
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

STEP_TIMEOUT = 60.0  # seconds; CI runs tests in parallel on two cores
POLL = 0.1


class Failure(Exception):
    pass


def pump_events():
    context = GLib.MainContext.default()
    while context.pending():
        context.iteration(False)


def wait_for(what, probe, timeout=STEP_TIMEOUT):
    """Polls probe() until it gives something true; returns that, or fails naming `what`."""
    deadline = time.monotonic() + timeout
    last_error = None
    while time.monotonic() < deadline:
        pump_events()
        try:
            found = probe()
            if found:
                return found
        except GLib.Error as error:  # an object that went away while it was read
            last_error = error
        time.sleep(POLL)
    raise Failure(f"timed out waiting for {what}" + (f" ({last_error})" if last_error else ""))


def application(pid):
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        if app is not None and app.get_process_id() == pid:
            app.set_cache_mask(Atspi.Cache.NONE)
            return app
    return None


def walk(node, depth=0):
    if node is None or depth > 30:
        return
    yield node
    for i in range(node.get_child_count()):
        yield from walk(node.get_child_at_index(i), depth + 1)


def focused(app):
    for node in walk(app):
        if node.get_state_set().contains(Atspi.StateType.FOCUSED):
            return node
    return None


def find(app, role, name):
    for node in walk(app):
        if node.get_role_name() == role and node.get_name() == name:
            return node
    return None


def has_text(node):
    return "Text" in node.get_interfaces()


def text_of(node):
    return Atspi.Text.get_text(node, 0, Atspi.Text.get_character_count(node)) if has_text(node) else ""


def caret(node):
    return Atspi.Text.get_caret_offset(node) if has_text(node) else -1


def from_caret(node):
    return text_of(node)[caret(node):] if has_text(node) else ""


def describe(node):
    if node is None:
        return "nothing"
    return f"{node.get_role_name()} '{node.get_name()}' ({node.get_description()})"


class Session:
    def __init__(self, program, home):
        self.home = home
        runtime = os.path.join(home, "runtime")
        os.mkdir(runtime, 0o700)
        env = dict(os.environ, HOME=home, XDG_RUNTIME_DIR=runtime, QT_QPA_PLATFORM="xcb",
                   QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1", LANG="C.UTF-8")
        self.process = subprocess.Popen([program], env=env)
        self.app = wait_for("the program on the accessibility bus", lambda: application(self.process.pid))

    def keys(self, *keys):
        subprocess.run(["xdotool", "key", "--delay", "50", *keys], check=True)

    def type(self, text):
        subprocess.run(["xdotool", "type", "--delay", "50", text], check=True)

    def focus_window(self, title):
        """Gives the keyboard to the top-level window of that title (there is no window manager)."""
        windows = wait_for(f"the window '{title}'", lambda: subprocess.run(
            ["xdotool", "search", "--onlyvisible", "--name", f"^{title}$"],
            capture_output=True, text=True).stdout.split())
        subprocess.run(["xdotool", "windowfocus", "--sync", windows[-1]], check=True)

    def focused_where(self, what, check):
        """Waits until the focused object passes check(); returns it."""
        def probe():
            node = focused(self.app)
            return node if node is not None and check(node) else None
        try:
            return wait_for(what, probe)
        except Failure:
            raise Failure(f"{what}: the focus is on {describe(focused(self.app))}")

    def prompt(self, message_start):
        """Waits for a prompt whose focused entry line a screen reader would read with its message."""
        def has_message(node):
            dialog = node.get_parent()
            return node.get_role_name() in ("text", "entry") and dialog is not None and any(
                label.get_role_name() == "label" and label.get_name().startswith(message_start)
                for label in walk(dialog))
        return self.focused_where(f"the prompt '{message_start}'", has_message)

    def send_file(self):
        """The SEND file, whose name holds today's date; b"" while there is none."""
        folder = os.path.join(self.home, "qwelrand")
        names = [n for n in os.listdir(folder) if n.startswith("send_") and n.endswith("Ann_Lee.txt")]
        if len(names) != 1:
            return b""
        with open(os.path.join(folder, names[0]), "rb") as f:
            return f.read()

    def close(self):
        if self.process.poll() is None:
            self.process.send_signal(signal.SIGTERM)
            try:
                self.process.wait(10)
            except subprocess.TimeoutExpired:
                self.process.kill()


def bus_name_owned(name):
    reply = subprocess.run(["dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus",
                            "/org/freedesktop/DBus", "org.freedesktop.DBus.NameHasOwner", f"string:{name}"],
                           capture_output=True, text=True)
    return reply.returncode == 0 and "boolean true" in reply.stdout


def start_display():
    """Starts Xvfb on a display number it picks itself (tests run in parallel); returns the server."""
    read_end, write_end = os.pipe()
    server = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
                              pass_fds=(write_end,), stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as numbers:
        number = numbers.readline().strip()
    if not number:
        raise Failure("Xvfb did not start")
    os.environ["DISPLAY"] = f":{number}"
    os.environ.pop("XAUTHORITY", None)
    return server


def run(program):
    home = tempfile.mkdtemp(prefix="stepwise-screen-reader.")
    step = "the virtual display"
    display = launcher = session = None
    try:
        display = start_display()
        step = "the program's start"
        launcher = subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
        # The accessibility bus and its registry up before the program looks for them.
        wait_for("the accessibility bus", lambda: bus_name_owned("org.a11y.Bus"))
        wait_for("the accessibility registry", lambda: Atspi.get_desktop(0) is not None
                 and Atspi.get_desktop(0).get_name() == "main")
        session = Session(program, home)
        step = "start-up"

        session.prompt("Your full name:")
        session.focus_window("Stepwise")
        session.type("Ann Lee")
        session.keys("Return")
        session.prompt("Enter 1 if you want to change the folder")
        session.keys("Return")

        step = "the window"
        session.focus_window("Form1")
        lesson = session.focused_where("the lesson text focused in Form1",
                                       lambda n: n.get_name() == "Lesson text")
        if "Ctrl+N" not in lesson.get_description():
            raise Failure(f"the lesson text does not say how to go on: {describe(lesson)}")
        picture = find(session.app, "image", "Picture 1")
        if picture is None or picture.get_description() != "empty":
            raise Failure(f"Picture 1 is not an empty image: {describe(picture)}")

        step = "Ctrl+N from the response box shows the first block"
        session.keys("Tab")
        response = session.focused_where("the response box", lambda n: n.get_name() == "Your response")
        if "Ctrl+Return records it" not in response.get_description():
            raise Failure(f"the response box does not say how to record: {describe(response)}")
        session.keys("ctrl+n")
        session.focused_where("the first block read from the caret", lambda n: n.get_name() == "Lesson text"
                              and from_caret(n).startswith("`q001.  You should copy"))

        step = "an answer typed and recorded with Ctrl+Return"
        session.keys("Tab")
        session.focused_where("the response box", lambda n: n.get_name() == "Your response")
        session.keys("ctrl+a")
        session.type("my answer")
        session.focused_where("the answer typed", lambda n: text_of(n) == "my answer")
        session.keys("ctrl+Return")
        session.prompt("Assess your level of confidence")
        session.focus_window("Stepwise")
        session.type("3")
        session.keys("Return")
        session.focus_window("Form1")  # a window manager would give the window the keyboard back
        session.focused_where("the emptied response box, after the record",
                              lambda n: n.get_name() == "Your response" and text_of(n) == "")
        wait_for("the record in the SEND file",
                 lambda: b"my answer\r\nconfidence assessment:  3\r\n" in session.send_file(), timeout=5)

        step = "Ctrl+N shows the next block"
        session.keys("ctrl+n")
        block = session.focused_where("the next block read from the caret", lambda n: n.get_name() == "Lesson text"
                                      and caret(n) == 0 and text_of(n) != "")
        if text_of(block).startswith("`q001"):
            raise Failure("the first block again")
        print(f"read after the second Ctrl+N: {from_caret(block)[:60]!r}")
        print("the screen reader session passed: every step read as a screen reader should read it")
        return 0
    except Failure as failure:
        print(f"screen reader session failed at {step}: {failure}", file=sys.stderr)
        return 1
    finally:
        if session:
            session.close()
        for process in (launcher, display):
            if process:
                process.terminate()
                process.wait()
        shutil.rmtree(home, ignore_errors=True)


if __name__ == "__main__":
    if len(sys.argv) != 2:
        print(__doc__, file=sys.stderr)
        sys.exit(2)
    sys.exit(run(sys.argv[1]))
