#include "shell/main_loop.h"
#include "shell/program_commands.h"

int main(int argc, char** argv) { return run_main_program(argc, argv, register_program_commands); }
