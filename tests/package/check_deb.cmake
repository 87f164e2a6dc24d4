# Builds the Debian packages of the build tree with CPack, unpacks them into a scratch root with dpkg -x,
# then builds and runs the consumer project against the unpacked package (find_package(QXInspector)) and
# loads the unpacked Designer plugin from Qt's plugin folder below the root.
# -DBUILD=<build tree> -DSOURCE=<consumer project> -DWORK=<scratch folder> -DLOADER=<plugin loader>
# [-DDESIGNER=ON when the plugin is built] [-DATTACH=ON when qx-inspect is built]
function(run what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(rc)
    message(FATAL_ERROR "${what} failed (${rc}):\n${out}")
  endif()
endfunction()

file(REMOVE_RECURSE "${WORK}")
run("cpack" cpack --config "${BUILD}/CPackConfig.cmake" -G DEB -B "${WORK}/debs")

# Each package, and what dpkg-shlibdeps must have found it to need of Debian's Qt.
set(expected libqxinspectorcore0=libqt6widgets6 libqxinspectordata0=libqt6sql6
             libqxinspector-dev=qt6-base-dev)
if(DESIGNER)
  list(APPEND expected qxinspector-designer-plugin=libqt6designer6)
endif()
if(ATTACH)
  list(APPEND expected qx-inspect=libqt6widgets6)
endif()
file(GLOB debs "${WORK}/debs/*.deb")
list(LENGTH debs count)
list(LENGTH expected wanted)
if(NOT count EQUAL wanted)
  message(FATAL_ERROR "cpack made ${count} packages, not ${wanted}: ${debs}")
endif()
foreach(entry IN LISTS expected)
  string(REPLACE "=" ";" entry "${entry}")
  list(GET entry 0 package)
  list(GET entry 1 needs)
  file(GLOB deb "${WORK}/debs/${package}_*.deb")
  if(NOT deb)
    message(FATAL_ERROR "no package ${package} in ${debs}")
  endif()
  execute_process(COMMAND dpkg-deb -f "${deb}" Depends OUTPUT_VARIABLE depends)
  if(NOT depends MATCHES "(^|, )${needs}( |,|\n|$)")
    message(FATAL_ERROR "${package} does not depend on ${needs}: ${depends}")
  endif()
  run("dpkg -x ${package}" dpkg -x "${deb}" "${WORK}/root")
endforeach()

set(consumer "${WORK}/consumer")
run("configuring the consumer" "${CMAKE_COMMAND}" -S "${SOURCE}" -B "${consumer}" -G Ninja
    "-DCMAKE_PREFIX_PATH=${WORK}/root/usr")
# The package found must be the unpacked one, not one installed elsewhere on the machine.
file(STRINGS "${consumer}/CMakeCache.txt" found REGEX "^QXInspector_DIR:")
string(FIND "${found}" "=${WORK}/root/usr/" at)
if(at EQUAL -1)
  message(FATAL_ERROR "find_package(QXInspector) found ${found}, not the unpacked package")
endif()
run("building the consumer" "${CMAKE_COMMAND}" --build "${consumer}")
run("the consumer" "${consumer}/consumer")
if(DESIGNER)
  run("loading the Designer plugin" "${LOADER}" "${WORK}/root")
endif()
if(ATTACH)
  include("${CMAKE_CURRENT_LIST_DIR}/attach.cmake")
  check_qx_inspect("${WORK}/root/usr/bin/qx-inspect" "${consumer}/consumer" "the package")
endif()
