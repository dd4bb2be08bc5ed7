# The screens of subsystems 3 to 7 form one layer and one library: they open
# each other across folders (an article links to a project, the home menu
# opens every subsystem), so one library avoids cycles between libraries.
# One .h/.cpp pair per screen or cell class; every .cpp in these folders
# belongs to the library, so adding a screen needs no edit here. Headers are
# listed too, so the meta-object compiler sees every screen class even when
# the folders were empty at the first configuration.
set(TOVERA_SCREEN_FOLDERS news property ask community account)
set(TOVERA_SCREEN_SOURCES)
foreach(folder IN LISTS TOVERA_SCREEN_FOLDERS)
    file(GLOB folder_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp
        ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.h)
    list(APPEND TOVERA_SCREEN_SOURCES ${folder_sources})
endforeach()

add_library(tovera_screens STATIC ${TOVERA_SCREEN_SOURCES}
    ${CMAKE_CURRENT_SOURCE_DIR}/cmake/ScreensLibrary.cpp)
set_target_properties(tovera_screens PROPERTIES AUTOMOC ON)
target_include_directories(tovera_screens PUBLIC ${TOVERA_SOURCE_DIR})
target_link_libraries(tovera_screens PUBLIC tovera_framework tovera_platform_ui)
