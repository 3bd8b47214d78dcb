#!/usr/bin/env python3
"""Writes cp1253.txt: the character of each Windows-1253 byte as Python's
codec has it, which is generated from Unicode's mapping table for the code
page, so the test that reads it holds our table against Unicode's data
rather than against a copy of itself. A byte the code page leaves
undefined is written as "-".

Run it from this folder: python3 cp1253.py > cp1253.txt
"""


def main():
    print("# Windows-1253 byte, its character's code point (hex), or - where undefined")
    for byte in range(256):
        try:
            print(f"{byte:02X} {ord(bytes([byte]).decode('cp1253')):04X}")
        except UnicodeDecodeError:
            print(f"{byte:02X} -")


if __name__ == "__main__":
    main()
