# cmake -P script: OUT = IN compressed by gzip -9n (no file name or time stamp inside, so
# the same source always gives the same bytes). With VERSION set, "@VERSION@" in IN
# becomes that version first.
get_filename_component(dir "${OUT}" DIRECTORY)
file(MAKE_DIRECTORY "${dir}")
set(in "${IN}")
if(VERSION)
  get_filename_component(name "${OUT}" NAME_WLE)
  set(in "${dir}/${name}")
  configure_file("${IN}" "${in}" @ONLY)
endif()
execute_process(COMMAND gzip -9n -c "${in}" OUTPUT_FILE "${OUT}" RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  file(REMOVE "${OUT}")
  message(FATAL_ERROR "gzip ${IN} failed (${rc})")
endif()
