"""Running a documented example through vbsrun and judging its output; shared
by the tests of the help reference and of the guide."""
import os
import subprocess
import tempfile


def skip_entries(path, expected):
    """The lines 'key | reason' of a skip list, as (line number, key, reason);
    blank lines and # comments are passed over, a missing file has none."""
    if not os.path.exists(path):
        return
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.strip()
            if not line or line.startswith("#"):
                continue
            key, sep, reason = line.partition(" | ")
            if not sep or not reason.strip():
                raise ValueError(f"{path}:{number}: expected '{expected}'")
            yield number, key.strip(), reason.strip()


def run_example(vbsrun, script, code):
    """Runs the code lines; returns (exit code or None on a time-out, output
    lines, stderr text)."""
    # vbsrun reads a file without a byte order mark as GBK.
    with open(script, "w", encoding="utf-8") as f:
        f.write("\ufeff" + "\r\n".join(code) + "\r\n")
    try:
        run = subprocess.run([vbsrun, script], capture_output=True,
                             stdin=subprocess.DEVNULL, timeout=20)
    except subprocess.TimeoutExpired:
        return None, [], ""
    lines = run.stdout.decode("utf-8", "replace").replace("\r\n", "\n").split("\n")
    if lines and lines[-1] == "":
        lines.pop()
    return run.returncode, lines, run.stderr.decode("utf-8", "replace").strip()


def passed(rc, actual, errors, expected, code):
    # Standard error is the script's own only when it writes there itself;
    # otherwise anything on it is the runner reporting a fault.
    own_errors = any("stderr" in line.lower() for line in code)
    return rc == 0 and (own_errors or not errors) and actual == expected


def describe_failure(where, rc, actual, errors, expected):
    """The failure text for an example that did not pass."""
    if rc is None:
        return f"{where}: example did not finish"
    return (f"{where}: example output differs (exit {rc})\n"
            + "  expected:\n" + "".join(f"    |{l}\n" for l in expected)
            + "  actual:\n" + "".join(f"    |{l}\n" for l in actual)
            + (f"  stderr: {errors}\n" if errors else ""))


class ExampleRun:
    """Runs examples one after another in a temporary folder and collects
    the failures. Skipped examples run too, only to report those that have
    started to pass."""

    def __init__(self, vbsrun):
        self.vbsrun = vbsrun
        self.failures = []
        self.ran = self.skipped = 0
        self._tmp = tempfile.TemporaryDirectory()
        self._script = os.path.join(self._tmp.name, "example.vbs")

    def check(self, where, code, expected, skip):
        rc, actual, errors = run_example(self.vbsrun, self._script, code)
        ok = passed(rc, actual, errors, expected, code)
        if skip:
            self.skipped += 1
            if ok:
                print(f"note: {where} is in skip.txt but now passes")
            return
        self.ran += 1
        if not ok:
            self.failures.append(describe_failure(where, rc, actual, errors, expected))

    def finish(self):
        """Prints the summary and the failures; returns the exit code."""
        self._tmp.cleanup()
        print(f"examples run: {self.ran}, skipped: {self.skipped}")
        for failure in self.failures:
            print("FAIL " + failure)
        return 1 if self.failures else 0
