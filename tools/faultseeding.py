"""Shared by tools/fault-check and tools/mutation-sample: a scratch copy of the
working tree with a build of its own, into which one fault at a time is written,
built incrementally and tested, and then taken out again.

The copy is refreshed file by file, so a file that has not changed keeps its
time stamp and the next build only recompiles what a fault touched.
"""
import contextlib, os, re, shutil, subprocess, sys

TOP = subprocess.run(["git", "rev-parse", "--show-toplevel"], capture_output=True, text=True,
                     cwd=os.path.dirname(os.path.abspath(__file__))).stdout.strip()

# The folders whose code ships in the programs; tests, bench, fuzz and tools do not.
PRODUCT_FOLDERS = ["engine", "calc", "workspace", "shell", "platform", "schema", "cli", "resources"]


def run(cmd, cwd=None, timeout=None):
    return subprocess.run(cmd, cwd=cwd, capture_output=True, text=True, errors="replace", timeout=timeout)


def test_environment():
    return dict(os.environ, QT_QPA_PLATFORM=os.environ.get("QT_QPA_PLATFORM", "offscreen"))


def copy_tree(source, target):
    """The working tree as git sees it (tracked and new files), without builds."""
    files = run(["git", "ls-files", "-co", "--exclude-standard"], cwd=source).stdout.split("\n")
    keep = set()
    for name in filter(None, files):
        src, dst = os.path.join(source, name), os.path.join(target, name)
        if not os.path.isfile(src):
            continue
        keep.add(dst)
        if os.path.exists(dst) and open(src, "rb").read() == open(dst, "rb").read():
            continue
        os.makedirs(os.path.dirname(dst), exist_ok=True)
        # A changed file is stamped now, not with its own time: the copy's build
        # may hold objects made after the change was written but from the old text.
        shutil.copyfile(src, dst)
        shutil.copymode(src, dst)
    for d, _, fs in os.walk(target):
        for name in fs:
            if os.path.join(d, name) not in keep:
                os.remove(os.path.join(d, name))


class ScratchCopy:
    """FOLDER/src, a copy of the working tree, and FOLDER/build, its build."""

    def __init__(self, folder, jobs):
        self.source = os.path.join(folder, "src")
        self.build = os.path.join(folder, "build")
        self.jobs = jobs

    def refresh(self):
        os.makedirs(self.source, exist_ok=True)
        copy_tree(TOP, self.source)

    def configure(self, *options):
        # An unknown build type adds no compiler flags: the quickest builds.
        configure = ["cmake", "-S", self.source, "-B", self.build, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=FaultCheck",
                     "-DQUORVEL_BUILD_BENCHMARKS=OFF", *options]
        step = run(configure)
        if step.returncode != 0:
            sys.exit("configuring the scratch copy failed:\n" + step.stdout + step.stderr)

    def make(self, targets=()):
        """Builds the targets (everything when none are named); the output's end when it fails."""
        targets = ["--target", *targets] if targets else []
        made = run(["cmake", "--build", self.build, "-j", str(self.jobs), *targets])
        if made.returncode != 0:
            return False, made.stdout[-3000:] + made.stderr[-3000:]
        return True, ""

    def path(self, name):
        return os.path.join(self.source, name)

    @contextlib.contextmanager
    def edited(self, name, text):
        """FILE holds TEXT inside the block and its own text again after it, whatever happens."""
        path = self.path(name)
        with open(path, encoding="utf-8") as f:
            original = f.read()
        with open(path, "w", encoding="utf-8") as f:
            f.write(text)
        try:
            yield
        finally:
            with open(path, "w", encoding="utf-8") as f:
                f.write(original)

    def ctest(self):
        """The whole suite through CTest, stopping at the first failure: (passed, output)."""
        tested = subprocess.run(["ctest", "--test-dir", self.build, "-j", str(self.jobs), "--timeout", "120",
                                 "--stop-on-failure", "--output-on-failure"],
                                capture_output=True, text=True, errors="replace", env=test_environment())
        return tested.returncode == 0, tested.stdout


def first_failure(output):
    """The name of the first test that failed, from ctest's progress lines."""
    found = re.search(r"Test\s+#\d+: (\S+) \.*\**\s*(Failed|Timeout|SEGFAULT|Subprocess aborted|Exception|Not Run)",
                      output)
    if not found:
        found = re.search(r"^\s*\d+ - (\S+) \((Failed|Timeout|SEGFAULT|Subprocess aborted|Exception|Not Run)",
                          output, re.M)
    if found:
        return found.group(1) + ("" if found.group(2) == "Failed" else f" ({found.group(2).lower()})")
    return "a test failed"
