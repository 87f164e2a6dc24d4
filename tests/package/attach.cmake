# Shared by the package checks: qx-inspect at Launcher, run on the consumer at Consumer, must find its
# probe beside the installed libraries and list the consumer's window; Where names the install in the
# message.
function(check_qx_inspect Launcher Consumer Where)
  execute_process(COMMAND "${Launcher}" --list "${Consumer}" --window
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 120)
  if(rc OR NOT out MATCHES "\nQPushButton \"ConsumerButton\"\n")
    message(FATAL_ERROR "qx-inspect --list from ${Where} failed (${rc}):\n${out}\n${err}")
  endif()
endfunction()
