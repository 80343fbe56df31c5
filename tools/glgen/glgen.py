#!/usr/bin/env python3
"""Writes the five GL interfaces, GLImp's forwarders, the dispatch list and the test call table from
the table of GL operations.

usage: glgen.py TABLE OUTPUT_DIR
"""
import os
import sys

INTERFACES = {1: ["GL10"], 2: ["GL11"], 3: ["GL11Ext"], 4: ["GL11ExtensionPack"], 5: ["GL11ExtensionPack", "GL10"]}
INTERFACE_BASES = {"GL10": "GL", "GL11": "GL10", "GL11Ext": "GL", "GL11ExtensionPack": "GL"}
SCALARS = {"int": "int32_t", "float": "float", "bool": "bool", "short": "int16_t", "byte": "int8_t"}
RESULTS = {"void": "void", "int": "int32_t", "bool": "bool", "String": "JavaPtr<java::lang::String>"}
ELEMENT_BUFFERS = {"int": "java::nio::IntBuffer", "float": "java::nio::FloatBuffer",
                   "short": "java::nio::ShortBuffer", "bool": "java::nio::IntBuffer", "void": "java::nio::Buffer"}
ELEMENT_SIZES = {"int": 4, "float": 4, "short": 2, "bool": 1, "void": 1}


class Fail(Exception):
    pass


class Argument:
    def __init__(self, text):
        kind, name = text.split()
        self.pointer = kind.endswith("*")
        self.kind = kind.rstrip("*")
        self.need = None
        self.nullable = False
        if self.pointer:
            name, need = name.split("@")
            self.nullable = need.endswith("?")
            self.need = need.rstrip("?")
            if self.kind not in ELEMENT_SIZES:
                raise Fail("unknown element " + self.kind)
        elif self.kind not in SCALARS and self.kind != "Buffers":
            raise Fail("unknown kind " + self.kind)
        self.name = name


class Operation:
    def __init__(self, line_number, line):
        cells = [cell.strip() for cell in line.split("|")]
        if len(cells) not in (5, 6):
            raise Fail(f"line {line_number}: expected 5 or 6 cells")
        self.run = int(cells[0])
        self.name = cells[1]
        self.overloads = "" if cells[2] == "-" else cells[2]
        self.result = cells[3]
        if self.result not in RESULTS:
            raise Fail(f"line {line_number}: unknown result {self.result}")
        self.arguments = [Argument(text) for text in cells[4].split(",") if text.strip()]
        self.rule = cells[5] if len(cells) == 6 else ""
        self.gl = self.name[1:]
        pointers = [a for a in self.arguments if a.pointer]
        if len(pointers) > 1:
            raise Fail(f"line {line_number}: one pointer argument at most")
        self.pointer = pointers[0] if pointers else None
        if bool(self.pointer) != bool(self.overloads):
            raise Fail(f"line {line_number}: overloads and pointer arguments disagree")

    def forms(self):
        return list(self.overloads) if self.overloads else ["-"]


def parameters(op, form):
    out = []
    for a in op.arguments:
        if not a.pointer:
            if a.kind == "Buffers":
                out.append(f"const JavaPtr<JArray<java::nio::Buffer>>& {a.name}")
            else:
                out.append(f"{SCALARS[a.kind]} {a.name}")
        elif form == "a":
            out.append(f"const JavaPtr<JArray<{a.kind}>>& {a.name}")
            out.append("int32_t offset")
        elif form == "b":
            # Borrowed: a subclass's reference passes without counting; a held array keeps its own.
            out.append(f"BorrowedPtr<{ELEMENT_BUFFERS[a.kind]}> {a.name}")
        else:
            out.append(f"int32_t {a.name}")
    return ", ".join(out)


def signature(op, form, qualifier=""):
    return f"{RESULTS[op.result]} {qualifier}{op.name}({parameters(op, form)})"


