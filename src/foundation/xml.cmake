# XML documents: handles, helper operations, typed values, the back-end choice.
target_sources(foundation PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/XMLHelper.cpp
    ${CMAKE_CURRENT_LIST_DIR}/XMLHelper.h
    ${CMAKE_CURRENT_LIST_DIR}/XMLBackEnd.cpp
    ${CMAKE_CURRENT_LIST_DIR}/XMLBackEnd.h
    ${CMAKE_CURRENT_LIST_DIR}/XMLStorable.h
    ${CMAKE_CURRENT_LIST_DIR}/XMLValues.cpp
    ${CMAKE_CURRENT_LIST_DIR}/XMLValues.h
)
target_link_libraries(foundation PRIVATE pugixml::pugixml)
