#!/usr/bin/env python3
"""Writes a large RoadNoise project for timing conversions.

usage: make_project.py FOLDER LINKS

The project has LINKS road links of 10 segments, each with its own flow
record (so every link looks up a different flow number, the last ones near
the end of the flow file), LINKS/10 barriers and LINKS/10 receivers.
"""
import os
import sys


def record(*pairs):
    # A keyword, one blank, then its 8-character field.
    return "".join(f"{keyword} {value:<8}" for keyword, value in pairs).rstrip()


def write(path, lines):
    with open(path, "wb") as f:
        f.write("".join(line + "\r\n" for line in lines).encode("cp1252"))


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    folder, links = sys.argv[1], int(sys.argv[2])
    os.makedirs(folder, exist_ok=True)
    write(os.path.join(folder, "BIG.MAS"),
          ["RoadNoise", "Generated project", "BIG.FLO", "BIG.SEG", "BIG.BAR", "BIG.REC", "READ"])
    write(os.path.join(folder, "BIG.FLO"),
          [record(("FNO", str(n)), ("FLO", str(-100 - n % 900)), ("PHV", "10"), ("SPD", "50"))
           for n in range(1, links + 1)])
    segments = []
    for n in range(1, links + 1):
        x, y = 800000 + (n % 1000) * 10, 800000 + (n // 1000) * 10
        segments += ["TEXT", f"Road {n}",
                     record(("RSX", f"{x}.0"), ("RSY", f"{y}.0"), ("HCS", "5.0"), ("UFN", str(n)),
                            ("WCY", "3.5"), ("RST", "0"), ("RTD", "1.5"))]
        for s in range(1, 11):
            segments += [record(("REX", f"{x + s}.0"), ("REY", f"{y + s}.0"), ("HCE", "5.0")), "SEND"]
    write(os.path.join(folder, "BIG.SEG"), segments)
    barriers, receivers = [], []
    for n in range(1, links // 10 + 1):
        barriers += ["TEXT", f"Wall {n}", record(("BSX", f"{n}.0"), ("BSY", "0.0"), ("HBS", "3.0")),
                     record(("BEX", f"{n}.5"), ("BEY", "1.0"), ("HBE", "3.0"))]
        receivers += ["TEXT", f"NSR {n}", record(("OPX", f"{n}.0"), ("OPY", "5.0"), ("HRA", "10"),
                                                  ("HRG", "1.2")), "RETN"]
    write(os.path.join(folder, "BIG.BAR"), barriers)
    write(os.path.join(folder, "BIG.REC"), receivers)


if __name__ == "__main__":
    main()
