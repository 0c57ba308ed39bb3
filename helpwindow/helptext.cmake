# The help's text without Qt, for the desktop's window and the browser's module.
add_library(helptext STATIC ${CMAKE_CURRENT_LIST_DIR}/helptext.cpp)
target_link_libraries(helptext PUBLIC core)
