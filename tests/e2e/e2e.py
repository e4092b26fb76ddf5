#!/usr/bin/env python3
"""End-to-end checks of the Settings program as a user meets it.

Each check starts its own X server (Xvfb, 1024 x 768) with a small window manager (openbox),
starts the real Settings binary on it, drives it from outside with real X input (xdotool),
finds windows by their titles and reads pixels from screenshots (ImageMagick).

    python3 tests/e2e/e2e.py --binary build/src/Settings/Settings --picture assets/card.jpg \\
        --shots build/e2e-shots startup

A failing check prints what it expected and what it saw, and keeps the screenshot of the
moment in the shots folder. `--list` prints the checks.
"""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import time
import traceback

SCREEN_W, SCREEN_H = 1024, 768
PHOTO_W, PHOTO_H = 600, 313
WHITE = (255, 255, 255)

# The circles on the photograph: left, top, width, height inside it, and the popup title.
CIRCLES = [
    ("BaseHighlight", (234, 207, 67, 33), "Base Address"),
    ("IRQSHighlight", (376, 208, 57, 31), "IRQ"),
    ("SeDiffHighlight", (526, 10, 41, 65), "S/E or Diff"),
    ("CalibHighlight1", (224, 0, 73, 57), "Calibration"),
    ("BoardHighlight1", (382, 40, 17, 25), "Calibration"),
    ("BoardHighlight2", (389, 60, 25, 17), "Calibration"),
    ("BoardHighlight3", (506, 14, 25, 17), "Calibration"),
]
HELP_TITLE = "Instructions for Settings utility"

# The base-address switch inside the "Base Address" popup: its place in the popup, and the
# left edge of switch j's slot (switch 0 carries A3, switch 6 carries A9). A slider sits up
# (ON, address bit 0) at rows 13-22 of the switch, down (OFF, bit 1) at rows 26-35.
SWITCH_ORIGIN = (32, 40)
SWITCH_SLOTS = [3 + 14 * j for j in range(7)]
BASE_EDIT_CENTRE = (48 + 20, 8 + 10)

# The calibration wizard in the main window's client area.
CALIB_BUTTON_CENTRE = (48 + 49, 128 + 12)         # in the Calibration popup
NEXT_CENTRE = (216 + 51 + 17, 56 + 158 + 12)      # Data panel, Next button
COUNT_AREA = (216 + 40, 255 + 64, 95, 16)         # CountPanel, the reading's label


class CheckFailed(Exception):
    pass


def run(*cmd, env=None, check=True):
    done = subprocess.run(cmd, capture_output=True, text=True, env=env)
    if check and done.returncode != 0:
        raise CheckFailed(f"{' '.join(cmd)} failed ({done.returncode}): {done.stderr.strip()}")
    return done.stdout


class Image:
    """A screenshot as RGB bytes, read from ImageMagick's binary PPM output."""

    def __init__(self, ppm):
        parts, pos = [], 0
        while len(parts) < 4:  # magic, width, height, maxval; no comments in ImageMagick's output
            while ppm[pos:pos + 1].isspace():
                pos += 1
            end = pos
            while not ppm[end:end + 1].isspace():
                end += 1
            parts.append(ppm[pos:end])
            pos = end
        if parts[0] != b"P6" or parts[3] != b"255":
            raise CheckFailed("a screenshot is not an 8-bit PPM picture")
        self.width, self.height = int(parts[1]), int(parts[2])
        self.data = ppm[pos + 1:]

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.data[i:i + 3])

    def crop(self, x, y, w, h):
        return b"".join(self.data[((y + r) * self.width + x) * 3:((y + r) * self.width + x + w) * 3]
                        for r in range(h))


def near(a, b, tolerance=40):
    return all(abs(p - q) <= tolerance for p, q in zip(a, b))


