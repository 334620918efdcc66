# Windows resources of a shipped binary: a version resource filled from the
# project version (so the zip's name, the binaries and quill-cli --version can
# never disagree) and, for the programs, the icon and the application manifest.
#
#   quill_windows_resources(TARGET PRODUCT "name" DESCRIPTION "text" [PROGRAM])
function(quill_windows_resources target)
  cmake_parse_arguments(arg "PROGRAM" "PRODUCT;DESCRIPTION" "" ${ARGN})
  get_target_property(type ${target} TYPE)
  get_target_property(QUILL_RC_NAME ${target} OUTPUT_NAME)
  if(NOT QUILL_RC_NAME)
    set(QUILL_RC_NAME ${target})
  endif()
  if(type STREQUAL "SHARED_LIBRARY")
    set(QUILL_RC_FILE ${QUILL_RC_NAME}.dll)
    set(QUILL_RC_FILETYPE VFT_DLL)
  else()
    set(QUILL_RC_FILE ${QUILL_RC_NAME}.exe)
    set(QUILL_RC_FILETYPE VFT_APP)
  endif()
  set(QUILL_RC_PRODUCT "${arg_PRODUCT}")
  set(QUILL_RC_DESCRIPTION "${arg_DESCRIPTION}")
  set(QUILL_RC_EXTRA "")
  if(arg_PROGRAM)
    # The lowest icon id is the one Explorer shows; 24 is RT_MANIFEST and id 1
    # the manifest the loader reads for a program.
    set(QUILL_RC_EXTRA "1 ICON \"${PROJECT_SOURCE_DIR}/quill/app/Quill.ico\"\n1 24 \"${PROJECT_SOURCE_DIR}/quill/app/Quill.manifest\"")
  endif()
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}-resources.rc)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/VersionInfo.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
  if(arg_PROGRAM)
    set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS
      "${PROJECT_SOURCE_DIR}/quill/app/Quill.ico;${PROJECT_SOURCE_DIR}/quill/app/Quill.manifest")
  endif()
endfunction()
