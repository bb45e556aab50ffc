# Mirrors data/DATA into bin/DATA on every build and links the application font there.
# Files the running editor writes there (INI/APPDATA, TEMP) are left alone.
#
# The application font is Droid Sans Fallback from Debian's font package: the build tree
# and the installed package both reach it by a link named after the face, so the editor
# loads DATA/FONT/<face>.ttf wherever it runs and no copy of the font is made.
set(MVL_CJK_FONT_PACKAGE fonts-droid-fallback)
find_file(MVL_CJK_FONT_FILE DroidSansFallbackFull.ttf
  PATHS /usr/share/fonts/truetype/droid /usr/share/fonts/truetype/droid-fallback
  NO_DEFAULT_PATH)
set(MVL_FONT_FACE "迷你简特细等线")

add_custom_target(mvl_data ALL
  COMMAND ${CMAKE_COMMAND}
    -DSRC=${CMAKE_SOURCE_DIR}/data/DATA
    -DDST=${MVL_BIN_DIR}/DATA
    -DFONT=${MVL_CJK_FONT_FILE}
    -DFACE=${MVL_FONT_FACE}
    -P ${CMAKE_SOURCE_DIR}/cmake/CopyData.cmake
  COMMENT "Copying DATA beside the executables"
  VERBATIM)
if(NOT MVL_CJK_FONT_FILE)
  message(WARNING "DroidSansFallbackFull.ttf not found (Debian package ${MVL_CJK_FONT_PACKAGE}): "
                  "the application font will be missing from DATA/FONT")
endif()
