# Builds the Debian package from the build folder, unpacks it with dpkg-deb and runs the
# unpacked mvltool on the demo project. -DBUILD=<build folder> -DSOURCE=<source folder>
# -DVERSION=<project version>
set(work "${BUILD}/package-test")
file(REMOVE_RECURSE "${work}")
file(MAKE_DIRECTORY "${work}")

execute_process(COMMAND cpack -G DEB -B "${work}/out" WORKING_DIRECTORY "${BUILD}"
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cpack failed (${rc}):\n${out}\n${err}")
endif()
execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE arch OUTPUT_STRIP_TRAILING_WHITESPACE)
set(deb "${work}/out/marvolenta_${VERSION}_${arch}.deb")
if(NOT EXISTS "${deb}")
  file(GLOB made "${work}/out/*.deb")
  message(FATAL_ERROR "expected ${deb}, cpack made: ${made}")
endif()

execute_process(COMMAND dpkg-deb -x "${deb}" "${work}/root" RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "dpkg-deb -x failed")
endif()
foreach(f usr/bin/marvolenta usr/bin/mvltool usr/bin/panelsim
          usr/share/marvolenta/DATA/TRANSLATION/EN usr/share/marvolenta/DATA/TRANSLATION/ZH_CN
          usr/share/marvolenta/DATA/TRANSLATION/ZH_TW usr/share/marvolenta/DATA/INI/SCREENTYPE
          usr/share/applications/marvolenta.desktop usr/share/mime/packages/marvolenta-mvl.xml
          usr/share/icons/hicolor/scalable/apps/marvolenta.svg)
  if(NOT EXISTS "${work}/root/${f}")
    message(FATAL_ERROR "the package lacks ${f}")
  endif()
endforeach()

# The dependencies come from the libraries the executables link against.
execute_process(COMMAND dpkg-deb -f "${deb}" Depends OUTPUT_VARIABLE depends OUTPUT_STRIP_TRAILING_WHITESPACE)
foreach(d libc6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6network6 zlib1g)
  if(NOT depends MATCHES "(^|, )${d}( |,|$)")
    message(FATAL_ERROR "Depends lacks ${d}: ${depends}")
  endif()
endforeach()

# The unpacked tool finds its DATA in the unpacked share folder and reads the demo.
execute_process(COMMAND "${work}/root/usr/bin/mvltool" info "${SOURCE}/examples/Lobby/Lobby.mvl"
                RESULT_VARIABLE rc OUTPUT_VARIABLE info ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "unpacked mvltool info failed (${rc}): ${err}")
endif()
foreach(word "\"pages\"" "\"backdrop.png\"" "\"typeKey\": \"BUTTON\"")
  string(FIND "${info}" "${word}" at)
  if(at LESS 0)
    message(FATAL_ERROR "mvltool info output lacks ${word}")
  endif()
endforeach()
file(SIZE "${deb}" size)
message(STATUS "${deb}: ${size} bytes; Depends: ${depends}")
file(REMOVE_RECURSE "${work}")
