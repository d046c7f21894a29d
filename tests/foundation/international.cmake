list(APPEND FOUNDATION_TEST_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/InternationalTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/platform/DatePictureTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/platform/NationalLanguageTest.cpp
)
