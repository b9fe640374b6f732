# The Windows x64 build (cross-compiled with mingw-w64, cmake/mingw-w64.cmake):
# the module as a PE DLL carrying its property lists as resources, and the
# host and tool with what the cross root offers.

# mingw's own standard printf family instead of msvcrt's, so that numbers
# print as on the other platforms.
add_compile_definitions(__USE_MINGW_ANSI_STDIO=1 WIN32_LEAN_AND_MEAN NOMINMAX)
# The compiler's runtime (libgcc, libstdc++, winpthread) is linked in: the
# files need no DLL that a Windows machine lacks. The module exists before
# this file is read, so it is told on its own.
# Symbols are stripped from the shipped files.
add_link_options(-static -s)
target_link_options(VlamModule PRIVATE -static -s)

# --- The module's resources ---------------------------------------------------
# A small program built for the build machine from the module's own property
# list sources writes the six property lists and the resource script.
find_program(VLAM_NATIVE_CXX NAMES c++ g++ REQUIRED)
set(VLAM_PIPL_RC_SOURCES
  ${CMAKE_SOURCE_DIR}/windows/pipl_rc.cpp
  ${CMAKE_SOURCE_DIR}/frame/pipl_resources.cpp
  ${CMAKE_SOURCE_DIR}/frame/pipl_writer.cpp)
file(GLOB VLAM_PIPL_RC_HEADERS CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/frame/*.h ${CMAKE_SOURCE_DIR}/sdk/*.h ${CMAKE_SOURCE_DIR}/PF_ModuleResources.h)
set(VLAM_PIPL_RC ${CMAKE_BINARY_DIR}/native/pipl_rc)
set(VLAM_RESOURCE_DIR ${CMAKE_BINARY_DIR}/resources)
add_custom_command(OUTPUT ${VLAM_PIPL_RC}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/native
  COMMAND ${VLAM_NATIVE_CXX} -std=c++20 -O1 -Wall -Wextra -Werror
          -I${CMAKE_SOURCE_DIR}/sdk -I${CMAKE_SOURCE_DIR} ${VLAM_PIPL_RC_SOURCES} -o ${VLAM_PIPL_RC}
  DEPENDS ${VLAM_PIPL_RC_SOURCES} ${VLAM_PIPL_RC_HEADERS}
  COMMENT "Building the property-list generator for the build machine"
  VERBATIM)
set(VLAM_RESOURCE_FILES ${VLAM_RESOURCE_DIR}/Vlam.rc)
foreach(id RANGE 16000 16005)
  list(APPEND VLAM_RESOURCE_FILES ${VLAM_RESOURCE_DIR}/pipl_${id}.bin)
endforeach()
add_custom_command(OUTPUT ${VLAM_RESOURCE_FILES}
  COMMAND ${VLAM_PIPL_RC} ${VLAM_RESOURCE_DIR}
  DEPENDS ${VLAM_PIPL_RC}
  COMMENT "Writing the module's property lists and resource script"
  VERBATIM)
target_sources(VlamModule PRIVATE ${VLAM_RESOURCE_DIR}/Vlam.rc)
set_source_files_properties(${VLAM_RESOURCE_FILES} PROPERTIES GENERATED TRUE)
# The resource script names the .bin files; rebuild it when they change.
set_source_files_properties(${VLAM_RESOURCE_DIR}/Vlam.rc PROPERTIES OBJECT_DEPENDS "${VLAM_RESOURCE_FILES}")

# --- Libraries of the host and tool -------------------------------------------
find_package(Threads REQUIRED)
# zlib's static library, so that vlam.exe needs no zlib1.dll.
set(ZLIB_USE_STATIC_LIBS ON)
find_package(ZLIB REQUIRED)
# nlohmann-json and CLI11 are header-only: their headers are taken from the
# build machine through a folder holding just them, so that no other header
# of the build machine reaches the cross compiler.
set(VLAM_HEADER_ONLY_DIR ${CMAKE_BINARY_DIR}/header-only)
foreach(pair "nlohmann_json;nlohmann/json.hpp;nlohmann" "CLI11;CLI/CLI.hpp;CLI")
  list(GET pair 0 package)
  list(GET pair 1 header)
  list(GET pair 2 folder)
  find_path(VLAM_${package}_ROOT ${header} PATHS /usr/include NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
  file(MAKE_DIRECTORY ${VLAM_HEADER_ONLY_DIR})
  file(CREATE_LINK ${VLAM_${package}_ROOT}/${folder} ${VLAM_HEADER_ONLY_DIR}/${folder} SYMBOLIC)
endforeach()
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
set_target_properties(nlohmann_json::nlohmann_json PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${VLAM_HEADER_ONLY_DIR})
add_library(CLI11::CLI11 INTERFACE IMPORTED)
set_target_properties(CLI11::CLI11 PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${VLAM_HEADER_ONLY_DIR})
