#!/usr/bin/env python3
"""kelmora-check on draws whose classes name a kind of match beside the same draws without it.

    python3 bench/kinds_of_match.py [--build build] [--runs 9] [--tickets 1000000]

The tickets are those of bench/whole_process.py (12組345678 shaped). Two draws are checked
with and without a Rule key in every class, whole batch runs writing the results to a file:
the 1,000-number draw of bench/whole_process.py with every class `ends`, and a year-end jumbo
shaped draw (1等 and 前後賞 whole, 組違い賞 other-group, 2等 whole, 3等 組下1ケタ ends, 4等-7等
ends). A class with a kind normalises every ticket once per check; the ratio is what that costs.
A third pair: 255 whole classes (1, 11, 111, ...) against one 100 MB line of full-width
digits, which no class pays by its bytes and which normalises to 50M ASCII digits.
Runs alternate their order; each process's CPU time (user + system) and peak size come from the
kernel; under callgrind, where valgrind is installed, one more run of each jumbo draw gives the
instructions per ticket. Printed: the medians and the ratios of the medians.
"""

import os
import re
import statistics
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import whole_process  # noqa: E402

KUMI = "\x91\x67".encode("latin-1")  # 組

JUMBO = [  # label, numbers, rule
    ("1", [b"12" + KUMI + b"345678"], b"whole"),
    ("2", [b"12" + KUMI + b"345677", b"12" + KUMI + b"345679"], b"whole"),
    ("3", [b"12" + KUMI + b"345678"], b"other-group"),
    ("4", [b"05" + KUMI + b"123456", b"18" + KUMI + b"654321", b"77" + KUMI + b"100000"], b"whole"),
    ("5", [b"3" + KUMI + b"112345"], b"ends"),
    ("6", [b"0067"], b"ends"),
    ("7", [b"408"], b"ends"),
    ("8", [b"90"], b"ends"),
    ("9", [b"8"], b"ends"),
]


def write_jumbo(path):
    lines = [b"[Ver]", b"No=%d" % len(JUMBO), b"EVENT=jumbo", b"[Hit]"]
    for n, (label, numbers, rule) in enumerate(JUMBO, 1):
        lines += [b"Hit%d=%s" % (n, label.encode()), b"No%d=%s" % (n, b",".join(numbers)), b"SHO%d=300" % n,
                  b"Rule%d=%s" % (n, rule)]
    with open(path, "wb") as out:
        out.write(b"\r\n".join(lines) + b"\r\n")


def write_ones(path, rule):
    """255 classes whose numbers are 1, 11, 111, ..., each with `rule` (None: no key)."""
    lines = [b"[Ver]", b"No=255", b"EVENT=ones", b"[Hit]"]
    for n in range(1, 256):
        lines += [b"Hit%d=c%d" % (n, n), b"No%d=%s" % (n, b"1" * n), b"SHO%d=1" % n]
        if rule is not None:
            lines.append(b"Rule%d=%s" % (n, rule))
    with open(path, "wb") as out:
        out.write(b"\r\n".join(lines) + b"\r\n")


def with_rules(source, path, rule):
    """The draw at `source` with a Rule key after each class's prize."""
    with open(source, "rb") as f:
        data = f.read()
    data = re.sub(rb"(SHO(\d+)=[^\r\n]*\r\n)", lambda m: m.group(1) + b"Rule" + m.group(2) + b"=" + rule + b"\r\n", data)
    with open(path, "wb") as out:
        out.write(data)


def without_rules(source, path):
    with open(source, "rb") as f:
        data = f.read()
    with open(path, "wb") as out:
        out.write(re.sub(rb"Rule\d+=[^\r\n]*\r\n", b"", data))


def main():
    args = whole_process.base_parser(__doc__).parse_args()
    checker = os.path.join(args.build, "cli", "kelmora-check")

    with tempfile.TemporaryDirectory(prefix="kelmora-kinds-") as directory:
        subprocess.run([sys.executable, whole_process.__file__, "--make-data", directory, "--tickets",
                        str(args.tickets)], check=True)
        tickets = os.path.join(directory, "tickets.wkn")
        draws = {name: os.path.join(directory, name) for name in
                 ("1k-ends.wkx", "1k-plain.wkx", "jumbo-kinds.wkx", "jumbo-plain.wkx")}
        with_rules(os.path.join(directory, "draw-1k.wkx"), draws["1k-ends.wkx"], b"ends")
        without_rules(draws["1k-ends.wkx"], draws["1k-plain.wkx"])
        write_jumbo(draws["jumbo-kinds.wkx"])
        without_rules(draws["jumbo-kinds.wkx"], draws["jumbo-plain.wkx"])
        report = os.path.join(directory, "report.txt")
        commands = {name: [checker, path, tickets, "-o", report] for name, path in draws.items()}
        line = os.path.join(directory, "line.wkn")
        # Written by another process: the kernel counts this one's peak size into its children's.
        subprocess.run([sys.executable, "-c", "import sys; open(sys.argv[1], 'wb').write(b'\\x82\\x50' * 50000000 + "
                        "b'\\r\\n')", line], check=True)  # 50M full-width 1s
        for name, rule in (("ones-whole.wkx", b"whole"), ("ones-plain.wkx", None)):
            write_ones(os.path.join(directory, name), rule)
            commands[name] = [checker, os.path.join(directory, name), line, "-o", report]
        whole_process.measure(commands["1k-plain.wkx"])  # warm the page cache

        cpu, peak = whole_process.paired_runs(commands, args.runs)
        names = list(commands)
        counted = {name: whole_process.instructions(commands[name]) for name in ("jumbo-kinds.wkx", "jumbo-plain.wkx")}

    median = {name: statistics.median(cpu[name]) for name in names}
    print("%d tickets, %d paired runs; medians:" % (args.tickets, args.runs))
    for name in names:
        print("  %-18s CPU %7.1f ms   peak %7.1f MiB" % (name, 1000 * median[name], statistics.median(peak[name]) / 2**20))
    print("Instructions per ticket (callgrind):")
    for name, count in counted.items():
        print("  %-18s %s" % (name, whole_process.per_ticket(count, args.tickets)))
    print("Ratios:")
    print("  1,000 numbers, every class ends / no keys   = %5.2f   (target: at most 1.5)" %
          (median["1k-ends.wkx"] / median["1k-plain.wkx"]))
    print("  jumbo, classes with kinds / no keys         = %5.2f   (target: at most 1.1)" %
          (median["jumbo-kinds.wkx"] / median["jumbo-plain.wkx"]))
    print("  255 whole classes, 100 MB line / no keys    = %5.2f   (target: at most 1.5)" %
          (median["ones-whole.wkx"] / median["ones-plain.wkx"]))
    print("  255 whole classes, 100 MB line: CPU %.2f s, peak %.0f MiB   (target: within 10 s and 500 MB)" %
          (median["ones-whole.wkx"], statistics.median(peak["ones-whole.wkx"]) / 2**20))


if __name__ == "__main__":
    main()
