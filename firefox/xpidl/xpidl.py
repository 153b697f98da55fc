#!/usr/bin/env python3
"""Makes the C++ header and the XPCOM type library (.xpt) of an interface
definition written in the browser's interface definition language.

Only what the plug-in's interfaces use is understood: forward declarations,
scriptable interfaces with a uuid and one parent, and methods whose
parameters are 'in' or 'out' boolean, short, long, AString or an interface.
A method's return type becomes its last out-parameter ('retval').

The type library follows the XPCOM typelib file format 1.2 (big-endian
integers; the interface directory right after the header; offsets into the
data pool count from 1). Usage:

  xpidl.py --header <out.h> --typelib <out.xpt> <in.idl>
"""
import argparse
import re
import struct
import sys

NSISUPPORTS_IID = "00000000-0000-0000-c000-000000000046"

# Type descriptor tags of the format.
TD_INT16 = 1
TD_INT32 = 2
TD_UINT32 = 6
TD_BOOL = 10
TD_INTERFACE_TYPE = 18
TD_ASTRING = 25
# Type descriptor prefix flags.
TDP_POINTER = 0x80
TDP_REFERENCE = 0x20
# Parameter flags.
PD_IN = 0x80
PD_OUT = 0x40
PD_RETVAL = 0x20
PD_DIPPER = 0x08
# Interface descriptor flags.
ID_SCRIPTABLE = 0x80

MAGIC = b"XPCOM\nTypeLib\r\n\x1a"
MAJOR_VERSION = 1
MINOR_VERSION = 2
HEADER_SIZE = 16 + 1 + 1 + 2 + 4 + 4 + 4
EMPTY_LAST_ANNOTATION = 0x80
DIRECTORY_ENTRY_SIZE = 16 + 4 + 4 + 4

# Scalar types: C++ type and tag.
SCALARS = {"boolean": ("PRBool", TD_BOOL), "short": ("PRInt16", TD_INT16), "long": ("PRInt32", TD_INT32)}


class IdlError(Exception):
    pass


class Param:
    def __init__(self, direction, type_name, name, retval=False):
        self.direction = direction
        self.type_name = type_name
        self.name = name
        self.retval = retval


class Method:
    def __init__(self, name, params):
        self.name = name
        self.params = params


class Interface:
    def __init__(self, name, parent, iid, scriptable, methods):
        self.name = name
        self.parent = parent
        self.iid = iid
        self.scriptable = scriptable
        self.methods = methods


TOKEN = re.compile(r"\s*(?:(//[^\n]*|/\*.*?\*/)|([A-Za-z_][A-Za-z0-9_]*)|(\[|\]|\(|\)|\{|\}|;|:|,)|(\S))", re.S)
UUID = re.compile(r"\s*uuid\s*\(\s*([0-9A-Fa-f]{8}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{12})\s*\)")


def tokenize(text):
    tokens = []
    pos = 0
    while pos < len(text):
        uuid = UUID.match(text, pos)
        if uuid:
            tokens.append(("uuid", uuid.group(1).lower()))
            pos = uuid.end()
            continue
        match = TOKEN.match(text, pos)
        if not match or match.end() == pos:
            break
        pos = match.end()
        comment, word, punct, other = match.groups()
        if comment:
            continue
        if other:
            raise IdlError("unexpected character %r" % other)
        tokens.append(("word", word) if word else ("punct", punct))
    return tokens


