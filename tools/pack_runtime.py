#!/usr/bin/env python3
"""Writes the shipped runtime/foldpanes.js from the readable runtime/src/foldpanes.js.

    tools/pack_runtime.py [OUT]

Pages load the runtime on every visit, so it ships without the source's comments and
indentation; the code itself is unchanged, line for line. Comments in the source stand on
lines of their own (a trailing comment would be kept, and make the packed file larger).
"""
import os
import sys

HEADER = ("/* foldpanes.js: draws the panel bar of an Orvella script file. "
          "Readable source: runtime/src/foldpanes.js */\n")


def pack(source):
    out, in_block = [], False
    for line in source.splitlines():
        code = line.strip()
        if in_block:
            in_block = "*/" not in code
            continue
        if code.startswith("/*"):
            in_block = "*/" not in code
            continue
        if not code or code.startswith("//"):
            continue
        out.append(code)
    return HEADER + "\n".join(out) + "\n"


def main():
    runtime = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "runtime")
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(runtime, "foldpanes.js")
    with open(os.path.join(runtime, "src", "foldpanes.js"), encoding="ascii") as f:
        packed = pack(f.read())
    with open(out, "w", encoding="ascii", newline="\n") as f:
        f.write(packed)


if __name__ == "__main__":
    main()
