# Linux stand-ins for the platform services of the program entry: command line, single-instance
# lock, process watch. They need Qt6::Core only.
target_sources(foundation PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/platform/CommandLine.cpp
    ${CMAKE_CURRENT_LIST_DIR}/platform/CommandLine.h
    ${CMAKE_CURRENT_LIST_DIR}/platform/InstanceLock.cpp
    ${CMAKE_CURRENT_LIST_DIR}/platform/InstanceLock.h
    ${CMAKE_CURRENT_LIST_DIR}/platform/ProcessWatch.cpp
    ${CMAKE_CURRENT_LIST_DIR}/platform/ProcessWatch.h
    ${CMAKE_CURRENT_LIST_DIR}/platform/TerminationSignals.cpp
    ${CMAKE_CURRENT_LIST_DIR}/platform/TerminationSignals.h
)

# The instance channel (the stand-in for the launch window's messages between processes) needs
# Qt6::Network, which the foundation library itself does not link; it is a library of its own.
add_library(foundation_ipc STATIC
    ${CMAKE_CURRENT_LIST_DIR}/platform/InstanceChannel.cpp
    ${CMAKE_CURRENT_LIST_DIR}/platform/InstanceChannel.h
    ${CMAKE_CURRENT_LIST_DIR}/platform/InstanceProtocol.h
)
target_link_libraries(foundation_ipc PUBLIC foundation Qt6::Network)
