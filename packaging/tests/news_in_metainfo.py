#!/usr/bin/python3
"""Checks that the metainfo's newest release is NEWS's newest entry, every item whole.

appstreamcli cuts an item at its last " (", taking what follows for an author's name, and
says nothing; software centres would then show half a sentence. Usage:
news_in_metainfo.py NEWS METAINFO VERSION
"""
import re
import sys
import xml.etree.ElementTree as ET


def words(text):
    return " ".join(text.split())


def newest_items(news):
    entry = re.split(r"\n(?=Version )", news)[0]
    items = re.findall(r"^ \* (.*(?:\n   .*)*)", entry, re.MULTILINE)
    return [words(item) for item in items]


def main(news_path, metainfo_path, version):
    with open(news_path, encoding="utf-8") as news:
        expected = newest_items(news.read())
    release = ET.parse(metainfo_path).find("releases/release")
    if release is None or release.get("version") != version:
        sys.exit(f"the metainfo's newest release is not {version}")
    told = [words("".join(element.itertext()))
            for element in release.find("description").iter()
            if element.tag in ("li", "p")]
    missing = [item for item in expected if item not in told]
    if missing:
        sys.exit("NEWS's items the metainfo does not hold whole:\n" + "\n".join(missing))


if __name__ == "__main__":
    main(*sys.argv[1:])
