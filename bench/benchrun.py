# Running build/bin/ondara-bench.exe under Wine with the build's prefix, for the scripts beside it.
import os
import re
import subprocess

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def wine_path():
    """PATH with build/wine64 first: where the kernel runs no 32-bit code, scripts/common.sh leaves Debian's
    64-bit Wine there under the name called here."""
    return os.path.join(ROOT, "build", "wine64") + os.pathsep + os.environ.get("PATH", "")


def run(args):
    """The benchmark's output for the given arguments."""
    env = dict(os.environ, WINEDEBUG="-all", WINEARCH="win32", WINEPREFIX=os.path.join(ROOT, "build", "wineprefix"),
               WINEDLLOVERRIDES="mscoree=;mshtml=;winedbg.exe=d", PATH=wine_path())
    exe = os.path.join(ROOT, "build", "bin", "ondara-bench.exe")
    return subprocess.run(["wine", exe] + args, env=env, capture_output=True, text=True, check=True).stdout


def field(output, name):
    """The text after "name: " in the benchmark's output."""
    return re.search(name + r": (\S+)", output).group(1)
