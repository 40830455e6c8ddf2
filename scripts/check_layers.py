#!/usr/bin/env python3
"""Fails when a source file includes from a higher layer.

Layers, lowest first; a folder includes only from the layers below it and
from its own folder. The grid's base is the grid's lowest room: it includes
nothing of the data-aware grid or the editors built on it.

Usage: check_layers.py [ROOT]   (ROOT defaults to the project's root)
Exit status: 0 clean, 1 an include breaks the layering.
"""

import pathlib
import re
import sys

LAYERS = [
    ("platform/", 1),
    ("core/", 2),
    ("grid/base/", 3.0),
    ("grid/", 3.1),
    ("frame/", 4),
    ("bandreport/", 5),
    ("tablereport/", 6),
    ("cashbook/", 7),
    ("staff/", 7),
    ("app/", 8),
]

# Test, tool, benchmark and fuzz code may use any layer; program code may
# include none of them.
NOT_PROGRAM = ("tests/", "tools/", "bench/", "fuzz/")

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


def layer_of(path):
    for prefix, layer in LAYERS:
        if path.startswith(prefix):
            return prefix, layer
    return None, None


def own_folder(path):
    """The folder whose files may include each other whatever their rooms."""
    return path.split("/", 1)[0] + "/"


def check_file(root, source):
    rel = source.relative_to(root).as_posix()
    prefix, layer = layer_of(rel)
    problems = []
    for number, line in enumerate(source.read_text(encoding="utf-8").splitlines(), 1):
        match = INCLUDE.match(line)
        if not match:
            continue
        target = match.group(1)
        if target.startswith(NOT_PROGRAM):
            problems.append(f"{rel}:{number}: program code includes {target}")
            continue
        target_prefix, target_layer = layer_of(target)
        if target_layer is None or target_layer < layer:
            continue
        if target_layer == layer and own_folder(target) == own_folder(rel):
            continue
        problems.append(f"{rel}:{number}: {prefix} may not include {target}")
    return problems


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).parent.parent)
    folders = sorted({own_folder(prefix) for prefix, _ in LAYERS})
    problems = []
    for folder in folders:
        for source in sorted((root / folder).rglob("*")):
            if source.suffix in (".h", ".cpp"):
                problems += check_file(root, source)
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
