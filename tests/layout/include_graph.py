#!/usr/bin/env python3
"""Folder-to-folder include counts of the game's sources.

  include_graph.py ROOT          prints "from -> to: count", one line each
  include_graph.py ROOT --check  also fails (exit 1) when game/ includes
                                 anything but content/, its own headers and
                                 the standard library, or when two folders
                                 include each other, directly or round a loop

A folder is the first part of a path (sound/mixer counts as its own folder);
tests/, tools/ and build folders are left out.
"""
import os
import re
import sys

SKIP = {"tests", "tools", "build", "build-asan", "build-web", "packaging", "scripts", "web", ".git"}
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"', re.M)


def folder_of(path):
    parts = path.split("/")
    if len(parts) < 2:
        return None
    if parts[0] == "sound" and parts[1] == "mixer":
        return "sound/mixer"
    return parts[0]


def graph(root):
    edges = {}
    for top, dirs, files in os.walk(root):
        rel_top = os.path.relpath(top, root)
        dirs[:] = [d for d in dirs if not (rel_top == "." and (d in SKIP or d.startswith(".")))]
        for name in files:
            if not name.endswith((".cpp", ".h")):
                continue
            rel = os.path.relpath(os.path.join(top, name), root)
            src = folder_of(rel)
            if src is None:
                continue
            with open(os.path.join(top, name), encoding="utf-8", errors="replace") as f:
                for target in INCLUDE.findall(f.read()):
                    dst = folder_of(target)
                    if dst is None or dst == src:
                        continue
                    edges.setdefault((src, dst), []).append(rel + " -> " + target)
    return edges


def cycles(edges):
    """Folder loops, each as a list of folders, found by depth-first search."""
    nodes = sorted({a for a, _ in edges} | {b for _, b in edges})
    out = set()
    for start in nodes:
        stack = [(start, [start])]
        while stack:
            node, path = stack.pop()
            for a, b in edges:
                if a != node:
                    continue
                if b == start:
                    loop = path[:]
                    i = loop.index(min(loop))
                    out.add(tuple(loop[i:] + loop[:i]))
                elif b not in path and b > start:
                    stack.append((b, path + [b]))
    return sorted(out)


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else "."
    edges = graph(root)
    for (a, b), where in sorted(edges.items()):
        print(f"{a} -> {b}: {len(where)}")
    if "--check" not in sys.argv:
        return 0
    faults = []
    for (a, b), where in sorted(edges.items()):
        if a == "game" and b != "content":
            faults += [f"game/ reaches outside content/: {w}" for w in where]
    for loop in cycles(edges):
        faults.append("include cycle: " + " -> ".join(loop + (loop[0],)))
    for fault in faults:
        print("FAIL " + fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
