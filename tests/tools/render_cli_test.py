#!/usr/bin/env python3
"""tessel-render's command line: exit codes, messages, repeatable output."""
import hashlib
import os
import resource
import signal
import stat
import subprocess
import sys
import tempfile
import time

BINARY = sys.argv[1]
failures = []
checks = 0


def run(*args, prefix=(), limit=None):
    def limited():
        signal.signal(signal.SIGXFSZ, signal.SIG_IGN)
        resource.setrlimit(resource.RLIMIT_FSIZE, (limit, limit))

    return subprocess.run([*prefix, BINARY, *args], capture_output=True, timeout=120,
                          preexec_fn=limited if limit else None)


def text(r):
    return r.stderr.decode(errors="replace")


def check(condition, what):
    global checks
    checks += 1
    if not condition:
        failures.append(what)
        print("FAILED:", what)


def digest(path):
    with open(path, "rb") as f:
        return hashlib.sha256(f.read()).hexdigest()


with tempfile.TemporaryDirectory() as tmp:
    out = os.path.join(tmp, "a.png")
    bad = [
        (["--scene", "41", "--out", out], "unknown scene 41"),
        (["--scene", "0", "--out", out], "unknown scene 0"),
        (["--size", "0x100", "--out", out], "--size takes"),
        (["--size", "16385x16", "--out", out], "--size takes"),
        (["--out", os.path.join(tmp, "no-such-folder", "a.png")], "cannot write"),
        (["--out", tmp], "it is a folder"),
        (["--out", "/proc/tessel-render.png"], "cannot write"),
        (["--frames", "/proc/tessel-render-frames"], "cannot make the folder"),
        (["--data", os.path.join(tmp, "missing.dat"), "--out", out], "no data file"),
        (["--wobble"], "unknown option"),
        (["--size", "16384x10", "--webp", out], "at most 16383 pixels"),
        ([], "nothing to write"),
    ]
    for args, message in bad:
        r = run(*args)
        check(r.returncode == 2, f"{args}: exit {r.returncode}, not 2")
        check(message in text(r) and "--help" in text(r), f"{args}: message {text(r)!r}")
        check(not os.path.exists(out), f"{args}: wrote {out}")

    # A bad argument found late still leaves nothing behind.
    never = os.path.join(tmp, "never")
    r = run("--scene", "99", "--frames", never)
    check(r.returncode == 2 and not os.path.exists(never), "a bad scene makes no frames folder")

    r = run("--help")
    check(r.returncode == 0 and r.stdout.startswith(b"Usage: tessel-render"), "--help shows the usage")

    # Two seeded runs give the same bytes; another seed does not.
    common = ["--scene", "28", "--size", "240x135", "--seconds", "1"]
    outs = [os.path.join(tmp, n) for n in ("s1.png", "s2.png", "s3.png")]
    for path, seed in zip(outs, ("99", "99", "100")):
        r = run(*common, "--seed", seed, "--out", path)
        check(r.returncode == 0, f"seed {seed}: exit {r.returncode} {text(r)}")
        check("30 frames of 240x135" in text(r) and not r.stdout, f"seed {seed}: {text(r)!r}")
    if all(os.path.exists(p) for p in outs):
        check(digest(outs[0]) == digest(outs[1]), "a seeded render repeats to the byte")
        check(digest(outs[0]) != digest(outs[2]), "another seed renders another picture")

    # Every frame and the animation; the last frame file equals the last of --frames.
    frames = os.path.join(tmp, "frames")
    webp = os.path.join(tmp, "a.webp")
    last = os.path.join(tmp, "last.png")
    r = run(*common, "--seed", "99", "--frames", frames, "--webp", webp, "--out", last)
    check(r.returncode == 0, f"frames and webp: exit {r.returncode} {text(r)}")
    names = sorted(os.listdir(frames)) if os.path.isdir(frames) else []
    check(names == [f"frame-{i:06d}.png" for i in range(1, 31)], f"frame files {names[:3]}...")
    if os.path.exists(webp):
        with open(webp, "rb") as f:
            head = f.read(16)
        check(head[:4] == b"RIFF" and head[8:12] == b"WEBP", "the animation is a WebP file")
    else:
        check(False, "no WebP written")

    # The frames folder is never mixed: refused while it holds frames, and
    # with --force left with this run's frames only.
    with open(os.path.join(frames, "notes.txt"), "w") as f:
        f.write("mine")
    r = run(*common, "--frames", frames)
    check(r.returncode == 2 and "holds frame files" in text(r) and "--force" in text(r), f"refill: {text(r)!r}")
    r = run(*common, "--seconds", "0.5", "--frames", frames, "--force")
    names = sorted(os.listdir(frames))
    check(r.returncode == 0 and names == [f"frame-{i:06d}.png" for i in range(1, 16)] + ["notes.txt"],
          f"--force: exit {r.returncode}, {names[-3:]}")

    # The picture on standard output, whole; messages on standard error.
    r = run(*common, "--out", "/proc/self/fd/1")
    check(r.returncode == 0 and r.stdout.startswith(b"\x89PNG") and b"IEND" in r.stdout[-12:],
          f"--out to standard output: exit {r.returncode}, {r.stdout[:8]!r}")

    # What cannot be written stays as it was: a device node that is always
    # full, a file on a full disk, and as another user a file kept
    # read-only and a folder they cannot write.
    shared = os.path.join(tmp, "shared")
    os.mkdir(shared)
    os.chmod(tmp, 0o755)
    os.chmod(shared, 0o777)
    full = os.path.join(shared, "full")
    os.mknod(full, 0o666 | stat.S_IFCHR, os.makedev(1, 7))
    kept = os.path.join(shared, "kept.png")
    with open(kept, "wb") as f:
        f.write(b"old")
    os.chmod(kept, 0o444)
    nobody = ["setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"]
    refused = [
        (full, (), None, 1, "No space left"),
        (kept, (), 2000, 1, "File too large"),
        (kept, nobody, None, 2, "Permission denied"),
        (os.path.join(tmp, "new.png"), nobody, None, 2, "Permission denied"),
    ]
    for path, prefix, limit, status, reason in refused:
        r = run("--scene", "28", "--size", "240x135", "--seconds", "0.2", "--out", path, prefix=prefix, limit=limit)
        check(r.returncode == status and f"cannot write '{path}': {reason}" in text(r),
              f"{path} {prefix}: exit {r.returncode} {text(r)!r}")
    check(stat.S_ISCHR(os.stat(full).st_mode), "the device node is still there")
    check(open(kept, "rb").read() == b"old", "the kept file is unchanged")
    check(sorted(os.listdir(shared)) == ["full", "kept.png"], f"left behind: {os.listdir(shared)}")
    check(not os.path.exists(os.path.join(tmp, "new.png")), "nothing made where it may not write")

    # Stopped midway, by a signal, it removes what it made and ends as the
    # signal says: while writing frames, and while waiting for a pipe's reader.
    stopped = os.path.join(tmp, "stopped")
    os.mkdir(stopped)
    fifo = os.path.join(stopped, "pipe")
    os.mkfifo(fifo)
    for args, started in [
        (["--seconds", "600", "--frames", os.path.join(stopped, "f"), "--out", os.path.join(stopped, "a.png")],
         lambda: any(n.startswith(".a.png.") for n in os.listdir(stopped))),
        (["--seconds", "1", "--out", fifo], lambda: True),
    ]:
        p = subprocess.Popen([BINARY, "--scene", "28", "--size", "240x135", *args], stderr=subprocess.DEVNULL)
        deadline = time.monotonic() + 60
        while not started() and time.monotonic() < deadline:
            time.sleep(0.1)
        time.sleep(2)
        p.send_signal(signal.SIGTERM)
        code = p.wait(timeout=60)
        left = sorted(n for _, dirs, files in os.walk(stopped) for n in dirs + files)
        check(code == -signal.SIGTERM and left in (["f", "pipe"], ["pipe"]), f"{args[-1]}: exit {code}, left {left}")

print(f"{checks - len(failures)} passed, {len(failures)} failed")
sys.exit(1 if failures else 0)
