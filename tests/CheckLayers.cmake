# Fails when a source file includes, or a library links, what its place in
# the layers does not allow.
# Layers from the bottom up: core, platform, widgets, the parts (charts,
# calculators, blending, planner, profiles, deco), shell. A part may keep its
# headless model in <part>/model and its window in <part>/window; such a
# model uses only core and the models listed below, and a part's window may
# use its own model. One part uses another only as the short list below
# allows: a whole unit, or one header of it.
# Run as: cmake -DSOURCE_DIR=<repo> -P CheckLayers.cmake

cmake_minimum_required(VERSION 3.25)

set(layer_core 0)
set(layer_platform 1)
set(layer_widgets 2)
set(layer_charts 3)
set(layer_calculators 3)
set(layer_blending 3)
set(layer_planner 3)
set(layer_profiles 3)
set(layer_deco 3)
set(layer_shell 4)
set(folders core platform widgets charts calculators blending planner profiles deco shell)

set(sideways
    "planner/model -> deco/model"
    "profiles/model -> deco/model"
    "profiles/window -> charts"
    "planner/window -> blending/BlendRequest.h"
    "planner/window -> blending/TankComparisonRequest.h"
    "planner/window -> calculators/GasNeedsRequest.h")

# The unit of a path below the source folder: "<part>/model",
# "<part>/window" or the top folder.
function(unit_of path out)
    if(path MATCHES "^([a-z]+)/(model|window)/")
        set(${out} "${CMAKE_MATCH_1}/${CMAKE_MATCH_2}" PARENT_SCOPE)
    elseif(path MATCHES "^([a-z]+)/")
        set(${out} "${CMAKE_MATCH_1}" PARENT_SCOPE)
    else()
        set(${out} "" PARENT_SCOPE)
    endif()
endfunction()

# Whether unit `from` may use unit `to`; `header` is the included path, or
# empty for a link.
function(allowed from to header out)
    string(REGEX REPLACE "/.*" "" from_part "${from}")
    string(REGEX REPLACE "/.*" "" to_part "${to}")
    set(ok FALSE)
    if(NOT DEFINED layer_${to_part} OR from STREQUAL to)
        set(ok TRUE)
    elseif(from MATCHES "/model$")
        # A headless model stands on core alone, or on a listed model.
        if(to STREQUAL "core" OR "${from} -> ${to}" IN_LIST sideways)
            set(ok TRUE)
        endif()
    elseif(layer_${to_part} LESS layer_${from_part})
        set(ok TRUE)
    elseif(from_part STREQUAL to_part)
        if(to STREQUAL "${to_part}/model")
            set(ok TRUE)
        endif()
    elseif(layer_${to_part} EQUAL layer_${from_part})
        if("${from} -> ${to}" IN_LIST sideways OR (header AND "${from} -> ${header}" IN_LIST sideways))
            set(ok TRUE)
        endif()
    endif()
    set(${out} ${ok} PARENT_SCOPE)
endfunction()

set(violations "")
foreach(folder IN LISTS folders)
    file(GLOB_RECURSE sources RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/${folder}/*.h" "${SOURCE_DIR}/${folder}/*.cpp")
    foreach(source IN LISTS sources)
        unit_of("${source}" from)
        file(STRINGS "${SOURCE_DIR}/${source}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[a-z]+/")
        foreach(line IN LISTS includes)
            string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*$" "\\1" header "${line}")
            unit_of("${header}" to)
            allowed("${from}" "${to}" "${header}" ok)
            if(NOT ok)
                string(APPEND violations "  ${source}: ${line}\n")
            endif()
        endforeach()
    endforeach()
endforeach()

# Libraries: the unit of a library is the folder of the sources it lists.
set(libraries "")
foreach(folder IN LISTS folders)
    file(GLOB_RECURSE lists "${SOURCE_DIR}/${folder}/CMakeLists.txt")
    foreach(list IN LISTS lists)
        file(READ "${list}" text)
        string(REGEX MATCHALL "add_library\\([a-z_]+ STATIC[^)]*\\)" adds "${text}")
        foreach(add IN LISTS adds)
            string(REGEX REPLACE "add_library\\(([a-z_]+) STATIC[ \t\r\n]*([^ \t\r\n)]*).*" "\\1;\\2" parts "${add}")
            list(GET parts 0 name)
            list(GET parts 1 first)
            unit_of("${folder}/${first}" unit)
            set(unit_of_${name} "${unit}")
            list(APPEND libraries ${name})
        endforeach()
    endforeach()
endforeach()
foreach(folder IN LISTS folders)
    file(GLOB_RECURSE lists "${SOURCE_DIR}/${folder}/CMakeLists.txt")
    foreach(list IN LISTS lists)
        file(READ "${list}" text)
        string(REGEX MATCHALL "target_link_libraries\\([a-z_]+[^)]*\\)" links "${text}")
        foreach(link IN LISTS links)
            string(REGEX MATCHALL "tidewell[a-z_]*" names "${link}")
            list(POP_FRONT names name)
            if(NOT DEFINED unit_of_${name})
                continue()
            endif()
            foreach(used IN LISTS names)
                if(DEFINED unit_of_${used})
                    allowed("${unit_of_${name}}" "${unit_of_${used}}" "" ok)
                    if(NOT ok)
                        string(APPEND violations "  ${name} links ${used}\n")
                    endif()
                endif()
            endforeach()
        endforeach()
    endforeach()
endforeach()

if(violations)
    message(FATAL_ERROR "Uses the layers do not allow:\n${violations}")
endif()
message(STATUS "Every include and link stays in its own layer or below, or on the list.")
