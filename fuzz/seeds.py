#!/usr/bin/env python3
"""Writes the readers' seed inputs into OUT/<kind>/: a few sound files of each
kind and the hostile ones the import must refuse (deep nesting, thousands of
attributes, lying counts, looping xls chains, xls names and shared strings
that led FreeXL past its buffers, broken MARC-8, lone UTF-16 halves). Sheets are given as their XML, as reader_fuzz.cpp zips them.

    fuzz/seeds.py OUT SOURCE_DIR
"""
import os
import struct
import subprocess
import sys

out, root = sys.argv[1], sys.argv[2]


def seed(kind, name, data):
    os.makedirs(os.path.join(out, kind), exist_ok=True)
    with open(os.path.join(out, kind, name), "wb") as f:
        f.write(data.encode() if isinstance(data, str) else data)


NS = ' xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"'
HEADER = '<row r="1"><c t="s"><v>0</v></c><c t="inlineStr"><is><t>Συγγραφέας</t></is></c></row>'


def sheet(rows):
    return "<worksheet" + NS + "><sheetData>" + HEADER + rows + "</sheetData></worksheet>"


seed("xlsx", "books", sheet('<row r="2"><c t="s"><v>1</v></c><c r="B2" t="inlineStr"><is><r><t>Α</t></r>'
                            '<r><t>_x000D_β</t></r></is></c><c r="C2" s="0"><v>42.5</v></c>'
                            '<c t="b"><v>1</v></c></row><row r="4"><c r="A4" t="str"><v>x</v></c></row>'))
seed("xlsx", "deep", sheet('<row r="2"><c t="inlineStr"><is>' + "<a>" * 2000))
seed("xlsx", "attributes", sheet('<row r="2"' + "".join(' a%d=""' % i for i in range(1500)) + "/>"))
seed("xlsx", "blank-cells", sheet('<row r="2">' + "<c/>" * 17000 + "</row>"))
seed("xlsx", "rows-backwards", sheet('<row r="9"><c t="s"><v>1</v></c></row><row r="3"/>'))
seed("xlsx", "far-column", sheet('<row r="2"><c r="XFE2" t="s"><v>1</v></c></row><row r="1048577"/>'))

ODS_NS = ('<office:document-content xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" '
          'xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" '
          'xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"><office:body><office:spreadsheet>'
          '<table:table table:name="Α">')


def content(rows):
    row = '<table:table-row><table:table-cell><text:p>Τίτλος</text:p></table:table-cell></table:table-row>'
    return ODS_NS + row + rows + "</table:table></office:spreadsheet></office:body></office:document-content>"


def cell(p, attributes=""):
    return "<table:table-cell%s><text:p>%s</text:p></table:table-cell>" % (attributes, p)


seed("ods", "books", content('<table:table-row table:number-rows-repeated="2">' + cell("Οδύ<text:s text:c=\"3\"/>σσεια<text:tab/>") +
                             cell("", ' office:value-type="float" office:value="3.5"') + "</table:table-row>"))
seed("ods", "blanks", content("<table:table-row>" + cell('Οδύ<text:s text:c="999999999999"/>σσεια') + "</table:table-row>"))
seed("ods", "repeats", content('<table:table-row table:number-rows-repeated="1048575">' + cell("Βιβλίο") + "</table:table-row>"))
seed("ods", "deep", content("<table:table-row><table:table-cell><text:p>" + "<text:span>" * 2000))
seed("ods", "columns", content('<table:table-row><table:table-cell table:number-columns-repeated="16383"/>' +
                               cell("x", ' table:number-columns-repeated="9"') + "</table:table-row>"))

books = open(os.path.join(root, "tests/data/books.xls"), "rb").read()
seed("xls", "books", books)
loop = bytearray(books)
sector = (len(loop) - 512) // 512
loop += b"\xff" * 508 + struct.pack("<I", sector)
struct.pack_into("<II", loop, 0x44, sector, 1)
seed("xls", "difat-loop", bytes(loop))
mini = bytearray(books)
struct.pack_into("<H", mini, 0x20, 7)
seed("xls", "mini-shift", bytes(mini))


