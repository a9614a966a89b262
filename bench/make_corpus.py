#!/usr/bin/env python3
"""Writes a realistic definition-file corpus for the benchmarks.

  bench/make_corpus.py [--proto] <output-dir> [operators] [files] [--classes]
  bench/make_corpus.py --python <output-dir>

Defaults: 2058 operators over 20 files (about 7.5 MB). Every operator has
long English and German documentation, chapters, keywords, module, category,
new_in_version, parallelisation slots and 4 to 10 parameters with their
slots, including multi-parameter semantic types (point, rectangle2) and
handles. The output is the same for the same arguments. Prints the total
size in bytes of the definition files.

With --classes the same operators exercise the class-based interfaces: their
handle parameters range over every handle and data class of the handle-type
table, iconic parameters are images, regions or contours that may stand for
several objects, most operators name the class of their first object or
handle in a functionality list, and classes.def adds the destructor of every
handle class. These additions draw from their own random sequence, so the
rest of each operator is the same as without the option.

With --python it writes instead one file, python.def, to be read after the
others in a library build: operators over every class of the handle-type
table as the Python interface groups them (each handle type with a
constructor, a method whose generic parameters stand before a required one
and a destructor; the iconic types with the XLD family; the semantic
tuples, fixed-size and variable, single, sequences and maybe-sequences),
the handle types without a class, a parameter named Proc, operator names
that shorten to the same method name, and a full name that a base class's
shortened name would take.

With --proto each opsNN.def also gets its equivalent opsNN.proto beside it
(proto2), so that protoc can be timed on the same content: an operator
becomes an rpc of the file's service with a request message (its input
parameters as fields) and a response message (its outputs); its
documentation texts and slots, and those of each parameter, become the
comments before the rpc's messages and before each field.
"""
import os
import random
import re
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


# Control parameters: (name, sem_type, type_list, multivalue, multiinstance).
def ctrl(name, sem, types="real", multivalue="false", multiinstance=""):
    return (name, sem, types, multivalue, multiinstance)


def handle(name, sem, multivalue="false"):
    return ctrl(name, sem, "handle", multivalue)


GEN_NAME = ctrl("GenParamName", "string", "string")
GEN_NAMES = ctrl("GenParamName", "string", "string", "true")
GEN_VALUES = ctrl("GenParamValue", "tuple", "integer, real, string", "true")


