"""Where the window's controls sit, read from the program's own layout table."""

import os
import re

from xsession import source_dir


def placements():
    with open(os.path.join(source_dir(), "app", "Layout.h")) as f:
        text = f.read()
    rows = re.findall(r'\{"(\w+)",\s*(\d+),\s*(\d+),\s*(\d+),\s*(\d+),', text)
    return {name: tuple(int(v) for v in values) for name, *values in rows}


def centre_of(control):
    left, top, width, height = placements()[control]
    return left + width // 2, top + height // 2
