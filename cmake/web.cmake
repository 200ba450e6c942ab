# The game in a web page, built with Emscripten (`make web`, which runs
# `emcmake cmake -S . -B build-web`): the game and the shared platform
# code as they are, the browser backend of src/platform/web/, the page,
# and the data files that the native content generator made
# (GLUBBER_WEB_DATEN, build/data by default), fetched by the page at start.
set(GLUBBER_WEB_DATEN ${CMAKE_SOURCE_DIR}/build/data CACHE PATH "Data folder made by the native build")

file(GLOB PLAT_WEB_SOURCES CONFIGURE_DEPENDS src/platform/web/*.cpp)
add_executable(glubbershoot
  $<TARGET_OBJECTS:game> $<TARGET_OBJECTS:plat_common> ${PLAT_WEB_SOURCES})
target_include_directories(glubbershoot PRIVATE src)
set_target_properties(glubbershoot PROPERTIES SUFFIX ".js"
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}
  # Emscripten's optimiser needs Debian's acorn.
  CXX_LINKER_LAUNCHER "${CMAKE_COMMAND};-E;env;NODE_PATH=/usr/share/nodejs")
# The game's waits and its modal dialogs give the page back to the
# browser through Asyncify; memory grows with what the files ask for.
target_link_options(glubbershoot PRIVATE
  -sASYNCIFY -sASYNCIFY_STACK_SIZE=65536
  -sALLOW_MEMORY_GROWTH=1 -sINITIAL_MEMORY=67108864
  -sENVIRONMENT=web -sFORCE_FILESYSTEM=1 -lidbfs.js
  "-sEXPORTED_RUNTIME_METHODS=['FS','addRunDependency','removeRunDependency','UTF8ToString']")

# The page and the data beside the program.
set(WEB_SEITE index.html glubber_seite.js)
set(WEB_DATEN Grafik.dat Sound.dat start.wav main.wav win.wav lose.wav credits.wav)
set(web_kopien "")
foreach(datei IN LISTS WEB_SEITE)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/${datei}
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/src/platform/web/${datei} ${CMAKE_BINARY_DIR}/${datei}
    DEPENDS ${CMAKE_SOURCE_DIR}/src/platform/web/${datei})
  list(APPEND web_kopien ${CMAKE_BINARY_DIR}/${datei})
endforeach()
set(web_liste "")
foreach(datei IN LISTS WEB_DATEN)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/daten/${datei}
    COMMAND ${CMAKE_COMMAND} -E copy ${GLUBBER_WEB_DATEN}/${datei} ${CMAKE_BINARY_DIR}/daten/${datei}
    DEPENDS ${GLUBBER_WEB_DATEN}/${datei})
  list(APPEND web_kopien ${CMAKE_BINARY_DIR}/daten/${datei})
  list(APPEND web_liste "\"${datei}\"")
endforeach()
list(JOIN web_liste ", " web_liste)
file(WRITE ${CMAKE_BINARY_DIR}/daten/liste.json "[${web_liste}]\n")
add_custom_target(web_seite ALL DEPENDS ${web_kopien})