class Desktop:
    """An X server with a window manager and the program; everything ends on exit."""

    def __init__(self, args, name):
        self.args, self.name = args, name
        self.extra_env = {}  # for the program only
        self.procs = []
        self.program = None

    def __enter__(self):
        for tool in ("Xvfb", "openbox", "xdotool", "xwininfo", "xprop", "import"):
            if not shutil.which(tool):
                raise CheckFailed(f"{tool} is not installed (scripts/install-deps.sh installs it)")
        try:
            self.start_x_server()
            self.start_window_manager()
        except BaseException:
            self.__exit__(None, None, None)  # no X server left behind
            raise
        return self

    def start_x_server(self):
        read_fd, write_fd = os.pipe()
        xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_fd), "-screen", "0",
                                 f"{SCREEN_W}x{SCREEN_H}x24", "-nolisten", "tcp"],
                                pass_fds=(write_fd,), stderr=subprocess.DEVNULL)
        self.procs.append(xvfb)
        os.close(write_fd)
        with os.fdopen(read_fd) as f:
            number = f.readline().strip()
        if not number:
            raise CheckFailed("Xvfb did not start")
        self.runtime = tempfile.TemporaryDirectory(prefix="settings-e2e-")
        self.env = dict(os.environ, DISPLAY=f":{number}", XDG_RUNTIME_DIR=self.runtime.name)
        self.env.pop("QT_QPA_PLATFORM", None)  # the real X server, not the offscreen platform
        self.env.pop("WAYLAND_DISPLAY", None)

    def start_window_manager(self):
        for _ in range(3):  # openbox now and then gives up on a server that just started
            wm = subprocess.Popen(["openbox"], env=self.env, stdout=subprocess.DEVNULL,
                                  stderr=subprocess.DEVNULL)
            self.procs.append(wm)
            ready = self.wait_for(lambda: wm.poll() is not None or "window id" in run(
                "xprop", "-root", "_NET_SUPPORTING_WM_CHECK", env=self.env, check=False),
                "the window manager to start")
            if wm.poll() is None and ready:
                return
        raise CheckFailed(f"openbox ended with status {wm.returncode} three times")

    def __exit__(self, *exc):
        for p in [self.program] + self.procs[::-1]:
            if p and p.poll() is None:
                p.terminate()
                try:
                    p.wait(5)
                except subprocess.TimeoutExpired:
                    p.kill()
        return False

    def start(self):
        env = dict(self.env, **self.extra_env)
        self.log = tempfile.TemporaryFile()
        self.program = subprocess.Popen([self.args.binary], env=env, stdout=self.log, stderr=self.log)

    def program_output(self):
        self.log.seek(0)
        return self.log.read().decode(errors="replace")

    def wait_for(self, condition, what, timeout=15.0):
        end = time.monotonic() + timeout
        while time.monotonic() < end:
            value = condition()
            if value:
                return value
            time.sleep(0.1)
        raise CheckFailed(f"timed out after {timeout:.0f} s waiting for {what}")

    def xdo(self, *args):
        return run("xdotool", *args, env=self.env)

    def window(self, title):
        """The id of a visible window with exactly this title, or None."""
        ids = run("xdotool", "search", "--onlyvisible", "--name", f"^{title}$", env=self.env,
                  check=False).split()
        return ids[0] if ids else None

    def wait_window(self, title, timeout=15.0):
        return self.wait_for(lambda: self.window(title), f'a window titled "{title}"', timeout)

    def wait_gone(self, title, timeout=10.0):
        self.wait_for(lambda: self.window(title) is None, f'the window "{title}" to close', timeout)

    def settled_geometry(self, wid):
        """The window's geometry once the window manager has stopped placing it."""
        last = None
        for _ in range(30):
            now = self.geometry(wid)
            if now == last:
                return now
            last = now
            time.sleep(0.1)
        return last

    def geometry(self, wid):
        """Left, top, width, height of the window's own area (inside the frame), on the screen."""
        values = {}
        for line in run("xwininfo", "-id", wid, env=self.env).splitlines():
            key, _, value = line.strip().partition(":")
            values[key] = value.strip()
        return (int(values["Absolute upper-left X"]), int(values["Absolute upper-left Y"]),
                int(values["Width"]), int(values["Height"]))

    def shot(self):
        return Image(subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"], env=self.env,
                                    capture_output=True, check=True).stdout)

    def keep_shot(self):
        """Saves the screen now as <shots>/<check>.png; returns the path."""
        os.makedirs(self.args.shots, exist_ok=True)
        path = os.path.join(self.args.shots, f"{self.name}.png")
        run("import", "-window", "root", path, env=self.env, check=False)
        return path

    def move(self, x, y):
        # --sync waits for the pointer to arrive; it would wait for nothing if it is already there.
        where = dict(kv.split(":") for kv in self.xdo("getmouselocation").split()[:2])
        if (int(where["x"]), int(where["y"])) != (x, y):
            self.xdo("mousemove", "--sync", str(x), str(y))

    def click(self, x, y):
        self.move(x, y)
        self.xdo("click", "1")


