#!/usr/bin/env python3
"""kelmora-check as a whole process beside the floor program, in paired runs.

    python3 bench/whole_process.py [--build build] [--runs 9] [--tickets 1000000] [--large-tickets 10000000]

The data is that of bench/core: ticket numbers shaped like 12組345678 and a draw of 1,000
winning numbers of lengths 1 to 8; a second draw has 100,000 distinct 6-digit numbers. Each
run starts the floor program (bench/core/FloorProgram.cpp: read the tickets, count the lines,
write a report of kelmora-check's size, sync, rename) and kelmora-check, one after the other in
alternating order, and takes each process's CPU time (user + system) and peak resident size
from the kernel. Printed: the medians, and the ratios of the medians.

The floor writes a report of the size kelmora-check writes for the same draw, so each draw has
a floor of its own. Under callgrind, where valgrind is installed, one more run of each draw
gives the instructions per ticket; a last, larger ticket file (--large-tickets, 0 for none) gives
the peak memory against its ticket file and report. KELMORA_NO_HUGE_PAGES=1 in kelmora-check's environment turns off its huge
pages (advice, allocation and heap warm-up); the run without them is printed beside the one with.
"""

import argparse
import os
import random
import shutil
import statistics
import subprocess
import sys
import tempfile

LABEL = "\x82\x50\x93\x99".encode("latin-1")  # １等 in code page 932
PER_LENGTH = {1: 1, 2: 2, 3: 5, 4: 10, 5: 50, 6: 132, 7: 300, 8: 500}


def write_draw(path, numbers):
    """A draw whose classes each hold as many numbers as fit a 255-byte value."""
    classes, current = [], []
    for number in numbers:
        if current and len(" ".join(current + [number])) > 255:
            classes.append(current)
            current = []
        current.append(number)
    if current:
        classes.append(current)
    lines = [b"[Ver]", b"No=%d" % len(classes), b"EVENT=bench", b"[Hit]"]
    for n, numbers_of_class in enumerate(classes, 1):
        lines += [b"Hit%d=" % n + LABEL, b"No%d=" % n + " ".join(numbers_of_class).encode(), b"SHO%d=1000" % n]
    with open(path, "wb") as out:
        out.write(b"\r\n".join(lines) + b"\r\n")


def make_data(directory, ticket_count):
    rng = random.Random(7)
    digits = lambda n: "".join(rng.choice("0123456789") for _ in range(n))
    tickets = os.path.join(directory, "tickets.wkn")
    with open(tickets, "wb") as out:
        kumi = "\x91\x67".encode("latin-1")  # 組
        for start in range(0, ticket_count, 10000):
            out.write(b"".join(b"%02d" % rng.randrange(100) + kumi + b"%06d\r\n" % rng.randrange(1000000)
                               for _ in range(min(10000, ticket_count - start))))
    draw1k = os.path.join(directory, "draw-1k.wkx")
    write_draw(draw1k, [digits(length) for length, count in PER_LENGTH.items() for _ in range(count)])
    draw100k = os.path.join(directory, "draw-100k.wkx")
    write_draw(draw100k, ["%06d" % n for n in rng.sample(range(1000000), 100000)])
    return tickets, draw1k, draw100k


def measure(command):
    """CPU seconds (user + system) and peak resident bytes of one process. A command may start
    with NAME=VALUE settings for its environment."""
    env = dict(os.environ)
    while "=" in command[0]:
        name, value = command[0].split("=", 1)
        env[name] = value
        command = command[1:]
    process = subprocess.Popen(command, stdout=subprocess.DEVNULL, env=env)
    _, status, usage = os.wait4(process.pid, 0)
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit("failed: %s" % " ".join(command))
    return usage.ru_utime + usage.ru_stime, usage.ru_maxrss * 1024


def paired_runs(commands, runs):
    """CPU seconds and peak bytes of each command over `runs` rounds, in alternating order, so that
    neither side always runs first."""
    cpu = {name: [] for name in commands}
    peak = {name: [] for name in commands}
    names = list(commands)
    for run in range(runs):
        for name in (names if run % 2 == 0 else names[::-1]):
            seconds, resident = measure(commands[name])
            cpu[name].append(seconds)
            peak[name].append(resident)
    return cpu, peak


