// The game's entry point; start-up lives in app/.
int main() { return 0; }