def settle(seconds=0.3):
    time.sleep(seconds)


# --- the main window and the photograph -----------------------------------------------------

def reference_photo(args):
    ppm = subprocess.run(["convert", args.picture, "-depth", "8", "ppm:-"], capture_output=True, check=True).stdout
    img = Image(ppm)
    if (img.width, img.height) != (PHOTO_W, PHOTO_H):
        raise CheckFailed(f"{args.picture} is {img.width} x {img.height}, expected {PHOTO_W} x {PHOTO_H}")
    return img


def client_top(shot, win):
    """The first row of the window's client area: below the menu bar, the form's white."""
    x0, y0, w, h = win
    column = x0 + w - 3
    seen_menu = False
    for y in range(y0, y0 + h):
        white = shot.pixel(column, y) == WHITE
        if not white:
            seen_menu = True
        elif seen_menu:
            return y
    raise CheckFailed("found no menu bar followed by the white client area")


def find_photo(desk, photo, win):
    """Screen position of the photograph: searched around the horizontal centre of the window,
    matched against the picture file (the circles' shading changes only a small part)."""
    shot = desk.shot()
    x0, y0, w, h = win
    samples = [(x, y) for y in range(5, PHOTO_H, 23) for x in range(3, PHOTO_W, 29)]
    expected = [photo.pixel(x, y) for x, y in samples]

    def score(px, py):
        head = sum(near(shot.pixel(px + x, py + y), e) for (x, y), e in zip(samples[:20], expected[:20]))
        if head < 12:  # clearly not here: skip the full count
            return head
        return sum(near(shot.pixel(px + x, py + y), e) for (x, y), e in zip(samples, expected))

    centre_x = x0 + (w - PHOTO_W) // 2
    best = max(((score(px, py), px, py) for py in range(y0, y0 + h - PHOTO_H + 1)
                for px in range(centre_x - 2, centre_x + 3)), default=(0, 0, 0))
    found, px, py = best
    if found < 0.9 * len(samples):
        raise CheckFailed(f"the photograph is not on the screen (best match {found} of {len(samples)} "
                          f"sample pixels at {px},{py})")
    return px, py


def main_window(desk):
    wid = desk.wait_window("Setup")
    settle(0.5)
    return wid, desk.geometry(wid)


def circle_centre(photo_at, rect):
    l, t, w, h = rect
    return photo_at[0] + l + w // 2, photo_at[1] + t + h // 2


def close_help(desk):
    """Closes the help window that opens by itself, as a user would, through the window frame."""
    wid = desk.wait_window(HELP_TITLE)
    for attempt in range(3):  # a key pressed while the window manager still maps it goes astray
        desk.xdo("windowactivate", "--sync", wid)
        desk.xdo("key", "alt+F4")
        try:
            desk.wait_gone(HELP_TITLE, timeout=3)
            return
        except CheckFailed:
            if attempt == 2:
                raise


# --- the checks -------------------------------------------------------------------------------

