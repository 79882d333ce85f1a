# vorn_compile_resources(<target> <script.rc> [DEPENDS <headers...>])
# Compiles the resource script with vornrc at build time and adds the generated data to
# the target, whose own resources it then are.
function(vorn_compile_resources target script)
    cmake_parse_arguments(R "" "" "DEPENDS" ${ARGN})
    get_filename_component(name ${script} NAME_WE)
    get_filename_component(absolute ${script} ABSOLUTE)
    set(output ${CMAKE_CURRENT_BINARY_DIR}/${name}_resources.cpp)
    add_custom_command(OUTPUT ${output}
        COMMAND vornrc ${absolute} ${output}
        DEPENDS vornrc ${absolute} ${R_DEPENDS}
        COMMENT "Compiling resources ${name}.rc"
        VERBATIM)
    target_sources(${target} PRIVATE ${output})
    target_link_libraries(${target} PRIVATE vornuser)
endfunction()
