# The fuzz entries, built in every configuration so that the regression test can run them.
add_library(zoris_fuzzentries STATIC ${PROJECT_SOURCE_DIR}/fuzz/fuzzentries.cpp ${PROJECT_SOURCE_DIR}/fuzz/fuzzentries.h)
target_include_directories(zoris_fuzzentries PUBLIC ${PROJECT_SOURCE_DIR}/fuzz)
target_link_libraries(zoris_fuzzentries PUBLIC zoris_indicators zoris_checks)
