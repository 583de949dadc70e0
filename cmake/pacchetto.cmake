# What `cmake --install` puts on a machine, and the Debian package made of it with
# CPack (scripts/package). Only the program goes in (the simulated board of
# --demo is linked into it); tests, benchmarks and simulators stay in the build.
include(GNUInstallDirs)

install(TARGETS hopa RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/packaging/hopa.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/hopa.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
  # lib/, not the multiarch library folder: udev reads <prefix>/lib/udev/rules.d.
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/70-hopa-scheda.rules DESTINATION lib/udev/rules.d)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME hopa)
set(CPACK_PACKAGE_VENDOR "Hopa")
set(CPACK_PACKAGE_CONTACT "Hopa maintainers <maintainers@hopa.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "vertical-jump tests on a contact mat (Italian interface)")
set(CPACK_PACKAGE_DESCRIPTION "Hopa reads the mat's control board over USB HID or a serial port and turns \
every ground contact and flight into a jump: height, push-off distance and power, shown at once in a list \
and a graph. It keeps a register of teams and athletes, saves tests as workbooks and computes means and \
fatigue decrements.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
# The libraries it links (Qt 6, hidapi, libudev, libzip, libdeflate, pugixml, libfreexl)
# come from dpkg-shlibdeps; what Qt loads at run time is named here: the X11
# platform plugin and Qt's own Italian texts (file dialog, standard buttons).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/packaging/postinst)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
set(CPACK_STRIP_FILES TRUE)
include(CPack)
