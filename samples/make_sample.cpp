// Writes samples/sample.kel through the model API (filled in with the grid and sections).
int main() { return 0; }
