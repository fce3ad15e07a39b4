#!/usr/bin/env python3
"""Writes the seed inputs of fuzz_device_replies: short conversations that reach every phase,
so the replay test and a fresh fuzzing run start from a whole download. The layout of an input
is described at the top of fuzz_device_replies.cpp."""
import pathlib

OUT = pathlib.Path(__file__).parent / "corpus" / "fuzz_device_replies"

MONITORING, WARD_ROUND, COARSE, ERASE = 1, 2, 4, 8
MORE, SET_LENGTH, SET_INDEX, SET_CHECKSUM, WRITE_FAILS = 0x08, 0x10, 0x20, 0x40, 0x80


def checksum(frame):
    return sum(frame[2:-1]) & 0xFF


def short_reply(echo, ward_round, monitoring, length=30):
    reply = bytearray(38)
    reply[0:3] = b"\x55\xaa\x00"
    reply[3:5] = echo.to_bytes(2, "big")
    reply[5:7] = length.to_bytes(2, "big")
    reply[7:11] = ward_round.to_bytes(4, "big")
    reply[11:15] = monitoring.to_bytes(4, "big")
    reply[37] = checksum(reply)
    return bytes(reply)


def data_reply(index, payload):
    frame = bytearray(b"\x55\xaa\x00") + index.to_bytes(2, "big") + len(payload).to_bytes(2, "big")
    frame += payload + b"\x00"
    frame[-1] = checksum(frame)
    return bytes(frame)


def person(n):
    return b"1101051949123100%02d" % n


def record(minute):
    # 2023-06-10, hour and minute from `minute`, then plausible vital signs.
    return bytes([23 << 1, (6 << 5) | 10, minute // 60 % 24, minute % 60, 97, 72, 25, 35, 0, 16,
                  120, 0, 80, 0, 93, 0, 0x6E, 0x01])


def answer(data, control=0):
    """One answer in one piece."""
    return bytes([control]) + len(data).to_bytes(2, "big") + data


def pieces(*parts):
    """One answer in pieces: (control, bytes) each; MORE is set on all but the last."""
    out = b""
    for i, (control, data) in enumerate(parts):
        more = MORE if i < len(parts) - 1 else 0
        out += bytes([control | more]) + len(data).to_bytes(2, "big") + data
    return out


def seed(name, options, answers, stop_at=0, break_at=0):
    OUT.mkdir(parents=True, exist_ok=True)
    (OUT / name).write_bytes(bytes([options, stop_at, break_at]) + b"".join(answers))


def main():
    count = short_reply(0xFFFF, 2, 3)
    first_page = data_reply(0, person(1) + record(0) + record(1))
    last_page = data_reply(2, person(2) + record(2))
    ward_round = data_reply(0, person(1) + record(600) + person(3) + record(601))
    seed("both-kinds", MONITORING | WARD_ROUND,
         [answer(count), answer(first_page), answer(last_page), answer(ward_round)])

    # The same download through rejected replies: a wrong index and a bad checksum before a
    # reply in two pieces; a reply that comes too late and is taken by the retry; a page the
    # peer fixes up from a template.
    wrong_index = data_reply(7, person(1) + record(0))
    bad_sum = bytearray(first_page)
    bad_sum[-1] ^= 0xFF
    template = b"\x55\xaa\x00\x00\x00\x00\x00" + person(2) + record(2) + b"\x00"
    seed("retries", MONITORING | WARD_ROUND,
         [answer(count, 1), answer(wrong_index), answer(bytes(bad_sum)),
          pieces((0, first_page[:10]), (2, first_page[10:])),
          answer(last_page, 7), answer(b""),
          answer(template, SET_LENGTH | SET_INDEX | SET_CHECKSUM),
          answer(data_reply(1, person(3) + record(601)), 3)])

    # A page holding more records than the total, the same minute twice, polled coarsely.
    big = data_reply(0, person(4) + b"".join(record(m) for m in [5, 5, 6, 7, 8, 9]))
    seed("coarse-duplicates", MONITORING | COARSE, [answer(short_reply(0xFFFF, 0, 4)), answer(big)])

    seed("stopped", MONITORING | WARD_ROUND,
         [answer(count), answer(first_page), answer(last_page)], stop_at=2)
    seed("broken-link", WARD_ROUND, [answer(count), answer(ward_round)], break_at=2)
    seed("ward-round-write-fails", WARD_ROUND, [answer(count), answer(ward_round, WRITE_FAILS)])
    seed("refused", MONITORING,
         [answer(count)] + [answer(data_reply(0xFFFC, person(1) + record(0)))] * 3)
    seed("erase-both", MONITORING | WARD_ROUND | ERASE,
         [answer(short_reply(0xFFFF, 0, 0)), answer(short_reply(0x0000, 0, 0, 29)),
          answer(short_reply(0x0000, 0, 0))])


if __name__ == "__main__":
    main()
