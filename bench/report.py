#!/usr/bin/env python3
"""Runs every benchmark program given and prints each figure beside its group's reference.

Benchmarks are named "Group:variant"; the variant "reference" is what the others are compared with
(a plain loop, memcpy, pixman, libpng, ...), measured in the same run.
"""
import json
import subprocess
import sys


def run(program, extra):
    out = subprocess.run([program, "--benchmark_format=json", *extra], check=True, capture_output=True, text=True)
    # A program with no benchmark left by --benchmark_filter prints nothing.
    return json.loads(out.stdout)["benchmarks"] if out.stdout.strip() else []


def main():
    programs = [a for a in sys.argv[1:] if not a.startswith("--")]
    extra = [a for a in sys.argv[1:] if a.startswith("--")]
    for program in programs:
        groups = {}
        for b in run(program, extra):
            group, _, variant = b["name"].partition(":")
            groups.setdefault(group, {})[variant or b["name"]] = b
        for group, variants in groups.items():
            reference = variants.get("reference")
            print(group)
            for variant, b in variants.items():
                line = f"  {variant:<28} {b['real_time']:>12.1f} {b['time_unit']}"
                if "items_per_second" in b:
                    line += f"  {b['items_per_second'] / 1e6:>10.2f} M items/s"
                if reference and variant != "reference":
                    line += f"  {b['real_time'] / reference['real_time']:>6.2f} x reference"
                for counter in ("fps", "core% at 60fps"):
                    if counter in b:
                        line += f"  {b[counter]:>8.1f} {counter}"
                print(line)


if __name__ == "__main__":
    main()
