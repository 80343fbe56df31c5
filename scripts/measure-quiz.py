#!/usr/bin/env python3
"""Measures the quiz in a built program (best a release build): the time from start to the main
menu being shown; the resident memory of the quiz at the main menu and after the built-in session
that visits every screen, against the "bare" demonstration (the same graphics stack) measured in the
same run, each the median of three; the processor use at rest on the main menu and on a question
(the timer off, as a new test starts) against the "bare" demonstration presenting 30 flat frames a
second (all measured here, one after the other); and the frames per second while a question slides in.

Usage: scripts/measure-quiz.py [PROGRAM]   (default: build/release/bin/lexivo-quiz)"""
import os
import re
import statistics
import subprocess
import sys
import tempfile
import time

PROGRAM = sys.argv[1] if len(sys.argv) > 1 else "build/release/bin/lexivo-quiz"
TICKS = os.sysconf("SC_CLK_TCK")
REST_S = 10
# A player thinking over a question.
QUESTION_REST_S = 8
# Memory is read this long after the point it is measured at, once the frames have settled.
SETTLE_S = 1.5
ROUNDS = 3
# The quiz's built-in session, read from its source.
SESSION_SOURCE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "app", "quiz", "QuizEntry.cpp")


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


def read_until(process, text, times=1):
    lines = []
    for line in process.stdout:
        lines.append(line)
        if text in line:
            times -= 1
            if times == 0:
                return lines
    raise SystemExit(f"the program ended before writing '{text}'")


def at_rest(process, ready=None, seconds=REST_S):
    if ready:
        read_until(process, ready)
    time.sleep(1)
    before = cpu_seconds(process.pid)
    memory = rss_mib(process.pid)
    time.sleep(seconds)
    return (cpu_seconds(process.pid) - before) / seconds * 100, memory


def built_in_session():
    """The application's built-in session, read from the program's source, ending in a rest instead
    of terminating, with a rest at the main menu first."""
    with open(SESSION_SOURCE) as f:
        source = f.read()
    body = re.search(r"APPLICATION_SCRIPT\s*=\s*((?:\s*\"(?:[^\"\\]|\\.)*\")+)\s*;", source)
    if not body:
        raise SystemExit(f"no APPLICATION_SCRIPT in {SESSION_SOURCE}")
    text = "".join(bytes(part, "utf-8").decode("unicode_escape") for part in re.findall(r"\"((?:[^\"\\]|\\.)*)\"",
                                                                                        body.group(1)))
    lines = [line for line in text.splitlines() if line.strip() != "terminate"]
    first = lines.index("expect_log quiz: screen 1: main menu")
    lines.insert(first + 1, f"wait {int(SETTLE_S * 2000)}")
    return "\n".join(lines) + f"\nwait {int(SETTLE_S * 2000)}\nterminate\n"


def memory_round(directory, session):
    """Resident MiB of the quiz at the main menu and after the session, then of bare at the same
    two moments after it started."""
    captures = sum(1 for line in session.splitlines() if line.startswith("capture "))
    began = time.monotonic()
    quiz = start(directory, "app", session)
    read_until(quiz, "quiz: screen 1: main menu")
    time.sleep(SETTLE_S)
    quiz_menu = rss_mib(quiz.pid)
    menu_after = time.monotonic() - began
    read_until(quiz, "captured ", captures)
    time.sleep(SETTLE_S)
    quiz_session = rss_mib(quiz.pid)
    session_after = time.monotonic() - began
    quiz.wait()

    began = time.monotonic()
    bare = start(directory, "bare", f"wait {int(session_after * 1000) + 3000}\nterminate\n")
    read_until(bare, "bare: started")
    time.sleep(max(SETTLE_S, menu_after - (time.monotonic() - began)))
    bare_menu = rss_mib(bare.pid)
    time.sleep(max(0.0, session_after - (time.monotonic() - began)))
    bare_session = rss_mib(bare.pid)
    bare.wait()
    return quiz_menu, quiz_session, bare_menu, bare_session


def main():
    session = built_in_session()
    with tempfile.TemporaryDirectory() as directory:
        began = time.monotonic()
        quiz = start(directory, "app", "expect_log quiz: screen 1: main menu\nwait 12000\nterminate\n")
        read_until(quiz, "quiz: screen 1: main menu")
        menu_s = time.monotonic() - began
        quiz_cpu, _ = at_rest(quiz)
        quiz.wait()

        question = start(directory, "app", "expect_log quiz: screen 1: main menu\nwait_frames 12 10000\ntap 160 192\n"
                                           f"expect_log quiz: screen 2: question\nwait {(QUESTION_REST_S + 2) * 1000}\n"
                                           "terminate\n")
        question_cpu, _ = at_rest(question, "quiz: screen 2: question", QUESTION_REST_S)
        question.wait()

        bare = start(directory, "bare", "wait 12500\nterminate\n")
        bare_cpu, _ = at_rest(bare, "bare: started")
        bare.wait()

        rounds = [memory_round(directory, session) for _ in range(ROUNDS)]
        quiz_menu, quiz_session, bare_menu, bare_session = (statistics.median(column) for column in zip(*rounds))

        # A question answered; about 3.3 s later the next one slides in for about 0.7 s.
        slide = start(directory, "app", "expect_log quiz: screen 1: main menu\nwait_frames 12 10000\ntap 160 192\n"
                                        "expect_log quiz: screen 2: question\nwait_frames 12 10000\ntap 200 161\n"
                                        "wait 3200\ncapture a.png\nwait 1000\ncapture b.png\nterminate\n")
        output = "".join(read_until(slide, "b.png"))
        slide.wait()
        frames = [int(n) for n in re.findall(r"\(frame (\d+),", output)]

    print(f"start to main menu shown: {menu_s * 1000:.0f} ms")
    print(f"resident memory at the main menu (median of {ROUNDS}): quiz {quiz_menu:.1f} MiB, bare {bare_menu:.1f} MiB; "
          f"ratio {quiz_menu / bare_menu:.2f}")
    print(f"resident memory after the built-in session (median of {ROUNDS}): quiz {quiz_session:.1f} MiB, "
          f"bare {bare_session:.1f} MiB; ratio {quiz_session / bare_session:.2f}")
    print(f"processor at rest on the main menu: {quiz_cpu:.1f}% of a core; "
          f"30 bare frames a second: {bare_cpu:.1f}%; ratio {quiz_cpu / max(bare_cpu, 0.01):.2f}")
    print(f"processor at rest on a question over {QUESTION_REST_S} s: {question_cpu:.1f}% of a core; "
          f"ratio to 30 bare frames a second {question_cpu / max(bare_cpu, 0.01):.2f}")
    if len(frames) == 2:
        print(f"frames per second over the second of the slide: {frames[1] - frames[0]}")


main()