def check_startup(desk):
    """Setup opens maximised with the photograph centred across it."""
    desk.start()
    wid, win = main_window(desk)
    close_help(desk)  # it opens by itself over the photograph
    state = run("xprop", "-id", wid, "_NET_WM_STATE", env=desk.env)
    for flag in ("_NET_WM_STATE_MAXIMIZED_VERT", "_NET_WM_STATE_MAXIMIZED_HORZ"):
        if flag not in state:
            raise CheckFailed(f"Setup is not maximised: {state.strip()}")
    if win[2] != SCREEN_W:
        raise CheckFailed(f"Setup is {win[2]} pixels wide on a {SCREEN_W}-pixel screen")
    px, py = find_photo(desk, reference_photo(desk.args), win)
    left_gap, right_gap = px - win[0], win[0] + win[2] - (px + PHOTO_W)
    if abs(left_gap - right_gap) > 1:
        raise CheckFailed(f"the photograph is not centred: {left_gap} pixels left of it, {right_gap} right")
    top = client_top(desk.shot(), win)
    if py < top or py + PHOTO_H > win[1] + win[3]:
        raise CheckFailed(f"the photograph ({py}..{py + PHOTO_H}) is not inside the client area "
                          f"({top}..{win[1] + win[3]})")


def check_warning_first(desk):
    """Without the port driver the "Warning" box comes before the main window."""
    desk.extra_env["KELTO32_BACKEND"] = "none"
    desk.start()
    box = desk.wait_window("Warning")
    if desk.window("Setup"):
        raise CheckFailed('the main window is on screen while the "Warning" box is open')
    desk.xdo("windowactivate", "--sync", box)
    desk.xdo("key", "Escape")
    desk.wait_gone("Warning")
    main_window(desk)  # start-up goes on after the answer


