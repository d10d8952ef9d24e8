#!/bin/sh
# Fails when a file of the set-up program includes a header of a floor above
# its own, or of another folder on its own floor. The floors, from the bottom
# (the README's drawing): the resource ids, the portable core, the run
# layer, the installation engine, the dialogs, the flow. A file may include
# the headers of its own folder and of the floors below it, each named by its
# folder ("core/text_ops.h"); the core includes nothing of Windows. Prints
# each fault with its file and line.
#   check-layers.sh SOURCE_DIR
set -eu
exec python3 - "$1" <<'EOF_PY'
import pathlib
import re
import sys

FLOORS = {"res": 0, "core": 1, "run": 2, "install": 3, "ui": 4, "setup": 5}
HEADER_FOLDER = {"resource_ids.h": "res"}
WINDOWS = re.compile(r"#\s*include\s*<(windows|shlobj|shellapi|commctrl|exdisp|shldisp)\.h>")
INCLUDE = re.compile(r'#\s*include\s*"([^"]+)"')

source = pathlib.Path(sys.argv[1]) / "src"
faults = 0
for path in sorted(source.rglob("*")):
    if path.suffix not in (".h", ".cpp") or path.parent.name not in FLOORS:
        continue
    own = path.parent.name
    for number, line in enumerate(path.read_text(encoding="latin-1").splitlines(), 1):
        where = f"{path.relative_to(source.parent)}:{number}"
        if own == "core" and WINDOWS.search(line):
            print(f"{where}: the portable core includes Windows: {line.strip()}")
            faults += 1
        found = INCLUDE.search(line)
        if not found:
            continue
        name = found.group(1)
        folder = name.split("/")[0] if "/" in name else HEADER_FOLDER.get(name)
        if folder is None:
            print(f"{where}: \"{name}\" does not name its floor's folder")
        elif folder not in FLOORS:
            print(f"{where}: \"{name}\" is in no floor")
        elif folder != own and FLOORS[folder] >= FLOORS[own]:
            side = "above" if FLOORS[folder] > FLOORS[own] else "beside"
            print(f"{where}: {own}/ includes \"{name}\", from a floor {side} its own")
        else:
            continue
        faults += 1
print(f"layers: {faults} includes out of place" if faults else "layers: every include points down")
sys.exit(1 if faults else 0)
EOF_PY
