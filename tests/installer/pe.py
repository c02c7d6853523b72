#!/usr/bin/env python3
"""Reads what the installer test needs from a Windows executable, given as a file or as
ZIP:MEMBER for one inside a zip:
  pe.py machine FILE   prints i386 or x86-64 (the COFF machine type), or unknown-0xNNNN
  pe.py version FILE   prints the ProductVersion text of the version resource
  pe.py manifest FILE  prints the embedded application manifest's requested execution level
"""
import re
import struct
import sys
import zipfile

MACHINES = {0x14C: "i386", 0x8664: "x86-64"}


def read(spec):
    if ".zip:" in spec:
        archive, member = spec.split(".zip:", 1)
        with zipfile.ZipFile(archive + ".zip") as z:
            return z.read(member)
    with open(spec, "rb") as f:
        return f.read()


def machine(data):
    if data[:2] != b"MZ":
        return "not-pe"
    offset = struct.unpack_from("<I", data, 0x3C)[0]
    if data[offset:offset + 4] != b"PE\0\0":
        return "not-pe"
    value = struct.unpack_from("<H", data, offset + 4)[0]
    return MACHINES.get(value, "unknown-0x%04X" % value)


def version(data):
    # In a VERSIONINFO String block the key is followed by padding to a 32-bit boundary and
    # then the zero-terminated UTF-16 value.
    key = "ProductVersion\0".encode("utf-16-le")
    at = data.find(key)
    if at < 0:
        return ""
    at += len(key)
    while data[at:at + 2] == b"\0\0":
        at += 2
    end = at
    while data[end:end + 2] != b"\0\0":
        end += 2
    return data[at:end].decode("utf-16-le")


def manifest(data):
    found = re.search(rb'requestedExecutionLevel\s+level="([A-Za-z]+)"', data)
    return found.group(1).decode() if found else ""


if __name__ == "__main__":
    command, spec = sys.argv[1:3]
    print({"machine": machine, "version": version, "manifest": manifest}[command](read(spec)))
