#!/usr/bin/env python3
"""Writes replies of 1 MiB built to be slow into the folder given, as inputs for html_view_fuzz
(first byte 0: the rest is one character per byte). Too large to keep in the repository."""
import pathlib
import sys

SIZE = 1 << 20


def fill(piece):
    out = []
    length = 0
    i = 0
    while length < SIZE:
        text = piece(i)
        out.append(text)
        length += len(text)
        i += 1
    return "".join(out)[:SIZE]


REPLIES = {
    "large_deep_nesting": fill(lambda i: "<div>" if i % 2 else "<span>"),
    "large_list_items": ("<span>" * 300 + fill(lambda i: "<li>"))[:SIZE],
    "large_attributes": ("<b " + fill(lambda i: f"a{i}=1 "))[: SIZE - 1] + ">",
    "large_unclosed_formatting": fill(lambda i: f"<p><b id={i % 100}><i><u>x</p>"),
    "large_misnested": fill(lambda i: "<a><b><div><i>x</a></b><table>y<td>Data received.</td>"),
}

folder = pathlib.Path(sys.argv[1])
folder.mkdir(parents=True, exist_ok=True)
for name, reply in REPLIES.items():
    (folder / name).write_bytes(b"\0" + reply.encode("ascii"))
