// Placeholder until the headless runner is built.
int main() { return 0; }
