// Zerkon: the game starts here and ends inside the application frame.
#include "app/startup.h"

int main() { return zerkonMain(); }
