# Adds every immediate sub-folder of the current source folder that has a CMakeLists.txt, so a
# new component or test folder needs no edit of its parent.
function(kit_add_subdirectories)
    file(GLOB entries LIST_DIRECTORIES true CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*)
    foreach(entry ${entries})
        if(IS_DIRECTORY ${entry} AND EXISTS ${entry}/CMakeLists.txt)
            add_subdirectory(${entry})
        endif()
    endforeach()
endfunction()
