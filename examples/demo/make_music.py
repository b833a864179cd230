#!/usr/bin/env python3
"""Writes music.mid, the demo's background music: a standard MIDI file of
type 0 (one track) with a short rising phrase on a piano, about 3 seconds.

    python3 make_music.py [OUT]
"""
import struct
import sys

TICKS_PER_QUARTER = 96


def variable_length(value):
    """A MIDI variable-length quantity: 7 bits a byte, high bit = more."""
    out = [value & 0x7F]
    value >>= 7
    while value:
        out.append(0x80 | (value & 0x7F))
        value >>= 7
    return bytes(reversed(out))


def track_events():
    events = bytearray()
    events += variable_length(0) + bytes([0xFF, 0x51, 3]) + (500000).to_bytes(3, "big")  # 120 bpm
    events += variable_length(0) + bytes([0xC0, 0])  # piano on channel 1
    phrase = [60, 64, 67, 72, 67, 64, 60]  # C E G C' G E C
    for index, note in enumerate(phrase):
        length = TICKS_PER_QUARTER * (2 if index == len(phrase) - 1 else 1)
        events += variable_length(0) + bytes([0x90, note, 96])
        events += variable_length(length) + bytes([0x80, note, 0])
    events += variable_length(0) + bytes([0xFF, 0x2F, 0])  # end of track
    return bytes(events)


def midi_file():
    header = b"MThd" + struct.pack(">IHHH", 6, 0, 1, TICKS_PER_QUARTER)
    track = track_events()
    return header + b"MTrk" + struct.pack(">I", len(track)) + track


if __name__ == "__main__":
    out = sys.argv[1] if len(sys.argv) > 1 else "music.mid"
    with open(out, "wb") as file:
        file.write(midi_file())
