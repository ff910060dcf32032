#!/usr/bin/env python3
"""Inspects a saver program (.scr) with objdump and wrestool, tools independent of the ones that made it.

usage: check_pe.py FILE --objdump TOOL --format pe32|pe32+ --display-name TEXT --bitmaps FIRST-LAST

Prints one "PASS: ..." or "FAIL: ..." line per check; exits 1 when any check failed.
"""
import argparse
import re
import struct
import subprocess
import sys

LANGUAGE = 1041
RT_BITMAP, RT_STRING, RT_MANIFEST = 2, 6, 24
MAGIC = {"pe32": "010b", "pe32+": "020b"}
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "imm32.dll", "msvcrt.dll"}

failures = 0


def report(ok, what, detail=""):
    global failures
    print(("PASS: " if ok else "FAIL: ") + what + ("" if ok or not detail else f" ({detail})"))
    failures += not ok


def run(*command):
    return subprocess.run(command, check=True, capture_output=True).stdout


def check_headers(path, objdump, pe_format):
    text = run(objdump, "-p", path).decode()
    magic = re.search(r"^Magic\s+(\w+)", text, re.M)
    report(magic is not None and magic.group(1) == MAGIC[pe_format], f"{pe_format.upper()} optional header",
           magic.group(1) if magic else "no Magic line")
    subsystem = re.search(r"^Subsystem\s+(\w+)", text, re.M)
    report(subsystem is not None and int(subsystem.group(1), 16) == 2, "GUI subsystem (2)",
           subsystem.group(1) if subsystem else "no Subsystem line")
    dlls = {name.lower() for name in re.findall(r"DLL Name:\s*(\S+)", text)}
    foreign = sorted(d for d in dlls if d not in SYSTEM_DLLS and not d.startswith("api-ms-win-crt-"))
    report(bool(dlls) and not foreign, "imports only system DLLs: " + ", ".join(sorted(dlls)),
           "also " + ", ".join(foreign) if foreign else "no imports found")


def list_resources(path):
    entries = set()
    for line in run("wrestool", "-l", path).decode().splitlines():
        found = re.match(r"--type=(\d+) --name=(\d+) --language=(\d+)", line)
        if found is None:
            report(False, "resource listing", f"unexpected entry: {line}")
            continue
        entries.add(tuple(int(v) for v in found.groups()))
    return entries


def extract(path, type_id, name):
    return run("wrestool", "-x", "--raw", f"--type={type_id}", f"--name={name}", path)


def string_from_table(block, block_number, string_id):
    """Decodes one string of a string-table block: 16 entries of (UTF-16 length, UTF-16 characters)."""
    offset = 0
    for index in range(16):
        (length,) = struct.unpack_from("<H", block, offset)
        offset += 2
        if block_number * 16 - 16 + index == string_id:
            return block[offset:offset + 2 * length].decode("utf-16-le")
        offset += 2 * length
    return None


def check_resources(path, display_name, bitmap_ids):
    expected = {(RT_BITMAP, i, LANGUAGE) for i in bitmap_ids}
    expected |= {(RT_STRING, 1, LANGUAGE), (RT_MANIFEST, 1, LANGUAGE)}
    found = list_resources(path)
    report(found == expected, f"resources: bitmaps {bitmap_ids[0]}-{bitmap_ids[-1]}, string table, manifest, "
           f"all language {LANGUAGE}, nothing else",
           f"missing {sorted(expected - found)}, unexpected {sorted(found - expected)}")

    name = string_from_table(extract(path, RT_STRING, 1), 1, 1)
    report(name == display_name, f'string 1 is "{display_name}"', f"found {name!r}")

    not_24_bit = []
    for i in bitmap_ids:
        header = extract(path, RT_BITMAP, i)
        size, _, _, _, bits = struct.unpack_from("<IiiHH", header) if len(header) >= 16 else (0, 0, 0, 0, 0)
        if size != 40 or bits != 24:
            not_24_bit.append(i)
    report(not not_24_bit, "every bitmap has a 40-byte header and 24 bits per pixel", f"not so: {not_24_bit}")

    manifest = extract(path, RT_MANIFEST, 1).decode("utf-8", "replace")
    report("true/pm</dpiAware>" in manifest and "PerMonitorV2,PerMonitor</dpiAwareness>" in manifest,
           "manifest declares per-monitor DPI awareness")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("file")
    parser.add_argument("--objdump", required=True)
    parser.add_argument("--format", choices=sorted(MAGIC), required=True)
    parser.add_argument("--display-name", required=True)
    parser.add_argument("--bitmaps", required=True, help="FIRST-LAST")
    args = parser.parse_args()
    first, _, last = args.bitmaps.partition("-")
    bitmap_ids = list(range(int(first), int(last or first) + 1))

    check_headers(args.file, args.objdump, args.format)
    check_resources(args.file, args.display_name, bitmap_ids)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
