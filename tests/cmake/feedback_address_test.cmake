# The build accepts a feedback address only over https, or on this machine for tests.
#   cmake -DSOURCE_DIR=... -DWORK_DIR=... -P feedback_address_test.cmake
include(${SOURCE_DIR}/cmake/FeedbackAddress.cmake)
set(failures 0)
foreach(row IN ITEMS
        "https://www.zemrak.com/softfback.php|ok" "HTTPS://Example.org/softfback.php|ok"
        "http://127.0.0.1:47813/softfback.php|ok" "http://127.9.8.7/|ok"
        "http://localhost/softfback.php|ok" "http://[::1]:8080/softfback.php|ok"
        "http://www.zemrak.com/softfback.php|refused" "http://127.0.0.1.example.org/|refused"
        "http://127.0.0.1@example.org/|refused" "http://localhost.example.org/|refused"
        "ftp://example.org/softfback.php|refused" "https://|refused" "www.zemrak.com|refused")
    string(REPLACE "|" ";" row "${row}")
    list(GET row 0 url)
    list(GET row 1 expected)
    # A refusal is a fatal error: each address is judged in a cmake of its own.
    file(WRITE ${WORK_DIR}/check.cmake
         "include(${SOURCE_DIR}/cmake/FeedbackAddress.cmake)\nharfpad_check_feedback_url(\"${url}\")\n")
    execute_process(COMMAND ${CMAKE_COMMAND} -P ${WORK_DIR}/check.cmake RESULT_VARIABLE status
                    ERROR_VARIABLE output)
    if(status EQUAL 0)
        set(got ok)
    else()
        set(got refused)
        string(REGEX REPLACE "[ \n]+" " " output "${output}")
        if(NOT output MATCHES "is not an https:// address")
            message(SEND_ERROR "${url}: refused without naming the reason: ${output}")
        endif()
    endif()
    if(NOT got STREQUAL expected)
        message(SEND_ERROR "${url}: ${got}, expected ${expected}")
    endif()
endforeach()
# Configuring the program itself with a plain-http address fails before anything is built.
execute_process(COMMAND ${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${WORK_DIR}/plain-http
                        -DHARFPAD_FEEDBACK_URL=http://feedback.example.org/softfback.php
                RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
string(REGEX REPLACE "[ \n]+" " " output "${output}")
if(status EQUAL 0 OR NOT output MATCHES "is not an https:// address")
    message(SEND_ERROR "a plain-http feedback address was configured: ${output}")
endif()
file(REMOVE_RECURSE ${WORK_DIR}/plain-http)
