#!/usr/bin/env python3
"""tessel-render's command line: exit codes, messages, repeatable output."""
import hashlib
import os
import subprocess
import sys
import tempfile

BINARY = sys.argv[1]
failures = []
checks = 0


def run(*args):
    return subprocess.run([BINARY, *args], capture_output=True, text=True, timeout=120)


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
        ([], "nothing to write"),
    ]
    for args, message in bad:
        r = run(*args)
        check(r.returncode == 2, f"{args}: exit {r.returncode}, not 2")
        check(message in r.stderr and "--help" in r.stderr, f"{args}: message {r.stderr!r}")
        check(not os.path.exists(out), f"{args}: wrote {out}")

    # A bad argument found late still leaves nothing behind.
    never = os.path.join(tmp, "never")
    r = run("--scene", "99", "--frames", never)
    check(r.returncode == 2 and not os.path.exists(never), "a bad scene makes no frames folder")

    r = run("--help")
    check(r.returncode == 0 and r.stdout.startswith("Usage: tessel-render"), "--help shows the usage")

    # Two seeded runs give the same bytes; another seed does not.
    common = ["--scene", "28", "--size", "240x135", "--seconds", "1"]
    outs = [os.path.join(tmp, n) for n in ("s1.png", "s2.png", "s3.png")]
    for path, seed in zip(outs, ("99", "99", "100")):
        r = run(*common, "--seed", seed, "--out", path)
        check(r.returncode == 0, f"seed {seed}: exit {r.returncode} {r.stderr}")
        check("30 frames of 240x135" in r.stdout, f"seed {seed}: {r.stdout!r}")
    if all(os.path.exists(p) for p in outs):
        check(digest(outs[0]) == digest(outs[1]), "a seeded render repeats to the byte")
        check(digest(outs[0]) != digest(outs[2]), "another seed renders another picture")

    # Every frame and the animation; the last frame file equals the last of --frames.
    frames = os.path.join(tmp, "frames")
    webp = os.path.join(tmp, "a.webp")
    last = os.path.join(tmp, "last.png")
    r = run(*common, "--seed", "99", "--frames", frames, "--webp", webp, "--out", last)
    check(r.returncode == 0, f"frames and webp: exit {r.returncode} {r.stderr}")
    names = sorted(os.listdir(frames)) if os.path.isdir(frames) else []
    check(names == [f"frame-{i:06d}.png" for i in range(1, 31)], f"frame files {names[:3]}...")
    if os.path.exists(webp):
        with open(webp, "rb") as f:
            head = f.read(16)
        check(head[:4] == b"RIFF" and head[8:12] == b"WEBP", "the animation is a WebP file")
    else:
        check(False, "no WebP written")

print(f"{checks - len(failures)} passed, {len(failures)} failed")
sys.exit(1 if failures else 0)
