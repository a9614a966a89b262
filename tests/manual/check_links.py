#!/usr/bin/env python3
"""Checks the links of an HTML manual written into one folder.

  check_links.py <folder> <extension> [start page]

Every page is a file of the folder with the given extension. Checked:
- every href and src of every page resolves: a relative target names a file
  of the folder, and its fragment (if any) an id of that page;
- targets with a scheme are only http, https or mailto (anything else, a
  "javascript:" link for one, is a fault), and no link is empty;
- every page is reachable from the start page (default: index.<extension>)
  by following links.
Prints one line per fault and exits 1 when there is any, else prints a
summary and exits 0.
"""
import html.parser
import os
import sys
import urllib.parse

ALLOWED_SCHEMES = ("http", "https", "mailto")


class PageLinks(html.parser.HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.links = []  # (tag, attribute, value, line)
        self.ids = set()

    def handle_starttag(self, tag, attrs):
        for name, value in attrs:
            if name in ("id", "name") and value is not None and (name == "id" or tag == "a"):
                self.ids.add(value)
            if name in ("href", "src") and tag not in ("base",):
                self.links.append((tag, name, value or "", self.getpos()[0]))

    handle_startendtag = handle_starttag


def read_pages(folder, extension):
    pages = {}
    for name in sorted(os.listdir(folder)):
        if not name.endswith("." + extension):
            continue
        parser = PageLinks()
        with open(os.path.join(folder, name), encoding="utf-8") as page:
            parser.feed(page.read())
        parser.close()
        pages[name] = parser
    return pages


def check(folder, extension, start):
    pages = read_pages(folder, extension)
    faults = []
    edges = {name: set() for name in pages}
    for name, page in pages.items():
        for tag, attribute, value, line in page.links:
            where = "%s:%d: <%s %s=\"%s\">" % (name, line, tag, attribute, value)
            if value.strip() == "":
                faults.append(where + " is empty")
                continue
            target = urllib.parse.urlsplit(value)
            if target.scheme:
                if target.scheme.lower() not in ALLOWED_SCHEMES:
                    faults.append(where + " has a scheme other than http, https or mailto")
                continue
            if target.netloc:
                faults.append(where + " names a host without a scheme")
                continue
            path = urllib.parse.unquote(target.path)
            if path == "":
                file_name = name
            else:
                full = os.path.normpath(os.path.join(folder, path))
                if not os.path.isfile(full):
                    faults.append(where + " names a file that is not there")
                    continue
                file_name = os.path.relpath(full, folder)
            if target.fragment:
                fragment = urllib.parse.unquote(target.fragment)
                if file_name in pages and fragment not in pages[file_name].ids:
                    faults.append(where + " names an anchor that %s does not have" % file_name)
                    continue
            if file_name in pages:
                edges[name].add(file_name)
    if start not in pages:
        faults.append("start page %s is not there" % start)
    else:
        reached, queue = {start}, [start]
        while queue:
            for target in edges[queue.pop()]:
                if target not in reached:
                    reached.add(target)
                    queue.append(target)
        for name in pages:
            if name not in reached:
                faults.append("%s is not reachable from %s" % (name, start))
    return pages, faults


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    folder, extension = sys.argv[1], sys.argv[2]
    start = sys.argv[3] if len(sys.argv) > 3 else "index." + extension
    pages, faults = check(folder, extension, start)
    for fault in faults:
        print(fault)
    if faults:
        print("%d faults in %d pages" % (len(faults), len(pages)))
        return 1
    links = sum(len(page.links) for page in pages.values())
    print("%d pages, %d links, all resolve, all pages reachable from %s" % (len(pages), links, start))
    return 0


if __name__ == "__main__":
    sys.exit(main())
