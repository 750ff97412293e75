# The Windows programs, SkinH.dll and the Wine-side tests.
set(HORALUX_DIST_DIR ${PROJECT_SOURCE_DIR}/build/dist CACHE PATH "The shippable folder")
enable_language(RC)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")

# Static runtime: the programs need system DLLs and SkinH.dll only. Release builds are stripped.
add_link_options(-static -static-libgcc -static-libstdc++ $<$<CONFIG:Release>:-s>)
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)

add_library(afx STATIC
  afx/app.cpp
  afx/dialog.cpp
  afx/menu.cpp
  afx/text.cpp
  afx/wnd.cpp)
target_include_directories(afx PUBLIC afx)
target_link_libraries(afx PUBLIC horalux_core)
horalux_target(afx)

add_library(SkinH SHARED skinh/skinh.cpp)
set_target_properties(SkinH PROPERTIES PREFIX "" OUTPUT_NAME SkinH
  RUNTIME_OUTPUT_DIRECTORY ${HORALUX_DIST_DIR})
target_include_directories(SkinH PUBLIC skinh)
target_link_libraries(SkinH PRIVATE horalux_core)
# Undecorated __stdcall names, as every caller of the library expects.
target_link_options(SkinH PRIVATE -Wl,--kill-at)
horalux_target(SkinH)
# The import library maps the callers' decorated names to those undecorated exports.
find_program(HORALUX_DLLTOOL NAMES ${TOOLCHAIN_PREFIX}-dlltool dlltool REQUIRED)
set(SKINH_IMPLIB ${CMAKE_CURRENT_BINARY_DIR}/libSkinH_import.a)
add_custom_command(OUTPUT ${SKINH_IMPLIB}
  COMMAND ${HORALUX_DLLTOOL} -k -d ${PROJECT_SOURCE_DIR}/skinh/SkinH.def -l ${SKINH_IMPLIB}
  DEPENDS ${PROJECT_SOURCE_DIR}/skinh/SkinH.def)
add_custom_target(skinh_import DEPENDS ${SKINH_IMPLIB})
add_library(SkinHImport INTERFACE)
target_include_directories(SkinHImport INTERFACE skinh)
target_link_libraries(SkinHImport INTERFACE ${SKINH_IMPLIB})
add_dependencies(SkinHImport skinh_import SkinH)

# A program of the shipped folder: its sources, then after RESOURCES what its script includes.
function(horalux_program name)
  cmake_parse_arguments(PROGRAM "" "" "SOURCES;RESOURCES" ${ARGN})
  add_executable(${name} WIN32 ${PROGRAM_SOURCES})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${HORALUX_DIST_DIR})
  target_link_libraries(${name} PRIVATE afx SkinHImport shell32)
  horalux_target(${name})
  foreach(source ${PROGRAM_SOURCES})
    if(source MATCHES "\\.rc$")
      set_source_files_properties(${source} PROPERTIES OBJECT_DEPENDS "${PROGRAM_RESOURCES}")
    endif()
  endforeach()
endfunction()

set(HORALUX_SHARED_RESOURCES ${PROJECT_SOURCE_DIR}/res/horalux.ico ${PROJECT_SOURCE_DIR}/res/version.rc.in
  ${PROJECT_SOURCE_DIR}/res/horalux.manifest)
horalux_program(Vesper
  SOURCES vesper/vesper_app.cpp vesper/vesper_dlg.cpp vesper/shutdown.cpp vesper/reminder_dlg.cpp
          vesper/tray.cpp vesper/vesper.rc
  RESOURCES ${HORALUX_SHARED_RESOURCES})
horalux_program(clock
  SOURCES clock/clock_app.cpp clock/clock_dlg.cpp clock/clock_draw.cpp clock/clock.rc
  RESOURCES ${HORALUX_SHARED_RESOURCES} ${PROJECT_SOURCE_DIR}/clock/face.bmp)

set(HORALUX_SKINS)
foreach(skin tarn lumen)
  add_custom_command(OUTPUT ${HORALUX_DIST_DIR}/${skin}.lsf
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/skinh/${skin}.lsf ${HORALUX_DIST_DIR}/${skin}.lsf
    DEPENDS ${PROJECT_SOURCE_DIR}/skinh/${skin}.lsf)
  list(APPEND HORALUX_SKINS ${HORALUX_DIST_DIR}/${skin}.lsf)
endforeach()
add_custom_target(skins ALL DEPENDS ${HORALUX_SKINS})

# The release archive: the shipped folder and a read-me, with its SHA-256 beside it.
set(HORALUX_PACKAGE ${PROJECT_SOURCE_DIR}/build/Horalux-${PROJECT_VERSION}-win32.zip)
add_custom_command(OUTPUT ${HORALUX_PACKAGE} ${HORALUX_PACKAGE}.sha256
  COMMAND ${CMAKE_COMMAND} -DPACKAGE=${HORALUX_PACKAGE} -DDIST=${HORALUX_DIST_DIR}
          -DREADME=${PROJECT_SOURCE_DIR}/res/readme.txt -DSTAGE=${CMAKE_CURRENT_BINARY_DIR}/package
          -DNAME=Horalux-${PROJECT_VERSION} -P ${PROJECT_SOURCE_DIR}/cmake/package.cmake
  DEPENDS Vesper clock SkinH skins ${PROJECT_SOURCE_DIR}/res/readme.txt
          ${PROJECT_SOURCE_DIR}/cmake/package.cmake)
add_custom_target(package_zip ALL DEPENDS ${HORALUX_PACKAGE})

add_subdirectory(tests/e2e)
