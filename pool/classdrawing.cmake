# The class's pictures without Qt, for the teacher's window and the browser's
# module: the pooled tally and history, the funnel, their drawing and scale.
add_library(classdrawing STATIC
    ${CMAKE_CURRENT_LIST_DIR}/classdrawing.cpp
    ${CMAKE_CURRENT_LIST_DIR}/funnel.cpp
    ${CMAKE_CURRENT_LIST_DIR}/picturescale.cpp
    ${CMAKE_CURRENT_LIST_DIR}/pooledhistory.cpp
    ${CMAKE_CURRENT_LIST_DIR}/poolsummary.cpp
    ${CMAKE_CURRENT_LIST_DIR}/seatname.cpp
)
target_link_libraries(classdrawing PUBLIC core)
