# A second program that writes settings, so that a test can show they reach the next process.
add_executable(registry_store_tool ${CMAKE_CURRENT_LIST_DIR}/RegistryStoreTool.cpp)
target_link_libraries(registry_store_tool PRIVATE foundation)

list(APPEND FOUNDATION_TEST_SOURCES ${CMAKE_CURRENT_LIST_DIR}/RegistryTest.cpp)
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/RegistryTest.cpp PROPERTIES
    COMPILE_DEFINITIONS "REGISTRY_STORE_TOOL=\"$<TARGET_FILE:registry_store_tool>\"")
# The test program is created after the fragments are read.
cmake_language(DEFER CALL add_dependencies foundation_tests registry_store_tool)
