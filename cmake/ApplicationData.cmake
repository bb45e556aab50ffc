# Mirrors data/DATA into bin/DATA on every build and adds the application font.
# Files the running editor writes there (INI/APPDATA, TEMP) are left alone.
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
  message(WARNING "DroidSansFallbackFull.ttf not found (Debian package fonts-droid-fallback): "
                  "the application font will be missing from DATA/FONT")
endif()
