#!/usr/bin/env python3
"""A translator's Python script for the same report: configparser reads both
files, and the four lists are what each side's FORMS and STRINGS lack.
Prints the four counts.   configparser_report.py REFERENCE TRANSLATION"""
import configparser
import sys


def read(path):
    parser = configparser.ConfigParser(strict=False, interpolation=None, delimiters=("=",),
                                       comment_prefixes=(";",), empty_lines_in_values=False)
    with open(path, encoding="latin-1") as handle:
        parser.read_file(handle)
    return parser


def keys(parser, section):
    return [key for key in parser[section]] if parser.has_section(section) else []


def main():
    reference, translation = read(sys.argv[1]), read(sys.argv[2])
    lists = {}
    for section in ("FORMS", "STRINGS"):
        ours, theirs = keys(reference, section), keys(translation, section)
        ours_set, theirs_set = set(ours), set(theirs)
        lists[section + " to add"] = [key for key in ours if key not in theirs_set]
        lists[section + " to remove"] = [key for key in theirs if key not in ours_set]
    for name in ("FORMS to add", "STRINGS to add", "FORMS to remove", "STRINGS to remove"):
        print(f"{name}: {len(lists[name])}")


if __name__ == "__main__":
    main()