def records(data, start, kind):
    at = start
    while at + 4 <= len(data):
        t, n = struct.unpack_from("<HH", data, at)
        if t == kind:
            yield at
        at += 4 + n


date = bytearray(books)
start = books.find(b"\x09\x08\x10\x00")
xf = list(records(books, start, 0x00E0))[16]
struct.pack_into("<H", date, xf + 6, 14)
number = list(records(books, start, 0x0203))[1]
struct.pack_into("<d", date, number + 10, 2147483000.0)
seed("xls", "far-date", bytes(date))
overrun = bytearray(books)
struct.pack_into("<H", overrun, next(records(books, start, 0x0204)) + 10, 0x3368)
seed("xls", "text-overrun", bytes(overrun))


def shared_strings(count, strings, more):
    """books.xls with its second sheet's record made the shared strings and
    the record after it their CONTINUE: FreeXL takes on trust a string's
    remainder there and the formatting it skips."""
    made = bytearray(books)
    sheet = list(records(books, start, 0x0085))[1]
    struct.pack_into("<HHII", made, sheet, 0x00FC, 22, count, count)
    made[sheet + 12:sheet + 12 + len(strings)] = strings
    struct.pack_into("<H", made, sheet + 26, 0x003C)
    made[sheet + 30:sheet + 30 + len(more)] = more
    return bytes(made)


# A string of 65,535 characters continued in a record of four bytes: FreeXL
# copied 128 KB from it (a heap overflow).
seed("xls", "sst-continued", shared_strings(1, b"\xff\xff\x01" + b"a" * 11, b"\x01xyz"))
seed("xls", "sst-skipped", shared_strings(2, b"\x01\x00\x04\x00\x00\x10\x00A", b"\x01\x00\x00A"))
directory = 512 + 512 * struct.unpack_from("<I", books, 0x30)[0]
named = bytearray(books)
struct.pack_into("<H", named, directory + 128 + 0x40, 0xC2C2)
seed("xls", "long-name", bytes(named))
named = bytearray(books)
struct.pack_into("<H", named, directory + 256 + 2, 0xD800)
seed("xls", "half-pair", bytes(named))
# The workbook's chain goes on past its stream into four more sectors, and
# its last record crosses into them.
crossing = bytearray(books) + bytes(4 * 512)
links = 512 + 512 * struct.unpack_from("<I", books, 0x4C)[0]
for sector, following in ((11, 13), (13, 14), (14, 15), (15, 16), (16, 0xFFFFFFFE)):
    struct.pack_into("<I", crossing, links + 4 * sector, following)
struct.pack_into("<H", crossing, list(records(books, start, 0x000A))[2] + 2, 2000)
seed("xls", "crossing", bytes(crossing))
# Sheets without dimensions, the last with a cell at row and column 4096:
# FreeXL set aside 256 MB for it once for each sheet.
undeclared = bytearray(books)
for at in records(books, start, 0x0200):
    struct.pack_into("<H", undeclared, at, 0x0201)
struct.pack_into("<HH", undeclared, list(records(books, start, 0x0204))[-1] + 4, 4095, 4095)
seed("xls", "no-dimensions", bytes(undeclared))
# The far cell in the first sheet, the second listed but never begun: FreeXL
# counts the sheets the workbook lists.
listed = bytearray(books)
for at in records(books, start, 0x0200):
    struct.pack_into("<H", listed, at, 0x0201)
struct.pack_into("<HH", listed, next(records(books, start, 0x0204)) + 4, 4095, 4095)
struct.pack_into("<I", listed, list(records(books, start, 0x0809))[2], 0)
seed("xls", "listed", bytes(listed))


