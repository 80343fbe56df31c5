#!/usr/bin/env python3
"""Measures the quiz in a built program (best a release build): the time from start to the main
menu being shown, the memory at the main menu, the processor use at rest on the main menu against
the "bare" demonstration presenting 30 flat frames a second (both measured here, one after the
other), and the frames per second while a question slides in.

Usage: scripts/measure-quiz.py [PROGRAM]   (default: build/release/bin/lexivo-quiz)"""
import os
import re
import subprocess
import sys
import tempfile
import time

PROGRAM = sys.argv[1] if len(sys.argv) > 1 else "build/release/bin/lexivo-quiz"
TICKS = os.sysconf("SC_CLK_TCK")
REST_S = 10


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICKS


def rss_mib(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1]) / 1024
    return 0.0


def start(directory, midlet, script):
    path = os.path.join(directory, midlet + ".txt")
    with open(path, "w") as f:
        f.write(script)
    return subprocess.Popen([PROGRAM, "--headless", "--midlet", midlet, "--script", path, "--capture", directory,
                             "--documents", os.path.join(directory, "documents-" + midlet)],
                            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)


def read_until(process, text):
    lines = []
    for line in process.stdout:
        lines.append(line)
        if text in line:
            return lines
    raise SystemExit(f"the program ended before writing '{text}'")


def at_rest(process, ready=None):
    if ready:
        read_until(process, ready)
    time.sleep(1)
    before = cpu_seconds(process.pid)
    memory = rss_mib(process.pid)
    time.sleep(REST_S)
    return (cpu_seconds(process.pid) - before) / REST_S * 100, memory


def main():
    with tempfile.TemporaryDirectory() as directory:
        began = time.monotonic()
        quiz = start(directory, "app", "expect_log quiz: screen 1: main menu\nwait 12000\nterminate\n")
        read_until(quiz, "quiz: screen 1: main menu")
        menu_s = time.monotonic() - began
        quiz_cpu, quiz_memory = at_rest(quiz)
        quiz.wait()

        bare = start(directory, "bare", "wait 12500\nterminate\n")
        bare_cpu, _ = at_rest(bare, "bare: started")
        bare.wait()

        # A question answered; about 3.3 s later the next one slides in for about 0.7 s.
        slide = start(directory, "app", "expect_log quiz: screen 1: main menu\nwait_frames 12 10000\ntap 160 192\n"
                                        "expect_log quiz: screen 2: question\nwait_frames 12 10000\ntap 200 161\n"
                                        "wait 3200\ncapture a.png\nwait 1000\ncapture b.png\nterminate\n")
        output = "".join(read_until(slide, "b.png"))
        slide.wait()
        frames = [int(n) for n in re.findall(r"\(frame (\d+),", output)]

    print(f"start to main menu shown: {menu_s * 1000:.0f} ms")
    print(f"memory at the main menu: {quiz_memory:.1f} MiB resident")
    print(f"processor at rest on the main menu: {quiz_cpu:.1f}% of a core; "
          f"30 bare frames a second: {bare_cpu:.1f}%; ratio {quiz_cpu / max(bare_cpu, 0.01):.2f}")
    if len(frames) == 2:
        print(f"frames per second over the second of the slide: {frames[1] - frames[0]}")


main()