def need_expression(op, a):
    need = a.need
    if need.isdigit():
        return need
    if need == "pname":
        return "parameterCount(pname)"
    if need in ("pack", "unpack"):
        alignment = "GL_PACK_ALIGNMENT" if need == "pack" else "GL_UNPACK_ALIGNMENT"
        return f"pixelBytes(width, height, format, type, {alignment})"
    if need.startswith("bytes:"):
        return f"std::max<int64_t>({need[6:]}, 0)"
    if need == "indices":
        return "indexBytes(count, type)"
    if need.startswith("hold:"):
        return "0"
    if need in [b.name for b in op.arguments]:
        return f"std::max<int64_t>({need}, 0)"
    raise Fail(f"{op.name}: unknown need {need}")


def hold_call(op, a, pointer_value, buffer_value):
    array = a.need[5:]
    names = [b.name for b in op.arguments]
    size = "size" if "size" in names else ("3" if array == "NORMAL" else "1")
    return f"    holdClientArray(ClientArray::{array}, {buffer_value}, {size}, type, stride);\n"


def forwarder(op, form):
    body = f"{signature(op, form, 'GLImp::')} {{\n"
    if op.rule == "unsupported":
        return body + "    throw java::lang::UnsupportedOperationException();\n}\n\n"
    if op.rule == "palette":
        return body + f'    paletteNotOffered("{op.name}");\n}}\n\n'
    call_arguments = []
    prelude = ""
    after = ""
    for a in op.arguments:
        if not a.pointer:
            call_arguments.append(a.name)
            continue
        need = need_expression(op, a)
        nullable = "true" if a.nullable else "false"
        if form == "a":
            prelude += f"    void* {a.name}Pointer = arrayPointer({a.name}, offset, {need});\n"
        elif form == "b":
            size = ELEMENT_SIZES[a.kind]
            scaled = need if size == 1 else f"({need}) * {size}"
            prelude += f"    void* {a.name}Pointer = bufferPointer({a.name}.get(), {scaled}, {nullable});\n"
        else:
            prelude += f"    void* {a.name}Pointer = offsetPointer({a.name});\n"
        call_arguments.append(f"PointerArgument{{{a.name}Pointer}}")
        if a.need.startswith("hold:"):
            after += hold_call(op, a, f"{a.name}Pointer", f"{a.name}.get()" if form == "b" else "nullptr")
    if op.rule == "draw":
        if op.name == "jglDrawArrays":
            prelude += "    checkClientArrays(first, count);\n"
        elif form == "b":
            prelude += "    checkClientArrays(indicesPointer, count, type);\n"
    if op.rule in ("enable", "disable"):
        after += f"    noteClientState(array, {'true' if op.rule == 'enable' else 'false'});\n"
    if op.rule == "client":
        after += "    noteClientActiveTexture(texture);\n"
    # The context is taken first: some needs are read from GL state (pixel alignment).
    failed = {"void": "", "int": " 0", "bool": " false"}[op.result]
    body += f"    if (!enterGL()) return{failed};\n" + prelude
    call = f"glFunctions().{op.gl}({', '.join(call_arguments)})"
    if op.result == "void":
        body += f"    {call};\n" + after
    elif op.result == "int":
        body += f"    return static_cast<int32_t>({call});\n"
    elif op.result == "bool":
        body += f"    return {call} == GL_TRUE;\n"
    return body + "}\n\n"


def test_argument(a, form):
    if a.kind == "Buffers":
        return ["bufferArray()"]
    if not a.pointer:
        return {"int": ["1"], "float": ["1.0f"], "bool": ["true"], "short": ["int16_t(1)"], "byte": ["int8_t(1)"]}[a.kind]
    if form == "a":
        return [f"array<{a.kind}>()", "0"]
    if form == "b":
        return [f"buffer<{ELEMENT_BUFFERS[a.kind]}>()"]
    return ["16"]


HEADER = "// Generated by tools/glgen from runtime/khronos/opengles/GLOperations.table; do not edit.\n"


def write(path, text):
    old = None
    if os.path.exists(path):
        with open(path) as f:
            old = f.read()
    if old != text:
        with open(path, "w") as f:
            f.write(text)


