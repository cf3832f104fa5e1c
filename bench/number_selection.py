#!/usr/bin/env python3
"""kelmora-check on a ロト7 draw beside a plain draw of as many classes, on the same tickets.

    python3 bench/number_selection.py [--build build] [--runs 9] [--tickets 1000000]

The tickets are ロト7 lines, seven distinct numbers from 01 to 37 in order, blank-separated
(`03 13 24 26 30 31 36`). The ロト7 draw has its six classes (count 7 ... count 3 bonus 1+), each
checked ticket by ticket; the plain draw has six classes without a Rule key whose numbers are a
ticket's last two numbers (`36 37`), found by the suffix walk, and win about as often. Whole batch
runs write the results to a file; runs alternate their order; each process's CPU time (user +
system) comes from the kernel. Printed: the medians and their ratio (target: at most 1.5).
"""

import os
import random
import statistics
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import whole_process  # noqa: E402

DRAWN = b"07 10 12 17 23 28 34"
BONUS = b"03 15"
LOTO7 = [b"count 7", b"count 6 bonus 1", b"count 6", b"count 5", b"count 4", b"count 3 bonus 1+"]
PLAIN = [b'"36 37"', b'"35 37"', b'"34 37"', b'"33 37"', b'"32 37"', b'"31 37"']


def write_draw(path, numbers, rules):
    lines = [b"[Ver]", b"No=%d" % len(numbers), b"EVENT=bench", b"[Hit]"]
    for n, number in enumerate(numbers, 1):
        lines += [b"Hit%d=%d" % (n, n), b"No%d=%s" % (n, number), b"SHO%d=300" % n]
        if rules:
            lines += [b"Rule%d=%s" % (n, rules[n - 1]), b"Bonus%d=%s" % (n, BONUS)]
    with open(path, "wb") as out:
        out.write(b"\r\n".join(lines) + b"\r\n")


def write_tickets(path, count):
    generator = random.Random(7)
    with open(path, "wb") as out:
        for _ in range(count):
            picked = sorted(generator.sample(range(1, 38), 7))
            out.write(b" ".join(b"%02d" % n for n in picked) + b"\r\n")


def main():
    args = whole_process.base_parser(__doc__).parse_args()
    checker = os.path.join(args.build, "cli", "kelmora-check")

    with tempfile.TemporaryDirectory(prefix="kelmora-picks-") as directory:
        tickets = os.path.join(directory, "loto7.wkn")
        write_tickets(tickets, args.tickets)
        draws = {"loto7.wkx": os.path.join(directory, "loto7.wkx"), "plain.wkx": os.path.join(directory, "plain.wkx")}
        write_draw(draws["loto7.wkx"], [DRAWN] * len(LOTO7), LOTO7)
        write_draw(draws["plain.wkx"], PLAIN, None)
        report = os.path.join(directory, "report.txt")
        commands = {name: [checker, path, tickets, "-o", report] for name, path in draws.items()}
        whole_process.measure(commands["plain.wkx"])  # warm the page cache
        wins = {}
        for name, command in commands.items():
            summary = subprocess.run([checker, "--format=summary", draws[name], tickets], check=True,
                                     capture_output=True).stdout
            wins[name] = summary.splitlines()[-1].split(b"\t")[-1].decode()

        cpu = whole_process.paired_runs(commands, args.runs)[0]
        names = list(commands)

    median = {name: statistics.median(cpu[name]) for name in names}
    print("%d tickets, %d paired runs; median CPU:" % (args.tickets, args.runs))
    for name in names:
        print("  %-10s %7.1f ms  (%s wins)" % (name, 1000 * median[name], wins[name]))
    print("Ratio (target: at most 1.5):")
    print("  ロト7, six count classes / six plain classes = %5.2f" % (median["loto7.wkx"] / median["plain.wkx"]))


if __name__ == "__main__":
    main()
