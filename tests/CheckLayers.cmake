# Fails when a source file includes a header from a layer above its own.
# Layers from the bottom up: core, platform, widgets, the windows
# (calculators, blending, planner, profiles, charts, deco), shell.
# Run as: cmake -DSOURCE_DIR=<repo> -P CheckLayers.cmake

set(layer_core 0)
set(layer_platform 1)
set(layer_widgets 2)
set(layer_calculators 3)
set(layer_blending 3)
set(layer_planner 3)
set(layer_profiles 3)
set(layer_charts 3)
set(layer_deco 3)
set(layer_shell 4)
set(folders core platform widgets calculators blending planner profiles charts deco shell)

set(violations "")
foreach(folder IN LISTS folders)
    file(GLOB_RECURSE sources "${SOURCE_DIR}/${folder}/*.h" "${SOURCE_DIR}/${folder}/*.cpp")
    foreach(source IN LISTS sources)
        file(STRINGS "${source}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[a-z]+/")
        foreach(line IN LISTS includes)
            string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([a-z]+)/.*$" "\\1" target "${line}")
            if(DEFINED layer_${target} AND layer_${target} GREATER layer_${folder})
                file(RELATIVE_PATH shown "${SOURCE_DIR}" "${source}")
                string(APPEND violations "  ${shown}: ${line}\n")
            endif()
        endforeach()
    endforeach()
endforeach()

if(violations)
    message(FATAL_ERROR "Includes from a higher layer:\n${violations}")
endif()
message(STATUS "Every include stays in its own layer or below.")
