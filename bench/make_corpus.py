#!/usr/bin/env python3
"""Writes a realistic definition-file corpus for the benchmarks.

  bench/make_corpus.py <output-dir> [operators] [files]

Defaults: 2058 operators over 20 files (about 7.5 MB). Every operator has
long English and German documentation, chapters, keywords, module, category,
new_in_version, parallelisation slots and 4 to 10 parameters with their
slots, including multi-parameter semantic types (point, rectangle2) and
handles. The output is the same for the same arguments. Prints the total
size in bytes.
"""
import os
import random
import sys

WORDS = ("the image region contour operator value parameter pixel gray model "
         "result domain filter edge threshold shape pose matrix point line "
         "returns computes selects transforms smooths segments measures "
         "input output each all only if when and or with within between "
         "large small fast precise robust optional default maximum minimum "
         "number size angle scale distance border channel tuple handle").split()
GERMAN = ("das Bild die Region der Operator Wert Parameter Pixel Grauwert "
          "Modell Ergebnis Filter Kante Schwelle Form berechnet selektiert "
          "und oder mit innerhalb zwischen gro\"s klein schnell genau "
          "optional Standard maximal minimal Anzahl Winkel Skalierung").split()
VERBS = ("gen read write find create clear get set apply compute select "
         "smooth measure fit project warp detect sort reduce").split()
NOUNS = ("image region contour model shape pose matrix edges lines points "
         "histogram kernel grid mosaic texture blob hull skeleton").split()
MODULES = ("foundation calibration metrology_1d metrology_2d metrology_3d "
           "bar_code data_code ocr_ocv matching").split()
HANDLES = ("shape_model ncc_model measure matrix window dict message "
           "metrology_model").split()
PIXEL_TYPES = "byte int1 int2 uint2 int4 int8 real direction cyclic complex".split()


def sentence(rng, words, n):
    text = " ".join(rng.choice(words) for _ in range(n))
    return text[0].upper() + text[1:] + "."


def paragraph(rng, words, sentences, refs=()):
    parts = [sentence(rng, words, rng.randint(8, 18)) for _ in range(sentences)]
    for ref in refs:
        parts.insert(rng.randint(0, len(parts)), ref)
    return " ".join(parts)


def wrap(text, indent="  ", width=76):
    """Continuation lines indented by two blanks, as the lexer expects."""
    lines, line = [], ""
    for word in text.split(" "):
        if line and len(line) + 1 + len(word) > width:
            lines.append(line)
            line = word
        else:
            line = word if not line else line + " " + word
    lines.append(line)
    return ("\n" + indent).join(lines)


def control_params(rng, prefix, count, output):
    """(name, declared flag, slot lines) of control parameters; point and
    rectangle2 take 2 and 5 consecutive parameters."""
    params = []
    while len(params) < count:
        left = count - len(params)
        kind = rng.random()
        # A second geometric group gets a number, so names stay unique.
        tag = str(len(params)) if params else ""
        if kind < 0.12 and left >= 5:
            for suffix, sem in (("Row", "rectangle2.center.y"), ("Column", "rectangle2.center.x"),
                                ("Phi", "rectangle2.angle.rad"), ("Length1", "rectangle2.hwidth"),
                                ("Length2", "rectangle2.hheight")):
                params.append((prefix + suffix + tag, "", sem, "real", "true" if output else "optional"))
        elif kind < 0.3 and left >= 2:
            params.append((prefix + "Row" + tag, "", "point.y", "real", "true" if output else "optional"))
            params.append((prefix + "Column" + tag, "", "point.x", "real", "true" if output else "optional"))
        elif kind < 0.45:
            params.append((prefix + "Handle%d" % len(params), "", rng.choice(HANDLES), "handle", "false"))
        elif kind < 0.65:
            params.append((prefix + "Mode%d" % len(params), "S" if not output else "", "string",
                           "string", "optional"))
        elif kind < 0.8:
            params.append((prefix + "Count%d" % len(params), "i" if not output else "", "integer",
                           "integer", "false"))
        else:
            params.append((prefix + "Value%d" % len(params), "", "real", "real",
                           rng.choice(["false", "true", "optional"]) if not output else "true"))
    return params[:count] if len(params) <= count else params


