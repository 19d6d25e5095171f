#!/usr/bin/env python3
"""Writes the small seed corpus of fuzz_bini into corpus/bini/ (run from anywhere)."""
import os
import struct

HEADER = bytes([0x00, 0xFF, 0x01, 0xFE, 0x01, 0x02, 0x03, 0x00])


def node(type_code, payload=b"", children=()):
    """A node record without its id; children are (id, record) pairs."""
    record = bytes([type_code]) + payload + struct.pack("<I", len(children))
    for child_id, child in children:
        record += (child_id.encode() if isinstance(child_id, str) else struct.pack("<I", child_id))
        record += child
    return record


def array(fmt, values):
    return struct.pack("<I", len(values)) + struct.pack("<%d%s" % (len(values), fmt), *values)


def string(text):
    units = text.encode("utf-16-le")
    return struct.pack("<I", len(units) // 2) + units


every_type = node(0, children=[
    (1, node(1, b"\x01")), (2, node(2, struct.pack("<d", -2.5))),
    (3, node(3, array("d", [1.0, 2.0]))), (4, node(4, struct.pack("<f", 0.5))),
    (5, node(5, array("f", [3.0]))), (6, node(6, b"\xfe")), (7, node(7, array("b", [-1, 2]))),
    (8, node(8, struct.pack("<h", -3))), (9, node(9, array("h", [4, 5]))),
    (10, node(10, struct.pack("<i", -6))), (11, node(11, array("i", [7]))),
    (12, node(12, struct.pack("<q", -8))), (13, node(13, array("q", [9]))),
    (14, node(14, string("Chorus \u00e4"))), (15, node(15, b"\x0a")),
    (16, node(16, array("B", [11, 12]))), (17, node(17, struct.pack("<H", 13))),
    (18, node(18, array("H", [14]))), (19, node(19, struct.pack("<I", 15))),
    (20, node(20, array("I", [16, 17]))), (21, node(21, struct.pack("<Q", 18))),
    (22, node(22, array("Q", [19]))),
])

documents = {
    "empty": HEADER + node(0),
    "example": HEADER + node(19, struct.pack("<I", 7), [("Prog", node(14, string("ab")))]),
    "every-type": HEADER + every_type,
    "nested": HEADER + node(0, children=[("Prog", node(0, children=[
        ("Para", node(10, struct.pack("<i", 3), [("Valu", node(4, struct.pack("<f", 0.25)))]))]))]),
    "unordered": HEADER + node(0, children=[(9, node(0)), (3, node(1, b"\x02"))]),
    "truncated": (HEADER + every_type)[:40],
    "unknown-type": HEADER + node(23),
    "huge-count": HEADER + bytes([3]) + b"\xff\xff\xff\x0f" + b"\x00" * 8,
}

folder = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus", "bini")
os.makedirs(folder, exist_ok=True)
for name, data in documents.items():
    with open(os.path.join(folder, name + ".bini"), "wb") as file:
        file.write(data)
