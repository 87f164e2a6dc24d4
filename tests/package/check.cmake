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
  execute_process(COMMAND "${WORK}/prefix/bin/qx-inspect" --list "${WORK}/consumer/consumer" --window
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 120)
  if(rc OR NOT out MATCHES "\nQPushButton \"ConsumerButton\"\n")
    message(FATAL_ERROR "qx-inspect --list from the install failed (${rc}):\n${out}\n${err}")
  endif()
endif()
