# The graph's drawing without Qt, for the desktop's window and the browser's module.
add_library(graphdrawing STATIC ${CMAKE_CURRENT_LIST_DIR}/graphdrawing.cpp)
target_link_libraries(graphdrawing PUBLIC core)
