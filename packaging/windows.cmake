# What goes into the Windows zip (scripts/build-windows.sh packs it): one
# folder that runs from wherever it is unpacked, with the program, GLUT's
# DLL, the marble beside the program, and the README and licences as text
# files with Windows line ends.

install(TARGETS marblechess RUNTIME DESTINATION .)
install(FILES data/marmor.bmp DESTINATION .)

# GLUT's DLL lies in the bin/ folder beside the lib/ of its import library,
# its licence where the Windows build script put it.
get_filename_component(glut_prefix ${GLUT_glut_LIBRARY} DIRECTORY)
get_filename_component(glut_prefix ${glut_prefix} DIRECTORY)
file(GLOB glut_dlls ${glut_prefix}/bin/*.dll)
if(NOT glut_dlls)
  message(FATAL_ERROR "No GLUT DLL in ${glut_prefix}/bin to ship with the program")
endif()
install(FILES ${glut_dlls} DESTINATION .)

function(install_windows_text source name)
  file(READ ${source} text)
  string(REPLACE "\n" "\r\n" text "${text}")
  file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/windows/${name} "${text}")
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/windows/${name} DESTINATION .)
endfunction()
install_windows_text(${PROJECT_SOURCE_DIR}/README.md README.txt)
install_windows_text(${PROJECT_SOURCE_DIR}/LICENSE LICENSE.txt)
if(EXISTS ${glut_prefix}/share/doc/freeglut/COPYING)
  install_windows_text(${glut_prefix}/share/doc/freeglut/COPYING freeglut-LICENSE.txt)
endif()
