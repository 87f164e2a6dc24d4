# Debian packages, one per install component (`cpack -G DEB` in a build folder):
#   libqxinspectorcore0          Core         libQXInspectorCore.so.0
#   libqxinspectordata0          Data         libQXInspectorData.so.0
#   libqxinspector-dev           Development  headers, the .so links and the CMake package
#   qxinspector-designer-plugin  Designer     the Qt Designer plugin, in Qt's plugin folder
#   qx-inspect                   Attach       bin/qx-inspect and the probe library it preloads
# dpkg-shlibdeps derives each package's dependencies on Debian's Qt 6 packages from the libraries it links;
# the dependencies between our own packages are named here, at the exact version, since the 0.x series
# makes no ABI promise.
set(CPACK_PACKAGE_NAME qxinspector)
set(CPACK_PACKAGE_VENDOR "QX Inspector developers")
set(CPACK_PACKAGE_CONTACT "QX Inspector developers <qxinspector@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Qt 6 run-time property inspector widgets")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL Core Data Development)
if(TARGET QXInspectorDesign)
  list(APPEND CPACK_COMPONENTS_ALL Designer)
endif()
if(TARGET qx-inspect)
  list(APPEND CPACK_COMPONENTS_ALL Attach)
endif()
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Our own libraries are not installed while their dependents are packaged: dpkg-shlibdeps finds them in
# the build tree, and the Depends below name their packages.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_BINARY_DIR}/src)

set(qx_core_package libqxinspectorcore${PROJECT_VERSION_MAJOR})
set(qx_data_package libqxinspectordata${PROJECT_VERSION_MAJOR})
set(qx_exact "(= ${PROJECT_VERSION})")

set(CPACK_DEBIAN_CORE_PACKAGE_NAME ${qx_core_package})
set(CPACK_DEBIAN_CORE_PACKAGE_SECTION libs)
# The runtime packages carry shlibs files, so that packages built against them get their dependency too.
set(CPACK_DEBIAN_CORE_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_COMPONENT_CORE_DESCRIPTION
    "QX Inspector: the item list editor, the object inspector, its presets and editor dialogs")

set(CPACK_DEBIAN_DATA_PACKAGE_NAME ${qx_data_package})
set(CPACK_DEBIAN_DATA_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_DATA_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_DATA_PACKAGE_DEPENDS "${qx_core_package} ${qx_exact}")
set(CPACK_DEBIAN_DATA_PACKAGE_RECOMMENDS libqt6sql6-sqlite)
set(CPACK_COMPONENT_DATA_DESCRIPTION "QX Inspector: datasets over Qt SQL and the data-aware inspector")

set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME libqxinspector-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS
    "${qx_core_package} ${qx_exact}, ${qx_data_package} ${qx_exact}, qt6-base-dev (>= 6.4)")
set(CPACK_COMPONENT_DEVELOPMENT_DESCRIPTION
    "QX Inspector: headers and the CMake package (find_package(QXInspector))")

set(CPACK_DEBIAN_DESIGNER_PACKAGE_NAME qxinspector-designer-plugin)
set(CPACK_DEBIAN_DESIGNER_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_DESIGNER_PACKAGE_DEPENDS "${qx_core_package} ${qx_exact}, ${qx_data_package} ${qx_exact}")
set(CPACK_DEBIAN_DESIGNER_PACKAGE_ENHANCES designer-qt6)
set(CPACK_COMPONENT_DESIGNER_DESCRIPTION "QX Inspector: the Qt Designer plugin with the inspector widgets")

set(CPACK_DEBIAN_ATTACH_PACKAGE_NAME qx-inspect)
set(CPACK_DEBIAN_ATTACH_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_ATTACH_PACKAGE_DEPENDS "${qx_core_package} ${qx_exact}")
set(CPACK_COMPONENT_ATTACH_DESCRIPTION
    "QX Inspector: qx-inspect, which opens an object inspector inside a running Qt Widgets program")

include(CPack)
