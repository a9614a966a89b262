#!/usr/bin/env python3
"""Writes a realistic definition-file corpus for the benchmarks.

  bench/make_corpus.py <output-dir> [operators] [files] [--classes]

Defaults: 2058 operators over 20 files (about 7.5 MB). Every operator has
long English and German documentation, chapters, keywords, module, category,
new_in_version, parallelisation slots and 4 to 10 parameters with their
slots, including multi-parameter semantic types (point, rectangle2) and
handles. The output is the same for the same arguments. Prints the total
size in bytes.

With --classes the same operators exercise the class-based interfaces: their
handle parameters range over every handle and data class of the handle-type
table, iconic parameters are images, regions or contours that may stand for
several objects, most operators name the class of their first object or
handle in a functionality list, and classes.def adds the destructor of every
handle class. These additions draw from their own random sequence, so the
rest of each operator is the same as without the option.
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

# --classes: every handle class of the handle-type table, the data classes,
# the iconic classes, and the destructor names the class assembly fixes.
CLASS_HANDLES = ("feature_set template ncc_model shape_model generic_shape_model_result "
                 "object_model_3d surface_model surface_matching_result deformable_surface_model "
                 "deformable_surface_matching_result shape_model_3d deformable_model "
                 "descriptor_model variation_model calib_data camera_setup_model stereo_model "
                 "component_training component_model gnuplot socket serial measure matrix "
                 "barcode datacode_2d window file framegrabber io_device io_channel ocr_box "
                 "ocr_mlp ocr_svm lexicon ocv class_box class_mlp class_svm class_gmm "
                 "dl_classifier dl_classifier_result dl_classifier_train_result dl_device "
                 "dl_layer dl_model dl_pruning deep_counting deep_ocr color_trans_lut "
                 "bg_estimation sheet_of_light_model class_lut compute_device mutex event "
                 "condition barrier message message_queue dict text_model text_result "
                 "metrology_model serialized_item memory_block encrypted_item class_knn ocr_knn "
                 "ocr_cnn class_train_data scattered_data_interpolator sample_identifier "
                 "xld_dist_trans drawing_object scene_3d bead_inspection_model "
                 "texture_inspection_model texture_inspection_result "
                 "structured_light_model").split()
DATA_CLASSES = "function_1d campar pose hom_mat2d hom_mat3d quaternion dual_quaternion".split()
ICONIC_CLASSES = ("image", "region", "xld_cont")
FIXED_DESTRUCTORS = {"window": "close_window", "gnuplot": "gnuplot_close",
                     "compute_device": "deactivate_compute_device",
                     "variation_model": "clear_variation_model", "class_mlp": "clear_class_mlp",
                     "class_svm": "clear_class_svm", "class_gmm": "clear_class_gmm",
                     "texture_inspection_model": "clear_texture_inspection_model",
                     "metrology_model": "clear_metrology_model"}
CLEAR_HANDLE = set("dict dl_pruning dl_layer dl_device deep_ocr generic_shape_model_result "
                   "memory_block encrypted_item deep_counting".split())
# Names of fixed constructor lists that the corpus can draw: their
# parameters stay single, as a constructor's state must be.
FIXED_CONSTRUCTORS = {"read_image", "create_pose"}


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


def class_slots(crng, name, in_objs, out_objs, in_ctrl, out_ctrl):
    """--classes: (iconic slot lines by name, control slot lines by name,
    functionality line or None), drawn from crng only."""
    single = name in FIXED_CONSTRUCTORS
    iconic, control, named = {}, {}, []
    for objs, choices in ((in_objs, ("false", "optional", "true")), (out_objs, ("false", "optional"))):
        for obj in objs:
            sem = crng.choice(ICONIC_CLASSES)
            multivalue = "false" if single else crng.choice(choices)
            iconic[obj] = ["  sem_type: %s;" % sem, "  multivalue: %s;" % multivalue]
            named.append(sem)
    for pname, _, sem, default_type, _ in in_ctrl + out_ctrl:
        if default_type != "handle":
            continue
        sem = crng.choice(CLASS_HANDLES + DATA_CLASSES)
        if sem in DATA_CLASSES:
            multiinstance = "false" if single else crng.choice(("false", "optional"))
            control[pname] = ["  sem_type: %s;" % sem, "  type_list: real;",
                              "  default_type: real;", "  multivalue: true;",
                              "  multiinstance: %s;" % multiinstance]
        else:
            control[pname] = ["  sem_type: %s;" % sem, "  type_list: handle;",
                              "  default_type: handle;", "  multivalue: false;"]
        named.append(sem)
    functionality = None
    if named and crng.random() < 0.8:
        functionality = "functionality: %s;" % named[0]
    return iconic, control, functionality


def destructors():
    """--classes: the destructor of every handle class (classes.def). Classes
    without a fixed name get close_<type>, a name the operators never draw."""
    names = sorted({FIXED_DESTRUCTORS.get(sem, "clear_handle" if sem in CLEAR_HANDLE
                                          else "close_" + sem): sem
                    for sem in CLASS_HANDLES if sem != "handle"}.items())
    out = ["/* Benchmark corpus: the destructors of the handle classes. */\n"]
    for name, sem in names:
        if name == "clear_handle":
            sem = "handle"
        function = "C" + "".join(w.capitalize() for w in name.split("_"))
        out.append("%s <- %s[::Handle:];" % (name, function))
        out.append("short.english: Free the resources of a %s.;" % sem)
        out.append("chapter.english: Classes, Destructors;")
        out.append("module: foundation;")
        out.append("new_in_version: 12.0;")
        out.append("parameter Handle: input_control;")
        out.append("  description.english: Handle to free.;")
        out.append("  sem_type: %s;" % sem)
        out.append("  type_list: handle;")
        out.append("  default_type: handle;")
        out.append("  multivalue: false;\n")
    return "\n".join(out) + "\n"


def operator(rng, index, names, crng=None):
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
    iconic, control, functionality = ({}, {}, None) if crng is None else \
        class_slots(crng, name, in_objs, out_objs, in_ctrl, out_ctrl)
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
    if functionality:
        out.append(functionality)
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
            out.extend(iconic.get(obj, ["  sem_type: image;"]))
            out.append("  type_list: %s;" % ", ".join(rng.sample(PIXEL_TYPES, 4)))
    for kind, params in (("input_control", in_ctrl), ("output_control", out_ctrl)):
        for pname, flag, sem, default_type, multivalue in params:
            out.append("parameter %s: %s;" % (pname, kind))
            out.append("  description.english: %s;" % wrap(sentence(rng, WORDS, 8), "    "))
            out.append("  description.german: %s;" % wrap(sentence(rng, GERMAN, 7), "    "))
            if pname in control:
                out.extend(control[pname])
            else:
                out.append("  sem_type: %s;" % sem)
            if not flag and pname not in control:
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
    args = [arg for arg in sys.argv[1:] if arg != "--classes"]
    classes = len(args) < len(sys.argv) - 1
    if not args:
        sys.exit(__doc__)
    directory = args[0]
    count = int(args[1]) if len(args) > 1 else 2058
    files = int(args[2]) if len(args) > 2 else 20
    rng = random.Random(2058)
    crng = random.Random(4117) if classes else None
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
        text += "".join(operator(rng, i, names, crng) for i in chunk)
        path = os.path.join(directory, "ops%02d.def" % (f + 1))
        with open(path, "w", encoding="utf-8") as out:
            out.write(text)
        total += len(text.encode("utf-8"))
    if classes:
        text = destructors()
        with open(os.path.join(directory, "classes.def"), "w", encoding="utf-8") as out:
            out.write(text)
        total += len(text.encode("utf-8"))
    print(total)


if __name__ == "__main__":
    main()
