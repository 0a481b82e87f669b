#!/usr/bin/env python3
"""No identifier in the program's headers (comments and texts left out) is one of the macros that
<windows.h> and <shellapi.h> define for the compiler given (mingw-w64's)."""
import pathlib, re, subprocess, sys  # noqa: E401

root = pathlib.Path(__file__).resolve().parents[2]
defines = subprocess.run([sys.argv[1], '-dM', '-E', '-x', 'c++', '-'], check=True, text=True,
                         capture_output=True, input='#include <windows.h>\n#include <shellapi.h>\n')
macros = {line.split()[1].split('(')[0] for line in defines.stdout.splitlines()}
skip = re.compile(r'//[^\n]*|/\*.*?\*/|"(?:\\.|[^"\\])*"|\'(?:\\.|[^\'\\])*\''
                  r'|^\s*#\s*(?:include|pragma)[^\n]*', re.S | re.M)
headers = sorted(h for d in ('ui', 'app', 'about', 'options', 'celebration')
                 for h in (root / d).glob('*.h'))
clashes = ['%s: %s' % (h.relative_to(root), name) for h in headers for name in sorted(
    set(re.findall(r'\b[A-Za-z_]\w*\b', skip.sub(' ', h.read_text()))) & macros)]
print('\n'.join(clashes) or '%d headers, %d macros: no clash' % (len(headers), len(macros)))
sys.exit(1 if clashes else 0)
