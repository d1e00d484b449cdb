#!/usr/bin/env python3
"""Prints a C++ string literal holding the GBK bytes of each UTF-8 argument.

The program's texts are GBK byte for byte. They live readable in src/text/texts.txt, and
scripts/gen_texts.py writes them with this function; the script itself prints a literal for a
test or a quick look. Use: scripts/gbk_literal.py 修改配置 错误
"""
import sys


def literal(text: str) -> str:
    out = []
    prev_hex = False
    for b in text.encode("gbk"):
        ch = chr(b)
        if b >= 0x80 or b < 0x20 or ch in '"\\':
            special = {0x0D: "\\r", 0x0A: "\\n", 0x22: '\\"', 0x5C: "\\\\", 0x09: "\\t"}
            out.append(special.get(b, f"\\x{b:02X}"))
            prev_hex = b not in special
        else:
            # A hex escape swallows following hex digits: split the literal there.
            if prev_hex and ch in "0123456789abcdefABCDEF":
                out.append('" "')
            out.append(ch)
            prev_hex = False
    return '"' + "".join(out) + '"'


if __name__ == "__main__":
    for arg in sys.argv[1:]:
        print(f"{literal(arg.encode().decode('unicode_escape').encode('latin1').decode('utf-8'))}  // {arg}")
