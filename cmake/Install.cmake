include(GNUInstallDirs)
install(TARGETS mvltool RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET marvolenta)
  install(TARGETS marvolenta RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
if(TARGET panelsim)
  install(TARGETS panelsim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/DATA DESTINATION ${CMAKE_INSTALL_DATADIR}/marvolenta)
if(MVL_CJK_FONT_FILE)
  install(FILES ${MVL_CJK_FONT_FILE} DESTINATION ${CMAKE_INSTALL_DATADIR}/marvolenta/DATA/FONT
          RENAME "${MVL_FONT_FACE}.ttf")
endif()
if(EXISTS ${CMAKE_SOURCE_DIR}/data/desktop)
  install(FILES ${CMAKE_SOURCE_DIR}/data/desktop/marvolenta.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications OPTIONAL)
  install(FILES ${CMAKE_SOURCE_DIR}/data/desktop/marvolenta-mvl.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages OPTIONAL)
endif()
if(EXISTS ${CMAKE_SOURCE_DIR}/data/desktop/marvolenta.svg)
  install(FILES ${CMAKE_SOURCE_DIR}/data/desktop/marvolenta.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endif()
