#!/usr/bin/env python3
"""The 32-bit fervix9.dll, which no build machine can run, looked at with
objdump: a 32-bit Windows library exporting what the browser looks up
(NSGetModule undecorated, as a __cdecl function is) and the same as the
64-bit library, importing only libraries every Windows has (the browser's
XPCOM library is loaded at run time, the compiler's runtime is linked in),
with the same type library beside it."""
import argparse
import re
import subprocess
import sys
import unittest

ARGS = None

# Libraries of Windows itself the plug-in may import.
SYSTEM_LIBRARIES = {
    "advapi32.dll", "comctl32.dll", "gdi32.dll", "kernel32.dll", "msvcrt.dll", "ole32.dll", "oleacc.dll",
    "oleaut32.dll", "shell32.dll", "shlwapi.dll", "user32.dll", "version.dll",
}
# Libraries the plug-in must not need at load time.
FORBIDDEN_LIBRARIES = [
    "xpcom.dll", "xul.dll", "nspr4.dll", "libstdc++-6.dll", "libgcc_s_dw2-1.dll", "libgcc_s_seh-1.dll",
    "libwinpthread-1.dll",
]
# Functions the plug-in's work rests on, by the library that has them.
REQUIRED_IMPORTS = [
    ("ole32.dll", "CoCreateInstance"),
    ("oleacc.dll", "AccessibleObjectFromPoint"),
    ("kernel32.dll", "LoadLibraryExW"),
    ("kernel32.dll", "GetProcAddress"),
    ("user32.dll", "RegisterWindowMessageW"),
]


def objdump(tool, library):
    result = subprocess.run([tool, "-p", library], capture_output=True, text=True, timeout=60)
    if result.returncode != 0:
        raise RuntimeError("%s -p %s failed: %s" % (tool, library, result.stderr))
    return result.stdout


class Library:
    def __init__(self, tool, path):
        text = objdump(tool, path)
        self.format = re.search(r"file format (\S+)", text).group(1)
        self.exports = set()
        names = text.split("[Ordinal/Name Pointer] Table", 1)
        if len(names) == 2:
            for line in names[1].splitlines()[1:]:
                match = re.match(r"\s*\[\s*\d+\]\s+(\S+)\s*$", line)
                if not match:
                    break
                self.exports.add(match.group(1))
        self.imports = {}
        current = None
        for line in text.splitlines():
            match = re.match(r"\s*DLL Name:\s*(\S+)", line)
            if match:
                current = match.group(1).lower()
                self.imports.setdefault(current, set())
                continue
            match = re.match(r"\s*[0-9a-f]+\s+\d+\s+(\S+)\s*$", line)
            if current and match:
                self.imports[current].add(match.group(1))


class Win32Library(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.lib32 = Library(ARGS.objdump32, ARGS.library32)
        cls.lib64 = Library(ARGS.objdump64, ARGS.library64)

    def test_formats(self):
        for library, expected in ((self.lib32, "pei-i386"), (self.lib64, "pei-x86-64")):
            with self.subTest(expected=expected):
                self.assertEqual(expected, library.format)

    def test_exports_are_the_browsers_entry_points_in_both(self):
        self.assertEqual({"NSGetModule", "NSModule"}, self.lib32.exports)
        self.assertEqual(self.lib64.exports, self.lib32.exports)

    def test_imports_only_system_libraries(self):
        for name in self.lib32.imports:
            with self.subTest(library=name):
                self.assertIn(name, SYSTEM_LIBRARIES)
        for name in FORBIDDEN_LIBRARIES:
            with self.subTest(forbidden=name):
                self.assertNotIn(name, self.lib32.imports)

    def test_imports_the_same_libraries_as_the_64_bit_library(self):
        self.assertEqual(set(self.lib64.imports), set(self.lib32.imports))

    def test_imports_what_the_plugin_works_with(self):
        for library, function in REQUIRED_IMPORTS:
            with self.subTest(function=function):
                self.assertIn(function, self.lib32.imports.get(library, set()))

    def test_the_same_type_library_goes_beside_it(self):
        with open(ARGS.typelib32, "rb") as a, open(ARGS.typelib64, "rb") as b:
            first, second = a.read(), b.read()
        self.assertTrue(first.startswith(b"XPCOM\nTypeLib\r\n\x1a"))
        self.assertEqual(second, first)


def main():
    global ARGS
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    for name in ("objdump32", "objdump64", "library32", "library64", "typelib32", "typelib64"):
        parser.add_argument("--" + name, required=True)
    ARGS, rest = parser.parse_known_args()
    program = unittest.main(argv=[sys.argv[0]] + rest, exit=False, verbosity=2)
    return 0 if program.result.wasSuccessful() else 1


if __name__ == "__main__":
    sys.exit(main())
