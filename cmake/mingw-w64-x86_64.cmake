# Cross build for 64-bit Windows with Debian's mingw-w64 compilers.
#
# The posix-threads flavour is named explicitly: the unsuffixed driver is an alternative that may
# point at the win32-threads flavour, whose library lacks std::thread and std::mutex.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QUORLIN_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${QUORLIN_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUORLIN_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${QUORLIN_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QUORLIN_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The compiler's runtime (libgcc, libstdc++ and winpthread) goes into every binary, so the DLL and
# the test programs need nothing beside them but system DLLs. With only -static-libgcc and
# -static-libstdc++ they would still import libwinpthread-1.dll.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static")

# Lets CTest and gtest_discover_tests run the .exe test programs under Wine, in a Wine prefix of
# the build folder's own.
find_program(QUORLIN_WINE wine)
if(QUORLIN_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR
        ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh ${CMAKE_BINARY_DIR}/wine-prefix)
endif()
