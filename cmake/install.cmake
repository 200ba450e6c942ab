# Desktop icons, install rules and uninstall.
#
# Included by the top-level CMakeLists.txt. The same file also runs as a
# script at install time (GLUBBER_AUFGABE=ordner_merken: note the folders
# the install is about to create; GLUBBER_AUFGABE=einsetzen: fill in the
# installed paths in the desktop entry and the manual page) and for `make
# uninstall` (GLUBBER_AUFGABE=deinstallieren: remove what the manifest
# lists, then the noted folders that are empty).
#
# The installed tree, the games layout of Debian below any prefix (the
# Debian package is the same tree below /usr):
#   games/glubbershoot                      launcher (tools/launcher)
#   lib/games/glubbershoot/glubbershoot     the game
#   share/games/glubbershoot/               the game's data files
#   share/applications/<id>.desktop
#   share/metainfo/<id>.metainfo.xml        AppStream, for software centres
#   share/man/man6/glubbershoot.6
#   share/icons/hicolor/<n>x<n>/apps/glubbershoot.png

set(GLUBBER_ICON_GROESSEN 16 32 48 64 128 256)
set(GLUBBER_APP_ID io.github.glubbershoot.Glubbershoot)

# Where each part goes below the prefix; the install rules and the list
# of folders that uninstall may remove both come from here.
set(GLUBBER_ORT_STARTER games)
set(GLUBBER_ORT_SPIEL lib/games/glubbershoot)
set(GLUBBER_ORT_DATEN share/games/glubbershoot)
set(GLUBBER_ORT_EINTRAG share/applications)
set(GLUBBER_ORT_METAINFO share/metainfo)
set(GLUBBER_ORT_HANDBUCH share/man/man6)
set(GLUBBER_ORT_ICONS "")
foreach(groesse IN LISTS GLUBBER_ICON_GROESSEN)
  list(APPEND GLUBBER_ORT_ICONS share/icons/hicolor/${groesse}x${groesse}/apps)
endforeach()
set(GLUBBER_ORTE ${GLUBBER_ORT_STARTER} ${GLUBBER_ORT_SPIEL} ${GLUBBER_ORT_DATEN} ${GLUBBER_ORT_EINTRAG}
  ${GLUBBER_ORT_METAINFO} ${GLUBBER_ORT_HANDBUCH} ${GLUBBER_ORT_ICONS})

