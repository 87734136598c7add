#include "config_store/ryx_command_file.h"
namespace config_store {}
