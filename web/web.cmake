# The browser build (included by the top CMakeLists.txt under emcmake): the
# game's code with the web platform, the page, and the shipped files packed
# into picolatte.data. The pictures and sounds come from a desktop build's
# dist folder (scripts/web makes one first).
set(PICOLATTE_ASSETS_DIR "${CMAKE_SOURCE_DIR}/build/dist" CACHE PATH "A desktop build's dist folder")
set(PICOLATTE_MUSIC_DIR "${CMAKE_BINARY_DIR}/music" CACHE PATH "The music rendered to Ogg (scripts/render_music)")
set(PICOLATTE_FONT "/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf" CACHE FILEPATH "IPAPGothic")
foreach(needed cg dat SOUNDMIX.INI)
  if(NOT EXISTS ${PICOLATTE_ASSETS_DIR}/${needed})
    message(FATAL_ERROR "${PICOLATTE_ASSETS_DIR}/${needed} is missing: run scripts/build first")
  endif()
endforeach()
if(NOT EXISTS ${PICOLATTE_FONT})
  message(FATAL_ERROR "${PICOLATTE_FONT} is missing: install fonts-ipafont-gothic")
endif()

file(GLOB_RECURSE WEB_GAME_SOURCES CONFIGURE_DEPENDS
  app/*.cpp content/*.cpp game/*.cpp view/*.cpp inventory/*.cpp save/*.cpp sound/*.cpp)
list(FILTER WEB_GAME_SOURCES EXCLUDE REGEX "/sound/mixer/")
list(FILTER WEB_GAME_SOURCES EXCLUDE REGEX "/app/main\\.cpp$")
add_executable(picolatte ${WEB_GAME_SOURCES})
target_include_directories(picolatte PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(picolatte PRIVATE platform_web platform_core mixer)
set_target_properties(picolatte PROPERTIES SUFFIX ".js" RUNTIME_OUTPUT_DIRECTORY ${DIST_DIR})

# The packed files: the player's copy of the font sits where the desktop
# looks for it, so the text code needs no second path.
set(PACKED
  "${PICOLATTE_ASSETS_DIR}/cg@/cg"
  "${PICOLATTE_ASSETS_DIR}/dat@/dat"
  "${PICOLATTE_ASSETS_DIR}/SOUNDMIX.INI@/SOUNDMIX.INI"
  "${PICOLATTE_FONT}@/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf")
# FluidSynth does not run in the page: the music comes pre-rendered, beside its MIDI.
file(GLOB RENDERED_MUSIC ${PICOLATTE_MUSIC_DIR}/*.ogg)
if(NOT RENDERED_MUSIC)
  message(FATAL_ERROR "no rendered music in ${PICOLATTE_MUSIC_DIR}: run scripts/render_music")
endif()
foreach(piece ${RENDERED_MUSIC})
  get_filename_component(name ${piece} NAME)
  list(APPEND PACKED "${piece}@/dat/${name}")
endforeach()
set(PACK_OPTIONS)
foreach(item ${PACKED})
  list(APPEND PACK_OPTIONS "SHELL:--preload-file ${item}")
endforeach()
target_link_options(picolatte PRIVATE
  -fexceptions -sASYNCIFY -sASYNCIFY_STACK_SIZE=65536 -sALLOW_MEMORY_GROWTH=1 -sTOTAL_STACK=1048576
  -sFORCE_FILESYSTEM=1 -lidbfs.js -sEXIT_RUNTIME=0
  "-sEXPORTED_RUNTIME_METHODS=['FS','ccall','addRunDependency','removeRunDependency']"
  "SHELL:--pre-js ${CMAKE_SOURCE_DIR}/web/page.js"
  ${PACK_OPTIONS})
set_property(TARGET picolatte APPEND PROPERTY LINK_DEPENDS ${CMAKE_SOURCE_DIR}/web/page.js)

add_custom_command(TARGET picolatte POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/web/index.html ${DIST_DIR}/index.html)