# The record next to the manifest: "destdir=<DESTDIR of the install>",
# then one line per folder that the install created. CMake's manifest
# names the files without DESTDIR, so uninstall needs it from here.
if(GLUBBER_AUFGABE STREQUAL "ordner_merken")
  # Runs before any file is copied. Only folders that do not exist yet are
  # noted, so uninstall never removes a folder that was there before.
  set(kopf "destdir=$ENV{DESTDIR}")
  set(basis "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
  # Installing again into the same place keeps what the first time made.
  set(neu "")
  if(EXISTS "${GLUBBER_ORDNER_LISTE}")
    file(STRINGS "${GLUBBER_ORDNER_LISTE}" alt)
    list(LENGTH alt anzahl)
    if(anzahl GREATER 0)
      list(GET alt 0 alter_kopf)
      if(alter_kopf STREQUAL kopf)
        list(SUBLIST alt 1 -1 neu)
      endif()
    endif()
  endif()
  foreach(ziel IN LISTS GLUBBER_ORTE)
    cmake_path(SET ordner NORMALIZE "${basis}/${ziel}")
    string(REGEX REPLACE "/+$" "" ordner "${ordner}")
    while(IS_ABSOLUTE "${ordner}" AND NOT IS_DIRECTORY "${ordner}")
      list(APPEND neu "${ordner}")
      cmake_path(GET ordner PARENT_PATH ordner)
    endwhile()
  endforeach()
  list(REMOVE_DUPLICATES neu)
  list(PREPEND neu "${kopf}")
  list(JOIN neu "\n" text)
  file(WRITE "${GLUBBER_ORDNER_LISTE}" "${text}\n")
  return()
endif()

if(GLUBBER_AUFGABE STREQUAL "deinstallieren")
  if(NOT EXISTS "${GLUBBER_MANIFEST}")
    message(FATAL_ERROR "Nothing to uninstall: ${GLUBBER_MANIFEST} does not exist (install first)")
  endif()
  set(destdir "$ENV{DESTDIR}")
  set(ordner_liste "")
  if(EXISTS "${GLUBBER_ORDNER_LISTE}")
    file(STRINGS "${GLUBBER_ORDNER_LISTE}" ordner_liste)
    list(POP_FRONT ordner_liste kopf)
    if(NOT kopf MATCHES "^destdir=(.*)$")
      message(FATAL_ERROR "${GLUBBER_ORDNER_LISTE} is damaged; remove the installed files by hand")
    endif()
    set(destdir "${CMAKE_MATCH_1}")
  endif()
  file(STRINGS "${GLUBBER_MANIFEST}" dateien)
  set(geblieben "")
  foreach(datei IN LISTS dateien)
    string(FIND "${datei}" "${destdir}/" stelle)
    if(NOT destdir STREQUAL "" AND NOT stelle EQUAL 0)
      set(datei "${destdir}${datei}")
    endif()
    if(EXISTS "${datei}" OR IS_SYMLINK "${datei}")
      message(STATUS "Removing: ${datei}")
      file(REMOVE "${datei}")
      if(EXISTS "${datei}" OR IS_SYMLINK "${datei}")
        list(APPEND geblieben "${datei}")
      endif()
    endif()
  endforeach()
  if(geblieben)
    list(JOIN geblieben "\n  " text)
    message(FATAL_ERROR "Could not remove:\n  ${text}")
  endif()
  # Reverse order of names puts every folder before its parent.
  list(SORT ordner_liste)
  list(REVERSE ordner_liste)
  foreach(ordner IN LISTS ordner_liste)
    if(IS_DIRECTORY "${ordner}")
      # rmdir removes a folder only when it is empty: the player's or
      # another program's files keep their folder.
      execute_process(COMMAND rmdir -- "${ordner}" RESULT_VARIABLE fehler ERROR_QUIET)
      if(fehler EQUAL 0)
        message(STATUS "Removing folder: ${ordner}")
      endif()
    endif()
  endforeach()
  file(REMOVE "${GLUBBER_ORDNER_LISTE}" "${GLUBBER_MANIFEST}")
  return()
endif()

# The menu entry names the launcher by its full path (PREFIX/games is not
# on every PATH), and the manual page names the installed folders; the
# prefix is known only now, at install time (`cmake --install --prefix`).
# file(INSTALL) stages below DESTDIR and notes the files in the manifest.
if(GLUBBER_AUFGABE STREQUAL "einsetzen")
  set(GLUBBER_PREFIX "${CMAKE_INSTALL_PREFIX}")
  set(GLUBBER_STARTER "${CMAKE_INSTALL_PREFIX}/games/glubbershoot")
  foreach(paar IN LISTS GLUBBER_VORLAGEN)
    string(REPLACE "|" ";" paar "${paar}")
    list(GET paar 0 vorlage)
    list(GET paar 1 ordner)
    file(READ "${vorlage}" text)
    string(CONFIGURE "${text}" text @ONLY)
    cmake_path(GET vorlage STEM LAST_ONLY name)
    file(WRITE "${GLUBBER_EINGESETZT}/${name}" "${text}")
    file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/${ordner}" TYPE FILE FILES "${GLUBBER_EINGESETZT}/${name}")
  endforeach()
  return()
endif()

# ------------------------------------------------------------- the icons

find_package(ZLIB)
set(GLUBBER_ICON_DIR ${CMAKE_BINARY_DIR}/icons)
set(GLUBBER_ICON_DATEIEN "")
foreach(groesse IN LISTS GLUBBER_ICON_GROESSEN)
  list(APPEND GLUBBER_ICON_DATEIEN ${GLUBBER_ICON_DIR}/glubbershoot-${groesse}.png)
endforeach()
if(ZLIB_FOUND)
  add_executable(glubbershoot-icons
    ${CMAKE_SOURCE_DIR}/tools/icons/icons_main.cpp
    ${CMAKE_SOURCE_DIR}/tools/icons/png.cpp
    ${CMAKE_SOURCE_DIR}/src/platform/spielsymbol.cpp)
  target_include_directories(glubbershoot-icons PRIVATE ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/tools/icons)
  target_link_libraries(glubbershoot-icons PRIVATE ZLIB::ZLIB)
  add_custom_command(OUTPUT ${GLUBBER_ICON_DATEIEN}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${GLUBBER_ICON_DIR}
    COMMAND glubbershoot-icons ${GLUBBER_ICON_DIR}
    DEPENDS glubbershoot-icons
    COMMENT "Drawing the desktop icons")
  add_custom_target(icons ALL DEPENDS ${GLUBBER_ICON_DATEIEN})
else()
  message(WARNING "zlib not found: the desktop icons are not made")
endif()

# ------------------------------------------------------- install rules

if(NOT TARGET glubbershoot OR NOT DEFINED GLUBBER_DATA_FILES OR NOT ZLIB_FOUND)
  message(WARNING "Without the SDL game, its data files and its icons `make install` has nothing to install")
  return()
endif()

# Every rule is in one component, so a test can install into a staging
# folder with a manifest of its own (install_manifest_glubbershoot.txt)
# and leave the manifest of a real install alone.
set(GLUBBER_KOMPONENTE glubbershoot)
install(CODE "
  set(GLUBBER_AUFGABE ordner_merken)
  if(CMAKE_INSTALL_COMPONENT)
    set(GLUBBER_ORDNER_LISTE \"${CMAKE_BINARY_DIR}/install_ordner_\${CMAKE_INSTALL_COMPONENT}.txt\")
  else()
    set(GLUBBER_ORDNER_LISTE \"${CMAKE_BINARY_DIR}/install_ordner.txt\")
  endif()
  include(\"${CMAKE_CURRENT_LIST_FILE}\")
  " COMPONENT ${GLUBBER_KOMPONENTE})

install(TARGETS glubbershoot RUNTIME DESTINATION ${GLUBBER_ORT_SPIEL} COMPONENT ${GLUBBER_KOMPONENTE})
# Only the files the generator makes: never a "Score.dat" or music that a
# test run or a player left in the build's data folder.
install(FILES ${GLUBBER_DATA_FILES} DESTINATION ${GLUBBER_ORT_DATEN} COMPONENT ${GLUBBER_KOMPONENTE})
install(PROGRAMS ${CMAKE_SOURCE_DIR}/tools/launcher/glubbershoot DESTINATION ${GLUBBER_ORT_STARTER}
  COMPONENT ${GLUBBER_KOMPONENTE})
install(CODE "
  set(GLUBBER_AUFGABE einsetzen)
  set(GLUBBER_EINGESETZT \"${CMAKE_BINARY_DIR}/eingesetzt\")
  set(GLUBBER_VERSION \"${PROJECT_VERSION}\")
  set(GLUBBER_VORLAGEN
    \"${CMAKE_SOURCE_DIR}/desktop/${GLUBBER_APP_ID}.desktop.in|${GLUBBER_ORT_EINTRAG}\"
    \"${CMAKE_SOURCE_DIR}/docs/glubbershoot.6.in|${GLUBBER_ORT_HANDBUCH}\")
  include(\"${CMAKE_CURRENT_LIST_FILE}\")
  " COMPONENT ${GLUBBER_KOMPONENTE})
install(FILES ${CMAKE_SOURCE_DIR}/desktop/${GLUBBER_APP_ID}.metainfo.xml DESTINATION ${GLUBBER_ORT_METAINFO}
  COMPONENT ${GLUBBER_KOMPONENTE})
foreach(groesse ort IN ZIP_LISTS GLUBBER_ICON_GROESSEN GLUBBER_ORT_ICONS)
  install(FILES ${GLUBBER_ICON_DIR}/glubbershoot-${groesse}.png DESTINATION ${ort}
    RENAME glubbershoot.png COMPONENT ${GLUBBER_KOMPONENTE})
endforeach()

add_custom_target(uninstall
  COMMAND ${CMAKE_COMMAND} -DGLUBBER_AUFGABE=deinstallieren
    -DGLUBBER_MANIFEST=${CMAKE_BINARY_DIR}/install_manifest.txt
    -DGLUBBER_ORDNER_LISTE=${CMAKE_BINARY_DIR}/install_ordner.txt
    -P ${CMAKE_CURRENT_LIST_FILE}
  COMMENT "Removing what `make install` put in place"
  VERBATIM)
