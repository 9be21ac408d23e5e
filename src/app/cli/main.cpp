#include <cstdio>
int main() { std::puts("tessmar-cli"); return 0; }
