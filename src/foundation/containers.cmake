# Checked base classes, the live-object registry, keyed hash containers, the interface list.
target_sources(foundation PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/CheckedObject.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CheckedObject.h
    ${CMAKE_CURRENT_LIST_DIR}/LiveObjectRegistry.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LiveObjectRegistry.h
    ${CMAKE_CURRENT_LIST_DIR}/VRNHash.cpp
    ${CMAKE_CURRENT_LIST_DIR}/VRNHash.h
    ${CMAKE_CURRENT_LIST_DIR}/VRNInterfaceList.cpp
    ${CMAKE_CURRENT_LIST_DIR}/VRNInterfaceList.h
)
