// Zerkon: the game starts here and ends inside the application frame.
#include "wiring/wiring.h"

int main() { return zerkonMain(); }
