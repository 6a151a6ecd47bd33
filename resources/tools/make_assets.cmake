# Runs the generators of the committed assets, each writing into the folder of
# OUT that stands where its files stand in the source tree. Run in script mode:
#
#   cmake -DSOURCE=<source tree> -DOUT=<folder> -DPYTHON=<python3> -DMAKER=<maker's name>
#         [-DPLAQUE_TOOL=<make_pictures>] [-DGAME_TOOL=<game_pictures>] [-DCOMPARE=ON]
#         -P make_assets.cmake
#
# The Python generators write the same bytes everywhere. The two Qt tools draw
# words in installed fonts, so they run only when given. With COMPARE, OUT is
# emptied first and every file written must equal its committed counterpart.

foreach(needed SOURCE OUT PYTHON MAKER)
  if(NOT DEFINED ${needed})
    message(FATAL_ERROR "make_assets.cmake needs -D${needed}=...")
  endif()
endforeach()

if(COMPARE)
  file(REMOVE_RECURSE ${OUT})
endif()

# Neither the Qt tools nor Python leave anything behind in the source tree.
set(ENV{QT_QPA_PLATFORM} offscreen)
set(ENV{PYTHONDONTWRITEBYTECODE} 1)

# generate(<folder> <command...> [THEN <arguments after the folder>...])
function(generate folder)
  cmake_parse_arguments(G "" "" "THEN" ${ARGN})
  file(MAKE_DIRECTORY ${OUT}/${folder})
  execute_process(COMMAND ${G_UNPARSED_ARGUMENTS} ${OUT}/${folder} ${G_THEN} RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "${G_UNPARSED_ARGUMENTS} ${OUT}/${folder}: ${failed}")
  endif()
endfunction()

generate(resources/sounds ${PYTHON} ${SOURCE}/resources/tools/make_sounds.py)
generate(decoder/icon ${PYTHON} ${SOURCE}/decoder/icon/make_icon.py)
generate(antenna/icon ${PYTHON} ${SOURCE}/antenna/icon/draw_icon.py)
generate(about/pictures ${PYTHON} ${SOURCE}/about/pictures/make_pictures.py THEN ${MAKER})
if(PLAQUE_TOOL)
  generate(resources ${PLAQUE_TOOL})
endif()
if(GAME_TOOL)
  generate(game/pictures ${GAME_TOOL})
endif()

if(COMPARE)
  file(GLOB_RECURSE written RELATIVE ${OUT} ${OUT}/*)
  set(differing)
  foreach(file IN LISTS written)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT}/${file} ${SOURCE}/${file} RESULT_VARIABLE differs)
    if(differs)
      list(APPEND differing ${file})
    endif()
  endforeach()
  list(LENGTH written count)
  if(differing)
    list(JOIN differing "\n  " differing)
    message(FATAL_ERROR "Generated files that differ from the committed ones (run scripts/make-assets.sh):\n  ${differing}")
  endif()
  message(STATUS "${count} generated files equal the committed ones")
endif()
