#!/usr/bin/env python3
"""Writes the small hand-made songs the song fuzzer starts from, into the folder beside this script.

Each song is a few hundred bytes at most and stresses one thing the reader must survive. The
last four bytes of a fuzz input choose the play options, so each file ends in a chosen tail.
"""
import pathlib
import struct


def vlq(value):
    out = [value & 0x7F]
    value >>= 7
    while value:
        out.insert(0, 0x80 | (value & 0x7F))
        value >>= 7
    return bytes(out)


def header(fmt, tracks, division):
    return b"MThd" + struct.pack(">IHHH", 6, fmt, tracks, division)


def track(body, declared=None):
    length = len(body) if declared is None else declared
    return b"MTrk" + struct.pack(">I", length) + body


def ev(delta, *data):
    return vlq(delta) + bytes(data)


END = ev(0, 0xFF, 0x2F, 0x00)
TEMPO_120 = ev(0, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20)


def notes(channel, keys, step=240, length=200):
    body = b""
    for key in keys:
        body += ev(step - length if body else 0, 0x90 | channel, key, 100)
        body += ev(length, 0x80 | channel, key, 64)
    return body


def songs():
    melody = notes(0, [60, 62, 64, 65, 67, 69, 71, 72])
    bass = ev(0, 0xC1, 33) + notes(1, [36, 43, 36, 43])
    yield "two-parts", header(1, 3, 480) + track(TEMPO_120 + END) + track(melody + END) + track(bass + END)

    # Running status, note-on with velocity 0 as note-off, a chord, pitch bend, aftertouch,
    # a control change, a text and a system-exclusive message.
    body = (ev(0, 0xFF, 0x01, 5) + b"hello" + ev(0, 0xF0, 5, 0x7E, 0x7F, 0x09, 0x01, 0xF7)
            + ev(0, 0x90, 60, 100) + ev(0, 64, 100) + ev(0, 67, 100) + ev(240, 60, 0) + ev(0, 64, 0)
            + ev(0, 67, 0) + ev(10, 0xE0, 0x00, 0x40) + ev(10, 0xD0, 50) + ev(10, 0xB0, 7, 100)
            + ev(0, 0x99, 36, 120) + ev(120, 0x89, 36, 0) + END)
    yield "running-status", header(0, 1, 96) + track(body)

    # The same key struck again before it was released, and a note never released.
    body = ev(0, 0x92, 50, 90) + ev(30, 0x92, 50, 90) + ev(30, 0x82, 50, 0) + ev(0, 0x92, 52, 80) + END
    yield "overlap", header(0, 1, 480) + track(body)

    # Tempo changes, one of them 0, and a delta of the largest four-byte quantity.
    body = (ev(0, 0xFF, 0x51, 0x03, 0, 0, 0) + notes(3, [70]) + ev(0, 0xFF, 0x51, 0x03, 0xFF, 0xFF, 0xFF)
            + notes(3, [71]) + ev(0x0FFFFFFF, 0x93, 72, 1) + END)
    yield "tempo-extremes", header(0, 1, 1) + track(body)

    # Hostile headers: a huge track count in a tiny file, a 4 GiB chunk, a division of 0, a
    # time-code division, a track cut off inside a quantity and one without an end.
    yield "many-tracks", header(1, 0xFFFF, 480) + track(notes(0, [60]) + END)
    yield "huge-chunk", header(0, 1, 480) + track(notes(0, [60, 61]) + END, 0xFFFFFFFF)
    yield "division-zero", header(0, 1, 0) + track(notes(0, [60]) + END)
    yield "timecode", header(0, 1, 0xE728) + track(notes(4, [60, 64]) + END)
    yield "cut-short", header(1, 2, 480) + track(notes(0, [60]) + b"\x81\x80") + track(notes(5, [61]))

    # More notes on one key than a chart holds, so the build overflows.
    body = b"".join(ev(1, 0x90, 60, 100) + ev(1, 0x80, 60, 0) for _ in range(1001)) + END
    yield "overflow", header(0, 1, 480) + track(body)


def main():
    here = pathlib.Path(__file__).resolve().parent / "song"
    here.mkdir(exist_ok=True)
    # The tails pick different KEY modes, levels, speeds, parts and preview channels.
    tails = [b"\x00\x01\x00\x00", b"\x12\x03\x00\x05", b"\xA1\xFF\xFF\x2E", b"\x40\x08\x00\x1B"]
    for i, (name, data) in enumerate(songs()):
        (here / f"{name}.mid").write_bytes(data + tails[i % len(tails)])


if __name__ == "__main__":
    main()
