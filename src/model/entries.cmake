# Time entries, entry lists, entry and date infos, and the activity booker.
target_sources(model PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/ActivityBooker.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ActivityBooker.h
    ${CMAKE_CURRENT_LIST_DIR}/DayEntryListContainer.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DayEntryListContainer.h
    ${CMAKE_CURRENT_LIST_DIR}/Entry.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Entry.h
    ${CMAKE_CURRENT_LIST_DIR}/EntryInfo.cpp
    ${CMAKE_CURRENT_LIST_DIR}/EntryInfo.h
    ${CMAKE_CURRENT_LIST_DIR}/EntryInterfaces.h
    ${CMAKE_CURRENT_LIST_DIR}/EntryList.cpp
    ${CMAKE_CURRENT_LIST_DIR}/EntryList.h
)
