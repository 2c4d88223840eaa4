# The browse layer's benchmark: loader passes, first screenful, the grid of 10,000 items, and
# the cold throughput beside mirte-cli thumb (bench_browse --photos DIR --cli PATH).
add_executable(bench_browse bench_browse.cpp)
target_link_libraries(bench_browse PRIVATE mirte_browse)
