# Delay-load imports for the mingw-w64 builds: a DLL listed here is mapped when the program first
# calls into it, not at start-up. Each cmake/delayload/NAME.def names the functions the program
# calls, with their 32-bit stdcall decorations; the 64-bit build drops those.
#
#   harfpad_delay_load_libraries(OUT_VAR name...)
# sets OUT_VAR to the import libraries to link instead of the ordinary ones.
function(harfpad_delay_load_libraries out)
    set(libraries)
    if(NOT HARFPAD_MINGW_TRIPLE)
        set(${out} ${ARGN} PARENT_SCOPE)  # other toolchains link them as usual
        return()
    endif()
    set(dir ${CMAKE_BINARY_DIR}/delayload)
    file(MAKE_DIRECTORY ${dir})
    foreach(name IN LISTS ARGN)
        set(source ${PROJECT_SOURCE_DIR}/cmake/delayload/${name}.def)
        set(def ${dir}/${name}.def)
        set(library ${dir}/lib${name}_delay.a)
        file(READ ${source} text)
        set(kill_at -k)
        if(CMAKE_SIZEOF_VOID_P EQUAL 8)
            string(REGEX REPLACE "@[0-9]+" "" text "${text}")
            set(kill_at)
        endif()
        file(WRITE ${def}.in "${text}")
        configure_file(${def}.in ${def} COPYONLY)
        set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
        add_custom_command(OUTPUT ${library}
                           COMMAND ${HARFPAD_MINGW_TRIPLE}-dlltool ${kill_at} --input-def ${def}
                                   --output-delaylib ${library}
                           DEPENDS ${def} WORKING_DIRECTORY ${dir} VERBATIM)
        list(APPEND libraries ${library})
    endforeach()
    add_custom_target(harfpad_delay_load_libraries DEPENDS ${libraries})
    set(${out} ${libraries} PARENT_SCOPE)
endfunction()
