#include "Startup.h"

int main(int argc, char* argv[]) { return zlv::WinMain(argc, argv); }
