// The game window's entry point.
int main() { return 0; }
