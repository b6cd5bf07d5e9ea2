#!/usr/bin/env python3
"""Writes seeds of realistic size for the document fuzz targets: documents of 255 pages with a
short text in every box, in the current and an old layout of each format (fuzz_aef, fuzz_fdv),
an article table of 10 000 records (fuzz_dbase),
and for fuzz_documents the descriptions of 255-page documents of every version of both formats,
with short texts and with long texts in the boxes the old layouts repeat on every sheet.
  python3 fuzz/make-large-seeds.py OUTDIR   (writes OUTDIR/<target>)
Written from the format description with the fixtures' encoder, not with the program's writer."""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, '..', 'tests', 'fixtures'))
from archive_encoding import count, dword, narrow, strings, wide, word, words  # noqa: E402

PAGES = 255


def block(n1, n2, pages):
    t1 = ['f%d' % i for i in range(n1)]
    t2 = ['p%d.%d' % (p, i) for p in range(2, pages + 1) for i in range(n2)]
    return (word(0x1206) + word(2) + strings(t1, wide) + words([3] * n1) + word(0x2000 + pages) +
            word(n2) + strings(t2, wide) + words([2] * len(t2)))


def aef210():
    return (b'KTW-EHForm@2.10' + b'\xff' * 16 + word(PAGES - 1) + dword(0) + bytes([0]) + dword(3) +
            block(154, 214, PAGES) + b'@')


def aef120():
    l1 = ['A%d' % i for i in range(127)]
    l2 = ['S%d.%d' % (k, j) for k in range(1, PAGES) for j in range(193)]
    return (b'KTW-AEForm@1.20' + word(0) + word(PAGES - 1) + bytes([0, 0]) + strings(l1, narrow) +
            strings(l2, narrow))


def fdv300():
    return (b'KTW-DV1Form@3.00' + word(300) + dword(0) + b'\xff' * 10 +
            strings(['RECHNER', 'Sachbearbeiter'], wide) + block(12, 61, PAGES) + count(14) + bytes(14) + b'@')


def fdv110():
    t1 = ['f%d' % i for i in range(12)]
    t2 = ['p%d.%d' % (p, i) for p in range(2, PAGES + 1) for i in range(61)]
    return (b'KTW-DV1Form@1.10' + word(PAGES) + strings(t1, narrow) + strings(t2, narrow) + count(14) +
            bytes(14))


def article_table(records):
    # A dBase III article table of the program's 8-field layout, every record filled.
    fields = [('WBESCH1', 254), ('WNR1', 8), ('WNR2', 2), ('WNR3', 4), ('WNR4', 4), ('WNR5', 1),
              ('LAND1', 3), ('LAND2', 3)]
    length = 1 + sum(n for _, n in fields)
    header = 32 + 32 * len(fields) + 1
    out = bytes([3, 124, 1, 1]) + dword(records) + word(header) + word(length) + bytes(20)
    for name, n in fields:
        out += name.encode('ascii').ljust(11, b'\0') + b'C' + bytes(4) + bytes([n, 0]) + bytes(14)
    out += b'\r'
    for r in range(records):
        values = ['Artikel %d\r\nZeile 2' % r, '%08d' % r, '00', '', '', '', 'DE', '05']
        out += b' ' + b''.join(v.encode('cp1252').ljust(n, b' ') for v, (_, n) in zip(values, fields))
    return out + b'\x1a'


def description(head, pages, long_texts):
    # fuzz_documents reads: head (bit 7: .fdv; the rest picks the version), the sheet or page
    # count, the text plan (mode byte, long length, every n-th long, mask), the counts byte; what
    # is missing reads as 0 (no changed counts, no damage).
    mode = 1 | (8 if long_texts else 0)
    return (bytes([head]) + word(pages) + bytes([mode]) + dword(60000 if long_texts else 0) + word(0) +
            bytes([1 if long_texts else 0, 0]))


def main():
    out = sys.argv[1]
    files = {}
    for v in range(8):
        for long_texts in (False, True):
            files['fuzz_documents/aef%d%s' % (v, '-long' if long_texts else '')] = description(v, 254, long_texts)
    for v in range(5):
        for long_texts in (False, True):
            files['fuzz_documents/fdv%d%s' % (v, '-long' if long_texts else '')] = description(
                0x80 | v, 255, long_texts)
    files.update({
        'fuzz_aef/pages255-v210.aef': aef210(),
        'fuzz_aef/pages255-v120.aef': aef120(),
        'fuzz_fdv/pages255-v300.fdv': fdv300(),
        'fuzz_fdv/pages255-v110.fdv': fdv110(),
        'fuzz_dbase/artikel-10000.dbf': article_table(10000),
    })
    for name, data in files.items():
        path = os.path.join(out, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, 'wb') as f:
            f.write(data)


if __name__ == '__main__':
    main()
