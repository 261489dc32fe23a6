#!/usr/bin/env python3
"""Prints the functions a Windows program loads on first call, "dll
function" a line, read from the file. GNU ld leaves the header's pointer to
the delay-load descriptors empty, so objdump shows none of them; they are
found here by their shape: eight words, the first 1 (addresses are RVAs),
the second the RVA of a DLL's name, the last 0."""

import struct
import sys


def main(path):
    data = open(path, "rb").read()
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    sections_count, = struct.unpack_from("<H", data, pe + 6)
    optional_size, = struct.unpack_from("<H", data, pe + 20)
    optional = pe + 24
    pointer = 8 if struct.unpack_from("<H", data, optional)[0] == 0x20B else 4
    sections = []
    for i in range(sections_count):
        _, virtual_size, address, raw_size, raw = struct.unpack_from("<8sIIII", data, optional + optional_size + 40 * i)
        sections.append((address, max(virtual_size, raw_size), raw))

    def offset(rva):
        for address, size, raw in sections:
            if address <= rva < address + size and raw + rva - address < len(data):
                return raw + rva - address
        return None

    def name_at(rva):
        start = offset(rva)
        if start is None or b"\0" not in data[start:start + 260]:
            return None
        text = data[start:data.index(b"\0", start)]
        return text.decode("ascii") if text and all(32 < c < 127 for c in text) else None

    seen = set()
    for at in range(0, len(data) - 32, 4):
        attributes, dll_rva, module, iat, names, _, _, stamp = struct.unpack_from("<8I", data, at)
        if attributes != 1 or stamp or not (module and iat and names):
            continue
        dll = name_at(dll_rva)
        if not dll or not dll.lower().endswith(".dll"):
            continue
        entry = offset(names)
        while entry is not None:
            thunk = int.from_bytes(data[entry:entry + pointer], "little")
            if not thunk:
                break
            if not thunk >> (8 * pointer - 1):  # by name, not by ordinal
                function = name_at(thunk + 2)
                if function and (dll, function) not in seen:
                    seen.add((dll, function))
                    print(dll.lower(), function)
            entry += pointer


if __name__ == "__main__":
    main(sys.argv[1])
