# Gives a Windows executable its version resource and, for the window, the icon and the
# application manifest (common controls 6, DPI awareness).
# dwelvane_windows_resources(TARGET NAME DESCRIPTION [WINDOW])
function(dwelvane_windows_resources target name description)
  set(packaging ${PROJECT_SOURCE_DIR}/packaging/windows)
  set(DWELVANE_RC_NAME ${name})
  set(DWELVANE_RC_DESCRIPTION "${description}")
  set(DWELVANE_RC_ICON "")
  set(DWELVANE_RC_MANIFEST "")
  if("WINDOW" IN_LIST ARGN)
    configure_file(${packaging}/dwelvane.manifest.in
                   ${CMAKE_CURRENT_BINARY_DIR}/${target}.manifest @ONLY)
    set(DWELVANE_RC_ICON "1 ICON \"${packaging}/dwelvane.ico\"")
    set(DWELVANE_RC_MANIFEST
        "CREATEPROCESS_MANIFEST_RESOURCE_ID RT_MANIFEST \"${CMAKE_CURRENT_BINARY_DIR}/${target}.manifest\"")
  endif()
  configure_file(${packaging}/resources.rc.in ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc @ONLY)
  target_sources(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
endfunction()
