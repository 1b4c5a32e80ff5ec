#!/usr/bin/env python3
"""The user's guide as one HTML file that opens with a double click on Windows.

    guide-html.py SOURCE_DIR OUT.html

Converts docs/INSTRUKCJA.md with python3-markdown (Debian's package; the
tables extension) and puts the pictures it shows into the page as data
URIs, so that the one file is the whole guide.  The same input gives the
same bytes.
"""

import base64
import html
import os
import re
import sys

import markdown

STYLE = """
body { font-family: Segoe UI, Tahoma, Arial, sans-serif; max-width: 60em; margin: 2em auto;
       padding: 0 1em; line-height: 1.45; color: #222; }
table { border-collapse: collapse; margin: 1em 0; }
th, td { border: 1px solid #bbb; padding: 0.3em 0.6em; vertical-align: top; text-align: left; }
th { background: #eee; }
code, pre { font-family: Consolas, Courier New, monospace; background: #f4f4f4; }
pre { padding: 0.6em; overflow-x: auto; }
img { max-width: 100%; border: 1px solid #ccc; }
"""


def embedded(folder, body):
    """Every <img src="NAME"> of a file beside the guide as a data URI."""
    def data_uri(match):
        path = os.path.join(folder, html.unescape(match.group(2)))
        with open(path, "rb") as picture:
            encoded = base64.b64encode(picture.read()).decode("ascii")
        return f'{match.group(1)}"data:image/png;base64,{encoded}"'

    return re.sub(r'(<img[^>]*\ssrc=)"([^":]+\.png)"', data_uri, body)


def main():
    source, out = sys.argv[1], sys.argv[2]
    guide = os.path.join(source, "docs", "INSTRUKCJA.md")
    with open(guide, encoding="utf-8") as text:
        body = markdown.markdown(text.read(), extensions=["tables"], output_format="html")
    title_match = re.search(r"<h1>(.*?)</h1>", body)
    title = re.sub(r"<[^>]+>", "", title_match.group(1)) if title_match else "EdiHal_X"
    page = ("<!DOCTYPE html>\n<html lang=\"pl\">\n<head>\n<meta charset=\"utf-8\">\n"
            f"<title>{title}</title>\n<style>{STYLE}</style>\n</head>\n<body>\n"
            f"{embedded(os.path.dirname(guide), body)}\n</body>\n</html>\n")
    os.makedirs(os.path.dirname(os.path.abspath(out)), exist_ok=True)
    with open(out, "w", encoding="utf-8", newline="\r\n") as result:
        result.write(page)


if __name__ == "__main__":
    main()