def python_operators():
    """(name, input objects, output objects, input controls, output
    controls) of python.def; objects are (name, sem_type)."""
    ops = []
    for sem in CLASS_HANDLES:
        ops.append(("create_%s_cm" % sem, [], [], [ctrl("Name", "string", "string"), GEN_NAMES,
                                                   GEN_VALUES], [handle("Handle", sem)]))
        ops.append(("get_%s_param_cm" % sem, [], [], [handle("Handle", sem), GEN_NAME,
                                                      ctrl("Index", "integer", "integer")],
                    [ctrl("Value", "tuple", "integer, real, string", "true")]))
        ops.append(("set_%s_param_cm" % sem, [], [], [handle("Handle", sem), GEN_NAMES,
                                                      GEN_VALUES], []))
        ops.append(("clear_%s_cm" % sem, [], [], [handle("Handle", sem, "true")], []))
    ops += [
        ("read_shape_models_cm", [], [], [ctrl("FileNames", "filename", "string", "true")],
         [handle("ModelIDs", "shape_model", "true")]),
        ("clear_handle_cm", [], [], [handle("Handle", "handle")], []),
        ("wait_thread_cm", [], [], [handle("ThreadID", "thread_id"),
                                    ctrl("Proc", "integer", "integer")],
         [handle("NextThread", "thread_id")]),
        ("dev_tool_cm", [], [], [handle("Tool", "dev_tool"), GEN_NAME,
                                 ctrl("Proc", "real")], []),
        # Iconic objects: the root class refers to other classes.
        ("crop_obj", [("Objects", "object")], [("Cropped", "object")],
         [ctrl("Index", "integer", "integer")], []),
        ("disp_obj_cm", [("Object", "object")], [], [handle("WindowHandle", "window")], []),
        ("obj_to_region_cm", [("Object", "object")], [("Region", "region")], [], []),
        ("untyped_to_obj_cm", [("Untyped", "untyped_object")], [("Object", "object")], [], []),
        ("crop_image", [("Image", "image")], [("Cropped", "image")],
         [ctrl("Index", "integer", "integer")], []),
        ("threshold_cm", [("Image", "image")], [("Region", "region")],
         [ctrl("MinGray", "number"), ctrl("MaxGray", "number")], []),
        ("gen_image_const_cm", [], [("Image", "image")],
         [ctrl("Width", "extent.x", "integer"), ctrl("Height", "extent.y", "integer")], []),
        ("apply_class_svm", [("Image", "image")], [("ClassRegions", "region")],
         [handle("SVMHandle", "class_svm")], []),
        ("apply_class_svm_image", [("Image", "image")], [("ClassRegions", "region")],
         [handle("SVMHandle", "class_svm"), GEN_NAME, ctrl("Rejection", "real")], []),
        ("top_hat", [("Region", "region"), ("StructElement", "region")], [("RegionTopHat", "region")],
         [], []),
        ("top_hat_region", [("Region", "region")], [("RegionTopHat", "region")],
         [ctrl("Radius", "real")], []),
        ("gen_contour_region_xld", [("Regions", "region")], [("Contours", "xld_cont")],
         [ctrl("Mode", "string", "string")], []),
        ("affine_trans_region_cm", [("Region", "region")], [("RegionAffineTrans", "region")],
         [ctrl("HomMat2D", "hom_mat2d", "real", "false", "false")], []),
        # A full method name that VObject's shortened area_obj would take.
        ("area_obj", [("Objects", "object")], [], [],
         [ctrl("Area", "integer", "integer", "true")]),
        ("area", [("Regions", "region")], [], [ctrl("Scale", "real")], [ctrl("Area", "real")]),
        # The XLD family: a class between VObject and its subclasses.
        ("length_xld_cm", [("XLD", "xld")], [], [], [ctrl("Length", "real", "real", "true")]),
        ("smallest_contour_xld", [("XLD", "xld")], [("Contour", "xld_cont")], [], []),
        ("gen_contour_polygon_xld", [], [("Contour", "xld_cont")],
         [ctrl("Row", "real", "real", "true"), ctrl("Column", "real", "real", "true")], []),
        ("convex_hull_ps", [("Contours", "xld_cont")], [("Hull", "xld_cont")], [], []),
        ("convex_hull_ps_xld", [("Contours", "xld_cont")], [("Hull", "xld_cont")],
         [ctrl("Mode", "string", "string")], []),
        ("gen_polygons_xld_cm", [("Contours", "xld_cont")], [("Polygons", "xld_poly")],
         [ctrl("Alpha", "real")], []),
        ("gen_parallels_xld_cm", [("Polygons", "xld_poly")], [("Parallels", "xld_para")],
         [ctrl("Len", "real")], []),
        ("mod_parallels_xld_cm", [("Parallels", "xld_para"), ("Image", "image")],
         [("ModParallels", "xld_mod_para"), ("ExtParallels", "xld_ext_para")],
         [ctrl("Quality", "real")], []),
        ("combine_ext_xld_cm", [("ExtParallels", "xld_ext_para")], [("Contours", "xld_cont")],
         [], []),
        ("count_mod_xld_cm", [("ModParallels", "xld_mod_para")], [], [],
         [ctrl("Number", "integer", "integer")]),
        # Semantic tuples of fixed size, converting into each other.
        ("create_pose_cm", [], [], [ctrl("TransX", "point3d.x"), ctrl("TransY", "point3d.y"),
                                    ctrl("TransZ", "point3d.z")],
         [ctrl("Pose", "pose", "real, integer", "false", "false")]),
        ("read_poses_cm", [], [], [ctrl("FileName", "filename", "string")],
         [ctrl("Poses", "pose", "real, integer", "true", "true")]),
        ("pose_to_hom_mat3d_cm", [], [], [ctrl("Pose", "pose", "real, integer", "false", "false")],
         [ctrl("HomMat3D", "hom_mat3d", "real", "false", "false")]),
        ("hom_mat3d_to_pose_cm", [], [],
         [ctrl("HomMat3D", "hom_mat3d", "real", "false", "false")],
         [ctrl("Pose", "pose", "real, integer", "false", "false")]),
        ("hom_mat2d_identity_cm", [], [], [],
         [ctrl("HomMat2DIdentity", "hom_mat2d", "real", "false", "false")]),
        ("hom_mat2d_translate_cm", [], [],
         [ctrl("HomMat2D", "hom_mat2d", "real", "false", "false"), ctrl("Tx", "point.x"),
          ctrl("Ty", "point.y")],
         [ctrl("HomMat2DTranslate", "hom_mat2d", "real", "false", "false")]),
        ("axis_angle_to_quat_cm", [], [], [ctrl("AxisX", "real"), ctrl("Angle", "angle.rad")],
         [ctrl("Quaternion", "quaternion", "real", "false", "false")]),
        ("quat_to_pose_cm", [], [],
         [ctrl("Quaternion", "quaternion", "real", "false", "false")],
         [ctrl("Pose", "pose", "real, integer", "false", "false")]),
        ("pose_to_dual_quat_cm", [], [],
         [ctrl("Pose", "pose", "real, integer", "true", "true")],
         [ctrl("DualQuaternion", "dual_quaternion", "real", "true", "true")]),
        ("pose_compose_cm", [], [],
         [ctrl("PoseLeft", "pose", "real, integer", "false", "false"),
          ctrl("PoseRight", "pose", "real, integer", "true", "optional")],
         [ctrl("PoseCompose", "pose", "real, integer", "true", "true")]),
        ("dual_quat_normalize_cm", [], [],
         [ctrl("DualQuaternion", "dual_quaternion", "real", "false", "false")],
         [ctrl("Normalized", "dual_quaternion", "real", "false", "false")]),
        # Semantic tuples of variable length.
        ("create_funct_1d_array_cm", [], [], [ctrl("YValues", "real", "real", "true")],
         [ctrl("Function", "function_1d", "real", "false", "false")]),
        ("smooth_funct_1d_mean_cm", [], [],
         [ctrl("Function", "function_1d", "real", "true", "true"),
          ctrl("SmoothSize", "integer", "integer"), ctrl("Iterations", "integer", "integer")],
         [ctrl("SmoothedFunction", "function_1d", "real", "true", "true")]),
        ("funct_1d_to_pairs_cm", [], [],
         [ctrl("Function", "function_1d", "real", "false", "false")],
         [ctrl("XValues", "real", "real", "true"), ctrl("YValues", "real", "real", "true")]),
        ("read_cam_par_cm", [], [], [ctrl("CamParFile", "filename", "string")],
         [ctrl("CameraParam", "campar", "real, integer, string", "true", "false")]),
        ("cam_par_to_cam_mat_cm", [], [],
         [ctrl("CameraParam", "campar", "real, integer, string", "true", "false")],
         [ctrl("CameraMatrix", "hom_mat2d", "real", "false", "false"),
          ctrl("ImageWidth", "integer", "integer"), ctrl("ImageHeight", "integer", "integer")]),
    ]
    return ops