def sectors_of_4096(book):
    """books.xls laid out again in sectors of 4096 bytes, as Excel writes
    large workbooks: the header alone in the first sector, then the table of
    links, the directory, the mini table, the mini stream and the workbook."""
    header, directory = book[:512], 512 + 512 * struct.unpack_from("<I", book, 0x30)[0]
    entries = bytearray(book[directory:directory + 512]) + bytes(4096 - 512)
    mini_table = book[512 + 512 * struct.unpack_from("<I", book, 0x3C)[0]:][:512]
    root, root_size = struct.unpack_from("<II", entries, 0x74)
    workbook_start, workbook_size = struct.unpack_from("<II", entries, 2 * 128 + 0x74)
    links = 512 + 512 * struct.unpack_from("<I", book, 0x4C)[0]

    def stream(first, size):
        data, s = b"", first
        while s != 0xFFFFFFFE and len(data) < size:
            data += book[512 + 512 * s:][:512]
            s = struct.unpack_from("<I", book, links + 4 * s)[0]
        return data[:size]

    mini, workbook = stream(root, root_size), stream(workbook_start, workbook_size)
    struct.pack_into("<II", entries, 0x74, 3, root_size)
    struct.pack_into("<II", entries, 2 * 128 + 0x74, 4, workbook_size)
    made = bytearray(header) + bytes(4096 - 512)
    struct.pack_into("<HHH", made, 0x1A, 4, 0xFFFE, 12)
    struct.pack_into("<IIII", made, 0x28, 1, 1, 1, 0)
    struct.pack_into("<IIIII", made, 0x38, 4096, 2, 1, 0xFFFFFFFE, 0)
    made[0x4C:0x200] = struct.pack("<I", 0) + b"\xff" * (0x200 - 0x50)
    table = [0xFFFFFFFD, 0xFFFFFFFE, 0xFFFFFFFE, 0xFFFFFFFE, 5, 0xFFFFFFFE] + [0xFFFFFFFF] * 1018
    made += struct.pack("<1024I", *table) + entries
    made += (mini_table + b"\xff" * 4096)[:4096] + mini.ljust(4096, b"\0") + workbook.ljust(8192, b"\0")
    return bytes(made)


seed("xls", "sectors-4096", sectors_of_4096(books))

seed("csv", "utf8", "\ufeffΤίτλος;Συγγραφέας;Βιβλιάριθμος\r\n\"Η \"\"Φόνισσα\"\"\";Παπαδιαμάντης;42\r\n\r\nx;y;z;w\n")
seed("csv", "utf16-half", b"\xff\xfe" + "Τίτλος\r\nΟδύ".encode("utf-16-le") + b"\x00\xd8" +
     "σσεια\r\n".encode("utf-16-le"))
seed("csv", "cp1253", "Τίτλος,Θέμα\r\nΑβγ,Δεζ\r\n".encode("cp1253"))
seed("csv", "open-quote", 'Τίτλος\n"never closed\n')


def marc(lines):
    made = subprocess.run(["yaz-marcdump", "-i", "line", "-o", "marc", "/dev/stdin"], input=lines,
                          capture_output=True, check=True)
    return made.stdout


seed("mrc", "marc21", marc(b"00000nam a2200000 a 4500\n001 b1\n100 1  $a Kazantzakis\n245 10 $a Title $b sub\n"))
seed("mrc", "marc8-escape", marc(b"00000nam  2200000 a 4500\n001 e1\n245 00 $a Odys\x1b(Xseia\n"))
seed("mrc", "unimarc", marc("00000nam0 22000003i 450 \n001 u1\n100    $a 20010101d2001    u  u0grey50      ga\n"
                            "200 1  $a Τίτλος\n".encode()))
codes = bytearray(marc(b"00000nam a2200000 a 4500\n001 c1\n245 00 $a Title\n"))
codes[11:12] = b"5"
seed("mrc", "subfield-codes", bytes(codes))
seed("mrc", "leaders", b"00350nam a2200025 a 4500".ljust(350) * 3)

MARCXML = '<collection xmlns="http://www.loc.gov/MARC21/slim">%s</collection>'
seed("xml", "record", MARCXML % ('<record><leader>00000nam a2200000 a 4500</leader><controlfield tag="001">x</controlfield>'
                                 '<datafield tag="245" ind1="1" ind2="0"><subfield code="a">Τίτλος</subfield></datafield>'
                                 "</record>"))
seed("xml", "attributes", MARCXML % ('<record><datafield tag="245"' + "".join(' a%d=""' % i for i in range(1500)) +
                                     "/></record>"))
seed("xml", "deep", MARCXML % ("<record>" + "<x>" * 100))
