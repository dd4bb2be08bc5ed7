# The layers as the build sees them. Every library offers its headers through
# an include root of its own in the build tree, holding a link named after
# its folder; a library sees the headers of the libraries it links and no
# others, so an include that crosses the layers upward, or sideways between
# two screen folders, does not compile:
#
#   platform <- core <- framework <- comments <- news, property, account <- app
#   platform <- platform/ui <- framework          core <- service

# tovera_public_headers(<target> <path>...) exposes each path (a folder or a
# file, relative to the source root) under its own name to <target> and to
# whatever links it.
function(tovera_public_headers target)
    set(root ${CMAKE_BINARY_DIR}/include/${target})
    foreach(path IN LISTS ARGN)
        get_filename_component(parent ${root}/${path} DIRECTORY)
        file(MAKE_DIRECTORY ${parent})
        file(CREATE_LINK ${TOVERA_SOURCE_DIR}/${path} ${root}/${path} SYMBOLIC)
    endforeach()
    target_include_directories(${target} PUBLIC ${root})
endfunction()

# tovera_screen_library(<folder> DEPENDS <library>...) builds the screens of
# one subsystem: every .cpp and .h under <folder>, subfolders included, so a
# new screen needs no edit here. The headers are listed so that the
# meta-object compiler sees every screen class.
function(tovera_screen_library folder)
    cmake_parse_arguments(S "" "" "DEPENDS" ${ARGN})
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS
        ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    add_library(tovera_${folder} STATIC ${sources})
    set_target_properties(tovera_${folder} PROPERTIES AUTOMOC ON)
    tovera_public_headers(tovera_${folder} ${folder})
    target_link_libraries(tovera_${folder} PUBLIC ${S_DEPENDS})
endfunction()
