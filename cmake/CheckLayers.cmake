# Fails when a source file includes a header of a folder its own folder may not use:
#   platform  uses nothing of ours;
#   html      the HTML engine, knows no feature: uses platform at most;
#   settings  uses platform;
#   a feature (layout, tray, keyboard, feedback) uses platform, settings and html, never another
#             feature;
#   app       uses all of them.
# Run as `cmake -DSOURCE_DIR=src -DSTAMP=file -P CheckLayers.cmake`.
cmake_policy(SET CMP0057 NEW)
set(allowed_platform platform)
set(allowed_html platform html)
set(allowed_settings platform settings)
foreach(feature IN ITEMS layout tray keyboard feedback)
    set(allowed_${feature} platform settings html ${feature})
endforeach()
set(allowed_app app platform settings html layout tray keyboard feedback)
set(ours app platform html settings layout tray keyboard feedback)

set(faults)
foreach(folder IN LISTS ours)
    file(GLOB_RECURSE files ${SOURCE_DIR}/${folder}/*.cpp ${SOURCE_DIR}/${folder}/*.h)
    foreach(file IN LISTS files)
        file(STRINGS ${file} includes REGEX "^#include \"[a-z0-9]+/")
        foreach(line IN LISTS includes)
            string(REGEX REPLACE "^#include \"([a-z0-9]+)/.*" "\\1" used "${line}")
            if(used IN_LIST ours AND NOT used IN_LIST allowed_${folder})
                file(RELATIVE_PATH name ${SOURCE_DIR} ${file})
                list(APPEND faults "${name}: ${folder} may not use ${used} (${line})")
            endif()
        endforeach()
    endforeach()
endforeach()
if(faults)
    list(JOIN faults "\n  " text)
    message(FATAL_ERROR "Includes against the direction of the layers:\n  ${text}")
endif()
file(TOUCH ${STAMP})
