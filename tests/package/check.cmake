# Installs the build tree into a scratch prefix, then configures, builds and runs a consumer project
# that finds it with find_package(QXInspector).
file(REMOVE_RECURSE "${WORK}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD}" --prefix "${WORK}/prefix" RESULT_VARIABLE rc)
if(rc)
  message(FATAL_ERROR "install failed")
endif()
execute_process(COMMAND "${CMAKE_COMMAND}" -S "${SOURCE}" -B "${WORK}/consumer" -G Ninja
                        "-DCMAKE_PREFIX_PATH=${WORK}/prefix" RESULT_VARIABLE rc)
if(rc)
  message(FATAL_ERROR "find_package(QXInspector) failed")
endif()
execute_process(COMMAND "${CMAKE_COMMAND}" --build "${WORK}/consumer" RESULT_VARIABLE rc)
if(rc)
  message(FATAL_ERROR "consumer build failed")
endif()
execute_process(COMMAND "${WORK}/consumer/consumer" RESULT_VARIABLE rc)
if(rc)
  message(FATAL_ERROR "consumer run failed")
endif()
# qx-inspect from the install, when it is built: it finds its probe in the library folder, and the probe
# lists the objects of the consumer run as a window.
if(ATTACH)
  include("${CMAKE_CURRENT_LIST_DIR}/attach.cmake")
  check_qx_inspect("${WORK}/prefix/bin/qx-inspect" "${WORK}/consumer/consumer" "the install")
endif()
