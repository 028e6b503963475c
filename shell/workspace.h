// Everything the program holds while it runs: its settings and its open
// documents, one owner each. main makes the one workspace and hands its parts
// down: the shell gets the settings and the document kinds, and each
// subsystem gets the documents and options its commands work on when it
// registers them. Only the program's registration list and main see the
// whole of it.
#pragma once

struct workspace {
};