def check_help_start(desk):
    """The help window appears by itself; its Start button opens the "Base Address" popup."""
    desk.start()
    main_window(desk)
    wid = desk.wait_window(HELP_TITLE)
    if desk.window("Base Address"):
        raise CheckFailed("the Base Address popup is open before Start")
    x, y, w, h = desk.settled_geometry(wid)
    desk.click(x + w // 2, y + h - 21)  # Start: centred at the bottom of the window
    desk.wait_gone(HELP_TITLE)
    desk.wait_window("Base Address", timeout=5)


def check_hover(desk):
    """Each circle opens its popup under the pointer; leaving onto the photograph closes it."""
    desk.start()
    _, win = main_window(desk)
    close_help(desk)
    photo_at = find_photo(desk, reference_photo(desk.args), win)
    desk.move(photo_at[0] + 300, photo_at[1] + 300)
    for name, rect, title in CIRCLES:
        desk.move(*circle_centre(photo_at, rect))
        pid = desk.wait_window(title, timeout=5)
        px, py, pw, ph = desk.settled_geometry(pid)
        # A point on the photograph away from every circle and outside the popup (and its frame).
        spots = [(10, 300), (590, 300), (300, 300), (10, 10), (150, 150), (590, 150)]
        leave = next(((sx, sy) for sx, sy in spots
                      if not (px - 30 <= photo_at[0] + sx <= px + pw + 30 and
                              py - 40 <= photo_at[1] + sy <= py + ph + 30)), None)
        if leave is None:
            raise CheckFailed(f"the {title} popup of {name} covers every spot to leave to")
        desk.move(photo_at[0] + leave[0], photo_at[1] + leave[1])
        try:
            desk.wait_gone(title, timeout=5)
        except CheckFailed as e:
            raise CheckFailed(f"leaving {name}: {e}")


def switch_positions(shot, at):
    """'U' or 'D' per switch, A3 first, read from the slider slots of the drawn switch."""
    result = ""
    for left in SWITCH_SLOTS:
        up = shot.pixel(at[0] + left + 6, at[1] + 17) == WHITE
        down = shot.pixel(at[0] + left + 6, at[1] + 30) == WHITE
        result += "U" if up and not down else "D" if down and not up else "?"
    return result


def check_base_address_2a0(desk):
    """Typing 2a0 moves the drawn switch's sliders of A5 and A7 down (A9 stays down)."""
    desk.start()
    main_window(desk)
    wid = desk.wait_window(HELP_TITLE)
    x, y, w, h = desk.settled_geometry(wid)
    desk.click(x + w // 2, y + h - 21)
    popup = desk.wait_window("Base Address", timeout=5)
    px, py, _, _ = desk.settled_geometry(popup)
    switch_at = (px + SWITCH_ORIGIN[0], py + SWITCH_ORIGIN[1])
    before = switch_positions(desk.shot(), switch_at)
    if before != "UUUUUUD":  # 200h: only A9 set, and a set bit is a switch OFF (down)
        raise CheckFailed(f"the switch for 200 reads {before} (A3..A9), expected UUUUUUD")
    desk.click(px + BASE_EDIT_CENTRE[0], py + BASE_EDIT_CENTRE[1])
    desk.xdo("key", "ctrl+a")
    desk.xdo("type", "--delay", "50", "2a0")
    settle()
    after = switch_positions(desk.shot(), switch_at)
    if after != "UUDUDUD":
        raise CheckFailed(f"after typing 2a0 the switch reads {after} (A3..A9), expected UUDUDUD")


def check_readout(desk):
    """The wizard walked to its first readout step shows a reading that changes over time."""
    desk.start()
    _, win = main_window(desk)
    close_help(desk)
    photo_at = find_photo(desk, reference_photo(desk.args), win)
    desk.click(*circle_centre(photo_at, CIRCLES[3][1]))  # a click pins the popup
    popup = desk.wait_window("Calibration", timeout=5)
    px, py, _, _ = desk.settled_geometry(popup)
    desk.click(px + CALIB_BUTTON_CENTRE[0], py + CALIB_BUTTON_CENTRE[1])
    settle()
    client = (win[0], client_top(desk.shot(), win))
    for _ in range(4):
        desk.click(client[0] + NEXT_CENTRE[0], client[1] + NEXT_CENTRE[1])
        settle()
    x, y, w, h = COUNT_AREA
    seen = set()
    for _ in range(25):
        area = desk.shot().crop(client[0] + x, client[1] + y, w, h)
        if any(b != 255 for b in area):  # text on the white label
            seen.add(area)
        time.sleep(0.12)
    if len(seen) < 2:
        raise CheckFailed(f"the reading area showed {len(seen)} different non-empty pictures in 3 s, "
                          "expected a reading that changes")


def check_file_exit(desk):
    """File > Exit ends the program with exit status 0."""
    desk.start()
    wid, _ = main_window(desk)
    close_help(desk)
    desk.xdo("windowactivate", "--sync", wid)
    desk.xdo("key", "alt+f")
    settle()
    desk.xdo("key", "e")
    try:
        status = desk.program.wait(10)
    except subprocess.TimeoutExpired:
        raise CheckFailed("the program still runs 10 s after File > Exit")
    if status != 0:
        raise CheckFailed(f"the program ended with status {status} after File > Exit")


CHECKS = {
    "startup": check_startup,
    "warning_first": check_warning_first,
    "help_start": check_help_start,
    "hover": check_hover,
    "base_address_2a0": check_base_address_2a0,
    "readout": check_readout,
    "file_exit": check_file_exit,
}


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--binary", default="build/src/Settings/Settings")
    parser.add_argument("--picture", default="assets/card.jpg")
    parser.add_argument("--shots", default="build/e2e-shots")
    parser.add_argument("--list", action="store_true")
    parser.add_argument("checks", nargs="*")
    args = parser.parse_args()
    if args.list:
        for name, fn in CHECKS.items():
            print(f"{name:18} {fn.__doc__}")
        return 0
    failed = 0
    for name in args.checks or list(CHECKS):
        if name not in CHECKS:
            print(f"no check named {name}; --list shows them", file=sys.stderr)
            return 2
        try:
            with Desktop(args, name) as desk:
                try:
                    CHECKS[name](desk)
                    if desk.program and desk.program.poll() not in (None, 0):
                        raise CheckFailed(f"the program ended with status {desk.program.returncode}")
                except Exception as error:
                    failure = error
                    if not isinstance(error, CheckFailed):  # a fault of the check itself: say where
                        traceback.print_exc()
                        failure = CheckFailed(f"{type(error).__name__}: {error}")
                    path = desk.keep_shot()
                    print(f"screenshot kept: {path}", file=sys.stderr)
                    if desk.program:
                        print(f"program output:\n{desk.program_output()}", file=sys.stderr)
                    raise failure from None
            print(f"PASS {name}")
        except CheckFailed as e:
            failed += 1
            print(f"FAIL {name}: {e}", file=sys.stderr)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
