#!/usr/bin/env python3
"""No identifier in the program's headers (comments and texts left out) is one of the macros
that <windows.h> and <shellapi.h> define as mingw-w64 sees them."""
import pathlib, re, subprocess, sys

root = pathlib.Path(__file__).resolve().parents[2]
defines = subprocess.run([sys.argv[1] if len(sys.argv) > 1 else "x86_64-w64-mingw32-g++",
                          "-dM", "-E", "-x", "c++", "-"], check=True, text=True, capture_output=True,
                         input="#include <windows.h>\n#include <shellapi.h>\n").stdout
macros = {l.split()[1].split("(")[0] for l in defines.splitlines() if l.startswith("#define ")}
strip = re.compile(r'//[^\n]*|/\*.*?\*/|"(?:\\.|[^"\\])*"|\'(?:\\.|[^\'\\])*\'|^\s*#\s*(?:include|pragma)[^\n]*', re.S | re.M)
headers = sorted(p for d in ("ui", "app", "about", "options", "celebration") for p in (root / d).glob("*.h"))
clashes = [f"{h.relative_to(root)}: {name}" for h in headers
           for name in sorted(set(re.findall(r"\b[A-Za-z_]\w*\b", strip.sub(" ", h.read_text()))) & macros)]
print("\n".join(clashes) if clashes else f"{len(headers)} headers, {len(macros)} macros: no clash")
sys.exit(1 if clashes else 0)
