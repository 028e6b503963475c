#include "shell/main_loop.h"

int main(int argc, char** argv) { return run_main_program(argc, argv); }
