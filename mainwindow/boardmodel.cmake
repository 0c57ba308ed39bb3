# The board's behaviour without Qt, for the desktop's window and the browser's module.
add_library(boardmodel STATIC ${CMAKE_CURRENT_LIST_DIR}/boardmodel.cpp ${CMAKE_CURRENT_LIST_DIR}/boardlayout.cpp)
target_link_libraries(boardmodel PUBLIC core)
