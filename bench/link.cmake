# The serial link against the in-process player emulator over a pseudo-terminal.
add_executable(bench_link bench_link.cpp)
target_link_libraries(bench_link PRIVATE link player_emulator model
  benchmark::benchmark benchmark::benchmark_main)
varno_precompile_headers(bench_link CORE)
# The paced runs take seconds each: the smoke run keeps to the unpaced ones.
add_test(NAME bench_link_smoke
  COMMAND bench_link --benchmark_filter=Unpaced --benchmark_min_time=0.01)
set_tests_properties(bench_link_smoke PROPERTIES LABELS bench TIMEOUT 120)