def python_operator(rng, name, in_objs, out_objs, in_ctrl, out_ctrl):
    function = "C" + "".join(w.capitalize() for w in name.split("_"))
    names = lambda params: ",".join(p[0] for p in params)
    out = ["%s <- %s[%s:%s:%s:%s];" % (name, function, names(in_objs), names(out_objs),
                                       names(in_ctrl), names(out_ctrl))]
    out.append("short.english: %s;" % sentence(rng, WORDS, 9))
    out.append("module: foundation;")
    out.append("new_in_version: 12.0;")
    for kind, objs in (("input_object", in_objs), ("output_object", out_objs)):
        for obj, sem in objs:
            out.append("parameter %s: %s;" % (obj, kind))
            out.append("  description.english: %s;" % sentence(rng, WORDS, 8))
            out.append("  sem_type: %s;" % sem)
    for kind, params in (("input_control", in_ctrl), ("output_control", out_ctrl)):
        for pname, sem, types, multivalue, multiinstance in params:
            out.append("parameter %s: %s;" % (pname, kind))
            out.append("  description.english: %s;" % sentence(rng, WORDS, 8))
            out.append("  sem_type: %s;" % sem)
            out.append("  type_list: %s;" % types)
            out.append("  default_type: %s;" % types.split(",")[0])
            out.append("  multivalue: %s;" % multivalue)
            if multiinstance:
                out.append("  multiinstance: %s;" % multiinstance)
    return "\n".join(out) + "\n\n"


