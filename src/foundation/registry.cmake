# Registry access: one-call helpers and the registry object, over the typed settings store files
# that take the registry's place.
target_sources(foundation PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/Registry.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Registry.h
    ${CMAKE_CURRENT_LIST_DIR}/platform/RegistryStore.cpp
    ${CMAKE_CURRENT_LIST_DIR}/platform/RegistryStore.h
)
