#include "Harness.h"
int main() { return 0; }
