#!/usr/bin/env python3
"""Writes KernelStubs.h: for each interface of the kernel's generated header,
a base class Stubs<I> that answers E_NOTIMPL at every method (those of its
base interfaces included), so that an object overrides only what it serves.
Dual interfaces take their IDispatch from the type library that describes
them; the others derive from the interface itself.

usage: MakeKernelStubs.py <NorvaKernel.h> <KelVarLib.idl> <output>
"""
import re
import sys

ROOTS = {"IUnknown", "IDispatch"}


def read_interfaces(header):
    """Interfaces of a widl C++ header, in order: name -> (base, [(name, [param types])])."""
    text = open(header, encoding="utf-8").read()
    interfaces = {}
    block = re.compile(r'MIDL_INTERFACE\("[^"]*"\)\s*(\w+)\s*:\s*public\s+(\w+)\s*\{(.*?)\n\};', re.S)
    method = re.compile(r"virtual\s+HRESULT\s+STDMETHODCALLTYPE\s+(\w+)\(\s*(.*?)\)\s*=\s*0;", re.S)
    for match in block.finditer(text):
        name, base, body = match.groups()
        methods = []
        for m in method.finditer(body):
            params = [p.strip() for p in m.group(2).split(",") if p.strip()]
            methods.append((m.group(1), [parameter_type(p) for p in params]))
        interfaces[name] = (base, methods)
    return interfaces


def parameter_type(param):
    """The type of a declared parameter: its last word (the name) dropped."""
    param = " ".join(param.split())
    typed = re.match(r"^(.*?)\s*\b\w+$", param)
    if not typed or not typed.group(1) or typed.group(1) in ("const", "unsigned", "signed"):
        return param  # an unnamed parameter
    return typed.group(1).replace(" *", "*").replace("* ", "*")


def all_methods(name, interfaces):
    base, methods = interfaces[name]
    inherited = all_methods(base, interfaces) if base in interfaces else []
    return inherited + methods


def root_of(name, interfaces):
    while name in interfaces:
        name = interfaces[name][0]
    return name


def main():
    header, kelvar_idl, output = sys.argv[1:4]
    interfaces = read_interfaces(header)
    library_block = open(kelvar_idl, encoding="utf-8").read().split("library", 1)[-1]
    kelvar = set(re.findall(r"interface\s+(\w+)", library_block))
    out = [
        "#pragma once",
        "// Generated at build time from the kernel's interfaces by MakeKernelStubs.py: do not edit.",
        "// A base for each kernel interface that answers E_NOTIMPL at every method,",
        "// so that an object overrides only what it serves (placeholders included).",
        '#include "KelVarLib.h"',
        '#include "KernelTypeLibraries.h"',
        '#include "platform/com/Dispatch.h"',
        "",
        "namespace kernelstandin {",
        "",
        "template <class I>",
        "class Stubs;",
    ]
    for name in interfaces:
        root = root_of(name, interfaces)
        if root not in ROOTS:
            continue  # derives from an interface declared elsewhere
        if root == "IDispatch":
            library = "kKelVarLib" if name in kelvar else "kNorvaObjLib"
            base = f"platform::Dispatch<{name}, {library}>"
        else:
            base = name
        out += ["", "template <>", f"class Stubs<{name}> : public {base} {{", " public:"]
        for method, types in all_methods(name, interfaces):
            out.append(f"  HRESULT STDMETHODCALLTYPE {method}({', '.join(types)}) override {{ return E_NOTIMPL; }}")
        out.append("};")
    out += ["", "}  // namespace kernelstandin", ""]
    text = "\n".join(out)
    try:
        if open(output, encoding="utf-8").read() == text:
            return  # unchanged: what includes it is not built again
    except OSError:
        pass
    with open(output, "w", encoding="utf-8", newline="\n") as f:
        f.write(text)


if __name__ == "__main__":
    main()
