#include "app/main_loop.h"
#include "app/program_commands.h"
#include "app/workspace.h"

int main(int argc, char** argv) {
  workspace ws;
  return run_main_program(argc, argv, ws.prefs, ws.aff_aid, ws.commands.kinds,
                          [&ws] { register_program_commands(ws); });
}
