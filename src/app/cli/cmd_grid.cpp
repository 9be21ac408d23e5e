// grid: a new project holding only the grid lines of a building.
#include <string>
#include <vector>

#include "cli_commands.h"
#include "cli_common.h"

namespace cli {

int runGrid(int, char**) { return fail("grid is not available yet"); }

}  // namespace cli
