#!/usr/bin/env python3
"""Writes a small demo data set: one monitoring file, one ward-round file and a register."""
import math
import struct
import sys
from pathlib import Path

out = Path(sys.argv[1] if len(sys.argv) > 1 else "build/samples")
out.mkdir(parents=True, exist_ok=True)


def record(kind, day, hour, minute, spo2, pulse, sys_, dia, temp):
    # kind, year-2000, month, day, hour, minute, PI, ETCO2, FICO2, resp, sys, dia, mean, SpO2, PR, temp
    mean = (sys_ + 2 * dia) // 3
    return struct.pack("<10B3H2BH", kind, 23, 6, day, hour, minute, 25, 38, 1, 16,
                       sys_, dia, mean, spo2, pulse, temp)


pid = b"110105194912310021"
monitoring = bytearray(pid)
for i in range(180):
    wave = math.sin(i / 30)
    monitoring += record(0, 10, 8 + i // 60, i % 60, 96 + round(2 * wave), 72 + round(6 * wave),
                         118 + round(8 * wave), 78 + round(4 * wave), 368 + round(3 * wave))
(out / f"{pid.decode()}.mDat").write_bytes(monitoring)

ward = bytearray()
for n, person in enumerate([pid, b"32010219800101234X", b"440301199912120013"]):
    for rnd in range(2):
        ward += person + record(1, 11, 9 + 6 * rnd, 5 * n, 97, 70 + n, 121, 79, 366 + n)
(out / "wardround.cDat").write_bytes(ward)


def info(person, name, sex, age, height, weight, advice):
    name16 = name.encode("utf-16-le")[:58].ljust(60, b"\0")
    advice16 = advice.encode("utf-16-le")[:398].ljust(400, b"\0")
    return person + name16 + b"\0\0" + struct.pack("<iiBB", sex, age, height, weight) + advice16 + b"\0\0"


register = info(pid, "张伟", 0, 62, 172, 70, "低盐饮食,每日测量血压两次") + \
    info(b"32010219800101234X", "李娜", 1, 45, 160, 55, "")
assert len(register) == 2 * 492
(out / "UserDA.dat").write_bytes(register)
print(out)
