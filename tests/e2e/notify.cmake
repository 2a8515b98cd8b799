# The real program under Xvfb: a due alarm rings, OK and Snooze work, and the sound loops until OK.
foreach(scenario ok snooze sound)
    add_test(NAME e2e_notify_${scenario}
             COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/notify_${scenario}.sh $<TARGET_FILE:wakery>
                     ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/default.wav)
    set_tests_properties(e2e_notify_${scenario} PROPERTIES TIMEOUT 90 LABELS e2e)
endforeach()
