# When cross-building, the build machine's GoogleTest libraries cannot be linked; Debian's
# googletest package ships the sources, built here with the cross compiler under the same names
# that find_package(GTest) gives.
set(QUORLIN_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources for cross builds")
if(NOT EXISTS ${QUORLIN_GOOGLETEST_SOURCE}/CMakeLists.txt)
    message(FATAL_ERROR "Cross-built tests need GoogleTest's sources (Debian: apt-get install googletest)")
endif()
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${QUORLIN_GOOGLETEST_SOURCE} ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
if(NOT TARGET GTest::gtest)
    add_library(GTest::gtest ALIAS gtest)
    add_library(GTest::gtest_main ALIAS gtest_main)
endif()
