list(APPEND MODEL_TEST_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/EntryTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/EntryLoadTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ActivityBookerTest.cpp
)
