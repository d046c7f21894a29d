# The platform stand-ins have a test program of their own, since the instance channel lives in
# the foundation_ipc library.
horalux_add_test(NAME foundation_platform_tests
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/platform/CommandLineTest.cpp
        ${CMAKE_CURRENT_LIST_DIR}/platform/InstanceChannelTest.cpp
        ${CMAKE_CURRENT_LIST_DIR}/platform/InstanceLockTest.cpp
        ${CMAKE_CURRENT_LIST_DIR}/platform/ProcessWatchTest.cpp
    LIBS foundation_ipc)
