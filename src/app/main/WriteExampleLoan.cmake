# Writes the example loan beside the executable unless one is there already: after
# the first start the file is the user's, rewritten each time the window closes.
if(NOT EXISTS "${OUT}")
  execute_process(COMMAND "${CLI}" schedule --amount 200000 --rate 5 --term 30 --date 2024-03-15 -o "${OUT}"
    RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "could not write the example loan ${OUT}")
  endif()
endif()
