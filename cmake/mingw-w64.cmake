# Cross-compiling for Windows x64 with Debian's mingw-w64 (posix thread model,
# so that std::thread and std::mutex are available).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VLAM_MINGW_TRIPLE x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${VLAM_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VLAM_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${VLAM_MINGW_TRIPLE}-windres)

# Libraries and headers come from the cross root only; programs (the native
# property-list generator's compiler) from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${VLAM_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