def operator(rng, index, names):
    name = names[index]
    module = rng.choice(MODULES)
    n_params = rng.randint(4, 10)
    n_in_obj = rng.randint(0, 2)
    n_out_obj = rng.randint(0, 2)
    rest = max(1, n_params - n_in_obj - n_out_obj)
    n_in_ctrl = rng.randint(0, rest)
    in_objs = ["Image%d" % i if i else "Image" for i in range(n_in_obj)]
    out_objs = ["Result%d" % i if i else "Result" for i in range(n_out_obj)]
    in_ctrl = control_params(rng, "", n_in_ctrl, False)
    out_ctrl = control_params(rng, "Out", rest - n_in_ctrl, True)
    decl_in = ",".join(p[0] + ("$" + p[1] if p[1] else "") for p in in_ctrl)
    decl_out = ",".join(p[0] for p in out_ctrl)
    function = "C" + "".join(w.capitalize() for w in name.split("_"))
    out = ["%s <- %s[%s:%s:%s:%s];" % (name, function, ",".join(in_objs), ",".join(out_objs),
                                       decl_in, decl_out)]
    refs = ["See \\OpRef{%s}." % names[rng.randrange(len(names))] for _ in range(2)]
    first_param = (in_objs + out_objs + [p[0] for p in in_ctrl + out_ctrl])[0]
    refs.append("The parameter \\ParRef{%s} is checked first." % first_param)
    out.append("short.english: %s;" % sentence(rng, WORDS, 9))
    out.append("short.german: %s;" % sentence(rng, GERMAN, 8))
    out.append("abstract.english: %s\n\n  %s;" % (wrap(paragraph(rng, WORDS, 4, refs)),
                                                 wrap(paragraph(rng, WORDS, 2))))
    out.append("abstract.german: %s;" % wrap(paragraph(rng, GERMAN, 3)))
    if rng.random() < 0.4:
        out.append("attention: %s;" % wrap(paragraph(rng, WORDS, 2)))
    if rng.random() < 0.3:
        out.append("example: %s (Image, Result)\\;\n  %s;" % (name, "dev_display (Result)"))
    out.append("complexity: %s;" % wrap(paragraph(rng, WORDS, 1)))
    out.append("result_state: %s;" % wrap(paragraph(rng, WORDS, 1)))
    out.append("chapter.english: %s, %s;" % (rng.choice(NOUNS).capitalize(), rng.choice(VERBS).capitalize()))
    out.append("chapter.german: %s, %s;" % (rng.choice(NOUNS).capitalize(), rng.choice(VERBS).capitalize()))
    out.append("keywords.english: %s;" % ", ".join(" ".join(rng.sample(WORDS, 2)) for _ in range(3)))
    out.append("module: %s;" % module)
    out.append("category: %s;" % module)
    out.append("new_in_version: %d.%d;" % (rng.randint(12, 23), rng.randint(0, 11)))
    out.append("see_also: %s;" % ", ".join(names[rng.randrange(len(names))] for _ in range(2)))
    if n_in_obj == 0:
        out.append("parallelization\n  process_exclusively: false;\n  method: none;")
    else:
        out.append("parallelization\n  process_exclusively: false;\n  process_locally: true;\n"
                   "  method: split_tuple[%s], split_channel, split_domain;\n"
                   "  region_postprocessing: region_concat;\n  interrupt_mode: break, cancel;"
                   % ", ".join(in_objs))
    for kind, objs in (("input_object", in_objs), ("output_object", out_objs)):
        for obj in objs:
            out.append("parameter %s: %s;" % (obj, kind))
            out.append("  description.english: %s;" % wrap(sentence(rng, WORDS, 8), "    "))
            out.append("  description.german: %s;" % wrap(sentence(rng, GERMAN, 8), "    "))
            out.append("  sem_type: image;")
            out.append("  type_list: %s;" % ", ".join(rng.sample(PIXEL_TYPES, 4)))
    for kind, params in (("input_control", in_ctrl), ("output_control", out_ctrl)):
        for pname, flag, sem, default_type, multivalue in params:
            out.append("parameter %s: %s;" % (pname, kind))
            out.append("  description.english: %s;" % wrap(sentence(rng, WORDS, 8), "    "))
            out.append("  description.german: %s;" % wrap(sentence(rng, GERMAN, 7), "    "))
            out.append("  sem_type: %s;" % sem)
            if not flag:
                out.append("  default_type: %s;" % default_type)
                out.append("  multivalue: %s;" % multivalue)
            if kind == "input_control" and default_type in ("real", "integer"):
                out.append("  default_value: %d;" % rng.randint(1, 100))
                out.append("  values: %s;" % ", ".join(str(rng.randint(1, 500)) for _ in range(6)))
                out.append("  value_min: 0;")
                out.append("  assertion: %s >= 0 && %s <= 1000;" % (pname, pname))
            elif kind == "input_control" and default_type == "string":
                out.append("  default_value: 'auto';")
                out.append("  value_list: 'auto', 'fast', 'accurate', 'none';")
    return "\n".join(out) + "\n\n"


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    directory = sys.argv[1]
    count = int(sys.argv[2]) if len(sys.argv) > 2 else 2058
    files = int(sys.argv[3]) if len(sys.argv) > 3 else 20
    rng = random.Random(2058)
    names, seen = [], set()
    while len(names) < count:
        name = "%s_%s" % (rng.choice(VERBS), rng.choice(NOUNS))
        if name in seen:
            name = "%s_%d" % (name, len(names))
        seen.add(name)
        names.append(name)
    os.makedirs(directory, exist_ok=True)
    total = 0
    per_file = (count + files - 1) // files
    for f in range(files):
        chunk = range(f * per_file, min(count, (f + 1) * per_file))
        text = "/* Benchmark corpus, file %d of %d. */\n\n" % (f + 1, files)
        text += "".join(operator(rng, i, names) for i in chunk)
        path = os.path.join(directory, "ops%02d.def" % (f + 1))
        with open(path, "w", encoding="utf-8") as out:
            out.write(text)
        total += len(text.encode("utf-8"))
    print(total)


if __name__ == "__main__":
    main()
