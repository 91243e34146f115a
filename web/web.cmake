# The browser build (included by the top CMakeLists.txt under emcmake): the
# game library (game_core, the same as the desktop's) with the web platform,
# the page, the data file with what the game reads (web/make_data.js), the
# music beside it, and the font's license.
# The pictures and sounds come from a desktop build's dist folder, the
# pristine save files and mixer settings from its defaults folder (scripts/web
# makes both first): a dist folder that has been played in ships nothing of it.
set(PICOLATTE_ASSETS_DIR "${CMAKE_SOURCE_DIR}/build/dist" CACHE PATH "A desktop build's dist folder")
set(PICOLATTE_DEFAULTS_DIR "${CMAKE_SOURCE_DIR}/build/defaults" CACHE PATH
  "A desktop build's pristine save files and mixer settings (its defaults folder)")
set(PICOLATTE_MUSIC_DIR "${CMAKE_BINARY_DIR}/music" CACHE PATH "The music rendered to Ogg (scripts/render_music)")
set(PICOLATTE_FONT "/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf" CACHE FILEPATH "IPAPGothic")
set(PICOLATTE_FONT_LICENSE "/usr/share/doc/fonts-ipafont-gothic/copyright" CACHE FILEPATH
  "The IPA Font License Agreement, shipped beside the page")
option(PICOLATTE_WEB_ORIGINAL_FONT "Pack IPAPGothic as it is instead of the copy without hinting (scripts/web_font)" OFF)
foreach(needed cg dat)
  if(NOT EXISTS ${PICOLATTE_ASSETS_DIR}/${needed})
    message(FATAL_ERROR "${PICOLATTE_ASSETS_DIR}/${needed} is missing: run scripts/build first")
  endif()
endforeach()
foreach(needed dat/my.dat dat/name.dat SOUNDMIX.INI)
  if(NOT EXISTS ${PICOLATTE_DEFAULTS_DIR}/${needed})
    message(FATAL_ERROR "${PICOLATTE_DEFAULTS_DIR}/${needed} is missing: run scripts/build first")
  endif()
endforeach()
foreach(needed PICOLATTE_FONT PICOLATTE_FONT_LICENSE)
  if(NOT EXISTS ${${needed}})
    message(FATAL_ERROR "${${needed}} is missing: install fonts-ipafont-gothic")
  endif()
endforeach()
find_program(NODE_EXECUTABLE NAMES node nodejs REQUIRED)

add_executable(picolatte app/web_main.cpp)
target_link_libraries(picolatte PRIVATE game_core platform_web)
set_target_properties(picolatte PROPERTIES SUFFIX ".js" RUNTIME_OUTPUT_DIRECTORY ${DIST_DIR})
target_link_options(picolatte PRIVATE
  -fexceptions -sASYNCIFY -sASYNCIFY_STACK_SIZE=65536
  # Opening a file may wait for it to arrive (web/page.js).
  "-sASYNCIFY_IMPORTS=['__syscall_open']" -sALLOW_MEMORY_GROWTH=1 -sTOTAL_STACK=1048576
  -sFORCE_FILESYSTEM=1 -lidbfs.js -sEXIT_RUNTIME=0
  "-sEXPORTED_RUNTIME_METHODS=['FS','ccall','addRunDependency','removeRunDependency']"
  "SHELL:--pre-js ${CMAKE_SOURCE_DIR}/web/data_pack.js"
  "SHELL:--pre-js ${CMAKE_SOURCE_DIR}/web/page.js")
set_property(TARGET picolatte APPEND PROPERTY LINK_DEPENDS
  ${CMAKE_SOURCE_DIR}/web/page.js ${CMAKE_SOURCE_DIR}/web/data_pack.js)
add_custom_command(TARGET picolatte POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/web/index.html ${DIST_DIR}/index.html)

# The font: by default IPAPGothic without its hinting, at a path the game
# also looks at (a derived font may not carry the original's name).
if(PICOLATTE_WEB_ORIGINAL_FONT)
  set(WEB_FONT ${PICOLATTE_FONT})
  set(WEB_FONT_PATH /usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf)
