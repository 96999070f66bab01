# What only the Windows build adds: the game as a GUI program with its icon and version, the
# simulator's binary standard streams, and the zip for players. Both programs are
# self-contained (cmake/mingw-w64.cmake links the runtimes statically). Included by
# src/host/sdl/CMakeLists.txt, where the game's targets live.
enable_language(RC)
find_program(QM_BUILD_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH REQUIRED)
find_program(QM_ZIP zip REQUIRED)

# The icon from the art generator's pictures; the version from the project's.
set(QM_ICONS "")
foreach(size 16 32 48 64 128 256)
  list(APPEND QM_ICONS ${PROJECT_SOURCE_DIR}/assets/icons/quillmere-${size}.png)
endforeach()
set(QM_ICO ${CMAKE_CURRENT_BINARY_DIR}/quillmere.ico)
add_custom_command(OUTPUT ${QM_ICO}
  COMMAND ${QM_BUILD_PYTHON} ${PROJECT_SOURCE_DIR}/tools/windows-ico.py ${QM_ICO} ${QM_ICONS}
  DEPENDS ${QM_ICONS} ${PROJECT_SOURCE_DIR}/tools/windows-ico.py
  COMMENT "Packing the Windows icon" VERBATIM)
set(QM_RC_VERSION ${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},0,0)
if(PROJECT_VERSION_PATCH)
  set(QM_RC_VERSION ${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},0)
endif()
configure_file(${PROJECT_SOURCE_DIR}/data/windows/quillmere.rc.in quillmere.rc @ONLY)
set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/quillmere.rc PROPERTIES
  OBJECT_DEPENDS ${QM_ICO})
target_sources(quillmere PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/quillmere.rc)
# A GUI program with the game's own main: SDL would rename it for a WinMain of its own.
set_target_properties(quillmere PROPERTIES WIN32_EXECUTABLE ON)
target_compile_definitions(quillmere PRIVATE SDL_MAIN_HANDLED)

target_sources(quillmere-sim PRIVATE ${PROJECT_SOURCE_DIR}/src/app/sim_stdio.windows.cpp)

# quillmere-VERSION-windows-x64.zip: both programs stripped, a README, the game's licence and
# those of what is linked in, all in one folder; text files with Windows line ends.
set(QM_ZIP_NAME quillmere-${PROJECT_VERSION}-windows-x64)
set(QM_STAGE ${PROJECT_BINARY_DIR}/zip/${QM_ZIP_NAME})
configure_file(${PROJECT_SOURCE_DIR}/data/windows/README.txt.in ${QM_STAGE}/README.txt @ONLY)
set(QM_LICENCES
  ${QM_WINDOWS_PREFIX}/share/licenses/SDL2/LICENSE.txt SDL2.txt
  /usr/share/doc/fonts-dejavu-core/copyright DejaVu-fonts.txt
  /usr/share/doc/mingw-w64-x86-64-dev/copyright mingw-w64-runtime.txt)
set(QM_COPY_LICENCES "")
while(QM_LICENCES)
  list(POP_FRONT QM_LICENCES from to)
  list(APPEND QM_COPY_LICENCES COMMAND ${CMAKE_COMMAND} -E copy ${from} ${QM_STAGE}/licences/${to})
endwhile()
set(QM_ZIP_FILE ${PROJECT_BINARY_DIR}/${QM_ZIP_NAME}.zip)
add_custom_command(OUTPUT ${QM_ZIP_FILE}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${QM_STAGE}/licences ${QM_ZIP_FILE}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${QM_STAGE}/licences
  COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/LICENSE ${QM_STAGE}/LICENSE.txt
  ${QM_COPY_LICENCES}
  COMMAND ${CMAKE_STRIP} -o ${QM_STAGE}/quillmere.exe $<TARGET_FILE:quillmere>
  COMMAND ${CMAKE_STRIP} -o ${QM_STAGE}/quillmere-sim.exe $<TARGET_FILE:quillmere-sim>
  COMMAND ${QM_ZIP} -q -X -r ${QM_ZIP_FILE} ${QM_ZIP_NAME} -x "*.txt"
  COMMAND ${QM_ZIP} -q -X -r -l ${QM_ZIP_FILE} ${QM_ZIP_NAME} -i "*.txt"
  WORKING_DIRECTORY ${PROJECT_BINARY_DIR}/zip
  DEPENDS quillmere quillmere-sim ${QM_STAGE}/README.txt ${PROJECT_SOURCE_DIR}/LICENSE
  COMMENT "Packing ${QM_ZIP_NAME}.zip" VERBATIM)
add_custom_target(windows-zip ALL DEPENDS ${QM_ZIP_FILE})
