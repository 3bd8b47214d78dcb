#!/usr/bin/env python3
"""Writes fold1253.txt: what each Windows-1253 byte folds to in the forgiving
search, derived from Unicode rather than from our table, so the test that
reads it holds the table against an independent statement of the rules:

- a letter of the Greek or Latin alphabet loses its accents and diaeresis
  (canonical decomposition, combining marks dropped) and goes to upper case;
- a Latin capital that looks like a Greek one then becomes that Greek letter;
- everything else (digits, punctuation, blanks, signs, bytes the code page
  leaves undefined) stays as it is, as does a letter whose fold the code page
  cannot hold.

Run it from this folder: python3 fold1253.py > fold1253.txt
"""
import unicodedata

LOOKALIKES = dict(zip("ABEZHIKMNOPTXY", "ΑΒΕΖΗΙΚΜΝΟΡΤΧΥ"))


def fold(ch):
    name = unicodedata.name(ch, "")
    if not unicodedata.category(ch).startswith("L") or not name.startswith(("GREEK", "LATIN")):
        return ch
    bare = "".join(c for c in unicodedata.normalize("NFD", ch) if not unicodedata.combining(c))
    upper = bare.upper()
    return LOOKALIKES.get(upper, upper)


def main():
    print("# byte fold: Windows-1253 byte, the byte it folds to (hex), the characters")
    for byte in range(256):
        folded = byte
        try:
            ch = bytes([byte]).decode("cp1253")
        except UnicodeDecodeError:
            ch = None
        if ch is not None:
            try:
                folded = fold(ch).encode("cp1253")
                folded = folded[0] if len(folded) == 1 else byte
            except UnicodeEncodeError:
                folded = byte
        shown = ch if ch is not None and ch.isprintable() and not ch.isspace() else "."
        target = bytes([folded]).decode("cp1253", errors="replace")
        target = target if target.isprintable() and not target.isspace() else "."
        print(f"{byte:02X} {folded:02X} {shown} {target}")


if __name__ == "__main__":
    main()
