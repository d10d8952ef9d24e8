#!/bin/sh
# Fails when the set-up's application manifest asks Windows for anything but
# administrator rights (requireAdministrator, without uiAccess) and the five
# tested Windows versions (Vista, 7, 8, 8.1, 10/11), or takes a form that
# Windows XP cannot read: trustInfo without asm.v2 as its own default
# namespace (XP refuses to start the program), or a namespace that an element
# or one of its ancestors declares already (that crashes XP SP2's
# client/server runtime).
# Prints each fault with its line.
#   check-manifest.sh MANIFEST
set -eu
exec python3 - "$1" <<'EOF'
import sys
import xml.parsers.expat

ASM1 = "urn:schemas-microsoft-com:asm.v1"
ASM2 = "urn:schemas-microsoft-com:asm.v2"
COMPAT = "urn:schemas-microsoft-com:compatibility.v1"
# Each element the manifest may hold: its parent and its attributes.
ALLOWED = {
    (ASM1, "assembly"): (None, {"xmlns", "manifestVersion"}),
    (ASM2, "trustInfo"): ((ASM1, "assembly"), {"xmlns"}),
    (ASM2, "security"): ((ASM2, "trustInfo"), set()),
    (ASM2, "requestedPrivileges"): ((ASM2, "security"), set()),
    (ASM2, "requestedExecutionLevel"): ((ASM2, "requestedPrivileges"), {"level", "uiAccess"}),
    (COMPAT, "compatibility"): ((ASM1, "assembly"), {"xmlns"}),
    (COMPAT, "application"): ((COMPAT, "compatibility"), set()),
    (COMPAT, "supportedOS"): ((COMPAT, "application"), {"Id"}),
}
TESTED_WINDOWS = sorted([
    "{e2011457-1546-43c5-a5fe-008deee3d3f0}",  # Vista
    "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  # 7
    "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  # 8
    "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  # 8.1
    "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  # 10 and 11
])

path = sys.argv[1]
parser = xml.parsers.expat.ParserCreate()
faults = []
scopes = [{}]  # prefix ("" for the default) -> namespace, element by element
declared_above = [set()]  # every namespace that the open elements declare
open_elements = [None]  # the allowed element each open one is; None: not allowed
levels = []
windows = []


def fault(text):
    faults.append(f"{path}: line {parser.CurrentLineNumber}: {text}")


def start(name, attributes):
    declarations = {key[6:]: uri for key, uri in attributes.items() if key == "xmlns" or key.startswith("xmlns:")}
    declared = list(declarations.values())
    for uri in sorted(set(declared)):
        if declared.count(uri) > 1 or uri in declared_above[-1]:
            fault(f"<{name}> declares {uri} again (Windows XP SP2 crashes on it)")
    declared_above.append(declared_above[-1] | set(declared))
    scopes.append(scopes[-1] | declarations)
    prefix, _, local = name.rpartition(":")
    element = (scopes[-1].get(prefix), local)
    parent = open_elements[-1]
    allowed = element in ALLOWED and ALLOWED[element][0] == parent
    open_elements.append(element if allowed else None)
    if local == "trustInfo" and attributes.get("xmlns") != ASM2:
        fault(f"<trustInfo> does not declare {ASM2} as its own default namespace"
              " (Windows XP refuses one in the manifest's own namespace)")
    elif not allowed and (parent or len(open_elements) == 2):
        fault(f"<{name}> in {element[0] or 'no namespace'} is not allowed here")
    if not allowed:
        return
    for key in attributes.keys() - ALLOWED[element][1]:
        fault(f"<{name}> has the attribute {key}, which is not allowed")
    if local == "assembly" and attributes.get("manifestVersion") != "1.0":
        fault("<assembly> lacks manifestVersion=\"1.0\"")
    if local == "requestedExecutionLevel":
        levels.append((attributes.get("level"), attributes.get("uiAccess")))
    if local == "supportedOS":
        windows.append(attributes.get("Id", "").lower())


def end(name):
    scopes.pop()
    declared_above.pop()
    open_elements.pop()


def text(data):
    if data.strip() and open_elements[-1]:
        fault(f"text {data.strip()!r} is not allowed")


def refuse(what):
    return lambda *_: fault(f"a {what} is not allowed")


parser.StartElementHandler = start
parser.EndElementHandler = end
parser.CharacterDataHandler = text
parser.ProcessingInstructionHandler = refuse("processing instruction")
parser.StartDoctypeDeclHandler = refuse("document type")
try:
    with open(path, "rb") as manifest:
        parser.ParseFile(manifest)
except xml.parsers.expat.ExpatError as error:
    fault(f"not well-formed XML: {xml.parsers.expat.errors.messages[error.code]}")
    print(faults[-1])
    sys.exit(1)
if levels != [("requireAdministrator", "false")]:
    faults.append(f"{path}: one requestedExecutionLevel with level=\"requireAdministrator\""
                  f" and uiAccess=\"false\" expected, found {levels}")
if sorted(windows) != TESTED_WINDOWS:
    faults.append(f"{path}: the supportedOS ids of Windows Vista, 7, 8, 8.1 and 10 expected,"
                  f" each once; found {windows}")
if faults:
    print("\n".join(faults))
sys.exit(1 if faults else 0)
EOF
