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
file(GLOB dist_licences CONFIGURE_DEPENDS ${LUMIROLL_JPEG_ROOT}/licence/*)
if(NOT dist_licences)
  message(FATAL_ERROR "No licence notices in ${LUMIROLL_JPEG_ROOT}/licence: run scripts/build-libjpeg-turbo.sh")
endif()
file(GLOB lcms2_licences CONFIGURE_DEPENDS ${LUMIROLL_LCMS2_ROOT}/licence/*)
if(NOT lcms2_licences)
  message(FATAL_ERROR "No licence notice in ${LUMIROLL_LCMS2_ROOT}/licence: run scripts/build-lcms2.sh")
endif()
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
