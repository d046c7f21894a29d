# Exceptions, log, locale-independent conversions, the clock.
target_sources(foundation PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/VRNException.cpp
    ${CMAKE_CURRENT_LIST_DIR}/VRNException.h
    ${CMAKE_CURRENT_LIST_DIR}/Log.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Log.h
    ${CMAKE_CURRENT_LIST_DIR}/Clock.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Clock.h
    ${CMAKE_CURRENT_LIST_DIR}/BuildInformation.cpp
    ${CMAKE_CURRENT_LIST_DIR}/BuildInformation.h
)
target_sources(foundation PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/GUID.cpp
    ${CMAKE_CURRENT_LIST_DIR}/GUID.h
    ${CMAKE_CURRENT_LIST_DIR}/VRNTools.cpp
    ${CMAKE_CURRENT_LIST_DIR}/VRNTools.h
)
