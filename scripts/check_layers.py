#!/usr/bin/env python3
"""Checks every #include of src/ against the layer table src/layers.txt."""
import pathlib
import re
import sys

root = pathlib.Path(__file__).resolve().parent.parent
src = root / "src"


def read_table():
    table = {}
    for line in (src / "layers.txt").read_text().splitlines():
        if not line.strip() or line.startswith("#"):
            continue
        name, _, uses = line.partition(":")
        unknown = [u for u in uses.split() if u not in table]
        if unknown:
            sys.exit(f"src/layers.txt: {name} names {' '.join(unknown)} before their own rows")
        table[name.strip()] = set(uses.split())
    return table


def main():
    table = read_table()
    faults = []
    used = {name: set() for name in table}
    for path in sorted(src.rglob("*")):
        if path.suffix not in (".h", ".cpp"):
            continue
        layer = path.relative_to(src).parts[0]
        where = path.relative_to(root)
        if layer not in table:
            faults.append(f"{where}: the folder {layer}/ has no row in src/layers.txt")
            continue
        for number, line in enumerate(path.read_text().splitlines(), 1):
            quoted = re.match(r'\s*#\s*include\s+"([^"/]+)/', line)
            if quoted:
                target = quoted.group(1)
                if target == layer:
                    continue
                if target not in table[layer]:
                    faults.append(f"{where}:{number}: {layer}/ may not include {target}/")
                used[layer].add(target)
            elif layer != "app" and re.match(r"\s*#\s*include\s+<Q", line):
                faults.append(f"{where}:{number}: only app/ may include Qt")
    for name, uses in table.items():
        for unused in sorted(uses - used[name]):
            faults.append(f"src/layers.txt: {name} names {unused}, but no file of {name}/ includes it")
    for fault in faults:
        print(fault, file=sys.stderr)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
