"""No two screens include each other: a screen opens another by its name
through the form manager, and hears back through what it is given, so
each can change without the other.

Usage: screens_apart.py SOURCE_FOLDER
"""

import pathlib
import re
import sys

screens = pathlib.Path(sys.argv[1]) / "src" / "screens"
includes = {}
for f in screens.glob("*.[ch]*"):
    named = set(re.findall(r'#include "screens/(\w+)\.h"', f.read_text(encoding="utf-8")))
    includes.setdefault(f.stem, set()).update(named - {f.stem})
mutual = sorted(f"{a} and {b}" for a in includes for b in includes[a] if a < b and a in includes.get(b, ()))
if mutual:
    print("screens that include each other:", ", ".join(mutual))
    sys.exit(1)
print(f"{len(includes)} screens' files, none including each other")
