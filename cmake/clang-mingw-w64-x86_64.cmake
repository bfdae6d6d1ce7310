# Cross-compiles for 64-bit Windows with clang and MinGW-w64's headers and libraries: a second
# compiler's reading of the code (its warnings, its stricter standard checks). Same targets and
# flags as the GCC build; tests run through Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER clang-14)
set(CMAKE_CXX_COMPILER clang++-14)
set(CMAKE_C_COMPILER_TARGET ${triple})
set(CMAKE_CXX_COMPILER_TARGET ${triple})
set(CMAKE_RC_COMPILER ${triple}-windres)
set(CMAKE_SYSROOT /usr/${triple})
set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# clang does not recognise the version folder of Debian's posix-threads MinGW GCC ("12-posix"),
# so its C++ library, libgcc and winpthreads are named here; lld links them in any order.
file(GLOB gcc_dirs /usr/lib/gcc/${triple}/*-posix)
if(NOT gcc_dirs)
  message(FATAL_ERROR "no posix-threads MinGW-w64 GCC under /usr/lib/gcc/${triple}")
endif()
list(SORT gcc_dirs COMPARE NATURAL ORDER DESCENDING)
list(GET gcc_dirs 0 gcc_dir)
set(CMAKE_CXX_FLAGS_INIT "-isystem ${gcc_dir}/include/c++ -isystem ${gcc_dir}/include/c++/${triple} -isystem ${gcc_dir}/include/c++/backward")
foreach(kind EXE SHARED MODULE)
  set(CMAKE_${kind}_LINKER_FLAGS_INIT "-fuse-ld=lld -L${gcc_dir} -lpthread")
endforeach()

find_program(WINE_PROGRAM NAMES wine wine64)
set(CMAKE_CROSSCOMPILING_EMULATOR ${WINE_PROGRAM})
