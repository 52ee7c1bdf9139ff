# What `cmake --install` lays out under its prefix:
#   component "game":   bin/cinderwatch, share/cinderwatch/ (GameData and the
#                       font), a desktop entry and an icon (on Windows, the
#                       one folder of cmake/Windows.cmake);
#   component "engine": the zp static library, its public headers, the
#                       CMake package files, so find_package(zp) gives zp::zp,
#                       and a pkg-config file (zp.pc) for builds without CMake.
include(CMakePackageConfigHelpers)

if(NOT WIN32)
  set(CINDERWATCH_SHARE_DIR ${CMAKE_INSTALL_DATADIR}/cinderwatch)

  install(TARGETS cinderwatch RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT game)
  install(DIRECTORY ${CMAKE_SOURCE_DIR}/GameData/ DESTINATION ${CINDERWATCH_SHARE_DIR}/GameData COMPONENT game)
  # The font stays the system's: the installed one links to it.
  set(ZP_FONT_LINK ${CMAKE_BINARY_DIR}/font-link/zp-font.ttf)
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/font-link)
  file(CREATE_LINK ${ZP_FONT_SOURCE} ${ZP_FONT_LINK} SYMBOLIC)
  install(FILES ${ZP_FONT_LINK} DESTINATION ${CINDERWATCH_SHARE_DIR} COMPONENT game)
  install(FILES ${CMAKE_SOURCE_DIR}/packaging/cinderwatch.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT game)
  install(FILES ${CMAKE_SOURCE_DIR}/packaging/cinderwatch.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps COMPONENT game)
endif()
# (On Windows the game is one folder of its own: cmake/Windows.cmake.)

install(TARGETS zp EXPORT zpTargets ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT engine)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/engine/include/zp DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT engine)
set(ZP_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/zp)
install(EXPORT zpTargets NAMESPACE zp:: DESTINATION ${ZP_CMAKE_DIR} COMPONENT engine)
configure_package_config_file(${CMAKE_SOURCE_DIR}/cmake/zpConfig.cmake.in
  ${CMAKE_BINARY_DIR}/zpConfig.cmake INSTALL_DESTINATION ${ZP_CMAKE_DIR})
write_basic_package_version_file(${CMAKE_BINARY_DIR}/zpConfigVersion.cmake
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMinorVersion)
install(FILES ${CMAKE_BINARY_DIR}/zpConfig.cmake ${CMAKE_BINARY_DIR}/zpConfigVersion.cmake
  DESTINATION ${ZP_CMAKE_DIR} COMPONENT engine)

# pkg-config: the prefix is found from the file's own folder, lib/pkgconfig.
set(ZP_PC_DIR ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
file(RELATIVE_PATH ZP_PC_PREFIX_FROM_PC_DIR /prefix/${ZP_PC_DIR} /prefix)
string(REGEX REPLACE "/$" "" ZP_PC_PREFIX_FROM_PC_DIR "${ZP_PC_PREFIX_FROM_PC_DIR}")
# An instrumented library needs the sanitizer runtime in every program that links it.
set(ZP_PC_EXTRA_LIBS "")
if(ZP_SANITIZE)
  set(ZP_PC_EXTRA_LIBS "-fsanitize=address,undefined")
endif()
# The engine asks the X server about the display itself and shows parts of
# a frame through GLX (not on Windows).
set(ZP_PC_REQUIRES "sfml-graphics sfml-window sfml-audio sfml-system")
if(NOT WIN32)
  string(APPEND ZP_PC_REQUIRES " x11 gl")
endif()
configure_file(${CMAKE_SOURCE_DIR}/cmake/zp.pc.in ${CMAKE_BINARY_DIR}/zp.pc @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/zp.pc DESTINATION ${ZP_PC_DIR} COMPONENT engine)
