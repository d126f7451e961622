// bench_empty: starts and ends at once. Its time is what starting any program
// under Wine costs, the floor under every other figure of the benchmark.

int main() { return 0; }
