# The Win32 side: the platform layer, the three programs, their resources.
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0A00 WINVER=0x0A00)
if(MINGW)
  # One self-contained file per program: Wine finds no MinGW runtime DLLs otherwise.
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()

lumiroll_sources_of(platform_sources platform/win32)
add_library(lumiroll_platform STATIC ${platform_sources})
target_link_libraries(lumiroll_platform PUBLIC lumiroll_platform_core
  windowscodecs ole32 oleaut32 uuid gdi32 user32 comctl32 comdlg32 shell32 shlwapi advapi32 winmm msimg32 version)
lumiroll_product_code(lumiroll_platform)

# The settings store in the registry, which all three programs use.
lumiroll_sources_of(settings_store_sources settings/win32)
add_library(lumiroll_settings_store STATIC ${settings_store_sources})
target_link_libraries(lumiroll_settings_store PUBLIC lumiroll_settings lumiroll_platform)
lumiroll_product_code(lumiroll_settings_store)

# A Windows program from the .cpp files of a win32/ folder and one .rc file.
function(lumiroll_program target output_name suffix)
  cmake_parse_arguments(ARG "" "RC" "SOURCE_DIRS;USES" ${ARGN})
  lumiroll_sources_of(sources ${ARG_SOURCE_DIRS})
  add_executable(${target} WIN32 ${sources} ${ARG_RC})
  lumiroll_product_code(${target})
  set_target_properties(${target} PROPERTIES OUTPUT_NAME ${output_name} SUFFIX ${suffix})
  get_filename_component(rc_dir ${ARG_RC} DIRECTORY)
  # windres does not search the .rc file's own folder for icons and manifests.
  target_include_directories(${target} PRIVATE ${rc_dir} ${PROJECT_SOURCE_DIR}/assets
    ${PROJECT_SOURCE_DIR}/platform/win32 ${PROJECT_BINARY_DIR}/generated)
  target_link_libraries(${target} PRIVATE ${ARG_USES} lumiroll_settings_store lumiroll_platform)
  if(MINGW)
    target_link_options(${target} PRIVATE -municode)  # wWinMain
  endif()
endfunction()

lumiroll_program(lumiroll_scr Lumiroll .scr
  SOURCE_DIRS saver/win32 saver/config/win32 USES lumiroll_saver_core RC saver/win32/lumiroll.rc)
lumiroll_program(lumiroll_setup Setup .exe
  SOURCE_DIRS setup/win32 USES lumiroll_setup_core RC setup/win32/setup.rc)
lumiroll_program(lumiroll_uninstal Uninstal .exe
  SOURCE_DIRS uninstal/win32 USES lumiroll_uninstal_core RC uninstal/win32/uninstal.rc)

if(EXISTS ${PROJECT_SOURCE_DIR}/bench/CMakeLists.txt)
  add_subdirectory(bench)
endif()

include(cmake/distribution.cmake OPTIONAL)
