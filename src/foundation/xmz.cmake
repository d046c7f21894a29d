# Data files: the byte layer (plain or zlib-compressed UTF-16 XML), the file stream with its
# sharing rule, and the safe-saving file object.
target_sources(foundation PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/XMZErrors.h
    ${CMAKE_CURRENT_LIST_DIR}/XMZFileSystem.cpp
    ${CMAKE_CURRENT_LIST_DIR}/XMZFileSystem.h
    ${CMAKE_CURRENT_LIST_DIR}/XMZStream.cpp
    ${CMAKE_CURRENT_LIST_DIR}/XMZStream.h
    ${CMAKE_CURRENT_LIST_DIR}/XMZCodec.cpp
    ${CMAKE_CURRENT_LIST_DIR}/XMZCodec.h
    ${CMAKE_CURRENT_LIST_DIR}/XMZDeflateCache.cpp
    ${CMAKE_CURRENT_LIST_DIR}/XMZDeflateCache.h
)
target_link_libraries(foundation PUBLIC ZLIB::ZLIB)
target_sources(foundation PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/XMZFile.cpp
    ${CMAKE_CURRENT_LIST_DIR}/XMZFile.h
)
