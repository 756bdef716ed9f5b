# Reads table_export.csv (the table export's file for three rows of awkward cells, written by
# CsvFile.QuotedCellsMatchTheCheckedFile) back with Python's csv module and checks the cells.
# Tool: Python 3 standard library csv; delimiter ';', UTF-16 with its FF FE mark.
# Rerun: PYENV_VERSION=system python3 tests/data/table_export.py > tests/data/table_export.txt
import csv
import os

HERE = os.path.dirname(os.path.abspath(__file__))
EXPECTED = [
    ["Name", "Amplitude (\u00b5V)", "Note"],
    ["a;b", "1,5", 'say "hi"'],
    ["two\r\nlines", "", "\u03a9"],
]

with open(os.path.join(HERE, "table_export.csv"), "rb") as f:
    raw = f.read()
assert raw[:2] == b"\xff\xfe", "UTF-16 little-endian with its mark"
with open(os.path.join(HERE, "table_export.csv"), newline="", encoding="utf-16") as f:
    rows = list(csv.reader(f, delimiter=";"))
for row in rows:
    print(repr(row))
print("same cells:", rows == EXPECTED)
