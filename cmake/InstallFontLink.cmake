# Install step: MVL_FONT_LINK (under the prefix) becomes a link to the font package's file
# MVL_FONT_FILE. Inside one top-level folder the link is relative, as Debian's policy
# asks; across top-level folders it is absolute.
set(link "${CMAKE_INSTALL_PREFIX}/${MVL_FONT_LINK}")
get_filename_component(dir "${link}" DIRECTORY)
string(REGEX MATCH "^/[^/]*" link_top "${link}")
string(REGEX MATCH "^/[^/]*" font_top "${MVL_FONT_FILE}")
if(link_top STREQUAL font_top)
  file(RELATIVE_PATH target "${dir}" "${MVL_FONT_FILE}")
else()
  set(target "${MVL_FONT_FILE}")
endif()
set(dest "$ENV{DESTDIR}${link}")
message(STATUS "Installing: ${dest} -> ${target}")
get_filename_component(dest_dir "${dest}" DIRECTORY)
file(MAKE_DIRECTORY "${dest_dir}")
file(REMOVE "${dest}")
file(CREATE_LINK "${target}" "${dest}" SYMBOLIC)
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${dest}")
