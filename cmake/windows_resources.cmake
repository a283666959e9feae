# Gives a Windows executable its version resource and its application manifest (long paths;
# for the window also common controls 6 and DPI awareness) and, for the window, the icon.
# dwelvane_windows_resources(TARGET NAME DESCRIPTION [WINDOW])
function(dwelvane_windows_resources target name description)
  set(packaging ${PROJECT_SOURCE_DIR}/packaging/windows)
  set(DWELVANE_RC_NAME ${name})
  set(DWELVANE_RC_DESCRIPTION "${description}")
  set(DWELVANE_RC_ICON "")
  set(manifest ${packaging}/dwelvane-cli.manifest.in)
  if("WINDOW" IN_LIST ARGN)
    set(manifest ${packaging}/dwelvane.manifest.in)
    set(DWELVANE_RC_ICON "1 ICON \"${packaging}/dwelvane.ico\"")
  endif()
  configure_file(${manifest} ${CMAKE_CURRENT_BINARY_DIR}/${target}.manifest @ONLY)
  set(DWELVANE_RC_MANIFEST
      "CREATEPROCESS_MANIFEST_RESOURCE_ID RT_MANIFEST \"${CMAKE_CURRENT_BINARY_DIR}/${target}.manifest\"")
  configure_file(${packaging}/resources.rc.in ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc @ONLY)
  target_sources(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
  # The resource compiler's dependencies leave out the manifest it embeds.
  set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/${target}.rc PROPERTIES
    OBJECT_DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/${target}.manifest)
endfunction()
