"""A private X server for a test program: xvfb-run -a, but searching for a
free display from a random number, since two xvfb-run -a started at the same
time both begin at :99. The server never resets: by default Xvfb resets when
its last client leaves, and a program connecting just as a test's probe
(xdotool) disconnects is refused."""
import random
import subprocess

FIRST_DISPLAY, LAST_DISPLAY = 1000, 30000


def xvfb_run(command, env, timeout, screen=None):
    """Runs command under its own Xvfb; returns its exit status."""
    server = "-noreset" + (" -screen 0 %dx%dx24" % screen if screen else "")
    args = ["xvfb-run", "-n", str(random.randint(FIRST_DISPLAY, LAST_DISPLAY)), "-a", "-s", server]
    return subprocess.run(args + command, env=env, timeout=timeout).returncode
