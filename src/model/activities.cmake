# Activities, the activity tree and activity locators.
target_sources(model PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/ActivityInterfaces.h
    ${CMAKE_CURRENT_LIST_DIR}/Activity.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Activity.h
    ${CMAKE_CURRENT_LIST_DIR}/ActivityHash.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ActivityImages.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ActivityImages.h
    ${CMAKE_CURRENT_LIST_DIR}/ActivityList.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ActivityList.h
    ${CMAKE_CURRENT_LIST_DIR}/ActivityLocator.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ActivityLocator.h
    ${CMAKE_CURRENT_LIST_DIR}/ActivityLocatorList.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ActivityLocatorList.h
    ${CMAKE_CURRENT_LIST_DIR}/ActivitySource.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ActivitySource.h
    ${CMAKE_CURRENT_LIST_DIR}/ActivityTree.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ActivityTree.h
    ${CMAKE_CURRENT_LIST_DIR}/DefaultActivities.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DefaultActivities.h
    ${CMAKE_CURRENT_LIST_DIR}/Translate.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Translate.h
)
target_link_libraries(model PRIVATE Intl::Intl)
