# The feedback post carries the user's name, e-mail address and message, so a program sends it
# only over https, or to this machine itself (a loopback address, for the tests).
#
#   harfpad_check_feedback_url(URL)
# stops the configuration, naming the reason, for any other address.
function(harfpad_check_feedback_url url)
    string(TOLOWER "${url}" lower)
    if(lower MATCHES "^https://[^/?#@:]")
        return()
    endif()
    set(loopback "(localhost|127\\.[0-9]+\\.[0-9]+\\.[0-9]+|\\[::1\\])")
    if(lower MATCHES "^http://${loopback}(:[0-9]+)?([/?#]|$)")
        return()
    endif()
    message(FATAL_ERROR "HARFPAD_FEEDBACK_URL \"${url}\" is not an https:// address: the "
                        "feedback post would carry names, e-mail addresses and messages in "
                        "clear. Only https, or a loopback address for tests, is accepted.")
endfunction()
