# What `cmake --install` puts under the prefix (the layout is described in
# OrvessaLayout.cmake), the desktop's files, and the Debian package.

target_include_directories(orvessa_core PUBLIC ${ORVESSA_GENERATED_DIR})

install(TARGETS orvessa RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# Every plugin the program loads goes into its private plugin folder.
install(TARGETS orvessa_browser orvessa_decoders ${ORVESSA_LANDMARK_PLUGINS} LIBRARY DESTINATION ${ORVESSA_INSTALL_PLUGINDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/lng ${PROJECT_SOURCE_DIR}/data/pic ${PROJECT_SOURCE_DIR}/data/res
  ${PROJECT_SOURCE_DIR}/data/help DESTINATION ${ORVESSA_INSTALL_DATADIR})

# The desktop entry and the AppStream metainfo, which takes the version.
set(ORVESSA_DESKTOP_ENTRY ${PROJECT_SOURCE_DIR}/desktop/${ORVESSA_APP_ID}.desktop)
set(ORVESSA_METAINFO ${CMAKE_BINARY_DIR}/desktop/${ORVESSA_APP_ID}.metainfo.xml)
configure_file(${PROJECT_SOURCE_DIR}/desktop/${ORVESSA_APP_ID}.metainfo.xml.in ${ORVESSA_METAINFO} @ONLY)
install(FILES ${ORVESSA_DESKTOP_ENTRY} DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${ORVESSA_METAINFO} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The icon in the hicolor theme: the SVG as it is, and PNG files drawn from
# it at build time.
set(ORVESSA_ICON_SVG ${PROJECT_SOURCE_DIR}/src/app/icons/orvessa.svg)
set(ORVESSA_ICON_DIR ${CMAKE_BINARY_DIR}/desktop/icons)
add_executable(orvessa_icons ${PROJECT_SOURCE_DIR}/tools/icons/main.cpp)
target_link_libraries(orvessa_icons PRIVATE Qt6::Gui Qt6::Svg)
set_target_properties(orvessa_icons PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/desktop)
set(ORVESSA_ICON_PNGS)
foreach(size 16 32 48 64 128 256)
  set(png ${ORVESSA_ICON_DIR}/hicolor/${size}x${size}/apps/${ORVESSA_APP_ID}.png)
  add_custom_command(OUTPUT ${png}
    COMMAND orvessa_icons ${png} ${ORVESSA_ICON_SVG} ${size}
    DEPENDS orvessa_icons ${ORVESSA_ICON_SVG}
    COMMENT "Drawing the ${size} pixel icon" VERBATIM)
  list(APPEND ORVESSA_ICON_PNGS ${png})
endforeach()
add_custom_target(orvessa_desktop_icons ALL DEPENDS ${ORVESSA_ICON_PNGS})
install(DIRECTORY ${ORVESSA_ICON_DIR}/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES ${ORVESSA_ICON_SVG} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
  RENAME ${ORVESSA_APP_ID}.svg)

# cpack -G DEB: the libraries' packages are found by dpkg-shlibdeps; the data
# the program needs at run time is named here: libwmf's fonts, the web
# engine's resources and helper process, and Qt's translations.
set(CPACK_PACKAGE_NAME orvessa)
set(CPACK_PACKAGE_VENDOR Tallowmere)
set(CPACK_PACKAGE_CONTACT "Tallowmere <orvessa@tallowmere.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Rates the proportions of a face on a photo")
set(CPACK_PACKAGE_DESCRIPTION "Open a frontal portrait, lay eleven guide lines over distances of the face and get the beauty index: four face ratios compared with the golden ratio, shown as a report page.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "fonts-urw-base35, libdlib-data, libqt6webengine6-data, libqt6webenginecore6-bin, qt6-translations-l10n, fonts-dejavu-core | fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://www.tallowmere.example/)
include(CPack)