class Parser:
    def __init__(self, tokens):
        self.tokens = tokens
        self.pos = 0

    def peek(self):
        return self.tokens[self.pos] if self.pos < len(self.tokens) else (None, None)

    def take(self, kind=None, value=None):
        token = self.peek()
        if token[0] is None or (kind and token[0] != kind) or (value and token[1] != value):
            raise IdlError("expected %s, found %r" % (value or kind, token[1]))
        self.pos += 1
        return token[1]

    def parse(self):
        forwards, interfaces = set(), []
        while self.peek()[0] is not None:
            attrs = self.attributes()
            self.take("word", "interface")
            name = self.take("word")
            if self.peek() == ("punct", ";"):
                self.take()
                if attrs:
                    raise IdlError("a forward declaration of %s takes no attributes" % name)
                forwards.add(name)
                continue
            self.take("punct", ":")
            parent = self.take("word")
            if "uuid" not in attrs:
                raise IdlError("interface %s has no uuid" % name)
            self.take("punct", "{")
            methods = []
            while self.peek() != ("punct", "}"):
                methods.append(self.method())
            self.take("punct", "}")
            self.take("punct", ";")
            interfaces.append(Interface(name, parent, attrs["uuid"], attrs.get("scriptable", False), methods))
        return forwards, interfaces

    def attributes(self):
        attrs = {}
        if self.peek() != ("punct", "["):
            return attrs
        self.take()
        while True:
            kind, value = self.peek()
            if kind == "uuid":
                attrs["uuid"] = value
                self.take()
            else:
                attrs[self.take("word")] = True
            if self.peek() == ("punct", "]"):
                self.take()
                return attrs
            self.take("punct", ",")

    def method(self):
        result_type = self.take("word")
        name = self.take("word")
        self.take("punct", "(")
        params = []
        while self.peek() != ("punct", ")"):
            if params:
                self.take("punct", ",")
            direction = self.take("word")
            if direction not in ("in", "out"):
                raise IdlError("%s: a parameter is 'in' or 'out', not %r" % (name, direction))
            params.append(Param(direction, self.take("word"), self.take("word")))
        self.take("punct", ")")
        self.take("punct", ";")
        if result_type != "void":
            params.append(Param("out", result_type, "_retval", retval=True))
        return Method(name, params)


class Model:
    def __init__(self, forwards, interfaces):
        self.interfaces = interfaces
        self.by_name = {i.name: i for i in interfaces}
        if len(self.by_name) != len(interfaces):
            raise IdlError("an interface is defined twice")
        known = set(self.by_name) | forwards | {"nsISupports"}
        for interface in interfaces:
            if interface.parent not in known:
                raise IdlError("%s: unknown parent %s" % (interface.name, interface.parent))
            for method in interface.methods:
                for param in method.params:
                    if param.type_name not in SCALARS and param.type_name != "AString" and param.type_name not in known:
                        raise IdlError("%s.%s: unknown type %s" % (interface.name, method.name, param.type_name))
        for name in forwards:
            if name not in self.by_name:
                raise IdlError("%s is declared but never defined" % name)
        self.known = known

    def is_interface(self, type_name):
        return type_name in self.known


# The C++ header.

def cpp_name(method_name):
    return method_name[0].upper() + method_name[1:]


def cpp_param(model, param):
    if param.type_name == "AString":
        return ("const nsAString& " if param.direction == "in" else "nsAString& ") + param.name
    if model.is_interface(param.type_name):
        return param.type_name + ("* " if param.direction == "in" else "** ") + param.name
    cpp_type = SCALARS[param.type_name][0]
    return cpp_type + (" " if param.direction == "in" else "* ") + param.name


def iid_initializer(iid):
    a, b, c, d, e = iid.split("-")
    rest = [d[0:2], d[2:4]] + [e[i:i + 2] for i in range(0, 12, 2)]
    return "0x%s, 0x%s, 0x%s, %s" % (a, b, c, ", ".join("0x" + x for x in rest))


def make_header(model, source_name):
    lines = ["#pragma once",
             "// Made from %s by xpidl.py at build time; edit the interface definition." % source_name,
             '#include "platform/xpcom/XpcomString.h"',
             '#include "platform/xpcom/nsISupports.h"',
             ""]
    for interface in model.interfaces:
        lines.append("struct %s;" % interface.name)
    for interface in model.interfaces:
        lines.append("")
        lines.append("struct %s : %s {" % (interface.name, interface.parent))
        for method in interface.methods:
            params = ", ".join(cpp_param(model, p) for p in method.params)
            lines.append("  NS_IMETHOD %s(%s) = 0;" % (cpp_name(method.name), params))
        lines.append("};")
        lines.append("// {%s}" % interface.iid)
        lines.append("__CRT_UUID_DECL(%s, %s)" % (interface.name, iid_initializer(interface.iid)))
    return "\n".join(lines) + "\n"


# The type library.

def iid_bytes(iid):
    a, b, c, d, e = iid.split("-")
    return struct.pack(">IHH", int(a, 16), int(b, 16), int(c, 16)) + bytes.fromhex(d + e)


