# Running build/bin/ondara-bench.exe under Wine with the build's prefix, for the scripts beside it.
import os
import re
import subprocess

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def run(args):
    """The benchmark's output for the given arguments."""
    env = dict(os.environ, WINEDEBUG="-all", WINEARCH="win32", WINEPREFIX=os.path.join(ROOT, "build", "wineprefix"),
               WINEDLLOVERRIDES="mscoree=;mshtml=;winedbg.exe=d")
    exe = os.path.join(ROOT, "build", "bin", "ondara-bench.exe")
    return subprocess.run(["wine", exe] + args, env=env, capture_output=True, text=True, check=True).stdout


def field(output, name):
    """The text after "name: " in the benchmark's output."""
    return re.search(name + r": (\S+)", output).group(1)
