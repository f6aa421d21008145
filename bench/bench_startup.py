#!/usr/bin/env python3
"""Start-up of the program, measured from outside as a user or a build script sees it.

1. Batch start-up against a reference build (by default the main branch's): runs that
   end through a queued -exit never need the window, so they must start within 25 ms
   and 10 MB (peak resident memory) of the reference.
2. Start-up to a painted window with a 16-pixel UC16 C file as the file argument
   (target: at most 0.5 s), on Qt's offscreen platform and, when xvfb-run exists,
   on an X server.

Usage: bench/bench_startup.py [--reference PATH/TO/Morvane] [--runs N] [build folder]
Without --reference, main's HEAD is built once into <build>/bench-ref.
"""
import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def run_once(cmd, cwd, env):
    """Wall time (s), peak resident memory (KB), exit code and standard error of one run.
    The peak memory comes from /usr/bin/time, whose own small process is what the
    program replaces, so the figure is the program's and not a copy of Python's."""
    timed = ["/usr/bin/time", "-f", "@@maxrss %M"] + cmd
    start = time.perf_counter()
    proc = subprocess.run(timed, cwd=cwd, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    elapsed = time.perf_counter() - start
    lines = proc.stderr.decode(errors="replace").splitlines()
    rss = 0
    if lines and lines[-1].startswith("@@maxrss "):
        rss = int(lines.pop().split()[1])
    lines = [line for line in lines if not line.startswith("Command exited with non-zero status")]
    return elapsed, rss, proc.returncode, "\n".join(lines)


def reference_build(build):
    ref_dir = os.path.join(build, "bench-ref")
    exe = os.path.join(ref_dir, "build", "Morvane")
    if os.path.exists(exe):
        return exe
    src = os.path.join(ref_dir, "src")
    subprocess.run(["git", "-C", ROOT, "worktree", "add", "--force", "--detach", src, "main"], check=True,
                   stdout=subprocess.DEVNULL)
    subprocess.run(["cmake", "-S", src, "-B", os.path.join(ref_dir, "build"), "-DCMAKE_BUILD_TYPE=Release"],
                   check=True, stdout=subprocess.DEVNULL)
    subprocess.run(["cmake", "--build", os.path.join(ref_dir, "build"), "-j2", "--target", "Morvane"], check=True,
                   stdout=subprocess.DEVNULL)
    return exe


def batch_env(tmp):
    env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
    env["XDG_CONFIG_HOME"] = os.path.join(tmp, "config")
    return env


def compare_batch(ours, ref, runs, tmp):
    env = batch_env(tmp)
    jobs = {
        "start and exit (-hide -exit)": ["-hide", "-exit"],
        "start and exit, window not hidden (-exit)": ["-exit"],
        "create DejaVu Sans 16 EXT UC16 (-hide -create.. -exit)":
            ["-hide", "-createDejaVu Sans,REGULAR,16,EXT,UC16", "-exit"],
    }
    ok = True
    print("Batch start-up, median of %d runs each, alternating (no display):" % runs)
    for name, args in jobs.items():
        times = {"ours": [], "ref": []}
        mem = {"ours": [], "ref": []}
        for _ in range(runs):
            for key, exe in (("ours", ours), ("ref", ref)):
                t, rss, code, err = run_once([exe] + args, tmp, env)
                if code != 0 or err:
                    print("  %s: %s ended with %d: %s" % (name, key, code, err.strip()))
                    ok = False
                times[key].append(t)
                mem[key].append(rss)
        t_ours, t_ref = statistics.median(times["ours"]), statistics.median(times["ref"])
        m_ours, m_ref = max(mem["ours"]), max(mem["ref"])
        dt, dm = (t_ours - t_ref) * 1000, (m_ours - m_ref) / 1024
        within = dt <= 25 and dm <= 10
        ok &= within
        print("  %-58s ours %6.1f ms %6.1f MB | reference %6.1f ms %6.1f MB | +%5.1f ms +%4.1f MB %s" %
              (name, t_ours * 1000, m_ours / 1024, t_ref * 1000, m_ref / 1024, dt, dm,
               "ok" if within else "OVER"))
    return ok


def painted_window(ours, runs, tmp):
    env = batch_env(tmp)
    font = os.path.join(tmp, "dv16.c")
    subprocess.run([ours, "-hide", "-createDejaVu Sans,REGULAR,16,STD,UC16", "-saveas" + font + ",C", "-exit"],
                   cwd=tmp, env=env, check=True)
    env["MORVANE_EXIT_AFTER_FIRST_PAINT"] = "1"
    platforms = [("offscreen", dict(env, QT_QPA_PLATFORM="offscreen"))]
    xvfb = None
    if shutil.which("Xvfb"):
        # One X server for all runs, so the figures leave out its own start.
        read_fd, write_fd = os.pipe()
        xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1280x1024x24", "-nolisten",
                                 "tcp", "-ac"], pass_fds=(write_fd,), stderr=subprocess.DEVNULL)
        os.close(write_fd)
        # The server writes its display number and a line end; the pipe stays open until
        # it has written both, or it ends.
        display = b""
        while not display.endswith(b"\n"):
            chunk = os.read(read_fd, 16)
            if not chunk:
                break
            display += chunk
        display = display.decode().strip()
        platforms.append(("X server (Xvfb :%s)" % display, dict(env, DISPLAY=":" + display)))
    ok = True
    print("Start-up to a painted window, %s as file argument (target <= 500 ms):" %
          "16 px UC16 C file (%d KB)" % (os.path.getsize(font) // 1024))
    for name, penv in platforms:
        results = []
        for _ in range(runs):
            t, rss, code, err = run_once([ours, font], tmp, penv)
            if code != 0:
                print("  %s: ended with %d: %s" % (name, code, err.strip()))
                break
            results.append((t, rss))
        if len(results) < runs:
            ok = False
            continue
        t = statistics.median(r[0] for r in results)
        within = t <= 0.5
        ok &= within
        print("  %-22s median %6.1f ms, peak %6.1f MB %s" %
              (name, t * 1000, max(r[1] for r in results) / 1024, "ok" if within else "OVER"))
    if xvfb:
        xvfb.terminate()
        xvfb.wait()
        os.close(read_fd)
    return ok


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("build", nargs="?", default=os.path.join(ROOT, "build"))
    parser.add_argument("--reference")
    parser.add_argument("--runs", type=int, default=15)
    args = parser.parse_args()
    build = os.path.abspath(args.build)
    subprocess.run(["cmake", "--build", build, "--target", "Morvane"], check=True, stdout=subprocess.DEVNULL)
    ours = os.path.join(build, "Morvane")
    ref = os.path.abspath(args.reference) if args.reference else reference_build(build)
    print("Load average %.1f on %d cores (figures grow with it)" % (os.getloadavg()[0], os.cpu_count()))
    with tempfile.TemporaryDirectory() as tmp:
        ok = compare_batch(ours, ref, args.runs, tmp)
        ok &= painted_window(ours, max(3, args.runs // 3), tmp)
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
