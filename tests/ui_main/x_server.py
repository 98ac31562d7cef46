"""A private X server for a test program: xvfb-run -a, but searching for a
free display from a random number. Two xvfb-run -a started at the same time
both begin at :99, and the one that loses the race can still run its command
against the other's server, which then refuses it."""
import random
import subprocess

FIRST_DISPLAY, LAST_DISPLAY = 1000, 30000


def xvfb_run(command, env, timeout, screen=None):
    """Runs command under its own Xvfb; returns its exit status."""
    args = ["xvfb-run", "-n", str(random.randint(FIRST_DISPLAY, LAST_DISPLAY)), "-a"]
    if screen:
        args += ["-s", "-screen 0 %dx%dx24" % screen]
    return subprocess.run(args + command, env=env, timeout=timeout).returncode
