# The vornc package: the imported program vornc::vornc and vornc_generate().
#
#   vornc_generate(<out-var> MODE <mode> [<mode-option>...]
#                  DEFS <def-file>...
#                  [PACKAGE <name> | LIBRARY]
#                  OUTPUT_DIR <dir>
#                  [OPTIONS <option>...])
#
# Declares a build step that runs vornc in <dir> and sets <out-var> to the
# files it writes, taken from vornc --list-outputs when the project is
# configured (the project is configured again when a definition file
# changes, so the list follows new classes). The step reads what vornc
# --depfile reports, so it runs again when any file it read changed, and it
# uses --write-if-changed, so files whose text stayed the same keep their
# time stamps and nothing that includes or compiles them is rebuilt.
include("${CMAKE_CURRENT_LIST_DIR}/vornc-targets.cmake")

function(vornc_generate out_var)
  cmake_parse_arguments(PARSE_ARGV 1 VG "LIBRARY" "PACKAGE;OUTPUT_DIR" "MODE;DEFS;OPTIONS")
  if(NOT VG_MODE OR NOT VG_DEFS OR NOT VG_OUTPUT_DIR)
    message(FATAL_ERROR "vornc_generate: MODE, DEFS and OUTPUT_DIR are required")
  endif()
  if(VG_LIBRARY AND VG_PACKAGE)
    message(FATAL_ERROR "vornc_generate: PACKAGE and LIBRARY exclude each other")
  endif()
  get_filename_component(output_dir "${VG_OUTPUT_DIR}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_BINARY_DIR}")
  set(defs)
  foreach(def IN LISTS VG_DEFS)
    get_filename_component(def "${def}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
    list(APPEND defs "${def}")
  endforeach()
  set(args ${VG_MODE})
  if(VG_LIBRARY)
    list(APPEND args -s)
  else()
    list(APPEND args -u)
    if(VG_PACKAGE)
      list(APPEND args -p${VG_PACKAGE})
    endif()
  endif()
  list(APPEND args ${VG_OPTIONS})

  file(MAKE_DIRECTORY "${output_dir}")
  get_target_property(vornc_program vornc::vornc LOCATION)
  execute_process(COMMAND "${vornc_program}" -di "${output_dir}" --list-outputs ${args} ${defs}
                  OUTPUT_VARIABLE listed ERROR_VARIABLE messages RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "vornc_generate: vornc ${args} failed (${status}):\n${messages}")
  endif()
  string(REGEX REPLACE "\n$" "" listed "${listed}")
  string(REPLACE "\n" ";" outputs "${listed}")
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${defs})

  string(MAKE_C_IDENTIFIER "${output_dir}" depfile_name)
  string(MD5 depfile_name "${depfile_name}${args}")
  set(depfile "${CMAKE_CURRENT_BINARY_DIR}/vornc-${depfile_name}.d")
  cmake_policy(PUSH)
  cmake_policy(SET CMP0116 NEW)
  add_custom_command(
    OUTPUT ${outputs}
    COMMAND vornc::vornc -di "${output_dir}" --depfile "${depfile}" --write-if-changed ${args} ${defs}
    DEPENDS ${defs} vornc::vornc
    DEPFILE "${depfile}"
    WORKING_DIRECTORY "${CMAKE_CURRENT_BINARY_DIR}"
    COMMENT "vornc ${VG_MODE}: ${output_dir}"
    VERBATIM)
  cmake_policy(POP)
  set(${out_var} ${outputs} PARENT_SCOPE)
endfunction()
