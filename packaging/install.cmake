# What `cmake --install` and the Debian package put where (on Windows, the
# zip: windows.cmake). Every destination is relative, so any --prefix works,
# and CPack stages the same tree.

set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(packaging ${PROJECT_SOURCE_DIR}/packaging)
if(WIN32)
  include(${packaging}/windows.cmake)
  return()
endif()

install(TARGETS marblechess RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES data/marmor.bmp DESTINATION ${CMAKE_INSTALL_DATADIR}/marblechess)
install(FILES ${packaging}/org.example.marblechess.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${packaging}/org.example.marblechess.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 16 32 48 64 128 256)
  install(FILES ${packaging}/icons/${size}x${size}/marblechess.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# The manual page and the changelog go compressed; -n keeps the name and time
# out of the gzip header, so the package is the same on every build.
foreach(doc marblechess.1 changelog)
  add_custom_command(OUTPUT ${doc}.gz
    COMMAND sh -c "gzip -9n -c '${packaging}/${doc}' > '${doc}.gz'"
    DEPENDS ${packaging}/${doc} VERBATIM)
endforeach()
add_custom_target(compressed_docs ALL DEPENDS marblechess.1.gz changelog.gz)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/marblechess.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${packaging}/copyright ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

# cpack -G DEB makes marblechess_<version>_<arch>.deb, its dependencies
# taken from the libraries the program links by dpkg-shlibdeps.
set(CPACK_PACKAGE_NAME marblechess)
set(CPACK_PACKAGE_VENDOR "the marblechess developers")
set(CPACK_PACKAGE_CONTACT "marblechess developers <maintainers@marblechess.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "marble chessboard viewer with a movable spotlight")
set(CPACK_PACKAGE_DESCRIPTION_FILE ${packaging}/description.txt)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS ${CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${PROJECT_HOMEPAGE_URL})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