def main():
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    table, output = sys.argv[1], sys.argv[2]
    operations = []
    with open(table) as f:
        for number, line in enumerate(f, 1):
            if line.strip() and not line.startswith("#"):
                operations.append(Operation(number, line.strip()))
    os.makedirs(output, exist_ok=True)

    # The interfaces: GL, the root, declares no operation.
    write(os.path.join(output, "GL.h"), "".join([
        HEADER, "#pragma once\n\n#include <cstdint>\n\n", '#include "runtime/lang/BorrowedPtr.h"\n',
        '#include "runtime/lang/JArray.h"\n',
        '#include "runtime/lang/Smart.h"\n\n', "namespace java::lang { class String; }\n",
        "namespace java::nio {\nclass Buffer;\nclass IntBuffer;\nclass FloatBuffer;\nclass ShortBuffer;\n}"
        "  // namespace java::nio\n\n", "namespace javax::microedition::khronos::opengles {\n\n",
        "class GL : public virtual java::lang::Smart {\n",
        '    JAVA_CLASS(GL, "javax.microedition.khronos.opengles.GL", java::lang::Smart)\n};\n\n',
        "}  // namespace javax::microedition::khronos::opengles\n"]))
    for interface, base in INTERFACE_BASES.items():
        lines = [HEADER, "#pragma once\n\n", f'#include "runtime/khronos/opengles/{base}.h"\n\n',
                 "namespace javax::microedition::khronos::opengles {\n\n",
                 f"class {interface} : public virtual {base} {{\n",
                 f'    JAVA_CLASS({interface}, "javax.microedition.khronos.opengles.{interface}", {base})\n',
                 "public:\n"]
        inherited = set()
        ancestor = base
        while ancestor in INTERFACE_BASES:
            inherited |= {op.name for op in operations if ancestor in INTERFACES[op.run]}
            ancestor = INTERFACE_BASES[ancestor]
        # Overloads a base interface declares stay visible beside the new ones.
        for name in sorted(inherited & {op.name for op in operations if interface in INTERFACES[op.run]}):
            lines.append(f"    using {base}::{name};\n")
        for op in operations:
            if interface in INTERFACES[op.run]:
                for form in op.forms():
                    lines.append(f"    virtual {signature(op, form)} = 0;\n")
        lines.append("};\n\n}  // namespace javax::microedition::khronos::opengles\n")
        write(os.path.join(output, f"{interface}.h"), "".join(lines))

    # GLImp's declarations: each operation once, whichever interfaces declare it.
    seen = set()
    declarations = [HEADER]
    definitions = [HEADER, '#include "runtime/khronos/opengles/GLImp.h"\n\n',
                   '#include "runtime/khronos/opengles/GLImpArguments.h"\n\n',
                   "namespace javax::microedition::khronos::opengles {\n\n"]
    calls = [HEADER]
    for op in operations:
        for form in op.forms():
            key = signature(op, form)
            if key not in seen:
                seen.add(key)
                declarations.append(f"    {key} override;\n")
                if op.rule != "special":
                    definitions.append(forwarder(op, form))
            for interface in INTERFACES[op.run]:
                arguments = []
                for a in op.arguments:
                    arguments += test_argument(a, form)
                expected = "" if op.rule in ("unsupported", "palette") else op.gl
                calls.append(f'CALL("{op.name}({form})", {interface}, "{expected}", "{op.rule}", '
                             f"{op.name}({', '.join(arguments)}))\n")
    definitions.append("}  // namespace javax::microedition::khronos::opengles\n")
    write(os.path.join(output, "GLImpOperations.inc"), "".join(declarations))
    write(os.path.join(output, "GLImpForwarders.cpp"), "".join(definitions))
    write(os.path.join(output, "GLForwarderCalls.inc"), "".join(calls))

    functions = [HEADER]
    for gl in sorted({op.gl for op in operations if op.rule not in ("unsupported", "palette")}):
        functions.append(f"GL_FUNCTION({gl})\n")
    write(os.path.join(output, "GLFunctions.inc"), "".join(functions))
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main())
    except Fail as failure:
        print(f"glgen: {failure}", file=sys.stderr)
        sys.exit(1)
