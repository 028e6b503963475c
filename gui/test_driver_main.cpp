// The main() of every GUI test program.
#include "gui/test_driver.h"

int main(int argc, char** argv) { return gui_test::run_all_tests(argc, argv); }
