# The program folder as a portable zip and as an installer; run cpack in a Windows build folder.
# Both hold exactly what cmake --install lays out. The zip's one top folder is named like the zip.
# The installer runs as the program does: a 64-bit installer for the 64-bit build, so that it
# runs where no 32-bit code does.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(orvella_platform win64)
  set(CPACK_NSIS_ORVELLA_TARGET amd64-unicode)
else()
  set(orvella_platform win32)
  set(CPACK_NSIS_ORVELLA_TARGET x86-unicode)
endif()

set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_PACKAGE_NAME Orvella)
set(CPACK_PACKAGE_VENDOR Orvella)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Designer of panel bars for web pages")
set(CPACK_PACKAGE_FILE_NAME Orvella-${PROJECT_VERSION}-${orvella_platform})
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/package)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Orvella)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Orvella)
# No strip here: the exe is stripped when linked (app/CMakeLists.txt).
set(CPACK_STRIP_FILES OFF)

# Our own installer script (cmake/NSIS.template.in): it installs for the current user, because
# Preview writes into the program folder, which a folder under Program Files would not allow.
set(CPACK_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR})
set(CPACK_NSIS_PACKAGE_NAME Orvella)
set(CPACK_NSIS_DISPLAY_NAME "Orvella ${PROJECT_VERSION}")
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/app/Orvella.ico)
set(CPACK_NSIS_COMPRESSOR "/SOLID lzma")

include(CPack)