class DataPool:
    """The data pool: offsets into it count from 1 (0 means none)."""

    def __init__(self):
        self.data = bytearray()

    def add(self, blob):
        offset = len(self.data) + 1
        self.data += blob
        return offset

    def add_identifier(self, text):
        return self.add(text.encode("ascii") + b"\0")


def type_descriptor(model, param, index_of):
    if param.type_name == "AString":
        return bytes([TDP_POINTER | TDP_REFERENCE | TD_ASTRING])
    if model.is_interface(param.type_name):
        return bytes([TDP_POINTER | TD_INTERFACE_TYPE]) + struct.pack(">H", index_of[param.type_name])
    return bytes([SCALARS[param.type_name][1]])


def param_flags(param):
    flags = PD_IN if param.direction == "in" else PD_OUT
    if param.retval:
        flags |= PD_RETVAL
    # A string the caller hands in for the callee to fill ("dipper").
    if param.type_name == "AString" and flags & PD_OUT:
        flags = (flags & ~PD_OUT) | PD_IN | PD_DIPPER
    return flags


def make_typelib(model):
    names = {i.name for i in model.interfaces}
    names |= {i.parent for i in model.interfaces}
    for interface in model.interfaces:
        for method in interface.methods:
            names |= {p.type_name for p in method.params if model.is_interface(p.type_name)}
    order = sorted(names)
    index_of = {name: position + 1 for position, name in enumerate(order)}

    pool = DataPool()
    entries = []
    for name in order:
        interface = model.by_name.get(name)
        name_offset = pool.add_identifier(name)
        if interface is None:
            # Defined in another type library (the browser's): named here only.
            if name != "nsISupports":
                raise IdlError("%s has no definition" % name)
            entries.append((NSISUPPORTS_IID, name_offset, 0))
            continue
        method_names = [pool.add_identifier(m.name) for m in interface.methods]
        blob = bytearray(struct.pack(">HH", index_of[interface.parent], len(interface.methods)))
        for method, method_name in zip(interface.methods, method_names):
            blob += bytes([0]) + struct.pack(">I", method_name) + bytes([len(method.params)])
            for param in method.params:
                blob += bytes([param_flags(param)]) + type_descriptor(model, param, index_of)
            blob += bytes([0, TD_UINT32])  # the result: an nsresult
        blob += struct.pack(">H", 0)  # no constants
        blob += bytes([ID_SCRIPTABLE if interface.scriptable else 0])
        entries.append((interface.iid, name_offset, pool.add(bytes(blob))))

    header_size = HEADER_SIZE + 1
    directory_offset = header_size + 1  # counted from 1, right after the header
    data_pool_start = header_size + DIRECTORY_ENTRY_SIZE * len(entries)
    file_length = data_pool_start + len(pool.data)
    out = bytearray(MAGIC)
    out += struct.pack(">BBHIII", MAJOR_VERSION, MINOR_VERSION, len(entries), file_length, directory_offset,
                       data_pool_start)
    out += bytes([EMPTY_LAST_ANNOTATION])
    for iid, name_offset, descriptor_offset in entries:
        out += iid_bytes(iid) + struct.pack(">III", name_offset, 0, descriptor_offset)
    out += pool.data
    assert len(out) == file_length
    return bytes(out)


def write_if_changed(path, data):
    try:
        with open(path, "rb") as existing:
            if existing.read() == data:
                return
    except OSError:
        pass
    with open(path, "wb") as out:
        out.write(data)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--header", required=True)
    parser.add_argument("--typelib", required=True)
    parser.add_argument("idl")
    args = parser.parse_args()
    try:
        with open(args.idl, encoding="utf-8") as source:
            model = Model(*Parser(tokenize(source.read())).parse())
        header = make_header(model, args.idl.replace("\\", "/").rsplit("/", 1)[-1])
        typelib = make_typelib(model)
    except (IdlError, OSError) as error:
        print("%s: %s" % (args.idl, error), file=sys.stderr)
        return 1
    write_if_changed(args.header, header.encode("utf-8"))
    write_if_changed(args.typelib, typelib)
    return 0


if __name__ == "__main__":
    sys.exit(main())
