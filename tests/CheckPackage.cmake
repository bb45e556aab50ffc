# Builds the Debian package from the build folder, has lintian judge it, unpacks it with
# dpkg-deb and checks what it holds: the font link, the documentation, the AppStream
# file, mvltool's completion and the unpacked mvltool on the demo project.
# -DBUILD=<build folder> -DSOURCE=<source folder> -DVERSION=<project version>
# -DFONT=<the font file the package links to> -DFONT_PACKAGE=<its Debian package>
# -DFACE=<the face name the editor loads it by>
set(work "${BUILD}/package-test")
file(REMOVE_RECURSE "${work}")
file(MAKE_DIRECTORY "${work}")

# The newest changelog entry and the AppStream file's releases name the version being
# packaged.
file(STRINGS "${SOURCE}/cmake/debian/changelog" top LIMIT_COUNT 1)
if(NOT top MATCHES "^marvolenta \\(${VERSION}\\) ")
  message(FATAL_ERROR "cmake/debian/changelog does not begin with version ${VERSION}: ${top}")
endif()

file(READ "${SOURCE}/data/desktop/example.marvolenta.Marvolenta.metainfo.xml" metainfo_text)
string(FIND "${metainfo_text}" "<release version=\"${VERSION}\"" at)
if(at LESS 0)
  message(FATAL_ERROR "the AppStream file lists no release ${VERSION}")
endif()

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

# Debian's own checker: any error or warning fails the test.
find_program(LINTIAN lintian)
if(LINTIAN)
  execute_process(COMMAND "${LINTIAN}" --fail-on error,warning --no-tag-display-limit "${deb}"
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0 OR out MATCHES "(^|\n)[EW]: ")
    message(FATAL_ERROR "lintian finds fault with the package (${rc}):\n${out}\n${err}")
  endif()
  message(STATUS "lintian: no error and no warning")
else()
  message(STATUS "SKIPPED lintian: not installed (scripts/setup-debian.sh installs it)")
endif()

execute_process(COMMAND dpkg-deb -x "${deb}" "${work}/root" RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "dpkg-deb -x failed")
endif()
set(metainfo usr/share/metainfo/example.marvolenta.Marvolenta.metainfo.xml)
foreach(f usr/bin/marvolenta usr/bin/mvltool usr/bin/panelsim
          usr/share/marvolenta/DATA/TRANSLATION/EN usr/share/marvolenta/DATA/TRANSLATION/ZH_CN
          usr/share/marvolenta/DATA/TRANSLATION/ZH_TW usr/share/marvolenta/DATA/INI/SCREENTYPE
          usr/share/applications/marvolenta.desktop usr/share/mime/packages/marvolenta-mvl.xml
          usr/share/icons/hicolor/scalable/apps/marvolenta.svg ${metainfo}
          usr/share/doc/marvolenta/copyright usr/share/doc/marvolenta/changelog.gz
          usr/share/man/man1/marvolenta.1.gz usr/share/man/man1/mvltool.1.gz usr/share/man/man1/panelsim.1.gz
          usr/share/bash-completion/completions/mvltool)
  if(NOT EXISTS "${work}/root/${f}")
    message(FATAL_ERROR "the package lacks ${f}")
  endif()
endforeach()

# The dependencies come from the libraries the executables link against, and the font
# from its Debian package.
execute_process(COMMAND dpkg-deb -f "${deb}" Depends OUTPUT_VARIABLE depends OUTPUT_STRIP_TRAILING_WHITESPACE)
foreach(d libc6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6network6 zlib1g ${FONT_PACKAGE})
  if(NOT depends MATCHES "(^|, )${d}( |,|$)")
    message(FATAL_ERROR "Depends lacks ${d}: ${depends}")
  endif()
endforeach()

# No font file of its own: DATA/FONT/<face>.ttf is a relative link to the font package's.
file(GLOB_RECURSE fonts "${work}/root/*.ttf" "${work}/root/*.otf" "${work}/root/*.ttc")
foreach(f IN LISTS fonts)
  if(NOT IS_SYMLINK "${f}")
    message(FATAL_ERROR "the package carries a font file of its own: ${f}")
  endif()
