// Entry of the real game.
#include "platform/platform.h"

int main(int, char**) { return WinMain(nullptr, nullptr, nullptr, 1); }
