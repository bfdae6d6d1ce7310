# The distribution, what a user downloads: dist/Lumiroll/ with the three programs, the sample
# photographs, a readme and the third-party licence notices, and dist/Lumiroll.zip of it.
set(dist_root ${PROJECT_BINARY_DIR}/dist)
set(dist_folder ${dist_root}/Lumiroll)
set(dist_zip ${dist_root}/Lumiroll.zip)
set(dist_readme ${PROJECT_BINARY_DIR}/generated/ReadMe.txt)
configure_file(${CMAKE_CURRENT_LIST_DIR}/distribution_readme.txt ${dist_readme} @ONLY NEWLINE_STYLE CRLF)

set(dist_photos)
foreach(photo harbor meadow lantern tulips)
  list(APPEND dist_photos ${PROJECT_SOURCE_DIR}/assets/photos/${photo}.jpg)
endforeach()
# A library's licence notices: in licence/ of a root the build scripts made, or in
# share/licenses/<package>/ of a prebuilt one (MSYS2's packages put them there).
function(lumiroll_licences out root package script)
  file(GLOB found CONFIGURE_DEPENDS ${root}/licence/* ${root}/share/licenses/${package}/*)
  if(NOT found)
    message(FATAL_ERROR "No licence notice in ${root}/licence or ${root}/share/licenses/${package}: run scripts/${script}")
  endif()
  set(${out} ${found} PARENT_SCOPE)
endfunction()
lumiroll_licences(dist_licences ${LUMIROLL_JPEG_ROOT} libjpeg-turbo build-libjpeg-turbo.sh)
lumiroll_licences(lcms2_licences ${LUMIROLL_LCMS2_ROOT} lcms2 build-lcms2.sh)
list(APPEND dist_licences ${lcms2_licences})

# The download carries no debug information; the build folder's programs keep theirs.
set(dist_strip)
if(MINGW AND CMAKE_STRIP)
  set(dist_strip COMMAND ${CMAKE_STRIP} --strip-debug ${dist_folder}/Setup.exe ${dist_folder}/Uninstal.exe
                 ${dist_folder}/Lumiroll.scr)
endif()

add_custom_command(OUTPUT ${dist_zip}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${dist_folder} ${dist_zip}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${dist_folder}/licences
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:lumiroll_setup> $<TARGET_FILE:lumiroll_uninstal>
          $<TARGET_FILE:lumiroll_scr> ${dist_photos} ${dist_readme} ${dist_folder}
  ${dist_strip}
  COMMAND ${CMAKE_COMMAND} -E copy ${dist_licences} ${dist_folder}/licences
  COMMAND ${CMAKE_COMMAND} -E chdir ${dist_root} ${CMAKE_COMMAND} -E tar cf Lumiroll.zip --format=zip Lumiroll
  DEPENDS lumiroll_setup lumiroll_uninstal lumiroll_scr ${dist_photos} ${dist_readme} ${dist_licences}
  COMMENT "Making the distribution: dist/Lumiroll and dist/Lumiroll.zip"
  VERBATIM)
add_custom_target(lumiroll_distribution ALL DEPENDS ${dist_zip})
