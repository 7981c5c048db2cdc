# One call adds a test: quorix_add_test(NAME test_foo SOURCES testfoo.cpp [LIBS quorix_gui] [LABELS e2e]
#                                       [TIMEOUT seconds]).
# Every test links the test support library and runs on the offscreen platform, so no display is needed.
function(quorix_add_test)
    cmake_parse_arguments(T "" "NAME;TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
    add_executable(${T_NAME} ${T_SOURCES})
    target_link_libraries(${T_NAME} PRIVATE quorix_test_support Qt6::Test ${T_LIBS})
    # Test tables read better with plain string literals; the product code keeps the strict casts.
    target_compile_options(${T_NAME} PRIVATE -UQT_NO_CAST_FROM_ASCII -UQT_NO_CAST_TO_ASCII)
    add_test(NAME ${T_NAME} COMMAND ${T_NAME})
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 120)
    endif()
    set_tests_properties(${T_NAME} PROPERTIES
        TIMEOUT ${T_TIMEOUT}
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QUORIX_SIM=$<TARGET_FILE:quorix-basestation-sim>;ASAN_OPTIONS=detect_leaks=1:abort_on_error=1;UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
    if(T_LABELS)
        set_tests_properties(${T_NAME} PROPERTIES LABELS "${T_LABELS}")
    endif()
endfunction()
