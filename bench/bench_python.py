"""The Python module's speed: 8 analyses at 999 panels on two threads against one, and an
analysis at the reference paneling against the same work in liftwise-cli batch, its start
excluded. Each figure is the best of several runs. The machine should be otherwise quiet: the
load average is printed first.

    cmake --build build --target bench_python        (make bench runs it)
"""

import os
import subprocess
import tempfile
import time
from concurrent.futures import ThreadPoolExecutor

import liftwise

DIGITS = ("0012", "2412", "4412", "6409", "23012", "4415", "2418", "23112")


def best(work, runs):
    times = []
    for _ in range(runs):
        start = time.perf_counter()
        work()
        times.append(time.perf_counter() - start)
    return min(times)


def threads_against_one():
    sections = [liftwise.naca(d) for d in DIGITS]
    # The 999-panel inverse once, as every later call at that paneling finds it.
    sections[0].analyze(panels=999)

    def analyses(threads):
        with ThreadPoolExecutor(threads) as pool:
            list(pool.map(lambda s: s.analyze(panels=999), sections))

    # One and two threads in turn, so that another process's burst costs both alike.
    one, two = float("inf"), float("inf")
    for _ in range(12):
        one = min(one, best(lambda: analyses(1), 1))
        two = min(two, best(lambda: analyses(2), 1))
    print(f"8 analyses at 999 panels: 1 thread {1000 * one:.1f} ms, 2 threads {1000 * two:.1f} ms,"
          f" ratio {two / one:.2f}")


def against_batch(folder):
    cli = os.environ["LIFTWISE_CLI"]
    paths = []
    for k in range(5):
        for d in DIGITS:
            path = os.path.join(folder, f"naca{d}-{k}.dat")
            with open(path, "wb") as f:
                f.write(liftwise.naca(d, points=121 + 2 * k).text)
            paths.append(path)

    def batch(files):
        subprocess.run([cli, "batch", "--panels", "200", "--jobs", "1", *files], check=True,
                       stdout=subprocess.DEVNULL)

    n = len(paths)
    per_file = (best(lambda: batch(paths), 5) - best(lambda: batch(paths[:1]), 5)) / (n - 1)
    sections = [liftwise.open(p) for p in paths]
    opened = best(lambda: [liftwise.open(p).analyze(panels=200) for p in paths], 5) / n
    analysed = best(lambda: [s.analyze(panels=200) for s in sections], 5) / n
    batched = best(lambda: liftwise.batch(paths, panels=200, jobs=1), 5) / n
    print(f"a file at 200 panels: liftwise-cli batch {1000 * per_file:.2f} ms (start excluded); "
          f"open + analyze {1000 * opened:.2f} ms ({opened / per_file:.2f}x), analyze of an "
          f"open section {1000 * analysed:.2f} ms ({analysed / per_file:.2f}x), liftwise.batch "
          f"{1000 * batched:.2f} ms ({batched / per_file:.2f}x)")


if __name__ == "__main__":
    print("load average: %.2f %.2f %.2f" % os.getloadavg())
    threads_against_one()
    with tempfile.TemporaryDirectory() as folder:
        against_batch(folder)
