#include "config_store/scg_reader.h"
namespace config_store {}