else()
  set(WEB_FONT ${CMAKE_BINARY_DIR}/font/picolatte-web-gothic.ttf)
  set(WEB_FONT_PATH /usr/share/fonts/truetype/fonts-japanese-gothic.ttf)
  # Every character of the game's own texts stays (its sources are UTF-8).
  file(GLOB_RECURSE GAME_TEXTS CONFIGURE_DEPENDS app/*.cpp app/*.h content/*.cpp content/*.h game/*.cpp game/*.h
    view/*.cpp view/*.h inventory/*.cpp inventory/*.h save/*.cpp save/*.h platform/*.cpp platform/*.h)
  add_custom_command(OUTPUT ${WEB_FONT}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/font
    COMMAND ${CMAKE_SOURCE_DIR}/scripts/web_font ${PICOLATTE_FONT} ${WEB_FONT} ${GAME_TEXTS}
    DEPENDS ${PICOLATTE_FONT} ${CMAKE_SOURCE_DIR}/scripts/web_font ${GAME_TEXTS}
    COMMENT "Making the page's font" VERBATIM)
endif()

# The data file. FluidSynth does not run in the page: the music comes
# pre-rendered, served beside the page in music/ and fetched once the game runs.
file(GLOB WEB_PICTURES CONFIGURE_DEPENDS ${PICOLATTE_ASSETS_DIR}/cg/*.bmp ${PICOLATTE_ASSETS_DIR}/cg/*.jpg)
file(GLOB WEB_SOUNDS CONFIGURE_DEPENDS ${PICOLATTE_ASSETS_DIR}/dat/*.wav ${PICOLATTE_ASSETS_DIR}/dat/*.mo)
file(GLOB RENDERED_MUSIC CONFIGURE_DEPENDS ${PICOLATTE_MUSIC_DIR}/*.ogg)
if(NOT RENDERED_MUSIC)
  message(FATAL_ERROR "no rendered music in ${PICOLATTE_MUSIC_DIR}: run scripts/render_music")
endif()
set(WEB_DATA ${DIST_DIR}/picolatte.data)
add_custom_command(OUTPUT ${WEB_DATA} ${DIST_DIR}/picolatte-title.data ${DIST_DIR}/picolatte-more.data
  COMMAND ${NODE_EXECUTABLE} ${CMAKE_SOURCE_DIR}/web/make_data.js ${WEB_DATA}
    --assets ${PICOLATTE_ASSETS_DIR} --defaults ${PICOLATTE_DEFAULTS_DIR}
    --font ${WEB_FONT}=${WEB_FONT_PATH} --music ${PICOLATTE_MUSIC_DIR} --content ${CMAKE_SOURCE_DIR}/content
  DEPENDS ${CMAKE_SOURCE_DIR}/content/articles.cpp ${CMAKE_SOURCE_DIR}/content/materials.cpp ${WEB_PICTURES} ${WEB_SOUNDS} ${RENDERED_MUSIC} ${WEB_FONT}
    ${PICOLATTE_DEFAULTS_DIR}/dat/my.dat ${PICOLATTE_DEFAULTS_DIR}/dat/name.dat ${PICOLATTE_DEFAULTS_DIR}/SOUNDMIX.INI
    ${CMAKE_SOURCE_DIR}/web/make_data.js ${CMAKE_SOURCE_DIR}/web/data_pack.js
  COMMENT "Packing the page's data" VERBATIM)
set(WEB_FILES ${WEB_DATA} ${DIST_DIR}/picolatte-title.data ${DIST_DIR}/picolatte-more.data)
foreach(piece ${RENDERED_MUSIC})
  get_filename_component(name ${piece} NAME)
  add_custom_command(OUTPUT ${DIST_DIR}/music/${name}
    COMMAND ${CMAKE_COMMAND} -E copy ${piece} ${DIST_DIR}/music/${name} DEPENDS ${piece} VERBATIM)
  list(APPEND WEB_FILES ${DIST_DIR}/music/${name})
endforeach()
add_custom_command(OUTPUT ${DIST_DIR}/font-license.txt
  COMMAND ${CMAKE_COMMAND} -E cat ${CMAKE_SOURCE_DIR}/web/font-notice.txt ${PICOLATTE_FONT_LICENSE}
    > ${DIST_DIR}/font-license.txt
  DEPENDS ${CMAKE_SOURCE_DIR}/web/font-notice.txt ${PICOLATTE_FONT_LICENSE})
list(APPEND WEB_FILES ${DIST_DIR}/font-license.txt)
add_custom_target(web_files ALL DEPENDS ${WEB_FILES})