endforeach()
set(link_dir usr/share/marvolenta/DATA/FONT)
if(NOT IS_SYMLINK "${work}/root/${link_dir}/${FACE}.ttf")
  message(FATAL_ERROR "the package lacks the font link ${link_dir}/${FACE}.ttf")
endif()
file(READ_SYMLINK "${work}/root/${link_dir}/${FACE}.ttf" target)
get_filename_component(resolved "${target}" ABSOLUTE BASE_DIR "/${link_dir}")
if(IS_ABSOLUTE "${target}" OR NOT resolved STREQUAL FONT)
  message(FATAL_ERROR "the font link points to ${target} (${resolved}), not relatively to ${FONT}")
endif()

# The build tree reaches the same file by an absolute link, so the editor run from bin/
# loads it too.
set(build_link "${BUILD}/bin/DATA/FONT/${FACE}.ttf")
if(NOT IS_SYMLINK "${build_link}")
  message(FATAL_ERROR "${build_link} is not a link to ${FONT}")
endif()
file(READ_SYMLINK "${build_link}" target)
if(NOT target STREQUAL FONT)
  message(FATAL_ERROR "${build_link} points to ${target}, not to ${FONT}")
endif()

# The AppStream description, where the validator is installed.
find_program(APPSTREAMCLI appstreamcli)
if(APPSTREAMCLI)
  execute_process(COMMAND "${APPSTREAMCLI}" validate --no-net "${work}/root/${metainfo}"
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "appstreamcli validate refuses ${metainfo}:\n${out}\n${err}")
  endif()
else()
  message(STATUS "SKIPPED appstreamcli validate: not installed (scripts/setup-debian.sh installs it)")
endif()

# mvltool's completion, with the unpacked mvltool found on PATH: each case is the words
# typed so far (the last one being completed) and what must be offered.
file(MAKE_DIRECTORY "${work}/cwd/Hall" "${work}/cwd/Lobby")
file(TOUCH "${work}/cwd/a.mvl" "${work}/cwd/b.png" "${work}/cwd/c.zip")
set(cases
  "mvltool re|render resave"
  "mvltool --lang |zh_cn zh_tw en"
  "mvltool --lang en ch|check"
  "mvltool -|--lang --help --version"
  "mvltool check |a.mvl Hall Lobby"
  "mvltool render a.mvl |"
  "mvltool render a.mvl Lobby |b.png Hall Lobby"
  "mvltool render a.mvl Lobby x|"
  "mvltool render a.mvl --zoom 2 Lobby |b.png Hall Lobby"
  "mvltool render a.mvl Lobby b.png --zoom |"
  "mvltool render a.mvl Lobby b.png --|--zoom --help"
  "mvltool pack |Hall Lobby"
  "mvltool pack Hall |c.zip Hall Lobby")
set(ENV{PATH} "${work}/root/usr/bin:$ENV{PATH}")
foreach(case IN LISTS cases)
  string(REPLACE "|" ";" parts "${case}")
  list(GET parts 0 typed)
  list(LENGTH parts n)
  set(wanted "")
  if(n GREATER 1)
    list(GET parts 1 wanted)
  endif()
  execute_process(
    COMMAND bash -c "source \"$1\"; read -r -a COMP_WORDS <<<\"$2\"; [[ $2 == *' ' ]] && COMP_WORDS+=(''); COMP_CWORD=$((\${#COMP_WORDS[@]} - 1)); _mvltool; printf '%s\\n' \"\${COMPREPLY[@]}\" | sort | tr '\\n' ' '"
            completion "${work}/root/usr/share/bash-completion/completions/mvltool" "${typed}"
    WORKING_DIRECTORY "${work}/cwd"
    RESULT_VARIABLE rc OUTPUT_VARIABLE offered ERROR_VARIABLE err)
  string(REPLACE " " ";" wanted_list "${wanted}")
  list(SORT wanted_list)
  string(REPLACE ";" " " wanted_sorted "${wanted_list}")
  string(STRIP "${offered}" offered)
  if(NOT rc EQUAL 0 OR NOT offered STREQUAL wanted_sorted)
    message(FATAL_ERROR "completing '${typed}' offers '${offered}', wanted '${wanted_sorted}' ${err}")
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
