list(APPEND MODEL_TEST_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/PropertyTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PropertyXmlTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PropertyFileTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PropertyEncodingsTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DisplayInfoTest.cpp
)