def base_parser(description):
    """The options every side-by-side benchmark takes: the build folder, the rounds, the tickets."""
    parser = argparse.ArgumentParser(description=description, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--build", default="build")
    parser.add_argument("--runs", type=int, default=9)
    parser.add_argument("--tickets", type=int, default=1000000)
    return parser


def instructions(command):
    """Instructions of one process under callgrind, or None without valgrind."""
    if shutil.which("valgrind") is None:
        return None
    with tempfile.TemporaryDirectory(prefix="kelmora-callgrind-") as directory:
        out = os.path.join(directory, "callgrind.out")
        subprocess.run(["valgrind", "--tool=callgrind", "--callgrind-out-file=" + out] + command,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
        with open(out) as f:
            for line in f:
                if line.startswith("summary:") or line.startswith("totals:"):
                    return int(line.split()[1])
    return None


def per_ticket(count, tickets):
    return "  n/a (no valgrind)" if count is None else "%7.1f" % (count / tickets)


def main():
    parser = base_parser(__doc__)
    parser.add_argument("--large-tickets", type=int, default=10000000)
    parser.add_argument("--make-data", metavar="DIR", help=argparse.SUPPRESS)
    args = parser.parse_args()
    if args.make_data:
        make_data(args.make_data, args.tickets)
        return
    checker = os.path.join(args.build, "cli", "kelmora-check")
    floor = os.path.join(args.build, "bench", "core", "kelmora_floor")

    with tempfile.TemporaryDirectory(prefix="kelmora-whole-") as directory:
        # Made by another process: the kernel counts this one's peak size into its children's.
        subprocess.run([sys.executable, __file__, "--make-data", directory, "--tickets", str(args.tickets)], check=True)
        tickets, draw1k, draw100k = (os.path.join(directory, name)
                                     for name in ("tickets.wkn", "draw-1k.wkx", "draw-100k.wkx"))
        ticket_bytes = os.path.getsize(tickets)
        report = os.path.join(directory, "report.txt")
        commands = {
            "kelmora-check, 1,000 numbers": [checker, draw1k, tickets, "-o", report],
            "kelmora-check, 100,000 numbers": [checker, draw100k, tickets, "-o", report],
        }
        measure(commands["kelmora-check, 100,000 numbers"])
        report_bytes_100k = os.path.getsize(report)
        measure(commands["kelmora-check, 1,000 numbers"])  # warm the page cache
        report_bytes = os.path.getsize(report)
        commands["floor"] = [floor, tickets, str(report_bytes), report]
        commands["floor, 100,000-number report"] = [floor, tickets, str(report_bytes_100k), report]
        commands["kelmora-check, to standard output"] = [checker, draw1k, tickets]
        commands["100,000 numbers, no huge pages"] = ["KELMORA_NO_HUGE_PAGES=1"] + commands[
            "kelmora-check, 100,000 numbers"]

        cpu, peak = paired_runs(commands, args.runs)
        names = list(commands)
        counted = {name: instructions(commands[name]) for name in
                   ("kelmora-check, 1,000 numbers", "kelmora-check, 100,000 numbers", "floor")}

        large = None
        if args.large_tickets > 0:
            large_dir = os.path.join(directory, "large")
            os.mkdir(large_dir)
            subprocess.run([sys.executable, __file__, "--make-data", large_dir, "--tickets", str(args.large_tickets)],
                           check=True)
            large_tickets = os.path.join(large_dir, "tickets.wkn")
            command = [checker, draw1k, large_tickets, "-o", report]
            resident = [measure(command)[1] for _ in range(3)]
            large = statistics.median(resident) / (os.path.getsize(large_tickets) + os.path.getsize(report))

    print("%d tickets (%d bytes), report %d bytes, %d paired runs; medians:" %
          (args.tickets, ticket_bytes, report_bytes, args.runs))
    for name in names:
        print("  %-34s CPU %7.1f ms   peak %7.1f MiB" %
              (name, 1000 * statistics.median(cpu[name]), statistics.median(peak[name]) / 2**20))
    median = {name: statistics.median(cpu[name]) for name in names}
    print("Instructions per ticket (callgrind):")
    for name, count in counted.items():
        print("  %-34s %s%s" % (name, per_ticket(count, args.tickets),
                                "   (target: at most 120)" if "1,000" in name else ""))
    print("Ratios:")
    print("  CPU, kelmora-check / floor                 = %5.2f   (target: at most 1.5)" %
          (median["kelmora-check, 1,000 numbers"] / median["floor"]))
    print("  CPU, 100,000 numbers / its floor           = %5.2f   (target: at most 2)" %
          (median["kelmora-check, 100,000 numbers"] / median["floor, 100,000-number report"]))
    print("  CPU, 100,000 numbers / 1,000 numbers       = %5.2f   (target: at most 1.6)" %
          (median["kelmora-check, 100,000 numbers"] / median["kelmora-check, 1,000 numbers"]))
    print("  CPU, 100,000 numbers without / with huge pages = %5.2f   (for information)" %
          (median["100,000 numbers, no huge pages"] / median["kelmora-check, 100,000 numbers"]))
    print("  CPU, to standard output / floor            = %5.2f   (for information)" %
          (median["kelmora-check, to standard output"] / median["floor"]))
    for name in ("kelmora-check, 1,000 numbers", "kelmora-check, to standard output"):
        print("  peak memory / (ticket file + report), %-5s = %5.2f   (target: at most 1.5)" %
              ("-o" if "1,000" in name else "out", statistics.median(peak[name]) / (ticket_bytes + report_bytes)))
    if large is not None:
        print("  peak memory / (ticket file + report), %d tickets = %5.2f   (target: at most 1.2)" %
              (args.large_tickets, large))


if __name__ == "__main__":
    main()
