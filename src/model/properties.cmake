# Typed property lists, their helpers, the font and hot-key encodings, friendly durations and the
# tools object.
target_sources(model PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/PropertyInterfaces.h
    ${CMAKE_CURRENT_LIST_DIR}/Property.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Property.h
    ${CMAKE_CURRENT_LIST_DIR}/PropertyList.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PropertyList.h
    ${CMAKE_CURRENT_LIST_DIR}/PropertyValueList.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PropertyValueList.h
    ${CMAKE_CURRENT_LIST_DIR}/PropertyHelpers.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PropertyHelpers.h
    ${CMAKE_CURRENT_LIST_DIR}/FontProperties.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FontProperties.h
    ${CMAKE_CURRENT_LIST_DIR}/HotKeyProperty.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HotKeyProperty.h
    ${CMAKE_CURRENT_LIST_DIR}/FriendlyDuration.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FriendlyDuration.h
    ${CMAKE_CURRENT_LIST_DIR}/DisplayInfo.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DisplayInfo.h
    ${CMAKE_CURRENT_LIST_DIR}/HXTools.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HXTools.h
)
target_link_libraries(model PRIVATE Intl::Intl)
