# Regional settings: the locale services over ICU (locale values, date pictures, calendars,
# enumerations) and the program's snapshot of the user's settings with its listeners.
target_sources(foundation PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/International.cpp
    ${CMAKE_CURRENT_LIST_DIR}/International.h
    ${CMAKE_CURRENT_LIST_DIR}/platform/DatePicture.cpp
    ${CMAKE_CURRENT_LIST_DIR}/platform/DatePicture.h
    ${CMAKE_CURRENT_LIST_DIR}/platform/IcuLocaleData.cpp
    ${CMAKE_CURRENT_LIST_DIR}/platform/IcuLocaleData.h
    ${CMAKE_CURRENT_LIST_DIR}/platform/NationalLanguage.cpp
    ${CMAKE_CURRENT_LIST_DIR}/platform/NationalLanguage.h
)
target_link_libraries(foundation PUBLIC ICU::uc ICU::i18n)
