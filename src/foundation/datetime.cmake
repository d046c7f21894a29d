# Date, time and duration values: representation, comparison, ISO text forms, arithmetic, and the
# parsing of times and durations typed by the user.
target_sources(foundation PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/DateTime.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DateTime.h
    ${CMAKE_CURRENT_LIST_DIR}/DateTimeInput.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DateTimeInput.h
    ${CMAKE_CURRENT_LIST_DIR}/WallClock.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WallClock.h
)
