# Windows: the DLLs the programs need are copied beside them in the build
# folder, so that they start from there (under Wine too). The game's install
# component lays out the one folder a Windows player gets:
#   cinderwatch.exe, its DLLs, GameData/, zp-font.ttf with its licence,
#   README.txt, and licences/ (the libraries' licences);
# the target `windows_zip` makes the release zip of that folder.

# SFML's and OpenAL Soft's DLLs, built by scripts/windows.sh.
file(GLOB ZP_WINDOWS_DLLS ${ZP_WINDOWS_DEPS}/bin/*.dll)
if(NOT ZP_WINDOWS_DLLS)
  message(FATAL_ERROR "No DLLs in ZP_WINDOWS_DEPS (${ZP_WINDOWS_DEPS}/bin): build the dependencies with scripts/windows.sh")
endif()
# The compiler's runtime: C++ library, GCC's support library and POSIX threads.
foreach(runtime libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${runtime}
    OUTPUT_VARIABLE runtime_path OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${runtime_path}" OR NOT EXISTS "${runtime_path}")
    message(FATAL_ERROR "The compiler does not know where ${runtime} is")
  endif()
  get_filename_component(runtime_path ${runtime_path} REALPATH)
  list(APPEND ZP_WINDOWS_DLLS ${runtime_path})
endforeach()
file(COPY ${ZP_WINDOWS_DLLS} DESTINATION ${CMAKE_BINARY_DIR})

# Windows has no system font to lean on: the font travels with the game,
# with its licence.
set(ZP_FONT_LICENCE /usr/share/doc/fonts-dejavu-core/copyright CACHE FILEPATH "Licence text of ZP_FONT_SOURCE")

set(CINDERWATCH_WINDOWS_FOLDER Cinderwatch-${PROJECT_VERSION})
install(TARGETS cinderwatch RUNTIME DESTINATION . COMPONENT game)
install(FILES ${ZP_WINDOWS_DLLS} DESTINATION . COMPONENT game)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/GameData/ DESTINATION GameData COMPONENT game)
install(FILES ${ZP_FONT_SOURCE} DESTINATION . RENAME zp-font.ttf COMPONENT game)
install(FILES ${ZP_FONT_LICENCE} DESTINATION . RENAME zp-font-licence.txt COMPONENT game)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/windows/README.txt DESTINATION . COMPONENT game)
# The licences of the libraries in the DLLs (scripts/windows.sh keeps them).
install(DIRECTORY ${ZP_WINDOWS_DEPS}/share/licences/ DESTINATION licences COMPONENT game)

# build-windows/Cinderwatch-<version>-windows-x64.zip, holding the folder
# Cinderwatch-<version>/.
set(CINDERWATCH_WINDOWS_ZIP ${CMAKE_BINARY_DIR}/${CINDERWATCH_WINDOWS_FOLDER}-windows-x64.zip)
set(ZP_ZIP_STAGING ${CMAKE_BINARY_DIR}/zip-staging)
add_custom_target(windows_zip
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${ZP_ZIP_STAGING} ${CINDERWATCH_WINDOWS_ZIP}
  COMMAND ${CMAKE_COMMAND} --install ${CMAKE_BINARY_DIR} --component game --strip
    --prefix ${ZP_ZIP_STAGING}/${CINDERWATCH_WINDOWS_FOLDER}
  COMMAND ${CMAKE_COMMAND} -E chdir ${ZP_ZIP_STAGING}
    ${CMAKE_COMMAND} -E tar cf ${CINDERWATCH_WINDOWS_ZIP} --format=zip ${CINDERWATCH_WINDOWS_FOLDER}
  DEPENDS cinderwatch
  COMMENT "Making ${CINDERWATCH_WINDOWS_ZIP}"
  VERBATIM)
