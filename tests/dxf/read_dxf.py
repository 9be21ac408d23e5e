# SPDX-License-Identifier: GPL-3.0-or-later
"""Reads a DXF file with ezdxf and prints what the C++ tests check, one fact a line.

Usage: /usr/bin/python3 read_dxf.py FILE.dxf
Exit status 3 when ezdxf is not installed, 1 when the file cannot be read.
Output lines (UTF-8, fields separated by TAB):
  version, encoding, audit_errors, audit_fixes, audit_error <text>
  count <entity type> <n>          for every entity type in model space
  linetype <name> <n>              line types of LINE entities
  layer <name> <n>                 layers of all entities
  handle_first <hex>, handles_unique <0|1>
  lines_box <min x> <min y> <max x> <max y>   what the LINE entities cover
  text <layer> <x> <y> <halign> <valign> <height> <rotation> <text, \\U+XXXX decoded>
"""
import collections
import sys

try:
    import ezdxf
    from ezdxf.lldxf.encoding import decode_dxf_unicode
except ImportError:
    print("ezdxf missing", file=sys.stderr)
    sys.exit(3)


def main(path):
    try:
        doc = ezdxf.readfile(path)
    except (IOError, ezdxf.DXFError) as e:
        print(f"cannot read {path}: {e}", file=sys.stderr)
        return 1
    out = sys.stdout
    auditor = doc.audit()
    print(f"version\t{doc.dxfversion}", file=out)
    print(f"encoding\t{doc.encoding}", file=out)
    print(f"audit_errors\t{len(auditor.errors)}", file=out)
    print(f"audit_fixes\t{len(auditor.fixes)}", file=out)
    for err in auditor.errors:
        print(f"audit_error\t{err.message}", file=out)

    counts = collections.Counter()
    linetypes = collections.Counter()
    layers = collections.Counter()
    handles = []
    texts = []
    box = []
    for e in doc.modelspace():
        kind = e.dxftype()
        counts[kind] += 1
        layers[e.dxf.layer] += 1
        handles.append(e.dxf.handle)
        if kind == "LINE":
            linetypes[e.dxf.get("linetype", "BYLAYER")] += 1
            for p in (e.dxf.start, e.dxf.end):
                box = [p.x, p.y, p.x, p.y] if not box else [min(box[0], p.x), min(box[1], p.y), max(box[2], p.x), max(box[3], p.y)]
        if kind == "TEXT":
            ins = e.dxf.insert
            texts.append(
                "\t".join(
                    [
                        "text",
                        e.dxf.layer,
                        f"{ins.x:g}",
                        f"{ins.y:g}",
                        str(e.dxf.get("halign", 0)),
                        str(e.dxf.get("valign", 0)),
                        f"{e.dxf.height:g}",
                        f"{e.dxf.get('rotation', 0):g}",
                        decode_dxf_unicode(e.dxf.text),
                    ]
                )
            )
    for kind, n in sorted(counts.items()):
        print(f"count\t{kind}\t{n}", file=out)
    for name, n in sorted(linetypes.items()):
        print(f"linetype\t{name}\t{n}", file=out)
    for name, n in sorted(layers.items()):
        print(f"layer\t{name}\t{n}", file=out)
    if handles:
        print(f"handle_first\t{handles[0]}", file=out)
    print(f"handles_unique\t{int(len(set(handles)) == len(handles))}", file=out)
    if box:
        print("lines_box\t" + "\t".join(f"{v:g}" for v in box), file=out)
    for line in texts:
        print(line, file=out)
    return 0


if __name__ == "__main__":
    sys.stdout.reconfigure(encoding="utf-8")
    sys.exit(main(sys.argv[1]))