def write_python_corpus(directory):
    rng = random.Random(141)
    text = "/* Class coverage: every class of the handle-type table. */\n\n"
    text += "".join(python_operator(rng, *op) for op in python_operators())
    os.makedirs(directory, exist_ok=True)
    with open(os.path.join(directory, "python.def"), "w", encoding="utf-8") as out:
        out.write(text)
    print(len(text.encode("utf-8")))


# One slot of the generated definition text: "key[.lang]: value;" or a
# "parameter Name: kind;" line; "parallelization" alone opens its group.
SLOT = re.compile(r"(?m)^ *(?P<key>[a-z_]+(?:\.[a-z]+)?)(?: (?P<name>\w+))?"
                  r"(?::[ \n]?(?P<value>(?:[^;\\]|\\.)*);|$)")


def camel(name):
    return "".join(w[:1].upper() + w[1:] for w in name.split("_"))


def proto_comment(indent, key, value):
    return "".join("%s// %s\n" % (indent, line)
                   for line in ("%s: %s" % (key, value)).split("\n"))


def proto_operator(chunk):
    """(messages, rpc line) of one operator of the definition text."""
    header, _, body = chunk.partition("\n")
    name, _, declaration = header.partition(" <- ")
    message = camel(name)
    head = [proto_comment("", "declaration", declaration)]
    params = []  # [name, kind, slot comments]
    for slot in SLOT.finditer(body):
        key, value = slot.group("key"), slot.group("value")
        if key == "parameter":
            params.append([slot.group("name"), value, []])
        elif value is not None:
            if params:
                params[-1][2].append(proto_comment("  ", key, value))
            else:
                head.append(proto_comment("", key, value))
    out = ["".join(head)]
    for suffix, direction in (("Request", "input"), ("Response", "output")):
        out.append("message %s%s {\n" % (message, suffix))
        group = [p for p in params if p[1].startswith(direction)]
        for number, (pname, kind, slots) in enumerate(group, 1):
            out.append("".join(slots))
            label = "repeated" if kind.endswith("object") else "optional"
            out.append("  %s string %s = %d;\n" % (label, pname.lower(), number))
        out.append("}\n\n")
    rpc = "  rpc %s(%sRequest) returns (%sResponse);\n" % (message, message, message)
    return "".join(out), rpc


def proto_file(def_text, service):
    """The .proto equivalent of one generated definition file."""
    chunks = re.split(r"(?m)^(?=\w+ <- )", def_text)[1:]
    parts = [proto_operator(c) for c in chunks]
    return ('syntax = "proto2";\n\npackage vornix.bench;\n\n'
            + "".join(p[0] for p in parts)
            + "service %s {\n%s}\n" % (service, "".join(p[1] for p in parts)))


def main():
    if len(sys.argv) > 1 and sys.argv[1] in ("-h", "--help"):
        print(__doc__)
        return
    if len(sys.argv) > 1 and sys.argv[1] == "--python":
        if len(sys.argv) != 3:
            sys.exit(__doc__)
        write_python_corpus(sys.argv[2])
        return
    with_proto = "--proto" in sys.argv[1:]
    args = [arg for arg in sys.argv[1:] if arg not in ("--classes", "--proto")]
    classes = "--classes" in sys.argv[1:]
    if not args or args[0].startswith("-"):
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
        if with_proto:
            with open(os.path.join(directory, "ops%02d.proto" % (f + 1)), "w",
                      encoding="utf-8") as out:
                out.write(proto_file(text, "Ops%02d" % (f + 1)))
        total += len(text.encode("utf-8"))
    if classes:
        text = destructors()
        with open(os.path.join(directory, "classes.def"), "w", encoding="utf-8") as out:
            out.write(text)
        total += len(text.encode("utf-8"))
    print(total)


if __name__ == "__main__":
    main()
