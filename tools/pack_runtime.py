#!/usr/bin/env python3
"""Writes the shipped runtime/foldpanes.js from the readable runtime/src/foldpanes.js.

    tools/pack_runtime.py [OUT]

Pages load the runtime on every visit, so it ships minified: terser, at the version that
tests/runtime/package-lock.json pins (tests/runtime/run installs it), renames the locals and
drops comments and spaces; the output is plain ASCII, and the same for the same source.
"""
import os
import subprocess
import sys

HEADER = ("/* foldpanes.js: draws the panel bar of an Orvella script file. "
          "Readable source: runtime/src/foldpanes.js */")

MINIFY = r"""
const { minify } = require('terser');
const source = require('fs').readFileSync(0, 'ascii');
minify(source, {
  ecma: 2015,
  compress: { passes: 2 },
  mangle: true,
  format: { ascii_only: true, comments: false, preamble: process.argv[1] },
}).then((out) => process.stdout.write(out.code + '\n'), (e) => { console.error(e.message); process.exit(1); });
"""


def pack(source, root):
    modules = os.path.join(root, "tests", "runtime", "node_modules")
    if not os.path.isdir(os.path.join(modules, "terser")):
        sys.exit("pack_runtime: terser is not installed; tests/runtime/run installs it (npm ci)")
    env = dict(os.environ, NODE_PATH=modules)
    done = subprocess.run(["node", "-e", MINIFY, HEADER], input=source.encode("ascii"),
                          capture_output=True, env=env, check=False)
    if done.returncode:
        sys.exit("pack_runtime: " + done.stderr.decode(errors="replace"))
    return done.stdout.decode("ascii")


def main():
    root = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
    runtime = os.path.join(root, "runtime")
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(runtime, "foldpanes.js")
    with open(os.path.join(runtime, "src", "foldpanes.js"), encoding="ascii") as f:
        packed = pack(f.read(), root)
    with open(out, "w", encoding="ascii", newline="\n") as f:
        f.write(packed)


if __name__ == "__main__":
    main()
