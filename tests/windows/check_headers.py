#!/usr/bin/env python3
"""No name in the program's headers is one of <windows.h>'s macros.

Every identifier in every header of the program (comments and texts left out) is checked
against the macros that <windows.h> and <shellapi.h> define, as mingw-w64's compiler sees
them. The headers that need no Qt are also compiled after <windows.h> (test_wine.cpp)."""
import pathlib, re, subprocess, sys

root = pathlib.Path(__file__).resolve().parents[2]
compiler = sys.argv[1] if len(sys.argv) > 1 else "x86_64-w64-mingw32-g++"
defines = subprocess.run([compiler, "-dM", "-E", "-x", "c++", "-"], check=True, text=True,
                         capture_output=True,
                         input="#include <windows.h>\n#include <shellapi.h>\n").stdout
macros = {line.split()[1].split("(")[0] for line in defines.splitlines() if line.startswith("#define ")}

strip = re.compile(r'//[^\n]*|/\*.*?\*/|"(?:\\.|[^"\\])*"|\'(?:\\.|[^\'\\])*\'', re.S)
clashes = []
headers = sorted(p for d in ("ui", "app", "about", "options", "celebration")
                 for p in (root / d).glob("*.h"))
for header in headers:
    code = strip.sub(" ", header.read_text())
    code = re.sub(r"^\s*#\s*(include|pragma)[^\n]*", " ", code, flags=re.M)
    for name in sorted(set(re.findall(r"\b[A-Za-z_]\w*\b", code)) & macros):
        clashes.append(f"{header.relative_to(root)}: {name}")
print("\n".join(clashes) if clashes else f"{len(headers)} headers, {len(macros)} macros: no clash")
sys.exit(1 if clashes else 0)
