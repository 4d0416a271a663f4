# A straightforward transcription of the search's rules, kept to check the fast one against and
# to time it against. Both the tests and the benchmarks include this file; it defines the target
# once.
include_guard(GLOBAL)
cmake_path(GET CMAKE_CURRENT_LIST_DIR PARENT_PATH velmora_dir_tests)
add_library(velmora_referencia STATIC ${CMAKE_CURRENT_LIST_DIR}/referencia.cpp)
target_link_libraries(velmora_referencia PUBLIC velmora_model)
target_include_directories(velmora_referencia PUBLIC ${velmora_dir_tests})
