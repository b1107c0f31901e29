# Run by CPack on the staged tree before it makes the Debian package (CPACK_PRE_BUILD_SCRIPTS):
# Debian keeps games in /usr/games, so the package links /usr/games/vexil_cube to the program,
# which stays in /usr/bin where the menu entry and the README find it.
file(GLOB staged_program "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr/bin/vexil_cube")
if(NOT staged_program)
  message(FATAL_ERROR "games_link: no usr/bin/vexil_cube under ${CPACK_TEMPORARY_INSTALL_DIRECTORY}")
endif()
file(MAKE_DIRECTORY "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr/games")
file(CREATE_LINK ../bin/vexil_cube "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr/games/vexil_cube"
     SYMBOLIC)
