include(GNUInstallDirs)
set(MVL_SHARE_DIR ${CMAKE_INSTALL_DATADIR}/marvolenta)
set(MVL_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/marvolenta)

install(TARGETS mvltool RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
set(mvl_programs mvltool)
foreach(program marvolenta panelsim)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    list(APPEND mvl_programs ${program})
  endif()
endforeach()

install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/DATA DESTINATION ${MVL_SHARE_DIR})
if(MVL_CJK_FONT_FILE)
  install(CODE "
    set(MVL_FONT_FILE \"${MVL_CJK_FONT_FILE}\")
    set(MVL_FONT_LINK \"${MVL_SHARE_DIR}/DATA/FONT/${MVL_FONT_FACE}.ttf\")
    include(\"${CMAKE_SOURCE_DIR}/cmake/InstallFontLink.cmake\")")
endif()

# Debian wants the changelog and the manual pages compressed by gzip -9n; the manual
# pages carry the project's version.
set(mvl_compressed)
foreach(source cmake/debian/changelog data/man/marvolenta.1 data/man/mvltool.1 data/man/panelsim.1)
  get_filename_component(name ${source} NAME)
  set(out ${CMAKE_BINARY_DIR}/compressed/${name}.gz)
  set(version "")
  if(name MATCHES "\\.1$")
    set(version ${PROJECT_VERSION})
  endif()
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -DIN=${CMAKE_SOURCE_DIR}/${source} -DOUT=${out} -DVERSION=${version}
            -P ${CMAKE_SOURCE_DIR}/cmake/Gzip.cmake
    DEPENDS ${CMAKE_SOURCE_DIR}/${source} ${CMAKE_SOURCE_DIR}/cmake/Gzip.cmake
    VERBATIM)
  list(APPEND mvl_compressed ${out})
endforeach()
add_custom_target(mvl_compressed_docs ALL DEPENDS ${mvl_compressed})

install(FILES ${CMAKE_SOURCE_DIR}/cmake/debian/copyright ${CMAKE_BINARY_DIR}/compressed/changelog.gz
        DESTINATION ${MVL_DOC_DIR})
foreach(program IN LISTS mvl_programs)
  install(FILES ${CMAKE_BINARY_DIR}/compressed/${program}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
install(FILES ${CMAKE_SOURCE_DIR}/data/completion/mvltool
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)

if(TARGET marvolenta)
  install(FILES ${CMAKE_SOURCE_DIR}/data/desktop/marvolenta.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${CMAKE_SOURCE_DIR}/data/desktop/marvolenta-mvl.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
  install(FILES ${CMAKE_SOURCE_DIR}/data/desktop/marvolenta.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  install(FILES ${CMAKE_SOURCE_DIR}/data/desktop/example.marvolenta.Marvolenta.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
endif()
