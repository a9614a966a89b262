#!/usr/bin/env python3
"""Writes the byte array of one kernel source as the data header carries it.

Used to write the expected data headers of the golden cases (and only that):
the preprocessed text is compressed with zlib at level 8 and laid out as
"static unsigned char c_<name>[] = {", 15 bytes to a line, each line led by
a blank, "0x%x" with a leading zero below 16, a comma after each byte but
the last, then " };" and an empty line. Prints the array and, on stderr, the
compressed size.

    byte_array.py <array name> <preprocessed text file>
"""
import sys
import zlib


def main():
    name, path = sys.argv[1], sys.argv[2]
    with open(path, "rb") as f:
        text = f.read()
    compressor = zlib.compressobj(8)
    data = compressor.compress(text) + compressor.flush()
    out = [f"static unsigned char c_{name}[] = {{\n"]
    for start in range(0, len(data), 15):
        chunk = data[start:start + 15]
        last_line = start + 15 >= len(data)
        items = ["0x%02x" % b for b in chunk]
        out.append(" " + ",".join(items) + ("" if last_line else ",") + "\n")
    out.append(" };\n\n")
    sys.stdout.write("".join(out))
    sys.stderr.write(f"{len(data)}\n")


if __name__ == "__main__":
    main()
