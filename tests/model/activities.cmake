list(APPEND MODEL_TEST_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/ModelTestSupport.h
    ${CMAKE_CURRENT_LIST_DIR}/ActivityTreeTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ActivityLocatorTest.cpp
)
