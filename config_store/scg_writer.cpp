#include "config_store/scg_writer.h"
namespace config_store {}
